#include "calc/significant_digits.h"

#include <array>
#include <cmath>
#include <cstring>

#include "calc/checked_arithmetic.h"

namespace tolvi {

namespace {

constexpr int kCount = SignificantDigits::kCount;
constexpr std::uint64_t kSmallest = 100'000'000'000'000ULL;    // 10^14
constexpr std::uint64_t kTooLarge = 1'000'000'000'000'000ULL;  // 10^15

// A double's magnitude as m times 2 to the power e, m a whole number below 2^53.
struct Binary {
    std::uint64_t m;
    int e;
};

Binary Decompose(double magnitude) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) {
        return {fraction, -1074};  // subnormal
    }
    return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// Rounds `whole`, which holds more than 15 digits' worth once its tail is known, to 15 digits:
// `above` tells whether the dropped tail is below, at or above one half of the last kept unit.
void RoundInto(SignificantDigits& s, std::uint64_t whole, int exponent, int above) {
    if (above > 0 || (above == 0 && (whole & 1) != 0)) {
        ++whole;
    }
    if (whole == kTooLarge) {  // 9.99...95 became 10.0...0
        whole = kSmallest;
        ++exponent;
    }
    s.whole = whole;
    s.exponent = exponent;
}

// The exact decimal expansion of the double, as a whole number in limbs of nine decimal digits,
// least significant first; the value is that number divided by ten to `fractionDigits`.
class ExactExpansion {
  public:
    explicit ExactExpansion(Binary b) {
        constexpr std::uint32_t kBase = 1'000'000'000;
        limbs_[0] = static_cast<std::uint32_t>(b.m % kBase);
        limbs_[1] = static_cast<std::uint32_t>(b.m / kBase);
        count_ = limbs_[1] != 0 ? 2 : 1;
        // m times 2^e is m times 5^-e over 10^-e when e is negative.
        for (int left = b.e; left > 0; left -= 29) {
            Multiply(std::uint32_t{1} << (left < 29 ? left : 29));
        }
        for (int left = -b.e; left > 0; left -= 13) {
            constexpr std::uint32_t kPowersOfFive[] = {
                1,     5,      25,      125,     625,      3125,      15625,
                78125, 390625, 1953125, 9765625, 48828125, 244140625, 1220703125};
            Multiply(kPowersOfFive[left < 13 ? left : 13]);
        }
        fractionDigits_ = b.e < 0 ? -b.e : 0;
    }

    // Rounds the expansion to 15 significant digits.
    SignificantDigits Round() const {
        char digits[kMaxLimbs * 9];
        int length = 0;
        for (int i = count_ - 1; i >= 0; --i) {
            std::uint32_t limb = limbs_[i];
            char nine[9];
            for (int d = 8; d >= 0; --d) {
                nine[d] = static_cast<char>('0' + limb % 10);
                limb /= 10;
            }
            for (const char c : nine) {
                if (length > 0 || c != '0') {
                    digits[length++] = c;
                }
            }
        }
        SignificantDigits s;
        if (length == 0) {
            return s;
        }
        const int exponent = length - 1 - fractionDigits_;
        std::uint64_t whole = 0;
        for (int i = 0; i < kCount; ++i) {
            whole = whole * 10 + static_cast<std::uint64_t>(i < length ? digits[i] - '0' : 0);
        }
        int above = -1;  // the tail against one half
        if (length > kCount) {
            above = digits[kCount] > '5' ? 1 : digits[kCount] < '5' ? -1 : 0;
            for (int i = kCount + 1; above == 0 && i < length; ++i) {
                above = digits[i] != '0' ? 1 : 0;
            }
        }
        RoundInto(s, whole, exponent, above);
        return s;
    }

  private:
    // 2^971 has 293 digits, 2^53 times 5^1074 has 767.
    static constexpr int kMaxLimbs = 88;

    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (int i = 0; i < count_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product % 1'000'000'000);
            carry = product / 1'000'000'000;
        }
        while (carry != 0) {
            limbs_[count_++] = static_cast<std::uint32_t>(carry % 1'000'000'000);
            carry /= 1'000'000'000;
        }
    }

    std::array<std::uint32_t, kMaxLimbs> limbs_{};
    int count_ = 0;
    int fractionDigits_ = 0;
};

__extension__ typedef unsigned __int128 Uint128;

// Values from 1e-5 up to 1e15 are m times 2 to the power -shift exactly, with m below 2^53 and
// shift from 3 to 70; m times a power of ten below 2^64 fits in 128 bits, so the 15 digits come
// out exactly, ties to even, without the long expansion. Returns false outside.
bool FastFifteenDigits(double magnitude, SignificantDigits& s) {
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
    const Binary b = Decompose(magnitude);
    const int shift = -b.e;  // magnitude = m / 2^shift
    const Uint128 one = 1;
    const Uint128 half = one << (shift - 1);
    const Uint128 below = (one << shift) - 1;

    // floor(log10(2^(e + 52))): the decimal exponent, or one less.
    int exponent = ((b.e + 52) * 1233) >> 12;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - exponent;  // the power of ten that brings 15 digits before the point
        if (k < 0 || k > 19) {
            return false;
        }
        const Uint128 scaled = b.m * static_cast<Uint128>(kPowersOfTen[k]);
        const auto whole = static_cast<std::uint64_t>(scaled >> shift);
        if (whole >= kTooLarge) {
            ++exponent;
            continue;
        }
        if (whole < kSmallest) {
            --exponent;
            continue;
        }
        const Uint128 rest = scaled & below;
        RoundInto(s, whole, exponent, rest > half ? 1 : rest < half ? -1 : 0);
        return true;
    }
    return false;
}

}  // namespace

void SignificantDigits::WriteDigits(char* digits) const {
    // Seven digits, then eight, each in 32 bits, two at a time.
    static constexpr auto kPairs = [] {
        std::array<char, 200> pairs{};
        for (std::size_t i = 0; i < 100; ++i) {
            pairs[2 * i] = static_cast<char>('0' + i / 10);
            pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
        return pairs;
    }();
    const auto write = [](char* end, std::uint32_t part, int count) {
        for (; count >= 2; count -= 2) {
            end -= 2;
            std::memcpy(end, &kPairs[std::size_t{2} * (part % 100)], 2);
            part /= 100;
        }
        if (count == 1) {
            *--end = static_cast<char>('0' + part);
        }
    };
    write(digits + 7, static_cast<std::uint32_t>(whole / 100'000'000), 7);
    write(digits + kCount, static_cast<std::uint32_t>(whole % 100'000'000), 8);
}

SignificantDigits ExactSignificantDigits(double value) {
    Tested(value);
    SignificantDigits s = ExactExpansion(Decompose(std::fabs(value))).Round();
    s.negative = std::signbit(value);
    return s;
}

SignificantDigits ToSignificantDigits(double value) {
    Tested(value);
    SignificantDigits s;
    const double magnitude = std::fabs(value);
    // Everyday magnitudes the short way: the batch benchmark takes 2.8 times the CPU without it.
    if (magnitude != 0 && !FastFifteenDigits(magnitude, s)) {
        s = ExactExpansion(Decompose(magnitude)).Round();
    }
    s.negative = std::signbit(value);
    return s;
}

}  // namespace tolvi
