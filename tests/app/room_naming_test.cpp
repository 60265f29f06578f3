#include <memory>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "xml_element.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

const char* kJob =
    "<QXR_DATA>"
    "<QXR_ROOM_CATEGORY name=\"Hall\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Bedroom\" size=\"140\" ratio=\"1.2\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Bathroom\" size=\"50\"/>"
    "<QXR_ROOM_CATEGORY name=\"Closet\" selectable=\"NO\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Living Room\"/>"
    "</QXR_DATA>";

ZupEdge* Wall(CRoomFloor& room, const char* name)
{
    return ZupFloor::CastToEdge(dynamic_cast<KorPrimitive*>(room.GetKorObject(name)));
}

// The rectangle from its shape, with its four lengths given.
void MakeRectangle(CRoomFloor& room)
{
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    for (const char* name : {"S1", "S2", "S3", "S4"}) {
        ZupEdge* wall = Wall(room, name);
        KorDimension* length = room.GetDimension(wall->GetStart(), wall->GetEnd(), false);
        length->SetValue(length->GetImplementedValue(), KOR_DIM_EQUAL, true);
    }
}

int CountWindows(CRoomFloor& room)
{
    int windows = 0;
    for (const char* name : {"S1", "S2", "S3", "S4"}) {
        ZupEdge* wall = Wall(room, name);
        for (int i = 0; i < wall->GetNumOfObjects(); ++i)
            if (dynamic_cast<ZupWindow*>(wall->GetWallObject(i)))
                ++windows;
    }
    return windows;
}

std::vector<std::string> OpeningNames(CRoomFloor& room)
{
    std::vector<std::string> names;
    for (ZupOpening* opening = room.Get1stOpening(); opening; opening = room.GetNextOpening())
        names.push_back(opening->GetName());
    return names;
}

bool SamePoint(KorNode* node, double x, double y)
{
    return node && std::abs(node->GetPoint().x() - x) < 1e-6 &&
           std::abs(node->GetPoint().y() - y) < 1e-6;
}

class RoomNamingTest : public AppTest {
protected:
    void LoadJob()
    {
        const std::string text = kJob;
        mJob.reset(FindElement(text.c_str(), static_cast<int>(text.size()), "QXR_DATA"));
        ASSERT_NE(mJob, nullptr);
        CRoomTypeCatalog::Instance(true)->Load(mJob.get());
    }
    CRoomType* Type(const char* name)
    {
        return CRoomTypeCatalog::Instance(true)->Find(name, false);
    }

    std::unique_ptr<CXMLElement> mJob;
};

}  // namespace

TEST_F(RoomNamingTest, LabelFromTheDialog)
{
    CRoomFloor room;
    room.SetName("Bedroom2");
    room.SetLabel(CString(L"Guest room"));
    EXPECT_EQ(room.GetLabel(), "Guest room");
    // The room's own name leaves the earlier label in place.
    room.SetLabel(CString(L"Bedroom2"));
    EXPECT_EQ(room.GetLabel(), "Guest room");
    room.SetLabel(CString(L"Caf\u00e9"));
    EXPECT_EQ(room.GetLabel(), "Caf\xe9");  // the narrow code page
    room.SetLabel(CString());
    EXPECT_EQ(room.GetLabel(), "");
}

TEST_F(RoomNamingTest, RoomTypeFromTheListNamesAndSizesTheRoom)
{
    LoadJob();
    CRoomFloor room;
    MakeRectangle(room);
    room.CalculateExtents();
    // The short list in name order: Bedroom, Hall (Closet is not selectable).
    room.SetRoomType(0, false);
    EXPECT_STREQ(room.GetName(), "Bedroom1");
    const CRoomType* bedroom = Type("Bedroom");
    ASSERT_GT(bedroom->m_defaultDepth, 0);
    EXPECT_NEAR(room.GetMaxX() - room.GetMinX(), bedroom->m_defaultWidth, 1e-6);
    EXPECT_NEAR(room.GetMaxY() - room.GetMinY(), bedroom->m_defaultDepth, 1e-6);

    // The same type again keeps the name.
    room.SetRoomType(0, false);
    EXPECT_STREQ(room.GetName(), "Bedroom1");

    struct Case {
        int index;
        bool longList;
        const char* name;
    };
    const Case cases[] = {{1, false, "Hall1"},      {0, true, "Bathroom1"},
                          {2, true, "Hall2"},       {3, true, "Living Room1"},
                          {2, false, "Hall3"},      {-1, true, "Hall4"}};
    for (const Case& c : cases) {
        CRoomFloor other;
        other.SetRoomType(c.index, c.longList);
        EXPECT_STREQ(other.GetName(), c.name) << c.index << " " << c.longList;
    }
}

