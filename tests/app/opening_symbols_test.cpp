// Door and stair symbols in model units: leaves, panels, fold pairs, treads
// and the walking arrow, and a look at the drawn arcs.
#include <cmath>
#include <vector>

#include "app_test_support.h"
#include "opening_symbols.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "zup_object.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

double Length(const CSymbolStroke& line)
{
    return std::hypot(line.points[1].x - line.points[0].x, line.points[1].y - line.points[0].y);
}

class OpeningSymbolsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    }

    // A door of the kind from x = from to x = to on the bottom wall, whose
    // inside is up.
    CPlanOpening* Door(int kind, double from, double to, int action, int position)
    {
        auto* door = new CPlanOpening(&room, "A", kind);
        point a(from, 0.0), b(to, 0.0);
        if (!door->Create(&room, a, b)) {
            delete door;
            return nullptr;
        }
        door->SetAction(ZupOpening::ACTION(action));
        door->SetPosition(ZupOpening::POSITION(position));
        return door;
    }

    std::vector<CSymbolStroke> Lines(const CSymbolStrokes& strokes)
    {
        return strokes.OfKind(SymbolStrokeKind::kLine);
    }

    CRoomFloor room;
};

}  // namespace

TEST_F(OpeningSymbolsTest, BypassPanelsOverlapByAFifth)
{
    CPlanOpening* door = Door(3, 70.0, 130.0, 4, 1);
    ASSERT_NE(door, nullptr);
    ASSERT_EQ(door->GetWidth(), 60.0f);
    const auto panels = Lines(BuildOpeningSymbol(*door));
    ASSERT_EQ(panels.size(), 2u);
    const int u = 2;
    // One panel a unit inside, one a unit outside, each 36 long.
    EXPECT_EQ(std::abs(panels[0].points[0].y), u);
    EXPECT_EQ(panels[0].points[0].y, panels[0].points[1].y);
    EXPECT_EQ(panels[1].points[0].y, -panels[0].points[0].y);
    EXPECT_EQ(Length(panels[0]), 36.0);
    EXPECT_EQ(Length(panels[1]), 36.0);
    const int overlap = std::min(std::max(panels[0].points[0].x, panels[0].points[1].x),
                                 std::max(panels[1].points[0].x, panels[1].points[1].x)) -
                        std::max(std::min(panels[0].points[0].x, panels[0].points[1].x),
                                 std::min(panels[1].points[0].x, panels[1].points[1].x));
    EXPECT_EQ(overlap, 12);
}

TEST_F(OpeningSymbolsTest, DoubleActionSwingDrawsALeafOnEachSide)
{
    CPlanOpening* door = Door(1, 84.0, 116.0, 3, 1);
    ASSERT_NE(door, nullptr);
    const CSymbolStrokes symbol = BuildOpeningSymbol(*door);
    const auto leaves = Lines(symbol);
    const auto arcs = symbol.OfKind(SymbolStrokeKind::kSwingArc);
    ASSERT_EQ(leaves.size(), 2u);
    ASSERT_EQ(arcs.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(arcs[i].radius, 32.0);
        // Each arc turns about the hinge, where its leaf starts.
        EXPECT_EQ(arcs[i].centreX, leaves[i].points[0].x);
        EXPECT_EQ(arcs[i].centreY, leaves[i].points[0].y);
        EXPECT_NEAR(Length(leaves[i]), 32.0, 1.5);
    }
}

TEST_F(OpeningSymbolsTest, FrenchLeavesMeetAtTheCentre)
{
    const struct {
        int action;
        std::size_t leaves;
    } cases[] = {{1, 2}, {2, 2}, {3, 4}};
    for (const auto& c : cases) {
        CPlanOpening* door = Door(2, 80.0, 120.0, c.action, 1);
        ASSERT_NE(door, nullptr);
        const CSymbolStrokes symbol = BuildOpeningSymbol(*door);
        const auto leaves = Lines(symbol);
        ASSERT_EQ(leaves.size(), c.leaves) << c.action;
        EXPECT_EQ(symbol.OfKind(SymbolStrokeKind::kSwingArc).size(), c.leaves);
        for (const CSymbolStroke& leaf : leaves) {
            EXPECT_NEAR(Length(leaf), 20.0, 1.5);
            EXPECT_TRUE(leaf.points[0].x == 80 || leaf.points[0].x == 120);
        }
        delete door;
    }
    // Inside and Outside put the leaves on opposite sides of the wall.
    CPlanOpening* inside = Door(2, 80.0, 120.0, 1, 1);
    const int insideY = Lines(BuildOpeningSymbol(*inside))[0].points[1].y;
    delete inside;
    CPlanOpening* outside = Door(2, 80.0, 120.0, 2, 1);
    const int outsideY = Lines(BuildOpeningSymbol(*outside))[0].points[1].y;
    EXPECT_LT(insideY * outsideY, 0);
}

TEST_F(OpeningSymbolsTest, GarageDoorLiesOneAndAHalfUnitsInside)
{
    CPlanOpening* door = Door(7, 40.0, 160.0, 1, 1);
    ASSERT_NE(door, nullptr);
    const auto lines = Lines(BuildOpeningSymbol(*door));
    ASSERT_EQ(lines.size(), 2u);
    // The room lies above its bottom wall.
    const int inside = 3;
    EXPECT_EQ(lines[0].points[0].y, inside);
    EXPECT_EQ(lines[0].points[1].y, inside);
    // Then the half-wall line across the gap.
    EXPECT_EQ(lines[1].points[0].y, 0);
    EXPECT_EQ(Length(lines[1]), 120.0);
}

