#pragma once
// Reads a script file whole into UTF-16: UTF-8 (with or without a byte-order mark),
// UTF-16 LE or BE with a byte-order mark; bytes that are not valid UTF-8 are read as
// Windows-1252.

#include <optional>
#include <string>
#include <string_view>

namespace quillo::cli {

std::u16string decodeScriptBytes(std::string_view bytes);

// nullopt when the file cannot be read; `problem` then says why.
std::optional<std::u16string> readScriptFile(const std::string& path, std::string& problem);

} // namespace quillo::cli
