#pragma once
// Argument access shared by the built-in functions: by-reference values followed, omitted
// arguments told apart from given ones, and the library's common checks.

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Variant.h"

#include <cstddef>
#include <span>
#include <string>

namespace quillo::vbscript {
struct BuiltinContext;
}

namespace quillo::vbscript::library {

using quillo::script::ScriptError;
using quillo::script::Variant;
using quillo::script::VarType;

// Argument `i` with references followed; an omitted one (absent or missing) reads as missing.
const Variant& arg(std::span<Variant> args, size_t i);
// Argument `i`, which the function needs: 449 "Argument not optional" when omitted.
const Variant& requiredArg(std::span<Variant> args, size_t i);
// True when argument `i` was given (not absent, not the missing marker).
bool given(std::span<Variant> args, size_t i);

[[noreturn]] void raise(int32_t number);
[[noreturn]] inline void invalidCall() { raise(quillo::script::err::InvalidCall); }

// The value an object argument stands for (its default member); other values unchanged.
Variant plainValue(const Variant& v);
bool isNullValue(const Variant& v);

enum class Compare { Binary, Text };

// Argument `i` as text without copying when it already is a String (Len and Mid in a loop
// over a long string stay linear). Converts like textArg otherwise. Lives on the stack only:
// the view points into the argument or into the object itself.
class TextArg {
public:
    TextArg(std::span<Variant> args, size_t i);
    TextArg(const TextArg&) = delete;
    TextArg& operator=(const TextArg&) = delete;

    std::u16string_view view() const { return view_; }
    operator std::u16string_view() const { return view_; }
    size_t size() const { return view_.size(); }
    bool empty() const { return view_.empty(); }
    char16_t operator[](size_t i) const { return view_[i]; }

private:
    std::u16string owned_;
    std::u16string_view view_;
};

// Argument `i` as searched under a compare mode: the text itself for binary compares, a
// lower-cased copy for text compares (simple case mapping keeps every position).
class SearchTextArg {
public:
    SearchTextArg(std::span<Variant> args, size_t i, Compare mode);
    SearchTextArg(const SearchTextArg&) = delete;
    SearchTextArg& operator=(const SearchTextArg&) = delete;

    // The argument as given, for copying parts of it into results.
    std::u16string_view original() const { return text_.view(); }
    // The text to search in or for.
    std::u16string_view searched() const { return searched_; }

private:
    TextArg text_;
    std::u16string folded_;
    std::u16string_view searched_;
};

// Conversions of argument `i`, which must be given (449 otherwise): Null raises 94 unless
// the function lets Null through first.
std::u16string textArg(std::span<Variant> args, size_t i);
double doubleArg(std::span<Variant> args, size_t i);
int32_t longArg(std::span<Variant> args, size_t i);
bool boolArg(std::span<Variant> args, size_t i);
// Argument `i` as a Long, or `fallback` when it was omitted.
int32_t longArgOr(std::span<Variant> args, size_t i, int32_t fallback);
bool boolArgOr(std::span<Variant> args, size_t i, bool fallback);

// Compare-mode argument: vbBinaryCompare (0) when omitted; 0 and 1 are valid, others raise 5.
Compare compareArg(std::span<Variant> args, size_t i);

// First-day-of-week argument: 1 (Sunday) to 7; omitted or vbUseSystemDayOfWeek (0) gives
// Sunday, the English (United States) setting; other values raise 5.
int firstDayOfWeekArg(std::span<Variant> args, size_t i);

// Argument `i`, a String read in the conventions of the locale SetLocale chose (decimal
// comma, day first) and rewritten for the default's parsers; other values as given.
Variant localArg(const BuiltinContext& context, std::span<Variant> args, size_t i, bool isDate);

// Date argument: CDate's rules in the chosen locale (13 for text that is not a date).
double dateArg(const BuiltinContext& context, std::span<Variant> args, size_t i);

// True when any of the given arguments is Null (the functions that propagate Null).
bool anyNull(std::span<Variant> args, std::initializer_list<size_t> indexes);

} // namespace quillo::vbscript::library
