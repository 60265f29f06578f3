// The floor-plan file's plain text: its exact layout, the room tags and the
// path list, and reading a file back into a document.
#include <algorithm>
#include <string>
#include <vector>

#include "c_dialog.h"
#include "exchange_settings.h"
#include "floor_plan_test_support.h"
#include "floor_plan_text.h"
#include "level_files.h"
#include "zup_edge.h"
#include "zup_object.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

void FillHeader(CReplDoc& document)
{
    document.m_street = CString("Anystreet");
    document.m_house = CString("1");
    document.m_level = CString("Main");
    document.m_orientation = CString("none");
}

std::string Root(const std::string& attributes, const std::string& body)
{
    return "\n<QUENDAR_FPL " + attributes + ">" + body + "\n</QUENDAR_FPL>\n";
}

// A room's element as the document writes it.
std::string Element(CReplDoc& document, const char* name, const char* shape)
{
    CRoomFloor* room = FloorPlanTest::AddRoom(document, name);
    room->SetShapeName(shape);
    std::string body;
    room->Save(body, false);
    return "\n<" + room->GetTagName(true) + " body=\"" + body + "\"/>\n";
}

}  // namespace

using FloorPlanFileTest = FloorPlanTest;

TEST_F(FloorPlanFileTest, LevelWithoutRoomsIsWrittenByteForByte)
{
    CReplDoc document;
    FillHeader(document);
    EXPECT_EQ(FileText(document),
              "\n<QUENDAR_FPL version=\"1.0\" house=\"1\" street=\"Anystreet\" unit=\"\" level=\"Main\" "
              "zip=\"\" mls=\"\" jobid=\"\" orient=\"none\" codepage=\"0\"\n path=\"\">"
              "\n<HISTORY></HISTORY>"
              "\n</QUENDAR_FPL>\n");
}

TEST_F(FloorPlanFileTest, MetricModeAndAValidMapAddTheirPieces)
{
    CReplDoc document;
    FillHeader(document);
    ZupObject::SetMetric(true);
    document.m_mapLink.m_latitude = 45.5;
    document.m_mapLink.m_longitude = -73.25;
    std::string header;
    document.WriteFileHeader(header);
    EXPECT_NE(header.find("codepage=\"0\"\n path=\"\" metric=\"YES\">\n<HISTORY></HISTORY>\n<MAP "),
              std::string::npos)
        << header;
    EXPECT_EQ(header.back(), '>');
}

