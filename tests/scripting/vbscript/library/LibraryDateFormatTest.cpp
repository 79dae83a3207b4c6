// Date functions (serials, parts, DateAdd/DateDiff/DatePart with week rules, the clock)
// and the Format* functions with their optional arguments.

#include "LibraryTestSupport.h"

#include "scripting/core/HostServices.h"

namespace quillo::vbscript::test {
namespace {

class DateAndFormat : public LibraryTest {};

TEST_F(DateAndFormat, SerialsAndValues)
{
    check({
        {u"DateSerial", {I(2003), I(13), I(1)}, "Date:1/1/2004"},
        {u"DateSerial", {I(2004), I(3), I(0)}, "Date:2/29/2004"},
        {u"DateSerial", {I(2003), I(-1), I(15)}, "Date:11/15/2002"},
        {u"TimeSerial", {I(16), I(5), I(6)}, "Date:4:05:06 PM"},
        {u"TimeSerial", {I(0), I(0), L(3661)}, "Date:1:01:01 AM"},
        {u"TimeSerial", {I(25), I(0), I(0)}, "Date:12/31/1899 1:00:00 AM"},
        {u"TimeSerial", {I(1), I(-30), I(0)}, "Date:12:30:00 AM"},
        {u"DateValue", {S(u"1/2/2003 4:05 PM")}, "Date:1/2/2003"},
        {u"DateValue", {Dt(2003, 1, 2, 16, 5, 6)}, "Date:1/2/2003"},
        {u"TimeValue", {S(u"16:05")}, "Date:4:05:00 PM"},
        {u"TimeValue", {Dt(2003, 1, 2, 16, 5, 6)}, "Date:4:05:06 PM"},
        {u"CDate", {D(36526.5)}, "Date:1/1/2000 12:00:00 PM"},
    });
}

TEST_F(DateAndFormat, CalendarParts)
{
    const Variant d = Dt(2003, 1, 2, 16, 5, 6); // a Thursday
    check({
        {u"Year", {d}, "Integer:2003"},
        {u"Month", {d}, "Integer:1"},
        {u"Day", {d}, "Integer:2"},
        {u"Hour", {d}, "Integer:16"},
        {u"Minute", {d}, "Integer:5"},
        {u"Second", {d}, "Integer:6"},
        {u"Weekday", {d}, "Integer:5"},
        {u"Weekday", {d, I(2)}, "Integer:4"},
        {u"Weekday", {d, I(7)}, "Integer:6"},
        {u"Weekday", {d, I(0)}, "Integer:5"},
        {u"Weekday", {D(-1)}, "Integer:6"},
        {u"Year", {D(0.25)}, "Integer:1899"},
        {u"Hour", {D(0.75)}, "Integer:18"},
        {u"Minute", {S(u"4:05 PM")}, "Integer:5"},
        {u"Month", {Null()}, "Null"},
        {u"Weekday", {Null()}, "Null"},
        {u"MonthName", {I(12), B(true)}, "String:Dec"},
        {u"MonthName", {I(5)}, "String:May"},
        {u"WeekdayName", {I(1), B(false), I(2)}, "String:Monday"},
        {u"WeekdayName", {I(3), B(true), I(6)}, "String:Sun"},
        {u"WeekdayName", {I(7), B(true)}, "String:Sat"},
    });
}

TEST_F(DateAndFormat, DateAddClampsMonthEndsAndKeepsTime)
{
    check({
        {u"DateAdd", {S(u"m"), I(1), Dt(2003, 1, 31)}, "Date:2/28/2003"},
        {u"DateAdd", {S(u"m"), I(1), Dt(2004, 1, 31)}, "Date:2/29/2004"},
        {u"DateAdd", {S(u"M"), I(-1), Dt(2003, 3, 31)}, "Date:2/28/2003"},
        {u"DateAdd", {S(u"yyyy"), I(1), Dt(2000, 2, 29)}, "Date:2/28/2001"},
        {u"DateAdd", {S(u"q"), I(-2), Dt(2003, 8, 31)}, "Date:2/28/2003"},
        {u"DateAdd", {S(u"y"), I(1), Dt(2003, 12, 31)}, "Date:1/1/2004"},
        {u"DateAdd", {S(u"w"), I(1), Dt(2003, 1, 3)}, "Date:1/4/2003"},
        {u"DateAdd", {S(u"ww"), I(-1), Dt(2003, 1, 1)}, "Date:12/25/2002"},
        {u"DateAdd", {S(u"h"), I(25), Dt(2003, 1, 1)}, "Date:1/2/2003 1:00:00 AM"},
        {u"DateAdd", {S(u"n"), I(90), Dt(2003, 1, 1)}, "Date:1/1/2003 1:30:00 AM"},
        {u"DateAdd", {S(u"s"), I(-1), Dt(2003, 1, 1)}, "Date:12/31/2002 11:59:59 PM"},
        {u"DateAdd", {S(u"m"), I(1), Dt(2003, 1, 31, 6, 30)}, "Date:2/28/2003 6:30:00 AM"},
        {u"DateAdd", {S(u"d"), I(1), S(u"1/2/2003")}, "Date:1/3/2003"},
        {u"DateAdd", {S(u"h"), I(-30), Dt(1899, 12, 31)}, "Date:12/29/1899 6:00:00 PM"},
        {u"DateAdd", {S(u"d"), I(1), Null()}, "Null"},
    });
}

TEST_F(DateAndFormat, DateDiffCountsBoundaries)
{
    check({
        {u"DateDiff", {S(u"yyyy"), Dt(2002, 12, 31), Dt(2003, 1, 1)}, "Long:1"},
        {u"DateDiff", {S(u"q"), Dt(2003, 3, 31), Dt(2003, 4, 1)}, "Long:1"},
        {u"DateDiff", {S(u"m"), Dt(2003, 1, 31), Dt(2003, 3, 1)}, "Long:2"},
        {u"DateDiff", {S(u"d"), Dt(2003, 1, 1, 23), Dt(2003, 1, 2, 1)}, "Long:1"},
        {u"DateDiff", {S(u"d"), Dt(2003, 1, 2), Dt(2003, 1, 1)}, "Long:-1"},
        {u"DateDiff", {S(u"w"), Dt(2003, 1, 1), Dt(2003, 1, 14)}, "Long:1"},
        {u"DateDiff", {S(u"ww"), Dt(2003, 1, 4), Dt(2003, 1, 5)}, "Long:1"},  // Sat -> Sun
        {u"DateDiff", {S(u"ww"), Dt(2003, 1, 4), Dt(2003, 1, 5), I(2)}, "Long:0"},
        {u"DateDiff", {S(u"h"), Dt(2003, 1, 1, 1, 59), Dt(2003, 1, 1, 2, 1)}, "Long:1"},
        {u"DateDiff", {S(u"n"), Dt(2003, 1, 1), Dt(2003, 1, 2)}, "Long:1440"},
        {u"DateDiff", {S(u"s"), Dt(1899, 12, 29, 18), Dt(1899, 12, 30)}, "Long:21600"},
        {u"DateDiff", {S(u"d"), Null(), Dt(2003, 1, 1)}, "Null"},
    });
}

TEST_F(DateAndFormat, DatePartWithWeekRules)
{
    check({
        {u"DatePart", {S(u"yyyy"), Dt(2003, 5, 6)}, "Integer:2003"},
        {u"DatePart", {S(u"q"), Dt(2003, 5, 6)}, "Integer:2"},
        {u"DatePart", {S(u"y"), Dt(2004, 12, 31)}, "Integer:366"},
        {u"DatePart", {S(u"w"), Dt(2003, 1, 2), I(2)}, "Integer:4"},
        // 1/1/2005 was a Saturday.
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 1)}, "Integer:1"},
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 2)}, "Integer:2"},
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 1), I(2), I(2)}, "Integer:53"},
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 3), I(2), I(2)}, "Integer:1"},
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 2), I(1), I(3)}, "Integer:1"},
        {u"DatePart", {S(u"ww"), Dt(2005, 1, 1), I(1), I(3)}, "Integer:52"},
        {u"DatePart", {S(u"h"), Dt(2003, 1, 1, 13, 14, 15)}, "Integer:13"},
        {u"DatePart", {S(u"s"), Dt(2003, 1, 1, 13, 14, 15)}, "Integer:15"},
    });
}

