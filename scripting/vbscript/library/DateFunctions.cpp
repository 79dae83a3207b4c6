// Dates: the clock (Date, Now, Time, Timer), DateSerial/TimeSerial, DateValue/TimeValue,
// calendar parts, and DateAdd/DateDiff/DatePart with their interval codes.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/Clock.h"
#include "scripting/vbscript/library/Functions.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <cmath>
#include <cstdint>

namespace quillo::vbscript::library {

namespace script = quillo::script;
using script::DateParts;

namespace {

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalArg(std::span<Variant> args, size_t i)
{
    const std::u16string code = script::toLower(textArg(args, i));
    if (code == u"yyyy") return Interval::Year;
    if (code == u"q") return Interval::Quarter;
    if (code == u"m") return Interval::Month;
    if (code == u"y") return Interval::DayOfYear;
    if (code == u"d") return Interval::Day;
    if (code == u"w") return Interval::Weekday;
    if (code == u"ww") return Interval::Week;
    if (code == u"h") return Interval::Hour;
    if (code == u"n") return Interval::Minute;
    if (code == u"s") return Interval::Second;
    invalidCall();
}

Variant dateResult(double ole)
{
    if (!script::isValidOleDate(ole))
        invalidCall();
    return Variant::fromDate(ole);
}

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Whole seconds since the OLE epoch on a linear time line, so differences and boundary
// counts never see the folded negative dates or binary noise.
int64_t linearSeconds(double ole)
{
    return std::llround(script::oleToLinear(ole) * 86400.0);
}

int64_t linearDay(double ole)
{
    return floorDiv(linearSeconds(ole), 86400);
}

// Days between `day` and the start of its week when weeks begin on `firstDay` (1 = Sunday).
int daysIntoWeek(int64_t day, int firstDay)
{
    const int weekday = int(((day % 7) + 7 + 6) % 7) + 1; // day 0 was a Saturday
    return (weekday - firstDay + 7) % 7;
}

// The first day of week 1 of `year`, by the first-week-of-year rule (1 = the week of
// January 1, 2 = the first week with four days, 3 = the first full week).
int64_t firstWeekStart(int64_t year, int firstDay, int firstWeek)
{
    const int64_t jan1 = int64_t(script::dayNumber(year, 1, 1));
    const int into = daysIntoWeek(jan1, firstDay);
    int64_t start = jan1 - into;
    if ((firstWeek == 2 && 7 - into < 4) || (firstWeek == 3 && into != 0))
        start += 7;
    return start;
}

int firstWeekOfYearArg(std::span<Variant> args, size_t i)
{
    const int32_t rule = longArgOr(args, i, 0);
    if (rule < 0 || rule > 3)
        invalidCall();
    return rule == 0 ? 1 : rule;
}

int weekOfYear(double ole, int firstDay, int firstWeek)
{
    const int64_t day = linearDay(ole);
    const DateParts parts = script::oleToParts(ole);
    int64_t start = firstWeekStart(parts.year, firstDay, firstWeek);
    if (day < start)
        start = firstWeekStart(parts.year - 1, firstDay, firstWeek);
    return int(floorDiv(day - start, 7)) + 1;
}

int dayOfYear(const DateParts& parts)
{
    return int(script::dayNumber(parts.year, parts.month, parts.day) -
               script::dayNumber(parts.year, 1, 1)) + 1;
}

// DateAdd's month arithmetic: the day is clamped to the end of the target month and the
// time of day kept.
double addMonths(double ole, int64_t months)
{
    const DateParts parts = script::oleToParts(ole);
    const int64_t index = int64_t(parts.year) * 12 + (parts.month - 1) + months;
    const int64_t year = floorDiv(index, 12);
    const int month = int(index - year * 12) + 1;
    if (year < 100 || year > 9999)
        invalidCall();
    const int day = std::min(parts.day, script::daysInMonth(year, month));
    const double time = double(parts.hour * 3600 + parts.minute * 60 + parts.second) / 86400.0;
    return script::combineDateTime(script::dayNumber(year, month, day), time);
}

double addSeconds(double ole, double seconds)
{
    const double linear = double(linearSeconds(ole)) + seconds;
    return script::linearToOle(linear / 86400.0);
}

Variant datePartOf(const BuiltinContext& context, std::span<Variant> args, int DateParts::*field)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromInteger(int16_t(script::oleToParts(dateArg(context, args, 0)).*field));
}

} // namespace

QUILLO_VBS_BUILTIN(now)
{
    return Variant::fromDate(localNow(context));
}

QUILLO_VBS_BUILTIN(date)
{
    return Variant::fromDate(script::datePart(localNow(context)));
}

QUILLO_VBS_BUILTIN(time)
{
    return Variant::fromDate(script::timePart(localNow(context)));
}

QUILLO_VBS_BUILTIN(timer)
{
    return Variant::fromSingle(float(secondsSinceMidnight(context)));
}

QUILLO_VBS_BUILTIN(dateSerial)
{
    const auto ole = script::dateSerial(doubleArg(args, 0), doubleArg(args, 1), doubleArg(args, 2));
    if (!ole)
        invalidCall();
    return Variant::fromDate(*ole);
}

QUILLO_VBS_BUILTIN(timeSerial)
{
    return dateResult(script::timeSerial(doubleArg(args, 0), doubleArg(args, 1), doubleArg(args, 2)));
}

QUILLO_VBS_BUILTIN(dateValue)
{
    return Variant::fromDate(script::datePart(dateArg(context, args, 0)));
}

