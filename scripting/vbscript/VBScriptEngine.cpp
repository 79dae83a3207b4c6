#include "scripting/vbscript/VBScriptEngine.h"

#include "scripting/vbscript/Interpreter.h"

namespace quillo::vbscript {

namespace {

class VBScriptEngine : public quillo::script::ScriptEngine {
public:
    explicit VBScriptEngine(quillo::script::EngineContext& context) : interp_(context) {}

    std::u16string language() const override { return u"VBScript"; }

    void addObject(const std::u16string& name, quillo::script::DispatchPtr obj, bool addMembers) override
    {
        interp_.addNamedObject(name, std::move(obj), addMembers);
    }

    void addCode(const std::u16string& code) override { interp_.runCode(code); }

    Variant eval(const std::u16string& expression) override { return interp_.evalGlobal(expression); }

    Variant run(const std::u16string& name, std::span<Variant> args) override
    {
        return interp_.callByName(name, args);
    }

private:
    Interpreter interp_;
};

} // namespace

} // namespace quillo::vbscript

std::unique_ptr<quillo::script::ScriptEngine> quillo::script::createVBScriptEngine(EngineContext& context)
{
    return std::make_unique<quillo::vbscript::VBScriptEngine>(context);
}
