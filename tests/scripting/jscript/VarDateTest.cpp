// Date variants: what getVarDate hands to hosts, what a host's Date variant is inside a
// script (typeof, text, number, back to a Date), and the trip back out.

#include <gtest/gtest.h>

#include "JsTestSupport.h"
#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/jscript/JScriptEngine.h"

namespace quillo::jscript::test {
namespace {

using script::Variant;
using script::VarType;

// Hands back what it gets and reports the variant type it saw.
class Probe : public script::DispatchObject {
public:
    Probe() : DispatchObject(u"Probe") {
        addMethod(u"Echo", 1, 1, [](std::span<Variant> a) { return a[0]; });
        addMethod(u"TypeOf", 1, 1, [](std::span<Variant> a) { return Variant::fromLong(static_cast<int32_t>(a[0].deref().type())); });
        addMethod(u"Day", 0, 0, [](std::span<Variant>) {
            return Variant::fromDate(script::dayNumber(2026, 12, 8) + script::timeSerial(15, 5, 0));
        });
        addMethod(u"Midnight", 0, 0, [](std::span<Variant>) { return Variant::fromDate(script::dayNumber(2026, 1, 1)); });
    }
};

struct VarDateFixture : EngineFixture {
    VarDateFixture() { engine->addObject(u"probe", script::makeRef<Probe>(), false); }
    std::u16string text(const std::u16string& e) { return script::toText(engine->eval(e)); }
};

TEST(VarDate, GetVarDateIsALocalOleDateAtTheBoundary) {
    VarDateFixture f;
    Variant v = f.engine->eval(u"new Date(2026, 11, 8, 15, 5, 30).getVarDate()");
    ASSERT_EQ(v.type(), VarType::Date);
    EXPECT_DOUBLE_EQ(v.asDate(), script::dayNumber(2026, 12, 8) + script::timeSerial(15, 5, 30));
    EXPECT_EQ(f.text(u"probe.TypeOf(new Date(2026, 0, 1).getVarDate())"), u"7");
    EXPECT_EQ(f.engine->eval(u"probe.Echo(new Date(1999, 5, 30, 23, 59, 59).getVarDate())").asDate(),
              script::dayNumber(1999, 6, 30) + script::timeSerial(23, 59, 59));
}

struct Case {
    const char16_t* expr;
    const char16_t* expected;
};

class VarDateInScript : public ::testing::TestWithParam<Case> {};

TEST_P(VarDateInScript, GivesExpectedText) {
    VarDateFixture f;
    EXPECT_EQ(f.text(GetParam().expr), GetParam().expected) << toUtf8(GetParam().expr);
}

INSTANTIATE_TEST_SUITE_P(Conversions, VarDateInScript, ::testing::Values(
    Case{u"typeof new Date(2026, 11, 8).getVarDate() + ' ' + typeof probe.Day()", u"date date"},
    Case{u"'' + new Date(2026, 11, 8, 15, 5, 0).getVarDate()", u"12/8/2026 3:05:00 PM"},
    Case{u"String(probe.Day()) + ' | ' + probe.Midnight()", u"12/8/2026 3:05:00 PM | 1/1/2026"},
    Case{u"'' + (new Date(2026, 11, 8, 12).getVarDate() * 1 === Date.UTC(2026, 11, 8, 12) / 864e5 + 25569)", u"true"},
    Case{u"new Date(2026, 0, 2).getVarDate() - new Date(2026, 0, 1).getVarDate()", u"1"},
    Case{u"'' + (new Date(2026, 0, 1).getVarDate() < new Date(2026, 0, 2).getVarDate())", u"true"},
    Case{u"var d = new Date(2026, 11, 8, 15, 5, 7, 250); new Date(d.getVarDate()).getTime() - d.getTime()", u"0"},
    Case{u"var h = new Date(probe.Day()); h.getFullYear() + '-' + h.getMonth() + '-' + h.getDate() + ' ' + h.getHours() + ':' + h.getMinutes()",
         u"2026-11-8 15:5"},
    Case{u"typeof new Date(NaN).getVarDate()", u"undefined"},
    Case{u"typeof probe.Echo(probe.Day()) + ' ' + (probe.TypeOf(probe.Day()) == 7)", u"date true"}));

}  // namespace
}  // namespace quillo::jscript::test