TEST_F(DateAndFormat, FormatDateTimeNamedFormats)
{
    const Variant d = Dt(2003, 1, 2, 16, 5, 6);
    check({
        {u"FormatDateTime", {d}, "String:1/2/2003 4:05:06 PM"},
        {u"FormatDateTime", {d, I(1)}, "String:Thursday, January 2, 2003"},
        {u"FormatDateTime", {d, I(2)}, "String:1/2/2003"},
        {u"FormatDateTime", {d, I(3)}, "String:4:05:06 PM"},
        {u"FormatDateTime", {d, I(4)}, "String:16:05"},
        {u"FormatDateTime", {Dt(1899, 12, 30, 4, 5, 6), I(4)}, "String:04:05"},
        {u"FormatDateTime", {Dt(2003, 10, 5), I(1)}, "String:Sunday, October 5, 2003"},
    });
}

TEST_F(DateAndFormat, FormatNumberCurrencyPercent)
{
    const Variant M = Missing();
    check({
        {u"FormatNumber", {D(1234.567)}, "String:1,234.57"},
        {u"FormatNumber", {D(1234.56), I(0)}, "String:1,235"},
        {u"FormatNumber", {D(0.25), I(2), I(0)}, "String:.25"},
        {u"FormatNumber", {D(-1234.5), I(2), M, I(-1)}, "String:(1,234.50)"},
        {u"FormatNumber", {D(1234567.891), I(2), M, M, I(0)}, "String:1234567.89"},
        {u"FormatNumber", {S(u"1234.5")}, "String:1,234.50"},
        {u"FormatNumber", {D(-0.75), I(1), I(0)}, "String:-.8"},
        {u"FormatNumber", {I(123), I(-1)}, "String:123.00"},
        {u"FormatNumber", {D(0.125), I(2)}, "String:0.13"},
        {u"FormatNumber", {D(2.675), I(2)}, "String:2.68"},
        {u"FormatNumber", {D(999.996), I(2)}, "String:1,000.00"},
        {u"FormatNumber", {D(-0.001), I(2)}, "String:0.00"},
        {u"FormatNumber", {D(1e20), I(0)}, "String:100,000,000,000,000,000,000"},
        {u"FormatNumber", {D(123456), I(0), M, M, I(-2)}, "String:123,456"},
        {u"FormatNumber", {Variant()}, "String:0.00"},
        {u"FormatCurrency", {D(1234.567)}, "String:$1,234.57"},
        {u"FormatCurrency", {I(-5)}, "String:($5.00)"},
        {u"FormatCurrency", {I(-5), I(2), M, I(0)}, "String:-$5.00"},
        {u"FormatCurrency", {D(0.25), I(2), I(0)}, "String:$.25"},
        {u"FormatCurrency", {Variant::fromCurrency(12345678)}, "String:$1,234.57"},
        {u"FormatPercent", {D(0.1234)}, "String:12.34%"},
        {u"FormatPercent", {D(0.001234), I(3)}, "String:0.123%"},
        {u"FormatPercent", {D(12.3456), I(1)}, "String:1,234.6%"},
        {u"FormatPercent", {D(-0.25), I(1)}, "String:-25.0%"},
        {u"FormatPercent", {D(-0.25), I(1), M, I(-1)}, "String:(25.0%)"},
    });
}

