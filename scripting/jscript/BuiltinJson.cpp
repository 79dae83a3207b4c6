// JSON.parse (with reviver) and JSON.stringify (replacer function or list, indentation).

#include <cmath>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript {

namespace {

class JsonParser {
public:
    JsonParser(Vm& vm, std::u16string_view s) : vm_(vm), s_(s) {}
    Value parseAll() {
        Value v = value();
        space();
        if (i_ != s_.size()) fail();
        return v;
    }

private:
    [[noreturn]] void fail() { vm_.throwError(ErrorKind::SyntaxError, 1002); }
    void space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
    }
    bool word(std::u16string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }
    Value value() {
        if (nativeStackLow()) vm_.throwError(28);
        space();
        if (i_ >= s_.size()) fail();
        char16_t c = s_[i_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') return Value::string(vm_.str(string()));
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        if (word(u"true")) return Value::boolean_(true);
        if (word(u"false")) return Value::boolean_(false);
        if (word(u"null")) return Value::null();
        fail();
    }
    Value number() {
        size_t st = i_;
        bool negative = s_[i_] == '-';
        if (negative) ++i_;
        if (i_ >= s_.size()) fail();
        if (s_[i_] == '0') ++i_;
        else if (s_[i_] >= '1' && s_[i_] <= '9') while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        else fail();
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            size_t d = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            if (d == i_) fail();
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            size_t d = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            if (d == i_) fail();
        }
        size_t digits = i_ - st - (negative ? 1 : 0);
        if (digits <= 15 && !(negative && digits == 1 && s_[i_ - 1] == '0')) {
            // A whole number of up to 15 digits is exact in a double: no text conversion.
            bool whole = true;
            double v = 0;
            for (size_t k = i_ - digits; k < i_ && whole; ++k) {
                if (s_[k] < '0' || s_[k] > '9') whole = false;
                else v = v * 10 + (s_[k] - '0');
            }
            if (whole) return Value::number(negative ? -v : v);
        }
        std::string a(s_.begin() + static_cast<long>(st), s_.begin() + static_cast<long>(i_));
        return Value::number(std::strtod(a.c_str(), nullptr));
    }
    std::u16string string() {
        ++i_;
        std::u16string out;
        for (;;) {
            if (i_ >= s_.size()) fail();
            char16_t c = s_[i_++];
            if (c == '"') return out;
            if (c < 0x20) fail();
            if (c != '\\') { out += c; continue; }
            if (i_ >= s_.size()) fail();
            char16_t e = s_[i_++];
            switch (e) {
                case '"': out += u'"'; break;
                case '\\': out += u'\\'; break;
                case '/': out += u'/'; break;
                case 'b': out += u'\b'; break;
                case 'f': out += u'\f'; break;
                case 'n': out += u'\n'; break;
                case 'r': out += u'\r'; break;
                case 't': out += u'\t'; break;
                case 'u': {
                    if (i_ + 4 > s_.size()) fail();
                    int v = 0;
                    for (int k = 0; k < 4; ++k) {
                        char16_t h = s_[i_++];
                        int d = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
                        if (d < 0) fail();
                        v = v * 16 + d;
                    }
                    out += static_cast<char16_t>(v);
                    break;
                }
                default: fail();
            }
        }
    }
    Value object() {
        ++i_;
        Object* o = vm_.newObject();
        space();
        if (i_ < s_.size() && s_[i_] == '}') { ++i_; return Value::object(o); }
        for (;;) {
            space();
            if (i_ >= s_.size() || s_[i_] != '"') fail();
            JsString* k = vm_.intern(string());
            space();
            if (i_ >= s_.size() || s_[i_] != ':') fail();
            ++i_;
            vm_.put(o, k, value());
            space();
            if (i_ < s_.size() && s_[i_] == ',') { ++i_; continue; }
            if (i_ < s_.size() && s_[i_] == '}') { ++i_; return Value::object(o); }
            fail();
        }
    }
    Value array() {
        ++i_;
        ArrayObject* a = vm_.newArray();
        uint32_t n = 0;
        space();
        if (i_ < s_.size() && s_[i_] == ']') { ++i_; return Value::object(a); }
        for (;;) {
            vm_.putIndex(a, n++, value());
            space();
            if (i_ < s_.size() && s_[i_] == ',') { ++i_; continue; }
            if (i_ < s_.size() && s_[i_] == ']') { ++i_; return Value::object(a); }
            fail();
        }
    }
    Vm& vm_;
    std::u16string_view s_;
    size_t i_ = 0;
};

