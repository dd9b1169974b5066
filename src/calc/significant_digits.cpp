#include "calc/significant_digits.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/checked_arithmetic.h"

namespace tolvi {

namespace {

constexpr int kCount = SignificantDigits::kCount;

// Splits "d.ddde+XX" into its digits and exponent. Returns the number of digits.
int ParseScientific(const char* text, const char* end, char* digits, int capacity, int& exponent) {
    const char* mark = std::find(text, end, 'e');
    int count = 0;
    for (const char* p = text; p != mark && count < capacity; ++p) {
        if (*p != '.') {
            digits[count++] = *p;
        }
    }
    const char* power = mark + 1;
    std::from_chars(*power == '+' ? power + 1 : power, end, exponent);
    return count;
}

// Rounds the first 15 of these digits up by one unit in the last place.
void RoundUp(SignificantDigits& s) {
    int i = kCount - 1;
    while (i >= 0 && s.digits[i] == '9') {
        s.digits[i--] = '0';
    }
    if (i >= 0) {
        ++s.digits[i];
    } else {
        s.digits[0] = '1';  // 9.99...9 became 10.00...0
        ++s.exponent;
    }
}

__extension__ typedef unsigned __int128 Uint128;

// Values from 1e-5 up to 1e15 are m times 2 to the power -shift exactly, with m below 2^53 and
// shift from 3 to 70; m times a power of ten below 2^64 fits in 128 bits, so the 15 digits
// come out exactly, ties to even, as the C library writes them. Returns false outside.
bool ExactFifteenDigits(double magnitude, SignificantDigits& s) {
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) {
        return false;
    }
    static constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                                     10ULL,
                                                     100ULL,
                                                     1000ULL,
                                                     10000ULL,
                                                     100000ULL,
                                                     1000000ULL,
                                                     10000000ULL,
                                                     100000000ULL,
                                                     1000000000ULL,
                                                     10000000000ULL,
                                                     100000000000ULL,
                                                     1000000000000ULL,
                                                     10000000000000ULL,
                                                     100000000000000ULL,
                                                     1000000000000000ULL,
                                                     10000000000000000ULL,
                                                     100000000000000000ULL,
                                                     1000000000000000000ULL,
                                                     10000000000000000000ULL};
    constexpr std::uint64_t kSmallest = 100000000000000ULL;   // 10^14
    constexpr std::uint64_t kTooLarge = 1000000000000000ULL;  // 10^15
    // A normal double is 1.f times 2^(biased - 1023): m = 1f, 52 bits after the point.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;  // magnitude = m / 2^shift
    const Uint128 one = 1;
    const Uint128 half = one << (shift - 1);
    const Uint128 below = (one << shift) - 1;

    // floor(log10(2^(biased - 1023))): the decimal exponent, or one less.
    int exponent = ((biased - 1023) * 1233) >> 12;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - exponent;  // the power of ten that brings 15 digits before the point
        if (k < 0 || k > 19) {
            return false;
        }
        const Uint128 scaled = m * static_cast<Uint128>(kPowersOfTen[k]);
        auto digits = static_cast<std::uint64_t>(scaled >> shift);
        if (digits >= kTooLarge) {
            ++exponent;
            continue;
        }
        if (digits < kSmallest) {
            --exponent;
            continue;
        }
        const Uint128 rest = scaled & below;
        if (rest > half || (rest == half && (digits & 1) != 0)) {
            ++digits;
        }
        if (digits == kTooLarge) {
            digits = kSmallest;  // 9.99...95 became 10.0...0
            ++exponent;
        }
        for (int i = kCount - 1; i >= 0; --i) {
            s.digits[i] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
        s.exponent = exponent;
        return true;
    }
    return false;
}

}  // namespace

SignificantDigits ToSignificantDigits(double value) {
    Tested(value);
    SignificantDigits result;
    result.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    std::fill(result.digits, result.digits + kCount, '0');
    if (magnitude == 0.0 || ExactFifteenDigits(magnitude, result)) {
        return result;
    }
    // The shortest text that reads back as the value lies within half a unit of the value's
    // last binary place. For a normal double that is at most 11.1 units of the 17th decimal
    // digit, far less than the distance between two 15-digit decimals: with at most 15
    // digits it is the nearest 15-digit decimal, and with 16 or 17 digits it rounds to it
    // whenever its digits beyond the 15th stay more than 12 units of the 17th digit away
    // from the halfway point.
    if (magnitude >= std::numeric_limits<double>::min()) {
        char text[32];
        const char* end =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
        char digits[17];
        const int count = ParseScientific(text, end, digits, 17, result.exponent);
        std::copy(digits, digits + std::min(count, kCount), result.digits);
        if (count <= kCount) {
            return result;
        }
        const int beyond = (digits[15] - '0') * 10 + (count == 17 ? digits[16] - '0' : 0);
        if (beyond < 50 - 12) {
            return result;
        }
        if (beyond > 50 + 12) {
            RoundUp(result);
            return result;
        }
    }
    // Near a tie, or a subnormal value with too few bits for that argument: round the exact
    // binary value to 15 digits.
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, magnitude,
                                    std::chars_format::scientific, kCount - 1)
                          .ptr;
    ParseScientific(text, end, result.digits, kCount, result.exponent);
    return result;
}

}  // namespace tolvi
