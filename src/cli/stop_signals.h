#pragma once

namespace tolvi {

// SIGTERM, SIGINT and SIGHUP ask the command-line calculator to stop. From HoldStopSignals on
// they are held back while it works and taken only while it waits for its input or output
// (WaitUntilReady) or asks for them (StopSignal), so that no write is ever cut by one. A signal
// the process was started with ignored (nohup's SIGHUP) stays ignored.
void HoldStopSignals();

// The stop signal that has come, or 0. Raised while held back counts too.
int StopSignal();

// Waits until `descriptor` is ready for `events` (POLLIN, POLLOUT), or has failed, so that the
// next read or write does not fail with EAGAIN on a non-blocking descriptor. Returns false when
// a stop signal came instead.
bool WaitUntilReady(int descriptor, short events);

}  // namespace tolvi
