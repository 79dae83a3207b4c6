#pragma once
// The engine's value: a 16-byte tagged union. Numbers and booleans never allocate;
// strings and objects point at collector-owned cells.

#include <cstdint>
#include <cstddef>
#include <cstring>

namespace quillo::jscript {

struct JsString;
struct Object;

enum class Tag : uint8_t { Undefined, Null, Boolean, Number, String, Object, Hole };

// Whole numbers carry a shadow in what would be padding: a Number whose value is an int32
// (never -0) may also hold it in i32, with isInt set. num is always valid, so any code may
// read it; the run loop's integer paths use i32 when the flag is set, keeping doubles off
// their dependency chains. Writing a number in place goes through setNumber / setInt.
struct Value {
    // The tag, the flag and the shadow also form one word, so that a value held in
    // registers is two words, not four fields to reassemble.
    union {
        struct {
            Tag tag;
            bool isInt;  // tag is Number and i32 == num
            int32_t i32;
        };
        uint64_t head;
    };
    union {
        double num;
        bool boolean;
        JsString* str;
        Object* obj;
    };

    Value() : head(0), num(0) {}
    static Value undefined() { return Value(); }
    static Value null() { Value v; v.tag = Tag::Null; return v; }
    static Value hole() { Value v; v.tag = Tag::Hole; return v; }
    static Value boolean_(bool b) { Value v; v.tag = Tag::Boolean; v.boolean = b; return v; }
    static Value number(double d) { Value v; v.tag = Tag::Number; v.num = d; return v; }
    static Value int32(int32_t i) { Value v; v.setInt(i); return v; }
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
    // A Number with its int32 shadow set: tag and flag tested as one 16-bit word.
    bool isInt32() const {
        uint16_t w;
        std::memcpy(&w, this, sizeof w);
        return w == kInt32Word;
    }

    void setNumber(double d) { head = static_cast<uint64_t>(Tag::Number); num = d; }
    // Field by field: a reader of i32 then waits on no shift and merge.
    void setInt(int32_t i) {
        tag = Tag::Number;
        isInt = true;
        i32 = i;
        num = i;
    }

    static constexpr uint16_t kInt32Word = static_cast<uint16_t>(Tag::Number) | (1u << 8);
};
static_assert(sizeof(Value) == 16 && offsetof(Value, isInt) == 1 && offsetof(Value, i32) == 4, "the head word's layout");

inline Value numberValue(double d) { return Value::number(d); }
inline Value uint32Value(uint32_t u) {
    return u <= INT32_MAX ? Value::int32(static_cast<int32_t>(u)) : Value::number(u);
}
inline Value boolValue(bool b) { return Value::boolean_(b); }

}  // namespace quillo::jscript
