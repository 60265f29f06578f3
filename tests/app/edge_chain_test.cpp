#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "edge_chain.h"
#include "edge_chain_spec.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "room_floor.h"
#include "xml_element.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

CEdgeChainSpec ChainOf(std::vector<std::string> names, bool ortho)
{
    CEdgeChainSpec definition;
    definition.edgeNames = std::move(names);
    definition.ortho = ortho;
    return definition;
}

CEdgeChainSpec RectangleChain(bool ortho) { return ChainOf({"S1", "S2", "S3", "S4"}, ortho); }

ZupEdge* Wall(CRoomFloor& room, const char* name)
{
    return ZupFloor::CastToEdge(dynamic_cast<KorPrimitive*>(room.GetKorObject(name)));
}

KorDimension* Length(CRoomFloor& room, const char* wall)
{
    ZupEdge* edge = Wall(room, wall);
    return room.GetDimension(edge->GetStart(), edge->GetEnd(), false);
}

void Give(KorDimension* d) { d->SetValue(d->GetImplementedValue(), KOR_DIM_EQUAL, true); }

// The rectangle from its shape, with its four lengths given.
void MakeRectangle(CRoomFloor& room, const std::vector<CEdgeChainSpec>& chains)
{
    ASSERT_TRUE(room.LoadShape(kRectangle, &chains, true, false));
    for (const char* wall : {"S1", "S2", "S3", "S4"})
        Give(Length(room, wall));
}

// The same with every wall held horizontal or vertical: no wall is free.
void MakeAlignedRectangle(CRoomFloor& room, const std::vector<CEdgeChainSpec>& chains)
{
    MakeRectangle(room, chains);
    ASSERT_EQ(room.FindAlignments(), 4);
}

std::size_t ListedDimensions(CRoomFloor& room)
{
    return room.GetDimensions().size() + room.GetReferenceDimensions().size();
}

bool ParseOrtho(const char* text)
{
    CXMLElement element;
    int position = 0;
    EXPECT_TRUE(element.Parse(text, static_cast<int>(std::strlen(text)), &position));
    CEdgeChainSpec definition;
    definition.Parse(&element);
    return definition.ortho;
}

}  // namespace

using EdgeChainTest = AppTest;

TEST_F(EdgeChainTest, OnlyTheExactNoTurnsAFlagOff)
{
    EXPECT_TRUE(ParseOrtho("<QXR_CHAIN ortho=\"no\"/>"));
    EXPECT_TRUE(ParseOrtho("<QXR_CHAIN ortho=\"No\"/>"));
    EXPECT_TRUE(ParseOrtho("<QXR_CHAIN/>"));
    EXPECT_FALSE(ParseOrtho("<QXR_CHAIN ortho=\"NO\"/>"));
}

TEST_F(EdgeChainTest, ChainTakesTheNamedWallsInOrder)
{
    CRoomFloor room;
    MakeRectangle(room, {ChainOf({"S3", "Nothing", "S1"}, true)});
    ASSERT_EQ(room.GetChains().size(), 1u);
    const CEdgeChain& chain = room.GetChains().front();
    ASSERT_EQ(chain.GetWalls().size(), 2u);
    EXPECT_EQ(chain.GetWalls()[0], Wall(room, "S3"));
    EXPECT_EQ(chain.GetWalls()[1], Wall(room, "S1"));
    EXPECT_FALSE(chain.HasArc());
    EXPECT_EQ(chain.GetRoom(), &room);
}

TEST_F(EdgeChainTest, NamesMatchingNothingStopTheChains)
{
    CRoomFloor room;
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    EXPECT_TRUE(room.ApplyChains({}));
    EXPECT_TRUE(room.GetChains().empty());
    EXPECT_FALSE(room.ApplyChains({RectangleChain(true), ChainOf({"X1", "X2"}, true),
                                   RectangleChain(false)}));
    ASSERT_EQ(room.GetChains().size(), 1u);
    EXPECT_TRUE(room.GetChains().front().IsOrtho());
}

TEST_F(EdgeChainTest, OrthoRectangleIsConsistentWithAtMostOneLengthMissing)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    CEdgeChain& chain = room.GetChains().front();
    EXPECT_EQ(chain.SlotCount(), 4);
    EXPECT_EQ(chain.CountMissing(), 0);
    EXPECT_TRUE(chain.IsConsistent());
    EXPECT_TRUE(room.AreChainsConsistent());

    Length(room, "S1")->SetEnabled(false);
    EXPECT_EQ(chain.CountMissing(), 1);
    EXPECT_TRUE(chain.IsConsistent());
    Length(room, "S2")->SetEnabled(false);
    EXPECT_EQ(chain.CountMissing(), 2);
    EXPECT_EQ(chain.GetMissingWalls().size(), 2u);
    EXPECT_FALSE(chain.IsConsistent());
    EXPECT_FALSE(room.AreChainsConsistent());
}

