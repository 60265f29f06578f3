#include <gtest/gtest.h>

#include "code_page.h"

TEST(CodePage, EveryByteFrom0x20To0xFFRoundTrips) {
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const std::string narrow(1, static_cast<char>(byte));
        const std::wstring wide = NarrowToWide(narrow);
        ASSERT_EQ(wide.size(), 1u) << byte;
        EXPECT_EQ(WideToNarrow(wide), narrow) << "byte " << byte;
    }
}

TEST(CodePage, HighBytesAreWindows1252NotLatin1) {
    const struct {
        unsigned char byte;
        wchar_t wide;
    } cases[] = {
        {0x80, 0x20AC}, {0x8A, 0x0160}, {0x92, 0x2019}, {0x96, 0x2013}, {0x9F, 0x0178},
        {0xA0, 0x00A0}, {0xB0, 0x00B0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageToWide(c.byte), c.wide) << int(c.byte);
        EXPECT_EQ(WideToCodePage(c.wide), c.byte) << int(c.byte);
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(WideToNarrow(L"a\u4E2Db\u0394"), "a?b?");
    char out[4] = {};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u4E2D", -1, out, 4, nullptr, &usedDefault), 2);
    EXPECT_TRUE(usedDefault);
    EXPECT_STREQ(out, "?");
}

TEST(CodePage, ConversionCallsReportSizesAndRefuseSmallBuffers) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);  // with the terminator
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 0), 3);
    wchar_t small[2];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, small, 2), 0);
    wchar_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80x", -1, wide, 8), 3);
    EXPECT_EQ(std::wstring(wide), L"\u20ACx");
    EXPECT_EQ(MultiByteToWideChar(65001, 0, "abc", -1, wide, 8), 0);  // only the fixed code page
}

TEST(CodePage, Utf8AtTheHostBoundaryRoundTrips) {
    const std::wstring text = L"Stra\u00DFe \u20AC \u4E2D";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(L"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(Utf8ToWide("\xC3"), L"\uFFFD");  // a cut sequence
}
