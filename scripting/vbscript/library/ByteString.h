#pragma once
// Strings as the Byte functions see them: the UTF-16 units little-endian, then the odd
// byte of a string of odd byte length (ChrB(65) is one byte long, Len 0, LenB 1).

#include "scripting/core/Variant.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quillo::vbscript::library {

std::vector<uint8_t> bytesOf(std::u16string_view text, int oddByte = -1);
// `text` must hold a String.
std::vector<uint8_t> bytesOf(const quillo::script::Variant& text);
// Pairs make characters; a last single byte stays the odd byte.
quillo::script::Variant stringOfBytes(const uint8_t* bytes, size_t count);
// `a` & `b` byte by byte, for strings of which at least one has an odd byte length.
quillo::script::Variant concatBytes(const quillo::script::Variant& a, const quillo::script::Variant& b);

} // namespace quillo::vbscript::library
