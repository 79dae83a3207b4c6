#include "scripting/jscript/Vm.h"

#include <cmath>
#include <unordered_set>

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/jscript/StackGuard.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/RegExpObject.h"
#include "scripting/jscript/RootScope.h"
#include "scripting/jscript/VarDate.h"

namespace quillo::jscript {

Vm::Vm(script::EngineContext* context) : context_(context) {
    stack_.reset(static_cast<Value*>(::operator new(kStackSlots * sizeof(Value))));
    sp_ = stack_.get();
    stackEnd_ = stack_.get() + kStackSlots;
    // The run loop holds a pointer to the top frame: the vector must never reallocate.
    frames_.reserve(kMaxFrames + 1);
#define QUILLO_JS_INTERN(n) names_.n = atoms_.intern(u## #n);
    QUILLO_JS_ATOMS(QUILLO_JS_INTERN)
#undef QUILLO_JS_INTERN
    for (int i = 0; i < 10; ++i) {
        char16_t c = static_cast<char16_t>(u'0' + i);
        digits_[i] = atoms_.intern(std::u16string_view(&c, 1));
    }
    installBuiltins();
}

Vm::~Vm() {
    releaseScriptObjects(*this);
    atoms_.clear();
    heap_.freeAll();
}

void Vm::installBuiltins() {
    objectProto = heap_.make<Object>(ObjClass::Object, nullptr);
    FunctionObject* fp = heap_.make<FunctionObject>(objectProto);
    fp->native = [](Vm&, Value, std::span<Value>, Object*) { return Value(); };
    fp->prototypeMade = true;
    functionProto = fp;
    global = heap_.make<Object>(ObjClass::Global, objectProto);
    installObjectBuiltins(*this);
    installFunctionBuiltins(*this);
    installArrayBuiltins(*this);
    installStringBuiltins(*this);
    installNumberBuiltins(*this);
    installMathBuiltins(*this);
    installErrorBuiltins(*this);
    installGlobalBuiltins(*this);
    installJsonBuiltins(*this);
    installDateBuiltins(*this);
    installRegExpBuiltins(*this);
    installHostBuiltins(*this);
}

// ---- allocation ----

JsString* Vm::str(std::u16string s) {
    heap_.account(s.size() * 2);
    return heap_.make<JsString>(std::move(s));
}

JsString* Vm::concat(JsString* a, JsString* b) {
    if (a->length() == 0) return b;
    if (b->length() == 0) return a;
    if (a->length() + static_cast<uint64_t>(b->length()) > (1u << 27)) throwError(14);  // 128M code units
    // Short results are copied flat; long ones become rope nodes.
    if (a->length() + b->length() < 24) {
        std::u16string s;
        s.reserve(a->length() + b->length());
        s += a->str();
        s += b->str();
        return str(std::move(s));
    }
    return heap_.make<JsString>(a, b);
}

Object* Vm::newObject(Object* proto) { return heap_.make<Object>(ObjClass::Object, proto ? proto : objectProto); }

ArrayObject* Vm::newArray(size_t length) {
    ArrayObject* a = heap_.make<ArrayObject>(arrayProto);
    a->length = static_cast<uint32_t>(length);
    return a;
}

FunctionObject* Vm::newNative(JsString* name, NativeFn fn, int arity, int magic) {
    FunctionObject* f = heap_.make<FunctionObject>(functionProto);
    f->native = fn;
    f->arity = arity;
    f->magic = magic;
    f->name = name;
    f->prototypeMade = true;
    return f;
}

FunctionObject* Vm::defineNative(Object* target, const char16_t* name, NativeFn fn, int arity, int magic) {
    JsString* n = atoms_.intern(name);
    FunctionObject* f = newNative(n, fn, arity, magic);
    target->props.add(n, Value::object(f), DontEnum);
    return f;
}

void Vm::defineValue(Object* target, const char16_t* name, Value v, uint8_t attrs) {
    JsString* n = atoms_.intern(name);
    int i = target->props.find(n);
    if (i >= 0) target->props.at(i).value = v;
    else target->props.add(n, v, attrs);
}

ErrorKind Vm::kindForNumber(int n) const {
    switch (n) {
        case 5009: case 5007: case 5002: case 438: case 5001: case 5005: case 5006: case 5010:
        case 5013: case 5014: case 5015: case 5016: case 5028: case 5003: case 5023: case 5000:
        case 5008: case 5012:
            return ErrorKind::TypeError;
        case 5026: case 5027: case 5029: case 5030: case 28:
            return n == 28 ? ErrorKind::Error : ErrorKind::RangeError;
        case 5024: case 5025:
            return ErrorKind::URIError;
        case 5017: case 5018: case 5019: case 5020: case 5021:
            return ErrorKind::SyntaxError;
        default:
            return n >= 1000 && n < 1100 ? ErrorKind::SyntaxError : ErrorKind::Error;
    }
}

Object* Vm::newError(ErrorKind kind, int number, std::u16string_view message) {
    Object* e = heap_.make<Object>(ObjClass::Error, errorProtos[static_cast<int>(kind)]);
    Value msg = Value::string(str(message));
    e->props.add(names_.number, Value::number(number ? script::hresultFromNumber(number) : 0), DontEnum);
    e->props.add(names_.description, msg, DontEnum);
    e->props.add(names_.message, msg, DontEnum);
    return e;
}

void Vm::throwError(int number, std::u16string message) { throwError(kindForNumber(number), number, std::move(message)); }

void Vm::throwError(ErrorKind kind, int number, std::u16string message) {
    if (message.empty()) message = std::u16string(script::jscriptDescription(number));
    throw JsThrow{Value::object(newError(kind, number, message))};
}

// ---- conversions ----

bool Vm::toBoolean(Value v) {
    switch (v.tag) {
        case Tag::Boolean: return v.boolean;
        case Tag::Number: return v.num != 0 && !std::isnan(v.num);
        case Tag::String: return v.str->length() != 0;
        case Tag::Object: return true;
        default: return false;
    }
}

double Vm::toNumber(Value v) {
    switch (v.tag) {
        case Tag::Number: return v.num;
        case Tag::Boolean: return v.boolean ? 1 : 0;
        case Tag::Null: return 0;
        case Tag::String: return stringToNumber(v.str->view());
        case Tag::Object: return toNumber(toPrimitive(v, 1));
        default: return std::nan("");
    }
}

double Vm::toInteger(Value v) {
    double d = toNumber(v);
    if (std::isnan(d)) return 0;
    if (std::isinf(d)) return d;
    return std::trunc(d);
}

int32_t Vm::toInt32(Value v) {
    double d = v.isNumber() ? v.num : toNumber(v);
    if (d >= -2147483648.0 && d <= 2147483647.0) return static_cast<int32_t>(d);
    if (!std::isfinite(d)) return 0;
    double m = std::fmod(std::trunc(d), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}

JsString* Vm::toString(Value v) {
    switch (v.tag) {
        case Tag::String: return v.str;
        case Tag::Number: {
            double d = v.num;
            if (d >= 0 && d < 10 && d == static_cast<int>(d) && !std::signbit(d)) return digits_[static_cast<int>(d)];
            return str(numberToString(d));
        }
        case Tag::Boolean: return atoms_.intern(v.boolean ? u"true" : u"false");
        case Tag::Null: return atoms_.intern(u"null");
        case Tag::Object: return toString(toPrimitive(v, 2));
        default: return atoms_.intern(u"undefined");
    }
}

Value Vm::toPrimitive(Value v, int hint) {
    if (!v.isObject()) return v;
    Object* o = v.obj;
    if (o->cls == ObjClass::VarDate) return varDatePrimitive(*this, o, hint);
    if (o->cls == ObjClass::Host) {
        auto* h = static_cast<HostObject*>(o);
        script::Variant r;
        try {
            r = h->dispatch->invoke(script::DISPID_VALUE, script::InvokeKind::PropertyGet, {});
        } catch (const script::ScriptError&) {
            return Value::string(atoms_.intern(u"[object]"));
        }
        Value pv = fromVariant(r);
        if (pv.isObject()) return Value::string(atoms_.intern(u"[object]"));
        return pv;
    }
    if (hint == 0) hint = o->cls == ObjClass::Date ? 2 : 1;
    JsString* first = hint == 2 ? names_.toString : names_.valueOf;
    JsString* second = hint == 2 ? names_.valueOf : names_.toString;
    for (JsString* m : {first, second}) {
        Value f = get(o, m);
        if (isCallable(f)) {
            Value r = call(f, v, {});
            if (!r.isObject()) return r;
        }
    }
    throwError(5007, u"Object expected");
}

Object* Vm::toObject(Value v, int baseText, FuncProto* proto) {
    switch (v.tag) {
        case Tag::Object: return v.obj;
        case Tag::String: {
            Object* o = heap_.make<Object>(ObjClass::String, stringProto);
            o->internal = v;
            return o;
        }
        case Tag::Number: {
            Object* o = heap_.make<Object>(ObjClass::Number, numberProto);
            o->internal = v;
            return o;
        }
        case Tag::Boolean: {
            Object* o = heap_.make<Object>(ObjClass::Boolean, booleanProto);
            o->internal = v;
            return o;
        }
        default:
            if (proto && baseText >= 0)
                throwError(5007, u"'" + proto->strings[baseText].str->str() + u"' is null or not an object");
            throwError(5007, u"Object expected");
    }
}

JsString* Vm::typeOf(Value v) {
    switch (v.tag) {
        case Tag::Undefined: return atoms_.intern(u"undefined");
        case Tag::Null: return atoms_.intern(u"object");
        case Tag::Boolean: return atoms_.intern(u"boolean");
        case Tag::Number: return atoms_.intern(u"number");
        case Tag::String: return atoms_.intern(u"string");
        case Tag::Object:
            if (v.obj->cls == ObjClass::Host) return atoms_.intern(u"object");
            if (v.obj->cls == ObjClass::VBArray && !v.obj->proto) return atoms_.intern(u"unknown");
            if (v.obj->cls == ObjClass::VarDate) return atoms_.intern(u"date");
            return atoms_.intern(v.obj->isCallable ? u"function" : u"object");
        default: return atoms_.intern(u"undefined");
    }
}

bool Vm::strictEquals(Value a, Value b) {
    if (a.tag != b.tag) return false;
    switch (a.tag) {
        case Tag::Undefined: case Tag::Null: return true;
        case Tag::Boolean: return a.boolean == b.boolean;
        case Tag::Number: return a.num == b.num;
        case Tag::String: return a.str == b.str || a.str->view() == b.str->view();
        case Tag::Object: {
            if (a.obj == b.obj) return true;
            if (a.obj->cls == ObjClass::Host && b.obj->cls == ObjClass::Host)
                return static_cast<HostObject*>(a.obj)->dispatch.get() == static_cast<HostObject*>(b.obj)->dispatch.get();
            return false;
        }
        default: return false;
    }
}

bool Vm::looseEquals(Value a, Value b) {
    for (;;) {
        if (a.tag == b.tag) return strictEquals(a, b);
        if (a.isNullish() && b.isNullish()) return true;
        if (a.isNullish() || b.isNullish()) return false;
        if (a.isNumber() && b.isString()) return a.num == toNumber(b);
        if (a.isString() && b.isNumber()) return toNumber(a) == b.num;
        if (a.isBool()) {
            a = Value::number(a.boolean ? 1 : 0);
            continue;
        }
        if (b.isBool()) {
            b = Value::number(b.boolean ? 1 : 0);
            continue;
        }
        if (b.isObject() && (a.isNumber() || a.isString())) {
            b = toPrimitive(b);
            continue;
        }
        if (a.isObject() && (b.isNumber() || b.isString())) {
            a = toPrimitive(a);
            continue;
        }
        return false;
    }
}

// ---- properties ----

JsString* Vm::keyAtom(Value key) {
    if (key.isString()) return atoms_.intern(key.str);
    return atoms_.intern(toString(key));
}

void Vm::materializePrototype(FunctionObject* f) {
    f->prototypeMade = true;
    Object* p = newObject();
    p->props.add(names_.constructor, Value::object(f), DontEnum);
    f->props.add(names_.prototype, Value::object(p), DontEnum | DontDelete);
}

bool Vm::getOwnSlow(Object* o, JsString* key, Value& out) {
    switch (o->cls) {
        case ObjClass::Array: {
            auto* a = static_cast<ArrayObject*>(o);
            if (key == names_.length) {
                out = Value::number(a->length);
                return true;
            }
            int64_t idx = arrayIndexOf(key);
            if (idx >= 0) {
                if (idx < static_cast<int64_t>(a->dense.size())) {
                    if (a->dense[idx].isHole()) return false;
                    out = a->dense[idx];
                    return true;
                }
                auto it = a->sparse.find(static_cast<uint32_t>(idx));
                if (it == a->sparse.end()) return false;
                out = it->second;
                return true;
            }
            return false;
        }
        case ObjClass::String: {
            JsString* s = o->internal.str;
            if (key == names_.length) {
                out = Value::number(s->length());
                return true;
            }
            int64_t idx = arrayIndexOf(key);
            if (idx >= 0 && idx < s->length()) {
                char16_t c = s->at(static_cast<uint32_t>(idx));
                out = Value::string(atoms_.intern(std::u16string_view(&c, 1)));
                return true;
            }
            return false;
        }
        case ObjClass::Arguments: {
            auto* a = static_cast<ArgumentsObject*>(o);
            int64_t idx = arrayIndexOf(key);
            if (idx >= 0 && idx < static_cast<int64_t>(a->values.size())) {
                if (idx < static_cast<int64_t>(a->paramSlot.size()) && a->paramSlot[idx] >= 0)
                    out = a->env->slots[a->paramSlot[idx]];
                else
                    out = a->values[idx];
                return !out.isHole();
            }
            return false;
        }
        case ObjClass::Function: {
            auto* f = static_cast<FunctionObject*>(o);
            if (o == regexpCtor && regexpStatic(*this, key, out)) return true;
            if (key == names_.prototype && !f->prototypeMade) {
                materializePrototype(f);
                return getOwn(o, key, out);
            }
            if (key == names_.length) {
                out = Value::number(f->code ? f->code->paramCount : f->arity);
                return true;
            }
            if (key == names_.caller && f->code) {
                out = callerOf(f);
                return true;
            }
            if (key == names_.arguments && f->code) {
                out = Value::null();
                for (size_t i = frames_.size(); i-- > 0;) {
                    if (frames_[i].callee == f) {
                        out = Value::object(makeArguments(frames_[i]));
                        break;
                    }
                }
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

bool Vm::getOwn(Object* o, JsString* key, Value& out) {
    int i = o->props.find(key);
    if (i >= 0) {
        out = o->props.at(i).value;
        return true;
    }
    if (o->cls == ObjClass::Object || o->cls == ObjClass::Global) return false;
    return getOwnSlow(o, key, out);
}

bool Vm::hasOwn(Object* o, JsString* key) {
    Value v;
    return getOwn(o, key, v);
}

bool Vm::hasProperty(Object* o, JsString* key) {
    for (Object* p = o; p; p = p->proto)
        if (hasOwn(p, key)) return true;
    return false;
}

Value Vm::get(Object* o, JsString* key) {
    Value v;
    for (Object* p = o; p; p = p->proto)
        if (getOwn(p, key, v)) return v;
    return Value();
}

Value Vm::getIndex(Object* o, uint32_t i) {
    if (o->cls == ObjClass::Array) {
        auto* a = static_cast<ArrayObject*>(o);
        if (i < a->dense.size() && !a->dense[i].isHole()) return a->dense[i];
    }
    return get(o, atoms_.intern(numberToString(i)));
}

Value Vm::getNamedV(Value base, JsString* key, int baseText, FuncProto* proto) {
    if (base.isObject()) {
        Object* o = base.obj;
        if (o->cls == ObjClass::Host) {
            auto* h = static_cast<HostObject*>(o);
            int32_t id = h->dispatch->memberId(key->view());
            if (id == script::DISPID_UNKNOWN) return Value();
            return fromVariant(h->dispatch->invoke(id, script::InvokeKind::PropertyGet, {}));
        }
        return get(o, key);
    }
    if (base.isString()) {
        if (key == names_.length) return Value::number(base.str->length());
        int64_t idx = arrayIndexOf(key);
        if (idx >= 0) {
            if (idx < base.str->length()) {
                char16_t c = base.str->at(static_cast<uint32_t>(idx));
                return Value::string(atoms_.intern(std::u16string_view(&c, 1)));
            }
            return Value();
        }
        return get(stringProto, key);
    }
    if (base.isNumber()) return get(numberProto, key);
    if (base.isBool()) return get(booleanProto, key);
    toObject(base, baseText, proto);
    return Value();
}

Value Vm::getV(Value base, Value key, int baseText, FuncProto* proto) {
    if (base.isObject() && key.isNumber() && base.obj->cls == ObjClass::Array) {
        double d = key.num;
        auto* a = static_cast<ArrayObject*>(base.obj);
        if (d >= 0 && d < a->dense.size() && d == static_cast<uint32_t>(d)) {
            Value v = a->dense[static_cast<uint32_t>(d)];
            if (!v.isHole()) return v;
        }
    }
    if (base.isString() && key.isNumber()) {
        double d = key.num;
        if (d >= 0 && d < base.str->length() && d == static_cast<uint32_t>(d)) {
            char16_t c = base.str->at(static_cast<uint32_t>(d));
            return Value::string(atoms_.intern(std::u16string_view(&c, 1)));
        }
    }
    if (base.isNullish()) toObject(base, baseText, proto);
    return getNamedV(base, keyAtom(key), baseText, proto);
}

void Vm::noteNewArrayKey(ArrayObject* a, Value key, bool isIndex, uint32_t index) {
    if (a->ordered) {
        if (!isIndex) return;
        if (static_cast<int64_t>(index) > a->maxCreated && a->props.size() == 0) {
            a->maxCreated = index;
            return;
        }
        // Leaves natural order: record every key from now on.
        a->ordered = false;
        a->order.clear();
        for (size_t i = 0; i < a->dense.size(); ++i)
            if (!a->dense[i].isHole()) a->order.push_back(Value::number(static_cast<double>(i)));
        for (auto& kv : a->sparse) a->order.push_back(Value::number(kv.first));
        // The new index itself is already stored; move it to the end.
        for (size_t i = 0; i < a->order.size(); ++i) {
            if (a->order[i].num == index) {
                a->order.erase(a->order.begin() + static_cast<long>(i));
                break;
            }
        }
        for (size_t i = 0; i < a->props.size(); ++i) a->order.push_back(Value::string(a->props.at(i).key));
        a->order.push_back(Value::number(index));
        return;
    }
    a->order.push_back(isIndex ? Value::number(index) : key);
}

void Vm::putIndex(Object* o, uint32_t i, Value v) {
    if (o->cls != ObjClass::Array) {
        put(o, atoms_.intern(numberToString(i)), v);
        return;
    }
    auto* a = static_cast<ArrayObject*>(o);
    bool created;
    if (i < a->dense.size()) {
        created = a->dense[i].isHole();
        a->dense[i] = v;
    } else if (i < a->dense.size() + 1024 || i < a->dense.size() * 2) {
        size_t old = a->dense.capacity();
        a->dense.resize(i + 1, Value::hole());
        if (a->dense.capacity() != old) heap_.account((a->dense.capacity() - old) * sizeof(Value));
        a->dense[i] = v;
        created = true;
    } else {
        created = a->sparse.find(i) == a->sparse.end();
        a->sparse[i] = v;
    }
    if (i >= a->length) a->length = i + 1;
    if (created) noteNewArrayKey(a, Value(), true, i);
}

void Vm::setArrayLength(ArrayObject* a, double len) {
    uint32_t n = static_cast<uint32_t>(len);
    if (n != len || len < 0) throwError(ErrorKind::RangeError, 5029);
    if (n < a->dense.size()) a->dense.resize(n);
    while (!a->sparse.empty() && a->sparse.rbegin()->first >= n) a->sparse.erase(std::prev(a->sparse.end()));
    if (!a->ordered) {
        std::vector<Value> keep;
        for (const Value& k : a->order)
            if (!k.isNumber() || k.num < n) keep.push_back(k);
        a->order.swap(keep);
    }
    if (a->maxCreated >= n) a->maxCreated = static_cast<int64_t>(n) - 1;
    a->length = n;
}

void Vm::put(Object* o, JsString* key, Value v) {
    switch (o->cls) {
        case ObjClass::Array: {
            auto* a = static_cast<ArrayObject*>(o);
            if (key == names_.length) {
                double d = toNumber(v);
                if (!(d >= 0 && d == std::floor(d) && d < 4294967296.0)) throwError(ErrorKind::RangeError, 5030);
                setArrayLength(a, d);
                return;
            }
            int64_t idx = arrayIndexOf(key);
            if (idx >= 0) {
                putIndex(a, static_cast<uint32_t>(idx), v);
                return;
            }
            int i = o->props.find(key);
            if (i >= 0) {
                o->props.at(i).value = v;
            } else {
                o->props.add(key, v, 0);
                noteNewArrayKey(a, Value::string(key), false, 0);
            }
            return;
        }
        case ObjClass::Arguments: {
            auto* a = static_cast<ArgumentsObject*>(o);
            int64_t idx = arrayIndexOf(key);
            if (idx >= 0 && idx < static_cast<int64_t>(a->values.size())) {
                if (idx < static_cast<int64_t>(a->paramSlot.size()) && a->paramSlot[idx] >= 0)
                    a->env->slots[a->paramSlot[idx]] = v;
                else
                    a->values[idx] = v;
                return;
            }
            break;
        }
        case ObjClass::Function: {
            auto* f = static_cast<FunctionObject*>(o);
            if (key == names_.prototype && !f->prototypeMade) materializePrototype(f);
            break;
        }
        case ObjClass::String:
            if (key == names_.length || arrayIndexOf(key) >= 0) return;
            break;
        case ObjClass::Host: {
            auto* h = static_cast<HostObject*>(o);
            int32_t id = h->dispatch->memberId(key->view());
            if (id == script::DISPID_UNKNOWN) throwError(438);
            script::Variant args[1] = {toVariant(v)};
            h->dispatch->invoke(id, script::InvokeKind::PropertyPut, args);
            return;
        }
        default:
            break;
    }
    int i = o->props.find(key);
    if (i >= 0) {
        Property& p = o->props.at(i);
        if (!(p.attrs & ReadOnly)) p.value = v;
        return;
    }
    o->props.add(key, v, 0);
    heap_.account(sizeof(Property));
}

void Vm::putV(Value base, Value key, Value v) {
    if (base.isObject()) {
        Object* o = base.obj;
        if (key.isNumber() && o->cls == ObjClass::Array) {
            double d = key.num;
            if (d >= 0 && d < 4294967295.0 && d == static_cast<uint32_t>(d)) {
                putIndex(o, static_cast<uint32_t>(d), v);
                return;
            }
        }
        put(o, keyAtom(key), v);
        return;
    }
    if (base.isNullish()) toObject(base);
    // Assignments to properties of primitives have no lasting effect.
}

bool Vm::deleteProp(Object* o, JsString* key) {
    int i = o->props.find(key);
    if (i >= 0) {
        if (o->props.at(i).attrs & DontDelete) return false;
        o->props.remove(i);
        if (o->cls == ObjClass::Array) {
            auto* a = static_cast<ArrayObject*>(o);
            for (size_t k = 0; k < a->order.size(); ++k) {
                if (a->order[k].isString() && a->order[k].str == key) {
                    a->order.erase(a->order.begin() + static_cast<long>(k));
                    break;
                }
            }
        }
        return true;
    }
    if (o->cls == ObjClass::Array) {
        auto* a = static_cast<ArrayObject*>(o);
        if (key == names_.length) return false;
        int64_t idx = arrayIndexOf(key);
        if (idx < 0) return true;
        if (idx < static_cast<int64_t>(a->dense.size())) a->dense[idx] = Value::hole();
        else a->sparse.erase(static_cast<uint32_t>(idx));
        for (size_t k = 0; k < a->order.size(); ++k) {
            if (a->order[k].isNumber() && a->order[k].num == idx) {
                a->order.erase(a->order.begin() + static_cast<long>(k));
                break;
            }
        }
        return true;
    }
    if (o->cls == ObjClass::Arguments) {
        auto* a = static_cast<ArgumentsObject*>(o);
        int64_t idx = arrayIndexOf(key);
        if (idx >= 0 && idx < static_cast<int64_t>(a->values.size())) {
            a->values[idx] = Value::hole();
            if (idx < static_cast<int64_t>(a->paramSlot.size())) a->paramSlot[idx] = -1;
        }
        return true;
    }
    return true;
}

uint32_t Vm::lengthOf(Object* o) {
    if (o->cls == ObjClass::Array) return static_cast<ArrayObject*>(o)->length;
    return toUint32(get(o, names_.length));
}

std::vector<Value> Vm::ownEnumerableKeys(Object* o) {
    std::vector<Value> keys;
    auto numKey = [&](double i) { return Value::string(atoms_.intern(numberToString(i))); };
    if (o->cls == ObjClass::Array) {
        auto* a = static_cast<ArrayObject*>(o);
        if (!a->ordered) {
            for (const Value& k : a->order) {
                if (k.isNumber()) keys.push_back(numKey(k.num));
                else {
                    int i = a->props.find(k.str);
                    if (i >= 0 && !(a->props.at(i).attrs & DontEnum)) keys.push_back(k);
                }
            }
            return keys;
        }
        for (size_t i = 0; i < a->dense.size(); ++i)
            if (!a->dense[i].isHole()) keys.push_back(numKey(static_cast<double>(i)));
        for (auto& kv : a->sparse) keys.push_back(numKey(kv.first));
    } else if (o->cls == ObjClass::String) {
        for (uint32_t i = 0; i < o->internal.str->length(); ++i) keys.push_back(numKey(i));
    }
    // The arguments object's indices are hidden (DontEnum), like its length and callee.
    for (size_t i = 0; i < o->props.size(); ++i)
        if (!(o->props.at(i).attrs & DontEnum)) keys.push_back(Value::string(o->props.at(i).key));
    return keys;
}

// This dialect hides an own property whose name a built-in (non-enumerable) property
// on the prototype chain also has: {toString: 1} enumerates nothing.
static bool shadowsHidden(Vm& vm, Object* o, JsString* key) {
    for (Object* p = o->proto; p; p = p->proto) {
        int i = p->props.find(key);
        if (i >= 0) return (p->props.at(i).attrs & DontEnum) != 0;
    }
    (void)vm;
    return false;
}

std::vector<Value> Vm::enumerableKeys(Object* o) {
    std::vector<Value> keys = ownEnumerableKeys(o);
    if (o->cls == ObjClass::Object) {
        std::vector<Value> kept;
        for (Value& k : keys)
            if (!shadowsHidden(*this, o, atoms_.intern(k.str))) kept.push_back(k);
        keys.swap(kept);
    }
    if (!o->proto || o->proto == objectProto) {
        // Common case: nothing enumerable is inherited from Object.prototype.
        bool any = false;
        for (size_t i = 0; i < objectProto->props.size(); ++i)
            if (!(objectProto->props.at(i).attrs & DontEnum)) any = true;
        if (!any) return keys;
    }
    std::unordered_set<JsString*> seen;
    for (const Value& k : keys) seen.insert(atoms_.intern(k.str));
    for (Object* p = o->proto; p; p = p->proto) {
        for (Value& k : ownEnumerableKeys(p)) {
            JsString* a = atoms_.intern(k.str);
            if (seen.insert(a).second) {
                bool shadowed = false;
                for (Object* q = o; q != p; q = q->proto)
                    if (hasOwn(q, a)) shadowed = true;
                if (!shadowed) keys.push_back(k);
            }
        }
        for (size_t i = 0; i < p->props.size(); ++i) seen.insert(p->props.at(i).key);
    }
    return keys;
}

// ---- calls from native code ----

Value Vm::call(Value f, Value thisv, std::span<Value> args) {
    if (!isCallable(f)) throwError(5002);
    if (nativeStackLow()) throwError(28);
    if (sp_ + args.size() + 2 >= stackEnd_) throwError(28);
    *sp_++ = f;
    *sp_++ = thisv;
    for (const Value& a : args) *sp_++ = a;
    return invoke(static_cast<uint32_t>(args.size()), false);
}

Value Vm::callback(Value f, Value thisv, std::span<Value> args) {
    if (nativeDepth == 0 && heap_.wantsCollection()) {
        RootScope scope(heap_);
        scope.hold(f);
        scope.hold(thisv);
        for (const Value& a : args) scope.hold(a);
        collectGarbage();
    }
    // invoke counts the callee's loop as below a native again; this native is safe.
    --nativeDepth;
    struct Restore {
        int& depth;
        ~Restore() { ++depth; }
    } restore{nativeDepth};
    return call(f, thisv, args);
}

Value Vm::construct(Value f, std::span<Value> args) {
    if (!isCallable(f)) throwError(5002);
    if (nativeStackLow()) throwError(28);
    if (sp_ + args.size() + 2 >= stackEnd_) throwError(28);
    *sp_++ = f;
    *sp_++ = Value();
    for (const Value& a : args) *sp_++ = a;
    return invoke(static_cast<uint32_t>(args.size()), true);
}

Value Vm::callMethod(Value obj, JsString* name, std::span<Value> args) {
    Value f = getNamedV(obj, name);
    if (!isCallable(f)) throwError(438);
    return call(f, obj, args);
}

Value Vm::callerOf(FunctionObject* f) {
    for (size_t i = frames_.size(); i-- > 0;) {
        if (frames_[i].callee == f) {
            if (i == 0 || !frames_[i - 1].callee) return Value::null();
            return Value::object(frames_[i - 1].callee);
        }
    }
    return Value::null();
}

// ---- collector ----

void Vm::markRoots() {
    heap_.mark(global);
    for (Value* v = stack_.get(); v < sp_; ++v) heap_.mark(*v);
    for (Frame& f : frames_) {
        heap_.mark(f.proto);
        heap_.mark(f.callee);
        heap_.mark(f.env);
        heap_.mark(f.thisv);
    }
    for (Handler& h : handlers_) heap_.mark(h.env);
    for (FuncProto* p : pinned_) heap_.mark(p);
    for (FuncProto* p : scripts_) heap_.mark(p);
    for (Value& v : roots) heap_.mark(v);
    heap_.markHeld();
    heap_.mark(lastMatch.subject);
    for (Named& n : named_) {
        heap_.mark(n.name);
        heap_.mark(n.object);
    }
    Object* protos[] = {objectProto, functionProto, arrayProto, stringProto, numberProto, booleanProto,
                        dateProto, regexpProto, enumeratorProto, vbarrayProto, arrayCtor, evalFunction, regexpCtor};
    for (Object* p : protos) heap_.mark(p);
    for (Object* p : errorProtos) heap_.mark(p);
    for (JsString* d : digits_) heap_.mark(d);
#define QUILLO_JS_MARK(n) heap_.mark(names_.n);
    QUILLO_JS_ATOMS(QUILLO_JS_MARK)
#undef QUILLO_JS_MARK
}

void Vm::collectGarbage() {
    markRoots();
    heap_.drain();
    heap_.sweep([this](GcCell* c) {
        if (c->isAtom) atoms_.forget(static_cast<JsString*>(c));
    });
}

}  // namespace quillo::jscript
