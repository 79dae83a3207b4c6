#include "scripting/vbscript/Operators.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/vbscript/library/ByteString.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/TextLimits.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quillo::vbscript::ops {

using quillo::script::ScriptError;
using quillo::script::VarType;
namespace err = quillo::script::err;
namespace conv = quillo::script;
namespace local = quillo::vbscript::library::local;

namespace {

[[noreturn]] void fail(int n) { throw ScriptError::runtime(n); }

// Operand after references and default members.
Variant plain(const Variant& v)
{
    const Variant& d = v.deref();
    if (d.type() == VarType::Object)
        return conv::valueOf(d);
    return d;
}

// Arithmetic operand: Empty -> Integer 0, Boolean -> Integer, text -> Double (read in the
// active locale).
Variant numeric(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty: return Variant::fromInteger(0);
    case VarType::Boolean: return Variant::fromInteger(v.asBool() ? -1 : 0);
    case VarType::String: return Variant::fromDouble(local::textToNumber(v.asString()));
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Null: return v;
    default: fail(err::TypeMismatch);
    }
}

enum Rank { RByte, RInteger, RLong, RSingle, RDouble, RCurrency };

Rank rankOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte: return RByte;
    case VarType::Integer: return RInteger;
    case VarType::Long: return RLong;
    case VarType::Single: return RSingle;
    case VarType::Currency: return RCurrency;
    default: return RDouble; // Double, Date
    }
}

int64_t wholeOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte: return v.asByte();
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    default: return 0;
    }
}

double doubleOf(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte: return v.asByte();
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    case VarType::Single: return v.asSingle();
    case VarType::Currency: return conv::currencyToDouble(v.asCurrency());
    case VarType::Double:
    case VarType::Date: return v.asDouble();
    default: return 0;
    }
}

int64_t currencyOf(const Variant& v)
{
    if (v.type() == VarType::Currency)
        return v.asCurrency();
    if (v.type() == VarType::Byte || v.type() == VarType::Integer || v.type() == VarType::Long)
        return wholeOf(v) * 10000;
    return conv::doubleToCurrency(doubleOf(v));
}

// An integer result in the narrowest type from `rank` up that holds it.
Variant fitWhole(int64_t z, Rank rank)
{
    if (rank == RByte && z >= 0 && z <= 255)
        return Variant::fromByte(uint8_t(z));
    if (rank <= RInteger && z >= INT16_MIN && z <= INT16_MAX)
        return Variant::fromInteger(int16_t(z));
    if (rank <= RLong && z >= INT32_MIN && z <= INT32_MAX)
        return Variant::fromLong(int32_t(z));
    return Variant::fromDouble(double(z));
}

Variant checkedDouble(double z)
{
    if (std::isinf(z))
        fail(err::Overflow);
    if (std::isnan(z))
        fail(err::InvalidCall);
    return Variant::fromDouble(z);
}

enum class Arith { Add, Sub, Mul };

