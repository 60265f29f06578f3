// A room read back from its text (a floor-plan file, the journal) is the room
// that was written: whole, and behaving under the pen as it did before.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "distances.h"
#include "floor_plan_test_support.h"
#include "room_drag_support.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "measurement_mode.h"
#include "snapshot_journal.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

std::string ReadInput(const char* name)
{
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every node-to-node distance of the room runs along a tracker its nodes hold.
void ExpectDistancesOnLiveTrackers(CRoomFloor& room)
{
    for (KorNode* node : room.GetNodes())
        for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
            auto* d = dynamic_cast<KorNNDistance*>(node->GetDimaint(i));
            if (!d || !d->GetCarryingTracker())
                continue;
            bool held = false;
            for (unsigned t = 0; t < node->GetNumOfTrackers(); ++t)
                held = held || node->GetTracker(t) == d->GetCarryingTracker();
            EXPECT_TRUE(held);
        }
}

// The room's nodes, walls and dimensions as text, without their names.
std::string Outline(CRoomFloor& room)
{
    std::string text;
    char line[96];
    for (KorNode* node : room.GetNodes()) {
        std::snprintf(line, sizeof line, "(%.3f,%.3f)", node->x(), node->y());
        text += line;
    }
    std::snprintf(line, sizeof line, " walls %d dimensions %zu", room.GetNumOfPrimitives(),
                  room.GetDimensions().size());
    return text + line;
}

}  // namespace

using RoomReadBackTest = FloorPlanTest;

// A room body whose replay collapses a wall that a distance runs along.
// A damaged file whose room reaches far off the plan opens without ever
// turning a coordinate into an integer it does not fit.
TEST_F(RoomReadBackTest, ARoomFarOffThePlanIsReadSafely)
{
    const std::string text = ReadInput("open_far_node_outline.fpl");
    ASSERT_FALSE(text.empty());
    CReplDoc reader;
    Load(reader, text);
    for (int i = 0; i < reader.GetNumOfRooms(); ++i) {
        CRoomFloor& room = *reader.GetRoom(i);
        EXPECT_GE(room.GetArea(), 0.0f);
        // The outline's pixels lie on the same side of the axes as the nodes.
        std::vector<POINT> nodes, openings;
        room.GetOutlinePoints(nodes, openings);
        std::vector<point> expected;
        for (KorPrimitive* p : room.GetPrimitives()) {
            if (expected.empty())
                expected.push_back(p->GetStart()->GetPoint());
            expected.push_back(p->GetEnd()->GetPoint());
        }
        ASSERT_EQ(nodes.size(), expected.size());
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            if (std::fabs(expected[n].x()) >= 1.0) {
                EXPECT_EQ(nodes[n].x > 0, expected[n].x() > 0) << n;
            }
            if (std::fabs(expected[n].y()) >= 1.0) {
                EXPECT_EQ(nodes[n].y > 0, expected[n].y() > 0) << n;
            }
        }
    }
}

TEST_F(RoomReadBackTest, RoomBodyCollapsingAMeasuredWallOpensWhole)
{
    const std::string text = ReadInput("uaf_room_body.fpl");
    ASSERT_FALSE(text.empty());
    CReplDoc reader;
    ASSERT_TRUE(Load(reader, text));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    ExpectDistancesOnLiveTrackers(*reader.GetRoom(0));
    // What was read is written and read again unchanged.
    CReplDoc again;
    ASSERT_TRUE(Load(again, FileText(reader)));
    ASSERT_EQ(again.GetNumOfRooms(), 1);
    EXPECT_EQ(Outline(*again.GetRoom(0)), Outline(*reader.GetRoom(0)));
}

