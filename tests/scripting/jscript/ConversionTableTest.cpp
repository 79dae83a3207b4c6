// Conversion tables: ToNumber, ToString and ToBoolean of every kind of value, the == and
// === matrix across types, and < / <= / > / >= with strings, NaN and objects.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Converts)

INSTANTIATE_TEST_SUITE_P(ToNumber, Converts, ::testing::Values(
    Case{"+'  0x1F  '", "31"}, Case{"+'0X1f'", "31"}, Case{"+'1e'", "NaN"}, Case{"+'.'", "NaN"},
    Case{"+'+5'", "5"}, Case{"+'-.5e1'", "-5"}, Case{"+'1e1000'", "Infinity"}, Case{"+'Infinity'", "Infinity"},
    Case{"+'+Infinity'", "Infinity"}, Case{"+'00012'", "12"}, Case{"+'1.5e-2'", "0.015"}, Case{"+'1 2'", "NaN"},
    Case{"+'\\r\\n\\f 8 \\t'", "8"}, Case{"+'12px'", "NaN"}, Case{"+false", "0"}, Case{"+new Date(5)", "5"},
    Case{"+[' 3 ']", "3"}, Case{"+[[[4]]]", "4"}, Case{"+[null]", "0"}, Case{"+[undefined]", "0"},
    Case{"+new Number(6)", "6"}, Case{"+new String(' 7 ')", "7"}, Case{"+new Boolean(true)", "1"},
    Case{"+{ valueOf: function () { return {}; }, toString: function () { return '9'; } }", "9"},
    Case{"try { +{ valueOf: function () { return {}; }, toString: function () { return {}; } }; } catch (e) { e.name }", "TypeError"},
    Case{"'3' - '1'", "2"}, Case{"'3' * []", "0"}, Case{"'a' - 1", "NaN"}, Case{"null * 5", "0"},
    Case{"undefined * 5", "NaN"}, Case{"true + true", "2"}, Case{"'8' / '2'", "4"}, Case{"'7' % '4'", "3"},
    Case{"-'5'", "-5"}, Case{"-''", "0"}, Case{"1 / -''", "-Infinity"}, Case{"Number('')", "0"},
    Case{"Number()", "0"}, Case{"Number(undefined)", "NaN"}, Case{"Number('0x10') + Number('010')", "26"}));

INSTANTIATE_TEST_SUITE_P(ToString, Converts, ::testing::Values(
    Case{"String(null) + String(undefined) + String(true)", "nullundefinedtrue"},
    Case{"String([1, [2, 3]])", "1,2,3"}, Case{"String([null, undefined, 1])", ",,1"},
    Case{"String([])", ""}, Case{"String({})", "[object Object]"}, Case{"String(-0)", "0"},
    Case{"String([-0])", "0"}, Case{"String(new Number(-0))", "0"}, Case{"String()", ""},
    Case{"'' + { toString: function () { return 't'; }, valueOf: function () { return 'v'; } }", "v"},
    Case{"String({ toString: function () { return 't'; }, valueOf: function () { return 'v'; } })", "t"},
    Case{"[{ toString: function () { return 'x'; } }] + ''", "x"},
    Case{"String({ toString: function () { return {}; }, valueOf: function () { return 5; } })", "5"},
    Case{"String(new String('w'))", "w"}, Case{"String(new Boolean(false))", "false"},
    Case{"typeof String(1)", "string"}, Case{"typeof new String(1)", "object"},
    Case{"'' + new Date(NaN)", "NaN"}, Case{"'x' + 1 + 2", "x12"}, Case{"1 + 2 + 'x'", "3x"},
    Case{"'' + 1e21 + ' ' + 1e-7", "1e+21 1e-7"}, Case{"'' + Object.prototype.toString.call([])", "[object Array]"},
    Case{"Object.prototype.toString.call(new Date(0)) + Object.prototype.toString.call(/x/)", "[object Date][object RegExp]"},
    Case{"Object.prototype.toString.call(function () {}) + Object.prototype.toString.call(new Error())",
         "[object Function][object Error]"},
    Case{"Object.prototype.toString.call('s') + Object.prototype.toString.call(1) + Object.prototype.toString.call(true)",
         "[object String][object Number][object Boolean]"},
    Case{"(function () { return Object.prototype.toString.call(arguments); })()", "[object Object]"}));

