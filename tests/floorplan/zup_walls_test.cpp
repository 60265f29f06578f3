#include <memory>

#include "kor_colinear.h"
#include "kor_dimension.h"
#include "zup_fixture.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

namespace {

class ZupWallsTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
        mFloor = std::make_unique<ZupFloor>();
    }
    void TearDown() override
    {
        mRooms.clear();
        mFloor.reset();
        ZupTest::TearDown();
    }
    ZupPartition* Room()
    {
        mRooms.push_back(std::make_unique<ZupPartition>(false));
        return mRooms.back().get();
    }

    std::unique_ptr<ZupFloor> mFloor;
    // Declared after the floor: rooms go before the walls they face.
    std::vector<std::unique_ptr<ZupPartition>> mRooms;
};

struct TypeCase {
    ZupEdgeType from;
    ZupEdgeType set;
    ZupEdgeType expected;
};

class ZupEdgeTypeTest : public ZupTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ZupEdgeTypeTest, SetTypeOnlyLeavesOrReturnsToFree)
{
    const TypeCase& c = GetParam();
    ZupSegment wall(c.from);
    ZupPartition room;
    ZupWallSurface* face = new ZupWallSurface(&room, nullptr);
    wall.AddSurface(face);
    wall.SetType(c.set);
    EXPECT_EQ(EdgeType(&wall), c.expected);
    // Returning to free clears both faces; any other change keeps them.
    EXPECT_EQ(wall.HaveSurface(), !(c.from != ZUP_EDGE_FREE && c.set == ZUP_EDGE_FREE));
    wall.ReplaceSurface(face, nullptr);
    delete face;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ZupEdgeTypeTest,
    ::testing::Values(TypeCase{ZUP_EDGE_FREE, ZUP_EDGE_INNER, ZUP_EDGE_INNER},
                      TypeCase{ZUP_EDGE_FREE, ZUP_EDGE_OUTER, ZUP_EDGE_OUTER},
                      TypeCase{ZUP_EDGE_OUTER, ZUP_EDGE_INNER, ZUP_EDGE_OUTER},
                      TypeCase{ZUP_EDGE_INNER, ZUP_EDGE_OUTER, ZUP_EDGE_INNER},
                      TypeCase{ZUP_EDGE_INNER, ZUP_EDGE_FREE, ZUP_EDGE_FREE},
                      TypeCase{ZUP_EDGE_OUTER, ZUP_EDGE_FREE, ZUP_EDGE_FREE}));

TEST_F(ZupWallsTest, SetupTypeFromTheFaces)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 200.0, 0.0);
    ZupSegment* wall = Wall(*mFloor, a, b);
    wall->SetupType();
    EXPECT_EQ(EdgeType(wall), ZUP_EDGE_FREE);  // no face
    ZupPartition* first = Room();
    first->AddEdge(wall, a);
    wall->SetupType();
    EXPECT_EQ(EdgeType(wall), ZUP_EDGE_OUTER);  // one face
    ZupPartition* second = Room();
    second->AddEdge(wall, b);
    EXPECT_NE(wall->GetRedSurface(), nullptr);
    wall->SetupType();
    EXPECT_EQ(EdgeType(wall), ZUP_EDGE_INNER);  // two inner faces
    EXPECT_EQ(wall->GetPartition(0), first);
    EXPECT_EQ(wall->GetPartition(1), second);
    EXPECT_EQ(wall->GetOtherPartition(first), second);
    EXPECT_EQ(wall->GetOtherPartition(second), first);
    EXPECT_EQ(wall->GetWall(second), wall->GetRedSurface());
    EXPECT_EQ(wall->GetInsideSurface(), wall->GetRedSurface());
}

TEST_F(ZupWallsTest, ThicknessFollowsTheTypeNotTheWallThickness)
{
    struct Case {
        bool metric;
        ZupEdgeType type;
        int thickness;
    };
    for (const Case& c : {Case{true, ZUP_EDGE_OUTER, 8}, Case{true, ZUP_EDGE_FREE, 8},
                          Case{true, ZUP_EDGE_INNER, 4}, Case{false, ZUP_EDGE_OUTER, 4},
                          Case{false, ZUP_EDGE_INNER, 2}}) {
        ZupMetric() = c.metric;
        ZupSegment wall(c.type);
        wall.WallThickness() = 12.5f;
        EXPECT_EQ(wall.GetThickness(), c.thickness);
        EXPECT_FLOAT_EQ(wall.WallThickness(), 12.5f);
    }
    ZupMetric() = true;
    EXPECT_EQ(ZupEdge::GetHeight(), 200);
    ZupMetric() = false;
    EXPECT_EQ(ZupEdge::GetHeight(), 96);
}

