#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/byte_stream.h"

namespace tolvi {

// Splits its input into lines ended by a line feed (the last one may lack it), in bounded
// memory: a line longer than the limit (a carriage return at its end not counted) is skipped up
// to its line feed and reported as too long, never held whole.
class LineReader {
  public:
    struct Line {
        std::string_view text;  // without its line feed; empty when too long
        bool tooLong = false;
    };

    LineReader(ByteSource& source, std::size_t maxLength) : source_(source), max_(maxLength) {}

    // Runs before every read that may wait for input, so that output answering the lines
    // read so far is not held back meanwhile.
    void BeforeEachRead(std::function<void()> hook) { beforeRead_ = std::move(hook); }

    // The next line, or nothing at the end of the input. The text stays valid until the next
    // call. Raises IoError when the input cannot be read.
    std::optional<Line> Next();

  private:
    bool Fill();  // false at the end of the input

    ByteSource& source_;
    std::size_t max_;
    std::function<void()> beforeRead_;
    std::string chunk_;      // what one read brings
    std::string buffer_;     // the lines read and not yet handed out
    std::size_t start_ = 0;  // where the unread part of buffer_ begins
    bool ended_ = false;
};

}  // namespace tolvi