INSTANTIATE_TEST_SUITE_P(ToBoolean, Converts, ::testing::Values(
    Case{"!!''", "false"}, Case{"!!' '", "true"}, Case{"!!'0'", "true"}, Case{"!!'false'", "true"},
    Case{"!!0", "false"}, Case{"!!-0", "false"}, Case{"!!NaN", "false"}, Case{"!!0.0000001", "true"},
    Case{"!!-1", "true"}, Case{"!!Infinity", "true"}, Case{"!!null", "false"}, Case{"!!undefined", "false"},
    Case{"!!{}", "true"}, Case{"!![]", "true"}, Case{"!!new Boolean(false)", "true"},
    Case{"!!new Number(0)", "true"}, Case{"!!new String('')", "true"}, Case{"!!function () {}", "true"},
    Case{"!!/x/", "true"}, Case{"Boolean('') + ' ' + Boolean('a') + ' ' + Boolean()", "false true false"},
    Case{"var r = ''; if ('0') r += 'a'; if (0) r += 'b'; while (NaN) r += 'c'; r", "a"},
    Case{"(null || 0 || NaN || '' || undefined) + ''", "undefined"},
    Case{"typeof (0 && {})", "number"}));

// Arithmetic and bitwise operators on converted operands: ToInt32 / ToUint32 wrapping,
// shift counts taken mod 32, remainder signs, and ++ / += on values of every type.
INSTANTIATE_TEST_SUITE_P(Arithmetic, Converts, ::testing::Values(
    Case{"-1 >>> 28", "15"}, Case{"-1 >> 40", "-1"}, Case{"1 << -1", "-2147483648"}, Case{"~NaN + ' ' + ~Infinity", "-1 -1"},
    Case{"~-4294967296.5", "-1"}, Case{"4294967295 | 0", "-1"}, Case{"-4294967296 ^ 1", "1"}, Case{"0x80000000 >> 0", "-2147483648"},
    Case{"0x80000000 >>> 0", "2147483648"}, Case{"2.9 | 0", "2"}, Case{"-2.9 | 0", "-2"}, Case{"'12' >> 1", "6"},
    Case{"'x' | 0", "0"}, Case{"null ^ true", "1"}, Case{"[5] << [1]", "10"}, Case{"1e21 | 0", "-559939584"},
    Case{"-7 % -3", "-1"}, Case{"7 % -3", "1"}, Case{"1 / (-4 % 2)", "-Infinity"}, Case{"5 % 0", "NaN"},
    Case{"5 % Infinity", "5"}, Case{"Infinity % 5", "NaN"}, Case{"-5.5 % 2.5", "-0.5"}, Case{"0.3 % 0.1", "0.09999999999999998"},
    Case{"2 * '3' - '4' / '2'", "4"}, Case{"'3' + 4 * 5", "320"}, Case{"'3' - - '4'", "7"}, Case{"Infinity - Infinity", "NaN"},
    Case{"Infinity * 0", "NaN"}, Case{"1 / (-0 + -0) + ' ' + 1 / (0 - 0)", "-Infinity Infinity"}, Case{"9007199254740992 + 2", "9007199254740994"},
    Case{"var s = 'a'; s += 1; s -= 0; s", "NaN"}, Case{"var o = { valueOf: function () { return 10; } }; o++; o", "11"},
    Case{"var a = '5'; a++ + a", "11"}, Case{"var u; u++; u", "NaN"}, Case{"var n = null; n--; n", "-1"},
    Case{"var b = true; b += true; b", "2"}, Case{"var s = '4'; s *= '2'; typeof s + s", "number8"}, Case{"var a = [1]; a += [2]; a", "12"},
    Case{"new Number(2) + new Number(3) + ' ' + (new String('a') + new String('b'))", "5 ab"}, Case{"new Boolean(true) + 1", "2"},
    Case{"({ toString: function () { return '7'; } }) * 2", "14"}, Case{"({ valueOf: function () { return '7'; } }) + 2", "72"},
    Case{"[] + {}", "[object Object]"}, Case{"[] - {}", "NaN"}, Case{"[1] * [2] + ' ' + [1, 2] * 2", "2 NaN"},
    Case{"'b' + 'a' + +'a' + 'a'", "baNaNa"}, Case{"!'' + !'0' + !0", "2"}, Case{"true + null + undefined", "NaN"},
    Case{"null + null", "0"}, Case{"'' + null + undefined", "nullundefined"}));

