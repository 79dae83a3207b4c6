#pragma once
// The VBScript engine as the script control sees it.

#include "scripting/core/ScriptEngine.h"

#include <memory>

namespace quillo::vbscript {

std::unique_ptr<quillo::script::ScriptEngine> createVBScriptEngine(quillo::script::EngineContext& context);

} // namespace quillo::vbscript
