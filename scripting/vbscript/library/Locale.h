#pragma once
// The locales SetLocale accepts and what they change: number separators, the currency,
// the order and look of dates and times, month and weekday names. English (United
// States), 1033, is the default; the others apply their conventions to the library's
// conversions and formatting. The table itself is in LocaleTable.cpp.

#include "scripting/core/Variant.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillo::vbscript::library {

// How short dates are read: the order of numeric day, month and year.
enum class DateOrder : uint8_t { MonthDayYear, DayMonthYear, YearMonthDay };

// Where FormatCurrency puts the minus of a negative amount.
enum class NegativeCurrency : uint8_t {
    SignFirst,       // -$5.00, -5,00 €
    Parentheses,     // ($5.00)
    SignAfterSymbol, // € -5,00
};

// Date and time patterns: d dd (day), ddd dddd (weekday name), M MM (month), MMM MMMM
// (month name), yy yyyy (year), h hh (12-hour), H HH (24-hour), mm, ss, tt (AM/PM);
// text in single quotes and any other character is copied.
struct Locale {
    uint32_t id;
    std::u16string_view tag;          // "en-us", as SetLocale also accepts it
    char16_t decimal;                 // '.' or ','
    char16_t group;                   // between groups of three digits
    std::u16string_view currencyPrefix, currencySuffix; // "$" and "", or "" and " €"
    uint8_t currencyDigits;           // FormatCurrency's default decimals
    NegativeCurrency negativeCurrency; // FormatCurrency's default for negatives
    DateOrder dateOrder;
    std::u16string_view shortDate;    // "M/d/yyyy"
    std::u16string_view time;         // "h:mm:ss tt"
    std::u16string_view longDate;     // "dddd, MMMM d, yyyy"
    std::array<std::u16string_view, 12> months, monthsShort;
    std::array<std::u16string_view, 7> weekdays, weekdaysShort; // Sunday first
};

// Every locale SetLocale accepts, ordered by id.
std::span<const Locale> locales();

const Locale& englishUnitedStates();

// An id that adds a sort order to a supported language, with its tag ("de-de-phoneb").
struct SortOrderId {
    uint32_t id;
    std::u16string_view tag;
    uint32_t language; // the id of the locale it formats as
};
std::span<const SortOrderId> sortOrderIds();

// What SetLocale was given: the locale that formats, and the id GetLocale reports. An id
// with a sort order (German phone-book order, &H10407) formats as its language and keeps
// its own id.
struct LocaleChoice {
    const Locale* locale;
    uint32_t id;
};

// The choice of an id (0, 1024 and 2048 mean the default); nullopt when not supported.
std::optional<LocaleChoice> findLocale(int32_t id);
// By tag, case-insensitive, '-' or '_' ("de-DE", "de_de", "de-DE_phoneb"); an empty tag
// is the default.
std::optional<LocaleChoice> findLocaleTag(std::u16string_view tag);
// The locale of an id SetLocale stored; the default for any other.
const Locale& localeOf(uint32_t id);

// One piece of a date or time pattern: a field (`letter` repeated `count` times) or, with
// `letter` 0, literal text (quoted, or any character that is no field letter).
struct PatternPart {
    char16_t letter;
    size_t count;
    std::u16string_view literal;
};
std::vector<PatternPart> patternParts(std::u16string_view pattern);

// Short date, time, general date (date and time, either left out when zero).
std::u16string shortDateText(double ole, const Locale& locale);
std::u16string timeText(double ole, const Locale& locale);
std::u16string shortTimeText(double ole); // "16:05" in every locale
std::u16string generalDateText(double ole, const Locale& locale);
std::u16string longDateText(double ole, const Locale& locale);

// A value as text the way the locale writes it (dates and decimals); other values as usual.
std::u16string localText(const quillo::script::Variant& value, const Locale& locale);
// Text written in the locale's conventions rewritten into the default's (decimal point,
// no group separators, month before day), for the default's parsers; unchanged for 1033.
std::u16string toDefaultNumberText(std::u16string_view text, const Locale& locale);
// Dates: numeric fields reordered month first, the locale's month names made English.
std::u16string toDefaultDateText(std::u16string_view text, const Locale& locale);

} // namespace quillo::vbscript::library
