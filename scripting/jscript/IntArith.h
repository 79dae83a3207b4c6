#pragma once
// Arithmetic on the int32 shadows of whole numbers. Each returns false when the exact
// result is not an int32 other than -0; the caller then computes on the doubles.

#include <cstdint>

namespace quillo::jscript {

inline bool intAdd(int32_t a, int32_t b, int32_t& r) { return !__builtin_add_overflow(a, b, &r); }

inline bool intSub(int32_t a, int32_t b, int32_t& r) { return !__builtin_sub_overflow(a, b, &r); }

// A zero product with a negative factor is -0.
inline bool intMul(int32_t a, int32_t b, int32_t& r) {
    return !__builtin_mul_overflow(a, b, &r) && (r != 0 || (a | b) >= 0);
}

// The remainder takes the dividend's sign, so a zero from a negative dividend is -0;
// INT32_MIN % -1 traps in hardware.
inline bool intMod(int32_t a, int32_t b, int32_t& r) {
    if (b == 0 || (b == -1 && a == INT32_MIN)) return false;
    r = a % b;
    return r != 0 || a >= 0;
}

// a + b * k without rounding: exact in 64 bits for any int32 operands.
inline int64_t intAddMul(int32_t a, int32_t b, int32_t k) {
    return static_cast<int64_t>(a) + static_cast<int64_t>(b) * k;
}

// The int path of operators that have none (division): always falls back to the doubles.
inline bool noIntPath(int32_t, int32_t, int32_t&) { return false; }

inline bool fitsInt32(int64_t v) { return v == static_cast<int32_t>(v); }

}  // namespace quillo::jscript
