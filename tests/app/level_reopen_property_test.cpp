// What goes out comes back: random levels, their rooms leant a few degrees
// in the Door mode, lengths typed, windows, fixtures and islands put in,
// named and labelled (with every character a person may type), are saved and opened (or restored from the journal a
// stopped run left) and give the same text when saved again (every given
// value the same, though the dimensions may be numbered anew), every wall of
// every room the same length and at the same angle as the file wrote it
// (its nodes to a tenth of an inch). PELK_LEVEL_CASES and
// PELK_LEVEL_ROOMS (up to 30) ask for more and larger levels.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "given_values.h"
#include "kor_dimension.h"
#include "level_property_fixture.h"
#include "measurement_mode.h"
#include "room_drag_support.h"
#include "snapshot_journal.h"
#include "typed_texts.h"
#include "zup_bath_object.h"
#include "zup_countertop.h"
#include "zup_window.h"

namespace {

using room_drags::Drag;
using room_drags::DragAll;

struct Wall {
    double length;
    double degrees;
};
using RoomGeometry = std::vector<Wall>;

// A node's place as the room's text writes it: each coordinate to a tenth,
// through single precision.
point AsWritten(const point& p)
{
    const auto tenth = [](double v) {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(static_cast<float>(v)));
        return std::strtod(text, nullptr);
    };
    return point(tenth(p.x()), tenth(p.y()));
}

// Each room's walls in wall order, as length and direction; with the nodes
// where the room's text puts them when asked.
std::vector<RoomGeometry> Geometry(CReplDoc& document, bool asWritten = false)
{
    std::vector<RoomGeometry> rooms;
    for (int i = 0; i < document.GetNumOfRooms(); ++i) {
        CRoomFloor& room = *document.GetRoom(i);
        RoomGeometry walls;
        for (ZupEdge* e = room.Get1stEdge(); e; e = room.GetNextEdge()) {
            point a = e->GetStart()->GetPoint(), b = e->GetEnd()->GetPoint();
            if (asWritten)
                a = AsWritten(a), b = AsWritten(b);
            walls.push_back({std::hypot(b.x() - a.x(), b.y() - a.y()),
                             std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI});
        }
        rooms.push_back(walls);
    }
    return rooms;
}

void ExpectSameGeometry(const std::vector<RoomGeometry>& got, const std::vector<RoomGeometry>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t r = 0; r < got.size(); ++r) {
        ASSERT_EQ(got[r].size(), expected[r].size()) << "room " << r;
        for (std::size_t w = 0; w < got[r].size(); ++w) {
            EXPECT_NEAR(got[r][w].length, expected[r][w].length, 0.01) << "room " << r << " wall " << w;
            double turn = std::fmod(std::fabs(got[r][w].degrees - expected[r][w].degrees), 360.0);
            turn = std::min(turn, 360.0 - turn);
            EXPECT_LT(turn, 0.01) << "room " << r << " wall " << w;
        }
    }
}

// Each room's name and label.
std::vector<std::pair<std::string, std::string>> Names(CReplDoc& document)
{
    std::vector<std::pair<std::string, std::string>> names;
    for (int i = 0; i < document.GetNumOfRooms(); ++i) {
        CRoomFloor& room = *document.GetRoom(i);
        names.emplace_back(room.GetName() ? room.GetName() : "", room.GetLabel());
    }
    return names;
}

// The level's text without its history (each save's time), its node
// places (the islands' too) and its lengths: the statements that
// make each room, its walls, openings, objects, names and alignments, in
// their order. Places and lengths are checked as geometry.
std::string Structure(const std::string& text)
{
    std::string kept;
    std::size_t start = 0;
    bool inHistory = false;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, end - start);
        start = end;
        if (line.rfind("<HISTORY>", 0) == 0)
            inHistory = line.find("</HISTORY>") == std::string::npos;
        else if (inHistory)
            inHistory = line.find("</HISTORY>") == std::string::npos;
        else if (line.find("=Node(") == std::string::npos && line.find("=Distance(") == std::string::npos &&
                 line.find("=Value(") == std::string::npos)
            kept += line.rfind("Obj==Island(", 0) == 0 ? "Obj==Island(" + line.substr(line.rfind(',') + 1) : line;
    }
    return kept;
}

