// Date text in fixed time zones (the test sets TZ itself): toString and its parts with the
// UTC+hhmm offset, the UTC and locale forms, summer time, zones west of UTC and on the half
// hour, and Date.parse of those forms and of the short and long date styles.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "JsTestSupport.h"

namespace quillo::jscript::test {
namespace {

struct ZoneCase {
    const char* tz;
    const char* src;
    const char* expected;
};

// Sets TZ for one case and puts the old value back.
class ZoneScope {
public:
    explicit ZoneScope(const char* tz) {
        const char* old = std::getenv("TZ");
        had_ = old != nullptr;
        if (had_) saved_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneScope() {
        if (had_) setenv("TZ", saved_.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    bool had_ = false;
    std::string saved_;
};

class InZone : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(InZone, GivesExpectedText) {
    const ZoneCase& c = GetParam();
    std::string got;
    {
        ZoneScope zone(c.tz);
        got = evalText(c.src);
    }
    EXPECT_EQ(got, c.expected) << c.tz << ": " << c.src;
}

// Central Europe with summer time (last Sunday of March to last Sunday of October).
#define CET "CET-1CEST,M3.5.0,M10.5.0/3"
#define WEST "<-03>3"
#define HALF "<+0530>-5:30"
#define WHEN "var d = new Date(Date.UTC(2026, 11, 8, 14, 51, 49)); "
#define SUMMER "var d = new Date(Date.UTC(2026, 6, 4, 10, 0, 0)); "

INSTANTIATE_TEST_SUITE_P(Formats, InZone, ::testing::Values(
    ZoneCase{CET, WHEN "d.toString()", "Tue Dec 8 15:51:49 UTC+0100 2026"},
    ZoneCase{CET, WHEN "d.toDateString()", "Tue Dec 8 2026"},
    ZoneCase{CET, WHEN "d.toTimeString()", "15:51:49 UTC+0100"},
    ZoneCase{CET, WHEN "d.toUTCString()", "Tue, 8 Dec 2026 14:51:49 UTC"},
    ZoneCase{CET, WHEN "d.toGMTString()", "Tue, 8 Dec 2026 14:51:49 UTC"},
    ZoneCase{CET, WHEN "d.toLocaleString()", "Tuesday, December 08, 2026 3:51:49 PM"},
    ZoneCase{CET, WHEN "d.toLocaleDateString()", "Tuesday, December 08, 2026"},
    ZoneCase{CET, WHEN "d.toLocaleTimeString()", "3:51:49 PM"},
    ZoneCase{CET, WHEN "String(d) === d.toString() && d + '' === d.toString()", "true"},
    ZoneCase{CET, WHEN "d.getHours() + ' ' + d.getUTCHours() + ' ' + d.getTimezoneOffset()", "15 14 -60"},
    ZoneCase{CET, SUMMER "d.toString()", "Sat Jul 4 12:00:00 UTC+0200 2026"},
    ZoneCase{CET, SUMMER "d.toTimeString() + ' ' + d.getTimezoneOffset()", "12:00:00 UTC+0200 -120"},
    ZoneCase{CET, SUMMER "d.toLocaleString()", "Saturday, July 04, 2026 12:00:00 PM"},
    ZoneCase{CET, "new Date(2026, 0, 1).toString()", "Thu Jan 1 00:00:00 UTC+0100 2026"},
    ZoneCase{CET, "new Date(2026, 0, 1).getTime() === Date.UTC(2025, 11, 31, 23)", "true"},
    ZoneCase{CET, "new Date(2026, 6, 1).getTime() === Date.UTC(2026, 5, 30, 22)", "true"},
    ZoneCase{CET, "new Date(Date.UTC(2026, 11, 31, 23, 30)).getFullYear()", "2027"},
    ZoneCase{CET, "new Date(Date.UTC(2026, 11, 31, 23, 30)).getUTCFullYear()", "2026"},
    ZoneCase{CET, "new Date(0).toString()", "Thu Jan 1 01:00:00 UTC+0100 1970"},
    ZoneCase{CET, "new Date(2026, 11, 8, 0, 5).toLocaleTimeString()", "12:05:00 AM"},
    ZoneCase{CET, "new Date(2026, 11, 8, 12, 0).toLocaleTimeString()", "12:00:00 PM"},
    ZoneCase{CET, "var d = new Date(2026, 11, 8); d.setHours(25); d.getDate() + ' ' + d.getHours()", "9 1"},
    ZoneCase{CET, "var d = new Date(2026, 11, 8, 10); d.setUTCHours(0); d.getHours()", "1"},
    ZoneCase{WEST, WHEN "d.toString()", "Tue Dec 8 11:51:49 UTC-0300 2026"},
    ZoneCase{WEST, WHEN "d.toTimeString() + ' ' + d.getTimezoneOffset()", "11:51:49 UTC-0300 180"},
    ZoneCase{WEST, "new Date(Date.UTC(2026, 11, 8, 1)).toString()", "Mon Dec 7 22:00:00 UTC-0300 2026"},
    ZoneCase{WEST, "new Date(Date.UTC(2026, 11, 8, 1)).toDateString() + ' ' + new Date(Date.UTC(2026, 11, 8, 1)).getDay()", "Mon Dec 7 2026 1"},
    ZoneCase{WEST, "new Date(Date.UTC(2026, 11, 8, 1)).toUTCString()", "Tue, 8 Dec 2026 01:00:00 UTC"},
    ZoneCase{WEST, "new Date(Date.UTC(2026, 11, 8, 1)).toLocaleDateString()", "Monday, December 07, 2026"},
    ZoneCase{HALF, WHEN "d.toString()", "Tue Dec 8 20:21:49 UTC+0530 2026"},
    ZoneCase{HALF, WHEN "d.getTimezoneOffset() + ' ' + d.getMinutes()", "-330 21"}));

// Date.parse reads its own output and the short ("m/d/y") and long ("Month d y") forms;
// a form without a zone is local time.
INSTANTIATE_TEST_SUITE_P(Parse, InZone, ::testing::Values(
    ZoneCase{CET, "Date.parse('Tue Dec 8 15:51:49 UTC+0100 2026') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{CET, "Date.parse('Sat Jul 4 12:00:00 UTC+0200 2026') === Date.UTC(2026, 6, 4, 10)", "true"},
    ZoneCase{CET, "Date.parse('Tue, 8 Dec 2026 14:51:49 UTC') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{CET, "Date.parse('Tue, 8 Dec 2026 14:51:49 GMT') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{CET, "Date.parse('12/8/2026') === Date.UTC(2026, 11, 7, 23)", "true"},
    ZoneCase{CET, "Date.parse('7/4/2026') === Date.UTC(2026, 6, 3, 22)", "true"},
    ZoneCase{CET, "Date.parse('12/8/2026 UTC') === Date.UTC(2026, 11, 8)", "true"},
    ZoneCase{CET, "Date.parse('12-8-2026') === Date.UTC(2026, 11, 7, 23)", "true"},
    ZoneCase{CET, "Date.parse('2026/12/8') === Date.UTC(2026, 11, 7, 23)", "true"},
    ZoneCase{CET, "isNaN(Date.parse('2026-12-08')) + ' ' + isNaN(Date.parse('2026-12-08T10:00:00Z'))", "true true"},
    ZoneCase{CET, "Date.parse('12/8/26') === Date.UTC(1926, 11, 7, 23)", "true"},
    ZoneCase{CET, "Date.parse('December 8, 2026 15:51:49') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{CET, "Date.parse('8 December 2026') === Date.parse('2026 December 8')", "true"},
    ZoneCase{CET, "Date.parse('Dec 8 2026 (a comment) 10:00') === Date.UTC(2026, 11, 8, 9)", "true"},
    ZoneCase{CET, "Date.parse('Dec 8 (x (nested) y) 2026 10:00') === Date.UTC(2026, 11, 8, 9)", "true"},
    ZoneCase{CET, "Date.parse('July 10, 1995 13:30 EST') === Date.UTC(1995, 6, 10, 18, 30)", "true"},
    ZoneCase{CET, "Date.parse('July 10, 1995 1:30 PM PDT') === Date.UTC(1995, 6, 10, 20, 30)", "true"},
    ZoneCase{CET, "Date.parse('July 10, 1995 13:30 UTC+0200') === Date.UTC(1995, 6, 10, 11, 30)", "true"},
    ZoneCase{CET, "Date.parse('7/20/96 12:00 AM') === Date.UTC(1996, 6, 19, 22)", "true"},
    ZoneCase{CET, "Date.parse('7/20/96 12:30 PM') === Date.UTC(1996, 6, 20, 10, 30)", "true"},
    ZoneCase{CET, "var d = new Date(2026, 2, 29, 12, 34, 56); Date.parse(d.toString()) === d.getTime()", "true"},
    ZoneCase{CET, "var d = new Date(2026, 2, 29, 12, 34, 56); Date.parse(d.toLocaleString()) === d.getTime()", "true"},
    ZoneCase{CET, "var d = new Date(2026, 9, 1, 8); Date.parse(d.toUTCString()) === d.getTime()", "true"},
    ZoneCase{CET, "new Date('12/8/2026').getDate() + ' ' + new Date('12/8/2026').getHours()", "8 0"},
    ZoneCase{CET, "isNaN(Date.parse('')) + ' ' + isNaN(Date.parse('tomorrow')) + ' ' + isNaN(new Date('x').getTime())", "true true true"},
    ZoneCase{WEST, "Date.parse('12/8/2026') === Date.UTC(2026, 11, 8, 3)", "true"},
    ZoneCase{WEST, "var d = new Date(2026, 11, 8, 23, 59); Date.parse(d.toString()) === d.getTime()", "true"},
    ZoneCase{WEST, "Date.parse('Tue Dec 8 15:51:49 UTC+0100 2026') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{HALF, "Date.parse('Tue Dec 8 20:21:49 UTC+0530 2026') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    ZoneCase{HALF, "Date.parse('12/8/2026') === Date.UTC(2026, 11, 7, 18, 30)", "true"}));

}  // namespace
}  // namespace quillo::jscript::test