TEST_F(RoomNamingTest, TypeWithoutSizeLeavesTheRoomAsItIs)
{
    LoadJob();
    CRoomFloor room;
    MakeRectangle(room);
    room.CalculateExtents();
    room.SetRoomType(1, false);  // Hall
    EXPECT_STREQ(room.GetName(), "Hall1");
    EXPECT_NEAR(room.GetMaxX() - room.GetMinX(), 200.0, 1e-6);
    EXPECT_NEAR(room.GetMaxY() - room.GetMinY(), 300.0, 1e-6);
}

TEST_F(RoomNamingTest, RenumberingRenamesTheRoomsOwnOpeningsButTheEntrance)
{
    LoadJob();
    CRoomFloor room;
    MakeRectangle(room);
    room.SetRoomType(1, false);  // Hall1, no default size
    ASSERT_STREQ(room.GetName(), "Hall1");
    ASSERT_NE(room.CreateOpening("Hall1A", 1, 60.0, 0.0), nullptr);
    ASSERT_NE(room.CreateOpening("Hall1B", 1, 200.0, 100.0), nullptr);
    ZupOpening* entrance = room.CreateOpening("Hall1C", 1, 100.0, 300.0);
    ASSERT_NE(entrance, nullptr);
    ASSERT_NE(room.CreateOpening("Den1A", 1, 0.0, 150.0), nullptr);
    room.SetEntrance(entrance);

    CRoomFloor::OpeningRenames renames;
    ASSERT_TRUE(room.RenumberRoom(renames));
    EXPECT_STREQ(room.GetName(), "Hall2");
    EXPECT_EQ(renames,
              (CRoomFloor::OpeningRenames{{"Hall1A", "Hall2A"}, {"Hall1B", "Hall2B"}}));
    EXPECT_EQ(OpeningNames(room),
              (std::vector<std::string>{"Den1A", "Hall1C", "Hall2A", "Hall2B"}));
}

TEST_F(RoomNamingTest, RenumberingARoomWhoseNameHasABlank)
{
    LoadJob();
    CRoomFloor room;
    MakeRectangle(room);
    room.SetRoomType(3, true);  // Living Room1
    ASSERT_STREQ(room.GetName(), "Living Room1");
    ASSERT_NE(room.CreateOpening(room.GetLetteredName().c_str(), 1, 60.0, 0.0), nullptr);
    CRoomFloor::OpeningRenames renames;
    ASSERT_TRUE(room.RenumberRoom(renames));
    EXPECT_STREQ(room.GetName(), "Living Room2");
    EXPECT_EQ(renames, (CRoomFloor::OpeningRenames{{"LivingRoom1A", "LivingRoom2A"}}));
}

TEST_F(RoomNamingTest, RenumberingNeedsACatalog)
{
    CRoomFloor room;
    room.SetName("Bedroom1");
    CRoomFloor::OpeningRenames renames;
    EXPECT_FALSE(room.RenumberRoom(renames));
    EXPECT_STREQ(room.GetName(), "Bedroom1");
}

TEST_F(RoomNamingTest, OpeningRenamesFromAnotherRoom)
{
    CRoomFloor room;
    MakeRectangle(room);
    ASSERT_NE(room.CreateOpening("HallA", 1, 60.0, 0.0), nullptr);
    ASSERT_NE(room.CreateOpening("HallB", 1, 200.0, 100.0), nullptr);
    ASSERT_NE(room.CreateOpening("Den1A", 1, 100.0, 300.0), nullptr);
    ASSERT_NE(room.CreateOpening("Porch1A", 1, 0.0, 150.0), nullptr);
    // A swap goes through; a target that an opening outside the renames
    // holds is refused and the name stays; unknown keys change nothing.
    room.ApplyOpeningRenames({{"HallA", "HallB"},
                              {"HallB", "HallA"},
                              {"Den1A", "Porch1A"},
                              {"Attic1A", "Attic2A"}});
    std::vector<std::string> names = OpeningNames(room);
    EXPECT_EQ(names, (std::vector<std::string>{"Den1A", "HallA", "HallB", "Porch1A"}));
    ZupOpening* first = room.GetOpening("HallB");
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->GetGeoCenter().x(), 60.0, 20.0);
    EXPECT_NEAR(first->GetGeoCenter().y(), 0.0, 1e-6);
}

