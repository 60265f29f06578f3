// Length texts: rounding, label texts, feet-inches-half texts and parsing.
#include <gtest/gtest.h>

#include <string>

#include "length_text.h"

namespace {

std::wstring W(const CString& s) { return s.GetString(); }

TEST(LengthTextTest, RoundToInt)
{
    const struct {
        double value;
        int expected;
    } rows[] = {{2.5, 3}, {2.49, 2}, {-2.5, -2}, {-2.51, -3}, {0.0, 0}, {254.6, 255}};
    for (const auto& r : rows)
        EXPECT_EQ(RoundToInt(r.value), r.expected) << r.value;
    // Out of any plan's range: held at a billion, never undefined.
    EXPECT_EQ(RoundToInt(1e300), 1000000000);
    EXPECT_GT(FormatFeetInchesHalf(-1e30f).GetLength(), 0);
    EXPECT_EQ(W(DimLabelText(1e300, false)), L"1000000000");
}

TEST(LengthTextTest, DimensionLabelTexts)
{
    const struct {
        double length;
        bool imperial;
        const wchar_t* text;
    } rows[] = {
        {149.9, true, L"12' 5\""}, {5.0, true, L" 5\""},   {254.6, false, L"255"},
        {12.0, true, L" 1' 0\""},  {11.99, true, L"11\""}, {300.0, true, L"25' 0\""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(W(DimLabelText(r.length, r.imperial)), r.text) << r.length;
}

TEST(LengthTextTest, FeetInchesAndHalf)
{
    const struct {
        float inches;
        const wchar_t* text;
    } rows[] = {
        {60.0f, L"5'0\""}, {60.5f, L"5'1/2"},  {7.5f, L"7\"1/2"}, {0.5f, L"1/2\""},
        {67.25f, L"5'7\"1/2"}, {0.0f, L"0\""}, {11.0f, L"11\""},  {12.1f, L"1'1/2"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(W(FormatFeetInchesHalf(r.inches)), r.text) << r.inches;
}

TEST(LengthTextTest, ParseFeetInches)
{
    const struct {
        const wchar_t* text;
        float inches;
    } rows[] = {
        {L"5'6\"", 66.0f}, {L"6\"", 6.0f},  {L"5'", 60.0f}, {L"5'6", 60.0f}, {L"66", 0.0f},
        {L"'6\"", 6.0f},   {L"\"5", 0.0f},  {L"", 0.0f},    {L" 2' 3\"", 27.0f},
        {L"99999999999'", 2147483647.0f * 12.0f},
    };
    for (const auto& r : rows)
        EXPECT_FLOAT_EQ(ParseFeetInches(CString(r.text)), r.inches) << r.text;
}

}  // namespace
