#include <windows.h>

#include <algorithm>
#include <string>

#include "cli/file_stream.h"
#include "cli/stop_signals.h"

namespace tolvi {

namespace {

// The largest piece one write gives a pipe: a row's end, or this many bytes, so that a stop
// request is taken between whole rows.
constexpr std::size_t kPipePiece = 4096;

HANDLE StandardHandle(int descriptor) {
    static constexpr DWORD kStandard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    return descriptor >= 0 && descriptor < 3 ? GetStdHandle(kStandard[descriptor]) : nullptr;
}

// The cause of a failure, in the words of the POSIX build where the failure is the same.
std::string Cause(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "No space left on device";
        case ERROR_BROKEN_PIPE:
        case ERROR_NO_DATA:
            return "Broken pipe";
        case ERROR_INVALID_HANDLE:
            return "Bad file descriptor";
        case ERROR_ACCESS_DENIED:
            return "Permission denied";
        default:
            break;
    }
    char* text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
        reinterpret_cast<char*>(&text), 0, nullptr);
    std::string cause = text != nullptr ? text : "";
    LocalFree(text);
    while (!cause.empty() && std::string_view(" .\r\n").find(cause.back()) != std::string::npos) {
        cause.pop_back();
    }
    return (cause.empty() ? "Windows error" : cause) + " (" + std::to_string(error) + ")";
}

[[noreturn]] void Fail(const char* what, DWORD error) {
    throw IoError(std::string(what) + ": " + Cause(error));
}

// Cuts a file back by the `unended` bytes written after its last whole row.
void TakeBack(HANDLE file, std::size_t unended) {
    LARGE_INTEGER back{};
    back.QuadPart = -static_cast<LONGLONG>(unended);
    if (unended > 0 && SetFilePointerEx(file, back, nullptr, FILE_CURRENT) != 0) {
        SetEndOfFile(file);
    }
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// Reads a pipe or a console on a thread of its own, so that waiting for the input can end
// when a stop request comes: a read of either cannot be waited for beside an event.
class ReaderThread {
  public:
    explicit ReaderThread(HANDLE input) : input_(input) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        startError_ = thread_ == nullptr ? GetLastError() : ERROR_SUCCESS;
    }

    // Reads at most `size` bytes; false when a stop request came first. The read goes on and
    // its bytes are handed out by the next call.
    bool Read(char* buffer, std::size_t size, DWORD& count, DWORD& error) {
        if (thread_ == nullptr) {
            error = startError_ != ERROR_SUCCESS ? startError_ : ERROR_NOT_ENOUGH_MEMORY;
            return true;
        }
        if (!asked_) {
            chunk_.resize(std::min<std::size_t>(size, 1 << 20));
            asked_ = true;
            SetEvent(wanted_);
        }
        const HANDLE events[] = {done_, static_cast<HANDLE>(StopEvent())};
        const DWORD woken =
            WaitForMultipleObjects(events[1] != nullptr ? 2 : 1, events, FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0) {
            return false;
        }
        asked_ = false;
        count = std::min<DWORD>(count_, static_cast<DWORD>(size));
        std::copy_n(chunk_.data(), count, buffer);
        error = error_;
        return true;
    }

  private:
    static DWORD WINAPI Run(void* self) {
        auto& reader = *static_cast<ReaderThread*>(self);
        for (;;) {
            WaitForSingleObject(reader.wanted_, INFINITE);
            reader.count_ = 0;
            reader.error_ =
                ReadFile(reader.input_, reader.chunk_.data(),
                         static_cast<DWORD>(reader.chunk_.size()), &reader.count_, nullptr) != 0
                    ? ERROR_SUCCESS
                    : GetLastError();
            SetEvent(reader.done_);
        }
    }

    HANDLE input_;
    HANDLE wanted_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE done_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
    DWORD startError_ = ERROR_SUCCESS;
    std::string chunk_;
    bool asked_ = false;  // a read is under way
    DWORD count_ = 0;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    const HANDLE handle = StandardHandle(descriptor_);
    // A file is read at once; standard input from a pipe or a console is read by one thread,
    // which lives as long as the process: a read it has under way may never end.
    ReaderThread* reader = nullptr;
    if (descriptor_ == 0) {
        static ReaderThread* const standardInput =
            GetFileType(handle) == FILE_TYPE_DISK ? nullptr : new ReaderThread(handle);
        reader = standardInput;
    }
    for (;;) {
        if (StopSignal() != 0) {
            throw Interrupted();
        }
        DWORD count = 0;
        DWORD error = ERROR_SUCCESS;
        if (reader != nullptr) {
            if (!reader->Read(buffer, size, count, error)) {
                continue;  // a stop request
            }
        } else {
            const auto asked = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30));
            error = ReadFile(handle, buffer, asked, &count, nullptr) != 0 ? ERROR_SUCCESS
                                                                          : GetLastError();
        }
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) {
            return 0;  // the writer has closed the pipe: the end of the input
        }
        if (error == ERROR_OPERATION_ABORTED) {
            WaitForStop(100);  // Ctrl+C cut a console read short; its event comes apart
            continue;
        }
        if (error != ERROR_SUCCESS) {
            Fail("cannot read the input", error);
        }
        if (count == 0 && IsConsole(handle) && WaitForStop(100)) {
            throw Interrupted();  // Ctrl+C ends a console read with nothing read
        }
        return count;
    }
}

void FileSink::Write(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kBufferSize) {
        Flush();
    }
}

void FileSink::Flush() {
    const HANDLE handle = StandardHandle(descriptor_);
    if (!paced_) {
        paced_ = GetFileType(handle) != FILE_TYPE_DISK;
    }
    std::string_view rest = dropping_ ? std::string_view() : pending_;
    while (!rest.empty()) {
        std::string_view piece = rest.substr(0, 1 << 30);
        if (*paced_) {
            // A stop request at a row's end drops the rows not yet written: the output ends
            // with a whole row.
            if (unended_ == 0 && StopSignal() != 0) {
                dropping_ = true;
                break;
            }
            if (piece.size() > kPipePiece) {
                const std::size_t rowEnd = rest.rfind('\n', kPipePiece - 1);
                piece = rest.substr(0, rowEnd == std::string_view::npos ? kPipePiece : rowEnd + 1);
            }
        }
        DWORD count = 0;
        const BOOL written =
            WriteFile(handle, piece.data(), static_cast<DWORD>(piece.size()), &count, nullptr);
        const DWORD error = written == 0 ? GetLastError() : ERROR_SUCCESS;
        // A write that fails may have written a part first.
        const std::string_view done = piece.substr(0, count);
        const std::size_t rowEnd = done.rfind('\n');
        unended_ =
            rowEnd == std::string_view::npos ? unended_ + done.size() : done.size() - rowEnd - 1;
        rest.remove_prefix(done.size());
        if (error != ERROR_SUCCESS || count == 0) {
            pending_.clear();
            if (!*paced_) {
                TakeBack(handle, unended_);  // a pipe was given whole rows only
            }
            Fail("cannot write the output", error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
        }
    }
    pending_.clear();
}

}  // namespace tolvi
