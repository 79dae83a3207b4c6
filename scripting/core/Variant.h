#pragma once
// The automation value: 16 bytes, a type tag and an 8-byte payload. Strings are
// shared immutable UTF-16 buffers, so copying a string value is a count increment.

#include "scripting/core/Dispatch.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quillo::script {

// VBScript's VarType numbers.
enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Variant = 12,
    DataObject = 13,
    Decimal = 14,
    Byte = 17,
    Array = 8192,         // flag: array of the type in the low bits
    ByRef = 16384,        // flag: reference to another Variant
    VariantArray = 8204,  // Array | Variant, the only array VBScript builds
};

constexpr int32_t kParamNotFound = int32_t(0x80020004); // Error value of an omitted argument

class SafeArray;

// Shared string buffer. Immutable while shared (count > 1).
struct StringData {
    uint32_t refs = 1;
    // Odd byte lengths (VBScript's ChrB, LeftB, ...): the last byte, kept beside the
    // whole characters in `text`; -1 for none.
    int16_t oddByte = -1;
    std::u16string text;
};

class Variant {
public:
    Variant() noexcept : type_(VarType::Empty) { u_.i64 = 0; }
    Variant(const Variant& o) noexcept : type_(o.type_), u_(o.u_) { retain(); }
    Variant(Variant&& o) noexcept : type_(o.type_), u_(o.u_) { o.type_ = VarType::Empty; }
    Variant& operator=(const Variant& o) noexcept
    {
        Variant tmp(o);
        swap(tmp);
        return *this;
    }
    Variant& operator=(Variant&& o) noexcept
    {
        Variant tmp(std::move(o));
        swap(tmp);
        return *this;
    }
    ~Variant() { releasePayload(); }

    void swap(Variant& o) noexcept
    {
        std::swap(type_, o.type_);
        std::swap(u_, o.u_);
    }
    void clear() noexcept
    {
        releasePayload();
        type_ = VarType::Empty;
        u_.i64 = 0;
    }

    // Factories, one per type.
    static Variant empty() { return Variant(); }
    static Variant null() { return raw(VarType::Null, 0); }
    static Variant fromInteger(int16_t v) { Variant r(VarType::Integer); r.u_.i16 = v; return r; }
    static Variant fromLong(int32_t v) { Variant r(VarType::Long); r.u_.i32 = v; return r; }
    static Variant fromSingle(float v) { Variant r(VarType::Single); r.u_.f32 = v; return r; }
    static Variant fromDouble(double v) { Variant r(VarType::Double); r.u_.f64 = v; return r; }
    // `scaled` is the value times 10000.
    static Variant fromCurrency(int64_t scaled) { return raw(VarType::Currency, scaled); }
    // OLE date: days since 1899-12-30.
    static Variant fromDate(double ole) { Variant r(VarType::Date); r.u_.f64 = ole; return r; }
    static Variant fromBool(bool v) { Variant r(VarType::Boolean); r.u_.b = v; return r; }
    static Variant fromByte(uint8_t v) { Variant r(VarType::Byte); r.u_.u8 = v; return r; }
    static Variant fromError(int32_t scode) { Variant r(VarType::Error); r.u_.i32 = scode; return r; }
    // The value of an omitted optional argument.
    static Variant missing() { return fromError(kParamNotFound); }
    static Variant fromString(std::u16string text)
    {
        Variant r(VarType::String);
        r.u_.str = new StringData{1, -1, std::move(text)};
        return r;
    }
    // `text` and then one more byte (0-255), or none when `oddByte` is -1.
    static Variant fromBytes(std::u16string text, int oddByte)
    {
        Variant r = fromString(std::move(text));
        r.u_.str->oddByte = int16_t(oddByte);
        return r;
    }
    static Variant fromString(std::u16string_view text) { return fromString(std::u16string(text)); }
    static Variant fromString(const char16_t* text) { return fromString(std::u16string(text)); }
    static Variant fromObject(DispatchPtr obj)
    {
        Variant r(VarType::Object);
        r.u_.obj = obj.detach();
        return r;
    }
    static Variant nothing() { return fromObject(nullptr); }
    // An array value (VarType Array | Variant); takes a reference.
    static Variant fromArray(SafeArray* array);
    // A reference to `target`, which must outlive this value.
    static Variant byRef(Variant* target)
    {
        Variant r(VarType::ByRef);
        r.u_.ref = target;
        return r;
    }

