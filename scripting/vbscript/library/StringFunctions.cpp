// Asc/Chr, InStr, Left/Mid/Right, Len, trimming, case, StrComp, Replace, Escape and their
// byte-oriented variants. Positions are 1-based as scripts see them; lengths are Longs.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/ByteString.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/TextLimits.h"

#include "scripting/core/Text.h"
#include "scripting/core/Windows1252.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

// Argument `i` as bytes: a String keeps its odd byte, other values become text.
std::vector<uint8_t> bytesArg(std::span<Variant> args, size_t i)
{
    const Variant& v = arg(args, i).deref();
    if (v.isString())
        return bytesOf(v);
    return bytesOf(TextArg(args, i).view());
}

// The bytes InStrB searches: text compares fold case first.
std::vector<uint8_t> searchedBytes(std::span<Variant> args, size_t i, Compare mode)
{
    const Variant& v = arg(args, i).deref();
    if (mode == Compare::Binary && v.isString())
        return bytesOf(v);
    const int odd = v.isString() ? v.stringOddByte() : -1;
    return bytesOf(SearchTextArg(args, i, mode).searched(), odd);
}

// The odd byte of argument `i` when it is a String of odd byte length, else -1.
int oddByteArg(std::span<Variant> args, size_t i)
{
    const Variant& v = arg(args, i).deref();
    return v.isString() ? v.stringOddByte() : -1;
}

// The first even (character) offset at or after `from` where `what` occurs in `text`;
// npos when there is none. Binary compares of strings with an odd byte search this way.
size_t findBytesAtCharacter(const std::vector<uint8_t>& text, const std::vector<uint8_t>& what, size_t from)
{
    for (size_t at = from; at + what.size() <= text.size(); at += 2)
        if (std::equal(what.begin(), what.end(), text.begin() + ptrdiff_t(at)))
            return at;
    return std::string::npos;
}

int32_t nonNegativeLength(std::span<Variant> args, size_t i)
{
    const int32_t n = longArg(args, i);
    if (n < 0)
        invalidCall();
    return n;
}

Variant trimmed(std::span<Variant> args, bool leading, bool trailing)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const TextArg text(args, 0);
    size_t first = 0;
    size_t last = text.size();
    if (leading)
        while (first < last && text[first] == u' ')
            ++first;
    if (trailing)
        while (last > first && text[last - 1] == u' ')
            --last;
    return Variant::fromString(text.view().substr(first, last - first));
}

// InStr's and InStrB's arguments: [start,] string1, string2[, compare]. A start below 1
// raises 5 before the strings are looked at; a Null string makes the result Null.
struct InStrArgs {
    explicit InStrArgs(std::span<Variant> args)
    {
        if (args.size() >= 3) {
            first = 1;
            start = longArg(args, 0);
            if (start < 1)
                invalidCall();
        }
        mode = compareArg(args, first + 2);
        isNull = anyNull(args, {first, first + 1});
    }

    size_t first = 0; // index of string1
    int32_t start = 1;
    Compare mode = Compare::Binary;
    bool isNull = false;
};

// InStr's search: the 1-based position of `what` in `text` at or after `start`, 0 if none.
// An empty `text` has no positions, not even for an empty `what`.
int32_t findForward(std::u16string_view text, std::u16string_view what, int32_t start)
{
    if (text.empty() || size_t(start) > text.size() + (what.empty() ? 1 : 0))
        return 0;
    if (what.empty())
        return start;
    const size_t at = text.find(what, size_t(start) - 1);
    return at == std::u16string_view::npos ? 0 : int32_t(at) + 1;
}

