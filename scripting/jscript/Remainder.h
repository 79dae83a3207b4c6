#pragma once
// The % operator on numbers: whole operands take integer paths, the rest fmod.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quillo::jscript {

// Remainder by a constant divisor without a division: with m = ceil(2^64 / d), the low
// 64 bits of m * n hold the fraction n / d scaled by 2^64, and multiplying that
// fraction by d gives the remainder in the high word. Exact for every 32-bit n and d.
inline uint64_t fastModMultiplier(uint32_t d) { return UINT64_MAX / d + 1; }

inline uint32_t fastMod(uint32_t n, uint64_t m, uint32_t d) {
    uint64_t fraction = m * n;
    return static_cast<uint32_t>((static_cast<unsigned __int128>(fraction) * d) >> 64);
}

// fastMod with the multiplier as the compiler stores it: two code words after the opcode's.
inline uint32_t fastMod(uint32_t n, const int32_t* multiplier, uint32_t d) {
    uint64_t m;
    std::memcpy(&m, multiplier, sizeof m);
    return fastMod(n, m, d);
}

// x as a 32-bit unsigned whole number: false for negatives (-0 too, whose remainder keeps
// its sign), fractions, NaN and values from 2^32 up.
inline bool asUint32(double x, uint32_t& n) {
    if (std::bit_cast<int64_t>(x) < 0 || !(x < 4294967296.0)) return false;
    n = static_cast<uint32_t>(x);
    return static_cast<double>(n) == x;
}

inline double numberRemainder(double x, double y) {
    uint32_t a, b;
    if (asUint32(x, a) && asUint32(y, b) && b != 0) return static_cast<double>(a % b);
    // Whole non-negative operands up to 2^53: a 64-bit remainder, still exact.
    if (!std::signbit(x) && y > 0 && x < 9007199254740992.0 && y < 9007199254740992.0 &&
        x == static_cast<double>(static_cast<int64_t>(x)) && y == static_cast<double>(static_cast<int64_t>(y)))
        return static_cast<double>(static_cast<int64_t>(x) % static_cast<int64_t>(y));
    return std::fmod(x, y);
}

}  // namespace quillo::jscript
