#include "scripting/vbscript/library/FixedFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillo::vbscript::library {

namespace {

// The decimal digits of |value| rounded to `decimals` places, as integer part and
// fraction part (exactly `decimals` digits).
void roundedDigits(double magnitude, int decimals, std::string& whole, std::string& fraction)
{
    // 15 significant digits, as the value shows when converted to text.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    std::string mantissa;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa.push_back(*p);
    const int exponent = std::atoi(p + 1);
    // digits[i] has place value 10^(exponent - i); lay them out around the point.
    const int wholeCount = exponent + 1;
    std::string all;    // whole digits followed by the fraction digits, no point
    if (wholeCount <= 0) {
        all.assign(1, '0');
        all.append(size_t(-wholeCount), '0');
        all += mantissa;
    } else if (wholeCount >= int(mantissa.size())) {
        all = mantissa;
        all.append(size_t(wholeCount) - mantissa.size(), '0');
    } else {
        all = mantissa;
    }
    const size_t pointAt = wholeCount <= 0 ? 1 : size_t(wholeCount);
    const size_t keep = pointAt + size_t(decimals);
    if (all.size() < keep)
        all.append(keep - all.size(), '0');
    const bool roundUp = all.size() > keep && all[keep] >= '5';
    all.resize(keep);
    if (roundUp) {
        size_t i = keep;
        while (i > 0) {
            --i;
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                break;
            }
            if (i == 0) {
                all.insert(all.begin(), '1');
                break;
            }
        }
    }
    const size_t wholeDigits = all.size() - size_t(decimals);
    whole = all.substr(0, wholeDigits);
    fraction = all.substr(wholeDigits);
    const size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
}

std::string grouped(const std::string& digits)
{
    std::string result;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result.push_back(',');
        result.push_back(digits[i]);
    }
    return result;
}

} // namespace

std::u16string formatFixed(double value, const FixedFormat& format)
{
    if (std::isnan(value))
        return u"NaN";
    if (std::isinf(value))
        return value < 0 ? u"-Infinity" : u"Infinity";
    std::string whole;
    std::string fraction;
    roundedDigits(std::fabs(value), format.decimals, whole, fraction);
    const bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    const bool negative = value < 0 && !zero;

    std::u16string text;
    const bool signAfterPrefix = format.signAfterPrefix && !format.parentheses;
    if (negative && !signAfterPrefix)
        text += format.parentheses ? u"(" : u"-";
    text += format.prefix;
    if (negative && signAfterPrefix)
        text += u"-";
    if (whole.empty()) {
        if (format.leadingDigit || fraction.empty())
            text.push_back(u'0');
    } else {
        for (char c : format.grouping ? grouped(whole) : whole)
            text.push_back(c == ',' ? format.group : char16_t(c));
    }
    if (!fraction.empty()) {
        text.push_back(format.decimal);
        for (char c : fraction)
            text.push_back(char16_t(c));
    }
    text += format.suffix;
    if (negative && format.parentheses)
        text += u")";
    return text;
}

} // namespace quillo::vbscript::library
