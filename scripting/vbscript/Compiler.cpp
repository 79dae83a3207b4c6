#include "scripting/vbscript/Compiler.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/CompileError.h"
#include "scripting/vbscript/Operators.h"
#include "scripting/vbscript/library/Builtins.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace quillo::vbscript {

using quillo::script::toLower;
using quillo::script::VarType;

namespace {

enum class Intrinsic { None, Eval, Execute, ExecuteGlobal, GetRef, CreateObject, GetObject };

Intrinsic intrinsicOf(const std::u16string& lower)
{
    if (lower == u"eval") return Intrinsic::Eval;
    if (lower == u"execute") return Intrinsic::Execute;
    if (lower == u"executeglobal") return Intrinsic::ExecuteGlobal;
    if (lower == u"getref") return Intrinsic::GetRef;
    if (lower == u"createobject") return Intrinsic::CreateObject;
    if (lower == u"getobject") return Intrinsic::GetObject;
    return Intrinsic::None;
}

// Where a name lives.
struct Binding {
    enum Kind {
        Local, Outer, Field, Member, Global, GlobalProc, Constant, Builtin, IntrinsicFn,
        ErrObject, ObjectMember, Dynamic, Undeclared
    } kind = Undeclared;
    int slot = 0;      // local / outer / field / global
    int global = 0;    // Dynamic: the global of the same name; ObjectMember: the object's global
    int builtin = 0;
    Intrinsic intrinsic = Intrinsic::None;
    Variant value;     // Constant
    bool implicit = false; // a global nobody declared: variable or later procedure
};

bool isLiteralValue(const Expr& e)
{
    return e.kind == ExprKind::Literal && e.value.type() != VarType::Object;
}

// Shared state of one compilation: names declared by the unit so far.
struct UnitState {
    CompileEnv& env;
    std::u16string_view source;
    std::unordered_set<std::u16string> declaredGlobals; // by this unit (lower case)
    std::unordered_map<std::u16string, Variant> globalConsts;
    std::vector<int> toDeclare;
    bool optionExplicit = false;

    bool isDeclaredGlobal(const std::u16string& lower, int& slot) const
    {
        slot = env.globals.find(lower);
        if (slot < 0)
            return false;
        return env.globals[slot].declared || declaredGlobals.count(lower);
    }
};

class ProcCompiler {
public:
    ProcCompiler(UnitState& unit, Procedure& proc, ClassInfo* cls, bool topLevel)
        : unit_(unit), proc_(proc), cls_(cls), topLevel_(topLevel)
    {
    }

    // ---- slots ----
    int addLocal(const std::u16string& lower)
    {
        int slot = proc_.localCount++;
        proc_.localNames.push_back(lower);
        if (!lower.empty())
            locals_.emplace(lower, slot);
        return slot;
    }
    int hidden() { return addLocal(u""); }

    void declareParams(const std::vector<Param>& params)
    {
        for (const Param& p : params) {
            std::u16string lower = toLower(p.name);
            if (locals_.count(lower))
                failAt(cerr::NameRedefined, p.pos);
            addLocal(lower);
            proc_.byVal.push_back(p.byVal ? 1 : 0);
        }
        proc_.paramCount = int(params.size());
    }

    void declareResult(const std::u16string& name)
    {
        proc_.resultSlot = addLocal(toLower(name));
    }

    // Dim, ReDim targets and Consts anywhere in the body belong to the whole procedure.
    void hoistDeclarations(const Block& body)
    {
        for (const StmtPtr& s : body)
            hoist(*s);
    }

    void compileBody(const Block& body)
    {
        for (const StmtPtr& s : body)
            statement(*s);
        pos_ = {};
        emit(OpCode::Return);
    }

    void finish()
    {
        returnForJumpsToReturn();
        computeMaxStack();
    }

    void emitPrologueArrays(const std::vector<std::pair<std::u16string, const VarDecl*>>& arrays)
    {
        for (auto& [lower, decl] : arrays) {
            pos_ = decl->pos;
            emitVarRef(lower, decl->pos);
            for (const ExprPtr& d : decl->dims)
                expr(*d);
            emit(OpCode::ReDim, uint8_t(decl->dims.size()), 4);
        }
    }

    std::vector<std::pair<std::u16string, const VarDecl*>> prologueArrays;

    // ---- errors ----
    [[noreturn]] void failAt(int number, Pos p)
    {
        throw compileError(number, unit_.source, p.line, p.column);
    }

    // ---- emitting ----
    int emit(OpCode op, uint8_t a = 0, uint16_t b = 0, int32_t c = 0)
    {
        proc_.code.push_back(Instr{op, a, b, c});
        proc_.positions.push_back(pos_);
        return int(proc_.code.size()) - 1;
    }
    int here() const { return int(proc_.code.size()); }
    void patch(int at, int target) { proc_.code[size_t(at)].c = target; }
    void markStatement()
    {
        uint32_t pc = uint32_t(proc_.code.size());
        if (proc_.statementStarts.empty() || proc_.statementStarts.back() != pc)
            proc_.statementStarts.push_back(pc);
    }
    int constant(const Variant& v)
    {
        proc_.constants.push_back(v);
        return int(proc_.constants.size()) - 1;
    }
    int name(const std::u16string& n)
    {
        for (size_t i = 0; i < proc_.names.size(); ++i)
            if (proc_.names[i] == n)
                return int(i);
        proc_.names.push_back(n);
        proc_.namesLower.push_back(toLower(n));
        return int(proc_.names.size()) - 1;
    }
    void emitConst(const Variant& v) { emit(OpCode::Const, 0, 0, constant(v)); }

