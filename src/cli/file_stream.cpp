#include "cli/file_stream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/stop_signals.h"

namespace tolvi {

namespace {

[[noreturn]] void Fail(const char* what, int error) {
    throw IoError(std::string(what) + ": " + std::strerror(error));
}

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

}  // namespace

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    for (;;) {
        if (StopSignal() != 0) {
            throw Interrupted();
        }
        if (!WaitUntilReady(descriptor_, POLLIN)) {
            continue;
        }
        const ssize_t count = ::read(descriptor_, buffer, size);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR && !WouldBlock(errno)) {
            Fail("cannot read the input", errno);
        }
    }
}

void FileSink::Write(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kBufferSize) {
        Flush();
    }
}

void FileSink::Flush() {
    std::string_view rest = pending_;
    while (!rest.empty()) {
        const ssize_t count = ::write(descriptor_, rest.data(), rest.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && WouldBlock(errno)) {
            WaitUntilReady(descriptor_, POLLOUT);  // a stop signal does not cut what is formed
            continue;
        }
        if (count <= 0) {
            pending_.clear();
            Fail("cannot write the output", count < 0 ? errno : EIO);
        }
        rest.remove_prefix(static_cast<std::size_t>(count));
    }
    pending_.clear();
}

}  // namespace tolvi