TEST_F(OpeningSymbolsTest, KindsWithoutASymbolDrawNothing)
{
    for (int kind : {0, 8, -1}) {
        CPlanOpening* door = Door(kind, 60.0, 100.0, 1, 1);
        ASSERT_NE(door, nullptr);
        EXPECT_TRUE(BuildOpeningSymbol(*door).IsEmpty()) << kind;
        delete door;
    }
}

TEST_F(OpeningSymbolsTest, FoldingDoorsFoldBackOntoTheWall)
{
    const struct {
        int kind;
        std::size_t lines;
    } cases[] = {{4, 2}, {5, 4}};
    for (const auto& c : cases) {
        CPlanOpening* door = Door(c.kind, 60.0, 140.0, 1, 1);
        ASSERT_NE(door, nullptr);
        const auto lines = Lines(BuildOpeningSymbol(*door));
        ASSERT_EQ(lines.size(), c.lines) << c.kind;
        // The second leaf of each pair ends back on the wall line.
        EXPECT_EQ(lines[1].points[1].y, 0) << c.kind;
        delete door;
    }
}

// Twelve imperial steps: a run of 120, 122 with the extension, 13 treads
// with action 0 and 12 otherwise.
TEST_F(OpeningSymbolsTest, StraightStairTreads)
{
    CPlanOpening* door = Door(0, 60.0, 100.0, 1, 1);
    ASSERT_NE(door, nullptr);
    for (int action : {0, 1}) {
        auto* stair = new CPlanStairOpening(&room);
        ASSERT_TRUE(stair->Create(door));
        stair->SetSteps(12);
        stair->SetPosition(ZupOpeningStair::POSITION(2));
        stair->SetAction(ZupOpeningStair::ACTION(action));
        const CSymbolStrokes symbol = BuildStairSymbol(*stair);
        int treads = 0, sides = 0;
        for (const CSymbolStroke& line : symbol.OfKind(SymbolStrokeKind::kLine)) {
            const bool across = line.points[0].y == line.points[1].y && Length(line) == 40.0;
            treads += across;
            sides += line.points[0].x == line.points[1].x && Length(line) == 122.0;
        }
        EXPECT_EQ(treads, action == 0 ? 13 : 12);
        EXPECT_EQ(sides, 2);
        const auto labels = symbol.OfKind(SymbolStrokeKind::kLabel);
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].text, CString(action == 0 ? "up" : "dn"));
        delete stair;
    }
}

TEST_F(OpeningSymbolsTest, StairGoingDownEndsInABreakLine)
{
    CPlanOpening* door = Door(0, 60.0, 100.0, 1, 1);
    ASSERT_NE(door, nullptr);
    auto* stair = new CPlanStairOpening(&room);
    ASSERT_TRUE(stair->Create(door));
    stair->SetSteps(5);
    stair->SetPosition(ZupOpeningStair::POSITION(1));
    const CSymbolStrokes symbol = BuildStairSymbol(*stair);
    const auto breaks = symbol.OfKind(SymbolStrokeKind::kPolyline);
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_EQ(breaks[0].points.size(), 6u);
}

TEST_F(OpeningSymbolsTest, WindingStairDrawsTreadsAndStringers)
{
    CPlanOpening* door = Door(0, 60.0, 100.0, 1, 1);
    ASSERT_NE(door, nullptr);
    auto* stair = new CPlanStairOpening(&room);
    ASSERT_TRUE(stair->Create(door));
    stair->SetType(1);
    stair->SetSteps(6);
    const CSymbolStrokes symbol = BuildStairSymbol(*stair);
    // The walking line and the two stringers.
    EXPECT_EQ(symbol.OfKind(SymbolStrokeKind::kClippedArc).size(), 3u);
    EXPECT_EQ(symbol.OfKind(SymbolStrokeKind::kPolyline).size(), 1u);
    // Five treads and the two barbs of the arrow head.
    EXPECT_EQ(symbol.OfKind(SymbolStrokeKind::kLine).size(), 7u);
}

TEST_F(OpeningSymbolsTest, EntranceArrowCrossesTheWall)
{
    CPlanOpening* door = Door(1, 80.0, 120.0, 1, 1);
    ASSERT_NE(door, nullptr);
    const auto lines = Lines(BuildEntranceArrow(*door));
    ASSERT_EQ(lines.size(), 3u);
    // Ten units either side of the centre, imperial.
    EXPECT_EQ(lines[0].points[0].x, 100);
    EXPECT_EQ(lines[0].points[1].x, 100);
    EXPECT_EQ(std::abs(lines[0].points[0].y - lines[0].points[1].y), 20);
}

// The swing arcs show in light grey, the leaves in the caller's pen.
TEST_F(OpeningSymbolsTest, SwingArcIsGreyOnTheScreen)
{
    CPlanOpening* door = Door(2, 60.0, 140.0, 1, 1);
    ASSERT_NE(door, nullptr);
    CScaledDC dc(nullptr);
    dc.FillSolidRect(0, 0, 240, 240, kWhite);
    dc.SetScale(1.0f);
    dc.SetOrigin(20, 200);
    door->Draw(&dc);
    int grey = 0, black = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 240; ++x) {
            grey += dc.GetPixel(x, y) == 0xC0C0C0;
            black += dc.GetPixel(x, y) == 0x000000;
        }
    EXPECT_GT(grey, 10);
    EXPECT_GT(black, 40);
}
