// The C* conversions (thin wrappers over core's automation rules), the Is* tests, TypeName
// and VarType.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/Locale.h"

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

std::u16string_view typeNameOfType(VarType type)
{
    switch (type) {
    case VarType::Empty: return u"Empty";
    case VarType::Null: return u"Null";
    case VarType::Integer: return u"Integer";
    case VarType::Long: return u"Long";
    case VarType::Single: return u"Single";
    case VarType::Double: return u"Double";
    case VarType::Currency: return u"Currency";
    case VarType::Date: return u"Date";
    case VarType::String: return u"String";
    case VarType::Error: return u"Error";
    case VarType::Boolean: return u"Boolean";
    case VarType::Decimal: return u"Decimal";
    case VarType::Byte: return u"Byte";
    case VarType::VariantArray: return u"Variant()";
    default: return u"Unknown";
    }
}

// IsEmpty and IsNull look through an object to its default value, as in
// IsNull(fields("x")); an object without one is neither.
template <class Test>
bool testValue(const Variant& value, Test test)
{
    if (!value.isObject())
        return test(value);
    if (!value.asObject())
        return false;
    try {
        const Variant inner = script::valueOf(value);
        return !inner.isObject() && test(inner);
    } catch (const ScriptError&) {
        return false;
    }
}

} // namespace

QUILLO_VBS_BUILTIN(cBool)
{
    return Variant::fromBool(local::toBoolean(arg(args, 0)));
}

QUILLO_VBS_BUILTIN(cByte)
{
    return Variant::fromByte(script::toByte(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cCur)
{
    return Variant::fromCurrency(script::toCurrency(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cDate)
{
    return Variant::fromDate(script::toDate(localArg(context, args, 0, true)));
}

QUILLO_VBS_BUILTIN(cDbl)
{
    return Variant::fromDouble(script::toDouble(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cInt)
{
    return Variant::fromInteger(script::toInteger(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cLng)
{
    return Variant::fromLong(script::toLong(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cSng)
{
    return Variant::fromSingle(script::toSingle(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(cStr)
{
    return Variant::fromString(localText(arg(args, 0), *context.locale));
}

QUILLO_VBS_BUILTIN(isArray)
{
    return Variant::fromBool(arg(args, 0).isArray());
}

QUILLO_VBS_BUILTIN(isDate)
{
    return Variant::fromBool(script::isDate(localArg(context, args, 0, true)));
}

QUILLO_VBS_BUILTIN(isEmpty)
{
    return Variant::fromBool(testValue(arg(args, 0), [](const Variant& v) { return v.isEmpty(); }));
}

QUILLO_VBS_BUILTIN(isNull)
{
    return Variant::fromBool(testValue(arg(args, 0), [](const Variant& v) { return v.isNull(); }));
}

QUILLO_VBS_BUILTIN(isNumeric)
{
    return Variant::fromBool(script::isNumeric(localArg(context, args, 0, false)));
}

QUILLO_VBS_BUILTIN(isObject)
{
    return Variant::fromBool(arg(args, 0).isObject());
}

QUILLO_VBS_BUILTIN(typeName)
{
    const Variant& value = arg(args, 0);
    if (value.isObject()) {
        if (!value.asObject())
            return Variant::fromString(u"Nothing");
        if (context.typeNameOf)
            return Variant::fromString(context.typeNameOf(*value.asObject()));
        return Variant::fromString(value.asObject()->typeName());
    }
    return Variant::fromString(typeNameOfType(value.type()));
}

// VarType of an object is that of its default value when it has one, vbObject otherwise.
QUILLO_VBS_BUILTIN(varType)
{
    const Variant& value = arg(args, 0);
    if (value.isObject()) {
        if (!value.asObject())
            return Variant::fromInteger(int16_t(VarType::Object));
        try {
            const Variant inner = script::valueOf(value);
            if (!inner.isObject())
                return Variant::fromInteger(int16_t(inner.type()));
        } catch (const ScriptError&) {
        }
        return Variant::fromInteger(int16_t(VarType::Object));
    }
    return Variant::fromInteger(int16_t(value.type()));
}

} // namespace quillo::vbscript::library
