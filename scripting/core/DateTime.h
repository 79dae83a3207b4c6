#pragma once
// OLE dates (days since 1899-12-30 as a double; for negative dates the fraction is
// the time of day counted forwards, so -1.25 is 12/29/1899 6:00 AM) and calendar parts.
// Local time comes from the C library's time zone (TZ honoured).

#include <cstdint>
#include <optional>

namespace quillo::script {

struct DateParts {
    int year = 1899;
    int month = 12;   // 1-12
    int day = 30;     // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 7;  // 1 = Sunday ... 7 = Saturday
    int millisecond = 0; // only for millisecond-precision callers (JScript)
};

// Dates VBScript accepts: 1/1/100 to 12/31/9999 (the first and last day numbers).
constexpr double kMinOleDate = -657434.0;
constexpr double kMaxOleDate = 2958465.0;
bool isValidOleDate(double ole);

// Calendar parts of an OLE date, rounded to the nearest second.
DateParts oleToParts(double ole);
// The OLE date of a calendar day (proleptic Gregorian), any year.
double dayNumber(int64_t year, int month, int day);
// DateSerial: months and days outside their ranges carry into years and months
// (DateSerial(2026, 14, 1) is 2/1/2027). nullopt outside the valid range.
std::optional<double> dateSerial(double year, double month, double day);
// TimeSerial as a day fraction; may be negative or beyond a day (carried as days).
double timeSerial(double hour, double minute, double second);
// Combines a day number and a time fraction the way OLE dates store negatives.
double combineDateTime(double dayNumber, double timeFraction);
// Splits into the day (truncated towards zero) and the time fraction (0 <= t < 1).
double datePart(double ole);
double timePart(double ole);
// OLE dates as a linear count of days (negative dates unfolded), for arithmetic
// such as DateAdd and DateDiff; the inverse maps back.
double oleToLinear(double ole);
double linearToOle(double linear);
// 1 = Sunday.
int weekdayOf(double ole);
bool isLeapYear(int64_t year);
int daysInMonth(int64_t year, int month);
// Two-digit years: 0-29 -> 2000-2029, 30-99 -> 1930-1999.
int expandTwoDigitYear(int year);

// Now as a local OLE date (seconds resolution, like VBScript's Now).
double nowLocalOle();
// Milliseconds since 1970-01-01 UTC.
int64_t nowUtcMillis();

// Local time for JScript's Date and for conversions between the two clocks.
// Offset of local time from UTC at the UTC instant `utcMs`, in minutes (east positive).
int localOffsetMinutes(double utcMs);
// Local wall time in ms since the epoch (as if UTC) for the instant utcMs, and back.
double utcToLocalMs(double utcMs);
double localToUtcMs(double localMs);
// Time zone abbreviation in force at utcMs ("UTC", "PST").
const char* timeZoneName(double utcMs);

// Calendar parts of a time value in ms since the epoch (no zone applied), with
// milliseconds and weekday; floors towards the past for negative values.
DateParts msToParts(double ms);
// ms since the epoch of calendar parts; months outside 1-12 carry into years and
// every other part may overflow freely (JScript's MakeDay / MakeTime). NaN when a
// part is not finite.
double partsToMs(double year, double month, double day, double hour = 0, double minute = 0,
                 double second = 0, double millisecond = 0);

// Conversions between OLE dates (local) and ms since the epoch (UTC).
constexpr double kMsPerDay = 86400000.0;
constexpr double kOleEpochOffsetDays = 25569.0; // 1970-01-01 as OLE date
double oleToLocalMs(double ole);  // wall-clock ms since epoch, no zone applied
double localMsToOle(double localMs);

} // namespace quillo::script
