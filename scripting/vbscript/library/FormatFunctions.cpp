// FormatNumber, FormatCurrency, FormatPercent, FormatDateTime, MonthName and WeekdayName,
// with English (United States) defaults.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/DateNames.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/FixedFormat.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <cstdio>
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

// "Thursday, January 2, 2003"
std::u16string longDate(double ole)
{
    const script::DateParts parts = script::oleToParts(ole);
    std::u16string text(weekdayNameOf(parts.weekday, false));
    text += u", ";
    text += monthNameOf(parts.month, false);
    text += u" ";
    text += script::fromAscii(std::to_string(parts.day));
    text += u", ";
    text += script::fromAscii(std::to_string(parts.year));
    return text;
}

// "16:05"
std::u16string shortTime(double ole)
{
    const script::DateParts parts = script::oleToParts(ole);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", parts.hour, parts.minute);
    return script::fromAscii(buffer);
}

} // namespace

QUILLO_VBS_BUILTIN(formatNumber)
{
    return formatWith(args, 1, FixedFormat{});
}

QUILLO_VBS_BUILTIN(formatCurrency)
{
    FixedFormat format;
    format.parentheses = true;
    format.prefix = u"$";
    return formatWith(args, 1, format);
}

QUILLO_VBS_BUILTIN(formatPercent)
{
    FixedFormat format;
    format.suffix = u"%";
    return formatWith(args, 100, format);
}

// FormatDateTime(date[, namedformat]): vbGeneralDate 0 ... vbShortTime 4.
QUILLO_VBS_BUILTIN(formatDateTime)
{
    const int32_t named = longArgOr(args, 1, 0);
    if (named < 0 || named > 4)
        invalidCall();
    const double ole = dateArg(args, 0);
    switch (named) {
    case 1: return Variant::fromString(longDate(ole));
    case 2: return Variant::fromString(script::formatDatePart(ole));
    case 3: return Variant::fromString(script::formatTimePart(ole));
    case 4: return Variant::fromString(shortTime(ole));
    default: return Variant::fromString(script::formatDate(ole));
    }
}

QUILLO_VBS_BUILTIN(monthName)
{
    const int32_t month = longArg(args, 0);
    if (month < 1 || month > 12)
        invalidCall();
    return Variant::fromString(monthNameOf(month, boolArgOr(args, 1, false)));
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): `weekday` counts from the first day.
QUILLO_VBS_BUILTIN(weekdayName)
{
    const int32_t weekday = longArg(args, 0);
    const bool abbreviated = boolArgOr(args, 1, false);
    const int firstDay = firstDayOfWeekArg(args, 2);
    if (weekday < 1 || weekday > 7)
        invalidCall();
    return Variant::fromString(weekdayNameOf((weekday - 1 + firstDay - 1) % 7 + 1, abbreviated));
}

} // namespace quillo::vbscript::library
