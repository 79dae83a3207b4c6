// The run loop and the call machinery.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "scripting/core/ErrorTable.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptError.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/Compiler.h"
#include "scripting/jscript/IntArith.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/Parser.h"
#include "scripting/jscript/Remainder.h"
#include "scripting/jscript/RootScope.h"
#include "scripting/jscript/StackGuard.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

namespace {

// Scope-chain search for names the compiler could not resolve.
struct NameRef {
    Value* slot = nullptr;
    Object* holder = nullptr;
};

}  // namespace

ArgumentsObject* Vm::makeArguments(Frame& fr) {
    auto* a = heap_.make<ArgumentsObject>(objectProto);
    a->values.assign(fr.base, fr.base + fr.argc);
    FuncProto* p = fr.proto;
    a->env = fr.env;
    for (int i = 0; i < p->paramCount && i < static_cast<int>(fr.argc); ++i) {
        int loc = p->paramLocation[i];
        a->paramSlot.push_back(loc < 0 ? -loc - 1 : -1);
        if (loc >= 0) a->values[i] = fr.base[loc];
    }
    a->props.add(names_.length, Value::number(fr.argc), DontEnum);
    a->props.add(names_.callee, fr.callee ? Value::object(fr.callee) : Value(), DontEnum);
    return a;
}

// The `this` of a `new` call: a fresh object inheriting from the callee's prototype.
Value Vm::constructThis(FunctionObject* f) {
    Value protoV = get(f, names_.prototype);
    return Value::object(newObject(protoV.isObject() ? protoV.obj : objectProto));
}

// The Env a call of `p` creates, with the captured parameters copied in.
Env* Vm::makeCallEnv(FunctionObject* f, const Value* base, uint32_t argc) {
    FuncProto* p = f->code;
    Env* env = heap_.make<Env>(f->env, p, p->envCount);
    for (int i = 0; i < p->paramCount; ++i) {
        int loc = p->paramLocation[i];
        if (loc < 0) env->slots[-loc - 1] = i < static_cast<int>(argc) ? base[i] : Value();
    }
    return env;
}

void Vm::stackOverflow() { throwError(28); }

// The hot path of every script call: the rare cases (new, an Env, `arguments`) are
// out of line so this one stays small.
__attribute__((always_inline)) inline void Vm::pushFrame(FunctionObject* f, uint32_t argc, bool construct, bool entry) {
    FuncProto* p = f->code;
    Value* base = sp_ - argc;
    if (frames_.size() >= kMaxFrames || base + p->frameSlots >= stackEnd_) [[unlikely]] stackOverflow();
    if (!p->plainFrame || construct) [[unlikely]] return pushFrameSlow(f, argc, construct, entry, base);
    frames_.emplace_back(p, f, p->code.data(), base, f->env, base[-1], argc, false, entry);
    // Missing parameters, variables, and extra arguments past the parameters start undefined.
    int locals = p->localCount;
    for (int i = std::min(static_cast<int>(argc), p->paramCount); i < locals; ++i) base[i] = Value();
    sp_ = base + locals;
}

void Vm::pushFrameSlow(FunctionObject* f, uint32_t argc, bool construct, bool entry, Value* base) {
    FuncProto* p = f->code;
    int locals = p->localCount;
    if (construct) base[-1] = constructThis(f);
    Env* env = p->envCount > 0 || p->dynamicLocals || p->needsEnv ? makeCallEnv(f, base, argc) : f->env;
    Frame& fr = frames_.emplace_back(Frame{p, f, p->code.data(), base, env, base[-1], argc, construct, entry});
    Value argsObj;
    if (p->needsArguments) argsObj = Value::object(makeArguments(fr));
    int cleared = std::min(static_cast<int>(argc), p->paramCount);
    for (int i = cleared; i < locals; ++i) base[i] = Value();
    sp_ = base + locals;
    if (p->needsArguments) {
        if (p->argumentsSlot >= 0) base[p->argumentsSlot] = argsObj;
        else env->slots[-p->argumentsSlot - 1] = argsObj;
    }
}

Vm::RepeatedCall::RepeatedCall(Vm& vm, Value f, Value thisv) : vm_(vm), f_(f), this_(thisv) {
    if (!vm.isCallable(f)) vm.throwError(5002);
    if (nativeStackLow()) vm.throwError(28);
    auto* fn = static_cast<FunctionObject*>(f.obj);
    if (f.obj->cls == ObjClass::Function && fn->code) script_ = fn;
}

// As callback, without its per-call checks: the native stack does not grow between the
// calls, and an exception leaving the callee unwinds through a run loop that resets sp.
Value Vm::RepeatedCall::operator()(std::span<Value> args) {
    if (!script_) return vm_.callback(f_, this_, args);
    Vm& vm = vm_;
    if (vm.nativeDepth == 0 && vm.heap_.wantsCollection()) {
        RootScope scope(vm.heap_);
        scope.hold(f_);
        scope.hold(this_);
        for (const Value& a : args) scope.hold(a);
        vm.collectGarbage();
    }
    Value* sp = vm.sp_;
    if (sp + args.size() + 2 >= vm.stackEnd_) vm.throwError(28);
    sp[0] = f_;
    sp[1] = this_;
    std::copy(args.begin(), args.end(), sp + 2);
    vm.sp_ = sp + 2 + args.size();
    vm.pushFrame(script_, static_cast<uint32_t>(args.size()), false, true);
    return vm.execute(vm.frames_.size() - 1);
}

Value Vm::invoke(uint32_t argc, bool construct) {
    Value* fpos = sp_ - argc - 2;
    auto* fn = static_cast<FunctionObject*>(fpos[0].obj);
    if (fpos[0].obj->cls != ObjClass::Function) throwError(5002);
    if (fn->code) {
        ++nativeDepth;
        try {
            pushFrame(fn, argc, construct, true);
            Value r = execute(frames_.size() - 1);
            --nativeDepth;
            return r;
        } catch (...) {
            --nativeDepth;
            sp_ = fpos;
            throw;
        }
    }
    ++nativeDepth;  // a native such as eval may run script
    try {
        Value r;
        std::span<Value> args(fpos + 2, argc);
        if (construct) {
            if (!fn->construct) throwError(445);
            r = fn->construct(*this, Value::hole(), args, fn);
        } else {
            r = fn->native(*this, fpos[1], args, fn);
        }
        --nativeDepth;
        sp_ = fpos;
        return r;
    } catch (...) {
        --nativeDepth;
        sp_ = fpos;
        throw;
    }
}

static bool lookupName(Vm& vm, Env* env, JsString* name, NameRef& ref) {
    for (Env* e = env; e; e = e->parent) {
        if (e->withObject) {
            if (vm.hasProperty(e->withObject, name)) {
                ref.holder = e->withObject;
                return true;
            }
            continue;
        }
        if (e->owner) {
            auto& names = e->owner->envNames;
            for (size_t i = names.size(); i-- > 0;) {
                if (names[i] == name && i < e->slots.size()) {
                    ref.slot = &e->slots[i];
                    return true;
                }
            }
        }
        if (e->extras && vm.hasOwn(e->extras, name)) {
            ref.holder = e->extras;
            return true;
        }
    }
    if (vm.hasProperty(vm.global, name)) {
        ref.holder = vm.global;
        return true;
    }
    return false;
}

