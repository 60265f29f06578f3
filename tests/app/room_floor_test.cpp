#include <fstream>
#include <string>

#include "app_test_support.h"
#include "edge_chain_spec.h"
#include "kor_node.h"
#include "plan_room_objects.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "zup_node.h"
#include "zup_object.h"
#include "zup_opening.h"

namespace {

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

// A rectangle with its lengths, as a room made from a shape has them.
void MakeRectangle(CRoomFloor& room)
{
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
}

ZupNode* NodeAt(CRoomFloor& room, double x, double y)
{
    return room.GetNode(x, y, true);
}

std::string CommandText(CRoomFloor& room)
{
    std::string text;
    room.Save(text, false);
    return text;
}

}  // namespace

using RoomFloorTest = AppTest;

TEST_F(RoomFloorTest, ConstructionSetsTheRoomDefaults)
{
    CRoomFloor room;
    EXPECT_FLOAT_EQ(room.InputSnap(), 10.0f);
    EXPECT_NEAR(static_cast<double>(room.AngularPlay()), 0.15, 1e-9);
    EXPECT_TRUE(room.GetIntersectControl());
    EXPECT_FALSE(room.IsSmartDragging());
    EXPECT_TRUE(room.IsLayoutSet());
    EXPECT_FLOAT_EQ(room.GetZoom(), 1.0f);
    EXPECT_EQ(room.GetNodeCursor(), -1);
    ZupObject::SetMetric(true);
    CRoomFloor metricRoom;
    EXPECT_FLOAT_EQ(metricRoom.InputSnap(), 20.0f);
    EXPECT_FLOAT_EQ(CRoomFloor::GetNodeMarkerSize(), 20.0f);
}

TEST_F(RoomFloorTest, EmptyRoomHasNoArea)
{
    CRoomFloor room;
    EXPECT_FLOAT_EQ(room.GetArea(), 0.0f);
    EXPECT_EQ(room.GetContour().count(), 0);
}

TEST_F(RoomFloorTest, AreaInSquareFeetAndSquareMetres)
{
    CRoomFloor room;
    MakeRectangle(room);
    // The wall lengths are reference dimensions, out of the solver's list.
    EXPECT_EQ(room.GetNumOfDimensions(), 4);
    EXPECT_EQ(room.GetSolverDimensionCount(), 0);
    EXPECT_NEAR(room.GetArea(), 60000 * 0.006944444444444444, 1e-3);
    EXPECT_EQ(room.GetCachedArea(), 60000);
    EXPECT_TRUE(room.HasNoWallThickness());
    EXPECT_TRUE(room.GetContour().closed());

    // Metric shapes are scaled from inches to centimetres.
    ZupObject::SetMetric(true);
    CRoomFloor metric;
    MakeRectangle(metric);
    EXPECT_NEAR(metric.GetArea(), 508.0 * 762.0 * 0.0001, 1e-2);
}

TEST_F(RoomFloorTest, ArcWallAddsItsMiddlePointToTheArea)
{
    CRoomFloor room;
    ASSERT_TRUE(room.AddArc(0, 0, 0, 0, 200, 0, -200, 0));
    ASSERT_TRUE(room.AddLine(-200, 0, 200, 0));
    ASSERT_EQ(room.GetNumOfPrimitives(), 2);
    EXPECT_GT(room.GetArea(), 0.0f);
}

TEST_F(RoomFloorTest, ScaleRecomputesTheAreaAndMoveKeepsIt)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.ComputeArea();
    room.Move(50.0, 0.0);
    room.ComputeArea();
    EXPECT_EQ(room.GetCachedArea(), 60000);
    EXPECT_NEAR(room.GetContour()[0].x(), 50.0, 1e-9);
    room.Scale(2.0);
    room.ComputeArea();
    EXPECT_EQ(room.GetCachedArea(), 240000);
}

TEST_F(RoomFloorTest, ResizeStretchesEachDirection)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.CalculateExtents();
    room.ResizeTo(400, 150);
    EXPECT_NEAR(room.GetMaxX() - room.GetMinX(), 400.0, 1e-9);
    EXPECT_NEAR(room.GetMaxY() - room.GetMinY(), 150.0, 1e-9);
    room.ComputeArea();
    EXPECT_EQ(room.GetCachedArea(), 60000);
}

TEST_F(RoomFloorTest, BelowRoomKeepsItsIntersectControl)
{
    CRoomFloor room;
    room.SetBelow(true);
    EXPECT_FALSE(room.GetIntersectControl());
    EXPECT_TRUE(room.SetIntersectControl(true));
    EXPECT_FALSE(room.GetIntersectControl());
    room.SetBelow(false);
    EXPECT_FALSE(room.SetIntersectControl(false));
    EXPECT_FALSE(room.GetIntersectControl());
}