TEST_F(FloorPlanFileTest, RoomsAreListedInPathAndWrittenAsElements)
{
    CReplDoc document;
    FillHeader(document);
    AddRoom(document, "Hall 1");
    AddRoom(document, "2nd Bedroom");
    const std::string text = FileText(document);
    EXPECT_NE(text.find("\n path=\"Hall1,2ndBedroom,\">"), std::string::npos);
    EXPECT_NE(text.find("\n<Hall1 body=\"Name=Hall 1\n"), std::string::npos);
    EXPECT_NE(text.find("\n<_ndBedroom body=\"Name=2nd Bedroom\n"), std::string::npos);
    EXPECT_NE(text.find("Shape=Rectangle\n\"/>\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 16), "\n</QUENDAR_FPL>\n");
}

TEST_F(FloorPlanFileTest, AmpersandInARoomNameIsEscapedInTheCommandText)
{
    CReplDoc document;
    FillHeader(document);
    CRoomFloor* room = AddRoom(document, "Bath1");
    room->SetLabelText("Bath & Laundry");
    const std::string text = FileText(document);
    EXPECT_NE(text.find("Name=Bath &amp; Laundry\n"), std::string::npos);

    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(reader.GetRoom(0)->GetLabel(), "Bath & Laundry");
}

TEST_F(FloorPlanFileTest, HeaderRoomsHistoryAndMapComeBack)
{
    CReplDoc writer;
    writer.m_street = CString("Elm Road");
    writer.m_house = CString("12");
    writer.m_unit = CString("3");
    writer.m_level = CString("Upper");
    writer.m_zip = CString("90210");
    writer.m_mls = CString("123456");
    writer.m_jobId = CString("J-7");
    writer.m_orientation = CString(" N ");
    AddHistoryRecord(writer.m_history);
    writer.m_mapLink.m_latitude = 45.5;
    writer.m_mapLink.m_longitude = -73.25;
    AddRoom(writer, "Hall1");
    AddRoom(writer, "2nd Bedroom");

    CReplDoc reader;
    ASSERT_TRUE(Load(reader, FileText(writer)));
    EXPECT_EQ(reader.m_street, CString("Elm Road"));
    EXPECT_EQ(reader.m_house, CString("12"));
    EXPECT_EQ(reader.m_unit, CString("3"));
    EXPECT_EQ(reader.m_level, CString("Upper"));
    EXPECT_EQ(reader.m_zip, CString("90210"));
    EXPECT_EQ(reader.m_mls, CString("123456"));
    EXPECT_EQ(reader.m_jobId, CString("J-7"));
    EXPECT_EQ(reader.m_orientation, CString(" N ")) << "orient is copied untrimmed";
    ASSERT_EQ(reader.m_history.size(), 2u) << "the record read and one for this load";
    EXPECT_EQ(reader.m_history[0].m_time, writer.m_history[0].m_time);
    EXPECT_DOUBLE_EQ(reader.m_mapLink.m_latitude, 45.5);
    EXPECT_DOUBLE_EQ(reader.m_mapLink.m_longitude, -73.25);
    ASSERT_EQ(reader.GetNumOfRooms(), 2);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    // The digit stays in the path and the name; the tag's "_" is found again.
    EXPECT_EQ(RoomName(reader, 1), "2nd Bedroom");
    // The name written as the room's label is its name, not a label of its own.
    EXPECT_EQ(reader.GetRoom(1)->GetLabel(), "");
    EXPECT_EQ(reader.GetRoom(1)->GetShapeName(), "Rectangle");
    EXPECT_FALSE(reader.m_loading);
    EXPECT_FALSE(reader.m_readingRooms);
    EXPECT_FALSE(reader.IsModified());
}

TEST_F(FloorPlanFileTest, EmptyPathOrNoPathDoesNotLoad)
{
    CReplDoc writer;
    FillHeader(writer);
    CReplDoc reader;
    EXPECT_FALSE(Load(reader, FileText(writer)));
    EXPECT_FALSE(Load(reader, Root("level=\"Main\"", "")));
    EXPECT_FALSE(Load(reader, Root("path=\",;\t\"", "")));
    EXPECT_FALSE(Load(reader, "@" + FileText(writer))) << "an encrypted text is not parsed";
    EXPECT_FALSE(Load(reader, "<QUENDAR_FPL path=\"Hall1,\"><Hall1 body=\""));
}

TEST_F(FloorPlanFileTest, MissingHeaderValuesTakeTheirDefaults)
{
    CReplDoc scratch;
    const std::string hall = Element(scratch, "Hall1", "Rectangle");
    GetExchangeSettings().metric = true;
    CReplDoc reader;
    reader.m_plan.SetWindowDepth(7);
    ASSERT_TRUE(Load(reader, Root("level=\"  \" path=\"Hall1,\"", hall)));
    EXPECT_EQ(reader.m_level, CString("Main"));
    EXPECT_EQ(reader.m_orientation, CString("none"));
    EXPECT_TRUE(reader.m_street.IsEmpty());
    EXPECT_TRUE(ZupObject::IsMetric()) << "the exchange file's unit";
    EXPECT_EQ(reader.m_plan.GetWindowDepth(), 7);

    CReplDoc imperial;
    imperial.m_plan.SetWindowDepth(7);
    ASSERT_TRUE(Load(imperial, Root("metric=\"no\" path=\"Hall1,\"", hall)));
    EXPECT_FALSE(ZupObject::IsMetric());
    EXPECT_EQ(imperial.m_plan.GetWindowDepth(), ZupWindow::GetDefaultDepth());
}

TEST_F(FloorPlanFileTest, PathListsSplitAndEndAtACarriageReturn)
{
    const struct {
        const char* text;
        std::vector<std::string> names;
    } cases[] = {
        {"Hall1,Kitchen1,", {"Hall1", "Kitchen1"}},
        {"Hall1;Kitchen1\nBath1\tDen1", {"Hall1", "Kitchen1", "Bath1", "Den1"}},
        {",,Hall1,,", {"Hall1"}},
        {"Hall1,Kitchen1,\r\nDen1,", {"Hall1", "Kitchen1"}},
        {"Hall1\r\nDen1\r\n", {"Hall1", "Den1"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitNameList(c.text), c.names) << c.text;
    EXPECT_TRUE(SplitNameList(nullptr).empty());
}

TEST_F(FloorPlanFileTest, RoomsWithoutAnElementAreSkipped)
{
    CReplDoc scratch;
    const std::string hall = Element(scratch, "Hall1", "Rectangle");
    CloseIntoPlanFlag() = false;  // the rooms stay apart from the plan
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, Root("path=\"Ghost1,Hall1,Empty1,\"", hall + "<Empty1/>")));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    EXPECT_EQ(reader.GetCurrentRoom(), reader.GetRoom(0));

    // No room read: the load fails and the level open stays as it was.
    CReplDoc nothing;
    CRoomFloor* den = AddRoom(nothing, "Den1");
    nothing.SetCurrentRoom(den);
    EXPECT_FALSE(Load(nothing, Root("path=\"Ghost1,\"", "")));
    ASSERT_EQ(nothing.GetNumOfRooms(), 1);
    EXPECT_EQ(nothing.GetCurrentRoom(), den);
    EXPECT_EQ(RoomName(nothing, 0), "Den1");
    EXPECT_FALSE(nothing.m_loading);
}

TEST_F(FloorPlanFileTest, InvalidRoomAsksWhetherToContinue)
{
    CReplDoc scratch;
    const std::string rooms = Element(scratch, "Hall1", "Rectangle") +
                              Element(scratch, "Bad1", "") +
                              Element(scratch, "Den1", "NoSuchShape") +
                              Element(scratch, "Kitchen1", "Rectangle");
    const std::string text = Root("path=\"Hall1,Bad1,Den1,Kitchen1,\"", rooms);
    {
        CReplDoc silent;  // no window: every invalid room is passed over
        ASSERT_TRUE(Load(silent, text));
        ASSERT_EQ(silent.GetNumOfRooms(), 2);
        EXPECT_EQ(RoomName(silent, 1), "Kitchen1");
    }
    HeadlessDriver driver;
    VisibleMainWindow window;
    CloseIntoPlanFlag() = false;  // no message about joining the plan in between
    driver.AnswerMessageBox(IDYES);
    driver.AnswerMessageBox(IDNO);
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 1) << "No keeps what was read and stops";
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    EXPECT_EQ(reader.GetCurrentRoom(), reader.GetRoom(0));
    std::vector<CString> questions;
    for (const MessageBoxRecord& box : driver.MessageBoxes())
        if (box.text.Find(L"Invalid room") == 0)
            questions.push_back(box.text);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0], CString("Invalid room Bad1 discarded. Continue?"));
    EXPECT_EQ(questions[1], CString("Invalid room Den1 discarded. Continue?"));
}

