#pragma once

// How a person's text enters the amount and the rate, under the regional settings of six
// places: typed key by key, pasted whole, and what the notice then says. The core and every
// front end (the window, the page, the Windows window) run these same rows.

#include <ostream>
#include <string_view>

#include "calc/field_reading.h"
#include "calc/number_format.h"
#include "calc/recalculation.h"

namespace tolvi::test {

// A place's regional settings: its locale name (BCP 47, as browsers and Windows name it; Qt
// takes it with "_") and the separators it writes numbers with.
struct Region {
    std::string_view locale;
    std::string_view decimalSeparator;
    std::string_view groupSeparator;

    NumberFormat Format() const {
        NumberFormat format;
        format.decimalSeparator = decimalSeparator;
        format.groupSeparator = groupSeparator;
        return format;
    }
};

inline constexpr Region kEnglish{"en-US", ".", ","};
inline constexpr Region kGerman{"de-DE", ",", "."};
inline constexpr Region kItalian{"it-IT", ",", "."};
inline constexpr Region kSpanish{"es-ES", ",", "."};
inline constexpr Region kFrench{"fr-FR", ",", "\u202F"};
inline constexpr Region kSwiss{"de-CH", ".", "\u2019"};
inline constexpr Region kRegions[] = {kEnglish, kGerman, kItalian, kSpanish, kFrench, kSwiss};

// Characters typed one by one into an empty box, and the text the box then holds.
struct TypingRow {
    Region region;
    Field field;
    std::string_view typed;  // UTF-8
    std::string_view boxText;
};

inline constexpr TypingRow kTypingRows[] = {
    // The key rule: digits and the point pass, everything else is refused.
    {kEnglish, Field::Amount, "117.5", "117.5"},
    {kEnglish, Field::Amount, "1.2.3", "1.2.3"},
    {kEnglish, Field::Amount, "-1 a+e$", "1"},
    {kGerman, Field::Rate, "%20x", "20"},
    // A rate has no thousands: its comma is always the decimal point.
    {kEnglish, Field::Rate, "19,5", "19.5"},
    {kGerman, Field::Rate, "19,5", "19.5"},
    {kSwiss, Field::Rate, "7,7", "7.7"},
    // In an amount the comma is the point only where the decimal separator is a comma.
    {kGerman, Field::Amount, "1234,56", "1234.56"},
    {kFrench, Field::Amount, "0,5", "0.5"},
    {kEnglish, Field::Amount, "1,000", "1000"},
    {kSwiss, Field::Amount, "1,000", "1000"},
    // The regional group separator is no character of a typed number.
    {kGerman, Field::Amount, "1.000", "1.000"},
    {kSwiss, Field::Amount, "1\u2019000", "1000"},
    // Digits of other scripts, as input methods commit them, are ASCII digits.
    {kEnglish, Field::Amount, "\uFF11\uFF12\uFF0E\uFF15", "12.5"},
    {kEnglish, Field::Amount, "\u0661\u0662\u066B\u0665", "12.5"},
    {kEnglish, Field::Rate, "\u06F2\u06F0", "20"},
    {kEnglish, Field::Amount, "\u0967\u0966\u0966", "100"},
    {kGerman, Field::Amount, "\uFF11\uFF0C\uFF15", "1.5"},
    {kEnglish, Field::Amount, "\uFF11\uFF0C\uFF15", "15"},
    // Letters and numbers that are no decimal digits stay out.
    {kEnglish, Field::Amount, "\u00B2\u2167\u0BF0", ""},
};

// A text pasted (or, where it gives the same, committed by an input method) over the whole of a
// box's text, what the box then holds, and the notice the paste gives: the one that refuses it
// ("Not pasted: ..."), when the box keeps its text, or the line that says which number a text that
// reads as two was taken for.
struct PasteRow {
    Region region;
    Field field;
    std::string_view before;  // the box's text, all of it selected
    std::string_view pasted;  // UTF-8
    std::string_view after;
    std::string_view notice;  // empty when the paste says nothing

