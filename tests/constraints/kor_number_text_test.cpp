#include "kor_number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(KorNumberText, FormatsAsPrintfInTheCLocale)
{
    EXPECT_EQ(KorFormatFixed(static_cast<float>(12.34), 1), "12.3");
    EXPECT_EQ(KorFormatFixed(static_cast<float>(-0.06), 1), "-0.1");
    EXPECT_EQ(KorFormatFixed(120.0, 1), "120.0");
    EXPECT_EQ(KorFormatFixed(5.0f, 2, 9), "     5.00");
    EXPECT_EQ(KorFormatFixed(-1234567.5, 2, 9), "-1234567.50");
    EXPECT_EQ(KorFormatFixed(0.5, 6, 8), "0.500000");
    EXPECT_EQ(KorFormatFixed(1.5, 6, 10), "  1.500000");
    EXPECT_EQ(KorFormatInt(3), "3");
    EXPECT_EQ(KorFormatInt(-12), "-12");
}

// A value that rounds to zero is written without a sign: a node a hair
// left of the axis reads "0.0", as the one a hair right of it does.
TEST(KorNumberText, AValueThatRoundsToZeroHasNoSign)
{
    const struct {
        double value;
        int precision;
        int width;
        const char* text;
    } cases[] = {
        {-0.04, 1, 0, "0.0"},           {static_cast<float>(-0.049), 1, 0, "0.0"},
        {-0.0, 1, 0, "0.0"},            {-1e-9, 2, 0, "0.00"},
        {-0.004, 2, 9, "     0.00"},    {-0.0000004, 6, 0, "0.000000"},
        {-0.05, 1, 0, "-0.1"},          {-0.06, 1, 0, "-0.1"},
        {-0.006, 2, 0, "-0.01"},        {-10.04, 1, 0, "-10.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KorFormatFixed(c.value, c.precision, c.width), c.text) << c.value;
}

// A decimal comma in the process locale must not leak into the text.
TEST(KorNumberText, IgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::string text = KorFormatFixed(1.5, 2);
    double value = 0.0;
    const bool parsed = KorParseFinite("2.25", value);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(text, "1.50");
    EXPECT_TRUE(parsed);
    EXPECT_EQ(value, 2.25);
}

struct ParseCase {
    const char* text;
    bool accepted;
    double value;
};

class KorParseFiniteTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(KorParseFiniteTable, AcceptsOnlyWholeFiniteNumbers)
{
    const ParseCase& c = GetParam();
    double value = -777.0;
    EXPECT_EQ(KorParseFinite(c.text, value), c.accepted) << c.text;
    EXPECT_EQ(value, c.accepted ? c.value : -777.0) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, KorParseFiniteTable,
    ::testing::Values(ParseCase{"1.5", true, 1.5}, ParseCase{"2", true, 2.0},
                      ParseCase{"-0.25", true, -0.25}, ParseCase{"+4", true, 4.0},
                      ParseCase{"1e3", true, 1000.0}, ParseCase{"7.", true, 7.0},
                      ParseCase{"12x", false, 0}, ParseCase{"inf", false, 0},
                      ParseCase{"-inf", false, 0}, ParseCase{"nan", false, 0},
                      ParseCase{"1e999", false, 0}, ParseCase{"0x1p3", false, 0},
                      ParseCase{"", false, 0}, ParseCase{" 1", false, 0},
                      ParseCase{"1 ", false, 0}, ParseCase{"+-1", false, 0},
                      ParseCase{"1,5", false, 0}, ParseCase{"-", false, 0}));

TEST(KorNumberText, ParsesWholeIntegersInRange)
{
    int value = -1;
    EXPECT_TRUE(KorParseInt("3", value));
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(KorParseInt("-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
    value = 9;
    EXPECT_FALSE(KorParseInt("2147483648", value));
    EXPECT_FALSE(KorParseInt("-2147483649", value));
    EXPECT_FALSE(KorParseInt("3.5", value));
    EXPECT_FALSE(KorParseInt("3x", value));
    EXPECT_FALSE(KorParseInt("", value));
    EXPECT_FALSE(KorParseInt(nullptr, value));
    EXPECT_EQ(value, 9);
}

} // namespace
