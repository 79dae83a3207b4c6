// The engine through the ScriptEngine interface: error reports, host objects over
// Dispatch, script objects handed to hosts, the collector, deep recursion and timeouts.

#include <gtest/gtest.h>

#include "JsTestSupport.h"
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/ScriptError.h"
#include "scripting/jscript/JScriptEngine.h"

namespace quillo::jscript::test {

EngineFixture::EngineFixture() : engine(script::createJScriptEngine(context)) {}

namespace {

using script::ScriptError;
using script::Variant;

ScriptError errorOf(script::ScriptEngine& e, const std::u16string& code) {
    try {
        e.addCode(code);
    } catch (ScriptError& err) {
        return err;
    }
    ADD_FAILURE() << "no error";
    return {};
}

struct Report {
    const char16_t* code;
    int number;
    int line;
    int column;
    const char16_t* description;
    const char16_t* sourceText;
};

class ErrorReports : public ::testing::TestWithParam<Report> {};

TEST_P(ErrorReports, CarryNumberPositionAndLine) {
    EngineFixture f;
    const Report& r = GetParam();
    ScriptError e = errorOf(*f.engine, r.code);
    EXPECT_EQ(e.number, r.number);
    EXPECT_EQ(e.line, r.line);
    EXPECT_EQ(e.column, r.column);
    EXPECT_EQ(e.description, r.description);
    EXPECT_EQ(e.sourceText, r.sourceText);
}

INSTANTIATE_TEST_SUITE_P(CompileAndRun, ErrorReports, ::testing::Values(
    Report{u"var a = 1;\nvar b = (2;\n", 1006, 2, 11, u"Expected ')'", u"var b = (2;"},
    Report{u"x = 1\n\n  y z", 1004, 3, 5, u"Expected ';'", u"  y z"},
    Report{u"var s = 'open\nx", 1015, 1, 9, u"Unterminated string constant", u"var s = 'open"},
    Report{u"var ok = 1;\nnotDefined + 1;", 5009, 2, 1, u"'notDefined' is undefined", u"notDefined + 1;"},
    Report{u"function f() {\n  return null.x;\n}\nf();", 5007, 2, 10, u"'null' is null or not an object", u"  return null.x;"},
    Report{u"throw 'text';", 5022, 1, 1, u"Exception thrown and not caught", u"throw 'text';"},
    Report{u"throw new Error(42, 'mine');", 42, 1, 1, u"mine", u"throw new Error(42, 'mine');"},
    Report{u"var n = 3;\nn();", 5002, 2, 1, u"Function expected", u"n();"}));

TEST(Engine, SyntaxErrorRunsNothing) {
    EngineFixture f;
    f.engine->addCode(u"var ran = 'no';");
    errorOf(*f.engine, u"ran = 'yes';\nvar = ;");
    EXPECT_EQ(script::toText(f.engine->eval(u"ran")), u"no");
}

TEST(Engine, GlobalsPersistAcrossAddCodeAndRun) {
    EngineFixture f;
    f.engine->addCode(u"var total = 1; function add(a, b) { return a + b + total; }");
    f.engine->addCode(u"total = 10;");
    Variant args[2] = {Variant::fromLong(2), Variant::fromDouble(0.5)};
    Variant r = f.engine->run(u"add", args);
    EXPECT_EQ(r.type(), script::VarType::Double);
    EXPECT_EQ(r.asDouble(), 12.5);
    Variant whole = f.engine->eval(u"add(1, 2)");
    EXPECT_EQ(whole.type(), script::VarType::Long);
    EXPECT_EQ(whole.asLong(), 13);
}

class Counter : public script::DispatchObject {
public:
    Counter() : DispatchObject(u"Counter") {
        addProperty(u"Value", [this](std::span<Variant>) { return Variant::fromLong(value); },
                    [this](std::span<Variant>, const Variant& v) { value = script::toLong(v); });
        addMethod(u"Add", 1, 1, [this](std::span<Variant> a) {
            value += script::toLong(a[0]);
            return Variant::fromLong(value);
        });
        addMethod(u"Call", 1, 1, [](std::span<Variant> a) {
            script::Dispatch* d = a[0].asObject();
            Variant none[1] = {Variant::fromString(u"from host")};
            return d->invoke(script::DISPID_VALUE, script::InvokeKind::Method, none);
        });
        addMethod(u"Read", 2, 2, [](std::span<Variant> a) {
            script::Dispatch* d = a[0].asObject();
            int32_t id = d->memberId(script::toText(a[1]));
            return d->invoke(id, script::InvokeKind::PropertyGet, {});
        });
        addProperty(u"Item", [this](std::span<Variant> a) { return Variant::fromString(u"item " + script::toText(a[0])); },
                    [this](std::span<Variant> a, const Variant& v) { lastPut = script::toText(a[0]) + u"=" + script::toText(v); });
        setDefaultMember(u"Value");
    }
    int32_t value = 0;
    std::u16string lastPut;
};

TEST(Engine, HostObjectsInAnyLetterCase) {
    EngineFixture f;
    auto counter = script::makeRef<Counter>();
    f.engine->addObject(u"counter", counter, false);
    f.engine->addCode(u"counter.value = 5; counter.ADD(2); var v = counter.Value; var t = typeof counter;");
    EXPECT_EQ(counter->value, 7);
    EXPECT_EQ(script::toText(f.engine->eval(u"v + ' ' + t")), u"7 object");
    EXPECT_EQ(script::toText(f.engine->eval(u"counter + 1")), u"8");
    EXPECT_EQ(script::toText(f.engine->eval(u"counter.item('k')")), u"item k");
    f.engine->addCode(u"counter.Item('k') = 'v';");
    EXPECT_EQ(counter->lastPut, u"k=v");
    ScriptError e = errorOf(*f.engine, u"counter.Missing();");
    EXPECT_EQ(e.number, 438);
}

TEST(Engine, AddMembersMakesNamesGlobal) {
    EngineFixture f;
    auto counter = script::makeRef<Counter>();
    f.engine->addObject(u"host", counter, true);
    f.engine->addCode(u"Add(4); Add(1);");
    EXPECT_EQ(counter->value, 5);
    f.engine->addCode(u"var Add = 'shadowed by the script';");
    EXPECT_EQ(script::toText(f.engine->eval(u"Add")), u"shadowed by the script");
}

TEST(Engine, ScriptObjectsReachHostsAsDispatch) {
    EngineFixture f;
    auto counter = script::makeRef<Counter>();
    f.engine->addObject(u"host", counter, false);
    EXPECT_EQ(script::toText(f.engine->eval(u"host.Call(function (s) { return 'got ' + s; })")), u"got from host");
    EXPECT_EQ(script::toText(f.engine->eval(u"host.Read({ Name: 'n1' }, 'name')")), u"n1");
    EXPECT_EQ(script::toText(f.engine->eval(u"host.Read({ Name: 'n2' }, 'NAME')")), u"n2");
    f.engine->addCode(u"var kept = { back: 1 }; host.Value = 3;");
    Variant obj = f.engine->eval(u"kept");
    ASSERT_TRUE(obj.isObject());
    EXPECT_EQ(script::toText(obj.asObject()->invoke(script::DISPID_VALUE, script::InvokeKind::PropertyGet, {})), u"[object Object]");
}

TEST(Engine, ScriptErrorsInsideHostCallsAreCatchable) {
    EngineFixture f;
    auto counter = script::makeRef<Counter>();
    f.engine->addObject(u"host", counter, false);
    EXPECT_EQ(script::toText(f.engine->eval(u"(function () { try { host.Add(); } catch (e) { return e.number + ' ' + e.message; } })()")),
              u"-2146827838 Wrong number of arguments or invalid property assignment");
}

TEST(Engine, DeepRecursionIsOutOfStackSpace) {
    EngineFixture f;
    ScriptError e = errorOf(*f.engine, u"function down(n) { return down(n + 1) + 1; } down(0);");
    EXPECT_EQ(e.number, 28);
    // Recursion through native calls (sort comparators) ends the same way.
    e = errorOf(*f.engine, u"function s() { [2, 1].sort(s); return 0; } s();");
    EXPECT_EQ(e.number, 28);
    // The engine still works afterwards.
    EXPECT_EQ(script::toText(f.engine->eval(u"1 + 1")), u"2");
}

// Nesting deep enough to exhaust a recursive parser, compiler or tree teardown ends in
// error 28, never a crash.
TEST(Engine, DeeplyNestedSourceIsOutOfStackSpace) {
    const std::pair<std::u16string, std::u16string> shapes[] = {
        {u"(", u")"}, {u"[", u"]"}, {u"!", u""}, {u"if (1) ", u""}, {u"{", u"}"}};
    for (const auto& [open, close] : shapes) {
        EngineFixture f;
        std::u16string code = u"var x = ";
        for (int i = 0; i < 200000; ++i) code += open;
        code += u"1";
        for (int i = 0; i < 200000; ++i) code += close;
        ScriptError e = errorOf(*f.engine, open == u"{" || open == u"if (1) " ? code.substr(8) : code);
        EXPECT_EQ(e.number, 28);
    }
    EngineFixture f;
    std::u16string sum = u"var s = 1";
    for (int i = 0; i < 300000; ++i) sum += u"+1";
    errorOf(*f.engine, sum);
    EXPECT_EQ(script::toText(f.engine->eval(u"'still running'")), u"still running");
}

TEST(Engine, TimeoutStopsARunawayLoop) {
    EngineFixture f;
    f.budget.setTimeoutMs(50);
    f.host.stopAnswer = true;
    EXPECT_THROW(f.engine->addCode(u"for (;;) {}"), script::ScriptAbort);
    EXPECT_EQ(f.host.stopQuestions, 1);
    EXPECT_EQ(script::toText(f.engine->eval(u"'alive'")), u"alive");
}

TEST(Collector, CyclesAreReclaimedDuringLongRuns) {
    Vm vm(nullptr);
    vm.runScript(u"for (var i = 0; i < 1000000; i++) { var a = {}; var b = { p: a }; a.q = b; }");
    // A million pairs were made; what remains alive is a few thousand cells at most.
    vm.collectGarbage();
    EXPECT_LT(vm.heap().cellCount(), 20000u);
    vm.runScript(u"var keep = []; for (var j = 0; j < 1000; j++) keep.push({ n: j });");
    vm.collectGarbage();
    EXPECT_EQ(evalText(vm, "keep[999].n + keep.length"), "1999");
}

TEST(Collector, StringsBuiltByConcatenationStayLinear) {
    Vm vm(nullptr);
    vm.runScript(u"var s = ''; for (var i = 0; i < 200000; i++) s += 'ab';");
    EXPECT_EQ(evalText(vm, "s.length + ' ' + s.charAt(399999)"), "400000 b");
}

}  // namespace
}  // namespace quillo::jscript::test
