#pragma once
// The byte formats a TextStream reads and writes. "ASCII" files follow the editor's
// rule: UTF-8 (a byte order mark is skipped), and Windows-1252 when the bytes are not
// valid UTF-8. "Unicode" files are UTF-16 little-endian, with a byte order mark.

#include <string>
#include <string_view>

namespace quillo::script::objects {

enum class TextFormat { Ascii, Unicode };

// The format a file opened with the system default (TristateUseDefault) has: Unicode
// when it starts with the UTF-16 LE byte order mark, ASCII otherwise.
TextFormat detectFormat(std::string_view bytes);

std::u16string decodeText(std::string_view bytes, TextFormat format);
std::string encodeText(std::u16string_view text, TextFormat format);
// What a new or emptied file in `format` starts with.
std::string_view byteOrderMark(TextFormat format);

} // namespace quillo::script::objects
