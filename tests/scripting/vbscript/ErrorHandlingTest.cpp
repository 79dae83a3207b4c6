// On Error Resume Next across procedure calls, the Err object, and what the host
// receives for an unhandled error (number, named description, line, column, text).
#include "tests/scripting/vbscript/ScriptCase.h"

#include "scripting/core/Text.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class Errors : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Errors, FollowTheEngineRules)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(ResumeNext, Errors, ::testing::Values(
    ScriptCase{"resumes at the next statement", "On Error Resume Next\nx = 1 / 0 : console.log \"same line\"\nconsole.log Err.Number", "same line\n11\n"},
    ScriptCase{"callee without handler is abandoned",
               "Sub Inner\nconsole.log \"a\"\nx = 1 / 0\nconsole.log \"b\"\nEnd Sub\nOn Error Resume Next\nInner\nconsole.log \"c \" & Err.Number",
               "a\nc 11\n"},
    ScriptCase{"two levels", "Sub A : B : console.log \"no\" : End Sub\nSub B : Err.Raise 77 : End Sub\nOn Error Resume Next\nA\nconsole.log Err.Number", "77\n"},
    ScriptCase{"callee handles its own",
               "Sub Inner\nOn Error Resume Next\nx = 1 / 0\nconsole.log \"inner \" & Err.Number\nEnd Sub\nInner\nconsole.log \"caller\"",
               "inner 11\ncaller\n"},
    ScriptCase{"no handler anywhere ends the run", "Sub S : x = CInt(\"z\") : End Sub\nS\nconsole.log \"no\"", "error 13\n"},
    ScriptCase{"handler in the caller of the caller",
               "Function F(n) : F = 10 / n : End Function\nFunction G(n) : G = F(n) + 1 : End Function\n"
               "On Error Resume Next\ny = \"old\"\ny = G(0)\nconsole.log y & \" \" & Err.Number",
               "old 11\n"},
    ScriptCase{"GoTo 0 switches handling off",
               "On Error Resume Next\nOn Error GoTo 0\nx = 1 / 0\nconsole.log \"no\"", "error 11\n"},
    ScriptCase{"On Error statements clear Err", "On Error Resume Next\nx = 1 / 0\nOn Error Resume Next\nconsole.log Err.Number", "0\n"},
    ScriptCase{"error in an If condition enters the Then branch",
               "On Error Resume Next\nIf 1 / 0 Then\nconsole.log \"then\"\nElse\nconsole.log \"else\"\nEnd If\nconsole.log \"after\"",
               "then\nafter\n"},
    ScriptCase{"error in the last statement of a Then branch skips the Else",
               "On Error Resume Next\nIf True Then\nx = 1 / 0\nElse\nconsole.log \"else\"\nEnd If\nconsole.log \"after\"",
               "after\n"},
    ScriptCase{"error in a For header skips the loop",
               "On Error Resume Next\nFor i = \"a\" To 3\nconsole.log \"body\"\nNext\nconsole.log \"after \" & Err.Number",
               "after 13\n"},
    ScriptCase{"error in a loop body continues the loop",
               "On Error Resume Next\nFor i = 1 To 3\nx = 1 / (i - 2)\nconsole.log i\nNext",
               "1\n2\n3\n"}));

INSTANTIATE_TEST_SUITE_P(ErrObject, Errors, ::testing::Values(
    ScriptCase{"raise with everything", "On Error Resume Next\nErr.Raise 1000, \"Src\", \"Desc\"\nconsole.log Err.Number & \"|\" & Err.Source & \"|\" & Err.Description", "1000|Src|Desc\n"},
    ScriptCase{"raise takes the table text", "On Error Resume Next\nErr.Raise 9\nconsole.log Err.Description & \"|\" & Err.Source", "Subscript out of range|VBScript runtime error\n"},
    ScriptCase{"raise of an unknown number", "On Error Resume Next\nErr.Raise 4321\nconsole.log Err.Description", "Unknown runtime error\n"},
    ScriptCase{"vbObjectError numbers stay whole", "On Error Resume Next\nErr.Raise vbObjectError + 1\nconsole.log Err.Number", "-2147221503\n"},
    ScriptCase{"Number is the default member", "On Error Resume Next\nx = 1 / 0\nconsole.log Err", "11\n"},
    ScriptCase{"Clear resets every field", "On Error Resume Next\nErr.Raise 5, \"s\", \"d\"\nErr.Clear\nconsole.log Err.Number & \"[\" & Err.Source & Err.Description & \"]\"", "0[]\n"},
    ScriptCase{"plain description inside the script", "Option Explicit\nOn Error Resume Next\nnope = 1\nconsole.log Err.Description", "Variable is undefined\n"},
    ScriptCase{"undeclared array under Option Explicit",
               "Option Explicit\nOn Error Resume Next\nzz(1) = 3\nconsole.log Err.Number & \" \" & Err.Description", "500 Variable is undefined\n"},
    ScriptCase{"Number can be assigned", "Err.Number = 42\nconsole.log Err.Number", "42\n"},
    ScriptCase{"uncaught raise ends the run", "Err.Raise 1234, \"me\", \"custom\"\nconsole.log \"no\"", "error 1234\n"},
    ScriptCase{"Option Explicit inside a procedure",
               "Option Explicit\nDim g\nSub S\nOn Error Resume Next\ng = 1\nh = 2\nconsole.log g & \" \" & Err.Number\nEnd Sub\nS",
               "1 500\n"}));

