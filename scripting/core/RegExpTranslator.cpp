#include "scripting/core/RegExpTranslator.h"

#include "scripting/core/ScriptError.h"

#include <cstdint>
#include <span>

namespace quillo::script::regexp {

namespace {

constexpr int kSyntaxError = 5017;
constexpr int kUnexpectedQuantifier = 5018;
constexpr int kExpectedBracket = 5019;
constexpr int kExpectedParen = 5020;
constexpr int kInvalidRange = 5021;

struct Range {
    char16_t lo, hi;
};

// The class escapes, as sorted, disjoint code-unit ranges.
constexpr Range kDigit[] = {{u'0', u'9'}};
constexpr Range kWord[] = {{u'0', u'9'}, {u'A', u'Z'}, {u'_', u'_'}, {u'a', u'z'}};
// White space and line terminators: tab, LF, VT, FF, CR, space, no-break space and the
// Unicode space separators, line and paragraph separator.
constexpr Range kSpace[] = {{0x09, 0x0D},     {0x20, 0x20},     {0xA0, 0xA0},     {0x1680, 0x1680},
                            {0x180E, 0x180E}, {0x2000, 0x200A}, {0x2028, 0x2029}, {0x202F, 0x202F},
                            {0x205F, 0x205F}, {0x3000, 0x3000}};

// Written with (?-i:) so that ignoreCase does not widen the word characters.
constexpr std::u16string_view kWordBoundary =
    u"(?-i:(?<=[0-9A-Z_a-z])(?![0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?=[0-9A-Z_a-z]))";
constexpr std::u16string_view kNotWordBoundary =
    u"(?-i:(?<=[0-9A-Z_a-z])(?=[0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?![0-9A-Z_a-z]))";
constexpr std::u16string_view kAnyButLineTerminator = u"[^\\n\\r\\x{2028}\\x{2029}]";
constexpr std::u16string_view kLineStart = u"(?:^|(?<=[\\n\\r\\x{2028}\\x{2029}]))";
constexpr std::u16string_view kLineEnd = u"(?=[\\n\\r\\x{2028}\\x{2029}]|\\z)";
constexpr std::u16string_view kSubjectEnd = u"\\z";
constexpr std::u16string_view kNothing = u"(?!)";
constexpr std::u16string_view kAnything = u"[\\x{0}-\\x{ffff}]";

[[noreturn]] void fail(int number)
{
    throw ScriptError::runtime(number);
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }
bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isAsciiAlnum(char16_t c) { return isAsciiLetter(c) || isDigit(c); }

int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void appendNumber(std::u16string& out, uint64_t value)
{
    char buffer[24];
    int n = 0;
    do {
        buffer[n++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (n)
        out += char16_t(buffer[--n]);
}

void appendHex(std::u16string& out, char16_t c)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += u"\\x{";
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
        int d = (c >> shift) & 0xF;
        if (d || started || shift == 0) {
            out += char16_t(digits[d]);
            started = true;
        }
    }
    out += u'}';
}

// A character outside a class: letters and digits stand for themselves in PCRE2, every
// other character is written as a hex escape so that it cannot be read as syntax.
void appendLiteral(std::u16string& out, char16_t c)
{
    if (isAsciiAlnum(c))
        out += c;
    else
        appendHex(out, c);
}

void appendRange(std::u16string& out, char16_t lo, char16_t hi)
{
    appendHex(out, lo);
    if (hi != lo) {
        out += u'-';
        appendHex(out, hi);
    }
}

void appendRanges(std::u16string& out, std::span<const Range> ranges, bool complement)
{
    if (!complement) {
        for (Range r : ranges)
            appendRange(out, r.lo, r.hi);
        return;
    }
    uint32_t next = 0;
    for (Range r : ranges) {
        if (r.lo > next)
            appendRange(out, char16_t(next), char16_t(r.lo - 1));
        next = uint32_t(r.hi) + 1;
    }
    if (next <= 0xFFFF)
        appendRange(out, char16_t(next), 0xFFFF);
}

std::span<const Range> classEscapeRanges(char16_t letter)
{
    switch (letter | 0x20) {
    case u'd':
        return kDigit;
    case u'w':
        return kWord;
    default:
        return kSpace;
    }
}

bool isClassEscape(char16_t c)
{
    switch (c) {
    case u'd': case u'D': case u'w': case u'W': case u's': case u'S':
        return true;
    default:
        return false;
    }
}

// Capturing groups in the whole pattern: an escape \N is a backreference only up to it.
int countGroups(std::u16string_view p)
{
    int count = 0;
    size_t i = 0;
    while (i < p.size()) {
        char16_t c = p[i++];
        if (c == u'\\') {
            ++i;
        } else if (c == u'[') {
            if (i < p.size() && p[i] == u'^')
                ++i;
            if (i < p.size() && p[i] == u']') {
                ++i;
                continue;
            }
            while (i < p.size() && p[i] != u']')
                i += p[i] == u'\\' ? 2 : 1;
            ++i;
        } else if (c == u'(' && (i >= p.size() || p[i] != u'?')) {
            ++count;
        }
    }
    return count;
}

// One element of a character class: a single character or a class escape's set.
struct ClassAtom {
    char16_t c = 0;
    char16_t setLetter = 0; // 'd', 'W', ... when the atom is a set
};

class Translator {
public:
    Translator(std::u16string_view pattern, bool multiline, bool ignoreCase)
        : p_(pattern), multiline_(multiline), ignoreCase_(ignoreCase), groups_(countGroups(pattern))
    {
        out_.reserve(pattern.size() * 2);
    }