    // ---- names ----
    Binding resolve(const std::u16string& shown, bool forCall)
    {
        std::u16string lower = toLower(shown);
        Binding b;
        if (auto it = locals_.find(lower); it != locals_.end()) {
            b.kind = Binding::Local;
            b.slot = it->second;
            return b;
        }
        if (auto it = localConsts_.find(lower); it != localConsts_.end()) {
            b.kind = Binding::Constant;
            b.value = it->second;
            return b;
        }
        if (auto it = dynamics_.find(lower); it != dynamics_.end()) {
            b.kind = Binding::Dynamic;
            b.slot = it->second.first;
            b.global = it->second.second;
            return b;
        }
        if (const Procedure* outer = seesOuter ? unit_.env.outer : nullptr) {
            for (size_t i = 0; i < outer->localNames.size(); ++i) {
                if (!outer->localNames[i].empty() && outer->localNames[i] == lower) {
                    b.kind = Binding::Outer;
                    b.slot = int(i);
                    return b;
                }
            }
        }
        if (ClassInfo* cls = cls_) {
            int m = cls->find(lower);
            if (m >= 0) {
                const ClassMember& mem = cls->members[size_t(m)];
                b.kind = mem.field >= 0 ? Binding::Field : Binding::Member;
                b.slot = mem.field >= 0 ? mem.field : m;
                return b;
            }
        }
        if (auto it = unit_.globalConsts.find(lower); it != unit_.globalConsts.end()) {
            b.kind = Binding::Constant;
            b.value = it->second;
            return b;
        }
        int g;
        if (unit_.isDeclaredGlobal(lower, g)) {
            const GlobalSlot& slot = unit_.env.globals[g];
            if (slot.isConst && !slot.proc) {
                b.kind = Binding::Constant;
                b.value = slot.value;
                return b;
            }
            b.kind = (slot.proc || procNames_.count(lower)) ? Binding::GlobalProc : Binding::Global;
            b.slot = g;
            return b;
        }
        if (lower == u"err") {
            b.kind = Binding::ErrObject;
            return b;
        }
        if (Intrinsic in = intrinsicOf(lower); in != Intrinsic::None) {
            b.kind = Binding::IntrinsicFn;
            b.intrinsic = in;
            return b;
        }
        if (const BuiltinFunction* f = findBuiltinFunction(shown)) {
            b.kind = Binding::Builtin;
            b.builtin = int(f - builtinFunctions().data());
            return b;
        }
        if (const BuiltinConstant* c = findBuiltinConstant(shown)) {
            b.kind = Binding::Constant;
            b.value = c->value;
            return b;
        }
        for (auto& [slot, obj] : unit_.env.memberObjects) {
            if (obj && obj->memberId(shown) != quillo::script::DISPID_UNKNOWN) {
                b.kind = Binding::ObjectMember;
                b.global = slot;
                return b;
            }
        }
        // Nobody declared it.
        g = unit_.env.globals.findOrAdd(lower, shown);
        if (topLevel_ || forCall) {
            b.kind = unit_.optionExplicit && !forCall ? Binding::Undeclared : Binding::Global;
            b.slot = g;
            b.global = g;
            b.implicit = true;
            return b;
        }
        b.kind = Binding::Dynamic;
        b.global = g;
        b.slot = proc_.localCount++; // the implicit local used while no such global exists
        proc_.localNames.push_back(lower);
        dynamics_.emplace(lower, std::make_pair(b.slot, g));
        return b;
    }

    // ---- expressions ----
    void expr(const Expr& e)
    {
        Pos saved = pos_;
        pos_ = e.pos;
        switch (e.kind) {
        case ExprKind::Literal: emitConst(e.value); break;
        case ExprKind::Name: loadName(e); break;
        case ExprKind::Me: emit(OpCode::LoadMe); break; // outside a class: the script's Me
        case ExprKind::Member:
            object(e);
            pos_ = e.pos;
            noteObject(emit(OpCode::CallMember, 0, isMe(e.left.get()) ? 1 : 0, name(e.name)), e);
            break;
        case ExprKind::Call: call(e); break;
        case ExprKind::Paren: expr(*e.left); break;
        case ExprKind::Unary:
        case ExprKind::Binary:
            if (auto v = fold(e)) {
                emitConst(*v);
                break;
            }
            if (e.kind == ExprKind::Binary && localWithConstant(e))
                break;
            expr(*e.left);
            if (e.kind == ExprKind::Binary)
                expr(*e.right);
            pos_ = e.pos;
            emit(opFor(e), e.kind == ExprKind::Binary ? literalFlags(e) : 0);
            break;
        case ExprKind::New: emit(OpCode::New, 0, 0, name(e.name)); break;
        }
        pos_ = saved;
    }

    // `n < 2`, `n - 1`: a comparison, + or - of a local and a constant as one instruction.
    bool localWithConstant(const Expr& e)
    {
        OpCode op = opFor(e);
        bool compare = op >= OpCode::Eq && op <= OpCode::Ge;
        if (e.left->kind != ExprKind::Name || (!compare && op != OpCode::Add && op != OpCode::Sub))
            return false;
        auto local = locals_.find(toLower(e.left->name));
        if (local == locals_.end())
            return false;
        std::optional<Variant> k = constantValue(*e.right);
        if (!k)
            return false;
        pos_ = e.pos;
        OpCode fused = compare ? OpCode::CompareLocalConst : op == OpCode::Add ? OpCode::AddLocalConst : OpCode::SubLocalConst;
        emit(fused, compare ? uint8_t(op) : 0, uint16_t(local->second), constant(*k));
        return true;
    }

    // `Me.x` inside a class reaches private members too.
    bool isMe(const Expr* e) const { return cls_ && e && e->kind == ExprKind::Me; }

    // For comparisons: bit 0 when the left operand is a literal or constant, bit 1 the right.
    uint8_t literalFlags(const Expr& e)
    {
        if (e.op < Op::Eq || e.op > Op::Ge)
            return 0;
        return uint8_t((constantValue(*e.left) ? 1 : 0) | (constantValue(*e.right) ? 2 : 0));
    }

    // Error texts name the object ('o') and the member ('o.Bar') when the object is a
    // plain variable.
    void noteObject(int pc, const Expr& member)
    {
        if (!member.left || member.left->kind != ExprKind::Name)
            return;
        const std::u16string& object = member.left->name;
        proc_.memberErrorNames.emplace(uint32_t(pc), std::make_pair(uint32_t(name(object)),
                                                                    uint32_t(name(object + u"." + member.name))));
    }

    // The object of a member access: the With object for `.name`.
    void object(const Expr& member)
    {
        if (member.left) {
            expr(*member.left);
            return;
        }
        if (withSlots_.empty())
            failAt(cerr::InvalidMe, member.pos);
        emit(OpCode::LoadLocal, 0, uint16_t(withSlots_.back()));
    }

    static OpCode opFor(const Expr& e)
    {
        if (e.kind == ExprKind::Unary)
            return e.op == Op::Neg ? OpCode::Neg : OpCode::Not;
        switch (e.op) {
        case Op::Pow: return OpCode::Pow;
        case Op::Mul: return OpCode::Mul;
        case Op::Div: return OpCode::Div;
        case Op::IntDiv: return OpCode::IntDiv;
        case Op::Mod: return OpCode::Mod;
        case Op::Add: return OpCode::Add;
        case Op::Sub: return OpCode::Sub;
        case Op::Concat: return OpCode::Concat;
        case Op::Eq: return OpCode::Eq;
        case Op::Ne: return OpCode::Ne;
        case Op::Lt: return OpCode::Lt;
        case Op::Gt: return OpCode::Gt;
        case Op::Le: return OpCode::Le;
        case Op::Ge: return OpCode::Ge;
        case Op::Is: return OpCode::Is;
        case Op::And: return OpCode::And;
        case Op::Or: return OpCode::Or;
        case Op::Xor: return OpCode::Xor;
        case Op::Eqv: return OpCode::Eqv;
        case Op::Imp: return OpCode::Imp;
        default: return OpCode::Add;
        }
    }

    // The value of a constant expression, evaluated with the run-time operators; none
    // when an operand is not constant or the operator would raise an error.
    std::optional<Variant> constantValue(const Expr& e)
    {
        if (isLiteralValue(e))
            return e.value;
        if (e.kind == ExprKind::Paren)
            return constantValue(*e.left);
        if (e.kind == ExprKind::Name) {
            Binding b = peekConstant(e.name);
            if (b.kind == Binding::Constant && b.value.type() != VarType::Object)
                return b.value;
            return std::nullopt;
        }
        if (e.kind == ExprKind::Unary || e.kind == ExprKind::Binary)
            return fold(e);
        return std::nullopt;
    }

