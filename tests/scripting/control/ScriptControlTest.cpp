#include "scripting/control/ScriptControl.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace quillo::script;

namespace {

struct TestHost : HostServices {
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override
    {
        ++questions;
        return questions >= stopAfterQuestions;
    }
    int questions = 0;
    int stopAfterQuestions = 1;
};

// An engine whose code is a C++ function chosen by the test; it records what it sees.
class FakeEngine : public ScriptEngine {
public:
    using Behaviour = std::function<void(FakeEngine& self, const std::u16string& code)>;

    FakeEngine(int id, ScriptLanguage language, EngineContext& context, Behaviour& behaviour, std::vector<std::string>& log)
        : id(id), language_(language), context(context), behaviour_(behaviour), log_(log)
    {
    }
    ~FakeEngine() override { log_.push_back("destroy " + std::to_string(id)); }

    std::u16string language() const override { return std::u16string(languageName(language_)); }
    void addObject(const std::u16string& name, DispatchPtr, bool addMembers) override
    {
        log_.push_back(std::to_string(id) + " object " + toUtf8(name) + (addMembers ? " +members" : ""));
    }
    void addCode(const std::u16string& code) override
    {
        log_.push_back(std::to_string(id) + " run " + toUtf8(code));
        if (behaviour_)
            behaviour_(*this, code);
    }
    Variant eval(const std::u16string&) override { return Variant(); }
    Variant run(const std::u16string&, std::span<Variant>) override { return Variant(); }

    const int id;
    ScriptLanguage language_;
    EngineContext& context;

private:
    Behaviour& behaviour_;
    std::vector<std::string>& log_;
};

class ScriptControlTest : public ::testing::Test {
protected:
    ScriptControlTest()
    {
        control.setEngineCreator([this](ScriptLanguage language, EngineContext& context) -> std::unique_ptr<ScriptEngine> {
            if (!engineAvailable)
                return nullptr;
            log.push_back("create " + std::to_string(++created) + " " + toUtf8(languageName(language)));
            return std::make_unique<FakeEngine>(created, language, context, behaviour, log);
        });
        control.setErrorHandler([this] { log.push_back("error " + std::to_string(control.error().number)); });
    }

    static DispatchPtr object() { return makeRef<DispatchObject>(u"Thing"); }

    // Declared before the control: its engines use them until the control is gone.
    TestHost host;
    FakeEngine::Behaviour behaviour;
    std::vector<std::string> log;
    int created = 0;
    bool engineAvailable = true;
    ScriptControl control{host};
};

using Log = std::vector<std::string>;

TEST_F(ScriptControlTest, StartsAsVBScriptWithTheDefaultTimeout)
{
    EXPECT_EQ(control.language(), u"VBScript");
    EXPECT_EQ(control.timeout(), 10000);
    EXPECT_TRUE(control.allowUI());
    EXPECT_EQ(control.error().number, 0);
}

TEST_F(ScriptControlTest, LanguageNamesInAnyCaseAndRejectsOthers)
{
    struct Case {
        std::u16string_view name;
        std::u16string_view shown;
    };
    for (Case c : {Case{u"jscript", u"JScript"}, Case{u"VBSCRIPT", u"VBScript"}, Case{u"JScript", u"JScript"}}) {
        control.setLanguage(c.name);
        EXPECT_EQ(control.language(), c.shown);
    }
    for (std::u16string_view bad : {u"", u"Perl", u"VB Script"}) {
        try {
            control.setLanguage(bad);
            ADD_FAILURE() << toUtf8(bad);
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.number, 5);
        }
        EXPECT_EQ(control.language(), u"JScript");
    }
}

TEST_F(ScriptControlTest, MissingEngineFailsWith429AfterTheErrorHandler)
{
    engineAvailable = false;
    EXPECT_FALSE(control.addCode(u"x = 1"));
    EXPECT_EQ(log, (Log{"error 429"}));
    EXPECT_EQ(control.error().number, 429);
    EXPECT_EQ(control.error().description, u"ActiveX component can't create object");
    EXPECT_EQ(control.error().source, u"VBScript runtime error");
    control.setLanguage(u"JScript");
    EXPECT_FALSE(control.addCode(u"x = 1"));
    EXPECT_EQ(control.error().source, u"JScript runtime error");
}

TEST_F(ScriptControlTest, EngineErrorIsRecordedAndReportedBeforeAddCodeReturns)
{
    behaviour = [](FakeEngine&, const std::u16string&) {
        ScriptError e = ScriptError::withName(13, u"Foo");
        e.source = u"VBScript runtime error";
        e.line = 3;
        e.column = 5;
        e.sourceText = u"x = Foo + 1";
        throw e;
    };
    bool returned = false;
    control.setErrorHandler([&] {
        EXPECT_FALSE(returned);
        log.push_back("error " + std::to_string(control.error().number));
    });
    returned = !control.addCode(u"bad");
    EXPECT_TRUE(returned);
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 run bad", "error 13"}));
    const ScriptControlError& e = control.error();
    EXPECT_EQ(e.description, u"Type mismatch: 'Foo'");
    EXPECT_EQ(e.source, u"VBScript runtime error");
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(e.column, 5);
    EXPECT_EQ(e.text, u"x = Foo + 1");

    behaviour = nullptr;
    EXPECT_TRUE(control.addCode(u"good"));
    EXPECT_EQ(control.error().number, 0); // a new run starts without an error
}

