// JSON.stringify: appends into one growing buffer. Array elements are read by index and
// plain objects through their own keys; toJSON and the replacer are the only script that
// can run, and the values that must outlive such a call are held.

#include <algorithm>
#include <array>
#include <cmath>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/Json.h"
#include "scripting/jscript/NumberConv.h"
#include "scripting/jscript/Payload.h"

namespace quillo::jscript {

namespace {

void appendEscaped(std::u16string& out, char16_t c) {
    switch (c) {
        case '"': out += u"\\\""; return;
        case '\\': out += u"\\\\"; return;
        case '\b': out += u"\\b"; return;
        case '\f': out += u"\\f"; return;
        case '\n': out += u"\\n"; return;
        case '\r': out += u"\\r"; return;
        case '\t': out += u"\\t"; return;
        default: {
            const char* hex = "0123456789abcdef";
            out += u"\\u00";
            out += static_cast<char16_t>(hex[c >> 4]);
            out += static_cast<char16_t>(hex[c & 15]);
        }
    }
}

// Copies runs that need no escape in one append.
void quote(std::u16string& out, std::u16string_view s) {
    out += u'"';
    size_t run = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s.substr(run, i - run));
        appendEscaped(out, c);
        run = i + 1;
    }
    out.append(s.substr(run));
    out += u'"';
}

// A number with one decimal place (a price, a half) and under 2^31 in tenths, written
// directly: its shortest form is the tenths' digits with the point put back. False for
// any other number, whole ones included.
bool appendTenths(std::u16string& out, double d) {
    double t = d * 10;
    if (!(std::fabs(t) < 2147483647.0) || t != std::trunc(t)) return false;
    auto n = static_cast<int64_t>(t);
    if (n % 10 == 0 || static_cast<double>(n) / 10 != d) return false;
    if (n < 0) {
        out += u'-';
        n = -n;
    }
    appendNumber(out, static_cast<double>(n / 10));
    out += u'.';
    out += static_cast<char16_t>(u'0' + n % 10);
    return true;
}

// The name a value has in its holder: a property key, or an array index whose string
// form is made only when toJSON or the replacer asks for it.
struct Key {
    JsString* name;
    uint32_t index;
};

