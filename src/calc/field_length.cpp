#include "calc/field_length.h"

#include <charconv>

namespace tolvi {

std::string FieldTooLongRefusal() {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, kMaxFieldLength).ptr;
    return "longer than " + std::string(digits, static_cast<std::size_t>(end - digits)) +
           " characters";
}

}  // namespace tolvi
