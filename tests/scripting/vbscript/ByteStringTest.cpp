// Strings of odd byte length made by the Byte functions: their lengths, their bytes, and
// how concatenation joins them byte by byte.
#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>

namespace quillo::vbscript::testing {
namespace {

class ByteStrings : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ByteStrings, KeepEveryByte)
{
    EXPECT_EQ(outputOf(GetParam().source), GetParam().output) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(OddLengths, ByteStrings, ::testing::Values(
    ScriptCase{"ChrB is one byte", "b = ChrB(65)\nconsole.log LenB(b) & \" \" & Len(b) & \" \" & AscB(b)", "1 0 65\n"},
    ScriptCase{"two bytes make a character", "s = ChrB(65) & ChrB(0)\nconsole.log LenB(s) & \" \" & (s = \"A\")", "2 True\n"},
    ScriptCase{"high byte second", "console.log AscW(ChrB(&H41) & ChrB(&H42))", "16961\n"},
    ScriptCase{"built in a loop", "s = \"\"\nFor i = 65 To 69 : s = s & ChrB(i) : Next\nconsole.log LenB(s) & \" \" & Len(s) & \" \" & AscB(RightB(s, 1))",
               "5 2 69\n"},
    ScriptCase{"LeftB keeps an odd count", "x = LeftB(\"abc\", 3)\nconsole.log LenB(x) & \" \" & Len(x) & \" \" & AscB(RightB(x, 1))", "3 1 98\n"},
    ScriptCase{"RightB starts inside a character", "x = RightB(\"abc\", 3)\nconsole.log LenB(x) & \" \" & AscB(x) & \" \" & AscW(x)", "3 0 25344\n"},
    ScriptCase{"MidB across characters", "x = MidB(\"abc\", 2, 3)\nconsole.log LenB(x) & \" \" & AscW(x) & \" \" & AscB(RightB(x, 1))", "3 25088 0\n"},
    ScriptCase{"odd then even shifts the bytes", "x = LeftB(\"abc\", 3) & \"d\"\nconsole.log LenB(x) & \" \" & AscW(MidB(x, 3, 2))", "5 25698\n"},
    ScriptCase{"even then odd keeps the last byte", "x = \"ab\" & ChrB(7)\nconsole.log LenB(x) & \" \" & Len(x) & \" \" & AscB(RightB(x, 1))", "5 2 7\n"},
    ScriptCase{"appending to a variable", "x = \"ab\"\nx = x & ChrB(7)\nx = x & ChrB(0)\nconsole.log LenB(x) & \" \" & AscW(Right(x, 1))", "6 7\n"},
    ScriptCase{"numbers join as text", "x = ChrB(65) & 1\nconsole.log LenB(x) & \" \" & AscW(x)", "3 12609\n"},
    ScriptCase{"plus joins strings too", "console.log LenB(ChrB(1) + ChrB(2))", "2\n"},
    ScriptCase{"InStrB finds byte positions", "s = ChrB(65) & ChrB(66) & ChrB(67)\nconsole.log InStrB(s, ChrB(67)) & \" \" & InStrB(\"abc\", ChrB(0)) & \" \" & InStrB(s, ChrB(9))",
               "3 2 0\n"},
    ScriptCase{"MidB past the end", "console.log \"[\" & MidB(ChrB(1), 2) & \"]\" & LenB(MidB(ChrB(1), 2))", "[]0\n"},
    ScriptCase{"compared with their odd byte", "console.log (ChrB(1) = ChrB(2)) & \" \" & (ChrB(1) = ChrB(1)) & \" \" & (ChrB(1) < ChrB(2)) & \" \" & (\"\" < ChrB(0)) & \" \" & (ChrB(0) = Empty)",
               "False True True True False\n"},
    ScriptCase{"StrComp sees the odd byte in binary compares", "console.log StrComp(ChrB(1), ChrB(2)) & StrComp(ChrB(2), ChrB(1)) & StrComp(\"a\" & ChrB(1), \"a\") & StrComp(\"a\", \"a\" & ChrB(0)) & StrComp(ChrB(3), ChrB(3))",
               "-111-10\n"},
    ScriptCase{"StrComp ignores it in text compares", "console.log StrComp(\"A\" & ChrB(1), \"a\", 1) & \" \" & StrComp(ChrB(1), ChrB(2), vbTextCompare)", "0 0\n"},
    ScriptCase{"InStr matches odd bytes at characters", "s = \"ab\" & ChrB(5)\nconsole.log InStr(s, ChrB(5)) & \" \" & InStr(\"AB\", \"A\" & ChrB(0)) & \" \" & InStr(\"A\" & ChrB(0) & ChrB(0), \"A\" & ChrB(0)) & \" \" & InStr(LeftB(\"abc\", 3), ChrB(99)) & \" \" & InStr(3, s, \"\") & \" \" & InStr(4, s, \"\")",
               "3 0 1 0 3 0\n"},
    ScriptCase{"InStr text compares search the characters", "console.log InStr(1, \"aB\" & ChrB(5), \"b\", 1)", "2\n"},
    ScriptCase{"InStrB with an odd byte and a start", "s = ChrB(1) & ChrB(2) & ChrB(1)\nconsole.log InStrB(2, s, ChrB(1)) & \" \" & InStrB(s, ChrB(2) & ChrB(1)) & \" \" & InStrB(4, s, ChrB(1))", "3 2 0\n"},
    ScriptCase{"Replace keeps the odd byte", "x = Replace(LeftB(\"abc\", 3), \"a\", \"x\")\nconsole.log LenB(x) & \" \" & Left(x, 1) & \" \" & AscB(RightB(x, 1))", "3 x 98\n"},
    ScriptCase{"Replace finds and inserts odd bytes", "z = Replace(ChrB(1) & ChrB(2) & ChrB(1) & ChrB(2) & ChrB(1), ChrB(1), \"\")\nw = Replace(\"ab\", \"b\", ChrB(7))\nconsole.log LenB(z) & \" \" & AscB(z) & \" \" & LenB(w) & \" \" & AscB(RightB(w, 1)) & \" \" & Replace(\"abab\", \"a\" & ChrB(0), \"-\") & \" \" & Replace(\"abab\", \"a\" & ChrB(0) & ChrB(0), \"-\")",
               "2 2 3 7 abab abab\n"},
    ScriptCase{"Replace with a start and count over bytes", "x = Replace(\"aaaa\" & ChrB(9), \"a\", \"b\", 2, 2)\nconsole.log Left(x, 3) & \" \" & LenB(x)", "bba 7\n"},
    ScriptCase{"AscB of an empty string", "On Error Resume Next\nx = AscB(LeftB(ChrB(5), 0))\nconsole.log Err.Number", "5\n"}));

} // namespace
} // namespace quillo::vbscript::testing
