#include "scripting/jscript/NumberConv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scripting/jscript/Lexer.h"

namespace quillo::jscript {

namespace {

std::u16string ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Shortest digits that read back as d (d > 0): digits and the exponent n such that
// d = 0.DIGITS * 10^n.
void shortestDigits(double d, std::string& digits, int& n) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific);
    std::string s(buf, r.ptr);
    size_t e = s.find('e');
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    digits.clear();
    for (char c : mant)
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    n = exp + 1;
}

// d > 0 rounded half-up to `count` significant digits (count >= 1): the digits and the
// decimal exponent of the first digit (d ~ D.DDD * 10^exp).
void roundedDigits(double d, int count, std::string& digits, int& exp) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%.110e", d);
    std::string s(buf);
    size_t e = s.find('e');
    exp = std::atoi(s.c_str() + e + 1);
    std::string all;
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') all += s[i];
    if (count >= static_cast<int>(all.size())) {
        digits = all + std::string(count - all.size(), '0');
        return;
    }
    digits = all.substr(0, count);
    if (all[count] >= '5') {
        int i = count - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exp;
        } else {
            ++digits[i];
        }
    }
}

std::string expSuffix(int e) { return std::string("e") + (e < 0 ? "-" : "+") + std::to_string(std::abs(e)); }

}  // namespace

std::u16string numberToString(double d) {
    if (std::isnan(d)) return u"NaN";
    if (d == 0) return u"0";
    if (std::isinf(d)) return d < 0 ? u"-Infinity" : u"Infinity";
    if (d == std::trunc(d) && std::fabs(d) < 1e21 && std::fabs(d) <= 9007199254740992.0) {
        // Whole numbers in the exact range: plain digits.
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<int64_t>(d));
        return std::u16string(buf, r.ptr);
    }
    std::string out;
    if (d < 0) {
        out = "-";
        d = -d;
    }
    std::string s;
    int n;
    shortestDigits(d, s, n);
    int k = static_cast<int>(s.size());
    if (k <= n && n <= 21) {
        out += s + std::string(n - k, '0');
    } else if (0 < n && n <= 21) {
        out += s.substr(0, n) + "." + s.substr(n);
    } else if (-6 < n && n <= 0) {
        out += "0." + std::string(-n, '0') + s;
    } else {
        out += s.substr(0, 1);
        if (k > 1) out += "." + s.substr(1);
        out += expSuffix(n - 1);
    }
    return ascii(out);
}

void appendNumber(std::u16string& out, double d) {
    if (d >= 0 && d < 2147483648.0 && d == static_cast<double>(static_cast<int32_t>(d)) && !(d == 0 && std::signbit(d))) {
        char16_t buf[10];
        char16_t* p = buf + 10;
        uint32_t n = static_cast<uint32_t>(d);
        do {
            *--p = static_cast<char16_t>(u'0' + n % 10);
            n /= 10;
        } while (n);
        out.append(p, buf + 10);
        return;
    }
    out += numberToString(d);
}

std::u16string numberToStringRadix(double d, int radix) {
    if (radix == 10 || std::isnan(d) || std::isinf(d)) return numberToString(d);
    bool neg = d < 0;
    if (neg) d = -d;
    double ip = std::floor(d);
    double fp = d - ip;
    std::string digits;
    const char* chars = "0123456789abcdefghijklmnopqrstuvwxyz";
    if (ip == 0) digits = "0";
    while (ip > 0) {
        // fmod is exact, so the digit stays in range however large ip is.
        int r = static_cast<int>(std::fmod(ip, radix));
        digits.insert(digits.begin(), chars[r]);
        ip = std::floor(ip / radix);
    }
    if (fp > 0) {
        digits += '.';
        for (int i = 0; i < 52 && fp > 0; ++i) {
            fp *= radix;
            int dgt = static_cast<int>(fp);
            digits += chars[dgt];
            fp -= dgt;
        }
    }
    return ascii((neg ? "-" : "") + digits);
}

