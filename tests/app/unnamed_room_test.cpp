// A room the person drew without ever naming it still saves to a file that
// opens with the same rooms, and comes back from the journal's folder.
#include <functional>
#include <string>
#include <vector>

#include "floor_plan_test_support.h"
#include "level_files.h"
#include "snapshot_journal.h"

namespace {

constexpr DWORD kQuietPeriodMs = 3600 * 1000;

std::vector<std::string> Names(CReplDoc& document)
{
    std::vector<std::string> names;
    for (int i = 0; i < document.GetNumOfRooms(); ++i)
        names.push_back(FloorPlanTest::RoomName(document, i));
    return names;
}

// The first room of a new level, as the session starts it: current, no name.
CRoomFloor* StartLevel(CReplDoc& document)
{
    EXPECT_TRUE(document.OnNewDocument());
    document.ResetLevel();
    return document.GetCurrentRoom();
}

// The level's file opens with the rooms it had, each under the name it
// had when saved, and the journal's folder gives back the same rooms.
void ExpectSavesOpensAndRestores(CReplDoc& document, int rooms)
{
    ASSERT_EQ(document.GetNumOfRooms(), rooms);
    const std::string text = FloorPlanTest::FileText(document);
    EXPECT_EQ(text.find("\n< "), std::string::npos) << text;
    const std::vector<std::string> saved = Names(document);
    for (const std::string& name : saved)
        EXPECT_FALSE(name.empty());
    {
        SCOPED_TRACE("saved and opened");
        CReplDoc reader;
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(FloorPlanTest::Load(reader, text));
        EXPECT_EQ(Names(reader), saved);
    }
    {
        SCOPED_TRACE("restored from the journal");
        document.m_journal.SetPeriod(kQuietPeriodMs);
        ASSERT_TRUE(document.m_journal.Start());
        ASSERT_TRUE(document.m_journal.WriteAll());
        document.m_journal.Stop();
        CReplDoc recovered;
        ASSERT_TRUE(recovered.OnNewDocument());
        CloseIntoPlanFlag() = false;
        ASSERT_TRUE(recovered.m_journal.Recover());
        EXPECT_EQ(Names(recovered), saved);
    }
}

}  // namespace

using UnnamedRoomTest = FloorPlanTest;

TEST_F(UnnamedRoomTest, RoomNeverNamedSavesOpensAndRestores)
{
    const struct {
        const char* way;
        int rooms;
        std::function<void(CReplDoc&)> draw;
    } ways[] = {
        {"first room of a level drawn from the palette", 1,
         [](CReplDoc& document) {
             StartLevel(document);
             ASSERT_TRUE(document.InsertShape(0, 0));
         }},
        {"next room drawn after a room without a type", 2,
         [](CReplDoc& document) {
             StartLevel(document);
             ASSERT_TRUE(document.InsertShape(0, 0));
             document.NewRoom();
             ASSERT_TRUE(document.InsertShape(0, 0));
         }},
        {"name line left empty", 1,
         [](CReplDoc& document) {
             StartLevel(document);
             ASSERT_TRUE(document.InsertShape(0, 0));
             document.GetCurrentRoom()->ZupFloor::SetName("");
         }},
        {"room of a script without a name beside a named one", 2,
         [](CReplDoc& document) {
             ASSERT_TRUE(document.OnNewDocument());
             AddRoom(document, "Hall1");
             AddRoom(document, "");
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        CReplDoc document;
        w.draw(document);
        ExpectSavesOpensAndRestores(document, w.rooms);
    }
}
