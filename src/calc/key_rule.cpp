#include "calc/key_rule.h"

#include <string_view>

namespace tolvi {

std::uint16_t ApplyKeyRule(std::uint16_t keyAscii) {
    constexpr std::uint16_t kBackspace = 8;
    if (keyAscii == kBackspace) {
        return keyAscii;
    }
    constexpr std::u16string_view kAccepted = u"0123456789.";
    return kAccepted.find(static_cast<char16_t>(keyAscii)) != std::u16string_view::npos ? keyAscii
                                                                                        : 0;
}

}  // namespace tolvi
