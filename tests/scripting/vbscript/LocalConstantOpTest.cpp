// `local op constant` runs as one instruction: every operand type, overflow, Null,
// Empty and text must give what the same operator gives on the operand stack (`(n)`
// keeps the expression off the one-instruction form), including the error raised.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo::vbscript::testing {
namespace {

// Local values as the script makes them: Integer, Long, Double, text, Empty, Null, Boolean, Date.
const char* const kValues[] = {
    "CInt(5)", "CInt(32767)", "CInt(-32768)", "CLng(2147483647)", "CLng(-2147483647) - 1", "1.5", "1E308",
    "\"7\"", "\"abc\"", "\"\"", "Empty", "Null", "True", "CDate(\"2001-02-03\")",
};
const char* const kConstants[] = {"1", "2", "32767", "40000", "0.5", "\"2\"", "\"\"", "True"};
const char* const kOperators[] = {"+", "-", "<", ">", "=", "<>", "<=", ">="};

class LocalWithConstant : public ::testing::TestWithParam<const char*> {};

// One function per operator: each value, once held in a local and once passed by
// reference (a parameter's deref), against each constant, in value and in an If.
std::string differentialScript(const std::string& op)
{
    std::string s = "Function Show(r, e) : If e <> 0 Then Show = \"error \" & e Else Show = TypeName(r) & \" \" & r\n"
                    "End Function\n"
                    "Sub Check(p, label)\nDim n, a, b, ea, eb\nn = p\nOn Error Resume Next\n";
    for (const char* k : kConstants) {
        for (const char* lhs : {"n", "p"}) {
            std::string l = lhs;
            s += "Err.Clear : a = Empty : a = " + l + " " + op + " " + k + " : ea = Err.Number\n";
            s += "Err.Clear : b = Empty : b = (" + l + ") " + op + " " + k + " : eb = Err.Number\n";
            s += "If Show(a, ea) <> Show(b, eb) Then console.log label & \" " + l + " " + op + " \" & \"" +
                 std::string(k[0] == '"' ? "text" : k) + "\" & \": \" & Show(a, ea) & \" vs \" & Show(b, eb)\n";
            s += "Err.Clear : a = \"none\" : If " + l + " " + op + " " + k + " Then a = \"then\" Else a = \"else\"\n";
            s += "Err.Clear : b = \"none\" : If (" + l + ") " + op + " " + k + " Then b = \"then\" Else b = \"else\"\n";
            s += "If a <> b Then console.log label & \" If " + l + " " + op + ": \" & a & \" vs \" & b\n";
        }
    }
    s += "End Sub\n";
    for (const char* v : kValues) {
        std::string label = v;
        for (char& c : label)
            if (c == '"')
                c = '\'';
        s += "v = " + std::string(v) + " : Check v, \"" + label + "\"\n";
    }
    s += "console.log \"done\"\n";
    return s;
}

TEST_P(LocalWithConstant, MatchesTheStackForm)
{
    EXPECT_EQ(outputOf(differentialScript(GetParam())), "done\n") << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Operators, LocalWithConstant, ::testing::ValuesIn(kOperators));

class LocalWithConstantResult : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(LocalWithConstantResult, Runs)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, LocalWithConstantResult, ::testing::Values(
    ScriptCase{"Integer overflow promotes to Long",
               "Sub T : Dim n : n = CInt(32767) : console.log TypeName(n + 1) & \" \" & (n + 1) : End Sub\nT", "Long 32768\n"},
    ScriptCase{"Long overflow promotes to Double",
               "Sub T : Dim n : n = CLng(-2147483647) - 1 : console.log TypeName(n - 1) & \" \" & (n - 1) : End Sub\nT",
               "Double -2147483649\n"},
    ScriptCase{"Null is neither branch's condition",
               "Sub T : Dim n : n = Null : If n < 2 Then console.log \"then\" Else console.log \"else\"\nEnd Sub\nT", "else\n"},
    ScriptCase{"Null compared yields Null",
               "Sub T : Dim n : n = Null : console.log TypeName(n = 1) & \" \" & TypeName(n + 1) : End Sub\nT", "Null Null\n"},
    ScriptCase{"Empty counts as zero",
               "Sub T : Dim n : console.log (n - 1) & \" \" & (n < 1) & \" \" & TypeName(n + 1) : End Sub\nT", "-1 True Integer\n"},
    ScriptCase{"text plus number adds",
               "Sub T : Dim n : n = \"40\" : console.log (n + 2) & \" \" & TypeName(n - 2) : End Sub\nT", "42 Double\n"},
    ScriptCase{"text that is no number fails on the statement's line",
               "Sub T\nDim n : n = \"x\"\nOn Error Resume Next\nm = n - 1\nconsole.log Err.Number\nEnd Sub\nT", "13\n"},
    ScriptCase{"the fused form leaves the local as it was",
               "Sub T : Dim n : n = 5 : m = n - 1 : m = n + 1 : console.log n & \" \" & m : End Sub\nT", "5 6\n"},
    ScriptCase{"recursion through a fused argument passes a temporary",
               "Sub S(n) : If n > 0 Then S n - 1 : console.log n Else n = 99\nEnd Sub\nS 2", "1\n2\n"},
    ScriptCase{"x = y between locals copies, Set included; x = x keeps text",
               "Sub T : Dim a, b, o : a = \"s\" & 1 : b = a : a = a : b = b & \"!\" : Set o = console : Dim p : Set p = o\n"
               "console.log a & \" \" & b & \" \" & (p Is o) : End Sub\nT", "s1 s1! True\n"},
    ScriptCase{"Set between locals needs an object",
               "Sub T : Dim a, b : a = 1 : On Error Resume Next : Set b = a : console.log Err.Number & \" \" & IsEmpty(b) : End Sub\nT",
               "424 True\n"},
    ScriptCase{"recursion deep across frame chunks, twice",
               "Function D(n) : If n = 0 Then D = 0 Else D = 1 + D(n - 1)\nEnd Function\nconsole.log D(700) & \" \" & D(513) & \" \" & D(256)",
               "700 513 256\n"},
    ScriptCase{"a ByRef parameter is read through its reference",
               "Sub T(p) : console.log (p + 1) & \" \" & (p >= 3) : End Sub\nq = 3 : T q", "4 True\n"}));

} // namespace
} // namespace quillo::vbscript::testing
