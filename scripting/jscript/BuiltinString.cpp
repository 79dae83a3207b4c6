// String and String.prototype, including the methods that take regular expressions
// and the HTML wrappers.

#include <algorithm>
#include <cmath>

#include "scripting/core/Text.h"
#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/RegExpObject.h"

namespace quillo::jscript {

namespace {

JsString* thisString(Vm& vm, Value thisv) {
    if (thisv.isString()) return thisv.str;
    if (thisv.isObject() && thisv.obj->cls == ObjClass::String) return thisv.obj->internal.str;
    if (thisv.isNullish()) vm.throwError(5007, u"Object expected");
    return vm.toString(thisv);
}

Value stringCall(Vm& vm, Value, std::span<Value> args, Object*) {
    return Value::string(args.empty() ? vm.intern(u"") : vm.toString(args[0]));
}

Value stringConstruct(Vm& vm, Value, std::span<Value> args, Object*) {
    Object* o = vm.heap().make<Object>(ObjClass::String, vm.stringProto);
    o->internal = Value::string(args.empty() ? vm.intern(u"") : vm.toString(args[0]));
    return Value::object(o);
}

Value fromCharCode(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string s;
    for (Value& a : args) s += static_cast<char16_t>(vm.toUint32(a) & 0xFFFF);
    return vm.strv(s);
}

Value stringToString(Vm& vm, Value thisv, std::span<Value>, Object*) {
    if (thisv.isString()) return thisv;
    if (thisv.isObject() && thisv.obj->cls == ObjClass::String) return thisv.obj->internal;
    vm.throwError(5005);
}

Value charAt(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    double i = vm.toInteger(arg(args, 0));
    if (i < 0 || i >= s->length()) return vm.strv(u"");
    char16_t c = s->at(static_cast<uint32_t>(i));
    return Value::string(vm.intern(std::u16string_view(&c, 1)));
}

Value charCodeAt(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    double i = vm.toInteger(arg(args, 0));
    if (i < 0 || i >= s->length()) return Value::number(std::nan(""));
    return Value::number(s->at(static_cast<uint32_t>(i)));
}

Value stringConcat(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    for (Value& a : args) s = vm.concat(s, vm.toString(a));
    return Value::string(s);
}

Value indexOfFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    std::u16string_view s = thisString(vm, thisv)->view();
    JsString* sub = vm.toString(arg(args, 0));
    double pos = std::min(std::max(vm.toInteger(arg(args, 1)), 0.0), static_cast<double>(s.size()));
    size_t r = s.find(sub->view(), static_cast<size_t>(pos));
    return Value::number(r == std::u16string_view::npos ? -1 : static_cast<double>(r));
}

Value lastIndexOfFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    std::u16string_view s = thisString(vm, thisv)->view();
    JsString* sub = vm.toString(arg(args, 0));
    double n = vm.toNumber(arg(args, 1));
    double pos = std::isnan(n) ? static_cast<double>(s.size()) : std::min(std::max(std::trunc(n), 0.0), static_cast<double>(s.size()));
    size_t r = s.rfind(sub->view(), static_cast<size_t>(pos));
    return Value::number(r == std::u16string_view::npos ? -1 : static_cast<double>(r));
}

Value localeCompare(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    std::u16string_view a = thisString(vm, thisv)->view();
    std::u16string_view b = vm.toString(arg(args, 0))->view();
    // The user's (English) collation: letters compare regardless of case first, and only
    // then does a lowercase letter sort before its capital.
    int c = script::compareIgnoreCase(a, b);
    for (size_t i = 0; c == 0 && i < a.size(); ++i)
        if (a[i] != b[i]) c = script::toLowerChar(a[i]) == a[i] ? -1 : 1;
    return Value::number(c < 0 ? -1 : c > 0 ? 1 : 0);
}

// Characters [start, start + count) of s; the string itself when that is all of it
// (strings never change, so sharing is safe and spares a copy of a long text).
Value piece(Vm& vm, JsString* s, size_t start, size_t count) {
    if (start == 0 && count == s->length()) return Value::string(s);
    return vm.strv(std::u16string(s->view().substr(start, count)));
}

