#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/file_stream.h"
#include "cli/stop_signals.h"

#ifdef _WIN32
#include <windows.h>
// Include after windows.h.
#include <shellapi.h>

namespace {

// The arguments as the command line holds them, in UTF-8 as on Linux, not in the ANSI code page
// the C runtime's argv uses, which loses every character outside it.
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        argument.pop_back();  // the terminating null
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    const std::vector<std::string> held = Utf8Arguments();
#else
    const std::vector<std::string> held(argv + 1, argv + argc);
#endif
    const std::vector<std::string_view> arguments(held.begin(), held.end());
    tolvi::HoldStopSignals();
    tolvi::FileSource in(0);
    tolvi::FileSink out(1);
    tolvi::FileSink err(2);
    return tolvi::RunCommandLine(arguments, in, out, err);
}
