#pragma once
// The engine's value: a 16-byte tagged union. Numbers and booleans never allocate;
// strings and objects point at collector-owned cells.

#include <cstdint>

namespace quillo::jscript {

struct JsString;
struct Object;

enum class Tag : uint8_t { Undefined, Null, Boolean, Number, String, Object, Hole };

struct Value {
    Tag tag = Tag::Undefined;
    union {
        double num;
        bool boolean;
        JsString* str;
        Object* obj;
    };

    Value() : num(0) {}
    static Value undefined() { return Value(); }
    static Value null() { Value v; v.tag = Tag::Null; return v; }
    static Value hole() { Value v; v.tag = Tag::Hole; return v; }
    static Value boolean_(bool b) { Value v; v.tag = Tag::Boolean; v.boolean = b; return v; }
    static Value number(double d) { Value v; v.tag = Tag::Number; v.num = d; return v; }
    static Value string(JsString* s) { Value v; v.tag = Tag::String; v.str = s; return v; }
    static Value object(Object* o) { Value v; v.tag = Tag::Object; v.obj = o; return v; }

    bool isUndefined() const { return tag == Tag::Undefined; }
    bool isNull() const { return tag == Tag::Null; }
    bool isNullish() const { return tag == Tag::Undefined || tag == Tag::Null; }
    bool isBool() const { return tag == Tag::Boolean; }
    bool isNumber() const { return tag == Tag::Number; }
    bool isString() const { return tag == Tag::String; }
    bool isObject() const { return tag == Tag::Object; }
    bool isHole() const { return tag == Tag::Hole; }
};

inline Value numberValue(double d) { return Value::number(d); }
inline Value boolValue(bool b) { return Value::boolean_(b); }

}  // namespace quillo::jscript
