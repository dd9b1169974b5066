// Arbitrary text as amount and rate, in both modes, and to the readings and FormatForDisplay.
// Checks:
// - passing a value through text is ReadNumber of NumberToText, and twice gives what once gives;
// - FormatForDisplay of its own output gives that output again;
// - after a complete recalculation the rounded VAT is FormatForDisplay of the unrounded VAT;
// - the amount reading is ReadNumber of the text with its commas taken out;
// - a text taken from outside under any regional settings fits its box, holds no control or
//   invisible character, and where it was turned into the calculator's form reads whole there.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/display_form.h"
#include "calc/field_length.h"
#include "calc/field_reading.h"
#include "calc/number_reading.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "calc/text_entry.h"
#include "calc/unicode_text.h"

namespace {

using namespace tolvi;

void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

void CheckThroughText(std::string_view text, const NumberFormat& format) {
    double value = 0;
    try {
        value = ReadNumber(text);
    } catch (const CalcError&) {
        return;
    }
    // Through text is ReadNumber of NumberToText, and a second pass changes nothing; both may
    // overflow.
    const auto through = [&](double v) {
        try {
            return ThroughText(v, format);
        } catch (const CalcError&) {
            return __builtin_nan("");
        }
    };
    const auto written = [&](double v) {
        try {
            return ReadNumber(NumberToText(v, format));
        } catch (const CalcError&) {
            return __builtin_nan("");
        }
    };
    const double once = through(value);
    const double read = written(value);
    Require(std::memcmp(&once, &read, sizeof once) == 0 || (once == 0 && read == 0));
    if (!std::isnan(once)) {
        const double twice = through(once);
        Require(std::memcmp(&once, &twice, sizeof once) == 0 || (once == 0 && twice == 0));
    }
}

double ReadOrNan(double (*read)(std::string_view), std::string_view text) {
    try {
        return read(text);
    } catch (const CalcError&) {
        return __builtin_nan("");
    }
}

void CheckAmountReading(std::string_view text) {
    const double direct = ReadOrNan(ReadAmount, text);
    std::string withoutCommas(text);
    std::erase(withoutCommas, ',');
    const double replaced = ReadOrNan(ReadNumber, withoutCommas);
    Require(std::memcmp(&direct, &replaced, sizeof direct) == 0);
}

void CheckFormatForDisplay(std::string_view text, const NumberFormat& format) {
    std::string formatted;
    try {
        formatted = FormatForDisplay(text, format);
    } catch (const CalcError&) {
        return;
    }
    Require(FormatForDisplay(formatted, format) == formatted);
}

void CheckRecalculation(VatMode mode, std::string_view amount, std::string_view rate) {
    const Recalculation done = Recalculate(amount, rate, mode);
    if (!done.error) {
        Require(done.results.roundedVat ==
                FormatForDisplay(done.results.unroundedVat, NumberFormat{}));
    }
}

void CheckTextFromOutside(std::string_view text, const NumberFormat& regional) {
    for (const Field field : {Field::Amount, Field::Rate}) {
        const TextFromOutside taken = TakeTextFromOutside(text, field, regional, 0, 0);
        if (taken.Refused()) {
            Require(taken.text.empty());
            continue;
        }
        Require(Utf16Length(taken.text) <= static_cast<std::size_t>(kMaxFieldLength));
        Utf8Reader reader(taken.text);
        for (char32_t code = 0; reader.Next(code);) {
            Require(code != Utf8Reader::kMalformed && !IsControlCharacter(code) &&
                    !IsInvisibleCharacter(code));
        }
        // A text converted, or taken as one of two numbers, is one number and nothing else.
        if ((taken.text != text && !text.ends_with('\n') && !text.ends_with('\r')) ||
            !taken.readAs.empty()) {
            const ReadingExtent extent = ExtentOfReading(taken.text, field);
            Require(extent == ReadingExtent::Whole || extent == ReadingExtent::TooSmall);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto tab = input.find('\t');
    const std::string_view amount = input.substr(0, tab);
    const std::string_view rate = tab == std::string_view::npos ? "17.5" : input.substr(tab + 1);

    CheckAmountReading(input);
    NumberFormat comma;
    comma.decimalSeparator = ",";
    comma.groupSeparator = ".";
    NumberFormat french = comma;
    french.groupSeparator = "\u202F";
    NumberFormat swiss;
    swiss.groupSeparator = "\u2019";
    for (const NumberFormat& regional : {comma, french, swiss}) {
        CheckTextFromOutside(input, regional);
    }
    for (const NumberFormat& format : {NumberFormat{}, comma}) {
        CheckThroughText(input, format);
        CheckFormatForDisplay(input, format);
    }
    CheckRecalculation(VatMode::Inclusive, amount, rate);
    CheckRecalculation(VatMode::Exclusive, amount, rate);
    return 0;
}
