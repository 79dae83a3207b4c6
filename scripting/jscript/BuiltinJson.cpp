// The JSON object; parsing and writing live in JsonParse.cpp and JsonStringify.cpp.

#include "scripting/jscript/Json.h"

namespace quillo::jscript {

void installJsonBuiltins(Vm& vm) {
    Object* j = vm.heap().make<Object>(ObjClass::Json, vm.objectProto);
    vm.defineValue(vm.global, u"JSON", Value::object(j));
    vm.defineNative(j, u"parse", jsonParse, 2);
    vm.defineNative(j, u"stringify", jsonStringify, 3);
}

}  // namespace quillo::jscript
