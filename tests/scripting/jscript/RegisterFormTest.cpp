// Arithmetic and tests over stack locals compile to register forms, counted loops to one
// step instruction, and sort calls its comparator on a short path; each must give what the
// plain stack forms give for every operand type, error and evaluation order.

#include <gtest/gtest.h>

#include <cmath>

#include "JsTestSupport.h"
#include "scripting/core/ScriptError.h"
#include "scripting/jscript/Remainder.h"

namespace quillo::jscript::test {
namespace {

TEST(Remainder, MultiplierPathMatchesDivision) {
    const uint32_t divisors[] = {1, 2, 3, 7, 10, 255, 65521, 1000000, 2147483647u, 4294967295u};
    const uint32_t numerators[] = {0, 1, 2, 6, 65520, 65521, 65522, 999999, 2147483646u, 2147483648u, 4294967295u};
    for (uint32_t d : divisors) {
        uint64_t m = fastModMultiplier(d);
        for (uint32_t n : numerators) EXPECT_EQ(fastMod(n, m, d), n % d) << n << " % " << d;
    }
}

TEST(Remainder, NumberRemainderKeepsSignsFractionsAndLargeValues) {
    struct Row {
        double x, y;
    };
    const Row rows[] = {{7, 3}, {-7, 3}, {7, -3}, {-0.0, 5}, {5.5, 2}, {4294967296.0 + 5, 7}, {1e17, 7},
                        {9007199254740991.0, 10}, {3, 0}, {INFINITY, 3}, {3, INFINITY}, {NAN, 3}};
    for (const Row& r : rows) {
        double got = numberRemainder(r.x, r.y), want = std::fmod(r.x, r.y);
        if (std::isnan(want)) {
            EXPECT_TRUE(std::isnan(got)) << r.x << " % " << r.y;
        } else {
            EXPECT_EQ(got, want) << r.x << " % " << r.y;
            EXPECT_EQ(std::signbit(got), std::signbit(want)) << r.x << " % " << r.y;
        }
    }
}

// Backward jumps tick the budget in batches; every loop shape must still time out.
TEST(LoopBudget, EveryBackwardJumpShapeTimesOut) {
    const char16_t* loops[] = {
        u"function f() { for (var i = 0; i < 2000000000; i++) {} } f()",
        u"function f() { for (var i = 0; i <= 2000000000; i++) {} } f()",
        u"function f() { var i = 0; while (i < 2000000000) i = (i + i * 0) % 7; } f()",
        u"function f() { var i = 0; do { i = i + 0; } while (i < 1); } f()",
        u"for (;;) {}",
    };
    for (const char16_t* src : loops) {
        EngineFixture f;
        f.budget.setTimeoutMs(30);
        f.host.stopAnswer = true;
        EXPECT_THROW(f.engine->addCode(src), script::ScriptAbort);
        EXPECT_EQ(f.host.stopQuestions, 1);
    }
}

struct Case {
    const char* src;
    const char* expected;
};

class RegisterForm : public ::testing::TestWithParam<Case> {};

TEST_P(RegisterForm, GivesThePlainResult) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(Scripts, RegisterForm, ::testing::Values(
    // Numbers, into a local and onto the stack, nested up to and past the register depth.
    Case{"function f(x, i) { x = (x + i * 3) % 65521; return x; } f(65000, 400)", "679"},
    Case{"function f(a, b) { return a * b - a / b; } f(6, 4)", "22.5"},
    Case{"function f(a, b) { return ((((a + b) * 2 - a) % 7) + (b - a) * 3) / 2; } f(5, 9)", "7"},
    Case{"function f(a) { return a + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1; } f(1)", "9"},
    Case{"function f(a) { return 3 * a; } f(-2)", "-6"},
    // Strings and objects take the slow path with the operands in source order.
    Case{"function f(a, b) { return a + b; } f('x', 1) + f(1, 'y')", "x11y"},
    Case{"function f(a) { return a + 3; } f('4')", "43"},
    Case{"function f(a) { return a - 3; } f('4')", "1"},
    Case{"function f(a, b) { var s = ''; a = {valueOf: function () { s += 'a'; return 2; }};"
         " b = {valueOf: function () { s += 'b'; return 5; }}; return (a * b) + ':' + (b - a) + ':' + s; } f()", "10:3:abba"},
    Case{"function f(a) { var n = 0; a = {valueOf: function () { n++; return 4; }}; return (3 * a) + ',' + n; } f()", "12,1"},
    // Remainders: signs, -0, fractions, values past 32 bits, a zero divisor.
    Case{"function f(a) { return a % 7; } [f(-8), f(8.5), f(4294967301), 1 / f(-0), f(NaN)].join()", "-1,1.5,2,-Infinity,NaN"},
    Case{"function f(a, b) { return a % b; } [f(7, 0), f(-7, 2), f(7, -2), f(2147483648, 3)].join()", "NaN,-1,1,2"},
    Case{"function f(a) { return a % 0; } f(5)", "NaN"},
    // Compound assignment to a local.
    Case{"function f(a) { var x = 10; x += a; x *= 2; x -= 1; x %= 7; x /= 2; return x; } f(4)", "3"},
    Case{"function f(a) { var x = 'n'; x += a; return x; } f(4)", "n4"},
    // Compare-and-jump over locals and constants, with strings, NaN and valueOf.
    Case{"function f(a, b) { return a < b ? 'lt' : 'ge'; } [f(1, 2), f('b', 'a'), f('10', '9'), f(NaN, 1)].join()", "lt,ge,lt,ge"},
    Case{"function f(a) { return a <= 2 ? 'le' : 'gt'; } [f(2), f('3'), f({valueOf: function () { return 1; }})].join()", "le,gt,le"},
    Case{"function f(a, b) { if (a - 1 > b * 2) return 'y'; return 'n'; } f(8, 3) + f(7, 3)", "yn"},
    // Errors inside a register form are raised there and can be caught.
    Case{"function f(a) { try { return a * 2; } catch (e) { return 'caught ' + e; } }"
         " f({valueOf: function () { throw 'v'; }})", "caught v"},
    // a + b*k and (a + b*k) % m as one instruction: either factor order, -0, NaN, values
    // past 32 bits, negative sums, strings and valueOf in the plain order, errors, onto the stack.
    Case{"function f(x, i) { return x + i * 3; } [f(1, 2), f(-5, 1), f(1.5, 0.5), f(4294967295, 2)].join()", "7,-2,3,4294967301"},
    Case{"function f(x, i) { return x + 3 * i; } [f(1, 2), f(-5, 1), f(2147483647, 2147483647)].join()", "7,-2,8589934588"},
    Case{"function f(x, i) { return x + i * 0; } [f(1, NaN), 1 / f(-0, -1), f(2, Infinity)].join()", "NaN,-Infinity,NaN"},
    Case{"function f(x, i) { return x + i * 3; } [f('a', 2), f(2, '4'), f('a', 'b'), f(null, true)].join()", "a6,14,aNaN,3"},
    Case{"function f(a, b) { var s = ''; a = {valueOf: function () { s += 'a'; return 2; }}; b = {valueOf: function () { s += 'b'; return 5; }};"
         " return (a + b * 3) + ':' + ((a + b * 3) % 4) + ':' + s; } f()", "17:1:baba"},
    Case{"function f(x, i) { return (x + i * 3) % 7; } [f(-20, 1), f(4294967290, 5), f(2.5, 1), f(NaN, 1), 1 / f(-0, -0), 1 / f(-3, 1),"
         " f(9007199254740000, 1)].join()", "-3,6,5.5,NaN,-Infinity,Infinity,2"},
    Case{"function f() { var x = 'q', i = 1; x = (x + i * 3) % 5; return x; } f()", "NaN"},
    Case{"function f(x, i) { return [(x + i * 2) % 5, x + i * 2]; } f(4, 3).join()", "0,10"},
    Case{"function f(a, i) { try { return (a + i * 2) % 3; } catch (e) { return 'caught ' + e; } } f(1, {valueOf: function () { throw 'v'; }})", "caught v"},
    Case{"function f() { var h = 0, i; for (i = 0; i < 50; i++) h = (h + i * 31) % 1000003; return h; } f()", "37975"},
    // Counted loops: the fused step, continue, a counter changed by the body, Le, strings, NaN.
    Case{"function f() { var s = 0; for (var i = 0; i < 5; i++) s += i; return s + ':' + i; } f()", "10:5"},
    Case{"function f() { var s = ''; for (var i = 0; i <= 3; i++) { if (i == 1) continue; s += i; } return s; } f()", "023"},
    Case{"function f() { var n = 0; for (var i = 0; i < 10; i++) { i += 2; n++; } return n + ':' + i; } f()", "4:12"},
    Case{"function f() { var n = 0; for (var i = '3'; i < 6; i++) n++; return n + ':' + typeof i; } f()", "3:number"},
    Case{"function f() { var n = 0; for (var i = 7; i < 5; i++) n++; return n + ':' + i; } f()", "0:7"},
    Case{"function f() { var n = 0; for (var i = NaN; i < 5; i++) n++; return n; } f()", "0"},
    Case{"function f() { var n = 0; for (var i = 0; i < 5; ++i) n++; return n; } f()", "5"},
    // Sort's comparator: any result type, natives, throwing, nesting, undefined and holes.
    Case{"[3, 1, 2].sort(function (a, b) { return String(a - b); }).join()", "1,2,3"},
    Case{"[3, 1, 2].sort(function (a, b) { return a < b ? -1 : 1; }).join()", "1,2,3"},
    Case{"[3, 1, 2].sort(Math.min).join()", "3,1,2"},
    Case{"try { [2, 1].sort(function () { throw 'stop'; }); } catch (e) { e }", "stop"},
    Case{"[[2, 1], [4, 3]].sort(function (a, b) { a.sort(function (x, y) { return x - y; }); b.sort(function (x, y) { return x - y; });"
         " return b[0] - a[0]; }).join(';')", "3,4;1,2"},
    Case{"var a = [3, , undefined, 1]; a.sort(function (x, y) { return x - y; }); a.length + ':' + a.join()", "4:1,3,,"},
    Case{"var n = 0; [2, 1].sort(function (a, b) { this.n = 5; return a - b; }); n", "5"}));

}  // namespace
}  // namespace quillo::jscript::test
