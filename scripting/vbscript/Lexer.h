#pragma once
// Turns source text into tokens. The whole text is scanned up front (the parser
// backtracks over call-statement arguments), so a lexical error anywhere is raised
// before anything runs.

#include "scripting/vbscript/Token.h"

#include <string_view>
#include <vector>

namespace quillo::vbscript {

// Throws ScriptError 1030-1034 and the like with line and column.
std::vector<Token> tokenize(std::u16string_view source);

} // namespace quillo::vbscript
