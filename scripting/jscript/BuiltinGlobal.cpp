// Global functions and values: eval, parseInt, parseFloat, isNaN, isFinite, escape,
// unescape, the URI coders, ScriptEngine*, CollectGarbage.

#include <cmath>

#include "scripting/jscript/Builtins.h"
#include "scripting/jscript/Lexer.h"
#include "scripting/jscript/NumberConv.h"

namespace quillo::jscript {

namespace {

Value globalEval(Vm& vm, Value, std::span<Value> args, Object*) {
    Value src = arg(args, 0);
    if (!src.isString()) return src;
    return vm.evalCode(src.str->str(), nullptr, Value(), false);
}

int digitValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

Value parseIntFn(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string s = vm.toStdString(arg(args, 0));
    size_t i = 0;
    while (i < s.size() && (isJsSpace(s[i]) || isLineTerminator(s[i]))) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    int radix = args.size() > 1 ? vm.toInt32(args[1]) : 0;
    if (radix != 0 && (radix < 2 || radix > 36)) return Value::number(std::nan(""));
    bool hexPrefix = i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X');
    if ((radix == 0 || radix == 16) && hexPrefix) {
        i += 2;
        radix = 16;
    } else if (radix == 0) {
        // This dialect reads a leading zero as octal.
        radix = (i < s.size() && s[i] == '0') ? 8 : 10;
    }
    size_t start = i;
    double v = 0;
    while (i < s.size() && digitValue(s[i]) < radix) {
        v = v * radix + digitValue(s[i]);
        ++i;
    }
    if (i == start) return Value::number(std::nan(""));
    if (radix == 10 && i - start > 15) {
        std::string digits(s.begin() + static_cast<long>(start), s.begin() + static_cast<long>(i));
        v = std::strtod(digits.c_str(), nullptr);
    }
    return Value::number(neg ? -v : v);
}

Value parseFloatFn(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string s = vm.toStdString(arg(args, 0));
    size_t i = 0;
    while (i < s.size() && (isJsSpace(s[i]) || isLineTerminator(s[i]))) ++i;
    size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (s.compare(i, 8, u"Infinity") == 0) return Value::number(s[start] == '-' ? -INFINITY : INFINITY);
    std::string num(s.begin() + static_cast<long>(start), s.begin() + static_cast<long>(i));
    bool digits = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { num += static_cast<char>(s[i++]); digits = true; }
    if (i < s.size() && s[i] == '.') {
        num += '.';
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { num += static_cast<char>(s[i++]); digits = true; }
    }
    if (!digits) return Value::number(std::nan(""));
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string e = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) e += static_cast<char>(s[j++]);
        bool ed = false;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { e += static_cast<char>(s[j++]); ed = true; }
        if (ed) num += e;
    }
    return Value::number(std::strtod(num.c_str(), nullptr));
}

Value isNaNFn(Vm& vm, Value, std::span<Value> args, Object*) { return Value::boolean_(std::isnan(vm.toNumber(arg(args, 0)))); }
Value isFiniteFn(Vm& vm, Value, std::span<Value> args, Object*) { return Value::boolean_(std::isfinite(vm.toNumber(arg(args, 0)))); }

const char* kHex = "0123456789ABCDEF";

Value escapeFn(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string s = vm.toStdString(arg(args, 0));
    std::u16string out;
    for (char16_t c : s) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '@' || c == '*' || c == '_' || c == '+' || c == '-' || c == '.' || c == '/') {
            out += c;
        } else if (c < 256) {
            out += u'%';
            out += static_cast<char16_t>(kHex[c >> 4]);
            out += static_cast<char16_t>(kHex[c & 15]);
        } else {
            out += u"%u";
            for (int sh = 12; sh >= 0; sh -= 4) out += static_cast<char16_t>(kHex[(c >> sh) & 15]);
        }
    }
    return vm.strv(out);
}

int hexv(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Value unescapeFn(Vm& vm, Value, std::span<Value> args, Object*) {
    std::u16string s = vm.toStdString(arg(args, 0));
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            if (i + 5 < s.size() + 0 && s[i + 1] == 'u' && hexv(s[i + 2]) >= 0 && hexv(s[i + 3]) >= 0 && hexv(s[i + 4]) >= 0 && hexv(s[i + 5]) >= 0) {
                out += static_cast<char16_t>((hexv(s[i + 2]) << 12) | (hexv(s[i + 3]) << 8) | (hexv(s[i + 4]) << 4) | hexv(s[i + 5]));
                i += 5;
                continue;
            }
            if (i + 2 < s.size() && hexv(s[i + 1]) >= 0 && hexv(s[i + 2]) >= 0) {
                out += static_cast<char16_t>((hexv(s[i + 1]) << 4) | hexv(s[i + 2]));
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return vm.strv(out);
}

bool inSet(char16_t c, const char* set) {
    for (const char* p = set; *p; ++p)
        if (c == static_cast<unsigned char>(*p)) return true;
    return false;
}

const char* kUnreservedMarks = "-_.!~*'()";
const char* kReserved = ";/?:@&=+$,#";

std::u16string encode(Vm& vm, const std::u16string& s, bool component) {
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || inSet(c, kUnreservedMarks) ||
            (!component && inSet(c, kReserved))) {
            out += c;
            continue;
        }
        uint32_t cp = c;
        if (c >= 0xDC00 && c <= 0xDFFF) vm.throwError(5024);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) vm.throwError(5024);
            cp = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        unsigned char bytes[4];
        int n;
        if (cp < 0x80) { bytes[0] = static_cast<unsigned char>(cp); n = 1; }
        else if (cp < 0x800) { bytes[0] = 0xC0 | (cp >> 6); bytes[1] = 0x80 | (cp & 63); n = 2; }
        else if (cp < 0x10000) { bytes[0] = 0xE0 | (cp >> 12); bytes[1] = 0x80 | ((cp >> 6) & 63); bytes[2] = 0x80 | (cp & 63); n = 3; }
        else { bytes[0] = 0xF0 | (cp >> 18); bytes[1] = 0x80 | ((cp >> 12) & 63); bytes[2] = 0x80 | ((cp >> 6) & 63); bytes[3] = 0x80 | (cp & 63); n = 4; }
        for (int k = 0; k < n; ++k) {
            out += u'%';
            out += static_cast<char16_t>(kHex[bytes[k] >> 4]);
            out += static_cast<char16_t>(kHex[bytes[k] & 15]);
        }
    }
    return out;
}

