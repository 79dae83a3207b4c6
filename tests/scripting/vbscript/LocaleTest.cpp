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

// One date and one number shown every way a locale changes them, and the date read back
// from each of its texts. The hour is below ten to tell "H" from "HH" and AM from PM.
constexpr const char* kShow =
    "d = DateSerial(2003, 1, 2) + TimeSerial(7, 5, 9)\n"
    "console.log CStr(d) & \"|\" & CStr(DateSerial(2003, 1, 2)) & \"|\" & CStr(TimeSerial(7, 5, 9))\n"
    "console.log FormatDateTime(d, 1) & \"|\" & FormatDateTime(d, 2) & \"|\" & FormatDateTime(d, 3) & \"|\" & FormatDateTime(d, 4)\n"
    "console.log CStr(1234.5) & \"|\" & FormatNumber(1234567.891) & \"|\" & FormatCurrency(-1234.5) & \"|\" & FormatPercent(0.5)\n"
    "console.log MonthName(3) & \"|\" & MonthName(3, True) & \"|\" & MonthName(4, True) & \"|\" & WeekdayName(5) & \"|\" & WeekdayName(5, True)\n"
    "console.log (CDate(CStr(d)) = d) & \"|\" & (CDate(FormatDateTime(d, 2)) = DateValue(d)) & \"|\" & (CDate(FormatDateTime(d, 1)) = DateValue(d)) & \"|\" & (CDate(FormatDateTime(d, 3)) = TimeSerial(7, 5, 9))\n";

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

#define ROUND_TRIP "True|True|True|True\n"

