#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/file_stream.h"
#include "cli/stop_signals.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    tolvi::HoldStopSignals();
    tolvi::FileSource in(0);
    tolvi::FileSink out(1);
    tolvi::FileSink err(2);
    return tolvi::RunCommandLine(arguments, in, out, err);
}
