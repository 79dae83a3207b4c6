#pragma once
// The VBScript engine as the script control sees it.

#include "scripting/core/ScriptEngine.h"

#include <memory>

namespace quillo::script {

std::unique_ptr<ScriptEngine> createVBScriptEngine(EngineContext& context);

} // namespace quillo::script

namespace quillo::vbscript {
using quillo::script::createVBScriptEngine;
} // namespace quillo::vbscript