// The reviver may collect: `holder` is held by the caller, the rest here.
Value walk(Vm& vm, Value reviver, Object* holder, JsString* key) {
    RootScope roots(vm.heap());
    roots.hold(Value::string(key));
    Value v = roots.hold(vm.get(holder, key));
    if (v.isObject()) {
        std::vector<Value> keys = vm.ownEnumerableKeys(v.obj);
        roots.hold(keys);
        for (Value& k : keys) {
            JsString* a = roots.hold(Value::string(vm.intern(k.str->view()))).str;
            Value nv = walk(vm, reviver, v.obj, a);
            if (nv.isUndefined()) vm.deleteProp(v.obj, a);
            else vm.put(v.obj, a, nv);
        }
    }
    Value args[2] = {Value::string(key), v};
    return vm.callback(reviver, Value::object(holder), args);
}

Value jsonParse(Vm& vm, Value, std::span<Value> args, Object*) {
    JsString* text = vm.toString(arg(args, 0));
    Value v = JsonParser(vm, text->view()).parseAll();
    Value reviver = arg(args, 1);
    if (vm.isCallable(reviver)) {
        RootScope roots(vm.heap());
        Object* root = roots.hold(Value::object(vm.newObject())).obj;
        JsString* empty = vm.intern(u"");
        vm.put(root, empty, v);
        return walk(vm, reviver, root, empty);
    }
    return v;
}

void quote(std::u16string& out, std::u16string_view s) {
    out += u'"';
    for (char16_t c : s) {
        switch (c) {
            case '"': out += u"\\\""; break;
            case '\\': out += u"\\\\"; break;
            case '\b': out += u"\\b"; break;
            case '\f': out += u"\\f"; break;
            case '\n': out += u"\\n"; break;
            case '\r': out += u"\\r"; break;
            case '\t': out += u"\\t"; break;
            default:
                if (c < 0x20) {
                    const char* hex = "0123456789abcdef";
                    out += u"\\u00";
                    out += static_cast<char16_t>(hex[c >> 4]);
                    out += static_cast<char16_t>(hex[c & 15]);
                } else {
                    out += c;
                }
        }
    }
    out += u'"';
}

