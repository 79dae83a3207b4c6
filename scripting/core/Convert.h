#pragma once
// The automation conversion rules between Variant types, English (United States)
// formats. Every function follows by-reference values and asks an object for its
// default member. Failures throw ScriptError: 13 Type mismatch, 6 Overflow,
// 94 Invalid use of Null.

#include "scripting/core/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo::script {

// CStr: Empty "", Null -> 94, Boolean "True"/"False", numbers as formatDouble etc.
std::u16string toText(const Variant& v);
// Like toText, but Null gives "" (concatenation with &, where Null is handled by the caller).
std::u16string toTextOrEmpty(const Variant& v);

double toDouble(const Variant& v);       // CDbl
float toSingle(const Variant& v);        // CSng (6 when out of range)
int32_t toLong(const Variant& v);        // CLng, halves to even
int16_t toInteger(const Variant& v);     // CInt, halves to even
uint8_t toByte(const Variant& v);        // CByte, halves to even
int64_t toCurrency(const Variant& v);    // CCur, scaled by 10000, rounded to even
bool toBoolean(const Variant& v);        // CBool: numbers != 0, "True"/"False", numeric text
double toDate(const Variant& v);         // CDate: numbers as OLE dates, text parsed

// The value an object gives for conversion (its default member); v itself otherwise.
// Nothing -> 91, no default member -> 438.
Variant valueOf(const Variant& v);

// A number or Boolean as the numeric Variant arithmetic works on: strings become
// Double (13 when not numeric), Empty is Integer 0, Date stays Date, Null stays Null.
Variant toNumeric(const Variant& v);

// Text to number as VBScript reads it: surrounding blanks, a sign, a "$", digits with
// en-US thousands separators, a decimal point, an exponent, "&H" / "&O" prefixes (hex and
// octal give Integer or Long bit patterns). nullopt when the text is not a number.
std::optional<double> parseNumber(std::u16string_view text);
// As parseNumber, throwing 13.
double textToDouble(std::u16string_view text);

// Text to OLE date in the formats en-US parses: "12/8/2026", "2026-12-08",
// "December 8, 2026", "8 Dec 2026", "Dec 8 2026", "3:05 PM", "15:05:00", a date
// followed by a time, two-digit years in the 1930-2029 window. nullopt otherwise.
std::optional<double> parseDate(std::u16string_view text);

// IsNumeric: numbers, Boolean, Empty and numeric text.
bool isNumeric(const Variant& v);
bool isNumericText(std::u16string_view text);
// IsDate: a Date or text parseDate accepts.
bool isDate(const Variant& v);

// The editor's Go To answer: numeric text rounded half to even; nullopt when the
// text is not numeric or the number is outside the 64-bit range.
std::optional<int64_t> wholeNumberFromText(std::u16string_view text);

// Rounds halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double x);

// Number formatting as CStr shows it: `digits` significant digits (15 for Double,
// 7 for Single), plain decimal when the exponent is in -4..digits-1, otherwise
// "1.5E-07", "1E+16"; negative zero as "0"; NaN and infinities as "NaN", "Infinity".
std::u16string formatNumber(double value, int digits);
inline std::u16string formatDouble(double value) { return formatNumber(value, 15); }
inline std::u16string formatSingle(float value) { return formatNumber(value, 7); }
// Currency: up to 4 decimals, trailing zeros dropped ("1234.5678", "-2.5").
std::u16string formatCurrency(int64_t scaled);
// Date as CStr shows it: "12/8/2026", "3:05:00 PM", "12/8/2026 3:05:00 PM"; the
// time is left out at midnight, the date on day zero.
std::u16string formatDate(double ole);
std::u16string formatDatePart(double ole); // "12/8/2026"
std::u16string formatTimePart(double ole); // "3:05:00 PM"

// Range checks shared with the engines' arithmetic.
constexpr double kCurrencyMax = 922337203685477.5807;
constexpr double kCurrencyMin = -922337203685477.5808;
// 6 unless the value fits; rounds half to even.
int16_t doubleToInteger(double x);
int32_t doubleToLong(double x);
uint8_t doubleToByte(double x);
int64_t doubleToCurrency(double x);
float doubleToSingle(double x);
inline double currencyToDouble(int64_t scaled) { return double(scaled) / 10000.0; }

} // namespace quillo::script
