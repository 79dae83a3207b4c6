// Where a line break ends a statement, where a slash starts a regular expression rather
// than dividing, and which labels a break or continue may name: cases beyond the basic
// ones in LexerParserTest.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

using Case = EvalCase;
QUILLO_EVAL_TABLE(Grammar)

INSTANTIATE_TEST_SUITE_P(LineBreaks, Grammar, ::testing::Values(
    // A comment holding a line break counts as one; a comment without one does not.
    Case{"function f() { return /*\n*/ 1 } f()", "undefined"},
    Case{"function f() { return /* same line */ 1 } f()", "1"},
    Case{"function f() { return // note\n 1 } f()", "undefined"},
    Case{"var n = 0; outer: for (var i = 0; i < 2; i++) { while (true) { break\nouter } n++ } n", "2"},
    Case{"var n = 0; outer: for (var i = 0; i < 2; i++) { for (var j = 0; j < 2; j++) { n++; continue\nouter } } n", "4"},
    Case{"var b = 8, hi = 2, g = { exec: function (c) { return c; } }, c = 2\nvar a = b\n/hi/g.exec(c)\na", "2"},
    Case{"var a = [1, 2]\nvar b = a\n[0]\nb", "1"},
    Case{"var x = 1, y = 1\nx\n++\ny\nx + ' ' + y", "1 2"},
    Case{"var x = 1\nx++\nx", "2"},
    Case{"var s = 1\n(2)", "TypeError -2146823286: Function expected"},
    Case{"for (var i = 0\n; i < 2\n; i++) {}\ni", "2"},
    Case{"var r = 'none'; if (false) r = 'then'\nelse r = 'else'\nr", "else"},
    Case{"x = 1; ;;; x", "1"},
    Case{"var t = 'a'\n+ 'b'\n+ 'c'\nt", "abc"},
    Case{"var o = {\nk: 1\n}\no.k", "1"},
    Case{"var v = 4\nv\n*= 2\nv", "8"},
    Case{"function f() { return (\n5) } f()", "5"},
    Case{"var u = typeof\nundefined\nu", "undefined"},
    Case{"var w = !\ntrue\nw", "false"},
    Case{"var d = 3\ndelete\nd", "false"},
    Case{"var q = 1\nvar p = q\n- -1\np", "2"}));

INSTANTIATE_TEST_SUITE_P(SlashMeaning, Grammar, ::testing::Values(
    Case{"var a = 4; var x = a++ / 2; x", "2"},
    Case{"var a = 4; var x = a-- / 2 / 1; x", "2"},
    Case{"{} /a/.test('a')", "true"},
    Case{"(function () {}) / 2", "NaN"},
    Case{"4 / /2/.source", "2"},
    Case{"function f() { return /re/.source; } f()", "re"},
    Case{"'source' in /x/", "true"},
    Case{"/[/]/.source", "[/]"},
    Case{"/a\\/b/.source", "a\\/b"},
    Case{"/a\\/b/.test('a/b')", "true"},
    Case{"!/x/.test('y')", "true"},
    Case{"(1) /2/ 1", "0.5"},
    Case{"var o = { v: 9 }; o.v /3/ 1", "3"},
    Case{"var a = [8]; a[0] /2", "4"},
    Case{"var x = 6; x /= 3 /1; x", "2"},
    Case{"var r = /=+/g; 'a==b'.replace(r, '-')", "a-b"},
    Case{"typeof /x/ + typeof 1 / 1", "objectNaN"},
    Case{"var c = true ? /t/ : /f/; c.source", "t"},
    Case{"var s = ''; switch ('q') { case /q/.source: s = 'matched'; } s", "matched"},
    Case{"[/a/, /b/].length", "2"},
    Case{"var r = /a/gi; r.global + ' ' + r.ignoreCase + ' ' + r.multiline", "true true false"},
    Case{"/\\//.source + /[\\]]/.source", "\\/[\\]]"},
    Case{"'a*b'.split(/\\*/).join('+')", "a+b"},
    Case{"var i = 2; i\n/1/\n2", "1"}));

// Consecutive labels all name the statement they end in.
INSTANTIATE_TEST_SUITE_P(Labels, Grammar, ::testing::Values(
    Case{"var x = 0; l1: l2: for (;;) { x++; if (x < 3) continue l1; break l2; } x", "3"},
    Case{"var x = 0; a: b: c: while (x < 5) { x++; if (x % 2) continue a; continue c; } x", "5"},
    Case{"var s = ''; outer: inner: for (var i = 0; i < 2; i++) { for (var j = 0; j < 3; j++) { if (j == 1) continue outer; s += i + '' + j; } } s", "0010"},
    Case{"var n = 0; a: b: do { n++; if (n < 4) continue b; break a; } while (true); n", "4"},
    Case{"var k = []; lab: x: for (var p in { a: 1, b: 2 }) { k.push(p); continue lab; } k.join()", "a,b"},
    Case{"var s = ''; blk: { inner: { s += 'a'; break blk; } s += 'b'; } s", "a"},
    Case{"var s = ''; sw: switch (1) { case 1: s += 'one'; break sw; case 2: s += 'two'; } s", "one"},
    Case{"a: { b: for (;;) { continue a; } }", "SyntaxError -2146827262: Label not found"},
    Case{"a: { } b: for (;;) { continue a; }", "SyntaxError -2146827262: Label not found"},
    Case{"a: if (true) b: while (false) { continue a; }", "SyntaxError -2146827262: Label not found"}));

}  // namespace
}  // namespace quillo::jscript::test
