#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <array>
#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

std::u16string number(int v, bool twoDigits = false)
{
    std::u16string s = script::fromAscii(std::to_string(v));
    if (twoDigits && s.size() < 2)
        s.insert(s.begin(), u'0');
    return s;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isDefault(const Locale& locale) { return &locale == &englishUnitedStates(); }

// One pattern field: `letter` repeated `count` times.
void appendField(std::u16string& out, char16_t letter, size_t count, const script::DateParts& p, const Locale& locale)
{
    const bool two = count >= 2;
    switch (letter) {
    case u'd':
        if (count >= 3)
            out += (count == 3 ? locale.weekdaysShort : locale.weekdays)[size_t(p.weekday - 1)];
        else
            out += number(p.day, two);
        return;
    case u'M':
        if (count >= 3)
            out += (count == 3 ? locale.monthsShort : locale.months)[size_t(p.month - 1)];
        else
            out += number(p.month, two);
        return;
    case u'y': out += count <= 2 ? number(p.year % 100, true) : number(p.year); return;
    case u'h': out += number(p.hour % 12 == 0 ? 12 : p.hour % 12, two); return;
    case u'H': out += number(p.hour, two); return;
    case u'm': out += number(p.minute, two); return;
    case u's': out += number(p.second, two); return;
    case u't': out += p.hour >= 12 ? u"PM" : u"AM"; return;
    default: out.append(count, letter);
    }
}

// `ole` written by a date or time pattern (see Locale.h).
std::u16string formatPattern(double ole, std::u16string_view pattern, const Locale& locale)
{
    const script::DateParts p = script::oleToParts(ole);
    std::u16string out;
    for (size_t i = 0; i < pattern.size();) {
        const char16_t c = pattern[i];
        if (c == u'\'') {
            const size_t close = pattern.find(u'\'', i + 1);
            const size_t stop = close == std::u16string_view::npos ? pattern.size() : close;
            out += pattern.substr(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        appendField(out, c, run, p, locale);
        i += run;
    }
    return out;
}

} // namespace

const Locale* findLocale(int32_t id)
{
    if (id == 0 || id == 1024 || id == 2048)
        return &englishUnitedStates();
    for (const Locale& l : locales())
        if (int32_t(l.id) == id)
            return &l;
    return nullptr;
}

const Locale* findLocaleTag(std::u16string_view tag)
{
    std::u16string lower = script::toLower(script::trimBlanks(std::u16string(tag)));
    for (char16_t& c : lower)
        if (c == u'_')
            c = u'-';
    if (lower.empty())
        return &englishUnitedStates();
    for (const Locale& l : locales())
        if (l.tag == lower)
            return &l;
    return nullptr;
}

const Locale& localeOf(uint32_t id)
{
    const Locale* l = findLocale(int32_t(id));
    return l ? *l : englishUnitedStates();
}

std::u16string shortDateText(double ole, const Locale& locale)
{
    if (isDefault(locale))
        return script::formatDatePart(ole);
    return formatPattern(ole, locale.shortDate, locale);
}

std::u16string timeText(double ole, const Locale& locale)
{
    if (isDefault(locale))
        return script::formatTimePart(ole);
    return formatPattern(ole, locale.time, locale);
}

std::u16string shortTimeText(double ole)
{
    const script::DateParts p = script::oleToParts(ole);
    std::u16string text = number(p.hour, true);
    text += u':';
    text += number(p.minute, true);
    return text;
}

std::u16string generalDateText(double ole, const Locale& locale)
{
    if (isDefault(locale))
        return script::formatDate(ole);
    const script::DateParts p = script::oleToParts(ole);
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    const bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
    if (dayZero)
        return timeText(ole, locale);
    if (midnight)
        return shortDateText(ole, locale);
    return shortDateText(ole, locale) + u" " + timeText(ole, locale);
}

std::u16string longDateText(double ole, const Locale& locale)
{
    return formatPattern(ole, locale.longDate, locale);
}

std::u16string localText(const script::Variant& value, const Locale& locale)
{
    const script::Variant& v = value.deref();
    if (isDefault(locale))
        return script::toText(v);
    if (v.isObject())
        return localText(script::valueOf(v), locale);
    switch (v.type()) {
    case script::VarType::Date: return generalDateText(v.asDate(), locale);
    case script::VarType::Single:
    case script::VarType::Double:
    case script::VarType::Currency: {
        std::u16string text = script::toText(v);
        for (char16_t& c : text)
            if (c == u'.')
                c = locale.decimal;
        return text;
    }
    default: return script::toText(v);
    }
}

std::u16string toDefaultNumberText(std::u16string_view text, const Locale& locale)
{
    if (locale.decimal == u'.' && locale.group == u',')
        return std::u16string(text);
    std::u16string out;
    for (char16_t c : text) {
        if (c == locale.decimal)
            out += u'.';
        else if (c == locale.group || (locale.group == u'\u00A0' && c == u' '))
            continue;
        else if (c == u'.' || c == u',')
            out += u'\u0001'; // the other separator is no number character here
        else
            out += c;
    }
    return out;
}

namespace {

bool isLetter(char16_t c) { return script::toLowerChar(c) != script::toUpperChar(c); }

// Replaces whole-word occurrences of `names` (any case) in `out` by the English `english`.
template <size_t N>
void englishNames(std::u16string& out, const std::array<std::u16string_view, N>& names,
                  const std::array<std::u16string_view, N>& english)
{
    std::u16string lower = script::toLower(out);
    for (size_t k = 0; k < N; ++k) {
        const std::u16string name = script::toLower(names[k]);
        if (name.empty() || isDigit(name[0]) || names[k] == english[k])
            continue;
        for (size_t at = lower.find(name); at != std::u16string::npos; at = lower.find(name, at + 1)) {
            const size_t end = at + name.size();
            if ((at > 0 && isLetter(lower[at - 1])) || (end < lower.size() && isLetter(lower[end])))
                continue;
            out.replace(at, name.size(), english[k]);
            lower.replace(at, name.size(), script::toLower(english[k]));
            at += english[k].size() - 1;
        }
    }
}

// The locale's month and weekday names made English, for the default's date parser.
std::u16string withEnglishNames(std::u16string_view text, const Locale& locale)
{
    const Locale& en = englishUnitedStates();
    std::u16string out(text);
    englishNames(out, locale.months, en.months);
    englishNames(out, locale.monthsShort, en.months);
    englishNames(out, locale.weekdays, en.weekdays);
    englishNames(out, locale.weekdaysShort, en.weekdays);
    return out;
}

// Up to three numbers at the start of `text` joined by one separator ('/', '.' or '-').
struct NumericDate {
    size_t start = 0, end = 0;
    std::array<std::u16string_view, 3> fields;
    size_t count = 0;
};

NumericDate numericFields(std::u16string_view text)
{
    NumericDate d;
    size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    d.start = i;
    char16_t sep = 0;
    while (d.count < 3) {
        const size_t from = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == from)
            break;
        d.fields[d.count++] = text.substr(from, i - from);
        d.end = i;
        if (i >= text.size() || (text[i] != u'/' && text[i] != u'.' && text[i] != u'-') || (sep && text[i] != sep))
            break;
        sep = text[i++];
    }
    return d;
}

} // namespace

std::u16string toDefaultDateText(std::u16string_view text, const Locale& locale)
{
    if (isDefault(locale))
        return std::u16string(text);
    const std::u16string named = withEnglishNames(text, locale);
    const NumericDate d = numericFields(named);
    std::array<std::u16string_view, 3> order = d.fields;
    if (locale.dateOrder == DateOrder::DayMonthYear && d.count >= 2)
        order = {d.fields[1], d.fields[0], d.fields[2]};
    else if (locale.dateOrder == DateOrder::YearMonthDay && d.count == 3)
        order = {d.fields[1], d.fields[2], d.fields[0]};
    else
        return named;
    std::u16string out = named.substr(0, d.start);
    out += order[0];
    out += u'/';
    out += order[1];
    if (d.count == 3) {
        out += u'/';
        out += order[2];
    }
    out += std::u16string_view(named).substr(d.end);
    return out;
}

} // namespace quillo::vbscript::library
