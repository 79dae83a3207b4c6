// The Dispatch boundary: Variant <-> Value, host objects seen from scripts, script
// objects handed to hosts, and the automation helpers Enumerator, VBArray and
// ActiveXObject.

#include <cmath>
#include <unordered_map>

#include "scripting/core/DispatchObject.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/core/DateTime.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/VarDate.h"

namespace quillo::jscript {

using script::Variant;
using script::VarType;

namespace {

// A safe array as a script value (typeof "unknown"); VBArray reads it.
struct SafeArrayValue final : Object {
    SafeArrayValue(Object* p, script::Ref<script::SafeArray> a) : Object(ObjClass::VBArray, p), array(std::move(a)) {}
    script::Ref<script::SafeArray> array;
    bool isWrapper = false;  // a VBArray object rather than the raw value
};

struct EnumeratorObject final : Object {
    explicit EnumeratorObject(Object* p) : Object(ObjClass::Enumerator, p) {}
    script::Ref<script::Enumerator> e;
    Variant current;
    bool atEnd = true;
    void advance() {
        current.clear();
        atEnd = !e || !e->next(current);
        if (atEnd) current.clear();
    }
};

// A script object as a host sees it. Names match exactly first, then in any case.
class ScriptObjectDispatch final : public script::Dispatch {
public:
    ScriptObjectDispatch(Vm& vm, Object* o, std::shared_ptr<bool> alive) : vm_(vm), obj_(o), alive_(std::move(alive)) {
        vm_.roots.push_back(Value::object(o));
    }
    ~ScriptObjectDispatch() override {
        if (!*alive_) return;
        for (size_t i = vm_.roots.size(); i-- > 0;) {
            if (vm_.roots[i].isObject() && vm_.roots[i].obj == obj_) {
                vm_.roots.erase(vm_.roots.begin() + static_cast<long>(i));
                break;
            }
        }
    }
    Object* object() const { return obj_; }
    const Vm* vm() const { return &vm_; }

