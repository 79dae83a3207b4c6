// Windows-1252 in both directions.
#include "scripting/core/Windows1252.h"

#include <gtest/gtest.h>

using namespace quillo::script;

namespace {

TEST(Windows1252, EveryByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const char16_t c = windows1252ToUnicode(uint8_t(b));
        ASSERT_EQ(unicodeToWindows1252(c), std::optional<uint8_t>(uint8_t(b))) << b;
    }
}

TEST(Windows1252, TypographicRangeAndGaps)
{
    struct Case { uint8_t byte; char16_t c; };
    for (const Case& k : {Case{0x41, u'A'}, Case{0x80, u'\u20AC'}, Case{0x81, u'\u0081'},
                          Case{0x8A, u'\u0160'}, Case{0x99, u'\u2122'}, Case{0x9F, u'\u0178'},
                          Case{0xA0, u'\u00A0'}, Case{0xFF, u'\u00FF'}})
        EXPECT_EQ(windows1252ToUnicode(k.byte), k.c) << int(k.byte);
    // Latin-1's C1 controls that the page replaces, and characters beyond the page.
    for (char16_t c : {u'\u0080', u'\u0099', u'\u0100', u'\u20AD', u'\uFFFD'})
        EXPECT_EQ(unicodeToWindows1252(c), std::nullopt) << int(c);
    EXPECT_EQ(decodeWindows1252("a\x80\x9d\xe9"), u"a\u20AC\u009D\u00E9");
}

} // namespace
