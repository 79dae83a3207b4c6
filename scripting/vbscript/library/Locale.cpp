#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <array>
#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

constexpr std::u16string_view kFieldLetters = u"dMyhHmst";

std::u16string number(int v, bool twoDigits = false)
{
    std::u16string s = script::fromAscii(std::to_string(v));
    if (twoDigits && s.size() < 2)
        s.insert(s.begin(), u'0');
    return s;
}

// The blanks that group digits: a locale grouping with one of them reads all three.
bool isBlankGroup(char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; }

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
    }
}

// `ole` written by a date or time pattern (see Locale.h).
std::u16string formatPattern(double ole, std::u16string_view pattern, const Locale& locale)
{
    const script::DateParts p = script::oleToParts(ole);
    std::u16string out;
    for (const PatternPart& part : patternParts(pattern)) {
        if (part.letter)
            appendField(out, part.letter, part.count, p, locale);
        else
            out += part.literal;
    }
    return out;
}

} // namespace

std::vector<PatternPart> patternParts(std::u16string_view pattern)
{
    std::vector<PatternPart> parts;
    for (size_t i = 0; i < pattern.size();) {
        const char16_t c = pattern[i];
        if (c == u'\'') {
            const size_t close = pattern.find(u'\'', i + 1);
            const size_t stop = close == std::u16string_view::npos ? pattern.size() : close;
            parts.push_back({0, 0, pattern.substr(i + 1, stop - i - 1)});
            i = stop + 1;
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (kFieldLetters.find(c) != std::u16string_view::npos)
            parts.push_back({c, run, {}});
        else
            parts.push_back({0, 0, pattern.substr(i, run)});
        i += run;
    }
    return parts;
}

std::optional<LocaleChoice> findLocale(int32_t id)
{
    if (id == 0 || id == 1024 || id == 2048)
        return LocaleChoice{&englishUnitedStates(), englishUnitedStates().id};
    for (const Locale& l : locales())
        if (int32_t(l.id) == id)
            return LocaleChoice{&l, l.id};
    for (const SortOrderId& s : sortOrderIds())
        if (int32_t(s.id) == id)
            return LocaleChoice{findLocale(int32_t(s.language))->locale, s.id};
    return std::nullopt;
}

std::optional<LocaleChoice> findLocaleTag(std::u16string_view tag)
{
    std::u16string lower = script::toLower(script::trimBlanks(std::u16string(tag)));
    for (char16_t& c : lower)
        if (c == u'_')
            c = u'-';
    if (lower.empty())
        return findLocale(0);
    for (const Locale& l : locales())
        if (l.tag == lower)
            return LocaleChoice{&l, l.id};
    for (const SortOrderId& s : sortOrderIds())
        if (s.tag == lower)
            return findLocale(int32_t(s.id));
    return std::nullopt;
}

const Locale& localeOf(uint32_t id)
{
    const std::optional<LocaleChoice> choice = findLocale(int32_t(id));
    return choice ? *choice->locale : englishUnitedStates();
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
        else if (c == locale.group || (isBlankGroup(locale.group) && isBlankGroup(c)))
            continue;
        else if (c == u'.' || c == u',')
            out += u'\u0001'; // the other separator is no number character here
        else
            out += c;
    }
    return out;
}

} // namespace quillo::vbscript::library
