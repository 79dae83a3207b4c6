#include "scripting/vbscript/Interpreter.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/ClassInstance.h"
#include "scripting/vbscript/ErrObject.h"
#include "scripting/vbscript/GlobalObject.h"
#include "scripting/vbscript/Operators.h"
#include "scripting/vbscript/Parser.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/TextLimits.h"

#include <pthread.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <new>
#include <typeinfo>

namespace quillo::vbscript {

using quillo::script::ArrayBound;
using quillo::script::Ref;
using quillo::script::DispatchPtr;
using quillo::script::InvokeKind;
using quillo::script::SafeArray;
using quillo::script::ScriptAbort;
using quillo::script::ScriptError;
using quillo::script::VarType;
namespace err = quillo::script::err;
namespace conv = quillo::script;

namespace {

[[noreturn]] void fail(int n) { throw ScriptError::runtime(n); }
[[noreturn]] void failNamed(int n, const std::u16string& name) { throw ScriptError::withName(n, name); }

// Arrays are values: a shared one is copied when stored.
void unshareArray(Variant& v)
{
    if (v.isArray() && v.asArray() && v.asArray()->refCount() > 1) {
        Ref<SafeArray> copy = v.asArray()->copy();
        v = Variant::fromArray(copy.get());
    }
}

// `x = value`: an object's default value is stored; an object variable takes the value
// through its default property.
void assignLet(Variant& slot, Variant value)
{
    Variant& target = slot.deref();
    if (value.type() == VarType::Object)
        value = conv::valueOf(value);
    else if (value.isArray())
        unshareArray(value);
    if (target.type() == VarType::Object && target.asObject()) {
        DispatchPtr obj = target.objectRef();
        Variant args[1] = {std::move(value)};
        obj->invoke(quillo::script::DISPID_VALUE, InvokeKind::PropertyPut, args);
        return;
    }
    target = std::move(value);
}

void assignSet(Variant& slot, Variant value)
{
    if (value.type() != VarType::Object)
        fail(err::ObjectRequired);
    slot.deref() = std::move(value);
}

[[gnu::always_inline]] inline bool isPlainScalar(VarType t) { return t != VarType::Object && t != VarType::VariantArray && t != VarType::ByRef; }

// Values without a counted payload need no release: overwriting them in place is free.
[[gnu::always_inline]] inline bool ownsPayload(VarType t)
{
    return t == VarType::String || t == VarType::Object || t == VarType::VariantArray;
}

// Replaces `slot` by `v` without the temporary and swap of Variant's assignment.
[[gnu::always_inline]] inline void put(Variant& slot, Variant&& v)
{
    if (ownsPayload(slot.type()))
        slot.clear();
    new (&slot) Variant(std::move(v));
}
[[gnu::always_inline]] inline void putCopy(Variant& slot, const Variant& v)
{
    if (ownsPayload(slot.type()))
        slot.clear();
    if (!ownsPayload(v.type())) // no count to raise: copy the bits
        std::memcpy(static_cast<void*>(&slot), static_cast<const void*>(&v), sizeof(Variant));
    else
        new (&slot) Variant(v);
}

void storeSlow(Variant& slot, Variant value, uint8_t mode)
{
    if (mode == 0)
        assignLet(slot, std::move(value));
    else if (mode == 1)
        assignSet(slot, std::move(value));
    else
        slot = std::move(value);
}

// `slot = value` (mode 0), `Set slot = value` (1) or a plain overwrite (2); a scalar
// into a non-object variable inline. `value` is left Empty.
[[gnu::always_inline]] inline void store(Variant& slot, Variant&& value, uint8_t mode)
{
    if (mode == 0 && isPlainScalar(value.type())) {
        Variant& target = slot.deref();
        if (target.type() != VarType::Object) {
            put(target, std::move(value));
            return;
        }
    }
    storeSlow(slot, std::move(value), mode);
}

// Holds a For Each enumerator in a hidden local.
class EnumeratorHolder : public quillo::script::Dispatch {
public:
    explicit EnumeratorHolder(Ref<quillo::script::Enumerator> e) : e_(std::move(e)) {}
    int32_t memberId(std::u16string_view) override { return quillo::script::DISPID_UNKNOWN; }
    Variant invoke(int32_t, InvokeKind, std::span<Variant>) override { fail(err::NoSuchMember); }
    std::u16string typeName() override { return u"Object"; }
    quillo::script::Enumerator& get() { return *e_; }

private:
    Ref<quillo::script::Enumerator> e_;
};

// Iterates an array in storage order (first index fastest).
class ArrayEnumerator : public quillo::script::Enumerator {
public:
    explicit ArrayEnumerator(Ref<SafeArray> a) : a_(std::move(a)) {}
    bool next(Variant& out) override
    {
        if (pos_ >= a_->size())
            return false;
        out = a_->element(pos_++).deref();
        return true;
    }
    void reset() override { pos_ = 0; }

private:
    Ref<SafeArray> a_;
    size_t pos_ = 0;
};

// What GetRef returns: calling its default member calls the procedure.
class FunctionRef : public quillo::script::Dispatch {
public:
    FunctionRef(Interpreter& interp, Procedure& proc, std::shared_ptr<bool> alive)
        : interp_(interp), proc_(proc), alive_(std::move(alive))
    {
    }
    int32_t memberId(std::u16string_view) override { return quillo::script::DISPID_UNKNOWN; }
    Variant invoke(int32_t id, InvokeKind, std::span<Variant> args) override
    {
        if (id != quillo::script::DISPID_VALUE || !*alive_)
            fail(err::NoSuchMember);
        library::LocaleScope locale(*interp_.builtinContext().locale);
        return interp_.call(proc_, nullptr, args);
    }
    std::u16string typeName() override { return u"Object"; }

private:
    Interpreter& interp_;
    Procedure& proc_;
    std::shared_ptr<bool> alive_;
};

std::vector<ArrayBound> boundsFrom(std::span<Variant> uppers)
{
    std::vector<ArrayBound> bounds;
    bounds.reserve(uppers.size());
    for (Variant& u : uppers)
        bounds.push_back(ArrayBound{0, library::local::toLong(u)});
    return bounds;
}

[[gnu::always_inline]] inline int32_t indexOf(const Variant& v)
{
    const Variant& d = v.deref();
    if (d.type() == VarType::Integer)
        return d.asInteger();
    if (d.type() == VarType::Long)
        return d.asLong();
    return library::local::toLong(d);
}

Variant& element(SafeArray& a, std::span<Variant> args)
{
    if (args.size() == 1 && a.dims() == 1)
        return a.at1(indexOf(args[0]));
    int32_t small[8];
    std::vector<int32_t> big;
    int32_t* idx = small;
    if (args.size() > 8) {
        big.resize(args.size());
        idx = big.data();
    }
    for (size_t i = 0; i < args.size(); ++i)
        idx[i] = indexOf(args[i]);
    return a.at(std::span<const int32_t>(idx, args.size()));
}

[[gnu::always_inline]] inline bool isIntish(VarType t) { return t == VarType::Integer || t == VarType::Long; }
[[gnu::always_inline]] inline bool isIntOrDouble(VarType t) { return isIntish(t) || t == VarType::Double; }

[[gnu::always_inline]] inline double numOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    default: return v.asDouble();
    }
}

[[gnu::always_inline]] inline int64_t intOf(const Variant& v)
{
    return v.type() == VarType::Integer ? v.asInteger() : v.asLong();
}

