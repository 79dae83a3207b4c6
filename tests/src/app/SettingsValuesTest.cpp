// Text forms of stored numbers, booleans and window states.

#include "src/app/SettingsValues.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(SettingsValuesTest, NumbersAreDecimalTextWithAPointUnderAnyLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const struct {
        double value;
        const char* text;
    } cases[] = {{9.75, "9.75"}, {6000, "6000"}, {-150, "-150"}, {0, "0"}, {11.25, "11.25"}, {1234567, "1234567"}};
    for (const auto& c : cases) {
        EXPECT_EQ(numberText(c.value), QLatin1String(c.text));
        EXPECT_EQ(parseNumber(QLatin1String(c.text)), c.value) << c.text;
    }
    QLocale::setDefault(previous);
}

TEST(SettingsValuesTest, OnlyConvertibleTextGivesAValue) {
    const struct {
        const char* text;
        std::optional<double> number;
        std::optional<bool> boolean;
        std::optional<int> state;
    } cases[] = {
        {"2", 2, std::nullopt, 2},         {" 1 ", 1, std::nullopt, 1},     {"0", 0, std::nullopt, 0},
        {"2.0", 2, std::nullopt, 2},       {"3", 3, std::nullopt, std::nullopt},
        {"1.5", 1.5, std::nullopt, std::nullopt}, {"-1", -1, std::nullopt, std::nullopt},
        {"9,75", std::nullopt, std::nullopt, std::nullopt}, {"", std::nullopt, std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt, std::nullopt},  {"nan", std::nullopt, std::nullopt, std::nullopt},
        {"True", std::nullopt, true, std::nullopt},         {"FALSE", std::nullopt, false, std::nullopt},
        {" true ", std::nullopt, true, std::nullopt},       {"Yes", std::nullopt, std::nullopt, std::nullopt},
        {"Truely", std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseNumber(QLatin1String(c.text)), c.number);
        EXPECT_EQ(parseBoolean(QLatin1String(c.text)), c.boolean);
        EXPECT_EQ(parseWindowState(QLatin1String(c.text)), c.state);
    }
    EXPECT_EQ(singleText(9.75), QLatin1String("9.75"));
    EXPECT_EQ(singleText(double(11.3f)), QLatin1String("11.3"));
    EXPECT_EQ(booleanText(true), QLatin1String("True"));
    EXPECT_EQ(booleanText(false), QLatin1String("False"));
}

} // namespace
} // namespace quillo
