#include "cli/stop_signals.h"

#include <poll.h>
#include <signal.h>

#include <cerrno>

namespace tolvi {

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile sig_atomic_t stopSignal = 0;
bool holding = false;
sigset_t waitMask;  // the signal mask while waiting: the held signals let through

void NoteStop(int signal) {
    stopSignal = signal;
}

}  // namespace

void HoldStopSignals() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kStopSignals) {
        struct sigaction previous {};
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction noting {};
        noting.sa_handler = NoteStop;
        sigemptyset(&noting.sa_mask);
        sigaction(signal, &noting, nullptr);
        sigaddset(&held, signal);
    }
    sigprocmask(SIG_BLOCK, &held, &waitMask);
    for (const int signal : kStopSignals) {
        if (sigismember(&held, signal) == 1) {
            sigdelset(&waitMask, signal);
        }
    }
    holding = true;
}

int StopSignal() {
    if (stopSignal == 0 && holding) {
        sigset_t pending;
        sigpending(&pending);
        for (const int signal : kStopSignals) {
            if (sigismember(&pending, signal) == 1) {
                stopSignal = signal;
                break;
            }
        }
    }
    return stopSignal;
}

bool WaitUntilReady(int descriptor, short events) {
    pollfd watched{descriptor, events, 0};
    for (;;) {
        const int ready = ppoll(&watched, 1, nullptr, holding ? &waitMask : nullptr);
        if (ready >= 0) {
            return true;  // ready, or failed: the read or write says how
        }
        if (errno != EINTR) {
            return true;
        }
        if (stopSignal != 0) {
            return false;
        }
    }
}

}  // namespace tolvi
