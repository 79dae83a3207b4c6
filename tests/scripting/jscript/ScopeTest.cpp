// Scopes and control flow: closures, arguments, with, eval, try/finally, labels, for-in.

#include <gtest/gtest.h>

#include "JsTestSupport.h"

namespace quillo::jscript::test {
namespace {

struct Case {
    const char* src;
    const char* expected;
};

class Scope : public ::testing::TestWithParam<Case> {};

TEST_P(Scope, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(Closures, Scope, ::testing::Values(
    Case{"function mk() { var n = 0; return function () { return ++n; }; } var c = mk(); c(); c(); c()", "3"},
    Case{"function mk() { var n = 0; return function () { return ++n; }; } var a = mk(), b = mk(); a(); a(); b()", "1"},
    Case{"var fs = []; for (var i = 0; i < 3; i++) fs.push(function () { return i; }); fs[0]() + fs[2]()", "6"},
    Case{"var fs = []; for (var i = 0; i < 3; i++) fs.push((function (j) { return function () { return j; }; })(i)); '' + fs[0]() + fs[2]()", "02"},
    Case{"function outer() { var x = 'o'; function mid() { function inner() { return x; } return inner(); } return mid(); } outer()", "o"},
    Case{"function f() { var v = 1; var g = function () { v = 2; }; g(); return v; } f()", "2"},
    Case{"var x = 'global'; function f() { return x; } function g() { var x = 'local'; return f(); } g()", "global"},
    Case{"function f() { return typeof later; function later() {} } f()", "function"},
    Case{"function f() { if (false) { function h() { return 1; } } return typeof h; } f()", "function"},
    Case{"function f(a) { a = 5; return arguments[0]; } f(1)", "5"},
    Case{"function f(a) { arguments[0] = 9; return a; } f(1)", "9"},
    Case{"function f(a, b) { return arguments.length + ':' + typeof b; } f(1)", "1:undefined"},
    Case{"function f() { return arguments.callee === f; } f()", "true"},
    Case{"function f(a) { function g() { return a; } a = 'changed'; return g(); } f('x')", "changed"},
    Case{"function f(a) { var a; return a; } f(4)", "4"},
    Case{"function f(a, a) { return a; } f(1, 2)", "2"},
    Case{"var o = { m: function () { return this.v; }, v: 7 }; o.m()", "7"},
    Case{"var v = 'g'; var m = function () { return this.v; }; m()", "g"},
    Case{"function P() { this.z = 1; } var p = new P(); p.z + (p instanceof P ? 1 : 0)", "2"},
    Case{"function P() { return { other: 1 }; } new P().other", "1"},
    Case{"(function () { return typeof this; }).call(5)", "object"},
    Case{"Math.max.apply(null, [1, 9, 3])", "9"}));

INSTANTIATE_TEST_SUITE_P(WithAndEval, Scope, ::testing::Values(
    Case{"var o = { a: 1 }; with (o) { a = 2; } o.a", "2"},
    Case{"var o = { a: 1 }; var b = 0; with (o) { b = a + 1; } b", "2"},
    Case{"var o = {}; with (o) { var w = 3; } w", "3"},
    Case{"function f() { var o = { k: 'in o' }; with (o) { return (function () { return k; })(); } } f()", "in o"},
    Case{"var o = { f: function () { return this === o; } }; with (o) { f(); }", "true"},
    Case{"function f() { var loc = 'L'; return eval('loc'); } f()", "L"},
    Case{"function f() { eval('var made = 1'); return typeof made; } f() + ' ' + typeof made", "number undefined"},
    Case{"function f() { var x = 1; eval('x = 2'); return x; } f()", "2"},
    Case{"var e = eval; function f() { var x = 'local'; return e('typeof x'); } var x = 1; f()", "number"},
    Case{"eval('1; 2; if (true) { 3 }')", "3"},
    Case{"eval('')", "undefined"},
    Case{"eval(42)", "42"},
    Case{"function f() { return eval('arguments.length'); } f(1, 2, 3)", "3"},
    Case{"function f() { return eval('(function () { return this; })')() === this; } f()", "true"},
    Case{"eval('{ a: 1 }')", "1"},
    Case{"typeof eval('({ a: 1 })')", "object"},
    Case{"eval('var q = 5'); q", "5"},
    Case{"try { eval('1 +'); } catch (e) { e.name + ' ' + e.number }", "SyntaxError -2146827286"}));

INSTANTIATE_TEST_SUITE_P(ControlFlow, Scope, ::testing::Values(
    Case{"function f() { try { return 'try'; } finally { r = 'fin'; } } var r; f() + r", "tryfin"},
    Case{"function f() { try { return 1; } finally { return 2; } } f()", "2"},
    Case{"function f() { try { throw 1; } catch (e) { return 'c' + e; } finally { } } f()", "c1"},
    Case{"var s = ''; for (var i = 0; i < 3; i++) { try { if (i == 1) continue; s += i; } finally { s += 'f'; } } s", "0ff2f"},
    Case{"var s = ''; outer: for (var i = 0; i < 3; i++) { for (var j = 0; j < 3; j++) { if (j == 1) continue outer; if (i == 2) break outer; s += i + '' + j; } } s", "0010"},
    Case{"var s = ''; blk: { s += 'a'; break blk; s += 'b'; } s", "a"},
    Case{"var s = ''; switch (2) { case 1: s += 1; case 2: s += 2; case 3: s += 3; break; default: s += 'd'; } s", "23"},
    Case{"var s = ''; switch ('x') { default: s += 'd'; case 1: s += 1; } s", "d1"},
    Case{"var s = ''; switch (1) { case '1': s = 'loose'; break; case 1: s = 'strict'; } s", "strict"},
    Case{"var e = 'outer'; try { throw 'inner'; } catch (e) { } e", "outer"},
    Case{"function f() { var r = []; try { try { throw 1; } finally { r.push('f1'); } } catch (x) { r.push('c' + x); } return r.join(); } f()", "f1,c1"},
    Case{"var n = 0; do { n++; if (n > 5) break; } while (true); n", "6"},
    Case{"var o = { a: 1, b: 2 }, k = []; for (var p in o) { k.push(p); if (p == 'a') delete o.b; } k.join()", "a"},
    Case{"var o = {}; o.z = 1; o.a = 2; o[5] = 3; var k = []; for (var p in o) k.push(p); k.join()", "z,a,5"},
    Case{"var a = []; a[2] = 1; a[0] = 1; var k = []; for (var p in a) k.push(p); k.join()", "2,0"},
    Case{"var a = [1, 2]; a.x = 1; a[2] = 3; var k = []; for (var p in a) k.push(p); k.join()", "0,1,x,2"},
    Case{"var k = []; for (var p in { toString: 1, valueOf: 2, own: 3 }) k.push(p); k.join()", "own"},
    Case{"var k = []; for (var p in null) k.push(p); k.length", "0"}));

INSTANTIATE_TEST_SUITE_P(RuntimeErrors, Scope, ::testing::Values(
    Case{"missing", "TypeError -2146823279: 'missing' is undefined"},
    Case{"var o = null; o.x", "TypeError -2146823281: 'o' is null or not an object"},
    Case{"var o = { a: null }; o.a.b", "TypeError -2146823281: 'o.a' is null or not an object"},
    Case{"var n = 1; n()", "TypeError -2146823286: Function expected"},
    Case{"({}).nothing()", "TypeError -2146827850: Object doesn't support this property or method"},
    Case{"new Array(-1)", "RangeError -2146823259: Array length must be a finite positive integer"},
    Case{"[].length = 1.5", "RangeError -2146823258: Array length must be assigned a finite positive number"},
    Case{"Number.prototype.toFixed.call('1')", "TypeError -2146823287: Number expected"},
    Case{"f() = 1; function f() {}", "TypeError -2146823285: Cannot assign to a function result"},
    Case{"1 instanceof 2", "TypeError -2146823286: Function expected"},
    Case{"'a' in 'abc'", "TypeError -2146823281: Object expected"},
    Case{"function r() { return r(); } r()", "Error -2146828260: Out of stack space"},
    Case{"throw 'plain'", "thrown plain"},
    Case{"new Error(5, 'five').number", "5"}));

}  // namespace
}  // namespace quillo::jscript::test
