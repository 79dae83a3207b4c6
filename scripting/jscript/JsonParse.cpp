// JSON.parse: a recursive descent over the UTF-16 text that builds objects and arrays
// directly (no generic put), then the reviver walk.

#include <string>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/Json.h"

namespace quillo::jscript {

namespace {

// Parsing runs no script, so nothing is collected before the result is returned and
// the values below need no rooting.
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
        space();
        if (i_ >= s_.size()) fail();
        char16_t c = s_[i_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') return Value::string(stringValue());
        if (c == '-' || (c >= '0' && c <= '9')) return number();
        if (word(u"true")) return Value::boolean_(true);
        if (word(u"false")) return Value::boolean_(false);
        if (word(u"null")) return Value::null();
        fail();
    }
    bool digitAt(size_t k) const { return k < s_.size() && s_[k] >= '0' && s_[k] <= '9'; }
    Value number() {
        size_t st = i_;
        bool negative = s_[i_] == '-';
        if (negative) ++i_;
        if (i_ >= s_.size()) fail();
        if (s_[i_] == '0') ++i_;
        else if (s_[i_] >= '1' && s_[i_] <= '9') while (digitAt(i_)) ++i_;
        else fail();
        bool whole = true;
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (!digitAt(i_)) fail();
            while (digitAt(i_)) ++i_;
            whole = false;
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (!digitAt(i_)) fail();
            while (digitAt(i_)) ++i_;
            whole = false;
        }
        size_t digits = i_ - st - (negative ? 1 : 0);
        if (whole && digits <= 15 && !(negative && digits == 1 && s_[i_ - 1] == '0')) {
            // A whole number of up to 15 digits is exact in a double: no text conversion.
            double v = 0;
            for (size_t k = i_ - digits; k < i_; ++k) v = v * 10 + (s_[k] - '0');
            return Value::number(negative ? -v : v);
        }
        if (double v; decimal(st + (negative ? 1 : 0), v)) return Value::number(negative ? -v : v);
        std::string a(s_.begin() + static_cast<long>(st), s_.begin() + static_cast<long>(i_));
        return Value::number(std::strtod(a.c_str(), nullptr));
    }
    // Digits with a point and no exponent, up to 15 in all: both the digits as a whole
    // number and the power of ten are exact doubles, so one division rounds correctly.
    bool decimal(size_t from, double& out) const {
        static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        double m = 0;
        int count = 0, scale = -1;
        for (size_t k = from; k < i_; ++k) {
            char16_t c = s_[k];
            if (c == '.') {
                scale = 0;
                continue;
            }
            if (c < '0' || c > '9' || ++count > 15) return false;  // an exponent, or too long
            m = m * 10 + (c - '0');
            if (scale >= 0) ++scale;
        }
        if (scale < 0) return false;
        out = m / kPow10[scale];
        return true;
    }
    // The text of a string literal at i_: a view into the source when it has no escapes
    // (the common case), else the unescaped copy in buf_.
    std::u16string_view string() {
        size_t start = ++i_;
        while (i_ < s_.size()) {
            char16_t c = s_[i_];
            if (c == '"') return s_.substr(start, i_++ - start);
            if (c == '\\' || c < 0x20) break;
            ++i_;
        }
        buf_.assign(s_.substr(start, i_ - start));
        for (;;) {
            if (i_ >= s_.size()) fail();
            char16_t c = s_[i_++];
            if (c == '"') return buf_;
            if (c < 0x20) fail();
            if (c != '\\') { buf_ += c; continue; }
            if (i_ >= s_.size()) fail();
            buf_ += escape(s_[i_++]);
        }
    }
    char16_t escape(char16_t e) {
        switch (e) {
            case '"': return u'"';
            case '\\': return u'\\';
            case '/': return u'/';
            case 'b': return u'\b';
            case 'f': return u'\f';
            case 'n': return u'\n';
            case 'r': return u'\r';
            case 't': return u'\t';
            case 'u': {
                if (i_ + 4 > s_.size()) fail();
                int v = 0;
                for (int k = 0; k < 4; ++k) {
                    char16_t h = s_[i_++];
                    int d = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
                    if (d < 0) fail();
                    v = v * 16 + d;
                }
                return static_cast<char16_t>(v);
            }
            default: fail();
        }
    }
    // Strings of a character or two repeat (flags, codes, letters): one atom each.
    JsString* stringValue() {
        std::u16string_view v = string();
        return v.size() <= 2 ? cached(v) : vm_.str(v);
    }
    // Keys repeat from object to object: a small cache by length and end characters
    // finds the atom without hashing the text.
    JsString* key() { return cached(string()); }
    JsString* cached(std::u16string_view k) {
        size_t slot = k.empty() ? 0 : (k.size() * 31 + k.front() * 7 + k.back()) & (kKeyCache - 1);
        JsString*& cached = keyCache_[slot];
        if (cached && cached->view() == k) return cached;
        cached = vm_.intern(k);
        return cached;
    }
    // Steps past the opening bracket; false when the closing one follows at once.
    // Containers are where the descent recurses, so the native stack is checked here.
    bool opened(char16_t close) {
        if (nativeStackLow()) vm_.throwError(28);
        ++i_;
        space();
        if (i_ < s_.size() && s_[i_] == close) {
            ++i_;
            return false;
        }
        return true;
    }
    // After a member: true past a comma, false past the closing bracket.
    bool more(char16_t close) {
        space();
        if (i_ < s_.size() && s_[i_] == ',') {
            ++i_;
            return true;
        }
        if (i_ < s_.size() && s_[i_] == close) {
            ++i_;
            return false;
        }
        fail();
    }
    // Members gather on the shared stack (key, value, key, value, ...), so the object
    // is made with room for exactly that many properties.
    Value object() {
        size_t base = pending_.size();
        if (!opened('}')) return Value::object(vm_.newObject());
        do {
            space();
            if (i_ >= s_.size() || s_[i_] != '"') fail();
            JsString* k = key();
            space();
            if (i_ >= s_.size() || s_[i_] != ':') fail();
            ++i_;
            Value v = value();
            pending_.push_back(Value::string(k));
            pending_.push_back(v);
        } while (more('}'));
        Object* o = vm_.newObject();
        o->props.reserve(static_cast<uint32_t>((pending_.size() - base) / 2));
        for (size_t m = base; m < pending_.size(); m += 2) {
            JsString* k = pending_[m].str;
            int at = o->props.find(k);
            if (at >= 0) o->props.at(at).value = pending_[m + 1];  // a repeated key: the last one wins
            else o->props.add(k, pending_[m + 1], 0);
        }
        vm_.heap().account(o->props.size() * sizeof(Property));
        pending_.resize(base);
        return Value::object(o);
    }
    // Elements gather on the shared stack, then move into the array's dense part in
    // one step.
    Value array() {
        size_t base = pending_.size();
        if (!opened(']')) return Value::object(vm_.newArray());
        do {
            Value v = value();
            pending_.push_back(v);
        } while (more(']'));
        size_t n = pending_.size() - base;
        ArrayObject* a = vm_.newArray(n);
        a->dense.assign(pending_.begin() + static_cast<long>(base), pending_.end());
        a->maxCreated = static_cast<int64_t>(n) - 1;
        vm_.heap().account(n * sizeof(Value));
        pending_.resize(base);
        return Value::object(a);
    }

    static constexpr size_t kKeyCache = 64;
    Vm& vm_;
    std::u16string_view s_;
    size_t i_ = 0;
    std::u16string buf_;
    JsString* keyCache_[kKeyCache] = {};
    std::vector<Value> pending_;
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

}  // namespace

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

}  // namespace quillo::jscript
