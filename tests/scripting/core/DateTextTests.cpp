// Dates to text and back.
#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillo::script;

namespace {

double at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    return dayNumber(y, m, d) + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

struct FormatCase {
    double ole;
    const char16_t* text;
};

class DateToText : public testing::TestWithParam<FormatCase> {};

TEST_P(DateToText, AsCStrShowsIt)
{
    EXPECT_EQ(toText(Variant::fromDate(GetParam().ole)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, DateToText, testing::Values(
    FormatCase{at(2003, 1, 2), u"1/2/2003"},
    FormatCase{at(2003, 1, 2, 16, 5, 6), u"1/2/2003 4:05:06 PM"},
    FormatCase{at(2026, 12, 8, 15, 5, 0), u"12/8/2026 3:05:00 PM"},
    FormatCase{at(2003, 1, 2, 0, 0, 1), u"1/2/2003 12:00:01 AM"},
    FormatCase{at(2003, 1, 2, 12, 0, 0), u"1/2/2003 12:00:00 PM"},
    FormatCase{37623.6702083333, u"1/2/2003 4:05:06 PM"},
    FormatCase{36526.5, u"1/1/2000 12:00:00 PM"}));

// Day zero leaves out the date, midnight the time; both at once show the time.
INSTANTIATE_TEST_SUITE_P(DayZeroAndMidnight, DateToText, testing::Values(
    FormatCase{0, u"12:00:00 AM"},
    FormatCase{0.5, u"12:00:00 PM"},
    FormatCase{0.25, u"6:00:00 AM"},
    FormatCase{(16 * 3600 + 5 * 60 + 6) / 86400.0, u"4:05:06 PM"},
    FormatCase{1, u"12/31/1899"},
    FormatCase{-1, u"12/29/1899"},
    FormatCase{-1.25, u"12/29/1899 6:00:00 AM"},
    FormatCase{1 + 1 / 24.0, u"12/31/1899 1:00:00 AM"},
    FormatCase{2, u"1/1/1900"},
    FormatCase{at(2003, 1, 2, 23, 59, 59) + 0.4 / 86400, u"1/2/2003 11:59:59 PM"},
    // Within half a second of the next midnight: shown as that midnight.
    FormatCase{at(2003, 1, 3) - 0.4 / 86400, u"1/3/2003"}));

INSTANTIATE_TEST_SUITE_P(LeapYears, DateToText, testing::Values(
    FormatCase{dayNumber(2004, 2, 29), u"2/29/2004"},
    FormatCase{dayNumber(2000, 2, 29), u"2/29/2000"},
    FormatCase{dayNumber(1900, 2, 28) + 1, u"3/1/1900"},
    FormatCase{dayNumber(2003, 2, 28) + 1, u"3/1/2003"},
    FormatCase{kMinOleDate, u"1/1/100"},
    FormatCase{dayNumber(9999, 12, 31), u"12/31/9999"}));

struct ParseCase {
    const char16_t* text;
    double ole;
};

class TextToDate : public testing::TestWithParam<ParseCase> {};

TEST_P(TextToDate, Parses)
{
    const std::optional<double> d = parseDate(GetParam().text);
    ASSERT_TRUE(d.has_value()) << toUtf8(GetParam().text);
    EXPECT_NEAR(*d, GetParam().ole, 1e-9) << toUtf8(GetParam().text);
    EXPECT_TRUE(isDate(Variant::fromString(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(Dates, TextToDate, testing::Values(
    ParseCase{u"12/8/2026", at(2026, 12, 8)},
    ParseCase{u"1/2/2003", at(2003, 1, 2)},
    ParseCase{u"01/02/2003", at(2003, 1, 2)},
    ParseCase{u"2026-12-08", at(2026, 12, 8)},
    ParseCase{u"2026/12/8", at(2026, 12, 8)},
    ParseCase{u"12-8-2026", at(2026, 12, 8)},
    ParseCase{u"December 8, 2026", at(2026, 12, 8)},
    ParseCase{u"January 2, 2003", at(2003, 1, 2)},
    ParseCase{u"Dec 8 2026", at(2026, 12, 8)},
    ParseCase{u"8 Dec 2026", at(2026, 12, 8)},
    ParseCase{u"8-Dec-2026", at(2026, 12, 8)},
    ParseCase{u"dec. 8, 2026", at(2026, 12, 8)},
    ParseCase{u"Thursday, January 2, 2003", at(2003, 1, 2)},
    ParseCase{u"  1/2/2003  ", at(2003, 1, 2)},
    ParseCase{u"13/1/2003", at(2003, 1, 13)},
    ParseCase{u"12/30/1899", 0},
    ParseCase{u"12/29/1899", -1},
    ParseCase{u"2/29/2004", at(2004, 2, 29)},
    ParseCase{u"2/29/2000", at(2000, 2, 29)}));

// Two-digit years fall in 1930-2029.
INSTANTIATE_TEST_SUITE_P(TwoDigitYears, TextToDate, testing::Values(
    ParseCase{u"1/2/03", at(2003, 1, 2)},
    ParseCase{u"1/2/29", at(2029, 1, 2)},
    ParseCase{u"1/2/30", at(1930, 1, 2)},
    ParseCase{u"1/2/99", at(1999, 1, 2)},
    ParseCase{u"1/2/00", at(2000, 1, 2)},
    ParseCase{u"Jan 2, 45", at(1945, 1, 2)}));

INSTANTIATE_TEST_SUITE_P(Times, TextToDate, testing::Values(
    ParseCase{u"3:05 PM", (15 * 60 + 5) / 1440.0},
    ParseCase{u"4:05:06 PM", (16 * 3600 + 5 * 60 + 6) / 86400.0},
    ParseCase{u"15:05:00", (15 * 60 + 5) / 1440.0},
    ParseCase{u"16:05", (16 * 60 + 5) / 1440.0},
    ParseCase{u"12:00:00 AM", 0},
    ParseCase{u"12:00 PM", 0.5},
    ParseCase{u"6 AM", 0.25},
    ParseCase{u"6pm", 0.75},
    ParseCase{u"0:00", 0},
    ParseCase{u"23:59:59", (86400 - 1) / 86400.0}));

INSTANTIATE_TEST_SUITE_P(DateAndTime, TextToDate, testing::Values(
    ParseCase{u"1/2/2003 13:45", at(2003, 1, 2, 13, 45)},
    ParseCase{u"1/2/2003 4:05 PM", at(2003, 1, 2, 16, 5)},
    ParseCase{u"1/2/2003 6:00 AM", 37623.25},
    ParseCase{u"2026-12-08 15:05:00", at(2026, 12, 8, 15, 5)},
    ParseCase{u"December 8, 2026 3:05 PM", at(2026, 12, 8, 15, 5)},
    ParseCase{u"3:05 PM 12/8/2026", at(2026, 12, 8, 15, 5)},
    ParseCase{u"12/29/1899 6:00 AM", -1.25}));

class NotADate : public testing::TestWithParam<const char16_t*> {};

TEST_P(NotADate, IsTypeMismatch)
{
    EXPECT_FALSE(parseDate(GetParam()).has_value());
    EXPECT_EQ(errorOf([] { toDate(Variant::fromString(GetParam())); }), 13);
}

INSTANTIATE_TEST_SUITE_P(Values, NotADate, testing::Values(
    u"", u"abc", u"hello", u"not a date", u"12", u"2/30/2003", u"2/29/2003", u"2/29/1900",
    u"13/13/2003", u"1/2/2003/4", u"25:00", u"12:60", u"13 PM", u"1//2003", u"1/2/10000",
    u"Foo 8, 2026", u"1/2/2003 PM 4", u"1/2-2003"));

TEST(DateConversion, NumbersAndRange)
{
    EXPECT_EQ(toDate(Variant::fromDouble(36526.5)), 36526.5);
    EXPECT_EQ(toDate(Variant::fromBool(true)), -1);
    EXPECT_EQ(errorOf([] { toDate(Variant::fromDouble(1e10)); }), 6);
    EXPECT_EQ(errorOf([] { toDate(Variant::null()); }), 94);
    EXPECT_FALSE(isDate(Variant::null()));
    EXPECT_FALSE(isDate(Variant::fromDouble(1)));
    EXPECT_TRUE(isDate(Variant::fromDate(1)));
}

// Text -> date -> text gives the canonical form back.
TEST(DateRoundTrip, CanonicalFormsSurvive)
{
    for (const char16_t* s : {u"1/2/2003", u"12/31/1899", u"2/29/2004", u"1/2/2003 4:05:06 PM",
                              u"12:00:01 AM", u"11:59:59 PM", u"12/29/1899 6:00:00 AM"}) {
        const std::optional<double> d = parseDate(s);
        ASSERT_TRUE(d.has_value()) << toUtf8(s);
        EXPECT_EQ(formatDate(*d), s);
    }
}

} // namespace