namespace {

using namespace room_drags;

// What the user does before saving: a drag in the Door mode, or in the
// Measurement mode a length typed for the wall at a point, or the wall's
// given length released again (tapped off).
struct Step {
    enum Kind { kDrag, kType, kRelease } kind;
    Drag drag;
    double value;
};
Step DragStep(point from, point to) { return {Step::kDrag, {from, to}, 0.0}; }
Step Typed(point wall, double value) { return {Step::kType, {wall, wall}, value}; }
Step Released(point wall) { return {Step::kRelease, {wall, wall}, 0.0}; }

void Measure(CReplDoc& document, const Step& step)
{
    ASSERT_TRUE(document.SetEditMode(2));
    CRoomFloor& room = *document.GetCurrentRoom();
    const int index = room.FindReferenceDimensionAt(nullptr, step.drag.from.x(), step.drag.from.y());
    ASSERT_GE(index, 0);
    auto* measure = dynamic_cast<CMeasurementMode*>(document.GetEditMode());
    ASSERT_NE(measure, nullptr);
    measure->SetSelection(index);
    if (step.kind == Step::kType) {
        measure->m_current = room.GetDimension(index, nullptr);
        ASSERT_TRUE(measure->ApplyValue(static_cast<float>(step.value)));
    } else {
        ASSERT_TRUE(room.GetDimension(index, nullptr)->IsEnabled());
        document.OnDimensionTap();
        ASSERT_FALSE(room.GetDimension(index, nullptr)->IsEnabled());
    }
    ASSERT_TRUE(document.SetEditMode(1));
}

void Apply(CReplDoc& document, const std::vector<Step>& steps)
{
    for (const Step& step : steps) {
        if (step.kind == Step::kDrag)
            DragAll(document, {step.drag});
        else
            Measure(document, step);
    }
}

std::string RoomText(CReplDoc& document)
{
    std::string text;
    document.GetRoom(0)->Save(text, false);
    return text;
}

struct ReadBackCase {
    const char* what;
    int shapeRow;
    std::vector<Step> before;
    std::vector<Drag> drags;
};

// Real rooms: the shipped rectangle, L, U and the square laid out from a
// corner, their walls dragged, typed and released before saving; then
// dragged again.
const std::vector<ReadBackCase>& ReadBackCases()
{
    static const std::vector<ReadBackCase> cases = {
        {"the top wall up", 0, {DragStep(point(100, 300), point(100, 330))},
         {{point(100, 330), point(100, 390)}}},
        {"the top wall down", 0, {DragStep(point(100, 300), point(100, 330))},
         {{point(100, 330), point(100, 280)}}},
        {"the right wall out", 0, {DragStep(point(100, 300), point(100, 330))},
         {{point(200, 150), point(260, 150)}}},
        {"a corner out", 0, {DragStep(point(100, 300), point(100, 330))},
         {{point(200, 330), point(236, 366)}}},
        {"the L's top wall up", 1, {DragStep(point(60, 300), point(60, 330))},
         {{point(60, 330), point(60, 390)}}},
        {"the L's inner corner out", 1, {DragStep(point(60, 300), point(60, 330))},
         {{point(120, 120), point(156, 162)}}},
        {"the L's lower right wall out", 1, {DragStep(point(60, 300), point(60, 330))},
         {{point(240, 60), point(290, 60)}}},
        {"the square's top wall up", 4, {DragStep(point(72, 144), point(72, 174))},
         {{point(72, 174), point(72, 234)}}},
        {"the U's right wing out", 2, {DragStep(point(0, 120), point(-30, 120))},
         {{point(300, 200), point(340, 200)}}},
        {"a typed length, then the right wall out", 0,
         {DragStep(point(100, 300), point(100, 330)), Typed(point(0, 150), 360.0)},
         {{point(200, 150), point(260, 150)}}},
        {"a typed length, then the top wall up", 0,
         {Typed(point(100, 300), 180.0)},
         {{point(90, 300), point(90, 360)}}},
        {"a leaning wall, then the top wall down", 0, {DragStep(point(200, 300), point(220, 300))},
         {{point(110, 300), point(110, 250)}}},
        {"a leaning wall, then the corner out", 0, {DragStep(point(200, 300), point(220, 300))},
         {{point(220, 300), point(250, 320)}}},
        {"a leaning wall, then the bottom wall down", 0, {DragStep(point(200, 300), point(215, 300))},
         {{point(150, 0), point(150, -40)}}},
        {"a released length, then the top wall up", 0,
         {Typed(point(200, 150), 360.0), Released(point(200, 150))},
         {{point(100, 300), point(100, 360)}}},
    };
    return cases;
}

}  // namespace

