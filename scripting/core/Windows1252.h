#pragma once
// Windows-1252, the single-byte code page for ANSI text: Asc and Chr, and files or
// scripts whose bytes are not valid UTF-8. Bytes 0x80-0x9F hold typographic
// characters; the five unassigned ones keep their C1 code points, so every byte reads
// and writes back unchanged. The rest of the page coincides with Latin-1.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo::script {

char16_t windows1252ToUnicode(uint8_t byte);
// nullopt when the code page has no byte for `c`.
std::optional<uint8_t> unicodeToWindows1252(char16_t c);
std::u16string decodeWindows1252(std::string_view bytes);

} // namespace quillo::script
