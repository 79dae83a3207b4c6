// Conversions, equality, operators and number formatting on boundary values.

#include <gtest/gtest.h>

#include <cmath>

#include "JsTestSupport.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript::test {
namespace {

struct Case {
    const char* src;
    const char* expected;
};

class Conv : public ::testing::TestWithParam<Case> {};

TEST_P(Conv, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

INSTANTIATE_TEST_SUITE_P(ToNumber, Conv, ::testing::Values(
    Case{"+''", "0"}, Case{"+' \\t\\n 12 '", "12"}, Case{"+'0x1f'", "31"}, Case{"+'010'", "10"},
    Case{"+'1e3'", "1000"}, Case{"+'.5'", "0.5"}, Case{"+'5.'", "5"}, Case{"+'-Infinity'", "-Infinity"},
    Case{"+'infinity'", "NaN"}, Case{"+'1,0'", "NaN"}, Case{"+'--1'", "NaN"}, Case{"+'0x'", "NaN"},
    Case{"+null", "0"}, Case{"+undefined", "NaN"}, Case{"+true", "1"}, Case{"+[]", "0"},
    Case{"+[7]", "7"}, Case{"+[1,2]", "NaN"}, Case{"+{}", "NaN"},
    Case{"+{valueOf: function () { return '4'; }}", "4"}));

INSTANTIATE_TEST_SUITE_P(ToStringOfNumbers, Conv, ::testing::Values(
    Case{"0.1 + 0.2", "0.30000000000000004"}, Case{"1e21", "1e+21"}, Case{"1e20", "100000000000000000000"},
    Case{"123e-20", "1.23e-18"}, Case{"0.000001", "0.000001"}, Case{"0.0000001", "1e-7"},
    Case{"-0", "0"}, Case{"1 / 0", "Infinity"}, Case{"5e-324", "5e-324"},
    Case{"1.7976931348623157e308", "1.7976931348623157e+308"}, Case{"2 * 1.7976931348623157e308", "Infinity"},
    Case{"9007199254740993", "9007199254740992"}, Case{"0xFFFFFFFFFFFFFFFF", "18446744073709552000"},
    Case{"123456789012345680000", "123456789012345680000"}, Case{"(255).toString(16)", "ff"},
    Case{"(-8).toString(2)", "-1000"}, Case{"(0.5).toString(2)", "0.1"}, Case{"String(-1e-7)", "-1e-7"}));

INSTANTIATE_TEST_SUITE_P(NumberFormats, Conv, ::testing::Values(
    Case{"(1.005).toFixed(2)", "1.00"}, Case{"(2.5).toFixed(0)", "3"}, Case{"(0.5).toFixed(0)", "0"},
    Case{"(0.05).toFixed(1)", "0.0"}, Case{"(0.25).toFixed(1)", "0.3"}, Case{"(-1.25).toFixed(1)", "-1.3"},
    Case{"(99.999).toFixed(2)", "100.00"}, Case{"(1e21).toFixed(2)", "1e+21"}, Case{"(0).toFixed(3)", "0.000"},
    Case{"(123.456).toExponential(2)", "1.23e+2"}, Case{"(0).toExponential()", "0e+0"},
    Case{"(1e-7).toExponential()", "1e-7"}, Case{"(123456).toPrecision(2)", "1.2e+5"},
    Case{"(0.000001234).toPrecision(2)", "0.0000012"}, Case{"(0.0000001234).toPrecision(2)", "1.2e-7"},
    Case{"(999.99).toPrecision(4)", "1000"}, Case{"(999.99).toPrecision(3)", "1.00e+3"},
    Case{"(1).toFixed(21)", "RangeError -2146823262: The number of fractional digits is out of range"},
    Case{"(1).toPrecision(0)", "RangeError -2146823261: The precision is out of range"},
    Case{"(1234.5).toLocaleString()", "1,234.50"}));

INSTANTIATE_TEST_SUITE_P(Equality, Conv, ::testing::Values(
    Case{"null == undefined", "true"}, Case{"null == 0", "false"}, Case{"'' == 0", "true"},
    Case{"'0' == false", "true"}, Case{"'1' === 1", "false"}, Case{"NaN == NaN", "false"},
    Case{"[] == ''", "true"}, Case{"[0] == false", "true"}, Case{"({}) == '[object Object]'", "true"},
    Case{"new String('a') == 'a'", "true"}, Case{"new String('a') == new String('a')", "false"},
    Case{"'0' == ''", "false"}, Case{"true == 2", "false"}, Case{"0 === -0", "true"},
    Case{"'ab' === 'a' + 'b'", "true"}, Case{"undefined == false", "false"}));

INSTANTIATE_TEST_SUITE_P(Operators, Conv, ::testing::Values(
    Case{"1 + '2'", "12"}, Case{"'3' * '4'", "12"}, Case{"1 + null", "1"}, Case{"'a' + null", "anull"},
    Case{"[1] + [2]", "12"}, Case{"({}) + 1", "[object Object]1"}, Case{"-7 % 3", "-1"}, Case{"5.5 % 2", "1.5"},
    Case{"2147483648 | 0", "-2147483648"}, Case{"-1 >>> 0", "4294967295"}, Case{"1 << 33", "2"},
    Case{"~~-3.7", "-3"}, Case{"'10' < '9'", "true"}, Case{"10 < '9'", "false"}, Case{"null >= 0", "true"},
    Case{"undefined < 0", "false"}, Case{"'b' > 'a'", "true"}, Case{"typeof null", "object"},
    Case{"typeof function () {}", "function"}, Case{"typeof undeclared", "undefined"},
    Case{"var x = 5; x++ + ++x", "12"}, Case{"var s = '5'; s++; typeof s", "number"},
    Case{"var y = 2; y += y *= 3; y", "8"}, Case{"0 || '' || null || 'last'", "last"},
    Case{"1 && 0 && 2", "0"}, Case{"void 5", "undefined"}, Case{"(1, 2, 3)", "3"},
    Case{"'length' in []", "true"}, Case{"[] instanceof Object", "true"}, Case{"delete [].length", "false"}));

// Constant right operands and literals at and past the int32 range (the compiler folds
// only those that fit).
INSTANTIATE_TEST_SUITE_P(LargeConstants, Conv, ::testing::Values(
    Case{"var x = 1; x + 2147483647", "2147483648"}, Case{"var x = 1; x * 2147483648", "2147483648"},
    Case{"var x = 1; x - 4294967296", "-4294967295"}, Case{"var x = 7; x % 1e300", "7"},
    Case{"var x = 1; x + 1e20", "100000000000000000000"}, Case{"var x = 3; x * Infinity", "Infinity"},
    Case{"2147483648 + ' ' + -2147483649", "2147483648 -2147483649"}));

// The formatter against the round trip: shortest digits that read back exactly.
TEST(NumberToString, RoundTripsAcrossMagnitudes) {
    const double values[] = {1.0 / 3, 2.0 / 3, 1e-300, 3.14159e200, 123456.789, 5e-7, 7e22, 0.1, 1e16 + 2,
                             4.35, 1.0000000000000002, 2.2250738585072014e-308};
    for (double d : values) {
        std::u16string s = numberToString(d);
        EXPECT_EQ(stringToNumber(s), d) << toUtf8(s);
        EXPECT_EQ(stringToNumber(numberToString(-d)), -d);
    }
}

TEST(NumberToString, ExponentThresholds) {
    EXPECT_EQ(numberToString(1e21), u"1e+21");
    EXPECT_EQ(numberToString(999999999999999900000.0), u"999999999999999900000");
    EXPECT_EQ(numberToString(1e-6), u"0.000001");
    EXPECT_EQ(numberToString(1e-7), u"1e-7");
    EXPECT_EQ(numberToString(1.5e-7), u"1.5e-7");
    EXPECT_EQ(numberToString(std::nan("")), u"NaN");
}

}  // namespace
}  // namespace quillo::jscript::test
