// for-in order: insertion order for every key, array indices included; deleted and re-added
// keys move to the end; inherited and built-in properties; what JSON.stringify sees.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;

class Order : public ::testing::TestWithParam<Case> {};

// `keys(o)` lists what for-in visits, joined with commas.
TEST_P(Order, GivesExpectedKeys) {
    std::string src = std::string("function keys(o) { var r = []; for (var k in o) r.push(k); return r.join(); }\n") + GetParam().src;
    EXPECT_EQ(evalText(src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(Objects, Order, ::testing::Values(
    Case{"var o = { a: 1, b: 2, c: 3 }; delete o.a; o.a = 4; keys(o)", "b,c,a"},
    Case{"var o = { a: 1, b: 2 }; o.a = 5; keys(o)", "a,b"},
    Case{"var o = {}; o[3] = 1; o[1] = 1; o[2] = 1; keys(o)", "3,1,2"},
    Case{"var o = { x: 1 }; o['2'] = 1; o[0] = 1; o.y = 1; keys(o)", "x,2,0,y"},
    Case{"var o = { a: 1, b: 2, c: 3 }; delete o.b; delete o.a; o.b = 1; keys(o)", "c,b"},
    Case{"var o = { a: 1 }; delete o.a; keys(o) + '|' + ('a' in o)", "|false"},
    Case{"var o = {}; for (var i = 9; i >= 0; i--) o['k' + i] = i; keys(o)", "k9,k8,k7,k6,k5,k4,k3,k2,k1,k0"},
    Case{"function P() {} P.prototype.a = 1; var o = new P(); o.a = 2; keys(o)", "a"},
    Case{"function P() { this.own = 1; } P.prototype.inh = 1; var o = new P(); o.later = 1; keys(o)", "own,later,inh"},
    Case{"Object.prototype.extra = 1; keys({ a: 1 })", "a,extra"},
    Case{"Array.prototype.ext = 1; keys([5])", "0,ext"},
    Case{"var o = { a: 1, b: 2 }, seen = []; for (var k in o) { seen.push(k); delete o.b; } seen.join()", "a"},
    Case{"keys(undefined) + '|' + keys(5) + '|' + keys(true)", "||"},
    Case{"keys(Object.prototype) + keys(Array.prototype) + keys(String.prototype) + keys(Function.prototype)", ""},
    Case{"keys(Number) + keys(Date) + keys(RegExp.prototype) + keys(JSON)", ""},
    Case{"var e = new Error('x'); e.code = 1; keys(e).indexOf('code') >= 0", "true"}));

INSTANTIATE_TEST_SUITE_P(Arrays, Order, ::testing::Values(
    Case{"var a = [1, 2, 3]; delete a[0]; a[0] = 9; keys(a)", "1,2,0"},
    Case{"var a = [1, 2, 3]; a.length = 1; a[5] = 1; keys(a)", "0,5"},
    Case{"var a = []; a[1] = 1; a.push(2); keys(a)", "1,2"},
    Case{"var a = [1, 2, 3]; a.pop(); a.push(4); keys(a)", "0,1,2"},
    Case{"var a = [, 1, , 2]; keys(a)", "1,3"},
    Case{"var a = [1, 2]; a.shift(); keys(a)", "0"},
    Case{"var a = [3, 1, 2]; a.sort(); keys(a) + '|' + a.join()", "0,1,2|1,2,3"},
    Case{"var a = new Array(3); keys(a) + '|' + a.length", "|3"},
    Case{"var a = new Array(1, 2); keys(a)", "0,1"},
    Case{"var a = [1]; a.name = 'n'; a[1] = 2; a.length = 1; keys(a)", "0,name"},
    Case{"var a = []; a['1'] = 'x'; a[0] = 'y'; keys(a) + '|' + a.length", "1,0|2"},
    Case{"var a = []; a['01'] = 1; a[-1] = 1; a[1.5] = 1; keys(a) + '|' + a.length", "01,-1,1.5|0"}));

INSTANTIATE_TEST_SUITE_P(Globals, Order, ::testing::Values(
    Case{"var r = []; for (var k in this) if (k == 'Math' || k == 'Object' || k == 'eval') r.push(k); r.join()", ""}));

INSTANTIATE_TEST_SUITE_P(Json, Order, ::testing::Values(
    Case{"var o = { a: 1, b: 2 }; delete o.a; o.a = 3; JSON.stringify(o)", "{\"b\":2,\"a\":3}"},
    Case{"var o = {}; o.z = 1; o[1] = 2; o.a = 3; JSON.stringify(o)", "{\"z\":1,\"1\":2,\"a\":3}"},
    Case{"function P() { this.own = 1; } P.prototype.inh = 2; JSON.stringify(new P())", "{\"own\":1}"},
    Case{"var a = []; a[2] = 'c'; a[0] = 'a'; JSON.stringify(a)", "[\"a\",null,\"c\"]"}));

// The arguments object's indices are not enumerable.
TEST(ArgumentsObject, IndicesAreHidden) {
    EXPECT_EQ(evalText("function f() { var r = []; for (var k in arguments) r.push(k); return r.join(); } f('a', 'b')"), "");
    EXPECT_EQ(evalText("function f() { return arguments.propertyIsEnumerable('0') + ' ' + JSON.stringify(arguments); } f(1)"),
              "false {}");
    EXPECT_EQ(evalText("function f() { arguments.extra = 1; var r = []; for (var k in arguments) r.push(k); return r.join(); } f(1)"),
              "extra");
}

// Function declarations are bound before variables, so they enumerate first.
TEST(OrderFaults, GlobalFunctionsBeforeVariables) {
    EXPECT_EQ(evalText("var gvar = 1; function gfn() {} var r = []; for (var k in this) if (k == 'gvar' || k == 'gfn') r.push(k); r.join()"),
              "gfn,gvar");
}

}  // namespace
}  // namespace quillo::jscript::test