// A room read back from its file behaves under the pen exactly as the room
// that was saved: the same drags give the same walls. The file carries the
// room's alignments and which of its lengths are given; reading it back
// closes the room into the plan and then gives it back exactly those.
TEST_F(RoomReadBackTest, AReopenedRoomMovesUnderTheSameDragsAsBeforeSaving)
{
    for (const ReadBackCase& c : ReadBackCases()) {
        SCOPED_TRACE(c.what);
        CReplDoc drawn;
        DrawLevel(drawn, c.shapeRow);
        Apply(drawn, c.before);
        const std::string file = FileText(drawn);

        CReplDoc reopened;
        ASSERT_TRUE(Load(reopened, file)) << file;
        ASSERT_EQ(reopened.GetNumOfRooms(), 1);
        // What was read is what was written.
        EXPECT_EQ(RoomText(reopened), RoomText(drawn));
        ASSERT_TRUE(reopened.SetEditMode(1));
        ExpectSameCorners(Corners(*reopened.GetRoom(0)), Corners(*drawn.GetRoom(0)));

        const std::vector<point> saved = Corners(*drawn.GetRoom(0));
        DragAll(drawn, c.drags);
        DragAll(reopened, c.drags);
        EXPECT_NE(Corners(*drawn.GetRoom(0)), saved) << "the drag moves the room";
        ExpectSameCorners(Corners(*reopened.GetRoom(0)), Corners(*drawn.GetRoom(0)));
    }
}

// The journal keeps the same text: a room taken back to a snapshot (undo),
// or rebuilt from the journal folder (recover), moves as it did.
TEST_F(RoomReadBackTest, ARoomRestoredFromTheJournalMovesAsBeforeItsSnapshot)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    for (const ReadBackCase& c : ReadBackCases()) {
        SCOPED_TRACE(c.what);
        CReplDoc drawn;
        DrawLevel(drawn, c.shapeRow);
        Apply(drawn, c.before);

        // Undo: snapshot, the drags, snapshot, back to the first.
        CReplDoc undone;
        undone.m_journal.SetPeriod(3600 * 1000);
        DrawLevel(undone, c.shapeRow);
        ASSERT_TRUE(undone.m_journal.Start());
        Apply(undone, c.before);
        undone.GetCurrentRoom()->SetModified(true);
        ASSERT_TRUE(undone.m_journal.TakeSnapshotNow());
        DragAll(undone, c.drags);
        undone.GetCurrentRoom()->SetModified(true);
        ASSERT_TRUE(undone.m_journal.TakeSnapshotNow());
        ASSERT_TRUE(undone.m_journal.Undo());
        EXPECT_EQ(RoomText(undone), RoomText(drawn));
        ExpectSameCorners(Corners(*undone.GetRoom(0)), Corners(*drawn.GetRoom(0)));

        // Recover: the folder written whole, the level rebuilt from it.
        ASSERT_TRUE(undone.m_journal.WriteAll());
        undone.m_journal.Stop();
        CReplDoc recovered;
        ASSERT_TRUE(recovered.m_journal.Recover());
        ASSERT_EQ(recovered.GetNumOfRooms(), 1);
        EXPECT_EQ(RoomText(recovered), RoomText(drawn));
        ASSERT_TRUE(recovered.SetEditMode(1));

        DragAll(drawn, c.drags);
        DragAll(undone, c.drags);
        DragAll(recovered, c.drags);
        ExpectSameCorners(Corners(*undone.GetRoom(0)), Corners(*drawn.GetRoom(0)));
        ExpectSameCorners(Corners(*recovered.GetRoom(0)), Corners(*drawn.GetRoom(0)));
    }
}

// A level of two rooms, the second entered through a door of the first and
// dragged while it is drawn: reopened, the second room moves as it did.
TEST_F(RoomReadBackTest, TheRoomBeingDrawnBehindAClosedRoomMovesAsBeforeSaving)
{
    const std::vector<Drag> drags[] = {
        {{point(500, 150), point(560, 150)}},
        {{point(350, 250), point(350, 310)}},
        {{point(500, 250), point(536, 286)}},
    };
    for (const std::vector<Drag>& after : drags) {
        SCOPED_TRACE(after.front().to.x());
        CReplDoc drawn;
        DrawLevel(drawn, 0);
        DragAll(drawn, {{point(100, 300), point(100, 330)}});
        CRoomFloor* first = drawn.GetCurrentRoom();
        ZupOpening* door = first->CreateOpening("B", 1, 200.0, 150.0);
        ASSERT_NE(door, nullptr);
        door->CreateWidthDimension();
        door->CreatePosDimension(nullptr, -1.0f);
        ASSERT_TRUE(drawn.CloseRoom());
        drawn.ExitThroughOpening(door);
        // The second room: the rectangle entered through the door, from
        // (200, 50) to (500, 250).
        ASSERT_NE(drawn.GetCurrentRoom(), first);
        drawn.GetCurrentRoom()->ZupFloor::SetName("Hall2");
        ASSERT_TRUE(drawn.InsertShape(0, 0));
        drawn.PlaceEntrance(nullptr);
        ASSERT_TRUE(drawn.SetEditMode(1));
        DragAll(drawn, {{point(350, 50), point(350, 20)}});
        const std::string file = FileText(drawn);

        CReplDoc reopened;
        ASSERT_TRUE(Load(reopened, file)) << file;
        ASSERT_EQ(reopened.GetNumOfRooms(), 2);
        ASSERT_EQ(reopened.GetCurrentRoom(), reopened.GetRoom(1));
        std::string written, read;
        drawn.GetRoom(1)->Save(written, false);
        reopened.GetRoom(1)->Save(read, false);
        EXPECT_EQ(read, written);
        ASSERT_TRUE(reopened.SetEditMode(1));
        ExpectSameCorners(Corners(*reopened.GetRoom(1)), Corners(*drawn.GetRoom(1)));

        DragAll(drawn, after);
        DragAll(reopened, after);
        ExpectSameCorners(Corners(*reopened.GetRoom(1)), Corners(*drawn.GetRoom(1)));
    }
}