TEST_F(ScriptControlTest, OtherFailuresBecomeScriptErrors)
{
    struct Case {
        std::function<void()> fail;
        int number;
    };
    for (const Case& c : {Case{[] { throw std::bad_alloc(); }, 7}, Case{[] { throw std::runtime_error("x"); }, 51},
                          Case{[] { throw ScriptError(int32_t(0x80070005), u"Access is denied", u""); }, int32_t(0x80070005)}}) {
        behaviour = [&](FakeEngine&, const std::u16string&) { c.fail(); };
        EXPECT_FALSE(control.addCode(u"x"));
        EXPECT_EQ(control.error().number, c.number);
    }
}

TEST_F(ScriptControlTest, NamedObjectsGoToTheEngineInOrderAndAreUnique)
{
    control.addObject(u"window", object(), true);
    control.addObject(u"console", object(), false);
    EXPECT_TRUE(control.addCode(u"a"));
    control.addObject(u"late", object(), true); // straight into the live engine
    try {
        control.addObject(u"WINDOW", object(), true);
        ADD_FAILURE() << "duplicate accepted";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 457);
    }
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 object window +members", "1 object console", "1 run a",
                        "1 object late +members"}));
}

TEST_F(ScriptControlTest, ResetDiscardsEngineObjectsAndError)
{
    control.addObject(u"window", object(), true);
    EXPECT_TRUE(control.addCode(u"a"));
    EXPECT_TRUE(control.addCode(u"b")); // same engine keeps what a defined
    control.reset();
    control.addObject(u"window", object(), true); // the name is free again
    EXPECT_TRUE(control.addCode(u"c"));
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 object window +members", "1 run a", "1 run b", "destroy 1",
                        "create 2 VBScript", "2 object window +members", "2 run c"}));
}

TEST_F(ScriptControlTest, ResetWhileRunningWaitsForTheOutermostAddCode)
{
    control.addObject(u"Me", object(), true);
    behaviour = [this](FakeEngine& self, const std::u16string& code) {
        if (code == u"open") { // Me.OpenFile "x.js": the language changes, the control resets
            control.setLanguage(u"JScript");
            control.addObject(u"Me", object(), true);
            EXPECT_TRUE(control.addCode(u"nested"));
            log.push_back(std::to_string(self.id) + " still running");
        }
    };
    EXPECT_TRUE(control.addCode(u"open"));
    EXPECT_EQ(control.language(), u"JScript");
    EXPECT_TRUE(control.addCode(u"after"));
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 object Me +members", "1 run open", "1 run nested",
                        "1 still running", "destroy 1", "create 2 JScript", "2 object Me +members",
                        "2 run after"}));
}

TEST_F(ScriptControlTest, NestedAddCodeRunsInTheSameEngineAndReportsItsOwnError)
{
    behaviour = [this](FakeEngine& self, const std::u16string& code) {
        if (code == u"outer") {
            bool ok = control.addCode(u"inner");
            log.push_back(std::to_string(self.id) + " inner returned " + (ok ? "true" : "false"));
        } else if (code == u"inner") {
            throw ScriptError::runtime(11);
        }
    };
    EXPECT_TRUE(control.addCode(u"outer"));
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 run outer", "1 run inner", "error 11", "1 inner returned false"}));
    EXPECT_EQ(control.error().number, 11);
}

TEST_F(ScriptControlTest, TimeoutAsksTheHostAndStopsTheRunWithoutAReport)
{
    control.setTimeout(20);
    host.stopAfterQuestions = 2; // the first answer is "continue"
    behaviour = [](FakeEngine& self, const std::u16string&) {
        for (;;)
            self.context.budget.tick();
    };
    EXPECT_FALSE(control.addCode(u"loop"));
    EXPECT_EQ(host.questions, 2);
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 run loop"}));
    EXPECT_EQ(control.error().number, 0);
    EXPECT_FALSE(control.running());

    behaviour = nullptr;
    EXPECT_TRUE(control.addCode(u"next")); // the control is usable after a stop
}

TEST_F(ScriptControlTest, WithoutUserInterfaceALongRunIsStoppedUnasked)
{
    control.setTimeout(20);
    control.setAllowUI(false);
    behaviour = [](FakeEngine& self, const std::u16string&) {
        EXPECT_FALSE(self.context.host.userInterfaceAllowed());
        for (;;)
            self.context.budget.tick();
    };
    EXPECT_FALSE(control.addCode(u"loop"));
    EXPECT_EQ(host.questions, 0);
}

TEST_F(ScriptControlTest, StopInsideNestedAddCodeUnwindsTheOuterRun)
{
    behaviour = [this](FakeEngine& self, const std::u16string& code) {
        if (code == u"outer") {
            control.addCode(u"inner");
            log.push_back("outer continued");
        } else {
            control.requestStop();
            self.context.budget.tick();
        }
    };
    EXPECT_FALSE(control.addCode(u"outer"));
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 run outer", "1 run inner"}));
    EXPECT_FALSE(control.running());
}

TEST_F(ScriptControlTest, ObjectFactoryReachesTheEngine)
{
    control.setObjectFactory([](std::u16string_view progId) {
        return progId == u"Test.Thing" ? object() : DispatchPtr();
    });
    behaviour = [this](FakeEngine& self, const std::u16string&) {
        log.push_back(self.context.createObject(u"Test.Thing") ? "made" : "none");
        log.push_back(self.context.createObject(u"Other") ? "made" : "none");
    };
    EXPECT_TRUE(control.addCode(u"create"));
    EXPECT_EQ(log, (Log{"create 1 VBScript", "1 run create", "made", "none"}));
}

} // namespace
