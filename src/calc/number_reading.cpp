#include "calc/number_reading.h"

#include "calc/decimal_reader.h"

namespace tolvi {

namespace {

constexpr bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Walks a text skipping blanks wherever they stand, and commas too for an amount.
class SkippingCursor {
  public:
    SkippingCursor(std::string_view text, bool skipCommas) : text_(text), skipCommas_(skipCommas) {}

    // The next character that is not skipped, or '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() &&
               (IsIgnoredBlank(text_[pos_]) || (skipCommas_ && text_[pos_] == ','))) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Advance() { ++pos_; }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

  private:
    std::string_view text_;
    bool skipCommas_;
    std::size_t pos_ = 0;
};

double ReadNumberAtHead(std::string_view text, bool skipCommas) {
    SkippingCursor cursor(text, skipCommas);
    DecimalReader reader;

    bool negative = false;
    if (const char c = cursor.Peek(); c == '+' || c == '-') {
        negative = c == '-';
        cursor.Advance();
    }
    for (char c = cursor.Peek();; c = cursor.Peek()) {
        if (IsDigit(c)) {
            reader.Digit(c);
        } else if (c == '.' && !reader.HasPoint()) {
            reader.Point();
        } else {
            break;
        }
        cursor.Advance();
    }
    if (!reader.HasDigits()) {
        return 0.0;
    }

    // An exponent counts only when at least one digit follows its letter and sign.
    if (IsExponentLetter(cursor.Peek())) {
        const std::size_t beforeExponent = cursor.Position();
        cursor.Advance();
        DecimalReader withExponent = reader;
        if (const char s = cursor.Peek(); s == '+' || s == '-') {
            if (s == '-') {
                withExponent.NegativeExponent();
            }
            cursor.Advance();
        }
        bool exponentDigits = false;
        for (char d = cursor.Peek(); IsDigit(d); d = cursor.Peek()) {
            withExponent.ExponentDigit(d);
            exponentDigits = true;
            cursor.Advance();
        }
        if (exponentDigits) {
            return withExponent.ToDouble(negative);
        }
        cursor.Rewind(beforeExponent);
    }
    return reader.ToDouble(negative);
}

}  // namespace

double ReadNumber(std::string_view text) {
    return ReadNumberAtHead(text, false);
}

double ReadAmount(std::string_view text) {
    return ReadNumberAtHead(text, true);
}

}  // namespace tolvi
