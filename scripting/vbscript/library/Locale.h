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

namespace quillo::vbscript::library {

// How short dates are read: the order of numeric day, month and year.
enum class DateOrder : uint8_t { MonthDayYear, DayMonthYear, YearMonthDay };

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
    bool negativeCurrencyInParens;    // FormatCurrency's default for negatives
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
// The locale of an id (0, 1024 and 2048 mean the default); null when not supported.
const Locale* findLocale(int32_t id);
// By tag, case-insensitive ("de-DE"); an empty tag is the default.
const Locale* findLocaleTag(std::u16string_view tag);
// The locale of an id SetLocale stored; the default for any other.
const Locale& localeOf(uint32_t id);

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