TEST_F(FloorPlanFileTest, ErrorElementIsShownAndTheRootStillLoads)
{
    CReplDoc scratch;
    const std::string hall = Element(scratch, "Hall1", "Rectangle");
    HeadlessDriver driver;
    VisibleMainWindow window;
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, "<FPL_ERROR message=\"Server busy\"/>" + Root("path=\"Hall1,\"", hall)));
    ASSERT_FALSE(driver.MessageBoxes().empty());
    EXPECT_EQ(driver.MessageBoxes()[0].text, CString("Server busy"));
    EXPECT_FALSE(driver.WaitCursorShown());
    EXPECT_FALSE(Load(reader, "<FPL_ERROR message=\"Server busy\"/>"));
}

TEST_F(FloorPlanFileTest, SecondRoomOfTheSameNameReadsTheSecondElementWhenRenamed)
{
    CReplDoc writer;
    FillHeader(writer);
    AddRoom(writer, "Hall1", 100, 150);
    AddRoom(writer, "Hall1", 120, 180);
    const std::string text = FileText(writer);
    EXPECT_NE(text.find("path=\"Hall1,Hall1,\""), std::string::npos);

    HeadlessDriver driver;  // the duplicate question unanswered: Rename
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 2);
    EXPECT_EQ(reader.GetRoom(0)->GetWidth(), 100);
    EXPECT_EQ(reader.GetRoom(1)->GetWidth(), 120);
    EXPECT_EQ(RoomName(reader, 1), "Hall2") << "renamed to its type's next name";
    EXPECT_EQ(std::count(driver.ShownDialogs().begin(), driver.ShownDialogs().end(), 2156u), 1);

    HeadlessDriver discarding;
    discarding.OnDialog(2156, [](CWnd* dialog, HeadlessDriver&) {
        static_cast<CDialog*>(dialog)->EndDialog(IDOK);
    });
    CReplDoc second;
    ASSERT_TRUE(Load(second, text));
    ASSERT_EQ(second.GetNumOfRooms(), 1);
    EXPECT_EQ(second.GetRoom(0)->GetWidth(), 100);
}

