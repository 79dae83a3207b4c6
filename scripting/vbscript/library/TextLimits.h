#pragma once
// The longest string the library builds: past it a script gets error 14 "Out of string
// space" instead of exhausting memory (Space(1E9), String(...), Replace growth).

#include <cstddef>

namespace quillo::vbscript::library {

constexpr size_t kMaxStringLength = size_t(1) << 28; // characters (512 MB of UTF-16)

// Raises 14 when `length` exceeds kMaxStringLength.
void checkStringLength(size_t length);

} // namespace quillo::vbscript::library
