// Script procedure calls made inside the run loop: arguments of every passing kind
// through recursion, results, errors crossing frames, objects released on return, and
// frames that Execute reaches while deeper ones come and go.
#include "tests/scripting/vbscript/ScriptCase.h"
#include "tests/scripting/vbscript/ThreadStack.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class CallFrames : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(CallFrames, BehaveAsNestedCalls)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Arguments, CallFrames, ::testing::Values(
    ScriptCase{"byref written at every level",
               "Sub Bump(x, n) : x = x + 1 : If n > 1 Then Bump x, n - 1\nEnd Sub\nc = 0 : Bump c, 50 : console.log c", "50\n"},
    ScriptCase{"byval copy per level",
               "Function Sum(ByVal n) : If n = 0 Then Sum = 0 Else Sum = n + Sum(n - 1)\nn = -1 : End Function\n"
               "k = 10 : console.log Sum(k) & \" \" & k", "55 10\n"},
    ScriptCase{"expression argument is a temporary",
               "Sub Z(x, n) : x = 0 : If n > 0 Then Z x + 1, n - 1\nEnd Sub\nv = 7 : Z v + 0, 3 : console.log v", "7\n"},
    ScriptCase{"byval array copied, byref array shared",
               "Sub Set1(ByVal a, b) : a(0) = 1 : b(0) = 2 : End Sub\nDim p(0), q(0) : Set1 p, q : console.log p(0) & \"|\" & q(0)",
               "|2\n"},
    ScriptCase{"array element by reference across levels",
               "Sub Add(e, n) : e = e + n : If n > 0 Then Add e, n - 1\nEnd Sub\nDim a(1) : a(1) = 0 : Add a(1), 4 : console.log a(1)",
               "10\n"},
    ScriptCase{"array stays locked while a deeper call runs",
               "Dim a()\nReDim a(1)\nSub Deep(n) : On Error Resume Next : If n > 0 Then Deep n - 1 Else ReDim a(9)\n"
               "If n = 0 Then console.log Err.Number\nEnd Sub\nSub Hold(e) : Deep 3 : End Sub\nHold a(0) : ReDim a(9) : console.log UBound(a)",
               "10\n9\n"},
    ScriptCase{"function without arguments in an expression",
               "Function Two : Two = 2 : End Function\nFunction Four : Four = Two * Two : End Function\nconsole.log Four + Two", "6\n"},
    ScriptCase{"result moved out of a string local",
               "Function Rep(n) : If n = 0 Then Rep = \"\" Else Rep = \"ab\" & Rep(n - 1)\nEnd Function\nconsole.log Len(Rep(300))",
               "600\n"},
    ScriptCase{"mutual recursion",
               "Function IsEven(n) : If n = 0 Then IsEven = True Else IsEven = IsOdd(n - 1)\nEnd Function\n"
               "Function IsOdd(n) : If n = 0 Then IsOdd = False Else IsOdd = IsEven(n - 1)\nEnd Function\n"
               "console.log IsEven(1001) & \" \" & IsOdd(1001)", "False True\n"}));

INSTANTIATE_TEST_SUITE_P(Errors, CallFrames, ::testing::Values(
    ScriptCase{"wrong argument count", "Function F(a, b) : F = a : End Function\nx = F(1)", "error 450\n"},
    ScriptCase{"error deep down resumes in the outermost handler",
               "Function D(n) : If n = 0 Then D = 1 / 0 Else D = D(n - 1)\nconsole.log \"not here\" : End Function\n"
               "On Error Resume Next\nx = D(20)\nconsole.log Err.Number & \" [\" & x & \"]\"", "11 []\n"},
    ScriptCase{"the middle frame's handler takes it",
               "Sub Inner : Err.Raise 5 : End Sub\nSub Middle : On Error Resume Next : Inner : console.log \"m \" & Err.Number : End Sub\n"
               "Middle : console.log \"after\"", "m 5\nafter\n"},
    ScriptCase{"a callee's Resume Next does not cover the caller",
               "Sub Quiet : On Error Resume Next : x = 1 / 0 : End Sub\nQuiet : console.log \"ok\"\ny = 1 / 0 : console.log \"no\"",
               "ok\nerror 11\n"},
    ScriptCase{"error without handlers stops the script from any depth",
               "Sub R(n) : If n = 0 Then Err.Raise 9 Else R n - 1\nEnd Sub\nconsole.log \"a\" : R 30 : console.log \"b\"",
               "a\nerror 9\n"},
    ScriptCase{"operands of the caller are dropped on an error",
               "Function Bad : Bad = CLng(\"x\") : End Function\nOn Error Resume Next\ns = \"a\" & \"b\" & Bad() & \"c\"\n"
               "console.log Err.Number & \" [\" & s & \"]\"", "13 []\n"}));