    Binding peekConstant(const std::u16string& shown)
    {
        std::u16string lower = toLower(shown);
        Binding b;
        if (locals_.count(lower))
            return b;
        if (auto it = localConsts_.find(lower); it != localConsts_.end()) {
            b.kind = Binding::Constant;
            b.value = it->second;
            return b;
        }
        if (dynamics_.count(lower))
            return b;
        if (auto it = unit_.globalConsts.find(lower); it != unit_.globalConsts.end()) {
            b.kind = Binding::Constant;
            b.value = it->second;
            return b;
        }
        int g = unit_.env.globals.find(lower);
        if (g >= 0 && (unit_.env.globals[g].declared || unit_.declaredGlobals.count(lower))) {
            const GlobalSlot& slot = unit_.env.globals[g];
            if (slot.isConst && !slot.proc) {
                b.kind = Binding::Constant;
                b.value = slot.value;
            }
            return b;
        }
        if (cls_ && cls_->find(lower) >= 0)
            return b;
        if (const BuiltinConstant* c = findBuiltinConstant(shown)) {
            b.kind = Binding::Constant;
            b.value = c->value;
        }
        return b;
    }

    // Whether the result depends on the locale the script may set at run time (text read
    // as a number, or a fractional number or date written as text): left to the run.
    static bool readsLocale(Op op, const Variant& l, const Variant* r)
    {
        auto written = [](const Variant& v) {
            const VarType t = v.type();
            return t == VarType::Single || t == VarType::Double || t == VarType::Currency || t == VarType::Date;
        };
        if (!r)
            return l.isString();
        if (op == Op::Concat)
            return written(l) || written(*r);
        const bool textLeft = l.isString(), textRight = r->isString();
        if (textLeft && textRight)
            return op != Op::Add && (op < Op::Eq || op > Op::Ge);
        return textLeft || textRight;
    }

    std::optional<Variant> fold(const Expr& e)
    {
        std::optional<Variant> l = constantValue(*e.left);
        if (!l)
            return std::nullopt;
        try {
            if (e.kind == ExprKind::Unary)
                return !constDecl_ && readsLocale(e.op, *l, nullptr) ? std::nullopt
                    : std::optional<Variant>(e.op == Op::Neg ? ops::negate(*l) : ops::logicalNot(*l));
            std::optional<Variant> r = constantValue(*e.right);
            if (!r || e.op == Op::Is || (!constDecl_ && readsLocale(e.op, *l, &*r)))
                return std::nullopt;
            return ops::binary(e.op, *l, *r);
        } catch (const quillo::script::ScriptError&) {
            return std::nullopt;
        }
    }

    void loadName(const Expr& e)
    {
        Binding b = resolve(e.name, false);
        switch (b.kind) {
        case Binding::Local: emit(OpCode::LoadLocal, 0, uint16_t(b.slot)); break;
        case Binding::Outer: emit(OpCode::LoadOuter, 0, uint16_t(b.slot)); break;
        case Binding::Field: emit(OpCode::LoadField, 0, uint16_t(b.slot)); break;
        case Binding::Member:
            emit(OpCode::LoadMe);
            emit(OpCode::CallMember, 0, 1, name(e.name));
            break;
        case Binding::Global:
        case Binding::GlobalProc: emit(OpCode::LoadGlobal, 0, 0, b.slot); break;
        case Binding::Constant: emitConst(b.value); break;
        case Binding::Builtin: emitBuiltinCall(b.builtin, {}, e); break;
        case Binding::IntrinsicFn: emitRaise(quillo::script::err::WrongArguments, e.name); break;
        case Binding::ErrObject: emit(OpCode::LoadErr); break;
        case Binding::ObjectMember:
            emit(OpCode::LoadGlobal, 0, 0, b.global);
            emit(OpCode::CallMember, 0, 0, name(e.name));
            break;
        case Binding::Dynamic:
            emit(OpCode::LoadDyn, unit_.optionExplicit ? 1 : 0, uint16_t(b.slot), b.global);
            break;
        case Binding::Undeclared:
            emit(OpCode::Undefined, 0, 0, b.slot);
            emit(OpCode::LoadGlobal, 0, 0, b.slot);
            break;
        }
    }

    void emitRaise(int number, const std::u16string& n)
    {
        emit(OpCode::Raise, 0, uint16_t(name(n)), number);
        emitConst(Variant());
    }

    void emitBuiltinCall(int index, const std::vector<ExprPtr>& args, const Expr& at)
    {
        const BuiltinFunction& f = builtinFunctions()[size_t(index)];
        size_t n = args.size();
        bool countOk = n >= f.minArgs && (f.maxArgs == BuiltinFunction::kAnyCount || n <= f.maxArgs);
        if (!countOk) {
            pos_ = at.pos;
            emitRaise(quillo::script::err::WrongArguments, std::u16string(f.name));
            return;
        }
        for (const ExprPtr& a : args) {
            if (a)
                expr(*a);
            else
                emitConst(Variant::missing());
        }
        pos_ = at.pos;
        emit(OpCode::CallBuiltin, uint8_t(n), uint16_t(index));
    }

    // An argument of a procedure or method call: variables and array elements by
    // reference, anything else (a parenthesised name too) by value.
    void argument(const Expr* a)
    {
        if (!a) {
            emitConst(Variant::missing());
            return;
        }
        if (a->kind == ExprKind::Name) {
            Binding b = resolve(a->name, false);
            pos_ = a->pos;
            switch (b.kind) {
            case Binding::Local: emit(OpCode::RefLocal, 0, uint16_t(b.slot)); return;
            case Binding::Outer: emit(OpCode::RefOuter, 0, uint16_t(b.slot)); return;
            case Binding::Field: emit(OpCode::RefField, 0, uint16_t(b.slot)); return;
            case Binding::Global: emit(OpCode::RefGlobal, 0, 0, b.slot); return;
            case Binding::Dynamic:
                emit(OpCode::RefDyn, unit_.optionExplicit ? 1 : 0, uint16_t(b.slot), b.global);
                return;
            default: break;
            }
        }
        if (a->kind == ExprKind::Call && a->left->kind == ExprKind::Name && !a->args.empty()) {
            Binding b = resolve(a->left->name, true);
            bool variable = b.kind == Binding::Local || b.kind == Binding::Outer || b.kind == Binding::Field
                || b.kind == Binding::Dynamic || (b.kind == Binding::Global && !b.implicit);
            if (variable && !(b.kind == Binding::Local && b.slot == proc_.resultSlot)) {
                emitVarRefBinding(b, a->left->pos);
                for (const ExprPtr& i : a->args)
                    indexArg(i.get());
                pos_ = a->pos;
                emit(OpCode::RefIndex, uint8_t(a->args.size()));
                return;
            }
        }
        expr(*a);
    }

    void indexArg(const Expr* a)
    {
        if (!a)
            emitConst(Variant::missing());
        else
            expr(*a);
    }

