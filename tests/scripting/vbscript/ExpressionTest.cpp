// Operators: result values and subtypes (promotion on overflow), comparisons, Null and
// three-valued logic, precedence.
#include "tests/scripting/vbscript/ScriptHarness.h"

#include "scripting/core/Text.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

struct ValueCase {
    const char* expr;
    const char* expected; // "value TypeName", or "error N"
};

std::string evaluate(const std::string& expr)
{
    RunResult r = runScript("On Error Resume Next\nv = " + expr +
                            "\nIf Err.Number <> 0 Then\nconsole.log \"error \" & Err.Number\n"
                            "Else\nconsole.log v & \" \" & TypeName(v)\nEnd If");
    if (r.error)
        return "uncaught " + std::to_string(r.error->number);
    return r.lines.empty() ? "" : r.lines[0];
}

class Values : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Values, MatchTheLanguageRules)
{
    EXPECT_EQ(evaluate(GetParam().expr), GetParam().expected) << GetParam().expr;
}

INSTANTIATE_TEST_SUITE_P(Promotion, Values, ::testing::Values(
    ValueCase{"32767 + 1", "32768 Long"},
    ValueCase{"-32768 - 1", "-32769 Long"},
    ValueCase{"CInt(200) * CInt(200)", "40000 Long"},
    ValueCase{"2147483647 + 1", "2147483648 Double"},
    ValueCase{"CByte(200) + CByte(55)", "255 Byte"},
    ValueCase{"CByte(200) + CByte(56)", "256 Integer"},
    ValueCase{"CByte(0) - CByte(1)", "-1 Integer"},
    ValueCase{"CSng(1.5) + 1", "2.5 Single"},
    ValueCase{"CSng(1.5) + 100000", "100001.5 Double"},
    ValueCase{"CCur(1.5) + 1", "2.5 Currency"},
    ValueCase{"CCur(0.1) * 3", "0.3 Currency"},
    ValueCase{"True + True", "-2 Integer"},
    ValueCase{"Empty + 1", "1 Integer"},
    ValueCase{"\"2\" + 1", "3 Double"},
    ValueCase{"\"2\" + \"1\"", "21 String"},
    ValueCase{"\"a\" + Empty", "a String"},
    ValueCase{"#1/2/2003# + 1", "1/3/2003 Date"},
    ValueCase{"#1/3/2003# - #1/2/2003#", "1 Double"},
    ValueCase{"7 / 2", "3.5 Double"},
    ValueCase{"7 \\ 2", "3 Integer"},
    ValueCase{"7.5 \\ 2", "4 Long"},
    ValueCase{"-7 Mod 3", "-1 Integer"},
    ValueCase{"100000 Mod 7", "5 Long"},
    ValueCase{"2 ^ 10", "1024 Double"},
    ValueCase{"-CInt(-32768)", "32768 Long"},
    ValueCase{"-2 ^ 2", "-4 Double"},
    ValueCase{"2 ^ -1", "0.5 Double"},
    ValueCase{"1 + 2 * 3 ^ 2", "19 Double"},
    ValueCase{"10 - 2 - 3", "5 Integer"},
    ValueCase{"7 \\ 2 * 2", "1 Integer"},
    ValueCase{"5 Mod 3 + 1", "3 Integer"},
    ValueCase{"1 & 2 + 3", "15 String"},
    ValueCase{"\"a\" & Null", "a String"},
    ValueCase{"1 / 0", "error 11"},
    ValueCase{"0 / 0", "error 6"},
    ValueCase{"5 \\ 0", "error 11"},
    ValueCase{"1e308 * 10", "error 6"},
    ValueCase{"\"a\" * 2", "error 13"},
    ValueCase{"CCur(922337203685477) * 100", "error 6"},
    ValueCase{"3000000000 \\ 2", "error 6"},
    ValueCase{"CInt(1) + CLng(1)", "2 Long"},
    ValueCase{"CLng(2147483647) + CLng(1)", "2147483648 Double"},
    ValueCase{"CByte(2) * CByte(200)", "400 Integer"},
    ValueCase{"CByte(5) - 10", "-5 Integer"},
    ValueCase{"CBool(True) + CByte(1)", "0 Integer"},
    ValueCase{"32767 * 2", "65534 Long"},
    ValueCase{"CLng(65536) * 65536", "4294967296 Double"},
    ValueCase{"CSng(1) + CLng(1)", "2 Double"},
    ValueCase{"CSng(1) + CCur(1)", "2 Currency"},
    ValueCase{"CCur(1) + #1/1/2003#", "1/2/2003 Date"},
    ValueCase{"\"3\" * \"4\"", "12 Double"},
    ValueCase{"-\"2\"", "-2 Double"},
    ValueCase{"CDbl(5) \\ 2", "2 Long"},
    ValueCase{"CCur(7) Mod 2", "1 Long"},
    ValueCase{"Null + 1", " Null"},
    ValueCase{"\"\" + 1", "error 13"}));

