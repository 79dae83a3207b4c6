// SetLocale and GetLocale, and what a locale other than the default changes: dates and
// decimals as text, the Format functions, names, and reading dates and numbers.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class Locales : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Locales, FormatAndParseInTheirConventions)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

// One date and one number shown every way a locale changes them.
constexpr const char* kShow =
    "d = DateSerial(2003, 1, 2) + TimeSerial(16, 5, 9)\n"
    "console.log CStr(d) & \"|\" & CStr(DateSerial(2003, 1, 2)) & \"|\" & CStr(TimeSerial(16, 5, 9))\n"
    "console.log FormatDateTime(d, 1) & \"|\" & FormatDateTime(d, 2) & \"|\" & FormatDateTime(d, 3) & \"|\" & FormatDateTime(d, 4)\n"
    "console.log CStr(1234.5) & \"|\" & FormatNumber(1234567.891) & \"|\" & FormatCurrency(-1234.5) & \"|\" & FormatPercent(0.5)\n"
    "console.log MonthName(3) & \"|\" & MonthName(3, True) & \"|\" & WeekdayName(1) & \"|\" & WeekdayName(5, True)\n";

const std::string kGB = std::string("SetLocale 2057\n") + kShow;
const std::string kDE = std::string("SetLocale 1031\n") + kShow;
const std::string kFR = std::string("SetLocale 1036\n") + kShow;
const std::string kAU = std::string("SetLocale 3081\n") + kShow;
const std::string kCA = std::string("SetLocale \"en-CA\"\n") + kShow;
const std::string kES = std::string("SetLocale 3082\n") + kShow;
const std::string kIT = std::string("SetLocale \"it_IT\"\n") + kShow;
const std::string kNL = std::string("SetLocale 1043\n") + kShow;
const std::string kBR = std::string("SetLocale \"PT-BR\"\n") + kShow;
const std::string kSE = std::string("SetLocale 1053\n") + kShow;
const std::string kJP = std::string("SetLocale 1041\n") + kShow;

