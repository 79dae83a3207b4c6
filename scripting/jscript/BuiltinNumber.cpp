// Number and Boolean: constructors, constants and prototype methods.

#include <cfloat>
#include <cmath>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript {

namespace {

double thisNumber(Vm& vm, Value thisv) {
    if (thisv.isNumber()) return thisv.num;
    if (thisv.isObject() && thisv.obj->cls == ObjClass::Number) return thisv.obj->internal.num;
    vm.throwError(5001);
}

bool thisBoolean(Vm& vm, Value thisv) {
    if (thisv.isBool()) return thisv.boolean;
    if (thisv.isObject() && thisv.obj->cls == ObjClass::Boolean) return thisv.obj->internal.boolean;
    vm.throwError(5010);
}

Value numberCall(Vm& vm, Value, std::span<Value> args, Object*) {
    return Value::number(args.empty() ? 0 : vm.toNumber(args[0]));
}

Value numberConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    Object* o = vm.heap().make<Object>(ObjClass::Number, vm.numberProto);
    o->internal = Value::number(args.empty() ? 0 : vm.toNumber(args[0]));
    return Value::object(o);
}

Value numberToStringFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    double d = thisNumber(vm, thisv);
    int radix = 10;
    if (!args.empty() && !args[0].isUndefined()) {
        radix = static_cast<int>(vm.toInteger(args[0]));
        if (radix < 2 || radix > 36) vm.throwError(5);
    }
    return vm.strv(numberToStringRadix(d, radix));
}

Value numberToLocaleString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    double d = thisNumber(vm, thisv);
    if (!std::isfinite(d)) return vm.strv(numberToString(d));
    // English (United States): thousands separators and two decimals.
    std::u16string fixed = formatFixed(std::fabs(d), 2);
    size_t dot = fixed.find(u'.');
    std::u16string ip = fixed.substr(0, dot), out;
    for (size_t i = 0; i < ip.size(); ++i) {
        if (i && (ip.size() - i) % 3 == 0) out += u',';
        out += ip[i];
    }
    return vm.strv((d < 0 ? u"-" : u"") + out + fixed.substr(dot));
}

Value numberValueOf(Vm& vm, Value thisv, std::span<Value>, Object*) { return Value::number(thisNumber(vm, thisv)); }

Value toFixedFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    double d = thisNumber(vm, thisv);
    double f = vm.toInteger(arg(args, 0));
    if (f < 0 || f > 20) vm.throwError(5026);
    return vm.strv(formatFixed(d, static_cast<int>(f)));
}

Value toExponentialFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    double d = thisNumber(vm, thisv);
    if (arg(args, 0).isUndefined()) return vm.strv(formatExponential(d, -1));
    double f = vm.toInteger(args[0]);
    if (f < 0 || f > 20) vm.throwError(5026);
    return vm.strv(formatExponential(d, static_cast<int>(f)));
}

Value toPrecisionFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    double d = thisNumber(vm, thisv);
    if (arg(args, 0).isUndefined()) return vm.strv(numberToString(d));
    double p = vm.toInteger(args[0]);
    if (p < 1 || p > 21) vm.throwError(5027);
    return vm.strv(formatPrecision(d, static_cast<int>(p)));
}

Value booleanCall(Vm&, Value, std::span<Value> args, Object*) { return Value::boolean_(Vm::toBoolean(arg(args, 0))); }

Value booleanConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    Object* o = vm.heap().make<Object>(ObjClass::Boolean, vm.booleanProto);
    o->internal = Value::boolean_(Vm::toBoolean(arg(args, 0)));
    return Value::object(o);
}

Value booleanToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    return vm.strv(thisBoolean(vm, thisv) ? u"true" : u"false");
}

Value booleanValueOf(Vm& vm, Value thisv, std::span<Value>, Object*) { return Value::boolean_(thisBoolean(vm, thisv)); }

}  // namespace

void installNumberBuiltins(Vm& vm) {
    Object* np = vm.heap().make<Object>(ObjClass::Number, vm.objectProto);
    np->internal = Value::number(0);
    vm.numberProto = np;
    FunctionObject* n = makeConstructor(vm, u"Number", numberCall, numberConstruct, 1, np);
    uint8_t fixed = DontEnum | DontDelete | ReadOnly;
    vm.defineValue(n, u"MAX_VALUE", Value::number(DBL_MAX), fixed);
    vm.defineValue(n, u"MIN_VALUE", Value::number(4.9406564584124654e-324), fixed);
    vm.defineValue(n, u"NaN", Value::number(std::nan("")), fixed);
    vm.defineValue(n, u"NEGATIVE_INFINITY", Value::number(-INFINITY), fixed);
    vm.defineValue(n, u"POSITIVE_INFINITY", Value::number(INFINITY), fixed);
    vm.defineNative(np, u"toString", numberToStringFn, 1);
    vm.defineNative(np, u"toLocaleString", numberToLocaleString, 0);
    vm.defineNative(np, u"valueOf", numberValueOf, 0);
    vm.defineNative(np, u"toFixed", toFixedFn, 1);
    vm.defineNative(np, u"toExponential", toExponentialFn, 1);
    vm.defineNative(np, u"toPrecision", toPrecisionFn, 1);

    Object* bp = vm.heap().make<Object>(ObjClass::Boolean, vm.objectProto);
    bp->internal = Value::boolean_(false);
    vm.booleanProto = bp;
    makeConstructor(vm, u"Boolean", booleanCall, booleanConstruct, 1, bp);
    vm.defineNative(bp, u"toString", booleanToString, 0);
    vm.defineNative(bp, u"valueOf", booleanValueOf, 0);
}

}  // namespace quillo::jscript
