// Procedures: ByRef and ByVal passing, parenthesised arguments, return values,
// recursion, calls before the definition, scope of undeclared names, GetRef.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class Passing : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Passing, GivesTheDocumentedResult)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(ByRefByVal, Passing, ::testing::Values(
    ScriptCase{"byref variable", "Sub Inc(v) : v = v + 1 : End Sub\nn = 1 : Inc n : console.log n", "2\n"},
    ScriptCase{"byval variable", "Sub IncVal(ByVal v) : v = v + 1 : End Sub\nn = 1 : IncVal n : console.log n", "1\n"},
    ScriptCase{"parenthesised argument is by value", "Sub Inc(v) : v = v + 1 : End Sub\nn = 1 : Inc (n) : console.log n", "1\n"},
    ScriptCase{"Call passes by reference", "Sub Inc(v) : v = v + 1 : End Sub\nn = 1 : Call Inc(n) : console.log n", "2\n"},
    ScriptCase{"expression is by value", "Sub Inc(v) : v = v + 1 : End Sub\nn = 1 : Inc n + 0 : console.log n", "1\n"},
    ScriptCase{"array element by reference",
               "Sub Inc(v) : v = v + 1 : End Sub\nDim a(2) : a(1) = 5 : Inc a(1) : console.log a(1)", "6\n"},
    ScriptCase{"array locked while its element is passed",
               "Dim a()\nReDim a(2)\nSub Grow(v)\nOn Error Resume Next\nReDim a(5)\nconsole.log Err.Number\nv = 1\nEnd Sub\n"
               "Grow a(0) : console.log UBound(a) & a(0)", "10\n21\n"},
    ScriptCase{"byref through two levels",
               "Sub Inner(x) : x = x * 2 : End Sub\nSub Outer(y) : Inner y : End Sub\nn = 3 : Outer n : console.log n", "6\n"},
    ScriptCase{"byref local of the caller",
               "Sub Inc(v) : v = v + 1 : End Sub\nSub T\nDim k : k = 1 : Inc k : console.log k\nEnd Sub\nT", "2\n"},
    ScriptCase{"byval array is a copy",
               "Sub Change(ByVal a) : a(0) = 9 : End Sub\nx = Array(1, 2) : Change x : console.log x(0)", "1\n"},
    ScriptCase{"byref array is shared",
               "Sub Change(a) : a(0) = 9 : End Sub\nx = Array(1, 2) : Change x : console.log x(0)", "9\n"},
    ScriptCase{"assignment copies arrays", "a = Array(1) : b = a : b(0) = 2 : console.log a(0) & b(0)", "12\n"},
    ScriptCase{"byref argument to a function",
               "Function Twice(n) : n = n * 2 : Twice = n : End Function\nx = 4 : y = Twice(x) : console.log x & \" \" & y", "8 8\n"},
    ScriptCase{"for counter passed byref",
               "Sub Skip(i) : i = i + 1 : End Sub\nFor k = 1 To 5 : Skip k : console.log k : Next", "2\n4\n6\n"}));

INSTANTIATE_TEST_SUITE_P(Calls, Passing, ::testing::Values(
    ScriptCase{"call before definition", "console.log F(2)\nFunction F(x) : F = x * 3 : End Function", "6\n"},
    ScriptCase{"recursion", "Function Fact(n)\nIf n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)\nEnd Function\nconsole.log Fact(12)", "479001600\n"},
    ScriptCase{"function name reads its result",
               "Function F()\nF = 5\nF = F + 1\nEnd Function\nconsole.log F()", "6\n"},
    ScriptCase{"no assignment gives Empty", "Function F() : End Function\nconsole.log TypeName(F())", "Empty\n"},
    ScriptCase{"Exit Function keeps the value",
               "Function F()\nF = 1\nExit Function\nF = 2\nEnd Function\nconsole.log F", "1\n"},
    ScriptCase{"wrong argument count", "Sub S(a) : End Sub\nOn Error Resume Next\nS 1, 2\nconsole.log Err.Number", "450\n"},
    ScriptCase{"undefined sub", "On Error Resume Next\nNoSuchSub 1\nconsole.log Err.Number", "13\n"},
    ScriptCase{"omitted middle argument of a library function", "console.log FormatNumber(-1.5, 1, , -1)", "(1.5)\n"},
    ScriptCase{"Dim in a sub shadows", "g = 1\nSub S : Dim g : g = 2 : End Sub\nS : console.log g", "1\n"},
    ScriptCase{"undeclared name uses an existing global", "g = 1\nSub S : g = 2 : End Sub\nS : console.log g", "2\n"},
    ScriptCase{"undeclared name without a global is local",
               "Sub S : fresh = 2 : End Sub\nS : console.log IsEmpty(fresh)", "True\n"},
    ScriptCase{"GetRef calls the function",
               "Function Add(a, b) : Add = a + b : End Function\nSet f = GetRef(\"Add\")\nconsole.log f(2, 3)", "5\n"},
    ScriptCase{"GetRef of an unknown name", "On Error Resume Next\nSet f = GetRef(\"Nope\")\nconsole.log Err.Number", "5\n"},
    ScriptCase{"const in a procedure", "Sub S\nConst K = 4\nconsole.log K * 2\nEnd Sub\nS", "8\n"},
    ScriptCase{"assigning a const", "Const K = 1\nOn Error Resume Next\nK = 2\nconsole.log Err.Number & \" \" & K", "501 1\n"}));

