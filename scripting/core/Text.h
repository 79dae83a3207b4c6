#pragma once
// UTF-16 text helpers shared by the engines and hosts.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillo::script {

std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);
// ASCII only, for literals in code.
std::u16string fromAscii(std::string_view text);

// Simple case mapping: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic.
char16_t toLowerChar(char16_t c);
char16_t toUpperChar(char16_t c);
std::u16string toLower(std::u16string_view text);
std::u16string toUpper(std::u16string_view text);
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);
// <0, 0, >0 comparing the case-folded texts code unit by code unit.
int compareIgnoreCase(std::u16string_view a, std::u16string_view b);

// Hash and equality ignoring case, for maps keyed by member or variable names.
// Transparent: a std::u16string_view finds a std::u16string key without a copy.
struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view s) const noexcept;
};
struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept
    {
        return equalsIgnoreCase(a, b);
    }
};

// The blanks VBScript's numeric and date parsing skip: space, tab, CR, LF, VT, FF, NBSP.
bool isBlank(char16_t c);
std::u16string_view trimBlanks(std::u16string_view text);

} // namespace quillo::script
