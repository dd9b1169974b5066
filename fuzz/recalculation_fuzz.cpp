// Arbitrary text as amount and rate, in both modes, and to Val and FormatNumber. Checks:
// - passing a value through text is Val of StrR8, and twice gives what once gives;
// - FormatNumber of its own output gives that output again;
// - after a complete recalculation the rounded VAT is FormatNumber of the VAT caption;
// - the amount reading is Val of the text with its commas removed.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/calc_error.h"
#include "calc/format_number.h"
#include "calc/fresh_recalculation.h"
#include "calc/str_r8.h"
#include "calc/val.h"

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
        value = Val(text);
    } catch (const CalcError&) {
        return;
    }
    // Through text is Val of StrR8, and a second pass changes nothing; both may overflow.
    const auto through = [&](double v) {
        try {
            return ThroughText(v, format);
        } catch (const CalcError&) {
            return __builtin_nan("");
        }
    };
    const auto written = [&](double v) {
        try {
            return Val(StrR8(v, format));
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
    const std::string withoutCommas = Replace(text, ",", "");
    const double replaced = ReadOrNan(Val, withoutCommas);
    Require(std::memcmp(&direct, &replaced, sizeof direct) == 0);
}

void CheckFormatNumber(std::string_view text, const NumberFormat& format) {
    std::string formatted;
    try {
        formatted = FormatNumber(text, format);
    } catch (const CalcError&) {
        return;
    }
    Require(FormatNumber(formatted, format) == formatted);
}

void CheckRecalculation(VatMode mode, std::string_view amount, std::string_view rate,
                        const NumberFormat& format) {
    const RecalculationOutcome outcome = RecalculateFresh(mode, amount, rate, format);
    if (!outcome.error) {
        Require(outcome.fields.roundedVat == FormatNumber(outcome.fields.vatCaption, format));
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
    for (const NumberFormat& format : {NumberFormat{}, comma}) {
        CheckThroughText(input, format);
        CheckFormatNumber(input, format);
        CheckRecalculation(VatMode::Inclusive, amount, rate, format);
        CheckRecalculation(VatMode::Exclusive, amount, rate, format);
    }
    return 0;
}
