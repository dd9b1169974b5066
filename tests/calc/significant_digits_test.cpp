#include "calc/significant_digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "tests/support/random_doubles.h"

namespace tolvi {
namespace {

// What the C library's exact conversion gives: d.dddddddddddddde±X.
std::string Exact(double magnitude) {
    char text[40];
    const char* end = std::to_chars(text, text + sizeof text, magnitude,
                                    std::chars_format::scientific, SignificantDigits::kCount - 1)
                          .ptr;
    return std::string(static_cast<const char*>(text), end);
}

std::string Written(const SignificantDigits& s) {
    char digits[SignificantDigits::kCount];
    s.WriteDigits(digits);
    std::string text(1, digits[0]);
    text += '.';
    text.append(digits + 1, SignificantDigits::kCount - 1);
    char exponent[8];
    text += 'e';
    text += s.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(s.exponent);
    if (magnitude < 10) {
        text += '0';
    }
    text.append(exponent, std::to_chars(exponent, exponent + sizeof exponent, magnitude).ptr);
    return text;
}

// Both ways to the digits give the C library's exact conversion.
void ExpectExact(double value) {
    for (const SignificantDigits& s : {ToSignificantDigits(value), ExactSignificantDigits(value)}) {
        EXPECT_EQ(Written(s), Exact(std::fabs(value))) << value;
        EXPECT_EQ(s.negative, std::signbit(value));
    }
}

TEST(SignificantDigits, AgreeWithTheExactConversionEverywhere) {
    test::ForRandomDoubles(12345, 300'000, [](double value) {
        if (value != 0) {
            ExpectExact(value);
        }
    });
}

TEST(SignificantDigits, AgreeWithTheExactConversionForEverydayAmounts) {
    // Log-uniform from 1e-6 to 1e16, and values a few units of the last place around ties.
    std::mt19937_64 random(54321);
    std::uniform_real_distribution<double> decades(-6.0, 16.0);
    for (int i = 0; i < 300'000; ++i) {
        ExpectExact(std::pow(10.0, decades(random)));
    }
    for (const double tie : {0.5, 2.675, 104.995, 1e-5, 9.999999999999995, 99999999999999.95,
                             999999999999999.5, 1e15, 123.4567890123455, 0.30000000000000004}) {
        double value = tie;
        for (int step = 0; step < 8; ++step) {
            value = std::nextafter(value, 0.0);
        }
        for (int step = 0; step < 16; ++step, value = std::nextafter(value, 1e300)) {
            ExpectExact(value);
        }
    }
}

TEST(SignificantDigits, Zero) {
    const SignificantDigits s = ToSignificantDigits(-0.0);
    EXPECT_TRUE(s.IsZero());
    EXPECT_TRUE(s.negative);
}

}  // namespace
}  // namespace tolvi
