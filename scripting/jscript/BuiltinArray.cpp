// Array and Array.prototype. Methods work on any array-like `this`; real arrays take
// the dense-vector paths.

#include <algorithm>
#include <cmath>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript {

namespace {

ArrayObject* asArray(Value v) {
    return v.isObject() && v.obj->cls == ObjClass::Array ? static_cast<ArrayObject*>(v.obj) : nullptr;
}

// Dense and free of holes and sparse parts: elements can be read straight from the vector.
bool isPlain(ArrayObject* a) { return a && a->sparse.empty() && a->dense.size() == a->length; }

bool hasIndex(Vm& vm, Object* o, uint32_t i) {
    if (o->cls == ObjClass::Array) {
        auto* a = static_cast<ArrayObject*>(o);
        if (i < a->dense.size()) return !a->dense[i].isHole();
        if (a->sparse.count(i)) return true;
    }
    return vm.hasProperty(o, vm.intern(numberToString(i)));
}

void deleteIndex(Vm& vm, Object* o, uint32_t i) { vm.deleteProp(o, vm.intern(numberToString(i))); }

void setLength(Vm& vm, Object* o, double n) {
    if (auto* a = asArray(Value::object(o))) vm.setArrayLength(a, n);
    else vm.put(o, vm.names().length, Value::number(n));
}

double relIndex(Vm& vm, Value v, double len, double dflt) {
    if (v.isUndefined()) return dflt;
    double r = vm.toInteger(v);
    if (r < 0) return std::max(0.0, len + r);
    return std::min(r, len);
}

Value arrayConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    if (args.size() == 1 && args[0].isNumber()) {
        double n = args[0].num;
        if (!(n >= 0 && n == std::floor(n) && n < 4294967296.0)) vm.throwError(ErrorKind::RangeError, 5029);
        ArrayObject* a = vm.newArray(static_cast<size_t>(n));
        return Value::object(a);
    }
    ArrayObject* a = vm.newArray(args.size());
    a->dense.assign(args.begin(), args.end());
    a->maxCreated = static_cast<int64_t>(args.size()) - 1;
    return Value::object(a);
}

JsString* joinImpl(Vm& vm, Object* o, JsString* sep);

Value arrayJoin(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    JsString* sep = arg(args, 0).isUndefined() ? vm.intern(u",") : vm.toString(args[0]);
    return Value::string(joinImpl(vm, o, sep));
}

// Arrays being joined, so a cycle joins as empty instead of recursing forever.
thread_local std::vector<Object*> joining;

JsString* joinImpl(Vm& vm, Object* o, JsString* sep) {
    for (Object* j : joining)
        if (j == o) return vm.intern(u"");
    if (nativeStackLow()) vm.throwError(28);
    joining.push_back(o);
    struct Pop { ~Pop() { joining.pop_back(); } } pop;
    uint32_t n = vm.lengthOf(o);
    std::u16string out;
    const std::u16string& s = sep->str();
    if (o->cls == ObjClass::Array && n) {  // string elements' lengths are known: one allocation
        size_t total = (n - 1) * s.size();
        for (const Value& v : static_cast<ArrayObject*>(o)->dense)
            if (v.isString()) total += v.str->length();
        if (total < (size_t{1} << 27)) out.reserve(total);  // a huge sparse array grows as it goes
    }
    for (uint32_t i = 0; i < n; ++i) {
        if (i) out += s;
        Value v = vm.getIndex(o, i);
        if (v.isNumber()) appendNumber(out, v.num);  // no string cell per element
        else if (!v.isNullish()) vm.toString(v)->appendTo(out);
    }
    return vm.str(std::move(out));
}

Value arrayToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    if (!asArray(thisv)) vm.throwError(5014);
    return Value::string(joinImpl(vm, thisv.obj, vm.intern(u",")));
}

Value arrayToLocaleString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    if (!asArray(thisv)) vm.throwError(5014);
    Object* o = thisv.obj;
    uint32_t n = vm.lengthOf(o);
    std::u16string out;
    for (uint32_t i = 0; i < n; ++i) {
        if (i) out += u",";
        Value v = vm.getIndex(o, i);
        if (!v.isNullish()) out += vm.toString(vm.callMethod(v, vm.intern(u"toLocaleString"), {}))->str();
    }
    return vm.strv(out);
}

Value arrayPush(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    if (ArrayObject* a = asArray(thisv); isPlain(a)) {
        for (Value& v : args) vm.putIndex(a, a->length, v);
        return Value::number(a->length);
    }
    Object* o = vm.toObject(thisv);
    double n = vm.lengthOf(o);
    for (Value& v : args) vm.putV(Value::object(o), Value::number(n++), v);
    setLength(vm, o, n);
    return Value::number(n);
}

