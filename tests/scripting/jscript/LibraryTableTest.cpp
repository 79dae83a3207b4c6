// Built-in library edge cases: array and string methods at their argument limits, Math
// and the global parsing functions on special values, replacement patterns, and the
// statically kept RegExp properties.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Library)

INSTANTIATE_TEST_SUITE_P(Arrays, Library, ::testing::Values(
    // A missing delete count removes nothing.
    Case{"var a = [1, 2, 3]; var r = a.splice(1); r.length + '|' + a.join()", "0|1,2,3"},
    Case{"var a = [1, 2, 3]; var r = a.splice(); r.length + '|' + a.join()", "0|1,2,3"},
    Case{"var a = [1, 2, 3]; a.splice(1, undefined, 'x'); a.join()", "1,x,2,3"},
    Case{"var a = [1, 2, 3]; a.splice(-1, 1) + '|' + a.join()", "3|1,2"},
    Case{"var a = [1, 2, 3]; a.splice(1, 99).join() + '|' + a.length", "2,3|1"},
    Case{"var a = [1, , 3]; var r = a.splice(0, 2); r.length + ' ' + (1 in r)", "2 false"},
    Case{"[1, 2, 3].slice(-2) + '|' + [1, 2, 3].slice(1, -1) + '|' + [1, 2, 3].slice(5).length", "2,3|2|0"},
    Case{"[1, 2, 3].concat(4, [5, [6]]).length", "6"},
    Case{"(function () { return [].concat(arguments).length; })(1, 2)", "1"},
    Case{"Array(2, 3).length + ' ' + Array('3').length + ' ' + [].pop() + ' ' + [].shift()", "2 1 undefined undefined"},
    Case{"[1, 2, 3].join(undefined) + '|' + [null, undefined].join('-')", "1,2,3|-"},
    Case{"[3, 20, 100].sort(function (a, b) { return a - b; }) + '|' + ['b', undefined, 'a'].sort() + '|' + [5, 1, 4].sort(undefined)", "3,20,100|a,b,|1,4,5"},
    Case{"var a = [1, 2, 3]; a.length = 0; a[0] + ' ' + a.length", "undefined 0"},
    Case{"var a = []; a[4294967295] = 1; a.length", "0"},
    Case{"var a = [1, 2]; a['2'] = 3; a.length", "3"},
    Case{"[, 1].reverse().length + ' ' + (0 in [, 1].reverse()) + ' ' + (1 in [, 1].reverse())", "2 true false"},
    Case{"var a = [1, 2]; a.push(3, 4) + ' ' + a.join()", "4 1,2,3,4"}));

INSTANTIATE_TEST_SUITE_P(Strings, Library, ::testing::Values(
    Case{"'abc'.split(undefined).length + ' ' + ''.split(',').length + ' ' + ''.split('').length + ' ' + 'ab'.split('', 1)", "1 1 0 a"},
    Case{"'abc'.charAt(-1) + '|' + 'abc'.slice(NaN) + '|' + 'abc'.substring(2, 0) + '|' + 'aaa'.lastIndexOf('a', -1) + '|' + 'abc'.indexOf('', 10)", "|abc|ab|0|3"},
    Case{"'x'.concat(1, null, undefined)", "x1nullundefined"},
    Case{"String.fromCharCode(0x10041) + String.fromCharCode() + String.fromCharCode('66')", "AB"},
    Case{"'\\0'.length + ' ' + '\\08'.length + ' ' + '\\101'", "1 2 A"},
    Case{"'aXbX'.replace(/x/gi, '$0') + '|' + 'abc'.replace(/(b)/, '$11') + '|' + 'abc'.replace(/(b)/, '$01') + '|' + 'abc'.replace('b', '$&$&')", "a$0b$0|ab1c|abc|abbc"},
    Case{"'abc'.replace(/b/, function () { return arguments.length; })", "a3c"},
    Case{"'abc'.replace(/(x)?b/, function (m, g) { return typeof g; })", "astringc"},
    Case{"typeof 'abc'.match(/z/) + ' ' + 'abc'.match(/z/g)", "object null"},
    Case{"'a'.localeCompare('B') + ' ' + 'B'.localeCompare('a') + ' ' + 'a'.localeCompare('a')", "-1 1 0"},
    Case{"'a'.localeCompare('A') + ' ' + 'A'.localeCompare('a') + ' ' + 'ab'.localeCompare('A')", "-1 1 1"},
    Case{"['b', 'C', 'a', 'B'].sort(function (x, y) { return x.localeCompare(y); }).join('')", "abBC"},
    Case{"'abc'.substr(1) + '|' + 'abc'.substr(1, 0) + '|' + 'abc'.substr(5)", "bc||"},
    Case{"'Hello'.toUpperCase().toLowerCase() + 'x'.toLocaleUpperCase()", "helloX"}));

