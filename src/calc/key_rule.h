#pragma once

#include <cstdint>

namespace tolvi {

// The rule both input fields apply to every typed character before it reaches them: Backspace
// (8) and the characters "0123456789." pass unchanged; every other code becomes 0, which
// discards the keystroke. A second point, leading zeros and any length pass.
std::uint16_t ApplyKeyRule(std::uint16_t code);

}  // namespace tolvi
