#pragma once

#include <optional>
#include <string>

#include "cli/byte_stream.h"

namespace tolvi {

// Standard input, or any open file descriptor, read as it comes, byte for byte. A non-blocking
// one is waited for; a stop signal (StopSignal) ends the reading with Interrupted. On Windows
// the descriptors 0, 1 and 2 are the standard handles, read and written without the C
// runtime's text mode: no CR LF for LF, no end at Ctrl+Z.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(int descriptor) : descriptor_(descriptor) {}
    std::size_t Read(char* buffer, std::size_t size) override;

  private:
    int descriptor_;
};

// Standard output or error, written through a buffer. Every write is checked, the final one
// included: the first that fails raises IoError, and the output ends with the last whole row
// written (a file is cut back to it; a pipe is given whole rows only). A non-blocking one is
// waited for. A file takes all that is written, also after a stop signal. A pipe, a socket or
// a terminal is written in whole rows while it has room; a stop signal that comes while it has
// none ends the writing at a row's end (a row longer than PIPE_BUF is finished first), and what
// is written after it is dropped.
class FileSink final : public ByteSink {
  public:
    explicit FileSink(int descriptor) : descriptor_(descriptor) {}
    void Write(std::string_view bytes) override;
    void Flush() override;

  private:
    static constexpr std::size_t kBufferSize = 65536;
    int descriptor_;
    std::string pending_;
    std::optional<bool> paced_;  // not a file: written only when it has room
    bool dropping_ = false;      // a stop signal ended the writing
    std::size_t unended_ = 0;    // the bytes written after the last row's line feed
};

}  // namespace tolvi
