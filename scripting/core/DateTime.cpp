#include "scripting/core/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace quillo::script {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12); exact for any
// year in range. Works in eras of 400 years so negative years need no special case.
int64_t daysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

constexpr int64_t kOleEpochFromUnix = -25569; // 1899-12-30 in days since 1970-01-01

double roundEven(double x)
{
    return std::nearbyint(x); // the default rounding mode rounds halves to even
}

} // namespace

bool isValidOleDate(double ole)
{
    // The first day's times are stored below it (-657434.25 is 1/1/100 6:00 AM).
    return std::isfinite(ole) && ole > kMinOleDate - 1 && ole < kMaxOleDate + 1;
}

bool isLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int64_t year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[(month - 1) % 12];
}

int expandTwoDigitYear(int year)
{
    if (year < 0 || year > 99)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

double dayNumber(int64_t year, int month, int day)
{
    return double(daysFromCivil(year, month, day) - kOleEpochFromUnix);
}

double oleToLinear(double ole)
{
    if (ole >= 0)
        return ole;
    const double day = std::trunc(ole);
    return day + (day - ole);
}

double linearToOle(double linear)
{
    if (linear >= 0)
        return linear;
    const double day = std::floor(linear);
    const double frac = linear - day;
    return frac == 0 ? day : day - frac;
}

double combineDateTime(double day, double timeFraction)
{
    return linearToOle(day + timeFraction);
}

double datePart(double ole)
{
    return std::trunc(ole);
}

double timePart(double ole)
{
    return std::fabs(ole - std::trunc(ole));
}

DateParts oleToParts(double ole)
{
    const double linear = oleToLinear(ole);
    int64_t day = int64_t(std::floor(linear));
    const double frac = linear - double(day);
    int64_t ms = int64_t(std::llround(frac * kMsPerDay));
    // Round to the nearest second, as the runtime shows times.
    int64_t secs = (ms + 500) / 1000;
    if (secs >= 86400) {
        secs -= 86400;
        ++day;
    }
    DateParts p;
    int64_t y;
    civilFromDays(day + kOleEpochFromUnix, y, p.month, p.day);
    p.year = int(y);
    p.hour = int(secs / 3600);
    p.minute = int(secs / 60 % 60);
    p.second = int(secs % 60);
    p.millisecond = 0;
    p.weekday = int(((day % 7) + 7 + 6) % 7) + 1; // day 0 was a Saturday
    return p;
}

int weekdayOf(double ole)
{
    return oleToParts(ole).weekday;
}

std::optional<double> dateSerial(double year, double month, double day)
{
    if (!std::isfinite(year) || !std::isfinite(month) || !std::isfinite(day))
        return std::nullopt;
    double y = roundEven(year);
    double m = roundEven(month);
    const double d = roundEven(day);
    if (std::fabs(y) > 1e6 || std::fabs(m) > 1e7 || std::fabs(d) > 1e9)
        return std::nullopt;
    if (y >= 0 && y <= 99)
        y = expandTwoDigitYear(int(y));
    // Carry whole years out of the month: month 14 is February of the next year,
    // month 0 is December of the previous one.
    const double m0 = m - 1;
    const double carry = std::floor(m0 / 12);
    y += carry;
    m = m0 - carry * 12 + 1;
    const double result = dayNumber(int64_t(y), int(m), 1) + (d - 1);
    if (!isValidOleDate(result))
        return std::nullopt;
    return linearToOle(result);
}

double timeSerial(double hour, double minute, double second)
{
    const double total = roundEven(hour) * 3600 + roundEven(minute) * 60 + roundEven(second);
    return linearToOle(total / 86400.0);
}

double oleToLocalMs(double ole)
{
    return (oleToLinear(ole) - kOleEpochOffsetDays) * kMsPerDay;
}

double localMsToOle(double localMs)
{
    return linearToOle(localMs / kMsPerDay + kOleEpochOffsetDays);
}

DateParts msToParts(double ms)
{
    DateParts p;
    if (!std::isfinite(ms))
        return p;
    const double dayF = std::floor(ms / kMsPerDay);
    const int64_t day = int64_t(dayF);
    int64_t msInDay = int64_t(ms - dayF * kMsPerDay);
    if (msInDay >= int64_t(kMsPerDay))
        msInDay = int64_t(kMsPerDay) - 1;
    int64_t y;
    civilFromDays(day, y, p.month, p.day);
    p.year = int(y);
    p.hour = int(msInDay / 3600000);
    p.minute = int(msInDay / 60000 % 60);
    p.second = int(msInDay / 1000 % 60);
    p.millisecond = int(msInDay % 1000);
    p.weekday = int(((day % 7) + 7 + 4) % 7) + 1; // 1970-01-01 was a Thursday
    return p;
}

double partsToMs(double year, double month, double day, double hour, double minute,
                 double second, double millisecond)
{
    for (double v : {year, month, day, hour, minute, second, millisecond})
        if (!std::isfinite(v))
            return std::nan("");
    const double y = std::trunc(year);
    const double m = std::trunc(month);
    if (std::fabs(y) > 400000 || std::fabs(m) > 4800000)
        return std::nan("");
    const double carry = std::floor((m - 1) / 12);
    const int month0 = int(m - 1 - carry * 12);
    const double days = double(daysFromCivil(int64_t(y + carry), month0 + 1, 1)) + std::trunc(day) - 1;
    const double time = std::trunc(hour) * 3600000.0 + std::trunc(minute) * 60000.0 +
                        std::trunc(second) * 1000.0 + std::trunc(millisecond);
    return days * kMsPerDay + time;
}

int64_t nowUtcMillis()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

double nowLocalOle()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return dayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           (tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec) / 86400.0;
}

namespace {
bool localTm(double utcMs, std::tm& tm)
{
    if (!std::isfinite(utcMs))
        return false;
    const std::time_t t = std::time_t(std::floor(utcMs / 1000.0));
    return localtime_r(&t, &tm) != nullptr;
}
} // namespace

int localOffsetMinutes(double utcMs)
{
    std::tm tm{};
    if (!localTm(utcMs, tm))
        return 0;
    return int(tm.tm_gmtoff / 60);
}

double utcToLocalMs(double utcMs)
{
    return utcMs + localOffsetMinutes(utcMs) * 60000.0;
}

double localToUtcMs(double localMs)
{
    // The offset in force at the local time, found by one correction step; a time
    // inside a spring-forward gap resolves to the offset before the change.
    const int first = localOffsetMinutes(localMs);
    double utc = localMs - first * 60000.0;
    const int second = localOffsetMinutes(utc);
    if (second != first)
        utc = localMs - second * 60000.0;
    return utc;
}

const char* timeZoneName(double utcMs)
{
    std::tm tm{};
    if (!localTm(utcMs, tm) || !tm.tm_zone)
        return "UTC";
    return tm.tm_zone;
}

} // namespace quillo::script
