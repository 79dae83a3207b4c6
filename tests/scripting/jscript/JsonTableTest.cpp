// JSON tables: parse and stringify round trips, the reviver's order and holder, replacer
// functions and arrays, indentation limits, dates, and the errors (syntax, 5034, 5035).

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Json)

// Text that survives parse then stringify unchanged.
INSTANTIATE_TEST_SUITE_P(RoundTrips, Json, ::testing::Values(
    Case{"var t = '{\"a\":[1,\"two\",{\"three\":3}],\"b\":true,\"c\":null}'; JSON.stringify(JSON.parse(t)) === t", "true"},
    Case{"var t = '[[],{},[[]],{\"\":{}}]'; JSON.stringify(JSON.parse(t)) === t", "true"},
    Case{"var t = '[0.1,-5,1e+21,1.5e-7,123456789]'; JSON.stringify(JSON.parse(t)) === t", "true"},
    Case{"var t = '\"q\\\\\"b\\\\\\\\s\\\\/ \\\\u0001\"'; JSON.stringify(JSON.parse(t))", "\"q\\\"b\\\\s/ \\u0001\""},
    Case{"JSON.parse('\"\\\\u00e9\\\\u20ac\"') === '\\u00e9\\u20ac'", "true"},
    Case{"JSON.stringify('\\u0000\\u001f\\u007f')", "\"\\u0000\\u001f\x7f\""},
    Case{"JSON.stringify(JSON.parse(' \\t\\n\\r[ 1 , 2 ]\\n '))", "[1,2]"},
    Case{"JSON.stringify(JSON.parse('1e400'))", "null"},
    Case{"1 / JSON.parse('-0')", "-Infinity"},
    Case{"JSON.parse('{\"a\":1,\"a\":2}').a", "2"},
    Case{"JSON.parse('{\"__proto__\":1}').__proto__", "1"},
    Case{"JSON.parse(123) + JSON.parse(true)", "124"},
    Case{"JSON.parse(null) === null", "true"},
    Case{"JSON.stringify(JSON.parse('\"\\\\ud83d\\\\ude00\"')).length", "4"},
    Case{"var s = { x: 1 }; JSON.stringify([s, s])", "[{\"x\":1},{\"x\":1}]"},
    Case{"JSON.stringify(new Date(Date.UTC(2009, 7, 24, 7, 30, 0)))", "\"2009-08-24T07:30:00Z\""},
    Case{"JSON.stringify({ d: new Date(Date.UTC(2026, 11, 8, 14, 51, 49)) })", "{\"d\":\"2026-12-08T14:51:49Z\"}"},
    Case{"JSON.stringify([new Date(NaN)]) + ' ' + new Date(Date.UTC(1999, 0, 2, 3, 4, 5, 678)).toJSON()", "[null] 1999-01-02T03:04:05Z"},
    Case{"typeof JSON.stringify(function () {}) + ' ' + JSON.stringify(/x/)", "undefined {}"},
    Case{"JSON.stringify({ a: new Boolean(true), b: new String('s'), c: new Number(-1) })", "{\"a\":true,\"b\":\"s\",\"c\":-1}"}));

