// Restoring from a journal folder that holds files the level does not list
// (left by another program, another level, or damage): the rooms the header
// lists come back from their own files, a listed room whose file is lost is
// reported, and no other file becomes a room or spoils the others.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "distances.h"
#include "kor_node.h"
#include "room_floor.h"
#include "room_steps.h"
#include "shell_test_support.h"
#include "snapshot_journal.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class JournalRecoverTest : public ShellTest {
protected:
    // A hall and a second room whose name begins with a digit, journalled
    // from the plan.
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(Start());
        room_steps::PlaceShape(*Doc(), *driver, "");
        room_steps::LeaveThroughNewDoor(*Doc(), 2, "D7");
        room_steps::PlaceShape(*Doc(), *driver, "");
        Doc()->GetRoom(1)->ZupFloor::SetName("2Car1");
        Doc()->OnViewChange();
        ASSERT_FALSE(Doc()->m_roomView);
        hall = Doc()->GetRoom(0)->GetTagName(false);
    }

    std::filesystem::path Folder() const { return documents / "journal"; }
    std::string Text(const std::string& room) const
    {
        std::ifstream in(Folder() / room, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Each restored room has the walls of the room of its name.
    void ExpectRoomsAsDrawn(const CReplDoc& restored, const std::vector<std::string>& names)
    {
        ASSERT_EQ(restored.GetNumOfRooms(), static_cast<int>(names.size()));
        for (int i = 0; i < restored.GetNumOfRooms(); ++i) {
            const CRoomFloor* back = restored.GetRoom(i);
            EXPECT_EQ(back->GetName(), names[static_cast<std::size_t>(i)]);
            const CRoomFloor* drawn = Doc()->GetRoom(i);
            ASSERT_EQ(back->GetNumOfNodes(), drawn->GetNumOfNodes()) << names[static_cast<std::size_t>(i)];
            for (int n = 0; n < back->GetNumOfNodes(); ++n)
                EXPECT_LT(GeoDistance(back->GetNodes()[n]->GetPoint(), drawn->GetNodes()[n]->GetPoint()), 0.01);
        }
    }
    int CountReports(const char* room) const
    {
        int count = 0;
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            count += box.text == CString(L"Room ") + CString(room) + CString(L" could not be restored") ? 1 : 0;
        return count;
    }

    std::string hall;
};

}  // namespace

TEST_F(JournalRecoverTest, OnlyTheRoomsTheHeaderListsComeBack)
{
    const struct {
        const char* what;
        const char* file;  // laid beside the level's files, with the hall's text
        bool carLost;      // the second room's own file lost
    } cases[] = {
        {"a file whose name opens a comment", "!notes", false},
        {"a file whose name opens an instruction", "?notes", false},
        {"a file in the lost room's guarded form", "_Car1", true},
        {"a file in the room's guarded form beside its own", "_Car1", false},
        {"a room's file the header does not list", "Den7", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(Folder());
        std::filesystem::create_directories(Folder());
        ASSERT_TRUE(Doc()->m_journal.WriteAll());
        WriteText(Folder() / c.file, Text(hall));
        if (c.carLost)
            std::filesystem::remove(Folder() / "2Car1");
        const int reports = CountReports("2Car1");

        CReplDoc restored;
        ASSERT_TRUE(restored.OnNewDocument());
        EXPECT_TRUE(restored.m_journal.Recover());
        restored.m_journal.Stop();
        if (c.carLost) {
            ExpectRoomsAsDrawn(restored, {hall});
            EXPECT_EQ(CountReports("2Car1"), reports + 1);
        } else {
            ExpectRoomsAsDrawn(restored, {hall, "2Car1"});
            EXPECT_EQ(CountReports("2Car1"), reports);
        }
        EXPECT_EQ(Text(c.file), Text(hall)) << "the foreign file is left as it was";
    }
}