std::string FileText(CReplDoc& document)
{
    std::string text;
    document.BuildFileText(text);
    return text;
}

// A level read back shows its plan, every room closed into it.
void ShowPlan(CReplDoc& document)
{
    if (document.m_roomView)
        document.OnViewChange();
}

// Room types, those of a user's exchange file among them, and labels: plain
// ones and every text a person may type.
const char* const kTypes[] = {"Kitchen", "Bedroom", "Den", "Office", "Laundry/Mud", "W/D", "Bed (guest)"};

std::vector<std::string> Labels()
{
    std::vector<std::string> labels = {"Guest", "Blue Room", "North", "Den 2", "Nook"};
    for (const std::string& typed : TypedTexts())
        labels.push_back(typed);
    return labels;
}

class LevelReopenPropertyTest : public LevelPropertyTest {
protected:
    void Dress(std::mt19937& random) override
    {
        CRoomFloor* room = Room();
        if (room != document->GetRoom(0)) {
            const std::string name = kTypes[random() % std::size(kTypes)] + std::to_string(++m_named);
            room->ZupFloor::SetName(name.c_str());
        }
        if (random() % 2 == 0) {
            static const std::vector<std::string> labels = Labels();
            room->SetLabel(CString(labels[random() % labels.size()].c_str()));
        }
        Lean(random);
        if (HasFatalFailure())
            return;
        if (random() % 2 == 0)
            TypeLength(random);
        PutObjects(random);
        ASSERT_TRUE(document->SetEditMode(1));
    }

    // A corner off the entrance wall dragged in the Door mode by 4 to 14
    // inches each way: its walls lean a degree to a few.
    void Lean(std::mt19937& random)
    {
        ASSERT_TRUE(document->SetEditMode(1));
        ZupEdge* entranceWall = Room()->GetEntrance() ? Room()->GetEntrance()->GetEdge() : nullptr;
        std::vector<point> corners;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge()) {
            KorNode* node = e->GetStart();
            if (entranceWall && (node == entranceWall->GetStart() || node == entranceWall->GetEnd()))
                continue;
            corners.push_back(node->GetPoint());
        }
        if (corners.empty())
            return;
        const point from = corners[random() % corners.size()];
        const auto step = [&random] {
            const int d = 4 + static_cast<int>(random() % 11);
            return random() % 2 ? d : -d;
        };
        const int dx = step(), dy = step();
        DragAll(*document, {Drag{from, point(from.x() + dx, from.y() + dy)}});
        ASSERT_TRUE(document->SetEditMode(2));
    }

    // In the Measurement mode, a wall's length typed a few inches off.
    void TypeLength(std::mt19937& random)
    {
        ASSERT_TRUE(document->SetEditMode(2));
        std::vector<ZupEdge*> walls = FreeWalls();
        if (walls.empty())
            return;
        const point centre = walls[random() % walls.size()]->GetGeoCenter();
        CRoomFloor& room = *Room();
        const int index = room.FindReferenceDimensionAt(nullptr, centre.x(), centre.y());
        auto* measure = dynamic_cast<CMeasurementMode*>(document->GetEditMode());
        if (index < 0 || !measure)
            return;
        measure->SetSelection(index);
        measure->m_current = room.GetDimension(index, nullptr);
        const int delta = 2 + static_cast<int>(random() % 7);
        const double value = std::round(measure->m_current->GetImplementedValue()) + (random() % 2 ? delta : -delta);
        measure->ApplyValue(static_cast<float>(value));
    }

    // A window, a fixture and an island, each now and then.
    void PutObjects(std::mt19937& random)
    {
        const auto freeCentre = [&](point& centre) {
            std::vector<ZupEdge*> walls = FreeWalls();
            if (walls.empty())
                return false;
            centre = walls[random() % walls.size()]->GetGeoCenter();
            return true;
        };
        point at;
        if (random() % 2 == 0 && freeCentre(at))
            MeasureAsPlaced(Room()->CreateWallWindow(at.x(), at.y()));
        if (random() % 3 == 0 && freeCentre(at)) {
            if (random() % 2)
                MeasureAsPlaced(Room()->ZupFloor::CreateBathObject(at.x(), at.y()));
            else
                MeasureAsPlaced(Room()->ZupFloor::CreateCountertop(at.x(), at.y()));
        }
        if (random() % 4 == 0) {
            const point centre = Room()->GetOuterContour().center();
            Room()->CreateIsland(centre.x(), centre.y());
        }
    }

    // The walls of the current room without objects, its entrance's left out.
    std::vector<ZupEdge*> FreeWalls()
    {
        std::vector<ZupEdge*> walls;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (e->GetNumOfObjects() == 0)
                walls.push_back(e);
        return walls;
    }

    // Builds the level of case n, in its plan view; with the journal
    // running all along when asked (its worker quiet: the journal writes as
    // the person leaves, places and changes rooms).
    void BuildCase(int n, bool journalled = false)
    {
        const int largest = std::min(30, FromEnvironment("PELK_LEVEL_ROOMS", 6));
        const unsigned seed = 104729u * static_cast<unsigned>(n + 1);
        const int target = 2 + static_cast<int>(seed % static_cast<unsigned>(largest - 1));
        TearDown();
        SetUp();
        m_named = 0;
        document->m_level = L"Main";
        if (journalled) {
            CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
            document->m_journal.SetPeriod(3600 * 1000);
            ASSERT_TRUE(document->m_journal.Start());
        }
        BuildLevel(seed, target);
        if (HasFatalFailure())
            return;
        ShowPlan(*document);
        std::printf("level of seed %u: %d rooms (asked %d)\n", seed, document->GetNumOfRooms(), target);
    }

    // Each level asked for (PELK_LEVEL_CASES, 3 by default), built and shown
    // in its plan, handed to the check with its geometry as its file writes
    // it (its nodes to a tenth of an inch) and its file's text; the level
    // read back must hold the rooms' names and labels as they were.
    template <class Check>
    void ForEachLevel(bool journalled, Check check)
    {
        const int cases = FromEnvironment("PELK_LEVEL_CASES", 3);
        for (int n = 0; n < cases && !HasFatalFailure(); ++n) {
            SCOPED_TRACE("case " + std::to_string(n));
            BuildCase(n, journalled);
            if (HasFatalFailure())
                return;
            m_names = Names(*document);
            check(Geometry(*document, true), FileText(*document));
        }
    }

    int m_named = 0;
    std::vector<std::pair<std::string, std::string>> m_names;
};

}  // namespace