[[gnu::always_inline]] inline Variant fitLong(int64_t z)
{
    if (z >= INT32_MIN && z <= INT32_MAX)
        return Variant::fromLong(int32_t(z));
    return Variant::fromDouble(double(z));
}

[[gnu::always_inline]] inline Variant fitInteger(int32_t z)
{
    if (z >= INT16_MIN && z <= INT16_MAX)
        return Variant::fromInteger(int16_t(z));
    return Variant::fromLong(z);
}

// +, - and * on Integer, Long and Double operands inline, promoting on overflow as the
// general operators do; every other pairing (and a Double result that overflows) goes to
// the general operator.
template <class Op>
[[gnu::always_inline]] inline Variant arithValues(const Variant& a, const Variant& b, Op op,
                           Variant (*general)(const Variant&, const Variant&))
{
    VarType ta = a.type(), tb = b.type();
    if (ta == VarType::Integer && tb == VarType::Integer)
        return fitInteger(op(int32_t(a.asInteger()), int32_t(b.asInteger())));
    if (isIntish(ta) && isIntish(tb))
        return fitLong(op(intOf(a), intOf(b)));
    if (isIntOrDouble(ta) && isIntOrDouble(tb)) {
        double z = op(numOf(a), numOf(b));
        if (!std::isinf(z))
            return Variant::fromDouble(z);
    }
    return general(a, b);
}

// arithValues constructing the result in `out`, which holds no payload or is `a`: the
// numeric cases build it in place, with no temporary to destroy.
template <class Op>
[[gnu::always_inline]] inline void arithInto(Variant& out, const Variant& a, const Variant& b, Op op,
                                             Variant (*general)(const Variant&, const Variant&))
{
    VarType ta = a.type(), tb = b.type();
    if (ta == VarType::Integer && tb == VarType::Integer) {
        int32_t z = op(int32_t(a.asInteger()), int32_t(b.asInteger()));
        new (&out) Variant(fitInteger(z));
        return;
    }
    if (isIntish(ta) && isIntish(tb)) {
        int64_t z = op(intOf(a), intOf(b));
        new (&out) Variant(fitLong(z));
        return;
    }
    put(out, arithValues(a, b, op, general));
}

[[gnu::always_inline]] inline Variant addValues(const Variant& a, const Variant& b) { return arithValues(a, b, std::plus<>(), ops::add); }
inline Variant mulValues(const Variant& a, const Variant& b) { return arithValues(a, b, std::multiplies<>(), ops::multiply); }

// \ and Mod on Integer and Long operands inline.
inline Variant wholeValues(const Variant& a, const Variant& b, bool isMod)
{
    VarType ta = a.type(), tb = b.type();
    if (isIntish(ta) && isIntish(tb)) {
        int64_t x = intOf(a), y = intOf(b);
        if (y != 0 && y != -1) {
            int64_t z = isMod ? x % y : x / y;
            if (ta == VarType::Integer && tb == VarType::Integer)
                return Variant::fromInteger(int16_t(z));
            return Variant::fromLong(int32_t(z));
        }
    }
    return isMod ? ops::modulo(a, b) : ops::intDivide(a, b);
}