TEST_F(ZupWallsTest, WallsTakeTheFloorsDefaultThickness)
{
    ZupSegment unplaced;
    EXPECT_FLOAT_EQ(unplaced.WallThickness(), -1.0f);
    mFloor->DefaultWallThickness() = 6.0f;
    ZupSegment* wall = Wall(*mFloor, Node(*mFloor, 0, 0), Node(*mFloor, 100, 0));
    EXPECT_FLOAT_EQ(wall->WallThickness(), 6.0f);
    EXPECT_EQ(wall->GetFloor(), mFloor.get());
}

TEST_F(ZupWallsTest, AddSurfaceKeepsAnInnerRedFace)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 200.0, 0.0);
    ZupSegment* wall = Wall(*mFloor, a, b);
    ZupPartition* first = Room();
    ZupPartition* second = Room();
    ZupPartition* third = Room();
    first->AddEdge(wall, a);
    second->AddEdge(wall, a);
    // The red face ends at b and its room is no outer shell: it stays.
    ZupWallSurface* red = wall->GetRedSurface();
    ASSERT_NE(red, nullptr);
    auto* extra = new ZupWallSurface(third, a);
    wall->AddSurface(extra);
    EXPECT_EQ(wall->GetRedSurface(), red);
    delete extra;
    EXPECT_EQ(wall->GetRedSurface(), red);
}

TEST_F(ZupWallsTest, ReplacingTheWhiteFaceByNoneMovesRedToWhite)
{
    ZupSegment wall;
    ZupPartition r1, r2;
    ZupWallSurface white(&r1, nullptr), red(&r2, nullptr);
    wall.AddSurface(&white);
    wall.AddSurface(&red);
    ASSERT_EQ(wall.GetRedSurface(), &red);
    wall.ReplaceSurface(&white, nullptr);
    EXPECT_EQ(wall.GetWhiteSurface(), &red);
    EXPECT_EQ(wall.GetRedSurface(), nullptr);
    wall.ReplaceSurface(&red, nullptr);
    EXPECT_FALSE(wall.HaveSurface());
}

TEST_F(ZupWallsTest, DivideAtAnEndNodeGivesNull)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 400.0, 0.0);
    ZupSegment* wall = Wall(*mFloor, a, b);
    EXPECT_EQ(wall->Divide(a, false), nullptr);
    EXPECT_EQ(wall->Divide(b, true), nullptr);
    EXPECT_EQ(wall->Divide(nullptr, false), nullptr);
    EXPECT_EQ(mFloor->GetNumOfPrimitives(), 1);
}

TEST_F(ZupWallsTest, DivideSplitsOnTheTrackerAndJoinsBothFaces)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 400.0, 0.0);
    ZupNode* m = Node(*mFloor, 150.0, 0.0);
    ZupSegment* wall = Wall(*mFloor, a, b);
    ZupPartition* first = Room();
    ZupPartition* second = Room();
    first->AddEdge(wall, a);
    second->AddEdge(wall, b);
    wall->WallThickness() = 7.0f;
    const int constraints = static_cast<int>(mFloor->GetConstraints().size());
    ZupEdge* piece = wall->Divide(m, true);
    ASSERT_NE(piece, nullptr);
    EXPECT_NE(dynamic_cast<ZupSegment*>(piece), nullptr);
    EXPECT_EQ(wall->GetEnd(), m);
    EXPECT_EQ(piece->GetStart(), m);
    EXPECT_EQ(piece->GetEnd(), b);
    EXPECT_EQ(piece->GetTracker(), wall->GetTracker());
    EXPECT_FLOAT_EQ(piece->WallThickness(), 7.0f);
    EXPECT_EQ(piece->GetFloor(), mFloor.get());
    EXPECT_TRUE(wall->GetWhiteSurface()->Contain(piece));
    EXPECT_TRUE(wall->GetRedSurface()->Contain(piece));
    EXPECT_EQ(piece->GetWhiteSurface(), wall->GetWhiteSurface());
    EXPECT_EQ(piece->GetRedSurface(), wall->GetRedSurface());
    // Both pieces stay on one tracker: no colinear is needed, no error recorded.
    EXPECT_EQ(static_cast<int>(mFloor->GetConstraints().size()), constraints);
    EXPECT_EQ(mFloor->GetError(), KOR_ERR_NONE);
    EXPECT_EQ(mFloor->GetNumOfPrimitives(), 2);
}

TEST_F(ZupWallsTest, ARefusedPieceLeavesTheWallAndItsRoomsAlone)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 400.0, 0.0);
    ZupNode* m = Node(*mFloor, 200.0, 0.0);
    ZupSegment* wall = Wall(*mFloor, a, b);
    Wall(*mFloor, m, b, TrackerOf(wall));  // the piece would duplicate it
    ZupPartition* room = Room();
    room->AddEdge(wall, a);
    ZupWallSurface* face = wall->GetWhiteSurface();
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(wall->Divide(m, false), nullptr);
    EXPECT_EQ(mFloor->GetError(), KOR_ERR_EQUAL_PRIMITIVE);
    EXPECT_EQ(wall->GetEnd(), b);
    EXPECT_EQ(wall->GetWhiteSurface(), face);
    EXPECT_EQ(EdgeType(wall), ZUP_EDGE_FREE);
    EXPECT_TRUE(face->Contain(wall));
    EXPECT_EQ(room->GetNumOfWalls(), 1);
    EXPECT_EQ(mFloor->GetNumOfPrimitives(), 2);
}