    Translation run()
    {
        int depth = 0;
        bool canQuantify = false; // the previous term is an atom without a quantifier
        while (i_ < p_.size()) {
            char16_t c = p_[i_++];
            switch (c) {
            case u'|':
                out_ += u'|';
                canQuantify = false;
                break;
            case u'(':
                openGroup();
                ++depth;
                canQuantify = false;
                break;
            case u')':
                if (depth == 0)
                    fail(kSyntaxError);
                --depth;
                out_ += u')';
                canQuantify = true;
                break;
            case u'*':
            case u'+':
            case u'?':
                if (!canQuantify)
                    fail(kUnexpectedQuantifier);
                out_ += c;
                lazySuffix();
                canQuantify = false;
                break;
            case u'{':
                if (bracedQuantifier()) {
                    if (!canQuantify)
                        fail(kUnexpectedQuantifier);
                    lazySuffix();
                    canQuantify = false;
                } else {
                    appendLiteral(out_, c);
                    canQuantify = true;
                }
                break;
            case u'^':
                out_ += multiline_ ? kLineStart : std::u16string_view(u"^");
                canQuantify = false;
                break;
            case u'$':
                out_ += multiline_ ? kLineEnd : kSubjectEnd;
                canQuantify = false;
                break;
            case u'.':
                out_ += kAnyButLineTerminator;
                canQuantify = true;
                break;
            case u'[':
                characterClass();
                canQuantify = true;
                break;
            case u'\\':
                canQuantify = atomEscape();
                break;
            default:
                appendLiteral(out_, c);
                canQuantify = true;
                break;
            }
        }
        if (depth > 0)
            fail(kExpectedParen);
        return {std::move(out_), groups_};
    }

private:
    void openGroup()
    {
        if (i_ < p_.size() && p_[i_] == u'?') {
            if (i_ + 1 < p_.size() && (p_[i_ + 1] == u':' || p_[i_ + 1] == u'=' || p_[i_ + 1] == u'!')) {
                out_ += u"(?";
                out_ += p_[i_ + 1];
                i_ += 2;
                return;
            }
            fail(kSyntaxError);
        }
        out_ += u'(';
    }

    void lazySuffix()
    {
        if (i_ < p_.size() && p_[i_] == u'?') {
            out_ += u'?';
            ++i_;
        }
    }

