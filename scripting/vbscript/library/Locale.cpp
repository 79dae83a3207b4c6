#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"

#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

constexpr std::array<std::u16string_view, 12> kEnglishMonths = {
    u"January", u"February", u"March", u"April", u"May", u"June",
    u"July", u"August", u"September", u"October", u"November", u"December"};
constexpr std::array<std::u16string_view, 12> kEnglishMonthsShort = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr std::array<std::u16string_view, 7> kEnglishWeekdays = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
constexpr std::array<std::u16string_view, 7> kEnglishWeekdaysShort = {
    u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};

// Ordered by id; a handful, so a linear search.
const Locale kLocales[] = {
    {1031, u"de-de", u',', u'.', u"\u20AC", true, false, true, u'.', true, false,
     {u"Januar", u"Februar", u"M\u00E4rz", u"April", u"Mai", u"Juni",
      u"Juli", u"August", u"September", u"Oktober", u"November", u"Dezember"},
     {u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"},
     {u"Sonntag", u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag"},
     {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"},
     u"W, D. M Y"},
    {1033, u"en-us", u'.', u',', u"$", false, true, false, u'/', false, true,
     kEnglishMonths, kEnglishMonthsShort, kEnglishWeekdays, kEnglishWeekdaysShort, u"W, M D, Y"},
    {1036, u"fr-fr", u',', u'\u00A0', u"\u20AC", true, false, true, u'/', true, false,
     {u"janvier", u"f\u00E9vrier", u"mars", u"avril", u"mai", u"juin",
      u"juillet", u"ao\u00FBt", u"septembre", u"octobre", u"novembre", u"d\u00E9cembre"},
     {u"janv.", u"f\u00E9vr.", u"mars", u"avr.", u"mai", u"juin",
      u"juil.", u"ao\u00FBt", u"sept.", u"oct.", u"nov.", u"d\u00E9c."},
     {u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"},
     {u"dim.", u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam."},
     u"W D M Y"},
    {2057, u"en-gb", u'.', u',', u"\u00A3", false, false, true, u'/', true, false,
     kEnglishMonths, kEnglishMonthsShort, kEnglishWeekdays, kEnglishWeekdaysShort, u"d M Y"},
};

const Locale& kDefault = kLocales[1];

std::u16string number(int v, bool twoDigits = false)
{
    std::u16string s = script::fromAscii(std::to_string(v));
    if (twoDigits && s.size() < 2)
        s.insert(s.begin(), u'0');
    return s;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

const Locale& englishUnitedStates() { return kDefault; }

const Locale* findLocale(int32_t id)
{
    if (id == 0 || id == 1024 || id == 2048)
        return &kDefault;
    for (const Locale& l : kLocales)
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
        return &kDefault;
    for (const Locale& l : kLocales)
        if (l.tag == lower)
            return &l;
    return nullptr;
}

const Locale& localeOf(uint32_t id)
{
    const Locale* l = findLocale(int32_t(id));
    return l ? *l : kDefault;
}

std::u16string shortDateText(double ole, const Locale& locale)
{
    if (&locale == &kDefault)
        return script::formatDatePart(ole);
    const script::DateParts p = script::oleToParts(ole);
    const std::u16string sep(1, locale.dateSeparator);
    const std::u16string day = number(p.day, locale.padDayMonth), month = number(p.month, locale.padDayMonth);
    return (locale.dayFirst ? day + sep + month : month + sep + day) + sep + number(p.year);
}

std::u16string timeText(double ole, const Locale& locale)
{
    if (&locale == &kDefault)
        return script::formatTimePart(ole);
    const script::DateParts p = script::oleToParts(ole);
    const bool pm = p.hour >= 12;
    const int hour = !locale.twelveHour ? p.hour : p.hour % 12 == 0 ? 12 : p.hour % 12;
    std::u16string text = number(hour, !locale.twelveHour);
    text += u':';
    text += number(p.minute, true);
    text += u':';
    text += number(p.second, true);
    if (locale.twelveHour)
        text += pm ? u" PM" : u" AM";
    return text;
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
    if (&locale == &kDefault)
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
    const script::DateParts p = script::oleToParts(ole);
    std::u16string text;
    for (char16_t c : locale.longDate) {
        switch (c) {
        case u'W': text += locale.weekdays[size_t(p.weekday - 1)]; break;
        case u'D': text += number(p.day); break;
        case u'd': text += number(p.day, true); break;
        case u'M': text += locale.months[size_t(p.month - 1)]; break;
        case u'Y': text += number(p.year); break;
        default: text += c;
        }
    }
    return text;
}

std::u16string localText(const script::Variant& value, const Locale& locale)
{
    const script::Variant& v = value.deref();
    if (&locale == &kDefault)
        return script::toText(v);
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

std::u16string toDefaultDateText(std::u16string_view text, const Locale& locale)
{
    if (!locale.dayFirst)
        return std::u16string(text);
    // "d<sep>m[<sep>y]..." with numeric day and month: swap them, '/' between
    size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    const size_t dayStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const size_t dayEnd = i;
    if (dayEnd == dayStart || i >= text.size() || (text[i] != u'/' && text[i] != u'.' && text[i] != u'-'))
        return std::u16string(text);
    const char16_t sep = text[i++];
    const size_t monthStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == monthStart)
        return std::u16string(text);
    std::u16string out(text.substr(0, dayStart));
    out += text.substr(monthStart, i - monthStart);
    out += u'/';
    out += text.substr(dayStart, dayEnd - dayStart);
    if (i < text.size() && text[i] == sep) {
        out += u'/';
        ++i;
    }
    out += text.substr(i);
    return out;
}

} // namespace quillo::vbscript::library
