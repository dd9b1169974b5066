// Times how long window programs take from their process's start until their window is shown
// and painted and they wait for input, side by side: each round starts every program once, in
// an order that turns from round to round, and each program's median is reported with the
// ratio of the first program's to it.
//   startup_timer ROUNDS PROGRAM.exe BASELINE.exe...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Seconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

HWND VisibleWindowOf(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.process && IsWindowVisible(window) && GetParent(window) == nullptr) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Seconds from CreateProcess until the program waits for input with its window shown; negative
// when it failed.
double StartOnce(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + program + L"\"";
    const LONGLONG start = Now();
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    WaitForInputIdle(process.hProcess, 30000);
    HWND window = nullptr;
    while ((window = VisibleWindowOf(process.dwProcessId)) == nullptr &&
           Seconds(Now() - start) < 30) {
        Sleep(1);
    }
    const double took = Seconds(Now() - start);
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr ? took : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::printf("usage: startup_timer ROUNDS PROGRAM.exe BASELINE.exe...\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    const std::vector<std::wstring> programs(argv + 2, argv + argc);
    const std::size_t count = programs.size();
    std::vector<std::vector<double>> times(count);
    for (const std::wstring& program : programs) {
        StartOnce(program);  // the first start of each fills the caches
    }
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t which = (i + static_cast<std::size_t>(round)) % count;
            const double took = StartOnce(programs[which]);
            if (took < 0) {
                std::printf("%ls did not show its window\n", programs[which].c_str());
                return 1;
            }
            times[which].push_back(took);
        }
    }
    std::printf("start-up to shown, painted and waiting for input, median of %d rounds:\n", rounds);
    const double first = Median(times[0]);
    for (std::size_t i = 0; i < count; ++i) {
        const double median = Median(times[i]);
        const std::wstring& name = programs[i];
        const std::wstring base = name.substr(name.find_last_of(L"/\\") + 1);
        if (i == 0) {
            std::printf("  %-28ls %7.1f ms\n", base.c_str(), median * 1000);
        } else {
            std::printf("  %-28ls %7.1f ms   ratio %.2f\n", base.c_str(), median * 1000,
                        first / median);
        }
    }
    return 0;
}
