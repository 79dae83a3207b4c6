// The locales SetLocale accepts, with their separators, currency, date and time patterns
// and names. A dozen entries: a linear search by id or tag is as fast as anything.
//
// Values are the forms scripts met on the platform this language comes from, which differ
// from the POSIX locale data in places: French and Swedish group digits with U+00A0 (not
// U+202F), Portuguese weekdays end in "-feira", Swedish abbreviates weekdays to two letters,
// Japanese abbreviated months are bare numbers and its currency sign is U+00A5, and several
// locales write one-digit hours and days. Reading accepts either form of the group blank.

#include "scripting/vbscript/library/Locale.h"

namespace quillo::vbscript::library {

namespace {

using Months = std::array<std::u16string_view, 12>;
using Days = std::array<std::u16string_view, 7>;
using enum DateOrder;
using enum NegativeCurrency;

constexpr Months kEnglishMonths = {u"January", u"February", u"March", u"April", u"May", u"June",
    u"July", u"August", u"September", u"October", u"November", u"December"};
constexpr Months kEnglishMonthsShort = {
    u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr Days kEnglishDays = {
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
constexpr Days kEnglishDaysShort = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};

constexpr Months kGermanMonths = {u"Januar", u"Februar", u"M\u00E4rz", u"April", u"Mai", u"Juni",
    u"Juli", u"August", u"September", u"Oktober", u"November", u"Dezember"};
constexpr Months kGermanMonthsShort = {u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun",
    u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"};
constexpr Days kGermanDays = {
    u"Sonntag", u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag"};
constexpr Days kGermanDaysShort = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};

constexpr Months kFrenchMonths = {u"janvier", u"f\u00E9vrier", u"mars", u"avril", u"mai", u"juin",
    u"juillet", u"ao\u00FBt", u"septembre", u"octobre", u"novembre", u"d\u00E9cembre"};
constexpr Months kFrenchMonthsShort = {u"janv.", u"f\u00E9vr.", u"mars", u"avr.", u"mai", u"juin",
    u"juil.", u"ao\u00FBt", u"sept.", u"oct.", u"nov.", u"d\u00E9c."};
constexpr Days kFrenchDays = {
    u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"};
constexpr Days kFrenchDaysShort = {u"dim.", u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam."};

constexpr Months kSpanishMonths = {u"enero", u"febrero", u"marzo", u"abril", u"mayo", u"junio",
    u"julio", u"agosto", u"septiembre", u"octubre", u"noviembre", u"diciembre"};
constexpr Months kSpanishMonthsShort = {
    u"ene", u"feb", u"mar", u"abr", u"may", u"jun", u"jul", u"ago", u"sep", u"oct", u"nov", u"dic"};
constexpr Days kSpanishDays = {
    u"domingo", u"lunes", u"martes", u"mi\u00E9rcoles", u"jueves", u"viernes", u"s\u00E1bado"};
constexpr Days kSpanishDaysShort = {u"dom", u"lun", u"mar", u"mi\u00E9", u"jue", u"vie", u"s\u00E1b"};

constexpr Months kItalianMonths = {u"gennaio", u"febbraio", u"marzo", u"aprile", u"maggio", u"giugno",
    u"luglio", u"agosto", u"settembre", u"ottobre", u"novembre", u"dicembre"};
constexpr Months kItalianMonthsShort = {
    u"gen", u"feb", u"mar", u"apr", u"mag", u"giu", u"lug", u"ago", u"set", u"ott", u"nov", u"dic"};
constexpr Days kItalianDays = {u"domenica", u"luned\u00EC", u"marted\u00EC", u"mercoled\u00EC",
    u"gioved\u00EC", u"venerd\u00EC", u"sabato"};
constexpr Days kItalianDaysShort = {u"dom", u"lun", u"mar", u"mer", u"gio", u"ven", u"sab"};

constexpr Months kDutchMonths = {u"januari", u"februari", u"maart", u"april", u"mei", u"juni",
    u"juli", u"augustus", u"september", u"oktober", u"november", u"december"};
constexpr Months kDutchMonthsShort = {
    u"jan", u"feb", u"mrt", u"apr", u"mei", u"jun", u"jul", u"aug", u"sep", u"okt", u"nov", u"dec"};
constexpr Days kDutchDays = {
    u"zondag", u"maandag", u"dinsdag", u"woensdag", u"donderdag", u"vrijdag", u"zaterdag"};
constexpr Days kDutchDaysShort = {u"zo", u"ma", u"di", u"wo", u"do", u"vr", u"za"};

constexpr Months kPortugueseMonths = {u"janeiro", u"fevereiro", u"mar\u00E7o", u"abril", u"maio", u"junho",
    u"julho", u"agosto", u"setembro", u"outubro", u"novembro", u"dezembro"};
constexpr Months kPortugueseMonthsShort = {
    u"jan", u"fev", u"mar", u"abr", u"mai", u"jun", u"jul", u"ago", u"set", u"out", u"nov", u"dez"};
constexpr Days kPortugueseDays = {u"domingo", u"segunda-feira", u"ter\u00E7a-feira", u"quarta-feira",
    u"quinta-feira", u"sexta-feira", u"s\u00E1bado"};
constexpr Days kPortugueseDaysShort = {u"dom", u"seg", u"ter", u"qua", u"qui", u"sex", u"s\u00E1b"};

constexpr Months kSwedishMonths = {u"januari", u"februari", u"mars", u"april", u"maj", u"juni",
    u"juli", u"augusti", u"september", u"oktober", u"november", u"december"};
constexpr Months kSwedishMonthsShort = {
    u"jan", u"feb", u"mar", u"apr", u"maj", u"jun", u"jul", u"aug", u"sep", u"okt", u"nov", u"dec"};
constexpr Days kSwedishDays = {u"s\u00F6ndag", u"m\u00E5ndag", u"tisdag", u"onsdag", u"torsdag",
    u"fredag", u"l\u00F6rdag"};
constexpr Days kSwedishDaysShort = {u"s\u00F6", u"m\u00E5", u"ti", u"on", u"to", u"fr", u"l\u00F6"};

constexpr Months kJapaneseMonths = {u"1\u6708", u"2\u6708", u"3\u6708", u"4\u6708", u"5\u6708",
    u"6\u6708", u"7\u6708", u"8\u6708", u"9\u6708", u"10\u6708", u"11\u6708", u"12\u6708"};
constexpr Months kJapaneseMonthsShort = {
    u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12"};
constexpr Days kJapaneseDays = {u"\u65E5\u66DC\u65E5", u"\u6708\u66DC\u65E5", u"\u706B\u66DC\u65E5",
    u"\u6C34\u66DC\u65E5", u"\u6728\u66DC\u65E5", u"\u91D1\u66DC\u65E5", u"\u571F\u66DC\u65E5"};
constexpr Days kJapaneseDaysShort = {
    u"\u65E5", u"\u6708", u"\u706B", u"\u6C34", u"\u6728", u"\u91D1", u"\u571F"};

constexpr char16_t kNoBreak = u'\u00A0';

// id, tag, decimal, group, currency prefix and suffix, currency decimals, where negative
// currency puts its sign, date order, short date, time, long date, names.
const Locale kLocales[] = {
    {1031, u"de-de", u',', u'.', u"", u" \u20AC", 2, SignFirst, DayMonthYear,
     u"dd.MM.yyyy", u"HH:mm:ss", u"dddd, d. MMMM yyyy",
     kGermanMonths, kGermanMonthsShort, kGermanDays, kGermanDaysShort},
    {1033, u"en-us", u'.', u',', u"$", u"", 2, Parentheses, MonthDayYear,
     u"M/d/yyyy", u"h:mm:ss tt", u"dddd, MMMM d, yyyy",
     kEnglishMonths, kEnglishMonthsShort, kEnglishDays, kEnglishDaysShort},
    {1036, u"fr-fr", u',', kNoBreak, u"", u" \u20AC", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"HH:mm:ss", u"dddd d MMMM yyyy",
     kFrenchMonths, kFrenchMonthsShort, kFrenchDays, kFrenchDaysShort},
    {1040, u"it-it", u',', u'.', u"\u20AC ", u"", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"HH:mm:ss", u"dddd d MMMM yyyy",
     kItalianMonths, kItalianMonthsShort, kItalianDays, kItalianDaysShort},
    {1041, u"ja-jp", u'.', u',', u"\u00A5", u"", 0, SignFirst, YearMonthDay,
     u"yyyy/MM/dd", u"H:mm:ss", u"yyyy'\u5E74'M'\u6708'd'\u65E5'",
     kJapaneseMonths, kJapaneseMonthsShort, kJapaneseDays, kJapaneseDaysShort},
    {1043, u"nl-nl", u',', u'.', u"\u20AC ", u"", 2, SignAfterSymbol, DayMonthYear,
     u"d-M-yyyy", u"H:mm:ss", u"dddd d MMMM yyyy",
     kDutchMonths, kDutchMonthsShort, kDutchDays, kDutchDaysShort},
    {1046, u"pt-br", u',', u'.', u"R$ ", u"", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"HH:mm:ss", u"dddd, d' de 'MMMM' de 'yyyy",
     kPortugueseMonths, kPortugueseMonthsShort, kPortugueseDays, kPortugueseDaysShort},
    {1053, u"sv-se", u',', kNoBreak, u"", u" kr", 2, SignFirst, YearMonthDay,
     u"yyyy-MM-dd", u"HH:mm:ss", u"'den 'd MMMM yyyy",
     kSwedishMonths, kSwedishMonthsShort, kSwedishDays, kSwedishDaysShort},
    {2057, u"en-gb", u'.', u',', u"\u00A3", u"", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"HH:mm:ss", u"dd MMMM yyyy",
     kEnglishMonths, kEnglishMonthsShort, kEnglishDays, kEnglishDaysShort},
    {3081, u"en-au", u'.', u',', u"$", u"", 2, SignFirst, DayMonthYear,
     u"d/MM/yyyy", u"h:mm:ss tt", u"dddd, d MMMM yyyy",
     kEnglishMonths, kEnglishMonthsShort, kEnglishDays, kEnglishDaysShort},
    {3082, u"es-es", u',', u'.', u"", u" \u20AC", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"H:mm:ss", u"dddd, dd' de 'MMMM' de 'yyyy",
     kSpanishMonths, kSpanishMonthsShort, kSpanishDays, kSpanishDaysShort},
    {4105, u"en-ca", u'.', u',', u"$", u"", 2, SignFirst, DayMonthYear,
     u"dd/MM/yyyy", u"h:mm:ss tt", u"MMMM d, yyyy",
     kEnglishMonths, kEnglishMonthsShort, kEnglishDays, kEnglishDaysShort},
};

// Sort orders change how text compares, nothing the engine formats. Tags as SetLocale
// reads them, '_' made '-'.
constexpr SortOrderId kSortOrderIds[] = {
    {0x0040A, u"es-es-tradnl", 3082}, // Spanish, traditional order
    {0x10407, u"de-de-phoneb", 1031}, // German, phone-book order
    {0x40411, u"ja-jp-radstr", 1041}, // Japanese, radical and stroke order
};

} // namespace

std::span<const Locale> locales() { return kLocales; }

std::span<const SortOrderId> sortOrderIds() { return kSortOrderIds; }

const Locale& englishUnitedStates() { return kLocales[1]; }

} // namespace quillo::vbscript::library
