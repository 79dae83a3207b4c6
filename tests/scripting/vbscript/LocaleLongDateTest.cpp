// Long dates read back in every locale: with and without the weekday, names in any case,
// filler words ("de", "den") and date marks taken out; text that only looks like one
// still is no date.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class LongDates : public ::testing::TestWithParam<int> {};

// Twelve dates over twelve years, each month and weekday, each written five ways; every
// text that does not read back as its date is shown.
constexpr const char* kReadBack =
    "For m = 1 To 12\n"
    "  d = DateSerial(1995 + m, m, 2 * m + 3)\n"
    "  t = FormatDateTime(d, 1)\n"
    "  bare = Trim(Replace(t, WeekdayName(Weekday(d)), \"\", 1, -1, 1))\n"
    "  If Left(bare, 1) = \",\" Then bare = Trim(Mid(bare, 2))\n"
    "  For Each s In Array(t, UCase(t), LCase(t), bare, UCase(bare), WeekdayName(Weekday(d)) & \" \" & bare)\n"
    "    If Not IsDate(s) Then\n"
    "      console.log \"no date: \" & s\n"
    "    ElseIf CDate(s) <> d Then\n"
    "      console.log s & \" read as \" & CDate(s)\n"
    "    End If\n"
    "  Next\n"
    "Next\n"
    "console.log \"checked\"\n";

TEST_P(LongDates, ReadBackAsTheirDate)
{
    const std::string source = "SetLocale " + std::to_string(GetParam()) + "\n" + kReadBack;
    EXPECT_EQ(outputOf(source), "checked\n") << "locale " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(EveryLocale, LongDates,
                         ::testing::Values(1031, 1033, 1036, 1040, 1041, 1043, 1046, 1053, 2057, 3081, 3082, 4105,
                                           0x10407, 0x40411, 1034));

class NotDates : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(NotDates, StayNoDate)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(LongDateWords, NotDates, ::testing::Values(
    ScriptCase{"filler words alone", "SetLocale 3082\nconsole.log IsDate(\"de\") & IsDate(\"de de\") & IsDate(\"2 de enerox de 2003\")", "FalseFalseFalse\n"},
    ScriptCase{"filler inside a word stays", "SetLocale 1053\nconsole.log IsDate(\"denn 2 januari 2003\") & IsDate(\"den 2 januari 2003\")", "FalseTrue\n"},
    ScriptCase{"a misspelt month", "SetLocale 1046\nconsole.log IsDate(\"2 de janeir de 2003\") & IsDate(\"2 de JANEIRO de 2003\")", "FalseTrue\n"},
    ScriptCase{"marks without numbers", "SetLocale 1041\nconsole.log IsDate(\"\u5E74\u6708\u65E5\") & IsDate(\"2003\u5E74\") & IsDate(\"\u5E742003\u67081\")", "FalseFalseFalse\n"},
    ScriptCase{"marks read with a time and blanks", "SetLocale 1041\nd = CDate(\"2003\u5E7412\u670824\u65E5 18:30\")\ne = CDate(\"2003\u5E74 1\u6708 2\u65E5\")\nconsole.log Year(d) & \" \" & Month(d) & \" \" & Day(d) & \" \" & Hour(d) & \"|\" & Month(e) & Day(e)", "2003 12 24 18|12\n"},
    ScriptCase{"a weekday mark is no date mark", "SetLocale 1041\nconsole.log Weekday(\"\u6728\u66DC\u65E5 2003/01/02\") & Day(\"2003/01/02 \u6728\u66DC\u65E5\")", "52\n"},
    ScriptCase{"an impossible day", "SetLocale 1031\nconsole.log IsDate(\"Montag, 31. Februar 2003\") & IsDate(\"Montag, 3. Februar 2003\")", "FalseTrue\n"},
    ScriptCase{"year-first text with the year last reads month first", "SetLocale 1053\nconsole.log Month(\"02/01/2003\") & \" \" & Month(\"2003-02-01\") & \" \" & Day(\"03-02-01\")", "2 2 1\n"}));

} // namespace
} // namespace quillo::vbscript::testing
