// The timeout check and dialog time.
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace quillo::script;

namespace {

class FakeHost : public HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view,
                                           std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override
    {
        ++asked;
        return answers > 0 && --answers == 0;
    }
    int asked = 0;
    int answers = 0; // stop on this answer; 0 = never stop
};

// Ticks until the budget throws ScriptAbort or `limit` passes.
bool runUntilAbort(RunBudget& budget, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    try {
        while (std::chrono::steady_clock::now() < until)
            for (int i = 0; i < RunBudget::kTicksPerCheck; ++i)
                budget.tick();
    } catch (const ScriptAbort&) {
        return true;
    }
    return false;
}

TEST(RunBudget, AsksAfterTheTimeoutAndStopsWhenTold)
{
    FakeHost host;
    host.answers = 2; // continue once, then stop
    RunBudget budget(&host);
    budget.setTimeoutMs(20);
    budget.begin();
    EXPECT_TRUE(runUntilAbort(budget, std::chrono::seconds(10)));
    EXPECT_EQ(host.asked, 2);
    EXPECT_GE(budget.elapsedScriptMs(), 40);
    budget.end();
    EXPECT_FALSE(budget.running());
}

TEST(RunBudget, NoTimeoutNeverAsks)
{
    FakeHost host;
    host.answers = 1;
    RunBudget budget(&host);
    budget.setTimeoutMs(RunBudget::kNoTimeout);
    budget.begin();
    EXPECT_FALSE(runUntilAbort(budget, std::chrono::milliseconds(50)));
    EXPECT_EQ(host.asked, 0);
    budget.end();
}

TEST(RunBudget, DialogTimeIsNotScriptTime)
{
    RunBudget budget;
    budget.begin();
    {
        HostDialogScope dialog;
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    EXPECT_LT(budget.elapsedScriptMs(), 30);
    budget.end();
}

TEST(RunBudget, RequestedAbortStopsAtTheNextTickAndClearsAtTheEnd)
{
    RunBudget budget;
    budget.begin();
    budget.begin(); // nested AddCode
    budget.requestAbort();
    EXPECT_THROW(budget.tick(), ScriptAbort);
    budget.end();
    EXPECT_TRUE(budget.abortRequested());
    budget.end();
    EXPECT_FALSE(budget.abortRequested());
    budget.begin();
    EXPECT_NO_THROW(budget.tick());
    budget.end();
}

} // namespace
