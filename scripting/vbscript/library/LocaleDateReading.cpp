// Dates written in a locale's conventions rewritten for the default's date parser: its
// marks and filler words taken out, its names made English, numeric fields month first.
// Whatever the locale writes with its long date pattern reads back this way.

#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/Text.h"

#include <array>
#include <string>

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isCased(char16_t c) { return script::toLowerChar(c) != script::toUpperChar(c); }

// A character that continues a word: a cased letter, or kana and ideographs (weekday
// names like 木曜日 are words too).
bool isWordChar(char16_t c) { return isCased(c) || (c >= u'\u3040' && c <= u'\u9FFF'); }

bool isNumericField(const PatternPart& part)
{
    return (part.letter == u'd' || part.letter == u'M') ? part.count <= 2 : part.letter == u'y';
}

// Literal text the default's parser reads itself: blanks and its separators.
bool isPlainSeparator(std::u16string_view literal)
{
    return literal.find_first_not_of(u" \u00A0/-.,:") == std::u16string_view::npos;
}

bool hasCasedLetter(std::u16string_view text)
{
    for (char16_t c : text)
        if (isCased(c))
            return true;
    return false;
}

std::u16string_view trimmed(std::u16string_view text)
{
    const size_t from = text.find_first_not_of(u' ');
    if (from == std::u16string_view::npos)
        return {};
    return text.substr(from, text.find_last_not_of(u' ') - from + 1);
}

bool wholeWordAt(std::u16string_view text, size_t at, size_t length)
{
    const size_t end = at + length;
    return (at == 0 || !isWordChar(text[at - 1])) && (end >= text.size() || !isWordChar(text[end]));
}

// Marks that end a number (年, 月, 日 after "2003", "1", "2") become `separator`.
void replaceFieldMark(std::u16string& text, std::u16string_view mark, char16_t separator)
{
    for (size_t at = text.find(mark); at != std::u16string::npos; at = text.find(mark, at + 1))
        if (at > 0 && isDigit(text[at - 1]))
            text.replace(at, mark.size(), 1, separator);
}

// Whole-word occurrences of `word` (any case) become a blank: "de", "den".
void removeWord(std::u16string& text, std::u16string_view word)
{
    const std::u16string lowerWord = script::toLower(word);
    std::u16string lower = script::toLower(text);
    for (size_t at = lower.find(lowerWord); at != std::u16string::npos; at = lower.find(lowerWord, at + 1)) {
        if (!wholeWordAt(lower, at, lowerWord.size()))
            continue;
        text.replace(at, lowerWord.size(), 1, u' ');
        lower.replace(at, lowerWord.size(), 1, u' ');
    }
}

bool numericFieldFollows(const std::vector<PatternPart>& parts, size_t i)
{
    for (size_t k = i + 1; k < parts.size(); ++k)
        if (isNumericField(parts[k]))
            return true;
    return false;
}

// The literal text of the long date pattern the default's parser would not read: marks
// after numeric fields (a separator while another number follows, a blank after the last)
// and filler words.
void removeLongDateLiterals(std::u16string& text, const Locale& locale)
{
    const std::vector<PatternPart> parts = patternParts(locale.longDate);
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::u16string_view literal = trimmed(parts[i].literal);
        if (parts[i].letter || literal.empty() || isPlainSeparator(literal))
            continue;
        if (hasCasedLetter(literal))
            removeWord(text, literal);
        else if (i > 0 && isNumericField(parts[i - 1]))
            replaceFieldMark(text, literal, numericFieldFollows(parts, i) ? u'/' : u' ');
    }
}

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
            if (!wholeWordAt(lower, at, name.size()))
                continue;
            out.replace(at, name.size(), english[k]);
            lower.replace(at, name.size(), script::toLower(english[k]));
            at += english[k].size() - 1;
        }
    }
}

// The locale's month and weekday names made English, for the default's date parser.
void makeNamesEnglish(std::u16string& text, const Locale& locale)
{
    const Locale& en = englishUnitedStates();
    englishNames(text, locale.months, en.months);
    englishNames(text, locale.monthsShort, en.months);
    englishNames(text, locale.weekdays, en.weekdays);
    englishNames(text, locale.weekdaysShort, en.weekdays);
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

// The numeric fields at the start of `text` put month first; null when they stay as they are.
std::optional<std::array<std::u16string_view, 3>> monthFirst(const NumericDate& d, DateOrder order)
{
    if (order == DateOrder::DayMonthYear && d.count >= 2)
        return std::array{d.fields[1], d.fields[0], d.fields[2]};
    // A year written last ("02/01/2003") is no year-first date; the default reads it.
    if (order == DateOrder::YearMonthDay && d.count == 3 && d.fields[2].size() <= 2)
        return std::array{d.fields[1], d.fields[2], d.fields[0]};
    return std::nullopt;
}

} // namespace

std::u16string toDefaultDateText(std::u16string_view text, const Locale& locale)
{
    if (&locale == &englishUnitedStates())
        return std::u16string(text);
    std::u16string named(text);
    removeLongDateLiterals(named, locale);
    makeNamesEnglish(named, locale);
    const NumericDate d = numericFields(named);
    const auto order = monthFirst(d, locale.dateOrder);
    if (!order)
        return named;
    std::u16string out = named.substr(0, d.start);
    out += (*order)[0];
    out += u'/';
    out += (*order)[1];
    if (d.count == 3) {
        out += u'/';
        out += (*order)[2];
    }
    out += std::u16string_view(named).substr(d.end);
    return out;
}

} // namespace quillo::vbscript::library
