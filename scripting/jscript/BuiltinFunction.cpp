// Function, Function.prototype: toString, call, apply.

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/Compiler.h"
#include "scripting/jscript/Parser.h"

namespace quillo::jscript {

namespace {

Value functionCtor(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string params;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (i) params += u",";
        params += vm.toStdString(args[i]);
    }
    std::u16string body = args.empty() ? u"" : vm.toStdString(args.back());
    std::u16string text = u"function anonymous(" + params + u") {\n" + body + u"\n}";
    auto shared = std::make_shared<const std::u16string>(text);
    FuncProto* p;
    try {
        Parser parser(*shared, false);
        Program prog = parser.parse();
        if (prog.main->children.size() != 1 || prog.main->body.size() != 1) throw CompileError{1002, 0};
        p = compileFunctionOnly(vm, prog, shared);
    } catch (CompileError& e) {
        vm.throwError(ErrorKind::SyntaxError, e.number);
    }
    FunctionObject* f = vm.heap().make<FunctionObject>(vm.functionProto);
    f->code = p;
    f->name = p->name;
    return Value::object(f);
}

Value functionToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    if (!thisv.isObject() || thisv.obj->cls != ObjClass::Function) vm.throwError(5002);
    auto* f = static_cast<FunctionObject*>(thisv.obj);
    if (f->code) return vm.strv(f->code->source);
    std::u16string name = f->name ? f->name->str() : u"";
    return vm.strv(u"\nfunction " + name + u"() {\n    [native code]\n}\n");
}

Value functionCall(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    if (!vm.isCallable(thisv)) vm.throwError(5002);
    Value self = arg(args, 0);
    std::span<Value> rest = args.empty() ? args : args.subspan(1);
    return vm.callback(thisv, self, rest);  // its arguments are on the VM stack
}

Value functionApply(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    if (!vm.isCallable(thisv)) vm.throwError(5002);
    std::vector<Value> list = listFromArrayLike(vm, arg(args, 1));
    return vm.callback(thisv, arg(args, 0), list);  // which holds `list` until it is on the VM stack
}

}  // namespace

void installFunctionBuiltins(Vm& vm) {
    Object* p = vm.functionProto;
    makeConstructor(vm, u"Function", functionCtor, functionCtor, 1, p);
    vm.defineNative(p, u"toString", functionToString, 0);
    vm.defineNative(p, u"call", functionCall, 1);
    vm.defineNative(p, u"apply", functionApply, 2);
}

}  // namespace quillo::jscript