TEST_F(EdgeChainTest, TwoMissingLengthsWithoutOrthoDependOnParallelWalls)
{
    struct Case {
        const char* first;
        const char* second;
        bool consistent;
    };
    const Case cases[] = {{"S1", "S3", false}, {"S2", "S4", false}, {"S1", "S2", true},
                          {"S4", "S3", true}};
    for (const Case& c : cases) {
        CRoomFloor room;
        MakeAlignedRectangle(room, {RectangleChain(false)});
        CEdgeChain& chain = room.GetChains().front();
        ASSERT_EQ(chain.CountMissing(), 0);
        ASSERT_EQ(chain.GetFreeWalls(), 0);
        Length(room, c.first)->SetEnabled(false);
        Length(room, c.second)->SetEnabled(false);
        EXPECT_EQ(chain.IsConsistent(), c.consistent) << c.first << " " << c.second;
    }
}

TEST_F(EdgeChainTest, FreeWallsWithoutOrthoNeedEveryLengthUnlessAnAngleIsGiven)
{
    struct Case {
        int missingLengths;
        int angles;
        bool consistent;
    };
    // Four free walls: m < 1; a given angle takes off one per missing free wall.
    const Case cases[] = {{0, 0, true}, {1, 0, false}, {1, 1, true}, {2, 1, true}};
    for (const Case& c : cases) {
        CRoomFloor room;
        MakeRectangle(room, {RectangleChain(false)});
        CEdgeChain& chain = room.GetChains().front();
        const char* walls[] = {"S1", "S2"};
        for (int i = 0; i < c.missingLengths; ++i)
            Length(room, walls[i])->SetEnabled(false);
        chain.SetAngleCount(c.angles);
        EXPECT_EQ(chain.IsConsistent(), c.consistent) << c.missingLengths << " " << c.angles;
        EXPECT_EQ(chain.GetFreeWalls(), 4);
    }
}

TEST_F(EdgeChainTest, CursorWalksTheLengthsRoundBothWays)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    CEdgeChain& chain = room.GetChains().front();
    EXPECT_EQ(chain.First(), Length(room, "S1"));
    EXPECT_EQ(chain.Next(), Length(room, "S2"));
    EXPECT_EQ(chain.Next(), Length(room, "S3"));
    EXPECT_EQ(chain.Next(), Length(room, "S4"));
    EXPECT_EQ(chain.Next(), Length(room, "S1"));
    EXPECT_EQ(chain.Prev(), Length(room, "S4"));
    EXPECT_EQ(chain.Prev(), Length(room, "S3"));

    ASSERT_TRUE(chain.SeekTo(Length(room, "S2")));
    EXPECT_EQ(chain.GetCurrentWall(), Wall(room, "S2"));
    EXPECT_EQ(chain.Next(), Length(room, "S3"));
}

TEST_F(EdgeChainTest, ChainWithoutDimensionsEndsAfterOnePassEitherWay)
{
    CRoomFloor room;
    ASSERT_TRUE(room.PlayString(kRectangle));
    ASSERT_TRUE(room.ApplyChains({RectangleChain(true)}));
    CEdgeChain& chain = room.GetChains().front();
    EXPECT_EQ(chain.First(), nullptr);
    EXPECT_EQ(chain.Next(), nullptr);
    EXPECT_EQ(chain.Prev(), nullptr);
    EXPECT_EQ(chain.CountMissing(), 4);
}

TEST_F(EdgeChainTest, SingleLengthIsMetAgainAfterAFullRound)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    // Only S3 keeps a dimension.
    for (const char* wall : {"S1", "S2", "S4"})
        delete Length(room, wall);
    CEdgeChain& chain = room.GetChains().front();
    EXPECT_EQ(chain.First(), Length(room, "S3"));
    EXPECT_EQ(chain.Next(), Length(room, "S3"));
    EXPECT_EQ(chain.Prev(), Length(room, "S3"));
}

TEST_F(EdgeChainTest, DimensionNeededOnlyWhileTheChainWouldBeUnderDimensioned)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    KorDimension* s1 = Length(room, "S1");
    // Without S1 one length is missing: still consistent, S1 is not needed.
    EXPECT_FALSE(room.CheckDimensionAgainstChains(s1));
    EXPECT_FALSE(s1->IsEnabled());
    // With S2 missing too, S1 is needed and keeps... only when it was given.
    Length(room, "S2")->SetEnabled(false);
    EXPECT_TRUE(room.CheckDimensionAgainstChains(s1));
    EXPECT_FALSE(s1->IsEnabled());
    Give(s1);
    EXPECT_TRUE(room.CheckDimensionAgainstChains(s1));
    EXPECT_TRUE(s1->IsEnabled());

    CEdgeChainSpec unchecked = RectangleChain(true);
    unchecked.check = false;
    ASSERT_TRUE(room.ApplyChains({unchecked}));
    EXPECT_FALSE(room.CheckDimensionAgainstChains(s1));
    EXPECT_FALSE(s1->IsEnabled());
    EXPECT_TRUE(room.AreChainsConsistent());
}

