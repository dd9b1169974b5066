#pragma once

#include <string>

namespace tolvi {

// The longest text a field of the calculator holds, in characters. No real amount or rate
// comes near it: the largest double written out in full with its group separators takes 414
// characters. A longer text is refused whole, never cut: a cut number is another number.
inline constexpr int kMaxFieldLength = 1000;

// Why a text from outside is refused for its length: "longer than 1000 characters".
std::string FieldTooLongRefusal();

}  // namespace tolvi
