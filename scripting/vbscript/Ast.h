#pragma once
// The syntax tree the parser builds and the compiler walks. Nodes are "fat" structs
// with a kind tag: few types, easy to walk, and the tree lives only while compiling.

#include "scripting/core/Variant.h"

#include <memory>
#include <string>
#include <vector>

namespace quillo::vbscript {

struct Pos {
    int line = 0;
    int column = 0;
};

enum class ExprKind : uint8_t {
    Literal,  // value
    Name,     // name
    Me,
    Member,   // object (null inside With: `.name`), name
    Call,     // callee, args: `f(a, b)`, `a(1)`, `o.m(x)`
    Paren,    // (operand): passes by value
    Unary,    // op, operand
    Binary,   // op, left, right
    New,      // name: the class
};

enum class Op : uint8_t {
    Neg, Not,
    Pow, Mul, Div, IntDiv, Mod, Add, Sub, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is,
    And, Or, Xor, Eqv, Imp,
};

struct Expr {
    ExprKind kind;
    Op op = Op::Add;
    Pos pos;
    quillo::script::Variant value;
    std::u16string name;
    std::unique_ptr<Expr> left;  // operand, object, callee
    std::unique_ptr<Expr> right;
    std::vector<std::unique_ptr<Expr>> args; // null entries: omitted arguments
    int depth = 1; // height of this subtree; the parser bounds it

    Expr(ExprKind k, Pos p) : kind(k), pos(p) {}
};
using ExprPtr = std::unique_ptr<Expr>;

enum class StmtKind : uint8_t {
    Assign,   // target, value, isSet
    Call,     // target (Name / Member / Call)
    Dim,      // vars
    ReDim,    // redims, preserve
    Erase,    // names
    Const,    // consts
    If,       // cond, body, elseIfs, elseBody
    Select,   // value, cases, elseBody (hasElse)
    For,      // name, from, to, step, body
    ForEach,  // name, value (collection), body
    Do,       // cond (may be null), testAtEnd, until, body
    While,    // cond, body
    Exit,     // exitKind
    With,     // value, body
    OnErrorResumeNext,
    OnErrorGoto0,
    Stop,
};

enum class ExitKind : uint8_t { Do, For, Sub, Function, Property };

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct VarDecl {
    std::u16string name;
    Pos pos;
    bool isArray = false;              // `a()` or `a(3)`
    std::vector<ExprPtr> dims;         // upper bounds; empty for a dynamic array
};

struct ConstDecl {
    std::u16string name;
    Pos pos;
    ExprPtr value;
};

struct ElseIf {
    ExprPtr cond;
    Block body;
    Pos pos;
};

struct CaseClause {
    std::vector<ExprPtr> values;
    Block body;
    Pos pos;
};

struct Stmt {
    StmtKind kind;
    Pos pos;
    bool isSet = false;
    bool preserve = false;
    bool testAtEnd = false;
    bool until = false;
    bool hasElse = false;
    bool isPublic = false;  // script-level Public/Private declarations
    ExitKind exitKind = ExitKind::Do;
    std::u16string name;
    ExprPtr target, value, cond, from, to, step;
    Block body, elseBody;
    std::vector<ElseIf> elseIfs;
    std::vector<CaseClause> cases;
    std::vector<VarDecl> vars;     // Dim, ReDim (name + dims), Erase (names)
    std::vector<ConstDecl> consts;

    Stmt(StmtKind k, Pos p) : kind(k), pos(p) {}
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Param {
    std::u16string name;
    bool byVal = false;
    bool isArray = false; // `a()`
    Pos pos;
};

struct ProcDecl {
    ProcKind kind = ProcKind::Sub;
    std::u16string name;
    Pos pos;
    bool isPublic = true;
    bool isDefault = false;
    std::vector<Param> params;
    Block body;
};
using ProcPtr = std::unique_ptr<ProcDecl>;

struct FieldDecl {
    VarDecl var;
    bool isPublic = true;
};

struct ClassDecl {
    std::u16string name;
    Pos pos;
    std::vector<FieldDecl> fields;
    std::vector<ProcPtr> procs;
    std::vector<ConstDecl> consts;
};
using ClassPtr = std::unique_ptr<ClassDecl>;

// One compiled text: top-level statements, procedures and classes.
struct ProgramAst {
    bool optionExplicit = false;
    Block body;
    std::vector<ProcPtr> procs;
    std::vector<ClassPtr> classes;
};

} // namespace quillo::vbscript
