// RegExp: constructor, exec/test/toString/compile, lastIndex rules and the legacy statics.

#include <cmath>

#include "scripting/core/ScriptError.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/RegExpObject.h"

namespace quillo::jscript {

namespace {



script::RegExpFlags parseFlags(Vm& vm, JsString* flags) {
    script::RegExpFlags f;
    for (char16_t c : flags->view()) {
        bool* b = c == 'g' ? &f.global : c == 'i' ? &f.ignoreCase : c == 'm' ? &f.multiline : nullptr;
        if (!b || *b) vm.throwError(ErrorKind::SyntaxError, 5017);
        *b = true;
    }
    return f;
}

void setPattern(Vm& vm, RegExpObject* r, JsString* pattern, JsString* flags) {
    script::RegExpFlags f = parseFlags(vm, flags);
    try {
        r->re = script::RegExp::compile(pattern->view(), f);
    } catch (const script::ScriptError& e) {
        int n = e.number;
        vm.throwError(ErrorKind::SyntaxError, n, e.description);
    }
    uint8_t fixed = DontEnum | DontDelete | ReadOnly;
    auto set = [&](JsString* k, Value v, uint8_t attrs) {
        int i = r->props.find(k);
        if (i >= 0) r->props.at(i).value = v;
        else r->props.add(k, v, attrs);
    };
    set(vm.names().source, Value::string(pattern), fixed);
    set(vm.names().global, Value::boolean_(f.global), fixed);
    set(vm.names().ignoreCase, Value::boolean_(f.ignoreCase), fixed);
    set(vm.names().multiline, Value::boolean_(f.multiline), fixed);
    set(vm.names().lastIndex, Value::number(0), DontEnum | DontDelete);
}

Value regexpConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    Value p = arg(args, 0), fl = arg(args, 1);
    if (RegExpObject* src = asRegExp(p)) {
        if (!fl.isUndefined()) vm.throwError(5);
        std::u16string flags;
        if (src->re->flags().global) flags += u'g';
        if (src->re->flags().ignoreCase) flags += u'i';
        if (src->re->flags().multiline) flags += u'm';
        return makeRegExp(vm, vm.str(src->re->source()), vm.str(flags));
    }
    JsString* pattern = p.isUndefined() ? vm.intern(u"") : vm.toString(p);
    JsString* flags = fl.isUndefined() ? vm.intern(u"") : vm.toString(fl);
    return makeRegExp(vm, pattern, flags);
}

Value regexpCall(Vm& vm, Value thisv, std::span<Value> args, Object* callee) {
    if (asRegExp(arg(args, 0)) && arg(args, 1).isUndefined()) return args[0];
    return regexpConstruct(vm, thisv, args, callee);
}

double lastIndexOf(Vm& vm, RegExpObject* r) { return vm.toInteger(vm.get(r, vm.names().lastIndex)); }
void setLastIndex(Vm& vm, RegExpObject* r, double v) { vm.put(r, vm.names().lastIndex, Value::number(v)); }

// exec's steps; null Value when there is no match.
Value execImpl(Vm& vm, RegExpObject* r, JsString* s, bool wantArray) {
    bool global = r->re->flags().global;
    double li = global ? lastIndexOf(vm, r) : 0;
    if (li < 0 || li > s->length()) {
        setLastIndex(vm, r, 0);
        return Value::null();
    }
    script::RegExpMatch m;
    if (!regexpMatchAt(vm, r, s, static_cast<size_t>(li), m)) {
        setLastIndex(vm, r, 0);
        return Value::null();
    }
    double next = m.end() == m.start() ? m.end() + 1 : m.end();
    setLastIndex(vm, r, next);
    if (!wantArray) return Value::boolean_(true);
    Value a = matchArray(vm, s, m);
    vm.put(a.obj, vm.names().lastIndex, Value::number(next));
    return a;
}

Value regexpExec(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    RegExpObject* r = asRegExp(thisv);
    if (!r) vm.throwError(5016);
    JsString* s = vm.toString(arg(args, 0).isUndefined() && args.empty() ? Value::string(vm.intern(u"")) : arg(args, 0));
    return execImpl(vm, r, s, true);
}

Value regexpTest(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    RegExpObject* r = asRegExp(thisv);
    if (!r) vm.throwError(5016);
    JsString* s = vm.toString(arg(args, 0));
    Value v = execImpl(vm, r, s, false);
    return Value::boolean_(v.isBool());
}

Value regexpToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    RegExpObject* r = asRegExp(thisv);
    if (!r) vm.throwError(5016);
    std::u16string out = u"/" + r->re->source() + u"/";
    if (r->re->flags().global) out += u'g';
    if (r->re->flags().ignoreCase) out += u'i';
    if (r->re->flags().multiline) out += u'm';
    return vm.strv(out);
}