Value sliceFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    double len = s->length();
    auto rel = [&](Value v, double d) {
        if (v.isUndefined()) return d;
        double r = vm.toInteger(v);
        return r < 0 ? std::max(len + r, 0.0) : std::min(r, len);
    };
    double from = rel(arg(args, 0), 0), to = rel(arg(args, 1), len);
    if (to <= from) return vm.strv(u"");
    return piece(vm, s, static_cast<size_t>(from), static_cast<size_t>(to - from));
}

Value substringFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    double len = s->length();
    auto clamp = [&](Value v, double d) { return v.isUndefined() ? d : std::min(std::max(vm.toInteger(v), 0.0), len); };
    double a = clamp(arg(args, 0), 0), b = clamp(arg(args, 1), len);
    if (a > b) std::swap(a, b);
    return piece(vm, s, static_cast<size_t>(a), static_cast<size_t>(b - a));
}

Value substrFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    double len = s->length();
    // This dialect treats a negative start as 0.
    double start = std::min(std::max(vm.toInteger(arg(args, 0)), 0.0), len);
    double count = arg(args, 1).isUndefined() ? len - start : std::min(std::max(vm.toInteger(args[1]), 0.0), len - start);
    if (count <= 0) return vm.strv(u"");
    return piece(vm, s, static_cast<size_t>(start), static_cast<size_t>(count));
}

Value caseFn(Vm& vm, Value thisv, std::span<Value>, Object* callee) {
    std::u16string s = thisString(vm, thisv)->str();
    bool upper = static_cast<FunctionObject*>(callee)->magic == 1;
    for (char16_t& c : s) {
        if (upper) {
            if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
            else if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = c - 0x20;
            else if (c == 0xFF) c = 0x178;
            else if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) c = c - 0x20;
            else if (c >= 0x430 && c <= 0x44F) c = c - 0x20;
            else if (c >= 0x450 && c <= 0x45F) c = c - 0x50;
            else if (c >= 0x100 && c <= 0x17F && (c & 1) && c != 0x131 && c != 0x138 && c != 0x149) c = c - 1;
        } else {
            if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
            else if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = c + 0x20;
            else if (c >= 0x391 && c <= 0x3A9) c = c + 0x20;
            else if (c >= 0x410 && c <= 0x42F) c = c + 0x20;
            else if (c >= 0x400 && c <= 0x40F) c = c + 0x50;
            else if (c >= 0x100 && c <= 0x17F && !(c & 1) && c != 0x130 && c != 0x138) c = c + 1;
        }
    }
    return vm.strv(s);
}

Value htmlFn(Vm& vm, Value thisv, std::span<Value> args, Object* callee) {
    static const char16_t* tags[][2] = {
        {u"A", u"NAME"}, {u"BIG", nullptr}, {u"BLINK", nullptr}, {u"B", nullptr}, {u"TT", nullptr},
        {u"FONT", u"COLOR"}, {u"FONT", u"SIZE"}, {u"I", nullptr}, {u"A", u"HREF"}, {u"SMALL", nullptr},
        {u"STRIKE", nullptr}, {u"SUB", nullptr}, {u"SUP", nullptr}};
    int k = static_cast<FunctionObject*>(callee)->magic;
    std::u16string s = thisString(vm, thisv)->str();
    std::u16string tag = tags[k][0];
    std::u16string open = u"<" + tag;
    if (tags[k][1]) open += u" " + std::u16string(tags[k][1]) + u"=\"" + vm.toStdString(arg(args, 0)) + u"\"";
    return vm.strv(open + u">" + s + u"</" + tag + u">");
}

// ---- regular-expression methods ----

Value matchFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    RegExpObject* re = toRegExp(vm, arg(args, 0));
    script::RegExpMatch m;
    if (!re->re->flags().global) {
        if (!regexpMatchAt(vm, re, s, 0, m)) {
            vm.put(re, vm.names().lastIndex, Value::number(0));
            return Value::null();
        }
        vm.put(re, vm.names().lastIndex, Value::number(m.end()));
        return matchArray(vm, s, m);
    }
    ArrayObject* a = vm.newArray();
    size_t pos = 0;
    uint32_t n = 0;
    std::u16string_view sv = s->view();
    while (pos <= sv.size() && regexpMatchAt(vm, re, s, pos, m)) {
        vm.putIndex(a, n++, vm.strv(std::u16string(m.text(sv))));
        pos = m.end() == m.start() ? m.end() + 1 : m.end();
    }
    vm.put(re, vm.names().lastIndex, Value::number(0));
    if (n == 0) return Value::null();
    return Value::object(a);
}