std::u16string formatFixed(double d, int f) {
    if (std::isnan(d)) return u"NaN";
    if (std::fabs(d) >= 1e21 || std::isinf(d)) return numberToString(d);
    std::string sign = d < 0 ? "-" : "";
    double x = std::fabs(d);
    std::string D;
    int e = 0;
    int k = 0;
    if (x != 0) {
        // Decimal exponent of the exact value, before any rounding.
        char buf[160];
        std::snprintf(buf, sizeof buf, "%.110e", x);
        e = std::atoi(std::strchr(buf, 'e') + 1);
        k = f + e + 1;
    }
    if (x == 0 || k <= 0) {
        std::string out = sign + "0";
        if (f > 0) out += "." + std::string(f, '0');
        return ascii(out);
    }
    roundedDigits(x, k, D, e);
    if (static_cast<int>(D.size()) < f + e + 1) D += std::string(f + e + 1 - D.size(), '0');
    std::string out = sign;
    int intDigits = e + 1;
    if (intDigits <= 0) {
        out += "0";
        std::string frac = std::string(-intDigits, '0') + D;
        if (f > 0) out += "." + frac.substr(0, f);
    } else {
        out += D.substr(0, intDigits);
        if (f > 0) out += "." + D.substr(intDigits, f);
    }
    return ascii(out);
}

std::u16string formatExponential(double d, int digits) {
    if (std::isnan(d) || std::isinf(d)) return numberToString(d);
    std::string out = d < 0 ? "-" : "";
    double x = std::fabs(d);
    std::string D;
    int e = 0;
    if (x == 0) {
        D = std::string(digits < 0 ? 1 : digits + 1, '0');
    } else if (digits < 0) {
        int n;
        shortestDigits(x, D, n);
        e = n - 1;
    } else {
        roundedDigits(x, digits + 1, D, e);
    }
    out += D.substr(0, 1);
    if (D.size() > 1) out += "." + D.substr(1);
    out += expSuffix(e);
    return ascii(out);
}

std::u16string formatPrecision(double d, int p) {
    if (std::isnan(d) || std::isinf(d)) return numberToString(d);
    std::string out = d < 0 ? "-" : "";
    double x = std::fabs(d);
    std::string D;
    int e = 0;
    if (x == 0) {
        D = std::string(p, '0');
    } else {
        roundedDigits(x, p, D, e);
    }
    if (e < -6 || e >= p) {
        out += D.substr(0, 1);
        if (p > 1) out += "." + D.substr(1);
        out += expSuffix(e);
    } else if (e >= 0) {
        out += D.substr(0, e + 1);
        if (p > e + 1) out += "." + D.substr(e + 1);
    } else {
        out += "0." + std::string(-e - 1, '0') + D;
    }
    return ascii(out);
}

double stringToNumber(std::u16string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (isJsSpace(s[b]) || isLineTerminator(s[b]))) ++b;
    while (e > b && (isJsSpace(s[e - 1]) || isLineTerminator(s[e - 1]))) --e;
    s = s.substr(b, e - b);
    if (s.empty()) return 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        double v = 0;
        for (size_t i = 2; i < s.size(); ++i) {
            char16_t c = s[i];
            int dgt;
            if (c >= '0' && c <= '9') dgt = c - '0';
            else if (c >= 'a' && c <= 'f') dgt = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') dgt = c - 'A' + 10;
            else return std::nan("");
            v = v * 16 + dgt;
        }
        return v;
    }
    size_t i = 0;
    bool neg = false;
    if (s[0] == '+' || s[0] == '-') {
        neg = s[0] == '-';
        i = 1;
    }
    if (s.substr(i) == u"Infinity") return neg ? -INFINITY : INFINITY;
    std::string a;
    a.reserve(s.size());
    bool digits = false;
    size_t j = i;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') { a += static_cast<char>(s[j++]); digits = true; }
    if (j < s.size() && s[j] == '.') {
        a += '.';
        ++j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { a += static_cast<char>(s[j++]); digits = true; }
    }
    if (!digits) return std::nan("");
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        a += 'e';
        ++j;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) a += static_cast<char>(s[j++]);
        bool ed = false;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { a += static_cast<char>(s[j++]); ed = true; }
        if (!ed) return std::nan("");
    }
    if (j != s.size()) return std::nan("");
    double v = std::strtod(a.c_str(), nullptr);
    return neg ? -v : v;
}

}  // namespace quillo::jscript