TEST_F(DateAndFormat, RoundAndFriendsKeepTheirTypes)
{
    check({
        {u"Round", {D(2.5)}, "Double:2"},
        {u"Round", {D(3.5)}, "Double:4"},
        {u"Round", {D(-2.5)}, "Double:-2"},
        {u"Round", {D(2.675), I(2)}, "Double:2.68"},
        {u"Round", {D(1.005), I(2)}, "Double:1"},
        {u"Round", {D(1.0051), I(2)}, "Double:1.01"},
        {u"Round", {D(12345.6789), I(10)}, "Double:12345.6789"},
        {u"Round", {I(7), I(2)}, "Integer:7"},
        {u"Round", {D(1.5e-300), I(300)}, "Double:2E-300"},
        {u"Round", {D(-0.5)}, "Double:0"},
        {u"Round", {D(123.456), L(2147483647)}, "Double:123.456"},
        {u"Round", {D(999999999999999.5)}, "Double:1E+15"},
        {u"Round", {S(u"2.45"), I(1)}, "Double:2.4"},
        {u"Round", {Variant::fromSingle(1.25f), I(1)}, "Single:1.2"},
        {u"Round", {Null()}, "Null"},
        {u"Int", {D(-2.5)}, "Double:-3"},
        {u"Fix", {D(-2.5)}, "Double:-2"},
        {u"Int", {Dt(2003, 1, 2, 16)}, "Date:1/2/2003"},
        {u"Int", {B(true)}, "Integer:-1"},
        {u"Fix", {Variant::fromCurrency(-25000)}, "Currency:-2"},
        {u"Abs", {I(-32768)}, "Long:32768"},
        {u"Abs", {L(-5)}, "Long:5"},
        {u"Abs", {S(u"-2.5")}, "Double:2.5"},
        {u"Abs", {Variant()}, "Integer:0"},
        {u"Abs", {Null()}, "Null"},
        {u"Sgn", {D(-0.1)}, "Integer:-1"},
        {u"Sgn", {Variant()}, "Integer:0"},
        {u"Hex", {I(-1)}, "String:FFFF"},
        {u"Hex", {L(-1)}, "String:FFFFFFFF"},
        {u"Hex", {D(255.5)}, "String:100"},
        {u"Hex", {Variant()}, "String:0"},
        {u"Hex", {Null()}, "Null"},
        {u"Oct", {I(8)}, "String:10"},
        {u"Oct", {I(-1)}, "String:177777"},
        {u"RGB", {I(255), I(128), I(300)}, "Long:16744703"},
        {u"Sqr", {I(16)}, "Double:4"},
        {u"Exp", {I(0)}, "Double:1"},
    });
}

class FixedClock : public quillo::script::HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return 1; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view,
                                           std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override { return false; }
    double nowLocalOle() override { return quillo::script::dayNumber(2003, 1, 2) + 0.75; }
    int64_t nowUtcMillis() override { return int64_t(1041465600) * 1000 + 45296789; }
};

TEST_F(DateAndFormat, ClockFunctionsReadTheHostClock)
{
    FixedClock clock;
    context.host = &clock;
    check({
        {u"Now", {}, "Date:1/2/2003 6:00:00 PM"},
        {u"Date", {}, "Date:1/2/2003"},
        {u"Time", {}, "Date:6:00:00 PM"},
    });
    // TZ=UTC in the test environment: 12:34:56.789 after midnight.
    if (quillo::script::localOffsetMinutes(1041465600000.0) == 0) {
        EXPECT_NEAR(call(u"Timer", {}).asSingle(), 45296.789f, 0.01f);
    }
}

} // namespace
} // namespace quillo::vbscript::test
