// Classes: fields, properties with arguments, default members, Me, private access,
// identity, and when Class_Initialize and Class_Terminate run.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class Classes : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(Classes, BehaveAsDocumented)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

constexpr const char* kLogged =
    "Class T\n"
    "  Public Name\n"
    "  Private Sub Class_Initialize() : console.log \"init\" : End Sub\n"
    "  Private Sub Class_Terminate() : console.log \"term \" & Name : End Sub\n"
    "End Class\n";

std::string withT(const char* body) { return std::string(kLogged) + body; }

INSTANTIATE_TEST_SUITE_P(Members, Classes, ::testing::Values(
    ScriptCase{"property get and let",
               "Class C\nPrivate m\nPublic Property Get V() : V = m : End Property\n"
               "Public Property Let V(x) : m = x * 2 : End Property\nEnd Class\n"
               "Set o = New C : o.V = 4 : console.log o.V",
               "8\n"},
    ScriptCase{"indexed property",
               "Class C\nPrivate a(3)\nPublic Property Get Item(i) : Item = a(i) : End Property\n"
               "Public Property Let Item(i, v) : a(i) = v : End Property\nEnd Class\n"
               "Set o = New C : o.Item(2) = \"x\" : console.log o.Item(2) & IsEmpty(o.Item(1))",
               "xTrue\n"},
    ScriptCase{"property set",
               "Class C\nPrivate m\nPublic Property Set L(o) : Set m = o : End Property\n"
               "Public Property Get L() : Set L = m : End Property\nEnd Class\n"
               "Set a = New C : Set b = New C : Set a.L = b : console.log (a.L Is b)",
               "True\n"},
    ScriptCase{"default property read and written",
               "Class C\nPrivate m\nPublic Default Property Get V() : V = m : End Property\n"
               "Public Property Let V(x) : m = x : End Property\nEnd Class\n"
               "Set o = New C : o.V = \"a\" : x = o : console.log x & o",
               "aa\n"},
    ScriptCase{"default function called with arguments",
               "Class C\nPublic Default Function F(n) : F = n + 1 : End Function\nEnd Class\n"
               "Set o = New C : console.log o(4)",
               "5\n"},
    ScriptCase{"object without default used as a value",
               "Class C : End Class\nSet o = New C\nOn Error Resume Next\nx = o\nconsole.log Err.Number",
               "438\n"},
    ScriptCase{"private member from outside",
               "Class C\nPrivate Function S() : S = 1 : End Function\nPublic Function P() : P = S() + Me.S() : End Function\nEnd Class\n"
               "Set o = New C : console.log o.P()\nOn Error Resume Next\nx = o.S()\nconsole.log Err.Number",
               "2\n438\n"},
    ScriptCase{"fields start Empty and fixed arrays exist",
               "Class C\nPublic a, b(2)\nEnd Class\nSet o = New C : console.log TypeName(o.a) & UBound(o.b)",
               "Empty2\n"},
    ScriptCase{"dynamic array field",
               "Class C\nPrivate a()\nPublic Sub Grow(n) : ReDim Preserve a(n) : a(n) = n : End Sub\n"
               "Public Function Top() : Top = UBound(a) & a(UBound(a)) : End Function\nEnd Class\n"
               "Set o = New C : o.Grow 1 : o.Grow 4 : console.log o.Top()",
               "44\n"},
    ScriptCase{"field array element assignment",
               "Class C\nPublic b(2)\nEnd Class\nSet o = New C : o.b(1) = 7 : console.log o.b(1)",
               "7\n"},
    ScriptCase{"Me inside methods",
               "Class C\nPublic N\nPublic Function Self() : Set Self = Me : End Function\n"
               "Public Sub SetN(v) : Me.N = v : End Sub\nEnd Class\n"
               "Set o = New C : o.SetN 3 : console.log (o.Self() Is o) & o.N",
               "True3\n"},
    ScriptCase{"method calls without Me",
               "Class C\nPrivate Function Two() : Two = 2 : End Function\nPublic Function Four() : Four = Two * Two() : End Function\nEnd Class\n"
               "Set o = New C : console.log o.Four",
               "4\n"},
    ScriptCase{"TypeName and Is",
               "Class wIdGeT : End Class\nSet a = New wIdGeT : Set b = a : Set c = New wIdGeT\n"
               "console.log TypeName(a) & (a Is b) & (a Is c) & (a Is Nothing)",
               "wIdGeTTrueFalseFalse\n"},
    ScriptCase{"Set with a non-object", "On Error Resume Next\nSet x = 5\nconsole.log Err.Number", "424\n"},
    ScriptCase{"member of Nothing and of Empty",
               "On Error Resume Next\nSet n = Nothing\nx = n.V\nconsole.log Err.Number\nErr.Clear\nx = e.V\nconsole.log Err.Number",
               "91\n424\n"},
    ScriptCase{"unknown class", "On Error Resume Next\nSet x = New Nope\nconsole.log Err.Number", "506\n"},
    ScriptCase{"recursive property get",
               "Class C\nPublic Property Get D(n)\nIf n = 0 Then D = 0 Else D = 1 + D(n - 1)\nEnd Property\nEnd Class\n"
               "Set o = New C : console.log o.D(5)",
               "5\n"}));