class Stringifier {
public:
    Stringifier(Vm& vm, Value replacer, std::u16string gap) : vm_(vm), roots_(vm.heap()), gap_(std::move(gap)) {
        roots_.hold(keys_);
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

    // Appends `v`, the value of `key` in `holder` (which the caller holds). False, with
    // nothing appended, when the value is not representable (undefined, functions).
    bool write(Value v, Key key, Object* holder) {
        if (out_.capacity() - out_.size() < kSlack) grow();
        if (!v.isObject() && fn_.isUndefined()) return writePrimitive(v);  // nothing to hold or call
        RootScope roots(vm_.heap());
        v = transform(roots, v, key, holder);
        if (!v.isObject()) return writePrimitive(v);
        ObjClass c = v.obj->cls;
        if (c == ObjClass::Number) return writePrimitive(Value::number(vm_.toNumber(v)));
        if (c == ObjClass::String) return writePrimitive(Value::string(vm_.toString(v)));
        if (c == ObjClass::Boolean) return writePrimitive(v.obj->internal);
        if (v.obj->isCallable || c == ObjClass::Host) return false;
        roots.hold(v);
        if (c == ObjClass::Array) array(v.obj);
        else object(v.obj);
        return true;
    }

    // The text, with at most twice the room it needs.
    std::u16string& text() {
        if (out_.capacity() > 2 * out_.size()) out_.shrink_to_fit();
        return out_;
    }

private:
    static constexpr size_t kSlack = 256;
    // Grows by four times rather than two up to 8M characters: each growth copies the text
    // so far into new pages, and fewer growths touch fewer of them. A large new buffer
    // gets its pages in one call before the copy.
    void grow() {
        size_t cap = out_.capacity();
        size_t want = cap < kSlack ? 4 * kSlack : cap < (size_t{1} << 23) ? 4 * cap : 2 * cap;
        if (want * sizeof(char16_t) < payload::kPrefaultBytes) {
            out_.reserve(want);
            return;
        }
        std::u16string next;
        next.reserve(want);
        payload::prefault(next.data(), next.capacity() * sizeof(char16_t));
        next.append(out_);
        out_.swap(next);
    }
    bool writePrimitive(Value v) {
        switch (v.tag) {
            case Tag::Null: out_ += u"null"; return true;
            case Tag::Boolean: out_ += v.boolean ? u"true" : u"false"; return true;
            case Tag::String: quote(out_, v.str->view()); return true;
            case Tag::Number:
                if (!std::isfinite(v.num)) out_ += u"null";
                else if (!appendTenths(out_, v.num)) appendNumber(out_, v.num);
                return true;
            default:
                return false;
        }
    }
    JsString* nameOf(RootScope& roots, Key key) {
        JsString* k = key.name ? key.name : vm_.intern(numberToString(key.index));
        roots.hold(Value::string(k));
        return k;
    }
    // toJSON, then the replacer.
    Value transform(RootScope& roots, Value v, Key key, Object* holder) {
        if (v.isObject()) {
            Value toJson = toJsonOf(v.obj);
            if (vm_.isCallable(toJson)) {
                roots.hold(v);
                Value k = Value::string(nameOf(roots, key));
                noToJson_ = {};  // script runs: it may give any prototype a toJSON
                v = roots.hold(vm_.callback(toJson, v, std::span<Value>(&k, 1)));
            }
        }
        if (!fn_.isUndefined()) {
            roots.hold(v);
            noToJson_ = {};
            Value a[2] = {Value::string(nameOf(roots, key)), v};
            v = roots.hold(vm_.callback(fn_, Value::object(holder), a));
        }
        return v;
    }
    // The toJSON member of `o`. A plain object or array without its own inherits the
    // answer of a prototype seen before, while no script has run since.
    Value toJsonOf(Object* o) {
        JsString* name = vm_.names().toJSON;
        bool plain = (o->cls == ObjClass::Object || o->cls == ObjClass::Array) && o->proto && o->props.find(name) < 0;
        if (plain && (noToJson_[0] == o->proto || noToJson_[1] == o->proto)) return Value();
        Value f = vm_.get(o, name);
        if (plain && !vm_.isCallable(f)) {
            noToJson_[1] = noToJson_[0];
            noToJson_[0] = o->proto;
        }
        return f;
    }
    // The value of `k`, one of the keys pushKeys took: read from the map itself for a
    // plain object, whose own properties are plain values.
    Value memberOf(Object* o, JsString* k) {
        if (o->cls == ObjClass::Object) {
            int at = o->props.find(k);
            if (at >= 0) return o->props.at(at).value;
        }
        return vm_.get(o, k);
    }
    void enter(Object* o) {
        for (Object* s : stack_)
            if (s == o) vm_.throwError(5034);
        if (nativeStackLow()) vm_.throwError(28);
        stack_.push_back(o);
        indent_ += gap_;
    }
    void leave() {
        stack_.pop_back();
        indent_.resize(indent_.size() - gap_.size());
    }
    void newline(size_t depthIndent) {
        out_ += u'\n';
        out_.append(indent_, 0, depthIndent);
    }
    // The keys of `o` onto keys_, held there while script may run.
    void pushKeys(Object* o) {
        if (haveList_) {
            for (JsString* k : list_) keys_.push_back(Value::string(k));
        } else if (o->cls == ObjClass::Object) {
            for (size_t i = 0; i < o->props.size(); ++i)
                if (!(o->props.at(i).attrs & DontEnum)) keys_.push_back(Value::string(o->props.at(i).key));
        } else {
            for (Value& k : vm_.ownEnumerableKeys(o)) keys_.push_back(Value::string(vm_.intern(k.str->view())));
        }
    }
    void object(Object* o) {
        enter(o);
        size_t base = keys_.size();
        pushKeys(o);
        bool any = false;
        out_ += u'{';
        for (size_t i = base; i < keys_.size(); ++i) {
            JsString* k = keys_[i].str;
            size_t mark = out_.size();
            if (any) out_ += u',';
            if (!gap_.empty()) newline(indent_.size());
            quote(out_, k->view());
            out_ += gap_.empty() ? u":" : u": ";
            if (write(memberOf(o, k), Key{k, 0}, o)) any = true;
            else out_.resize(mark);
        }
        keys_.resize(base);
        if (any && !gap_.empty()) newline(indent_.size() - gap_.size());
        out_ += u'}';
        leave();
    }
    void array(Object* o) {
        enter(o);
        uint32_t n = vm_.lengthOf(o);
        out_ += u'[';
        for (uint32_t i = 0; i < n; ++i) {
            if (i) out_ += u',';
            if (!gap_.empty()) newline(indent_.size());
            if (!write(vm_.getIndex(o, i), Key{nullptr, i}, o)) out_ += u"null";
        }
        if (n && !gap_.empty()) newline(indent_.size() - gap_.size());
        out_ += u']';
        leave();
    }

    Vm& vm_;
    RootScope roots_;  // the replacer's key list and keys_
    std::u16string gap_;
    std::u16string indent_;  // gap_ once per open object or array
    std::u16string out_;
    Value fn_;
    bool haveList_ = false;
    std::vector<JsString*> list_;
    std::vector<Value> keys_;  // keys of the objects being written, innermost last
    std::vector<Object*> stack_;
    std::array<Object*, 2> noToJson_ = {};  // prototypes whose chains have no callable toJSON
};

}  // namespace

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
    Value v = arg(args, 0);
    vm.put(root, empty, v);
    if (!s.write(v, Key{empty, 0}, root)) return Value();
    return vm.strv(std::move(s.text()));
}

}  // namespace quillo::jscript
