// Catch variables (scoped to their block, reachable from closures and eval inside it) and
// named function expressions (also declared in the enclosing scope), at every code level.

#include <gtest/gtest.h>

#include "EvalTable.h"
#include "ScopeLevels.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;  // src: a script body that leaves its result in the global `r`

class CatchScope : public ::testing::TestWithParam<Case> {};

// Each case runs as written and again with an unrelated closure beside it, which moves
// catch variables from stack slots to scope records.
TEST_P(CatchScope, SameAtEveryLevel) {
    for (Level level : {Level::Global, Level::Eval, Level::Function}) {
        for (const char* extra : {"", "\nvar unrelated = function () {};"}) {
            std::string body = std::string(GetParam().src) + extra;
            EXPECT_EQ(resultAt(level, body), GetParam().expected) << levelName(level) << ": " << body;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Closures, CatchScope, ::testing::Values(
    Case{"try { throw 'x'; } catch (e) { var f = function () { return e; }; } r = f();", "x"},
    Case{"var fs = []; for (var i = 0; i < 3; i++) { try { throw i; } catch (e) { fs.push(function () { return e; }); } }"
         " r = '' + fs[0]() + fs[1]() + fs[2]();", "012"},
    Case{"var e = 'outer'; try { throw 'inner'; } catch (e) { var g = function () { return e; }; } r = e + ' ' + g();",
         "outer inner"},
    Case{"var e = 1; try { throw 2; } catch (e) { e = 3; var h = function () { return e; }; } r = e + ',' + h();", "1,3"},
    Case{"try { throw 2; } catch (e) { var e = 7; } r = typeof e;", "undefined"},
    Case{"try { throw 1; } catch (e) { function hoisted() { return typeof e; } } r = hoisted();", "undefined"},
    Case{"try { throw 'a'; } catch (e) { try { throw 'b'; } catch (e) { var inner = function () { return e; }; } r = e + inner(); }",
         "ab"},
    Case{"try { throw 1; } catch (a) { try { throw 2; } catch (b) { r = (function () { return a + b; })(); } }", "3"},
    Case{"try { throw 'x'; } catch (e) { r = (function () { return function () { return e; }; })()(); }", "x"}));

INSTANTIATE_TEST_SUITE_P(EvalAndWith, CatchScope, ::testing::Values(
    Case{"try { throw 5; } catch (e) { r = eval('e * 2'); }", "10"},
    Case{"try { throw 5; } catch (e) { r = (function () { return eval('e'); })(); }", "5"},
    Case{"try { throw 4; } catch (e) { eval('var made = e'); } r = made + typeof e;", "4undefined"},
    Case{"try { throw 4; } catch (e) { eval('e = 6'); r = e; }", "6"},
    Case{"var o = { p: 'o.p' }; with (o) { try { throw 'x'; } catch (e) { r = (function () { return e + p; })(); } }", "xo.p"},
    Case{"try { throw 'x'; } catch (e) { with ({ q: 1 }) { r = e + q + (function () { return e; })(); } }", "x1x"},
    Case{"var o = { e: 'prop' }; try { throw 'caught'; } catch (e) { with (o) { r = e; } }", "prop"}));

INSTANTIATE_TEST_SUITE_P(LeavingTheBlock, CatchScope, ::testing::Values(
    Case{"var fs = []; for (var i = 0; i < 5; i++) { try { throw i; } catch (e) { fs.push(function () { return e; }); if (e == 1) break; } }"
         " r = fs.length + ':' + fs[1]();", "2:1"},
    Case{"var n = 0; for (var i = 0; i < 3; i++) { try { throw i; } catch (e) { if (e == 1) continue; n += e; } } r = n + typeof e;",
         "2undefined"},
    Case{"try { try { throw 1; } catch (e) { var f2 = function () { return e; }; throw 'again'; } } catch (x) { r = x + f2() + typeof e; }",
         "again1undefined"},
    Case{"try { throw 'outer'; } catch (e) {"
         " r = (function () { for (;;) { try { throw 'in'; } catch (e) { var k = function () { return e; }; break; } finally { return e; } } })(); }",
         "outer"},
    Case{"r = (function () { try { throw 'v'; } catch (e) { try { return function () { return e; }; } finally { e = 'w'; } } })()();", "w"}));

class FunctionName : public ::testing::TestWithParam<Case> {};

TEST_P(FunctionName, SameAtEveryLevel) {
    for (Level level : {Level::Global, Level::Eval, Level::Function})
        EXPECT_EQ(resultAt(level, GetParam().src), GetParam().expected) << levelName(level) << ": " << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(NamedExpressions, FunctionName, ::testing::Values(
    Case{"r = typeof g; var f = function g() { return 1; };", "function"},
    Case{"var f = function g() {}; r = (f === g) + ' ' + typeof f + ' ' + typeof g;", "false function function"},
    Case{"var f = function g() {}; f.x = 1; r = typeof g.x;", "undefined"},
    Case{"if (false) { var f = function g() { return 'g'; }; } r = g() + typeof f;", "gundefined"},
    Case{"var f = function g() { return g; }; r = (f() === f) + ' ' + (f() === g);", "false true"},
    Case{"var f = function g() { return 1; }; g = null; r = f() + ' ' + g;", "1 null"},
    Case{"var f = function g() { return 1; }; function g() { return 2; } r = g() + f();", "3"},
    Case{"function g() { return 2; } var f = function g() { return 1; }; r = g() + f();", "2"},
    Case{"r = [3, 1, 2].sort(function byValue(a, b) { return a - b; }).join() + ' ' + typeof byValue;", "1,2,3 function"},
    Case{"var fs = []; for (var i = 0; i < 2; i++) fs.push(function g() {});"
         " r = (fs[0] === fs[1]) + ' ' + (fs[0] === g) + ' ' + (fs[1] === g);", "false false false"},
    Case{"var o = { m: function inner() { return typeof inner; } }; r = o.m() + ' ' + (inner === o.m);", "function false"},
    // The declaration is made where the scope begins, the expression where it stands.
    Case{"try { throw 'x'; } catch (e) { var f = function g() { return typeof e; }; } r = f() + ' ' + g();", "string undefined"},
    Case{"var o = { p: 'in o' }; with (o) { var f = function g() { return typeof p; }; } r = f() + ' ' + g();", "string undefined"},
    Case{"function outer() { var v = 'v'; try { throw 1; } catch (e) { return (function g() { return v + e; })(); } } r = outer();", "v1"},
    Case{"function outer() { var v = 'v'; with ({ w: 2 }) { return (function g() { return v + w; })(); } } r = outer();", "v2"}));

}  // namespace
}  // namespace quillo::jscript::test
