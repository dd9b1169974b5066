#include "calc/text_entry.h"

#include <array>
#include <optional>

#include "calc/calc_error.h"
#include "calc/field_length.h"
#include "calc/key_rule.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"
#include "calc/unicode_text.h"

namespace tolvi {

namespace {

constexpr char16_t kComma = u',';
constexpr char16_t kFullWidthComma = u'\uFF0C';
constexpr char16_t kFullWidthFullStop = u'\uFF0E';
constexpr char16_t kArabicDecimalSeparator = u'\u066B';

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
constexpr std::string_view kRightSingleQuote = "\u2019";

bool IsSpaceLike(std::string_view separator) {
    return separator == " " || separator == kNoBreakSpace || separator == kNarrowNoBreakSpace;
}

bool IsApostropheLike(std::string_view separator) {
    return separator == "'" || separator == kRightSingleQuote;
}

// Whether the regional settings write numbers as the calculator does: then a text from outside
// always enters as it is.
bool WritesAsTheCalculator(const NumberFormat& regional) {
    return regional.decimalSeparator == "." && regional.groupSeparator == ",";
}

// The group separators a number written in the regional form may carry: the regional one and
// the ones people write for it. Where the decimal separator is a comma, a space of any width
// groups digits too.
std::array<std::string_view, 4> GroupSeparators(const NumberFormat& regional) {
    std::array<std::string_view, 4> separators{regional.groupSeparator};
    if (IsSpaceLike(regional.groupSeparator) || regional.decimalSeparator == ",") {
        separators = {regional.groupSeparator, " ", kNoBreakSpace, kNarrowNoBreakSpace};
    } else if (IsApostropheLike(regional.groupSeparator)) {
        separators = {regional.groupSeparator, "'", kRightSingleQuote, {}};
    }
    return separators;
}

// The group separator of `separators` that `text` starts with at `at`, if any.
std::optional<std::string_view> GroupSeparatorAt(
    std::string_view text, std::size_t at, const std::array<std::string_view, 4>& separators) {
    for (const std::string_view separator : separators) {
        if (!separator.empty() && text.substr(at, separator.size()) == separator) {
            return separator;
        }
    }
    return std::nullopt;
}

std::size_t DigitsAt(std::string_view text, std::size_t at) {
    std::size_t count = 0;
    while (at + count < text.size() && text[at + count] >= '0' && text[at + count] <= '9') {
        ++count;
    }
    return count;
}

// The text in the calculator's form, when it reads whole as one number in the regional form:
// spaces around it, an optional sign, digits (grouped in threes by one kind of group separator,
// the first group not starting with 0), an optional decimal separator and fraction digits.
std::optional<std::string> InCalculatorForm(std::string_view text, const NumberFormat& regional) {
    while (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    while (text.ends_with(' ')) {
        text.remove_suffix(1);
    }
    std::string number;
    std::size_t at = 0;
    if (text.starts_with('-') || text.starts_with('+')) {
        number += text[at++];
    }
    const std::size_t lead = DigitsAt(text, at);
    const bool leadStartsWithZero = lead > 0 && text[at] == '0';
    number.append(text.substr(at, lead));
    at += lead;
    std::size_t digits = lead;
    const auto separators = GroupSeparators(regional);
    std::optional<std::string_view> grouping;
    while (const auto separator = GroupSeparatorAt(text, at, separators)) {
        if (lead == 0 || lead > 3 || leadStartsWithZero || (grouping && *grouping != *separator) ||
            DigitsAt(text, at + separator->size()) != 3) {
            return std::nullopt;
        }
        grouping = separator;
        at += separator->size();
        number.append(text.substr(at, 3));
        at += 3;
        digits += 3;
    }
    const std::string_view decimal = regional.decimalSeparator;
    if (!decimal.empty() && text.substr(at).starts_with(decimal)) {
        at += decimal.size();
        const std::size_t fraction = DigitsAt(text, at);
        number += '.';
        number.append(text.substr(at, fraction));
        at += fraction;
        digits += fraction;
    }
    if (digits == 0 || at != text.size()) {
        return std::nullopt;
    }
    return number;
}

// What a text of characters the box takes enters as, by which of the calculator's form and
// the regional form read it whole, and as what.
TextFromOutside InRegionalForm(std::string_view text, Field field, const NumberFormat& regional) {
    TextFromOutside taken;
    taken.text = text;
    if (WritesAsTheCalculator(regional)) {
        return taken;
    }
    std::optional<std::string> converted = InCalculatorForm(text, regional);
    if (!converted) {
        return taken;
    }
    if (ExtentOfReading(text, field) != ReadingExtent::Whole) {
        taken.text = std::move(*converted);
        return taken;
    }
    double asCalculator = 0;
    double asRegional = 0;
    try {
        asCalculator = field == Field::Amount ? ReadAmount(text) : ReadNumber(text);
        asRegional = ReadNumber(*converted);
    } catch (const CalcError&) {
        return taken;  // digits too many for a double, with no separator to read two ways
    }
    if (asCalculator == asRegional) {
        return taken;
    }
    const bool regionalDecimal = text.find(regional.decimalSeparator) != std::string_view::npos;
    if (regionalDecimal) {
        taken.text = std::move(*converted);
    }
    NumberFormat written;
    written.decimalSeparator = regional.decimalSeparator;
    taken.readAs =
        ReadAsLine(field, NumberToText(regionalDecimal ? asRegional : asCalculator, written));
    return taken;
}

// The ASCII character a digit of another script stands for, the point for the full-width full
// stop and the Arabic decimal separator, the comma for the full-width comma; any other code as
// it is.
char32_t InAscii(char32_t code) {
    if (code == kFullWidthComma) {
        return kComma;
    }
    if (code == kFullWidthFullStop || code == kArabicDecimalSeparator) {
        return u'.';
    }
    if (const int digit = DecimalDigitValue(code); digit >= 0) {
        return static_cast<char32_t>(u'0' + digit);
    }
    return code;
}

// A text from outside refused for its characters (its text kept, to be measured), or what it
// enters as by its regional reading.
TextFromOutside TakeWhole(std::string_view text, Field field, const NumberFormat& regional) {
    // The line break a spreadsheet ends a copied cell with.
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n') || text.ends_with('\r')) {
        text.remove_suffix(1);
    }
    std::string_view characterRefusal;
    Utf8Reader reader(text);
    for (char32_t code = 0; characterRefusal.empty() && reader.Next(code);) {
        if (code == Utf8Reader::kMalformed) {
            characterRefusal = "it is not text";
        } else if (IsControlCharacter(code)) {
            characterRefusal = "it holds control characters";
        } else if (IsInvisibleCharacter(code)) {
            characterRefusal = "it holds invisible or direction-changing characters";
        }
    }
    if (!characterRefusal.empty()) {
        TextFromOutside refused;
        refused.refusal = characterRefusal;
        refused.text = text;  // measured for its length, then cleared
        return refused;
    }
    return InRegionalForm(text, field, regional);
}

// Refuses a text that would make the box longer than it may be; a refused text brings nothing.
void RefuseWhenTooLong(TextFromOutside& taken, std::size_t boxLength, std::size_t replaced) {
    const std::size_t kept = boxLength - std::min(replaced, boxLength);
    if (kept + Utf16Length(taken.text) > static_cast<std::size_t>(kMaxFieldLength)) {
        taken.refusal = FieldTooLongRefusal();
    }
    if (taken.Refused()) {
        taken.text.clear();
        taken.readAs.clear();
    }
}

}  // namespace

std::uint16_t ApplyTypingRule(std::uint16_t code, Field field, const NumberFormat& regional) {
    code = static_cast<std::uint16_t>(InAscii(code));
    if (code == kComma) {
        const bool decimalComma = field == Field::Rate || regional.decimalSeparator == ",";
        return decimalComma ? u'.' : 0;
    }
    return ApplyKeyRule(code);
}

TextFromOutside TakeTextFromOutside(std::string_view text, Field field,
                                    const NumberFormat& regional, std::size_t boxLength,
                                    std::size_t replaced) {
    TextFromOutside taken = TakeWhole(text, field, regional);
    RefuseWhenTooLong(taken, boxLength, replaced);
    return taken;
}

TextFromOutside TakeCommittedText(std::string_view text, Field field, const NumberFormat& regional,
                                  std::size_t boxLength, std::size_t replaced) {
    std::string inAscii;
    Utf8Reader reader(text);
    for (char32_t code = 0; reader.Next(code);) {
        if (code == Utf8Reader::kMalformed) {
            return TakeTextFromOutside(text, field, regional, boxLength, replaced);  // refused
        }
        AppendUtf8(inAscii, InAscii(code));
    }
    TextFromOutside taken = TakeWhole(inAscii, field, regional);
    if (!taken.Refused()) {
        std::string typed;
        Utf8Reader characters(taken.text);
        for (char32_t code = 0; characters.Next(code);) {
            // The typing rule leaves ASCII or nothing; beyond the basic plane, nothing.
            if (const std::uint16_t left =
                    code < 0x10000
                        ? ApplyTypingRule(static_cast<std::uint16_t>(code), field, regional)
                        : 0;
                left != 0) {
                typed += static_cast<char>(left);
            }
        }
        if (typed != taken.text) {
            taken.readAs.clear();  // the box holds another text than the one read
        }
        taken.text = std::move(typed);
    }
    RefuseWhenTooLong(taken, boxLength, replaced);
    return taken;
}

std::string PasteRefusedNotice(std::string_view refusal) {
    return "Not pasted: " + std::string(refusal);
}

std::string FieldTooLongNotice() {
    return PasteRefusedNotice(FieldTooLongRefusal());
}

}  // namespace tolvi
