#include "scripting/jscript/Compiler.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/Remainder.h"
#include "scripting/jscript/StackGuard.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

namespace {

// A whole number in int32 range; the range test comes first, casting a larger double is undefined.
bool isInt32(double d) {
    return d >= -2147483648.0 && d <= 2147483647.0 && d == std::trunc(d);
}

// The operator of a compound assignment (`+=` gives +); T::End for the others.
T arithmeticOf(T assignOp) {
    switch (assignOp) {
        case T::PlusAssign: return T::Plus;
        case T::MinusAssign: return T::Minus;
        case T::StarAssign: return T::Star;
        case T::SlashAssign: return T::Slash;
        case T::PercentAssign: return T::Percent;
        default: return T::End;
    }
}

using NameSet = std::set<std::u16string>;

// ---- scope analysis ----

struct FnInfo {
    NameSet declared;
    NameSet captured;  // declared names some inner function uses
    NameSet free;      // names used here or inside that are not declared here
    bool dynamic = false;  // this function or an inner one uses with/eval
};

using InfoMap = std::unordered_map<const FunctionNode*, FnInfo>;

void analyze(const FunctionNode& f, InfoMap& infos, bool isTop) {
    FnInfo info;
    if (!isTop) {
        for (auto& p : f.params) info.declared.insert(p);
        for (auto& v : f.varNames) info.declared.insert(v);
        if (f.usesArguments || f.usesEval) info.declared.insert(u"arguments");
    }
    info.dynamic = f.usesEval || f.hasWith;
    NameSet used(f.freeNames.begin(), f.freeNames.end());
    for (const FunctionNode* c : f.children) {
        analyze(*c, infos, false);
        const FnInfo& ci = infos[c];
        if (ci.dynamic) info.dynamic = true;
        for (auto& n : ci.free) {
            if (info.declared.count(n)) info.captured.insert(n);
            used.insert(n);
        }
        // Names a dynamic child might reach at run time.
        if (ci.dynamic) info.captured = info.declared;
    }
    for (auto& n : used)
        if (!info.declared.count(n)) info.free.insert(n);
    if (f.usesEval || f.hasWith) info.captured = info.declared;
    infos[&f] = std::move(info);
}

// ---- code generation ----

enum class LocKind { Stack, Env, Global, Dynamic };
struct Loc {
    LocKind kind;
    int depth = 0;
    int index = 0;
};

struct Control {
    enum Kind { Loop, Switch, Label, TryCatch, TryFinally, With } kind;
    std::vector<std::u16string> labels;
    std::vector<size_t> breaks;
    std::vector<size_t> continues;
    const Node* finallyBlock = nullptr;
    size_t blockCount = 0;  // scope blocks open outside a finally block
};

// A scope inside a function: a `with`, or a catch clause whose variable lives in a stack
// slot (nothing can capture it) or in an Env of its own pushed on the scope chain.
struct Block {
    enum Kind { With, CatchSlot, CatchEnv } kind;
    std::u16string name;  // catch variable
    Loc loc;
};

struct FnState {
    FnState* parent = nullptr;
    const FunctionNode* node = nullptr;
    FuncProto* proto = nullptr;
    CodeKind kind = CodeKind::Function;
    std::unordered_map<std::u16string, Loc> vars;
    bool hasEnv = false;
    bool hasChildren = false;
    std::vector<Block> blocks;
    std::vector<Control> controls;
    int depth = 0;
    std::unordered_map<std::u16string, int> strIndex;
    uint32_t lastPos = UINT32_MAX;
    std::vector<int> freeTemps;  // stack slots register forms may reuse
};

class Compiler {
public:
    Compiler(Vm& vm, const InfoMap& infos, std::shared_ptr<const std::u16string> text)
        : vm_(vm), infos_(infos), text_(std::move(text)) {}

    FuncProto* compileFunction(const FunctionNode& f, CodeKind kind, FnState* parent);

private:
    // emission
    size_t here() const { return s_->proto->code.size(); }
    void adjust(int effect) {
        s_->depth += effect;
        if (s_->depth > s_->proto->maxStack) s_->proto->maxStack = s_->depth;
    }
    void emit(Op op, int effect) {
        s_->proto->code.push_back(static_cast<int32_t>(op));
        adjust(effect);
    }
    void emit(Op op, int effect, int32_t a) { emit(op, effect); s_->proto->code.push_back(a); }
    void emit(Op op, int effect, int32_t a, int32_t b) { emit(op, effect, a); s_->proto->code.push_back(b); }
    void emit(Op op, int effect, int32_t a, int32_t b, int32_t c) { emit(op, effect, a, b); s_->proto->code.push_back(c); }
    size_t emitJump(Op op, int effect) {
        emit(op, effect, -1);
        return here() - 1;
    }
    void patch(size_t at) { s_->proto->code[at] = static_cast<int32_t>(here()); }
    void patchTo(size_t at, size_t target) { s_->proto->code[at] = static_cast<int32_t>(target); }
    void mark(uint32_t pos) {
        if (pos == s_->lastPos) return;
        s_->lastPos = pos;
        s_->proto->lines.push_back({static_cast<int32_t>(here()), pos});
    }
    int str(const std::u16string& s);
    int num(double d) {
        s_->proto->numbers.push_back(d);
        return static_cast<int>(s_->proto->numbers.size() - 1);
    }
    int newTemp() { return s_->proto->localCount++; }
    void emitRemainderMultiplier(uint32_t divisor) {
        uint64_t m = fastModMultiplier(divisor);
        s_->proto->code.push_back(static_cast<int32_t>(static_cast<uint32_t>(m)));
        s_->proto->code.push_back(static_cast<int32_t>(static_cast<uint32_t>(m >> 32)));
    }

    // scopes
    Loc resolve(const std::u16string& name);
    void emitGet(const std::u16string& name, uint32_t pos);
    void emitSet(const Loc& loc, const std::u16string& name);
    void emitSetName(const std::u16string& name) { emitSet(resolve(name), name); }
    std::u16string baseText(const Node* n);
    int baseTextIndex(const Node* n) {
        std::u16string t = baseText(n);
        return t.empty() ? -1 : str(t);
    }

    // statements
    void statement(const Node* n);
    void statements(const std::vector<NodePtr>& list) {
        for (auto& s : list) statement(s.get());
    }
    void varDecl(const Node* n);
    // `x = e`, `x++` on a stack slot as one instruction; false when it does not apply.
    bool fusedStatement(const Node* e);
    // `i++` and `i < k` of a counted loop as one instruction; false when it does not apply.
    bool countedStep(const Node* update, const Node* test, size_t top);
    void ifStatement(const Node* n);
    void loop(const Node* n, std::vector<std::u16string> labels);
    void forIn(const Node* n, std::vector<std::u16string> labels);
    void switchStatement(const Node* n, std::vector<std::u16string> labels);
    void jump(const Node* n, bool isBreak);
    void returnStatement(const Node* n);
    void tryStatement(const Node* n);
    void finallyStatement(const Node* block);
    void catchClause(const Node* n);
    int catchScope(const std::u16string& name);
    void withStatement(const Node* n);
    void unwindTo(size_t controlIndex);
    void patchBreaks(Control& c) {
        for (size_t b : c.breaks) patch(b);
    }

