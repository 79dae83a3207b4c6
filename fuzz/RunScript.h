// The body both engines' run fuzzers share: any text compiles and runs to its end, a script
// error, or the timeout's stop; the engine must never crash, hang or trip a sanitizer.
#pragma once

#include "scripting/core/DispatchObject.h"
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quillo::fuzz {

class FuzzHost : public script::HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return script::vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override
    {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return false; }
    bool askStopLongRunningScript() override { return true; }
};

// Runs one input through the engine createEngine makes, with a silent console and a 200 ms
// timeout; inputs over 4 KB are skipped to keep runs short.
template <class CreateEngine>
int runScript(const uint8_t* data, size_t size, CreateEngine createEngine)
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
        auto engine = createEngine(context);
        auto console = makeRef<DispatchObject>(u"Console");
        console->addMethod(u"log", 0, DispatchObject::kAnyCount, [](std::span<Variant>) { return Variant(); });
        engine->addObject(u"console", DispatchPtr(console.get()), false);
        engine->addCode(text);
    } catch (const ScriptError&) {
    } catch (const ScriptAbort&) {
    }
    return 0;
}

} // namespace quillo::fuzz
