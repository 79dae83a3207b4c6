#pragma once
// Conversions between text and numbers in the conventions of the active locale: the one
// SetLocale chose for the script running on this thread. Operators and library functions
// use these wherever text becomes a number or a number text; under English (United States)
// they are core's conversions unchanged.

#include "scripting/core/Variant.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillo::vbscript::library {

struct Locale;

// The active locale; English (United States) until a script sets another.
const Locale& activeLocale();

// Makes `locale` active while the scope lasts (an interpreter entered from its host).
class LocaleScope {
public:
    explicit LocaleScope(const Locale& locale);
    ~LocaleScope();
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    const Locale* saved_;
};

// SetLocale inside a run: changes the active locale until the run's scope ends.
void setActiveLocale(const Locale& locale);

namespace local {

using quillo::script::Variant;

// Text as a number: nullopt (parseNumber) or 13 (textToNumber) when it is not one.
std::optional<double> parseNumber(std::u16string_view text);
double textToNumber(std::u16string_view text);

// Core's conversions of the same names, reading text in the active locale.
double toDouble(const Variant& v);
float toSingle(const Variant& v);
int32_t toLong(const Variant& v);
bool toBoolean(const Variant& v);
Variant toNumeric(const Variant& v);
bool isNumeric(const Variant& v);

// Numbers and dates as the active locale writes them; toTextOrEmpty gives "" for Null.
std::u16string toText(const Variant& v);
std::u16string toTextOrEmpty(const Variant& v);

} // namespace local

} // namespace quillo::vbscript::library
