#pragma once
// The compiled form: procedures hold a flat array of 8-byte instructions for a stack
// machine, their constants and names, and per-instruction source positions for errors.
// Expressions never branch, so the operand stack is empty at every statement start; an
// error under On Error Resume Next continues at the next statement start after it.

#include "scripting/core/Variant.h"
#include "scripting/vbscript/Ast.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillo::vbscript {

using quillo::script::Variant;

enum class OpCode : uint8_t {
    Const,        // c: constant            -> value
    LoadLocal,    // b: slot                -> value
    StoreLocal,   // b: slot, a: 1 for Set  value ->
    RefLocal,     // b: slot                -> reference
    LoadGlobal,   // c: global (a procedure there is called without arguments)
    StoreGlobal,  // c, a: Set
    RefGlobal,    // c
    LoadField,    // b: field of Me
    StoreField,   // b, a: Set
    RefField,     // b
    LoadOuter,    // b: local of the frame an Execute / Eval runs in
    StoreOuter,   // b, a: Set
    RefOuter,     // b
    LoadMe,
    LoadErr,
    Pop,
    Neg, Not,
    Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is, And, Or, Xor, Eqv, Imp,
    Jump,         // c: target
    JumpFalse,    // c: target              cond ->
    JumpTrue,     // c: target              cond ->
    CallBuiltin,  // b: library index, a: argc      args -> result
    CallGlobal,   // c: global, a: argc             args -> result
    Index,        // a: argc                target args -> element or default-member result
    CallMember,   // c: name, a: argc, b: 1 = from inside the class    obj args -> result
    PutMember,    // c: name, a: argc, b: 1 Set | 2 inside             obj args value ->
    StoreIndex,   // a: argc, b: 1 Set      ref args value ->
    RefIndex,     // a: argc                ref args -> element reference
    New,          // c: class name
    ForTest,      // counter limit step -> Boolean: keep looping
    ToNumber,     // value -> the number it reads as (For bounds); 13 for text that is not one
    ForEachInit,  // b: hidden slot, c: exit target    collection ->
    ForEachNext,  // b: hidden slot, c: exit target    -> item
    OnErrorResumeNext,
    OnErrorGoto0,
    Return,
    ReDim,        // a: dims, b: 1 Preserve   ref bounds ->
    Erase,        //                          ref ->
    Undefined,    // c: global slot: raises 500 unless it exists (Option Explicit)
    Execute,      // a: 1 ExecuteGlobal        text ->
    Eval,         //                           text -> value
    GetRef,       //                           name -> function object
    LoadDyn,      // b: local, c: global, a: 1 Option Explicit: the global when it exists
    StoreDyn,     // b, c, a: 1 Option Explicit | 2 Set
    RefDyn,       // b, c, a: 1 Option Explicit
    Raise,        // c: error number, b: name (0xFFFF: none)
    AppendTo,     // `s = s & x` in place when the string is not shared; a: 1 keeps ref   ref value ->
    CreateObject, // a: argc (1 or 2), b: 1 GetObject                       args -> object
    ForStepLocal, // b: counter slot, a: hidden slot of limit (step at a+1), c: body start
    ForStepGlobal,// c: counter global, b: limit slot; a Jump to the body follows, skipped at the end
    // `local op constant` in one step (b: local, c: constant), as Load + Const + the operator
    CompareLocalConst, // a: the comparison's OpCode (Eq..Ge)          -> result (or a fused jump)
    AddLocalConst,     //                                              -> sum
    SubLocalConst,     //                                              -> difference
    CopyLocal,    // `x = y` between locals: b: target, c: source, a: 1 for Set
};

struct Instr {
    OpCode op;
    uint8_t a = 0;
    uint16_t b = 0;
    int32_t c = 0;
};
static_assert(sizeof(Instr) == 8);

struct ClassInfo;
struct SourceText;

struct Procedure {
    std::u16string name;
    ProcKind kind = ProcKind::Sub;
    bool isPublic = true;
    std::vector<Instr> code;
    std::vector<Pos> positions;            // one per instruction
    std::vector<uint32_t> statementStarts; // sorted instruction indexes
    std::vector<Variant> constants;
    std::vector<std::u16string> names;     // member, class and variable names
    std::vector<std::u16string> namesLower; // the same, lower case, for lookups
    std::vector<uint8_t> byVal;            // per parameter
    int paramCount = 0;
    int localCount = 0;                    // parameters, result, Dims, hidden temporaries
    int resultSlot = -1;                   // Functions and Property Get
    int maxStack = 0;
    bool needsMe = false;    // reads or writes fields of Me
    bool needsOuter = false; // reads or writes locals of the frame it was executed in
    std::vector<std::u16string> localNames; // lower case, by slot ("" for hidden)
    ClassInfo* owner = nullptr;
    std::shared_ptr<SourceText> source;
    // Instruction ranges [from, to) whose errors resume at `target` instead of the next
    // statement start (a For loop's header).
    struct ResumeRange {
        uint32_t from, to, target;
    };
    std::vector<ResumeRange> resumeAfter;
    // For member instructions on a plain variable: the names errors show (object,
    // object.member), by instruction index.
    std::unordered_map<uint32_t, std::pair<uint32_t, uint32_t>> memberErrorNames;
    // Per local slot: fixed-array bounds to create on entry (Dim a(3)).
    std::vector<std::pair<int, std::vector<int32_t>>> localArrays;
    // Filled as the code runs, by name index: the class and member a member access last
    // found (classes live as long as the engine, so the pointer identifies one), and the
    // class table entry New found (entries are replaced in place, never removed).
    mutable std::vector<std::pair<const ClassInfo*, int>> memberCache;
    mutable std::vector<const std::shared_ptr<ClassInfo>*> classCache;
};

struct SourceText {
    std::u16string text;
};

struct ClassMember {
    std::u16string name;
    bool isPublic = true;
    int field = -1;               // index into the instance's fields, or -1
    Procedure* get = nullptr;     // Function, Sub or Property Get
    Procedure* let = nullptr;
    Procedure* set = nullptr;
};

struct ClassInfo {
    std::u16string name;
    std::vector<ClassMember> members;                 // member id = index + 1
    std::unordered_map<std::u16string, int> byName;   // lower-case name -> index
    int fieldCount = 0;
    std::vector<std::pair<int, std::vector<int32_t>>> fieldArrays; // fixed-size array fields
    int defaultMember = -1;
    Procedure* initialize = nullptr;
    Procedure* terminate = nullptr;
    std::vector<std::unique_ptr<Procedure>> procs;

    int find(std::u16string_view lowerName) const
    {
        auto it = byName.find(std::u16string(lowerName));
        return it == byName.end() ? -1 : it->second;
    }
};

// What a compilation produced: the code to run now and the procedures and classes it
// defined (installed into the engine's tables before the code runs).
struct CompiledUnit {
    std::unique_ptr<Procedure> main;
    std::vector<std::unique_ptr<Procedure>> procs;
    std::vector<std::unique_ptr<ClassInfo>> classes;
    std::vector<int> declared;                       // globals this text declares
    std::vector<std::pair<int, Variant>> constants;  // its script-level Consts
};

} // namespace quillo::vbscript