INSTANTIATE_TEST_SUITE_P(SetLocale, Locales, ::testing::Values(
    ScriptCase{"default", "console.log GetLocale()", "1033\n"},
    ScriptCase{"returns the previous id", "console.log SetLocale(2057) & \" \" & SetLocale(\"de-DE\") & \" \" & GetLocale()", "1033 2057 1031\n"},
    ScriptCase{"no argument restores the default", "SetLocale 1036 : SetLocale : console.log GetLocale()", "1033\n"},
    ScriptCase{"0 is the default", "SetLocale 1031 : SetLocale 0 : console.log GetLocale()", "1033\n"},
    ScriptCase{"unknown ids raise 5", "On Error Resume Next\nSetLocale 99999\nconsole.log Err.Number & \" \" & GetLocale()", "5 1033\n"},
    ScriptCase{"unknown tags raise 5", "On Error Resume Next\nSetLocale \"xx-yy\"\nconsole.log Err.Number & \" \" & GetLocale()", "5 1033\n"},
    ScriptCase{"en-US", kShow,
               "1/2/2003 4:05:09 PM|1/2/2003|4:05:09 PM\n"
               "Thursday, January 2, 2003|1/2/2003|4:05:09 PM|16:05\n"
               "1234.5|1,234,567.89|($1,234.50)|50.00%\n"
               "March|Mar|Sunday|Thu\n"},
    ScriptCase{"en-GB", kGB.c_str(),
               "02/01/2003 16:05:09|02/01/2003|16:05:09\n"
               "02 January 2003|02/01/2003|16:05:09|16:05\n"
               "1234.5|1,234,567.89|-\u00A31,234.50|50.00%\n"
               "March|Mar|Sunday|Thu\n"},
    ScriptCase{"de-DE", kDE.c_str(),
               "02.01.2003 16:05:09|02.01.2003|16:05:09\n"
               "Donnerstag, 2. Januar 2003|02.01.2003|16:05:09|16:05\n"
               "1234,5|1.234.567,89|-1.234,50 \u20AC|50,00%\n"
               "M\u00E4rz|M\u00E4r|Sonntag|Do\n"},
    ScriptCase{"fr-FR", kFR.c_str(),
               "02/01/2003 16:05:09|02/01/2003|16:05:09\n"
               "jeudi 2 janvier 2003|02/01/2003|16:05:09|16:05\n"
               "1234,5|1\u00A0234\u00A0567,89|-1\u00A0234,50 \u20AC|50,00%\n"
               "mars|mars|dimanche|jeu.\n"},
    ScriptCase{"en-AU", kAU.c_str(),
               "2/01/2003 4:05:09 PM|2/01/2003|4:05:09 PM\n"
               "Thursday, 2 January 2003|2/01/2003|4:05:09 PM|16:05\n"
               "1234.5|1,234,567.89|-$1,234.50|50.00%\n"
               "March|Mar|Sunday|Thu\n"},
    ScriptCase{"en-CA", kCA.c_str(),
               "02/01/2003 4:05:09 PM|02/01/2003|4:05:09 PM\n"
               "January 2, 2003|02/01/2003|4:05:09 PM|16:05\n"
               "1234.5|1,234,567.89|-$1,234.50|50.00%\n"
               "March|Mar|Sunday|Thu\n"},
    ScriptCase{"es-ES", kES.c_str(),
               "02/01/2003 16:05:09|02/01/2003|16:05:09\n"
               "jueves, 02 de enero de 2003|02/01/2003|16:05:09|16:05\n"
               "1234,5|1.234.567,89|-1.234,50 \u20AC|50,00%\n"
               "marzo|mar|domingo|jue\n"},
    ScriptCase{"it-IT", kIT.c_str(),
               "02/01/2003 16:05:09|02/01/2003|16:05:09\n"
               "gioved\u00EC 2 gennaio 2003|02/01/2003|16:05:09|16:05\n"
               "1234,5|1.234.567,89|-\u20AC 1.234,50|50,00%\n"
               "marzo|mar|domenica|gio\n"},
    ScriptCase{"nl-NL", kNL.c_str(),
               "2-1-2003 16:05:09|2-1-2003|16:05:09\n"
               "donderdag 2 januari 2003|2-1-2003|16:05:09|16:05\n"
               "1234,5|1.234.567,89|-\u20AC 1.234,50|50,00%\n"
               "maart|mrt|zondag|do\n"},
    ScriptCase{"pt-BR", kBR.c_str(),
               "02/01/2003 16:05:09|02/01/2003|16:05:09\n"
               "quinta-feira, 2 de janeiro de 2003|02/01/2003|16:05:09|16:05\n"
               "1234,5|1.234.567,89|-R$ 1.234,50|50,00%\n"
               "mar\u00E7o|mar|domingo|qui\n"},
    ScriptCase{"sv-SE", kSE.c_str(),
               "2003-01-02 16:05:09|2003-01-02|16:05:09\n"
               "den 2 januari 2003|2003-01-02|16:05:09|16:05\n"
               "1234,5|1\u00A0234\u00A0567,89|-1\u00A0234,50 kr|50,00%\n"
               "mars|mar|s\u00F6ndag|to\n"},
    ScriptCase{"ja-JP", kJP.c_str(),
               "2003/01/02 16:05:09|2003/01/02|16:05:09\n"
               "2003\u5E741\u67082\u65E5|2003/01/02|16:05:09|16:05\n"
               "1234.5|1,234,567.89|-\u00A51,235|50.00%\n"
               "3\u6708|3|\u65E5\u66DC\u65E5|\u6728\n"},
    ScriptCase{"dates read year first", "SetLocale 1053\nconsole.log Month(\"2003-01-02\") & Day(\"2003-01-02\") & \"|\" & Day(\"1/2\")\nSetLocale 1041\nconsole.log Month(\"2003/01/02\") & Day(\"2003/01/02\")",
               "12|2\n12\n"},
    ScriptCase{"local month and weekday names are read", "SetLocale 1043\nconsole.log Month(\"2 maart 2003\") & Weekday(\"zondag 2 maart 2003\") & Month(\"2-1-2003\")\nSetLocale 3082\nconsole.log Month(\"MAR 2, 2003\") & \" \" & IsDate(\"martes 4 marzo 2003\") & \" \" & IsDate(\"4 marzal 2003\")",
               "311\n3 True False\n"},
    ScriptCase{"dates read day first", "SetLocale 2057\nd = CDate(\"02/01/2003\")\nconsole.log Month(d) & \" \" & Day(d) & \" \" & IsDate(\"31/12/2003\") & \" \" & IsDate(\"32/01/2003\")",
               "1 2 True False\n"},
    ScriptCase{"German dates with dots", "SetLocale 1031\nd = CDate(\"24.12.2003 18:30\")\nconsole.log Year(d) & \" \" & Month(d) & \" \" & Day(d) & \" \" & Hour(d)",
               "2003 12 24 18\n"},
    ScriptCase{"decimal comma", "SetLocale 1031\nconsole.log CDbl(\"1.234,5\") * 2 & \" \" & CLng(\"2,5\") & \" \" & CCur(\"0,25\")",
               "2469 2 0,25\n"},
    ScriptCase{"date functions read the locale", "SetLocale 2057\nconsole.log Month(\"02/01/2003\") & \" \" & Day(DateValue(\"02/01/2003\")) & \" \" & Weekday(\"04/01/2003\") & \" \" & FormatDateTime(\"02/01/2003\", 2)", "1 2 7 02/01/2003\n"},
    ScriptCase{"IsNumeric reads the locale", "SetLocale 1031\nconsole.log IsNumeric(\"1,5\") & \" \" & IsNumeric(\"1x\")", "True False\n"},
    ScriptCase{"French group blanks", "SetLocale \"fr-FR\"\nconsole.log CDbl(\"1 234,5\") = 1234.5",
               "True\n"},
    ScriptCase{"back to the default", "SetLocale 1031\nx = CStr(0.5)\nSetLocale 1033\nconsole.log x & \" \" & CStr(0.5)", "0,5 0.5\n"}));

} // namespace
} // namespace quillo::vbscript::testing
