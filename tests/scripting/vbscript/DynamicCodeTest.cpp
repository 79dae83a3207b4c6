// Execute, ExecuteGlobal and Eval: which names they see and where new ones go.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class DynamicCode : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(DynamicCode, UsesTheRightScope)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Scoping, DynamicCode, ::testing::Values(
    ScriptCase{"Eval reads globals", "x = 4\nconsole.log Eval(\"x * 2\")", "8\n"},
    ScriptCase{"Eval compares with =", "x = 4\nconsole.log Eval(\"x = 4\")", "True\n"},
    ScriptCase{"Execute assigns", "Execute \"x = 5\"\nconsole.log x", "5\n"},
    ScriptCase{"Eval sees locals", "Sub S\nDim l : l = 3\nconsole.log Eval(\"l + 1\")\nEnd Sub\nS", "4\n"},
    ScriptCase{"Execute changes locals", "Sub S\nDim l : l = 3\nExecute \"l = l * 10\"\nconsole.log l\nEnd Sub\nS", "30\n"},
    ScriptCase{"Execute in a sub still reaches globals", "g = 1\nSub S : Execute \"g = g + 1\" : End Sub\nS\nconsole.log g", "2\n"},
    ScriptCase{"ExecuteGlobal in a sub makes globals", "Sub S\nDim v : v = 1\nExecuteGlobal \"v = 9\"\nconsole.log v\nEnd Sub\nS\nconsole.log v", "1\n9\n"},
    ScriptCase{"ExecuteGlobal defines procedures", "ExecuteGlobal \"Function T(n) : T = n * 2 : End Function\"\nconsole.log T(21)", "42\n"},
    ScriptCase{"called before it exists",
               "Sub Define : ExecuteGlobal \"Sub Later : console.log \"\"later\"\" : End Sub\" : End Sub\nDefine\nLater", "later\n"},
    ScriptCase{"ExecuteGlobal defines classes",
               "ExecuteGlobal \"Class P\" & vbCrLf & \"Public V\" & vbCrLf & \"End Class\"\nSet p = New P : p.V = 1 : console.log p.V", "1\n"},
    ScriptCase{"Execute inside a method sees fields and Me",
               "Class C\nPrivate m\nPublic Sub S\nm = 2\nExecute \"m = m + 1\"\nconsole.log Eval(\"m * Me.Two()\")\nEnd Sub\n"
               "Public Function Two() : Two = 2 : End Function\nEnd Class\nSet o = New C : o.S",
               "6\n"},
    ScriptCase{"procedures defined by Execute in a procedure do not see its locals",
               "Sub S\nDim lv : lv = 5\nExecute \"Function G() : G = lv : End Function\"\nEnd Sub\nS\nlv = 7\nconsole.log G()",
               "7\n"},
    ScriptCase{"procedures defined by Execute in a method do not see its fields",
               "Class C\nPrivate m\nPublic Sub S : m = 1 : Execute \"Function H() : H = TypeName(m) : End Function\" : End Sub\nEnd Class\n"
               "Set o = New C : o.S\nconsole.log H()",
               "Empty\n"},
    ScriptCase{"runtime error inside Eval", "On Error Resume Next\nx = Eval(\"1 / 0\")\nconsole.log Err.Number", "11\n"},
    ScriptCase{"syntax error inside Execute is catchable", "On Error Resume Next\nExecute \"x = (\"\nconsole.log Err.Number", "1023\n"},
    ScriptCase{"Eval of a statement is a syntax error", "On Error Resume Next\nx = Eval(\"y = 1 : z = 2\")\nconsole.log Err.Number", "1025\n"},
    ScriptCase{"Execute with several lines", "Execute \"a = 1\" & vbCrLf & \"For i = 1 To 3 : a = a * 2 : Next\"\nconsole.log a", "8\n"},
    ScriptCase{"Option Explicit in Execute code", "On Error Resume Next\nExecute \"Option Explicit : nope = 2\"\nconsole.log Err.Number & \" \" & IsEmpty(nope)", "500 True\n"},
    ScriptCase{"Option Explicit in Execute code reading", "On Error Resume Next\nExecute \"Option Explicit : console.log unknown1\"\nconsole.log Err.Number", "500\n"},
    ScriptCase{"Option Explicit in Execute code in a procedure", "On Error Resume Next\nSub S : Execute \"Option Explicit\" & vbCrLf & \"zz = 3\" : End Sub\nS\nconsole.log Err.Number", "500\n"},
    ScriptCase{"Option Explicit in ExecuteGlobal code with Dim", "ExecuteGlobal \"Option Explicit\" & vbCrLf & \"Dim w : w = 4\"\nconsole.log w", "4\n"},
    ScriptCase{"Option Explicit in Execute code accepts existing globals", "g = 1\nExecute \"Option Explicit : g = g + 1\"\nconsole.log g", "2\n"},
    ScriptCase{"Option Explicit reaches procedures Execute defines",
               "ExecuteGlobal \"Option Explicit\" & vbCrLf & \"Sub T : zz = 1 : End Sub\"\nOn Error Resume Next\nT\nconsole.log Err.Number", "500\n"},
    ScriptCase{"Option Explicit after a statement in Execute code", "On Error Resume Next\nExecute \"x = 1\" & vbCrLf & \"Option Explicit\"\nconsole.log Err.Number & \" \" & IsEmpty(x)", "1042 True\n"},
    ScriptCase{"recursion through Execute",
               "Sub R(n)\nIf n > 0 Then Execute \"R \" & (n - 1)\nconsole.log n\nEnd Sub\nR 2", "0\n1\n2\n"}));

} // namespace
} // namespace quillo::vbscript::testing
