// Numbers to text as CStr shows them.
#include "scripting/core/Convert.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

using namespace quillo::script;

namespace {

struct DoubleCase {
    double value;
    const char16_t* text;
};

class DoubleText : public testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleText, FifteenSignificantDigits)
{
    EXPECT_EQ(toText(Variant::fromDouble(GetParam().value)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, DoubleText, testing::Values(
    DoubleCase{0.1 + 0.2, u"0.3"},
    DoubleCase{1.0 / 3, u"0.333333333333333"},
    DoubleCase{2.0 / 3, u"0.666666666666667"},
    DoubleCase{10.0 / 3, u"3.33333333333333"},
    DoubleCase{1 - 0.9, u"0.1"},
    DoubleCase{4.35 * 100, u"435"},
    DoubleCase{123.456, u"123.456"},
    DoubleCase{12345678.9, u"12345678.9"},
    DoubleCase{-0.5, u"-0.5"},
    DoubleCase{3.0, u"3"},
    DoubleCase{1e308, u"1E+308"},
    DoubleCase{1.5e300, u"1.5E+300"},
    DoubleCase{-1.5e-300, u"-1.5E-300"},
    DoubleCase{1e100, u"1E+100"},
    DoubleCase{1e21, u"1E+21"}));

// Plain notation up to 15 integer digits and down to 4 leading zeros after the point.
INSTANTIATE_TEST_SUITE_P(ExponentThresholds, DoubleText, testing::Values(
    DoubleCase{1e14, u"100000000000000"},
    DoubleCase{999999999999999.0, u"999999999999999"},
    DoubleCase{1e15, u"1E+15"},
    DoubleCase{-1e15, u"-1E+15"},
    DoubleCase{1234567890123456.0, u"1.23456789012346E+15"},
    DoubleCase{123456789012345678.0, u"1.23456789012346E+17"},
    DoubleCase{9007199254740992.0, u"9.00719925474099E+15"},
    // 999999999999999.9 rounds up to 16 digits and so takes the exponent form.
    DoubleCase{999999999999999.9, u"1E+15"},
    DoubleCase{0.0001, u"0.0001"},
    DoubleCase{0.000123, u"0.000123"},
    DoubleCase{0.00001, u"1E-05"},
    DoubleCase{0.0000123, u"1.23E-05"},
    DoubleCase{0.000099999999999999999, u"0.0001"},
    DoubleCase{1.5e-7, u"1.5E-07"}));

INSTANTIATE_TEST_SUITE_P(ZeroAndLimits, DoubleText, testing::Values(
    DoubleCase{0.0, u"0"},
    DoubleCase{-0.0, u"0"},
    DoubleCase{DBL_MAX, u"1.79769313486232E+308"},
    DoubleCase{-DBL_MAX, u"-1.79769313486232E+308"},
    DoubleCase{DBL_MIN, u"2.2250738585072E-308"},
    DoubleCase{4.9406564584124654e-324, u"4.94065645841247E-324"},
    DoubleCase{std::numeric_limits<double>::infinity(), u"Infinity"},
    DoubleCase{-std::numeric_limits<double>::infinity(), u"-Infinity"},
    DoubleCase{std::numeric_limits<double>::quiet_NaN(), u"NaN"}));

struct SingleCase {
    float value;
    const char16_t* text;
};

class SingleText : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleText, SevenSignificantDigits)
{
    EXPECT_EQ(toText(Variant::fromSingle(GetParam().value)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SingleText, testing::Values(
    SingleCase{0.1f, u"0.1"},
    SingleCase{1e10f, u"1E+10"},
    SingleCase{123456.7f, u"123456.7"},
    SingleCase{1234567.8f, u"1234568"},
    SingleCase{9999999.0f, u"9999999"},
    SingleCase{12345678.0f, u"1.234568E+07"},
    SingleCase{0.0001f, u"0.0001"},
    SingleCase{0.00001f, u"1E-05"},
    SingleCase{-0.0f, u"0"},
    SingleCase{FLT_MAX, u"3.402823E+38"},
    SingleCase{1.5e-7f, u"1.5E-07"}));

struct CurrencyCase {
    int64_t scaled;
    const char16_t* text;
};

class CurrencyText : public testing::TestWithParam<CurrencyCase> {};

TEST_P(CurrencyText, UpToFourDecimals)
{
    EXPECT_EQ(toText(Variant::fromCurrency(GetParam().scaled)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, CurrencyText, testing::Values(
    CurrencyCase{12345678, u"1234.5678"},
    CurrencyCase{1000, u"0.1"},
    CurrencyCase{-25000, u"-2.5"},
    CurrencyCase{30000, u"3"},
    CurrencyCase{1, u"0.0001"},
    CurrencyCase{-1, u"-0.0001"},
    CurrencyCase{0, u"0"},
    CurrencyCase{INT64_MAX, u"922337203685477.5807"},
    CurrencyCase{INT64_MIN, u"-922337203685477.5808"}));

TEST(OtherTypesText, AsCStrShowsThem)
{
    EXPECT_EQ(toText(Variant()), u"");
    EXPECT_EQ(toText(Variant::fromBool(true)), u"True");
    EXPECT_EQ(toText(Variant::fromBool(false)), u"False");
    EXPECT_EQ(toText(Variant::fromInteger(-32768)), u"-32768");
    EXPECT_EQ(toText(Variant::fromLong(2147483647)), u"2147483647");
    EXPECT_EQ(toText(Variant::fromLong(-2147483647 - 1)), u"-2147483648");
    EXPECT_EQ(toText(Variant::fromByte(255)), u"255");
    EXPECT_EQ(errorOf([] { toText(Variant::null()); }), 94);
    EXPECT_EQ(toTextOrEmpty(Variant::null()), u"");
    EXPECT_EQ(errorOf([] { toText(Variant::nothing()); }), 91);
    Variant target = Variant::fromDouble(2.5);
    EXPECT_EQ(toText(Variant::byRef(&target)), u"2.5");
}

} // namespace