// The text is a contract: what a user built is read back and written again
// unchanged, in the Door mode and in the Measurement mode, whose walls hold
// their alignments.
TEST_F(RoomReadBackTest, WriteReplayWriteGivesTheSameText)
{
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        CReplDoc drawn;
        DrawLevel(drawn, 1);
        Apply(drawn, {DragStep(point(60, 300), point(60, 330)), Typed(point(240, 60), 150.0)});
        ASSERT_TRUE(drawn.SetEditMode(mode));
        const std::string written = RoomText(drawn);
        EXPECT_NE(written.find("=Value(150"), std::string::npos) << written;
        if (mode == 2) {
            EXPECT_NE(written.find("=Horizontal("), std::string::npos) << written;
        }
        CReplDoc once;
        ASSERT_TRUE(Load(once, FileText(drawn)));
        EXPECT_EQ(RoomText(once), written);
        CReplDoc twice;
        ASSERT_TRUE(Load(twice, FileText(once)));
        EXPECT_EQ(RoomText(twice), written);
    }
}

// Room texts whose replay leaves a wall object on nodes that the tidying of
// the walls merges away: read back whole, or refused, never half.
TEST_F(RoomReadBackTest, AnOpeningOnTheCornersOfATidiedWallIsReadSafely)
{
    const char* const bodies[] = {
        "D2=Distance(N3,N5)\nShape=L-Shape\nS3=Segment(N3,N4)\nD1=Distance(N1,N2)\n"
        "N2=Node(200.0,0.0)\nN1=Node(0.0,0.0)\nS1=Segment(N1,N2)\nA=Opening(N1,N2,273)\n"
        "N2=Node(200.0,0.0)\nN2=Node(200.0,0.0)\nS5=Segment(N5,N3)\nS1=Segment(N1,N2)\n",
    };
    for (const char* body : bodies) {
        const std::string text =
            "\n<QUENDAR_FPL version=\"1.0\" house=\"1\" street=\"Elm\" level=\"Main\""
            " codepage=\"0\"\n path=\"Hall1,\">\n<HISTORY></HISTORY>\n<Hall1 body=\"Name=Hall1\n" +
            std::string(body) + "\"/>\n\n</QUENDAR_FPL>\n";
        CReplDoc reader;
        Load(reader, text);
        for (int i = 0; i < reader.GetNumOfRooms(); ++i) {
            std::string written;
            reader.GetRoom(i)->Save(written, false);
            EXPECT_FALSE(written.empty());
        }
    }
}

// A wall's length rule is made through the model's add, which lists it with
// the room's reference dimensions before it is marked a rule; deleted as a
// rule, it must leave that list too (the solver looked it up there later).
TEST_F(RoomReadBackTest, ARuleDeletedAsARuleLeavesTheReferenceList)
{
    CReplDoc document;
    CRoomFloor* room = AddRoom(document, "Hall1");
    const int before = room->GetNumOfDimensions();
    KorPrimitive* wall = room->GetPrimitives().front();
    auto* rule = new KorNNDistance();
    ASSERT_NE(rule->Create(room, wall->GetStart(), wall->GetEnd(), true), 0u);
    ASSERT_EQ(room->GetNumOfDimensions(), before + 1);
    rule->SetExtraRule(true);
    delete rule;
    ASSERT_EQ(room->GetNumOfDimensions(), before);
    for (int i = 0; i < room->GetNumOfDimensions(); ++i)
        EXPECT_NE(room->GetDimension(i, nullptr), static_cast<KorDimension*>(rule));
}


