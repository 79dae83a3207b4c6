// Further language and library semantics: prototypes, property attributes, wrappers,
// function objects, argument conversion and this dialect's particular behaviours.

#include <gtest/gtest.h>

#include "JsTestSupport.h"

namespace quillo::jscript::test {
namespace {

struct Case {
    const char* src;
    const char* expected;
};

class Semantics : public ::testing::TestWithParam<Case> {};

TEST_P(Semantics, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(Prototypes, Semantics, ::testing::Values(
    Case{"function A() {} A.prototype.x = 1; var a = new A(); A.prototype.x = 2; a.x", "2"},
    Case{"function A() {} var a = new A(); A.prototype = { x: 3 }; (a instanceof A) + ' ' + new A().x", "false 3"},
    Case{"function A() {} function B() {} B.prototype = new A(); (new B() instanceof A) + ' ' + (new B().constructor === A)", "true true"},
    Case{"function A() {} A.prototype.constructor === A", "true"},
    Case{"var o = {}; o.hasOwnProperty('toString') + ' ' + ('toString' in o)", "false true"},
    Case{"Object.prototype.isPrototypeOf([]) + ' ' + Array.prototype.isPrototypeOf({})", "true false"},
    Case{"({ a: 1 }).propertyIsEnumerable('a') + ' ' + [].propertyIsEnumerable('length')", "true false"},
    Case{"Math.PI = 3; Math.PI > 3", "true"},
    Case{"delete Math.PI; typeof Math.PI", "number"},
    Case{"var o = { a: 1 }; (delete o.a) + ' ' + ('a' in o)", "true false"},
    Case{"NaN = 1; isNaN(NaN)", "true"},
    Case{"undefined = 1; typeof undefined", "undefined"},
    Case{"Number.MAX_VALUE + ' ' + Number.MIN_VALUE", "1.7976931348623157e+308 5e-324"}));

INSTANTIATE_TEST_SUITE_P(Wrappers, Semantics, ::testing::Values(
    Case{"typeof new Number(1) + ' ' + typeof Number('1')", "object number"},
    Case{"new Boolean(false) ? 'truthy' : 'falsy'", "truthy"},
    Case{"var s = 'abc'; s.extra = 1; typeof s.extra", "undefined"},
    Case{"new String('abc').length + new String('abc')[1]", "3b"},
    Case{"'abc'[1] + 'abc'.charAt(5) + typeof 'abc'[5]", "bundefined"},
    Case{"(5).constructor === Number", "true"},
    Case{"true.toString() + (1).valueOf()", "true1"},
    Case{"Boolean.prototype.toString.call(1)", "TypeError -2146823278: Boolean expected"},
    Case{"String.prototype.toString.call(1)", "TypeError -2146823283: String expected"},
    Case{"(255).toString(37)", "Error -2146828283: Invalid procedure call or argument"}));

INSTANTIATE_TEST_SUITE_P(Functions, Semantics, ::testing::Values(
    Case{"(function (a, b, c) {}).length", "3"},
    Case{"function f() {} f.prop = 1; f.prop", "1"},
    Case{"typeof Function.prototype", "function"},
    Case{"function f() { return f.caller; } function g() { return f(); } g() === g", "true"},
    Case{"function f() { return typeof f.arguments; } f()", "object"},
    Case{"var f = new Function('return 7'); f()", "7"},
    Case{"Function('a', 'return a * 2')(4)", "8"},
    Case{"Function('return (')", "SyntaxError -2146827286: Syntax error"},
    Case{"Array.prototype.push.toString().indexOf('[native code]') > 0", "true"},
    Case{"(function () { return arguments; })(1, 2).length", "2"},
    Case{"function f() { return this; } f.call(null) === this", "true"},
    Case{"function f() { return this.v; } f.apply({ v: 'applied' })", "applied"},
    Case{"function f() { return arguments.length; } f.apply(null, { length: 2 })", "TypeError -2146823260: Array or arguments object expected"},
    Case{"function f(x) { return x; } f.apply(null, undefined)", "undefined"},
    Case{"var o = { f: function () { return function () { return this; }; } }; o.f()() === this", "true"}));

INSTANTIATE_TEST_SUITE_P(Dialect, Semantics, ::testing::Values(
    Case{"[1, 2, ].length + [, ].length", "4"},
    Case{"var f = function g() { return 'g'; }; g()", "g"},
    Case{"substrTest = 'abcdef'.substr(-2, 1)", "a"},
    Case{"'a1b2c'.split(/(\\d)/).join()", "a,b,c"},
    Case{"',a,,b,'.split(/,/).length + ' ' + ',a,,b,'.split(',').length", "2 5"},
    Case{"/x(y)?/.exec('x')[1] + '|'", "|"},
    Case{"var r = /a*/g; r.exec('baa'); r.lastIndex", "1"},
    Case{"(0.5).toFixed(0) + (0.9).toFixed(0) + (1.5).toFixed(0)", "002"},
    Case{"parseInt('012') + parseInt('09')", "10"},
    Case{"new Error(3, 'three').description + new Error('m').number", "three0"},
    Case{"String(new Error('x'))", "[object Error]"},
    Case{"new Date(2000, 0, 1).getYear() + new Date(1999, 0, 1).getYear()", "2099"},
    Case{"escape('\\u00e9') + escape('\\u20ac')", "%E9%u20AC"},
    Case{"var k = []; for (var p in { valueOf: 1, hasOwnProperty: 2, keep: 3 }) k.push(p); k.join()", "keep"}));

}  // namespace
}  // namespace quillo::jscript::test
