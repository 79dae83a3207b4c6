// Compiles and runs any text with a short timeout (see fuzz/RunScript.h).
#include "fuzz/RunScript.h"
#include "scripting/jscript/JScriptEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return quillo::fuzz::runScript(data, size, [](quillo::script::EngineContext& context) {
        return quillo::script::createJScriptEngine(context);
    });
}
