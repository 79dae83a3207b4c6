// Operators and implicit conversions under a locale other than the default: text read as a
// number with the locale's separators, numbers and dates written as its text, and constant
// expressions that must wait for the run's locale.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillo::vbscript::testing {
namespace {

class LocalOperators : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(LocalOperators, ConvertInTheActiveLocale)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(German, LocalOperators, ::testing::Values(
    ScriptCase{"decimal comma in arithmetic", "SetLocale 1031\nconsole.log (\"1,5\" * 2) & \"|\" & (\"1,5\" + 1) & \"|\" & (\"3\" / \"1,5\") & \"|\" & (\"2,5\" ^ 2)",
               "3|2,5|2|6,25\n"},
    ScriptCase{"a point groups digits", "SetLocale 1031\nconsole.log (\"1.5\" * 2) & \"|\" & (\"1.234,5\" - 0)", "30|1234,5\n"},
    ScriptCase{"numbers become text with a comma", "SetLocale 1031\nx = 1.5\nconsole.log CStr(x) & \"|\" & (x & \"\") & \"|\" & (-\"1,5\") & \"|\" & CCur(2.25)",
               "1,5|1,5|-1,5|2,25\n"},
    ScriptCase{"appending numbers and dates", "SetLocale 1031\ns = \"a\"\ns = s & 2.5 & \";\" & DateSerial(2003, 1, 2)\nconsole.log s",
               "a2,5;02.01.2003\n"},
    ScriptCase{"text compared with a number literal reads as a number", "SetLocale 1031\nx = \"2,5\"\nconsole.log (x = 2.5) & \"|\" & (x < 3) & \"|\" & (x > 2.6)",
               "True|True|False\n"},
    ScriptCase{"a number compared with a text literal is its text", "SetLocale 1031\ny = 2.5\nconsole.log (y = \"2,5\") & \"|\" & (y = \"2.5\")",
               "True|False\n"},
    ScriptCase{"math functions read text", "SetLocale 1031\nconsole.log Int(\"2,7\") & \"|\" & Abs(\"-2,5\") & \"|\" & Fix(\"-2,7\") & \"|\" & Round(\"2,567\", 2) & \"|\" & Sgn(\"-0,5\") & \"|\" & Sqr(\"6,25\")",
               "2|2,5|-2|2,57|-1|2,5\n"},
    ScriptCase{"For bounds and step given as text", "SetLocale 1031\nFor i = \"0,5\" To \"2,5\" Step \"0,5\"\ns = s & i & \";\"\nNext\nconsole.log s",
               "0,5;1;1,5;2;2,5;\n"},
    ScriptCase{"conditions and logic read text", "SetLocale 1031\nIf \"0,5\" Then console.log \"then\"\nconsole.log CBool(\"0,0\") & \"|\" & (\"1,5\" Or 0) & \"|\" & (\"2,5\" \\ 1) & \"|\" & (\"7,9\" Mod 4)",
               "then\nFalse|2|2|0\n"},
    ScriptCase{"library arguments read text", "SetLocale 1031\nconsole.log Left(\"abcdef\", \"2,6\") & \"|\" & Join(Array(1.5, 2), \";\") & \"|\" & Len(1.25) & \"|\" & FormatNumber(\"1234,5\", 1)",
               "abc|1,5;2|4|1.234,5\n"},
    ScriptCase{"constants wait for the run's locale", "SetLocale 1031\nconsole.log (\"1,5\" * 2) & \"|\" & (1.5 & \"\") & \"|\" & (-\"0,5\") & \"|\" & (\"1\" & \"2\")",
               "3|1,5|-0,5|12\n"},
    ScriptCase{"a Const takes its value in the locale it is compiled in", "Const c = -\"1,5\"\nSetLocale 1031\nExecute \"Const k = -\"\"1,5\"\" : x = k * 2\"\nconsole.log c & \"|\" & x",
               "-15|-3\n"},
    ScriptCase{"text that is no number still fails", "SetLocale 1031\nconsole.log \"1,5x\" * 2", "error 13\n"},
    ScriptCase{"back to the default", "SetLocale 1031\nSetLocale 1033\nconsole.log (\"1,5\" * 2) & \"|\" & (1.5 & \"\")", "30|1.5\n"}));

INSTANTIATE_TEST_SUITE_P(French, LocalOperators, ::testing::Values(
    ScriptCase{"blanks group digits", "SetLocale 1036\nconsole.log (\"1 234,5\" * 2) & \"|\" & (\"1\u00A0000\" + 1)", "2469|1001\n"},
    ScriptCase{"numbers as text", "SetLocale 1036\nconsole.log 0.25 & \"|\" & CStr(-1.5E-20)", "0,25|-1,5E-20\n"}));

INSTANTIATE_TEST_SUITE_P(EnglishUnitedKingdom, LocalOperators, ::testing::Values(
    ScriptCase{"reads numbers like the default", "SetLocale 2057\nconsole.log (\"1,5\" * 2) & \"|\" & (\"1.5\" * 2) & \"|\" & (1.5 & \"\")", "30|3|1.5\n"},
    ScriptCase{"writes dates day first", "SetLocale 2057\nconsole.log DateSerial(2003, 1, 2) & \"\"", "02/01/2003\n"}));

TEST(LocalOperatorScope, ALocaleStaysWithItsEngine)
{
    // the same engine keeps it from one piece of code to the next
    EXPECT_EQ(runScript(std::vector<std::string>{"SetLocale 1031", "Const k = -\"1,5\"\nconsole.log k & \"|\" & 1.5"}).text(), "-1,5|1,5\n");
    // a new engine starts with the default again
    EXPECT_EQ(outputOf("SetLocale 1031"), "");
    EXPECT_EQ(outputOf("console.log (\"1,5\" * 2) & \"|\" & (1.5 & \"\")"), "30|1.5\n");
}

} // namespace
} // namespace quillo::vbscript::testing
