#pragma once

// Doubles of every exponent and both signs, for checking a conversion against another.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace tolvi::test {

// Runs `check` on each finite double among `count` random bit patterns drawn from `seed`.
template <typename Check>
void ForRandomDoubles(std::uint64_t seed, int count, Check check) {
    std::mt19937_64 random(seed);
    for (int i = 0; i < count; ++i) {
        double value = 0;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            check(value);
        }
    }
}

}  // namespace tolvi::test
