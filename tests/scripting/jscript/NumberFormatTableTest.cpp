// Number to text on boundary values: shortest round-trip digits, the 1e21 and 1e-7
// switches to exponent form, negative zero, radix conversion, and toFixed / toExponential /
// toPrecision with their range errors (5026, 5027).

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Formats)

INSTANTIATE_TEST_SUITE_P(ShortestDigits, Formats, ::testing::Values(
    Case{"1 / 3", "0.3333333333333333"}, Case{"2 / 3", "0.6666666666666666"}, Case{"100 / 3", "33.333333333333336"},
    Case{"4.35", "4.35"}, Case{"0.1 * 3", "0.30000000000000004"}, Case{"1.1 * 1.1", "1.2100000000000002"},
    Case{"0.1 + 0.7", "0.7999999999999999"}, Case{"9007199254740991", "9007199254740991"},
    Case{"123456789012345678", "123456789012345680"}, Case{"Math.pow(2, 70)", "1.1805916207174113e+21"},
    Case{"12345678901234567890123", "1.2345678901234568e+22"}, Case{"1e300 * 10", "1e+301"},
    Case{"1e100", "1e+100"}, Case{"1.2e-6", "0.0000012"}, Case{"123e-9", "1.23e-7"},
    Case{"0.00000123", "0.00000123"}, Case{"-1e21", "-1e+21"}, Case{"999999999999999999999", "1e+21"},
    Case{"100000000000000000000 + 1", "100000000000000000000"}, Case{"2e-7 / 2", "1e-7"},
    Case{"1.5e-6", "0.0000015"}, Case{"Math.pow(2, -1074)", "5e-324"}, Case{"-Math.pow(2, 53)", "-9007199254740992"},
    Case{"1e21 - 1e5", "999999999999999900000"}, Case{"0.5e-6", "5e-7"}, Case{"1.5e300 * 1.5e10", "Infinity"},
    Case{"-1 / 0", "-Infinity"}, Case{"0 / 0", "NaN"}));

INSTANTIATE_TEST_SUITE_P(NegativeZero, Formats, ::testing::Values(
    Case{"(-0).toString()", "0"}, Case{"-0 + ''", "0"}, Case{"[-0].join()", "0"}, Case{"1 / -0", "-Infinity"},
    Case{"1 / (0 * -1)", "-Infinity"}, Case{"1 / Math.round(-0.4)", "-Infinity"}, Case{"(-0).toFixed(2)", "0.00"},
    Case{"(-0).toExponential()", "0e+0"}, Case{"(-0).toPrecision(2)", "0.0"}, Case{"JSON.stringify(-0)", "0"},
    Case{"(-0).toString(2)", "0"}, Case{"1 / +'-0'", "-Infinity"}, Case{"1 / parseFloat('-0')", "-Infinity"},
    Case{"-0 === 0", "true"}));

INSTANTIATE_TEST_SUITE_P(Radix, Formats, ::testing::Values(
    Case{"(255).toString(2)", "11111111"}, Case{"(255).toString(36)", "73"}, Case{"(25).toString(36)", "p"},
    Case{"(-255).toString(16)", "-ff"}, Case{"(3.5).toString(2)", "11.1"}, Case{"(0).toString(2)", "0"},
    Case{"NaN.toString(16)", "NaN"}, Case{"Infinity.toString(2)", "Infinity"}, Case{"(255).toString(undefined)", "255"},
    Case{"(10).toString('16')", "a"},
    Case{"Number.MAX_VALUE.toString(2).length + ' ' + Number.MAX_VALUE.toString(36).length", "1024 199"},
    Case{"(-Number.MAX_VALUE).toString(16).slice(0, 4) + ' ' + Math.pow(2, 80).toString(32)", "-fff 10000000000000000"}, Case{"(1e21).toString(10)", "1e+21"},
    Case{"(255).toString(1)", "Error -2146828283: Invalid procedure call or argument"},
    Case{"(255).toString(0)", "Error -2146828283: Invalid procedure call or argument"}));

INSTANTIATE_TEST_SUITE_P(Fixed, Formats, ::testing::Values(
    Case{"(1.45).toFixed(1)", "1.4"}, Case{"(1.55).toFixed(1)", "1.6"}, Case{"(123.456).toFixed(10)", "123.4560000000"}, Case{"(-1e21).toFixed(2)", "-1e+21"},
    Case{"(1e21 - 1e5).toFixed(1)", "999999999999999868928.0"}, Case{"(1).toFixed(NaN)", "1"}, Case{"(1).toFixed(20.9)", "1.00000000000000000000"},
    Case{"(12.5).toFixed()", "13"}, Case{"(-12.5).toFixed()", "-13"}, Case{"(1000000000000000128).toFixed(0)", "1000000000000000128"},
    Case{"(1).toFixed(Infinity)", "RangeError -2146823262: The number of fractional digits is out of range"},
    Case{"NaN.toFixed(21)", "RangeError -2146823262: The number of fractional digits is out of range"},
    Case{"(1).toFixed(-0.5)", "1"}, Case{"(1.25).toFixed('x')", "1"}));

INSTANTIATE_TEST_SUITE_P(Exponential, Formats, ::testing::Values(
    Case{"(1.25).toExponential(1)", "1.3e+0"}, Case{"(12345).toExponential(2)", "1.23e+4"},
    Case{"(-0.000123).toExponential(1)", "-1.2e-4"}, Case{"(1e-7).toExponential(3)", "1.000e-7"},
    Case{"Infinity.toExponential(2)", "Infinity"}, Case{"(-Infinity).toExponential()", "-Infinity"},
    Case{"(255).toExponential(0)", "3e+2"}, Case{"(1.7976931348623157e308).toExponential(3)", "1.798e+308"},
    Case{"(5e-324).toExponential(1)", "4.9e-324"}, Case{"(123456).toExponential(20)", "1.23456000000000000000e+5"},
    Case{"(1).toExponential(Infinity)", "RangeError -2146823262: The number of fractional digits is out of range"},
    Case{"(1).toExponential(21)", "RangeError -2146823262: The number of fractional digits is out of range"}));

INSTANTIATE_TEST_SUITE_P(Precision, Formats, ::testing::Values(
    Case{"(1e-7).toPrecision(1)", "1e-7"}, Case{"(0.000001).toPrecision(1)", "0.000001"},
    Case{"(123456789).toPrecision(9)", "123456789"}, Case{"(123456789).toPrecision(8)", "1.2345679e+8"},
    Case{"(5).toPrecision(1)", "5"}, Case{"(15).toPrecision(1)", "2e+1"}, Case{"(1).toPrecision(21)", "1.00000000000000000000"},
    Case{"(1).toPrecision(undefined)", "1"}, Case{"(123.456).toPrecision()", "123.456"},
    Case{"(0.1).toPrecision(21)", "0.100000000000000005551"}, Case{"(-1e21).toPrecision(2)", "-1.0e+21"},
    Case{"(99.5).toPrecision(2)", "1.0e+2"}, Case{"(1e20).toPrecision(21)", "100000000000000000000"},
    Case{"(1).toPrecision(-1)", "RangeError -2146823261: The precision is out of range"},
    Case{"(1).toPrecision(NaN)", "RangeError -2146823261: The precision is out of range"},
    Case{"(1).toPrecision(Infinity)", "RangeError -2146823261: The precision is out of range"}));

}  // namespace
}  // namespace quillo::jscript::test
