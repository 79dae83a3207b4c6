// Error and its six kinds. This dialect's form Error(number, description) sets
// `number`; every error object has number, message and description.

#include "scripting/jscript/Builtins.h"

namespace quillo::jscript {

namespace {

const char16_t* kKindNames[] = {u"Error", u"EvalError", u"RangeError", u"ReferenceError", u"SyntaxError", u"TypeError", u"URIError"};

Value errorCtor(Vm& vm, Value, std::span<Value> args, Object* callee) {
    auto kind = static_cast<ErrorKind>(static_cast<FunctionObject*>(callee)->magic);
    double number = 0;
    std::u16string message;
    Value a0 = arg(args, 0);
    if (args.size() >= 2 || (a0.isNumber())) {
        // (number, description)
        number = vm.toNumber(a0);
        if (args.size() >= 2 && !args[1].isUndefined()) message = vm.toStdString(args[1]);
    } else if (!a0.isUndefined()) {
        message = vm.toStdString(a0);
    }
    Object* e = vm.newError(kind, 0, message);
    int i = e->props.find(vm.names().number);
    e->props.at(i).value = Value::number(number);
    return Value::object(e);
}

Value errorToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    (void)thisv;
    return vm.strv(u"[object Error]");
}

}  // namespace

void installErrorBuiltins(Vm& vm) {
    Object* base = nullptr;
    for (int k = 0; k < static_cast<int>(ErrorKind::Count); ++k) {
        Object* p = k == 0 ? vm.heap().make<Object>(ObjClass::Object, vm.objectProto) : vm.heap().make<Object>(ObjClass::Object, base);
        if (k == 0) base = p;
        vm.errorProtos[k] = p;
        FunctionObject* f = makeConstructor(vm, kKindNames[k], errorCtor, errorCtor, 1, p);
        f->magic = k;
        vm.defineValue(p, u"name", vm.strv(kKindNames[k]));
        vm.defineValue(p, u"message", vm.strv(u""));
        if (k == 0) vm.defineNative(p, u"toString", errorToString, 0);
    }
}

}  // namespace quillo::jscript
