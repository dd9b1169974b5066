#pragma once

namespace tolvi {

// Requests to stop the command-line calculator. On POSIX systems SIGTERM, SIGINT and SIGHUP.
// On Windows the console's control events, named by the signal of the same meaning: Ctrl+C
// is SIGINT (2), Ctrl+Break SIGQUIT (3, as Ctrl+\ on a Linux terminal), closing the console
// SIGHUP (1), and logging off or shutting down SIGTERM (15).
//
// From HoldStopSignals on they are held back while it works and taken only while it waits for
// its input or output, or asks for them (StopSignal), so that no write is ever cut by one. A
// signal the process was started with ignored (nohup's SIGHUP; on Windows, Ctrl+C disabled for
// a new process group) stays ignored.
void HoldStopSignals();

// The number of the stop signal that has come, or 0. Raised while held back counts too.
int StopSignal();

#ifdef _WIN32
// Waits up to `milliseconds` for a stop request; returns whether one has come.
bool WaitForStop(unsigned milliseconds);
// The event (a HANDLE) set when a stop request comes, to wait for beside another; null before
// HoldStopSignals.
void* StopEvent();
#else
// Waits until `descriptor` is ready for `events` (POLLIN, POLLOUT), or has failed, so that the
// next read or write does not fail with EAGAIN on a non-blocking descriptor. Returns false when
// a stop signal came instead.
bool WaitUntilReady(int descriptor, short events);
#endif

}  // namespace tolvi
