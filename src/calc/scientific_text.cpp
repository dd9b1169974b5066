#include "calc/scientific_text.h"

#ifdef __EMSCRIPTEN__
#include <cstdio>
#else
#include <charconv>
#endif

namespace tolvi {

char* WriteScientific(char* text, double magnitude, int fractionDigits) {
    constexpr int kRoom = 32;
#ifdef __EMSCRIPTEN__
    // The WebAssembly C++ library has no to_chars for doubles with a precision. Its C library
    // converts exactly, and a module has no process locale that could change the point.
    const int length = std::snprintf(text, kRoom, "%.*e", fractionDigits, magnitude);
    return text + (length > 0 && length < kRoom ? length : 0);
#else
    return std::to_chars(text, text + kRoom, magnitude, std::chars_format::scientific,
                         fractionDigits)
        .ptr;
#endif
}

}  // namespace tolvi
