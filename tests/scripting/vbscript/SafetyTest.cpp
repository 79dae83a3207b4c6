// A script cannot crash or hang its host: deep recursion raises 28 at any native stack
// size, a run past its timeout stops when the host says so, hostile text gives errors.
#include "tests/scripting/vbscript/ScriptCase.h"
#include "tests/scripting/vbscript/ThreadStack.h"

#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/VBScriptEngine.h"

#include <gtest/gtest.h>

#include <chrono>

namespace quillo::vbscript::testing {
namespace {

using namespace quillo::script;

class StackSizes : public ::testing::TestWithParam<size_t> {};

TEST_P(StackSizes, DeepRecursionRaisesOutOfStackSpace)
{
    const char* functions = "Function R(n) : R = R(n + 1) : End Function\n"
                            "On Error Resume Next\nx = R(1)\nconsole.log Err.Number & \" \" & Err.Description\n";
    EXPECT_EQ(outputWithStack(functions, GetParam()), "28 Out of stack space\n");
    const char* methods = "Class C\nPublic Function M(n) : M = Me.M(n + 1) : End Function\nEnd Class\n"
                          "Set o = New C\nOn Error Resume Next\nx = o.M(1)\nconsole.log Err.Number\n";
    EXPECT_EQ(outputWithStack(methods, GetParam()), "28\n");
    const char* uncaught = "Sub S : S : End Sub\nS";
    EXPECT_EQ(outputWithStack(uncaught, GetParam()), "error 28\n");
}

INSTANTIATE_TEST_SUITE_P(Native, StackSizes, ::testing::Values(size_t(256) << 10, size_t(1) << 20, size_t(8) << 20));

TEST(Safety, DeepRecursionThroughExecute)
{
    EXPECT_EQ(outputWithStack("Sub R : Execute \"R\" : End Sub\nOn Error Resume Next\nR\nconsole.log Err.Number", size_t(1) << 20),
              "28\n");
}

class StoppingHost : public HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override
    {
        ++asked;
        return true;
    }
    int asked = 0;
};

class TimeoutLoops : public ::testing::TestWithParam<const char*> {};

TEST_P(TimeoutLoops, StopWhenTheHostSaysSo)
{
    StoppingHost host;
    RunBudget budget(&host);
    budget.setTimeoutMs(50);
    EngineContext context{host, budget, {}};
    auto engine = createVBScriptEngine(context);
    bool aborted = false;
    try {
        engine->addCode(fromUtf8(GetParam()));
    } catch (const ScriptAbort&) {
        aborted = true;
    }
    EXPECT_TRUE(aborted) << GetParam();
    EXPECT_EQ(host.asked, 1);
}

INSTANTIATE_TEST_SUITE_P(Endless, TimeoutLoops, ::testing::Values(
    "Do : Loop",
    "While True : x = x + 1 : Wend",
    "For i = 1 To 2 Step 0 : Next",
    "Sub S : End Sub\nDo : S : Loop",
    "On Error Resume Next\nDo : x = 1 / 0 : Loop",
    "Sub S\nFor j = 0 To 1 Step 0 : Next\nEnd Sub\nS"));

// Hostile or broken text ends in a compile error, never a crash.
TEST(Safety, BrokenTextGivesErrors)
{
    const char* texts[] = {
        "\"", "#", "[", "&H", "&HZZ", "x = #1/2", "If", "Class", "Sub", "End", ")", "(((((", "x = y.",
        "With", "Select Case", "For Each", "Do Loop Until", "Property Get", "Public Default", "_",
        "x = 1 _\n", ":::::", "Rem only", "Dim a(99999999999)", "ReDim a(-5)\nconsole.log UBound(a)",
    };
    for (const char* t : texts) {
        RunResult r = runScript(t);
        if (r.error) {
            EXPECT_NE(r.error->number, 0) << t;
            EXPECT_GE(r.error->line, 1) << t;
        }
    }
    std::string deep(5000, '(');
    RunResult r = runScript("x = " + deep + "1");
    EXPECT_TRUE(r.error.has_value());
}

// Releasing the head of a long list of objects must not recurse once per node.
TEST(Safety, LongObjectChainsRelease)
{
    const char* list = "Class T\nPublic NextNode\nPrivate Sub Class_Terminate : count = count + 1 : End Sub\nEnd Class\n"
                       "count = 0\nSet head = Nothing\nFor i = 1 To 200000\nSet n = New T : Set n.NextNode = head : Set head = n\nNext\n"
                       "Set n = Nothing\nSet head = Nothing\nconsole.log count";
    EXPECT_EQ(outputWithStack(list, size_t(1) << 20), "200000\n");
}

TEST(Safety, HugeStringIsOutOfStringSpace)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "hundreds of megabytes of shadow memory";
#endif
    EXPECT_EQ(outputOf("On Error Resume Next\ns = \"ab\"\nFor i = 1 To 40 : s = s & s : Next\nconsole.log Err.Number & \" \" & Len(s)"),
              "14 268435456\n");
}

TEST(Safety, HugeArrayIsAnError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator aborts on huge requests instead of failing them";
#endif
    EXPECT_EQ(outputOf("On Error Resume Next\nReDim a(2000000000)\nconsole.log Err.Number"), "7\n");
    EXPECT_EQ(outputOf("On Error Resume Next\nReDim a(60000, 60000)\nconsole.log Err.Number"), "7\n");
}

} // namespace
} // namespace quillo::vbscript::testing
