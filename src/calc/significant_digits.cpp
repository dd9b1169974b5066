#include "calc/significant_digits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "calc/checked_arithmetic.h"
#include "calc/scientific_text.h"

namespace tolvi {

namespace {

constexpr int kCount = SignificantDigits::kCount;

__extension__ typedef unsigned __int128 Uint128;

// Values from 1e-5 up to 1e15 are m times 2 to the power -shift exactly, with m below 2^53 and
// shift from 3 to 70; m times a power of ten below 2^64 fits in 128 bits, so the 15 digits
// come out exactly, ties to even, as the C library writes them. Returns false outside.
bool ExactFifteenDigits(double magnitude, SignificantDigits& s) {
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) {
        return false;
    }
    static constexpr auto kPowersOfTen = [] {
        std::array<std::uint64_t, 20> powers{};  // 10^19 is the largest below 2^64
        powers[0] = 1;
        for (std::size_t i = 1; i < powers.size(); ++i) {
            powers[i] = powers[i - 1] * 10;
        }
        return powers;
    }();
    constexpr std::uint64_t kSmallest = 100000000000000ULL;   // 10^14
    constexpr std::uint64_t kTooLarge = 1000000000000000ULL;  // 10^15
    // A normal double is 1.f times 2^(biased - 1023): m = 1f, 52 bits after the point.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
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
    // Beyond everyday magnitudes: the library's exact conversion.
    char text[32];
    const char* end = WriteScientific(text, magnitude, kCount - 1);
    SplitScientific(text, end, result.digits, kCount, result.exponent);
    return result;
}

int SplitScientific(const char* text, const char* end, char* digits, int capacity, int& exponent) {
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

}  // namespace tolvi