// The host gets the position of the statement that failed, in the innermost procedure.
TEST(UnhandledErrors, CarryPositionAndNamedDescription)
{
    RunResult r = runScript("x = 1\nSub Deep\n  y = 2 +   nope\nEnd Sub\nOption_ = 0\nDeep");
    ASSERT_FALSE(r.error.has_value()); // without Option Explicit `nope` is Empty

    r = runScript("Option Explicit\nDim x\nSub Deep\n  x = 2 +   nope\nEnd Sub\nDeep");
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->number, 500);
    EXPECT_EQ(r.error->line, 4);
    EXPECT_EQ(r.error->column, 13);
    EXPECT_EQ(r.error->hostDescription(), u"Variable is undefined: 'nope'");
    EXPECT_EQ(r.error->description, u"Variable is undefined");
    EXPECT_EQ(r.error->sourceText, u"  x = 2 +   nope");
    EXPECT_EQ(r.error->source, u"VBScript runtime error");

    r = runScript("a = 1\nb = a / 0");
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->number, 11);
    EXPECT_EQ(r.error->line, 2);

    r = runScript("Set d = Nothing\nd.Run");
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->number, 91);
    EXPECT_EQ(r.error->line, 2);
}

struct NamedCase {
    const char* source;
    int number;
    const char* hostDescription;
};

class NamedErrors : public ::testing::TestWithParam<NamedCase> {};

// The host sees the name an error concerns; the script's Err.Description does not.
TEST_P(NamedErrors, NameTheVariableOrMember)
{
    RunResult r = runScript(GetParam().source);
    ASSERT_TRUE(r.error.has_value()) << GetParam().source;
    EXPECT_EQ(r.error->number, GetParam().number);
    EXPECT_EQ(quillo::script::toUtf8(r.error->hostDescription()), GetParam().hostDescription);
}

INSTANTIATE_TEST_SUITE_P(Host, NamedErrors, ::testing::Values(
    NamedCase{"Option Explicit\nx = 1", 500, "Variable is undefined: 'x'"},
    NamedCase{"Set o = Nothing\no.Run", 91, "Object variable not set: 'o'"},
    NamedCase{"x = z.Value", 424, "Object required: 'z'"},
    NamedCase{"Class C : End Class\nSet o = New C\no.Bar 1", 438, "Object doesn't support this property or method: 'o.Bar'"},
    NamedCase{"Class C : End Class\nSet o = New C\nx = o.Bar", 438, "Object doesn't support this property or method: 'o.Bar'"},
    NamedCase{"Sub F(a, b) : End Sub\nF 1", 450, "Wrong number of arguments or invalid property assignment: 'F'"},
    NamedCase{"Nope 1", 13, "Type mismatch: 'Nope'"},
    NamedCase{"Set x = New Missing", 506, "Class not defined: 'Missing'"}));

// Code of earlier texts stays: a second text calls the first one's procedures.
TEST(UnhandledErrors, LaterTextsSeeEarlierDefinitions)
{
    RunResult r = runScript(std::vector<std::string>{"Function F(x) : F = x + 1 : End Function\ng = 5",
                                                     "console.log F(g)", "x = (", "console.log \"still\""});
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->number, 1023);
    EXPECT_EQ(r.text(), "6\n");
}

} // namespace
} // namespace quillo::vbscript::testing