// Any text a user types into the header, as the owner's name or as the map's
// image file survives saving, opening and the journal, and the file stays
// readable: exactly, a double quote included.
TEST_F(FloorPlanFileTest, TypedTextSurvivesTheFileAndTheJournal)
{
    const struct {
        const char* typed;
        const char* back;
    } texts[] = {
        {"Joe's \"Big\" House", "Joe's \"Big\" House"},
        {"<b>Main</b> & Co", "<b>Main</b> & Co"},
        {"5'6\" & 7&amp;8", "5'6\" & 7&amp;8"},
        {"\"", "\""},
        {"a&quot;b&lt;c>", "a&quot;b&lt;c>"},
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text.typed);
        const CString typed(text.typed), back(text.back);
        CReplDoc writer;
        for (CString* field : {&writer.m_house, &writer.m_street, &writer.m_unit, &writer.m_level,
                               &writer.m_zip, &writer.m_mls, &writer.m_jobId, &writer.m_orientation})
            *field = typed;
        AddHistoryRecord(writer.m_history);
        writer.m_history[0].m_owner = typed;
        writer.m_mapLink.m_latitude = 45.5;
        writer.m_mapLink.m_longitude = -73.25;
        writer.m_mapLink.m_imageFile = typed;
        AddRoom(writer, "Hall1");

        CReplDoc reader;
        ASSERT_TRUE(reader.OnNewDocument());
        reader.m_journal.SetPeriod(3600 * 1000);
        ASSERT_TRUE(Load(reader, FileText(writer)));
        ASSERT_TRUE(reader.m_journal.Start());
        ASSERT_TRUE(reader.m_journal.WriteAll());
        CReplDoc recovered;
        ASSERT_TRUE(recovered.OnNewDocument());
        ASSERT_TRUE(recovered.m_journal.Recover());
        for (CReplDoc* document : {&reader, &recovered}) {
            SCOPED_TRACE(document == &reader ? "opened" : "recovered");
            ASSERT_EQ(document->GetNumOfRooms(), 1);
            for (const CString* field :
                 {&document->m_house, &document->m_street, &document->m_unit, &document->m_level,
                  &document->m_zip, &document->m_mls, &document->m_jobId, &document->m_orientation})
                EXPECT_EQ(*field, back) << field->ToNarrow();
            ASSERT_FALSE(document->m_history.empty());
            EXPECT_EQ(document->m_history[0].m_owner, back);
            EXPECT_EQ(document->m_mapLink.m_imageFile, back);
        }
        reader.m_journal.Stop();
    }
}

