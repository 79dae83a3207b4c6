#pragma once
// The two script languages the control runs, and the engines that run them.

#include "scripting/core/ScriptEngine.h"

#include <memory>
#include <optional>
#include <string_view>

namespace quillo::script {

enum class ScriptLanguage { VBScript, JScript };

// "VBScript" or "JScript" in any letter case; nullopt for anything else.
std::optional<ScriptLanguage> languageFromName(std::u16string_view name);
// "VBScript" or "JScript".
std::u16string_view languageName(ScriptLanguage language);

// A new engine for `language`, or null when this build has none for it.
std::unique_ptr<ScriptEngine> createEngine(ScriptLanguage language, EngineContext& context);

// The objects CreateObject / new ActiveXObject can make in this build (none without
// scripting/objects).
ObjectFactory defaultObjectFactory();

} // namespace quillo::script
