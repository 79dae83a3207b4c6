#pragma once
// The compiled form: a stack machine over a flat int32 stream (opcode, then its
// operands). Locals are stack slots relative to the frame base; variables closures or
// `with`/`eval` can see live in an Env.

#include <string>
#include <vector>

#include "scripting/jscript/Object.h"

namespace quillo::jscript {

enum class Op : int32_t {
    // constants
    Undef, Null, True, False, Hole, Int,  // Int: value
    Num,    // constant index
    Str,    // constant index
    This,
    Pop, Dup, Dup2, Swap, Rot3, Rot4,  // Rot3: a b c -> c a b ; Rot4: a b c d -> d a b c
    // variables
    GetLocal, SetLocal,  // slot
    GetEnv, SetEnv,  // depth, slot
    GetGlobal, SetGlobal, TypeofGlobal,  // name, cache
    GetName, SetName, TypeofName, GetNameMethod, DeclareName,  // name (dynamic scope walk)
    DeleteName,
    // properties
    GetProp,  // name, base-text (for the "is null or not an object" text; -1 none)
    SetProp,  // name
    GetElem,  // base-text
    SetElem,
    GetMethod,  // name, base-text: obj -> func obj
    GetMethodElem,  // base-text: obj key -> func obj
    DeleteProp,  // name
    DeleteElem,
    // calls
    Call,  // argc, flags (1: method call)
    New,   // argc
    PutCall,  // argc: func this args... value -> value
    Return, ReturnUndef,
    // operators
    Add, Sub, Mul, Div, Mod, Neg, ToNumber, Not, BitNot, BitAnd, BitOr, BitXor, Shl, Sar, Shr,
    Eq, Ne, StrictEq, StrictNe, Lt, Gt, Le, Ge, Instanceof, In, Typeof, Inc, Dec,
    // control
    Jump, JumpIfFalse, JumpIfTrue, JumpIfFalseKeep, JumpIfTrueKeep,  // target
    Loop,  // target: a backward jump (budget tick and collector safe point)
    Case,  // target: value discr -> discr, jumps when strictly equal (pops value)
    // literals
    NewArray,  // count
    NewObject,
    InitProp,  // name: obj value -> obj
    Closure,  // child index
    RegExp,  // pattern constant, flags constant
    // exceptions
    Throw,
    Try,  // catch target
    EndTry,
    // for-in
    ForInStart,  // obj -> iterator
    ForInNext,   // end target: iter -> iter key  (jumps, leaving iter, when done)
    // with
    EnterWith,  // obj ->
    LeaveWith,
    // misc
    Debugger,
    ThrowRef,  // error number: an invalid assignment target
};

struct LineEntry {
    int32_t pc;
    uint32_t pos;
};

struct FuncProto final : GcCell {
    std::vector<int32_t> code;
    std::vector<double> numbers;
    std::vector<Value> strings;  // atoms and literal strings
    std::vector<FuncProto*> children;
    std::vector<LineEntry> lines;
    JsString* name = nullptr;
    int paramCount = 0;
    int localCount = 0;  // stack slots including parameters
    int envCount = 0;   // 0: no Env is created for a call
    std::vector<JsString*> envNames;  // name per env slot, for dynamic lookup
    std::vector<int> paramLocation;  // >= 0: stack slot; < 0: -(env slot + 1)
    int argumentsSlot = -1;  // local (>=0) or env (<0) location of `arguments`, or none
    int selfSlot = -1;
    bool needsArguments = false;
    bool needsEnv = false;  // a call creates an Env even without captured variables
    bool isEvalCode = false;
    bool isGlobalCode = false;
    bool dynamicLocals = false;  // a `with` or direct eval: names may be looked up at run time
    int completionSlot = -1;  // eval code: the last statement value
    std::u16string source;  // text for Function.prototype.toString
    std::shared_ptr<const std::u16string> scriptText;  // for error lines
    uint32_t srcBase = 0;  // offset of this script inside scriptText's numbering
    int maxStack = 0;

    uint32_t positionAt(int32_t pc) const {
        uint32_t p = 0;
        for (const LineEntry& e : lines) {
            if (e.pc > pc) break;
            p = e.pos;
        }
        return p;
    }
    void trace(Heap& h) override {
        for (Value& v : strings) h.mark(v);
        for (FuncProto* c : children) h.mark(c);
        h.mark(name);
        for (JsString* n : envNames) h.mark(n);
    }
};

}  // namespace quillo::jscript