Value arrayPop(Vm& vm, Value thisv, std::span<Value>, Object*) {
    Object* o = vm.toObject(thisv);
    uint32_t n = vm.lengthOf(o);
    if (n == 0) {
        setLength(vm, o, 0);
        return Value();
    }
    Value v = vm.getIndex(o, n - 1);
    deleteIndex(vm, o, n - 1);
    setLength(vm, o, n - 1);
    return v;
}

Value arrayReverse(Vm& vm, Value thisv, std::span<Value>, Object*) {
    Object* o = vm.toObject(thisv);
    if (ArrayObject* a = asArray(thisv); isPlain(a)) {
        std::reverse(a->dense.begin(), a->dense.end());
        return thisv;
    }
    uint32_t n = vm.lengthOf(o);
    for (uint32_t lo = 0, hi = n ? n - 1 : 0; lo < hi; ++lo, --hi) {
        bool hl = hasIndex(vm, o, lo), hh = hasIndex(vm, o, hi);
        Value vl = vm.getIndex(o, lo), vh = vm.getIndex(o, hi);
        if (hh) vm.putIndex(o, lo, vh); else deleteIndex(vm, o, lo);
        if (hl) vm.putIndex(o, hi, vl); else deleteIndex(vm, o, hi);
    }
    return Value::object(o);
}

Value arrayShift(Vm& vm, Value thisv, std::span<Value>, Object*) {
    Object* o = vm.toObject(thisv);
    if (ArrayObject* a = asArray(thisv); isPlain(a)) {
        if (a->length == 0) return Value();
        Value v = a->dense.front();
        a->dense.erase(a->dense.begin());
        --a->length;
        if (a->maxCreated >= 0) --a->maxCreated;
        return v.isHole() ? Value() : v;
    }
    uint32_t n = vm.lengthOf(o);
    if (n == 0) {
        setLength(vm, o, 0);
        return Value();
    }
    Value first = vm.getIndex(o, 0);
    for (uint32_t k = 1; k < n; ++k) {
        if (hasIndex(vm, o, k)) vm.putIndex(o, k - 1, vm.getIndex(o, k));
        else deleteIndex(vm, o, k - 1);
    }
    deleteIndex(vm, o, n - 1);
    setLength(vm, o, n - 1);
    return first;
}

Value arrayUnshift(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    if (ArrayObject* a = asArray(thisv); isPlain(a)) {
        a->dense.insert(a->dense.begin(), args.begin(), args.end());
        a->length += static_cast<uint32_t>(args.size());
        a->maxCreated = static_cast<int64_t>(a->length) - 1;
        return Value::number(a->length);
    }
    uint32_t n = vm.lengthOf(o);
    uint32_t c = static_cast<uint32_t>(args.size());
    for (uint32_t k = n; k > 0; --k) {
        if (hasIndex(vm, o, k - 1)) vm.putIndex(o, k - 1 + c, vm.getIndex(o, k - 1));
        else deleteIndex(vm, o, k - 1 + c);
    }
    for (uint32_t j = 0; j < c; ++j) vm.putIndex(o, j, args[j]);
    setLength(vm, o, n + c);
    return Value::number(n + c);
}

Value arraySlice(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    double len = vm.lengthOf(o);
    double start = relIndex(vm, arg(args, 0), len, 0);
    double end = relIndex(vm, arg(args, 1), len, len);
    ArrayObject* r = vm.newArray();
    uint32_t n = 0;
    for (double k = start; k < end; ++k, ++n) {
        uint32_t i = static_cast<uint32_t>(k);
        if (hasIndex(vm, o, i)) vm.putIndex(r, n, vm.getIndex(o, i));
    }
    vm.setArrayLength(r, n);
    return Value::object(r);
}

Value arraySplice(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    Object* o = vm.toObject(thisv);
    double len = vm.lengthOf(o);
    double start = relIndex(vm, arg(args, 0), len, 0);
    // Without a count nothing is removed: this dialect reads the missing count as 0.
    double del = args.size() < 2 ? 0 : std::min(std::max(vm.toInteger(args[1]), 0.0), len - start);
    ArrayObject* removed = vm.newArray();
    uint32_t s = static_cast<uint32_t>(start), d = static_cast<uint32_t>(del);
    for (uint32_t k = 0; k < d; ++k)
        if (hasIndex(vm, o, s + k)) vm.putIndex(removed, k, vm.getIndex(o, s + k));
    vm.setArrayLength(removed, d);
    uint32_t items = args.size() > 2 ? static_cast<uint32_t>(args.size() - 2) : 0;
    uint32_t n = static_cast<uint32_t>(len);
    if (items < d) {
        for (uint32_t k = s; k < n - d; ++k) {
            if (hasIndex(vm, o, k + d)) vm.putIndex(o, k + items, vm.getIndex(o, k + d));
            else deleteIndex(vm, o, k + items);
        }
        for (uint32_t k = n; k > n - d + items; --k) deleteIndex(vm, o, k - 1);
    } else if (items > d) {
        for (uint32_t k = n - d; k > s; --k) {
            if (hasIndex(vm, o, k + d - 1)) vm.putIndex(o, k + items - 1, vm.getIndex(o, k + d - 1));
            else deleteIndex(vm, o, k + items - 1);
        }
    }
    for (uint32_t k = 0; k < items; ++k) vm.putIndex(o, s + k, args[k + 2]);
    setLength(vm, o, n - d + items);
    return Value::object(removed);
}

