#include "calc/number_reading.h"

#include "calc/decimal_reader.h"

namespace tolvi {

namespace {

// Walks a text skipping blanks wherever they stand, and commas too for an amount.
class SkippingCursor {
  public:
    SkippingCursor(std::string_view text, bool skipCommas)
        : at_(text.data()), end_(text.data() + text.size()), skipCommas_(skipCommas) {}

    bool Skipped(char c) const { return IsSkippedBlank(c) || (skipCommas_ && c == ','); }

    // The next character that is not skipped, or '\0' at the end.
    char Peek() {
        while (at_ != end_ && Skipped(*at_)) {
            ++at_;
        }
        return at_ != end_ ? *at_ : '\0';
    }
    void Advance() { ++at_; }

    // Feeds the digits and the one point of a mantissa to the reader.
    void Mantissa(DecimalReader& reader) {
        for (; at_ != end_; ++at_) {
            const char c = *at_;
            if (IsDigit(c)) {
                reader.Digit(c);
            } else if (c == '.' && !reader.HasPoint()) {
                reader.Point();
            } else if (!Skipped(c)) {
                return;
            }
        }
    }

  private:
    const char* at_;
    const char* end_;
    bool skipCommas_;
};

double ReadNumberAtHead(std::string_view text, bool skipCommas) {
    SkippingCursor cursor(text, skipCommas);
    DecimalReader reader;

    bool negative = false;
    if (const char c = cursor.Peek(); c == '+' || c == '-') {
        negative = c == '-';
        cursor.Advance();
    }
    cursor.Mantissa(reader);
    if (!reader.HasDigits()) {
        return 0.0;
    }

    // An exponent counts only when at least one digit follows its letter and sign.
    if (IsExponentLetter(cursor.Peek())) {
        cursor.Advance();
        const char sign = cursor.Peek();
        if (sign == '+' || sign == '-') {
            cursor.Advance();
        }
        if (IsDigit(cursor.Peek())) {
            if (sign == '-') {
                reader.NegativeExponent();
            }
            for (char d = cursor.Peek(); IsDigit(d); d = cursor.Peek()) {
                reader.ExponentDigit(d);
                cursor.Advance();
            }
        }
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