    int32_t memberId(std::u16string_view name) override {
        check();
        for (size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == name) return static_cast<int32_t>(i + 1);
        JsString* atom = vm_.intern(name);
        if (!vm_.hasProperty(obj_, atom)) {
            for (auto& k : vm_.enumerableKeys(obj_)) {
                if (script::equalsIgnoreCase(k.str->view(), name)) {
                    names_.emplace_back(k.str->view());
                    return static_cast<int32_t>(names_.size());
                }
            }
        }
        names_.emplace_back(name);
        return static_cast<int32_t>(names_.size());
    }
    Variant invoke(int32_t id, script::InvokeKind kind, std::span<Variant> args) override {
        check();
        try {
            std::vector<Value> vals;
            for (auto& a : args) vals.push_back(vm_.fromVariant(a.deref()));
            if (id == script::DISPID_VALUE) {
                if (obj_->isCallable && script::hasFlag(kind, script::InvokeKind::Method))
                    return vm_.toVariant(vm_.callFromHost(Value::object(obj_), Value(), vals));
                return vm_.toVariant(Value::string(vm_.toString(Value::object(obj_))));
            }
            if (id < 1 || static_cast<size_t>(id) > names_.size()) throw script::ScriptError::runtime(438);
            JsString* name = vm_.intern(names_[id - 1]);
            if (script::hasFlag(kind, script::InvokeKind::PropertyPut) || script::hasFlag(kind, script::InvokeKind::PropertyPutRef)) {
                vm_.put(obj_, name, vals.empty() ? Value() : vals.back());
                return Variant();
            }
            Value v = vm_.get(obj_, name);
            if (vm_.isCallable(v) && (script::hasFlag(kind, script::InvokeKind::Method) || !vals.empty()))
                return vm_.toVariant(vm_.callFromHost(v, Value::object(obj_), vals));
            return vm_.toVariant(v);
        } catch (JsThrow& t) {
            throw scriptErrorFrom(t.value);
        }
    }
    std::u16string typeName() override { return u"JScriptTypeInfo"; }
    std::u16string memberName(int32_t id) override {
        return id >= 1 && static_cast<size_t>(id) <= names_.size() ? names_[id - 1] : std::u16string();
    }

private:
    void check() {
        if (!*alive_) throw script::ScriptError(5011, u"Can't execute code from a freed script");
    }
    script::ScriptError scriptErrorFrom(Value v) {
        script::ScriptError e;
        e.number = 5022;
        if (v.isObject()) {
            Value n = vm_.get(v.obj, vm_.names().number);
            Value d = vm_.get(v.obj, vm_.names().description);
            if (n.isNumber() && n.num != 0) e.number = static_cast<int32_t>(n.num);
            if (d.isString()) e.description = d.str->str();
        }
        if (e.description.empty()) e.description = u"Exception thrown and not caught";
        e.number = script::numberFromHresult(e.number);
        return e;
    }
    Vm& vm_;
    Object* obj_;
    std::shared_ptr<bool> alive_;
    std::vector<std::u16string> names_;
};

thread_local std::unordered_map<const Vm*, std::shared_ptr<bool>> aliveFlags;

std::shared_ptr<bool> aliveFlag(Vm& vm) {
    auto& f = aliveFlags[&vm];
    if (!f) f = std::make_shared<bool>(true);
    return f;
}

EnumeratorObject* thisEnumerator(Vm& vm, Value v) {
    if (v.isObject() && v.obj->cls == ObjClass::Enumerator) return static_cast<EnumeratorObject*>(v.obj);
    vm.throwError(5015);
}

Value enumeratorConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    auto* e = vm.heap().make<EnumeratorObject>(vm.enumeratorProto);
    Value c = arg(args, 0);
    if (c.isObject() && c.obj->cls == ObjClass::Host) {
        e->e = static_cast<HostObject*>(c.obj)->dispatch->enumerate();
        if (!e->e) vm.throwError(451);
    } else if (c.isObject() && c.obj->cls == ObjClass::Array) {
        std::vector<Variant> items;
        for (uint32_t i = 0; i < vm.lengthOf(c.obj); ++i) items.push_back(vm.toVariant(vm.getIndex(c.obj, i)));
        e->e = script::makeRef<script::VectorEnumerator>(std::move(items));
    } else if (!c.isUndefined()) {
        vm.throwError(5015);
    }
    e->advance();
    return Value::object(e);
}

Value enumeratorMethod(Vm& vm, Value thisv, std::span<Value>, Object* callee) {
    EnumeratorObject* e = thisEnumerator(vm, thisv);
    switch (static_cast<FunctionObject*>(callee)->magic) {
        case 0: return Value::boolean_(e->atEnd);
        case 1: return e->atEnd ? Value() : vm.fromVariant(e->current);
        case 2:
            if (e->e) e->e->reset();
            e->advance();
            return Value();
        default:
            if (!e->atEnd) e->advance();
            return Value();
    }
}

SafeArrayValue* thisVBArray(Vm& vm, Value v) {
    if (v.isObject() && v.obj->cls == ObjClass::VBArray && static_cast<SafeArrayValue*>(v.obj)->isWrapper)
        return static_cast<SafeArrayValue*>(v.obj);
    vm.throwError(5013);
}

Value vbarrayConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    Value a = arg(args, 0);
    if (!a.isObject() || a.obj->cls != ObjClass::VBArray) vm.throwError(5013);
    auto* w = vm.heap().make<SafeArrayValue>(vm.vbarrayProto, static_cast<SafeArrayValue*>(a.obj)->array);
    w->isWrapper = true;
    return Value::object(w);
}

