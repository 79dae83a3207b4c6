#pragma once
// The VBScript built-in library as the compiler and interpreter see it: a table of functions
// called with evaluated arguments, a table of named constants, and the context they run in.
//
// The sources are listed in sources.cmake, which the engine's CMakeLists.txt includes.
//
// Calling convention
// - `args` holds the evaluated arguments in source order. Trailing omitted arguments are simply
//   absent (args.size() < maxArgs). An argument omitted in the middle (`FormatNumber(x, 2, , -1)`)
//   is passed as core's missing-argument Variant: Variant::missing() (isMissing() is true).
// - Arguments may be by-reference Variants; the library dereferences them and never writes
//   through them.
// - The compiler checks minArgs <= count <= maxArgs (error 450 otherwise) before calling.
// - Errors are thrown as core's ScriptError (5, 6, 9, 13, 94, ...), named after the function
//   for the host ("Invalid procedure call or argument: 'Mid'").
// - A function whose name is also a statement (`Randomize`) is in the table and returns Empty.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "scripting/core/Variant.h"
#include "scripting/core/HostServices.h"
#include "scripting/vbscript/library/Locale.h"

namespace quillo::vbscript {

using quillo::script::Dispatch;
using quillo::script::DispatchPtr;
using quillo::script::HostServices;
using quillo::script::Variant;

// Rnd's generator: the 24-bit linear congruential sequence, seeded as the language documents.
struct RndState {
    uint32_t seed = 0x50000;   // the start value before any Randomize
    float last = 0.0f;         // what Rnd(0) repeats
};

struct BuiltinContext {
    HostServices* host = nullptr;   // MsgBox, InputBox, the clock; null means no user interface
    const library::Locale* locale = &library::englishUnitedStates(); // SetLocale's choice
    uint32_t localeId = 1033;   // the id it was given, which may add a sort order to locale's
    RndState rnd;

    // TypeName of an object the library does not know itself (a script class instance gives its
    // class name). Unset: the Dispatch's own type name is used.
    std::function<std::u16string(Dispatch&)> typeNameOf;
    // CreateObject-style factory for names other than the library's own classes (RegExp).
    std::function<Variant(std::u16string_view progId)> createObject;
};

using BuiltinCall = Variant (*)(BuiltinContext&, std::span<Variant> args);

struct BuiltinFunction {
    static constexpr uint8_t kAnyCount = 255;   // maxArgs of Array(...): no upper limit

    std::u16string_view name;   // as documented, e.g. u"InStrRev"; looked up case-insensitively
    uint8_t minArgs;
    uint8_t maxArgs;            // kAnyCount: any number of arguments
    BuiltinCall call;
};

struct BuiltinConstant {
    std::u16string_view name;   // e.g. u"vbCrLf"
    Variant value;
};

// Every built-in function, sorted by lower-case name. Stable for the program's lifetime, so the
// compiler may keep pointers or indexes into it.
std::span<const BuiltinFunction> builtinFunctions();
// Case-insensitive lookup; null when `name` is not a built-in function.
const BuiltinFunction* findBuiltinFunction(std::u16string_view name);

// Every documented constant (vbCrLf ... vbObjectError, colours, dates, formats, MsgBox, VarType,
// compare modes), sorted by lower-case name.
std::span<const BuiltinConstant> builtinConstants();
// Case-insensitive lookup; null when `name` is not a built-in constant.
const BuiltinConstant* findBuiltinConstant(std::u16string_view name);

// `New Name` for the library's own classes (RegExp). Returns an empty Variant (vtEmpty) when
// `className` is not one of them, so the compiler can fall back to error 506.
Variant createBuiltinObject(BuiltinContext& context, std::u16string_view className);

} // namespace quillo::vbscript
