#include "scripting/vbscript/library/LocalConvert.h"

#include "scripting/core/Convert.h"
#include "scripting/vbscript/library/Locale.h"

namespace quillo::vbscript::library {

namespace script = quillo::script;
using quillo::script::Variant;

namespace {

// One pointer per thread: read only where text and numbers meet, never on number-only paths.
thread_local const Locale* tActive = &englishUnitedStates();

// True when the active locale reads numbers differently from core (another decimal or
// group separator).
bool readsOwnNumbers()
{
    return tActive->decimal != u'.' || tActive->group != u',';
}

// A text value (or an object's text default) rewritten into core's conventions; any other
// value unchanged. Called only when readsOwnNumbers().
Variant rewritten(const Variant& value)
{
    const Variant& v = value.deref();
    const Variant plain = v.isObject() ? script::valueOf(v) : v;
    if (!plain.isString())
        return plain;
    return Variant::fromString(toDefaultNumberText(plain.asString(), *tActive));
}

// Applies core's conversion `convert` to `v`, rewriting text first when the locale needs it.
template <class Convert>
auto converted(const Variant& v, Convert convert)
{
    if (!readsOwnNumbers())
        return convert(v);
    const Variant& d = v.deref();
    if (!d.isString() && !d.isObject())
        return convert(d);
    return convert(rewritten(d));
}

} // namespace

const Locale& activeLocale() { return *tActive; }

LocaleScope::LocaleScope(const Locale& locale) : saved_(tActive) { tActive = &locale; }
LocaleScope::~LocaleScope() { tActive = saved_; }

void setActiveLocale(const Locale& locale) { tActive = &locale; }

namespace local {

std::optional<double> parseNumber(std::u16string_view text)
{
    if (!readsOwnNumbers())
        return script::parseNumber(text);
    return script::parseNumber(toDefaultNumberText(text, *tActive));
}

double textToNumber(std::u16string_view text)
{
    if (!readsOwnNumbers())
        return script::textToDouble(text);
    return script::textToDouble(toDefaultNumberText(text, *tActive));
}

double toDouble(const Variant& v) { return converted(v, [](const Variant& x) { return script::toDouble(x); }); }
float toSingle(const Variant& v) { return converted(v, [](const Variant& x) { return script::toSingle(x); }); }
int32_t toLong(const Variant& v) { return converted(v, [](const Variant& x) { return script::toLong(x); }); }
bool toBoolean(const Variant& v) { return converted(v, [](const Variant& x) { return script::toBoolean(x); }); }
Variant toNumeric(const Variant& v) { return converted(v, [](const Variant& x) { return script::toNumeric(x); }); }
bool isNumeric(const Variant& v) { return converted(v, [](const Variant& x) { return script::isNumeric(x); }); }

std::u16string toText(const Variant& v)
{
    return localText(v, *tActive);
}

std::u16string toTextOrEmpty(const Variant& v)
{
    if (v.deref().isNull())
        return {};
    return localText(v, *tActive);
}

} // namespace local

} // namespace quillo::vbscript::library
