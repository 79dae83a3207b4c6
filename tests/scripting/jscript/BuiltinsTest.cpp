// Built-in objects: Date formats and parsing, JSON round trips, strings, arrays, RegExp.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "JsTestSupport.h"

namespace quillo::jscript::test {
namespace {

struct Case {
    const char* src;
    const char* expected;
};

class Builtin : public ::testing::TestWithParam<Case> {};

TEST_P(Builtin, GivesExpectedText) {
    EXPECT_EQ(evalText(GetParam().src), GetParam().expected) << GetParam().src;
}

// Date formats under the zone the tests run in (TZ=UTC), and one with an offset below.
INSTANTIATE_TEST_SUITE_P(DateFormats, Builtin, ::testing::Values(
    Case{"new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toUTCString()", "Tue, 8 Dec 2026 14:51:49 UTC"},
    Case{"new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toString()", "Tue Dec 8 14:51:49 UTC 2026"},
    Case{"new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toDateString()", "Tue Dec 8 2026"},
    Case{"new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toTimeString()", "14:51:49 UTC"},
    Case{"new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toLocaleString()", "Tuesday, December 08, 2026 2:51:49 PM"},
    Case{"new Date(Date.UTC(2026, 0, 1, 0, 5)).toLocaleTimeString()", "12:05:00 AM"},
    Case{"new Date(NaN).toString()", "NaN"},
    Case{"String(new Date(8.64e15 + 1))", "NaN"},
    Case{"new Date(2020, 1, 29).getDate()", "29"},
    Case{"new Date(99, 0).getFullYear()", "1999"},
    Case{"new Date(2000, 0, 31).setMonth(1) === new Date(2000, 2, 2).getTime()", "true"},
    Case{"new Date(1996, 5, 1).getYear()", "96"},
    Case{"typeof Date()", "string"},
    Case{"Date.prototype.getTime.call({})", "TypeError -2146823282: Date object expected"}));

INSTANTIATE_TEST_SUITE_P(DateParse, Builtin, ::testing::Values(
    Case{"Date.parse('Tue Dec 8 15:51:49 UTC+0100 2026') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    Case{"Date.parse('Tue, 8 Dec 2026 14:51:49 UTC') === Date.UTC(2026, 11, 8, 14, 51, 49)", "true"},
    Case{"Date.parse('12/8/2026') === Date.UTC(2026, 11, 8)", "true"},
    Case{"Date.parse('12/8/2026 3:04:05 PM') === Date.UTC(2026, 11, 8, 15, 4, 5)", "true"},
    Case{"Date.parse('December 8, 2026') === Date.UTC(2026, 11, 8)", "true"},
    Case{"Date.parse('8 Dec 2026 10:00') === Date.UTC(2026, 11, 8, 10)", "true"},
    Case{"Date.parse('Dec 8 2026 12:00 AM') === Date.UTC(2026, 11, 8)", "true"},
    Case{"var d = new Date(Date.UTC(2001, 2, 3, 4, 5, 6)); Date.parse(d.toString()) === d.getTime()", "true"},
    Case{"var d = new Date(Date.UTC(2001, 2, 3, 4, 5, 6)); Date.parse(d.toUTCString()) === d.getTime()", "true"},
    Case{"isNaN(Date.parse('not a date'))", "true"},
    Case{"new Date('1/2/2003').getMonth()", "0"}));

INSTANTIATE_TEST_SUITE_P(Json, Builtin, ::testing::Values(
    Case{"JSON.stringify(JSON.parse('{\"a\":[1,2,{\"b\":null}],\"c\":\"x\\\\ny\"}'))", "{\"a\":[1,2,{\"b\":null}],\"c\":\"x\\ny\"}"},
    Case{"JSON.parse('[1, 2.5e1, -0.5, true, false, null]').join('|')", "1|25|-0.5|true|false|"},
    Case{"JSON.parse('\"\\\\u0041\\\\t\"').charCodeAt(1)", "9"},
    Case{"JSON.parse('{\"a\":1,\"b\":2}', function (k, v) { return k === 'a' ? undefined : v; }).a", "undefined"},
    Case{"JSON.parse('[1,2]', function (k, v) { return typeof v === 'number' ? v * 2 : v; }).join()", "2,4"},
    Case{"JSON.parse('{\"a\":1,}')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('[01]')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.stringify({ s: '\\u0001\\u001f' })", "{\"s\":\"\\u0001\\u001f\"}"},
    Case{"JSON.stringify([undefined, function () {}])", "[null,null]"},
    Case{"JSON.stringify(undefined)", "undefined"},
    Case{"JSON.stringify({ d: new Date(0) }).length > 0", "true"},
    Case{"JSON.stringify([new Number(3), new String('s'), new Boolean(false)])", "[3,\"s\",false]"},
    Case{"JSON.stringify({ a: [] }, null, 20).length", "21"},
    Case{"var a = []; a.push(a); JSON.stringify(a)", "Error -2146823254: Circular reference in value argument not supported"},
    Case{"JSON.stringify({}, {})", "Error -2146823253: Invalid replacer argument"}));

INSTANTIATE_TEST_SUITE_P(Strings, Builtin, ::testing::Values(
    Case{"'a-b-c'.replace('-', '+')", "a+b-c"},
    Case{"'a-b-c'.replace(/-/g, '+')", "a+b+c"},
    Case{"'john smith'.replace(/(\\w+)\\s(\\w+)/, '$2, $1')", "smith, john"},
    Case{"'abc'.replace(/b/, '[$`|$&|$\\'|$$]')", "a[a|b|c|$]c"},
    Case{"'x1y22'.replace(/\\d+/g, function (m, off) { return '<' + m + '@' + off + '>'; })", "x<1@1>y<22@3>"},
    Case{"'aaa'.replace(/a*/g, 'b')", "bb"},
    Case{"'abc'.split('').join('|')", "a|b|c"},
    Case{"'a1b2c'.split(/\\d/).length", "3"},
    Case{"'Hello'.charAt(1) + 'Hello'.charCodeAt(0) + 'Hello'.indexOf('l') + 'Hello'.lastIndexOf('l')", "e7223"},
    Case{"'abcdef'.substr(-3, 2) + '|' + 'abcdef'.slice(-3, -1) + '|' + 'abcdef'.substring(4, 1)", "ab|de|bcd"},
    Case{"String.fromCharCode(72, 105)", "Hi"},
    Case{"'x'.bold().link('u')", "<A HREF=\"u\"><B>x</B></A>"},
    Case{"'\\u00e9T\\u0100'.toUpperCase() + '\\u00c9t'.toLowerCase()", "\u00c9T\u0100\u00e9t"},
    Case{"'abc'.search(/c/) + 'abc'.search('z')", "1"},
    Case{"'b'.localeCompare('a')", "1"}));

INSTANTIATE_TEST_SUITE_P(Arrays, Builtin, ::testing::Values(
    Case{"[3, 1, 2].sort().join()", "1,2,3"},
    Case{"[10, 9, 1].sort().join()", "1,10,9"},
    Case{"[3, undefined, 1, , 2].sort().length", "5"},
    Case{"var a = [3, undefined, 1, , 2].sort(); (3 in a) + ' ' + (4 in a) + ' ' + a[3]", "true false undefined"},
    Case{"[1, 2, 3].sort(function () { return Math.random() - 0.5; }).length", "3"},
    Case{"[1, 2, 3, 4, 5].splice(1, 2).join()", "2,3"},
    Case{"var a = [1, 2, 3, 4, 5]; a.splice(1, 2, 'x', 'y', 'z'); a.join()", "1,x,y,z,4,5"},
    Case{"var a = [1, 2]; a.unshift(0); a.join() + a.length", "0,1,23"},
    Case{"var a = [1, 2, 3]; a.shift() + '|' + a.join()", "1|2,3"},
    Case{"var a = [1, 2]; a.pop(); a.pop(); a.pop(); a.length", "0"},
    Case{"[1, [2, [3]]].toString()", "1,2,3"},
    Case{"[1, 2].reverse().concat([3], 4).join('')", "2134"},
    Case{"Array.prototype.join.call({ length: 2, 0: 'a', 1: 'b' }, '-')", "a-b"},
    Case{"var a = []; a[4294967294] = 1; a.length", "4294967295"},
    Case{"var a = [1, 2, 3]; a.length = 1; a.join()", "1"},
    Case{"var a = [1]; a.self = a; a[1] = a; a.join()", "1,"},
    Case{"Array(3).join('-')", "--"}));

INSTANTIATE_TEST_SUITE_P(RegExps, Builtin, ::testing::Values(
    Case{"var r = /a/g; r.test('aa') + ' ' + r.lastIndex", "true 1"},
    Case{"/(\\d+)-(\\d+)/.exec('tel 555-1234').index", "4"},
    Case{"/x(y)?/.exec('x')[1] === ''", "true"},
    Case{"'a1b2'.match(/\\d/g).join()", "1,2"},
    Case{"/abc/gi.toString()", "/abc/gi"},
    Case{"/(a)(b)/.exec('zab'); RegExp.$1 + RegExp.$2 + RegExp.leftContext + RegExp.lastMatch", "abzab"},
    Case{"new RegExp('(a')", "SyntaxError -2146823268: Expected ')' in regular expression"},
    Case{"new RegExp('a', 'gg')", "SyntaxError -2146823271: Syntax error in regular expression"},
    Case{"RegExp.prototype.exec.call({}, 'x')", "TypeError -2146823272: Regular Expression object expected"}));

INSTANTIATE_TEST_SUITE_P(Globals, Builtin, ::testing::Values(
    Case{"parseInt('0x1f') + parseInt('010') + parseInt('08')", "39"},
    Case{"parseInt('12abc', 36)", "1786296"},
    Case{"parseFloat('3.5e2x')", "350"},
    Case{"escape('a b\\u0100') + unescape('%u0041%41')", "a%20b%u0100AA"},
    Case{"encodeURIComponent('\\u00e9 &') + encodeURI('a b/?')", "%C3%A9%20%26a%20b/?"},
    Case{"decodeURIComponent('%F0%9F%98%80').length", "2"},
    Case{"decodeURI('%C0%80')", "URIError -2146823263: The URI to be decoded is not a valid encoding"},
    Case{"ScriptEngine() + ScriptEngineMajorVersion() + '.' + ScriptEngineMinorVersion()", "JScript5.8"},
    Case{"Object.prototype.toString.call(JSON) + Object.prototype.toString.call(Math)", "[object JSON][object Math]"},
    Case{"Function('a', 'b', 'return a + b')(2, 3)", "5"},
    Case{"(function named(x) { return x; }).toString()", "function named(x) { return x; }"},
    Case{"Math.round(-2.5) + Math.round(2.5) + Math.max() + ''", "-Infinity"},
    Case{"Math.max(1, NaN, 3)", "NaN"}));

// Local time follows the zone: toString shows the offset as UTC+hhmm.
TEST(DateZones, ToStringShowsTheOffset) {
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "CET-1", 1);
    tzset();
    std::string text = evalText("new Date(Date.UTC(2026, 11, 8, 14, 51, 49)).toString()");
    std::string parsed = evalText("Date.parse('Tue Dec 8 15:51:49 UTC+0100 2026') === Date.UTC(2026, 11, 8, 14, 51, 49)");
    std::string hours = evalText("new Date(Date.UTC(2026, 11, 8, 14)).getHours() + ' ' + new Date(Date.UTC(2026, 11, 8, 14)).getTimezoneOffset()");
    if (old) setenv("TZ", saved.c_str(), 1);
    else unsetenv("TZ");
    tzset();
    EXPECT_EQ(text, "Tue Dec 8 15:51:49 UTC+0100 2026");
    EXPECT_EQ(parsed, "true");
    EXPECT_EQ(hours, "15 -60");
}

}  // namespace
}  // namespace quillo::jscript::test
