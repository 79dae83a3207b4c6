// Text to number, the integer conversions and their rounding.
#include "scripting/core/Convert.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillo::script;

namespace {

Variant text(const char16_t* s)
{
    return Variant::fromString(s);
}

struct ParseCase {
    const char16_t* text;
    double value;
};

class ValidNumberText : public testing::TestWithParam<ParseCase> {};

TEST_P(ValidNumberText, Parses)
{
    const std::optional<double> v = parseNumber(GetParam().text);
    ASSERT_TRUE(v.has_value()) << toUtf8(GetParam().text);
    EXPECT_EQ(*v, GetParam().value);
    EXPECT_TRUE(isNumericText(GetParam().text));
    EXPECT_EQ(toDouble(text(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Decimal, ValidNumberText, testing::Values(
    ParseCase{u"12", 12},
    ParseCase{u"-12.5", -12.5},
    ParseCase{u" 12 ", 12},
    ParseCase{u"\t7\r\n", 7},
    ParseCase{u"+3", 3},
    ParseCase{u"- 3", -3},
    ParseCase{u"1e5", 1e5},
    ParseCase{u"1E+3", 1000},
    ParseCase{u"2.5e-3", 0.0025},
    ParseCase{u".5", 0.5},
    ParseCase{u"5.", 5},
    ParseCase{u"0.1", 0.1},
    ParseCase{u"1,234", 1234},
    ParseCase{u"1,234,567.25", 1234567.25},
    ParseCase{u"$12", 12},
    ParseCase{u"-$1,000", -1000},
    ParseCase{u"1e-400", 0},
    ParseCase{u"1000e-326", 1e-323},
    ParseCase{u"0.001e310", 1e307},
    ParseCase{u"1.7976931348623157e308", 1.7976931348623157e308}));

INSTANTIATE_TEST_SUITE_P(Radix, ValidNumberText, testing::Values(
    ParseCase{u"&H1F", 31},
    ParseCase{u"&hff", 255},
    ParseCase{u"&H7FFF", 32767},
    ParseCase{u"&H8000", -32768},
    ParseCase{u"&HFFFF", -1},
    ParseCase{u"&H10000", 65536},
    ParseCase{u"&H7FFFFFFF", 2147483647},
    ParseCase{u"&H80000000", -2147483648.0},
    ParseCase{u"&HFFFFFFFF", -1},
    ParseCase{u"&O17", 15},
    ParseCase{u"&o777", 511},
    ParseCase{u"&17", 15},
    ParseCase{u" &H10 ", 16}));

class InvalidNumberText : public testing::TestWithParam<const char16_t*> {};

TEST_P(InvalidNumberText, IsTypeMismatch)
{
    EXPECT_FALSE(parseNumber(GetParam()).has_value());
    EXPECT_FALSE(isNumericText(GetParam()));
    EXPECT_EQ(errorOf([] { toDouble(text(GetParam())); }), 13);
    EXPECT_EQ(errorOf([] { toInteger(text(GetParam())); }), 13);
}

INSTANTIATE_TEST_SUITE_P(Values, InvalidNumberText, testing::Values(
    u"", u"   ", u"abc", u"12abc", u"1.2.3", u".", u"-", u"+", u"1e", u"1e+", u"e5",
    u",5", u"1 2", u"&H", u"&HG", u"&O8", u"--1", u"0x10", u"1,234.5,6"));

struct OverflowCase {
    const char16_t* text;
    int32_t doubleError;
};

class OverflowText : public testing::TestWithParam<OverflowCase> {};

TEST_P(OverflowText, ReportsOverflow)
{
    EXPECT_EQ(errorOf([] { toDouble(text(GetParam().text)); }), GetParam().doubleError);
    EXPECT_EQ(errorOf([] { toLong(text(GetParam().text)); }), 6);
}

INSTANTIATE_TEST_SUITE_P(Edges, OverflowText, testing::Values(
    OverflowCase{u"1e400", 6},
    OverflowCase{u"-1e400", 6},
    OverflowCase{u"0.001e312", 6},
    OverflowCase{u"1000e306", 6},
    OverflowCase{u"&H100000000", 6},
    OverflowCase{u"2147483648", 0},
    OverflowCase{u"-2147483649", 0},
    OverflowCase{u"2147483647.5", 0}));

struct IntegerCase {
    double value;
    int32_t integer; // expected CInt, or the error number when `fails`
    bool fails;
};

class CIntRounding : public testing::TestWithParam<IntegerCase> {};

TEST_P(CIntRounding, HalvesToEven)
{
    const IntegerCase& c = GetParam();
    if (c.fails)
        EXPECT_EQ(errorOf([&] { toInteger(Variant::fromDouble(c.value)); }), c.integer);
    else
        EXPECT_EQ(toInteger(Variant::fromDouble(c.value)), c.integer);
}

INSTANTIATE_TEST_SUITE_P(Values, CIntRounding, testing::Values(
    IntegerCase{2.5, 2, false},
    IntegerCase{3.5, 4, false},
    IntegerCase{-2.5, -2, false},
    IntegerCase{-3.5, -4, false},
    IntegerCase{0.5, 0, false},
    IntegerCase{1.5, 2, false},
    IntegerCase{2.5000001, 3, false},
    IntegerCase{2.4999999, 2, false},
    IntegerCase{-0.4, 0, false},
    IntegerCase{32767.4, 32767, false},
    IntegerCase{-32768.5, -32768, false},
    IntegerCase{32767.5, 6, true},
    IntegerCase{-32769, 6, true},
    IntegerCase{-32768.6, 6, true}));

TEST(IntegerConversions, LongByteAndText)
{
    EXPECT_EQ(toLong(Variant::fromDouble(4.5)), 4);
    EXPECT_EQ(toLong(Variant::fromDouble(5.5)), 6);
    EXPECT_EQ(toLong(Variant::fromDouble(-1.5)), -2);
    EXPECT_EQ(toLong(Variant::fromDouble(123456.5)), 123456);
    EXPECT_EQ(toLong(Variant::fromDouble(-2147483648.5)), -2147483647 - 1);
    EXPECT_EQ(errorOf([] { toLong(Variant::fromDouble(2147483647.5)); }), 6);
    EXPECT_EQ(toByte(Variant::fromDouble(2.5)), 2);
    EXPECT_EQ(toByte(Variant::fromDouble(254.5)), 254);
    EXPECT_EQ(toByte(Variant::fromDouble(255.4)), 255);
    EXPECT_EQ(errorOf([] { toByte(Variant::fromDouble(255.5)); }), 6);
    EXPECT_EQ(errorOf([] { toByte(Variant::fromInteger(-1)); }), 6);
    EXPECT_EQ(toInteger(text(u"3.5")), 4);
    EXPECT_EQ(toInteger(text(u"  12  ")), 12);
    EXPECT_EQ(toInteger(text(u"-7")), -7);
    EXPECT_EQ(toInteger(text(u"1e3")), 1000);
    EXPECT_EQ(toLong(text(u"&HFF")), 255);
    EXPECT_EQ(toInteger(Variant::fromBool(true)), -1);
    EXPECT_EQ(toInteger(Variant::fromBool(false)), 0);
    EXPECT_EQ(toInteger(Variant()), 0);
    EXPECT_EQ(errorOf([] { toInteger(Variant::null()); }), 94);
    // CLng of a date keeps the day, rounding the time: 6 PM rounds up.
    EXPECT_EQ(toLong(Variant::fromDate(37623.75)), 37624);
}

TEST(CurrencyConversion, ScaledAndRounded)
{
    EXPECT_EQ(toCurrency(Variant::fromDouble(1234.5678)), 12345678);
    EXPECT_EQ(toCurrency(Variant::fromDouble(0.1)), 1000);
    EXPECT_EQ(toCurrency(Variant::fromDouble(1.0 / 3)), 3333);
    EXPECT_EQ(toCurrency(Variant::fromDouble(-2.5)), -25000);
    EXPECT_EQ(toCurrency(Variant::fromInteger(-3)), -30000);
    EXPECT_EQ(toCurrency(text(u"2.5")), 25000);
    EXPECT_EQ(errorOf([] { toCurrency(Variant::fromDouble(1e15)); }), 6);
    EXPECT_EQ(errorOf([] { toCurrency(Variant::fromDouble(-1e15)); }), 6);
    EXPECT_EQ(toCurrency(Variant::fromDouble(922337203685477.0)), 9223372036854770000);
}

TEST(SingleConversion, OverflowBeyondRange)
{
    EXPECT_EQ(toSingle(Variant::fromDouble(0.1)), 0.1f);
    EXPECT_EQ(errorOf([] { toSingle(Variant::fromDouble(1e39)); }), 6);
    EXPECT_EQ(toSingle(Variant::fromDouble(1e-50)), 0.0f);
}

TEST(BooleanConversion, NumbersAndWords)
{
    EXPECT_TRUE(toBoolean(Variant::fromDouble(0.5)));
    EXPECT_FALSE(toBoolean(Variant::fromLong(0)));
    EXPECT_FALSE(toBoolean(Variant()));
    EXPECT_TRUE(toBoolean(text(u"True")));
    EXPECT_TRUE(toBoolean(text(u" tRUE ")));
    EXPECT_FALSE(toBoolean(text(u"false")));
    EXPECT_TRUE(toBoolean(text(u"-1")));
    EXPECT_FALSE(toBoolean(text(u"0")));
    EXPECT_EQ(errorOf([] { toBoolean(text(u"yes")); }), 13);
    EXPECT_EQ(errorOf([] { toBoolean(Variant::null()); }), 94);
}

struct RoundCase {
    double in;
    double out;
};

class BankersRounding : public testing::TestWithParam<RoundCase> {};

TEST_P(BankersRounding, HalvesGoToEven)
{
    EXPECT_EQ(roundHalfEven(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Values, BankersRounding, testing::Values(
    RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2}, RoundCase{3.5, 4},
    RoundCase{-0.5, 0}, RoundCase{-1.5, -2}, RoundCase{-2.5, -2}, RoundCase{2.4999999, 2},
    RoundCase{2.5000001, 3}, RoundCase{-2.6, -3}, RoundCase{7, 7},
    RoundCase{4503599627370495.5, 4503599627370496.0}, RoundCase{1e300, 1e300}));

struct WholeCase {
    const char16_t* text;
    std::optional<int64_t> value;
};

class GoToAnswer : public testing::TestWithParam<WholeCase> {};

TEST_P(GoToAnswer, NumericTestThenRoundToEven)
{
    EXPECT_EQ(wholeNumberFromText(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, GoToAnswer, testing::Values(
    WholeCase{u"3", 3}, WholeCase{u"2.5", 2}, WholeCase{u"3.5", 4}, WholeCase{u"  7  ", 7},
    WholeCase{u"-4", -4}, WholeCase{u"0", 0}, WholeCase{u"abc", std::nullopt},
    WholeCase{u"", std::nullopt}, WholeCase{u"1e300", std::nullopt}));

TEST(IsNumeric, VariantTypes)
{
    EXPECT_TRUE(isNumeric(Variant()));
    EXPECT_FALSE(isNumeric(Variant::null()));
    EXPECT_TRUE(isNumeric(Variant::fromBool(true)));
    EXPECT_TRUE(isNumeric(Variant::fromDouble(3.5)));
    EXPECT_TRUE(isNumeric(text(u"&H1F")));
    EXPECT_FALSE(isNumeric(text(u"12abc")));
    EXPECT_FALSE(isNumeric(Variant::fromDate(1)));
    EXPECT_FALSE(isNumeric(Variant::nothing()));
}

} // namespace
