#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calc_error.h"

namespace tolvi {

// Between two of the notice's lines where a window shows them side by side, in one line.
inline constexpr std::string_view kNoticeLineSeparator = "  \u00B7  ";

// The lines of the notice every window shows after a recalculation (Recalculate gives them with
// its results), top to bottom:
// - the error that ended it early, by its name and, in plain words, which field and why
//   ("Type mismatch: the amount is not a number"); none for the Type mismatch of an empty
//   amount, which is no mistake but a box cleared to type a new amount;
// - how a text the calculation read only in part, or too near zero to keep its digits, was
//   read: "Amount read as 1.2" (of "1.2.3"), "VAT % read as 19" (of "19,5"),
//   "Amount read as 0" (of "1e-400").
// No line at all when the texts were read whole and the recalculation ran to its end.
std::vector<std::string> NoticeLines(std::string_view amount, std::string_view rate,
                                     std::optional<CalcErrorKind> error);

}  // namespace tolvi