TEST_F(ZupWallsTest, ADividedArcJoinsBothFaces)
{
    ZupNode* c = Node(*mFloor, 0.0, 0.0);
    ZupNode* s = Node(*mFloor, 100.0, 0.0);
    ZupNode* e = Node(*mFloor, -100.0, 0.0);
    ZupNode* m = Node(*mFloor, 0.0, 100.0);
    auto* arc = new ZupArc(ZUP_EDGE_FREE);
    ASSERT_NE(arc->Create(mFloor.get(), c, s, e, nullptr), 0u);
    ZupPartition* first = Room();
    ZupPartition* second = Room();
    first->AddEdge(arc, s);
    second->AddEdge(arc, e);
    ZupEdge* piece = arc->Divide(m, false);
    ASSERT_NE(piece, nullptr);
    EXPECT_NE(dynamic_cast<ZupArc*>(piece), nullptr);
    EXPECT_EQ(piece->GetCenter(), c);
    EXPECT_EQ(piece->GetStart(), m);
    EXPECT_EQ(piece->GetEnd(), e);
    EXPECT_EQ(arc->GetEnd(), m);
    EXPECT_EQ(piece->GetTracker(), arc->GetTracker());
    EXPECT_TRUE(arc->GetWhiteSurface()->Contain(piece));
    EXPECT_TRUE(arc->GetRedSurface()->Contain(piece));
}

TEST_F(ZupWallsTest, ArcGeometry)
{
    ZupNode* c = Node(*mFloor, 0.0, 0.0);
    ZupNode* s = Node(*mFloor, 100.0, 0.0);
    ZupNode* e = Node(*mFloor, 0.0, 100.0);
    auto* arc = new ZupArc(ZUP_EDGE_FREE);
    ASSERT_NE(arc->Create(mFloor.get(), c, s, e, nullptr), 0u);
    EXPECT_DOUBLE_EQ(arc->GetRadius(), 100.0);
    const point centre = arc->GetGeoCenter();
    EXPECT_DOUBLE_EQ(centre.x(), 50.0);
    EXPECT_DOUBLE_EQ(centre.y(), 50.0);
    const point focus = arc->GetGeoFocus();
    EXPECT_NEAR(focus.x(), 100.0, 1e-9);
    EXPECT_NEAR(focus.y(), 100.0, 1e-9);
    EXPECT_FALSE(arc->IsAligned());
}

TEST_F(ZupWallsTest, ResolveOffersTheLengthRule)
{
    ZupSegment* wall = Wall(*mFloor, Node(*mFloor, 0, 0), Node(*mFloor, 2, 0));
    KorDimension* rule = wall->Resolve();
    ASSERT_NE(rule, nullptr);
    EXPECT_TRUE(rule->IsExtraRule());
    EXPECT_DOUBLE_EQ(rule->GetValue(), mFloor->LinearPlay());
    delete rule;
}

TEST_F(ZupWallsTest, DeletingAWallWithoutFacesKeepsTheOtherTypes)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 200.0, 0.0);
    ZupNode* c = Node(*mFloor, 200.0, 200.0);
    ZupSegment* first = Wall(*mFloor, a, b);
    ZupSegment* second = Wall(*mFloor, b, c);
    second->SetType(ZUP_EDGE_OUTER);
    delete first;  // no face: the others keep their type
    EXPECT_EQ(EdgeType(second), ZUP_EDGE_OUTER);
    EXPECT_EQ(mFloor->GetNumOfPrimitives(), 1);
}

TEST_F(ZupWallsTest, UnchainedWhenTheNextWallAlsoEndsThere)
{
    ZupNode* a = Node(*mFloor, 0.0, 0.0);
    ZupNode* b = Node(*mFloor, 200.0, 0.0);
    ZupNode* c = Node(*mFloor, 200.0, 200.0);
    ZupSegment* first = Wall(*mFloor, a, b);
    ZupSegment* second = Wall(*mFloor, c, b);
    EXPECT_TRUE(first->Unchained());
    (void)second;
    ZupNode* d = Node(*mFloor, 0.0, 500.0);
    ZupNode* e = Node(*mFloor, 200.0, 500.0);
    ZupNode* f = Node(*mFloor, 200.0, 700.0);
    ZupSegment* third = Wall(*mFloor, d, e);
    Wall(*mFloor, e, f);
    EXPECT_FALSE(third->Unchained());
}

}  // namespace
