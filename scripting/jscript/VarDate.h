#pragma once
// Date variants, from hosts and from Date.prototype.getVarDate: an OLE date (days since
// 1899-12-30, local time) kept as it came. Scripts see typeof "date"; the value converts
// to the date text hosts show, or to its day number where a number is wanted, and goes
// back to hosts as a Date variant.

#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

Value makeVarDate(Vm& vm, double ole);
inline bool isVarDate(Value v) { return v.isObject() && v.obj->cls == ObjClass::VarDate; }
inline double varDateOle(const Object* o) { return o->internal.num; }
// ToPrimitive: the day number for a number hint, the text ("12/8/2026 3:05:00 PM") otherwise.
Value varDatePrimitive(Vm& vm, const Object* o, int hint);
// The time value (ms since 1970 UTC) the local OLE date stands for.
double varDateTime(const Object* o);

}  // namespace quillo::jscript
