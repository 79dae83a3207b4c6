// Any text either compiles or raises a compile error; nothing else may happen.
#include "scripting/core/Text.h"
#include "scripting/jscript/Compiler.h"
#include "scripting/jscript/Parser.h"
#include "scripting/jscript/Vm.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillo::jscript;
    auto text = std::make_shared<const std::u16string>(
        quillo::script::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    // A fresh VM per input: compiled prototypes live on its heap and go with it.
    Vm vm(nullptr);
    try {
        Parser parser(*text, false);
        Program program = parser.parse();
        compileProgram(vm, program, CodeKind::Global, text);
    } catch (const CompileError&) {
    }
    return 0;
}