Value vbarrayMethod(Vm& vm, Value thisv, std::span<Value> args, Object* callee) {
    SafeArrayValue* w = thisVBArray(vm, thisv);
    script::SafeArray& sa = *w->array;
    try {
        switch (static_cast<FunctionObject*>(callee)->magic) {
            case 0: {
                ArrayObject* r = vm.newArray();
                uint32_t i = 0;
                for (auto& v : sa.elements()) vm.putIndex(r, i++, vm.fromVariant(v));
                return Value::object(r);
            }
            case 1: case 2: {
                int dim = args.empty() ? 1 : static_cast<int>(vm.toInteger(args[0]));
                if (dim < 1 || dim > sa.dims()) vm.throwError(9);
                return Value::number(static_cast<FunctionObject*>(callee)->magic == 1 ? sa.ubound(dim - 1) : sa.lbound(dim - 1));
            }
            case 3: return Value::number(sa.dims());
            default: {
                std::vector<int32_t> idx;
                for (Value& a : args) idx.push_back(vm.toInt32(a));
                return vm.fromVariant(sa.at(idx));
            }
        }
    } catch (const script::ScriptError& e) {
        vm.throwError(script::numberFromHresult(e.number));
    }
    return Value();
}

Value activeXConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string id = vm.toStdString(arg(args, 0));
    script::DispatchPtr d;
    if (vm.context() && vm.context()->createObject) d = vm.context()->createObject(id);
    if (!d) vm.throwError(429);
    return Value::object(vm.wrapHost(d));
}

Value getObjectFn(Vm& vm, Value, std::span<Value> args, Object*) {
    if (args.size() >= 2 && !args[1].isUndefined()) return activeXConstruct(vm, Value(), args.subspan(1), nullptr);
    vm.throwError(429);
}

}  // namespace

Value hostMethodCall(Vm& vm, Value, std::span<Value> args, Object* callee) {
    auto* f = static_cast<FunctionObject*>(callee);
    auto* h = static_cast<HostObject*>(f->data.obj);
    int32_t id = h->dispatch->memberId(f->name->view());
    if (id == script::DISPID_UNKNOWN) vm.throwError(438);
    std::vector<Variant> vargs;
    vargs.reserve(args.size());
    for (Value& a : args) vargs.push_back(vm.toVariant(a));
    return vm.fromVariant(h->dispatch->invoke(id, script::InvokeKind::MethodOrGet, vargs));
}

Value hostMethodPut(Vm& vm, Value, std::span<Value> args, Object* callee) {
    auto* f = static_cast<FunctionObject*>(callee);
    auto* h = static_cast<HostObject*>(f->data.obj);
    int32_t id = h->dispatch->memberId(f->name->view());
    if (id == script::DISPID_UNKNOWN) vm.throwError(438);
    std::vector<Variant> vargs;
    for (Value& a : args) vargs.push_back(vm.toVariant(a));
    h->dispatch->invoke(id, script::InvokeKind::PropertyPut, vargs);
    return Value();
}

// Below a running script, the host may have been reached from code that holds unrooted values.
Value Vm::callFromHost(Value f, Value thisv, std::span<Value> args) {
    return frames_.empty() ? callback(f, thisv, args) : call(f, thisv, args);
}

Object* Vm::wrapHost(script::DispatchPtr d) { return heap_.make<HostObject>(objectProto, std::move(d)); }

Value Vm::fromVariant(const Variant& in) {
    const Variant& v = in.deref();
    switch (v.type()) {
        case VarType::Empty: return Value();
        case VarType::Null: return Value::null();
        case VarType::Integer: return Value::number(v.asInteger());
        case VarType::Long: return Value::number(v.asLong());
        case VarType::Single: return Value::number(v.asSingle());
        case VarType::Double: return Value::number(v.asDouble());
        case VarType::Currency: return Value::number(static_cast<double>(v.asCurrency()) / 10000.0);
        case VarType::Byte: return Value::number(v.asByte());
        case VarType::Boolean: return Value::boolean_(v.asBool());
        case VarType::String: return strv(v.asString());
        case VarType::Date: return makeVarDate(*this, v.asDate());
        case VarType::Object: {
            script::Dispatch* d = v.asObject();
            if (!d) return Value::null();
            if (auto* s = dynamic_cast<ScriptObjectDispatch*>(d); s && s->vm() == this) return Value::object(s->object());
            return Value::object(wrapHost(v.objectRef()));
        }
        case VarType::VariantArray: {
            return Value::object(heap_.make<SafeArrayValue>(nullptr, script::Ref<script::SafeArray>(v.asArray())));
        }
        default:
            return Value();
    }
}