    bool Refused() const { return notice.starts_with("Not pasted: "); }
    // Whether an input method's commit of the text gives the same: it leaves no character a
    // key could not type.
    bool AsCommitted() const {
        return Refused() || after.find_first_not_of("0123456789.") == std::string_view::npos;
    }
};

inline constexpr PasteRow kPasteRows[] = {
    // Invisible and direction-changing characters: the box would show another number.
    {kEnglish, Field::Amount, "5", "1\u200B00", "5",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "5", "1\u00AD000", "5",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Rate, "0", "\u200E20", "0",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Rate, "0", "2\u200B0", "0",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "", "\u202E00.05", "",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "", "100\uFE0F", "",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "", "\uFEFF100", "",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "",
     "1\u2028"
     "00",
     "", "Not pasted: it holds invisible or direction-changing characters"},
    // Characters beyond the basic plane are read whole.
    {kEnglish, Field::Amount, "5", "1\U000E0031", "5",
     "Not pasted: it holds invisible or direction-changing characters"},
    {kEnglish, Field::Amount, "", "12\U0001F600", "12\U0001F600", ""},
    // Control characters; only the line break that ends a copied cell is dropped.
    {kEnglish, Field::Amount, "7", "100\t20", "7", "Not pasted: it holds control characters"},
    {kEnglish, Field::Amount, "7", "1\n00", "7", "Not pasted: it holds control characters"},
    {kEnglish, Field::Amount, "7", "100\n\n", "7", "Not pasted: it holds control characters"},
    {kEnglish, Field::Amount, "7", "100\x1b", "7", "Not pasted: it holds control characters"},
    {kEnglish, Field::Amount, "7", "100\u0085", "7", "Not pasted: it holds control characters"},
    {kEnglish, Field::Amount, "", "117\r\n", "117", ""},
    {kEnglish, Field::Rate, "", "17.5\n", "17.5", ""},
    {kGerman, Field::Amount, "", "1.234,56\r\n", "1234.56", ""},
    // Under English settings every other paste goes in as it is.
    {kEnglish, Field::Amount, "", "1,234.56", "1,234.56", ""},
    {kEnglish, Field::Amount, "", "1.234,56", "1.234,56", ""},
    {kEnglish, Field::Rate, "", "19,5", "19,5", ""},
    {kEnglish, Field::Amount, "", "\u20AC 99.90", "\u20AC 99.90", ""},
    {kEnglish, Field::Amount, "", "1 234,56", "1 234,56", ""},
    // A decimal comma: a text that reads whole in the regional form enters in the calculator's.
    {kGerman, Field::Amount, "", "1.234,56", "1234.56", ""},
    {kGerman, Field::Amount, "", "-1.234.567,5", "-1234567.5", ""},
    {kGerman, Field::Amount, "", "1 234,56", "1234.56", ""},
    {kGerman, Field::Amount, "", "1\u00A0234,56", "1234.56", ""},
    {kGerman, Field::Amount, "", "1\u202F234,56", "1234.56", ""},
    {kGerman, Field::Amount, "", " 0,99 ", "0.99", ""},
    {kGerman, Field::Amount, "", "1.234.567", "1234567", ""},
    {kGerman, Field::Rate, "", "19,5", "19.5", ""},
    {kFrench, Field::Amount, "", "1\u202F234,56", "1234.56", ""},
    {kFrench, Field::Amount, "", "1 234 567,89", "1234567.89", ""},
    {kFrench, Field::Rate, "", "5,5", "5.5", ""},
    // ... and a text that does not read whole in it goes in as it is.
    {kGerman, Field::Amount, "", "1234.56", "1234.56", ""},
    {kGerman, Field::Amount, "", "1.5", "1.5", ""},
    {kGerman, Field::Amount, "", "0.500", "0.500", ""},
    {kGerman, Field::Amount, "", "1,234.56", "1,234.56", ""},
    {kGerman, Field::Amount, "", "1.23,4", "1.23,4", ""},
    {kGerman, Field::Amount, "", "1.234 567,8", "1.234 567,8", ""},
    {kGerman, Field::Amount, "", "1,5e3", "1,5e3", ""},
    {kGerman, Field::Amount, "", "12,5 \u20AC", "12,5 \u20AC", ""},
    {kFrench, Field::Amount, "", "1.234,56", "1.234,56", ""},
    // A Swiss apostrophe, either kind, groups the digits before the point.
    {kSwiss, Field::Amount, "", "1'234.56", "1234.56", ""},
    {kSwiss, Field::Amount, "", "1\u2019234\u2019567", "1234567", ""},
    {kSwiss, Field::Amount, "", "1,234.56", "1,234.56", ""},
    {kSwiss, Field::Amount, "", "12'34.5", "12'34.5", ""},
    // A text that reads whole in both forms: as the same number it enters silently; as two, a
    // regional decimal separator takes the regional reading, points only the calculator's, and
    // the notice names the number taken as the region writes it.
    {kGerman, Field::Amount, "", "1234", "1234", ""},
    {kGerman, Field::Amount, "", "1,234", "1.234", "Amount read as 1,234"},
    {kFrench, Field::Amount, "", "1,234", "1.234", "Amount read as 1,234"},
    {kGerman, Field::Amount, "", "1.234", "1.234", "Amount read as 1,234"},
    {kItalian, Field::Rate, "", "17.125", "17.125", "VAT % read as 17,125"},
    // The calculator's own results enter as they are; the notice names one meaning two.
    {kGerman, Field::Amount, "", "18.375", "18.375", "Amount read as 18,375"},
    {kItalian, Field::Amount, "", "2.675", "2.675", "Amount read as 2,675"},
    {kSpanish, Field::Amount, "", "1E-05", "1E-05", ""},
    {kSwiss, Field::Amount, "", "2.675", "2.675", ""},
};

// The mode, the amount and the rate as they stand, and the lines the notice shows after the
// recalculation (none: an empty list).
struct NoticeRow {
    VatMode mode;
    std::string_view amount;
    std::string_view rate;
    std::string_view lines[2];
};

inline constexpr NoticeRow kNoticeRows[] = {
    {VatMode::Inclusive, "117", "17.5", {}},
    // An amount cleared to type a new one is no mistake.
    {VatMode::Inclusive, "", "17.5", {}},
    {VatMode::Inclusive, "  ", "20", {}},
    {VatMode::Exclusive, "", "20", {}},
    {VatMode::Inclusive,
     ".",
     "20",
     {"Type mismatch: the amount is not a number", "Amount read as 0"}},
    {VatMode::Inclusive,
     "1.2.3",
     "20",
     {"Type mismatch: the amount is not a number", "Amount read as 1.2"}},
    {VatMode::Exclusive, "1.2.3", "17.5", {"Amount read as 1.2"}},
    {VatMode::Exclusive, "100", "19,5", {"VAT % read as 19"}},
    {VatMode::Exclusive, "12,34", "20%", {"Amount read as 1234", "VAT % read as 20"}},
    {VatMode::Inclusive,
     "100",
     "-100",
     {"Division by zero: a VAT % of -100 leaves nothing to divide by"}},
    {VatMode::Inclusive,
     "0",
     "-100",
     {"Invalid operation: an amount of 0 at a VAT % of -100 has no VAT"}},
    {VatMode::Exclusive, "1e308", "17.5", {"Overflow: the result is too large"}},
    {VatMode::Exclusive, "1e999", "17.5", {"Overflow: the amount is too large"}},
    {VatMode::Exclusive, "100", "1e999", {"Overflow: the VAT % is too large"}},
    // Too near zero for a double to keep every digit.
    {VatMode::Exclusive, "1e-320", "17.5", {"Amount read as 9.99988867182683E-321"}},
    {VatMode::Exclusive, "100", "-1e-400", {"VAT % read as 0"}},
};

inline std::string_view FieldName(Field field) {
    return field == Field::Amount ? "amount" : "rate";
}

inline std::ostream& operator<<(std::ostream& out, const TypingRow& row) {
    return out << row.region.locale << ' ' << FieldName(row.field) << " typed \"" << row.typed
               << "\" -> \"" << row.boxText << '"';
}

inline std::ostream& operator<<(std::ostream& out, const PasteRow& row) {
    return out << row.region.locale << ' ' << FieldName(row.field) << " \"" << row.before
               << "\" pasted \"" << row.pasted << "\" -> \"" << row.after << "\" notice \""
               << row.notice << '"';
}

inline std::ostream& operator<<(std::ostream& out, const NoticeRow& row) {
    out << (row.mode == VatMode::Inclusive ? "inclusive" : "exclusive") << " \"" << row.amount
        << "\" at \"" << row.rate << "\" ->";
    for (const std::string_view line : row.lines) {
        out << " \"" << line << '"';
    }
    return out;
}

}  // namespace tolvi::test