Variant arith(Arith kind, const Variant& a, const Variant& b)
{
    Rank ra = rankOf(a), rb = rankOf(b);
    Rank r = ra > rb ? ra : rb;
    if ((ra == RSingle && rb == RLong) || (ra == RLong && rb == RSingle))
        r = RDouble;
    switch (r) {
    case RByte:
    case RInteger:
    case RLong: {
        int64_t x = wholeOf(a), y = wholeOf(b);
        int64_t z = kind == Arith::Add ? x + y : kind == Arith::Sub ? x - y : x * y;
        return fitWhole(z, r);
    }
    case RSingle: {
        double z = kind == Arith::Add ? doubleOf(a) + doubleOf(b)
            : kind == Arith::Sub ? doubleOf(a) - doubleOf(b) : doubleOf(a) * doubleOf(b);
        if (std::fabs(z) <= FLT_MAX)
            return Variant::fromSingle(float(z));
        return checkedDouble(z);
    }
    case RDouble: {
        double x = doubleOf(a), y = doubleOf(b);
        return checkedDouble(kind == Arith::Add ? x + y : kind == Arith::Sub ? x - y : x * y);
    }
    case RCurrency: {
        int64_t x = currencyOf(a), z;
        if (kind == Arith::Mul) {
            if (b.type() == VarType::Currency) {
                long double p = (long double)x * (long double)b.asCurrency() / 10000.0L;
                long double rounded = std::nearbyint(p);
                if (rounded > 9.2233720368547758e18L || rounded < -9.2233720368547758e18L)
                    fail(err::Overflow);
                return Variant::fromCurrency(int64_t(rounded));
            }
            if (b.type() == VarType::Byte || b.type() == VarType::Integer || b.type() == VarType::Long) {
                if (__builtin_mul_overflow(x, wholeOf(b), &z))
                    fail(err::Overflow);
                return Variant::fromCurrency(z);
            }
            long double p = (long double)x * (long double)currencyOf(b) / 10000.0L;
            long double rounded = std::nearbyint(p);
            if (rounded > 9.2233720368547758e18L || rounded < -9.2233720368547758e18L)
                fail(err::Overflow);
            return Variant::fromCurrency(int64_t(rounded));
        }
        int64_t y = currencyOf(b);
        bool overflow = kind == Arith::Add ? __builtin_add_overflow(x, y, &z) : __builtin_sub_overflow(x, y, &z);
        if (overflow)
            fail(err::Overflow);
        return Variant::fromCurrency(z);
    }
    }
    return Variant();
}

Variant dateResult(double d)
{
    if (std::isinf(d) || std::isnan(d) || d > 2958465.999999 || d < -657434.0)
        fail(err::Overflow);
    return Variant::fromDate(d);
}

// Operand of \ and Mod: rounded to a whole number.
Variant wholeOperand(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return v;
    default: return Variant::fromLong(conv::doubleToLong(doubleOf(v)));
    }
}

// Operand of the logical operators; Null stays Null.
Variant logicalOperand(const Variant& v)
{
    Variant p = plain(v);
    switch (p.type()) {
    case VarType::Null:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: return p;
    case VarType::Empty: return Variant::fromInteger(0);
    case VarType::String: {
        auto n = local::parseNumber(p.asString());
        if (!n) {
            // "True" / "False" read as Booleans
            return Variant::fromBool(local::toBoolean(p));
        }
        return Variant::fromLong(conv::doubleToLong(*n));
    }
    default: return Variant::fromLong(local::toLong(p));
    }
}

int64_t bitsOf(const Variant& v)
{
    if (v.type() == VarType::Boolean)
        return v.asBool() ? -1 : 0;
    return wholeOf(v);
}

enum class Logic { And, Or, Xor, Eqv, Imp };

Variant logicBits(Logic kind, const Variant& a, const Variant& b)
{
    int64_t x = bitsOf(a), y = bitsOf(b), z = 0;
    switch (kind) {
    case Logic::And: z = x & y; break;
    case Logic::Or: z = x | y; break;
    case Logic::Xor: z = x ^ y; break;
    case Logic::Eqv: z = ~(x ^ y); break;
    case Logic::Imp: z = ~x | y; break;
    }
    if (a.type() == VarType::Boolean && b.type() == VarType::Boolean)
        return Variant::fromBool(z != 0);
    auto rank = [](const Variant& v) {
        switch (v.type()) {
        case VarType::Byte: return 0;
        case VarType::Long: return 2;
        default: return 1; // Integer, Boolean
        }
    };
    int r = std::max(rank(a), rank(b));
    if (r == 0)
        return Variant::fromByte(uint8_t(z));
    if (r == 1)
        return Variant::fromInteger(int16_t(z));
    return Variant::fromLong(int32_t(z));
}

bool isZero(const Variant& v) { return bitsOf(v) == 0; }
bool isAllOnes(const Variant& v) { return bitsOf(v) == -1; }