bool isEscapeSafe(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'@' || c == u'*' || c == u'_' || c == u'+' || c == u'-' || c == u'.' || c == u'/';
}

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The value of `count` hex digits at text[at]; -1 when they are not all hex digits.
int hexValue(std::u16string_view text, size_t at, size_t count)
{
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        const int digit = hexDigit(text[at + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

QUILLO_VBS_BUILTIN(asc)
{
    const TextArg text(args, 0);
    if (text.empty())
        invalidCall();
    return Variant::fromInteger(int16_t(script::unicodeToWindows1252(text[0]).value_or(uint8_t('?'))));
}

QUILLO_VBS_BUILTIN(ascB)
{
    const std::vector<uint8_t> bytes = bytesArg(args, 0);
    if (bytes.empty())
        invalidCall();
    return Variant::fromInteger(int16_t(bytes[0]));
}

QUILLO_VBS_BUILTIN(ascW)
{
    const TextArg text(args, 0);
    if (text.empty())
        invalidCall();
    return Variant::fromInteger(int16_t(text[0]));
}

QUILLO_VBS_BUILTIN(chr)
{
    const int32_t code = longArg(args, 0);
    if (code < 0 || code > 255)
        invalidCall();
    return Variant::fromString(std::u16string(1, script::windows1252ToUnicode(uint8_t(code))));
}

// A string one byte long.
QUILLO_VBS_BUILTIN(chrB)
{
    const int32_t code = longArg(args, 0);
    if (code < 0 || code > 255)
        invalidCall();
    return Variant::fromBytes(std::u16string(), code);
}

QUILLO_VBS_BUILTIN(chrW)
{
    const int32_t code = longArg(args, 0);
    if (code < -32768 || code > 65535)
        invalidCall();
    return Variant::fromString(std::u16string(1, char16_t(code & 0xFFFF)));
}

// InStr([start,] string1, string2[, compare])
QUILLO_VBS_BUILTIN(inStr)
{
    const InStrArgs in(args);
    if (in.isNull)
        return Variant::null();
    if (in.mode == Compare::Binary && (oddByteArg(args, in.first) >= 0 || oddByteArg(args, in.first + 1) >= 0)) {
        // the odd bytes take part: a byte search at character positions
        const std::vector<uint8_t> text = bytesArg(args, in.first);
        const std::vector<uint8_t> what = bytesArg(args, in.first + 1);
        if (text.empty() || size_t(in.start) > text.size() / 2 + 1)
            return Variant::fromLong(0);
        if (what.empty())
            return Variant::fromLong(in.start);
        const size_t at = findBytesAtCharacter(text, what, size_t(in.start - 1) * 2);
        return Variant::fromLong(at == std::string::npos ? 0 : int32_t(at / 2) + 1);
    }
    const SearchTextArg text(args, in.first, in.mode);
    const SearchTextArg what(args, in.first + 1, in.mode);
    return Variant::fromLong(findForward(text.searched(), what.searched(), in.start));
}

// InStrB([start,] string1, string2[, compare]): byte positions.
QUILLO_VBS_BUILTIN(inStrB)
{
    const InStrArgs in(args);
    if (in.isNull)
        return Variant::null();
    const int32_t start = in.start;
    const std::vector<uint8_t> text = searchedBytes(args, in.first, in.mode);
    const std::vector<uint8_t> what = searchedBytes(args, in.first + 1, in.mode);
    if (text.empty() || size_t(start) > text.size() + (what.empty() ? 1 : 0))
        return Variant::fromLong(0);
    if (what.empty())
        return Variant::fromLong(start);
    const auto at = std::search(text.begin() + (start - 1), text.end(), what.begin(), what.end());
    return Variant::fromLong(at == text.end() ? 0 : int32_t(at - text.begin()) + 1);
}

// InStrRev(string1, string2[, start[, compare]]): the match must end at or before `start`.
QUILLO_VBS_BUILTIN(inStrRev)
{
    const int32_t start = longArgOr(args, 2, -1);
    if (start == 0 || start < -1)
        invalidCall();
    const Compare mode = compareArg(args, 3);
    if (anyNull(args, {0, 1}))
        return Variant::null();
    const SearchTextArg subject(args, 0, mode);
    const SearchTextArg whatArg(args, 1, mode);
    const std::u16string_view text = subject.searched();
    const std::u16string_view what = whatArg.searched();
    const size_t end = start == -1 ? text.size() : size_t(start);
    if (end > text.size())
        return Variant::fromLong(0);
    if (what.empty())
        return Variant::fromLong(int32_t(end));
    if (what.size() > end)
        return Variant::fromLong(0);
    const size_t at = text.substr(0, end).rfind(what);
    return Variant::fromLong(at == std::u16string_view::npos ? 0 : int32_t(at) + 1);
}

QUILLO_VBS_BUILTIN(lCase)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromString(script::toLower(TextArg(args, 0).view()));
}

QUILLO_VBS_BUILTIN(uCase)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromString(script::toUpper(TextArg(args, 0).view()));
}

QUILLO_VBS_BUILTIN(left)
{
    const int32_t n = nonNegativeLength(args, 1);
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromString(TextArg(args, 0).view().substr(0, size_t(n)));
}

QUILLO_VBS_BUILTIN(leftB)
{
    const int32_t n = nonNegativeLength(args, 1);
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const std::vector<uint8_t> bytes = bytesArg(args, 0);
    return stringOfBytes(bytes.data(), std::min(bytes.size(), size_t(n)));
}

QUILLO_VBS_BUILTIN(right)
{
    const int32_t n = nonNegativeLength(args, 1);
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const TextArg text(args, 0);
    const size_t count = std::min(text.size(), size_t(n));
    return Variant::fromString(text.view().substr(text.size() - count));
}

QUILLO_VBS_BUILTIN(rightB)
{
    const int32_t n = nonNegativeLength(args, 1);
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const std::vector<uint8_t> bytes = bytesArg(args, 0);
    const size_t count = std::min(bytes.size(), size_t(n));
    return stringOfBytes(bytes.data() + (bytes.size() - count), count);
}

// Mid(string, start[, length])
QUILLO_VBS_BUILTIN(mid)
{
    const int32_t start = longArg(args, 1);
    if (start < 1)
        invalidCall();
    const int32_t count = given(args, 2) ? nonNegativeLength(args, 2) : INT32_MAX;
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const TextArg text(args, 0);
    if (size_t(start) > text.size())
        return Variant::fromString(std::u16string());
    return Variant::fromString(text.view().substr(size_t(start) - 1, size_t(count)));
}

QUILLO_VBS_BUILTIN(midB)
{
    const int32_t start = longArg(args, 1);
    if (start < 1)
        invalidCall();
    const int32_t count = given(args, 2) ? nonNegativeLength(args, 2) : INT32_MAX;
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const std::vector<uint8_t> bytes = bytesArg(args, 0);
    if (size_t(start) > bytes.size())
        return Variant::fromString(std::u16string());
    const size_t from = size_t(start) - 1;
    return stringOfBytes(bytes.data() + from, std::min(bytes.size() - from, size_t(count)));
}

QUILLO_VBS_BUILTIN(len)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    return Variant::fromLong(int32_t(TextArg(args, 0).size()));
}

