#pragma once
// VBScript's operators on Variants: the promotion rules (Byte -> Integer -> Long ->
// Double on overflow, Single with Long gives Double, Currency and Date arithmetic),
// Null propagation, three-valued logic and the comparison rules. Text and numbers
// convert in the active locale (LocalConvert); these are the language's own semantics.

#include "scripting/core/Variant.h"
#include "scripting/vbscript/Ast.h"

namespace quillo::vbscript::ops {

using quillo::script::Variant;

Variant add(const Variant& a, const Variant& b);
Variant subtract(const Variant& a, const Variant& b);
Variant multiply(const Variant& a, const Variant& b);
Variant divide(const Variant& a, const Variant& b);
Variant intDivide(const Variant& a, const Variant& b);
Variant modulo(const Variant& a, const Variant& b);
Variant power(const Variant& a, const Variant& b);
// `a & b`; numbers and dates become text in the active locale's conventions.
Variant concat(const Variant& a, const Variant& b);
Variant negate(const Variant& a);

Variant logicalNot(const Variant& a);
Variant logicalAnd(const Variant& a, const Variant& b);
Variant logicalOr(const Variant& a, const Variant& b);
Variant logicalXor(const Variant& a, const Variant& b);
Variant logicalEqv(const Variant& a, const Variant& b);
Variant logicalImp(const Variant& a, const Variant& b);

// Which operands of a comparison are literals (or constants): those are hard-typed, so
// text compared with a literal number is read as a number, a number compared with
// literal text is compared as text, and two variables compare a number below any text.
struct Typed {
    bool leftLiteral = false;
    bool rightLiteral = false;
};

// -1, 0, 1, or 2 when either side is Null (the comparison is then Null).
int compare(const Variant& a, const Variant& b, Typed typed = {});
Variant compareOp(Op op, const Variant& a, const Variant& b);
// `a Is b`: both must be objects (424 otherwise).
bool sameObject(const Variant& a, const Variant& b);

// The value of a condition (If, While, Until): Null and Empty are False, text must
// read as a Boolean or a number (13 otherwise).
bool truth(const Variant& v);

// Any binary operator by its AST tag (constant folding uses the same functions).
Variant binary(Op op, const Variant& a, const Variant& b);

} // namespace quillo::vbscript::ops