// -1 / 0 / 1, or 2 for Null; numbers of the common types inline. `literals`: bit 0
// the left operand is a literal, bit 1 the right one.
[[gnu::always_inline]] inline int compareValues(const Variant& a, const Variant& b, uint8_t literals = 0)
{
    VarType ta = a.type(), tb = b.type();
    if (isIntish(ta) && isIntish(tb)) {
        int64_t x = intOf(a), y = intOf(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (isIntOrDouble(ta) && isIntOrDouble(tb)) {
        double x = numOf(a), y = numOf(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return ops::compare(a, b, ops::Typed{(literals & 1) != 0, (literals & 2) != 0});
}

// The For loop's test: counter not yet past the limit in the step's direction.
inline bool forContinues(const Variant& counter, const Variant& limit, const Variant& step)
{
    int s = compareValues(step, Variant::fromInteger(0));
    int c = compareValues(counter, limit);
    if (s == 2 || c == 2)
        fail(err::InvalidUseOfNull);
    return s >= 0 ? c <= 0 : c >= 0;
}

// `counter = counter + step`, then the For test; Integer and Long loops inline.
[[gnu::always_inline]] inline bool forStep(Variant& counter, const Variant& limit, const Variant& step)
{
    VarType tc = counter.type(), ts = step.type();
    if (isIntish(tc) && isIntish(ts) && isIntish(limit.type())) {
        int64_t s = intOf(step), z = intOf(counter) + s, l = intOf(limit);
        put(counter, tc == VarType::Integer && ts == VarType::Integer ? fitInteger(int32_t(z)) : fitLong(z));
        return s >= 0 ? z <= l : z >= l;
    }
    counter = addValues(counter, step);
    return forContinues(counter, limit, step);
}

// `target = target & v` for every pairing but text onto a string held once: numbers
// and dates in the locale's text, odd bytes joined bytewise. Kept out of the run loop.
[[gnu::noinline]] void appendValue(Variant& target, const Variant& v)
{
    std::u16string* s = target.uniqueString();
    if (s && !v.isString() && !v.isNull() && v.type() != VarType::Object)
        s->append(library::local::toTextOrEmpty(v));
    else
        assignLet(target, ops::concat(target, v));
}

// The current thread's stack bottom plus a safety margin.
const char* nativeStackLimit()
{
    pthread_attr_t attr;
    void* addr = nullptr;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attr) != 0)
        return nullptr;
    pthread_attr_getstack(&attr, &addr, &size);
    pthread_attr_destroy(&attr);
    size_t margin = std::min<size_t>(size / 4, 256 * 1024);
    return static_cast<const char*>(addr) + margin;
}

} // namespace

// ---------------------------------------------------------------------------------

Interpreter::Interpreter(quillo::script::EngineContext& context)
    : context_(context), alive_(std::make_shared<bool>(true))
{
    errObject_ = makeErrObject(err_);
    builtins_.host = &context.host;
    builtins_.createObject = [this](std::u16string_view progId) -> Variant {
        Variant name = Variant::fromString(progId);
        return createObject(std::span<Variant>(&name, 1));
    };
}

Interpreter::~Interpreter()
{
    // As at the end of a script: releasing the globals runs the terminators of the
    // objects they hold, while everything those may use still exists.
    if (runDepth_ == 0) {
        stackLimit_ = nativeStackLimit();
        context_.budget.begin();
        for (size_t i = 0; i < globals_.size(); ++i) {
            if (globals_[int(i)].isNamedObject)
                continue; // the host's objects stay usable for the terminators
            Variant old = std::move(globals_[int(i)].value);
            old.clear();
        }
        context_.budget.end();
    }
    *alive_ = false;
    for (size_t i = 0; i < globals_.size(); ++i)
        globals_[int(i)].value.clear();
}

void Interpreter::addNamedObject(const std::u16string& name, DispatchPtr obj, bool addMembers)
{
    int g = globals_.findOrAdd(conv::toLower(name), name);
    GlobalSlot& slot = globals_[g];
    slot.value = Variant::fromObject(obj);
    slot.declared = slot.exists = true;
    slot.isNamedObject = true;
    if (addMembers)
        memberObjects_.emplace_back(g, obj);
}

CompileEnv Interpreter::makeEnv(const std::shared_ptr<SourceText>& src, Frame* scope, bool global)
{
    CompileEnv env{globals_, memberObjects_, nullptr, nullptr, src, false};
    if (scope && !global) {
        // Execute / Eval in a procedure: its locals, and its class, are visible
        Frame* f = scope;
        if (f->proc && !f->proc->name.empty()) {
            env.outer = f->proc;
            env.outerClass = f->me ? &f->me->info() : nullptr;
        }
    }
    return env;
}

void Interpreter::install(CompiledUnit& unit)
{
    for (int g : unit.declared) {
        globals_[g].declared = true;
        globals_[g].exists = true;
    }
    for (auto& [g, value] : unit.constants) {
        GlobalSlot& slot = globals_[g];
        slot.value = value;
        slot.isConst = true;
        slot.declared = slot.exists = true;
    }
    for (auto& p : unit.procs) {
        int g = globals_.findOrAdd(conv::toLower(p->name), p->name);
        GlobalSlot& slot = globals_[g];
        slot.proc = p.get();
        slot.declared = slot.exists = true;
        procs_.push_back(std::move(p));
    }
    for (auto& c : unit.classes) {
        std::shared_ptr<ClassInfo> cls(std::move(c));
        auto& entry = classes_[conv::toLower(cls->name)];
        if (entry)
            replacedClasses_.push_back(entry);
        entry = std::move(cls);
    }
}

void Interpreter::runCode(const std::u16string& code)
{
    library::LocaleScope locale(*builtins_.locale); // constants fold in it too
    auto src = std::make_shared<SourceText>(SourceText{code});
    ProgramAst ast = parseProgram(src->text);
    CompileEnv env = makeEnv(src, nullptr, true);
    CompiledUnit unit = compileProgram(ast, env);
    install(unit);
    if (runDepth_ == 0)
        stackLimit_ = nativeStackLimit();
    ++runDepth_;
    context_.budget.begin();
    struct End {
        Interpreter* self;
        ~End()
        {
            self->context_.budget.end();
            --self->runDepth_;
        }
    } end{this};
    call(*unit.main, nullptr, {});
}

Variant Interpreter::evalGlobal(const std::u16string& expression)
{
    library::LocaleScope locale(*builtins_.locale);
    auto src = std::make_shared<SourceText>(SourceText{expression});
    ExprPtr e = parseExpression(src->text);
    CompileEnv env = makeEnv(src, nullptr, true);
    std::unique_ptr<Procedure> proc = compileEval(*e, env);
    if (runDepth_ == 0)
        stackLimit_ = nativeStackLimit();
    ++runDepth_;
    struct End {
        Interpreter* self;
        ~End() { --self->runDepth_; }
    } end{this};
    return call(*proc, nullptr, {});
}

Variant Interpreter::callByName(const std::u16string& name, std::span<Variant> args)
{
    int g = globals_.find(conv::toLower(name));
    if (g < 0 || !globals_[g].proc)
        failNamed(err::NoSuchMember, name);
    if (runDepth_ == 0)
        stackLimit_ = nativeStackLimit();
    ++runDepth_;
    struct End {
        Interpreter* self;
        ~End() { --self->runDepth_; }
    } end{this};
    library::LocaleScope locale(*builtins_.locale);
    return call(*globals_[g].proc, nullptr, args);
}

Variant Interpreter::scriptMe()
{
    int g = globals_.find(u"me");
    if (g >= 0 && globals_[g].isNamedObject)
        return globals_[g].value;
    if (!globalObject_)
        globalObject_ = DispatchPtr(new GlobalObject(*this, alive_));
    return Variant::fromObject(globalObject_);
}

void Interpreter::executeText(const std::u16string& code, Frame& caller, bool global)
{
    auto src = std::make_shared<SourceText>(SourceText{code});
    ProgramAst ast = parseProgram(src->text);
    CompileEnv env = makeEnv(src, &caller, global);
    CompiledUnit unit = compileProgram(ast, env);
    install(unit);
    bool inScope = env.outer != nullptr;
    call(*unit.main, inScope ? caller.me : nullptr, {}, inScope ? &caller : nullptr);
}

Variant Interpreter::evalText(const std::u16string& code, Frame& caller)
{
    auto src = std::make_shared<SourceText>(SourceText{code});
    ExprPtr e = parseExpression(src->text);
    CompileEnv env = makeEnv(src, &caller, false);
    std::unique_ptr<Procedure> proc = compileEval(*e, env);
    bool inScope = env.outer != nullptr;
    return call(*proc, inScope ? caller.me : nullptr, {}, inScope ? &caller : nullptr);
}

// ---------------------------------------------------------------------------------

void Frame::unpinFrom(Variant* base)
{
    while (!pins.empty() && pins.back().first >= base) {
        pins.back().second->unlock();
        pins.pop_back();
    }
}

[[gnu::always_inline]] inline void Interpreter::enterFrameChecks()
{
    // the tick first: calls that fail here, resumed by On Error Resume Next, still count
    context_.budget.tick();
    char probe;
    if ((stackLimit_ && &probe < stackLimit_) || depth_ >= kMaxDepth)
        fail(err::OutOfStack);
}

// Into the callee's Empty locals: ByVal ones as copies, references as they are, other
// values moved (the caller's slot is a temporary).
[[gnu::always_inline]] inline void Interpreter::moveArguments(Frame& f, std::span<Variant> args)
{
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            Variant& a = args[i];
            if (f.proc->byVal[i]) {
                Variant v = a.deref();
                unshareArray(v);
                new (&f.locals[i]) Variant(std::move(v));
            } else if (a.isByRef()) {
                new (&f.locals[i]) Variant(a);
            } else {
                new (&f.locals[i]) Variant(std::move(a));
            }
        }
    } catch (...) {
        leaveFrame(f); // a copied array that did not fit
        throw;
    }
}

// The frame's code, Me and storage, with Empty locals past the arguments' slots (those
// are constructed from the arguments; stale scalars there own nothing).
[[gnu::always_inline]] inline void Interpreter::initFrame(Frame& f, Procedure& proc, ClassInstance* me, size_t argc)
{
    f.proc = &proc;
    f.code = proc.code.data();
    f.constants = proc.constants.data();
    f.me = me;
    f.locals = arena_.allocate(size_t(proc.localCount + proc.maxStack), f.arenaMark);
    f.stack = f.locals + proc.localCount;
    // few locals: a plain loop beats the vectorized one's setup
#pragma GCC unroll 1
    for (Variant *p = f.locals + argc, *end = f.stack; p < end; ++p)
        new (p) Variant();
    ++depth_;
    if (me)
        f.keepMe = DispatchPtr(me);
}

void Interpreter::enterFrame(Frame& f, Procedure& proc, ClassInstance* me, Frame* outer, std::span<Variant> args)
{
    if (int(args.size()) != proc.paramCount)
        failNamed(err::WrongArguments, proc.name);
    if ((proc.needsMe && !me) || (proc.needsOuter && !outer))
        fail(51); // Internal error: never for compiled code, checked once per call
    enterFrameChecks();
    f.outer = outer;
    initFrame(f, proc, me, args.size());
    if (!args.empty())
        moveArguments(f, args);
}

void Interpreter::leaveFrame(Frame& f) noexcept
{
    if (f.keepMe)
        f.keepMe = DispatchPtr();
    if (!f.pins.empty())
        f.unpinFrom(f.stack);
    // Only locals can own payloads here: the operand stack is released as it is popped
    // (and on errors). Stale scalars stay; the next call resets its locals on entry.
#pragma GCC unroll 1
    for (Variant *p = f.locals, *end = f.stack; p < end; ++p)
        if (ownsPayload(p->type()))
            p->clear();
    arena_.release(f.arenaMark);
    --depth_;
}