    void emitVarRefBinding(const Binding& b, Pos p)
    {
        pos_ = p;
        switch (b.kind) {
        case Binding::Local: emit(OpCode::RefLocal, 0, uint16_t(b.slot)); break;
        case Binding::Outer: emit(OpCode::RefOuter, 0, uint16_t(b.slot)); break;
        case Binding::Field: emit(OpCode::RefField, 0, uint16_t(b.slot)); break;
        case Binding::Global: emit(OpCode::RefGlobal, 0, 0, b.slot); break;
        case Binding::Dynamic:
            emit(OpCode::RefDyn, unit_.optionExplicit ? 1 : 0, uint16_t(b.slot), b.global);
            break;
        case Binding::Undeclared:
            emit(OpCode::Undefined, 0, 0, b.slot);
            emit(OpCode::RefGlobal, 0, 0, b.slot);
            break;
        default: failAt(cerr::SyntaxError, p);
        }
    }

    // A reference to a variable by name (ReDim, Erase, Dim arrays).
    void emitVarRef(const std::u16string& shown, Pos p)
    {
        Binding b = resolve(shown, false);
        if (b.kind == Binding::Undeclared) {
            pos_ = p;
            emit(OpCode::Undefined, 0, 0, b.slot);
            emit(OpCode::RefGlobal, 0, 0, b.slot);
            return;
        }
        emitVarRefBinding(b, p);
    }

    // `callee(args)` or a call statement's target; leaves the result on the stack.
    void call(const Expr& e)
    {
        const Expr& callee = *e.left;
        if (callee.kind == ExprKind::Name) {
            Binding b = resolve(callee.name, true);
            if (b.kind == Binding::Local && b.slot == proc_.resultSlot && proc_.resultSlot >= 0 && !proc_.name.empty()) {
                // the function's own name with arguments: a recursive call
                if (cls_) {
                    b.kind = Binding::Member;
                } else {
                    b.kind = Binding::GlobalProc;
                    b.slot = unit_.env.globals.findOrAdd(toLower(callee.name), callee.name);
                }
            }
            switch (b.kind) {
            case Binding::Local:
            case Binding::Outer:
            case Binding::Field:
            case Binding::Dynamic:
                loadName(callee);
                for (const ExprPtr& a : e.args)
                    argument(a.get());
                pos_ = e.pos;
                emit(OpCode::Index, uint8_t(e.args.size()));
                return;
            case Binding::Global:
            case Binding::GlobalProc:
                for (const ExprPtr& a : e.args)
                    argument(a.get());
                pos_ = e.pos;
                emit(OpCode::CallGlobal, uint8_t(e.args.size()), 0, b.slot);
                return;
            case Binding::Member:
                emit(OpCode::LoadMe);
                for (const ExprPtr& a : e.args)
                    argument(a.get());
                pos_ = e.pos;
                emit(OpCode::CallMember, uint8_t(e.args.size()), 1, name(callee.name));
                return;
            case Binding::Builtin: emitBuiltinCall(b.builtin, e.args, e); return;
            case Binding::IntrinsicFn: intrinsicCall(b.intrinsic, e); return;
            case Binding::ObjectMember:
                emit(OpCode::LoadGlobal, 0, 0, b.global);
                for (const ExprPtr& a : e.args)
                    argument(a.get());
                pos_ = e.pos;
                emit(OpCode::CallMember, uint8_t(e.args.size()), 0, name(callee.name));
                return;
            case Binding::Constant:
            case Binding::ErrObject:
            case Binding::Undeclared:
                loadName(callee);
                for (const ExprPtr& a : e.args)
                    indexArg(a.get());
                pos_ = e.pos;
                emit(OpCode::Index, uint8_t(e.args.size()));
                return;
            }
        }
        if (callee.kind == ExprKind::Member) {
            object(callee);
            for (const ExprPtr& a : e.args)
                argument(a.get());
            pos_ = e.pos;
            noteObject(emit(OpCode::CallMember, uint8_t(e.args.size()), isMe(callee.left.get()) ? 1 : 0, name(callee.name)), callee);
            return;
        }
        expr(callee);
        for (const ExprPtr& a : e.args)
            indexArg(a.get());
        pos_ = e.pos;
        emit(OpCode::Index, uint8_t(e.args.size()));
    }

    void intrinsicCall(Intrinsic in, const Expr& e)
    {
        if (in == Intrinsic::CreateObject || in == Intrinsic::GetObject) {
            if (e.args.empty() || e.args.size() > 2) {
                emitRaise(quillo::script::err::WrongArguments, e.left->name);
                return;
            }
            for (const ExprPtr& a : e.args)
                indexArg(a.get());
            pos_ = e.pos;
            emit(OpCode::CreateObject, uint8_t(e.args.size()), in == Intrinsic::GetObject ? 1 : 0);
            return;
        }
        if (e.args.size() != 1 || !e.args[0]) {
            emitRaise(quillo::script::err::WrongArguments, e.left->name);
            return;
        }
        expr(*e.args[0]);
        pos_ = e.pos;
        switch (in) {
        case Intrinsic::Eval: emit(OpCode::Eval); break;
        case Intrinsic::Execute:
            emit(OpCode::Execute, 0);
            emitConst(Variant());
            break;
        case Intrinsic::ExecuteGlobal:
            emit(OpCode::Execute, 1);
            emitConst(Variant());
            break;
        case Intrinsic::GetRef: emit(OpCode::GetRef); break;
        default: break;
        }
    }

    // ---- statements ----
    void statement(const Stmt& s)
    {
        pos_ = s.pos;
        markStatement();
        switch (s.kind) {
        case StmtKind::Assign: assign(s); break;
        case StmtKind::Call: callStatement(s); break;
        case StmtKind::Dim: break; // hoisted
        case StmtKind::Const: break; // folded; script-level ones are installed with the unit
        case StmtKind::ReDim:
            for (const VarDecl& v : s.vars) {
                pos_ = v.pos;
                emitVarRef(v.name, v.pos);
                for (const ExprPtr& d : v.dims)
                    expr(*d);
                pos_ = v.pos;
                emit(OpCode::ReDim, uint8_t(v.dims.size()), s.preserve ? 1 : 0);
            }
            break;
        case StmtKind::Erase:
            for (const VarDecl& v : s.vars) {
                emitVarRef(v.name, v.pos);
                pos_ = v.pos;
                emit(OpCode::Erase);
            }
            break;
        case StmtKind::If: ifStatement(s); break;
        case StmtKind::Select: selectStatement(s); break;
        case StmtKind::For: forStatement(s); break;
        case StmtKind::ForEach: forEachStatement(s); break;
        case StmtKind::Do: doStatement(s); break;
        case StmtKind::While: whileStatement(s); break;
        case StmtKind::Exit:
            if (s.exitKind == ExitKind::Do)
                doExits_.back().push_back(emit(OpCode::Jump));
            else if (s.exitKind == ExitKind::For)
                forExits_.back().push_back(emit(OpCode::Jump));
            else
                emit(OpCode::Return);
            break;
        case StmtKind::With: {
            int slot = hidden();
            expr(*s.value);
            emit(OpCode::StoreLocal, 2, uint16_t(slot));
            withSlots_.push_back(slot);
            block(s.body);
            withSlots_.pop_back();
            markStatement();
            emitConst(Variant());
            emit(OpCode::StoreLocal, 2, uint16_t(slot));
            break;
        }
        case StmtKind::OnErrorResumeNext: emit(OpCode::OnErrorResumeNext); break;
        case StmtKind::OnErrorGoto0: emit(OpCode::OnErrorGoto0); break;
        case StmtKind::Stop: break;
        }
    }

