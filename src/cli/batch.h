#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "calc/number_format.h"
#include "calc/recalculation.h"
#include "cli/byte_stream.h"
#include "cli/strict_reading.h"

namespace tolvi {

// The longest batch line taken, in bytes, a carriage return before its line feed not counted;
// a longer one is a bad input line.
inline constexpr std::size_t kMaxBatchLineLength = 1 << 20;

// A batch line MODE<TAB>AMOUNT<TAB>RATE, a trailing carriage return dropped; nothing for a
// line of another form.
struct BatchLine {
    VatMode mode;
    std::string_view amount;
    std::string_view rate;
};
std::optional<BatchLine> ParseBatchLine(std::string_view line);

// Reads lines MODE<TAB>AMOUNT<TAB>RATE (MODE "inclusive" or "exclusive", a trailing carriage
// return dropped) and writes for each one line
// VAT<TAB>ROUNDED VAT<TAB>TOTAL<TAB>PRICE<TAB>UNFORMATTED PRICE<TAB>ERROR.
// A line of another form, or longer than `maxLineLength`, gives five empty fields and
// "Bad input line". Under strict reading, a line whose amount or rate is not read whole gives
// five empty fields and StrictReadingError. A calculation error is the row's answer, in ERROR;
// under strict reading its five fields are empty, under lenient reading they stand as the
// calculation left them.
// Streams line by line; output is flushed whenever more input is awaited.
// Returns the exit status: 0, or 2 when any line was bad or not read whole. Raises IoError at
// the first read or write that fails, and lets Interrupted through.
int RunBatch(ByteSource& in, ByteSink& out, const NumberFormat& format, Reading reading,
             std::size_t maxLineLength = kMaxBatchLineLength);

}  // namespace tolvi
