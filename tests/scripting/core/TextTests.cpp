// UTF-8 conversion and validation, and case mapping.
#include "scripting/core/Text.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <unordered_map>

using namespace quillo::script;

namespace {

struct Utf8Case {
    std::string utf8;
    std::u16string utf16;
};

class Utf8RoundTrip : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8RoundTrip, BothDirections)
{
    EXPECT_EQ(fromUtf8(GetParam().utf8), GetParam().utf16);
    EXPECT_EQ(toUtf8(GetParam().utf16), GetParam().utf8);
    EXPECT_TRUE(isValidUtf8(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Values, Utf8RoundTrip, testing::Values(
    Utf8Case{"", u""},
    Utf8Case{"abc", u"abc"},
    Utf8Case{"caf\xC3\xA9", u"caf\u00E9"},
    Utf8Case{"\xE2\x82\xAC", u"\u20AC"},
    Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"},
    Utf8Case{std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    Utf8Case{"abcdefghij\xC3\xA9", u"abcdefghij\u00E9"}));   // past an eight-byte ASCII run

struct BadUtf8Case {
    std::string utf8;
    std::u16string utf16;
};

class InvalidUtf8 : public testing::TestWithParam<BadUtf8Case> {};

TEST_P(InvalidUtf8, BecomesReplacementCharacters)
{
    EXPECT_EQ(fromUtf8(GetParam().utf8), GetParam().utf16);
    EXPECT_FALSE(isValidUtf8(GetParam().utf8));
}

INSTANTIATE_TEST_SUITE_P(Values, InvalidUtf8, testing::Values(
    BadUtf8Case{"\xFF", u"\uFFFD"},
    BadUtf8Case{"a\xC3", u"a\uFFFD"},                 // truncated at the end
    BadUtf8Case{"\xC3(", u"\uFFFD("},                 // continuation missing
    BadUtf8Case{"\xC0\xAF", u"\uFFFD\uFFFD"},         // overlong
    BadUtf8Case{"\xED\xA0\x80", u"\uFFFD"},           // encoded surrogate
    BadUtf8Case{"\xF4\x90\x80\x80", u"\uFFFD"},      // beyond U+10FFFF
    BadUtf8Case{"abcdefgh\xFF", u"abcdefgh\uFFFD"}));   // after an eight-byte ASCII run

TEST(Utf16ToUtf8, LoneSurrogatesAreReplaced)
{
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8(std::u16string(u"x") + char16_t(0xDC00)), "x\xEF\xBF\xBD");
}

struct CaseMapCase {
    char16_t upper;
    char16_t lower;
};

class CaseMapping : public testing::TestWithParam<CaseMapCase> {};

TEST_P(CaseMapping, PairsMapBothWays)
{
    EXPECT_EQ(toLowerChar(GetParam().upper), GetParam().lower);
    EXPECT_EQ(toUpperChar(GetParam().lower), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(Scripts, CaseMapping, testing::Values(
    CaseMapCase{u'A', u'a'}, CaseMapCase{u'Z', u'z'}, CaseMapCase{0xC0, 0xE0},
    CaseMapCase{0xDE, 0xFE}, CaseMapCase{0x100, 0x101}, CaseMapCase{0x139, 0x13A},
    CaseMapCase{0x147, 0x148}, CaseMapCase{0x14A, 0x14B}, CaseMapCase{0x178, 0xFF},
    CaseMapCase{0x17D, 0x17E}, CaseMapCase{0x391, 0x3B1}, CaseMapCase{0x3A9, 0x3C9},
    CaseMapCase{0x410, 0x430}, CaseMapCase{0x42F, 0x44F}, CaseMapCase{0x401, 0x451}));

TEST(CaseMapping, CharactersWithoutPartners)
{
    for (char16_t c : {char16_t(u'1'), char16_t(u'_'), char16_t(0xD7), char16_t(0xF7),
                       char16_t(0xDF), char16_t(0x138), char16_t(0x4E00)}) {
        EXPECT_EQ(toLowerChar(c), c);
        EXPECT_EQ(toUpperChar(c), c);
    }
    EXPECT_EQ(toUpperChar(0x3C2), 0x3A3); // final sigma
    EXPECT_EQ(toUpper(u"stra\u00DFe"), u"STRA\u00DFE");
}

TEST(CaseInsensitive, CompareAndLookup)
{
    EXPECT_TRUE(equalsIgnoreCase(u"Value", u"vALUE"));
    EXPECT_FALSE(equalsIgnoreCase(u"Value", u"Values"));
    EXPECT_EQ(compareIgnoreCase(u"abc", u"ABD"), -1);
    EXPECT_EQ(compareIgnoreCase(u"ABC", u"ab"), 1);
    EXPECT_EQ(compareIgnoreCase(u"\u00C9t\u00E9", u"\u00E9T\u00C9"), 0);
    std::unordered_map<std::u16string, int, CaseInsensitiveHash, CaseInsensitiveEqual> map;
    map.emplace(u"Count", 1);
    EXPECT_EQ(map.count(std::u16string_view(u"COUNT")), 1u);
    EXPECT_EQ(map.count(std::u16string_view(u"Counts")), 0u);
    EXPECT_EQ(trimBlanks(u" \t x y \r\n"), u"x y");
    EXPECT_EQ(trimBlanks(u"   "), u"");
}

} // namespace
