#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"

#include "scripting/vbscript/library/Builtins.h"
#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/Text.h"

namespace quillo::vbscript::library {

namespace script = quillo::script;

const Variant& arg(std::span<Variant> args, size_t i)
{
    static const Variant missing = Variant::missing();
    return i < args.size() ? args[i].deref() : missing;
}

const Variant& requiredArg(std::span<Variant> args, size_t i)
{
    if (!given(args, i))
        raise(quillo::script::err::ArgumentNotOptional);
    return args[i].deref();
}

bool given(std::span<Variant> args, size_t i)
{
    return i < args.size() && !args[i].deref().isMissing();
}

void raise(int32_t number)
{
    throw ScriptError::runtime(number);
}

Variant plainValue(const Variant& v)
{
    const Variant& value = v.deref();
    return value.isObject() ? script::valueOf(value) : value;
}

bool isNullValue(const Variant& v)
{
    const Variant& value = v.deref();
    if (value.isNull())
        return true;
    return value.isObject() && value.asObject() && script::valueOf(value).isNull();
}

TextArg::TextArg(std::span<Variant> args, size_t i)
{
    const Variant& value = requiredArg(args, i);
    if (value.isString()) {
        view_ = value.asString();
    } else {
        owned_ = local::toText(value);
        view_ = owned_;
    }
}

SearchTextArg::SearchTextArg(std::span<Variant> args, size_t i, Compare mode) : text_(args, i)
{
    if (mode == Compare::Text) {
        folded_ = script::toLower(text_.view());
        searched_ = folded_;
    } else {
        searched_ = text_.view();
    }
}

std::u16string textArg(std::span<Variant> args, size_t i)
{
    return local::toText(requiredArg(args, i));
}

double doubleArg(std::span<Variant> args, size_t i)
{
    return local::toDouble(requiredArg(args, i));
}

int32_t longArg(std::span<Variant> args, size_t i)
{
    return local::toLong(requiredArg(args, i));
}

bool boolArg(std::span<Variant> args, size_t i)
{
    return local::toBoolean(requiredArg(args, i));
}

int32_t longArgOr(std::span<Variant> args, size_t i, int32_t fallback)
{
    return given(args, i) ? longArg(args, i) : fallback;
}

bool boolArgOr(std::span<Variant> args, size_t i, bool fallback)
{
    return given(args, i) ? boolArg(args, i) : fallback;
}

Compare compareArg(std::span<Variant> args, size_t i)
{
    switch (longArgOr(args, i, 0)) {
    case 0: return Compare::Binary;
    case 1: return Compare::Text;
    default: invalidCall();
    }
}

int firstDayOfWeekArg(std::span<Variant> args, size_t i)
{
    const int32_t day = longArgOr(args, i, 0);
    if (day < 0 || day > 7)
        invalidCall();
    return day == 0 ? 1 : day;
}

Variant localArg(const BuiltinContext& context, std::span<Variant> args, size_t i, bool isDate)
{
    const Variant& v = arg(args, i);
    const Locale& locale = *context.locale;
    if (!v.isString() || &locale == &englishUnitedStates())
        return v;
    return Variant::fromString(isDate ? toDefaultDateText(v.asString(), locale)
                                      : toDefaultNumberText(v.asString(), locale));
}

double dateArg(const BuiltinContext& context, std::span<Variant> args, size_t i)
{
    requiredArg(args, i);
    return script::toDate(localArg(context, args, i, true));
}

bool anyNull(std::span<Variant> args, std::initializer_list<size_t> indexes)
{
    for (size_t i : indexes)
        if (i < args.size() && isNullValue(args[i]))
            return true;
    return false;
}

} // namespace quillo::vbscript::library

#include "scripting/vbscript/library/TextLimits.h"

namespace quillo::vbscript::library {

void checkStringLength(size_t length)
{
    if (length > kMaxStringLength)
        raise(14);
}

} // namespace quillo::vbscript::library
