#pragma once

#include <span>
#include <string_view>

#include "cli/byte_stream.h"

namespace tolvi {

// The exit statuses of the command-line calculator.
enum ExitStatus : int {
    kExitSuccess = 0,
    kExitCalculationError = 1,   // the calculation stopped on an error
    kExitUsageError = 2,         // wrong arguments, a bad batch line, or a text not read whole
    kExitIoError = 3,            // the input could not be read or the output written
    kExitStoppedBySignal = 128,  // plus the number of the signal that stopped it
};

// The command-line calculator: `--inclusive AMOUNT RATE`, `--exclusive AMOUNT RATE`,
// `--batch` (each with strict reading, or `--lenient`), `--help`, `--version`. Returns the process
// exit status. A failed read or write ends the run at once with a one-line message on `err`.
int RunCommandLine(std::span<const std::string_view> arguments, ByteSource& in, ByteSink& out,
                   ByteSink& err);

}  // namespace tolvi
