#include "scripting/objects/TextEncoding.h"

#include "scripting/core/Text.h"
#include "scripting/core/Windows1252.h"

namespace quillo::script::objects {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

TextFormat detectFormat(std::string_view bytes)
{
    return startsWith(bytes, kUtf16LeBom) ? TextFormat::Unicode : TextFormat::Ascii;
}

std::u16string decodeText(std::string_view bytes, TextFormat format)
{
    if (format == TextFormat::Unicode) {
        if (startsWith(bytes, kUtf16LeBom))
            bytes.remove_prefix(2);
        std::u16string out;
        out.reserve(bytes.size() / 2 + 1);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            out += char16_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (bytes.size() % 2)
            out += u'\uFFFD'; // a lone last byte is shown, not dropped
        return out;
    }
    if (startsWith(bytes, kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    return isValidUtf8(bytes) ? fromUtf8(bytes) : decodeWindows1252(bytes);
}

std::string encodeText(std::u16string_view text, TextFormat format)
{
    if (format == TextFormat::Ascii)
        return toUtf8(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

std::string_view byteOrderMark(TextFormat format)
{
    return format == TextFormat::Unicode ? kUtf16LeBom : std::string_view();
}

} // namespace quillo::script::objects
