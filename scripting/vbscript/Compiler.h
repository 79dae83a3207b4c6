#pragma once
// Walks the syntax tree and emits instructions, resolving every name to a slot at
// compile time: a local, a field of Me, a global, a library function or constant, a
// member of a named object, or (for names nobody declared) a global-if-it-exists-
// else-local pair decided when the code runs.

#include "scripting/core/Dispatch.h"
#include "scripting/vbscript/Ast.h"
#include "scripting/vbscript/Globals.h"
#include "scripting/vbscript/Program.h"

#include <memory>
#include <vector>

namespace quillo::vbscript {

struct CompileEnv {
    GlobalTable& globals;
    // Named objects added with their members visible unqualified, in the order added:
    // global slot of the object and the object.
    std::vector<std::pair<int, quillo::script::DispatchPtr>> memberObjects;
    // Execute / Eval inside a procedure: its locals (and class) are visible.
    const Procedure* outer = nullptr;
    ClassInfo* outerClass = nullptr;
    std::shared_ptr<SourceText> source;
    bool optionExplicit = false; // inherited by Execute code
};

// Throws compile errors (Name redefined and the like) with positions.
CompiledUnit compileProgram(ProgramAst& program, CompileEnv& env);
// A procedure whose result slot receives the value of `expr`.
std::unique_ptr<Procedure> compileEval(Expr& expr, CompileEnv& env);

} // namespace quillo::vbscript
