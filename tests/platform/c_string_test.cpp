#include <gtest/gtest.h>

#include "c_string.h"
#include "string_table.h"

TEST(CString, PiecesAreClampedToTheText) {
    const CString s(L"Floorplan");
    EXPECT_EQ(s.Left(5), CString(L"Floor"));
    EXPECT_EQ(s.Right(4), CString(L"plan"));
    EXPECT_EQ(s.Mid(5), CString(L"plan"));
    EXPECT_EQ(s.Mid(5, 2), CString(L"pl"));
    EXPECT_EQ(s.Left(50), s);
    EXPECT_EQ(s.Mid(50), CString());
    EXPECT_EQ(s.Mid(-3, 2), CString(L"Fl"));
    EXPECT_EQ(s.Right(-1), CString());
    EXPECT_EQ(s.GetAt(99), L'\0');
}

TEST(CString, SearchesGiveMinusOneWhenAbsent) {
    const CString s(L"My Documents\\plan12.fpl");
    EXPECT_EQ(s.Find(L'\\'), 12);
    EXPECT_EQ(s.ReverseFind(L'.'), 19);
    EXPECT_EQ(s.Find(L"plan"), 13);
    EXPECT_EQ(s.Find(L'z'), -1);
    EXPECT_EQ(s.Find(L'M', 1), -1);
    EXPECT_EQ(s.FindOneOf(L"0123456789"), 17);
}

TEST(CString, EditingCalls) {
    CString s(L"  a-b-c  ");
    s.Trim();
    EXPECT_EQ(s, CString(L"a-b-c"));
    EXPECT_EQ(s.Replace(L'-', L'+'), 2);
    EXPECT_EQ(s.Replace(L"+", L"--"), 2);
    EXPECT_EQ(s, CString(L"a--b--c"));
    EXPECT_EQ(s.Remove(L'-'), 4);
    s.Insert(1, L"X");
    s.Delete(0);
    EXPECT_EQ(s, CString(L"Xbc"));
    s.MakeUpper();
    EXPECT_EQ(s, CString(L"XBC"));
    CString path(L"name...");
    path.TrimRight(L'.');
    EXPECT_EQ(path, CString(L"name"));
}

TEST(CString, CaseFoldingCoversTheCodePageOnly) {
    CString s(L"\u00E9t\u00E9 \u0161");
    s.MakeUpper();
    EXPECT_EQ(s, CString(L"\u00C9T\u00C9 \u0160"));
    EXPECT_EQ(CString(L"Kitchen").CompareNoCase(L"KITCHEN"), 0);
    EXPECT_LT(CString(L"a").CompareNoCase(L"B"), 0);
    EXPECT_GT(CString(L"b").Compare(L"a"), 0);
}

TEST(CString, NarrowTextUsesTheCodePage) {
    const CString s("\x80 caf\xE9");
    EXPECT_EQ(s, CString(L"\u20AC caf\u00E9"));
    EXPECT_EQ(s.ToNarrow(), "\x80 caf\xE9");
}

TEST(CString, FormatAndAppendFormat) {
    CString s;
    s.Format(L"%s %d", L"Room", 3);
    s.AppendFormat(L" (%.1f)", 12.5);
    EXPECT_EQ(s, CString(L"Room 3 (12.5)"));
}

TEST(CString, BufferAccessEndsAtTheTerminator) {
    CString s;
    wchar_t* buffer = s.GetBuffer(10);
    buffer[0] = L'o';
    buffer[1] = L'k';
    buffer[2] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, CString(L"ok"));
    EXPECT_EQ(s.GetLength(), 2);
}

TEST(CString, LoadStringReadsTheStringTable) {
    RegisterStrings({{60001, L"Measurements"}});
    CString s(L"unchanged");
    EXPECT_FALSE(s.LoadString(60002));
    EXPECT_EQ(s, CString(L"unchanged"));
    EXPECT_TRUE(s.LoadString(60001));
    EXPECT_EQ(s, CString(L"Measurements"));
}
