#pragma once
// The error every engine, object and host call throws.

#include <cstdint>
#include <exception>
#include <string>

namespace quillo::script {

struct ScriptError : std::exception {
    // The small number for codes of facility 0x0A (13, 1025, 5009); the whole
    // 32-bit code, negative, for codes of other facilities.
    int32_t number = 0;
    std::u16string description;
    std::u16string source;     // "VBScript runtime error", ... or what Err.Raise gave
    std::u16string sourceText; // the source line, for compile errors and reports
    std::u16string name;       // the name an error concerns ("x", "o.Bar"), may be empty
    int line = 0;              // 1-based; 0 = unknown
    int column = 0;            // 1-based; 0 = unknown
    // True while `description` is the table text of `number`; an engine may then
    // replace it with its own language's wording.
    bool standardDescription = false;

    ScriptError() = default;
    ScriptError(int32_t number, std::u16string description, std::u16string source = {});

    // Runtime error `number` with the VBScript table text.
    static ScriptError runtime(int32_t number);
    // Runtime error about a name: VBScript shows "Type mismatch: 'Foo'" to the host.
    static ScriptError withName(int32_t number, std::u16string name);

    // The whole 32-bit code, negative: 0x800A0000 | number for small numbers.
    int32_t hresult() const;
    // The description the host receives: with ": 'name'" appended when a name is set.
    std::u16string hostDescription() const;

    const char* what() const noexcept override;

private:
    mutable std::string what_;
};

// Thrown when the user (or the host) stops a running script. Deliberately not a
// std::exception and not a ScriptError: no error report, no On Error handling.
// Engines that catch (...) for cleanup must rethrow it.
struct ScriptAbort {
};

} // namespace quillo::script
