// The interpreter's fast paths give the same results as the general ones: pooled cell
// memory, inline Env slots, whole-number text, JSON's integer parsing, and frames set up
// for calls with too few or too many arguments.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "JsTestSupport.h"
#include "scripting/jscript/CellPool.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript::test {
namespace {

#if !defined(QUILLO_JS_PLAIN_CELLS)
TEST(CellPool, SizeClassesCoverEachGrainUpToTheLimit) {
    struct Row {
        size_t bytes;
        uint8_t cls;
    };
    // 16-byte steps to 256, then 64-byte steps to 1 KiB.
    const Row rows[] = {{1, 0},     {16, 0},    {17, 1},    {32, 1},    {33, 2},    {255, 15},   {256, 15},
                        {257, 16},  {320, 16},  {321, 17},  {960, 26},  {961, 27},  {1024, 27},  {1025, CellPool::kUnpooled},
                        {4096, CellPool::kUnpooled}};
    for (const Row& r : rows) {
        EXPECT_EQ(CellPool::classOf(r.bytes), r.cls) << r.bytes;
        if (r.cls == CellPool::kUnpooled) continue;
        // The class holds the size, and the class below does not.
        EXPECT_GE(CellPool::sizeOf(r.cls), r.bytes) << r.bytes;
        if (r.cls > 0) {
            EXPECT_LT(CellPool::sizeOf(r.cls - 1), r.bytes) << r.bytes;
        }
    }
}

TEST(CellPool, HandsOutDistinctCellsAndReusesReleasedOnes) {
    CellPool pool;
    const uint8_t cls = CellPool::classOf(48);
    std::set<void*> seen;
    std::vector<void*> cells;
    for (int i = 0; i < 5000; ++i) {  // several blocks' worth
        void* p = pool.allocate(48, cls);
        EXPECT_TRUE(seen.insert(p).second);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % CellPool::kGrain, 0u);
        static_cast<char*>(p)[47] = 1;  // the whole cell is usable
        cells.push_back(p);
    }
    pool.release(cells[10], cls);
    EXPECT_EQ(pool.allocate(48, cls), cells[10]);
    void* big = pool.allocate(5000, CellPool::kUnpooled);
    pool.release(big, CellPool::kUnpooled);
}
#endif

TEST(AppendNumber, MatchesNumberToString) {
    const double values[] = {0, -0.0, 7, 10, 99, 65521, 2147483647.0, 2147483648.0, -1, 0.5, 1e21, 123456789012345.0, NAN, INFINITY, -INFINITY};
    for (double d : values) {
        std::u16string out = u"x";
        appendNumber(out, d);
        std::u16string expected = u"x";
        expected += numberToString(d);
        EXPECT_EQ(out, expected) << d;
    }
}

struct Case {
    const char* src;
    const char* expected;
};

class FastPath : public ::testing::TestWithParam<Case> {};

TEST_P(FastPath, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(Scripts, FastPath, ::testing::Values(
    // Env slots inline (up to three) and on the heap, read back after other closures ran.
    Case{"function m(a) { return function () { return a; }; } var f = m(1), g = m(2); f() + g()", "3"},
    Case{"function m(a, b, c) { return function () { return a + b + c; }; } m(1, 2, 3)()", "6"},
    Case{"function m(a, b, c, d, e) { return function () { return [a, b, c, d, e].join(''); }; } m(1, 2, 3, 4, 5)()", "12345"},
    Case{"var fs = []; for (var i = 0; i < 20000; i++) fs.push((function (k) { return function () { return k; }; })(i));"
         "var s = 0; for (var j = 0; j < fs.length; j++) s += fs[j](); s", "199990000"},
    // Frames: missing parameters are undefined, extra arguments do not leak into locals.
    Case{"function f(a, b) { var c; return [typeof b, typeof c].join(); } f(1)", "undefined,undefined"},
    Case{"function f(a) { var c; return typeof c; } f(1, 2, 3)", "undefined"},
    Case{"function f(a) { var c; return arguments.length + ':' + arguments[2] + ':' + typeof c; } f(1, 2, 3)", "3:3:undefined"},
    Case{"function P(x) { this.x = x; } var p = new P(4); p.x + (p instanceof P ? 1 : 0)", "5"},
    // Errors thrown inside calls reach the handler of the right frame.
    Case{"function t() { throw 5; } function u() { try { t(); } catch (e) { return e + 1; } } u()", "6"},
    Case{"function d(n) { return n ? d(n - 1) : null.x; } try { d(50) } catch (e) { e.number & 0xFFFF }", "5007"},
    // Element and length reads: dense slots inline, holes, odd keys and inherited values not.
    Case{"var a = [1, , 3]; [a[0], a[1], a[2], a[3], a[-1], a[0.5], a['2']].join()", "1,,3,,,,3"},
    Case{"Array.prototype[1] = 'p'; var a = [1, , 3]; a[1] + (1 in a)", "ptrue"},
    Case{"var a = []; a[100] = 1; a.length + ' ' + [].length + ' ' + {length: 'own'}.length", "101 0 own"},
    Case{"var s = 'abc'; s[1] + s.length", "b3"},
    // A conditional whose test is a comparison tests and jumps in one instruction.
    Case{"[1 < 2 ? 'y' : 'n', 2 < 1 ? 'y' : 'n', 'a' > 'b' ? 1 : 2, NaN < 1 ? 5 : 6, null <= 0 ? 7 : 8, 'x' >= 'x' ? 9 : 0].join()", "y,n,2,6,7,9"},
    Case{"var o = {valueOf: function () { return 3; }}; (o > 2 ? 'big' : 'small') + (undefined < 1 ? 1 : 0)", "big0"},
    Case{"function fib(n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); } fib(15)", "610"},
    // Loops testing a local against a whole-number constant, with numbers and other values.
    Case{"function f() { var n = 0, s = []; for (var i = 0; i < 5; i++) n++; s.push(n);"
         "for (i = 0; i <= 5; i++) n++; s.push(n); for (i = 9; i > -3; i--) n++; s.push(n);"
         "for (i = 3; i >= 3; i--) n++; s.push(n); return s.join(); } f()", "5,11,23,24"},
    Case{"function f() { var n = 0; for (var i = '0'; i < 3; i = i + 1) n++; return n + ':' + i; } f()", "2:011"},
    Case{"function f() { var c = 0, o = {valueOf: function () { return c++; }}; var n = 0;"
         "do n++; while (o < 4); return n; } f()", "5"},
    Case{"function f() { var x = NaN, n = 0; do n++; while (x < 1); var u; while (u >= 0) n++; return n; } f()", "1"},
    Case{"function f() { var n = 0; for (var i = 0; i < 10; i++) { if (i == 2) i = 'x'; n++; } return n + ' ' + i; } f()", "3 NaN"},
    // Joining numbers writes their text directly.
    Case{"[0, 7, 10, -1, 0.5, 2147483648, 1e21, -0, NaN].join(' ')", "0 7 10 -1 0.5 2147483648 1e+21 0 NaN"},
    // JSON integers are parsed without text conversion; other numbers keep the general path.
    Case{"var a = JSON.parse('[0, -0, 42, -42, 123456789012345, 1234567890123456789, 1.5, 2e3]');"
         "[1 / a[1], a[2], a[3], a[4], a[5], a[6], a[7]].join(' ')", "-Infinity 42 -42 123456789012345 1234567890123456800 1.5 2000"},
    Case{"JSON.stringify([0, 12, -3, 0.25, 1e21, NaN])", "[0,12,-3,0.25,1e+21,null]"}));

}  // namespace
}  // namespace quillo::jscript::test