Variant logic(Logic kind, const Variant& av, const Variant& bv)
{
    Variant a = logicalOperand(av), b = logicalOperand(bv);
    bool an = a.isNull(), bn = b.isNull();
    if (!an && !bn)
        return logicBits(kind, a, b);
    if (an && bn)
        return Variant::null();
    const Variant& other = an ? b : a;
    switch (kind) {
    case Logic::And:
        return isZero(other) ? logicBits(Logic::And, other, other) : Variant::null();
    case Logic::Or:
        return isAllOnes(other) ? other : Variant::null();
    case Logic::Xor:
    case Logic::Eqv: return Variant::null();
    case Logic::Imp:
        if (an) // Null Imp x
            return isAllOnes(b) ? b : Variant::null();
        return isZero(a) ? logicBits(Logic::Imp, a, a) : Variant::null(); // x Imp Null
    }
    return Variant::null();
}

int sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

bool isNumberLike(const Variant& v)
{
    switch (v.type()) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
    case VarType::Boolean:
    case VarType::Empty: return true;
    default: return false;
    }
}

double numberOf(const Variant& v)
{
    if (v.type() == VarType::Boolean)
        return v.asBool() ? -1 : 0;
    if (v.type() == VarType::Empty)
        return 0;
    return doubleOf(v);
}

int compareText(const std::u16string& a, const std::u16string& b)
{
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Two Strings: their characters, then the odd bytes the Byte functions leave (none first).
int compareStrings(const Variant& a, const Variant& b)
{
    const int c = compareText(a.asString(), b.asString());
    if (c != 0)
        return c;
    return a.stringOddByte() < b.stringOddByte() ? -1 : a.stringOddByte() > b.stringOddByte() ? 1 : 0;
}

// No characters and no odd byte.
bool isEmptyString(const Variant& v) { return v.asString().empty() && v.stringOddByte() < 0; }

} // namespace

Variant add(const Variant& av, const Variant& bv)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    if (a.isString() && (b.isString() || b.isEmpty()))
        return concat(a, b);
    if (b.isString() && a.isEmpty())
        return b;
    Variant x = numeric(a), y = numeric(b);
    if (x.type() == VarType::Date || y.type() == VarType::Date)
        return dateResult(doubleOf(x) + doubleOf(y));
    return arith(Arith::Add, x, y);
}

Variant subtract(const Variant& av, const Variant& bv)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    Variant x = numeric(a), y = numeric(b);
    bool dx = x.type() == VarType::Date, dy = y.type() == VarType::Date;
    if (dx && dy)
        return checkedDouble(doubleOf(x) - doubleOf(y));
    if (dx || dy)
        return dateResult(doubleOf(x) - doubleOf(y));
    return arith(Arith::Sub, x, y);
}

Variant multiply(const Variant& av, const Variant& bv)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    Variant x = numeric(a), y = numeric(b);
    if (x.type() == VarType::Date)
        x = Variant::fromDouble(x.asDate());
    if (y.type() == VarType::Date)
        y = Variant::fromDouble(y.asDate());
    if (y.type() == VarType::Currency && x.type() != VarType::Currency)
        std::swap(x, y);
    return arith(Arith::Mul, x, y);
}

Variant divide(const Variant& av, const Variant& bv)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    double x = doubleOf(numeric(a)), y = doubleOf(numeric(b));
    if (y == 0)
        fail(x == 0 ? err::Overflow : err::DivisionByZero);
    return checkedDouble(x / y);
}

static Variant wholeArith(const Variant& av, const Variant& bv, bool isMod)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    Variant x = wholeOperand(numeric(a)), y = wholeOperand(numeric(b));
    int64_t p = wholeOf(x), q = wholeOf(y);
    if (q == 0)
        fail(err::DivisionByZero);
    int64_t z = isMod ? p % q : p / q;
    Rank r = std::max(rankOf(x), rankOf(y));
    Variant out = fitWhole(z, r);
    if (out.type() == VarType::Double)
        fail(err::Overflow);
    return out;
}