TEST_F(LevelReopenPropertyTest, SavedAndOpenedALevelIsAsDrawn)
{
    ForEachLevel(false, [this](const std::vector<RoomGeometry>& drawn, const std::string& saved) {
        CReplDoc opened;
        ASSERT_TRUE(opened.ParseFile(saved.data(), static_cast<int>(saved.size())));
        ShowPlan(opened);
        ExpectSameGeometry(Geometry(opened), drawn);
        EXPECT_EQ(Names(opened), m_names);
        const std::string again = FileText(opened);
        EXPECT_EQ(Structure(again), Structure(saved));
        EXPECT_EQ(GivenValues(again), GivenValues(saved));

        CReplDoc twice;
        ASSERT_TRUE(twice.ParseFile(again.data(), static_cast<int>(again.size())));
        ShowPlan(twice);
        ExpectSameGeometry(Geometry(twice), drawn);
        EXPECT_EQ(Structure(FileText(twice)), Structure(again));
        EXPECT_EQ(GivenValues(FileText(twice)), GivenValues(again));
    });
}

// The journal's folder as a run that was never closed left it: Restore
// gives the level back as it was drawn.
TEST_F(LevelReopenPropertyTest, RestoredFromTheJournalALevelIsAsDrawn)
{
    ForEachLevel(true, [this](const std::vector<RoomGeometry>& drawn, const std::string& saved) {
        // The run stops here, unsaved: what its journal wrote is all there is.
        document->m_journal.Stop();

        CReplDoc restored;
        ASSERT_TRUE(restored.m_journal.Recover());
        ShowPlan(restored);
        ExpectSameGeometry(Geometry(restored), drawn);
        EXPECT_EQ(Names(restored), m_names);
        const std::string text = FileText(restored);
        EXPECT_EQ(Structure(text), Structure(saved));
        EXPECT_EQ(GivenValues(text), GivenValues(saved));
    });
}
