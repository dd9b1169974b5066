#include "calc/field_length.h"

#include <charconv>

#include "calc/text_entry.h"

namespace tolvi {

std::string FieldTooLongRefusal() {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, kMaxFieldLength).ptr;
    return "longer than " + std::string(digits, static_cast<std::size_t>(end - digits)) +
           " characters";
}

std::string FieldTooLongNotice() {
    return PasteRefusedNotice(FieldTooLongRefusal());
}

}  // namespace tolvi