Variant Interpreter::call(Procedure& proc, ClassInstance* me, std::span<Variant> args, Frame* outer)
{
    Frame f;
    enterFrame(f, proc, me, outer, args);
    struct Leave {
        Interpreter* self;
        Frame& f;
        ~Leave() { self->leaveFrame(f); }
    } leave{this, f};
    return execute(f);
}

void Interpreter::terminate(ClassInstance& self) noexcept
{
    try {
        ErrState saved = err_;
        library::LocaleScope locale(*builtins_.locale);
        call(*self.info().terminate, &self, {});
        err_ = saved;
    } catch (...) {
        // errors in a terminator are not reported
    }
}

Variant Interpreter::invokeMember(ClassInstance& self, int member, InvokeKind kind, std::span<Variant> args)
{
    library::LocaleScope locale(*builtins_.locale); // also entered from the host
    ClassMember& m = self.info().members[size_t(member)];
    if (m.field >= 0) {
        Variant& field = self.fields()[size_t(m.field)];
        if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
            if (args.empty())
                fail(err::WrongArguments);
            Variant value = args.back().deref();
            std::span<Variant> indices = args.first(args.size() - 1);
            if (!indices.empty()) {
                storeIndexed(field, indices, std::move(value), kind == InvokeKind::PropertyPutRef);
                return Variant();
            }
            store(field, std::move(value), kind == InvokeKind::PropertyPutRef ? 1 : 0);
            return Variant();
        }
        if (args.empty())
            return field.deref();
        return indexValue(field, args, m.name);
    }
    Procedure* p = nullptr;
    if (kind == InvokeKind::PropertyPut) {
        p = m.let;
    } else if (kind == InvokeKind::PropertyPutRef) {
        p = m.set ? m.set : nullptr;
    } else {
        p = m.get;
    }
    if (!p)
        failNamed(err::NoSuchMember, m.name);
    if (kind == InvokeKind::PropertyPut && !args.empty()) {
        Variant& v = args.back();
        if (v.deref().type() == VarType::Object)
            v = conv::valueOf(v.deref());
    }
    return call(*p, &self, args);
}

Variant Interpreter::newObject(const std::u16string& className)
{
    auto it = classes_.find(conv::toLower(className));
    if (it == classes_.end()) {
        Variant v = createBuiltinObject(builtins_, className);
        if (v.isEmpty())
            failNamed(506, className);
        return v;
    }
    std::shared_ptr<ClassInfo> cls = it->second;
    Ref<ClassInstance> inst(new ClassInstance(cls, *this, alive_));
    if (cls->initialize)
        call(*cls->initialize, inst.get(), {});
    inst->setInitialized();
    return Variant::fromObject(DispatchPtr(inst.get()));
}

Variant Interpreter::newObject(Procedure& proc, uint32_t nameIndex)
{
    auto& cache = proc.classCache;
    if (cache.size() != proc.names.size())
        cache.assign(proc.names.size(), nullptr);
    const std::shared_ptr<ClassInfo>* entry = cache[nameIndex];
    if (!entry) {
        auto it = classes_.find(conv::toLower(proc.names[nameIndex]));
        if (it == classes_.end())
            return newObject(proc.names[nameIndex]);
        entry = cache[nameIndex] = &it->second;
    }
    const std::shared_ptr<ClassInfo>& cls = *entry;
    Ref<ClassInstance> inst(new ClassInstance(cls, *this, alive_));
    if (cls->initialize)
        call(*cls->initialize, inst.get(), {});
    inst->setInitialized();
    return Variant::fromObject(DispatchPtr(inst.get()));
}

Variant Interpreter::indexValue(const Variant& target, std::span<Variant> args, const std::u16string& name)
{
    const Variant& t = target.deref();
    if (t.isArray()) {
        if (!t.asArray())
            fail(err::SubscriptOutOfRange);
        if (args.empty())
            return t;
        return element(*t.asArray(), args).deref();
    }
    if (t.type() == VarType::Object) {
        if (!t.asObject())
            failNamed(err::ObjectNotSet, name);
        DispatchPtr obj = t.objectRef();
        return obj->invoke(quillo::script::DISPID_VALUE, InvokeKind::MethodOrGet, args);
    }
    if (args.empty())
        return t;
    failNamed(err::TypeMismatch, name);
}

void Interpreter::storeIndexed(Variant& slot, std::span<Variant> args, Variant value, bool isSet)
{
    Variant& t = slot.deref();
    if (t.isArray() && t.asArray()) {
        Variant& el = element(*t.asArray(), args);
        store(el, std::move(value), isSet ? 1 : 0);
        return;
    }
    if (t.type() == VarType::Object) {
        if (!t.asObject())
            fail(err::ObjectNotSet);
        DispatchPtr obj = t.objectRef();
        std::vector<Variant> all(args.begin(), args.end());
        if (!isSet && value.type() == VarType::Object)
            value = conv::valueOf(value);
        all.push_back(std::move(value));
        obj->invoke(quillo::script::DISPID_VALUE, isSet ? InvokeKind::PropertyPutRef : InvokeKind::PropertyPut, all);
        return;
    }
    fail(err::TypeMismatch);
}

// Only ClassInstance is final among the objects: its type is told by its vtable.
inline ClassInstance* asClassInstance(quillo::script::Dispatch* d)
{
    return typeid(*d) == typeid(ClassInstance) ? static_cast<ClassInstance*>(d) : nullptr;
}

ClassInstance* Interpreter::classMember(Frame& f, const Variant& target, uint32_t nameIndex, bool inside, int& member)
{
    const Variant& t = target.deref();
    if (t.type() != VarType::Object)
        failNamed(err::ObjectRequired, f.proc->names[nameIndex]);
    if (!t.asObject())
        failNamed(err::ObjectNotSet, f.proc->names[nameIndex]);
    ClassInstance* ci = asClassInstance(t.asObject());
    if (!ci)
        return nullptr;
    const ClassInfo& cls = ci->info();
    auto& cache = f.proc->memberCache;
    if (cache.size() != f.proc->names.size())
        cache.assign(f.proc->names.size(), {nullptr, -1});
    auto& [cachedClass, m] = cache[nameIndex];
    if (cachedClass != &cls) {
        int found = cls.find(f.proc->namesLower[nameIndex]);
        if (found < 0)
            failNamed(err::NoSuchMember, f.proc->names[nameIndex]);
        cachedClass = &cls;
        m = found;
    }
    if (!inside && !cls.members[size_t(m)].isPublic)
        failNamed(err::NoSuchMember, f.proc->names[nameIndex]);
    member = m;
    return ci;
}

// classMember when the access found this class before: no call, no lookup.
[[gnu::always_inline]] inline ClassInstance* Interpreter::knownClassMember(Frame& f, const Variant& target, uint32_t nameIndex,
                                                                           bool inside, int& member)
{
    const Variant& t = target.deref();
    if (t.type() == VarType::Object && t.asObject()) {
        if (ClassInstance* ci = asClassInstance(t.asObject())) {
            const auto& cache = f.proc->memberCache;
            if (nameIndex < cache.size() && cache[nameIndex].first == &ci->info()) {
                int m = cache[nameIndex].second;
                if (inside || ci->info().members[size_t(m)].isPublic) {
                    member = m;
                    return ci;
                }
            }
        }
    }
    return classMember(f, target, nameIndex, inside, member);
}