// Relational comparison after ToPrimitive; which: 0 <, 1 >, 2 <=, 3 >=.
bool Vm::compareValues(Value a, Value b, int which) {
    Value pa = toPrimitive(a, 1), pb = toPrimitive(b, 1);
    if (pa.isString() && pb.isString()) {
        int c = pa.str->view().compare(pb.str->view());
        return which == 0 ? c < 0 : which == 1 ? c > 0 : which == 2 ? c <= 0 : c >= 0;
    }
    double x = toNumber(pa), y = toNumber(pb);
    return which == 0 ? x < y : which == 1 ? x > y : which == 2 ? x <= y : x >= y;
}

// Unwinds to the innermost handler at or above entryFrame: its frame becomes the top
// with pc at the catch code and the thrown value pushed. False when there is none.
bool Vm::enterHandler(size_t entryFrame, const int32_t* pc, Value thrown) {
    Frame& top = frames_.back();
    if (!haveErrorPos) {
        errorPos = top.proto->positionAt(static_cast<int32_t>(pc - top.proto->code.data()));
        errorText = top.proto->scriptText;
        haveErrorPos = true;
    }
    if (handlers_.empty() || handlers_.back().frame < entryFrame) return false;
    Handler h = handlers_.back();
    handlers_.pop_back();
    frames_.resize(h.frame + 1);
    Frame& fr = frames_.back();
    fr.env = h.env;
    fr.pc = h.catchPc;
    sp_ = h.sp;
    *sp_++ = thrown;
    haveErrorPos = false;
    return true;
}

// Drops this run's frames before an exception leaves it.
void Vm::leaveRun(size_t entryFrame) {
    sp_ = frames_[entryFrame].base - 2;
    frames_.resize(entryFrame);
}

