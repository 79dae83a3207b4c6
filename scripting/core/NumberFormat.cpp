// Numbers to text as CStr shows them.
#include "scripting/core/Convert.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quillo::script {

std::u16string formatNumber(double value, int digits)
{
    if (std::isnan(value))
        return u"NaN";
    if (std::isinf(value))
        return value < 0 ? u"-Infinity" : u"Infinity";
    if (value == 0)
        return u"0"; // negative zero too

    // Whole numbers with no more digits than asked for print as integers (the common
    // case of counters held in Doubles); skips the general formatting below.
    const double limit = digits >= 15 ? 1e15 : std::pow(10.0, digits);
    if (std::fabs(value) < limit && std::trunc(value) == value) {
        const std::string s = std::to_string(int64_t(value));
        return std::u16string(s.begin(), s.end());
    }

    // Correctly rounded to `digits` significant digits: "d.dddde+XX".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                   digits - 1);
    std::string sci(buf, res.ptr);
    const size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    const bool negative = sci[0] == '-';
    std::string mantissa;
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (sci[i] != '.')
            mantissa += sci[i];
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= digits || exponent < -4) {
        out += mantissa[0];
        if (mantissa.size() > 1) {
            out += '.';
            out.append(mantissa, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int e = std::abs(exponent);
        if (e < 10)
            out += '0';
        out += std::to_string(e);
    } else if (exponent < 0) {
        out += "0.";
        out.append(size_t(-exponent - 1), '0');
        out += mantissa;
    } else {
        const size_t intDigits = size_t(exponent) + 1;
        if (mantissa.size() <= intDigits) {
            out += mantissa;
            out.append(intDigits - mantissa.size(), '0');
        } else {
            out.append(mantissa, 0, intDigits);
            out += '.';
            out.append(mantissa, intDigits);
        }
    }
    return std::u16string(out.begin(), out.end());
}

std::u16string formatCurrency(int64_t scaled)
{
    const bool negative = scaled < 0;
    const uint64_t magnitude = negative ? 0 - uint64_t(scaled) : uint64_t(scaled);
    std::string out = negative ? "-" : "";
    out += std::to_string(magnitude / 10000);
    uint64_t frac = magnitude % 10000;
    if (frac) {
        std::string f = std::to_string(frac);
        f.insert(0, 4 - f.size(), '0');
        while (f.back() == '0')
            f.pop_back();
        out += '.';
        out += f;
    }
    return std::u16string(out.begin(), out.end());
}

} // namespace quillo::script