Variant Vm::toVariant(Value v) {
    switch (v.tag) {
        case Tag::Null: return Variant::null();
        case Tag::Boolean: return Variant::fromBool(v.boolean);
        case Tag::Number: {
            double d = v.num;
            if (d >= -2147483648.0 && d <= 2147483647.0 && d == std::trunc(d) && !(d == 0 && std::signbit(d)))
                return Variant::fromLong(static_cast<int32_t>(d));
            return Variant::fromDouble(d);
        }
        case Tag::String: return Variant::fromString(v.str->str());
        case Tag::Object: {
            Object* o = v.obj;
            if (o->cls == ObjClass::Host) return Variant::fromObject(static_cast<HostObject*>(o)->dispatch);
            if (o->cls == ObjClass::VBArray) return Variant::fromArray(static_cast<SafeArrayValue*>(o)->array.get());
            if (o->cls == ObjClass::VarDate) return Variant::fromDate(varDateOle(o));
            return Variant::fromObject(script::DispatchPtr(new ScriptObjectDispatch(*this, o, aliveFlag(*this))));
        }
        default: return Variant();
    }
}

void Vm::addNamedObject(const std::u16string& name, script::DispatchPtr obj, bool addMembers) {
    named_.push_back({atoms_.intern(name), Value::object(wrapHost(std::move(obj))), addMembers});
}

bool Vm::lookupHostName(JsString* name, Value& out) {
    for (Named& n : named_) {
        if (n.name == name) {
            out = n.object;
            return true;
        }
    }
    for (Named& n : named_) {
        if (!n.addMembers) continue;
        auto* h = static_cast<HostObject*>(n.object.obj);
        if (h->dispatch->memberId(name->view()) != script::DISPID_UNKNOWN) {
            FunctionObject* m = newNative(name, hostMethodCall, 0);
            m->data = n.object;
            out = Value::object(m);
            return true;
        }
    }
    return false;
}

void releaseScriptObjects(Vm& vm) {
    auto it = aliveFlags.find(&vm);
    if (it != aliveFlags.end()) {
        *it->second = false;
        aliveFlags.erase(it);
    }
}

void installHostBuiltins(Vm& vm) {
    Object* ep = vm.heap().make<Object>(ObjClass::Object, vm.objectProto);
    vm.enumeratorProto = ep;
    makeConstructor(vm, u"Enumerator", enumeratorConstruct, enumeratorConstruct, 1, ep);
    vm.defineNative(ep, u"atEnd", enumeratorMethod, 0, 0);
    vm.defineNative(ep, u"item", enumeratorMethod, 0, 1);
    vm.defineNative(ep, u"moveFirst", enumeratorMethod, 0, 2);
    vm.defineNative(ep, u"moveNext", enumeratorMethod, 0, 3);
    Object* vp = vm.heap().make<Object>(ObjClass::Object, vm.objectProto);
    vm.vbarrayProto = vp;
    makeConstructor(vm, u"VBArray", vbarrayConstruct, vbarrayConstruct, 1, vp);
    vm.defineNative(vp, u"toArray", vbarrayMethod, 0, 0);
    vm.defineNative(vp, u"ubound", vbarrayMethod, 1, 1);
    vm.defineNative(vp, u"lbound", vbarrayMethod, 1, 2);
    vm.defineNative(vp, u"dimensions", vbarrayMethod, 0, 3);
    vm.defineNative(vp, u"getItem", vbarrayMethod, 1, 4);
    Object* ap = vm.heap().make<Object>(ObjClass::Object, vm.objectProto);
    makeConstructor(vm, u"ActiveXObject", activeXConstruct, activeXConstruct, 1, ap);
    vm.defineNative(vm.global, u"GetObject", getObjectFn, 2);
}

}  // namespace quillo::jscript