Value Vm::execute(size_t entryFrame) {
    Frame* fr = &frames_.back();
    const int32_t* pc = fr->pc;

#define PROTO (fr->proto)
#define STR(i) (PROTO->strings[(i)].str)
// The stack top and pc live in registers here; SAVE() publishes them before anything
// that may call out (conversions, property access, calls), and they are reloaded after
// frames are pushed. The exception handlers below read only what SAVE() published, so
// pc need not be kept in memory for them.
    Value* sp = sp_;
    Value* base = fr->base;  // the frame's slot 0, kept in a register like pc and sp
#define SAVE() (sp_ = sp, fr->pc = pc)
// The timeout check at calls and backward jumps, read through context_ so it holds no register.
#define TICK() (context_ ? context_->budget.tick() : void())
    // Backward jumps tick the budget once in kLoopsPerTick, counted here: a decrement
    // instead of two pointer loads per iteration of a tight loop.
    constexpr int kLoopsPerTick = 8;
    int loopsToTick = kLoopsPerTick;
    // Threaded dispatch: every handler jumps straight to the next one.
#define QUILLO_JS_OP_LABEL(name) &&L_##name,
    static const void* const kLabels[] = {QUILLO_JS_OPS(QUILLO_JS_OP_LABEL)};
#undef QUILLO_JS_OP_LABEL
#define CASE(name) L_##name:
#define NEXT() goto *kLabels[*pc]
#define PUSH(v) (*sp++ = (v))
#define POP() (*--sp)
#define TOP() (sp[-1])
// Continues at the innermost handler of this run, if there is one.
#define ENTER_TOP_FRAME() (fr = &frames_.back(), pc = fr->pc, sp = sp_, base = fr->base)
#define RESUME(thrown) (enterHandler(entryFrame, frames_.back().pc, (thrown)) ? (ENTER_TOP_FRAME(), true) : false)

    for (;;) {
        try {
            for (;;) {
                NEXT();
                {
                    CASE(Undef) PUSH(Value()); pc += 1; NEXT();
                    CASE(Null) PUSH(Value::null()); pc += 1; NEXT();
                    CASE(True) PUSH(Value::boolean_(true)); pc += 1; NEXT();
                    CASE(False) PUSH(Value::boolean_(false)); pc += 1; NEXT();
                    CASE(Hole) PUSH(Value::hole()); pc += 1; NEXT();
                    CASE(Int) PUSH(Value::int32(pc[1])); pc += 2; NEXT();
                    CASE(Num) PUSH(Value::number(PROTO->numbers[pc[1]])); pc += 2; NEXT();
                    CASE(Str) PUSH(PROTO->strings[pc[1]]); pc += 2; NEXT();
                    CASE(This) {
                        SAVE();
                        Value& t = fr->thisv;
                        if (t.isNullish()) t = Value::object(global);
                        else if (!t.isObject()) t = Value::object(toObject(t));
                        PUSH(t);
                        pc += 1;
                        NEXT();
                    }
                    CASE(Pop) --sp; pc += 1; NEXT();
                    CASE(Dup) *sp = sp[-1]; ++sp; pc += 1; NEXT();
                    CASE(Dup2) sp[0] = sp[-2]; sp[1] = sp[-1]; sp += 2; pc += 1; NEXT();
                    CASE(Swap) std::swap(sp[-1], sp[-2]); pc += 1; NEXT();
                    CASE(Rot3) {
                        Value c = sp[-1];
                        sp[-1] = sp[-2];
                        sp[-2] = sp[-3];
                        sp[-3] = c;
                        pc += 1;
                        NEXT();
                    }
                    CASE(Rot4) {
                        Value d = sp[-1];
                        sp[-1] = sp[-2];
                        sp[-2] = sp[-3];
                        sp[-3] = sp[-4];
                        sp[-4] = d;
                        pc += 1;
                        NEXT();
                    }
                    CASE(GetLocal) PUSH(base[pc[1]]); pc += 2; NEXT();
                    CASE(SetLocal) base[pc[1]] = TOP(); pc += 2; NEXT();
                    CASE(SetLocalPop) base[pc[1]] = POP(); pc += 2; NEXT();
                    CASE(GetLocal2) {
                        sp[0] = base[pc[1]];
                        sp[1] = base[pc[2]];
                        sp += 2;
                        pc += 3;
                        NEXT();
                    }
                    CASE(AddInt) {
                        Value& a = TOP();
                        int32_t r;
                        if (a.isInt32() && intAdd(a.i32, pc[1], r)) [[likely]] {
                            a.setInt(r);
                            pc += 2;
                            NEXT();
                        }
                        if (a.isNumber()) {
                            a.setNumber(a.num + pc[1]);
                            pc += 2;
                            NEXT();
                        }
                        PUSH(Value::number(pc[1]));
                        pc += 1;
                        goto L_Add;
                    }
                    CASE(SubInt) {
                        Value& a = TOP();
                        int32_t r;
                        if (a.isInt32() && intSub(a.i32, pc[1], r)) [[likely]] {
                            a.setInt(r);
                            pc += 2;
                            NEXT();
                        }
                        if (a.isNumber()) {
                            a.setNumber(a.num - pc[1]);
                            pc += 2;
                            NEXT();
                        }
                        PUSH(Value::number(pc[1]));
                        pc += 1;
                        goto L_Sub;
                    }
                    CASE(MulInt) {
                        Value& a = TOP();
                        int32_t r;
                        if (a.isInt32() && intMul(a.i32, pc[1], r)) [[likely]] {
                            a.setInt(r);
                            pc += 2;
                            NEXT();
                        }
                        if (a.isNumber()) {
                            a.setNumber(a.num * pc[1]);
                            pc += 2;
                            NEXT();
                        }
                        PUSH(Value::number(pc[1]));
                        pc += 1;
                        goto L_Mul;
                    }
                    CASE(ModInt) {
                        Value& a = TOP();
                        auto k = static_cast<uint32_t>(pc[1]);
                        uint32_t n;
                        if (a.isInt32() && a.i32 >= 0) [[likely]] {
                            a.setInt(static_cast<int32_t>(fastMod(static_cast<uint32_t>(a.i32), pc + 2, k)));
                        } else if (a.isNumber() && asUint32(a.num, n)) {
                            a.setInt(static_cast<int32_t>(fastMod(n, pc + 2, k)));
                        } else {
                            SAVE();
                            a = arithmetic(Op::Mod, a, Value::number(k));
                        }
                        pc += 4;
                        NEXT();
                    }
    // ++ and -- on a local; the int32 shadow steps unless it would overflow.
#define STEP_LOCAL(OPNAME, DELTA)                                             \
    CASE(OPNAME) {                                                            \
        Value& v = base[pc[1]];                                               \
        int32_t r;                                                            \
        if (v.isInt32() && intAdd(v.i32, DELTA, r)) [[likely]] {              \
            v.setInt(r);                                                      \
        } else {                                                              \
            double d = v.isNumber() ? v.num : (SAVE(), toNumber(v));          \
            v = Value::number(d + (DELTA));                                   \
        }                                                                     \
        pc += 2;                                                              \
        NEXT();                                                               \
    }
                    STEP_LOCAL(IncLocal, 1)
                    STEP_LOCAL(DecLocal, -1)
#undef STEP_LOCAL
                    CASE(GetEnv) {
                        Env* e = fr->env;
                        for (int d = pc[1]; d > 0; --d) e = e->parent;
                        PUSH(e->slots[pc[2]]);
                        pc += 3;
                        NEXT();
                    }
                    CASE(SetEnv) {
                        Env* e = fr->env;
                        for (int d = pc[1]; d > 0; --d) e = e->parent;
                        e->slots[pc[2]] = TOP();
                        pc += 3;
                        NEXT();
                    }
                    CASE(GetGlobal) CASE(TypeofGlobal) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        int32_t& cache = const_cast<int32_t&>(pc[2]);
                        PropertyMap& props = global->props;
                        Value v;
                        if (cache >= 0 && static_cast<size_t>(cache) < props.size() && props.at(cache).key == name) {
                            v = props.at(cache).value;
                        } else {
                            int i = props.find(name);
                            if (i >= 0) {
                                cache = i;
                                v = props.at(i).value;
                            } else if (!lookupHostName(name, v)) {
                                if (hasProperty(global, name)) v = get(global, name);
                                else if (static_cast<Op>(*pc) == Op::TypeofGlobal) v = Value();
                                else throwError(ErrorKind::TypeError, 5009, u"'" + name->str() + u"' is undefined");
                            }
                        }
                        PUSH(static_cast<Op>(*pc) == Op::TypeofGlobal ? Value::string(typeOf(v)) : v);
                        pc += 3;
                        NEXT();
                    }
                    CASE(SetGlobal) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        int32_t& cache = const_cast<int32_t&>(pc[2]);
                        PropertyMap& props = global->props;
                        if (cache >= 0 && static_cast<size_t>(cache) < props.size() && props.at(cache).key == name) {
                            props.at(cache).value = TOP();
                        } else {
                            int i = props.find(name);
                            if (i >= 0) {
                                cache = i;
                                if (!(props.at(i).attrs & ReadOnly)) props.at(i).value = TOP();
                            } else {
                                put(global, name, TOP());
                            }
                        }
                        pc += 3;
                        NEXT();
                    }
                    CASE(GetName) CASE(TypeofName) CASE(GetNameMethod) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        NameRef ref;
                        Value v;
                        Op op = static_cast<Op>(*pc);
                        if (lookupName(*this, fr->env, name, ref)) {
                            v = ref.slot ? *ref.slot : get(ref.holder, name);
                        } else if (!lookupHostName(name, v)) {
                            if (op != Op::TypeofName) throwError(ErrorKind::TypeError, 5009, u"'" + name->str() + u"' is undefined");
                        }
                        if (op == Op::TypeofName) {
                            PUSH(Value::string(typeOf(v)));
                        } else {
                            PUSH(v);
                            if (op == Op::GetNameMethod) {
                                bool withThis = ref.holder && ref.holder != global && ref.holder->cls != ObjClass::Object;
                                if (ref.holder && ref.holder != global) {
                                    for (Env* e = fr->env; e; e = e->parent)
                                        if (e->withObject == ref.holder) withThis = true;
                                }
                                PUSH(withThis ? Value::object(ref.holder) : Value());
                            }
                        }
                        pc += 2;
                        NEXT();
                    }
                    CASE(SetName) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        NameRef ref;
                        if (lookupName(*this, fr->env, name, ref)) {
                            if (ref.slot) *ref.slot = TOP();
                            else put(ref.holder, name, TOP());
                        } else {
                            put(global, name, TOP());
                        }
                        pc += 2;
                        NEXT();
                    }
                    CASE(DeclareName) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        Env* e = fr->env;
                        while (e && (e->withObject || !e->owner || e->owner->isCatchScope)) e = e->parent;
                        if (!e) {
                            if (!hasOwn(global, name)) global->props.add(name, Value(), DontDelete);
                        } else {
                            bool found = false;
                            for (JsString* n : e->owner->envNames)
                                if (n == name) found = true;
                            if (!found) {
                                if (!e->extras) e->extras = heap_.make<Object>(ObjClass::Object, nullptr);
                                if (!hasOwn(e->extras, name)) e->extras->props.add(name, Value(), 0);
                            }
                        }
                        pc += 2;
                        NEXT();
                    }
                    CASE(DeleteName) {
                        SAVE();
                        JsString* name = STR(pc[1]);
                        NameRef ref;
                        bool r = true;
                        if (lookupName(*this, fr->env, name, ref)) r = ref.slot ? false : deleteProp(ref.holder, name);
                        PUSH(Value::boolean_(r));
                        pc += 2;
                        NEXT();
                    }
                    CASE(GetProp) {
                        JsString* key = STR(pc[1]);
                        Value& b = TOP();
                        if (b.isObject()) {
                            Object* o = b.obj;
                            int i = o->props.find(key);
                            if (i >= 0) {
                                b = o->props.at(i).value;
                            } else if (o->cls == ObjClass::Array && key == names_.length) {
                                b = Value::number(static_cast<ArrayObject*>(o)->length);
                            } else {
                                SAVE();
                                b = getNamedV(b, key);
                            }
                        } else {
                            SAVE();
                            b = getNamedV(b, key, pc[2], PROTO);
                        }
                        pc += 3;
                        NEXT();
                    }
                    CASE(SetProp) {
                        SAVE();
                        JsString* key = STR(pc[1]);
                        Value v = sp[-1];
                        Value b = sp[-2];
                        if (b.isObject()) {
                            Object* o = b.obj;
                            int i;
                            if (o->cls == ObjClass::Object && (i = o->props.find(key)) >= 0 && !(o->props.at(i).attrs & ReadOnly))
                                o->props.at(i).value = v;
                            else
                                put(o, key, v);
                        } else {
                            putV(b, Value::string(key), v);
                        }
                        sp[-2] = v;
                        --sp;
                        pc += 2;
                        NEXT();
                    }
                    CASE(GetElem) {
                        Value k = sp[-1];
                        Value b = sp[-2];
                        if (b.isObject() && k.isNumber() && b.obj->cls == ObjClass::Array) {
                            // A dense element read inline; everything else goes through getV.
                            auto* a = static_cast<ArrayObject*>(b.obj);
                            if (k.isInt32()) {
                                auto i = static_cast<uint32_t>(k.i32);  // negatives wrap past the size
                                if (i < a->dense.size() && !a->dense[i].isHole()) {
                                    sp[-2] = a->dense[i];
                                    --sp;
                                    pc += 2;
                                    NEXT();
                                }
                            }
                            double d = k.num;
                            if (d >= 0 && d < static_cast<double>(a->dense.size())) {
                                auto i = static_cast<uint32_t>(d);
                                if (i == d && !a->dense[i].isHole()) {
                                    sp[-2] = a->dense[i];
                                    --sp;
                                    pc += 2;
                                    NEXT();
                                }
                            }
                        }
                        SAVE();
                        sp[-2] = getV(b, k, pc[1], PROTO);
                        --sp;
                        pc += 2;
                        NEXT();
                    }
                    CASE(SetElem) {
                        SAVE();
                        Value v = sp[-1];
                        if (sp[-3].isNullish()) toObject(sp[-3]);
                        putV(sp[-3], sp[-2], v);
                        sp[-3] = v;
                        sp -= 2;
                        pc += 1;
                        NEXT();
                    }
                    CASE(GetMethod) CASE(GetMethodElem) {
                        SAVE();
                        bool elem = static_cast<Op>(*pc) == Op::GetMethodElem;
                        Value obj = elem ? sp[-2] : sp[-1];
                        JsString* key = elem ? keyAtom(sp[-1]) : STR(pc[1]);
                        int textIndex = elem ? pc[1] : pc[2];
                        Value f;
                        if (obj.isObject() && obj.obj->cls == ObjClass::Host) {
                            FunctionObject* m = newNative(key, nullptr, 0);
                            m->native = hostMethodCall;
                            m->data = obj;
                            f = Value::object(m);
                        } else {
                            if (obj.isNullish()) toObject(obj, textIndex, PROTO);
                            f = getNamedV(obj, key);
                        }
                        if (elem) {
                            sp[-2] = f;
                            sp[-1] = obj;
                        } else {
                            sp[-1] = f;
                            PUSH(obj);
                        }
                        pc += elem ? 2 : 3;
                        NEXT();
                    }
                    CASE(DeleteProp) {
                        SAVE();
                        Value b = TOP();
                        if (b.isNullish()) toObject(b);
                        TOP() = Value::boolean_(b.isObject() ? deleteProp(b.obj, STR(pc[1])) : true);
                        pc += 2;
                        NEXT();
                    }
                    CASE(DeleteElem) {
                        SAVE();
                        Value b = sp[-2];
                        if (b.isNullish()) toObject(b);
                        bool r = b.isObject() ? deleteProp(b.obj, keyAtom(sp[-1])) : true;
                        --sp;
                        TOP() = Value::boolean_(r);
                        pc += 1;
                        NEXT();
                    }
                    CASE(Call) {
                        uint32_t argc = static_cast<uint32_t>(pc[1]);
                        int flags = pc[2];
                        Value* fpos = sp - argc - 2;
                        Value f = fpos[0];
                        SAVE();
                        TICK();
                        if (!f.isObject() || !f.obj->isCallable) {
                            if (f.isObject() && f.obj->cls == ObjClass::Host) {
                                auto* h = static_cast<HostObject*>(f.obj);
                                Value r;
                                {  // the argument vector must be gone before the computed goto
                                    std::vector<script::Variant> vargs;
                                    for (uint32_t i = 0; i < argc; ++i) vargs.push_back(toVariant(fpos[2 + i]));
                                    r = fromVariant(h->dispatch->invoke(script::DISPID_VALUE, script::InvokeKind::MethodOrGet, vargs));
                                }
                                sp = fpos;
                                PUSH(r);
                                pc += 3;
                                NEXT();
                            }
                            throwError(ErrorKind::TypeError, (flags & 1) && f.isUndefined() ? 438 : 5002);
                        }
                        auto* fn = static_cast<FunctionObject*>(f.obj);
                        if (fn->code) {
                            pc += 3;
                            fr->pc = pc;
                            pushFrame(fn, argc, false, false);
                            ENTER_TOP_FRAME();
                            if (nativeDepth == 0 && heap_.wantsCollection()) collectGarbage();
                            NEXT();
                        }
                        Value r;
                        if ((flags & 2) && fn == evalFunction) {
                            Value src = argc > 0 ? fpos[2] : Value();
                            if (!src.isString()) {
                                r = src;
                            } else {
                                fr->pc = pc;
                                Value thisv = fr->thisv;
                                if (thisv.isNullish()) thisv = Value::object(global);
                                r = evalCode(src.str->str(), fr->env, thisv, true);
                            }
                        } else {
                            fr->pc = pc;
                            r = fn->native(*this, fpos[1], std::span<Value>(fpos + 2, argc), fn);
                        }
                        sp = fpos;
                        PUSH(r);
                        pc += 3;
                        NEXT();
                    }
                    CASE(New) {
                        uint32_t argc = static_cast<uint32_t>(pc[1]);
                        Value* fpos = sp - argc - 1;
                        // Make room for the `this` slot: callee, this, args.
                        std::memmove(static_cast<void*>(fpos + 2), fpos + 1, argc * sizeof(Value));
                        fpos[1] = Value();
                        ++sp;
                        SAVE();
                        Value f = fpos[0];
                        if (!f.isObject() || !f.obj->isCallable) {
                            throwError(ErrorKind::TypeError, f.isObject() ? 5002 : 5002);
                        }
                        auto* fn = static_cast<FunctionObject*>(f.obj);
                        if (fn->code) {
                            pc += 2;
                            fr->pc = pc;
                            pushFrame(fn, argc, true, false);
                            ENTER_TOP_FRAME();
                            NEXT();
                        }
                        fr->pc = pc;
                        if (!fn->construct) throwError(445);
                        Value r = fn->construct(*this, Value::hole(), std::span<Value>(fpos + 2, argc), fn);
                        sp = fpos;
                        PUSH(r);
                        pc += 2;
                        NEXT();
                    }
                    CASE(PutCall) {
                        SAVE();
                        uint32_t argc = static_cast<uint32_t>(pc[1]);
                        Value* fpos = sp - argc - 3;
                        Value f = fpos[0];
                        Value value = sp[-1];
                        if (f.isObject() && f.obj->cls == ObjClass::Function &&
                            static_cast<FunctionObject*>(f.obj)->native == &hostMethodCall) {
                            hostMethodPut(*this, fpos[1], std::span<Value>(fpos + 2, argc + 1), f.obj);
                        } else {
                            throwError(5003);
                        }
                        sp = fpos;
                        PUSH(value);
                        pc += 2;
                        NEXT();
                    }
                    CASE(Return) CASE(ReturnUndef) {
                        // The result is copied in memory to the callee's slot, the caller's
                        // new top, rather than held field by field in registers across the pop.
                        Value* out = fr->base - 2;
                        *out = static_cast<Op>(*pc) == Op::Return ? sp[-1] : Value();
                        if (fr->construct && !out->isObject()) *out = fr->thisv;
                        bool entry = fr->entry;
                        sp = out;
                        frames_.pop_back();
                        if (entry) {
                            SAVE();
                            return *out;
                        }
                        ++sp;
                        fr = &frames_.back();
                        pc = fr->pc;
                        base = fr->base;
                        NEXT();
                    }
                    CASE(Add) {
                        Value& a = sp[-2];
                        Value b = sp[-1];
                        int32_t r;
                        if (a.isInt32() && b.isInt32() && intAdd(a.i32, b.i32, r)) [[likely]] a.setInt(r);
                        else if (a.isNumber() && b.isNumber()) a.setNumber(a.num + b.num);
                        else SAVE(), a = arithmetic(Op::Add, a, b);
                        --sp;
                        pc += 1;
                        NEXT();
                    }