Variant intDivide(const Variant& a, const Variant& b) { return wholeArith(a, b, false); }
Variant modulo(const Variant& a, const Variant& b) { return wholeArith(a, b, true); }

Variant power(const Variant& av, const Variant& bv)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return Variant::null();
    double x = doubleOf(numeric(a)), y = doubleOf(numeric(b));
    if (x == 0 && y < 0)
        fail(err::InvalidCall);
    return checkedDouble(std::pow(x, y));
}

Variant concat(const Variant& av, const Variant& bv)
{
    const Variant& a = av.deref();
    const Variant& b = bv.deref();
    if (a.isNull() && b.isNull())
        return Variant::null();
    if (a.isString() && b.isString()) {
        if (a.stringOddByte() >= 0 || b.stringOddByte() >= 0)
            return library::concatBytes(a, b);
        library::checkStringLength(a.asString().size() + b.asString().size());
        return Variant::fromString(a.asString() + b.asString());
    }
    if ((a.isString() && a.stringOddByte() >= 0) || (b.isString() && b.stringOddByte() >= 0))
        return concat(a.isString() ? a : Variant::fromString(local::toTextOrEmpty(a)),
                      b.isString() ? b : Variant::fromString(local::toTextOrEmpty(b)));
    std::u16string x = local::toTextOrEmpty(a), y = local::toTextOrEmpty(b);
    library::checkStringLength(x.size() + y.size());
    return Variant::fromString(x + y);
}

Variant negate(const Variant& av)
{
    Variant a = plain(av);
    switch (a.type()) {
    case VarType::Null: return a;
    case VarType::Empty: return Variant::fromInteger(0);
    case VarType::Boolean: return Variant::fromInteger(a.asBool() ? 1 : 0);
    case VarType::Byte: return Variant::fromInteger(int16_t(-int(a.asByte())));
    case VarType::Integer:
        if (a.asInteger() == INT16_MIN)
            return Variant::fromLong(32768);
        return Variant::fromInteger(int16_t(-a.asInteger()));
    case VarType::Long:
        if (a.asLong() == INT32_MIN)
            return Variant::fromDouble(2147483648.0);
        return Variant::fromLong(-a.asLong());
    case VarType::Single: return Variant::fromSingle(-a.asSingle());
    case VarType::Double: return Variant::fromDouble(-a.asDouble());
    case VarType::Currency:
        if (a.asCurrency() == INT64_MIN)
            fail(err::Overflow);
        return Variant::fromCurrency(-a.asCurrency());
    case VarType::Date: return dateResult(-a.asDate());
    case VarType::String: return Variant::fromDouble(-local::textToNumber(a.asString()));
    default: fail(err::TypeMismatch);
    }
}

Variant logicalNot(const Variant& av)
{
    Variant a = logicalOperand(av);
    switch (a.type()) {
    case VarType::Null: return a;
    case VarType::Boolean: return Variant::fromBool(!a.asBool());
    case VarType::Byte: return Variant::fromByte(uint8_t(~a.asByte()));
    case VarType::Integer: return Variant::fromInteger(int16_t(~a.asInteger()));
    default: return Variant::fromLong(~a.asLong());
    }
}

Variant logicalAnd(const Variant& a, const Variant& b) { return logic(Logic::And, a, b); }
Variant logicalOr(const Variant& a, const Variant& b) { return logic(Logic::Or, a, b); }
Variant logicalXor(const Variant& a, const Variant& b) { return logic(Logic::Xor, a, b); }
Variant logicalEqv(const Variant& a, const Variant& b) { return logic(Logic::Eqv, a, b); }
Variant logicalImp(const Variant& a, const Variant& b) { return logic(Logic::Imp, a, b); }