    // Reads a decimal number of at most 9 digits worth keeping; larger values saturate and
    // are rejected by PCRE2 as too big.
    bool readNumber(uint64_t& value)
    {
        size_t start = i_;
        value = 0;
        while (i_ < p_.size() && isDigit(p_[i_])) {
            if (value < 1000000000)
                value = value * 10 + (p_[i_] - u'0');
            ++i_;
        }
        return i_ > start;
    }

    // {n}, {n,} or {n,m} right after '{'; anything else leaves the brace a literal.
    bool bracedQuantifier()
    {
        size_t start = i_;
        uint64_t lo = 0, hi = 0;
        bool unbounded = false;
        if (readNumber(lo)) {
            if (i_ < p_.size() && p_[i_] == u',') {
                ++i_;
                unbounded = !readNumber(hi);
            } else {
                hi = lo;
            }
            if (i_ < p_.size() && p_[i_] == u'}') {
                ++i_;
                if (!unbounded && lo > hi)
                    fail(kSyntaxError);
                out_ += u'{';
                appendNumber(out_, lo);
                if (unbounded || hi != lo) {
                    out_ += u',';
                    if (!unbounded)
                        appendNumber(out_, hi);
                }
                out_ += u'}';
                return true;
            }
        }
        i_ = start;
        return false;
    }

    // After the backslash outside a class; returns whether a quantifier may follow.
    bool atomEscape()
    {
        if (i_ >= p_.size())
            fail(kSyntaxError);
        char16_t c = p_[i_++];
        if (c == u'b' || c == u'B') {
            out_ += c == u'b' ? kWordBoundary : kNotWordBoundary;
            return false;
        }
        if (isClassEscape(c)) {
            std::u16string set;
            appendRanges(set, classEscapeRanges(c), c < u'a');
            appendCaseSensitiveClass(set, false);
            return true;
        }
        if (c >= u'1' && c <= u'9') {
            size_t start = i_ - 1;
            i_ = start;
            uint64_t number = 0;
            readNumber(number);
            if (number <= uint64_t(groups_)) {
                out_ += u"\\g{";
                appendNumber(out_, number);
                out_ += u'}';
                return true;
            }
            i_ = start; // not a group: an octal escape, or the digit 8 or 9 itself
            appendLiteral(out_, legacyOctal());
            return true;
        }
        if (c == u'0') {
            --i_;
            appendLiteral(out_, legacyOctal());
            return true;
        }
        appendLiteral(out_, characterEscape(c, false));
        return true;
    }

    // At a digit after a backslash: up to three octal digits (value at most 0377); 8 and 9
    // stand for themselves.
    char16_t legacyOctal()
    {
        char16_t first = p_[i_++];
        if (!isOctalDigit(first))
            return first;
        unsigned value = first - u'0';
        if (i_ < p_.size() && isOctalDigit(p_[i_])) {
            value = value * 8 + (p_[i_++] - u'0');
            if (first <= u'3' && i_ < p_.size() && isOctalDigit(p_[i_]))
                value = value * 8 + (p_[i_++] - u'0');
        }
        return char16_t(value);
    }

    bool readHex(int digits, char16_t& value)
    {
        if (i_ + digits > p_.size())
            return false;
        unsigned v = 0;
        for (int k = 0; k < digits; ++k) {
            int d = hexValue(p_[i_ + k]);
            if (d < 0)
                return false;
            v = v * 16 + unsigned(d);
        }
        i_ += digits;
        value = char16_t(v);
        return true;
    }