// INTOP: the int32 path tried first (see IntArith.h), or noIntPath.
#define ARITH(OPNAME, EXPR, INTOP)                                            \
    CASE(OPNAME) {                                                            \
        Value& a = sp[-2];                                                    \
        Value b = sp[-1];                                                     \
        int32_t r;                                                            \
        if (a.isInt32() && b.isInt32() && INTOP(a.i32, b.i32, r)) [[likely]] { \
            a.setInt(r);                                                      \
        } else if (a.isNumber() && b.isNumber()) {                            \
            double x = a.num, y = b.num;                                      \
            a.setNumber(EXPR);                                                \
        } else {                                                              \
            SAVE();                                                           \
            a = arithmetic(Op::OPNAME, a, b);                                 \
        }                                                                     \
        --sp;                                                                 \
        pc += 1;                                                              \
        NEXT();                                                               \
    }
                    ARITH(Sub, x - y, intSub)
                    ARITH(Mul, x * y, intMul)
                    ARITH(Div, x / y, noIntPath)
                    ARITH(Mod, numberRemainder(x, y), intMod)
#undef ARITH
    // Register forms: operands from locals or the instruction, the result into a local
    // or onto the stack, without the stack traffic of the plain forms. Only the number
    // case is inline; the rest share one slow path per operand shape.
