#include "calc/field_length.h"

#include <charconv>

namespace tolvi {

std::string FieldTooLongNotice() {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, kMaxFieldLength).ptr;
    return "Not pasted: longer than " +
           std::string(digits, static_cast<std::size_t>(end - digits)) + " characters";
}

}  // namespace tolvi
