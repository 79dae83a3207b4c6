#pragma once
// Entry points shared between the interpreter and the built-in library.

#include <cmath>
#include <span>

#include "scripting/jscript/RootScope.h"
#include "scripting/jscript/StackGuard.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

// A RegExp object for a literal or `new RegExp`.
Value makeRegExp(Vm& vm, JsString* pattern, JsString* flags);
// A host member bound for a call: obj.Method(args) and obj.Item(k) = v.
Value hostMethodCall(Vm& vm, Value thisv, std::span<Value> args, Object* callee);
Value hostMethodPut(Vm& vm, Value thisv, std::span<Value> args, Object* callee);

// Marks script objects held by hosts as belonging to a destroyed engine.
void releaseScriptObjects(Vm& vm);

// Argument helpers.
inline double numArg(Vm& vm, std::span<Value> args, size_t i) { return i < args.size() ? vm.toNumber(args[i]) : std::nan(""); }

}  // namespace quillo::jscript

namespace quillo::jscript {

// A global constructor with its prototype object linked both ways.
FunctionObject* makeConstructor(Vm& vm, const char16_t* name, NativeFn call, NativeFn construct, int arity, Object* proto);
// `thisv` as an object of class `cls`, or error `errorNumber`.
Object* thisOf(Vm& vm, Value thisv, ObjClass cls, int errorNumber);
// The [[Class]] name for Object.prototype.toString.
const char16_t* className(Object* o);
// Array-likes for apply and the Array methods: the arguments as a vector.
std::vector<Value> listFromArrayLike(Vm& vm, Value v);

}  // namespace quillo::jscript