TEST_F(RoomFloorTest, StepCurrentNodeSkipsNodesWithoutWallsAndStopsAfterOnePass)
{
    CRoomFloor room;
    ASSERT_TRUE(room.PlayString("N1=Node(0.0,0.0);N2=Node(100.0,0.0);Free=Node(50.0,50.0);"
                                "S1=Segment(N1,N2)"));
    room.SetNodeCursor(1);
    EXPECT_EQ(room.StepCurrentNode(true), 1);
    EXPECT_EQ(room.GetNodeCursor(), 0);  // past the free node, round to the first
    EXPECT_EQ(room.StepCurrentNode(false), 1);
    EXPECT_EQ(room.GetNodeCursor(), 1);

    CRoomFloor loose;
    ASSERT_TRUE(loose.PlayString("A=Node(0.0,0.0);B=Node(10.0,0.0)"));
    EXPECT_EQ(loose.StepCurrentNode(true), 0);
}

TEST_F(RoomFloorTest, FactoryMakesDrawableObjects)
{
    CRoomFloor room;
    MakeRectangle(room);
    ZupOpening* door = room.CreateOpening("HallA", 1, 100.0, 0.0);
    ASSERT_NE(door, nullptr);
    EXPECT_NE(dynamic_cast<CPlanOpening*>(door), nullptr);
    ZupWindow* window = room.CreateWallWindow(200.0, 150.0);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(dynamic_cast<CPlanWindow*>(window), nullptr);
    ZupCamera* camera = room.CreateCamera(100.0, 150.0);
    ASSERT_NE(camera, nullptr);
    EXPECT_NE(dynamic_cast<CPlanCamera*>(camera), nullptr);
    const int islands = room.GetNumOfIslands();
    ZupIsland* island = room.CreateIsland(80.0, 200.0);
    ASSERT_NE(island, nullptr);
    EXPECT_NE(dynamic_cast<CPlanIsland*>(island), nullptr);
    EXPECT_EQ(room.GetNumOfIslands(), islands + 1);
}

TEST_F(RoomFloorTest, RefusedPlacementsCreateNothing)
{
    CRoomFloor room;
    MakeRectangle(room);
    ZupNode* corner = NodeAt(room, 0.0, 0.0);
    ZupNode* other = NodeAt(room, 200.0, 0.0);
    ASSERT_NE(corner, nullptr);
    const int nodes = room.GetNumOfNodes();
    EXPECT_EQ(room.CreateWallWindow(0, corner, corner, 1), nullptr);
    EXPECT_EQ(room.CreateStair(corner, other), nullptr);  // no portal there
    EXPECT_EQ(room.GetNumOfNodes(), nodes);
}

TEST_F(RoomFloorTest, TagAndLetteredNames)
{
    CRoomFloor room;
    room.SetName("2nd Bed 3");
    EXPECT_EQ(room.GetTagName(true), "_ndBed3");
    EXPECT_EQ(room.GetTagName(false), "2ndBed3");
    room.SetNextOpeningLetter(2);
    EXPECT_EQ(room.GetLetteredName(), "2ndBed3C");
    EXPECT_EQ(CRoomFloor().GetTagName(true), "");
}

TEST_F(RoomFloorTest, OpeningLettersFollowAddAndRemove)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.SetName("Hall1");
    room.SetNextOpeningLetter(3);
    ZupOpening* a = room.CreateOpening("Hall1A", 1, 60.0, 0.0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(room.GetNextOpeningLetter(), 4);  // max(0, 3) + 1
    ZupOpening* c = room.CreateOpening("Hall1C", 1, 200.0, 150.0);
    ASSERT_NE(c, nullptr);
    room.SetNextOpeningLetter(3);
    EXPECT_TRUE(room.RemoveOpening(a));
    EXPECT_EQ(room.GetNextOpeningLetter(), 3);
    EXPECT_TRUE(room.RemoveOpening(c));
    EXPECT_EQ(room.GetNextOpeningLetter(), 2);
    delete c;
    delete a;
}

TEST_F(RoomFloorTest, NameWithABlankInsertedBecomesTheLabel)
{
    CRoomFloor room;
    room.SetName("LivingRoom1");
    EXPECT_STREQ(room.GetName(), "LivingRoom1");
    EXPECT_EQ(room.GetLabel(), "LivingRoom1");
    room.SetName("Living Room1");
    EXPECT_EQ(room.GetLabel(), "Living Room1");
    room.SetName("Den");
    EXPECT_EQ(room.GetLabel(), "Den");
    EXPECT_STREQ(room.GetName(), "LivingRoom1");
}