    void block(const Block& b)
    {
        for (const StmtPtr& s : b)
            statement(*s);
    }

    // mode: 0 Let, 1 Set, 2 as is (For Each items)
    void storeName(const std::u16string& shown, Pos p, bool isSet, uint8_t mode = 0xFF)
    {
        Binding b = resolve(shown, false);
        pos_ = p;
        uint8_t a = mode != 0xFF ? mode : isSet ? 1 : 0;
        switch (b.kind) {
        case Binding::Local: emit(OpCode::StoreLocal, a, uint16_t(b.slot)); break;
        case Binding::Outer: emit(OpCode::StoreOuter, a, uint16_t(b.slot)); break;
        case Binding::Field: emit(OpCode::StoreField, a, uint16_t(b.slot)); break;
        case Binding::Global: emit(OpCode::StoreGlobal, a, 0, b.slot); break;
        case Binding::Dynamic:
            emit(OpCode::StoreDyn, uint8_t((unit_.optionExplicit ? 1 : 0) | (a == 1 ? 2 : 0) | (a == 2 ? 4 : 0)), uint16_t(b.slot), b.global);
            break;
        case Binding::Member: {
            // a property of Me assigned from inside the class: value is on the stack
            int tmp = hidden();
            emit(OpCode::StoreLocal, 2, uint16_t(tmp));
            emit(OpCode::LoadMe);
            emit(OpCode::LoadLocal, 0, uint16_t(tmp));
            emit(OpCode::PutMember, 0, uint8_t(2 | (a & 1)), name(shown));
            break;
        }
        case Binding::Undeclared:
            emit(OpCode::Undefined, 0, 0, b.slot);
            emit(OpCode::StoreGlobal, a, 0, b.slot);
            break;
        case Binding::Constant:
        case Binding::GlobalProc:
        case Binding::Builtin:
        case Binding::IntrinsicFn:
        case Binding::ErrObject:
        case Binding::ObjectMember:
            emit(OpCode::Raise, 0, uint16_t(name(shown)), 501);
            emit(OpCode::Pop);
            break;
        }
    }

    // `x = y` with both locals: one instruction instead of a load and a store.
    bool copyBetweenLocals(const Expr& target, const Expr& value, uint8_t setFlag)
    {
        if (value.kind != ExprKind::Name)
            return false;
        auto to = locals_.find(toLower(target.name));
        auto from = locals_.find(toLower(value.name));
        if (to == locals_.end() || from == locals_.end())
            return false;
        pos_ = target.pos;
        emit(OpCode::CopyLocal, setFlag, uint16_t(to->second), from->second);
        return true;
    }

    void assign(const Stmt& s)
    {
        const Expr& t = *s.target;
        uint8_t setFlag = s.isSet ? 1 : 0;
        switch (t.kind) {
        case ExprKind::Name:
            if (!s.isSet && appendInPlace(t, *s.value))
                return;
            if (copyBetweenLocals(t, *s.value, setFlag))
                return;
            expr(*s.value);
            storeName(t.name, t.pos, s.isSet);
            return;
        case ExprKind::Member:
            object(t);
            expr(*s.value);
            pos_ = t.pos;
            noteObject(emit(OpCode::PutMember, 0, uint8_t(setFlag | (isMe(t.left.get()) ? 2 : 0)), name(t.name)), t);
            return;
        case ExprKind::Call: {
            const Expr& callee = *t.left;
            if (callee.kind == ExprKind::Member) {
                object(callee);
                for (const ExprPtr& a : t.args)
                    indexArg(a.get());
                expr(*s.value);
                pos_ = t.pos;
                noteObject(emit(OpCode::PutMember, uint8_t(t.args.size()), uint8_t(setFlag | (isMe(callee.left.get()) ? 2 : 0)), name(callee.name)), callee);
                return;
            }
            if (callee.kind == ExprKind::Name) {
                Binding b = resolve(callee.name, false);
                if (b.kind == Binding::Member) {
                    emit(OpCode::LoadMe);
                    for (const ExprPtr& a : t.args)
                        indexArg(a.get());
                    expr(*s.value);
                    pos_ = t.pos;
                    emit(OpCode::PutMember, uint8_t(t.args.size()), uint8_t(setFlag | 2), name(callee.name));
                    return;
                }
                if (b.kind == Binding::Builtin)
                    failAt(cerr::ExpectedStatement, callee.pos); // `Mid(s, 1) = x` is not VBScript
                if (b.kind == Binding::GlobalProc || b.kind == Binding::Constant) {
                    expr(*s.value);
                    emit(OpCode::Raise, 0, uint16_t(name(callee.name)), 501);
                    emit(OpCode::Pop);
                    return;
                }
                emitVarRefBinding(b, callee.pos);
                for (const ExprPtr& a : t.args)
                    indexArg(a.get());
                expr(*s.value);
                pos_ = t.pos;
                emit(OpCode::StoreIndex, uint8_t(t.args.size()), setFlag);
                return;
            }
            failAt(cerr::SyntaxError, t.pos);
        }
        case ExprKind::Me: failAt(cerr::InvalidMe, t.pos);
        default: failAt(cerr::ExpectedStatement, t.pos);
        }
    }

    // `s = s & x & y`: appends to the variable's string without copying it.
    bool appendInPlace(const Expr& target, const Expr& value)
    {
        std::vector<const Expr*> parts; // right operands, innermost first
        const Expr* e = &value;
        while (e->kind == ExprKind::Binary && e->op == Op::Concat) {
            parts.push_back(e->right.get());
            e = e->left.get();
        }
        if (parts.empty() || e->kind != ExprKind::Name || toLower(e->name) != toLower(target.name))
            return false;
        Binding b = resolve(target.name, false);
        if (b.kind != Binding::Local && b.kind != Binding::Global && b.kind != Binding::Dynamic
            && b.kind != Binding::Field && b.kind != Binding::Outer)
            return false;
        if (b.kind == Binding::Local && b.slot == proc_.resultSlot)
            return false;
        emitVarRefBinding(b, target.pos);
        for (size_t i = parts.size(); i-- > 0;) {
            expr(*parts[i]);
            pos_ = value.pos;
            emit(OpCode::AppendTo, i == 0 ? 0 : 1);
        }
        return true;
    }

    void callStatement(const Stmt& s)
    {
        const Expr& t = *s.target;
        if (t.kind == ExprKind::Call) {
            call(t);
        } else if (t.kind == ExprKind::Name) {
            Binding b = resolve(t.name, true);
            if (b.kind == Binding::Global || b.kind == Binding::GlobalProc) {
                emit(OpCode::CallGlobal, 0, 0, b.slot);
            } else if (b.kind == Binding::Builtin) {
                emitBuiltinCall(b.builtin, {}, t);
            } else if (b.kind == Binding::Member) {
                emit(OpCode::LoadMe);
                emit(OpCode::CallMember, 0, 1, name(t.name));
            } else if (b.kind == Binding::ObjectMember) {
                emit(OpCode::LoadGlobal, 0, 0, b.global);
                emit(OpCode::CallMember, 0, 0, name(t.name));
            } else {
                loadName(t);
                emit(OpCode::Index, 0);
            }
        } else if (t.kind == ExprKind::Member) {
            object(t);
            pos_ = t.pos;
            noteObject(emit(OpCode::CallMember, 0, isMe(t.left.get()) ? 1 : 0, name(t.name)), t);
        } else {
            failAt(cerr::ExpectedStatement, t.pos);
        }
        emit(OpCode::Pop);
    }