Variant Interpreter::memberCall(Frame& f, const Variant& target, uint32_t nameIndex, bool inside, std::span<Variant> args)
{
    int m = -1;
    ClassInstance* found = classMember(f, target, nameIndex, inside, m);
    const std::u16string& name = f.proc->names[nameIndex];
    DispatchPtr obj = target.deref().objectRef();
    if (ClassInstance* ci = found) {
        const ClassMember& mem = ci->info().members[size_t(m)];
        if (!args.empty() && mem.field < 0 && mem.get && mem.get->paramCount == 0) {
            // `o.Items(1)`: the member's value, indexed
            Variant v = invokeMember(*ci, m, InvokeKind::MethodOrGet, {});
            return indexValue(v, args, name);
        }
        return invokeMember(*ci, m, InvokeKind::MethodOrGet, args);
    }
    int32_t id = obj->memberId(name);
    if (id == quillo::script::DISPID_UNKNOWN)
        failNamed(err::NoSuchMember, name);
    if (args.empty())
        return obj->invoke(id, InvokeKind::MethodOrGet, args);
    try {
        return obj->invoke(id, InvokeKind::MethodOrGet, args);
    } catch (const ScriptError& e) {
        if (e.number != err::WrongArguments)
            throw;
    }
    // `m.SubMatches(0)`: a property without arguments, then its default member
    Variant v = obj->invoke(id, InvokeKind::PropertyGet, {});
    return indexValue(v, args, name);
}

void Interpreter::memberPut(Frame& f, const Variant& target, uint32_t nameIndex, uint8_t flags, std::span<Variant> args)
{
    const Variant& t = target.deref();
    const std::u16string& name = f.proc->names[nameIndex];
    bool isSet = flags & 1;
    if (t.type() != VarType::Object)
        failNamed(err::ObjectRequired, name);
    if (!t.asObject())
        failNamed(err::ObjectNotSet, name);
    if (isSet && args.back().deref().type() != VarType::Object)
        fail(err::ObjectRequired);
    DispatchPtr obj = t.objectRef();
    InvokeKind kind = isSet ? InvokeKind::PropertyPutRef : InvokeKind::PropertyPut;
    int m = -1;
    if (ClassInstance* ci = classMember(f, t, nameIndex, flags & 2, m)) {
        invokeMember(*ci, m, kind, args);
        return;
    }
    int32_t id = obj->memberId(name);
    if (id == quillo::script::DISPID_UNKNOWN)
        failNamed(err::NoSuchMember, name);
    if (!isSet && args.back().deref().type() == VarType::Object)
        args.back() = conv::valueOf(args.back().deref());
    obj->invoke(id, kind, args);
}

Variant Interpreter::getRef(const Variant& nameValue)
{
    std::u16string name = conv::toText(nameValue);
    int g = globals_.find(conv::toLower(name));
    if (g < 0 || !globals_[g].proc)
        fail(err::InvalidCall);
    return Variant::fromObject(DispatchPtr(new FunctionRef(*this, *globals_[g].proc, alive_)));
}

Variant Interpreter::createObject(std::span<Variant> args)
{
    std::u16string progId = conv::toText(args[0]);
    DispatchPtr obj;
    if (context_.createObject)
        obj = context_.createObject(progId);
    if (!obj)
        failNamed(err::CannotCreateObject, progId);
    return Variant::fromObject(obj);
}

// ---------------------------------------------------------------------------------

void Interpreter::setErr(const ScriptError& e)
{
    err_.number = e.number;
    err_.description = e.description;
    err_.source = e.source.empty() ? std::u16string(quillo::script::kVBScriptRuntimeSource) : e.source;
    err_.helpFile.clear();
    err_.helpContext = 0;
}

void Interpreter::locate(Frame& f, ScriptError& e, size_t pc)
{
    if (e.line != 0 || pc >= f.proc->positions.size())
        return;
    Pos p = f.proc->positions[pc];
    if (auto it = f.proc->memberErrorNames.find(uint32_t(pc)); it != f.proc->memberErrorNames.end()) {
        if (e.number == err::NoSuchMember)
            e.name = f.proc->names[it->second.second];
        else if (e.number == err::ObjectRequired || e.number == err::ObjectNotSet)
            e.name = f.proc->names[it->second.first];
    }
    e.line = p.line;
    e.column = p.column;
    if (e.source.empty())
        e.source = std::u16string(quillo::script::kVBScriptRuntimeSource);
    if (f.proc->source && p.line > 0) {
        const std::u16string& text = f.proc->source->text;
        size_t start = 0;
        for (int l = 1; l < p.line && start < text.size(); ++start) {
            if (text[start] == u'\n' || (text[start] == u'\r' && (start + 1 >= text.size() || text[start + 1] != u'\n')))
                ++l;
        }
        size_t end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        e.sourceText = text.substr(start, end - start);
    }
}

// A script procedure called from the run loop: its frame goes on frames_ with where
// the caller resumes; the Return instruction comes back through popCall. enterFrame
// without an outer frame or the native stack probe: the call takes no native stack.
Frame& Interpreter::pushCall(Frame& caller, Procedure& proc, ClassInstance* me, Variant* args, int argc)
{
    if (argc != proc.paramCount)
        failNamed(err::WrongArguments, proc.name);
    if ((proc.needsMe && !me) || proc.needsOuter)
        fail(51); // Internal error: never for compiled code
    context_.budget.tick();
    if (depth_ >= kMaxDepth)
        fail(err::OutOfStack);
    Frame& f = frames_.push();
    f.caller = &caller;
    initFrame(f, proc, me, size_t(argc));
    if (argc != 0) {
        try {
            moveArguments(f, std::span<Variant>(args, size_t(argc)));
        } catch (...) {
            frames_.pop();
            throw;
        }
    }
    return f;
}

[[gnu::always_inline]] inline Frame* Interpreter::popCall(Frame* callee) noexcept
{
    Frame* caller = callee->caller;
    leaveFrame(*callee);
    frames_.pop();
    return caller;
}

