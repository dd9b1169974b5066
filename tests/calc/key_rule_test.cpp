#include "calc/key_rule.h"

#include <gtest/gtest.h>

namespace tolvi {
namespace {

TEST(KeyRule, DigitsThePointAndBackspacePass) {
    for (const char16_t c : u"0123456789.") {
        if (c != 0) {
            EXPECT_EQ(ApplyKeyRule(c), c) << static_cast<int>(c);
        }
    }
    EXPECT_EQ(ApplyKeyRule(8), 8);
}

TEST(KeyRule, EverythingElseIsDiscarded) {
    const std::uint16_t discarded[] = {
        'a',    'Z', 'e', 'E', ',', '-', '+', ' ', '/', ':',
        0,       // nothing
        13,      // Enter
        27,      // Escape
        9,       // Tab
        3,       // Ctrl+C
        22,      // Ctrl+V
        24,      // Ctrl+X
        1,       // Ctrl+A
        26,      // Ctrl+Z
        127,     // Delete as a character
        0x0661,  // Arabic-Indic digit one
        0xFF10,  // fullwidth digit zero
        0x2024,  // one dot leader
        0xD83D,  // half of a surrogate pair
        0xFFFF,
    };
    for (const std::uint16_t code : discarded) {
        EXPECT_EQ(ApplyKeyRule(code), 0) << code;
    }
}

}  // namespace
}  // namespace tolvi
