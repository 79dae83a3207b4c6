// FormatNumber, FormatCurrency, FormatPercent, FormatDateTime, MonthName and WeekdayName,
// in the conventions of the locale SetLocale chose.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/FixedFormat.h"
#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

constexpr int32_t kUseDefault = -2; // vbUseDefault
constexpr int kMaxDecimals = 255;

// A Tristate argument: vbTrue (-1) or any other non-zero value is true, vbFalse (0) false,
// vbUseDefault (-2) or an omitted argument the locale's setting.
bool tristateArg(std::span<Variant> args, size_t i, bool localeDefault)
{
    const int32_t value = longArgOr(args, i, kUseDefault);
    return value == kUseDefault ? localeDefault : value != 0;
}

// The shared argument list: Expression, NumDigitsAfterDecimal, IncludeLeadingDigit,
// UseParensForNegativeNumbers, GroupDigits.
Variant formatWith(std::span<Variant> args, double scale, FixedFormat format)
{
    const int32_t decimals = longArgOr(args, 1, -1);
    if (decimals < -1 || decimals > kMaxDecimals)
        invalidCall();
    if (decimals >= 0)
        format.decimals = decimals;
    format.leadingDigit = tristateArg(args, 2, format.leadingDigit);
    format.parentheses = tristateArg(args, 3, format.parentheses);
    format.grouping = tristateArg(args, 4, format.grouping);
    const double value = doubleArg(args, 0) * scale;
    return Variant::fromString(formatFixed(value, format));
}

// The locale's separators; FormatCurrency adds its symbol.
FixedFormat localFormat(const Locale& locale)
{
    FixedFormat format;
    format.decimal = locale.decimal;
    format.group = locale.group;
    return format;
}

} // namespace

QUILLO_VBS_BUILTIN(formatNumber)
{
    return formatWith(args, 1, localFormat(*context.locale));
}

QUILLO_VBS_BUILTIN(formatCurrency)
{
    const Locale& locale = *context.locale;
    FixedFormat format = localFormat(locale);
    format.parentheses = locale.negativeCurrency == NegativeCurrency::Parentheses;
    format.signAfterPrefix = locale.negativeCurrency == NegativeCurrency::SignAfterSymbol;
    format.decimals = locale.currencyDigits;
    format.prefix = locale.currencyPrefix;
    format.suffix = locale.currencySuffix;
    return formatWith(args, 1, format);
}

QUILLO_VBS_BUILTIN(formatPercent)
{
    FixedFormat format = localFormat(*context.locale);
    format.suffix = u"%";
    return formatWith(args, 100, format);
}

// FormatDateTime(date[, namedformat]): vbGeneralDate 0 ... vbShortTime 4.
QUILLO_VBS_BUILTIN(formatDateTime)
{
    const int32_t named = longArgOr(args, 1, 0);
    if (named < 0 || named > 4)
        invalidCall();
    const double ole = dateArg(context, args, 0);
    const Locale& locale = *context.locale;
    switch (named) {
    case 1: return Variant::fromString(longDateText(ole, locale));
    case 2: return Variant::fromString(shortDateText(ole, locale));
    case 3: return Variant::fromString(timeText(ole, locale));
    case 4: return Variant::fromString(shortTimeText(ole));
    default: return Variant::fromString(generalDateText(ole, locale));
    }
}

QUILLO_VBS_BUILTIN(monthName)
{
    const int32_t month = longArg(args, 0);
    if (month < 1 || month > 12)
        invalidCall();
    const Locale& locale = *context.locale;
    return Variant::fromString((boolArgOr(args, 1, false) ? locale.monthsShort : locale.months)[size_t(month - 1)]);
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): `weekday` counts from the first day.
QUILLO_VBS_BUILTIN(weekdayName)
{
    const int32_t weekday = longArg(args, 0);
    const bool abbreviated = boolArgOr(args, 1, false);
    const int firstDay = firstDayOfWeekArg(args, 2);
    if (weekday < 1 || weekday > 7)
        invalidCall();
    const Locale& locale = *context.locale;
    return Variant::fromString((abbreviated ? locale.weekdaysShort : locale.weekdays)[size_t((weekday - 1 + firstDay - 1) % 7)]);
}

} // namespace quillo::vbscript::library