INSTANTIATE_TEST_SUITE_P(SearchAndReplace, Library, ::testing::Values(
    Case{"'abcabc'.lastIndexOf('c', 4) + ' ' + 'abcabc'.lastIndexOf('c', NaN) + ' ' + 'abcabc'.lastIndexOf('', 2)", "2 5 2"},
    Case{"'abcabc'.indexOf('c', -5) + ' ' + 'abc'.indexOf(undefined) + ' ' + 'undefined'.indexOf()", "2 -1 0"},
    Case{"'abc'.substring(NaN, 2) + '|' + 'abc'.substring(-1, 10) + '|' + 'abcdef'.slice(2, -10) + '|' + 'abc'.charCodeAt(5) + '|' + 'abc'.charCodeAt(-0.5)", "ab|abc||NaN|97"},
    Case{"'a-b_c'.split(/[-_]/).join('|') + ' ' + 'test'.split('t').join('|') + ' ' + 'aXbXc'.split('X', 2).join('|')", "a|b|c |es| a|b"},
    Case{"'aaa'.replace('a', function (m, o, s) { return o + s; })", "0aaaaa"},
    Case{"'x'.replace(/x/, '$') + ' ' + 'x'.replace(/x/, '$$$') + ' ' + 'abc'.replace(/(a)(b)(c)/, '$3$2$1')", "$ $$ cba"},
    Case{"'abc'.replace(/(a)/, \"$'\") + ' ' + 'abc'.replace(/b/, '$`') + ' ' + 'a.b.c'.replace('.', '')", "bcbc aac ab.c"},
    Case{"'one two'.match(/(\\w+) (\\w+)/).join('|') + ' ' + 'one two'.match(/\\w+/g).join('|')", "one two|one|two one|two"},
    Case{"/a|ab/.exec('abc')[0] + ' ' + /((a)|b)+/.exec('ab')[0] + ' ' + /(z)((a+)?(b+)?(c))*/.exec('zaacbbbcac')[0]", "a ab zaacbbbcac"},
    Case{"/^.*$/.exec('line1\\nline2') + ' ' + /^line2$/m.exec('line1\\nline2')[0] + ' ' + /a$/.test('a\\n')", "null line2 false"},
    Case{"/[a-z]+/i.exec('ABC def')[0] + /\\s+/.exec('a \\t\\n b')[0].length + /[\\w-]+/.exec('a-b c')[0] + /\\cJ/.test('\\n')", "ABC4a-btrue"},
    Case{"/a{2,3}/.exec('aaaa')[0] + ' ' + /a{2,3}?/.exec('aaaa')[0] + ' ' + /[^abc]/.exec('abcd')[0]", "aaa aa d"},
    Case{"'aaaa'.replace(/aa/g, 'b') + ' ' + 'abc'.replace(/$/, '!') + ' ' + 'abc'.replace(/^/g, '!')", "bb abc! !abc"},
    Case{"'  trim me  '.replace(/^\\s+|\\s+$/g, '') + '|' + 'camelCase'.replace(/([A-Z])/g, '-$1').toLowerCase()", "trim me|camel-case"},
    Case{"String(/a\\/b/) + ' ' + String(new RegExp('a/b'))", "/a\\/b/ /a/b/"},
    Case{"Array.prototype.slice.call('abc').length + ' ' + Array.prototype.push.call({ length: 1 }, 'a') + ' ' + Array.prototype.reverse.call({ 0: 1, 2: 3, length: 3 })[0]", "3 2 3"}));