std::u16string decode(Vm& vm, const std::u16string& s, bool component) {
    std::u16string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        auto byteAt = [&](size_t k) -> int {
            if (k + 2 >= s.size()) vm.throwError(5025);
            int h = hexv(s[k + 1]), l = hexv(s[k + 2]);
            if (h < 0 || l < 0) vm.throwError(5025);
            return (h << 4) | l;
        };
        size_t start = i;
        int b = byteAt(i);
        i += 2;
        if (b < 0x80) {
            char16_t c = static_cast<char16_t>(b);
            if (!component && inSet(c, kReserved)) out += s.substr(start, 3);
            else out += c;
            continue;
        }
        int n;
        uint32_t cp;
        if ((b & 0xE0) == 0xC0) { n = 1; cp = b & 0x1F; }
        else if ((b & 0xF0) == 0xE0) { n = 2; cp = b & 0x0F; }
        else if ((b & 0xF8) == 0xF0) { n = 3; cp = b & 0x07; }
        else vm.throwError(5025);
        for (int k = 0; k < n; ++k) {
            if (i + 1 >= s.size() || s[i + 1] != '%') vm.throwError(5025);
            int c = byteAt(i + 1);
            if ((c & 0xC0) != 0x80) vm.throwError(5025);
            cp = (cp << 6) | (c & 0x3F);
            i += 3;
        }
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            vm.throwError(5025);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

Value uriFn(Vm& vm, Value, std::span<Value> args, Object* callee) {
    std::u16string s = vm.toStdString(arg(args, 0));
    switch (static_cast<FunctionObject*>(callee)->magic) {
        case 0: return vm.strv(encode(vm, s, false));
        case 1: return vm.strv(encode(vm, s, true));
        case 2: return vm.strv(decode(vm, s, false));
        default: return vm.strv(decode(vm, s, true));
    }
}

Value scriptEngineFn(Vm& vm, Value, std::span<Value>, Object* callee) {
    switch (static_cast<FunctionObject*>(callee)->magic) {
        case 0: return vm.strv(u"JScript");
        case 1: return Value::number(5);
        case 2: return Value::number(8);
        default: return Value::number(16982);
    }
}

Value collectGarbageFn(Vm&, Value, std::span<Value>, Object*) { return Value(); }

}  // namespace

void installGlobalBuiltins(Vm& vm) {
    Object* g = vm.global;
    vm.evalFunction = vm.defineNative(g, u"eval", globalEval, 1);
    vm.defineNative(g, u"parseInt", parseIntFn, 2);
    vm.defineNative(g, u"parseFloat", parseFloatFn, 1);
    vm.defineNative(g, u"isNaN", isNaNFn, 1);
    vm.defineNative(g, u"isFinite", isFiniteFn, 1);
    vm.defineNative(g, u"escape", escapeFn, 1);
    vm.defineNative(g, u"unescape", unescapeFn, 1);
    vm.defineNative(g, u"encodeURI", uriFn, 1, 0);
    vm.defineNative(g, u"encodeURIComponent", uriFn, 1, 1);
    vm.defineNative(g, u"decodeURI", uriFn, 1, 2);
    vm.defineNative(g, u"decodeURIComponent", uriFn, 1, 3);
    vm.defineNative(g, u"ScriptEngine", scriptEngineFn, 0, 0);
    vm.defineNative(g, u"ScriptEngineMajorVersion", scriptEngineFn, 0, 1);
    vm.defineNative(g, u"ScriptEngineMinorVersion", scriptEngineFn, 0, 2);
    vm.defineNative(g, u"ScriptEngineBuildVersion", scriptEngineFn, 0, 3);
    vm.defineNative(g, u"CollectGarbage", collectGarbageFn, 0);
    vm.defineValue(g, u"NaN", Value::number(std::nan("")), DontEnum | DontDelete | ReadOnly);
    vm.defineValue(g, u"Infinity", Value::number(INFINITY), DontEnum | DontDelete | ReadOnly);
    vm.defineValue(g, u"undefined", Value(), DontEnum | DontDelete | ReadOnly);
}

}  // namespace quillo::jscript