#define RESULT_SLOT() (pc[1] >= 0 ? base + pc[1] : sp++)
#define STORE_NUMBER(d) RESULT_SLOT()->setNumber(d)
#define STORE_INT(i) RESULT_SLOT()->setInt(i)
#define ARITH_LL(OPNAME, EXPR, INTOP)                                         \
    CASE(OPNAME##LL) {                                                        \
        const Value& a = base[pc[2]];                                         \
        const Value& b = base[pc[3]];                                         \
        int32_t r;                                                            \
        if (a.isInt32() && b.isInt32() && INTOP(a.i32, b.i32, r)) [[likely]] { \
            STORE_INT(r);                                                     \
            pc += 4;                                                          \
            NEXT();                                                           \
        }                                                                     \
        if (a.isNumber() && b.isNumber()) [[likely]] {                        \
            double x = a.num, y = b.num;                                      \
            STORE_NUMBER(EXPR);                                               \
            pc += 4;                                                          \
            NEXT();                                                           \
        }                                                                     \
        goto arith_ll_slow;                                                   \
    }
#define ARITH_LK(OPNAME, EXPR, INTOP)                                         \
    CASE(OPNAME##LK) {                                                        \
        const Value& a = base[pc[2]];                                         \
        int32_t r;                                                            \
        if (a.isInt32() && INTOP(a.i32, pc[3], r)) [[likely]] {               \
            STORE_INT(r);                                                     \
            pc += 4;                                                          \
            NEXT();                                                           \
        }                                                                     \
        if (a.isNumber()) [[likely]] {                                        \
            double x = a.num, y = pc[3];                                      \
            STORE_NUMBER(EXPR);                                               \
            pc += 4;                                                          \
            NEXT();                                                           \
        }                                                                     \
        goto arith_lk_slow;                                                   \
    }
                    ARITH_LL(Add, x + y, intAdd)
                    ARITH_LL(Sub, x - y, intSub)
                    ARITH_LL(Mul, x * y, intMul)
                    ARITH_LL(Div, x / y, noIntPath)
                    ARITH_LL(Mod, numberRemainder(x, y), intMod)
                    ARITH_LK(Add, x + y, intAdd)
                    ARITH_LK(Sub, x - y, intSub)
                    ARITH_LK(Mul, x * y, intMul)
                    ARITH_LK(Div, x / y, noIntPath)
#undef ARITH_LL
#undef ARITH_LK
                    CASE(ModLK) {
                        const Value& a = base[pc[2]];
                        uint32_t n;
                        if (a.isInt32() && a.i32 >= 0) [[likely]] {
                            STORE_INT(static_cast<int32_t>(fastMod(static_cast<uint32_t>(a.i32), pc + 4, static_cast<uint32_t>(pc[3]))));
                            pc += 6;
                            NEXT();
                        }
                        if (a.isNumber() && asUint32(a.num, n)) {
                            STORE_INT(static_cast<int32_t>(fastMod(n, pc + 4, static_cast<uint32_t>(pc[3]))));
                            pc += 6;
                            NEXT();
                        }
                        SAVE();
                        Value r = arithmetic(Op::Mod, a, Value::number(pc[3]));
                        *RESULT_SLOT() = r;
                        pc += 6;
                        NEXT();
                    }
                    // Fused forms: the product and the sum never leave registers.
                    CASE(AddMulLLK) {
                        const Value& a = base[pc[2]];
                        const Value& b = base[pc[3]];
                        if (a.isInt32() && b.isInt32()) [[likely]] {
                            int64_t s = intAddMul(a.i32, b.i32, pc[4]);
                            if (fitsInt32(s)) [[likely]] {
                                STORE_INT(static_cast<int32_t>(s));
                                pc += 5;
                                NEXT();
                            }
                        }
                        if (a.isNumber() && b.isNumber()) [[likely]] {
                            STORE_NUMBER(a.num + b.num * pc[4]);
                            pc += 5;
                            NEXT();
                        }
                        SAVE();
                        Value r = arithmetic(Op::Add, a, arithmetic(Op::Mul, b, Value::number(pc[4])));
                        *RESULT_SLOT() = r;
                        pc += 5;
                        NEXT();
                    }
                    CASE(AddMulModLLKK) {
                        const Value& a = base[pc[2]];
                        const Value& b = base[pc[3]];
                        if (a.isInt32() && b.isInt32()) [[likely]] {
                            int64_t s = intAddMul(a.i32, b.i32, pc[4]);
                            if (static_cast<uint64_t>(s) <= UINT32_MAX) [[likely]] {
                                STORE_INT(static_cast<int32_t>(fastMod(static_cast<uint32_t>(s), pc + 6, static_cast<uint32_t>(pc[5]))));
                                pc += 8;
                                NEXT();
                            }
                        }
                        if (a.isNumber() && b.isNumber()) [[likely]] {
                            double y = a.num + b.num * pc[4];
                            uint32_t n;
                            if (asUint32(y, n)) [[likely]] {
                                STORE_INT(static_cast<int32_t>(fastMod(n, pc + 6, static_cast<uint32_t>(pc[5]))));
                            } else {
                                STORE_NUMBER(numberRemainder(y, pc[5]));
                            }
                            pc += 8;
                            NEXT();
                        }
                        SAVE();
                        Value sum = arithmetic(Op::Add, a, arithmetic(Op::Mul, b, Value::number(pc[4])));
                        Value r = arithmetic(Op::Mod, sum, Value::number(pc[5]));
                        *RESULT_SLOT() = r;
                        pc += 8;
                        NEXT();
                    }
                arith_ll_slow: {
                    // The opcodes of each shape run in the order of Add ... Mod.
                    SAVE();
                    auto op = static_cast<Op>(static_cast<int>(Op::Add) + (*pc - static_cast<int>(Op::AddLL)));
                    Value r = arithmetic(op, base[pc[2]], base[pc[3]]);
                    *RESULT_SLOT() = r;
                    pc += 4;
                    NEXT();
                }
                arith_lk_slow: {
                    SAVE();
                    auto op = static_cast<Op>(static_cast<int>(Op::Add) + (*pc - static_cast<int>(Op::AddLK)));
                    Value r = arithmetic(op, base[pc[2]], Value::number(pc[3]));
                    *RESULT_SLOT() = r;
                    pc += 4;
                    NEXT();
                }