// Ordered comparison: strings compare by code unit, NaN compares false every way.
INSTANTIATE_TEST_SUITE_P(Relational, Converts, ::testing::Values(
    Case{"'a' < 'b'", "true"}, Case{"'B' < 'a'", "true"}, Case{"'abc' < 'abd'", "true"}, Case{"'ab' < 'abc'", "true"},
    Case{"'' < 'a'", "true"}, Case{"'a' < ''", "false"}, Case{"'10' < 9", "false"}, Case{"'a' < 1", "false"},
    Case{"1 < 'a'", "false"}, Case{"'a' >= 1", "false"}, Case{"NaN < 1", "false"}, Case{"NaN >= 1", "false"},
    Case{"NaN <= NaN", "false"}, Case{"1 > NaN", "false"}, Case{"null < 1", "true"}, Case{"null > 0", "false"},
    Case{"null <= 0", "true"}, Case{"undefined >= undefined", "false"}, Case{"[2] < [10]", "false"},
    Case{"[2] < 10", "true"}, Case{"'\\u00e9' < 'z'", "false"}, Case{"true < 2", "true"},
    Case{"new Date(0) < new Date(1)", "true"}, Case{"({ valueOf: function () { return 1; } }) < 2", "true"},
    Case{"'a' <= 'a'", "true"}, Case{"'a' > 'a'", "false"}, Case{"Infinity > 1e308", "true"},
    Case{"-Infinity < -1e308", "true"}, Case{"'1e3' < 999", "false"}, Case{"'0x10' > 15", "true"},
    Case{"-0 < 0", "false"}, Case{"-0 <= 0", "true"}, Case{"'-1' < '0'", "true"}, Case{"'Z' < 'a'", "true"},
    Case{"'a' < 'a\\u0000'", "true"}, Case{"({}) < ({})", "false"}, Case{"({}) <= ({})", "true"}));

// == and === over every pair of these values (the same object on both sides of the
// diagonal): 'T' where equal.
const char* kEqualityValues = "[undefined, null, false, true, 0, 1, NaN, '', '0', '1', [], {}]";
const char* kLooseRows[] = {
    "TTFFFFFFFFFF", "TTFFFFFFFFFF", "FFTFTFFTTFTF", "FFFTFTFFFTFF", "FFTFTFFTTFTF", "FFFTFTFFFTFF",
    "FFFFFFFFFFFF", "FFTFTFFTFFTF", "FFTFTFFFTFFF", "FFFTFTFFFTFF", "FFTFTFFTFFTF", "FFFFFFFFFFFT"};
const char* kStrictRows[] = {
    "TFFFFFFFFFFF", "FTFFFFFFFFFF", "FFTFFFFFFFFF", "FFFTFFFFFFFF", "FFFFTFFFFFFF", "FFFFFTFFFFFF",
    "FFFFFFFFFFFF", "FFFFFFFTFFFF", "FFFFFFFFTFFF", "FFFFFFFFFTFF", "FFFFFFFFFFTF", "FFFFFFFFFFFT"};

std::string matrix(const char* op) {
    return evalText(std::string("var v = ") + kEqualityValues + ", rows = []; for (var i = 0; i < v.length; i++) {" +
                    " var r = ''; for (var j = 0; j < v.length; j++) r += (v[i] " + op + " v[j]) ? 'T' : 'F';" +
                    " rows.push(r); } rows.join(' ')");
}

std::string joined(const char* const* rows) {
    std::string s;
    for (int i = 0; i < 12; ++i) {
        if (i) s += ' ';
        s += rows[i];
    }
    return s;
}

TEST(EqualityMatrix, LooseEquality) { EXPECT_EQ(matrix("=="), joined(kLooseRows)); }
TEST(EqualityMatrix, LooseInequalityIsItsNegation) {
    std::string ne = matrix("!=");
    for (char& ch : ne) ch = ch == 'T' ? 'F' : ch == 'F' ? 'T' : ch;
    EXPECT_EQ(ne, joined(kLooseRows));
}
TEST(EqualityMatrix, StrictEquality) { EXPECT_EQ(matrix("==="), joined(kStrictRows)); }

INSTANTIATE_TEST_SUITE_P(EqualityExtras, Converts, ::testing::Values(
    Case{"new Number(5) == new Number(5)", "false"}, Case{"new Number(5) === 5", "false"},
    Case{"new Date(0) == new Date(0).toString()", "true"}, Case{"new Date(5) == 5", "false"},
    Case{"[1, 2] == '1,2'", "true"}, Case{"[[]] == 0", "true"}, Case{"[[1]] == true", "true"},
    Case{"'\\n' == 0", "true"}, Case{"'1.0' == 1", "true"}, Case{"'1.0' == '1'", "false"},
    Case{"null == undefined && undefined == null", "true"}, Case{"NaN != NaN", "true"},
    Case{"var o = {}; o == o && o === o", "true"}, Case{"Infinity == '1e400'", "true"},
    Case{"typeof null === 'object'", "true"}, Case{"'abc' == new String('abc')", "true"},
    Case{"var s = 0; switch ('0') { case 0: s = 'loose'; break; case '0': s = 'strict'; } s", "strict"}));

// The remainder takes the dividend's sign, negative zero included.
TEST(Remainder, KeepsTheSignOfNegativeZero) {
    EXPECT_EQ(evalText("var z = -0, y = 5; 1 / (z % 5) + ' ' + 1 / (z % y) + ' ' + 1 / (-0 % 5)"),
              "-Infinity -Infinity -Infinity");
}

}  // namespace
}  // namespace quillo::jscript::test
