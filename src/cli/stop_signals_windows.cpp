#include <windows.h>

#include <atomic>

#include "cli/stop_signals.h"

namespace tolvi {

namespace {

// The signal numbers of the POSIX build, so that the exit statuses are the same.
constexpr int kHangup = 1;
constexpr int kInterrupt = 2;
constexpr int kQuit = 3;
constexpr int kTerminate = 15;

std::atomic<int> stopSignal{0};
HANDLE stopEvent = nullptr;  // set once a stop request has come

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI NoteStop(DWORD event) {
    int signal = 0;
    switch (event) {
        case CTRL_C_EVENT:
            signal = kInterrupt;
            break;
        case CTRL_BREAK_EVENT:
            signal = kQuit;
            break;
        case CTRL_CLOSE_EVENT:
            signal = kHangup;
            break;
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            signal = kTerminate;
            break;
        default:
            return FALSE;
    }
    int none = 0;
    stopSignal.compare_exchange_strong(none, signal);
    SetEvent(stopEvent);
    if (signal == kHangup || signal == kTerminate) {
        // The system ends the process as soon as this returns: wait here while the calculator
        // ends its output at a row's end and exits with its status, within the system's limit.
        Sleep(INFINITE);
    }
    return TRUE;
}

}  // namespace

void HoldStopSignals() {
    stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(NoteStop, TRUE);
}

int StopSignal() {
    return stopSignal.load();
}

void* StopEvent() {
    return stopEvent;
}

bool WaitForStop(unsigned milliseconds) {
    if (stopEvent == nullptr) {
        Sleep(milliseconds);
    } else {
        WaitForSingleObject(stopEvent, milliseconds);
    }
    return StopSignal() != 0;
}

}  // namespace tolvi
