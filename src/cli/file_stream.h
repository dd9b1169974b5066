#pragma once

#include <string>

#include "cli/byte_stream.h"

namespace tolvi {

// Standard input, or any open file descriptor, read as it comes. A non-blocking one is waited
// for; a stop signal (StopSignal) ends the reading with Interrupted.
class FileSource final : public ByteSource {
  public:
    explicit FileSource(int descriptor) : descriptor_(descriptor) {}
    std::size_t Read(char* buffer, std::size_t size) override;

  private:
    int descriptor_;
};

// Standard output or error, written through a buffer. Every write is checked, the final one
// included: the first that fails raises IoError. A non-blocking one is waited for, and a stop
// signal does not stop a write half-way.
class FileSink final : public ByteSink {
  public:
    explicit FileSink(int descriptor) : descriptor_(descriptor) {}
    void Write(std::string_view bytes) override;
    void Flush() override;

  private:
    static constexpr std::size_t kBufferSize = 65536;
    int descriptor_;
    std::string pending_;
};

}  // namespace tolvi
