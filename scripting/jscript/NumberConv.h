#pragma once
// Number <-> text as ECMAScript defines it: shortest round-trip digits for ToString,
// the fixed/exponential/precision formats, and ToNumber on strings.

#include <string>
#include <string_view>

namespace quillo::jscript {

std::u16string numberToString(double d);
// Appends ToString(d) to `out`; whole numbers in int32 range skip the general path.
void appendNumber(std::u16string& out, double d);
std::u16string numberToStringRadix(double d, int radix);
// `digits` already range-checked by the caller. JScript's toFixed shows zeros when
// the value is smaller than the last shown digit (0.5.toFixed(0) is "0").
std::u16string formatFixed(double d, int digits);
// digits < 0: as many as needed.
std::u16string formatExponential(double d, int digits);
std::u16string formatPrecision(double d, int precision);
// ToNumber of a string: blanks around, decimal, 0x hex, Infinity; NaN otherwise.
double stringToNumber(std::u16string_view s);

}  // namespace quillo::jscript
