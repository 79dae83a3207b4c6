// Tokens, automatic semicolon insertion, regular expression versus division, conditional
// compilation and the compile errors the grammar raises.

#include <gtest/gtest.h>

#include "JsTestSupport.h"
#include "scripting/jscript/Parser.h"

namespace quillo::jscript::test {
namespace {

struct Case {
    const char* src;
    const char* expected;
};

class Eval : public ::testing::TestWithParam<Case> {};

TEST_P(Eval, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

// A line break ends a statement only where the grammar needs it to.
INSTANTIATE_TEST_SUITE_P(Asi, Eval, ::testing::Values(
    Case{"function f() { return\n42; } f()", "undefined"},
    Case{"var a = 1, b = 2\nvar c = a\n+b\nc", "3"},
    Case{"var i = 1, j = 5\ni\n++j\ni + ' ' + j", "1 6"},
    Case{"var s = 'text'\ns\n.length", "4"},
    Case{"function id(v) { return v; }\nvar r = id\n(7)\nr", "7"},
    Case{"var x = 0\ndo x++; while (x < 3)\nx", "3"},
    Case{"var k = 10\nk\n--\nk", "9"},
    Case{"{ 1\n2 } 3", "3"},
    Case{"var o = {a: 1}\no.a", "1"},
    Case{"var t = true ? 'y'\n: 'n'\nt", "y"},
    Case{"for (var q = 0; q < 2; q++) {}\nq", "2"},
    Case{"var u; u = 5\n;u", "5"}));

// A slash starts a regular expression where an operand is expected, else divides.
INSTANTIATE_TEST_SUITE_P(RegexOrDivision, Eval, ::testing::Values(
    Case{"var a = 8, b = 2, g = 2; a / b / g", "2"},
    Case{"var a = 8; a /= 2; a", "4"},
    Case{"/ab+c/.test('xabbc')", "true"},
    Case{"'a/b'.split(/\\//).length", "2"},
    Case{"var x = 1; x = /=/.source; x", "="},
    Case{"(4) / 2", "2"},
    Case{"[6][0] / 3", "2"},
    Case{"typeof /x/", "object"},
    Case{"'x'.replace(/x/g, '/')", "/"},
    Case{"var r = [/a/, /[/]/]; r[1].test('/')", "true"},
    Case{"1 /* c */ / 1", "1"},
    Case{"if (true) /q/.source", "q"}));

INSTANTIATE_TEST_SUITE_P(Literals, Eval, ::testing::Values(
    Case{"0x1F + 010 + 08", "47"},
    Case{"'\\x41\\u0042\\103'", "ABC"},
    Case{"'\\q\\v'", "qv"},
    Case{"'a\\\nb'", "ab"},
    Case{"[1, 2, ].length", "3"},
    Case{"[, , 1].length", "3"},
    Case{"({ 'a b': 1, 2: 'two', x: 3 })[2]", "two"},
    Case{"5..toString() + 5 .toString()", "55"},
    Case{"var f = function g() { return 1; }; typeof g", "function"},
    Case{"\\u0061bc = 3; abc", "3"}));

INSTANTIATE_TEST_SUITE_P(ConditionalCompilation, Eval, ::testing::Values(
    Case{"/*@cc_on @*/ @_jscript_version", "5.8"},
    Case{"/*@cc_on!@*/false", "true"},
    Case{"/*@ 1 @*/ 2", "2"},
    Case{"/*@cc_on @if (@_win32) 'w' @else 'x' @end @*/", "w"},
    Case{"/*@cc_on @set @a = 3 @set @b = (@a * 2) @*/ @b", "6"},
    Case{"/*@cc_on @if (@nothing) 1; @elif (@_jscript) 2; @else 3; @end @*/", "2"},
    Case{"/*@cc_on @*/ typeof @_jscript", "boolean"},
    Case{"/*@cc_on @*/ isNaN(@undefinedVariable)", "true"},
    Case{"var r = 0; /*@cc_on @if (1) @if (0) r = 1; @else r = 2; @end @end @*/ r", "2"},
    Case{"//@cc_on\n//@ 4\n", "4"}));

struct ErrorCase {
    const char* src;
    int number;
    uint32_t offset;
};

class CompileErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(CompileErrors, ReportNumberAndPosition) {
    const ErrorCase& c = GetParam();
    std::u16string src = toU16(c.src);
    try {
        Parser p(src, false);
        Program prog = p.parse();
        Vm vm(nullptr);
        vm.runScript(src);
        FAIL() << "no error for " << c.src;
    } catch (CompileError& e) {
        EXPECT_EQ(e.number, c.number) << c.src;
        EXPECT_EQ(e.offset, c.offset) << c.src;
    }
}

INSTANTIATE_TEST_SUITE_P(Grammar, CompileErrors, ::testing::Values(
    ErrorCase{"var = 1;", 1010, 4},
    ErrorCase{"var a = 1 var b = 2", 1004, 10},
    ErrorCase{"if (true) a = 1 else a = 2", 1004, 16},
    ErrorCase{"a = (1 + 2;", 1006, 10},
    ErrorCase{"a = [1, 2;", 1007, 9},
    ErrorCase{"function f( { }", 1010, 12},
    ErrorCase{"x = {a 1}", 1003, 7},
    ErrorCase{"while (1 { }", 1006, 9},
    ErrorCase{"if 1", 1005, 3},
    ErrorCase{"do x++; until (1)", 1024, 8},
    ErrorCase{"try { }", 1033, 7},
    ErrorCase{"throw\n1", 1035, 6},
    ErrorCase{"return 1", 1018, 0},
    ErrorCase{"break;", 1019, 0},
    ErrorCase{"continue;", 1020, 0},
    ErrorCase{"a: a: x;", 1025, 3},
    ErrorCase{"while (1) { break nowhere; }", 1026, 18},
    ErrorCase{"switch (1) { default: default: }", 1027, 22},
    ErrorCase{"x = { + : 1 }", 1028, 6},
    ErrorCase{"x = 'abc", 1015, 4},
    ErrorCase{"x = 1 /* open", 1016, 6},
    ErrorCase{"x = 3in", 1013, 4},
    ErrorCase{"x = 0x;", 1023, 6},
    ErrorCase{"x = #", 1014, 4},
    ErrorCase{"x = @a", 1030, 4},
    ErrorCase{"/*@cc_on @if (1) x = 1;", 1029, 23},
    ErrorCase{"{ x = 1;", 1009, 8},
    ErrorCase{"function f() x", 1008, 13},
    ErrorCase{"x = ;", 1002, 4}));

}  // namespace
}  // namespace quillo::jscript::test
