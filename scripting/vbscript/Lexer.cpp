#include "scripting/vbscript/Lexer.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/CompileError.h"

#include <cmath>
#include <unordered_map>

namespace quillo::vbscript {

using quillo::script::Variant;

namespace {

constexpr size_t kMaxIdentifier = 255;

bool isLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7 && c < 0x2000);
}
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }
bool isIdentChar(char16_t c) { return isLetter(c) || isDigit(c) || c == u'_'; }
bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0 || c == 0x0B || c == 0x0C; }

const std::unordered_map<std::u16string, Tok>& reservedWords()
{
    static const std::unordered_map<std::u16string, Tok> words = {
        {u"and", Tok::KwAnd}, {u"byref", Tok::KwByRef}, {u"byval", Tok::KwByVal},
        {u"call", Tok::KwCall}, {u"case", Tok::KwCase}, {u"class", Tok::KwClass},
        {u"const", Tok::KwConst}, {u"dim", Tok::KwDim}, {u"do", Tok::KwDo},
        {u"each", Tok::KwEach}, {u"else", Tok::KwElse}, {u"elseif", Tok::KwElseIf},
        {u"empty", Tok::KwEmpty}, {u"end", Tok::KwEnd}, {u"eqv", Tok::KwEqv},
        {u"erase", Tok::KwErase}, {u"exit", Tok::KwExit}, {u"false", Tok::KwFalse},
        {u"for", Tok::KwFor}, {u"function", Tok::KwFunction}, {u"if", Tok::KwIf},
        {u"imp", Tok::KwImp}, {u"in", Tok::KwIn}, {u"is", Tok::KwIs}, {u"loop", Tok::KwLoop},
        {u"me", Tok::KwMe}, {u"mod", Tok::KwMod}, {u"new", Tok::KwNew}, {u"next", Tok::KwNext},
        {u"not", Tok::KwNot}, {u"nothing", Tok::KwNothing}, {u"null", Tok::KwNull},
        {u"on", Tok::KwOn}, {u"option", Tok::KwOption}, {u"or", Tok::KwOr},
        {u"private", Tok::KwPrivate}, {u"public", Tok::KwPublic}, {u"redim", Tok::KwReDim},
        {u"select", Tok::KwSelect}, {u"set", Tok::KwSet}, {u"stop", Tok::KwStop},
        {u"sub", Tok::KwSub}, {u"then", Tok::KwThen}, {u"to", Tok::KwTo},
        {u"true", Tok::KwTrue}, {u"until", Tok::KwUntil}, {u"wend", Tok::KwWend},
        {u"while", Tok::KwWhile}, {u"with", Tok::KwWith}, {u"xor", Tok::KwXor},
    };
    return words;
}

class Lexer {
public:
    explicit Lexer(std::u16string_view src) : src_(src) {}

    std::vector<Token> run()
    {
        std::vector<Token> out;
        out.reserve(src_.size() / 3 + 4);
        for (;;) {
            bool spaced = skipBlanks();
            Token t;
            t.line = line_;
            t.column = int(pos_ - lineStart_) + 1;
            t.offset = uint32_t(pos_);
            t.spaceBefore = spaced;
            if (pos_ >= src_.size()) {
                t.kind = Tok::End;
                out.push_back(std::move(t));
                return out;
            }
            scan(t);
            if (t.kind == Tok::Newline && !out.empty() && out.back().kind == Tok::Newline)
                continue; // blank lines carry nothing
            out.push_back(std::move(t));
        }
    }

private:
    char16_t peek(size_t ahead = 0) const
    {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : u'\0';
    }

    [[noreturn]] void fail(int number, int line, int column)
    {
        throw compileError(number, src_, line, column);
    }
    [[noreturn]] void failHere(int number) { fail(number, line_, int(pos_ - lineStart_) + 1); }

    void newLine()
    {
        ++line_;
        lineStart_ = pos_;
    }

    // Skips blanks, comments and line continuations; true when anything was skipped.
    bool skipBlanks()
    {
        bool any = false;
        for (;;) {
            char16_t c = peek();
            if (isSpace(c)) {
                ++pos_;
                any = true;
            } else if (c == u'\'') {
                skipToLineEnd();
            } else if (c == u'_' && !isIdentChar(peek(1)) && continuationFollows()) {
                any = true;
            } else {
                return any;
            }
        }
    }