    // expressions
    void expr(const Node* n);
    // Evaluates a condition and jumps when it is false; returns the operand to patch.
    size_t jumpIfFalse(const Node* cond);
    // Evaluates a loop condition and jumps back to `top` while it holds.
    void loopIfTrue(const Node* cond, size_t top);
    void binaryOperands(const Node* n);
    // Register forms: arithmetic over stack locals and whole-number constants, written
    // straight into a local (dst >= 0) or onto the stack (dst -1).
    bool isRegisterOperand(const Node* n, int depth);
    bool isRegisterArith(T op, const Node* a, const Node* b, int depth = kRegisterDepth);
    void registerArith(T op, const Node* a, const Node* b, int dst, uint32_t pos);
    bool isStackLocal(const Node* n);
    bool scaledSum(const Node* a, const Node* b, int& x, int& y, int32_t& k);
    bool fusedArith(T op, const Node* a, const Node* b, int dst, uint32_t pos);
    int operandSlot(const Node* n, std::vector<int>& temps);
    bool registerCompare(const Node* c, size_t& jump);
    void assign(const Node* n);
    void update(const Node* n, bool valueNeeded);
    void call(const Node* n);
    void unary(const Node* n);
    void binaryOp(T op);
    void storeTo(const Node* target);  // value on stack -> value on stack
    void closure(const FunctionNode* f);

    // Deeper trees take the stack form, so the eligibility test stays cheap.
    static constexpr int kRegisterDepth = 4;

