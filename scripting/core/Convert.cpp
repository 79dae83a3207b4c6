// Conversions between Variant types.
#include "scripting/core/Convert.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/NumberText.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace quillo::script {

namespace {

[[noreturn]] void fail(int32_t number)
{
    throw ScriptError::runtime(number);
}

template <class Int>
std::u16string intText(Int v)
{
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

} // namespace

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double floorX = std::floor(x);
    const double diff = x - floorX;
    if (diff < 0.5)
        return floorX;
    if (diff > 0.5)
        return floorX + 1;
    return std::fmod(floorX, 2.0) == 0 ? floorX : floorX + 1;
}

int16_t doubleToInteger(double x)
{
    const double r = roundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0))
        fail(err::Overflow);
    return int16_t(r);
}

int32_t doubleToLong(double x)
{
    const double r = roundHalfEven(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        fail(err::Overflow);
    return int32_t(r);
}

uint8_t doubleToByte(double x)
{
    const double r = roundHalfEven(x);
    if (!(r >= 0.0 && r <= 255.0))
        fail(err::Overflow);
    return uint8_t(r);
}

int64_t doubleToCurrency(double x)
{
    if (!std::isfinite(x))
        fail(err::Overflow);
    // Scaled in long double: its 64-bit mantissa holds every Currency value exactly,
    // where a double would lose the last digits of large amounts.
    const long double scaled = static_cast<long double>(x) * 10000.0L;
    long double r = std::floor(scaled);
    const long double diff = scaled - r;
    if (diff > 0.5L || (diff == 0.5L && std::fmod(r, 2.0L) != 0))
        r += 1;
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L))
        fail(err::Overflow);
    return int64_t(r);
}

float doubleToSingle(double x)
{
    if (std::isnan(x))
        return float(x);
    const float f = float(x);
    if (std::isinf(f) && !std::isinf(x))
        fail(err::Overflow);
    return f;
}

Variant valueOf(const Variant& v)
{
    const Variant& d = v.deref();
    if (!d.isObject())
        return d;
    Variant current = d;
    // A default member may itself return an object; follow a few levels.
    for (int depth = 0; depth < 8 && current.isObject(); ++depth) {
        Dispatch* obj = current.asObject();
        if (!obj)
            fail(err::ObjectNotSet);
        Variant next = obj->invoke(DISPID_VALUE, InvokeKind::PropertyGet, {});
        current = Variant(next.deref());
    }
    if (current.isObject())
        fail(err::NoSuchMember);
    return current;
}

double textToDouble(std::u16string_view text)
{
    double out = 0;
    switch (parseNumberText(text, out)) {
    case NumberParse::Ok: return out;
    case NumberParse::Overflow: fail(err::Overflow);
    case NumberParse::Invalid: break;
    }
    fail(err::TypeMismatch);
}

std::optional<double> parseNumber(std::u16string_view text)
{
    double out = 0;
    if (parseNumberText(text, out) != NumberParse::Ok)
        return std::nullopt;
    return out;
}

bool isNumericText(std::u16string_view text)
{
    double out = 0;
    return parseNumberText(text, out) == NumberParse::Ok;
}

std::optional<int64_t> wholeNumberFromText(std::u16string_view text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value)
        return std::nullopt;
    const double r = roundHalfEven(*value);
    if (!(r >= -9.2e18 && r <= 9.2e18))
        return std::nullopt;
    return int64_t(r);
}

double toDouble(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty: return 0;
    case VarType::Null: fail(err::InvalidUseOfNull);
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    case VarType::Single: return v.asSingle();
    case VarType::Double: return v.asDouble();
    case VarType::Currency: return currencyToDouble(v.asCurrency());
    case VarType::Date: return v.asDate();
    case VarType::Boolean: return v.asBool() ? -1 : 0;
    case VarType::Byte: return v.asByte();
    case VarType::String: return textToDouble(v.asString());
    case VarType::Object: return toDouble(valueOf(v));
    default: fail(err::TypeMismatch);
    }
}

float toSingle(const Variant& value)
{
    const Variant& v = value.deref();
    if (v.type() == VarType::Single)
        return v.asSingle();
    return doubleToSingle(toDouble(v));
}

