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

namespace quillo::vbscript::library {

using quillo::script::ScriptError;
using quillo::script::Variant;
using quillo::script::VarType;

// Argument `i` with references followed; an omitted one (absent or missing) reads as missing.
const Variant& arg(std::span<Variant> args, size_t i);
// True when argument `i` was given (not absent, not the missing marker).
bool given(std::span<Variant> args, size_t i);

[[noreturn]] void raise(int32_t number);
[[noreturn]] inline void invalidCall() { raise(quillo::script::err::InvalidCall); }

// The value an object argument stands for (its default member); other values unchanged.
Variant plainValue(const Variant& v);
bool isNullValue(const Variant& v);

// Conversions of argument `i`: Null raises 94 unless the function lets Null through first.
std::u16string textArg(std::span<Variant> args, size_t i);
double doubleArg(std::span<Variant> args, size_t i);
int32_t longArg(std::span<Variant> args, size_t i);
bool boolArg(std::span<Variant> args, size_t i);
// Argument `i` as a Long, or `fallback` when it was omitted.
int32_t longArgOr(std::span<Variant> args, size_t i, int32_t fallback);
bool boolArgOr(std::span<Variant> args, size_t i, bool fallback);

// Compare-mode argument: vbBinaryCompare (0) when omitted; 0 and 1 are valid, others raise 5.
enum class Compare { Binary, Text };
Compare compareArg(std::span<Variant> args, size_t i);

// First-day-of-week argument: 1 (Sunday) to 7; omitted or vbUseSystemDayOfWeek (0) gives
// Sunday, the English (United States) setting; other values raise 5.
int firstDayOfWeekArg(std::span<Variant> args, size_t i);

// Date argument: CDate's rules (13 for text that is not a date).
double dateArg(std::span<Variant> args, size_t i);

// True when any of the given arguments is Null (the functions that propagate Null).
bool anyNull(std::span<Variant> args, std::initializer_list<size_t> indexes);

} // namespace quillo::vbscript::library