INSTANTIATE_TEST_SUITE_P(SetLocale, Locales, ::testing::Values(
    ScriptCase{"default", "console.log GetLocale()", "1033\n"},
    ScriptCase{"returns the previous id", "console.log SetLocale(2057) & \" \" & SetLocale(\"de-DE\") & \" \" & GetLocale()", "1033 2057 1031\n"},
    ScriptCase{"no argument restores the default", "SetLocale 1036 : SetLocale : console.log GetLocale()", "1033\n"},
    ScriptCase{"0 is the default", "SetLocale 1031 : SetLocale 0 : console.log GetLocale()", "1033\n"},
    ScriptCase{"unknown ids raise 5", "On Error Resume Next\nSetLocale 99999\nconsole.log Err.Number & \" \" & GetLocale()", "5 1033\n"},
    ScriptCase{"unknown tags raise 5", "On Error Resume Next\nSetLocale \"xx-yy\"\nconsole.log Err.Number & \" \" & GetLocale()", "5 1033\n"},
    ScriptCase{"tags in any case", "console.log SetLocale(\"de-de\") & \" \" & SetLocale(\"DE-DE\") & \" \" & SetLocale(\"De_dE\") & \" \" & GetLocale()", "1033 1031 1031 1031\n"},
    ScriptCase{"a sort order formats as its language and keeps its id",
               "SetLocale &H10407\nconsole.log GetLocale() & \"|\" & FormatNumber(1.5) & \"|\" & MonthName(3) & \"|\" & CDate(\"24.12.2003\") & \"|\" & SetLocale(1033)",
               "66567|1,50|M\u00E4rz|24.12.2003|66567\n"},
    ScriptCase{"sort orders of the other languages",
               "SetLocale 1034 : a = GetLocale() & \" \" & MonthName(1)\nSetLocale &H40411 : console.log a & \"|\" & GetLocale() & \" \" & FormatCurrency(5)",
               "1034 enero|263185 \u00A55\n"},
    ScriptCase{"sort orders by tag", "SetLocale \"de-DE_phoneb\" : a = GetLocale()\nSetLocale \"ES-es_TRADNL\" : console.log a & \" \" & GetLocale() & \" \" & MonthName(2)",
               "66567 1034 febrero\n"},
    ScriptCase{"a sort order a language does not have raises 5",
               "On Error Resume Next\nSetLocale 1031\nSetLocale &H20407\na = Err.Number : Err.Clear\nSetLocale &H10409\nb = Err.Number : Err.Clear\nSetLocale \"en-US_phoneb\"\nconsole.log a & \" \" & b & \" \" & Err.Number & \" \" & GetLocale()",
               "5 5 5 1031\n"},
    ScriptCase{"en-US", kShow,
               "1/2/2003 7:05:09 AM|1/2/2003|7:05:09 AM\n"
               "Thursday, January 2, 2003|1/2/2003|7:05:09 AM|07:05\n"
               "1234.5|1,234,567.89|($1,234.50)|50.00%\n"
               "March|Mar|Apr|Thursday|Thu\n" ROUND_TRIP},
    ScriptCase{"en-GB", kGB.c_str(),
               "02/01/2003 07:05:09|02/01/2003|07:05:09\n"
               "02 January 2003|02/01/2003|07:05:09|07:05\n"
               "1234.5|1,234,567.89|-\u00A31,234.50|50.00%\n"
               "March|Mar|Apr|Thursday|Thu\n" ROUND_TRIP},
    ScriptCase{"de-DE", kDE.c_str(),
               "02.01.2003 07:05:09|02.01.2003|07:05:09\n"
               "Donnerstag, 2. Januar 2003|02.01.2003|07:05:09|07:05\n"
               "1234,5|1.234.567,89|-1.234,50 \u20AC|50,00%\n"
               "M\u00E4rz|M\u00E4r|Apr|Donnerstag|Do\n" ROUND_TRIP},
    ScriptCase{"fr-FR", kFR.c_str(),
               "02/01/2003 07:05:09|02/01/2003|07:05:09\n"
               "jeudi 2 janvier 2003|02/01/2003|07:05:09|07:05\n"
               "1234,5|1\u00A0234\u00A0567,89|-1\u00A0234,50 \u20AC|50,00%\n"
               "mars|mars|avr.|jeudi|jeu.\n" ROUND_TRIP},
    ScriptCase{"en-AU", kAU.c_str(),
               "2/01/2003 7:05:09 AM|2/01/2003|7:05:09 AM\n"
               "Thursday, 2 January 2003|2/01/2003|7:05:09 AM|07:05\n"
               "1234.5|1,234,567.89|-$1,234.50|50.00%\n"
               "March|Mar|Apr|Thursday|Thu\n" ROUND_TRIP},
    ScriptCase{"en-CA", kCA.c_str(),
               "02/01/2003 7:05:09 AM|02/01/2003|7:05:09 AM\n"
               "January 2, 2003|02/01/2003|7:05:09 AM|07:05\n"
               "1234.5|1,234,567.89|-$1,234.50|50.00%\n"
               "March|Mar|Apr|Thursday|Thu\n" ROUND_TRIP},
    ScriptCase{"es-ES", kES.c_str(),
               "02/01/2003 7:05:09|02/01/2003|7:05:09\n"
               "jueves, 02 de enero de 2003|02/01/2003|7:05:09|07:05\n"
               "1234,5|1.234.567,89|-1.234,50 \u20AC|50,00%\n"
               "marzo|mar|abr|jueves|jue\n" ROUND_TRIP},
    ScriptCase{"it-IT", kIT.c_str(),
               "02/01/2003 07:05:09|02/01/2003|07:05:09\n"
               "gioved\u00EC 2 gennaio 2003|02/01/2003|07:05:09|07:05\n"
               "1234,5|1.234.567,89|-\u20AC 1.234,50|50,00%\n"
               "marzo|mar|apr|gioved\u00EC|gio\n" ROUND_TRIP},
    ScriptCase{"nl-NL", kNL.c_str(),
               "2-1-2003 7:05:09|2-1-2003|7:05:09\n"
               "donderdag 2 januari 2003|2-1-2003|7:05:09|07:05\n"
               "1234,5|1.234.567,89|\u20AC -1.234,50|50,00%\n"
               "maart|mrt|apr|donderdag|do\n" ROUND_TRIP},
    ScriptCase{"pt-BR", kBR.c_str(),
               "02/01/2003 07:05:09|02/01/2003|07:05:09\n"
               "quinta-feira, 2 de janeiro de 2003|02/01/2003|07:05:09|07:05\n"
               "1234,5|1.234.567,89|-R$ 1.234,50|50,00%\n"
               "mar\u00E7o|mar|abr|quinta-feira|qui\n" ROUND_TRIP},
    ScriptCase{"sv-SE", kSE.c_str(),
               "2003-01-02 07:05:09|2003-01-02|07:05:09\n"
               "den 2 januari 2003|2003-01-02|07:05:09|07:05\n"
               "1234,5|1\u00A0234\u00A0567,89|-1\u00A0234,50 kr|50,00%\n"
               "mars|mar|apr|torsdag|to\n" ROUND_TRIP},
    ScriptCase{"ja-JP", kJP.c_str(),
               "2003/01/02 7:05:09|2003/01/02|7:05:09\n"
               "2003\u5E741\u67082\u65E5|2003/01/02|7:05:09|07:05\n"
               "1234.5|1,234,567.89|-\u00A51,235|50.00%\n"
               "3\u6708|3|4|\u6728\u66DC\u65E5|\u6728\n" ROUND_TRIP},
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
    ScriptCase{"French group blanks", "SetLocale \"fr-FR\"\nconsole.log (CDbl(\"1 234,5\") = 1234.5) & \" \" & (CDbl(\"1\u202F234,5\") = 1234.5) & \" \" & (CDbl(\"1\u00A0234,5\") = 1234.5)",
               "True True True\n"},
    ScriptCase{"back to the default", "SetLocale 1031\nx = CStr(0.5)\nSetLocale 1033\nconsole.log x & \" \" & CStr(0.5)", "0,5 0.5\n"}));

} // namespace
} // namespace quillo::vbscript::testing
