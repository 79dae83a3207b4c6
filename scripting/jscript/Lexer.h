#pragma once
// Tokens from source text, with conditional compilation applied on the way: once
// `@cc_on` is seen, `/*@ ... @*/` and `//@` comments are code, `@if/@elif/@else/@end`
// select text and `@set` defines variables that read as literals. The parser decides
// regular expression versus division: on `/` where an operand is expected it asks for
// a rescan.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillo::jscript {

enum class T : uint8_t {
    End, Ident, Number, String, RegExp,
    // keywords
    Break, Case, Catch, Continue, Default, Delete, Do, Else, Finally, For, Function, If, In,
    Instanceof, New, Return, Switch, This, Throw, Try, Typeof, Var, Void, While, With,
    True, False, Null, Debugger, Reserved,
    // punctuators
    LBrace, RBrace, LParen, RParen, LBracket, RBracket, Dot, Semi, Comma, Lt, Gt, Le, Ge,
    Eq, Ne, StrictEq, StrictNe, Plus, Minus, Star, Percent, Inc, Dec, Shl, Sar, Shr, BitAnd,
    BitOr, BitXor, Not, BitNot, And, Or, Question, Colon, Assign, PlusAssign, MinusAssign,
    StarAssign, PercentAssign, ShlAssign, SarAssign, ShrAssign, AndAssign, OrAssign,
    XorAssign, Slash, SlashAssign,
};

struct Token {
    T type = T::End;
    bool nlBefore = false;
    uint32_t start = 0;  // offsets into the source
    uint32_t end = 0;
    double num = 0;
    std::u16string text;  // identifier name, string value, regexp body
    std::u16string flags;  // regexp flags
};

struct CompileError {
    int number;
    uint32_t offset;
};

// A conditional-compilation value: number or boolean (undefined names read as NaN).
struct CcValue {
    bool isBool = false;
    double num = 0;
    bool b = false;
    double asNumber() const { return isBool ? (b ? 1 : 0) : num; }
    bool truthy() const { return isBool ? b : (num != 0 && num == num); }
};

class Lexer {
public:
    explicit Lexer(const std::u16string& src);
    Token next();
    // Re-reads the `/` or `/=` token `t` as a regular expression literal.
    Token rescanRegExp(const Token& t);
    const std::u16string& source() const { return src_; }

private:
    Token scan();
    void skipSpaceAndComments(Token& t);
    bool startSpecialComment(Token& t, bool lineComment);
    Token scanNumber(uint32_t start);
    Token scanString(uint32_t start, char16_t quote);
    Token scanIdentOrKeyword(uint32_t start);
    Token scanPunct(uint32_t start);
    bool handleDirective(Token& t);  // true: produced a token in `t`
    void skipFalseBranch(bool allowElse);
    CcValue ccExpr();
    CcValue ccBinary(int minPrec);
    CcValue ccUnary();
    Token ccTok();
    std::u16string readCcName();
    [[noreturn]] void fail(int n, uint32_t at) { throw CompileError{n, at}; }
    char16_t peek(size_t k = 0) const { return pos_ + k < src_.size() ? src_[pos_ + k] : 0; }

    const std::u16string& src_;
    size_t pos_ = 0;
    bool ccOn_ = false;
    int inSpecial_ = 0;  // 1: inside /*@ ... @*/, 2: inside //@ to end of line
    int ifDepth_ = 0;
    std::unordered_map<std::u16string, CcValue> ccVars_;
    Token ccPending_;
    bool haveCcPending_ = false;
};

bool isIdentStart(char16_t c);
bool isIdentPart(char16_t c);
bool isLineTerminator(char16_t c);
bool isJsSpace(char16_t c);

}  // namespace quillo::jscript
