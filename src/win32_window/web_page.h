#pragma once

#include <windows.h>

namespace tolvi::win32 {

// Hands a web address to the shell, which opens it in the default browser; waits for nothing and
// reports nothing. Then processes the messages waiting for the application, ten passes, so that
// what the user did meanwhile is handled before the command returns.
//
// With TOLVI_RECORD_SHELL naming a file, the address is appended to that file, one a line, in
// place of being opened: how the tests see what the shell would have been asked.
void OpenWebsite(const char* address, HWND dialog);

// One pass over the waiting messages: each is dispatched (through `dialog`'s keyboard handling),
// and the pass returns when none is left. A quit request ends the pass and stays queued.
void ProcessPendingMessages(HWND dialog);

}  // namespace tolvi::win32