// Every room comes back under its name as typed, blanks included, through
// the file text and through a saved file; its tag and path forms stay.
TEST_F(FloorPlanFileTest, RoomNamesComeBackAsTyped)
{
    const char* const names[] = {"Living Room1", "2nd Bedroom", "Master Bed Room2", "Hall1",
                                 "Bath 3"};
    CReplDoc writer;
    FillHeader(writer);
    for (const char* name : names)
        AddRoom(writer, name);
    CloseIntoPlanFlag() = false;
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, FileText(writer)));
    ASSERT_EQ(reader.GetNumOfRooms(), static_cast<int>(std::size(names)));
    for (int i = 0; i < reader.GetNumOfRooms(); ++i) {
        EXPECT_EQ(RoomName(reader, i), names[i]);
        EXPECT_EQ(reader.GetRoom(i)->GetTagName(true), writer.GetRoom(i)->GetTagName(true));
    }
    // A second round trip lists and tags the rooms as the first did.
    const auto path = [](const std::string& text) {
        const std::size_t at = text.find(" path=");
        return text.substr(at, text.find('"', at + 7) - at);
    };
    EXPECT_EQ(path(FileText(reader)), path(FileText(writer)));
    EXPECT_EQ(path(FileText(writer)), " path=\"LivingRoom1,2ndBedroom,MasterBedRoom2,Hall1,Bath3,");
}

// A room's name with markup characters or blanks comes back exactly through
// the file and through the journal, a double quote included.
TEST_F(FloorPlanFileTest, RoomNamesWithMarkupCharactersComeBack)
{
    const struct {
        const char* typed;
        const char* back;
    } names[] = {
        {"Joe's Den1", "Joe's Den1"},
        {"Den \"Blue\" 2", "Den \"Blue\" 2"},
        {"Nook<3>", "Nook<3>"},
        {"<Attic>", "<Attic>"},
        {"'Sun' Room", "'Sun' Room"},
        {"Bed & Bath4", "Bed & Bath4"},
        {"Den&lt5", "Den&lt5"},
        {"6'6\" Loft", "6'6\" Loft"},
        {"\"Study\"", "\"Study\""},
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name.typed);
        CReplDoc writer;
        FillHeader(writer);
        CRoomFloor* room = AddRoom(writer, name.typed, 240, 180);
        // A door named after the room, as the Door mode names it.
        const std::string door = room->GetLetteredName();
        ZupEdge* wall = room->Get1stEdge();
        ASSERT_NE(wall, nullptr);
        const point centre = wall->GetGeoCenter();
        ZupOpening* opening = room->CreateOpening(door.c_str(), 1, centre.x(), centre.y());
        ASSERT_NE(opening, nullptr);
        opening->CreateWidthDimension();
        const int openings = room->GetNumOfOpenings();
        AddRoom(writer, "Hall1");
        CloseIntoPlanFlag() = false;
        CReplDoc reader;
        ASSERT_TRUE(reader.OnNewDocument());
        reader.m_journal.SetPeriod(3600 * 1000);
        EXPECT_TRUE(Load(reader, FileText(writer)));
        ASSERT_TRUE(reader.m_journal.Start());
        ASSERT_TRUE(reader.m_journal.WriteAll());
        reader.m_journal.Stop();
        CReplDoc recovered;
        ASSERT_TRUE(recovered.OnNewDocument());
        CloseIntoPlanFlag() = false;
        EXPECT_TRUE(recovered.m_journal.Recover());
        CReplDoc again;
        CloseIntoPlanFlag() = false;
        EXPECT_TRUE(Load(again, FileText(reader)));
        for (CReplDoc* document : {&reader, &recovered, &again}) {
            SCOPED_TRACE(document == &reader ? "opened" : document == &recovered ? "recovered" : "again");
            EXPECT_EQ(document->GetNumOfRooms(), 2);
            if (document->GetNumOfRooms() != 2)
                continue;
            EXPECT_EQ(RoomName(*document, 0), name.back);
            EXPECT_EQ(RoomName(*document, 1), "Hall1");
            EXPECT_EQ(document->GetRoom(0)->GetWidth(), 240);
            EXPECT_EQ(document->GetRoom(0)->GetNumOfOpenings(), openings);
        }
    }
}
