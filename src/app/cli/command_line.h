#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace tolvi {

// The command-line calculator: `--inclusive AMOUNT RATE`, `--exclusive AMOUNT RATE`,
// `--batch`, `--help`. Returns the process exit status.
int RunCommandLine(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace tolvi
