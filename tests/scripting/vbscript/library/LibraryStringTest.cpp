// String functions with their start positions, counts and compare modes.

#include "LibraryTestSupport.h"

namespace quillo::vbscript::test {
namespace {

class StringFunctions : public LibraryTest {};

TEST_F(StringFunctions, InStrAndInStrRev)
{
    check({
        {u"InStr", {S(u"abcabc"), S(u"c")}, "Long:3"},
        {u"InStr", {I(4), S(u"abcabc"), S(u"c")}, "Long:6"},
        {u"InStr", {I(7), S(u"abcabc"), S(u"c")}, "Long:0"},
        {u"InStr", {S(u"abc"), S(u"")}, "Long:1"},
        {u"InStr", {I(2), S(u"abc"), S(u"")}, "Long:2"},
        {u"InStr", {I(4), S(u"abc"), S(u"")}, "Long:4"},
        {u"InStr", {I(5), S(u"abc"), S(u"")}, "Long:0"},
        {u"InStr", {S(u""), S(u"a")}, "Long:0"},
        {u"InStr", {S(u""), S(u"")}, "Long:0"},
        {u"InStrRev", {S(u""), S(u"")}, "Long:0"},
        {u"InStr", {I(1), S(u"ABC"), S(u"b"), I(1)}, "Long:2"},
        {u"InStr", {I(1), S(u"ABC"), S(u"b"), I(0)}, "Long:0"},
        {u"InStr", {L(12345), L(34)}, "Long:3"},
        {u"InStr", {D(2.5), S(u"abcabc"), S(u"b")}, "Long:2"},
        {u"InStr", {Null(), S(u"a")}, "Null"},
        {u"InStr", {S(u"a"), Null()}, "Null"},
        {u"InStrRev", {S(u"abcabc"), S(u"c")}, "Long:6"},
        {u"InStrRev", {S(u"abcabc"), S(u"c"), I(5)}, "Long:3"},
        {u"InStrRev", {S(u"abcabc"), S(u"abc")}, "Long:4"},
        {u"InStrRev", {S(u"ABCabc"), S(u"C"), I(-1), I(1)}, "Long:6"},
        {u"InStrRev", {S(u"ABCabc"), S(u"C"), I(-1), I(0)}, "Long:3"},
        {u"InStrRev", {S(u"abc"), S(u"c"), I(2)}, "Long:0"},
        {u"InStrRev", {S(u"aaa"), S(u"aa")}, "Long:2"},
        {u"InStrRev", {S(u"abc"), S(u"c"), I(9)}, "Long:0"},
        {u"InStrRev", {S(u"abc"), S(u"")}, "Long:3"},
        {u"InStrB", {S(u"abc"), S(u"b")}, "Long:3"},
        {u"InStrB", {S(u"abc"), S(u"")}, "Long:1"},
    });
}

TEST_F(StringFunctions, ReplaceWithStartCountAndCompare)
{
    check({
        {u"Replace", {S(u"aaa"), S(u"a"), S(u"b")}, "String:bbb"},
        {u"Replace", {S(u"abcabc"), S(u"b"), S(u"X"), I(3)}, "String:caXc"},
        {u"Replace", {S(u"abcabc"), S(u"b"), S(u"X"), I(1), I(1)}, "String:aXcabc"},
        {u"Replace", {S(u"ABab"), S(u"a"), S(u"x"), I(1), I(-1), I(1)}, "String:xBxb"},
        {u"Replace", {S(u"ABab"), S(u"a"), S(u"x")}, "String:ABxb"},
        {u"Replace", {S(u"abc"), S(u""), S(u"x")}, "String:abc"},
        {u"Replace", {S(u"aaa"), S(u"aa"), S(u"b")}, "String:ba"},
        {u"Replace", {S(u"abc"), S(u"a"), S(u"x"), I(4)}, "String:"},
        {u"Replace", {S(u"abc"), S(u"a"), S(u"x"), I(1), I(0)}, "String:abc"},
        {u"Replace", {L(123123), I(2), I(9)}, "String:193193"},
        {u"Replace", {S(u"xXxX"), S(u"X"), S(u"-"), I(2), I(2), I(1)}, "String:--X"},
        {u"Replace", {S(u"aaa"), S(u"a"), S(u"aa")}, "String:aaaaaa"},
        {u"Replace", {S(u"abc"), S(u"b"), S(u"X"), Missing(), I(1)}, "String:aXc"},
        {u"StrReverse", {S(u"abc")}, "String:cba"},
        {u"StrReverse", {D(12.5)}, "String:5.21"},
    });
}

TEST_F(StringFunctions, CaseTrimPaddingAndComparison)
{
    check({
        {u"StrComp", {S(u"a"), S(u"b")}, "Integer:-1"},
        {u"StrComp", {S(u"A"), S(u"a")}, "Integer:-1"},
        {u"StrComp", {S(u"A"), S(u"a"), I(1)}, "Integer:0"},
        {u"StrComp", {S(u"B"), S(u"a"), I(1)}, "Integer:1"},
        {u"StrComp", {S(u"B"), S(u"a"), I(0)}, "Integer:-1"},
        {u"StrComp", {S(u"abc"), S(u"ab")}, "Integer:1"},
        {u"StrComp", {I(10), I(9)}, "Integer:-1"},
        {u"StrComp", {Null(), S(u"a")}, "Null"},
        {u"UCase", {S(u"Hello 123")}, "String:HELLO 123"},
        {u"LCase", {D(12.5)}, "String:12.5"},
        {u"UCase", {Variant()}, "String:"},
        {u"LCase", {Null()}, "Null"},
        {u"Trim", {S(u"  a b  ")}, "String:a b"},
        {u"LTrim", {S(u"  a b  ")}, "String:a b  "},
        {u"RTrim", {S(u"  a b  ")}, "String:  a b"},
        {u"Trim", {S(u"\t x \t")}, "String:\t x \t"},
        {u"Space", {I(3)}, "String:   "},
        {u"String", {I(3), S(u"ab")}, "String:aaa"},
        {u"String", {I(4), I(65)}, "String:AAAA"},
        {u"String", {I(2), I(321)}, "String:AA"},
        {u"String", {I(0), S(u"x")}, "String:"},
        {u"String", {Null(), S(u"x")}, "Null"},
    });
}

TEST_F(StringFunctions, SubstringsAndLengths)
{
    check({
        {u"Left", {S(u"abc"), I(2)}, "String:ab"},
        {u"Left", {S(u"abc"), I(9)}, "String:abc"},
        {u"Right", {S(u"abc"), I(2)}, "String:bc"},
        {u"Right", {S(u"abc"), I(0)}, "String:"},
        {u"Mid", {S(u"abcdef"), I(2), I(3)}, "String:bcd"},
        {u"Mid", {S(u"abcdef"), I(4)}, "String:def"},
        {u"Mid", {S(u"abc"), I(5)}, "String:"},
        {u"Mid", {Null(), I(1)}, "Null"},
        {u"Len", {S(u"abc")}, "Long:3"},
        {u"Len", {L(12345)}, "Long:5"},
        {u"Len", {Variant()}, "Long:0"},
        {u"Len", {Null()}, "Null"},
        {u"LenB", {S(u"abc")}, "Long:6"},
        {u"LeftB", {S(u"abc"), I(4)}, "String:ab"},
        {u"RightB", {S(u"abc"), I(2)}, "String:c"},
        {u"MidB", {S(u"abc"), I(3), I(2)}, "String:b"},
    });
}

TEST_F(StringFunctions, CharacterCodesUseTheAnsiCodePage)
{
    check({
        {u"Asc", {S(u"ABC")}, "Integer:65"},
        {u"Asc", {I(5)}, "Integer:53"},
        {u"Asc", {S(u"\u20AC")}, "Integer:128"},
        {u"Asc", {S(u"\u03BB")}, "Integer:63"},
        {u"AscW", {S(u"\u20AC")}, "Integer:8364"},
        {u"AscW", {S(u"\uFFFF")}, "Integer:-1"},
        {u"AscB", {S(u"\u20AC")}, "Integer:172"},
        {u"Chr", {I(65)}, "String:A"},
        {u"Chr", {D(65.5)}, "String:B"},
        {u"Chr", {D(66.5)}, "String:B"},
        {u"ChrW", {L(-1)}, "String:\uFFFF"},
        {u"ChrW", {L(955)}, "String:\u03BB"},
    });
    EXPECT_EQ(call(u"AscW", {call(u"Chr", {I(128)})}).asInteger(), 8364);
    EXPECT_EQ(call(u"AscW", {call(u"Chr", {I(0x81)})}).asInteger(), 0x81);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(call(u"Asc", {call(u"Chr", {I(code)})}).asInteger(), code) << code;
}

TEST_F(StringFunctions, EscapeAndUnescape)
{
    check({
        {u"Escape", {S(u"a b+c/@*_-.")}, "String:a%20b+c/@*_-."},
        {u"Escape", {S(u"\u00E9\u20AC%")}, "String:%E9%u20AC%25"},
        {u"Unescape", {S(u"a%20b%u20AC")}, "String:a b\u20AC"},
        {u"Unescape", {S(u"100%")}, "String:100%"},
        {u"Unescape", {S(u"%zz%u12")}, "String:%zz%u12"},
        {u"Escape", {Null()}, "Null"},
    });
}

TEST_F(StringFunctions, SplitJoinAndFilter)
{
    check({
        {u"Split", {S(u"a b c")}, "Variant():a|b|c"},
        {u"Split", {S(u"a,b,,c"), S(u",")}, "Variant():a|b||c"},
        {u"Split", {S(u"a,b,c"), S(u","), I(2)}, "Variant():a|b,c"},
        {u"Split", {S(u"aXbxc"), S(u"x"), I(-1), I(1)}, "Variant():a|b|c"},
        {u"Split", {S(u"aXbxc"), S(u"x")}, "Variant():aXb|c"},
        {u"Split", {S(u"")}, "Variant():"},
        {u"Split", {S(u"abc"), S(u"")}, "Variant():abc"},
        {u"Split", {S(u"a b"), S(u" "), I(0)}, "Variant():"},
        {u"Join", {Arr({S(u"a"), I(1), Null(), D(2.5)}), S(u",")}, "String:a,1,,2.5"},
        {u"Join", {Arr({S(u"a"), S(u"b")})}, "String:a b"},
        {u"Join", {Arr({})}, "String:"},
        {u"Filter", {Arr({S(u"apple"), S(u"Banana"), S(u"cherry")}), S(u"an")}, "Variant():Banana"},
        {u"Filter", {Arr({S(u"apple"), S(u"Banana")}), S(u"A"), B(true), I(1)},
         "Variant():apple|Banana"},
        {u"Filter", {Arr({S(u"apple"), S(u"Banana")}), S(u"pp"), B(false)}, "Variant():Banana"},
    });
    Variant empty = call(u"Split", {S(u"")});
    EXPECT_EQ(call(u"UBound", {empty}).asLong(), -1);
    EXPECT_EQ(call(u"LBound", {empty}).asLong(), 0);
}

} // namespace
} // namespace quillo::vbscript::test
