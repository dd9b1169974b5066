#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolvi {

// UTF-8 text read code point by code point, as every front end hands its texts to the core.
class Utf8Reader {
  public:
    explicit Utf8Reader(std::string_view text) : text_(text) {}

    // The next code point into `code`; false at the end. A byte sequence that is not UTF-8
    // (a stray continuation byte, a cut or overlong sequence, a surrogate, a value beyond
    // U+10FFFF) reads as kMalformed, one byte at a time.
    bool Next(char32_t& code);

    static constexpr char32_t kMalformed = 0xFFFFFFFF;

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// How many UTF-16 code units the text takes, the unit in which text boxes count characters;
// a malformed byte counts as one.
std::size_t Utf16Length(std::string_view utf8);

// Appends a code point to a UTF-8 text.
void AppendUtf8(std::string& text, char32_t code);

// Control characters: C0, DEL and C1.
constexpr bool IsControlCharacter(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Characters a text box draws as nothing, or that change the direction of the text around them,
// so that a box may show another number than the one it holds: format characters (bidi
// controls and marks, zero-width spaces and joiners, the soft hyphen, the byte order mark),
// the other default-ignorable characters (variation selectors, fillers, tags), and the line
// and paragraph separators.
bool IsInvisibleCharacter(char32_t code);

// The value 0 to 9 of a decimal digit of any script in the Basic Multilingual Plane (ASCII,
// full-width, Arabic-Indic, Devanagari, Thai, ...), or -1 for any other character.
int DecimalDigitValue(char32_t code);

}  // namespace tolvi
