#include "calc/val.h"

#include "calc/decimal_reader.h"

namespace tolvi {

namespace {

constexpr bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Walks a text the way Val sees it: blanks skipped wherever they stand.
class SkippingCursor {
  public:
    explicit SkippingCursor(std::string_view text) : text_(text) {}

    // The next character that is not skipped, or '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() && IsIgnoredBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Advance() { ++pos_; }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

double ReadNumberAtHead(std::string_view text) {
    SkippingCursor cursor(text);
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

double Val(std::string_view text) {
    return ReadNumberAtHead(text);
}

std::string Replace(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(find); at != std::string_view::npos;
         at = text.find(find, from)) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + find.size();
    }
    result.append(text.substr(from));
    return result;
}

double ReadAmount(std::string_view text) {
    return Val(Replace(text, ",", ""));
}

}  // namespace tolvi
