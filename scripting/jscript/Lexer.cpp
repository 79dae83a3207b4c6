#include "scripting/jscript/Lexer.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace quillo::jscript {

bool isLineTerminator(char16_t c) { return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029; }
bool isJsSpace(char16_t c) {
    return c == ' ' || c == '\t' || c == 0x0B || c == 0x0C || c == 0xA0 || c == 0xFEFF ||
           (c >= 0x2000 && c <= 0x200B) || c == 0x3000 || c == 0x1680 || c == 0x202F || c == 0x205F;
}
bool isIdentStart(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' ||
           (c >= 0xAA && !isJsSpace(c) && !isLineTerminator(c) && c != 0xD7 && c != 0xF7);
}
bool isIdentPart(char16_t c) { return isIdentStart(c) || (c >= '0' && c <= '9'); }

namespace {

struct Keyword {
    const char16_t* name;
    T type;
};
const Keyword kKeywords[] = {
    {u"break", T::Break}, {u"case", T::Case}, {u"catch", T::Catch}, {u"continue", T::Continue},
    {u"default", T::Default}, {u"delete", T::Delete}, {u"do", T::Do}, {u"else", T::Else},
    {u"finally", T::Finally}, {u"for", T::For}, {u"function", T::Function}, {u"if", T::If},
    {u"in", T::In}, {u"instanceof", T::Instanceof}, {u"new", T::New}, {u"return", T::Return},
    {u"switch", T::Switch}, {u"this", T::This}, {u"throw", T::Throw}, {u"try", T::Try},
    {u"typeof", T::Typeof}, {u"var", T::Var}, {u"void", T::Void}, {u"while", T::While},
    {u"with", T::With}, {u"true", T::True}, {u"false", T::False}, {u"null", T::Null},
    {u"debugger", T::Debugger}, {u"class", T::Reserved}, {u"const", T::Reserved},
    {u"enum", T::Reserved}, {u"export", T::Reserved}, {u"extends", T::Reserved},
    {u"import", T::Reserved}, {u"super", T::Reserved},
};

int hexDigit(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Lexer::Lexer(const std::u16string& src) : src_(src) {}

Token Lexer::next() { return scan(); }

bool Lexer::startSpecialComment(Token&, bool lineComment) {
    auto isCcOn = [&](size_t at) {
        static const char16_t kw[] = u"cc_on";
        for (int i = 0; i < 5; ++i)
            if (at + i >= src_.size() || src_[at + i] != kw[i]) return false;
        return at + 5 >= src_.size() || !isIdentPart(src_[at + 5]);
    };
    bool activates = isCcOn(pos_ + 3);
    if (!ccOn_ && !activates) return false;
    ccOn_ = true;
    // "/*@if", "/*@set", "/*@cc_on": the comment's '@' starts the directive too.
    pos_ += pos_ + 3 < src_.size() && isIdentStart(src_[pos_ + 3]) ? 2 : 3;
    inSpecial_ = lineComment ? 2 : 1;
    return true;
}

void Lexer::skipSpaceAndComments(Token& t) {
    for (;;) {
        char16_t c = peek();
        if (pos_ >= src_.size()) return;
        if (isJsSpace(c)) {
            ++pos_;
        } else if (isLineTerminator(c)) {
            t.nlBefore = true;
            ++pos_;
            if (inSpecial_ == 2) inSpecial_ = 0;
        } else if (c == '/' && peek(1) == '/') {
            if (peek(2) == '@' && startSpecialComment(t, true)) continue;
            while (pos_ < src_.size() && !isLineTerminator(src_[pos_])) ++pos_;
        } else if (c == '/' && peek(1) == '*') {
            if (peek(2) == '@' && startSpecialComment(t, false)) continue;
            size_t close = src_.find(u"*/", pos_ + 2);
            if (close == std::u16string::npos) fail(1016, static_cast<uint32_t>(pos_));
            for (size_t i = pos_; i < close; ++i)
                if (isLineTerminator(src_[i])) t.nlBefore = true;
            pos_ = close + 2;
        } else if (inSpecial_ == 1 && c == '@' && peek(1) == '*' && peek(2) == '/') {
            pos_ += 3;
            inSpecial_ = 0;
        } else if (inSpecial_ == 1 && c == '*' && peek(1) == '/') {
            pos_ += 2;
            inSpecial_ = 0;
        } else {
            return;
        }
    }
}

Token Lexer::scan() {
    for (;;) {
        Token t;
        skipSpaceAndComments(t);
        uint32_t start = static_cast<uint32_t>(pos_);
        Token r;
        if (pos_ >= src_.size()) {
            if (ifDepth_ > 0) fail(1029, start);
            r.type = T::End;
            r.start = r.end = start;
        } else {
            char16_t c = src_[pos_];
            if (c == '@') {
                if (!ccOn_) fail(1030, start);
                r.start = start;
                if (!handleDirective(r)) {
                    // A directive between tokens keeps the line-break flag it followed.
                    if (t.nlBefore) {
                        Token n = scan();
                        n.nlBefore = true;
                        return n;
                    }
                    continue;
                }
                r.end = static_cast<uint32_t>(pos_);
            } else if (isIdentStart(c) || c == '\\') {
                r = scanIdentOrKeyword(start);
            } else if ((c >= '0' && c <= '9') || (c == '.' && peek(1) >= '0' && peek(1) <= '9')) {
                r = scanNumber(start);
            } else if (c == '"' || c == '\'') {
                r = scanString(start, c);
            } else {
                r = scanPunct(start);
            }
        }
        r.nlBefore = t.nlBefore;
        return r;
    }
}

Token Lexer::scanIdentOrKeyword(uint32_t start) {
    Token t;
    t.start = start;
    std::u16string name;
    while (pos_ < src_.size()) {
        char16_t c = src_[pos_];
        if (c == '\\') {
            if (peek(1) != 'u') fail(1014, static_cast<uint32_t>(pos_));
            int v = 0;
            for (int i = 0; i < 4; ++i) {
                int d = hexDigit(peek(2 + i));
                if (d < 0) fail(1023, static_cast<uint32_t>(pos_ + 2 + i));
                v = v * 16 + d;
            }
            name += static_cast<char16_t>(v);
            pos_ += 6;
        } else if (isIdentPart(c)) {
            name += c;
            ++pos_;
        } else {
            break;
        }
    }
    t.end = static_cast<uint32_t>(pos_);
    t.type = T::Ident;
    for (const Keyword& k : kKeywords) {
        if (name == k.name) {
            t.type = k.type;
            break;
        }
    }
    t.text = std::move(name);
    return t;
}

Token Lexer::scanNumber(uint32_t start) {
    Token t;
    t.start = start;
    t.type = T::Number;
    if (src_[pos_] == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
        pos_ += 2;
        double v = 0;
        size_t digits = 0;
        while (hexDigit(peek()) >= 0) {
            v = v * 16 + hexDigit(peek());
            ++pos_;
            ++digits;
        }
        if (digits == 0) fail(1023, static_cast<uint32_t>(pos_));
        t.num = v;
    } else if (src_[pos_] == '0' && peek(1) >= '0' && peek(1) <= '9') {
        // Leading zero: octal unless a digit 8 or 9 makes it decimal.
        size_t p = pos_ + 1;
        bool octal = true;
        while (p < src_.size() && src_[p] >= '0' && src_[p] <= '9') {
            if (src_[p] >= '8') octal = false;
            ++p;
        }
        if (octal) {
            double v = 0;
            for (size_t i = pos_ + 1; i < p; ++i) v = v * 8 + (src_[i] - '0');
            pos_ = p;
            t.num = v;
        } else {
            goto decimal;
        }
    } else {
    decimal:
        std::string s;
        while (peek() >= '0' && peek() <= '9') s += static_cast<char>(src_[pos_++]);
        if (peek() == '.') {
            s += '.';
            ++pos_;
            while (peek() >= '0' && peek() <= '9') s += static_cast<char>(src_[pos_++]);
        }
        if (peek() == 'e' || peek() == 'E') {
            size_t save = pos_;
            std::string e = "e";
            ++pos_;
            if (peek() == '+' || peek() == '-') e += static_cast<char>(src_[pos_++]);
            if (peek() >= '0' && peek() <= '9') {
                while (peek() >= '0' && peek() <= '9') e += static_cast<char>(src_[pos_++]);
                s += e;
            } else {
                pos_ = save;
                fail(1013, static_cast<uint32_t>(start));
            }
        }
        t.num = std::strtod(s.c_str(), nullptr);
    }
    if (pos_ < src_.size() && (isIdentStart(src_[pos_]) || (src_[pos_] >= '0' && src_[pos_] <= '9')))
        fail(1013, start);
    t.end = static_cast<uint32_t>(pos_);
    return t;
}

Token Lexer::scanString(uint32_t start, char16_t quote) {
    Token t;
    t.start = start;
    t.type = T::String;
    ++pos_;
    std::u16string v;
    for (;;) {
        if (pos_ >= src_.size() || isLineTerminator(src_[pos_])) fail(1015, start);
        char16_t c = src_[pos_++];
        if (c == quote) break;
        if (c != '\\') {
            v += c;
            continue;
        }
        if (pos_ >= src_.size()) fail(1015, start);
        char16_t e = src_[pos_++];
        switch (e) {
            case 'b': v += u'\b'; break;
            case 't': v += u'\t'; break;
            case 'n': v += u'\n'; break;
            case 'f': v += u'\f'; break;
            case 'r': v += u'\r'; break;
            case 'x': {
                int h1 = hexDigit(peek()), h2 = hexDigit(peek(1));
                if (h1 < 0 || h2 < 0) { v += u'x'; break; }
                v += static_cast<char16_t>(h1 * 16 + h2);
                pos_ += 2;
                break;
            }
            case 'u': {
                int val = 0;
                bool ok = true;
                for (int i = 0; i < 4; ++i) {
                    int d = hexDigit(peek(i));
                    if (d < 0) { ok = false; break; }
                    val = val * 16 + d;
                }
                if (!ok) { v += u'u'; break; }
                v += static_cast<char16_t>(val);
                pos_ += 4;
                break;
            }
            case '\r':
                if (peek() == '\n') ++pos_;
                break;
            case '\n': case 0x2028: case 0x2029:
                break;
            default:
                if (e >= '0' && e <= '7') {
                    // Up to three octal digits, value at most 0377.
                    int val = e - '0';
                    int maxDigits = e <= '3' ? 3 : 2;
                    for (int i = 1; i < maxDigits && peek() >= '0' && peek() <= '7'; ++i)
                        val = val * 8 + (src_[pos_++] - '0');
                    v += static_cast<char16_t>(val);
                } else {
                    v += e;  // \v, \q ...: the letter itself
                }
        }
    }
    t.text = std::move(v);
    t.end = static_cast<uint32_t>(pos_);
    return t;
}

Token Lexer::scanPunct(uint32_t start) {
    Token t;
    t.start = start;
    char16_t c = src_[pos_];
    char16_t c1 = peek(1), c2 = peek(2), c3 = peek(3);
    auto take = [&](T type, int n) {
        t.type = type;
        pos_ += n;
    };
    switch (c) {
        case '{': take(T::LBrace, 1); break;
        case '}': take(T::RBrace, 1); break;
        case '(': take(T::LParen, 1); break;
        case ')': take(T::RParen, 1); break;
        case '[': take(T::LBracket, 1); break;
        case ']': take(T::RBracket, 1); break;
        case '.': take(T::Dot, 1); break;
        case ';': take(T::Semi, 1); break;
        case ',': take(T::Comma, 1); break;
        case '?': take(T::Question, 1); break;
        case ':': take(T::Colon, 1); break;
        case '~': take(T::BitNot, 1); break;
        case '<':
            if (c1 == '<') take(c2 == '=' ? T::ShlAssign : T::Shl, c2 == '=' ? 3 : 2);
            else take(c1 == '=' ? T::Le : T::Lt, c1 == '=' ? 2 : 1);
            break;
        case '>':
            if (c1 == '>' && c2 == '>') take(c3 == '=' ? T::ShrAssign : T::Shr, c3 == '=' ? 4 : 3);
            else if (c1 == '>') take(c2 == '=' ? T::SarAssign : T::Sar, c2 == '=' ? 3 : 2);
            else take(c1 == '=' ? T::Ge : T::Gt, c1 == '=' ? 2 : 1);
            break;
        case '=':
            if (c1 == '=') take(c2 == '=' ? T::StrictEq : T::Eq, c2 == '=' ? 3 : 2);
            else take(T::Assign, 1);
            break;
        case '!':
            if (c1 == '=') take(c2 == '=' ? T::StrictNe : T::Ne, c2 == '=' ? 3 : 2);
            else take(T::Not, 1);
            break;
        case '+':
            if (c1 == '+') take(T::Inc, 2);
            else take(c1 == '=' ? T::PlusAssign : T::Plus, c1 == '=' ? 2 : 1);
            break;
        case '-':
            if (c1 == '-') take(T::Dec, 2);
            else take(c1 == '=' ? T::MinusAssign : T::Minus, c1 == '=' ? 2 : 1);
            break;
        case '*': take(c1 == '=' ? T::StarAssign : T::Star, c1 == '=' ? 2 : 1); break;
        case '%': take(c1 == '=' ? T::PercentAssign : T::Percent, c1 == '=' ? 2 : 1); break;
        case '/': take(c1 == '=' ? T::SlashAssign : T::Slash, c1 == '=' ? 2 : 1); break;
        case '^': take(c1 == '=' ? T::XorAssign : T::BitXor, c1 == '=' ? 2 : 1); break;
        case '&':
            if (c1 == '&') take(T::And, 2);
            else take(c1 == '=' ? T::AndAssign : T::BitAnd, c1 == '=' ? 2 : 1);
            break;
        case '|':
            if (c1 == '|') take(T::Or, 2);
            else take(c1 == '=' ? T::OrAssign : T::BitOr, c1 == '=' ? 2 : 1);
            break;
        default:
            fail(1014, start);
    }
    t.end = static_cast<uint32_t>(pos_);
    return t;
}

Token Lexer::rescanRegExp(const Token& t) {
    pos_ = t.start + 1;
    Token r;
    r.start = t.start;
    r.nlBefore = t.nlBefore;
    r.type = T::RegExp;
    bool inClass = false;
    for (;;) {
        // A literal cut off by the line's end lacks its closing slash.
        if (pos_ >= src_.size() || isLineTerminator(src_[pos_])) fail(1012, t.start);
        char16_t c = src_[pos_++];
        if (c == '\\') {
            if (pos_ >= src_.size() || isLineTerminator(src_[pos_])) fail(1012, t.start);
            r.text += c;
            r.text += src_[pos_++];
            continue;
        }
        if (c == '[') inClass = true;
        else if (c == ']') inClass = false;
        else if (c == '/' && !inClass) break;
        r.text += c;
    }
    while (pos_ < src_.size() && isIdentPart(src_[pos_])) r.flags += src_[pos_++];
    r.end = static_cast<uint32_t>(pos_);
    return r;
}

// ---- conditional compilation ----

std::u16string Lexer::readCcName() {
    std::u16string name;
    while (pos_ < src_.size() && isIdentPart(src_[pos_])) name += src_[pos_++];
    return name;
}

bool Lexer::handleDirective(Token& t) {
    uint32_t at = static_cast<uint32_t>(pos_);
    ++pos_;  // '@'
    std::u16string name = readCcName();
    if (name.empty()) fail(1032, at);
    if (name == u"cc_on") return false;
    if (name == u"if") {
        ++ifDepth_;
        CcValue cond = ccExpr();
        if (!cond.truthy()) skipFalseBranch(true);
        return false;
    }
    if (name == u"elif" || name == u"else") {
        if (ifDepth_ == 0) fail(1002, at);
        skipFalseBranch(false);
        return false;
    }
    if (name == u"end") {
        if (ifDepth_ == 0) fail(1002, at);
        --ifDepth_;
        return false;
    }
    if (name == u"set") {
        while (pos_ < src_.size() && isJsSpace(src_[pos_])) ++pos_;
        if (peek() != '@') fail(1032, static_cast<uint32_t>(pos_));
        ++pos_;
        std::u16string var = readCcName();
        if (var.empty()) fail(1010, static_cast<uint32_t>(pos_));
        while (pos_ < src_.size() && isJsSpace(src_[pos_])) ++pos_;
        if (peek() != '=') fail(1011, static_cast<uint32_t>(pos_));
        ++pos_;
        ccVars_[var] = ccExpr();
        return false;
    }
    CcValue v;
    if (name == u"_jscript" || name == u"_win32" || name == u"_x86") {
        v.isBool = true;
        v.b = true;
    } else if (name == u"_jscript_version") {
        v.num = 5.8;
    } else if (name == u"_jscript_build") {
        v.num = 16982;
    } else {
        auto it = ccVars_.find(name);
        if (it != ccVars_.end()) v = it->second;
        else v.num = std::nan("");
    }
    if (v.isBool) {
        t.type = v.b ? T::True : T::False;
    } else {
        t.type = T::Number;
        t.num = v.num;
    }
    return true;
}

void Lexer::skipFalseBranch(bool allowElse) {
    int depth = 0;
    for (;;) {
        if (pos_ >= src_.size()) fail(1029, static_cast<uint32_t>(pos_));
        char16_t c = src_[pos_];
        if (isLineTerminator(c) && inSpecial_ == 2) inSpecial_ = 0;
        // The '@' of "/*@" may begin a directive ("/*@end"): leave it to be read.
        if (c == '/' && peek(1) == '*' && peek(2) == '@') { inSpecial_ = 1; pos_ += 2; continue; }
        if (c == '/' && peek(1) == '/' && peek(2) == '@') { inSpecial_ = 2; pos_ += 2; continue; }
        if (c != '@') { ++pos_; continue; }
        if (peek(1) == '*' && peek(2) == '/') { inSpecial_ = 0; pos_ += 3; continue; }
        ++pos_;
        std::u16string name = readCcName();
        if (name == u"if") {
            ++depth;
        } else if (name == u"end") {
            if (depth == 0) {
                --ifDepth_;
                return;
            }
            --depth;
        } else if (depth == 0 && allowElse && name == u"elif") {
            if (ccExpr().truthy()) return;
        } else if (depth == 0 && allowElse && name == u"else") {
            return;
        }
    }
}

Token Lexer::ccTok() {
    if (haveCcPending_) {
        haveCcPending_ = false;
        return ccPending_;
    }
    while (pos_ < src_.size() && (isJsSpace(src_[pos_]) || isLineTerminator(src_[pos_]))) ++pos_;
    Token t;
    uint32_t start = static_cast<uint32_t>(pos_);
    t.start = start;
    if (pos_ >= src_.size()) return t;
    char16_t c = src_[pos_];
    if (c == '@') {
        if (peek(1) == '*') return t;  // end of the special comment
        // A directive ends the expression before it (`@set @a = 1 @set ...`).
        size_t save = pos_;
        ++pos_;
        std::u16string word = readCcName();
        pos_ = save;
        if (word == u"if" || word == u"elif" || word == u"else" || word == u"end" || word == u"set" || word == u"cc_on")
            return t;
        if (!handleDirective(t)) fail(1031, start);
        t.start = start;
        return t;
    }
    if ((c >= '0' && c <= '9') || c == '.') return scanNumber(start);
    if (isIdentStart(c)) {
        Token k = scanIdentOrKeyword(start);
        if (k.type != T::True && k.type != T::False) {
            k.type = T::End;  // not part of the expression
        }
        return k;
    }
    if (c == '"' || c == '\'' || c == '{' || c == '}' || c == ';') return t;
    return scanPunct(start);
}

CcValue Lexer::ccExpr() {
    CcValue v = ccBinary(1);
    if (haveCcPending_) {
        pos_ = ccPending_.start;
        haveCcPending_ = false;
    }
    return v;
}

namespace {
int ccPrec(T t) {
    switch (t) {
        case T::Star: case T::Slash: case T::Percent: return 10;
        case T::Plus: case T::Minus: return 9;
        case T::Shl: case T::Sar: case T::Shr: return 8;
        case T::Lt: case T::Gt: case T::Le: case T::Ge: return 7;
        case T::Eq: case T::Ne: case T::StrictEq: case T::StrictNe: return 6;
        case T::BitAnd: return 5;
        case T::BitXor: return 4;
        case T::BitOr: return 3;
        case T::And: return 2;
        case T::Or: return 1;
        default: return 0;
    }
}
int32_t toInt32(double d) {
    if (!std::isfinite(d)) return 0;
    double m = std::fmod(std::trunc(d), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(m));
}
CcValue num(double d) { CcValue v; v.num = d; return v; }
CcValue boolean(bool b) { CcValue v; v.isBool = true; v.b = b; return v; }
}  // namespace

CcValue Lexer::ccBinary(int minPrec) {
    CcValue left = ccUnary();
    for (;;) {
        Token op = ccTok();
        int prec = ccPrec(op.type);
        if (prec == 0 || prec < minPrec) {
            ccPending_ = op;
            haveCcPending_ = true;
            return left;
        }
        CcValue right = ccBinary(prec + 1);
        double a = left.asNumber(), b = right.asNumber();
        switch (op.type) {
            case T::Star: left = num(a * b); break;
            case T::Slash: left = num(a / b); break;
            case T::Percent: left = num(std::fmod(a, b)); break;
            case T::Plus: left = num(a + b); break;
            case T::Minus: left = num(a - b); break;
            case T::Shl: left = num(toInt32(a) << (toInt32(b) & 31)); break;
            case T::Sar: left = num(toInt32(a) >> (toInt32(b) & 31)); break;
            case T::Shr: left = num(static_cast<uint32_t>(toInt32(a)) >> (toInt32(b) & 31)); break;
            case T::Lt: left = boolean(a < b); break;
            case T::Gt: left = boolean(a > b); break;
            case T::Le: left = boolean(a <= b); break;
            case T::Ge: left = boolean(a >= b); break;
            case T::Eq: left = boolean(a == b); break;
            case T::Ne: left = boolean(a != b); break;
            case T::StrictEq: left = boolean(left.isBool == right.isBool && a == b); break;
            case T::StrictNe: left = boolean(!(left.isBool == right.isBool && a == b)); break;
            case T::BitAnd: left = num(toInt32(a) & toInt32(b)); break;
            case T::BitXor: left = num(toInt32(a) ^ toInt32(b)); break;
            case T::BitOr: left = num(toInt32(a) | toInt32(b)); break;
            case T::And: left = left.truthy() ? right : left; break;
            case T::Or: left = left.truthy() ? left : right; break;
            default: break;
        }
    }
}

CcValue Lexer::ccUnary() {
    Token t = ccTok();
    switch (t.type) {
        case T::Not: return boolean(!ccUnary().truthy());
        case T::BitNot: return num(~toInt32(ccUnary().asNumber()));
        case T::Minus: return num(-ccUnary().asNumber());
        case T::Plus: return num(ccUnary().asNumber());
        case T::LParen: {
            CcValue v = ccBinary(1);
            Token close = ccTok();
            if (close.type != T::RParen) fail(1006, close.start);
            return v;
        }
        case T::Number: return num(t.num);
        case T::True: return boolean(true);
        case T::False: return boolean(false);
        default: fail(1031, t.start);
    }
}

}  // namespace quillo::jscript
