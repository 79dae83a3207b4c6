#include "scripting/core/Text.h"

#include <cstdint>
#include <cstring>

namespace quillo::script {

std::string toUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate cannot be encoded
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string fromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        uint32_t c = 0;
        int extra = 0;
        uint32_t min = 0;
        if (b < 0x80) {
            out += char16_t(b);
            ++i;
            continue;
        } else if (b == 0xC0 || b == 0xC1 || b >= 0xF5) {
            out += u'\uFFFD'; // can only start an overlong or out-of-range sequence
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, extra = 1, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, extra = 2, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, extra = 3, min = 0x10000;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        int k = 1;
        for (; k <= extra && i + k < n; ++k) {
            const unsigned char cb = static_cast<unsigned char>(text[i + k]);
            if ((cb & 0xC0) != 0x80)
                break;
            c = (c << 6) | (cb & 0x3F);
        }
        if (k <= extra || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += u'\uFFFD';
            i += size_t(k);
            continue;
        }
        i += size_t(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

bool isValidUtf8(std::string_view bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = s + bytes.size();
    while (s < end) {
        if (end - s >= 8) { // ASCII is skipped eight bytes at a time
            uint64_t word;
            std::memcpy(&word, s, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                s += 8;
                continue;
            }
        }
        const unsigned lead = *s;
        if (lead < 0x80) {
            ++s;
            continue;
        }
        int length;
        unsigned low = 0x80, high = 0xBF; // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - s < length || s[1] < low || s[1] > high)
            return false;
        for (int i = 2; i < length; ++i)
            if ((s[i] & 0xC0) != 0x80)
                return false;
        s += length;
    }
    return true;
}

std::u16string fromAscii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

char16_t toLowerChar(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return char16_t(c + 32);
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs upper/lower on even/odd code points, except a
        // stretch (0x139-0x148, 0x179-0x17E) that pairs odd/even.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? char16_t(c + 1) : c;
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c == 0x130 ? u'i' : c;
        if (c == 0x178)
            return 0xFF;
        return (c & 1) ? c : char16_t(c + 1);
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return char16_t(c + 32);
    if (c >= 0x410 && c <= 0x42F)
        return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return char16_t(c + 80);
    return c;
}

char16_t toUpperChar(char16_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return char16_t(c - 32);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c & 1) ? c : char16_t(c - 1);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c == 0x131 ? u'I' : c;
        return (c & 1) ? char16_t(c - 1) : c;
    }
    if (c == 0x3C2) // final sigma
        return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3CB)
        return char16_t(c - 32);
    if (c >= 0x430 && c <= 0x44F)
        return char16_t(c - 32);
    if (c >= 0x450 && c <= 0x45F)
        return char16_t(c - 80);
    return c;
}

std::u16string toLower(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        c = toLowerChar(c);
    return out;
}

std::u16string toUpper(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        c = toUpperChar(c);
    return out;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && toLowerChar(a[i]) != toLowerChar(b[i]))
            return false;
    return true;
}

int compareIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = toLowerChar(a[i]);
        const char16_t y = toLowerChar(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

size_t CaseInsensitiveHash::operator()(std::u16string_view s) const noexcept
{
    // FNV-1a over the lower-cased code units.
    size_t h = 1469598103934665603ull;
    for (char16_t c : s) {
        h ^= toLowerChar(c);
        h *= 1099511628211ull;
    }
    return h;
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == 0xA0;
}

std::u16string_view trimBlanks(std::u16string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

} // namespace quillo::script
