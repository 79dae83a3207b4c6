#pragma once
// JSON.parse and JSON.stringify, one file each; BuiltinJson.cpp installs them.

#include <span>

#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

Value jsonParse(Vm& vm, Value thisv, std::span<Value> args, Object* callee);
Value jsonStringify(Vm& vm, Value thisv, std::span<Value> args, Object* callee);

}  // namespace quillo::jscript
