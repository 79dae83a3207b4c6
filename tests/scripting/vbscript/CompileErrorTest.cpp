// Every compile error the grammar raises, with its line and column; nothing runs first.
#include "tests/scripting/vbscript/ScriptHarness.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

struct CompileCase {
    const char* source;
    int number;
    int line;
    int column;
};

class CompileErrors : public ::testing::TestWithParam<CompileCase> {};

TEST_P(CompileErrors, ReportNumberLineAndColumn)
{
    const CompileCase& c = GetParam();
    // a console.log before the error must not run: the whole text compiles first
    RunResult r = runScript(std::string("console.log \"ran\"\n") + c.source);
    ASSERT_TRUE(r.error.has_value()) << c.source;
    EXPECT_TRUE(r.lines.empty()) << c.source;
    EXPECT_EQ(r.error->number, c.number) << c.source;
    EXPECT_EQ(r.error->line, c.line + 1) << c.source;
    EXPECT_EQ(r.error->column, c.column) << c.source;
    EXPECT_EQ(r.error->source, u"VBScript compilation error");
}

INSTANTIATE_TEST_SUITE_P(Grammar, CompileErrors, ::testing::Values(
    CompileCase{"x = ", 1023, 1, 5},
    CompileCase{"If x Then", 1014, 1, 10},
    CompileCase{"x = \"abc", 1033, 1, 9},
    CompileCase{"Dim a, a", 1041, 1, 8},
    CompileCase{"For i = 1 5", 1013, 1, 11},
    CompileCase{"Do\nx = 1", 1019, 2, 6},
    CompileCase{"Loop", 1038, 1, 1},
    CompileCase{"Next", 1055, 1, 1},
    CompileCase{"Sub A\nEnd Function", 1016, 2, 5},
    CompileCase{"Function A\nEnd Sub", 1015, 2, 5},
    CompileCase{"x = (1 + 2", 1006, 1, 11},
    CompileCase{"Class C\nPublic Default x\nEnd Class", 1056, 2, 8},
    CompileCase{"Exit Do", 1039, 1, 1},
    CompileCase{"Sub S\nExit Function\nEnd Sub", 1039, 2, 1},
    CompileCase{"Function F(a, a)\nEnd Function", 1041, 1, 15},
    CompileCase{"y = 1\nOption Explicit", 1042, 2, 1},
    CompileCase{"x = 1 2", 1025, 1, 7},
    CompileCase{"a = #bad#", 1002, 1, 5},
    CompileCase{"x = &HFFFFFFFFF", 1031, 1, 5},
    CompileCase{"x = $", 1032, 1, 5},
    CompileCase{"Me = 1", 1037, 1, 1},
    CompileCase{"Set x 1", 1011, 1, 7},
    CompileCase{"Const c 1", 1011, 1, 9},
    CompileCase{"For i 1 To 2\nNext", 1011, 1, 7},
    CompileCase{"For i = 1 To 2\nx = 1", 1020, 2, 6},
    CompileCase{"For Each v In a\nx = 1", 1020, 2, 6},
    CompileCase{"Select Case x\nCase 1\nEnd If", 1022, 3, 5},
    CompileCase{"Class C\nEnd Sub", 1047, 2, 5},
    CompileCase{"Class C\nProperty Get P\nEnd Sub\nEnd Class", 1050, 3, 5},
    CompileCase{"Sub S\nSet Me = Nothing\nEnd Sub", 1037, 2, 5},
    CompileCase{"Class C\nSub Class_Initialize(a)\nEnd Sub\nEnd Class", 1053, 2, 5},
    CompileCase{"Class C\nProperty Let P()\nEnd Property\nEnd Class", 1054, 2, 14},
    CompileCase{"Call F(1, 2", 1006, 1, 12},
    CompileCase{"Select Case x\nCase 1\nx=1", 1014, 3, 4},
    CompileCase{"Select x", 1021, 1, 8},
    CompileCase{"While True\nx = 1", 1018, 2, 6},
    CompileCase{"With x\nx = 1", 1014, 2, 6},
    CompileCase{"F(1, 2)", 1044, 1, 2},
    CompileCase{"Property Get P\nEnd Property", 1048, 1, 1},
    CompileCase{"Const c = x", 1045, 1, 11},
    CompileCase{"Class C\nPublic Default Property Let P(v)\nEnd Property\nEnd Class", 1058, 2, 16},
    CompileCase{"Class C\nPrivate Default Function F\nEnd Function\nEnd Class", 1057, 2, 9},
    CompileCase{"Class C\nPublic Default Function F\nEnd Function\nPublic Default Function G\nEnd Function\nEnd Class", 1052, 4, 25},
    CompileCase{"Class C\nProperty Get P(a)\nEnd Property\nProperty Let P(v)\nEnd Property\nEnd Class", 1051, 4, 14},
    CompileCase{"Class C\nProperty P\nEnd Property\nEnd Class", 1049, 2, 10},
    CompileCase{"Class C\nSub S\nEnd Sub", 1014, 3, 8},
    CompileCase{"Do While x\nLoop Until y", 1025, 2, 6},
    CompileCase{"Do Foo\nLoop", 1028, 1, 4},
    CompileCase{"For Each x y", 1046, 1, 12},
    CompileCase{"For 1 = 1 To 2\nNext", 1040, 1, 5},
    CompileCase{"x.\n", 1010, 1, 3},
    CompileCase{"ReDim a", 1005, 1, 8},
    CompileCase{"Class\nEnd Class", 1010, 1, 6},
    CompileCase{"Dim a(x)", 1026, 1, 7},
    CompileCase{"If x Then\nElse\nElse\nEnd If", 1014, 3, 1},
    CompileCase{"If x Then\nx = 1\nEnd Sub", 1012, 3, 5},
    CompileCase{"With x\nx = 1\nEnd Sub", 1029, 3, 5},
    CompileCase{"Sub S\nWith x\nEnd Sub", 1029, 3, 5},
    CompileCase{"With x\n.a = 1 : End", 1029, 2, 13},
    CompileCase{"x = [abc", 1007, 1, 9},
    CompileCase{"Sub A\nEnd Sub\nSub A\nEnd Sub", 1041, 3, 5},
    CompileCase{"Dim A\nSub A\nEnd Sub", 1041, 1, 5},
    CompileCase{"x = 1 +", 1023, 1, 8},
    CompileCase{"If x = 1\nEnd If", 1017, 1, 9},
    CompileCase{"Dim a(1\n", 1006, 1, 8},
    CompileCase{"Public Default Sub S\nEnd Sub", 1048, 1, 8},
    CompileCase{"On Error Goto 1", 1002, 1, 15},
    CompileCase{"x = Mid(\"a\", 1", 1006, 1, 15},
    CompileCase{"s = \"ab\"\nMid(s, 1, 1) = \"x\"", 1024, 2, 1}));

// A long identifier is still a name; one of more than 255 characters is not.
TEST(CompileErrorLimits, IdentifierLength)
{
    std::string ok(255, 'a');
    EXPECT_FALSE(runScript(ok + " = 1").error.has_value());
    RunResult r = runScript(std::string(256, 'a') + " = 1");
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->number, 1030);
}

// The compile error carries the text of the line it is on.
TEST(CompileErrorLimits, SourceLineText)
{
    RunResult r = runScript("x = 1\r\ny = (2\r\nz = 3");
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(r.error->line, 2);
    EXPECT_EQ(r.error->sourceText, u"y = (2");
}

} // namespace
} // namespace quillo::vbscript::testing
