// The collector while natives call back into script and inside eval: a million cyclic
// pairs made and dropped there are freed as the script goes, so live cells and resident
// memory stay bounded.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "JsTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
// Freed blocks wait in a quarantine; keep it small so resident memory tracks live memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
#endif

namespace quillo::jscript::test {
namespace {

// Resident memory now ("VmRSS:") or at its peak since the last reset ("VmHWM:"), in MB.
long residentMb(const char* which) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == which) {
            long kb = 0;
            status >> kb;
            return kb / 1024;
        }
    return -1;
}

void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// `cells()` samples the live cell count; `pairs(n)` makes n cyclic pairs and drops them.
const char* kPrelude =
    "var made = 0, most = 0;"
    "function pairs(n) { for (var i = 0; i < n; i++) { var a = {}, b = {}; a.b = b; b.a = a; }"
    "  made += n; var c = cells(); if (c > most) most = c; }";

struct Case {
    const char* where;
    const char* src;
    const char* expected;
};

class CollectsDuring : public ::testing::TestWithParam<Case> {};

TEST_P(CollectsDuring, AMillionCyclicPairs) {
    Vm vm(nullptr);
    vm.defineNative(vm.global, u"cells", [](Vm& v, Value, std::span<Value>, Object*) {
        return Value::number(static_cast<double>(v.heap().cellCount()));
    }, 0);
    ASSERT_EQ(evalText(vm, kPrelude), "undefined");
    resetPeakResident();
    long before = residentMb("VmRSS:");
    EXPECT_EQ(evalText(vm, GetParam().src), GetParam().expected);
    EXPECT_EQ(evalText(vm, "made"), "1000000");
    // Two million cells were made; a collector that keeps up holds a small part of that.
    EXPECT_LT(std::stod(evalText(vm, "most")), 400000) << GetParam().where;
    // Earlier tests in this process may have left memory resident; the run adds to that.
    long peak = residentMb("VmHWM:");
    ASSERT_GE(before, 0) << "no /proc/self/status";
    EXPECT_LT(peak - before, 200) << GetParam().where;
}

INSTANTIATE_TEST_SUITE_P(Callbacks, CollectsDuring, ::testing::Values(
    Case{"sort comparator",
         "var a = []; for (var i = 0; i < 2000; i++) a.push(i);"
         "a.sort(function (x, y) { if (made < 1e6) pairs(100); return y - x; }); a[0] + ' ' + a[1999]", "1999 0"},
    Case{"replace function without a loop of its own",
         "var s = 'x'; while (s.length < 1e6) s += s;"
         "s.substring(0, 1e6).replace(/x/g, function () {"
         "  var a = {}, b = {}; a.b = b; b.a = a;"
         "  if (++made % 1000 == 0) { var c = cells(); if (c > most) most = c; } return ''; })", ""},
    Case{"JSON reviver",
         "var t = '[' + new Array(1000).join('0,') + '0]';"
         "var r; for (var k = 0; k < 10; k++) r = JSON.parse(t, function (key, v) { if (made < 1e6) pairs(100); return v; }); r.length", "1000"},
    Case{"JSON replacer",
         "var big = []; for (var i = 0; i < 10000; i++) big.push(i);"
         "JSON.stringify(big, function (key, v) { if (made < 1e6) pairs(100); return v; }).length", "48891"},
    Case{"apply",
         "(function () { pairs(1e6); return 'done'; }).apply(null, [])", "done"},
    Case{"eval in a function",
         "(function () { return eval('pairs(1e6); made'); })()", "1000000"},
    Case{"eval inside a comparator",
         "[2, 1].sort(function (x, y) { if (made < 1e6) eval('pairs(1e6)'); return x - y; }).join()", "1,2"}));

}  // namespace
}  // namespace quillo::jscript::test