    // The tag as stored: a by-reference value reports ByRef, an array VariantArray.
    VarType type() const noexcept { return type_; }
    // The type of the value after following references.
    VarType valueType() const noexcept { return deref().type_; }

    bool isEmpty() const noexcept { return type_ == VarType::Empty; }
    bool isNull() const noexcept { return type_ == VarType::Null; }
    bool isString() const noexcept { return type_ == VarType::String; }
    bool isObject() const noexcept { return type_ == VarType::Object; }
    bool isNothing() const noexcept { return type_ == VarType::Object && !u_.obj; }
    bool isArray() const noexcept { return type_ == VarType::VariantArray; }
    bool isByRef() const noexcept { return type_ == VarType::ByRef; }
    bool isMissing() const noexcept { return type_ == VarType::Error && u_.i32 == kParamNotFound; }
    // Integer, Long, Single, Double, Currency, Byte (not Boolean, Date, String).
    bool isNumberType() const noexcept;

    // Raw accessors: the caller has checked type().
    int16_t asInteger() const noexcept { return u_.i16; }
    int32_t asLong() const noexcept { return u_.i32; }
    float asSingle() const noexcept { return u_.f32; }
    double asDouble() const noexcept { return u_.f64; }
    int64_t asCurrency() const noexcept { return u_.i64; }
    double asDate() const noexcept { return u_.f64; }
    bool asBool() const noexcept { return u_.b; }
    uint8_t asByte() const noexcept { return u_.u8; }
    int32_t asError() const noexcept { return u_.i32; }
    const std::u16string& asString() const noexcept { return u_.str->text; }
    int stringOddByte() const noexcept { return u_.str->oddByte; } // -1 for none
    Dispatch* asObject() const noexcept { return u_.obj; }
    DispatchPtr objectRef() const noexcept { return DispatchPtr(u_.obj); }
    SafeArray* asArray() const noexcept { return u_.arr; }
    Variant* refTarget() const noexcept { return u_.ref; }

    // Follows by-reference links to the value itself.
    const Variant& deref() const noexcept
    {
        const Variant* v = this;
        while (v->type_ == VarType::ByRef)
            v = v->u_.ref;
        return *v;
    }
    Variant& deref() noexcept
    {
        Variant* v = this;
        while (v->type_ == VarType::ByRef)
            v = v->u_.ref;
        return *v;
    }

    // The string buffer for appending in place when this value holds the only
    // reference to it; null otherwise (the caller then builds a new string).
    std::u16string* uniqueString() noexcept
    {
        return type_ == VarType::String && u_.str->refs == 1 && u_.str->oddByte < 0 ? &u_.str->text : nullptr;
    }

private:
    explicit Variant(VarType t) noexcept : type_(t) { u_.i64 = 0; }
    static Variant raw(VarType t, int64_t bits)
    {
        Variant r(t);
        r.u_.i64 = bits;
        return r;
    }

    void retain() noexcept
    {
        switch (type_) {
        case VarType::String: ++u_.str->refs; break;
        case VarType::Object: if (u_.obj) u_.obj->addRef(); break;
        case VarType::VariantArray: retainArray(u_.arr); break;
        default: break;
        }
    }
    void releasePayload() noexcept
    {
        switch (type_) {
        case VarType::String:
            if (--u_.str->refs == 0)
                delete u_.str;
            break;
        case VarType::Object: if (u_.obj) u_.obj->release(); break;
        case VarType::VariantArray: releaseArray(u_.arr); break;
        default: break;
        }
    }
    static void retainArray(SafeArray* a) noexcept;
    static void releaseArray(SafeArray* a) noexcept;

    VarType type_;
    union Payload {
        int16_t i16;
        int32_t i32;
        float f32;
        double f64;
        int64_t i64;
        bool b;
        uint8_t u8;
        StringData* str;
        Dispatch* obj;
        SafeArray* arr;
        Variant* ref;
    } u_;
};

static_assert(sizeof(Variant) == 16);

inline bool Variant::isNumberType() const noexcept
{
    switch (type_) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte: return true;
    default: return false;
    }
}

} // namespace quillo::script
