#include "scripting/core/Windows1252.h"

namespace quillo::script {

namespace {
// Bytes 0x80-0x9F.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char16_t windows1252ToUnicode(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
}

std::optional<uint8_t> unicodeToWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return uint8_t(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return uint8_t(0x80 + i);
    return std::nullopt;
}

std::u16string decodeWindows1252(std::string_view bytes)
{
    std::u16string out;
    out.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = windows1252ToUnicode(static_cast<uint8_t>(bytes[i]));
    return out;
}

} // namespace quillo::script