    // The character a backslash and `c` stand for; unknown escapes are the character itself.
    char16_t characterEscape(char16_t c, bool inClass)
    {
        char16_t value = 0;
        switch (c) {
        case u'f':
            return 0x0C;
        case u'n':
            return 0x0A;
        case u'r':
            return 0x0D;
        case u't':
            return 0x09;
        case u'v':
            return 0x0B;
        case u'c':
            if (i_ < p_.size() &&
                (isAsciiLetter(p_[i_]) || (inClass && (isDigit(p_[i_]) || p_[i_] == u'_'))))
                return char16_t(p_[i_++] % 32);
            --i_; // a lone \c is a backslash; the c is read again as itself
            return u'\\';
        case u'x':
            return readHex(2, value) ? value : c;
        case u'u':
            return readHex(4, value) ? value : c;
        default:
            return c;
        }
    }

    ClassAtom classAtom()
    {
        char16_t c = p_[i_++];
        if (c != u'\\')
            return {c, 0};
        if (i_ >= p_.size())
            fail(kExpectedBracket);
        char16_t e = p_[i_++];
        if (isClassEscape(e))
            return {0, e};
        if (e == u'b')
            return {0x08, 0};
        if (isDigit(e)) {
            --i_;
            return {legacyOctal(), 0};
        }
        return {characterEscape(e, true), 0};
    }

    // Class escapes are matched without case folding: folded, \W would take in 's' and
    // 'k' through the long s and the Kelvin sign, which it contains.
    void appendClassAtom(std::u16string& items, std::u16string& sets, ClassAtom atom)
    {
        if (atom.setLetter)
            appendRanges(ignoreCase_ ? sets : items, classEscapeRanges(atom.setLetter), atom.setLetter < u'a');
        else
            appendHex(items, atom.c);
    }

    void appendCaseSensitiveClass(const std::u16string& set, bool negate)
    {
        out_ += ignoreCase_ ? u"(?-i:[" : u"[";
        if (negate)
            out_ += u'^';
        out_ += set;
        out_ += ignoreCase_ ? u"])" : u"]";
    }

    // After '['. `[]` matches nothing and `[^]` any character.
    void characterClass()
    {
        bool negate = false;
        if (i_ < p_.size() && p_[i_] == u'^') {
            negate = true;
            ++i_;
        }
        if (i_ < p_.size() && p_[i_] == u']') {
            ++i_;
            out_ += negate ? kAnything : kNothing;
            return;
        }
        std::u16string items, sets; // sets stays empty unless ignoreCase
        for (;;) {
            if (i_ >= p_.size())
                fail(kExpectedBracket);
            if (p_[i_] == u']') {
                ++i_;
                break;
            }
            ClassAtom from = classAtom();
            if (i_ + 1 < p_.size() && p_[i_] == u'-' && p_[i_ + 1] != u']') {
                ++i_;
                ClassAtom to = classAtom();
                if (from.setLetter || to.setLetter) {
                    // A range with a set at either end is the set, a dash and the other end.
                    appendClassAtom(items, sets, from);
                    appendHex(items, u'-');
                    appendClassAtom(items, sets, to);
                } else {
                    if (from.c > to.c)
                        fail(kInvalidRange);
                    appendRange(items, from.c, to.c);
                }
            } else {
                appendClassAtom(items, sets, from);
            }
        }
        if (sets.empty()) {
            out_ += negate ? u"[^" : u"[";
            out_ += items;
            out_ += u']';
        } else if (items.empty()) {
            appendCaseSensitiveClass(sets, negate);
        } else if (!negate) { // [items] or (?-i:[sets])
            out_ += u"(?:[";
            out_ += items;
            out_ += u"]|";
            appendCaseSensitiveClass(sets, false);
            out_ += u')';
        } else { // neither in [items] nor in (?-i:[sets])
            out_ += u"(?![";
            out_ += items;
            out_ += u"])";
            appendCaseSensitiveClass(sets, true);
        }
    }

    std::u16string_view p_;
    size_t i_ = 0;
    bool multiline_;
    bool ignoreCase_;
    int groups_;
    std::u16string out_;
};

} // namespace

Translation translate(std::u16string_view pattern, bool multiline, bool ignoreCase)
{
    return Translator(pattern, multiline, ignoreCase).run();
}

} // namespace quillo::script::regexp