// toJSON looked up through prototypes while the script run by toJSON or the replacer
// adds, removes and deletes members part way through.
INSTANTIATE_TEST_SUITE_P(ScriptChangesDuringStringify, Json, ::testing::Values(
    Case{"var a = [{}, { toJSON: function () { Object.prototype.toJSON = function () { return 'p'; }; return 1; } }, {}];"
         "var r = JSON.stringify(a); delete Object.prototype.toJSON; r", "[{},1,\"p\"]"},
    Case{"var r = JSON.stringify([[1], [2], [3]], function (k, v) { if (k === '0') Array.prototype.toJSON = function () { return 'A'; }; return v; });"
         "delete Array.prototype.toJSON; r", "[[1],\"A\",\"A\"]"},
    Case{"Object.prototype.toJSON = function () { return 'p'; }; var r = JSON.stringify({ a: 1 }) + JSON.stringify([{}]);"
         "delete Object.prototype.toJSON; r + JSON.stringify([{}])", "\"p\"\"p\"[{}]"},
    Case{"JSON.stringify([{}, { toJSON: function () { return 5; } }, {}, [], { toJSON: 7 }])", "[{},5,{},[],{\"toJSON\":7}]"},
    Case{"function F() {} F.prototype.toJSON = function () { return 'f'; }; JSON.stringify([{}, new F, {}, new F])", "[{},\"f\",{},\"f\"]"},
    Case{"var o = { a: { toJSON: function () { delete o.b; o.d = 4; return 1; } }, b: 2, c: 3 }; JSON.stringify(o)", "{\"a\":1,\"c\":3}"},
    Case{"Object.prototype.b = 'p'; var o = { a: { toJSON: function () { delete o.b; return 1; } }, b: 2, c: 3 };"
         "var r = JSON.stringify(o); delete Object.prototype.b; r", "{\"a\":1,\"b\":\"p\",\"c\":3}"},
    Case{"var o = { a: 1, b: 2 }; JSON.stringify(o, function (k, v) { if (k === 'a') o.b = 'changed'; return v; })", "{\"a\":1,\"b\":\"changed\"}"}));

// Output long enough for the buffer to grow through its large steps, compared with the
// same text built by join; records of five properties, parsed back and re-written.
INSTANTIATE_TEST_SUITE_P(LargeText, Json, ::testing::Values(
    Case{"var a = []; for (var i = 0; i < 60000; i++) a.push('v' + i); var t = JSON.stringify(a); (t === '[\"' + a.join('\",\"') + '\"]') + ' ' + t.length", "true 528891"},
    Case{"var a = []; for (var i = 0; i < 9000; i++) a.push({ id: i, name: 'n' + i, tags: [i, 'b'], p: i / 2, ok: i % 3 == 0 });"
         "var t = JSON.stringify({ a: a }); var b = JSON.parse(t).a; var bad = 0;"
         "for (var i = 0; i < b.length; i++) { var o = b[i], k = []; for (var n in o) k.push(n);"
         "  if (k.join() != 'id,name,tags,p,ok' || o.id !== i || o.name !== 'n' + i || o.tags[0] !== i || o.p !== i / 2 || o.ok !== (i % 3 == 0)) bad++; }"
         "bad + ' ' + b.length + ' ' + (JSON.stringify({ a: b }) === t)", "0 9000 true"}));

INSTANTIATE_TEST_SUITE_P(Reviver, Json, ::testing::Values(
    Case{"var seen = []; JSON.parse('{\"a\":{\"b\":1},\"c\":[2]}', function (k, v) { seen.push(k); return v; }); seen.join()", "b,a,0,c,"},
    Case{"JSON.parse('1', function (k, v) { return k === '' ? 'root' : v; })", "root"},
    Case{"JSON.parse('{\"x\":1}', function (k, v) { return k === 'x' ? typeof this.x : v; }).x", "number"},
    Case{"var h; JSON.parse('{\"x\":1}', function (k, v) { if (k === '') h = this; return v; }); typeof h + ' ' + JSON.stringify(h)", "object {\"\":{\"x\":1}}"},
    Case{"var a = JSON.parse('[1,2,3]', function (k, v) { return v === 2 ? undefined : v; }); a.length + '|' + a.join() + '|' + (1 in a)", "3|1,,3|false"},
    Case{"JSON.parse('{\"a\":1,\"b\":2}', function (k, v) { return typeof v === 'number' ? v + 10 : v; }).b", "12"},
    Case{"typeof JSON.parse('{\"a\":1}', function (k, v) { return k === '' ? undefined : v; })", "undefined"},
    Case{"JSON.parse('{\"a\":[{\"b\":\"x\"}]}', function (k, v) { return k === 'b' ? v.toUpperCase() : v; }).a[0].b", "X"},
    Case{"JSON.parse('[1]', 'not a function')[0]", "1"}));

