// Any text either compiles or raises a compile error; nothing else may happen.
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/Compiler.h"
#include "scripting/vbscript/Parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillo::vbscript;
    std::u16string text = quillo::script::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        ProgramAst ast = parseProgram(text);
        GlobalTable globals;
        CompileEnv env{globals, {}, nullptr, nullptr, std::make_shared<SourceText>(SourceText{text}), false};
        CompiledUnit unit = compileProgram(ast, env);
    } catch (const quillo::script::ScriptError&) {
    }
    return 0;
}