TEST_F(RoomFloorTest, CommandTextCarriesTheRoomStatements)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.SetName("Tom & Jerry");
    room.SetShapeName("Rectangle");
    room.SetSize(0, 300);
    std::string text = CommandText(room);
    EXPECT_EQ(text.rfind("Name=Tom &amp; Jerry\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nShape=Rectangle\n"), std::string::npos);
    EXPECT_EQ(text.find("Size="), std::string::npos);
    EXPECT_EQ(text.find("Level="), std::string::npos);

    room.SetSize(120, 300);
    room.SetBelow(true);
    text = CommandText(room);
    EXPECT_NE(text.find("Shape=Rectangle\nLevel=below\nSize=Size(120,300)\n"), std::string::npos)
        << text;
}

TEST_F(RoomFloorTest, CommandTextSurvivesReplay)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.SetName("Bedroom2");
    room.SetShapeName("Rectangle");
    room.SetSize(144, 120);
    room.SetBelow(true);
    ASSERT_NE(room.CreateOpening("Bedroom2A", 1, 100.0, 0.0), nullptr);
    const std::string first = CommandText(room);

    CRoomFloor copy;
    ASSERT_TRUE(copy.PlayString(first.c_str()));
    EXPECT_STREQ(copy.GetName(), "Bedroom2");
    EXPECT_EQ(copy.GetShapeName(), "Rectangle");
    EXPECT_EQ(copy.GetWidth(), 144);
    EXPECT_EQ(copy.GetDepth(), 120);
    EXPECT_TRUE(copy.IsBelow());
    EXPECT_NE(dynamic_cast<CPlanOpening*>(copy.GetOpening("Bedroom2A")), nullptr);
    EXPECT_EQ(CommandText(copy), first);
}

TEST_F(RoomFloorTest, PlayingAcceptsOtherLevelWordsAndEmptyText)
{
    CRoomFloor room;
    ASSERT_TRUE(room.PlayString("N1=Node(0.0,0.0);Level=above;Size=Size(5)"));
    EXPECT_FALSE(room.IsBelow());
    EXPECT_EQ(room.GetWidth(), 5);
    EXPECT_EQ(room.GetDepth(), 0);
    EXPECT_FALSE(room.PlayString(""));
    EXPECT_EQ(room.GetNumOfNodes(), 0);
    EXPECT_FALSE(room.PlayString(nullptr));
}

TEST_F(RoomFloorTest, PlayFileReadsAScriptFromTheDocuments)
{
    std::ofstream(documents / "room.vcr") << "N1=Node(0.0,0.0)\nN2=Node(100.0,0.0)\n"
                                              "S1=Segment(N1,N2)\nName=Porch1\n";
    CRoomFloor room;
    ASSERT_TRUE(room.PlayFile(CString("My Documents\\room.vcr")));
    EXPECT_EQ(room.GetNumOfPrimitives(), 1);
    EXPECT_STREQ(room.GetName(), "Porch1");
    // A file that cannot be opened leaves the room as it was.
    EXPECT_FALSE(room.PlayFile(CString("My Documents\\missing.vcr")));
    EXPECT_EQ(room.GetNumOfPrimitives(), 1);
}

TEST_F(RoomFloorTest, OutlinePointsFollowTheWallsAndOpenings)
{
    CRoomFloor room;
    MakeRectangle(room);
    ASSERT_NE(room.CreateOpening("A", 1, 100.0, 0.0), nullptr);
    std::vector<POINT> nodes, openings;
    room.GetOutlinePoints(nodes, openings);
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].x, 0);
    EXPECT_EQ(nodes[1].x, 200);
    EXPECT_EQ(nodes[2].y, 300);
    ASSERT_EQ(openings.size(), 1u);
    EXPECT_EQ(openings[0].y, 0);
}

TEST_F(RoomFloorTest, ClearLeavesAnEmptyAutoFitRoom)
{
    CRoomFloor room;
    MakeRectangle(room);
    room.SetScale(2.0f);
    room.SetAutoFit(false);
    room.MultiplyZoom(1.25f);
    EXPECT_FLOAT_EQ(room.GetZoom(), 1.25f);
    room.Clear();
    EXPECT_EQ(room.GetNumOfNodes(), 0);
    EXPECT_EQ(room.GetSolverDimensionCount(), 0);
    EXPECT_FLOAT_EQ(room.GetScale(), 1.0f);
    EXPECT_FLOAT_EQ(room.GetZoom(), 1.0f);
    EXPECT_TRUE(room.IsAutoFit());
}
