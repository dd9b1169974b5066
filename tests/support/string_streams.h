#pragma once

// Input and output of the command-line calculator held in memory, for the tests, the fuzz
// targets and the benchmarks.

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/byte_stream.h"

namespace tolvi::test {

// Input from a text in memory, handed out in pieces of at most `piece` bytes.
class StringSource final : public ByteSource {
  public:
    explicit StringSource(std::string_view text, std::size_t piece = 65536)
        : text_(text), piece_(piece == 0 ? 1 : piece) {}
    std::size_t Read(char* buffer, std::size_t size) override;

  private:
    std::string_view text_;
    std::size_t piece_;
};

// Output collected in memory.
class StringSink final : public ByteSink {
  public:
    void Write(std::string_view bytes) override { text.append(bytes); }
    void Flush() override {}
    std::string text;
};

}  // namespace tolvi::test
