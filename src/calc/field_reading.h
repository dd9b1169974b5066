#pragma once

#include <string>
#include <string_view>

namespace tolvi {

// The two texts the calculation reads numbers from: the amount, read with its commas taken out,
// and the rate, read as it stands.
enum class Field { Amount, Rate };

// How much of a text the calculation's reading takes as the number it means.
enum class ReadingExtent {
    Empty,  // nothing but blanks: read as 0
    Whole,  // one number and nothing else
    Part,   // the reading takes a number from it and leaves or drops the rest
    // One number and nothing else, not zero but nearer zero than the smallest normal double:
    // the reading keeps fewer of its digits (1e-320 reads as 9.99988867182683E-321), or none
    // (1e-400 reads as 0).
    TooSmall,
};

struct FieldReading {
    ReadingExtent extent = ReadingExtent::Empty;
    // The value the calculation reads, as NumberToText writes it ("1.2" for "1.2.3", "0" for
    // "€100"); empty when the number is too large for a double.
    std::string value;
};

// A text is read whole when, blanks around it aside, it is an optional sign, digits with at most
// one point, and an optional exponent (E or D, either case, an optional sign, digits), with no
// blank inside. An amount may group the digits before its point in threes with commas
// (1,234.56), its first group not starting with 0; any other comma (1.234,56, 12,5, 0,500) is
// dropped by the amount reading and makes the reading a part one. A rate is read only up to a
// comma. A number so near zero that a double cannot hold it with all its digits is read whole
// no more: its extent is TooSmall.
FieldReading ReadField(std::string_view text, Field field);

// ReadField's extent alone, without the value.
ReadingExtent ExtentOfReading(std::string_view text, Field field);

// The notice's line that says how a field's text was read: "Amount read as 1.2",
// "VAT % read as 19".
std::string ReadAsLine(Field field, std::string_view value);

}  // namespace tolvi