    // `_` followed by blanks and a line break joins the next line to this one.
    bool continuationFollows()
    {
        size_t p = pos_ + 1;
        while (p < src_.size() && isSpace(src_[p]))
            ++p;
        if (p < src_.size() && src_[p] != u'\r' && src_[p] != u'\n')
            return false;
        if (p < src_.size() && src_[p] == u'\r')
            ++p;
        if (p < src_.size() && src_[p] == u'\n')
            ++p;
        pos_ = p;
        newLine();
        return true;
    }

    void skipToLineEnd()
    {
        while (pos_ < src_.size() && src_[pos_] != u'\r' && src_[pos_] != u'\n')
            ++pos_;
    }

    void scan(Token& t)
    {
        char16_t c = peek();
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && peek(1) == u'\n')
                ++pos_;
            ++pos_;
            newLine();
            t.kind = Tok::Newline;
            return;
        }
        if (isLetter(c)) {
            scanWord(t);
            return;
        }
        if (isDigit(c) || (c == u'.' && isDigit(peek(1)))) {
            scanNumber(t);
            return;
        }
        switch (c) {
        case u'"': scanString(t); return;
        case u'#': scanDate(t); return;
        case u'[': scanBracketName(t); return;
        case u'&':
            if (peek(1) == u'H' || peek(1) == u'h' || peek(1) == u'O' || peek(1) == u'o' || isOctalDigit(peek(1))) {
                scanRadixNumber(t);
                return;
            }
            ++pos_;
            t.kind = Tok::Amp;
            return;
        case u'<':
            ++pos_;
            if (peek() == u'>') { ++pos_; t.kind = Tok::Ne; }
            else if (peek() == u'=') { ++pos_; t.kind = Tok::Le; }
            else t.kind = Tok::Lt;
            return;
        case u'>':
            ++pos_;
            if (peek() == u'=') { ++pos_; t.kind = Tok::Ge; }
            else t.kind = Tok::Gt;
            return;
        case u'=':
            ++pos_;
            t.kind = Tok::Eq;
            return;
        default: break;
        }
        static const struct { char16_t ch; Tok kind; } singles[] = {
            {u'(', Tok::LParen}, {u')', Tok::RParen}, {u',', Tok::Comma}, {u'.', Tok::Dot},
            {u'+', Tok::Plus}, {u'-', Tok::Minus}, {u'*', Tok::Star}, {u'/', Tok::Slash},
            {u'\\', Tok::Backslash}, {u'^', Tok::Caret}, {u':', Tok::Colon},
        };
        for (const auto& s : singles) {
            if (s.ch == c) {
                ++pos_;
                t.kind = s.kind;
                return;
            }
        }
        failHere(cerr::InvalidCharacter);
    }

    void scanWord(Token& t)
    {
        size_t start = pos_;
        while (isIdentChar(peek()))
            ++pos_;
        std::u16string_view word = src_.substr(start, pos_ - start);
        if (word.size() > kMaxIdentifier)
            fail(cerr::IdentifierTooLong, t.line, t.column);
        std::u16string lower = quillo::script::toLower(word);
        if (lower == u"rem") {
            // a comment to the end of the line: the token is the line break after it
            skipToLineEnd();
            t.kind = Tok::Newline;
            if (pos_ < src_.size())
                scan(t);
            return;
        }
        auto it = reservedWords().find(lower);
        if (it != reservedWords().end()) {
            t.kind = it->second;
            t.text = std::u16string(word);
            return;
        }
        t.kind = Tok::Identifier;
        t.text = std::u16string(word);
    }

    void scanBracketName(Token& t)
    {
        size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != u']' && src_[pos_] != u'\r' && src_[pos_] != u'\n')
            ++pos_;
        if (peek() != u']')
            failHere(cerr::ExpectedRBracket);
        t.kind = Tok::Identifier;
        t.text = std::u16string(src_.substr(start, pos_ - start));
        ++pos_;
        if (t.text.size() > kMaxIdentifier)
            fail(cerr::IdentifierTooLong, t.line, t.column);
    }

    void scanString(Token& t)
    {
        std::u16string text;
        ++pos_;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == u'\r' || src_[pos_] == u'\n')
                failHere(cerr::UnterminatedString);
            char16_t c = src_[pos_++];
            if (c == u'"') {
                if (peek() == u'"') {
                    text.push_back(u'"');
                    ++pos_;
                    continue;
                }
                break;
            }
            text.push_back(c);
        }
        t.kind = Tok::String;
        t.value = Variant::fromString(std::move(text));
    }

    void scanDate(Token& t)
    {
        size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != u'#' && src_[pos_] != u'\r' && src_[pos_] != u'\n')
            ++pos_;
        if (peek() != u'#')
            fail(cerr::SyntaxError, t.line, t.column);
        auto ole = quillo::script::parseDate(src_.substr(start, pos_ - start));
        ++pos_;
        if (!ole)
            fail(cerr::SyntaxError, t.line, t.column);
        t.kind = Tok::Date;
        t.value = Variant::fromDate(*ole);
    }

    void scanNumber(Token& t)
    {
        size_t start = pos_;
        bool isFloat = false;
        while (isDigit(peek()))
            ++pos_;
        if (peek() == u'.') {
            isFloat = true;
            ++pos_;
            while (isDigit(peek()))
                ++pos_;
        }
        if (peek() == u'e' || peek() == u'E') {
            size_t save = pos_;
            ++pos_;
            if (peek() == u'+' || peek() == u'-')
                ++pos_;
            if (!isDigit(peek())) {
                pos_ = save;
            } else {
                isFloat = true;
                while (isDigit(peek()))
                    ++pos_;
            }
        }
        if (isLetter(peek()) || peek() == u'_')
            fail(cerr::ExpectedEndOfStatement, line_, int(pos_ - lineStart_) + 1);
        std::string digits;
        for (size_t i = start; i < pos_; ++i)
            digits.push_back(char(src_[i]));
        double v = std::strtod(digits.c_str(), nullptr);
        if (std::isinf(v))
            fail(cerr::InvalidNumber, t.line, t.column);
        t.kind = Tok::Number;
        if (!isFloat && v <= 32767)
            t.value = Variant::fromInteger(int16_t(v));
        else if (!isFloat && v <= 2147483647.0)
            t.value = Variant::fromLong(int32_t(v));
        else
            t.value = Variant::fromDouble(v);
    }

    // &H1F, &O17 (the O may be left out: &17), an optional trailing & makes it Long.
    void scanRadixNumber(Token& t)
    {
        ++pos_; // &
        char16_t r = peek();
        int base = (r == u'H' || r == u'h') ? 16 : 8;
        if (!isOctalDigit(r))
            ++pos_; // the radix letter
        uint64_t v = 0;
        bool any = false;
        for (;;) {
            char16_t c = peek();
            int d;
            if (isDigit(c)) d = c - u'0';
            else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
            else break;
            if (d >= base)
                fail(cerr::SyntaxError, line_, int(pos_ - lineStart_) + 1);
            v = v * uint64_t(base) + uint64_t(d);
            if (v > 0xFFFFFFFFull)
                fail(cerr::InvalidNumber, t.line, t.column);
            any = true;
            ++pos_;
        }
        if (!any)
            fail(cerr::SyntaxError, t.line, t.column);
        bool forceLong = false;
        if (peek() == u'&') {
            forceLong = true;
            ++pos_;
        }
        t.kind = Tok::Number;
        if (!forceLong && v <= 0xFFFF)
            t.value = Variant::fromInteger(int16_t(uint16_t(v)));
        else
            t.value = Variant::fromLong(int32_t(uint32_t(v)));
    }

    std::u16string_view src_;
    size_t pos_ = 0;
    size_t lineStart_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<Token> tokenize(std::u16string_view source)
{
    return Lexer(source).run();
}

quillo::script::ScriptError compileError(int number, std::u16string_view source, int line, int column)
{
    quillo::script::ScriptError e(number, std::u16string(quillo::script::vbscriptDescription(number)),
                                  std::u16string(quillo::script::kVBScriptCompileSource));
    e.standardDescription = true;
    e.line = line;
    e.column = column;
    // the text of line `line`
    size_t p = 0;
    for (int l = 1; l < line && p < source.size(); ++p) {
        if (source[p] == u'\n' || (source[p] == u'\r' && (p + 1 >= source.size() || source[p + 1] != u'\n')))
            ++l;
    }
    size_t end = p;
    while (end < source.size() && source[end] != u'\r' && source[end] != u'\n')
        ++end;
    e.sourceText = std::u16string(source.substr(p, end - p));
    return e;
}

} // namespace quillo::vbscript
