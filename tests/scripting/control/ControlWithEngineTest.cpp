// The control with the real VBScript engine: a host object that calls back into the control.
#include "scripting/control/ScriptControl.h"
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillo::script;

namespace {

struct QuietHost : HostServices {
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override { return true; }
};

class ControlWithEngineTest : public ::testing::Test {
protected:
    ControlWithEngineTest()
    {
        control.setErrorHandler([this] { log.push_back("error " + std::to_string(control.error().number)); });
        addHost();
    }

    // Host.Log value, Host.Run(code) -> AddCode's result, Host.Reset: the language is set
    // again (which resets) and Host added anew, as the editor's OpenFile does.
    void addHost()
    {
        auto host = makeRef<DispatchObject>(u"Host");
        host->addMethod(u"Log", 1, 1, [this](std::span<Variant> args) {
            log.push_back(toUtf8(toText(args[0])));
            return Variant();
        });
        host->addMethod(u"Run", 1, 1, [this](std::span<Variant> args) {
            return Variant::fromBool(control.addCode(toText(args[0])));
        });
        host->addMethod(u"Reset", 0, 0, [this](std::span<Variant>) {
            control.setLanguage(u"VBScript");
            addHost();
            return Variant();
        });
        control.addObject(u"Host", host, false);
    }

    QuietHost services;
    std::vector<std::string> log;
    ScriptControl control{services};
};

using Log = std::vector<std::string>;

TEST_F(ControlWithEngineTest, NestedAddCodeSharesTheRunningEngine)
{
    EXPECT_TRUE(control.addCode(u"Host.Run \"y = 7\"\nHost.Log y"));
    EXPECT_TRUE(control.addCode(u"Host.Log y + 1")); // and the engine lives on
    EXPECT_EQ(log, (Log{"7", "8"}));
}

TEST_F(ControlWithEngineTest, NestedErrorIsReportedAndTheOuterRunContinues)
{
    EXPECT_TRUE(control.addCode(u"ok = Host.Run(\"x = 1 / 0\")\nHost.Log ok"));
    EXPECT_EQ(log, (Log{"error 11", "False"}));
}

TEST_F(ControlWithEngineTest, ResetFromAHostCallWaitsForTheRunToEnd)
{
    EXPECT_TRUE(control.addCode(u"y = 5\nHost.Reset\nHost.Log \"after \" & y"));
    EXPECT_TRUE(control.addCode(u"Host.Log IsEmpty(y)"));
    EXPECT_EQ(log, (Log{"after 5", "True"}));
}

TEST_F(ControlWithEngineTest, CompileErrorCarriesPosition)
{
    EXPECT_FALSE(control.addCode(u"x = 1\ny = ("));
    EXPECT_EQ(log, (Log{"error 1023"}));
    EXPECT_EQ(control.error().line, 2);
    EXPECT_EQ(control.error().source, u"VBScript compilation error");
    EXPECT_EQ(control.error().text, u"y = (");
}

} // namespace
