// Whole numbers carry an int32 shadow that the run loop's integer paths use. Every
// operator with such a path must give what the double path gives for the same values:
// each form runs once on shadowed operands and once on the same values laundered through
// double arithmetic (which never sets the shadow), and the script lists any difference.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "JsTestSupport.h"

namespace quillo::jscript::test {
namespace {

// Operands near the int32 limits, -0, fractions, values past 2^53 and non-numbers.
const char* const kHarness = R"(
var vals = [0, -0, 1, -1, 2, 3, -7, 65520, 65521, 46341, -46341, 1073741824, 2147483646, 2147483647,
            -2147483647, -2147483648, -2147483647 - 1, 2147483648, -2147483649, 4294967295, 4294967296, 9007199254740993,
            0.5, -1.5, NaN, Infinity, -Infinity, '6', true, null];
function dbl(x) { return typeof x == 'number' ? x * 1.5 / 1.5 : x; }
function same(x, y) { return x === y ? (x !== 0 || 1 / x === 1 / y) : (x !== x && y !== y); }
function show(x) { return x === 0 && 1 / x < 0 ? '-0' : typeof x == 'string' ? "'" + x + "'" : String(x); }
var bad = [];
function check(what, got, want) { if (!same(got, want)) bad.push(what + ' gave ' + show(got) + ' not ' + show(want)); }
)";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

struct Form {
    const char* name;
    const char* script;  // defines f and g over OP (and K, M), runs the check loop, leaves bad
};

// f uses the integer paths, g the same operator on laundered operands.
const Form kForms[] = {
    {"locals", R"(
        function f(a, b) { return a OP b; }
        for (var i = 0; i < vals.length; i++) for (var j = 0; j < vals.length; j++)
            check(show(vals[i]) + ' OP ' + show(vals[j]), f(vals[i], vals[j]), f(dbl(vals[i]), dbl(vals[j])));)"},
    {"stack", R"(
        function f(o) { return o.a OP o.b; }
        for (var i = 0; i < vals.length; i++) for (var j = 0; j < vals.length; j++)
            check(show(vals[i]) + ' OP ' + show(vals[j]), f({a: vals[i], b: vals[j]}), f({a: dbl(vals[i]), b: dbl(vals[j])}));)"},
    {"local and constant", R"(
        function f(a) { return a OP K; }
        function g(a, k) { return a OP k; }
        for (var i = 0; i < vals.length; i++) check(show(vals[i]) + ' OP K', f(vals[i]), g(dbl(vals[i]), dbl(K)));)"},
    {"stack and constant", R"(
        function f(o) { return o.a OP K; }
        function g(a, k) { return a OP k; }
        for (var i = 0; i < vals.length; i++) check(show(vals[i]) + ' OP K', f({a: vals[i]}), g(dbl(vals[i]), dbl(K)));)"},
    {"compound into a local", R"(
        function f(a, b) { a OP= b; return a; }
        for (var i = 0; i < vals.length; i++) for (var j = 0; j < vals.length; j++)
            check(show(vals[i]) + ' OP= ' + show(vals[j]), f(vals[i], vals[j]), f(dbl(vals[i]), dbl(vals[j])));)"},
};

const char* const kOperators[] = {"+", "-", "*", "/", "%", "&", "|", "^", "<<", ">>", ">>>"};
const char* const kConstants[] = {"0", "1", "3", "7", "65521", "2147483647"};

TEST(WholeNumbers, EveryOperatorMatchesTheDoublePath) {
    for (const Form& form : kForms) {
        for (const char* op : kOperators) {
            bool usesK = std::string(form.script).find('K') != std::string::npos;
            for (const char* k : kConstants) {
                std::string src = replaced(replaced(kHarness + std::string(form.script), "OP", op), "K", k) + "\nbad.join('; ')";
                EXPECT_EQ(evalText(src), "") << form.name << ", operator " << op << (usesK ? std::string(", K = ") + k : "");
                if (!usesK) break;
            }
        }
    }
}

// The single-step and fused forms, each against its laundered twin.
const Form kStepForms[] = {
    {"increment a local", "function f(a) { a++; return a; } function g(a) { return f(a); }"},
    {"decrement a local", "function f(a) { --a; return a; } function g(a) { return f(a); }"},
    {"increment a property", "function f(a) { var o = {p: a}; o.p++; return o.p; } function g(a) { return f(a); }"},
    {"decrement a property", "function f(a) { var o = {p: a}; var r = o.p--; return o.p + r; } function g(a) { return f(a); }"},
    {"negate", "function f(a) { return -a; } function g(a) { return f(a); }"},
    {"complement", "function f(a) { return ~a; } function g(a) { return f(a); }"},
    {"counted loop up to the int32 limit",
     "function f(a) { var n = 0; for (var i = a; i <= 2147483647; i++) if (++n > 4) break; return i; }"
     " function g(a) { return f(a); }"},
    {"counted loop below the int32 limit",
     "function f(a) { var n = 0; for (var i = a; i < 2147483647; i++) if (++n > 4) break; return i; }"
     " function g(a) { return f(a); }"},
    {"array index", "var arr = [10, 20, 30]; function f(a) { return arr[a]; } function g(a) { return f(a); }"},
    {"scaled sum", "function f(a) { var x = a, i = a; return x + i * 3; } function g(a) { var k = 3; return a + a * k; }"},
    {"scaled sum of a negative factor",
     "function f(a) { var x = 5, i = a; return x + i * -65521; } function g(a) { var k = -65521; return 5 + a * k; }"},
    {"scaled remainder",
     "function f(a) { var x = a, i = 7; x = (x + i * 65521) % 65521; return x; } function g(a) { var k = 65521; return (a + 7 * k) % k; }"},
    {"scaled remainder of a large product",
     "function f(a) { var x = 1, i = a; x = (x + i * 2147483647) % 7; return x; } function g(a) { var k = 2147483647; return (1 + a * k) % 7; }"},
};

TEST(WholeNumbers, StepAndFusedFormsMatchTheDoublePath) {
    for (const Form& form : kStepForms) {
        std::string src = kHarness + std::string(form.script) +
                          "\nfor (var i = 0; i < vals.length; i++) check(show(vals[i]), f(vals[i]), g(dbl(vals[i])));"
                          "\nbad.join('; ')";
        EXPECT_EQ(evalText(src), "") << form.name;
    }
}

// Results the integer paths produce carry the shadow, so a chain of them stays off the
// doubles; results that are not int32 values (or are -0) must not.
TEST(WholeNumbers, ShadowIsSetExactlyForInt32Results) {
    struct Row {
        const char* src;
        bool shadowed;
    };
    const Row rows[] = {
        {"var a = 40; a + 2", true},
        {"-5", true},
        {"var a = 5; -a", true},
        {"var a = 0; -a", false},
        {"var a = -2147483648; -a", false},
        {"function f(a, b) { return a * b - 1; } f(6, 7)", true},
        {"function f(x, i) { x = (x + i * 3) % 65521; return x; } f(65000, 400)", true},
        {"function f() { var s = 0; for (var i = 0; i < 10; i++) s += i; return s; } f()", true},
        {"var a = 6; a | 1", true},
        {"var a = -1; a >>> 1", true},
        {"[5, 6][1]", true},
        {"var a = 2147483647; a + 1", false},
        {"var a = -2147483648; a - 1", false},
        {"var a = -3; a * 0", false},
        {"var a = -4; a % 2", false},
        {"var a = 7; a / 2", false},
        {"var a = -1; a >>> 0", false},
        {"var a = 0.5; a + 0.5", false},
        {"function f() { for (var i = 2147483646; i <= 2147483647; i++); return i; } f()", false},
    };
    for (const Row& r : rows) {
        Vm vm(nullptr);
        Value v = vm.evalCode(toU16(r.src), nullptr, Value(), false);
        ASSERT_TRUE(v.isNumber()) << r.src;
        EXPECT_EQ(v.isInt32(), r.shadowed) << r.src;
        if (v.isInt32()) {
            EXPECT_EQ(static_cast<double>(v.i32), v.num) << r.src;
            EXPECT_FALSE(v.num == 0 && std::signbit(v.num)) << r.src;
        }
    }
}

}  // namespace
}  // namespace quillo::jscript::test
