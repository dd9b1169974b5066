#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tolvi {

// A failed read or write; its message names what failed and why ("cannot write the output:
// No space left on device").
class IoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A stop signal came while the input was awaited: nothing more is read. StopSignal() names it.
class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("stopped by a signal") {}
};

// Where the command-line calculator reads its input from.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads at most `size` bytes into `buffer`; returns 0 only at the end of the input.
    // Raises IoError when the input cannot be read, Interrupted when asked to stop.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Where it writes its output, a row (a line) at a time. Writes may be held back until Flush;
// either raises IoError when the output cannot be written. A row is never cut: asked to stop
// while the output has no room, a sink drops the rows it has not yet written, and a write that
// fails leaves the output at the end of the last whole row.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    virtual void Flush() = 0;
};

}  // namespace tolvi
