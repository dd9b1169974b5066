#include "calc/key_rule.h"

#include <string_view>

namespace tolvi {

std::uint16_t ApplyKeyRule(std::uint16_t code) {
    constexpr std::uint16_t kBackspace = 8;
    if (code == kBackspace) {
        return code;
    }
    constexpr std::u16string_view kAccepted = u"0123456789.";
    return kAccepted.find(static_cast<char16_t>(code)) != std::u16string_view::npos ? code : 0;
}

}  // namespace tolvi