#undef STORE_NUMBER
#undef STORE_INT
#undef RESULT_SLOT
#define JUMP_UNLESS_LL(OPNAME, CMP, WHICH)                                    \
    CASE(OPNAME) {                                                            \
        const Value& a = base[pc[1]];                                         \
        const Value& b = base[pc[2]];                                         \
        bool r;                                                               \
        if (a.isNumber() && b.isNumber()) [[likely]] r = a.num CMP b.num;     \
        else SAVE(), r = compareValues(a, b, WHICH);                          \
        pc = r ? pc + 4 : PROTO->code.data() + pc[3];                         \
        NEXT();                                                               \
    }
#define JUMP_UNLESS_LK(OPNAME, CMP, WHICH)                                    \
    CASE(OPNAME) {                                                            \
        const Value& a = base[pc[1]];                                         \
        bool r;                                                               \
        if (a.isNumber()) [[likely]] r = a.num CMP static_cast<double>(pc[2]); \
        else SAVE(), r = compareValues(a, Value::number(pc[2]), WHICH);       \
        pc = r ? pc + 4 : PROTO->code.data() + pc[3];                         \
        NEXT();                                                               \
    }
                    JUMP_UNLESS_LL(JumpIfNotLtLL, <, 0)
                    JUMP_UNLESS_LL(JumpIfNotGtLL, >, 1)
                    JUMP_UNLESS_LL(JumpIfNotLeLL, <=, 2)
                    JUMP_UNLESS_LL(JumpIfNotGeLL, >=, 3)
                    JUMP_UNLESS_LK(JumpIfNotLtLK, <, 0)
                    JUMP_UNLESS_LK(JumpIfNotGtLK, >, 1)
                    JUMP_UNLESS_LK(JumpIfNotLeLK, <=, 2)
                    JUMP_UNLESS_LK(JumpIfNotGeLK, >=, 3)
#undef JUMP_UNLESS_LL
#undef JUMP_UNLESS_LK
#define BITOP(OPNAME, EXPR)                                                   \
    CASE(OPNAME) SAVE(); {                                                        \
        SAVE();                                                               \
        int32_t x = sp[-2].isInt32() ? sp[-2].i32 : toInt32(sp[-2]);         \
        int32_t y = sp[-1].isInt32() ? sp[-1].i32 : toInt32(sp[-1]);         \
        sp[-2] = EXPR;                                                       \
        --sp;                                                                \
        pc += 1;                                                              \
        NEXT();                                                                \
    }
                    BITOP(BitAnd, Value::int32(x & y))
                    BITOP(BitOr, Value::int32(x | y))
                    BITOP(BitXor, Value::int32(x ^ y))
                    BITOP(Shl, Value::int32(static_cast<int32_t>(static_cast<uint32_t>(x) << (y & 31))))
                    BITOP(Sar, Value::int32(x >> (y & 31)))
                    BITOP(Shr, uint32Value(static_cast<uint32_t>(x) >> (y & 31)))
#undef BITOP
                    CASE(Neg) {
                        Value& a = TOP();
                        // -0 and -INT32_MIN are not int32 values.
                        if (a.isInt32() && a.i32 != 0 && a.i32 != INT32_MIN) [[likely]] a.setInt(-a.i32);
                        else SAVE(), a = Value::number(-(a.isNumber() ? a.num : toNumber(a)));
                        pc += 1;
                        NEXT();
                    }
                    CASE(ToNumber) SAVE(); if (!TOP().isNumber()) TOP() = Value::number(toNumber(TOP())); pc += 1; NEXT();
    // Inc and Dec follow ToNumber: the top is a number.
#define STEP_TOP(OPNAME, DELTA)                                               \
    CASE(OPNAME) {                                                            \
        Value& a = TOP();                                                     \
        int32_t r;                                                            \
        if (a.isInt32() && intAdd(a.i32, DELTA, r)) [[likely]] a.setInt(r);   \
        else a.setNumber(a.num + (DELTA));                                    \
        pc += 1;                                                              \
        NEXT();                                                               \
    }
                    STEP_TOP(Inc, 1)
                    STEP_TOP(Dec, -1)