    void ifStatement(const Stmt& s)
    {
        std::vector<int> toEnd;
        expr(*s.cond);
        int jf = emit(OpCode::JumpFalse);
        block(s.body);
        for (const ElseIf& e : s.elseIfs) {
            markStatement();
            toEnd.push_back(emit(OpCode::Jump));
            patch(jf, here());
            pos_ = e.pos;
            markStatement();
            expr(*e.cond);
            jf = emit(OpCode::JumpFalse);
            block(e.body);
        }
        if (s.hasElse) {
            markStatement();
            toEnd.push_back(emit(OpCode::Jump));
            patch(jf, here());
            block(s.elseBody);
        } else {
            patch(jf, here());
        }
        for (int j : toEnd)
            patch(j, here());
        markStatement();
    }

    void selectStatement(const Stmt& s)
    {
        int slot = hidden();
        expr(*s.value);
        emit(OpCode::StoreLocal, 2, uint16_t(slot));
        std::vector<int> toEnd;
        for (const CaseClause& c : s.cases) {
            pos_ = c.pos;
            markStatement();
            std::vector<int> toBody;
            for (const ExprPtr& v : c.values) {
                emit(OpCode::LoadLocal, 0, uint16_t(slot));
                expr(*v);
                pos_ = c.pos;
                emit(OpCode::Eq, uint8_t(constantValue(*v) ? 2 : 0));
                toBody.push_back(emit(OpCode::JumpTrue));
            }
            int skip = emit(OpCode::Jump);
            for (int j : toBody)
                patch(j, here());
            block(c.body);
            markStatement();
            toEnd.push_back(emit(OpCode::Jump));
            patch(skip, here());
        }
        if (s.hasElse)
            block(s.elseBody);
        for (int j : toEnd)
            patch(j, here());
        markStatement();
        emitConst(Variant());
        emit(OpCode::StoreLocal, 2, uint16_t(slot));
    }

    void forStatement(const Stmt& s)
    {
        int limit = hidden();
        int step = hidden();
        if (step != limit + 1)
            failAt(cerr::SyntaxError, s.pos);
        int headerStart = here();
        expr(*s.from);
        emit(OpCode::ToNumber);
        storeName(s.name, s.pos, false);
        expr(*s.to);
        emit(OpCode::ToNumber);
        emit(OpCode::StoreLocal, 2, uint16_t(limit));
        if (s.step) {
            expr(*s.step);
            emit(OpCode::ToNumber);
        } else {
            emitConst(Variant::fromInteger(1));
        }
        emit(OpCode::StoreLocal, 2, uint16_t(step));
        Binding counter = resolve(s.name, false);
        forExits_.emplace_back();
        pos_ = s.pos;
        markStatement();
        int head = here();
        expr(nameExpr(s.name, s.pos));
        emit(OpCode::LoadLocal, 0, uint16_t(limit));
        emit(OpCode::LoadLocal, 0, uint16_t(step));
        emit(OpCode::ForTest);
        int exitJump = emit(OpCode::JumpFalse);
        block(s.body);
        pos_ = s.pos;
        markStatement();
        if (counter.kind == Binding::Local && counter.slot < 0xFFFF && limit < 0xFF) {
            emit(OpCode::ForStepLocal, uint8_t(limit), uint16_t(counter.slot), exitJump + 1);
        } else if (counter.kind == Binding::Global && limit < 0xFFFF) {
            emit(OpCode::ForStepGlobal, 0, uint16_t(limit), counter.slot);
            emit(OpCode::Jump, 0, 0, exitJump + 1);
        } else {
            expr(nameExpr(s.name, s.pos));
            emit(OpCode::LoadLocal, 0, uint16_t(step));
            emit(OpCode::Add);
            storeName(s.name, s.pos, false);
            emit(OpCode::Jump, 0, 0, head);
        }
        patch(exitJump, here());
        for (int j : forExits_.back())
            patch(j, here());
        forExits_.pop_back();
        // an error in the bounds or the test resumes after the loop, not inside it
        proc_.resumeAfter.push_back({uint32_t(headerStart), uint32_t(exitJump + 1), uint32_t(here())});
        markStatement();
    }

    const Expr& nameExpr(const std::u16string& n, Pos p)
    {
        auto e = std::make_unique<Expr>(ExprKind::Name, p);
        e->name = n;
        temps_.push_back(std::move(e));
        return *temps_.back();
    }

    void forEachStatement(const Stmt& s)
    {
        int slot = hidden();
        expr(*s.value);
        pos_ = s.pos;
        int init = emit(OpCode::ForEachInit, 0, uint16_t(slot));
        forExits_.emplace_back();
        markStatement();
        int head = here();
        int nextOp = emit(OpCode::ForEachNext, 0, uint16_t(slot));
        storeName(s.name, s.pos, false, 2);
        block(s.body);
        markStatement();
        emit(OpCode::Jump, 0, 0, head);
        int end = here();
        patch(init, end);
        patch(nextOp, end);
        for (int j : forExits_.back())
            patch(j, end);
        forExits_.pop_back();
        markStatement();
        emitConst(Variant());
        emit(OpCode::StoreLocal, 2, uint16_t(slot));
    }

    void doStatement(const Stmt& s)
    {
        doExits_.emplace_back();
        int head = here();
        if (s.cond && !s.testAtEnd) {
            expr(*s.cond);
            pos_ = s.pos;
            int exitJump = emit(s.until ? OpCode::JumpTrue : OpCode::JumpFalse);
            doExits_.back().push_back(exitJump);
            block(s.body);
            markStatement();
            emit(OpCode::Jump, 0, 0, head);
        } else {
            block(s.body);
            markStatement();
            if (s.cond) {
                expr(*s.cond);
                emit(s.until ? OpCode::JumpFalse : OpCode::JumpTrue, 0, 0, head);
            } else {
                emit(OpCode::Jump, 0, 0, head);
            }
        }
        for (int j : doExits_.back())
            patch(j, here());
        doExits_.pop_back();
        markStatement();
    }

    void whileStatement(const Stmt& s)
    {
        int head = here();
        expr(*s.cond);
        int exitJump = emit(OpCode::JumpFalse);
        doExits_.emplace_back(); // Exit Do is not valid here, but keeps the stacks balanced
        block(s.body);
        markStatement();
        emit(OpCode::Jump, 0, 0, head);
        patch(exitJump, here());
        doExits_.pop_back();
        markStatement();
    }

