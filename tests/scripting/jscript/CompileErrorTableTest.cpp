// Every compile error the grammar raises, with the line and column of the token it is
// reported at, through the engine (the host's error report) and through eval (e.number,
// e.description inside the script).

#include <gtest/gtest.h>

#include <map>

#include "JsTestSupport.h"
#include "scripting/core/ScriptError.h"

namespace quillo::jscript::test {
namespace {

const std::map<int, std::u16string> kCompileTexts = {
    {1002, u"Syntax error"}, {1003, u"Expected ':'"}, {1004, u"Expected ';'"}, {1005, u"Expected '('"},
    {1006, u"Expected ')'"}, {1007, u"Expected ']'"}, {1008, u"Expected '{'"}, {1009, u"Expected '}'"},
    {1010, u"Expected identifier"}, {1011, u"Expected '='"}, {1012, u"Expected '/'"}, {1013, u"Invalid number"},
    {1014, u"Invalid character"}, {1015, u"Unterminated string constant"}, {1016, u"Unterminated comment"},
    {1018, u"'return' statement outside of function"}, {1019, u"Can't have 'break' outside of loop"},
    {1020, u"Can't have 'continue' outside of loop"}, {1023, u"Expected hexadecimal digit"},
    {1024, u"Expected 'while'"}, {1025, u"Label redefined"}, {1026, u"Label not found"},
    {1027, u"'default' can only appear once in a 'switch' statement"},
    {1028, u"Expected identifier, string or number"}, {1029, u"Expected '@end'"},
    {1030, u"Conditional compilation is turned off"}, {1031, u"Expected constant"}, {1032, u"Expected '@'"},
    {1033, u"Expected 'catch'"}, {1035, u"Throw must be followed by an expression on the same source line"}};

struct Located {
    const char* src;
    int number;
    int line;
    int column;
};

class CompileErrorAt : public ::testing::TestWithParam<Located> {};

TEST_P(CompileErrorAt, ReportsNumberTextLineAndColumn) {
    const Located& c = GetParam();
    EngineFixture f;
    try {
        f.engine->addCode(toU16(c.src));
        FAIL() << "no error for " << c.src;
    } catch (script::ScriptError& e) {
        EXPECT_EQ(e.number, c.number) << c.src;
        EXPECT_EQ(e.line, c.line) << c.src;
        EXPECT_EQ(e.column, c.column) << c.src;
        EXPECT_EQ(toUtf8(e.description), toUtf8(kCompileTexts.at(c.number))) << c.src;
    }
}

// The same source through eval: a SyntaxError whose number is the 32-bit code.
TEST_P(CompileErrorAt, EvalThrowsSyntaxErrorWithCode) {
    const Located& c = GetParam();
    std::string quoted;
    for (const char* p = c.src; *p; ++p) {
        if (*p == '\n') quoted += "\\n";
        else if (*p == '\r') quoted += "\\r";
        else if (*p == '\\' || *p == '\'') quoted += std::string("\\") + *p;
        else quoted += *p;
    }
    std::string got = evalText("try { eval('" + quoted + "'); 'none' } catch (e) { e.name + ' ' + e.number + ' ' + e.description }");
    std::string want = "SyntaxError " + std::to_string(static_cast<int32_t>(0x800A0000u | c.number)) + " " +
                       toUtf8(kCompileTexts.at(c.number));
    EXPECT_EQ(got, want) << c.src;
}

INSTANTIATE_TEST_SUITE_P(Grammar, CompileErrorAt, ::testing::Values(
    Located{"x = ;", 1002, 1, 5},
    Located{"var a = 1;\nx = * 2;", 1002, 2, 5},
    Located{"x = a ? 1 ;", 1003, 1, 11},
    Located{"switch (x) {\n  case 1\n}", 1003, 3, 1},
    Located{"var a = 1 /* no break */ var b", 1004, 1, 26},
    Located{"for (var v = 0 v < 1; v++) {}", 1004, 1, 16},
    Located{"while 1 {}", 1005, 1, 7},
    Located{"function f {}", 1005, 1, 12},
    Located{"try {} catch e {}", 1005, 1, 14},
    Located{"f(1, 2;", 1006, 1, 7},
    Located{"function f(a b) {}", 1006, 1, 14},
    Located{"if (a\n{ }", 1006, 2, 1},
    Located{"a[1;", 1007, 1, 4},
    Located{"x = [1,\n2\n;", 1007, 3, 1},
    Located{"try x", 1008, 1, 5},
    Located{"switch (1) case 1: x", 1008, 1, 12},
    Located{"function f() {\n  return 1;\n", 1009, 3, 1},
    Located{"x = { a: 1;", 1009, 1, 11},
    Located{"var 5;", 1010, 1, 5},
    Located{"function () {}", 1010, 1, 10},
    Located{"x = o.;", 1010, 1, 7},
    Located{"/*@cc_on @set @a 1 @*/", 1011, 1, 18},
    Located{"var r = /abc;", 1012, 1, 9},
    Located{"x = 1;\ny = /a[/;", 1012, 2, 5},
    Located{"x = 1e+;", 1013, 1, 5},
    Located{"x = 5x", 1013, 1, 5},
    Located{"x = 1;\ny = #;", 1014, 2, 5},
    Located{"x = 1;\r\ny = 2;\r\nz = #;", 1014, 3, 5},
    Located{"x = 1;\ry = #;", 1014, 2, 5},
    Located{"x = \\q", 1014, 1, 5},
    Located{"x = 1;\n  y = \"abc", 1015, 2, 7},
    Located{"x = 1;\n/* open\n", 1016, 2, 1},
    Located{"return 1", 1018, 1, 1},
    Located{"if (x)\n  return;", 1018, 2, 3},
    Located{"{ break; }", 1019, 1, 3},
    Located{"function f() { break; }", 1019, 1, 16},
    Located{"if (x) continue;", 1020, 1, 8},
    Located{"switch (1) { case 1: continue; }", 1020, 1, 22},
    Located{"var \\u00zz = 1;", 1023, 1, 9},
    Located{"x = 0x;", 1023, 1, 7},
    Located{"do {} for", 1024, 1, 7},
    Located{"a: {\n  a: x;\n}", 1025, 2, 3},
    Located{"for (;;) { continue nowhere; }", 1026, 1, 21},
    Located{"switch (x) {\n default: 1;\n default: 2;\n}", 1027, 3, 2},
    Located{"x = { a: 1, }", 1028, 1, 13},
    Located{"x = { a: 1,\n  - : 2 }", 1028, 2, 3},
    Located{"/*@cc_on @if (1) x = 1; @*/", 1029, 1, 28},
    Located{"x = 1; @set @a = 1", 1030, 1, 8},
    Located{"/*@cc_on @set @a = ; @*/", 1031, 1, 20},
    Located{"/*@cc_on @set a = 1 @*/", 1032, 1, 15},
    Located{"try {\n}\nx = 1;", 1033, 3, 1},
    Located{"throw\nnew Error('x');", 1035, 2, 1}));

}  // namespace
}  // namespace quillo::jscript::test
