// A batch waiting for its input ends with 130 on Ctrl+C and 131 on Ctrl+Break, each delivered as
// Windows delivers it: by a thread started in the process at kernel32's CtrlRoutine (wine's own
// GenerateConsoleCtrlEvent sends Ctrl+C only).
//   ctrl_events_test TOLVI_VAT_CLI_EXE
#include <windows.h>

#include <cstdio>
#include <string>

int main(int, char** argv) {
    const auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CtrlRoutine")));
    int failed = 0;
    for (const DWORD event : {CTRL_C_EVENT, CTRL_BREAK_EVENT}) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE in[2];  // the ends a pipe's reader and writer hold
        HANDLE out[2];
        CreatePipe(&in[0], &in[1], &inherited, 0);
        CreatePipe(&out[0], &out[1], &inherited, 0);
        SetHandleInformation(in[1], HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(out[0], HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in[0];
        startup.hStdOutput = startup.hStdError = out[1];
        PROCESS_INFORMATION cli{};
        std::string command = std::string("\"") + argv[1] + "\" --batch";
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &cli);
        CloseHandle(in[0]);  // theirs alone, so that the read below ends should it end early
        CloseHandle(out[1]);
        char row[64];
        DWORD count = 0;
        WriteFile(in[1], "exclusive\t105\t17.5\n", 19, &count, nullptr);
        ReadFile(out[0], row, sizeof row, &count, nullptr);  // it has answered: it takes events
        CreateRemoteThread(cli.hProcess, nullptr, 0, routine,
                           reinterpret_cast<void*>(DWORD_PTR{event}), 0, nullptr);
        WaitForSingleObject(cli.hProcess, 10000);
        DWORD status = 0;
        GetExitCodeProcess(cli.hProcess, &status);
        TerminateProcess(cli.hProcess, 1);
        const DWORD expected = event == CTRL_C_EVENT ? 130 : 131;
        std::printf("%s %s: status %lu, %lu expected\n", status == expected ? "ok  " : "FAIL",
                    event == CTRL_C_EVENT ? "Ctrl+C" : "Ctrl+Break", status, expected);
        failed |= status != expected ? 1 : 0;
    }
    return failed;
}