Value arrayConcat(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    ArrayObject* r = vm.newArray();
    uint32_t n = 0;
    auto append = [&](Value v) {
        if (ArrayObject* a = asArray(v)) {
            for (uint32_t i = 0; i < a->length; ++i, ++n)
                if (hasIndex(vm, a, i)) vm.putIndex(r, n, vm.getIndex(a, i));
        } else {
            vm.putIndex(r, n++, v);
        }
    };
    append(thisv.isObject() ? thisv : Value::object(vm.toObject(thisv)));
    for (Value& v : args) append(v);
    vm.setArrayLength(r, n);
    return Value::object(r);
}

// Merge sort: stable, and safe with comparators that are not consistent.
template <class Less>
void mergeSort(std::vector<Value>& v, Less less) {
    std::vector<Value> tmp(v.size());
    for (size_t width = 1; width < v.size(); width *= 2) {
        for (size_t lo = 0; lo < v.size(); lo += 2 * width) {
            size_t mid = std::min(lo + width, v.size()), hi = std::min(lo + 2 * width, v.size());
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) tmp[k++] = less(v[j], v[i]) ? v[j++] : v[i++];
            while (i < mid) tmp[k++] = v[i++];
            while (j < hi) tmp[k++] = v[j++];
        }
        v.swap(tmp);
    }
}

Value arraySort(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    RootScope roots(vm.heap());
    Object* o = vm.toObject(thisv);
    roots.hold(Value::object(o));
    Value cmp = arg(args, 0);
    if (!cmp.isUndefined() && !vm.isCallable(cmp)) vm.throwError(5002);
    uint32_t n = vm.lengthOf(o);
    std::vector<Value> vals;  // the comparator may drop elements from `o`
    roots.hold(vals);
    uint32_t undefs = 0;
    for (uint32_t i = 0; i < n; ++i) {
        if (!hasIndex(vm, o, i)) continue;
        Value v = vm.getIndex(o, i);
        if (v.isUndefined()) ++undefs;
        else vals.push_back(v);
    }
    if (cmp.isUndefined()) {
        std::vector<std::pair<JsString*, Value>> keyed;
        keyed.reserve(vals.size());
        for (Value& v : vals) keyed.push_back({vm.toString(v), v});
        std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first->view() < b.first->view(); });
        for (size_t i = 0; i < vals.size(); ++i) vals[i] = keyed[i].second;
    } else {
        Vm::RepeatedCall compare(vm, cmp, Value());
        mergeSort(vals, [&](Value a, Value b) {
            Value pair[2] = {a, b};
            Value r = compare(pair);
            return (r.isNumber() ? r.num : vm.toNumber(r)) < 0;
        });
    }
    uint32_t k = 0;
    for (Value& v : vals) vm.putIndex(o, k++, v);
    for (uint32_t i = 0; i < undefs; ++i) vm.putIndex(o, k++, Value());
    for (; k < n; ++k) deleteIndex(vm, o, k);
    return Value::object(o);
}

}  // namespace

void installArrayBuiltins(Vm& vm) {
    ArrayObject* p = vm.heap().make<ArrayObject>(vm.objectProto);
    vm.arrayProto = p;
    vm.arrayCtor = makeConstructor(vm, u"Array", arrayConstruct, arrayConstruct, 1, p);
    vm.defineNative(p, u"join", arrayJoin, 1);
    vm.defineNative(p, u"toString", arrayToString, 0);
    vm.defineNative(p, u"toLocaleString", arrayToLocaleString, 0);
    vm.defineNative(p, u"push", arrayPush, 1);
    vm.defineNative(p, u"pop", arrayPop, 0);
    vm.defineNative(p, u"reverse", arrayReverse, 0);
    vm.defineNative(p, u"shift", arrayShift, 0);
    vm.defineNative(p, u"unshift", arrayUnshift, 1);
    vm.defineNative(p, u"slice", arraySlice, 2);
    vm.defineNative(p, u"splice", arraySplice, 2);
    vm.defineNative(p, u"concat", arrayConcat, 1);
    vm.defineNative(p, u"sort", arraySort, 1);
}

}  // namespace quillo::jscript
