#include "scripting/objects/DictionaryKey.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <bit>
#include <cmath>

namespace quillo::script::objects {

namespace {

// Key kinds: every numeric subtype shares Number.
enum class Kind : uint8_t { Empty, Null, Number, Date, Boolean, String, Object, Error };

Kind kindOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty: return Kind::Empty;
    case VarType::Null: return Kind::Null;
    case VarType::Date: return Kind::Date;
    case VarType::Boolean: return Kind::Boolean;
    case VarType::String: return Kind::String;
    case VarType::Object: return Kind::Object;
    case VarType::Error: return Kind::Error;
    case VarType::VariantArray: throw ScriptError::runtime(err::InvalidCall);
    default:
        if (v.isNumberType())
            return Kind::Number;
        throw ScriptError::runtime(err::InvalidCall);
    }
}

double numberOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    case VarType::Single: return v.asSingle();
    case VarType::Byte: return v.asByte();
    case VarType::Currency: return double(v.asCurrency()) / 10000.0;
    default: return v.asDouble();
    }
}

// Finaliser of MurmurHash3: spreads every input bit over the whole word, so the
// table can take the low bits as the slot.
uint64_t mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

uint64_t hashDouble(double d)
{
    if (d == 0)
        return 0; // 0 and -0 are one key
    if (std::isnan(d))
        return 0x7FF8000000000000ULL; // every NaN is one key
    return std::bit_cast<uint64_t>(d);
}

uint64_t hashText(const std::u16string& s, KeyCompare mode)
{
    uint64_t h = 0xcbf29ce484222325ULL; // FNV-1a over code units
    if (mode == KeyCompare::Text) {
        for (char16_t c : s)
            h = (h ^ uint64_t(toLowerChar(c))) * 0x100000001b3ULL;
    } else {
        for (char16_t c : s)
            h = (h ^ uint64_t(c)) * 0x100000001b3ULL;
    }
    return h;
}

bool sameDouble(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

uint64_t hashKey(const Variant& keyIn, KeyCompare mode)
{
    const Variant& key = keyIn.deref();
    const Kind kind = kindOf(key);
    uint64_t h = 0;
    switch (kind) {
    case Kind::Empty:
    case Kind::Null: break;
    case Kind::Number: h = hashDouble(numberOf(key)); break;
    case Kind::Date: h = hashDouble(key.asDate()); break;
    case Kind::Boolean: h = key.asBool() ? 1 : 0; break;
    case Kind::String: h = hashText(key.asString(), mode); break;
    case Kind::Object: h = uint64_t(reinterpret_cast<uintptr_t>(key.asObject())); break;
    case Kind::Error: h = uint32_t(key.asError()); break;
    }
    return mix(h ^ (uint64_t(kind) << 56));
}

bool keysEqual(const Variant& aIn, const Variant& bIn, KeyCompare mode)
{
    const Variant& a = aIn.deref();
    const Variant& b = bIn.deref();
    const Kind kind = kindOf(a);
    if (kind != kindOf(b))
        return false;
    switch (kind) {
    case Kind::Empty:
    case Kind::Null: return true;
    case Kind::Number: return sameDouble(numberOf(a), numberOf(b));
    case Kind::Date: return sameDouble(a.asDate(), b.asDate());
    case Kind::Boolean: return a.asBool() == b.asBool();
    case Kind::String:
        return mode == KeyCompare::Text ? equalsIgnoreCase(a.asString(), b.asString())
                                        : a.asString() == b.asString();
    case Kind::Object: return a.asObject() == b.asObject();
    case Kind::Error: return a.asError() == b.asError();
    }
    return false;
}

} // namespace quillo::script::objects