INSTANTIATE_TEST_SUITE_P(ControlFlow, Passing, ::testing::Values(
    ScriptCase{"single-line If with Else", "x = 2 : If x = 1 Then y = \"a\" Else y = \"b\"\nconsole.log y", "b\n"},
    ScriptCase{"single-line If with several statements", "If True Then a = 1 : b = 2\nconsole.log a + b", "3\n"},
    ScriptCase{"ElseIf chain", "x = 3\nIf x = 1 Then\ny = 1\nElseIf x = 3 Then\ny = 3\nElse\ny = 0\nEnd If\nconsole.log y", "3\n"},
    ScriptCase{"Select Case strings and lists",
               "For Each s In Array(\"a\", \"b\", \"z\")\nSelect Case s\nCase \"a\", \"b\" : console.log \"ab\"\nCase Else : console.log \"other\"\nEnd Select\nNext",
               "ab\nab\nother\n"},
    ScriptCase{"For with fractional step", "For x = 0 To 1 Step 0.5 : console.log x : Next", "0\n0.5\n1\n"},
    ScriptCase{"For bounds are evaluated once", "n = 2\nFor i = 1 To n : n = 5 : Next\nconsole.log i", "3\n"},
    ScriptCase{"For in a procedure", "Sub S\nFor i = 3 To 1 Step -1 : console.log i : Next\nconsole.log i\nEnd Sub\nS", "3\n2\n1\n0\n"},
    ScriptCase{"Do Until at the end", "i = 0\nDo\ni = i + 1\nLoop Until i >= 3\nconsole.log i", "3\n"},
    ScriptCase{"Exit Do in nested loops",
               "For i = 1 To 2\nDo\nExit Do\nLoop\nconsole.log i\nNext", "1\n2\n"},
    ScriptCase{"With and nested With",
               "Class P : Public A, B : End Class\nSet p = New P\nSet q = New P\nWith p\n.A = 1\nWith q\n.A = 2\nEnd With\n.B = .A + 10\nEnd With\nconsole.log p.A & p.B & q.A",
               "1112\n"},
    ScriptCase{"For Each over a 2-D array in storage order",
               "Dim g(1, 1)\ng(0, 0) = 1 : g(1, 0) = 2 : g(0, 1) = 3 : g(1, 1) = 4\ns = \"\"\nFor Each v In g : s = s & v : Next\nconsole.log s", "1234\n"},
    ScriptCase{"For Each over a number", "On Error Resume Next\nFor Each v In 5 : Next\nconsole.log Err.Number", "451\n"},
    ScriptCase{"ReDim Preserve keeps values", "ReDim a(1) : a(1) = \"x\"\nReDim Preserve a(3)\nconsole.log UBound(a) & a(1)", "3x\n"},
    ScriptCase{"ReDim of a fixed array", "Dim a(2)\nOn Error Resume Next\nReDim a(3)\nconsole.log Err.Number", "10\n"},
    ScriptCase{"string append in place keeps copies apart",
               "s = \"ab\" : t = s : s = s & \"c\" & \"d\" : console.log s & \" \" & t", "abcd ab\n"}));

} // namespace
} // namespace quillo::vbscript::testing
