#pragma once
// Runs one script body as global code, as eval code and as a function body, and reports
// the global `r` it leaves (or the error), so scope rules are checked at every level.

#include <string>

#include "JsTestSupport.h"

namespace quillo::jscript::test {

enum class Level { Global, Eval, Function };

inline const char* levelName(Level l) {
    return l == Level::Global ? "global" : l == Level::Eval ? "eval" : "function";
}

inline std::string resultAt(Level level, const std::string& body) {
    Vm vm(nullptr);
    if (level == Level::Eval) {
        std::string done = evalText(vm, body + "\n;'done'");
        return done == "done" ? evalText(vm, "r") : done;
    }
    std::string src = level == Level::Global ? body : "function wrapper() {\n" + body + "\n}\nwrapper();";
    try {
        vm.runScript(toU16(src));
    } catch (JsThrow& t) {
        return "thrown " + toUtf8(vm.toStdString(t.value));
    } catch (CompileError& e) {
        return "compile " + std::to_string(e.number);
    }
    return evalText(vm, "r");
}

}  // namespace quillo::jscript::test
