// Rooms found from walls: the outer shell, inner rooms, dangling walls and
// the queries that use the rooms.
#include <memory>

#include "zup_metric_floor_fixture.h"
#include "zup_sketch_file.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

class ZupRoomFindingTest : public ZupMetricFloorTest {
protected:
    // A closed ring of walls through the points, one tracker per wall.
    std::vector<ZupNode*> Ring(std::initializer_list<point> points)
    {
        std::vector<ZupNode*> nodes;
        for (const point& p : points)
            nodes.push_back(Node(*floor, p.x(), p.y()));
        for (std::size_t i = 0; i < nodes.size(); ++i)
            Wall(*floor, nodes[i], nodes[(i + 1) % nodes.size()]);
        return nodes;
    }
};

TEST_F(ZupRoomFindingTest, EmptyFloorHasNoRooms)
{
    EXPECT_FALSE(floor->MakePartitions(false));
    EXPECT_EQ(floor->GetOuterShell(), nullptr);
}

TEST_F(ZupRoomFindingTest, RectangleIsOneRoomInsideItsShell)
{
    Ring({point(0, 0), point(400, 0), point(400, 300), point(0, 300)});
    ASSERT_TRUE(floor->MakePartitions(false));
    ASSERT_NE(floor->GetOuterShell(), nullptr);
    EXPECT_EQ(floor->GetOuterShell()->GetNumOfWalls(), 4);
    ASSERT_EQ(floor->GetNumOfPartitions(), 1);
    ZupPartition* room = floor->GetPartition(0);
    EXPECT_NEAR(room->GetCenter().x(), 200.0, 1e-6);
    EXPECT_NEAR(room->GetCenter().y(), 150.0, 1e-6);
    for (ZupEdge* e = floor->Get1stEdge(); e; e = floor->GetNextEdge()) {
        EXPECT_EQ(EdgeType(e), ZUP_EDGE_OUTER);
        EXPECT_EQ(e->GetThickness(), 8);
    }
    point inside(100, 100);
    EXPECT_EQ(floor->GetPartition(inside), room);
    point outside(500, 100);
    EXPECT_EQ(floor->GetPartition(outside), nullptr);
}

// A plan of one room gets its room with the shell even when only the shell
// is asked for: both come from the same walk.
TEST_F(ZupRoomFindingTest, OuterShellOnlyStillMakesTheOneRoom)
{
    Ring({point(0, 0), point(400, 0), point(400, 300), point(0, 300)});
    ASSERT_TRUE(floor->MakePartitions(true));
    EXPECT_NE(floor->GetOuterShell(), nullptr);
    EXPECT_EQ(floor->GetNumOfPartitions(), 1);
}

TEST_F(ZupRoomFindingTest, MiddleWallMakesTwoRooms)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 200, 0);
    ZupNode* c = Node(*floor, 400, 0);
    ZupNode* d = Node(*floor, 400, 300);
    ZupNode* e = Node(*floor, 200, 300);
    ZupNode* f = Node(*floor, 0, 300);
    ZupSegment* bottom = Wall(*floor, a, b);
    Wall(*floor, b, c, TrackerOf(bottom));
    Wall(*floor, c, d);
    ZupSegment* top = Wall(*floor, d, e);
    Wall(*floor, e, f, TrackerOf(top));
    Wall(*floor, f, a);
    ZupSegment* middle = Wall(*floor, b, e);
    ASSERT_TRUE(floor->MakePartitions(false));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 7);
    ASSERT_EQ(floor->GetNumOfPartitions(), 2);
    EXPECT_EQ(EdgeType(middle), ZUP_EDGE_INNER);
    EXPECT_EQ(middle->GetThickness(), 4);
    for (ZupEdge* w = floor->Get1stEdge(); w; w = floor->GetNextEdge()) {
        if (w != middle) {
            EXPECT_EQ(EdgeType(w), ZUP_EDGE_OUTER);
        }
    }
    point left(100, 150);
    point right(300, 150);
    ZupPartition* leftRoom = floor->GetPartition(left);
    ZupPartition* rightRoom = floor->GetPartition(right);
    ASSERT_NE(leftRoom, nullptr);
    ASSERT_NE(rightRoom, nullptr);
    EXPECT_NE(leftRoom, rightRoom);
    // The face of the middle wall toward the room that holds the point.
    ZupWallSurface* face = floor->GetWall(190, 150);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face, static_cast<ZupEdge*>(middle)->GetWall(leftRoom));
    EXPECT_EQ(floor->GetWall(210, 150), static_cast<ZupEdge*>(middle)->GetWall(rightRoom));
    // The room walk visits both, the outer shell not.
    int rooms = 0;
    for (ZupPartition* r = floor->Get1stPartition(); r; r = floor->GetNextPartition())
        ++rooms;
    EXPECT_EQ(rooms, 2);
}

