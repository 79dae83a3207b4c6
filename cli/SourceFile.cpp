#include "cli/SourceFile.h"

#include "scripting/core/Text.h"
#include "scripting/core/Windows1252.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quillo::cli {

namespace {

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        out += char16_t((hi << 8) | lo);
    }
    return out;
}

} // namespace

std::u16string decodeScriptBytes(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return script::fromUtf8(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return decodeUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return decodeUtf16(bytes.substr(2), true);
    if (script::isValidUtf8(bytes))
        return script::fromUtf8(bytes);
    return script::decodeWindows1252(bytes);
}

std::optional<std::u16string> readScriptFile(const std::string& path, std::string& problem)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        problem = "is a directory";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        problem = "read error";
        return std::nullopt;
    }
    return decodeScriptBytes(bytes.view());
}

} // namespace quillo::cli
