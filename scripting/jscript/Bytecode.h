#pragma once
// The compiled form: a stack machine over a flat int32 stream (opcode, then its
// operands). Locals are stack slots relative to the frame base; variables closures or
// `with`/`eval` can see live in an Env.

#include <string>
#include <vector>

#include "scripting/jscript/Object.h"

namespace quillo::jscript {

// Every opcode, in order; each entry is X(name). Operands follow the opcode in the stream.
#define QUILLO_JS_OPS(X) \
    /* constants */ \
    X(Undef) X(Null) X(True) X(False) X(Hole) X(Int)  /* Int: value */ \
    X(Num)  /* constant index */ \
    X(Str)  /* constant index */ \
    X(This) \
    X(Pop) X(Dup) X(Dup2) X(Swap) X(Rot3) X(Rot4)  /* Rot3: a b c -> c a b ; Rot4: a b c d -> d a b c */ \
    /* variables */ \
    X(GetLocal) X(SetLocal) X(SetLocalPop) X(IncLocal) X(DecLocal) X(GetLocal2)  /* slot */ \
    X(GetEnv) X(SetEnv)  /* depth, slot */ \
    X(GetGlobal) X(SetGlobal) X(TypeofGlobal)  /* name, cache */ \
    X(GetName) X(SetName) X(TypeofName) X(GetNameMethod) X(DeclareName)  /* name (dynamic scope walk) */ \
    X(DeleteName) \
    /* properties */ \
    X(GetProp)  /* name, base-text (for the "is null or not an object" text; -1 none) */ \
    X(SetProp)  /* name */ \
    X(GetElem)  /* base-text */ \
    X(SetElem) \
    X(GetMethod)  /* name, base-text: obj -> func obj */ \
    X(GetMethodElem)  /* base-text: obj key -> func obj */ \
    X(DeleteProp)  /* name */ \
    X(DeleteElem) \
    /* calls */ \
    X(Call)  /* argc, flags (1: method call) */ \
    X(New)  /* argc */ \
    X(PutCall)  /* argc: func this args... value -> value */ \
    X(Return) X(ReturnUndef) \
    /* operators */ \
    X(Add) X(Sub) X(Mul) X(Div) X(Mod) X(Neg) X(ToNumber) X(Not) X(BitNot) X(BitAnd) X(BitOr) X(BitXor) X(Shl) X(Sar) X(Shr) \
    X(Eq) X(Ne) X(StrictEq) X(StrictNe) X(Lt) X(Gt) X(Le) X(Ge) X(Instanceof) X(In) X(Typeof) X(Inc) X(Dec) \
    /* control */ \
    X(Jump) X(JumpIfFalse) X(JumpIfTrue) X(JumpIfFalseKeep) X(JumpIfTrueKeep)  /* target */ \
    X(JumpIfNotLt) X(JumpIfNotLe) X(JumpIfNotGt) X(JumpIfNotGe)  /* target: a b -> , jumps unless a OP b */ \
    X(Loop)  /* target: a backward jump (budget tick and collector safe point) */ \
    X(LoopIfLt) X(LoopIfLe) X(LoopIfGt) X(LoopIfGe) X(LoopIfTrue)  /* target: backward jump while the test holds */ \
    X(LoopIfLocalLtInt) X(LoopIfLocalLeInt) X(LoopIfLocalGtInt) X(LoopIfLocalGeInt)  /* slot, value, target: loop while local OP value */ \
    X(IncLoopIfLocalLtInt) X(IncLoopIfLocalLeInt)  /* slot, value, offset from the opcode: ++local, then loop while local OP value */ \
    X(AddInt) X(SubInt) X(MulInt)  /* value: a -> a OP value */ \
    X(ModInt)  /* value (> 0), remainder multiplier low and high word: a -> a % value */ \
    /* register forms: L a local slot, K an inline whole number; dst a local slot or -1 to push */ \
    X(AddLL) X(SubLL) X(MulLL) X(DivLL) X(ModLL)  /* dst, a, b */ \
    X(AddLK) X(SubLK) X(MulLK) X(DivLK)  /* dst, a, k */ \
    X(ModLK)  /* dst, a, k (> 0), remainder multiplier low and high word */ \
    X(AddMulLLK)  /* dst, a, b, k: a + b * k */ \
    X(AddMulModLLKK)  /* dst, a, b, k, m (> 0), remainder multiplier low and high word: (a + b * k) % m */ \
    X(JumpIfNotLtLL) X(JumpIfNotLeLL) X(JumpIfNotGtLL) X(JumpIfNotGeLL)  /* a, b, target */ \
    X(JumpIfNotLtLK) X(JumpIfNotLeLK) X(JumpIfNotGtLK) X(JumpIfNotGeLK)  /* a, k, target */ \
    X(Case)  /* target: value discr -> discr, jumps when strictly equal (pops value) */ \
    /* literals */ \
    X(NewArray)  /* count */ \
    X(NewObject) \
    X(InitProp)  /* name: obj value -> obj */ \
    X(Closure)  /* child index */ \
    X(RegExp)  /* pattern constant, flags constant */ \
    /* exceptions */ \
    X(Throw) \
    X(Try)  /* catch target */ \
    X(EndTry) \
    /* for-in */ \
    X(ForInStart)  /* obj -> iterator */ \
    X(ForInNext)  /* end target: iter -> iter key  (jumps, leaving iter, when done) */ \
    /* with */ \
    X(EnterWith)  /* obj -> */ \
    X(LeaveWith)  /* also leaves a catch scope */ \
    X(EnterCatch)  /* scope child index: exception -> ; pushes an Env holding it */ \
    /* misc */ \
    X(Debugger) \
    X(ThrowRef)  /* error number: an invalid assignment target */ \

#define QUILLO_JS_OP_ENUM(name) name,
enum class Op : int32_t { QUILLO_JS_OPS(QUILLO_JS_OP_ENUM) };
#undef QUILLO_JS_OP_ENUM

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
    bool isCatchScope = false;  // names the one slot of a catch clause's Env, not a function
    int completionSlot = -1;  // eval code: the last statement value
    std::u16string source;  // text for Function.prototype.toString
    std::shared_ptr<const std::u16string> scriptText;  // for error lines
    uint32_t srcBase = 0;  // offset of this script inside scriptText's numbering
    int maxStack = 0;
    int frameSlots = 0;  // locals, stack and a margin: what a call must find free
    bool plainFrame = false;  // a call needs no Env and no arguments object

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