    Vm& vm_;
    const InfoMap& infos_;
    std::shared_ptr<const std::u16string> text_;
    FnState* s_ = nullptr;
};

int Compiler::str(const std::u16string& s) {
    auto it = s_->strIndex.find(s);
    if (it != s_->strIndex.end()) return it->second;
    int i = static_cast<int>(s_->proto->strings.size());
    s_->proto->strings.push_back(Value::string(vm_.atoms().intern(s)));
    s_->strIndex.emplace(s, i);
    return i;
}

FuncProto* Compiler::compileFunction(const FunctionNode& f, CodeKind kind, FnState* parent) {
    FnState state;
    state.parent = parent;
    state.node = &f;
    state.kind = kind;
    FuncProto* p = vm_.heap().make<FuncProto>();
    vm_.pinProto(p);
    state.proto = p;
    p->scriptText = text_;
    p->isEvalCode = kind == CodeKind::Eval;
    p->isGlobalCode = kind == CodeKind::Global;
    if (!f.name.empty()) p->name = vm_.atoms().intern(f.name);
    if (kind == CodeKind::Function) p->source = text_->substr(f.srcStart, f.srcEnd - f.srcStart);
    p->paramCount = static_cast<int>(f.params.size());
    FnState* outer = s_;
    s_ = &state;
    const FnInfo& info = infos_.at(&f);
    state.hasChildren = !f.children.empty();
    p->dynamicLocals = f.usesEval || f.hasWith;

    if (kind == CodeKind::Function) {
        // Parameters first (the caller leaves them in slots 0..n-1), then variables.
        p->localCount = p->paramCount;
        auto place = [&](const std::u16string& name, int stackSlot) -> Loc {
            bool inEnv = info.captured.count(name) || p->dynamicLocals;
            if (inEnv) {
                Loc l{LocKind::Env, 0, p->envCount++};
                p->envNames.push_back(vm_.atoms().intern(name));
                return l;
            }
            if (stackSlot >= 0) return Loc{LocKind::Stack, 0, stackSlot};
            return Loc{LocKind::Stack, 0, p->localCount++};
        };
        bool usesArguments = f.usesArguments || f.usesEval;
        bool aliasParams = usesArguments;
        for (size_t i = 0; i < f.params.size(); ++i) {
            const std::u16string& name = f.params[i];
            Loc l;
            if (aliasParams && !info.captured.count(name) && !p->dynamicLocals) {
                l = Loc{LocKind::Env, 0, p->envCount++};
                p->envNames.push_back(vm_.atoms().intern(name));
            } else {
                l = place(name, static_cast<int>(i));
            }
            state.vars[name] = l;  // a later duplicate parameter wins
        }
        p->paramLocation.resize(f.params.size());
        for (size_t i = 0; i < f.params.size(); ++i) {
            Loc l = state.vars[f.params[i]];
            bool last = true;
            for (size_t j = i + 1; j < f.params.size(); ++j)
                if (f.params[j] == f.params[i]) last = false;
            if (!last) l = Loc{LocKind::Stack, 0, static_cast<int>(i)};
            p->paramLocation[i] = l.kind == LocKind::Env ? -(l.index + 1) : l.index;
        }
        if (usesArguments && !state.vars.count(u"arguments")) {
            Loc l = place(u"arguments", -1);
            state.vars[u"arguments"] = l;
            p->needsArguments = true;
            p->argumentsSlot = l.kind == LocKind::Env ? -(l.index + 1) : l.index;
        }
        for (const std::u16string& v : f.varNames)
            if (!state.vars.count(v)) state.vars[v] = place(v, -1);
        state.hasEnv = p->envCount > 0 || p->dynamicLocals || state.hasChildren;
        p->needsEnv = state.hasEnv;
    } else {
        state.hasEnv = false;
    }
    if (kind == CodeKind::Eval) p->completionSlot = p->localCount++;

    // Hoisting: names of global and eval code are declared at run time, functions
    // before variables, so the scope object lists them in that order.
    if (kind != CodeKind::Function) {
        for (const FunctionNode* fd : f.functionDecls) emit(Op::DeclareName, 0, str(fd->name));
        for (const std::u16string& v : f.varNames) emit(Op::DeclareName, 0, str(v));
    }
    for (const FunctionNode* fd : f.functionDecls) {
        closure(fd);
        emitSetName(fd->name);
        emit(Op::Pop, -1);
    }
    if (kind == CodeKind::Eval) {
        emit(Op::Undef, 1);
        emit(Op::SetLocal, 0, p->completionSlot);
        emit(Op::Pop, -1);
    }
    statements(f.body);
    if (kind == CodeKind::Eval) {
        emit(Op::GetLocal, 1, p->completionSlot);
        emit(Op::Return, -1);
    } else {
        emit(Op::ReturnUndef, 0);
    }
    p->frameSlots = p->localCount + p->maxStack + 16;
    p->plainFrame = p->envCount == 0 && !p->dynamicLocals && !p->needsEnv && !p->needsArguments;
    s_ = outer;
    return p;
}

// A named function expression comes here twice, as a declaration and as an expression:
// each is compiled for the scopes open where its closure is made.
void Compiler::closure(const FunctionNode* f) {
    FuncProto* child = compileFunction(*f, CodeKind::Function, s_);
    s_->proto->children.push_back(child);
    emit(Op::Closure, 1, static_cast<int32_t>(s_->proto->children.size() - 1));
}

// ---- names ----

Loc Compiler::resolve(const std::u16string& name) {
    int depth = 0;
    for (FnState* s = s_; s; s = s->parent) {
        for (auto it = s->blocks.rbegin(); it != s->blocks.rend(); ++it) {
            if (it->kind == Block::With) return Loc{LocKind::Dynamic};
            if (it->name == name) {
                Loc l = it->loc;
                if (l.kind == LocKind::Env) l.depth = depth;
                else if (s != s_) return Loc{LocKind::Dynamic};  // cannot happen: captured ones are CatchEnv
                return l;
            }
            if (it->kind == Block::CatchEnv) ++depth;
        }
        auto it = s->vars.find(name);
        if (it != s->vars.end()) {
            Loc l = it->second;
            if (l.kind == LocKind::Env) l.depth = depth;
            else if (s != s_) return Loc{LocKind::Dynamic};  // cannot happen: captured names live in Env
            return l;
        }
        if (s->kind == CodeKind::Eval) return Loc{LocKind::Dynamic};
        if (s->kind == CodeKind::Global) return Loc{LocKind::Global};
        if (s->node->usesEval || s->node->hasWith) return Loc{LocKind::Dynamic};
        if (s->hasEnv) ++depth;
    }
    return Loc{LocKind::Global};
}

void Compiler::emitGet(const std::u16string& name, uint32_t pos) {
    mark(pos);
    Loc l = resolve(name);
    switch (l.kind) {
        case LocKind::Stack: emit(Op::GetLocal, 1, l.index); break;
        case LocKind::Env: emit(Op::GetEnv, 1, l.depth, l.index); break;
        case LocKind::Global: emit(Op::GetGlobal, 1, str(name), -1); break;
        case LocKind::Dynamic: emit(Op::GetName, 1, str(name)); break;
    }
}

void Compiler::emitSet(const Loc& l, const std::u16string& name) {
    switch (l.kind) {
        case LocKind::Stack: emit(Op::SetLocal, 0, l.index); break;
        case LocKind::Env: emit(Op::SetEnv, 0, l.depth, l.index); break;
        case LocKind::Global: emit(Op::SetGlobal, 0, str(name), -1); break;
        case LocKind::Dynamic: emit(Op::SetName, 0, str(name)); break;
    }
}

std::u16string Compiler::baseText(const Node* n) {
    switch (n->kind) {
        case N::Ident: return n->str;
        case N::This: return u"this";
        case N::Null: return u"null";
        case N::Member: {
            std::u16string b = baseText(n->a.get());
            return b.empty() ? b : b + u"." + n->str;
        }
        case N::Index: {
            std::u16string b = baseText(n->a.get());
            if (b.empty()) return b;
            if (n->b->kind == N::Num) return b + u"[" + numberToString(n->b->num) + u"]";
            if (n->b->kind == N::Str) return b + u"[\"" + n->b->str + u"\"]";
            if (n->b->kind == N::Ident) return b + u"[" + n->b->str + u"]";
            return b + u"[...]";
        }
        case N::Call: {
            std::u16string b = baseText(n->a.get());
            return b.empty() ? b : b + u"(...)";
        }
        default: return {};
    }
}

// ---- statements ----

void Compiler::statement(const Node* n) {
    if (nativeStackLow()) throw CompileError{28, n->pos};
    mark(n->pos);
    switch (n->kind) {
        case N::VarDecl: varDecl(n); break;
        case N::ExprStmt:
            if (s_->kind != CodeKind::Eval && fusedStatement(n->a.get())) break;
            if (n->a->kind == N::Update) update(n->a.get(), false);
            else expr(n->a.get());
            if (s_->kind == CodeKind::Eval) emit(Op::SetLocal, 0, s_->proto->completionSlot);
            emit(Op::Pop, -1);
            break;
        case N::Block: statements(n->list); break;
        case N::Empty: break;
        case N::Debugger: emit(Op::Debugger, 0); break;
        case N::If: ifStatement(n); break;
        case N::DoWhile: case N::While: case N::For: loop(n, {}); break;
        case N::ForIn: forIn(n, {}); break;
        case N::Switch: switchStatement(n, {}); break;
        case N::Continue: jump(n, false); break;
        case N::Break: jump(n, true); break;
        case N::Return: returnStatement(n); break;
        case N::Throw:
            expr(n->a.get());
            mark(n->pos);
            emit(Op::Throw, -1);
            break;
        case N::Try: tryStatement(n); break;
        case N::With: withStatement(n); break;
        case N::FunctionDecl: break;  // hoisted
        case N::Labeled: {
            std::vector<std::u16string> labels{n->str};
            const Node* inner = n->a.get();
            while (inner->kind == N::Labeled) {
                labels.push_back(inner->str);
                inner = inner->a.get();
            }
            if (inner->kind == N::DoWhile || inner->kind == N::While || inner->kind == N::For) {
                loop(inner, labels);
            } else if (inner->kind == N::ForIn) {
                forIn(inner, labels);
            } else if (inner->kind == N::Switch) {
                switchStatement(inner, labels);
            } else {
                s_->controls.push_back({Control::Label, labels, {}, {}, nullptr});
                statement(inner);
                Control c = std::move(s_->controls.back());
                s_->controls.pop_back();
                patchBreaks(c);
            }
            break;
        }
        default:
            expr(n);
            emit(Op::Pop, -1);
    }
}

bool Compiler::fusedStatement(const Node* e) {
    if (e->kind == N::Update && e->a->kind == N::Ident) {
        Loc l = resolve(e->a->str);
        if (l.kind != LocKind::Stack) return false;
        mark(e->pos);
        emit(e->op == T::Inc ? Op::IncLocal : Op::DecLocal, 0, l.index);
        return true;
    }
    if (e->kind == N::Assign && e->a->kind == N::Ident) {
        Loc l = resolve(e->a->str);
        if (l.kind != LocKind::Stack) return false;
        T op = arithmeticOf(e->op);
        if (op != T::End && isRegisterArith(op, e->a.get(), e->b.get())) {  // x += e
            registerArith(op, e->a.get(), e->b.get(), l.index, e->pos);
            return true;
        }
        if (e->op != T::Assign) return false;
        const Node* v = e->b.get();
        if (v->kind == N::Binary && isRegisterArith(v->op, v->a.get(), v->b.get())) {
            registerArith(v->op, v->a.get(), v->b.get(), l.index, v->pos);
            return true;
        }
        expr(e->b.get());
        emit(Op::SetLocalPop, -1, l.index);
        return true;
    }
    return false;
}

bool Compiler::countedStep(const Node* u, const Node* c, size_t top) {
    if (u->kind != N::Update || u->op != T::Inc || u->a->kind != N::Ident) return false;
    if (c->kind != N::Binary || (c->op != T::Lt && c->op != T::Le)) return false;
    if (c->a->kind != N::Ident || c->a->str != u->a->str || c->b->kind != N::Num || !isInt32(c->b->num)) return false;
    Loc l = resolve(u->a->str);
    if (l.kind != LocKind::Stack) return false;
    mark(u->pos);
    auto back = static_cast<int32_t>(top) - static_cast<int32_t>(here());  // from the opcode
    emit(c->op == T::Lt ? Op::IncLoopIfLocalLtInt : Op::IncLoopIfLocalLeInt, 0, l.index, static_cast<int32_t>(c->b->num), back);
    return true;
}

void Compiler::varDecl(const Node* n) {
    for (auto& v : n->list) {
        if (!v->a) continue;
        expr(v->a.get());
        mark(v->pos);
        emitSetName(v->str);
        emit(Op::Pop, -1);
    }
}

void Compiler::ifStatement(const Node* n) {
    size_t toElse = jumpIfFalse(n->a.get());
    statement(n->b.get());
    if (n->c) {
        size_t toEnd = emitJump(Op::Jump, 0);
        patch(toElse);
        statement(n->c.get());
        patch(toEnd);
    } else {
        patch(toElse);
    }
}

void Compiler::loop(const Node* n, std::vector<std::u16string> labels) {
    s_->controls.push_back({Control::Loop, std::move(labels), {}, {}, nullptr});
    size_t controlIndex = s_->controls.size() - 1;
    auto body = [&](const Node* b) { statement(b); };
    // Loops are laid out with the test at the bottom: one conditional backward jump
    // per iteration.
    size_t continueTarget;
    if (n->kind == N::DoWhile) {
        size_t top = here();
        body(n->a.get());
        continueTarget = here();
        loopIfTrue(n->b.get(), top);
    } else if (n->kind == N::While) {
        size_t toTest = emitJump(Op::Jump, 0);
        size_t top = here();
        body(n->b.get());
        continueTarget = here();
        patch(toTest);
        loopIfTrue(n->a.get(), top);
    } else {
        if (n->a) {
            if (n->a->kind == N::VarDecl) {
                varDecl(n->a.get());
            } else {
                expr(n->a.get());
                emit(Op::Pop, -1);
            }
        }
        size_t toTest = n->b ? emitJump(Op::Jump, 0) : SIZE_MAX;
        size_t top = here();
        body(n->d.get());
        continueTarget = here();
        // The fused step falls through into the plain test, which also serves the first entry.
        bool stepped = n->c && n->b && countedStep(n->c.get(), n->b.get(), top);
        if (n->c && !stepped && !fusedStatement(n->c.get())) {
            if (n->c->kind == N::Update) update(n->c.get(), false);
            else expr(n->c.get());
            emit(Op::Pop, -1);
        }
        if (n->b) {
            patch(toTest);
            loopIfTrue(n->b.get(), top);
        } else {
            emit(Op::Loop, 0, static_cast<int32_t>(top));
        }
    }
    Control c = std::move(s_->controls[controlIndex]);
    s_->controls.pop_back();
    for (size_t j : c.continues) patchTo(j, continueTarget);
    patchBreaks(c);
}

void Compiler::forIn(const Node* n, std::vector<std::u16string> labels) {
    const Node* target = n->a.get();
    if (target->kind == N::VarDecl) {
        const Node* v = target->list[0].get();
        if (v->a) {
            expr(v->a.get());
            emitSetName(v->str);
            emit(Op::Pop, -1);
        }
    }
    int iter = newTemp();
    expr(n->b.get());
    emit(Op::ForInStart, 0);
    emit(Op::SetLocal, 0, iter);
    emit(Op::Pop, -1);
    s_->controls.push_back({Control::Loop, std::move(labels), {}, {}, nullptr});
    size_t controlIndex = s_->controls.size() - 1;
    size_t top = here();
    emit(Op::GetLocal, 1, iter);
    size_t exit = emitJump(Op::ForInNext, 0);  // iter -> key, or pops iter and jumps
    if (target->kind == N::VarDecl) {
        emitSetName(target->list[0]->str);
    } else {
        storeTo(target);
    }
    emit(Op::Pop, -1);
    statement(n->d.get());
    emit(Op::Loop, 0, static_cast<int32_t>(top));
    patch(exit);
    adjust(-1);
    adjust(1);  // balance: the jump path leaves nothing, the fall-through path one key
    Control c = std::move(s_->controls[controlIndex]);
    s_->controls.pop_back();
    for (size_t j : c.continues) patchTo(j, top);
    patchBreaks(c);
    emit(Op::Undef, 1);
    emit(Op::SetLocal, 0, iter);
    emit(Op::Pop, -1);
}

void Compiler::switchStatement(const Node* n, std::vector<std::u16string> labels) {
    int disc = newTemp();
    expr(n->a.get());
    emit(Op::SetLocal, 0, disc);
    emit(Op::Pop, -1);
    std::vector<size_t> toBody(n->list.size(), SIZE_MAX);
    size_t defaultIndex = SIZE_MAX;
    for (size_t i = 0; i < n->list.size(); ++i) {
        const Node* c = n->list[i].get();
        if (!c->a) {
            defaultIndex = i;
            continue;
        }
        emit(Op::GetLocal, 1, disc);
        expr(c->a.get());
        emit(Op::StrictEq, -1);
        toBody[i] = emitJump(Op::JumpIfTrue, -1);
    }
    size_t toDefault = emitJump(Op::Jump, 0);
    s_->controls.push_back({Control::Switch, std::move(labels), {}, {}, nullptr});
    size_t controlIndex = s_->controls.size() - 1;
    size_t defaultTarget = SIZE_MAX;
    for (size_t i = 0; i < n->list.size(); ++i) {
        if (i == defaultIndex) defaultTarget = here();
        else patch(toBody[i]);
        statements(n->list[i]->list);
    }
    Control c = std::move(s_->controls[controlIndex]);
    s_->controls.pop_back();
    if (defaultTarget != SIZE_MAX) patchTo(toDefault, defaultTarget);
    else patch(toDefault);
    patchBreaks(c);
}

// Leaves every control entry above `controlIndex`: ends try blocks (running finally
// code inline) and `with` scopes.
void Compiler::unwindTo(size_t controlIndex) {
    for (size_t i = s_->controls.size(); i-- > controlIndex;) {
        Control& c = s_->controls[i];
        if (c.kind == Control::TryCatch) {
            emit(Op::EndTry, 0);
        } else if (c.kind == Control::TryFinally) {
            emit(Op::EndTry, 0);
            // The finally code runs with the controls outside it.
            std::vector<Control> saved(s_->controls.begin() + static_cast<long>(i), s_->controls.end());
            s_->controls.resize(i);
            auto blocks = s_->blocks;
            s_->blocks.resize(saved[0].blockCount, Block{Block::With, {}, {}});
            finallyStatement(saved[0].finallyBlock);
            s_->blocks = blocks;
            s_->controls.insert(s_->controls.end(), saved.begin(), saved.end());
        } else if (c.kind == Control::With) {
            emit(Op::LeaveWith, 0);
        }
    }
}

void Compiler::jump(const Node* n, bool isBreak) {
    for (size_t i = s_->controls.size(); i-- > 0;) {
        Control& c = s_->controls[i];
        bool matches;
        if (n->str.empty()) {
            matches = c.kind == Control::Loop || (isBreak && c.kind == Control::Switch);
        } else {
            matches = std::find(c.labels.begin(), c.labels.end(), n->str) != c.labels.end();
        }
        if (!matches) continue;
        unwindTo(i + 1);
        size_t j = emitJump(Op::Jump, 0);
        (isBreak ? s_->controls[i].breaks : s_->controls[i].continues).push_back(j);
        return;
    }
    throw CompileError{isBreak ? 1019 : 1020, n->pos};
}

void Compiler::returnStatement(const Node* n) {
    if (n->a) expr(n->a.get());
    else emit(Op::Undef, 1);
    bool crossesTry = false;
    for (auto& c : s_->controls)
        if (c.kind == Control::TryFinally || c.kind == Control::TryCatch || c.kind == Control::With) crossesTry = true;
    if (crossesTry) {
        int t = newTemp();
        emit(Op::SetLocal, 0, t);
        emit(Op::Pop, -1);
        unwindTo(0);
        emit(Op::GetLocal, 1, t);
    }
    emit(Op::Return, -1);
}

void Compiler::tryStatement(const Node* n) {
    const Node* finallyBlock = n->c.get();
    size_t finTry = 0, catchTry = 0;
    if (finallyBlock) {
        finTry = emitJump(Op::Try, 0);
        s_->controls.push_back({Control::TryFinally, {}, {}, {}, finallyBlock, s_->blocks.size()});
    }
    if (n->b) {
        catchTry = emitJump(Op::Try, 0);
        s_->controls.push_back({Control::TryCatch, {}, {}, {}, nullptr});
    }
    statement(n->a.get());
    if (n->b) {
        s_->controls.pop_back();
        emit(Op::EndTry, 0);
        size_t skip = emitJump(Op::Jump, 0);
        patch(catchTry);
        adjust(1);  // the exception
        catchClause(n);
        patch(skip);
    }
    if (finallyBlock) {
        s_->controls.pop_back();
        emit(Op::EndTry, 0);
        finallyStatement(finallyBlock);
        size_t skip = emitJump(Op::Jump, 0);
        patch(finTry);
        adjust(1);
        int t = newTemp();
        emit(Op::SetLocal, 0, t);
        emit(Op::Pop, -1);
        statement(finallyBlock);
        emit(Op::GetLocal, 1, t);
        emit(Op::Throw, -1);
        patch(skip);
    }
}

// A finally block leaves eval code's completion value as the try or catch block set it.
void Compiler::finallyStatement(const Node* block) {
    if (s_->kind != CodeKind::Eval) {
        statement(block);
        return;
    }
    const int completion = s_->proto->completionSlot, saved = newTemp();
    emit(Op::GetLocal, 1, completion);
    emit(Op::SetLocal, 0, saved);
    emit(Op::Pop, -1);
    statement(block);
    emit(Op::GetLocal, 1, saved);
    emit(Op::SetLocal, 0, completion);
    emit(Op::Pop, -1);
}

// The exception is on the stack. The variable belongs to the catch block alone; when a
// closure, `eval` or `with` could reach it, each run of the block gets an Env of its own.
void Compiler::catchClause(const Node* n) {
    if (!s_->hasChildren && !s_->proto->dynamicLocals) {
        Loc loc{LocKind::Stack, 0, newTemp()};
        emit(Op::SetLocal, 0, loc.index);
        emit(Op::Pop, -1);
        s_->blocks.push_back({Block::CatchSlot, n->str, loc});
        statement(n->b.get());
        s_->blocks.pop_back();
        return;
    }
    emit(Op::EnterCatch, -1, catchScope(n->str));
    s_->controls.push_back({Control::With, {}, {}, {}, nullptr});  // leaving it pops the Env
    s_->blocks.push_back({Block::CatchEnv, n->str, Loc{LocKind::Env, 0, 0}});
    statement(n->b.get());
    s_->blocks.pop_back();
    s_->controls.pop_back();
    emit(Op::LeaveWith, 0);
}

// The names of a catch Env (its one variable) for run-time lookup, as a child of the proto.
int Compiler::catchScope(const std::u16string& name) {
    FuncProto* scope = vm_.heap().make<FuncProto>();
    vm_.pinProto(scope);
    scope->isCatchScope = true;
    scope->envNames.push_back(vm_.atoms().intern(name));
    s_->proto->children.push_back(scope);
    return static_cast<int>(s_->proto->children.size() - 1);
}

void Compiler::withStatement(const Node* n) {
    expr(n->a.get());
    mark(n->pos);
    emit(Op::EnterWith, -1);
    s_->controls.push_back({Control::With, {}, {}, {}, nullptr});
    s_->blocks.push_back({Block::With, {}, {}});
    statement(n->b.get());
    s_->blocks.pop_back();
    s_->controls.pop_back();
    emit(Op::LeaveWith, 0);
}

// ---- expressions ----

void Compiler::expr(const Node* n) {
    if (nativeStackLow()) throw CompileError{28, n->pos};
    switch (n->kind) {
        case N::Num: {
            double d = n->num;
            if (isInt32(d) && !(d == 0 && std::signbit(d))) emit(Op::Int, 1, static_cast<int32_t>(d));
            else emit(Op::Num, 1, num(d));
            break;
        }
        case N::Str: emit(Op::Str, 1, str(n->str)); break;
        case N::True: emit(Op::True, 1); break;
        case N::False: emit(Op::False, 1); break;
        case N::Null: emit(Op::Null, 1); break;
        case N::Empty: emit(Op::Undef, 1); break;
        case N::This: emit(Op::This, 1); break;
        case N::Ident: emitGet(n->str, n->pos); break;
        case N::RegExp:
            mark(n->pos);
            emit(Op::RegExp, 1, str(n->str), str(n->flags));
            break;
        case N::Array: {
            for (auto& e : n->list) {
                if (e) expr(e.get());
                else emit(Op::Hole, 1);
            }
            emit(Op::NewArray, 1 - static_cast<int>(n->list.size()), static_cast<int32_t>(n->list.size()));
            break;
        }
        case N::Object: {
            emit(Op::NewObject, 1);
            for (auto& p : n->list) {
                expr(p->a.get());
                std::u16string key = p->kind == N::Num ? numberToString(p->num) : p->str;
                emit(Op::InitProp, -1, str(key));
            }
            break;
        }
        case N::Function: closure(n->func.get()); break;  // a name was bound when the scope began
        case N::Member:
            expr(n->a.get());
            mark(n->pos);
            emit(Op::GetProp, 0, str(n->str), baseTextIndex(n->a.get()));
            break;
        case N::Index:
            expr(n->a.get());
            expr(n->b.get());
            mark(n->pos);
            emit(Op::GetElem, -1, baseTextIndex(n->a.get()));
            break;
        case N::Call: call(n); break;
        case N::New: {
            expr(n->a.get());
            for (auto& a : n->list) expr(a.get());
            mark(n->pos);
            emit(Op::New, -static_cast<int>(n->list.size()), static_cast<int32_t>(n->list.size()));
            break;
        }
        case N::Unary: unary(n); break;
        case N::Update: update(n, true); break;
        case N::Binary: {
            if (isRegisterArith(n->op, n->a.get(), n->b.get())) {
                registerArith(n->op, n->a.get(), n->b.get(), -1, n->pos);
                adjust(1);
                break;
            }
            // A small whole-number right operand folds into the instruction.
            const Node* r = n->b.get();
            bool smallInt = r->kind == N::Num && isInt32(r->num) && !std::signbit(r->num);
            Op withInt = n->op == T::Plus ? Op::AddInt : n->op == T::Minus ? Op::SubInt : n->op == T::Star ? Op::MulInt
                       : n->op == T::Percent ? Op::ModInt : Op::Undef;
            if (smallInt && withInt != Op::Undef && !(withInt == Op::ModInt && r->num == 0)) {
                expr(n->a.get());
                mark(n->pos);
                emit(withInt, 0, static_cast<int32_t>(r->num));
                if (withInt == Op::ModInt) emitRemainderMultiplier(static_cast<uint32_t>(r->num));
                break;
            }
            binaryOperands(n);
            mark(n->pos);
            binaryOp(n->op);
            break;
        }
        case N::Logical: {
            expr(n->a.get());
            size_t j = emitJump(n->op == T::And ? Op::JumpIfFalseKeep : Op::JumpIfTrueKeep, 0);
            emit(Op::Pop, -1);
            expr(n->b.get());
            patch(j);
            break;
        }
        case N::Conditional: {
            size_t toElse = jumpIfFalse(n->a.get());  // a comparison tests and jumps in one step
            expr(n->b.get());
            size_t toEnd = emitJump(Op::Jump, 0);
            patch(toElse);
            adjust(-1);
            expr(n->c.get());
            patch(toEnd);
            break;
        }
        case N::Assign: assign(n); break;
        case N::Comma:
            expr(n->a.get());
            emit(Op::Pop, -1);
            expr(n->b.get());
            break;
        default:
            throw CompileError{1002, n->pos};
    }
}

void Compiler::loopIfTrue(const Node* c, size_t top) {
    if (c->kind == N::Binary && (c->op == T::Lt || c->op == T::Le || c->op == T::Gt || c->op == T::Ge)) {
        if (c->a->kind == N::Ident && c->b->kind == N::Num && isInt32(c->b->num)) {
            Loc la = resolve(c->a->str);
            if (la.kind == LocKind::Stack) {
                mark(c->pos);
                Op op = c->op == T::Lt ? Op::LoopIfLocalLtInt : c->op == T::Le ? Op::LoopIfLocalLeInt
                      : c->op == T::Gt ? Op::LoopIfLocalGtInt : Op::LoopIfLocalGeInt;
                emit(op, 0, la.index, static_cast<int32_t>(c->b->num), static_cast<int32_t>(top));
                return;
            }
        }
        binaryOperands(c);
        mark(c->pos);
        Op op = c->op == T::Lt ? Op::LoopIfLt : c->op == T::Le ? Op::LoopIfLe : c->op == T::Gt ? Op::LoopIfGt : Op::LoopIfGe;
        emit(op, -2, static_cast<int32_t>(top));
        return;
    }
    expr(c);
    emit(Op::LoopIfTrue, -1, static_cast<int32_t>(top));
}

// Both operands of a binary node; two stack locals load in one instruction.
void Compiler::binaryOperands(const Node* n) {
    if (n->a->kind == N::Ident && n->b->kind == N::Ident) {
        Loc la = resolve(n->a->str), lb = resolve(n->b->str);
        if (la.kind == LocKind::Stack && lb.kind == LocKind::Stack) {
            emit(Op::GetLocal2, 2, la.index, lb.index);
            return;
        }
    }
    expr(n->a.get());
    expr(n->b.get());
}

// A whole number that fits an instruction operand (not -0).
static bool isIntConstant(const Node* n) {
    return n->kind == N::Num && isInt32(n->num) && !std::signbit(n->num);
}

// A local slot or a register expression: reading it has no effect on any local.
bool Compiler::isRegisterOperand(const Node* n, int depth) {
    if (n->kind == N::Ident) return resolve(n->str).kind == LocKind::Stack;
    return n->kind == N::Binary && depth > 0 && isRegisterArith(n->op, n->a.get(), n->b.get(), depth - 1);
}

// `a op b` in register form: an operand on the left, an operand or a constant on the
// right (a constant on the left only for *, whose operands commute).
bool Compiler::isRegisterArith(T op, const Node* a, const Node* b, int depth) {
    if (op != T::Plus && op != T::Minus && op != T::Star && op != T::Slash && op != T::Percent) return false;
    if (op == T::Star && isIntConstant(a)) std::swap(a, b);
    if (!isRegisterOperand(a, depth)) return false;
    if (isIntConstant(b)) return op != T::Percent || b->num > 0;
    return isRegisterOperand(b, depth);
}

// The slot holding operand `n`: its own, or a temporary it is computed into.
int Compiler::operandSlot(const Node* n, std::vector<int>& temps) {
    if (n->kind == N::Ident) return resolve(n->str).index;
    int t;
    if (s_->freeTemps.empty()) {
        t = newTemp();
    } else {
        t = s_->freeTemps.back();
        s_->freeTemps.pop_back();
    }
    registerArith(n->op, n->a.get(), n->b.get(), t, n->pos);
    temps.push_back(t);
    return t;
}

bool Compiler::isStackLocal(const Node* n) {
    return n->kind == N::Ident && resolve(n->str).kind == LocKind::Stack;
}

// `a + b*k` (or `a + k*b`) over locals: the slots of a and b and the factor k.
bool Compiler::scaledSum(const Node* a, const Node* b, int& x, int& y, int32_t& k) {
    if (!isStackLocal(a) || b->kind != N::Binary || b->op != T::Star) return false;
    const Node* f = b->a.get();
    const Node* c = b->b.get();
    if (isIntConstant(f)) std::swap(f, c);
    if (!isStackLocal(f) || !isIntConstant(c)) return false;
    x = resolve(a->str).index;
    y = resolve(f->str).index;
    k = static_cast<int32_t>(c->num);
    return true;
}

// `a + b*k` and `(a + b*k) % m` as one instruction: the intermediate results stay in
// registers. The shape of checksums, hashes and index arithmetic.
bool Compiler::fusedArith(T op, const Node* a, const Node* b, int dst, uint32_t pos) {
    int x, y;
    int32_t k;
    if (op == T::Plus && scaledSum(a, b, x, y, k)) {
        mark(pos);
        emit(Op::AddMulLLK, 0, dst, x, y);
        s_->proto->code.push_back(k);
        return true;
    }
    if (op != T::Percent || !isIntConstant(b) || b->num <= 0 || a->kind != N::Binary || a->op != T::Plus ||
        !scaledSum(a->a.get(), a->b.get(), x, y, k))
        return false;
    auto m = static_cast<int32_t>(b->num);
    mark(pos);
    emit(Op::AddMulModLLKK, 0, dst, x, y);
    s_->proto->code.push_back(k);
    s_->proto->code.push_back(m);
    emitRemainderMultiplier(static_cast<uint32_t>(m));
    return true;
}

// Operands are computed left to right, then the operator applies, as on the stack.
void Compiler::registerArith(T op, const Node* a, const Node* b, int dst, uint32_t pos) {
    if (op == T::Star && isIntConstant(a)) std::swap(a, b);
    if (fusedArith(op, a, b, dst, pos)) return;
    std::vector<int> temps;
    int x = operandSlot(a, temps);
    mark(pos);
    if (isIntConstant(b)) {
        auto k = static_cast<int32_t>(b->num);
        Op o = op == T::Plus ? Op::AddLK : op == T::Minus ? Op::SubLK : op == T::Star ? Op::MulLK : op == T::Slash ? Op::DivLK : Op::ModLK;
        emit(o, 0, dst, x, k);
        if (o == Op::ModLK) emitRemainderMultiplier(static_cast<uint32_t>(k));
    } else {
        int y = operandSlot(b, temps);
        mark(pos);
        Op o = op == T::Plus ? Op::AddLL : op == T::Minus ? Op::SubLL : op == T::Star ? Op::MulLL : op == T::Slash ? Op::DivLL : Op::ModLL;
        emit(o, 0, dst, x, y);
    }
    for (int t : temps) s_->freeTemps.push_back(t);
}

// `a < b` and kin over register operands: one compare-and-jump reading the slots.
bool Compiler::registerCompare(const Node* c, size_t& jump) {
    const Node* a = c->a.get();
    const Node* b = c->b.get();
    bool constant = isIntConstant(b);
    if (!isRegisterOperand(a, kRegisterDepth) || !(constant || isRegisterOperand(b, kRegisterDepth))) return false;
    std::vector<int> temps;
    int x = operandSlot(a, temps);
    int y = constant ? static_cast<int32_t>(b->num) : operandSlot(b, temps);
    mark(c->pos);
    Op o;
    if (constant) o = c->op == T::Lt ? Op::JumpIfNotLtLK : c->op == T::Le ? Op::JumpIfNotLeLK : c->op == T::Gt ? Op::JumpIfNotGtLK : Op::JumpIfNotGeLK;
    else o = c->op == T::Lt ? Op::JumpIfNotLtLL : c->op == T::Le ? Op::JumpIfNotLeLL : c->op == T::Gt ? Op::JumpIfNotGtLL : Op::JumpIfNotGeLL;
    emit(o, 0, x, y, -1);
    jump = here() - 1;
    for (int t : temps) s_->freeTemps.push_back(t);
    return true;
}

size_t Compiler::jumpIfFalse(const Node* c) {
    if (c->kind == N::Binary && (c->op == T::Lt || c->op == T::Le || c->op == T::Gt || c->op == T::Ge)) {
        size_t jump;
        if (registerCompare(c, jump)) return jump;
        binaryOperands(c);
        mark(c->pos);
        Op op = c->op == T::Lt ? Op::JumpIfNotLt : c->op == T::Le ? Op::JumpIfNotLe : c->op == T::Gt ? Op::JumpIfNotGt : Op::JumpIfNotGe;
        return emitJump(op, -2);
    }
    if (c->kind == N::Unary && c->op == T::Not) {
        expr(c->a.get());
        return emitJump(Op::JumpIfTrue, -1);
    }
    expr(c);
    return emitJump(Op::JumpIfFalse, -1);
}

void Compiler::binaryOp(T op) {
    switch (op) {
        case T::Plus: case T::PlusAssign: emit(Op::Add, -1); break;
        case T::Minus: case T::MinusAssign: emit(Op::Sub, -1); break;
        case T::Star: case T::StarAssign: emit(Op::Mul, -1); break;
        case T::Slash: case T::SlashAssign: emit(Op::Div, -1); break;
        case T::Percent: case T::PercentAssign: emit(Op::Mod, -1); break;
        case T::Shl: case T::ShlAssign: emit(Op::Shl, -1); break;
        case T::Sar: case T::SarAssign: emit(Op::Sar, -1); break;
        case T::Shr: case T::ShrAssign: emit(Op::Shr, -1); break;
        case T::BitAnd: case T::AndAssign: emit(Op::BitAnd, -1); break;
        case T::BitOr: case T::OrAssign: emit(Op::BitOr, -1); break;
        case T::BitXor: case T::XorAssign: emit(Op::BitXor, -1); break;
        case T::Eq: emit(Op::Eq, -1); break;
        case T::Ne: emit(Op::Ne, -1); break;
        case T::StrictEq: emit(Op::StrictEq, -1); break;
        case T::StrictNe: emit(Op::StrictNe, -1); break;
        case T::Lt: emit(Op::Lt, -1); break;
        case T::Gt: emit(Op::Gt, -1); break;
        case T::Le: emit(Op::Le, -1); break;
        case T::Ge: emit(Op::Ge, -1); break;
        case T::Instanceof: emit(Op::Instanceof, -1); break;
        case T::In: emit(Op::In, -1); break;
        default: throw CompileError{1002, 0};
    }
}

// The value to store is on the stack; leaves it there.
// The run-time error for storing into what is not a reference.
static int32_t invalidTargetError(const Node* target) {
    switch (target->kind) {
        case N::This: return 5000; // Cannot assign to 'this'
        case N::Call: return 5003; // Cannot assign to a function result
        default: return 5008;      // Illegal assignment
    }
}

void Compiler::storeTo(const Node* target) {
    switch (target->kind) {
        case N::Ident: emitSetName(target->str); break;
        case N::Member:
            expr(target->a.get());
            emit(Op::Swap, 0);
            emit(Op::SetProp, -1, str(target->str));
            break;
        case N::Index:
            expr(target->a.get());
            expr(target->b.get());
            emit(Op::Rot3, 0);
            emit(Op::SetElem, -2);
            break;
        default:
            emit(Op::ThrowRef, 0, invalidTargetError(target));
    }
}

void Compiler::assign(const Node* n) {
    const Node* t = n->a.get();
    bool compound = n->op != T::Assign;
    mark(n->pos);
    switch (t->kind) {
        case N::Ident: {
            if (compound) {
                emitGet(t->str, t->pos);
                expr(n->b.get());
                mark(n->pos);
                binaryOp(n->op);
            } else {
                expr(n->b.get());
            }
            mark(n->pos);
            emitSetName(t->str);
            break;
        }
        case N::Member: {
            expr(t->a.get());
            if (compound) {
                emit(Op::Dup, 1);
                emit(Op::GetProp, 0, str(t->str), baseTextIndex(t->a.get()));
                expr(n->b.get());
                binaryOp(n->op);
            } else {
                expr(n->b.get());
            }
            mark(n->pos);
            emit(Op::SetProp, -1, str(t->str));
            break;
        }
        case N::Index: {
            expr(t->a.get());
            expr(t->b.get());
            if (compound) {
                emit(Op::Dup2, 2);
                emit(Op::GetElem, -1, baseTextIndex(t->a.get()));
                expr(n->b.get());
                binaryOp(n->op);
            } else {
                expr(n->b.get());
            }
            mark(n->pos);
            emit(Op::SetElem, -2);
            break;
        }
        case N::Call: {
            if (compound) {
                expr(n->b.get());
                emit(Op::ThrowRef, 0, 5003);
                break;
            }
            const Node* callee = t->a.get();
            if (callee->kind == N::Member) {
                expr(callee->a.get());
                emit(Op::GetMethod, 1, str(callee->str), baseTextIndex(callee->a.get()));
            } else {
                expr(callee);
                emit(Op::Undef, 1);
            }
            for (auto& a : t->list) expr(a.get());
            expr(n->b.get());
            mark(n->pos);
            emit(Op::PutCall, -static_cast<int>(t->list.size()) - 2, static_cast<int32_t>(t->list.size()));
            break;
        }
        default:
            expr(n->b.get());
            emit(Op::ThrowRef, 0, invalidTargetError(t));
    }
}

void Compiler::update(const Node* n, bool valueNeeded) {
    const Node* t = n->a.get();
    Op step = n->op == T::Inc ? Op::Inc : Op::Dec;
    bool postfix = !n->prefix && valueNeeded;
    mark(n->pos);
    switch (t->kind) {
        case N::Ident: {
            emitGet(t->str, t->pos);
            emit(Op::ToNumber, 0);
            if (postfix) emit(Op::Dup, 1);
            emit(step, 0);
            emitSetName(t->str);
            if (postfix) emit(Op::Pop, -1);
            break;
        }
        case N::Member: {
            expr(t->a.get());
            emit(Op::Dup, 1);
            emit(Op::GetProp, 0, str(t->str), baseTextIndex(t->a.get()));
            emit(Op::ToNumber, 0);
            if (postfix) {
                emit(Op::Dup, 1);
                emit(Op::Rot3, 0);
            }
            emit(step, 0);
            emit(Op::SetProp, -1, str(t->str));
            if (postfix) emit(Op::Pop, -1);
            break;
        }
        case N::Index: {
            expr(t->a.get());
            expr(t->b.get());
            emit(Op::Dup2, 2);
            emit(Op::GetElem, -1, baseTextIndex(t->a.get()));
            emit(Op::ToNumber, 0);
            if (postfix) {
                emit(Op::Dup, 1);
                emit(Op::Rot4, 0);
            }
            emit(step, 0);
            emit(Op::SetElem, -2);
            if (postfix) emit(Op::Pop, -1);
            break;
        }
        default:
            expr(t);
            emit(Op::ThrowRef, 0, invalidTargetError(t));
    }
}

void Compiler::call(const Node* n) {
    const Node* callee = n->a.get();
    int flags = 0;
    if (callee->kind == N::Member) {
        expr(callee->a.get());
        mark(callee->pos);
        emit(Op::GetMethod, 1, str(callee->str), baseTextIndex(callee->a.get()));
        flags = 1;
    } else if (callee->kind == N::Index) {
        expr(callee->a.get());
        expr(callee->b.get());
        mark(callee->pos);
        emit(Op::GetMethodElem, 0, baseTextIndex(callee->a.get()));
        flags = 1;
    } else if (callee->kind == N::Ident && resolve(callee->str).kind == LocKind::Dynamic) {
        mark(callee->pos);
        emit(Op::GetNameMethod, 2, str(callee->str));
        if (callee->str == u"eval") flags = 2;
    } else {
        expr(callee);
        emit(Op::Undef, 1);
        if (callee->kind == N::Ident && callee->str == u"eval") flags = 2;
    }
    for (auto& a : n->list) expr(a.get());
    mark(n->pos);
    emit(Op::Call, -static_cast<int>(n->list.size()) - 1, static_cast<int32_t>(n->list.size()), flags);
}

void Compiler::unary(const Node* n) {
    const Node* a = n->a.get();
    switch (n->op) {
        case T::Typeof:
            if (a->kind == N::Ident) {
                Loc l = resolve(a->str);
                if (l.kind == LocKind::Global) {
                    emit(Op::TypeofGlobal, 1, str(a->str), -1);
                    break;
                }
                if (l.kind == LocKind::Dynamic) {
                    emit(Op::TypeofName, 1, str(a->str));
                    break;
                }
            }
            expr(a);
            emit(Op::Typeof, 0);
            break;
        case T::Delete:
            if (a->kind == N::Member) {
                expr(a->a.get());
                mark(n->pos);
                emit(Op::DeleteProp, 0, str(a->str));
            } else if (a->kind == N::Index) {
                expr(a->a.get());
                expr(a->b.get());
                mark(n->pos);
                emit(Op::DeleteElem, -1);
            } else if (a->kind == N::Ident) {
                Loc l = resolve(a->str);
                if (l.kind == LocKind::Global || l.kind == LocKind::Dynamic) emit(Op::DeleteName, 1, str(a->str));
                else emit(Op::False, 1);
            } else {
                expr(a);
                emit(Op::Pop, -1);
                emit(Op::True, 1);
            }
            break;
        case T::Void:
            expr(a);
            emit(Op::Pop, -1);
            emit(Op::Undef, 1);
            break;
        case T::Plus: expr(a); emit(Op::ToNumber, 0); break;
        case T::Minus: expr(a); emit(Op::Neg, 0); break;
        case T::BitNot: expr(a); emit(Op::BitNot, 0); break;
        case T::Not: expr(a); emit(Op::Not, 0); break;
        default: throw CompileError{1002, n->pos};
    }
}

}  // namespace

FuncProto* compileProgram(Vm& vm, const Program& program, CodeKind kind,
                          std::shared_ptr<const std::u16string> text) {
    InfoMap infos;
    analyze(*program.main, infos, true);
    Compiler c(vm, infos, std::move(text));
    return c.compileFunction(*program.main, kind, nullptr);
}

FuncProto* compileFunctionOnly(Vm& vm, const Program& program, std::shared_ptr<const std::u16string> text) {
    InfoMap infos;
    analyze(*program.main, infos, true);
    Compiler c(vm, infos, std::move(text));
    return c.compileFunction(*program.main->children[0], CodeKind::Function, nullptr);
}

}  // namespace quillo::jscript
