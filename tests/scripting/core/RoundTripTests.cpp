// Text written by the formatters reads back as the same value.
#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace quillo::script;

namespace {

TEST(NumberRoundTrip, FifteenDigitsReadBackWithinRounding)
{
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng)) * (i % 2 ? -1 : 1);
        const std::u16string text = formatDouble(x);
        const std::optional<double> back = parseNumber(text);
        ASSERT_TRUE(back.has_value()) << toUtf8(text);
        EXPECT_LE(std::fabs(*back - x), std::fabs(x) * 5e-15) << toUtf8(text);
        // Formatting is stable: the value read back prints the same.
        EXPECT_EQ(formatDouble(*back), text);
    }
}

TEST(NumberRoundTrip, SinglesKeepSevenDigits)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> dist(-1e6f, 1e6f);
    for (int i = 0; i < 5000; ++i) {
        const float x = dist(rng);
        const std::u16string text = formatSingle(x);
        const float back = float(*parseNumber(text));
        EXPECT_LE(std::fabs(back - x), std::fabs(x) * 1e-6f + 1e-30f) << toUtf8(text);
    }
}

TEST(DateRoundTrip, EverySecondFormatReadsBack)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> dist(kMinOleDate, kMaxOleDate);
    for (int i = 0; i < 20000; ++i) {
        // Whole seconds, so formatting loses nothing.
        const double linear = std::round(oleToLinear(dist(rng)) * 86400.0) / 86400.0;
        const double ole = linearToOle(linear);
        const std::u16string text = formatDate(ole);
        const std::optional<double> back = parseDate(text);
        ASSERT_TRUE(back.has_value()) << toUtf8(text);
        EXPECT_NEAR(oleToLinear(*back), linear, 0.5 / 86400.0) << toUtf8(text);
    }
}

TEST(ParserRobustness, ArbitraryTextNeverCrashes)
{
    std::mt19937 rng(3);
    const std::u16string alphabet = u"0123456789/-.,: &HhOoEe+$AaPpMmJjDecThursday\t\u00A0";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int i = 0; i < 50000; ++i) {
        std::u16string s;
        for (int n = length(rng); n > 0; --n)
            s += alphabet[pick(rng)];
        const std::optional<double> number = parseNumber(s);
        EXPECT_EQ(number.has_value(), isNumericText(s));
        const std::optional<double> date = parseDate(s);
        if (date) {
            EXPECT_TRUE(isValidOleDate(*date)) << toUtf8(s);
        }
    }
    // Very long inputs are read in linear time and rejected or accepted cleanly.
    EXPECT_EQ(errorOf([] { textToDouble(std::u16string(1000000, u'9')); }), 6);
    EXPECT_EQ(parseNumber(u"0." + std::u16string(1000000, u'0') + u"1"), 0.0);
    EXPECT_FALSE(parseDate(std::u16string(1000000, u'1')).has_value());
    EXPECT_FALSE(parseDate(std::u16string(1000000, u'a')).has_value());
}

} // namespace
