// The symbols of the camera and the free-standing room objects.
#include <vector>

#include "app_test_support.h"
#include "camera_symbol.h"
#include "plan_room_objects.h"
#include "room_floor.h"
#include "room_object_symbols.h"
#include "scaled_dc.h"
#include "symbol_helpers.h"
#include "zup_object.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

class RoomObjectSymbolsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
        // Model (x, y) lands on device (10 + x, 310 - y).
        dc.SetScale(1.0f);
        dc.SetOrigin(10, 310);
        Clear();
    }
    void Clear() { dc.FillSolidRect(0, 0, kScreenWidth, kScreenHeight, kWhite); }
    COLORREF ModelPixel(int x, int y) { return dc.GetPixel(10 + x, 310 - y); }
    int Count(COLORREF colour)
    {
        int count = 0;
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x)
                count += dc.GetPixel(x, y) == colour;
        return count;
    }
    int Ink() { return kScreenWidth * kScreenHeight - Count(kWhite); }

    CRoomFloor room;
    CScaledDC dc{nullptr};
};

}  // namespace

TEST_F(RoomObjectSymbolsTest, CameraUnitFollowsTheZoomButNeverShrinks)
{
    EXPECT_EQ(GetSymbolUnit(), 2);
    EXPECT_EQ(CameraSymbolUnit(dc), 2);
    dc.SetScale(0.1f);
    EXPECT_EQ(CameraSymbolUnit(dc), 20);
    dc.SetScale(10.0f);
    EXPECT_EQ(CameraSymbolUnit(dc), 2);
    ZupObject::SetMetric(true);
    EXPECT_EQ(GetSymbolUnit(), 4);
    EXPECT_EQ(CameraSymbolUnit(dc), 4);
}

TEST_F(RoomObjectSymbolsTest, CameraFrameUsesWholeHalves)
{
    // u = 5: half a unit is 2, one and a half 7.
    const POINT lens = CameraFramePoint(point(100, 100), angle(0.0), 5, 3, -1);
    EXPECT_EQ(lens.x, 107);
    EXPECT_EQ(lens.y, 98);
    const POINT body = CameraFramePoint(point(100, 100), angle(90.0), 5, 2, 6);
    EXPECT_EQ(body.x, 85);
    EXPECT_EQ(body.y, 105);
}

TEST_F(RoomObjectSymbolsTest, CameraDrawsInItsColour)
{
    ZupCamera* made = room.CreateCamera("1", 100, 150, 0);
    ASSERT_NE(made, nullptr);
    auto* camera = dynamic_cast<CPlanCamera*>(made);
    ASSERT_NE(camera, nullptr);
    camera->Draw(&dc);
    EXPECT_GT(Count(RGB(255, 0, 0)), 0);
    Clear();
    camera->SetColour(RGB(0, 128, 0));
    camera->Draw(&dc);
    EXPECT_EQ(Count(RGB(255, 0, 0)), 0);
    EXPECT_GT(Count(RGB(0, 128, 0)), 0);
}

TEST_F(RoomObjectSymbolsTest, ColumnOfDepth21HasHalfSize10)
{
    ZupColumn* column = room.CreateColumn(100, 150);
    ASSERT_NE(column, nullptr);
    column->SetDepth(21);
    column->SetType(1);
    column->Draw(&dc);
    const point c = column->GetGeoCenter();
    const int x = c.ix(), y = c.iy();
    EXPECT_NE(ModelPixel(x - 10, y), kWhite);
    EXPECT_EQ(ModelPixel(x - 12, y), kWhite);
    EXPECT_EQ(ModelPixel(x + 12, y), kWhite);
}

TEST_F(RoomObjectSymbolsTest, SpiralStairSpokesCoverThreeQuarters)
{
    const std::vector<int> spokes = SpiralStairSpokeDegrees();
    ASSERT_EQ(spokes.size(), 10u);
    EXPECT_EQ(spokes.front(), 90);
    EXPECT_EQ(spokes.back(), -180);
    EXPECT_EQ(SpiralStairSpokeEnd(60), 26);
    ZupSpiralStair* stair = room.CreateSpiralStair(100, 150);
    ASSERT_NE(stair, nullptr);
    stair->Draw(&dc);
    EXPECT_GT(Ink(), 0);
}

TEST_F(RoomObjectSymbolsTest, IslandKindsAddTheirFixtures)
{
    ZupIsland* island = room.CreateIsland(100, 150);
    ASSERT_NE(island, nullptr);
    island->Draw(&dc);
    const int plain = Ink();
    EXPECT_GT(plain, 0);
    for (int kind : {1, 2, 3}) {
        Clear();
        island->SetType(kind);
        island->Draw(&dc);
        EXPECT_GT(Ink(), plain) << kind;
    }
}

TEST_F(RoomObjectSymbolsTest, FireplaceJambsAreNotHatchedDuringADrag)
{
    ZupFireplace* fireplace = room.CreateFireplace(100, 150);
    ASSERT_NE(fireplace, nullptr);
    fireplace->SetType(1);
    fireplace->Draw(&dc);
    const int hatched = Ink();
    Clear();
    SetSymbolDragHeld(true);
    fireplace->Draw(&dc);
    EXPECT_LT(Ink(), hatched);
    EXPECT_GT(Ink(), 0);
}
