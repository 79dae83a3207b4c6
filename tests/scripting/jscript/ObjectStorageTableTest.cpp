// Scripts over the storage fast paths: objects whose properties move from inline to
// spilled to indexed storage, JSON built without generic puts and written into one
// buffer, joins that read ropes in place, and whole-string slices shared as they are.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(ObjectStorage)

INSTANTIATE_TEST_SUITE_P(Properties, ObjectStorage, ::testing::Values(
    // Order, values and deletes across the inline (2), spilled and indexed (> 8) stages.
    Case{"var o = {}, s = ''; for (var i = 0; i < 20; i++) o['p' + i] = i; for (var k in o) s += o[k] + ','; s",
         "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,"},
    Case{"var o = {a: 1, b: 2, c: 3}; delete o.a; o.d = 4; o.a = 5; var s = ''; for (var k in o) s += k + o[k]; s", "b2c3d4a5"},
    Case{"var o = {}; for (var i = 0; i < 12; i++) o['k' + i] = i; for (i = 0; i < 12; i += 2) delete o['k' + i];"
         " var s = ''; for (var k in o) s += k; s + ' ' + o.k11 + ' ' + o.k0", "k1k3k5k7k9k11 11 undefined"},
    Case{"function P(x, y) { this.x = x; this.y = y; } var p = new P(1, 2); p.z = 3; p.x + p.y + p.z", "6"},
    Case{"var f = function () {}; f.a = 1; f.b = 2; f.c = 3; f.a + f.b + f.c + typeof f.prototype", "6object"}));

INSTANTIATE_TEST_SUITE_P(Json, ObjectStorage, ::testing::Values(
    // Tenths are written directly; every other number goes through the general path.
    Case{"var bad = ''; for (var i = -3000; i < 3000; i++) { var v = [i / 10, i * 0.1, i * 1.1, i * 1.5, i / 3];"
         " if (JSON.stringify(v) !== '[' + v.join(',') + ']') bad += v + ';'; } bad", ""},
    // Short decimals are read by one division; they must equal the general conversion.
    Case{"var bad = ''; for (var i = -2000; i < 2000; i++) { var t = [i / 10, i * 1.5, i / 7, i * 0.001 + 0.1, -i / 3].join(',');"
         " if (JSON.parse('[' + t + ']').join(',') !== t) bad += t + ';'; } bad", ""},
    Case{"JSON.parse('[0.1,-0.0,123456789012.345,1234567890123.4567,9007199254740993.5,0.30000000000000004,1.5e3]').join(' ') + ' ' + 1 / JSON.parse('-0.0')",
         "0.1 0 123456789012.345 1234567890123.4568 9007199254740994 0.30000000000000004 1500 -Infinity"},
    Case{"JSON.stringify([0.5, -0.5, 214748364.7, -214748364.7, 2147483647.5, 1e21, 0.1 + 0.2])",
         "[0.5,-0.5,214748364.7,-214748364.7,2147483647.5,1e+21,0.30000000000000004]"},
    // Members gather on one stack across nesting levels.
    Case{"var t = '[[1,[2,3]],{\"a\":[4,{\"b\":5,\"c\":[]}],\"d\":{}},6,[[],[[]]]]'; JSON.stringify(JSON.parse(t)) === t", "true"},
    Case{"var o = JSON.parse('{\"a\":1,\"b\":2,\"a\":3,\"c\":4,\"b\":5}'); var s = ''; for (var k in o) s += k + o[k]; s", "a3b5c4"},
    Case{"var t = '{'; for (var i = 0; i < 30; i++) t += (i ? ',' : '') + '\"m' + i + '\":' + i; t += '}';"
         " var o = JSON.parse(t); o.m29 + o.m0 + o.m15 + ' ' + (JSON.stringify(o) === t)", "44 true"},
    // Short strings are shared atoms; they still compare and convert as strings.
    Case{"var a = JSON.parse('[\"a\",\"a\",\"\",\"ab\",\"abc\"]'); (a[0] === a[1]) + ' ' + (a[0] + a[3] + a[4]) + ' ' + a[2].length", "true aababc 0"},
    Case{"var a = JSON.parse('[\"x\\\\ny\",\"q\\\\u0041\"]'); a[0].length + a[1]", "3qA"},
    // A toJSON that changes a later property of its holder is seen by that property.
    Case{"var o = {a: {toJSON: function () { o.b = 9; return 1; }}, b: 2}; JSON.stringify(o)", "{\"a\":1,\"b\":9}"},
    Case{"JSON.stringify({a: undefined, b: function () {}, c: 1, d: undefined})", "{\"c\":1}"},
    Case{"JSON.stringify({a: [1, {b: 2}], c: 'x'}, null, 2)", "{\n  \"a\": [\n    1,\n    {\n      \"b\": 2\n    }\n  ],\n  \"c\": \"x\"\n}"},
    Case{"JSON.stringify([undefined, function () {}, 'a\\u0001\"b'], function (k, v) { return v; })", "[null,null,\"a\\u0001\\\"b\"]"}));

INSTANTIATE_TEST_SUITE_P(Strings, ObjectStorage, ::testing::Values(
    // Ropes short and long, nested, joined with and without a separator.
    Case{"var parts = [], whole = ''; for (var i = 0; i < 300; i++) { var p = 'w' + i + ' some text here, '; if (i % 7 == 0) p = p + p + p;"
         " parts.push(p); whole += p + '|'; } (parts.join('|') + '|') === whole", "true"},
    Case{"var r = ''; for (var i = 0; i < 400; i++) r += String.fromCharCode(97 + i % 26); var j = [r, 'x', r].join('');"
         " j.length + ' ' + j.charAt(399) + j.charAt(400) + j.charAt(401)", "801 jxa"},
    Case{"var s = 'abc' + 'defghijklmnopqrstuvwxyz0123'; (s.substring(0) === s) + ' ' + s.slice(0, 99).length + ' ' + s.substr(0) + ' ' + s.substring(1, 3)",
         "true 30 abcdefghijklmnopqrstuvwxyz0123 bc"},
    Case{"'a1b22c333'.replace(/\\d+/g, '#') + ' ' + 'a1b22'.replace(/(\\d)(\\d)?/g, '[$1$2]') + ' ' + 'xyx'.replace('y', '$&$&')",
         "a#b#c# a[1]b[22] xyyx"}));

}  // namespace
}  // namespace quillo::jscript::test