QUILLO_VBS_BUILTIN(timeValue)
{
    return Variant::fromDate(script::timePart(dateArg(context, args, 0)));
}

QUILLO_VBS_BUILTIN(year)
{
    return datePartOf(context, args, &DateParts::year);
}

QUILLO_VBS_BUILTIN(month)
{
    return datePartOf(context, args, &DateParts::month);
}

QUILLO_VBS_BUILTIN(day)
{
    return datePartOf(context, args, &DateParts::day);
}

QUILLO_VBS_BUILTIN(hour)
{
    return datePartOf(context, args, &DateParts::hour);
}

QUILLO_VBS_BUILTIN(minute)
{
    return datePartOf(context, args, &DateParts::minute);
}

QUILLO_VBS_BUILTIN(second)
{
    return datePartOf(context, args, &DateParts::second);
}

// Weekday(date[, firstdayofweek]): 1 for the first day of the week.
QUILLO_VBS_BUILTIN(weekday)
{
    const int firstDay = firstDayOfWeekArg(args, 1);
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromInteger(int16_t(daysIntoWeek(linearDay(dateArg(context, args, 0)), firstDay) + 1));
}

// DateAdd(interval, number, date): whole units (number rounds to a Long).
QUILLO_VBS_BUILTIN(dateAdd)
{
    const Interval interval = intervalArg(args, 0);
    const double count = std::nearbyint(doubleArg(args, 1));
    if (isNullValue(arg(args, 2)))
        return Variant::null();
    const double ole = dateArg(context, args, 2);
    if (std::fabs(count) > 1e9)
        invalidCall();
    switch (interval) {
    case Interval::Year: return dateResult(addMonths(ole, int64_t(count) * 12));
    case Interval::Quarter: return dateResult(addMonths(ole, int64_t(count) * 3));
    case Interval::Month: return dateResult(addMonths(ole, int64_t(count)));
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday: return dateResult(addSeconds(ole, count * 86400));
    case Interval::Week: return dateResult(addSeconds(ole, count * 7 * 86400));
    case Interval::Hour: return dateResult(addSeconds(ole, count * 3600));
    case Interval::Minute: return dateResult(addSeconds(ole, count * 60));
    case Interval::Second: return dateResult(addSeconds(ole, count));
    }
    invalidCall();
}

// DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]]): the number of
// interval boundaries from date1 to date2 ("w" counts whole weeks instead).
QUILLO_VBS_BUILTIN(dateDiff)
{
    const Interval interval = intervalArg(args, 0);
    const int firstDay = firstDayOfWeekArg(args, 3);
    firstWeekOfYearArg(args, 4);
    if (anyNull(args, {1, 2}))
        return Variant::null();
    const double from = dateArg(context, args, 1);
    const double to = dateArg(context, args, 2);
    const DateParts a = script::oleToParts(from);
    const DateParts b = script::oleToParts(to);
    int64_t diff = 0;
    switch (interval) {
    case Interval::Year: diff = b.year - a.year; break;
    case Interval::Quarter:
        diff = (int64_t(b.year) * 4 + (b.month - 1) / 3) - (int64_t(a.year) * 4 + (a.month - 1) / 3);
        break;
    case Interval::Month: diff = (int64_t(b.year) * 12 + b.month) - (int64_t(a.year) * 12 + a.month); break;
    case Interval::DayOfYear:
    case Interval::Day: diff = linearDay(to) - linearDay(from); break;
    case Interval::Weekday: diff = (linearDay(to) - linearDay(from)) / 7; break;
    case Interval::Week: {
        const int64_t startA = linearDay(from) - daysIntoWeek(linearDay(from), firstDay);
        const int64_t startB = linearDay(to) - daysIntoWeek(linearDay(to), firstDay);
        diff = (startB - startA) / 7;
        break;
    }
    case Interval::Hour: diff = floorDiv(linearSeconds(to), 3600) - floorDiv(linearSeconds(from), 3600); break;
    case Interval::Minute: diff = floorDiv(linearSeconds(to), 60) - floorDiv(linearSeconds(from), 60); break;
    case Interval::Second: diff = linearSeconds(to) - linearSeconds(from); break;
    }
    if (diff < INT32_MIN || diff > INT32_MAX)
        raise(quillo::script::err::Overflow);
    return Variant::fromLong(int32_t(diff));
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]])
QUILLO_VBS_BUILTIN(datePart)
{
    const Interval interval = intervalArg(args, 0);
    const int firstDay = firstDayOfWeekArg(args, 2);
    const int firstWeek = firstWeekOfYearArg(args, 3);
    if (isNullValue(arg(args, 1)))
        return Variant::null();
    const double ole = dateArg(context, args, 1);
    const DateParts parts = script::oleToParts(ole);
    int value = 0;
    switch (interval) {
    case Interval::Year: value = parts.year; break;
    case Interval::Quarter: value = (parts.month - 1) / 3 + 1; break;
    case Interval::Month: value = parts.month; break;
    case Interval::DayOfYear: value = dayOfYear(parts); break;
    case Interval::Day: value = parts.day; break;
    case Interval::Weekday: value = daysIntoWeek(linearDay(ole), firstDay) + 1; break;
    case Interval::Week: value = weekOfYear(ole, firstDay, firstWeek); break;
    case Interval::Hour: value = parts.hour; break;
    case Interval::Minute: value = parts.minute; break;
    case Interval::Second: value = parts.second; break;
    }
    return Variant::fromInteger(int16_t(value));
}

} // namespace quillo::vbscript::library
