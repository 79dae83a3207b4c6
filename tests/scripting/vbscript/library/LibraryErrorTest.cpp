// Every error the library raises from its own checks, with the arguments that cause it.

#include "LibraryTestSupport.h"

#include <tuple>

namespace quillo::vbscript::test {
namespace {

struct ErrorCase {
    std::u16string_view name;
    std::vector<Variant> args;
    int32_t number;
};

class LibraryErrors : public LibraryTest {
protected:
    void check(const std::vector<ErrorCase>& cases)
    {
        for (const ErrorCase& c : cases) {
            SCOPED_TRACE(utf8(c.name));
            EXPECT_EQ(errorOf(c.name, c.args), c.number);
        }
    }
};

TEST_F(LibraryErrors, InvalidProcedureCall)
{
    check({
        {u"InStr", {I(0), S(u"abc"), S(u"a")}, 5},
        {u"InStr", {I(-1), S(u"abc"), S(u"a")}, 5},
        {u"InStr", {I(1), S(u"abc"), S(u"a"), I(2)}, 5},
        {u"InStrRev", {S(u"abc"), S(u"a"), I(0)}, 5},
        {u"InStrRev", {S(u"abc"), S(u"a"), I(-2)}, 5},
        {u"InStrB", {I(0), S(u"abc"), S(u"a")}, 5},
        {u"Replace", {S(u"abc"), S(u"a"), S(u"b"), I(0)}, 5},
        {u"Replace", {S(u"abc"), S(u"a"), S(u"b"), I(1), I(-2)}, 5},
        {u"Space", {I(-1)}, 5},
        {u"String", {I(-1), S(u"a")}, 5},
        {u"String", {I(2), S(u"")}, 5},
        {u"StrComp", {S(u"a"), S(u"b"), I(5)}, 5},
        {u"Left", {S(u"abc"), I(-1)}, 5},
        {u"Right", {S(u"abc"), I(-1)}, 5},
        {u"Mid", {S(u"abc"), I(0)}, 5},
        {u"Mid", {S(u"abc"), I(1), I(-1)}, 5},
        {u"LeftB", {S(u"abc"), I(-1)}, 5},
        {u"MidB", {S(u"abc"), I(0)}, 5},
        {u"Asc", {S(u"")}, 5},
        {u"AscB", {S(u"")}, 5},
        {u"AscW", {S(u"")}, 5},
        {u"Chr", {I(256)}, 5},
        {u"Chr", {I(-1)}, 5},
        {u"ChrB", {I(256)}, 5},
        {u"ChrW", {L(65536)}, 5},
        {u"ChrW", {L(-32769)}, 5},
        {u"Split", {S(u"a"), S(u" "), I(-2)}, 5},
        {u"Join", {Arr({}), Null()}, 94},
        {u"Log", {I(0)}, 5},
        {u"Log", {I(-1)}, 5},
        {u"Sqr", {I(-4)}, 5},
        {u"Round", {D(1.5), I(-1)}, 5},
        {u"RGB", {I(-1), I(0), I(0)}, 5},
        {u"DateAdd", {S(u"x"), I(1), Dt(2003, 1, 1)}, 5},
        {u"DateAdd", {S(u"yyyy"), I(8000), Dt(2003, 1, 1)}, 5},
        {u"DateAdd", {S(u"d"), L(3000000), Dt(2003, 1, 1)}, 5},
        {u"DateDiff", {S(u"dd"), Dt(2003, 1, 1), Dt(2003, 1, 2)}, 5},
        {u"DateDiff", {S(u"d"), Dt(2003, 1, 1), Dt(2003, 1, 2), I(8)}, 5},
        {u"DatePart", {S(u"ww"), Dt(2003, 1, 1), I(1), I(4)}, 5},
        {u"DateSerial", {I(10000), I(1), I(1)}, 5},
        {u"TimeSerial", {L(2147483647), I(0), I(0)}, 5},
        {u"Weekday", {Dt(2003, 1, 1), I(8)}, 5},
        {u"MonthName", {I(13)}, 5},
        {u"MonthName", {I(0)}, 5},
        {u"WeekdayName", {I(0)}, 5},
        {u"WeekdayName", {I(8)}, 5},
        {u"WeekdayName", {I(1), B(false), I(9)}, 5},
        {u"FormatDateTime", {Dt(2003, 1, 2), I(5)}, 5},
        {u"FormatNumber", {I(1), I(-2)}, 5},
        {u"FormatPercent", {I(1), I(1000)}, 5},
        {u"SetLocale", {L(12345)}, 5},
        {u"SetLocale", {S(u"xx-yy")}, 5},
        {u"RightB", {S(u"abc"), I(-1)}, 5},
        {u"MidB", {S(u"abc"), I(1), I(-1)}, 5},
        {u"ChrB", {I(-1)}, 5},
        {u"Split", {S(u"a b"), S(u" "), I(1), I(3)}, 5},
        {u"Filter", {Arr({S(u"a")}), S(u"a"), B(true), I(3)}, 5},
    });
}

TEST_F(LibraryErrors, TypeMismatchOverflowSubscriptAndNull)
{
    check({
        {u"CInt", {S(u"abc")}, 13},
        {u"CInt", {D(32767.5)}, 6},
        {u"CLng", {D(2147483647.5)}, 6},
        {u"CByte", {I(-1)}, 6},
        {u"CDate", {S(u"abc")}, 13},
        {u"DateValue", {S(u"not a date")}, 13},
        {u"Year", {S(u"nonsense")}, 13},
        {u"DateAdd", {S(u"d"), I(1), S(u"not a date")}, 13},
        {u"FormatNumber", {S(u"abc")}, 13},
        {u"Join", {S(u"abc")}, 13},
        {u"Filter", {I(1), S(u"a")}, 13},
        {u"UBound", {S(u"abc")}, 13},
        {u"LBound", {Variant()}, 13},
        {u"Exp", {I(1000)}, 6},
        {u"Hex", {D(1e12)}, 6},
        {u"Abs", {Variant::fromCurrency(INT64_MIN)}, 6},
        {u"UBound", {Arr({I(1)}), I(2)}, 9},
        {u"UBound", {Arr({I(1)}), I(0)}, 9},
        {u"LBound", {Variant::fromArray(new quillo::script::SafeArray())}, 9},
        {u"CStr", {Null()}, 94},
        {u"Asc", {Null()}, 94},
        {u"Chr", {Null()}, 94},
        {u"Space", {Null()}, 94},
        {u"Left", {S(u"abc"), Null()}, 94},
        {u"InStr", {Null(), S(u"abc"), S(u"a")}, 94},
        {u"StrReverse", {Null()}, 94},
        {u"Replace", {Null(), S(u"a"), S(u"b")}, 94},
        {u"Split", {Null()}, 94},
        {u"Sgn", {Null()}, 94},
        {u"Sqr", {Null()}, 94},
        {u"DateSerial", {Null(), I(1), I(1)}, 94},
        {u"Hex", {S(u"abc")}, 13},
        {u"Int", {S(u"x")}, 13},
        {u"CBool", {S(u"abc")}, 13},
        {u"Round", {S(u"x")}, 13},
        {u"TimeValue", {S(u"nope")}, 13},
        {u"Month", {S(u"x")}, 13},
        {u"Oct", {D(1e12)}, 6},
        {u"CCur", {D(1e20)}, 6},
        {u"CSng", {D(1e300)}, 6},
        {u"CDate", {D(3000000)}, 6},
        {u"Left", {S(u"abc"), D(2147483648.0)}, 6},
        {u"InStrB", {Null(), S(u"a"), S(u"b")}, 94},
        {u"Space", {L(1 << 30)}, 14},
        {u"String", {L(1 << 30), S(u"x")}, 14},
    });
}

TEST_F(LibraryErrors, OmittedRequiredArgumentsAreNotOptional)
{
    check({
        {u"Left", {Missing(), I(1)}, 449},
        {u"Mid", {S(u"abc"), Missing()}, 449},
        {u"DateAdd", {S(u"d"), Missing(), Dt(2003, 1, 1)}, 449},
        {u"Replace", {S(u"abc"), Missing(), S(u"x")}, 449},
    });
}

TEST_F(LibraryErrors, TheHostSeesTheFunctionName)
{
    for (auto [name, args, shown] : std::vector<std::tuple<std::u16string_view, std::vector<Variant>, std::u16string>>{
             {u"Mid", {S(u"abc"), I(0)}, u"Invalid procedure call or argument: 'Mid'"},
             {u"CInt", {S(u"abc")}, u"Type mismatch: 'CInt'"},
             {u"Left", {Null(), Null()}, u"Invalid use of Null: 'Left'"},
         }) {
        try {
            call(name, args);
            ADD_FAILURE() << utf8(name) << " raised nothing";
        } catch (const ScriptError& e) {
            EXPECT_EQ(utf8(e.hostDescription()), utf8(shown));
            EXPECT_EQ(utf8(e.description), utf8(shown.substr(0, shown.find(u": '"))));
        }
    }
}

TEST_F(LibraryErrors, DialogsNeedAHostThatAllowsThem)
{
    EXPECT_EQ(errorOf(u"MsgBox", {S(u"hi")}), 70);
    EXPECT_EQ(errorOf(u"InputBox", {S(u"hi")}), 70);
}

} // namespace
} // namespace quillo::vbscript::test
