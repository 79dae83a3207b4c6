// Numeric functions. Abs, Fix, Int and Round keep the argument's numeric type (text becomes
// Double, Boolean and Empty become Integer) and let Null through; the transcendental
// functions work in Double.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/Functions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

// The operand of Abs, Fix, Int and Round (core's arithmetic rules): Null stays Null, text
// turns Double, Boolean and Empty turn Integer, numbers and dates keep their type.
Variant numericOperand(const Variant& argument)
{
    return local::toNumeric(argument);
}

// Applies `op` to a floating or currency value and rebuilds the same type; whole-number
// types pass through unchanged.
template <class Op>
Variant mapFraction(const Variant& value, Op op)
{
    switch (value.type()) {
    case VarType::Single: return Variant::fromSingle(float(op(double(value.asSingle()))));
    case VarType::Double: return Variant::fromDouble(op(value.asDouble()));
    case VarType::Date: return Variant::fromDate(op(value.asDate()));
    case VarType::Currency:
        return Variant::fromCurrency(
            script::doubleToCurrency(op(script::currencyToDouble(value.asCurrency()))));
    default: return value;
    }
}

double mathArg(std::span<Variant> args)
{
    return doubleArg(args, 0);
}

Variant finiteResult(double result)
{
    if (!std::isfinite(result))
        raise(quillo::script::err::Overflow);
    return Variant::fromDouble(result);
}

// Rounds to `digits` decimals, halves to even, on the value's 15-digit decimal form, so
// that Round(2.675, 2) rounds the 2.675 a script sees rather than its binary neighbour.
double roundDecimal(double x, int digits)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", x);
    // buffer: [-]d.dddddddddddddde[+-]XX
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::string mantissa;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa.push_back(*p);
    const int exponent = std::atoi(p + 1);
    // Digits kept: those up to `digits` places after the point (64-bit: digits may be huge).
    const int64_t keep = int64_t(exponent) + 1 + digits;
    if (keep >= int64_t(mantissa.size()))
        return x;
    if (keep < 0)
        return negative ? -0.0 : 0.0;
    const std::string kept = mantissa.substr(0, size_t(keep));
    const char next = mantissa[size_t(keep)];
    const bool restNonZero = mantissa.find_first_not_of('0', size_t(keep) + 1) != std::string::npos;
    const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    const bool up = next > '5' || (next == '5' && (restNonZero || lastOdd));
    // At most 15 digits: exact in an int64. Read back as "<digits>e<exp>" so strtod lands
    // on the double nearest to the decimal result.
    const long long digitsValue = (kept.empty() ? 0 : std::atoll(kept.c_str())) + (up ? 1 : 0);
    std::snprintf(buffer, sizeof buffer, "%llde%d", digitsValue, int(exponent + 1 - keep));
    const double result = std::strtod(buffer, nullptr);
    return negative ? -result : result;
}

std::u16string inRadix(uint32_t value, unsigned radix)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text;
    do {
        text.insert(text.begin(), kDigits[value % radix]);
        value /= radix;
    } while (value != 0);
    return text;
}

// Hex and Oct: Integer-sized values show 16 bits, everything else the 32 bits of a Long.
Variant radixText(std::span<Variant> args, unsigned radix)
{
    const Variant value = plainValue(arg(args, 0));
    switch (value.type()) {
    case VarType::Null: return Variant::null();
    case VarType::Empty: return Variant::fromString(u"0");
    case VarType::Integer: return Variant::fromString(inRadix(uint16_t(value.asInteger()), radix));
    case VarType::Byte: return Variant::fromString(inRadix(value.asByte(), radix));
    case VarType::Boolean: return Variant::fromString(inRadix(value.asBool() ? 0xFFFF : 0, radix));
    default: return Variant::fromString(inRadix(uint32_t(local::toLong(value)), radix));
    }
}

} // namespace

QUILLO_VBS_BUILTIN(abs)
{
    const Variant value = numericOperand(arg(args, 0));
    switch (value.type()) {
    case VarType::Integer:
        if (value.asInteger() == INT16_MIN)
            return Variant::fromLong(32768);
        return Variant::fromInteger(int16_t(std::abs(value.asInteger())));
    case VarType::Long:
        if (value.asLong() == INT32_MIN)
            return Variant::fromDouble(2147483648.0);
        return Variant::fromLong(std::abs(value.asLong()));
    case VarType::Currency:
        if (value.asCurrency() == INT64_MIN)
            raise(quillo::script::err::Overflow);
        return Variant::fromCurrency(std::llabs(value.asCurrency()));
    default: return mapFraction(value, [](double x) { return std::fabs(x); });
    }
}

QUILLO_VBS_BUILTIN(fix)
{
    return mapFraction(numericOperand(arg(args, 0)), [](double x) { return std::trunc(x); });
}

QUILLO_VBS_BUILTIN(intPart)
{
    return mapFraction(numericOperand(arg(args, 0)), [](double x) { return std::floor(x); });
}

// Round(expression[, numdecimalplaces])
QUILLO_VBS_BUILTIN(round)
{
    const int32_t digits = longArgOr(args, 1, 0);
    if (digits < 0)
        invalidCall();
    const Variant value = numericOperand(arg(args, 0));
    if (value.type() == VarType::Currency && digits >= 4)
        return value;
    return mapFraction(value, [digits](double x) { return roundDecimal(x, digits); });
}

QUILLO_VBS_BUILTIN(sgn)
{
    const double x = mathArg(args);
    return Variant::fromInteger(int16_t(x > 0 ? 1 : x < 0 ? -1 : 0));
}

QUILLO_VBS_BUILTIN(atn)
{
    return Variant::fromDouble(std::atan(mathArg(args)));
}

QUILLO_VBS_BUILTIN(cos)
{
    return Variant::fromDouble(std::cos(mathArg(args)));
}

QUILLO_VBS_BUILTIN(sin)
{
    return Variant::fromDouble(std::sin(mathArg(args)));
}

QUILLO_VBS_BUILTIN(tan)
{
    return Variant::fromDouble(std::tan(mathArg(args)));
}

QUILLO_VBS_BUILTIN(exp)
{
    return finiteResult(std::exp(mathArg(args)));
}

QUILLO_VBS_BUILTIN(log)
{
    const double x = mathArg(args);
    if (!(x > 0))
        invalidCall();
    return Variant::fromDouble(std::log(x));
}

QUILLO_VBS_BUILTIN(sqr)
{
    const double x = mathArg(args);
    if (x < 0)
        invalidCall();
    return Variant::fromDouble(std::sqrt(x));
}

QUILLO_VBS_BUILTIN(hex)
{
    return radixText(args, 16);
}

QUILLO_VBS_BUILTIN(oct)
{
    return radixText(args, 8);
}

// RGB(red, green, blue): components above 255 count as 255; negative ones are invalid.
QUILLO_VBS_BUILTIN(rgb)
{
    int32_t colour = 0;
    for (size_t i = 0; i < 3; ++i) {
        const int32_t component = longArg(args, i);
        if (component < 0)
            invalidCall();
        colour |= std::min(component, 255) << (8 * i);
    }
    return Variant::fromLong(colour);
}

} // namespace quillo::vbscript::library
