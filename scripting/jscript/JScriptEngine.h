#pragma once
// The JScript engine behind the ScriptEngine interface.

#include <memory>

#include "scripting/core/ScriptEngine.h"

namespace quillo::script {

std::unique_ptr<ScriptEngine> createJScriptEngine(EngineContext& context);

}  // namespace quillo::script