Value regexpCompile(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    RegExpObject* r = asRegExp(thisv);
    if (!r) vm.throwError(5016);
    JsString* pattern = arg(args, 0).isUndefined() ? vm.intern(u"") : vm.toString(args[0]);
    JsString* flags = arg(args, 1).isUndefined() ? vm.intern(u"") : vm.toString(args[1]);
    setPattern(vm, r, pattern, flags);
    return thisv;
}

}  // namespace

RegExpObject* asRegExp(Value v) {
    return v.isObject() && v.obj->cls == ObjClass::RegExp && v.obj != nullptr ? dynamic_cast<RegExpObject*>(v.obj) : nullptr;
}

Value makeRegExp(Vm& vm, JsString* pattern, JsString* flags) {
    auto* r = vm.heap().make<RegExpObject>(vm.regexpProto);
    setPattern(vm, r, pattern, flags);
    return Value::object(r);
}

RegExpObject* toRegExp(Vm& vm, Value v) {
    if (RegExpObject* r = asRegExp(v)) return r;
    JsString* p = v.isUndefined() ? vm.intern(u"") : vm.toString(v);
    return static_cast<RegExpObject*>(makeRegExp(vm, p, vm.intern(u"")).obj);
}

bool regexpMatchAt(Vm& vm, RegExpObject* re, JsString* subject, size_t start, script::RegExpMatch& m) {
    if (!re->re->exec(subject->view(), start, m)) return false;
    Vm::LastMatch& last = vm.lastMatch;
    last.subject = subject;
    last.m = m;
    last.valid = true;
    return true;
}

Value matchArray(Vm& vm, JsString* subject, const script::RegExpMatch& m) {
    ArrayObject* a = vm.newArray();
    std::u16string_view sv = subject->view();
    for (int g = 0; g <= m.groupCount(); ++g)
        vm.putIndex(a, static_cast<uint32_t>(g), vm.strv(std::u16string(m.text(sv, g))));
    vm.put(a, vm.names().index, Value::number(m.start()));
    vm.put(a, vm.names().input, Value::string(subject));
    return Value::object(a);
}

bool regexpStatic(Vm& vm, JsString* key, Value& out) {
    Vm::LastMatch& last = vm.lastMatch;
    std::u16string_view k = key->view();
    auto text = [&](int g) -> Value {
        if (!last.valid || g > last.m.groupCount()) return vm.strv(u"");
        return vm.strv(std::u16string(last.m.text(last.subject->view(), g)));
    };
    if (k.size() == 2 && k[0] == '$' && k[1] >= '1' && k[1] <= '9') {
        out = text(k[1] - '0');
        return true;
    }
    if (k == u"lastMatch" || k == u"$&") { out = text(0); return true; }
    if (k == u"lastParen" || k == u"$+") { out = last.valid ? text(last.m.groupCount()) : vm.strv(u""); return true; }
    if (k == u"leftContext" || k == u"$`") {
        out = vm.strv(last.valid ? last.subject->str().substr(0, last.m.start()) : u"");
        return true;
    }
    if (k == u"rightContext" || k == u"$'") {
        out = vm.strv(last.valid ? last.subject->str().substr(last.m.end()) : u"");
        return true;
    }
    if (k == u"input" || k == u"$_") { out = last.valid ? Value::string(last.subject) : vm.strv(u""); return true; }
    if (k == u"index") { out = Value::number(last.valid ? last.m.start() : -1); return true; }
    if (k == u"lastIndex") { out = Value::number(last.valid ? last.m.end() : -1); return true; }
    return false;
}

void installRegExpBuiltins(Vm& vm) {
    Object* p = vm.heap().make<Object>(ObjClass::Object, vm.objectProto);
    vm.regexpProto = p;
    vm.regexpCtor = makeConstructor(vm, u"RegExp", regexpCall, regexpConstruct, 2, p);
    vm.defineNative(p, u"exec", regexpExec, 1);
    vm.defineNative(p, u"test", regexpTest, 1);
    vm.defineNative(p, u"toString", regexpToString, 0);
    vm.defineNative(p, u"compile", regexpCompile, 2);
}

}  // namespace quillo::jscript