INSTANTIATE_TEST_SUITE_P(Replacer, Json, ::testing::Values(
    Case{"JSON.stringify({ 1: 'one', 2: 'two' }, [1])", "{\"1\":\"one\"}"},
    Case{"JSON.stringify([{ a: 1, b: 2 }], ['b'])", "[{\"b\":2}]"},
    Case{"JSON.stringify({ a: 1, b: 2, c: 3 }, ['c', 'a'])", "{\"c\":3,\"a\":1}"},
    Case{"JSON.stringify({ a: 1 }, ['missing'])", "{}"},
    Case{"JSON.stringify({ a: 1 }, [])", "{}"},
    Case{"typeof JSON.stringify(1, function () {})", "undefined"},
    Case{"JSON.stringify({ a: 1 }, function (k, v) { return k === '' ? [1, 2] : v; })", "[1,2]"},
    Case{"JSON.stringify([1, 'a', 2], function (k, v) { return typeof v === 'string' ? undefined : v; })", "[1,null,2]"},
    Case{"JSON.stringify({ n: 1 }, function (k, v) { return typeof v === 'number' ? String(v) : v; })", "{\"n\":\"1\"}"},
    Case{"JSON.stringify({ a: 1 }, null)", "{\"a\":1}"},
    Case{"JSON.stringify({ a: { toJSON: function () { return 5; } } }, function (k, v) { return k === 'a' ? v * 2 : v; })", "{\"a\":10}"},
    Case{"JSON.stringify({}, new Date(0))", "Error -2146823253: Invalid replacer argument"},
    Case{"JSON.stringify({}, /x/)", "Error -2146823253: Invalid replacer argument"}));

INSTANTIATE_TEST_SUITE_P(Indentation, Json, ::testing::Values(
    Case{"JSON.stringify([1], null, 'abcdefghijklmnop')", "[\nabcdefghij1\n]"},
    Case{"JSON.stringify([1], null, -1)", "[1]"},
    Case{"JSON.stringify([1], null, 1.9)", "[\n 1\n]"},
    Case{"JSON.stringify({ a: { b: [] } }, null, '\\t')", "{\n\t\"a\": {\n\t\t\"b\": []\n\t}\n}"},
    Case{"JSON.stringify({ a: 1, b: 2 }, ['b'], 1)", "{\n \"b\": 2\n}"},
    Case{"JSON.stringify([[1, [2]]], null, 1)", "[\n [\n  1,\n  [\n   2\n  ]\n ]\n]"},
    Case{"JSON.stringify({ a: 1 }, null, true)", "{\"a\":1}"},
    Case{"JSON.stringify({ a: 1 }, null, 100).length", "20"}));

INSTANTIATE_TEST_SUITE_P(Errors, Json, ::testing::Values(
    Case{"var o = {}; o.a = { b: o }; JSON.stringify(o)", "Error -2146823254: Circular reference in value argument not supported"},
    Case{"var o = { t: { toJSON: function () { return o; } } }; JSON.stringify(o)", "Error -2146823254: Circular reference in value argument not supported"},
    Case{"var a = [1]; a.push({ back: a }); JSON.stringify(a, null, 2)", "Error -2146823254: Circular reference in value argument not supported"},
    Case{"try { var a = []; a.push(a); JSON.stringify(a); } catch (e) { e.description + '|' + (e.message === e.description) }",
         "Circular reference in value argument not supported|true"},
    Case{"JSON.parse(\"{'a':1}\")", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('[1,]')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('tru')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('\"\\\\x41\"')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('\"a\\tb\"')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('1 2')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('+1')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('.5')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('0x10')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('{\"a\" 1}')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('[1')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('\"open')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('undefined')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('NaN')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('1.')", "SyntaxError -2146827286: Syntax error"},
    Case{"JSON.parse('-')", "SyntaxError -2146827286: Syntax error"}));

}  // namespace
}  // namespace quillo::jscript::test
