#pragma once

namespace quillo {

// The three choices of the Language menu.
enum class Language { Text, JScript, VBScript };

} // namespace quillo