    // ---- hoisting ----
    void hoist(const Stmt& s)
    {
        switch (s.kind) {
        case StmtKind::Dim:
            for (const VarDecl& v : s.vars)
                declareVar(v);
            break;
        case StmtKind::Const:
            for (const ConstDecl& c : s.consts)
                declareConst(c);
            break;
        case StmtKind::If:
            hoistDeclarations(s.body);
            for (const ElseIf& e : s.elseIfs)
                hoistDeclarations(e.body);
            hoistDeclarations(s.elseBody);
            break;
        case StmtKind::Select:
            for (const CaseClause& c : s.cases)
                hoistDeclarations(c.body);
            hoistDeclarations(s.elseBody);
            break;
        case StmtKind::For:
        case StmtKind::ForEach:
        case StmtKind::Do:
        case StmtKind::While:
        case StmtKind::With: hoistDeclarations(s.body); break;
        default: break;
        }
    }

    void declareVar(const VarDecl& v)
    {
        std::u16string lower = toLower(v.name);
        if (topLevel_) {
            if (unit_.declaredGlobals.count(lower) || unit_.globalConsts.count(lower))
                failAt(cerr::NameRedefined, v.pos);
            int g = unit_.env.globals.findOrAdd(lower, v.name);
            unit_.declaredGlobals.insert(lower);
            unit_.toDeclare.push_back(g);
        } else {
            if (locals_.count(lower) || localConsts_.count(lower))
                failAt(cerr::NameRedefined, v.pos);
            addLocal(lower);
        }
        if (v.isArray)
            prologueArrays.emplace_back(v.name, &v);
    }

    void declareConst(const ConstDecl& c)
    {
        std::u16string lower = toLower(c.name);
        // a Const takes its value now, in the locale active while compiling (-"1,5")
        constDecl_ = true;
        std::optional<Variant> v = constantValue(*c.value);
        constDecl_ = false;
        if (!v)
            failAt(cerr::ExpectedLiteral, c.pos);
        if (topLevel_) {
            if (unit_.declaredGlobals.count(lower) || unit_.globalConsts.count(lower))
                failAt(cerr::NameRedefined, c.pos);
            unit_.globalConsts[lower] = *v;
            int g = unit_.env.globals.findOrAdd(lower, c.name);
            unit_.declaredGlobals.insert(lower);
            unit_.toDeclare.push_back(g);
        } else {
            if (locals_.count(lower) || localConsts_.count(lower))
                failAt(cerr::NameRedefined, c.pos);
            localConsts_[lower] = *v;
        }
    }

    std::unordered_set<std::u16string> procNames_;
    // Only the top-level code of an Execute / Eval text sees the caller's locals and Me;
    // procedures it defines run anywhere later.
    bool seesOuter = false;

private:
    // A jump onto a Return (the end of an If branch at the end of the body, Exit) returns
    // itself: one dispatch less.
    void returnForJumpsToReturn()
    {
        for (Instr& in : proc_.code)
            if (in.op == OpCode::Jump && size_t(in.c) < proc_.code.size() && proc_.code[size_t(in.c)].op == OpCode::Return)
                in = Instr{OpCode::Return};
    }

private:
    // Operand stack depth: expressions never branch, so a linear pass is exact.
    void computeMaxStack()
    {
        int depth = 0, maxDepth = 0;
        size_t nextStart = 0;
        for (size_t pc = 0; pc < proc_.code.size(); ++pc) {
            while (nextStart < proc_.statementStarts.size() && proc_.statementStarts[nextStart] < pc)
                ++nextStart;
            if (nextStart < proc_.statementStarts.size() && proc_.statementStarts[nextStart] == pc)
                depth = 0;
            depth += stackEffect(proc_.code[pc]);
            OpCode op = proc_.code[pc].op;
            if (op == OpCode::LoadField || op == OpCode::StoreField || op == OpCode::RefField)
                proc_.needsMe = true;
            if (op == OpCode::LoadOuter || op == OpCode::StoreOuter || op == OpCode::RefOuter)
                proc_.needsOuter = true;
            if (depth < 0)
                depth = 0;
            maxDepth = std::max(maxDepth, depth);
        }
        proc_.maxStack = maxDepth + 4;
    }

    static int stackEffect(const Instr& in)
    {
        int a = in.a;
        switch (in.op) {
        case OpCode::Const:
        case OpCode::LoadLocal:
        case OpCode::RefLocal:
        case OpCode::LoadGlobal:
        case OpCode::RefGlobal:
        case OpCode::LoadField:
        case OpCode::RefField:
        case OpCode::LoadOuter:
        case OpCode::RefOuter:
        case OpCode::LoadMe:
        case OpCode::LoadErr:
        case OpCode::New:
        case OpCode::ForEachNext:
        case OpCode::LoadDyn:
        case OpCode::RefDyn:
        case OpCode::CompareLocalConst:
        case OpCode::AddLocalConst:
        case OpCode::SubLocalConst: return 1;
        case OpCode::StoreLocal:
        case OpCode::StoreGlobal:
        case OpCode::StoreField:
        case OpCode::StoreOuter:
        case OpCode::StoreDyn:
        case OpCode::Pop:
        case OpCode::JumpFalse:
        case OpCode::JumpTrue:
        case OpCode::ForEachInit:
        case OpCode::Erase:
        case OpCode::Execute: return -1;
        case OpCode::Neg:
        case OpCode::Not:
        case OpCode::Jump:
        case OpCode::Eval:
        case OpCode::GetRef:
        case OpCode::OnErrorResumeNext:
        case OpCode::OnErrorGoto0:
        case OpCode::Return:
        case OpCode::Undefined:
        case OpCode::Raise:
        case OpCode::CopyLocal:
        case OpCode::ForStepLocal:
        case OpCode::ForStepGlobal:
        case OpCode::ToNumber: return 0;
        case OpCode::ForTest: return -2;
        case OpCode::CallBuiltin:
        case OpCode::CallGlobal: return 1 - a;
        case OpCode::Index:
        case OpCode::CallMember:
        case OpCode::RefIndex: return -a;
        case OpCode::PutMember:
        case OpCode::StoreIndex: return -(a + 2);
        case OpCode::ReDim: return -(a + 1);
        case OpCode::AppendTo: return in.a ? -1 : -2;
        case OpCode::CreateObject: return 1 - a;
        default: return -1; // binary operators
        }
    }

