// Object, Object.prototype and the shared helpers for constructors.

#include "scripting/jscript/Builtins.h"

namespace quillo::jscript {

FunctionObject* makeConstructor(Vm& vm, const char16_t* name, NativeFn call, NativeFn construct, int arity, Object* proto) {
    JsString* n = vm.intern(name);
    FunctionObject* f = vm.newNative(n, call, arity);
    f->construct = construct;
    f->props.add(vm.names().prototype, Value::object(proto), DontEnum | DontDelete | ReadOnly);
    int i = proto->props.find(vm.names().constructor);
    if (i >= 0) proto->props.at(i).value = Value::object(f);
    else proto->props.add(vm.names().constructor, Value::object(f), DontEnum);
    vm.defineValue(vm.global, name, Value::object(f));
    return f;
}

Object* thisOf(Vm& vm, Value thisv, ObjClass cls, int errorNumber) {
    if (thisv.isObject() && thisv.obj->cls == cls) return thisv.obj;
    vm.throwError(errorNumber);
}

const char16_t* className(Object* o) {
    switch (o->cls) {
        case ObjClass::Array: return u"Array";
        case ObjClass::Function: return u"Function";
        case ObjClass::Error: return u"Error";
        case ObjClass::Boolean: return u"Boolean";
        case ObjClass::Number: return u"Number";
        case ObjClass::String: return u"String";
        case ObjClass::Date: return u"Date";
        case ObjClass::RegExp: return u"RegExp";
        case ObjClass::Math: return u"Math";
        case ObjClass::Json: return u"JSON";
        default: return u"Object";
    }
}

std::vector<Value> listFromArrayLike(Vm& vm, Value v) {
    std::vector<Value> out;
    if (v.isNullish()) return out;
    if (!v.isObject() || (v.obj->cls != ObjClass::Array && v.obj->cls != ObjClass::Arguments)) vm.throwError(5028);
    Object* o = v.obj;
    uint32_t n = vm.lengthOf(o);
    out.reserve(n);
    for (uint32_t i = 0; i < n; ++i) out.push_back(vm.getIndex(o, i));
    return out;
}

namespace {

Value objectCall(Vm& vm, Value, std::span<Value> args, Object*) {
    Value v = arg(args, 0);
    if (v.isNullish()) return Value::object(vm.newObject());
    return Value::object(vm.toObject(v));
}

Value objectToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    if (thisv.isNullish()) return vm.strv(u"[object Object]");
    Object* o = vm.toObject(thisv);
    return vm.strv(u"[object " + std::u16string(className(o)) + u"]");
}

Value objectToLocaleString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    return vm.callMethod(thisv, vm.names().toString, {});
}

Value objectValueOf(Vm& vm, Value thisv, std::span<Value>, Object*) { return Value::object(vm.toObject(thisv)); }

Value hasOwnProperty(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    return Value::boolean_(vm.hasOwn(o, vm.keyAtom(arg(args, 0))));
}

Value isPrototypeOf(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Value v = arg(args, 0);
    if (!v.isObject()) return Value::boolean_(false);
    Object* o = vm.toObject(thisv);
    for (Object* p = v.obj->proto; p; p = p->proto)
        if (p == o) return Value::boolean_(true);
    return Value::boolean_(false);
}

Value propertyIsEnumerable(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    JsString* k = vm.keyAtom(arg(args, 0));
    for (Value& key : vm.ownEnumerableKeys(o))
        if (vm.intern(key.str->view()) == k) return Value::boolean_(true);
    return Value::boolean_(false);
}

}  // namespace

void installObjectBuiltins(Vm& vm) {
    Object* p = vm.objectProto;
    makeConstructor(vm, u"Object", objectCall, objectCall, 1, p);
    vm.defineNative(p, u"toString", objectToString, 0);
    vm.defineNative(p, u"toLocaleString", objectToLocaleString, 0);
    vm.defineNative(p, u"valueOf", objectValueOf, 0);
    vm.defineNative(p, u"hasOwnProperty", hasOwnProperty, 1);
    vm.defineNative(p, u"isPrototypeOf", isPrototypeOf, 1);
    vm.defineNative(p, u"propertyIsEnumerable", propertyIsEnumerable, 1);
}

}  // namespace quillo::jscript