#undef STEP_TOP
                    CASE(Not) SAVE(); TOP() = Value::boolean_(!toBoolean(TOP())); pc += 1; NEXT();
                    CASE(BitNot) SAVE(); TOP() = Value::int32(~toInt32(TOP())); pc += 1; NEXT();
                    CASE(Typeof) SAVE(); TOP() = Value::string(typeOf(TOP())); pc += 1; NEXT();
                    CASE(Eq) CASE(Ne) {
                        SAVE();
                        bool r = looseEquals(sp[-2], sp[-1]);
                        if (static_cast<Op>(*pc) == Op::Ne) r = !r;
                        sp[-2] = Value::boolean_(r);
                        --sp;
                        pc += 1;
                        NEXT();
                    }
                    CASE(StrictEq) CASE(StrictNe) {
                        bool r = strictEquals(sp[-2], sp[-1]);
                        if (static_cast<Op>(*pc) == Op::StrictNe) r = !r;
                        sp[-2] = Value::boolean_(r);
                        --sp;
                        pc += 1;
                        NEXT();
                    }
                    CASE(Lt) CASE(Gt) CASE(Le) CASE(Ge) {
                        Value a = sp[-2], b = sp[-1];
                        Op op = static_cast<Op>(*pc);
                        bool r;
                        if (a.isNumber() && b.isNumber()) {
                            double x = a.num, y = b.num;
                            r = op == Op::Lt ? x < y : op == Op::Gt ? x > y : op == Op::Le ? x <= y : x >= y;
                        } else {
                            SAVE();
                            r = compareValues(a, b, op == Op::Lt ? 0 : op == Op::Gt ? 1 : op == Op::Le ? 2 : 3);
                        }
                        sp[-2] = Value::boolean_(r);
                        --sp;
                        pc += 1;
                        NEXT();
                    }
                    CASE(JumpIfNotLt) CASE(JumpIfNotLe) CASE(JumpIfNotGt) CASE(JumpIfNotGe) {
                        Value a = sp[-2], b = sp[-1];
                        Op op = static_cast<Op>(*pc);
                        bool r;
                        if (a.isNumber() && b.isNumber()) {
                            double x = a.num, y = b.num;
                            r = op == Op::JumpIfNotLt ? x < y : op == Op::JumpIfNotGt ? x > y : op == Op::JumpIfNotLe ? x <= y : x >= y;
                        } else {
                            SAVE();
                            r = compareValues(a, b, op == Op::JumpIfNotLt ? 0 : op == Op::JumpIfNotGt ? 1 : op == Op::JumpIfNotLe ? 2 : 3);
                        }
                        sp -= 2;
                        pc = r ? pc + 2 : PROTO->code.data() + pc[1];
                        NEXT();
                    }
                    CASE(Instanceof) {
                        SAVE();
                        Value a = sp[-2], b = sp[-1];
                        if (!isCallable(b)) throwError(ErrorKind::TypeError, 5002);
                        Value protoV = get(b.obj, names_.prototype);
                        bool r = false;
                        if (a.isObject()) {
                            if (!protoV.isObject()) throwError(5023);
                            for (Object* p = a.obj->proto; p; p = p->proto)
                                if (p == protoV.obj) { r = true; break; }
                        }
                        sp[-2] = Value::boolean_(r);
                        --sp;
                        pc += 1;
                        NEXT();
                    }
                    CASE(In) {
                        SAVE();
                        Value a = sp[-2], b = sp[-1];
                        if (!b.isObject()) throwError(5007, u"Object expected");
                        sp[-2] = Value::boolean_(hasProperty(b.obj, keyAtom(a)));
                        --sp;
                        pc += 1;
                        NEXT();
                    }
                    CASE(Jump) pc = PROTO->code.data() + pc[1]; NEXT();
                    CASE(LoopIfLt) CASE(LoopIfLe) CASE(LoopIfGt) CASE(LoopIfGe) {
                        Value a = sp[-2], b = sp[-1];
                        Op op = static_cast<Op>(*pc);
                        bool r;
                        if (a.isNumber() && b.isNumber()) {
                            double x = a.num, y = b.num;
                            r = op == Op::LoopIfLt ? x < y : op == Op::LoopIfGt ? x > y : op == Op::LoopIfLe ? x <= y : x >= y;
                        } else {
                            SAVE();
                            r = compareValues(a, b, op == Op::LoopIfLt ? 0 : op == Op::LoopIfGt ? 1 : op == Op::LoopIfLe ? 2 : 3);
                        }
                        sp -= 2;
                        if (!r) {
                            pc += 2;
                            NEXT();
                        }
                        goto L_Loop;
                    }
    // `for (...; i < 100; ...)` with i in a stack slot: one instruction per test.
#define LOOP_LOCAL_INT(OPNAME, CMP, WHICH)                                                 \
    CASE(OPNAME) {                                                                         \
        Value v = base[pc[1]];                                                             \
        bool r = v.isNumber() ? v.num CMP pc[2] : (SAVE(), compareValues(v, Value::number(pc[2]), WHICH)); \
        if (!r) {                                                                          \
            pc += 4;                                                                       \
            NEXT();                                                                        \
        }                                                                                  \
        pc += 2; /* the target is now at pc[1], where Loop reads it */                     \
        goto L_Loop;                                                                       \
    }
                    LOOP_LOCAL_INT(LoopIfLocalLtInt, <, 0)
                    LOOP_LOCAL_INT(LoopIfLocalGtInt, >, 1)
                    LOOP_LOCAL_INT(LoopIfLocalLeInt, <=, 2)
                    LOOP_LOCAL_INT(LoopIfLocalGeInt, >=, 3)
#undef LOOP_LOCAL_INT
#define INC_LOOP_LOCAL_INT(OPNAME, CMP)                                                    \
    CASE(OPNAME) {                                                                         \
        Value& v = base[pc[1]];                                                            \
        bool more;                                                                         \
        if (v.isInt32() && v.i32 != INT32_MAX) [[likely]] {                                \
            int32_t i = v.i32 + 1;                                                         \
            v.setInt(i);                                                                   \
            more = i CMP pc[2];                                                            \
        } else {                                                                           \
            double d = (v.isNumber() ? v.num : (SAVE(), toNumber(v))) + 1;                 \
            v.setNumber(d);                                                                \
            more = d CMP pc[2];                                                            \
        }                                                                                  \
        if (!more) {                                                                       \
            pc += 4;                                                                       \
            NEXT();                                                                        \
        }                                                                                  \
        pc += pc[3]; /* relative: no load of the code base */                              \
        goto loop_back;                                                                    \
    }
                    INC_LOOP_LOCAL_INT(IncLoopIfLocalLtInt, <)
                    INC_LOOP_LOCAL_INT(IncLoopIfLocalLeInt, <=)
