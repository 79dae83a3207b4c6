// Scope tables: closures and hoisting, `with` name resolution, and eval (direct, indirect,
// declarations hoisted into the caller). Cases beyond ScopeTest's.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Scopes)

INSTANTIATE_TEST_SUITE_P(Closures, Scopes, ::testing::Values(
    Case{"function mk() { var n = 0; return { inc: function () { return ++n; }, get: function () { return n; } }; } var o = mk(); o.inc(); o.inc(); o.get()", "2"},
    Case{"var f = function fact(n) { return n <= 1 ? 1 : n * fact(n - 1); }; f(5)", "120"},
    Case{"function mk(v) { return function () { return v; }; } var a = mk(1), b = mk(2); a() + b()", "3"},
    Case{"function f() { var g = function () { return late; }; var late = 'L'; return g(); } f()", "L"},
    Case{"function f() { var a = arguments; return function () { return a[0]; }; } f('x')()", "x"},
    Case{"function outer() { var n = 0; function inc() { n++; if (n < 5) inc(); } inc(); return n; } outer()", "5"},
    Case{"function a() { var x = 1; return function () { var y = 2; return function () { var z = 3; return function () { return x + y + z; }; }; }; } a()()()()", "6"},
    Case{"function mk() { var v = 0; return [function () { v += 1; }, function () { return v; }]; } var p = mk(), q = mk(); p[0](); p[0](); q[0](); p[1]() + ',' + q[1]()", "2,1"},
    Case{"var fs = []; function add(i) { fs.push(function () { return i * 10; }); } for (var k = 0; k < 3; k++) add(k); fs[0]() + fs[1]() + fs[2]()", "30"},
    Case{"function f() { var self = function () { return typeof self; }; return self(); } f()", "function"},
    Case{"var x = 'g'; function f() { var x = 'f'; return (function () { return x; })(); } f()", "f"},
    Case{"var counter = (function () { var c = 0; return function () { return c++; }; })(); counter(); counter(); counter()", "2"}));

INSTANTIATE_TEST_SUITE_P(Hoisting, Scopes, ::testing::Values(
    Case{"function f() { x = 5; var x; return x; } f() + typeof x", "5undefined"},
    Case{"var v = 1; function f() { var r = v; var v = 2; return r; } f()", "undefined"},
    Case{"function f() { return typeof g; var g = 1; function g() {} } f()", "function"},
    Case{"function f() { var g = 1; function g() {} return typeof g; } f()", "number"},
    Case{"function f() { return 1; } function f() { return 2; } f()", "2"},
    Case{"function f() { var t = typeof h; var h = function () {}; return t; } f()", "undefined"},
    Case{"var p = 'g'; function f(p) { return p; } f()", "undefined"},
    Case{"function f(p) { var p; return p; } f('kept')", "kept"},
    Case{"function f(p) { function p() {} return typeof p; } f(1)", "function"},
    Case{"function f() { for (var i = 0; i < 3; i++) { var inner = i; } return i + inner; } f()", "5"},
    Case{"function f() { leak = 3; } f(); leak", "3"},
    Case{"var gv = 1; this.gv", "1"},
    Case{"this.newProp = 2; newProp", "2"},
    Case{"var dv = 1; delete dv", "false"},
    Case{"implicitG = 1; (delete implicitG) + ' ' + typeof implicitG", "true undefined"},
    Case{"function f() { return typeof arguments; } f()", "object"},
    Case{"function f() { var arguments = 1; return arguments; } f(9)", "1"},
    Case{"try { throw 1; } catch (e) { var fromCatch = e; } fromCatch", "1"},
    Case{"if (false) { var never = 1; } typeof never", "undefined"},
    Case{"'never' in this", "false"},
    Case{"if (false) { var never = 1; } 'never' in this", "true"}));

INSTANTIATE_TEST_SUITE_P(With, Scopes, ::testing::Values(
    Case{"var o = { x: 1 }; var x = 'outer'; with (o) { x = 2; } x + o.x", "outer2"},
    Case{"var o = {}; var y = 0; with (o) { y = 5; } y + ',' + ('y' in o)", "5,false"},
    Case{"var o = { z: 1 }; with (o) { var z = 2; } o.z + ',' + z", "2,undefined"},
    Case{"function P() {} P.prototype.q = 'proto'; var q = 'global'; with (new P()) { q }", "proto"},
    Case{"var a = { v: 'a' }, b = { w: 'b' }; with (a) with (b) { v + w }", "ab"},
    Case{"var a = { v: 'outer' }, b = { v: 'inner' }; with (a) with (b) { v }", "inner"},
    Case{"var o = { k: 1 }; with (o) { delete k; } 'k' in o", "false"},
    Case{"with ('abc') { length }", "3"},
    Case{"with ({}) { typeof nothing }", "undefined"},
    Case{"with (null) { 1 }", "TypeError -2146823281: Object expected"},
    Case{"var o = { n: 1 }, f; with (o) { f = function () { return n; }; } o.n = 7; f()", "7"},
    Case{"var o = {}, f; with (o) { f = function () { return typeof added; }; } o.added = 1; f()", "number"},
    Case{"function g() { var o = { a: 'obj' }; var a = 'local'; with (o) { return a; } } g()", "obj"},
    Case{"var o = { a: 1 }; with (o) { a++; a += 2; } o.a", "4"},
    Case{"var o = { s: 'x' }; with (o) { s = s + 'y'; } o.s", "xy"},
    Case{"var r = ''; var o = { a: 1, b: 2 }; with (o) { for (var k in o) r += k; } r", "ab"},
    Case{"var o = { m: function () { return this.tag; }, tag: 'o' }; var m = function () { return 'global'; }; with (o) { m() }", "o"},
    Case{"var o = { v: 1 }; function f() { with (o) { return v; } } o.v = 2; f()", "2"},
    Case{"var s = 0; with ({ i: 10 }) { for (var j = 0; j < 3; j++) s += i; } s", "30"}));