int32_t toLong(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    case VarType::Boolean: return v.asBool() ? -1 : 0;
    case VarType::Byte: return v.asByte();
    case VarType::Empty: return 0;
    default: return doubleToLong(toDouble(v));
    }
}

int16_t toInteger(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Integer: return v.asInteger();
    case VarType::Boolean: return v.asBool() ? -1 : 0;
    case VarType::Byte: return v.asByte();
    case VarType::Empty: return 0;
    default: return doubleToInteger(toDouble(v));
    }
}

uint8_t toByte(const Variant& value)
{
    const Variant& v = value.deref();
    if (v.type() == VarType::Byte)
        return v.asByte();
    return doubleToByte(toDouble(v));
}

int64_t toCurrency(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Currency: return v.asCurrency();
    case VarType::Integer: return int64_t(v.asInteger()) * 10000;
    case VarType::Long: return int64_t(v.asLong()) * 10000;
    case VarType::Byte: return int64_t(v.asByte()) * 10000;
    case VarType::Boolean: return v.asBool() ? -10000 : 0;
    case VarType::Empty: return 0;
    default: return doubleToCurrency(toDouble(v));
    }
}

bool toBoolean(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Boolean: return v.asBool();
    case VarType::Empty: return false;
    case VarType::Null: fail(err::InvalidUseOfNull);
    case VarType::Integer: return v.asInteger() != 0;
    case VarType::Long: return v.asLong() != 0;
    case VarType::Byte: return v.asByte() != 0;
    case VarType::Currency: return v.asCurrency() != 0;
    case VarType::Single: return v.asSingle() != 0;
    case VarType::Double:
    case VarType::Date: return v.asDouble() != 0;
    case VarType::String: {
        const std::u16string_view s = trimBlanks(v.asString());
        if (equalsIgnoreCase(s, u"true"))
            return true;
        if (equalsIgnoreCase(s, u"false"))
            return false;
        return textToDouble(v.asString()) != 0;
    }
    case VarType::Object: return toBoolean(valueOf(v));
    default: fail(err::TypeMismatch);
    }
}

double toDate(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Date: return v.asDate();
    case VarType::Null: fail(err::InvalidUseOfNull);
    case VarType::String: {
        const std::optional<double> d = parseDate(v.asString());
        if (!d)
            fail(err::TypeMismatch);
        return *d;
    }
    case VarType::Object: return toDate(valueOf(v));
    default: {
        const double d = toDouble(v);
        if (!isValidOleDate(d))
            fail(err::Overflow);
        return d;
    }
    }
}

Variant toNumeric(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty: return Variant::fromInteger(0);
    case VarType::Null:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Byte: return v;
    case VarType::Boolean: return Variant::fromInteger(v.asBool() ? -1 : 0);
    case VarType::String: return Variant::fromDouble(textToDouble(v.asString()));
    case VarType::Object: return toNumeric(valueOf(v));
    default: fail(err::TypeMismatch);
    }
}

std::u16string toText(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty: return {};
    case VarType::Null: fail(err::InvalidUseOfNull);
    case VarType::Integer: return intText(v.asInteger());
    case VarType::Long: return intText(v.asLong());
    case VarType::Byte: return intText(int(v.asByte()));
    case VarType::Single: return formatSingle(v.asSingle());
    case VarType::Double: return formatDouble(v.asDouble());
    case VarType::Currency: return formatCurrency(v.asCurrency());
    case VarType::Date: return formatDate(v.asDate());
    case VarType::Boolean: return v.asBool() ? u"True" : u"False";
    case VarType::String: return v.asString();
    case VarType::Object: return toText(valueOf(v));
    default: fail(err::TypeMismatch);
    }
}

std::u16string toTextOrEmpty(const Variant& value)
{
    if (value.deref().isNull())
        return {};
    return toText(value);
}

bool isNumeric(const Variant& value)
{
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean:
    case VarType::Byte: return true;
    case VarType::String: return isNumericText(v.asString());
    case VarType::Object:
        try {
            return v.asObject() && isNumeric(valueOf(v));
        } catch (const ScriptError&) {
            return false;
        }
    default: return false;
    }
}

bool isDate(const Variant& value)
{
    const Variant& v = value.deref();
    if (v.type() == VarType::Date)
        return true;
    if (v.type() == VarType::String)
        return parseDate(v.asString()).has_value();
    return false;
}

} // namespace quillo::script
