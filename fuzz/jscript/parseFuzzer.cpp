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
    // Building a Vm (the global object and every built-in) costs far more than compiling
    // one input, so a Vm serves many; compiled prototypes stay on its heap until it is
    // replaced, which bounds what they hold.
    static std::unique_ptr<Vm> vm;
    static int served = 0;
    if (!vm || ++served > 512) {
        vm.reset();
        vm = std::make_unique<Vm>(nullptr);
        served = 0;
    }
    auto text = std::make_shared<const std::u16string>(
        quillo::script::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    try {
        Parser parser(*text, false);
        Program program = parser.parse();
        compileProgram(*vm, program, CodeKind::Global, text);
    } catch (const CompileError&) {
    }
    return 0;
}
