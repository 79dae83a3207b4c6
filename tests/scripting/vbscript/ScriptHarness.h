#pragma once
// Runs VBScript text in a fresh engine with a `console` object whose `log` collects
// lines, for the engine's tests and the corpus checker.

#include "scripting/core/ScriptError.h"

#include <optional>
#include <string>
#include <vector>

namespace quillo::vbscript::testing {

struct RunResult {
    std::vector<std::string> lines;          // console.log output, UTF-8
    std::optional<quillo::script::ScriptError> error; // the error that ended the run
    std::string text() const;                // lines joined with '\n', one after each
};

// Each text is one addCode in the same engine.
RunResult runScript(const std::vector<std::string>& texts);
RunResult runScript(const std::string& text);

} // namespace quillo::vbscript::testing