    UnitState& unit_;
    Procedure& proc_;
    ClassInfo* cls_;
    bool topLevel_;
    bool constDecl_ = false; // folding a Const value: locale-dependent operations fold too
    Pos pos_;
    std::unordered_map<std::u16string, int> locals_;
    std::unordered_map<std::u16string, Variant> localConsts_;
    std::unordered_map<std::u16string, std::pair<int, int>> dynamics_;
    std::vector<int> withSlots_;
    std::vector<std::vector<int>> forExits_, doExits_;
    std::vector<ExprPtr> temps_;
};

std::unique_ptr<Procedure> newProcedure(const std::u16string& name, ProcKind kind, UnitState& unit)
{
    auto p = std::make_unique<Procedure>();
    p->name = name;
    p->kind = kind;
    p->source = unit.env.source;
    return p;
}

std::unique_ptr<Procedure> compileProc(UnitState& unit, ProcDecl& decl, ClassInfo* cls,
                                       const std::unordered_set<std::u16string>& procNames)
{
    auto proc = newProcedure(decl.name, decl.kind, unit);
    proc->isPublic = decl.isPublic;
    proc->owner = cls;
    ProcCompiler pc(unit, *proc, cls, false);
    pc.procNames_ = procNames;
    pc.declareParams(decl.params);
    if (decl.kind == ProcKind::Function || decl.kind == ProcKind::PropertyGet)
        pc.declareResult(decl.name);
    pc.hoistDeclarations(decl.body);
    pc.emitPrologueArrays(pc.prologueArrays);
    pc.compileBody(decl.body);
    pc.finish();
    return proc;
}

void buildClass(UnitState& unit, ClassDecl& decl, ClassInfo& cls, const std::u16string_view source,
                const std::unordered_set<std::u16string>& procNames)
{
    cls.name = decl.name;
    auto memberFor = [&](const std::u16string& shown, Pos p, bool isPublic, bool isField) -> ClassMember& {
        std::u16string lower = toLower(shown);
        int m = cls.find(lower);
        if (m >= 0) {
            ClassMember& existing = cls.members[size_t(m)];
            if (isField || existing.field >= 0)
                throw compileError(cerr::NameRedefined, source, p.line, p.column);
            return existing;
        }
        cls.members.push_back(ClassMember{shown, isPublic});
        cls.byName.emplace(lower, int(cls.members.size()) - 1);
        return cls.members.back();
    };
    for (FieldDecl& f : decl.fields) {
        ClassMember& m = memberFor(f.var.name, f.var.pos, f.isPublic, true);
        m.field = cls.fieldCount++;
        if (f.var.isArray) {
            std::vector<int32_t> bounds;
            for (const ExprPtr& d : f.var.dims)
                bounds.push_back(quillo::script::toLong(d->value));
            cls.fieldArrays.emplace_back(m.field, std::move(bounds));
        }
    }
    // Members first, so bodies can resolve each other.
    std::vector<std::pair<ProcDecl*, int>> pending;
    for (ProcPtr& p : decl.procs) {
        ClassMember& m = memberFor(p->name, p->pos, p->isPublic, false);
        int index = int(&m - cls.members.data());
        bool clash = (p->kind == ProcKind::PropertyLet && m.let) || (p->kind == ProcKind::PropertySet && m.set)
            || ((p->kind == ProcKind::PropertyGet || p->kind == ProcKind::Function || p->kind == ProcKind::Sub) && m.get);
        if (clash)
            throw compileError(cerr::NameRedefined, source, p->pos.line, p->pos.column);
        if (p->isPublic)
            m.isPublic = true;
        pending.emplace_back(p.get(), index);
        if (p->isDefault)
            cls.defaultMember = index;
        // placeholders so `find` reports the member as a procedure while bodies compile
        if (p->kind == ProcKind::PropertyLet)
            m.let = reinterpret_cast<Procedure*>(1);
        else if (p->kind == ProcKind::PropertySet)
            m.set = reinterpret_cast<Procedure*>(1);
        else
            m.get = reinterpret_cast<Procedure*>(1);
    }
    // Property Let/Set take one argument more than Property Get.
    for (auto& [p, m] : pending) {
        for (auto& [q, n] : pending) {
            if (n != m || p == q)
                continue;
            size_t pa = p->params.size() - (p->kind == ProcKind::PropertyGet ? 0 : 1);
            size_t qa = q->params.size() - (q->kind == ProcKind::PropertyGet ? 0 : 1);
            if (p->kind >= ProcKind::PropertyGet && q->kind >= ProcKind::PropertyGet && pa != qa)
                throw compileError(cerr::InconsistentPropertyArgs, source, q->pos.line, q->pos.column);
        }
    }
    for (auto& [p, index] : pending) {
        auto proc = compileProc(unit, *p, &cls, procNames);
        Procedure* raw = proc.get();
        cls.procs.push_back(std::move(proc));
        ClassMember* m = &cls.members[size_t(index)];
        if (p->kind == ProcKind::PropertyLet)
            m->let = raw;
        else if (p->kind == ProcKind::PropertySet)
            m->set = raw;
        else
            m->get = raw;
        if (p->kind == ProcKind::Sub) {
            std::u16string lower = toLower(p->name);
            if (lower == u"class_initialize")
                cls.initialize = raw;
            else if (lower == u"class_terminate")
                cls.terminate = raw;
        }
    }
}

} // namespace

CompiledUnit compileProgram(ProgramAst& program, CompileEnv& env)
{
    std::u16string_view source = env.source ? std::u16string_view(env.source->text) : std::u16string_view();
    UnitState unit{env, source, {}, {}, {}, program.optionExplicit || env.optionExplicit};
    CompiledUnit out;

    // Procedure names are declared globals from the start (callable before their text).
    std::unordered_set<std::u16string> procNames;
    for (ProcPtr& p : program.procs) {
        std::u16string lower = toLower(p->name);
        if (!procNames.insert(lower).second)
            throw compileError(cerr::NameRedefined, source, p->pos.line, p->pos.column);
        int g = env.globals.findOrAdd(lower, p->name);
        unit.declaredGlobals.insert(lower);
        unit.toDeclare.push_back(g);
    }

    out.main = newProcedure(u"", ProcKind::Sub, unit);
    ProcCompiler mainCompiler(unit, *out.main, env.outerClass, env.outer == nullptr);
    mainCompiler.seesOuter = true;
    mainCompiler.procNames_ = procNames;
    mainCompiler.hoistDeclarations(program.body);
    for (const StmtPtr& s : program.body) {
        if (s->kind == StmtKind::Dim)
            for (const VarDecl& v : s->vars)
                if (procNames.count(toLower(v.name)))
                    throw compileError(cerr::NameRedefined, source, v.pos.line, v.pos.column);
    }

    for (ClassPtr& c : program.classes) {
        auto cls = std::make_unique<ClassInfo>();
        buildClass(unit, *c, *cls, source, procNames);
        out.classes.push_back(std::move(cls));
    }
    for (ProcPtr& p : program.procs)
        out.procs.push_back(compileProc(unit, *p, nullptr, procNames));

    mainCompiler.emitPrologueArrays(mainCompiler.prologueArrays);
    mainCompiler.compileBody(program.body);
    mainCompiler.finish();
    out.main->localNames.clear(); // top-level hidden temporaries are not visible names
    out.declared = std::move(unit.toDeclare);
    for (auto& [lower, value] : unit.globalConsts)
        out.constants.emplace_back(env.globals.find(lower), value);
    return out;
}

std::unique_ptr<Procedure> compileEval(Expr& expr, CompileEnv& env)
{
    std::u16string_view source = env.source ? std::u16string_view(env.source->text) : std::u16string_view();
    UnitState unit{env, source, {}, {}, {}, env.optionExplicit};
    auto proc = newProcedure(u"", ProcKind::Function, unit);
    ProcCompiler pc(unit, *proc, env.outerClass, env.outer == nullptr);
    pc.seesOuter = true;
    proc->resultSlot = pc.hidden();
    pc.markStatement();
    pc.expr(expr);
    pc.emit(OpCode::StoreLocal, 2, uint16_t(proc->resultSlot));
    pc.emit(OpCode::Return);
    pc.finish();
    proc->localNames.clear();
    return proc;
}

} // namespace quillo::vbscript
