#pragma once
// Recursive-descent parser: tokens to a ProgramAst. Procedure and class definitions are
// collected apart from the top-level statements, so code can call them before their text.

#include "scripting/vbscript/Ast.h"

#include <string_view>

namespace quillo::vbscript {

// Throws the compile error (1002-1058) with line, column and source line.
ProgramAst parseProgram(std::u16string_view source);

// An Eval text: one expression and nothing after it.
ExprPtr parseExpression(std::u16string_view source);

} // namespace quillo::vbscript
