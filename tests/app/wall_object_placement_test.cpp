#include <cmath>
#include <memory>
#include <vector>

#include "level_fixture.h"
#include "exchange_file.h"
#include "settings.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "object_pages.h"
#include "object_sheet_state.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "wall_object_placement.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

// The shipped rectangle with its entrance, as the first room of a level.
class WallObjectPlacementTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
    }
};

}  // namespace

TEST_F(WallObjectPlacementTest, AfterANewRoomTheSheetPreparesASwingingDoor)
{
    lastObjectKind = 1;
    lastDoorKind = 4;
    document->NewRoom();
    EXPECT_EQ(lastObjectKind, -2);
    EXPECT_EQ(lastDoorKind, 1);
    ASSERT_TRUE(document->InsertShape(0, 0));
    ZupEdge* wall = Room()->Get1stEdge();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    InitObjectSheetNew(wall, static_cast<float>(a.x()), static_cast<float>(a.y()));
    EXPECT_EQ(g_objectSheet.doorKind, 1);
    EXPECT_EQ(g_objectSheet.objectKind, -1);
    EXPECT_EQ(g_objectSheet.subtype, -1);
    EXPECT_FLOAT_EQ(g_objectSheet.wallLength, -2.0f);
}

TEST_F(WallObjectPlacementTest, RememberedCategoryPreparesAnObject)
{
    lastObjectKind = 2;
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    InitObjectSheetNew(wall, 0.0f, 0.0f);
    EXPECT_EQ(g_objectSheet.doorKind, -1);
    EXPECT_EQ(g_objectSheet.objectKind, 2);
    EXPECT_EQ(g_objectSheet.subtype, 0);
}

TEST_F(WallObjectPlacementTest, CornerOnlyAtAVertexOfTheContour)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    const double snap = Room()->InputSnap();
    InitObjectSheetNew(wall, static_cast<float>(a.x()), static_cast<float>(a.y()));
    EXPECT_EQ(g_objectSheet.atNode, 1);
    // Farther than the input snap from every corner.
    const point middle((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    InitObjectSheetNew(wall, static_cast<float>(middle.x()), static_cast<float>(middle.y()));
    EXPECT_EQ(g_objectSheet.atNode, 0);
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::hypot(dx, dy);
    const point beyondSnap(a.x() + dx / length * (snap * 2), a.y() + dy / length * (snap * 2));
    InitObjectSheetNew(wall, static_cast<float>(beyondSnap.x()), static_cast<float>(beyondSnap.y()));
    EXPECT_EQ(g_objectSheet.atNode, 0);
}

TEST_F(WallObjectPlacementTest, TapNearTheReferenceEndGivesNoLeftDistance)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    // 5 from either end: one of them is the reference end.
    int leftZero = 0;
    for (double t : {5.0 / length, 1.0 - 5.0 / length}) {
        InitObjectSheetNew(wall, static_cast<float>(a.x() + t * (b.x() - a.x())),
                           static_cast<float>(a.y() + t * (b.y() - a.y())));
        g_objectSheet.width = 30;
        ComputeSheetPlacement();
        EXPECT_GE(g_objectSheet.right, 0);
        if (g_objectSheet.left == 0)
            ++leftZero;
        else
            EXPECT_EQ(g_objectSheet.right, 0);
    }
    EXPECT_EQ(leftZero, 1);
}

TEST_F(WallObjectPlacementTest, EnabledGapNarrowsAWiderObject)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    const point b = wall->GetEnd()->GetPoint();
    InitObjectSheetNew(wall, static_cast<float>((a.x() + b.x()) / 2),
                       static_cast<float>((a.y() + b.y()) / 2));
    point p(g_objectSheet.pointX, g_objectSheet.pointY);
    KorDimension* gap = wall->GetDimension(p);
    ASSERT_NE(gap, nullptr);
    gap->SetEnabled(true);
    g_objectSheet.width = 100000;
    ComputeSheetPlacement();
    EXPECT_TRUE(g_objectSheet.wallBound);
    EXPECT_EQ(g_objectSheet.width, static_cast<int>(gap->GetValue()));
    EXPECT_FLOAT_EQ(g_objectSheet.gapLength, g_objectSheet.wallLength);
}

TEST_F(WallObjectPlacementTest, ARightAngledBathCornerIsHalfTheWidthDeep)
{
    ZupEdge* wall = FreeWall();
    ASSERT_NE(wall, nullptr);
    const point a = wall->GetStart()->GetPoint();
    InitObjectSheetNew(wall, static_cast<float>(a.x()), static_cast<float>(a.y()));
    for (int width : {60, 61, 30})
        EXPECT_EQ(BathCornerDepth(width), width / 2) << width;
}

TEST_F(WallObjectPlacementTest, EditSheetReadsTheEntranceAndKeepsTheCaptionForLater)
{
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    InitObjectSheetEdit(entrance, &document->m_plan);
    EXPECT_EQ(g_objectSheet.object, entrance);
    EXPECT_EQ(g_objectSheet.subtype, -1);
    EXPECT_EQ(g_objectSheet.doorKind, entrance->GetType());
    EXPECT_EQ(g_objectSheet.action, entrance->GetAction());
    EXPECT_EQ(g_objectSheet.position, entrance->GetPosition());
    EXPECT_EQ(g_objectSheet.twin, nullptr);
    EXPECT_EQ(g_objectSheet.width, 36);
    EXPECT_FALSE(g_objectSheet.Has(SheetFlags::kUndimensioned));
}

// The side of the wall the sheet measures from is found from the direction
// into the room; an error left behind by an earlier construction must not
// change it.
TEST_F(WallObjectPlacementTest, AStaleGeometryErrorLeavesThePlacementAsItIs)
{
    struct Placement {
        int left, right;
    };
    auto placeQuarterAlong = [](ZupEdge* wall) {
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        InitObjectSheetNew(wall, static_cast<float>(a.x() + (b.x() - a.x()) / 4),
                           static_cast<float>(a.y() + (b.y() - a.y()) / 4));
        g_objectSheet.width = 30;
        ComputeSheetPlacement();
        return Placement{g_objectSheet.left, g_objectSheet.right};
    };
    std::vector<ZupEdge*> walls;
    for (ZupEdge* wall = Room()->Get1stEdge(); wall; wall = Room()->GetNextEdge())
        walls.push_back(wall);
    ASSERT_EQ(walls.size(), 4u);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const Placement clean = placeQuarterAlong(walls[i]);
        GeoError() = 1;
        const Placement stale = placeQuarterAlong(walls[i]);
        GeoError() = 0;
        EXPECT_EQ(stale.left, clean.left) << "wall " << i;
        EXPECT_EQ(stale.right, clean.right) << "wall " << i;
    }
}