#undef INC_LOOP_LOCAL_INT
                    CASE(LoopIfTrue) {
                        Value v = POP();
                        if (!(v.isBool() ? v.boolean : toBoolean(v))) {
                            pc += 2;
                            NEXT();
                        }
                        goto L_Loop;
                    }
                    CASE(Loop)
                        pc = PROTO->code.data() + pc[1];
                    loop_back:  // pc at the loop top
                        if (--loopsToTick == 0) [[unlikely]] {
                            loopsToTick = kLoopsPerTick;
                            TICK();  // a stop unwinds without reading pc or sp
                        }
                        if (heap_.wantsCollection() && nativeDepth == 0) [[unlikely]] {  // the rarely true test first
                            SAVE();
                            collectGarbage();
                        }
                        NEXT();
                    CASE(JumpIfFalse) {
                        Value v = POP();
                        bool t = v.isBool() ? v.boolean : toBoolean(v);
                        pc = t ? pc + 2 : PROTO->code.data() + pc[1];
                        NEXT();
                    }
                    CASE(JumpIfTrue) {
                        Value v = POP();
                        bool t = v.isBool() ? v.boolean : toBoolean(v);
                        pc = t ? PROTO->code.data() + pc[1] : pc + 2;
                        NEXT();
                    }
                    CASE(JumpIfFalseKeep)
                        pc = toBoolean(TOP()) ? pc + 2 : PROTO->code.data() + pc[1];
                        NEXT();
                    CASE(JumpIfTrueKeep)
                        pc = toBoolean(TOP()) ? PROTO->code.data() + pc[1] : pc + 2;
                        NEXT();
                    CASE(Case) pc += 2; NEXT();
                    CASE(NewArray) {
                        SAVE();
                        uint32_t n = static_cast<uint32_t>(pc[1]);
                        ArrayObject* a = newArray(n);
                        a->dense.assign(sp - n, sp);
                        heap_.account(n * sizeof(Value));
                        bool holes = false;
                        for (const Value& v : a->dense) if (v.isHole()) holes = true;
                        a->maxCreated = static_cast<int64_t>(n) - 1;
                        if (holes) {
                            int64_t m = -1;
                            for (uint32_t i = 0; i < n; ++i) if (!a->dense[i].isHole()) m = i;
                            a->maxCreated = m;
                        }
                        sp -= n;
                        PUSH(Value::object(a));
                        pc += 2;
                        NEXT();
                    }
                    CASE(NewObject) SAVE(); PUSH(Value::object(newObject())); pc += 1; NEXT();
                    CASE(InitProp) {
                        SAVE();
                        Value v = POP();
                        Object* o = TOP().obj;
                        JsString* key = STR(pc[1]);
                        int i = o->props.find(key);
                        if (i >= 0) o->props.at(i).value = v;
                        else o->props.add(key, v, 0);
                        pc += 2;
                        NEXT();
                    }
                    CASE(Closure) {
                        SAVE();
                        auto* f = heap_.make<FunctionObject>(functionProto);
                        f->code = PROTO->children[pc[1]];
                        f->env = fr->env;
                        f->name = f->code->name;
                        PUSH(Value::object(f));
                        pc += 2;
                        NEXT();
                    }
                    CASE(RegExp) {
                        SAVE();
                        PUSH(makeRegExp(*this, STR(pc[1]), STR(pc[2])));
                        pc += 3;
                        NEXT();
                    }
                    CASE(Throw) {
                        SAVE();
                        Value v = POP();
                        throw JsThrow{v};
                    }
                    CASE(Try)
                        handlers_.push_back(Handler{frames_.size() - 1, PROTO->code.data() + pc[1], sp, fr->env});
                        pc += 2;
                        NEXT();
                    CASE(EndTry) handlers_.pop_back(); pc += 1; NEXT();
                    CASE(ForInStart) {
                        SAVE();
                        Value o = TOP();
                        ArrayObject* it = newArray();
                        if (!o.isNullish()) {
                            Object* obj = toObject(o);
                            it->dense = enumerableKeys(obj);
                            it->internal = Value::object(obj);
                        }
                        TOP() = Value::object(it);
                        pc += 1;
                        NEXT();
                    }
                    CASE(ForInNext) {
                        SAVE();
                        auto* it = static_cast<ArrayObject*>(TOP().obj);
                        bool found = false;
                        while (it->length < it->dense.size()) {
                            Value k = it->dense[it->length++];
                            if (hasProperty(it->internal.obj, atoms_.intern(k.str))) {
                                TOP() = k;
                                found = true;
                                break;
                            }
                        }
                        if (found) {
                            pc += 2;
                        } else {
                            --sp;
                            pc = PROTO->code.data() + pc[1];
                        }
                        NEXT();
                    }
                    CASE(EnterWith) {
                        SAVE();
                        Value o = POP();
                        Object* obj = toObject(o);
                        Env* e = heap_.make<Env>(fr->env, nullptr, 0);
                        e->withObject = obj;
                        fr->env = e;
                        pc += 1;
                        NEXT();
                    }
                    CASE(LeaveWith) fr->env = fr->env->parent; pc += 1; NEXT();
                    CASE(EnterCatch) {
                        SAVE();
                        Env* e = heap_.make<Env>(fr->env, PROTO->children[pc[1]], 1);
                        e->slots[0] = POP();
                        fr->env = e;
                        pc += 2;
                        NEXT();
                    }
                    CASE(Debugger) pc += 1; NEXT();
                    CASE(ThrowRef) SAVE(); throwError(pc[1]);
                }
            }
        } catch (JsThrow& t) {
            if (RESUME(t.value)) continue;
            leaveRun(entryFrame);
            throw;
        } catch (script::ScriptError& e) {
            // A host object's error becomes a catchable script error.
            int n = script::numberFromHresult(e.number);
            Value err = Value::object(newError(kindForNumber(n), n, e.description));
            if (RESUME(err)) continue;
            leaveRun(entryFrame);
            throw JsThrow{err};
        } catch (std::bad_alloc&) {
            leaveRun(entryFrame);
            throwError(7);
        } catch (std::exception&) {
            // Any other failure inside a host call is reported as an automation error.
            Value err = Value::object(newError(ErrorKind::Error, 440, script::jscriptDescription(440)));
            if (RESUME(err)) continue;
            leaveRun(entryFrame);
            throw JsThrow{err};
        } catch (...) {
            leaveRun(entryFrame);
            while (!handlers_.empty() && handlers_.back().frame >= entryFrame) handlers_.pop_back();
            throw;
        }
    }
#undef PROTO
#undef STR
#undef PUSH
#undef POP
#undef TOP
#undef RESUME
#undef ENTER_TOP_FRAME
#undef SAVE
#undef TICK
#undef CASE
#undef NEXT
}

// ---- top level and eval ----

Value Vm::runScript(const std::u16string& text, bool) {
    auto shared = std::make_shared<const std::u16string>(text);
    Parser parser(*shared, false);
    Program prog = parser.parse();
    FuncProto* p = compileProgram(*this, prog, CodeKind::Global, shared);
    scripts_.push_back(p);
    pinned_.clear();
    haveErrorPos = false;
    Value* base = sp_ + 2;
    sp_[0] = Value();
    sp_[1] = Value::object(global);
    sp_ = base;
    for (int i = 0; i < p->localCount; ++i) base[i] = Value();
    sp_ = base + p->localCount;
    frames_.push_back(Frame{p, nullptr, p->code.data(), base, nullptr, Value::object(global), 0, false, true});
    return execute(frames_.size() - 1);
}

Value Vm::evalCode(const std::u16string& text, Env* env, Value thisv, bool direct) {
    auto shared = std::make_shared<const std::u16string>(text);
    Program prog;
    FuncProto* p;
    try {
        Parser parser(*shared, true);
        prog = parser.parse();
        p = compileProgram(*this, prog, CodeKind::Eval, shared);
    } catch (CompileError& e) {
        pinned_.clear();
        throwError(ErrorKind::SyntaxError, e.number);
    }
    if (!direct) {
        env = nullptr;
        thisv = Value::object(global);
    }
    return runEvalFrame(p, env, thisv);
}

Value Vm::runEvalFrame(FuncProto* p, Env* env, Value thisv) {
    pinned_.clear();
    if (sp_ + p->localCount + p->maxStack + 16 >= stackEnd_ || frames_.size() >= kMaxFrames) throwError(28);
    if (nativeStackLow()) throwError(28);
    Value* base = sp_ + 2;
    sp_[0] = Value();
    sp_[1] = thisv;
    for (int i = 0; i < p->localCount; ++i) base[i] = Value();
    sp_ = base + p->localCount;
    // Eval's callers (the run loop, the eval built-in, the engine) hold nothing unrooted; a
    // native that reached eval through Vm::call has raised nativeDepth already.
    frames_.push_back(Frame{p, nullptr, p->code.data(), base, env, thisv, 0, false, true});
    return execute(frames_.size() - 1);
}

}  // namespace quillo::jscript
