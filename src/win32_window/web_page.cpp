#include "win32_window/web_page.h"

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "win32_window/text_conversion.h"

namespace tolvi::win32 {

namespace {

constexpr int kPasses = 10;

bool Record(const char* address) {
    const DWORD length = GetEnvironmentVariableW(L"TOLVI_RECORD_SHELL", nullptr, 0);
    if (length <= 1) {
        return false;
    }
    std::wstring file(length, L'\0');
    file.resize(GetEnvironmentVariableW(L"TOLVI_RECORD_SHELL", file.data(), length));
    if (FILE* record = _wfopen(file.c_str(), L"ab")) {
        std::fputs(address, record);
        std::fputc('\n', record);
        std::fclose(record);
    }
    return true;
}

// The shell's ShellExecuteW, bound at its first call: loading the shell costs the window's
// start-up more than all the rest. Null while the shell cannot be had; a later call tries again.
decltype(&ShellExecuteW) ShellExecuteEntry() {
    static decltype(&ShellExecuteW) entry = nullptr;
    if (entry == nullptr) {
        if (HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            entry = reinterpret_cast<decltype(&ShellExecuteW)>(
                reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteW")));
        }
    }
    return entry;
}

}  // namespace

void OpenWebsite(const char* address, HWND dialog) {
    if (!Record(address)) {
        // What the shell makes of it, browser or none, is not the calculator's business; without
        // the shell nothing opens and nothing is said.
        if (const auto open = ShellExecuteEntry()) {
            open(nullptr, L"Open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
    }
    for (int pass = 0; pass < kPasses; ++pass) {
        ProcessPendingMessages(dialog);
    }
}

void ProcessPendingMessages(HWND dialog) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (dialog == nullptr || !IsWindow(dialog) || !IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace tolvi::win32
