#pragma once
// The ANSI code page the string functions use (Windows-1252, as on an English system):
// Asc and Chr map between its bytes and UTF-16.

#include <cstdint>
#include <optional>

namespace quillo::vbscript::library {

// The character a byte stands for; the five unassigned bytes map to the same code point.
char16_t ansiToUnicode(uint8_t byte);
// The byte of a character; nullopt when the code page has no such character.
std::optional<uint8_t> unicodeToAnsi(char16_t c);

} // namespace quillo::vbscript::library