QUILLO_VBS_BUILTIN(lenB)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const Variant& v = arg(args, 0).deref();
    if (v.isString())
        return Variant::fromLong(int32_t(v.asString().size() * 2 + (v.stringOddByte() >= 0 ? 1 : 0)));
    return Variant::fromLong(int32_t(TextArg(args, 0).size() * 2));
}

QUILLO_VBS_BUILTIN(lTrim)
{
    return trimmed(args, true, false);
}

QUILLO_VBS_BUILTIN(rTrim)
{
    return trimmed(args, false, true);
}

QUILLO_VBS_BUILTIN(trim)
{
    return trimmed(args, true, true);
}

QUILLO_VBS_BUILTIN(space)
{
    const int32_t n = nonNegativeLength(args, 0);
    checkStringLength(size_t(n));
    return Variant::fromString(std::u16string(size_t(n), u' '));
}

// String(number, character): character is a string (its first character) or a code.
QUILLO_VBS_BUILTIN(string)
{
    if (anyNull(args, {0, 1}))
        return Variant::null();
    const int32_t n = nonNegativeLength(args, 0);
    const Variant character = plainValue(arg(args, 1));
    char16_t c;
    if (character.isString()) {
        if (character.asString().empty())
            invalidCall();
        c = character.asString()[0];
    } else {
        const int32_t code = local::toLong(character);
        c = script::windows1252ToUnicode(uint8_t(((code % 256) + 256) % 256));
    }
    checkStringLength(size_t(n));
    return Variant::fromString(std::u16string(size_t(n), c));
}

QUILLO_VBS_BUILTIN(strComp)
{
    const Compare mode = compareArg(args, 2);
    if (anyNull(args, {0, 1}))
        return Variant::null();
    const TextArg a(args, 0);
    const TextArg b(args, 1);
    int order = mode == Compare::Text ? script::compareIgnoreCase(a, b) : a.view().compare(b);
    if (order == 0 && mode == Compare::Binary)
        order = oddByteArg(args, 0) - oddByteArg(args, 1); // equal characters: the odd bytes (none first)
    return Variant::fromInteger(int16_t(order < 0 ? -1 : order > 0 ? 1 : 0));
}

QUILLO_VBS_BUILTIN(strReverse)
{
    std::u16string text = textArg(args, 0);
    std::reverse(text.begin(), text.end());
    return Variant::fromString(std::move(text));
}