// An object whose default property holds 5, and one without a default member.
constexpr const char* kDefaults =
    "Class V\nPrivate m\nPublic Default Property Get Value() : Value = m : End Property\n"
    "Public Property Let Value(x) : m = x : End Property\nEnd Class\n"
    "Class N : Public x : End Class\n"
    "Set o = New V : o.Value = 5 : Set n = New N\nOn Error Resume Next\n";

std::string withDefaults(const char* body) { return std::string(kDefaults) + body; }

const std::string kArithmetic = withDefaults("console.log (o + 1) & \" \" & (\"a\" & o) & \" \" & (o = 5) & \" \" & (o * o)");
const std::string kLibrary = withDefaults("console.log Len(o) & \" \" & CStr(o) & \" \" & TypeName(o) & \" \" & VarType(o)");
const std::string kConditions = withDefaults("If o Then console.log \"if\"\nSelect Case o\nCase 5 : console.log \"case\"\nEnd Select");
const std::string kCopies = withDefaults("Dim arr(1) : arr(0) = o : x = o\nconsole.log TypeName(arr(0)) & \" \" & TypeName(x)");
const std::string kLet = withDefaults("o = 7\nconsole.log o.Value & \" \" & TypeName(o)");
const std::string kWithout = withDefaults("y = n + 1 : console.log Err.Number : Err.Clear\n"
                                          "y = \"a\" & n : console.log Err.Number : Err.Clear\n"
                                          "n = 3 : console.log Err.Number & \" \" & TypeName(n)");

INSTANTIATE_TEST_SUITE_P(DefaultMembers, Classes, ::testing::Values(
    ScriptCase{"in arithmetic, concatenation and comparison", kArithmetic.c_str(), "6 a5 True 25\n"},
    ScriptCase{"through library functions", kLibrary.c_str(), "1 5 V 2\n"},
    ScriptCase{"in conditions", kConditions.c_str(), "if\ncase\n"},
    ScriptCase{"copied as values", kCopies.c_str(), "Integer Integer\n"},
    ScriptCase{"assigned through the default Let", kLet.c_str(), "7 V\n"},
    ScriptCase{"objects without one raise 438", kWithout.c_str(), "438\n438\n438 N\n"}));

// The lifetime cases share the logging class T.
TEST(ClassLifetime, TerminateOrdering)
{
    EXPECT_EQ(outputOf(withT("Set a = New T : a.Name = \"a\"\nSet a = Nothing\nconsole.log \"after\"")),
              "init\nterm a\nafter\n");
    EXPECT_EQ(outputOf(withT("Sub S\nDim l : Set l = New T : l.Name = \"l\"\nconsole.log \"in\"\nEnd Sub\nS\nconsole.log \"out\"")),
              "init\nin\nterm l\nout\n");
    EXPECT_EQ(outputOf(withT("Set a = New T : a.Name = \"k\" : Set b = a\nSet a = Nothing\nconsole.log \"still\"\nSet b = Nothing")),
              "init\nstill\nterm k\n");
    EXPECT_EQ(outputOf(withT("Set a = New T : a.Name = 1\nSet b = New T : b.Name = 2\nSet a = b\nconsole.log \"end\"\nSet a = Nothing : Set b = Nothing")),
              "init\ninit\nterm 1\nend\nterm 2\n");
    EXPECT_EQ(outputOf(withT("Function Make() : Set Make = New T : End Function\nMake().Name = \"t\"\nconsole.log \"next\"")),
              "init\nterm t\nnext\n");
    // objects still referenced when the engine goes terminate then, as at a script's end
    EXPECT_EQ(outputOf(withT("Set a = New T : a.Name = \"left\"")), "init\nterm left\n");
}

TEST(ClassLifetime, InitializeErrors)
{
    EXPECT_EQ(outputOf("Class F\nPrivate Sub Class_Initialize() : Err.Raise 4000 : End Sub\n"
                       "Private Sub Class_Terminate() : console.log \"never\" : End Sub\nEnd Class\n"
                       "On Error Resume Next\nSet f = New F\nconsole.log Err.Number & \" \" & IsObject(f)"),
              "4000 False\n");
}

TEST(ClassLifetime, TerminateErrorsAreSwallowed)
{
    EXPECT_EQ(outputOf("Class F\nPrivate Sub Class_Terminate() : x = 1 / 0 : End Sub\nEnd Class\n"
                       "Set f = New F : Set f = Nothing\nconsole.log \"fine \" & Err.Number"),
              "fine 0\n");
}

} // namespace
} // namespace quillo::vbscript::testing
