#pragma once
// Error numbers and their English texts, one table per language.

#include <cstdint>
#include <string_view>

namespace quillo::script {

// VBScript run-time and compile errors; empty when the number is not in the table.
std::u16string_view vbscriptDescription(int32_t number);
// JScript run-time and compile errors (numbers below 1000 share VBScript's texts,
// except 429); empty when unknown.
std::u16string_view jscriptDescription(int32_t number);

// 0x800A0000 | number as a signed 32-bit value (13 -> -2146828275). Numbers that are
// already whole codes (negative) are returned unchanged.
int32_t hresultFromNumber(int32_t number);
// The small number of a facility 0x0A code; other codes unchanged.
int32_t numberFromHresult(int32_t code);

constexpr std::u16string_view kVBScriptRuntimeSource = u"VBScript runtime error";
constexpr std::u16string_view kVBScriptCompileSource = u"VBScript compilation error";
constexpr std::u16string_view kJScriptRuntimeSource = u"JScript runtime error";
constexpr std::u16string_view kJScriptCompileSource = u"JScript compilation error";

} // namespace quillo::script

namespace quillo::script::err {
// The numbers the core and the objects raise most; the tables hold the texts.
constexpr int32_t InvalidCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t ArrayLocked = 10;
constexpr int32_t DivisionByZero = 11;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t OutOfStack = 28;
constexpr int32_t FileNotFound = 53;
constexpr int32_t FileExists = 58;
constexpr int32_t PermissionDenied = 70;
constexpr int32_t PathNotFound = 76;
constexpr int32_t ObjectNotSet = 91;
constexpr int32_t InvalidUseOfNull = 94;
constexpr int32_t ObjectRequired = 424;
constexpr int32_t CannotCreateObject = 429;
constexpr int32_t NoSuchMember = 438;
constexpr int32_t NotSupportedAction = 445;
constexpr int32_t ArgumentNotOptional = 449;
constexpr int32_t WrongArguments = 450;
constexpr int32_t KeyExists = 457;
constexpr int32_t VariableUndefined = 500;
constexpr int32_t ElementNotFound = 32811;
} // namespace quillo::script::err
