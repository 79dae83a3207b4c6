// Enumerator, VBArray and ActiveXObject over Dispatch objects a host supplies, and the
// Variant conversions at that boundary.

#include <gtest/gtest.h>

#include "JsTestSupport.h"
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/jscript/JScriptEngine.h"

namespace quillo::jscript::test {
namespace {

using script::Variant;

// A collection of three strings with Count, Item(i), Keys() (a safe array) and an enumerator.
class Bag : public script::DispatchObject {
public:
    Bag() : DispatchObject(u"Bag") {
        addProperty(u"Count", [this](std::span<Variant>) { return Variant::fromLong(static_cast<int32_t>(items.size())); });
        addMethod(u"Item", 1, 1, [this](std::span<Variant> a) { return Variant::fromString(items.at(script::toLong(a[0]))); });
        addMethod(u"Keys", 0, 0, [this](std::span<Variant>) {
            std::vector<Variant> v;
            for (auto& s : items) v.push_back(Variant::fromString(s));
            return Variant::fromArray(script::SafeArray::fromVector(std::move(v)).get());
        });
        addMethod(u"Grid", 0, 0, [](std::span<Variant>) {
            script::ArrayBound b[2] = {{1, 2}, {0, 2}};
            auto arr = script::SafeArray::create(b);
            int n = 0;
            for (auto& e : arr->elements()) e = Variant::fromLong(n++);
            return Variant::fromArray(arr.get());
        });
        addMethod(u"Echo", 1, 1, [](std::span<Variant> a) { return a[0]; });
        addMethod(u"TypeOf", 1, 1, [](std::span<Variant> a) { return Variant::fromLong(static_cast<int32_t>(a[0].valueType())); });
        setEnumerator([this] {
            std::vector<Variant> v;
            for (auto& s : items) v.push_back(Variant::fromString(s));
            return script::Ref<script::Enumerator>(new script::VectorEnumerator(std::move(v)));
        });
    }
    std::vector<std::u16string> items{u"x", u"y", u"z"};
};

struct AutomationFixture : EngineFixture {
    AutomationFixture() {
        context.createObject = [](std::u16string_view id) -> script::DispatchPtr {
            if (script::equalsIgnoreCase(id, u"Test.Bag")) return script::makeRef<Bag>();
            return nullptr;
        };
        engine = script::createJScriptEngine(context);
        engine->addCode(u"var bag = new ActiveXObject('test.bag');");
    }
    std::u16string eval(const std::u16string& e) { return script::toText(engine->eval(e)); }
};

struct Case {
    const char16_t* expr;
    const char16_t* expected;
};

class Automation : public ::testing::TestWithParam<Case> {};

TEST_P(Automation, GivesExpectedText) {
    AutomationFixture f;
    try {
        EXPECT_EQ(f.eval(GetParam().expr), GetParam().expected);
    } catch (script::ScriptError& e) {
        EXPECT_EQ(std::to_string(e.number) + " " + toUtf8(e.description), toUtf8(GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Objects, Automation, ::testing::Values(
    Case{u"bag.Count + bag.count + bag.COUNT", u"9"},
    Case{u"bag.Item(1) + bag.item(2)", u"yz"},
    Case{u"typeof bag + ' ' + typeof bag.Keys()", u"object unknown"},
    Case{u"var e = new Enumerator(bag), s = ''; for (; !e.atEnd(); e.moveNext()) s += e.item(); s", u"xyz"},
    Case{u"var e = new Enumerator(bag); e.moveNext(); e.moveNext(); e.moveNext(); e.atEnd() + ' ' + typeof e.item()", u"true undefined"},
    Case{u"var e = new Enumerator(bag); e.moveNext(); e.moveFirst(); e.item()", u"x"},
    Case{u"var e = new Enumerator([4, 5]); e.moveNext(); e.item()", u"5"},
    Case{u"new VBArray(bag.Keys()).toArray().join('-')", u"x-y-z"},
    Case{u"var v = new VBArray(bag.Keys()); v.lbound() + ' ' + v.ubound() + ' ' + v.dimensions() + ' ' + v.getItem(1)", u"0 2 1 y"},
    Case{u"var g = new VBArray(bag.Grid()); g.dimensions() + ' ' + g.lbound(1) + ' ' + g.ubound(1) + ' ' + g.ubound(2) + ' ' + g.getItem(2, 1)", u"2 1 2 2 3"},
    Case{u"new VBArray(bag.Grid()).toArray().length", u"6"},
    Case{u"new VBArray(bag.Keys()).ubound(3)", u"9 Subscript out of range"},
    Case{u"new VBArray([1])", u"5013 VBArray expected"},
    Case{u"new ActiveXObject('No.Such')", u"429 Automation server can't create object"},
    // A host failure that is not a script error still arrives as one.
    Case{u"bag.Item(7)", u"440 Automation error"},
    Case{u"bag.TypeOf(1) + ',' + bag.TypeOf(1.5) + ',' + bag.TypeOf(2147483648) + ',' + bag.TypeOf('s') + ',' + bag.TypeOf(true) + ',' + bag.TypeOf(null) + ',' + bag.TypeOf(undefined)", u"3,5,5,8,11,1,0"},
    Case{u"bag.TypeOf({}) + ',' + bag.TypeOf(-0)", u"9,5"},
    Case{u"var o = { k: 1 }; (bag.Echo(o) === o) + ''", u"true"},
    Case{u"(bag.Echo(bag) === bag) + ''", u"true"},
    Case{u"typeof bag.Echo(new Date(0))", u"object"}));

}  // namespace
}  // namespace quillo::jscript::test
