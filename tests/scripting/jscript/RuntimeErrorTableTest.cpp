// Run-time errors as a script sees them: the error's name, e.number (the negative 32-bit
// code 0x800A0000 | n), e.description and e.message, for each kind of fault the engine and
// its built-ins raise.

#include "EvalTable.h"

namespace quillo::jscript::test {
namespace {

struct Raised {
    const char* src;
    const char* name;
    int number;
    const char* description;
};

class RuntimeError : public ::testing::TestWithParam<Raised> {};

TEST_P(RuntimeError, CarriesNameCodeAndText) {
    const Raised& c = GetParam();
    std::string got = evalText(std::string("try { ") + c.src +
                               "; 'no error' } catch (e) { e.name + '|' + e.number + '|' + e.description + '|' + (e.message === e.description) }");
    std::string want = std::string(c.name) + "|" + std::to_string(static_cast<int32_t>(0x800A0000u | c.number)) + "|" +
                       c.description + "|true";
    EXPECT_EQ(got, want) << c.src;
}

INSTANTIATE_TEST_SUITE_P(Language, RuntimeError, ::testing::Values(
    Raised{"var u; u.x", "TypeError", 5007, "'u' is null or not an object"},
    Raised{"var a = {}; a.b.c", "TypeError", 5007, "'a.b' is null or not an object"},
    Raised{"var o = { f: 1 }; o.f()", "TypeError", 5002, "Function expected"},
    Raised{"var s = 'str'; s()", "TypeError", 5002, "Function expected"},
    Raised{"x = y = zzz", "TypeError", 5009, "'zzz' is undefined"},
    Raised{"undeclaredFn()", "TypeError", 5009, "'undeclaredFn' is undefined"},
    Raised{"undeclared.member", "TypeError", 5009, "'undeclared' is undefined"},
    Raised{"({}).nothing()", "TypeError", 438, "Object doesn't support this property or method"},
    Raised{"'abc'.toFixed()", "TypeError", 438, "Object doesn't support this property or method"},
    Raised{"function F() {} F.prototype = 1; ({}) instanceof F", "TypeError", 5023, "Function does not have a valid prototype object"},
    Raised{"({}) instanceof ({})", "TypeError", 5002, "Function expected"},
    Raised{"'k' in 5", "TypeError", 5007, "Object expected"},
    Raised{"function r() { r(); } r()", "Error", 28, "Out of stack space"}));

INSTANTIATE_TEST_SUITE_P(Builtins, RuntimeError, ::testing::Values(
    Raised{"Number.prototype.valueOf.call('1')", "TypeError", 5001, "Number expected"},
    Raised{"Boolean.prototype.valueOf.call('x')", "TypeError", 5010, "Boolean expected"},
    Raised{"String.prototype.valueOf.call(1)", "TypeError", 5005, "String expected"},
    Raised{"Date.prototype.getFullYear.call(0)", "TypeError", 5006, "Date object expected"},
    Raised{"Date.prototype.setTime.call({}, 0)", "TypeError", 5006, "Date object expected"},
    Raised{"RegExp.prototype.test.call([], 'x')", "TypeError", 5016, "Regular Expression object expected"},
    Raised{"Function.prototype.toString.call({})", "TypeError", 5002, "Function expected"},
    Raised{"Function.prototype.call.call(1)", "TypeError", 5002, "Function expected"},
    Raised{"(function () {}).apply(null, 'ab')", "TypeError", 5028, "Array or arguments object expected"},
    Raised{"new Array(4294967296)", "RangeError", 5029, "Array length must be a finite positive integer"},
    Raised{"new Array(1.5)", "RangeError", 5029, "Array length must be a finite positive integer"},
    Raised{"var a = []; a.length = -1", "RangeError", 5030, "Array length must be assigned a finite positive number"},
    Raised{"var a = []; a.length = Infinity", "RangeError", 5030, "Array length must be assigned a finite positive number"},
    Raised{"(1).toFixed(100)", "RangeError", 5026, "The number of fractional digits is out of range"},
    Raised{"(1).toExponential(-5)", "RangeError", 5026, "The number of fractional digits is out of range"},
    Raised{"(1).toPrecision(100)", "RangeError", 5027, "The precision is out of range"},
    Raised{"new RegExp('[z-a]')", "SyntaxError", 5021, "Invalid range in character set"},
    Raised{"new RegExp('*a')", "SyntaxError", 5018, "Unexpected quantifier"},
    Raised{"new RegExp('[ab')", "SyntaxError", 5019, "Expected ']' in regular expression"},
    Raised{"new RegExp('(ab')", "SyntaxError", 5020, "Expected ')' in regular expression"},
    Raised{"encodeURI('\\udc00')", "URIError", 5024, "The URI to be encoded contains an invalid character"},
    Raised{"decodeURI('%E0%A4%A')", "URIError", 5025, "The URI to be decoded is not a valid encoding"},
    Raised{"decodeURIComponent('%ZZ')", "URIError", 5025, "The URI to be decoded is not a valid encoding"},
    Raised{"var a = {}; a.a = a; JSON.stringify(a)", "Error", 5034, "Circular reference in value argument not supported"},
    Raised{"JSON.stringify(1, {})", "Error", 5035, "Invalid replacer argument"},
    Raised{"new VBArray({})", "TypeError", 5013, "VBArray expected"},
    Raised{"eval('(1')", "SyntaxError", 1006, "Expected ')'"}));

using Case = EvalCase;
QUILLO_EVAL_TABLE(ErrorObject)

// What scripts do with caught errors: rethrow, inspect the code's parts, build their own.
INSTANTIATE_TEST_SUITE_P(Handling, ErrorObject, ::testing::Values(
    Case{"try { try { missing; } catch (e) { throw e; } } catch (f) { f.number + ' ' + f.description }", "-2146823279 'missing' is undefined"},
    Case{"try { null.x; } catch (e) { (e.number & 0xFFFF) + ' ' + (e.number >>> 16).toString(16) }", "5007 800a"},
    Case{"try { missing; } catch (e) { e instanceof TypeError }", "true"},
    Case{"try { new Array(-1); } catch (e) { (e instanceof RangeError) + ' ' + (e instanceof TypeError) }", "true false"},
    Case{"try { eval('a b'); } catch (e) { (e instanceof SyntaxError) + ' ' + (e.number & 0xFFFF) }", "true 1004"},
    Case{"try { decodeURI('%'); } catch (e) { (e instanceof URIError) + ' ' + e.name }", "true URIError"},
    Case{"var e = new Error(-2146823281, 'mine'); e.number + ' ' + e.message", "-2146823281 mine"},
    Case{"var e = new TypeError('t'); e.number + ' ' + e.description", "0 t"},
    Case{"var e = new Error('m'); e.description = 'd'; e.message + ' ' + e.description", "m d"},
    Case{"try { throw new RangeError('r'); } catch (e) { e.name + ' ' + e.number }", "RangeError 0"},
    Case{"try { throw { number: 7 }; } catch (e) { e.number }", "7"},
    Case{"try { throw null; } catch (e) { e === null }", "true"},
    Case{"try { undefined.x; } catch (e) { e.number }", "-2146823281"},
    Case{"var n = 0; try { try { throw 1; } finally { n++; } } catch (e) { n += e; } n", "2"},
    Case{"function f() { try { return missing; } catch (e) { return e.description; } } f()", "'missing' is undefined"},
    Case{"try { eval('1 = 2'); } catch (e) { (e.number & 0xFFFF) + ' ' + e.description }", "5008 Illegal assignment"},
    Case{"try { eval('\\'s\\' = 1'); } catch (e) { (e.number & 0xFFFF) + ' ' + e.description }", "5008 Illegal assignment"},
    Case{"var n = 0; try { eval('n++; 1 += 2; n++'); } catch (e) { n + ' ' + (e.number & 0xFFFF) }", "1 5008"},
    Case{"debugger; 'after'", "after"},
    Case{"var r = []; for (var i = 0; i < 3; i++) { try { if (i == 1) throw i; r.push(i); } catch (e) { r.push('c' + e); } } r.join()", "0,c1,2"}));

// Assigning to `this` has an error of its own.
TEST(InvalidAssignmentTargets, EachKindHasItsOwnError) {
    const char* const cases[][2] = {
        {"this = 1", "5000 Cannot assign to 'this'"},
        {"this++", "5000 Cannot assign to 'this'"},
        {"this += 1", "5000 Cannot assign to 'this'"},
        {"1 = 2", "5008 Illegal assignment"},
        {"Math.max()++", "5003 Cannot assign to a function result"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(evalText(std::string("try { eval('") + c[0] + "'); } catch (e) { (e.number & 0xFFFF) + ' ' + e.description }"), c[1])
            << c[0];
}

}  // namespace
}  // namespace quillo::jscript::test
