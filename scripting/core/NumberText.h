#pragma once
// Reading numbers from text the way the automation runtime does (en-US).

#include <string_view>

namespace quillo::script {

enum class NumberParse { Ok, Invalid, Overflow };

// Parses blanks, sign, "$", digits with thousands separators, a decimal point, an
// exponent, or "&H" / "&O" forms (Integer or Long bit patterns, Overflow beyond 32 bits).
NumberParse parseNumberText(std::u16string_view text, double& out);

} // namespace quillo::script