INSTANTIATE_TEST_SUITE_P(Objects, CallFrames, ::testing::Values(
    ScriptCase{"locals of a returning call terminate before the caller goes on",
               "Class T\nPublic N\nPrivate Sub Class_Terminate : console.log \"bye \" & N : End Sub\nEnd Class\n"
               "Sub Make(n) : Dim o : Set o = New T : o.N = n : If n < 2 Then Make n + 1\nconsole.log \"end \" & n : End Sub\n"
               "Make 0 : console.log \"done\"",
               "end 2\nbye 2\nend 1\nbye 1\nend 0\nbye 0\ndone\n"},
    ScriptCase{"locals of frames an error leaves terminate",
               "Class T\nPrivate Sub Class_Terminate : console.log \"bye\" : End Sub\nEnd Class\n"
               "Sub Fail : Dim o : Set o = New T : Err.Raise 6 : End Sub\nOn Error Resume Next\nFail : console.log Err.Number",
               "bye\n6\n"},
    ScriptCase{"a terminator runs its own call while the frame is left",
               "Function Twice(n) : Twice = n * 2 : End Function\n"
               "Class T\nPrivate Sub Class_Terminate : console.log Twice(21) : End Sub\nEnd Class\n"
               "Function Use : Dim o : Set o = New T : Use = 1 : End Function\nconsole.log Use() + Twice(1)", "42\n3\n"}));

INSTANTIATE_TEST_SUITE_P(Scopes, CallFrames, ::testing::Values(
    ScriptCase{"Execute reaches the locals of a frame under many others",
               "Sub S(n) : Dim l : l = n : If n > 0 Then S n - 1\nExecute \"l = l * 2\" : If n Mod 100 = 0 Then console.log l\n"
               "End Sub\nS 600", "0\n200\n400\n600\n800\n1000\n1200\n"},
    ScriptCase{"Eval in a recursive function sees its own argument",
               "Function E(n) : If n = 0 Then E = 0 Else E = Eval(\"n\") + E(n - 1)\nEnd Function\nconsole.log E(300)", "45150\n"}));

INSTANTIATE_TEST_SUITE_P(Members, CallFrames, ::testing::Values(
    ScriptCase{"property let and get, field put and read",
               "Class P\nPrivate mX\nPublic Y\nProperty Get X : X = mX : End Property\nProperty Let X(v) : mX = v * 2 : End Property\nEnd Class\n"
               "Set o = New P : o.X = 4 : o.Y = 3 : console.log o.X + o.Y", "11\n"},
    ScriptCase{"property let takes an object's default value",
               "Class D\nPublic Default Property Get V : V = 7 : End Property\nEnd Class\n"
               "Class P\nPublic Got\nProperty Let X(v) : Got = TypeName(v) & v : End Property\nEnd Class\n"
               "Set o = New P : o.X = New D : console.log o.Got", "Integer7\n"},
    ScriptCase{"one access site meets two classes in turn",
               "Class A\nPublic Function Name : Name = \"a\" : End Function\nEnd Class\n"
               "Class B\nPublic Name\nEnd Class\nSet b = New B : b.Name = \"b\"\n"
               "For Each o In Array(New A, b, New A, b) : s = s & o.Name : Next : console.log s", "abab\n"},
    ScriptCase{"private member from outside",
               "Class P\nPrivate Function Secret : Secret = 1 : End Function\nPublic Function Open : Open = Me.Secret + 1 : End Function\nEnd Class\n"
               "Set o = New P : console.log o.Open\nx = o.Secret", "2\nerror 438\n"},
    ScriptCase{"missing member after a found one",
               "Class P\nPublic V\nEnd Class\nSub Show(o) : console.log o.V : End Sub\n"
               "Set p = New P : p.V = 1 : Show p : Set q = New RegExp : Show q", "1\nerror 438\n"},
    ScriptCase{"property let with the wrong parameter count",
               "Class P\nProperty Let X(a, b) : End Property\nEnd Class\nSet o = New P : o.X = 1", "error 450\n"},
    ScriptCase{"a property without parameters, indexed",
               "Class P\nProperty Get Items : Items = Array(5, 6) : End Property\nEnd Class\nSet o = New P : console.log o.Items(1)",
               "6\n"},
    ScriptCase{"New at one site follows a redefined class",
               "Class P\nFunction Kind : Kind = 1 : End Function\nEnd Class\n"
               "For i = 1 To 2\nSet o = New P : console.log o.Kind\n"
               "ExecuteGlobal \"Class P\" & vbCrLf & \"Function Kind : Kind = 2 : End Function\" & vbCrLf & \"End Class\"\nNext",
               "1\n2\n"},
    ScriptCase{"method recursion through Me",
               "Class M\nFunction F(n) : If n < 2 Then F = n Else F = Me.F(n - 1) + F(n - 2)\nEnd Function\nEnd Class\n"
               "Set m = New M : console.log m.F(15)", "610\n"}));

// Script recursion does not grow the native stack: deep chains run on a small thread
// stack, and the depth limit still ends runaway recursion with 28.
TEST(CallDepth, DeepRecursionNeedsNoNativeStack)
{
    const char* deep = "Function D(n) : If n = 0 Then D = 0 Else D = D(n - 1) + 1\nEnd Function\n"
                       "console.log D(100000)\nOn Error Resume Next\nx = D(1000000)\nconsole.log Err.Number";
    EXPECT_EQ(outputWithStack(deep, size_t(256) << 10), "100000\n28\n");
}

} // namespace
} // namespace quillo::vbscript::testing