INSTANTIATE_TEST_SUITE_P(MathAndParsing, Library, ::testing::Values(
    Case{"Math.pow(NaN, 0) + ' ' + Math.pow(1, Infinity) + ' ' + 1 / Math.min(0, -0) + ' ' + 1 / Math.max(-0, 0)", "1 NaN -Infinity Infinity"},
    Case{"Math.round(0.49999999999999994) + ' ' + 1 / Math.round(-0.5) + ' ' + Math.round(-0.51)", "0 -Infinity -1"},
    Case{"Math.min() + ' ' + Math.max('7', 3) + ' ' + Math.abs(-'2') + ' ' + Math.floor(-0.5) + ' ' + Math.ceil(-0.5)", "Infinity 7 2 -1 0"},
    Case{"Math.atan2(0, -0) === Math.PI", "true"},
    Case{"parseInt('123', 1) + ' ' + parseInt('11', 2) + ' ' + parseInt('z', 37) + ' ' + parseInt('') + ' ' + parseInt('  -12px') + ' ' + 1 / parseInt('-0')", "NaN 3 NaN NaN -12 -Infinity"},
    Case{"parseInt('0x', 16) + ' ' + parseInt('0x1', 16)", "NaN 1"},
    Case{"parseInt('ff', 16) + parseInt('0xff', 16)", "510"},
    Case{"parseInt('1e3') + ' ' + parseInt(1e21) + ' ' + parseInt(0.0000005)", "1 1 5"},
    Case{"parseFloat('.5.5') + ' ' + parseFloat('-.e1') + ' ' + parseFloat('1e') + ' ' + parseFloat('Infinityx') + ' ' + parseFloat('  +3')", "0.5 NaN 1 Infinity 3"},
    Case{"isFinite('12') + ' ' + isNaN('x') + ' ' + isFinite(null) + ' ' + isNaN(undefined)", "true true true true"},
    Case{"escape('@*_+-./ ') + ' ' + unescape('%u00') + ' ' + unescape('%zz%41')", "@*_+-./%20 %u00 %zzA"},
    Case{"encodeURI('#;/?:@&=+$,') + ' ' + encodeURIComponent('#;/?:@&=+$,')", "#;/?:@&=+$, %23%3B%2F%3F%3A%40%26%3D%2B%24%2C"},
    Case{"decodeURI('%23%3B%2F') + ' ' + decodeURIComponent('%23%3B%2F')", "%23%3B%2F #;/"}));

INSTANTIATE_TEST_SUITE_P(RegExpState, Library, ::testing::Values(
    Case{"/(\\d+)/.exec('ab12cd').index + ' ' + RegExp.input + ' ' + RegExp.index + ' ' + RegExp.lastIndex + ' ' + RegExp['$_']", "2 ab12cd 2 4 ab12cd"},
    Case{"var r = /a/g; r.lastIndex = 5; r.exec('aaa'); r.lastIndex", "0"},
    Case{"/a(?=b)/.exec('ab')[0] + /a(?!b)/.test('ab') + /a+?/.exec('aaa')[0] + /(a)\\1/.test('aa')", "afalseatrue"},
    Case{"/^b/m.test('a\\nb') + ' ' + /a.c/.test('a\\nc') + ' ' + /\\u0041/.test('A') + ' ' + /[\\b]/.test('\\b')", "true false true true"},
    Case{"'x-y'.match(/(\\w)-(\\w)/); RegExp.$1 + RegExp.$2 + RegExp.lastParen + RegExp.rightContext", "xyy"}));

}  // namespace
}  // namespace quillo::jscript::test
