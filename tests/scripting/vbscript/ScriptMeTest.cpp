// `Me` in script-level code: the host's object named "Me" when there is one, else the
// script itself (its globals and procedures as members). Inside a class it stays the instance.
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/VBScriptEngine.h"
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

using namespace quillo::script;

class NoDialogs : public HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return false; }
    bool askStopLongRunningScript() override { return true; }
};

// A host window object named "Me" whose OpenFile records its argument and, being by
// reference, writes a new value back into it.
struct HostMe {
    std::vector<std::string> log;

    std::string run(const std::string& text)
    {
        NoDialogs host;
        RunBudget budget(&host);
        budget.setTimeoutMs(RunBudget::kNoTimeout);
        EngineContext context{host, budget, {}};
        auto engine = createVBScriptEngine(context);
        auto window = makeRef<DispatchObject>(u"FormMain");
        window->addMethod(u"OpenFile", 1, 1, [this](std::span<Variant> args) {
            log.push_back("open " + toUtf8(toText(args[0].deref())));
            if (args[0].isByRef())
                args[0].deref() = Variant::fromString(u"changed");
            return Variant::fromBool(true);
        });
        window->addMethod(u"log", 1, 1, [this](std::span<Variant> args) {
            log.push_back(toUtf8(toTextOrEmpty(args[0].deref())));
            return Variant();
        });
        engine->addObject(u"Me", DispatchPtr(window.get()), true);
        try {
            engine->addCode(fromUtf8(text));
        } catch (const ScriptError& e) {
            return "error " + std::to_string(e.number);
        }
        return "ok";
    }
};

TEST(ScriptMe, IsTheHostObjectNamedMe)
{
    HostMe h;
    EXPECT_EQ(h.run("Me.OpenFile \"a.js\"\n"
                    "f = \"b.vbs\" : ok = Me.OpenFile(f) : Me.log TypeName(Me) & \" \" & ok & \" \" & f\n"
                    "Sub S : Me.OpenFile \"from a sub\" : End Sub\nS\n"
                    "With Me : .OpenFile \"with\" : End With"),
              "ok");
    EXPECT_EQ(h.log, (std::vector<std::string>{"open a.js", "open b.vbs", "FormMain True changed",
                                               "open from a sub", "open with"}));
}

TEST(ScriptMe, StaysTheInstanceInsideAClass)
{
    HostMe h;
    EXPECT_EQ(h.run("Class C\nPublic Function Kind() : Kind = TypeName(Me) : End Function\nEnd Class\n"
                    "Set o = New C : Me.log o.Kind() & \" \" & TypeName(Me)"),
              "ok");
    EXPECT_EQ(h.log, (std::vector<std::string>{"C FormMain"}));
}

TEST(ScriptMe, HostObjectMembersStayChecked)
{
    HostMe h;
    EXPECT_EQ(h.run("Me.Missing 1"), "error 438");
    EXPECT_EQ(h.run("Me = 1"), "error 1037");
}

class ScriptMeWithoutHostObject : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptMeWithoutHostObject, IsTheScript)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Globals, ScriptMeWithoutHostObject, ::testing::Values(
    ScriptCase{"reads and writes globals", "x = 2\nMe.x = Me.x + 3\nconsole.log x", "5\n"},
    ScriptCase{"calls procedures", "Function Twice(n) : Twice = n * 2 : End Function\nconsole.log Me.Twice(21)", "42\n"},
    ScriptCase{"indexes global arrays", "Dim a(2) : a(1) = \"one\"\nconsole.log Me.a(1)", "one\n"},
    ScriptCase{"inside a procedure", "g = 1\nSub S : console.log Me.g : End Sub\nS", "1\n"},
    ScriptCase{"is an object", "console.log IsObject(Me) & \" \" & (Me Is Me)", "True True\n"},
    ScriptCase{"unknown members raise 438", "On Error Resume Next\nMe.Nope\nconsole.log Err.Number", "438\n"},
    ScriptCase{"constants stay constant", "Const K = 1\nOn Error Resume Next\nMe.K = 2\nconsole.log Err.Number & \" \" & K", "501 1\n"}));

} // namespace
} // namespace quillo::vbscript::testing
