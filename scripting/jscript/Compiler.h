#pragma once
// Tree to bytecode. A first pass works out, per function, which variables inner
// functions use (those live in the function's Env, the rest in stack slots); `with` and
// direct `eval` make a function's names dynamic. The second pass emits code.

#include <memory>
#include <string>

#include "scripting/jscript/Bytecode.h"
#include "scripting/jscript/Parser.h"

namespace quillo::jscript {

class Vm;

enum class CodeKind { Global, Eval, Function };

// Compiles a whole program; throws CompileError.
FuncProto* compileProgram(Vm& vm, const Program& program, CodeKind kind,
                          std::shared_ptr<const std::u16string> text);

// Compiles the single function declaration of `program` as a global-scope function
// (the Function constructor).
FuncProto* compileFunctionOnly(Vm& vm, const Program& program, std::shared_ptr<const std::u16string> text);

}  // namespace quillo::jscript
