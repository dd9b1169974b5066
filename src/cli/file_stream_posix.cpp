#include "cli/file_stream.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

// Cuts a file back by the `unended` bytes written after its last whole row.
void TakeBack(int descriptor, std::size_t unended) {
    const off_t end = lseek(descriptor, 0, SEEK_CUR);
    if (unended > 0 && end >= static_cast<off_t>(unended)) {
        [[maybe_unused]] const int cut = ftruncate(descriptor, end - static_cast<off_t>(unended));
    }
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
    if (!paced_) {
        struct stat status {};
        paced_ = fstat(descriptor_, &status) == 0 && !S_ISREG(status.st_mode);
    }
    std::string_view rest = dropping_ ? std::string_view() : pending_;
    while (!rest.empty()) {
        std::string_view piece = rest;
        if (*paced_) {
            // A pipe takes a piece of at most PIPE_BUF bytes whole once poll says it has room,
            // so the wait, with the stop signals let through, is the only one. A stop signal at
            // a row's end drops the rows not yet written: the output ends with a whole row.
            if (unended_ == 0 && StopSignal() != 0) {
                dropping_ = true;
                break;
            }
            if (piece.size() > PIPE_BUF) {
                const std::size_t rowEnd = rest.rfind('\n', PIPE_BUF - 1);
                piece = rest.substr(0, rowEnd == std::string_view::npos ? PIPE_BUF : rowEnd + 1);
            }
            if (!WaitUntilReady(descriptor_, POLLOUT)) {
                continue;  // a stop signal: taken at the row's end
            }
        }
        const ssize_t count = ::write(descriptor_, piece.data(), piece.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && WouldBlock(errno)) {
            if (!*paced_) {
                WaitUntilReady(descriptor_, POLLOUT);  // a stop signal does not cut what is formed
            }
            continue;
        }
        if (count <= 0) {
            const int error = count < 0 ? errno : EIO;
            pending_.clear();
            if (!*paced_) {
                TakeBack(descriptor_, unended_);  // a pipe was given whole rows only
            }
            Fail("cannot write the output", error);
        }
        const std::string_view done = piece.substr(0, static_cast<std::size_t>(count));
        const std::size_t rowEnd = done.rfind('\n');
        unended_ =
            rowEnd == std::string_view::npos ? unended_ + done.size() : done.size() - rowEnd - 1;
        rest.remove_prefix(done.size());
    }
    pending_.clear();
}

}  // namespace tolvi
