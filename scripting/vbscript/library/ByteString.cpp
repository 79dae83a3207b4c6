#include "scripting/vbscript/library/ByteString.h"

#include "scripting/vbscript/library/TextLimits.h"

namespace quillo::vbscript::library {

using quillo::script::Variant;

std::vector<uint8_t> bytesOf(std::u16string_view text, int oddByte)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2 + 1);
    for (char16_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    if (oddByte >= 0)
        bytes.push_back(uint8_t(oddByte));
    return bytes;
}

std::vector<uint8_t> bytesOf(const Variant& text)
{
    return bytesOf(text.asString(), text.stringOddByte());
}

Variant stringOfBytes(const uint8_t* bytes, size_t count)
{
    std::u16string text;
    text.reserve(count / 2);
    for (size_t i = 0; i + 1 < count; i += 2)
        text.push_back(char16_t(bytes[i] | (char16_t(bytes[i + 1]) << 8)));
    return Variant::fromBytes(std::move(text), count % 2 ? bytes[count - 1] : -1);
}

Variant concatBytes(const Variant& a, const Variant& b)
{
    std::vector<uint8_t> bytes = bytesOf(a);
    const std::vector<uint8_t> tail = bytesOf(b);
    checkStringLength((bytes.size() + tail.size()) / 2);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return stringOfBytes(bytes.data(), bytes.size());
}

} // namespace quillo::vbscript::library
