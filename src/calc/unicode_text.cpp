#include "calc/unicode_text.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tolvi {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Format characters (general category Cf), default-ignorable code points, and the line and
// paragraph separators, as of Unicode 15, in order.
constexpr std::array kInvisible = {
    Range{0x00AD, 0x00AD},   Range{0x034F, 0x034F},   Range{0x0600, 0x0605},
    Range{0x061C, 0x061C},   Range{0x06DD, 0x06DD},   Range{0x070F, 0x070F},
    Range{0x0890, 0x0891},   Range{0x08E2, 0x08E2},   Range{0x115F, 0x1160},
    Range{0x17B4, 0x17B5},   Range{0x180B, 0x180F},   Range{0x200B, 0x200F},
    Range{0x2028, 0x202E},   Range{0x2060, 0x206F},   Range{0x3164, 0x3164},
    Range{0xFE00, 0xFE0F},   Range{0xFEFF, 0xFEFF},   Range{0xFFA0, 0xFFA0},
    Range{0xFFF0, 0xFFFB},   Range{0x110BD, 0x110BD}, Range{0x110CD, 0x110CD},
    Range{0x13430, 0x1343F}, Range{0x1BCA0, 0x1BCA3}, Range{0x1D173, 0x1D17A},
    Range{0xE0000, 0xE0FFF},
};

// The digit zeros of the decimal digit runs of the Basic Multilingual Plane (general category
// Nd), each the first of ten consecutive digits, in order.
constexpr std::array<char32_t, 37> kDigitZeros = {
    0x0030, 0x0660, 0x06F0, 0x07C0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0BE6,
    0x0C66, 0x0CE6, 0x0D66, 0x0DE6, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x1090, 0x17E0,
    0x1810, 0x1946, 0x19D0, 0x1A80, 0x1A90, 0x1B50, 0x1BB0, 0x1C40, 0x1C50, 0xA620,
    0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50, 0xABF0, 0xFF10,
};

}  // namespace

bool Utf8Reader::Next(char32_t& code) {
    if (at_ >= text_.size()) {
        return false;
    }
    const auto byte = [this](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
    const unsigned char lead = byte(at_);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        ++at_;
        return true;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    }
    if (length == 0 || text_.size() - at_ < length) {
        code = kMalformed;
        ++at_;
        return true;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at_ + i);
        if ((next & 0xC0) != 0x80) {
            code = kMalformed;
            ++at_;
            return true;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        code = kMalformed;
        ++at_;
        return true;
    }
    code = value;
    at_ += length;
    return true;
}

std::size_t Utf16Length(std::string_view utf8) {
    Utf8Reader reader(utf8);
    std::size_t units = 0;
    for (char32_t code = 0; reader.Next(code);) {
        units += code >= 0x10000 && code != Utf8Reader::kMalformed ? 2 : 1;
    }
    return units;
}

bool IsInvisibleCharacter(char32_t code) {
    const auto* range = std::lower_bound(kInvisible.begin(), kInvisible.end(), code,
                                         [](const Range& r, char32_t c) { return r.last < c; });
    return range != kInvisible.end() && range->first <= code;
}

int DecimalDigitValue(char32_t code) {
    const auto* after = std::upper_bound(kDigitZeros.begin(), kDigitZeros.end(), code);
    if (after == kDigitZeros.begin()) {
        return -1;
    }
    const char32_t offset = code - *std::prev(after);
    return offset < 10 ? static_cast<int>(offset) : -1;
}

void AppendUtf8(std::string& text, char32_t code) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (code < 0x80) {
        text += byte(code);
    } else if (code < 0x800) {
        text += {byte(0xC0 | (code >> 6)), byte(0x80 | (code & 0x3F))};
    } else if (code < 0x10000) {
        text += {byte(0xE0 | (code >> 12)), byte(0x80 | ((code >> 6) & 0x3F)),
                 byte(0x80 | (code & 0x3F))};
    } else {
        text += {byte(0xF0 | (code >> 18)), byte(0x80 | ((code >> 12) & 0x3F)),
                 byte(0x80 | ((code >> 6) & 0x3F)), byte(0x80 | (code & 0x3F))};
    }
}

}  // namespace tolvi
