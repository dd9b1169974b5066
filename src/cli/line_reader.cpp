#include "cli/line_reader.h"

#include <algorithm>

namespace tolvi {

namespace {

constexpr std::size_t kReadSize = 65536;

// A line's length as the limit counts it: a carriage return at its end is not counted.
std::size_t CountedLength(std::string_view line) {
    return line.ends_with('\r') ? line.size() - 1 : line.size();
}

}  // namespace

bool LineReader::Fill() {
    if (ended_) {
        return false;
    }
    if (start_ > 0) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    if (beforeRead_) {
        beforeRead_();
    }
    chunk_.resize(kReadSize);
    const std::size_t count = source_.Read(chunk_.data(), chunk_.size());
    buffer_.append(chunk_.data(), count);
    ended_ = count == 0;
    return !ended_;
}

std::optional<LineReader::Line> LineReader::Next() {
    bool tooLong = false;
    std::size_t searched = 0;  // how much of the unread part is known to hold no line feed
    for (;;) {
        const std::string_view unread = std::string_view(buffer_).substr(start_);
        const std::size_t end = unread.find('\n', searched);
        if (end != std::string_view::npos) {
            start_ += end + 1;
            if (tooLong || CountedLength(unread.substr(0, end)) > max_) {
                return Line{{}, true};
            }
            return Line{unread.substr(0, end), false};
        }
        searched = unread.size();
        if (CountedLength(unread) > max_) {
            tooLong = true;  // keep reading to its line feed, holding none of it
            start_ = buffer_.size();
            searched = 0;
        }
        if (!Fill()) {
            const std::string_view last = std::string_view(buffer_).substr(start_);
            start_ = buffer_.size();
            if (tooLong || CountedLength(last) > max_) {
                return Line{{}, true};
            }
            if (last.empty()) {
                return std::nullopt;
            }
            return Line{last, false};
        }
    }
}

}  // namespace tolvi
