// A room's name, type and label as typed come back exactly from every place
// its text goes: the floor-plan file, the journal's folder after a stop,
// undo and redo, and a folder of room scripts.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "floor_plan_test_support.h"
#include "level_files.h"
#include "room_type_catalog.h"
#include "snapshot_journal.h"
#include "text_utilities.h"
#include "typed_texts.h"
#include "xml_element.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

constexpr DWORD kQuietPeriodMs = 3600 * 1000;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A document editing its first room, drawn from the first shape, with the
// journal running but taking no turn of its own.
struct EditedLevel {
    explicit EditedLevel(const char* name)
    {
        EXPECT_TRUE(document.OnNewDocument());
        document.ResetLevel();
        room = document.GetCurrentRoom();
        const ExchangeTables& tables = GetExchangeTables();
        CXMLElement* shape = tables.shapes[0][0];
        EXPECT_TRUE(room->LoadShape(shape->GetAttribute("body"), &tables.chains[0], true, true));
        room->SetShapeName(shape->GetAttribute("name"));
        room->ZupFloor::SetName(name);
        document.m_journal.SetPeriod(kQuietPeriodMs);
        EXPECT_TRUE(document.m_journal.Start());
    }
    ~EditedLevel() { document.m_journal.Stop(); }

    void Snapshot()
    {
        room->SetModified(true);
        room->SetChangedSinceSnapshot(true);
        EXPECT_TRUE(document.m_journal.TakeTurn());
    }

    CReplDoc document;
    CRoomFloor* room = nullptr;
};

std::string TypeName(CRoomFloor* room)
{
    CRoomType* type = CRoomTypeCatalog::Instance(true)->FindForFloor(room);
    return type ? type->m_name : "";
}

struct Seen {
    std::string name;
    std::string label;
    bool below;
};

Seen See(CRoomFloor* room)
{
    return {room->GetName() ? room->GetName() : "", room->GetLabel(), room->IsBelow()};
}

void ExpectSame(const Seen& seen, const Seen& expected)
{
    EXPECT_EQ(seen.name, expected.name);
    EXPECT_EQ(seen.label, expected.label);
    EXPECT_EQ(seen.below, expected.below);
}

// The level as a file opened again, and as the journal's folder restores it.
void ExpectFileAndJournalGiveBack(CReplDoc& level, const Seen& expected)
{
    {
        SCOPED_TRACE("saved and opened");
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(FloorPlanTest::Load(reader, FloorPlanTest::FileText(level)));
        ASSERT_EQ(reader.GetNumOfRooms(), 1);
        ExpectSame(See(reader.GetRoom(0)), expected);
    }
    {
        // The folder as the journal's own snapshots left it, as after a kill.
        SCOPED_TRACE("restored from the journal's snapshots");
        CReplDoc recovered;
        ASSERT_TRUE(recovered.OnNewDocument());
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(recovered.m_journal.Recover());
        ASSERT_EQ(recovered.GetNumOfRooms(), 1);
        ExpectSame(See(recovered.GetRoom(0)), expected);
    }
    {
        SCOPED_TRACE("restored from the journal");
        ASSERT_TRUE(level.m_journal.WriteAll());
        CReplDoc recovered;
        ASSERT_TRUE(recovered.OnNewDocument());
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(recovered.m_journal.Recover());
        ASSERT_EQ(recovered.GetNumOfRooms(), 1);
        ExpectSame(See(recovered.GetRoom(0)), expected);
    }
}

// A random text of the pieces that mean something to the room's text, the
// file or the journal, and of plain ones.
std::string RandomText(std::mt19937& random)
{
    static const char* const pieces[] = {";", "(", ")", "=", ",", "/", "//", "#", "\\", "\"", "'",
                                         "<", ">", "&", "\t", "\n", "\r", " ", "a", "Den", "amp;",
                                         "num;", "lf;", "cr;", "quot;", "apos;", "\xe9", "Name=",
                                         "RoomName=", "Level=below"};
    return RandomTextOf(random, pieces, 1, 12);
}

}  // namespace

using RoomNameTextTest = FloorPlanTest;

// Any text goes into one line that holds no journal separator and no quote,
// and comes back once the file's reader and the room's reader decoded it.
TEST_F(RoomNameTextTest, NameTextComesBackFromItsLine)
{
    std::mt19937 random(46);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = RandomText(random);
        const std::string line = EncodeNameText(text);
        ASSERT_EQ(line.find_first_of("\n\r#\""), std::string::npos) << line;
        ASSERT_EQ(DecodeNameText(XmlDecodeEntities(line)), text) << line;
    }
    // Names of none of these characters are written as they stand.
    for (const char* plain : {"Hall1", "Living Room1", "Caf\xe9 2", "Den-3_b.c"})
        EXPECT_EQ(EncodeNameText(plain), plain);
}