TEST_F(EdgeChainTest, MembershipQueries)
{
    CRoomFloor room;
    MakeRectangle(room, {ChainOf({"S1", "S2"}, true)});
    CEdgeChain& chain = room.GetChains().front();
    ZupEdge* s1 = Wall(room, "S1");
    ZupEdge* s3 = Wall(room, "S3");
    EXPECT_TRUE(chain.HoldsTracker(s1->GetTracker()));
    EXPECT_FALSE(chain.HoldsTracker(s3->GetTracker()));
    EXPECT_TRUE(chain.SharesNodeWith(s3->GetPrimitive()));  // S3 starts at S2's end
    EXPECT_TRUE(chain.HasWallThroughNode(s1->GetStart()));
    EXPECT_FALSE(chain.HasWallThroughNode(s3->GetEnd()));  // N4 lies on S3 and S4 only
    EXPECT_EQ(room.FindChain(s1->GetPrimitive()), &chain);
    EXPECT_EQ(room.FindChain(s3->GetPrimitive()), nullptr);
}

TEST_F(EdgeChainTest, RemovedWallLeavesTheChain)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(false)});
    CEdgeChain& chain = room.GetChains().front();
    ZupEdge* s2 = Wall(room, "S2");
    delete s2->GetPrimitive();
    ASSERT_EQ(chain.GetWalls().size(), 3u);
    EXPECT_EQ(chain.GetWalls()[1], Wall(room, "S3"));
    EXPECT_FALSE(chain.RemoveWall(s2));
}

TEST_F(EdgeChainTest, ChainDimensionSumsAWallWithAnOpening)
{
    CRoomFloor room;
    ASSERT_TRUE(room.PlayString(kRectangle));
    ASSERT_NE(room.CreateOpening("A", 1, 100.0, 0.0), nullptr);
    ASSERT_TRUE(room.ApplyChains({RectangleChain(false)}));
    CEdgeChain& chain = room.GetChains().front();
    chain.RecreateWallDimensions();
    ZupEdge* s1 = Wall(room, "S1");
    ZupWallObject* opening = s1->GetWallObject(0);
    ASSERT_NE(opening, nullptr);
    ASSERT_NE(opening->GetPosDimension(), nullptr);
    ASSERT_NE(opening->GetWidthDimension(), nullptr);
    ASSERT_NE(s1->GetLengthDim(), nullptr);
    EXPECT_EQ(chain.SlotCount(), 6);
    for (KorDimension* d : {static_cast<KorDimension*>(opening->GetPosDimension()),
                            static_cast<KorDimension*>(opening->GetWidthDimension()),
                            s1->GetLengthDim()})
        Give(d);

    std::vector<KorDimension*> disabled;
    chain.BuildChainDimensions(disabled);
    EXPECT_EQ(disabled.size(), 3u);
    for (KorDimension* d : disabled)
        EXPECT_FALSE(d->IsEnabled());
    KorNNDistance* summary = chain.ChainDimensionOn(s1->GetLengthDim());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(room.LookupSingleChain(s1->GetLengthDim()), summary);
    EXPECT_EQ(summary->GetLayer(), 5);
    EXPECT_TRUE(summary->IsEnabled());
    EXPECT_NEAR(summary->GetValue(), 200.0, 1e-3);
    EXPECT_TRUE(room.IsAlignmentTracker(s1->GetTracker()));

    // Without ortho the wall shows only its summary to the cursor.
    EXPECT_EQ(chain.First(), summary);

    const std::size_t listed = ListedDimensions(room);
    chain.DropChainDimensions();
    EXPECT_EQ(ListedDimensions(room), listed - 1);
    EXPECT_EQ(chain.ChainDimensionOn(s1->GetLengthDim()), nullptr);
    // Dropping again after the model lost them touches nothing.
    chain.DropChainDimensions();
}

TEST_F(EdgeChainTest, VisitedDimensionsAreToldOnce)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    CEdgeChain& chain = room.GetChains().front();
    KorDimension* s1 = Length(room, "S1");
    EXPECT_FALSE(chain.MarkVisited(s1));
    EXPECT_TRUE(chain.MarkVisited(s1));
    chain.ClearVisited();
    EXPECT_FALSE(chain.MarkVisited(s1));
}

TEST_F(EdgeChainTest, ClosedChainHasAtMostOneFreeWallAndNoSkips)
{
    CRoomFloor room;
    MakeAlignedRectangle(room, {RectangleChain(true)});
    CEdgeChain& chain = room.GetChains().front();
    chain.CountMissing();
    EXPECT_FALSE(chain.IsClosed());  // a new chain counts as skipped once
    chain.First();
    EXPECT_TRUE(chain.IsClosed());
    chain.AddSkipped();
    EXPECT_FALSE(chain.IsClosed());

    CRoomFloor loose;
    MakeRectangle(loose, {RectangleChain(true)});
    CEdgeChain& free = loose.GetChains().front();
    free.First();
    EXPECT_EQ(free.GetFreeWalls(), 4);
    EXPECT_FALSE(free.IsClosed());
}

TEST_F(EdgeChainTest, ClearDropsTheChainDimensionsAndEmptiesTheChains)
{
    CRoomFloor room;
    MakeRectangle(room, {RectangleChain(true)});
    room.Clear();
    ASSERT_EQ(room.GetChains().size(), 1u);
    EXPECT_TRUE(room.GetChains().front().GetWalls().empty());
}