Value searchFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    RegExpObject* re = toRegExp(vm, arg(args, 0));
    script::RegExpMatch m;
    if (!regexpMatchAt(vm, re, s, 0, m)) return Value::number(-1);
    return Value::number(m.start());
}

// Expands $$, $&, $`, $', $n and $nn in a replacement text.
void expandReplacement(std::u16string& out, std::u16string_view rep, std::u16string_view subject, const script::RegExpMatch* m,
                       size_t matchStart, size_t matchEnd) {
    int groups = m ? m->groupCount() : 0;
    for (size_t i = 0; i < rep.size(); ++i) {
        char16_t c = rep[i];
        if (c != '$' || i + 1 >= rep.size()) {
            out += c;
            continue;
        }
        char16_t n = rep[i + 1];
        if (n == '$') { out += u'$'; ++i; }
        else if (n == '&') { out += subject.substr(matchStart, matchEnd - matchStart); ++i; }
        else if (n == '`') { out += subject.substr(0, matchStart); ++i; }
        else if (n == '\'') { out += subject.substr(matchEnd); ++i; }
        else if (n >= '0' && n <= '9') {
            int g = n - '0';
            size_t used = 1;
            if (i + 2 < rep.size() && rep[i + 2] >= '0' && rep[i + 2] <= '9' && g * 10 + (rep[i + 2] - '0') <= groups) {
                g = g * 10 + (rep[i + 2] - '0');
                used = 2;
            }
            if (g >= 1 && g <= groups) {
                out += m->text(subject, g);
                i += used;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
}

Value replaceFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    RootScope roots(vm.heap());  // a replacement function may collect
    JsString* s = roots.hold(Value::string(thisString(vm, thisv))).str;
    std::u16string_view subject = s->view();  // s is held and flat: the view stays valid
    Value pat = arg(args, 0), rep = arg(args, 1);
    bool fn = vm.isCallable(rep);
    JsString* repStr = fn ? nullptr : vm.toString(rep);
    std::u16string out;
    RegExpObject* re = asRegExp(pat);
    if (!re) {
        JsString* needle = roots.hold(Value::string(vm.toString(pat))).str;
        size_t at = subject.find(needle->view());
        if (at == std::u16string::npos) return Value::string(s);
        out.assign(subject.substr(0, at));
        if (fn) {
            Value a[3] = {Value::string(needle), Value::number(static_cast<double>(at)), Value::string(s)};
            out += vm.toString(vm.callback(rep, Value(), a))->str();
        } else {
            expandReplacement(out, repStr->view(), subject, nullptr, at, at + needle->length());
        }
        out += subject.substr(at + needle->length());
        return vm.strv(std::move(out));
    }
    bool global = re->re->flags().global;
    bool plain = repStr && repStr->view().find(u'$') == std::u16string_view::npos;
    out.reserve(subject.size());  // replacing usually keeps the length near the subject's
    size_t pos = 0, copied = 0;
    script::RegExpMatch m;
    while (pos <= subject.size() && regexpMatchAt(vm, re, s, pos, m)) {
        out.append(subject.substr(copied, m.start() - copied));
        if (plain) {
            out.append(repStr->view());
        } else if (fn) {
            std::vector<Value> a;
            for (int g = 0; g <= m.groupCount(); ++g) a.push_back(vm.strv(std::u16string(m.text(subject, g))));
            a.push_back(Value::number(m.start()));
            a.push_back(Value::string(s));
            out += vm.toString(vm.callback(rep, Value(), a))->str();
        } else {
            expandReplacement(out, repStr->view(), subject, &m, m.start(), m.end());
        }
        copied = m.end();
        if (!global) break;
        pos = m.end() == m.start() ? m.end() + 1 : m.end();
    }
    if (global) vm.put(re, vm.names().lastIndex, Value::number(0));
    if (copied < subject.size()) out.append(subject.substr(copied));
    return vm.strv(std::move(out));
}

Value splitFn(Vm& vm, Value thisv, std::span<Value> args, Object*) {
    JsString* s = thisString(vm, thisv);
    std::u16string_view sv = s->view();
    Value sep = arg(args, 0);
    double limit = arg(args, 1).isUndefined() ? 4294967295.0 : vm.toUint32(args[1]);
    ArrayObject* a = vm.newArray();
    uint32_t n = 0;
    auto add = [&](std::u16string_view piece) {
        if (n < limit) vm.putIndex(a, n++, vm.strv(std::u16string(piece)));
    };
    if (limit == 0) return Value::object(a);
    if (sep.isUndefined()) {
        add(sv);
        return Value::object(a);
    }
    if (RegExpObject* re = asRegExp(sep)) {
        // This dialect leaves out empty pieces and captured groups.
        size_t pos = 0, pieceStart = 0;
        script::RegExpMatch m;
        while (pos < sv.size() && regexpMatchAt(vm, re, s, pos, m)) {
            size_t ms = static_cast<size_t>(m.start()), me = static_cast<size_t>(m.end());
            if (ms >= sv.size()) break;
            if (ms > pieceStart) add(sv.substr(pieceStart, ms - pieceStart));
            pieceStart = me;
            pos = me == ms ? me + 1 : me;
        }
        if (pieceStart < sv.size()) add(sv.substr(pieceStart));
        return Value::object(a);
    }
    std::u16string_view d = vm.toString(sep)->view();
    if (d.empty()) {
        for (size_t i = 0; i < sv.size() && n < limit; ++i) add(sv.substr(i, 1));
        return Value::object(a);
    }
    size_t start = 0;
    for (;;) {
        size_t at = sv.find(d, start);
        if (at == std::u16string_view::npos) break;
        add(sv.substr(start, at - start));
        start = at + d.size();
    }
    add(sv.substr(start));
    return Value::object(a);
}

}  // namespace

void installStringBuiltins(Vm& vm) {
    Object* p = vm.heap().make<Object>(ObjClass::String, vm.objectProto);
    p->internal = Value::string(vm.intern(u""));
    vm.stringProto = p;
    FunctionObject* ctor = makeConstructor(vm, u"String", stringCall, stringConstruct, 1, p);
    vm.defineNative(ctor, u"fromCharCode", fromCharCode, 1);
    vm.defineNative(p, u"toString", stringToString, 0);
    vm.defineNative(p, u"valueOf", stringToString, 0);
    vm.defineNative(p, u"charAt", charAt, 1);
    vm.defineNative(p, u"charCodeAt", charCodeAt, 1);
    vm.defineNative(p, u"concat", stringConcat, 1);
    vm.defineNative(p, u"indexOf", indexOfFn, 1);
    vm.defineNative(p, u"lastIndexOf", lastIndexOfFn, 1);
    vm.defineNative(p, u"localeCompare", localeCompare, 1);
    vm.defineNative(p, u"slice", sliceFn, 2);
    vm.defineNative(p, u"substring", substringFn, 2);
    vm.defineNative(p, u"substr", substrFn, 2);
    vm.defineNative(p, u"toLowerCase", caseFn, 0, 0);
    vm.defineNative(p, u"toUpperCase", caseFn, 0, 1);
    vm.defineNative(p, u"toLocaleLowerCase", caseFn, 0, 0);
    vm.defineNative(p, u"toLocaleUpperCase", caseFn, 0, 1);
    vm.defineNative(p, u"match", matchFn, 1);
    vm.defineNative(p, u"search", searchFn, 1);
    vm.defineNative(p, u"replace", replaceFn, 2);
    vm.defineNative(p, u"split", splitFn, 2);
    const char16_t* html[] = {u"anchor", u"big", u"blink", u"bold", u"fixed", u"fontcolor", u"fontsize",
                              u"italics", u"link", u"small", u"strike", u"sub", u"sup"};
    for (int i = 0; i < 13; ++i) vm.defineNative(p, html[i], htmlFn, i == 0 || i == 5 || i == 6 || i == 8 ? 1 : 0, i);
}

}  // namespace quillo::jscript
