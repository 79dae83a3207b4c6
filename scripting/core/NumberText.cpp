#include "scripting/core/NumberText.h"

#include "scripting/core/Text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace quillo::script {

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// "&H1F", "&O17", "&17": up to 4 hex digits (6 octal) read as a 16-bit Integer,
// up to 8 hex digits (11 octal) as a 32-bit Long, as the language's literals are.
NumberParse parseRadix(std::u16string_view s, double& out)
{
    int radix = 8;
    size_t i = 1;
    if (i < s.size() && (s[i] == u'H' || s[i] == u'h'))
        radix = 16, ++i;
    else if (i < s.size() && (s[i] == u'O' || s[i] == u'o'))
        ++i;
    if (i >= s.size())
        return NumberParse::Invalid;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        int d;
        if (isDigit(c))
            d = c - u'0';
        else if (radix == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (radix == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return NumberParse::Invalid;
        if (d >= radix)
            return NumberParse::Invalid;
        value = value * uint64_t(radix) + uint64_t(d);
        if (value > 0xFFFFFFFFull)
            return NumberParse::Overflow;
    }
    if (value <= 0xFFFF)
        out = double(int16_t(uint16_t(value)));
    else
        out = double(int32_t(uint32_t(value)));
    return NumberParse::Ok;
}

// The power of ten of the leading digit of "ddd.ddde[+-]dd" (positive: large,
// negative: small), to tell overflow from underflow when from_chars gives up.
int64_t decimalMagnitude(const std::string& ascii)
{
    const size_t e = ascii.find('e');
    const std::string_view mantissa = std::string_view(ascii).substr(0, e);
    int64_t exponent = 0;
    if (e != std::string::npos) {
        size_t k = e + 1;
        const bool negative = ascii[k] == '-';
        if (ascii[k] == '-' || ascii[k] == '+')
            ++k;
        for (; k < ascii.size() && exponent < 1000000000; ++k)
            exponent = exponent * 10 + (ascii[k] - '0');
        if (negative)
            exponent = -exponent;
    }
    const size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos)
        return int64_t(whole.size() - firstWhole) - 1 + exponent;
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    const size_t firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos)
        return INT64_MIN / 2; // all zeros
    return -int64_t(firstFraction) - 1 + exponent;
}

} // namespace

NumberParse parseNumberText(std::u16string_view text, double& out)
{
    std::u16string_view s = trimBlanks(text);
    if (s.empty())
        return NumberParse::Invalid;
    if (s[0] == u'&')
        return parseRadix(s, out);

    // Copy the number's characters to ASCII for from_chars, dropping thousands
    // separators and the currency sign.
    std::string ascii;
    ascii.reserve(s.size());
    size_t i = 0;
    bool negative = false;
    if (s[i] == u'+' || s[i] == u'-') {
        negative = s[i] == u'-';
        ++i;
        while (i < s.size() && isBlank(s[i]))
            ++i;
    }
    if (i < s.size() && s[i] == u'$') {
        ++i;
        while (i < s.size() && isBlank(s[i]))
            ++i;
    }
    int digits = 0;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            ascii += char(s[i]);
            ++digits;
        } else if (s[i] == u',' && digits > 0) {
            continue;
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == u'.') {
        ascii += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            ascii += char(s[i]);
            ++digits;
        }
    }
    if (digits == 0)
        return NumberParse::Invalid;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            ascii += char(s[i]);
            ++i;
        }
        int expDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits)
            ascii += char(s[i]);
        if (expDigits == 0)
            return NumberParse::Invalid;
    }
    if (i != s.size())
        return NumberParse::Invalid;

    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (end != ascii.data() + ascii.size())
        return NumberParse::Invalid;
    if (ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(ascii) > 0)
            return NumberParse::Overflow;
        value = 0; // underflow reads as zero
    } else if (ec != std::errc()) {
        return NumberParse::Invalid;
    }
    if (std::isinf(value))
        return NumberParse::Overflow;
    out = negative ? -value : value;
    return NumberParse::Ok;
}

} // namespace quillo::script
