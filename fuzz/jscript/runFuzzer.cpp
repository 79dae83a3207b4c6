// Any text compiles and runs to its end, a script error, or the timeout's stop; the
// engine must never crash, hang or trip a sanitizer.
#include "scripting/core/DispatchObject.h"
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/jscript/JScriptEngine.h"

#include <cstddef>
#include <cstdint>

namespace {

class FuzzHost : public quillo::script::HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return quillo::script::vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return false; }
    bool askStopLongRunningScript() override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillo::script;
    if (size > 4096)
        return 0;
    std::u16string text = fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzHost host;
    RunBudget budget(&host);
    budget.setTimeoutMs(200);
    EngineContext context{host, budget, {}};
    try {
        auto engine = createJScriptEngine(context);
        auto console = makeRef<DispatchObject>(u"Console");
        console->addMethod(u"log", 0, DispatchObject::kAnyCount, [](std::span<Variant>) { return Variant(); });
        engine->addObject(u"console", DispatchPtr(console.get()), false);
        engine->addCode(text);
    } catch (const ScriptError&) {
    } catch (const ScriptAbort&) {
    }
    return 0;
}