class Stringifier {
public:
    Stringifier(Vm& vm, Value replacer, std::u16string gap) : vm_(vm), roots_(vm.heap()), gap_(std::move(gap)) {
        if (vm.isCallable(replacer)) {
            fn_ = replacer;
        } else if (replacer.isObject() && replacer.obj->cls == ObjClass::Array) {
            haveList_ = true;
            for (Value& v : listFromArrayLike(vm, replacer)) {
                JsString* k = nullptr;
                if (v.isString() || v.isNumber()) k = vm.keyAtom(v);
                else if (v.isObject() && (v.obj->cls == ObjClass::String || v.obj->cls == ObjClass::Number)) k = vm.keyAtom(v);
                if (k && std::find(list_.begin(), list_.end(), k) == list_.end()) list_.push_back(roots_.hold(Value::string(k)).str);
            }
        } else if (replacer.isObject()) {
            vm.throwError(5035);
        }
    }
    // False when the value is not representable (undefined, functions). toJSON and the
    // replacer may collect: `holder` is held by the caller, `key` and the values here.
    bool str(std::u16string& out, JsString* key, Object* holder, const std::u16string& indent) {
        RootScope roots(vm_.heap());
        roots.hold(Value::string(key));
        Value v = roots.hold(vm_.get(holder, key));
        if (v.isObject()) {
            Value toJson = vm_.get(v.obj, vm_.names().toJSON);
            if (vm_.isCallable(toJson)) {
                Value k = Value::string(key);
                v = roots.hold(vm_.callback(toJson, v, std::span<Value>(&k, 1)));
            }
        }
        if (!fn_.isUndefined()) {
            Value a[2] = {Value::string(key), v};
            v = roots.hold(vm_.callback(fn_, Value::object(holder), a));
        }
        if (v.isObject()) {
            ObjClass c = v.obj->cls;
            if (c == ObjClass::Number) v = Value::number(vm_.toNumber(v));
            else if (c == ObjClass::String) v = Value::string(vm_.toString(v));
            else if (c == ObjClass::Boolean) v = v.obj->internal;
        }
        switch (v.tag) {
            case Tag::Null: out += u"null"; return true;
            case Tag::Boolean: out += v.boolean ? u"true" : u"false"; return true;
            case Tag::String: quote(out, v.str->view()); return true;
            case Tag::Number:
                if (std::isfinite(v.num)) appendNumber(out, v.num);
                else out += u"null";
                return true;
            case Tag::Object:
                if (v.obj->isCallable) return false;
                if (v.obj->cls == ObjClass::Host) return false;
                if (v.obj->cls == ObjClass::Array) array(out, v.obj, indent);
                else object(out, v.obj, indent);
                return true;
            default:
                return false;
        }
    }

private:
    void enter(Object* o) {
        for (Object* s : stack_)
            if (s == o) vm_.throwError(5034);
        if (nativeStackLow()) vm_.throwError(28);
        stack_.push_back(o);
    }
    void object(std::u16string& out, Object* o, const std::u16string& indent) {
        enter(o);
        std::u16string inner = indent + gap_;
        std::vector<JsString*> keys;
        RootScope roots(vm_.heap());
        if (haveList_) keys = list_;
        else for (Value& k : vm_.ownEnumerableKeys(o)) keys.push_back(roots.hold(Value::string(vm_.intern(k.str->view()))).str);
        bool any = false;
        out += u'{';
        for (JsString* k : keys) {
            std::u16string part;
            if (!str(part, k, o, inner)) continue;
            if (any) out += u',';
            if (!gap_.empty()) out += u"\n" + inner;
            quote(out, k->view());
            out += gap_.empty() ? u":" : u": ";
            out += part;
            any = true;
        }
        if (any && !gap_.empty()) out += u"\n" + indent;
        out += u'}';
        stack_.pop_back();
    }
    void array(std::u16string& out, Object* o, const std::u16string& indent) {
        enter(o);
        std::u16string inner = indent + gap_;
        uint32_t n = vm_.lengthOf(o);
        out += u'[';
        for (uint32_t i = 0; i < n; ++i) {
            if (i) out += u',';
            if (!gap_.empty()) out += u"\n" + inner;
            if (!str(out, vm_.intern(numberToString(i)), o, inner)) out += u"null";
        }
        if (n && !gap_.empty()) out += u"\n" + indent;
        out += u']';
        stack_.pop_back();
    }
    Vm& vm_;
    RootScope roots_;  // the replacer's key list
    std::u16string gap_;
    Value fn_;
    bool haveList_ = false;
    std::vector<JsString*> list_;
    std::vector<Object*> stack_;
};

Value jsonStringify(Vm& vm, Value, std::span<Value> args, Object*) {
    Value space = arg(args, 2);
    if (space.isObject() && space.obj->cls == ObjClass::Number) space = Value::number(vm.toNumber(space));
    if (space.isObject() && space.obj->cls == ObjClass::String) space = Value::string(vm.toString(space));
    std::u16string gap;
    if (space.isNumber()) {
        double n = std::min(10.0, vm.toInteger(space));
        if (n >= 1) gap.assign(static_cast<size_t>(n), u' ');
    } else if (space.isString()) {
        gap = space.str->str().substr(0, 10);
    }
    RootScope roots(vm.heap());
    Stringifier s(vm, arg(args, 1), gap);
    Object* root = roots.hold(Value::object(vm.newObject())).obj;
    JsString* empty = vm.intern(u"");
    vm.put(root, empty, arg(args, 0));
    std::u16string out;
    if (!s.str(out, empty, root, u"")) return Value();
    return vm.strv(out);
}

}  // namespace

void installJsonBuiltins(Vm& vm) {
    Object* j = vm.heap().make<Object>(ObjClass::Json, vm.objectProto);
    vm.defineValue(vm.global, u"JSON", Value::object(j));
    vm.defineNative(j, u"parse", jsonParse, 2);
    vm.defineNative(j, u"stringify", jsonStringify, 3);
}

}  // namespace quillo::jscript