int compare(const Variant& av, const Variant& bv, Typed typed)
{
    Variant a = plain(av), b = plain(bv);
    if (a.isNull() || b.isNull())
        return 2;
    if (a.isString() && b.isString())
        return compareStrings(a, b);
    if (a.isString() && b.isEmpty())
        return isEmptyString(a) ? 0 : 1;
    if (b.isString() && a.isEmpty())
        return isEmptyString(b) ? 0 : -1;
    if (a.isString() || b.isString()) {
        bool textFirst = a.isString();
        const Variant& s = textFirst ? a : b;
        const Variant& n = textFirst ? b : a;
        if (!isNumberLike(n))
            fail(err::TypeMismatch);
        bool numberIsLiteral = textFirst ? typed.rightLiteral : typed.leftLiteral;
        bool textIsLiteral = textFirst ? typed.leftLiteral : typed.rightLiteral;
        int c;
        if (numberIsLiteral && !textIsLiteral) {
            // a literal number is hard-typed: the text must read as a number
            c = sign(local::textToNumber(s.asString()) - numberOf(n));
        } else if (textIsLiteral && !numberIsLiteral) {
            // a literal text: the number is compared as its text
            c = compareText(s.asString(), local::toText(n));
        } else {
            c = 1; // two variables: a number sorts before text
        }
        return textFirst ? c : -c;
    }
    if (!isNumberLike(a) || !isNumberLike(b))
        fail(err::TypeMismatch);
    if (a.type() == VarType::Currency && b.type() == VarType::Currency)
        return a.asCurrency() < b.asCurrency() ? -1 : a.asCurrency() > b.asCurrency() ? 1 : 0;
    double x = numberOf(a), y = numberOf(b);
    return x < y ? -1 : x > y ? 1 : 0;
}

Variant compareOp(Op op, const Variant& a, const Variant& b)
{
    int c = compare(a, b);
    if (c == 2)
        return Variant::null();
    bool r = false;
    switch (op) {
    case Op::Eq: r = c == 0; break;
    case Op::Ne: r = c != 0; break;
    case Op::Lt: r = c < 0; break;
    case Op::Gt: r = c > 0; break;
    case Op::Le: r = c <= 0; break;
    case Op::Ge: r = c >= 0; break;
    default: break;
    }
    return Variant::fromBool(r);
}

bool sameObject(const Variant& av, const Variant& bv)
{
    const Variant& a = av.deref();
    const Variant& b = bv.deref();
    if (a.type() != VarType::Object || b.type() != VarType::Object)
        fail(err::ObjectRequired);
    return a.asObject() == b.asObject();
}

bool truth(const Variant& v)
{
    const Variant& d = v.deref();
    switch (d.type()) {
    case VarType::Boolean: return d.asBool();
    case VarType::Null:
    case VarType::Empty: return false;
    case VarType::Integer: return d.asInteger() != 0;
    case VarType::Long: return d.asLong() != 0;
    case VarType::Byte: return d.asByte() != 0;
    case VarType::Single: return d.asSingle() != 0;
    case VarType::Double:
    case VarType::Date: return d.asDouble() != 0;
    case VarType::Currency: return d.asCurrency() != 0;
    default: {
        Variant p = plain(d);
        if (p.isNull() || p.isEmpty())
            return false;
        return local::toBoolean(p);
    }
    }
}

Variant binary(Op op, const Variant& a, const Variant& b)
{
    switch (op) {
    case Op::Add: return add(a, b);
    case Op::Sub: return subtract(a, b);
    case Op::Mul: return multiply(a, b);
    case Op::Div: return divide(a, b);
    case Op::IntDiv: return intDivide(a, b);
    case Op::Mod: return modulo(a, b);
    case Op::Pow: return power(a, b);
    case Op::Concat: return concat(a, b);
    case Op::And: return logicalAnd(a, b);
    case Op::Or: return logicalOr(a, b);
    case Op::Xor: return logicalXor(a, b);
    case Op::Eqv: return logicalEqv(a, b);
    case Op::Imp: return logicalImp(a, b);
    case Op::Is: return Variant::fromBool(sameObject(a, b));
    default: return compareOp(op, a, b);
    }
}

} // namespace quillo::vbscript::ops
