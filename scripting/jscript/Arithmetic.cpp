// The arithmetic operators on values of any type, after the run loop's number paths.

#include "scripting/jscript/Remainder.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

Value Vm::arithmetic(Op op, Value a, Value b) {
    if (op == Op::Add) {
        if (a.isString() && b.isString()) return Value::string(concat(a.str, b.str));
        Value pa = toPrimitive(a), pb = toPrimitive(b);
        if (pa.isString() || pb.isString()) return Value::string(concat(toString(pa), toString(pb)));
        return Value::number(toNumber(pa) + toNumber(pb));
    }
    double x = a.isNumber() ? a.num : toNumber(a);
    double y = b.isNumber() ? b.num : toNumber(b);
    switch (op) {
        case Op::Sub: return Value::number(x - y);
        case Op::Mul: return Value::number(x * y);
        case Op::Div: return Value::number(x / y);
        default: return Value::number(numberRemainder(x, y));
    }
}

}  // namespace quillo::jscript
