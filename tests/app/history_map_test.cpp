// The level's history records and map link as the floor-plan file holds them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "code_page.h"
#include "history_record.h"
#include "map_link.h"
#include "program_version.h"
#include "xml_element.h"

namespace {

std::unique_ptr<CXMLElement> Root(const std::wstring& body)
{
    const std::string text = WideToNarrow(L"<QUENDAR_FPL>" + body + L"</QUENDAR_FPL>");
    auto root = std::make_unique<CXMLElement>();
    EXPECT_TRUE(root->Parse(text.c_str(), static_cast<int>(text.size()), nullptr));
    return root;
}

std::wstring W(const CString& s) { return s.GetString(); }

TEST(HistoryRecordTest, TimeAndVersionTexts)
{
    SYSTEMTIME t{};
    t.wYear = 2011;
    t.wMonth = 3;
    t.wDay = 5;
    t.wHour = 9;
    t.wMinute = 7;
    EXPECT_EQ(W(FormatHistoryTime(t)), L"3/5/2011 9:7");
    EXPECT_EQ(W(ProgramVersionFor(t)), L"11.3.5");
}

TEST(HistoryRecordTest, WrittenBlockReadsBackInOrder)
{
    CHistoryList list(2);
    list[0].m_application = L"Pro";
    list[0].m_version = L"11.3.5";
    list[0].m_time = L"3/5/2011 9:7";
    list[1].m_application = L"Lite";
    list[1].m_owner = L"Ann";
    CString text;
    WriteHistory(list, text);
    EXPECT_EQ(W(text), L"\n<HISTORY><NODE a=\"Pro\" v=\"11.3.5\" t=\"3/5/2011 9:7\" u=\"\"/>"
                       L"<NODE a=\"Lite\" v=\"\" t=\"\" u=\"Ann\"/></HISTORY>");
    CHistoryList read;
    ReadHistory(read, Root(text.GetString()).get());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(W(read[0].m_application), L"Pro");
    EXPECT_EQ(W(read[0].m_time), L"3/5/2011 9:7");
    EXPECT_EQ(W(read[1].m_owner), L"Ann");
    // A New appends one more at the end.
    AddHistoryRecord(read);
    EXPECT_EQ(read.size(), 3u);
    ClearHistory(read);
    EXPECT_TRUE(read.empty());
}

TEST(HistoryRecordTest, ReadingStopsAtTheFirstMissingNode)
{
    CHistoryList read;
    ReadHistory(read, Root(L"<HISTORY><NODE a=\"x\"/><OTHER/><OTHER/></HISTORY>").get());
    EXPECT_EQ(read.size(), 1u);
    CHistoryList none;
    ReadHistory(none, Root(L"<MAP/>").get());
    EXPECT_TRUE(none.empty());
}

TEST(MapLinkTest, ZoomByVersion)
{
    const struct {
        const wchar_t* attributes;
        int zoom;
    } rows[] = {
        {L"version=\"1\" zoom=\"5\"", 12},
        {L"version=\"2\" zoom=\"7\"", 15},
        {L"version=\"2\" zoom=\"12\"", 12},
        {L"version=\"0\" zoom=\"7\"", 15},
        {L"version=\"-3\" zoom=\"7\"", 15},
        {L"zoom=\"0\"", 15},
    };
    for (const auto& row : rows) {
        CMapLink link;
        ASSERT_TRUE(link.Read(Root(std::wstring(L"<MAP latitude=\"47.5\" longitude=\"8.25\" ") +
                                   row.attributes + L"/>").get()));
        EXPECT_EQ(link.m_zoom, row.zoom) << row.attributes;
        EXPECT_EQ(link.m_version >= 1, true);
    }
}

TEST(MapLinkTest, WrittenElementAndValidity)
{
    CMapLink link;
    ASSERT_TRUE(link.Read(Root(L"<MAP latitude=\"47.5\" longitude=\"8.25\" marker=\"YES\" version=\"1\" zoom=\"5\" image_file=\"map.png\"/>").get()));
    EXPECT_TRUE(link.IsValid());
    EXPECT_TRUE(link.m_marker);
    EXPECT_FALSE(link.m_google);  // a valid position with an image
    CString text;
    link.Write(text);
    EXPECT_EQ(W(text), L"\n<MAP longitude=\"8.250000\" latitude=\"47.500000\" marker=\"YES\" zoom=\"12\" "
                       L"version=\"2\" google=\"NO\" image_file=\"map.png\"/>");
    link.Reset();
    EXPECT_FALSE(link.IsValid());
    EXPECT_EQ(link.m_zoom, 12);
    CMapLink zeroLatitude;
    zeroLatitude.Read(Root(L"<MAP latitude=\"0\" longitude=\"8\"/>").get());
    EXPECT_FALSE(zeroLatitude.IsValid());
    CMapLink none;
    EXPECT_FALSE(none.Read(Root(L"<HISTORY/>").get()));
    EXPECT_EQ(none.m_zoom, 15);
    EXPECT_TRUE(none.m_google);
}

}  // namespace