// Random labels and names through a room's saved text and through the file.
TEST_F(RoomNameTextTest, RandomLabelsAndNamesComeBack)
{
    std::mt19937 random(4611);
    for (int i = 0; i < 40; ++i) {
        const std::string name = RandomText(random) + std::to_string(i);
        const std::string label = i % 4 == 0 ? std::string() : RandomText(random);
        SCOPED_TRACE("name [" + name + "] label [" + label + "]");
        CReplDoc writer;
        CRoomFloor* room = AddRoom(writer, "Hall1");
        room->ZupFloor::SetName(name.c_str());
        room->SetLabelText(label == name ? std::string() : label);
        const Seen expected = See(room);
        std::string text;
        room->Save(text, false);
        CRoomFloor copy;
        ASSERT_TRUE(copy.PlaySavedText(text));
        ExpectSame(See(&copy), expected);
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(Load(reader, FileText(writer)));
        ASSERT_EQ(reader.GetNumOfRooms(), 1);
        ExpectSame(See(reader.GetRoom(0)), expected);
    }
}

// A labelled room of a two-word type keeps its name, so its type, and its
// label; a room without label comes back without one.
TEST_F(RoomNameTextTest, NameTypeAndLabelComeBackAsTheyWere)
{
    const struct {
        const char* name;
        const char* label;
        const char* type;
    } rooms[] = {
        {"Living Room1", "Family", "Living Room"},
        {"Living Room1", "", "Living Room"},
        {"Living Room1", "Living Room 1", "Living Room"},
        {"Bathroom2", "Bath 2", "Bathroom"},
        {"Hall1", "Hall 1", "Hall"},
    };
    for (const auto& r : rooms) {
        SCOPED_TRACE(std::string(r.name) + " / " + r.label);
        EditedLevel level(r.name);
        level.room->SetLabel(CString(r.label));
        const Seen expected{r.name, r.label, false};
        ExpectSame(See(level.room), expected);
        level.Snapshot();
        level.room->SetSize(260, 180);
        level.Snapshot();
        ASSERT_TRUE(level.document.m_journal.Undo());
        ExpectSame(See(level.room), expected);
        EXPECT_EQ(TypeName(level.room), r.type);
        ExpectFileAndJournalGiveBack(level.document, expected);
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(Load(reader, FileText(level.document)));
        EXPECT_EQ(TypeName(reader.GetRoom(0)), r.type);
    }
}

// Whatever is typed as a label comes back exactly through undo and redo,
// the room's journal file read again when the person returns to the room,
// the file and the journal's folder, and never acts as a statement.
TEST_F(RoomNameTextTest, TypedLabelsComeBackExactly)
{
    for (const std::string& typed : TypedTexts()) {
        SCOPED_TRACE(typed.size() > 60 ? typed.substr(0, 60) + "..." : typed);
        EditedLevel level("Hall1");
        CSnapshotJournal& journal = level.document.m_journal;
        level.Snapshot();
        level.room->SetLabel(CString(typed.c_str()));
        ASSERT_EQ(level.room->GetLabel(), typed);
        const Seen labelled{"Hall1", typed, false};
        level.Snapshot();
        level.room->SetSize(260, 180);
        level.Snapshot();

        ASSERT_TRUE(journal.Undo());
        ExpectSame(See(level.room), labelled);
        ASSERT_TRUE(journal.Undo());
        ExpectSame(See(level.room), {"Hall1", "", false});
        ASSERT_TRUE(journal.Redo());
        ExpectSame(See(level.room), labelled);
        ASSERT_TRUE(journal.Redo());
        ExpectSame(See(level.room), labelled);
        EXPECT_EQ(level.room->GetWidth(), 260);

        // Leaving the room writes its file; coming back reads it as the ring.
        journal.Write();
        journal.Read();
        ASSERT_EQ(journal.GetSnapshotCount(), 1);
        level.room->SetSize(280, 180);
        level.Snapshot();
        ASSERT_TRUE(journal.Undo());
        ExpectSame(See(level.room), labelled);
        EXPECT_EQ(level.room->GetWidth(), 260);

        ExpectFileAndJournalGiveBack(level.document, labelled);
    }
}

