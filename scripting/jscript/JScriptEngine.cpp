#include "scripting/jscript/JScriptEngine.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptError.h"
#include "scripting/jscript/Lexer.h"
#include "scripting/jscript/Vm.h"

namespace quillo::script {

namespace {

using jscript::CompileError;
using jscript::JsThrow;
using jscript::Value;

// Line (1-based), column (1-based) and the text of the line holding `offset`.
void locate(const std::u16string& text, uint32_t offset, ScriptError& e) {
    if (offset > text.size()) offset = static_cast<uint32_t>(text.size());
    int line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    size_t lineEnd = lineStart;
    while (lineEnd < text.size() && text[lineEnd] != '\n' && text[lineEnd] != '\r') ++lineEnd;
    e.line = line;
    e.column = static_cast<int>(offset - lineStart) + 1;
    e.sourceText = text.substr(lineStart, lineEnd - lineStart);
}

class JScriptEngine final : public ScriptEngine {
public:
    explicit JScriptEngine(EngineContext& context) : context_(context), vm_(std::make_unique<jscript::Vm>(&context)) {}

    std::u16string language() const override { return u"JScript"; }

    void addObject(const std::u16string& name, DispatchPtr obj, bool addMembers) override {
        vm_->addNamedObject(name, std::move(obj), addMembers);
    }

    void addCode(const std::u16string& code) override {
        struct Budget {
            RunBudget& b;
            explicit Budget(RunBudget& r) : b(r) { b.begin(); }
            ~Budget() { b.end(); }
        } budget(context_.budget);
        run([&] { return vm_->runScript(code); }, &code);
    }

    Variant eval(const std::u16string& expression) override {
        Value v = run([&] { return vm_->evalCode(expression, nullptr, Value(), false); }, &expression);
        return vm_->toVariant(v);
    }

    Variant run(const std::u16string& name, std::span<Variant> args) override {
        Value r = run([&]() -> Value {
            Value f = vm_->get(vm_->global, vm_->intern(name));
            if (!vm_->isCallable(f)) vm_->throwError(438);
            std::vector<Value> vals;
            for (auto& a : args) vals.push_back(vm_->fromVariant(a));
            return vm_->callFromHost(f, Value(), vals);
        }, nullptr);
        return vm_->toVariant(r);
    }

private:
    template <class F>
    Value run(F&& body, const std::u16string* text) {
        try {
            return body();
        } catch (CompileError& c) {
            ScriptError e(c.number, std::u16string(jscriptDescription(c.number)), std::u16string(kJScriptCompileSource));
            e.standardDescription = true;
            if (text) locate(*text, c.offset, e);
            throw e;
        } catch (JsThrow& t) {
            throw toScriptError(t.value);
        }
    }

    ScriptError toScriptError(Value v) {
        ScriptError e;
        e.source = std::u16string(kJScriptRuntimeSource);
        bool isError = v.isObject() && v.obj->cls == jscript::ObjClass::Error;
        if (isError) {
            Value n = vm_->get(v.obj, vm_->names().number);
            Value d = vm_->get(v.obj, vm_->names().description);
            e.number = numberFromHresult(n.isNumber() ? static_cast<int32_t>(n.num) : 0);
            e.description = d.isString() ? d.str->str() : std::u16string();
            if (e.number == 0 && e.description.empty()) {
                e.number = 5022;
                e.description = std::u16string(jscriptDescription(5022));
            }
        } else {
            e.number = 5022;
            e.description = std::u16string(jscriptDescription(5022));
        }
        if (vm_->haveErrorPos && vm_->errorText) locate(*vm_->errorText, vm_->errorPos, e);
        vm_->haveErrorPos = false;
        return e;
    }

    EngineContext& context_;
    std::unique_ptr<jscript::Vm> vm_;
};

}  // namespace

std::unique_ptr<ScriptEngine> createJScriptEngine(EngineContext& context) {
    return std::make_unique<JScriptEngine>(context);
}

}  // namespace quillo::script
