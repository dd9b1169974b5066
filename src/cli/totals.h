#pragma once

#include <cstddef>

#include "cli/batch.h"
#include "cli/byte_stream.h"
#include "cli/strict_reading.h"

namespace tolvi {

// Reads the lines RunBatch reads and writes, once the input has ended, the totals of those
// calculated as a tab-separated table: a header, one row per mode and rate, exclusive first,
// rates by value, then the row "all". A line not calculated (bad, not read whole under strict
// reading, or ended by a calculation error) is counted in no group and named on `err` with its
// line number. A group whose sums overflow has its figures empty and its error named on `err`.
// Returns the exit status: 2 when a line was left out, else 1 when a group ended on an error,
// else 0. Raises IoError at the first read or write that fails and lets Interrupted through,
// before any of the table is written.
int RunTotals(ByteSource& in, ByteSink& out, ByteSink& err, Reading reading,
              std::size_t maxLineLength = kMaxBatchLineLength);

}  // namespace tolvi