TEST_F(RoomNamingTest, WindowsFillEveryWallButTheEntranceAndTheOccupied)
{
    CRoomFloor room;
    MakeRectangle(room);
    ASSERT_NE(room.CreateOpening("A", 1, 100.0, 300.0), nullptr);  // on wall 2 (S3)
    room.SetWallCursor(0);
    room.FillWalls(3);

    EXPECT_EQ(CountWindows(room), 2);
    EXPECT_EQ(Wall(room, "S1")->GetNumOfObjects(), 0);
    ASSERT_EQ(Wall(room, "S3")->GetNumOfObjects(), 1);
    EXPECT_EQ(dynamic_cast<ZupWindow*>(Wall(room, "S3")->GetWallObject(0)), nullptr);
    for (const char* name : {"S2", "S4"}) {
        ZupEdge* wall = Wall(room, name);
        ASSERT_EQ(wall->GetNumOfObjects(), 1) << name;
        auto* window = dynamic_cast<ZupWindow*>(wall->GetWallObject(0));
        ASSERT_NE(window, nullptr) << name;
        // 300 long, straight panes of 35: a depth of 8.
        EXPECT_EQ(window->GetDepth(), 8);
        // The window spans the wall from end to end.
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        EXPECT_TRUE(SamePoint(window->GetStart(), a.x(), a.y()) ||
                    SamePoint(window->GetEnd(), a.x(), a.y()))
            << name;
        EXPECT_TRUE(SamePoint(window->GetStart(), b.x(), b.y()) ||
                    SamePoint(window->GetEnd(), b.x(), b.y()))
            << name;
        ASSERT_NE(window->GetWidthDimension(), nullptr);
        EXPECT_TRUE(window->GetWidthDimension()->IsEnabled());
        EXPECT_NEAR(window->GetWidthDimension()->GetValue(), 300.0, 1e-6);
        ASSERT_NE(window->GetPosDimension(), nullptr);
        EXPECT_NEAR(window->GetPosDimension()->GetValue(), 0.0, 1e-9);
        ASSERT_NE(wall->GetLengthDim(), nullptr);
        EXPECT_TRUE(wall->GetLengthDim()->IsEnabled());
        EXPECT_NEAR(wall->GetLengthDim()->GetValue(), 0.0, 1e-9);
    }
}

TEST_F(RoomNamingTest, OpeningsFillTheWallsWithLetteredNames)
{
    struct Case {
        int kind;
        int type;
    };
    for (const Case& c : {Case{1, 6}, Case{2, 0}}) {
        CRoomFloor room;
        MakeRectangle(room);
        room.SetName("Hall1");
        room.SetWallCursor(3);
        room.FillWalls(c.kind);
        EXPECT_EQ(OpeningNames(room), (std::vector<std::string>{"Hall1A", "Hall1B", "Hall1C"}));
        EXPECT_EQ(room.GetNextOpeningLetter(), 3);
        ZupOpening* first = room.GetOpening("Hall1A");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->GetType(), c.type);
        EXPECT_EQ(first->GetEdge(), Wall(room, "S1"));
        EXPECT_EQ(Wall(room, "S4")->GetNumOfObjects(), 0);
    }
}

TEST_F(RoomNamingTest, UnknownKindMakesNoObject)
{
    CRoomFloor room;
    MakeRectangle(room);
    ZupEdge* wall = Wall(room, "S1");
    const int primitives = room.GetNumOfPrimitives();
    for (int kind : {0, 4, -1})
        EXPECT_EQ(room.CreateFullWallObject(kind, wall->GetGeoCenter(), wall->GetStart(),
                                            wall->GetEnd()),
                  nullptr);
    room.FillWalls(0);
    EXPECT_EQ(room.GetNumOfPrimitives(), primitives);
}
