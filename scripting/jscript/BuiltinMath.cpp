// Math.

#include <cmath>
#include <random>

#include "scripting/jscript/Builtins.h"

namespace quillo::jscript {

namespace {

enum MathFn { Abs, Acos, Asin, Atan, Ceil, Cos, Exp, Floor, Log, Round, Sin, Sqrt, Tan, Atan2, Pow, Max, Min, Random };

double roundJs(double x) {
    if (!std::isfinite(x) || x == 0) return x;
    if (x > 0 && x < 0.5) return 0.0;
    if (x < 0 && x >= -0.5) return -0.0;
    return std::floor(x + 0.5);
}

Value mathFn(Vm& vm, Value, std::span<Value> args, Object* callee) {
    int which = static_cast<FunctionObject*>(callee)->magic;
    if (which == Max || which == Min) {
        double r = which == Max ? -INFINITY : INFINITY;
        bool nan = false;
        for (Value& a : args) {
            double x = vm.toNumber(a);
            if (std::isnan(x)) nan = true;
            else if (which == Max ? (x > r || (x == 0 && r == 0 && !std::signbit(x))) : (x < r || (x == 0 && r == 0 && std::signbit(x)))) r = x;
        }
        return Value::number(nan ? std::nan("") : r);
    }
    if (which == Random) {
        static thread_local std::mt19937_64 rng{std::random_device{}()};
        return Value::number(std::uniform_real_distribution<double>(0.0, 1.0)(rng));
    }
    double x = numArg(vm, args, 0);
    switch (which) {
        case Abs: return Value::number(std::fabs(x));
        case Acos: return Value::number(std::acos(x));
        case Asin: return Value::number(std::asin(x));
        case Atan: return Value::number(std::atan(x));
        case Ceil: return Value::number(std::ceil(x));
        case Cos: return Value::number(std::cos(x));
        case Exp: return Value::number(std::exp(x));
        case Floor: return Value::number(std::floor(x));
        case Log: return Value::number(std::log(x));
        case Round: return Value::number(roundJs(x));
        case Sin: return Value::number(std::sin(x));
        case Sqrt: return Value::number(std::sqrt(x));
        case Tan: return Value::number(std::tan(x));
        case Atan2: return Value::number(std::atan2(x, numArg(vm, args, 1)));
        case Pow: {
            double y = numArg(vm, args, 1);
            if (std::isnan(y)) return Value::number(std::nan(""));
            if ((x == 1 || x == -1) && std::isinf(y)) return Value::number(std::nan(""));
            return Value::number(std::pow(x, y));
        }
        default: return Value();
    }
}

}  // namespace

void installMathBuiltins(Vm& vm) {
    Object* m = vm.heap().make<Object>(ObjClass::Math, vm.objectProto);
    vm.defineValue(vm.global, u"Math", Value::object(m));
    struct Entry { const char16_t* name; int which; int arity; };
    const Entry fns[] = {{u"abs", Abs, 1}, {u"acos", Acos, 1}, {u"asin", Asin, 1}, {u"atan", Atan, 1},
                         {u"ceil", Ceil, 1}, {u"cos", Cos, 1}, {u"exp", Exp, 1}, {u"floor", Floor, 1},
                         {u"log", Log, 1}, {u"round", Round, 1}, {u"sin", Sin, 1}, {u"sqrt", Sqrt, 1},
                         {u"tan", Tan, 1}, {u"atan2", Atan2, 2}, {u"pow", Pow, 2}, {u"max", Max, 2},
                         {u"min", Min, 2}, {u"random", Random, 0}};
    for (const Entry& e : fns) vm.defineNative(m, e.name, mathFn, e.arity, e.which);
    uint8_t fixed = DontEnum | DontDelete | ReadOnly;
    vm.defineValue(m, u"E", Value::number(M_E), fixed);
    vm.defineValue(m, u"LN10", Value::number(M_LN10), fixed);
    vm.defineValue(m, u"LN2", Value::number(M_LN2), fixed);
    vm.defineValue(m, u"LOG2E", Value::number(M_LOG2E), fixed);
    vm.defineValue(m, u"LOG10E", Value::number(M_LOG10E), fixed);
    vm.defineValue(m, u"PI", Value::number(M_PI), fixed);
    vm.defineValue(m, u"SQRT1_2", Value::number(M_SQRT1_2), fixed);
    vm.defineValue(m, u"SQRT2", Value::number(M_SQRT2), fixed);
}

}  // namespace quillo::jscript