// Room types of a user's exchange file may hold characters that end a tag,
// split the path list or a file name: the room still opens and restores
// under its full name, and a door can be named after it.
TEST_F(RoomNameTextTest, RoomNamesWithPathCharactersKeepTheirRoom)
{
    const char* const names[] = {"Laundry/Mud1", "W/D1",  "A;B1", "C=D1", "E(F)1", "G\\H1",
                                 "I,J1",         "K#L1", "M:N1", "O\tP1", "Q\"R\"1", "S*T?1",
                                 "U|V1",         "9 W/X"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EditedLevel level(name);
        CRoomFloor* room = level.room;
        for (const std::string& form : {room->GetTagName(true), room->GetTagName(false)}) {
            EXPECT_EQ(form.find_first_of("/\\;=(),#:\t\"*?| "), std::string::npos) << form;
            EXPECT_FALSE(form.empty());
        }
        ZupEdge* wall = room->Get1stEdge();
        ASSERT_NE(wall, nullptr);
        const point centre = wall->GetGeoCenter();
        const std::string door = room->GetLetteredName();
        ASSERT_NE(room->CreateOpening(door.c_str(), 1, centre.x(), centre.y()), nullptr) << door;
        EXPECT_EQ(room->GetLetteredName().back(), 'B');
        const int openings = room->GetNumOfOpenings();
        level.Snapshot();
        ExpectFileAndJournalGiveBack(level.document, {name, "", false});
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(Load(reader, FileText(level.document)));
        ASSERT_EQ(reader.GetNumOfRooms(), 1);
        EXPECT_EQ(reader.GetRoom(0)->GetNumOfOpenings(), openings);
        EXPECT_NE(reader.GetRoom(0)->GetOpening(door.c_str()), nullptr);
    }
}

// A folder of room scripts: each script's name line is read as the room's
// own text reader reads it, entities and all.
TEST_F(RoomNameTextTest, RoomScriptsOfAFolderDecodeTheirNameLine)
{
    for (const std::string& typed : {std::string("Joe's Den"), std::string("Bed & Bath"),
                                     std::string("Den \"Blue\""), std::string("No #5; (x)")}) {
        SCOPED_TRACE(typed);
        CReplDoc scratch;
        CRoomFloor* hall = AddRoom(scratch, "Hall1");
        hall->SetLabel(CString(typed.c_str()));
        std::string script;
        hall->Save(script, false);
        const auto folder = documents / "Job5";
        WriteBytes(folder / "Hall1.vcr", script);
        WriteBytes(folder / "address.fpl", "Hall1,\r\nStreet:Elm Road\n<QUENDAR_FPL ></QUENDAR_FPL>");
        CReplDoc reader;
        ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Job5\\address.fpl"));
        ASSERT_EQ(reader.GetNumOfRooms(), 1);
        ExpectSame(See(reader.GetRoom(0)), {"Hall1", typed, false});
    }
}

// Files of earlier versions held a labelled room's name only in the tag form
// (blanks dropped) of its element and path entry: "Living Room1" labelled
// "Family" was "<LivingRoom1 body=...Name=Family...". Such a room opens
// with its type's own name, so under its two-word type, and keeps its label.
TEST_F(RoomNameTextTest, EarlierFilesGiveALabelledRoomItsTwoWordType)
{
    const struct {
        const char* name;
        const char* label;
        const char* type;
    } rooms[] = {
        {"Living Room1", "Family", "Living Room"},
        {"Living Room12", "Den", "Living Room"},
        {"Bathroom2", "Bath 2", "Bathroom"},
    };
    for (const auto& r : rooms) {
        SCOPED_TRACE(std::string(r.name) + " / " + r.label);
        CReplDoc writer;
        CRoomFloor* room = AddRoom(writer, "Hall1");
        room->ZupFloor::SetName(r.name);
        room->SetLabelText(r.label);
        std::string text = FileText(writer);
        // What the earlier versions wrote: no RoomName line.
        const std::string line = std::string("RoomName=") + r.name + "\n";
        const std::size_t at = text.find(line);
        ASSERT_NE(at, std::string::npos) << text;
        text.erase(at, line.size());
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(Load(reader, text));
        ASSERT_EQ(reader.GetNumOfRooms(), 1);
        ExpectSame(See(reader.GetRoom(0)), {r.name, r.label, false});
        EXPECT_EQ(TypeName(reader.GetRoom(0)), r.type);
    }
}
