#include "tests/support/string_streams.h"

#include <algorithm>

namespace tolvi::test {

std::size_t StringSource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min({size, piece_, text_.size()});
    text_.copy(buffer, count);
    text_.remove_prefix(count);
    return count;
}

}  // namespace tolvi::test
