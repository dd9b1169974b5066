#pragma once

// A text as a JSON string, for the programs that hand the shared rows to the browser tests.
#include <string>
#include <string_view>

namespace tolvi::test {

inline std::string JsonQuoted(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            json += "\\u00";
            json += kHex[(c >> 4) & 0xf];
            json += kHex[c & 0xf];
        } else {
            json += c;  // UTF-8 passes as it is
        }
    }
    return json + '"';
}

}  // namespace tolvi::test
