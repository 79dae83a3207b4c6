#pragma once
// Fixed-point number text for FormatNumber, FormatCurrency and FormatPercent: by default
// "." for decimals and "," between groups of three, as in English (United States).

#include <string>

namespace quillo::vbscript::library {

struct FixedFormat {
    int decimals = 2;
    bool leadingDigit = true;   // "0.5" rather than ".5"
    bool parentheses = false;   // "(5.00)" rather than "-5.00"
    bool signAfterPrefix = false; // "$-5.00" rather than "-$5.00" (without parentheses)
    bool grouping = true;       // "1,234" rather than "1234"
    char16_t decimal = u'.';
    char16_t group = u',';
    std::u16string prefix;      // "$"
    std::u16string suffix;      // "%"
};

// `value` rounded to `format.decimals` places, halves away from zero, on its 15-digit
// decimal form. A value that rounds to zero shows no sign.
std::u16string formatFixed(double value, const FixedFormat& format);

} // namespace quillo::vbscript::library
