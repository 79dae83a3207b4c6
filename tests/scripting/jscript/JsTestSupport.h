#pragma once
// Runs script text in a fresh interpreter and reports the result or the error as text,
// so tests can be tables of (source, expected) pairs.

#include <optional>
#include <string>

#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/jscript/Lexer.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript::test {

// The value of `src` as eval returns it, converted with ToString; errors come back
// as "<Kind> <number>: <message>" and syntax errors as "compile <number> @<offset>".
inline std::string evalText(Vm& vm, const std::string& src) {
    try {
        Value v = vm.evalCode(toU16(src), nullptr, Value(), false);
        return toUtf8(vm.toStdString(v));
    } catch (JsThrow& t) {
        if (t.value.isObject() && t.value.obj->cls == ObjClass::Error) {
            Value name = vm.get(t.value.obj, vm.names().name);
            Value num = vm.get(t.value.obj, vm.names().number);
            Value msg = vm.get(t.value.obj, vm.names().message);
            return toUtf8(vm.toStdString(name)) + " " + toUtf8(vm.toStdString(num)) + ": " + toUtf8(vm.toStdString(msg));
        }
        return "thrown " + toUtf8(vm.toStdString(t.value));
    } catch (CompileError& e) {
        return "compile " + std::to_string(e.number) + " @" + std::to_string(e.offset);
    }
}

inline std::string evalText(const std::string& src) {
    Vm vm(nullptr);
    return evalText(vm, src);
}

// Host services that answer without dialogs.
class QuietHost : public script::HostServices {
public:
    int msgBox(std::u16string_view, int, std::u16string_view) override { return script::vbOK; }
    std::optional<std::u16string> inputBox(std::u16string_view, std::u16string_view, std::u16string_view) override {
        return std::nullopt;
    }
    bool userInterfaceAllowed() const override { return false; }
    bool askStopLongRunningScript() override {
        ++stopQuestions;
        return stopAnswer;
    }
    int stopQuestions = 0;
    bool stopAnswer = true;
};

// An engine with its context, for tests through the ScriptEngine interface.
struct EngineFixture {
    QuietHost host;
    script::RunBudget budget{&host};
    script::EngineContext context{host, budget, {}};
    std::unique_ptr<script::ScriptEngine> engine;
    EngineFixture();
};

}  // namespace quillo::jscript::test
