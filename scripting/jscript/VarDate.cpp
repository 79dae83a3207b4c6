#include "scripting/jscript/VarDate.h"

#include <cmath>

#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"

namespace quillo::jscript {

Value makeVarDate(Vm& vm, double ole) {
    Object* o = vm.heap().make<Object>(ObjClass::VarDate, nullptr);
    o->internal = Value::number(ole);
    return Value::object(o);
}

Value varDatePrimitive(Vm& vm, const Object* o, int hint) {
    if (hint == 1) return Value::number(varDateOle(o));
    return vm.strv(script::toText(script::Variant::fromDate(varDateOle(o))));
}

// Rounded to the millisecond: 15:05 is not an exact binary fraction of a day.
double varDateTime(const Object* o) { return script::localToUtcMs(std::round(script::oleToLocalMs(varDateOle(o)))); }

}  // namespace quillo::jscript