INSTANTIATE_TEST_SUITE_P(Eval, Scopes, ::testing::Values(
    Case{"function f() { var r = typeof h2; eval('var h2 = 1'); return r + typeof h2; } f()", "undefinednumber"},
    Case{"function f() { eval('function inner() { return 7; }'); return inner(); } f() + typeof inner", "7undefined"},
    Case{"function f() { eval('var a = 1, b = 2'); return a + b; } f()", "3"},
    Case{"function f(p) { eval('p = 9'); return arguments[0]; } f(1)", "9"},
    Case{"function f() { var a = 'A'; return (function () { return eval('a'); })(); } f()", "A"},
    Case{"var o = { a: 1 }; with (o) { eval('a = 2'); } o.a", "2"},
    Case{"var o = { a: 1 }; with (o) { eval('var a = 3'); } o.a", "3"},
    Case{"typeof eval(new String('1 + 1'))", "object"},
    Case{"eval('for (var i = 0; i < 3; i++) i * 2')", "4"},
    Case{"try { eval('throw 5'); } catch (e) { e }", "5"},
    Case{"function f() { eval('var x = 1'); eval('x++'); return x; } f()", "2"},
    Case{"function f() { var s = 'before'; eval('s += \" after\"'); return s; } f()", "before after"},
    Case{"function f() { var fn = eval('(function () { return 1; })'); return fn(); } f()", "1"},
    Case{"eval('eval(\"var deep = 4\")'); deep", "4"},
    Case{"function f() { eval('eval(\"var deep = 4\")'); return deep; } f() + typeof deep", "4undefined"},
    Case{"function f() { var e = eval; e('var fromIndirect = 1'); } f(); typeof fromIndirect", "number"},
    Case{"var x = 'g'; function f() { var x = 'l'; var e = eval; return e('x') + eval('x'); } f()", "gl"},
    Case{"var x = 'g'; function f() { var x = 'l'; return [eval][0]('x'); } f()", "g"},
    Case{"function f() { return eval('this'); } f() === this", "true"},
    Case{"var o = { f: function () { return eval('this') === o; } }; o.f()", "true"},
    Case{"eval('if (true) { 1; } else { 2; }; ;')", "1"},
    Case{"eval('var z = 5')", "undefined"},
    Case{"var n = 0; eval('n++; n++'); n", "2"},
    Case{"function f() { try { throw 1; } catch (e) { eval('var v = e'); } return v; } f()", "1"},
    Case{"function f() { try { throw 1; } catch (e) { var w = e; } return w + typeof e; } f()", "1undefined"},
    Case{"function f() { var o = { p: 1 }; with (o) { eval('function q() { return p; }'); } return q(); } f()", "1"},
    Case{"function f() { var fs = []; for (var i = 0; i < 2; i++) fs.push(eval('(function () { return i; })')); return fs[0]() + fs[1](); } f()", "4"},
    Case{"var x = 1; function f() { var e = eval; e('var x = 2'); return x; } f() + '' + x", "22"},
    Case{"with ({ eval: function () { return 'mine'; } }) { eval('1') }", "mine"},
    Case{"function f() { return eval('return 1'); } f()", "SyntaxError -2146827270: 'return' statement outside of function"},
    Case{"for (var i = 0; i < 1; i++) { eval('continue'); }", "SyntaxError -2146827268: Can't have 'continue' outside of loop"}));

// A finally block that completes normally leaves the try block's value as the completion.
TEST(EvalCompletion, FinallyKeepsTheTryOrCatchBlocksValue) {
    EXPECT_EQ(evalText("eval('try { 1 } finally { 2 }')"), "1");
    EXPECT_EQ(evalText("eval('try { throw 0 } catch (e) { 3 } finally { 4 }')"), "3");
    EXPECT_EQ(evalText("eval('do { try { 5; break } finally { 6 } } while (false)')"), "5");
    EXPECT_EQ(evalText("var r; try { eval('try { 7; throw 1 } finally { 8 }') } catch (e) { r = e } r"), "1");
}

}  // namespace
}  // namespace quillo::jscript::test
