// Calendar arithmetic and local time.
#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

using namespace quillo::script;

namespace {

struct SerialCase {
    int year, month, day;
    const char16_t* text;
};

class DateSerialCarry : public testing::TestWithParam<SerialCase> {};

TEST_P(DateSerialCarry, NormalisesOutOfRangeParts)
{
    const SerialCase& c = GetParam();
    const std::optional<double> d = dateSerial(c.year, c.month, c.day);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(formatDate(*d), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, DateSerialCarry, testing::Values(
    SerialCase{2003, 1, 2, u"1/2/2003"},
    SerialCase{2003, 13, 1, u"1/1/2004"},
    SerialCase{2026, 14, 1, u"2/1/2027"},
    SerialCase{2003, 3, 0, u"2/28/2003"},
    SerialCase{2004, 3, 0, u"2/29/2004"},
    SerialCase{2003, 1, -1, u"12/30/2002"},
    SerialCase{2003, 0, 1, u"12/1/2002"},
    SerialCase{2003, -1, 15, u"11/15/2002"},
    SerialCase{2003, 1, 32, u"2/1/2003"},
    SerialCase{1900, 2, 29, u"3/1/1900"},
    SerialCase{2000, 2, 29, u"2/29/2000"},
    SerialCase{2003, 2, 29, u"3/1/2003"},
    SerialCase{2003, 1, 365, u"12/31/2003"},
    SerialCase{2003, 25, 1, u"1/1/2005"},
    SerialCase{99, 1, 1, u"1/1/1999"},
    SerialCase{29, 1, 1, u"1/1/2029"},
    SerialCase{1899, 12, 30, u"12:00:00 AM"},
    SerialCase{1899, 12, 29, u"12/29/1899"}));

TEST(DateSerialRange, OutsideValidYears)
{
    EXPECT_FALSE(dateSerial(10000, 1, 1).has_value());
    EXPECT_FALSE(dateSerial(100, 1, 0).has_value());
    EXPECT_TRUE(dateSerial(100, 1, 1).has_value());
    EXPECT_TRUE(dateSerial(9999, 12, 31).has_value());
    EXPECT_EQ(*dateSerial(2003, 1, 2), 37623);
    EXPECT_TRUE(isValidOleDate(kMinOleDate - 0.99)); // 1/1/100 11:45 PM
    EXPECT_FALSE(isValidOleDate(kMinOleDate - 1));
    EXPECT_TRUE(isValidOleDate(kMaxOleDate + 0.999));
    EXPECT_FALSE(isValidOleDate(kMaxOleDate + 1));
    EXPECT_FALSE(isValidOleDate(std::nan("")));
}

struct TimeCase {
    int h, m, s;
    const char16_t* text;
};

class TimeSerialCarry : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeSerialCarry, CarriesIntoHoursAndDays)
{
    const TimeCase& c = GetParam();
    EXPECT_EQ(formatDate(timeSerial(c.h, c.m, c.s)), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, TimeSerialCarry, testing::Values(
    TimeCase{4, 5, 6, u"4:05:06 AM"},
    TimeCase{16, 5, 6, u"4:05:06 PM"},
    TimeCase{0, 0, 0, u"12:00:00 AM"},
    TimeCase{12, 0, 0, u"12:00:00 PM"},
    TimeCase{0, 90, 0, u"1:30:00 AM"},
    TimeCase{0, 0, 3661, u"1:01:01 AM"},
    TimeCase{23, 59, 59, u"11:59:59 PM"},
    TimeCase{25, 0, 0, u"12/31/1899 1:00:00 AM"},
    TimeCase{1, -30, 0, u"12:30:00 AM"},
    TimeCase{2, 0, -1, u"1:59:59 AM"},
    TimeCase{-1, 0, 0, u"12/29/1899 11:00:00 PM"}));

TEST(DateParts, WeekdayAndParts)
{
    const double d = 37623 + (16 * 3600 + 5 * 60 + 6) / 86400.0;
    const DateParts p = oleToParts(d);
    EXPECT_EQ(p.year, 2003);
    EXPECT_EQ(p.month, 1);
    EXPECT_EQ(p.day, 2);
    EXPECT_EQ(p.hour, 16);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 6);
    EXPECT_EQ(p.weekday, 5); // Thursday
    EXPECT_EQ(weekdayOf(dayNumber(2003, 1, 5)), 1); // Sunday
    EXPECT_EQ(weekdayOf(0), 7);
    EXPECT_EQ(weekdayOf(-1), 6);
    const DateParts t = oleToParts(0.25);
    EXPECT_EQ(t.year, 1899);
    EXPECT_EQ(t.month, 12);
    EXPECT_EQ(t.day, 30);
    EXPECT_EQ(t.hour, 6);
}

TEST(DateParts, NegativeDatesCountTimeForwards)
{
    EXPECT_EQ(oleToLinear(-1.25), -0.75);
    EXPECT_EQ(linearToOle(-0.75), -1.25);
    EXPECT_EQ(linearToOle(-2.0), -2.0);
    EXPECT_EQ(combineDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(datePart(-1.25), -1);
    EXPECT_EQ(timePart(-1.25), 0.25);
    for (double linear : {-730.5, -1.999, -0.001, 0.0, 3.75}) {
        EXPECT_NEAR(oleToLinear(linearToOle(linear)), linear, 1e-9);
    }
}

TEST(DateParts, LeapYearRules)
{
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2004));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2003));
    EXPECT_EQ(daysInMonth(2004, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(dayNumber(2000, 1, 1), 36526);
    EXPECT_EQ(dayNumber(1900, 1, 1), 2);
}

// Sets TZ for one test and restores it.
class ZoneScope {
public:
    explicit ZoneScope(const char* tz)
    {
        const char* old = std::getenv("TZ");
        hadOld_ = old != nullptr;
        if (old)
            old_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

TEST(LocalTime, OffsetsFollowTz)
{
    // 2026-07-01 12:00 UTC and 2026-01-01 12:00 UTC.
    const double summer = 1782907200000.0;
    const double winter = 1767268800000.0;
    {
        ZoneScope zone("UTC0");
        EXPECT_EQ(localOffsetMinutes(summer), 0);
        EXPECT_EQ(utcToLocalMs(summer), summer);
    }
    {
        // Fixed rules, no zone database needed: UTC-8, daylight UTC-7 March to November.
        ZoneScope zone("PST8PDT,M3.2.0,M11.1.0");
        EXPECT_EQ(localOffsetMinutes(winter), -480);
        EXPECT_EQ(localOffsetMinutes(summer), -420);
        EXPECT_EQ(utcToLocalMs(winter), winter - 480 * 60000.0);
        EXPECT_EQ(localToUtcMs(utcToLocalMs(summer)), summer);
        EXPECT_EQ(localToUtcMs(utcToLocalMs(winter)), winter);
        EXPECT_STREQ(timeZoneName(winter), "PST");
        EXPECT_STREQ(timeZoneName(summer), "PDT");
    }
    {
        ZoneScope zone("IST-5:30");
        EXPECT_EQ(localOffsetMinutes(winter), 330);
    }
}

TEST(EpochMilliseconds, PartsBothWays)
{
    const DateParts epoch = msToParts(0);
    EXPECT_EQ(epoch.year, 1970);
    EXPECT_EQ(epoch.weekday, 5); // Thursday
    const DateParts before = msToParts(-1);
    EXPECT_EQ(before.year, 1969);
    EXPECT_EQ(before.month, 12);
    EXPECT_EQ(before.day, 31);
    EXPECT_EQ(before.hour, 23);
    EXPECT_EQ(before.millisecond, 999);
    EXPECT_EQ(before.weekday, 4);
    const double t = partsToMs(2026, 12, 8, 15, 5, 7, 250);
    const DateParts p = msToParts(t);
    EXPECT_EQ(p.year, 2026);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 8);
    EXPECT_EQ(p.hour, 15);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 7);
    EXPECT_EQ(p.millisecond, 250);
    EXPECT_EQ(p.weekday, 3); // Tuesday
    EXPECT_EQ(partsToMs(1970, 1, 1), 0);
    // Overflowing parts carry: month 13, day 0, hour 24, minute -1.
    EXPECT_EQ(partsToMs(2026, 13, 1), partsToMs(2027, 1, 1));
    EXPECT_EQ(partsToMs(2026, 0, 1), partsToMs(2025, 12, 1));
    EXPECT_EQ(partsToMs(2026, -11, 1), partsToMs(2025, 1, 1));
    EXPECT_EQ(partsToMs(2026, 3, 0), partsToMs(2026, 2, 28));
    EXPECT_EQ(partsToMs(2026, 1, 1, 24), partsToMs(2026, 1, 2));
    EXPECT_EQ(partsToMs(2026, 1, 1, 0, -1), partsToMs(2025, 12, 31, 23, 59));
    EXPECT_TRUE(std::isnan(partsToMs(std::nan(""), 1, 1)));
    EXPECT_TRUE(std::isnan(partsToMs(1e9, 1, 1)));
}

TEST(LocalTime, OleAndEpochMilliseconds)
{
    EXPECT_EQ(oleToLocalMs(kOleEpochOffsetDays), 0);
    EXPECT_EQ(localMsToOle(kMsPerDay / 2), kOleEpochOffsetDays + 0.5);
    EXPECT_EQ(oleToLocalMs(-1.25), -(kOleEpochOffsetDays + 0.75) * kMsPerDay);
    EXPECT_EQ(localMsToOle(oleToLocalMs(-1.25)), -1.25);
}

} // namespace
