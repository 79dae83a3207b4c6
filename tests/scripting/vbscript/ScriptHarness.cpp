#include "tests/scripting/vbscript/ScriptHarness.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/VBScriptEngine.h"

namespace quillo::vbscript::testing {

using namespace quillo::script;

namespace {

class QuietHost : public HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return true; }
    bool askStopLongRunningScript() override { return true; }
};

} // namespace

std::string RunResult::text() const
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\n";
    return out;
}

RunResult runScript(const std::vector<std::string>& texts)
{
    RunResult result;
    QuietHost host;
    RunBudget budget(&host);
    budget.setTimeoutMs(RunBudget::kNoTimeout);
    EngineContext context{host, budget, {}};
    {
    auto engine = createVBScriptEngine(context);
    auto console = makeRef<DispatchObject>(u"Console");
    console->addMethod(u"log", 0, DispatchObject::kAnyCount, [&result](std::span<Variant> args) {
        std::u16string line;
        for (size_t i = 0; i < args.size(); ++i) {
            if (i)
                line += u" ";
            line += toTextOrEmpty(args[i].deref());
        }
        result.lines.push_back(toUtf8(line));
        return Variant();
    });
    engine->addObject(u"console", DispatchPtr(console.get()), false);
    try {
        for (const std::string& t : texts)
            engine->addCode(fromUtf8(t));
    } catch (const ScriptError& e) {
        result.error = e;
    }
    } // the engine goes here: terminators of objects still held may still log
    return result;
}

RunResult runScript(const std::string& text)
{
    return runScript(std::vector<std::string>{text});
}

} // namespace quillo::vbscript::testing