INSTANTIATE_TEST_SUITE_P(Comparison, Values, ::testing::Values(
    ValueCase{"1 < 2", "True Boolean"},
    ValueCase{"\"a\" < \"b\"", "True Boolean"},
    ValueCase{"\"B\" < \"a\"", "True Boolean"},
    ValueCase{"\"abc\" = \"ABC\"", "False Boolean"},
    ValueCase{"Empty = 0", "True Boolean"},
    ValueCase{"Empty = \"\"", "True Boolean"},
    ValueCase{"True = -1", "True Boolean"},
    ValueCase{"1 = 1.0", "True Boolean"},
    ValueCase{"CCur(0.1) + CCur(0.2) = CCur(0.3)", "True Boolean"},
    ValueCase{"0.1 + 0.2 = 0.3", "False Boolean"},
    ValueCase{"#1/2/2003# > #1/1/2003#", "True Boolean"},
    ValueCase{"IsNull(Null = Null)", "True Boolean"},
    ValueCase{"IsNull(1 < Null)", "True Boolean"},
    ValueCase{"Not 1 = 2", "True Boolean"},
    ValueCase{"1 < 2 = True", "True Boolean"},
    ValueCase{"Nothing Is Nothing", "True Boolean"},
    ValueCase{"1 Is Nothing", "error 424"},
    ValueCase{"\"10\" < \"9\"", "True Boolean"},
    ValueCase{"Empty < 1", "True Boolean"},
    ValueCase{"CCur(1) = 1", "True Boolean"},
    ValueCase{"CSng(0.1) = 0.1", "False Boolean"},
    ValueCase{"#1/1/2003# = 37622", "True Boolean"}));

INSTANTIATE_TEST_SUITE_P(Logic, Values, ::testing::Values(
    ValueCase{"True And False", "False Boolean"},
    ValueCase{"6 And 3", "2 Integer"},
    ValueCase{"6 Or 3", "7 Integer"},
    ValueCase{"6 Xor 3", "5 Integer"},
    ValueCase{"Not 0", "-1 Integer"},
    ValueCase{"Not True", "False Boolean"},
    ValueCase{"Not CByte(1)", "254 Byte"},
    ValueCase{"Not Empty", "-1 Integer"},
    ValueCase{"True Eqv False", "False Boolean"},
    ValueCase{"False Imp False", "True Boolean"},
    ValueCase{"Null And False", "False Boolean"},
    ValueCase{"IsNull(Null And True)", "True Boolean"},
    ValueCase{"Null Or True", "True Boolean"},
    ValueCase{"IsNull(Null Or False)", "True Boolean"},
    ValueCase{"IsNull(Null Xor True)", "True Boolean"},
    ValueCase{"False Imp Null", "True Boolean"},
    ValueCase{"IsNull(True Imp Null)", "True Boolean"},
    ValueCase{"Null Imp True", "True Boolean"},
    ValueCase{"65536 And 65535", "0 Long"},
    ValueCase{"True Or 1 = 2 And False", "True Boolean"},
    ValueCase{"Not 1.5", "-3 Long"},
    ValueCase{"Not CCur(1)", "-2 Long"},
    ValueCase{"IsNull(Not Null)", "True Boolean"}));

INSTANTIATE_TEST_SUITE_P(Literals, Values, ::testing::Values(
    ValueCase{"&HFFFF", "-1 Integer"},
    ValueCase{"&HFFFF&", "65535 Long"},
    ValueCase{"&H10000", "65536 Long"},
    ValueCase{"&O777", "511 Integer"},
    ValueCase{"&17 + 1", "16 Integer"},
    ValueCase{"&17&", "15 Long"},
    ValueCase{"\"a\" & 1", "a1 String"},
    ValueCase{"1.5E3", "1500 Double"},
    ValueCase{".25", "0.25 Double"},
    ValueCase{"\"say \"\"hi\"\"\"", "say \"hi\" String"},
    ValueCase{"#12/30/1899#", "12:00:00 AM Date"},
    ValueCase{"[my var] + 1", "1 Integer"},
    ValueCase{"1 + _\n 2", "3 Integer"}));

// Text against numbers: literals are hard-typed, two variables put numbers before text.
TEST(Comparisons, TextAgainstNumbers)
{
    RunResult r = runScript(
        "a = \"1\" : b = 1 : c = \"10\"\n"
        "console.log (a = 1) & \" \" & (a = b) & \" \" & (1 = a) & \" \" & (b = \"1\")\n"
        "console.log (c > 9) & \" \" & (c > b) & \" \" & (b < \"x\")\n"
        "Const ONE = 1\nconsole.log (a = ONE)\n"
        "Select Case a\nCase 1 : console.log \"case\"\nCase Else : console.log \"else\"\nEnd Select\n"
        "On Error Resume Next\nx = (\"z\" < 1)\nconsole.log Err.Number\nd = \"z\"\nx = (d < 1)\nconsole.log Err.Number");
    EXPECT_EQ(r.text(), "True False True True\nTrue True True\nTrue\ncase\n0\n13\n");
}

// Conditions: Null and Empty are False, text must read as a Boolean or number.
TEST(Conditions, TruthOfValues)
{
    RunResult r = runScript(
        "If Null Then console.log \"t\" Else console.log \"f\"\n"
        "If Empty Then console.log \"t\" Else console.log \"f\"\n"
        "If \"True\" Then console.log \"t\" Else console.log \"f\"\n"
        "If 0.5 Then console.log \"t\" Else console.log \"f\"\n"
        "On Error Resume Next\n"
        "If \"abc\" Then console.log \"t\" Else console.log \"f\"\n"
        "console.log Err.Number");
    EXPECT_EQ(r.text(), "f\nf\nt\nt\nt\n13\n");
}

} // namespace
} // namespace quillo::vbscript::testing