Variant Interpreter::execute(Frame& base)
{
    // Only the frame, instruction, locals and operand top stay in registers: the code
    // and constants are read through the frame, and the error handlers below need
    // neither the operand top nor the code base.
    Frame* f = &base;
    const Instr* ip = base.code;
    Variant* locals = base.locals;
    Variant* sp = base.stack;
    GlobalTable& globals = globals_;
    quillo::script::RunBudget& budget = context_.budget;

    // Operand slots above sp hold no counted payload, so a push constructs in place.
    auto popArgs = [&](int n) __attribute__((always_inline)) {
        for (int i = 0; i < n; ++i) {
            --sp;
            if (ownsPayload(sp->type()))
                if (ownsPayload(sp->type()))
                    sp->clear();
        }
    };

    // Calls and returns switch frames without leaving this loop; no closure may hold the
    // addresses of the registers above, so these are macros.
#define QUILLO_VBS_CALL(callee_, me_, args_, argc_, resultAt_, keep_)                                             \
    do {                                                                                                      \
        Frame& next_ = pushCall(*f, (callee_), (me_), (args_), (argc_));                                     \
        next_.returnIp = ip;                                                                                  \
        next_.callerSp = sp;                                                                                  \
        next_.resultAt = (resultAt_);                                                                         \
        next_.keepResult = (keep_);                                                                           \
        f = &next_;                                                                                           \
        locals = next_.locals;                                                                                \
        sp = next_.stack;                                                                                     \
        ip = next_.code;                                                                                      \
    } while (0)
// An error leaves frames until one resumes (On Error Resume Next) and continues there;
// rethrown when none up to `base` does.
#define QUILLO_VBS_RECOVER(e)                                                                                 \
    do {                                                                                                      \
        for (;;) {                                                                                            \
            dropOperands(*f);                                                                                 \
            size_t fault_ = size_t(ip - f->code) - 1;                                                         \
            locate(*f, e, fault_);                                                                            \
            if (f->resumeNext) {                                                                              \
                setErr(e);                                                                                    \
                ip = f->code + resumePoint(*f->proc, fault_);                                                 \
                break;                                                                                        \
            }                                                                                                 \
            if (f == &base)                                                                                   \
                throw e;                                                                                      \
            ip = f->returnIp;                                                                                 \
            f = popCall(f);                                                                                   \
        }                                                                                                     \
        locals = f->locals;                                                                                   \
        sp = f->stack;                                                                                        \
    } while (0)

    for (;;) {
        try {
            for (;;) {
                const Instr& in = *ip++;
                int cmp;       // a comparison's outcome (-1 / 0 / 1, 2 for Null) and its operator,
                OpCode cmpOp;  // for the code shared by the stack and local-with-constant forms
                switch (in.op) {
                case OpCode::Const: putCopy(*sp++, f->constants[in.c]); break;
                case OpCode::LoadLocal: putCopy(*sp++, locals[in.b].deref()); break;
                case OpCode::StoreLocal:
                    --sp;
                    store(locals[in.b], std::move(*sp), in.a);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    break;
                case OpCode::CopyLocal: {
                    const Variant& from = locals[in.c].deref();
                    if (in.a == 0 && !ownsPayload(from.type())) {
                        Variant& to = locals[in.b].deref();
                        if (to.type() != VarType::Object) {
                            putCopy(to, from);
                            break;
                        }
                    }
                    Variant v = from; // a copy: `x = x` must not clear what it reads
                    store(locals[in.b], std::move(v), in.a);
                    break;
                }
                case OpCode::RefLocal: put(*sp++, Variant(Variant::byRef(&locals[in.b].deref()))); break;
                case OpCode::LoadGlobal: {
                    GlobalSlot& g = globals[in.c];
                    g.exists = true;
                    if (g.proc)
                        QUILLO_VBS_CALL(*g.proc, nullptr, sp, 0, sp, true);
                    else
                        putCopy(*sp++, g.value);
                    break;
                }
                case OpCode::StoreGlobal: {
                    GlobalSlot& g = globals[in.c];
                    g.exists = true;
                    if (g.isConst && in.a != 2)
                        failNamed(501, g.name);
                    --sp;
                    store(g.value, std::move(*sp), in.a);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    break;
                }
                case OpCode::RefGlobal: {
                    GlobalSlot& g = globals[in.c];
                    g.exists = true;
                    put(*sp++, Variant(Variant::byRef(&g.value)));
                    break;
                }
                case OpCode::LoadField: putCopy(*sp++, f->me->fields()[in.b].deref()); break;
                case OpCode::StoreField:
                    --sp;
                    store(f->me->fields()[in.b], std::move(*sp), in.a);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    break;
                case OpCode::RefField: put(*sp++, Variant(Variant::byRef(&f->me->fields()[in.b].deref()))); break;
                case OpCode::LoadOuter: putCopy(*sp++, f->outer->locals[in.b].deref()); break;
                case OpCode::StoreOuter:
                    --sp;
                    store(f->outer->locals[in.b], std::move(*sp), in.a);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    break;
                case OpCode::RefOuter: put(*sp++, Variant(Variant::byRef(&f->outer->locals[in.b].deref()))); break;
                case OpCode::LoadDyn: {
                    GlobalSlot& g = globals[in.c];
                    if (g.exists) {
                        if (g.proc)
                            QUILLO_VBS_CALL(*g.proc, nullptr, sp, 0, sp, true);
                        else
                            putCopy(*sp++, g.value);
                    } else if (in.a & 1) {
                        failNamed(err::VariableUndefined, g.name);
                    } else {
                        putCopy(*sp++, locals[in.b].deref());
                    }
                    break;
                }
                case OpCode::StoreDyn: {
                    GlobalSlot& g = globals[in.c];
                    uint8_t mode = (in.a & 2) ? 1 : (in.a & 4) ? 2 : 0;
                    --sp;
                    if (g.exists)
                        store(g.value, std::move(*sp), mode);
                    else if (in.a & 1)
                        failNamed(err::VariableUndefined, g.name);
                    else
                        store(locals[in.b], std::move(*sp), mode);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    break;
                }
                case OpCode::RefDyn: {
                    GlobalSlot& g = globals[in.c];
                    if (g.exists)
                        put(*sp++, Variant(Variant::byRef(&g.value)));
                    else if (in.a & 1)
                        failNamed(err::VariableUndefined, g.name);
                    else
                        put(*sp++, Variant(Variant::byRef(&locals[in.b].deref())));
                    break;
                }
                case OpCode::LoadMe:
                    put(*sp++, f->me ? Variant(Variant::fromObject(DispatchPtr(f->me))) : scriptMe());
                    break;
                case OpCode::LoadErr: put(*sp++, Variant(Variant::fromObject(errObject_))); break;
                case OpCode::Pop: popArgs(1); break;
                case OpCode::Neg: sp[-1] = ops::negate(sp[-1]); break;
                case OpCode::Not: sp[-1] = ops::logicalNot(sp[-1]); break;
                case OpCode::Add:
                    arithInto(sp[-2], sp[-2], sp[-1], std::plus<>(), ops::add);
                    popArgs(1);
                    break;
                case OpCode::Sub:
                    arithInto(sp[-2], sp[-2], sp[-1], std::minus<>(), ops::subtract);
                    popArgs(1);
                    break;
                case OpCode::Mul:
                    put(sp[-2], mulValues(sp[-2], sp[-1]));
                    popArgs(1);
                    break;
                case OpCode::Div: put(sp[-2], ops::divide(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::IntDiv: put(sp[-2], wholeValues(sp[-2], sp[-1], false));
                    popArgs(1); break;
                case OpCode::Mod: put(sp[-2], wholeValues(sp[-2], sp[-1], true));
                    popArgs(1); break;
                case OpCode::Pow: put(sp[-2], ops::power(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Concat: {
                    Variant& a = sp[-2];
                    Variant& b = sp[-1];
                    // negative only when both are -1: no odd bytes to join bytewise
                    if (a.isString() && b.isString() && (a.stringOddByte() & b.stringOddByte()) < 0) {
                        library::checkStringLength(a.asString().size() + b.asString().size());
                        if (std::u16string* s = a.uniqueString())
                            s->append(b.asString());
                        else
                            a = Variant::fromString(a.asString() + b.asString());
                    } else {
                        a = ops::concat(a, b);
                    }
                    popArgs(1);
                    break;
                }
                case OpCode::AddLocalConst:
                    arithInto(*sp++, locals[in.b].deref(), f->constants[in.c], std::plus<>(), ops::add);
                    break;
                case OpCode::SubLocalConst:
                    arithInto(*sp++, locals[in.b].deref(), f->constants[in.c], std::minus<>(), ops::subtract);
                    break;
                case OpCode::CompareLocalConst:
                    cmp = compareValues(locals[in.b].deref(), f->constants[in.c], 2);
                    cmpOp = OpCode(in.a);
                    goto compared;
                case OpCode::Eq:
                case OpCode::Ne:
                case OpCode::Lt:
                case OpCode::Gt:
                case OpCode::Le:
                case OpCode::Ge:
                    cmp = compareValues(sp[-2], sp[-1], in.a);
                    cmpOp = in.op;
                    popArgs(2);
                compared: {
                    int c = cmp;
                    bool r = false;
                    switch (cmpOp) {
                    case OpCode::Eq: r = c == 0; break;
                    case OpCode::Ne: r = c != 0; break;
                    case OpCode::Lt: r = c < 0; break;
                    case OpCode::Gt: r = c == 1; break;
                    case OpCode::Le: r = c <= 0; break;
                    default: r = c >= 0 && c != 2; break;
                    }
                    // a conditional jump after the test takes the result directly (Null is False)
                    const Instr& next = *ip;
                    if (next.op == OpCode::JumpFalse) {
                        ++ip;
                        if (c == 2 || !r)
                            ip = f->code + next.c;
                        break;
                    }
                    if (next.op == OpCode::JumpTrue) {
                        ++ip;
                        if (c != 2 && r) {
                            if (f->code + next.c < ip)
                                budget.tick();
                            ip = f->code + next.c;
                        }
                        break;
                    }
                    put(*sp++, c == 2 ? Variant::null() : Variant::fromBool(r));
                    break;
                }
                case OpCode::Is: put(sp[-2], Variant::fromBool(ops::sameObject(sp[-2], sp[-1])));
                    popArgs(1); break;
                case OpCode::And: put(sp[-2], ops::logicalAnd(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Or: put(sp[-2], ops::logicalOr(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Xor: put(sp[-2], ops::logicalXor(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Eqv: put(sp[-2], ops::logicalEqv(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Imp: put(sp[-2], ops::logicalImp(sp[-2], sp[-1]));
                    popArgs(1); break;
                case OpCode::Jump:
                    if (f->code + in.c < ip)
                        budget.tick();
                    ip = f->code + in.c;
                    break;
                case OpCode::JumpFalse: {
                    --sp;
                    bool t = sp->type() == VarType::Boolean ? sp->asBool() : ops::truth(*sp);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    if (!t)
                        ip = f->code + in.c;
                    break;
                }
                case OpCode::JumpTrue: {
                    --sp;
                    bool t = sp->type() == VarType::Boolean ? sp->asBool() : ops::truth(*sp);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    if (t) {
                        if (f->code + in.c < ip)
                            budget.tick();
                        ip = f->code + in.c;
                    }
                    break;
                }
                case OpCode::CallBuiltin: {
                    const BuiltinFunction& fn = builtinFunctions()[in.b];
                    Variant* args = sp - in.a;
                    Variant r = fn.call(builtins_, std::span<Variant>(args, in.a));
                    popArgs(in.a);
                    put(*sp++, Variant(std::move(r)));
                    break;
                }
                case OpCode::CallGlobal: {
                    GlobalSlot& g = globals[in.c];
                    Variant* args = sp - in.a;
                    if (g.proc) {
                        QUILLO_VBS_CALL(*g.proc, nullptr, args, in.a, args, true);
                        break;
                    }
                    if (!g.exists && in.a == 0)
                        failNamed(err::TypeMismatch, g.name);
                    Variant r = indexValue(g.value, std::span<Variant>(args, in.a), g.name);
                    popArgs(in.a);
                    if (!f->pins.empty())
                        f->unpinFrom(args);
                    put(*sp++, Variant(std::move(r)));
                    break;
                }
                case OpCode::Index: {
                    Variant* args = sp - in.a;
                    Variant r = indexValue(args[-1], std::span<Variant>(args, in.a), u"");
                    popArgs(in.a);
                    if (!f->pins.empty())
                        f->unpinFrom(args);
                    sp[-1] = std::move(r);
                    break;
                }
                case OpCode::CallMember: {
                    Variant* args = sp - in.a;
                    int m;
                    if (ClassInstance* ci = knownClassMember(*f, args[-1], uint32_t(in.c), in.b & 1, m)) {
                        const ClassMember& mem = ci->info().members[size_t(m)];
                        if (mem.field >= 0 && in.a == 0) {
                            Variant v = ci->fields()[size_t(mem.field)].deref();
                            sp[-1] = std::move(v);
                            break;
                        }
                        // `o.Items(1)` on a Property Get without parameters indexes its value: not here
                        if (mem.field < 0 && mem.get && (in.a == 0 || mem.get->paramCount != 0)) {
                            QUILLO_VBS_CALL(*mem.get, ci, args, in.a, args - 1, true);
                            break;
                        }
                    }
                    Variant r = memberCall(*f, args[-1], uint32_t(in.c), in.b & 1, std::span<Variant>(args, in.a));
                    popArgs(in.a);
                    if (!f->pins.empty())
                        f->unpinFrom(args);
                    sp[-1] = std::move(r);
                    break;
                }
                case OpCode::PutMember: {
                    Variant* args = sp - (in.a + 1);
                    int m;
                    ClassInstance* ci = (in.b & 1) ? nullptr : knownClassMember(*f, args[-1], uint32_t(in.c), in.b & 2, m);
                    if (ci) {
                        // `o.P = v`: a Property Let runs here, a field takes the value
                        const ClassMember& mem = ci->info().members[size_t(m)];
                        if (mem.field < 0 && mem.let) {
                            Variant& v = sp[-1];
                            if (v.deref().type() == VarType::Object)
                                v = conv::valueOf(v.deref());
                            QUILLO_VBS_CALL(*mem.let, ci, args, in.a + 1, args - 1, false);
                            break;
                        }
                        if (mem.field >= 0 && in.a == 0) {
                            Variant v = sp[-1].deref();
                            store(ci->fields()[size_t(mem.field)], std::move(v), 0);
                            popArgs(2);
                            break;
                        }
                    }
                    memberPut(*f, args[-1], uint32_t(in.c), uint8_t(in.b), std::span<Variant>(args, in.a + 1));
                    popArgs(in.a + 2);
                    break;
                }
                case OpCode::StoreIndex: {
                    Variant* args = sp - (in.a + 1);
                    Variant value = std::move(sp[-1]);
                    storeIndexed(args[-1], std::span<Variant>(args, in.a), std::move(value), in.b & 1);
                    popArgs(in.a + 2);
                    break;
                }
                case OpCode::RefIndex: {
                    Variant* args = sp - in.a;
                    Variant& target = args[-1].deref();
                    if (target.isArray() && target.asArray()) {
                        // the array stays locked while the callee holds the reference
                        SafeArray* arr = target.asArray();
                        Variant* el = &element(*arr, std::span<Variant>(args, in.a));
                        arr->lock();
                        f->pins.emplace_back(args - 1, Ref<SafeArray>(arr));
                        popArgs(in.a);
                        sp[-1] = Variant::byRef(el);
                        break;
                    }
                    Variant r = indexValue(args[-1], std::span<Variant>(args, in.a), u"");
                    popArgs(in.a);
                    sp[-1] = std::move(r);
                    break;
                }
                case OpCode::New: put(*sp++, Variant(newObject(*f->proc, uint32_t(in.c)))); break;
                case OpCode::ForTest: {
                    bool go = forContinues(sp[-3], sp[-2], sp[-1]);
                    popArgs(3);
                    put(*sp++, Variant(Variant::fromBool(go)));
                    break;
                }
                case OpCode::ToNumber: {
                    Variant& v = sp[-1];
                    if (!isIntOrDouble(v.type())) {
                        if (v.isNull())
                            fail(err::InvalidUseOfNull);
                        v = library::local::toNumeric(v.deref());
                    }
                    break;
                }
                case OpCode::ForStepLocal: {
                    if (forStep(locals[in.b].deref(), locals[in.a], locals[in.a + 1])) {
                        budget.tick();
                        ip = f->code + in.c;
                    }
                    break;
                }
                case OpCode::ForStepGlobal: {
                    GlobalSlot& g = globals[in.c];
                    if (!forStep(g.value, locals[in.b], locals[in.b + 1]))
                        ++ip; // past the jump back
                    break;
                }
                case OpCode::ForEachInit: {
                    --sp;
                    Variant coll = std::move(*sp);
                    const Variant& c = coll.deref();
                    Ref<quillo::script::Enumerator> e;
                    if (c.isArray() && c.asArray()) {
                        e = Ref<quillo::script::Enumerator>(new ArrayEnumerator(Ref<SafeArray>(c.asArray())));
                    } else if (c.type() == VarType::Object && c.asObject()) {
                        e = c.asObject()->enumerate();
                    }
                    if (!e)
                        fail(451);
                    locals[in.b] = Variant::fromObject(DispatchPtr(new EnumeratorHolder(std::move(e))));
                    break;
                }
                case OpCode::ForEachNext: {
                    // the slot is Empty when ForEachInit failed and On Error resumed
                    auto* holder = locals[in.b].type() == VarType::Object
                        ? static_cast<EnumeratorHolder*>(locals[in.b].asObject()) : nullptr;
                    Variant item;
                    if (!holder || !holder->get().next(item)) {
                        ip = f->code + in.c;
                        break;
                    }
                    budget.tick();
                    put(*sp++, Variant(std::move(item)));
                    break;
                }
                case OpCode::OnErrorResumeNext:
                    f->resumeNext = true;
                    err_ = ErrState{};
                    break;
                case OpCode::OnErrorGoto0:
                    f->resumeNext = false;
                    err_ = ErrState{};
                    break;
                case OpCode::Return: {
                    int slot = f->proc->resultSlot;
                    if (f == &base)
                        return slot >= 0 ? std::move(locals[slot]) : Variant();
                    // The result waits in raw storage while the frame goes: nothing below
                    // throws, and once pushed it needs no destructor call.
                    alignas(Variant) unsigned char held[sizeof(Variant)];
                    Variant* result = slot >= 0 ? new (held) Variant(std::move(locals[slot])) : new (held) Variant();
                    Variant* at = f->resultAt;
                    bool keep = f->keepResult;
                    ip = f->returnIp;
                    sp = f->callerSp;
                    f = popCall(f);
                    locals = f->locals;
                    popArgs(int(sp - at));
                    if (!f->pins.empty())
                        f->unpinFrom(at);
                    if (keep)
                        put(*sp++, std::move(*result));
                    else if (ownsPayload(result->type()))
                        result->clear();
                    break;
                }
                case OpCode::ReDim: {
                    Variant* dims = sp - in.a;
                    Variant& target = dims[-1].deref();
                    std::vector<ArrayBound> bounds = boundsFrom(std::span<Variant>(dims, in.a));
                    if (in.b & 4) {
                        // Dim a(3) / Dim a()
                        if (in.a == 0)
                            target = Variant::fromArray(Ref<SafeArray>(new SafeArray()).get());
                        else
                            target = Variant::fromArray(SafeArray::create(bounds, true).get());
                    } else if (target.isArray() && target.asArray()) {
                        SafeArray& a = *target.asArray();
                        if (a.isFixed())
                            fail(err::ArrayLocked);
                        if ((in.b & 1) && a.dims() > 0)
                            a.redimPreserve(bounds);
                        else
                            a.redim(bounds);
                    } else {
                        target = Variant::fromArray(SafeArray::create(bounds, false).get());
                    }
                    popArgs(in.a + 1);
                    break;
                }
                case OpCode::Erase: {
                    Variant& target = sp[-1].deref();
                    if (!target.isArray() || !target.asArray())
                        fail(err::TypeMismatch);
                    target.asArray()->erase();
                    popArgs(1);
                    break;
                }
                case OpCode::Undefined:
                    if (!globals[in.c].exists)
                        failNamed(err::VariableUndefined, globals[in.c].name);
                    break;
                case OpCode::Raise:
                    if (in.b != 0xFFFF && in.b < f->proc->names.size())
                        failNamed(in.c, f->proc->names[in.b]);
                    fail(in.c);
                case OpCode::Execute: {
                    --sp;
                    std::u16string text = conv::toText(*sp);
                    if (ownsPayload(sp->type()))
                        sp->clear();
                    executeText(text, *f, in.a == 1);
                    break;
                }
                case OpCode::Eval: {
                    std::u16string text = conv::toText(sp[-1]);
                    sp[-1] = evalText(text, *f);
                    break;
                }
                case OpCode::GetRef: sp[-1] = getRef(sp[-1]); break;
                case OpCode::AppendTo: {
                    Variant& target = sp[-2].deref();
                    const Variant& v = sp[-1];
                    std::u16string* s = target.uniqueString();
                    if (s && v.isString() && v.stringOddByte() < 0) {
                        library::checkStringLength(s->size() + v.asString().size());
                        s->append(v.asString());
                    } else {
                        appendValue(target, v);
                    }
                    popArgs(in.a ? 1 : 2); // a = 1: more parts follow, the reference stays
                    break;
                }
                case OpCode::CreateObject: {
                    Variant* args = sp - in.a;
                    Variant r = in.b == 1 && in.a >= 1 && !conv::toText(args[0]).empty()
                        ? (failNamed(err::CannotCreateObject, conv::toText(args[0])), Variant())
                        : createObject(std::span<Variant>(in.b == 1 ? args + (in.a - 1) : args, 1));
                    popArgs(in.a);
                    put(*sp++, Variant(std::move(r)));
                    break;
                }
                }
            }
        } catch (ScriptError& e) {
            QUILLO_VBS_RECOVER(e);
        } catch (const std::bad_alloc&) {
            ScriptError e = ScriptError::runtime(err::OutOfMemory);
            QUILLO_VBS_RECOVER(e);
        } catch (...) {
            // a stopped run (ScriptAbort) or a foreign exception: leave no payload behind
            for (Frame* g = f;; g = popCall(g)) {
                dropOperands(*g);
                if (g == &base)
                    break;
            }
            throw;
        }
    }
#undef QUILLO_VBS_CALL
#undef QUILLO_VBS_RECOVER
}

// Operand slots above the top own no payload: clearing the whole area needs no top.
void Interpreter::dropOperands(Frame& f) noexcept
{
    f.unpinFrom(f.stack);
    for (Variant* p = f.stack, *end = p + f.proc->maxStack; p < end; ++p)
        if (ownsPayload(p->type()))
            p->clear();
}

// Where On Error Resume Next continues after an error at `faultPc`.
size_t Interpreter::resumePoint(const Procedure& proc, size_t faultPc)
{
    for (const Procedure::ResumeRange& r : proc.resumeAfter)
        if (faultPc >= r.from && faultPc < r.to)
            return r.target;
    const auto& starts = proc.statementStarts;
    auto it = std::upper_bound(starts.begin(), starts.end(), uint32_t(faultPc));
    return it == starts.end() ? proc.code.size() - 1 : *it;
}

} // namespace quillo::vbscript