namespace {

// Replace over bytes, for arguments with an odd byte: matches start at characters, the
// odd bytes are searched for and kept.
Variant replaceBytes(std::span<Variant> args, int32_t start, int32_t count, Compare mode)
{
    const std::vector<uint8_t> original = bytesArg(args, 0);
    const std::vector<uint8_t> searched = searchedBytes(args, 0, mode); // same positions
    const std::vector<uint8_t> find = searchedBytes(args, 1, mode);
    const std::vector<uint8_t> with = bytesArg(args, 2);
    size_t from = size_t(start - 1) * 2;
    if (from >= original.size())
        return Variant::fromString(std::u16string());
    std::vector<uint8_t> result;
    for (int32_t done = 0; !find.empty() && (count == -1 || done < count); ++done) {
        const size_t at = findBytesAtCharacter(searched, find, (from + 1) & ~size_t(1));
        if (at == std::string::npos)
            break;
        result.insert(result.end(), original.begin() + ptrdiff_t(from), original.begin() + ptrdiff_t(at));
        result.insert(result.end(), with.begin(), with.end());
        checkStringLength(result.size() / 2);
        from = at + find.size();
    }
    result.insert(result.end(), original.begin() + ptrdiff_t(from), original.end());
    return stringOfBytes(result.data(), result.size());
}

} // namespace

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the result starts at
// `start`, and at most `count` (-1: all) non-overlapping occurrences are replaced.
QUILLO_VBS_BUILTIN(replace)
{
    const int32_t start = longArgOr(args, 3, 1);
    if (start < 1)
        invalidCall();
    const int32_t count = longArgOr(args, 4, -1);
    if (count < -1)
        invalidCall();
    const Compare mode = compareArg(args, 5);
    if (oddByteArg(args, 0) >= 0 || oddByteArg(args, 1) >= 0 || oddByteArg(args, 2) >= 0)
        return replaceBytes(args, start, count, mode);
    const SearchTextArg text(args, 0, mode);
    const SearchTextArg find(args, 1, mode);
    const TextArg with(args, 2);
    if (size_t(start) > text.original().size())
        return Variant::fromString(std::u16string());
    const std::u16string_view rest = text.original().substr(size_t(start) - 1);
    if (find.searched().empty() || count == 0)
        return Variant::fromString(rest);

    const std::u16string_view haystack = text.searched().substr(size_t(start) - 1);
    const std::u16string_view needle = find.searched();
    std::u16string result;
    size_t from = 0;
    int32_t done = 0;
    while (count == -1 || done < count) {
        const size_t at = haystack.find(needle, from);
        if (at == std::u16string_view::npos)
            break;
        result.append(rest.substr(from, at - from));
        result.append(with.view());
        checkStringLength(result.size());
        from = at + needle.size();
        ++done;
    }
    result.append(rest.substr(from));
    return Variant::fromString(std::move(result));
}

// Escape: the characters outside A-Z a-z 0-9 @*_+-./ as %XX or %uXXXX.
QUILLO_VBS_BUILTIN(escape)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string result;
    const TextArg text(args, 0);
    for (char16_t c : text.view()) {
        checkStringLength(result.size());
        if (isEscapeSafe(c)) {
            result.push_back(c);
        } else if (c < 0x100) {
            result += {u'%', kHex[c >> 4], kHex[c & 15]};
        } else {
            result += {u'%', u'u', kHex[c >> 12], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15],
                       kHex[c & 15]};
        }
    }
    return Variant::fromString(std::move(result));
}

// Unescape: %XX and %uXXXX back to characters; a malformed escape stays as it is.
QUILLO_VBS_BUILTIN(unescape)
{
    if (isNullValue(arg(args, 0)))
        return Variant::null();
    const TextArg argument(args, 0);
    const std::u16string_view text = argument.view();
    std::u16string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%') {
            if (i + 1 < text.size() && text[i + 1] == u'u') {
                const int value = hexValue(text, i + 2, 4);
                if (value >= 0) {
                    result.push_back(char16_t(value));
                    i += 5;
                    continue;
                }
            } else {
                const int value = hexValue(text, i + 1, 2);
                if (value >= 0) {
                    result.push_back(char16_t(value));
                    i += 2;
                    continue;
                }
            }
        }
        result.push_back(text[i]);
    }
    return Variant::fromString(std::move(result));
}

} // namespace quillo::vbscript::library