TEST_F(ZupRoomFindingTest, DanglingWallLeavesOneRoom)
{
    std::vector<ZupNode*> ring =
        Ring({point(0, 0), point(400, 0), point(400, 300), point(0, 300)});
    Wall(*floor, ring[2], Node(*floor, 300, 200));
    ASSERT_TRUE(floor->MakePartitions(false));
    EXPECT_EQ(floor->GetNumOfPartitions(), 1);
    ASSERT_NE(floor->GetOuterShell(), nullptr);
    EXPECT_EQ(floor->GetOuterShell()->GetNumOfWalls(), 4);
}

TEST_F(ZupRoomFindingTest, LoneWallHasNoRoom)
{
    Wall(*floor, Node(*floor, 0, 0), Node(*floor, 400, 0));
    EXPECT_FALSE(floor->MakePartitions(false));
    EXPECT_EQ(floor->GetNumOfPartitions(), 0);
}

TEST_F(ZupRoomFindingTest, TwoWallsOnOneTrackerBecomeOne)
{
    ZupNode* a = Node(*floor, 0, 0);
    ZupNode* b = Node(*floor, 200, 0);
    ZupNode* c = Node(*floor, 400, 0);
    ZupNode* d = Node(*floor, 400, 300);
    ZupNode* f = Node(*floor, 0, 300);
    ZupSegment* bottom = Wall(*floor, a, b);
    Wall(*floor, b, c, TrackerOf(bottom));
    Wall(*floor, c, d);
    Wall(*floor, d, f);
    Wall(*floor, f, a);
    ASSERT_TRUE(floor->MakePartitions(false));
    EXPECT_EQ(floor->GetNumOfPrimitives(), 4);
    EXPECT_EQ(floor->GetNumOfNodes(), 4);
    EXPECT_EQ(floor->GetNumOfPartitions(), 1);
}

TEST_F(ZupRoomFindingTest, PerimeterNodesLeftmostLowestAndRightmostHighest)
{
    std::vector<ZupNode*> ring =
        Ring({point(0, 0), point(400, 0), point(400, 300), point(0, 300)});
    ASSERT_TRUE(floor->MakePartitions(false));
    EXPECT_EQ(floor->Get1stPerimeterNode(nullptr), ring[0]);
    EXPECT_EQ(floor->Get2ndPerimeterNode(nullptr), ring[2]);
}

// Sketches drawn stroke by stroke as pen-ups add them; every room of the plan
// is found, with its area (a room holding an island keeps its area less the
// island's).
struct SketchCase {
    const char* file;
    std::vector<double> areas;  // ascending
};

void PrintTo(const SketchCase& c, std::ostream* out) { *out << c.file; }

class ZupSketchRoomsTest : public ZupTest, public ::testing::WithParamInterface<SketchCase> {};

TEST_P(ZupSketchRoomsTest, EveryRoomIsFound)
{
    const SketchCase& c = GetParam();
    const zup_test::Sketch sketch = zup_test::ReadSketch(c.file);
    ASSERT_FALSE(sketch.empty()) << c.file;
    ZupFloor floor;
    EXPECT_TRUE(zup_test::DrawSketch(floor, sketch));
    const std::vector<double> areas = zup_test::RoomAreas(floor);
    EXPECT_TRUE(zup_test::SameAreas(areas, c.areas)) << ::testing::PrintToString(areas);
}

INSTANTIATE_TEST_SUITE_P(
    Sketches, ZupSketchRoomsTest,
    ::testing::Values(
        // The top line redrawn along two walls that share a node.
        SketchCase{"dup6.txt", {125000.0}},
        // An L-shaped room with a small room in its corner.
        SketchCase{"l2.txt", {10000.0, 60000.0}},
        // Seven rooms drawn edge by edge, with a dangling wall.
        SketchCase{"slow7.txt", {20000.0, 20000.0, 25000.0, 25000.0, 37500.0, 37500.0, 65000.0}},
        // A stub that branches into a T inside the room.
        SketchCase{"tantenna8.txt", {357500.0}},
        // A room inside a room, joined to it by one wall.
        SketchCase{"bridge11.txt", {40000.0, 320000.0}},
        // A free-standing block inside a level whose outline has junctions.
        SketchCase{"nest11.txt", {60000.0, 210000.0, 220000.0}}),
    [](const ::testing::TestParamInfo<SketchCase>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });
