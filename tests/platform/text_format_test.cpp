#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "c_string.h"
#include "text_format.h"

TEST(TextFormat, ConversionsTheProgramUses) {
    EXPECT_EQ(FormatWide(L"%d", 42), L"42");
    EXPECT_EQ(FormatWide(L"%d", -7), L"-7");
    EXPECT_EQ(FormatWide(L"%2d", 5), L" 5");
    EXPECT_EQ(FormatWide(L"%2d", 123), L"123");
    EXPECT_EQ(FormatWide(L"%02d", 5), L"05");
    EXPECT_EQ(FormatWide(L"%-3d|", 5), L"5  |");
    EXPECT_EQ(FormatWide(L"%f", 0.5), L"0.500000");
    EXPECT_EQ(FormatWide(L"%.1f", 2.26), L"2.3");
    EXPECT_EQ(FormatWide(L"%.0f", 2.6), L"3");
    EXPECT_EQ(FormatWide(L"%8.2f", -3.14159), L"   -3.14");
    EXPECT_EQ(FormatWide(L"%d.%d.%d", 11, 3, 5), L"11.3.5");
    EXPECT_EQ(FormatWide(L"%s %s", L"12", CString(L"Main")), L"12 Main");
    EXPECT_EQ(FormatWide(L"%s", "narrow\xE9"), L"narrow\u00E9");
    EXPECT_EQ(FormatWide(L"%u", -1), L"4294967295");
    EXPECT_EQ(FormatWide(L"%x %X %#x", 255, 255, 255), L"ff FF 0xff");
    EXPECT_EQ(FormatWide(L"%c%c", L'A', 'b'), L"Ab");
    EXPECT_EQ(FormatWide(L"%5s|%-5s|%.2s", L"ab", L"cd", L"xyz"), L"   ab|cd   |xy");
    EXPECT_EQ(FormatWide(L"100%%"), L"100%");
    EXPECT_EQ(FormatWide(L"%e", 12345.678), L"1.234568e+04");
    EXPECT_EQ(FormatWide(L"%g", 0.0001), L"0.0001");
    EXPECT_EQ(FormatWide(L"%*d", 4, 7), L"   7");
    EXPECT_EQ(FormatWide(L"%ld %I64d", 3L, 4LL), L"3 4");
}

TEST(TextFormat, NarrowFormattingWritesTheCodePage) {
    EXPECT_EQ(FormatNarrow("%s=\"%d\"", "x", 3), "x=\"3\"");
    EXPECT_EQ(FormatNarrow("%s", L"\u20AC"), "\x80");
    EXPECT_EQ(FormatNarrow("%.3f", 1.0), "1.000");
}

TEST(TextFormat, ArgumentsThatDoNotFitAreAClearError) {
    EXPECT_THROW(FormatWide(L"%d %d", 1), std::invalid_argument);
    EXPECT_THROW(FormatWide(L"%d", L"text"), std::invalid_argument);
    EXPECT_THROW(FormatWide(L"%s", 3), std::invalid_argument);
    EXPECT_THROW(FormatWide(L"%q", 3), std::invalid_argument);
    EXPECT_THROW(FormatWide(L"tail %"), std::invalid_argument);
}

TEST(TextFormat, ParsingReadsLikeAtoiAndAtof) {
    EXPECT_EQ(ParseInt("  42abc"), 42);
    EXPECT_EQ(ParseInt("-17"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseInt(L"120,5"), 120);
    EXPECT_DOUBLE_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseDouble(" -0.75e1x"), -7.5);
    EXPECT_DOUBLE_EQ(ParseDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble(L"3.25"), 3.25);
}

// Formatting and parsing must not follow a user locale whose decimal mark is
// a comma. The fixture switches LC_NUMERIC to German, generating the locale
// into a temporary folder when the system lacks it.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = std::setlocale(LC_NUMERIC, nullptr);
        if (Switch()) return;
        m_folder = std::filesystem::temp_directory_path() / ("pelk-locale-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        const std::string command = "localedef -i de_DE -f UTF-8 '" + (m_folder / "de_DE.UTF-8").string() +
                                    "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0 && !std::filesystem::exists(m_folder / "de_DE.UTF-8")) return;
        ::setenv("LOCPATH", m_folder.c_str(), 1);
        Switch();
    }

    void TearDown() override {
        std::setlocale(LC_NUMERIC, m_previous.c_str());
        if (!m_folder.empty()) {
            ::unsetenv("LOCPATH");
            std::error_code error;
            std::filesystem::remove_all(m_folder, error);
        }
    }

    bool Switch() {
        m_active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        return m_active;
    }

    bool m_active = false;
    std::string m_previous;
    std::filesystem::path m_folder;
};

TEST_F(GermanLocale, FormatOfHalfIsPointFiveZeros) {
    if (!m_active) GTEST_SKIP() << "no German locale can be made here";
    char cLibrary[32];
    std::snprintf(cLibrary, sizeof cLibrary, "%f", 0.5);
    ASSERT_STREQ(cLibrary, "0,500000");  // the locale is really in force
    CString text;
    text.Format(L"%f", 0.5);
    EXPECT_EQ(text, CString(L"0.500000"));
    EXPECT_EQ(FormatNarrow("%.1f", 2.25 + 0.01), "2.3");
    EXPECT_DOUBLE_EQ(ParseDouble("2.5"), 2.5);
}
