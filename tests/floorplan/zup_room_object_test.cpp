// Room objects: islands and their words, cameras and their names and shots,
// objects following their walls.
#include <cmath>
#include <ctime>
#include <memory>

#include "zup_camera.h"
#include "zup_column.h"
#include "zup_room_fixture.h"
#include "zup_island.h"

namespace {

using ZupRoomObjectTest = ZupRoomTest;

TEST_F(ZupRoomObjectTest, IslandWordIsCappedAndTurned)
{
    struct Case {
        unsigned depth, width, degrees;
        int wantDepth, wantWidth, wantDegrees;
    };
    const Case cases[] = {
        {10, 250, 0, 10, 50, 0},      // width over twenty depths: five depths
        {250, 10, 0, 50, 10, 0},      // and the other way round
        {60, 120, 90, 60, 120, 90},
        {60, 120, 270, 60, 120, 270},  // past 180: bit 31 and 360 - 270
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        auto* island = new ZupIsland();
        ASSERT_TRUE(island->Create(floor.get(), 200.0, 150.0, nullptr, false));
        unsigned word = (c.depth << 12) + (c.width << 20);
        if (c.degrees > 180)
            word += 0x80000000u + ((360 - c.degrees) << 4);
        else
            word += c.degrees << 4;
        island->Setup(word);
        EXPECT_EQ(island->GetDepth(), c.wantDepth);
        EXPECT_FLOAT_EQ(island->GetWidth(), static_cast<float>(c.wantWidth));
        EXPECT_NEAR(island->GetDirection().deg(), c.wantDegrees, 1e-9);
        EXPECT_EQ(ZupIsland::GetUODDirection(island->GetAttributeWord()), c.wantDegrees);
        delete island;
    }
}

// A direction as the walls' arithmetic leaves it (any turn, a hair either
// side of a whole degree) is written as its whole degrees: an island never
// turns by a degree when it is saved.
TEST_F(ZupRoomObjectTest, IslandWordHoldsTheDirectionAsTurned)
{
    const struct {
        double degrees;
        int written;
    } cases[] = {
        {-270.0 + 1e-9, 90}, {-270.0 - 1e-9, 90}, {90.0 - 1e-9, 90}, {90.0 + 1e-9, 90},
        {450.0, 90},         {-90.0, 270},        {-90.0 + 1e-9, 270}, {270.0 - 1e-9, 270},
        {-180.0 + 1e-9, 180}, {359.9999999, 0},   {-1e-9, 0},          {123.4, 123},
        {-236.6, 123},       {-45.5, 314},        {181.0, 181},        {0.0, 0},
        {-90.0 - 1e-6, 270}, {180.0 - 1e-6, 180}, {45.9995, 46},       {45.998, 45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        auto* island = new ZupIsland();
        ASSERT_TRUE(island->Create(floor.get(), 200.0, 150.0, nullptr, false));
        angle direction(c.degrees);
        island->SetDirection(direction);
        const unsigned word = island->GetAttributeWord();
        EXPECT_EQ(ZupIsland::GetUODDirection(word), c.written);
        EXPECT_LE((word >> 4) & 0xFFu, 180u);
        delete island;
    }
}

TEST_F(ZupRoomObjectTest, IslandShapeIsItsRectangle)
{
    auto* island = new ZupIsland();
    ASSERT_TRUE(island->Create(floor.get(), 200.0, 150.0, nullptr, false));
    angle along(0.0);
    island->SetDirection(along);
    polygon shape;
    ASSERT_TRUE(island->GetShape(shape));
    ASSERT_EQ(shape.count(), 5);
    // Depth 60 along the direction, width 120 across it.
    EXPECT_NEAR(point(shape[0]).x(), 230.0, 1e-9);
    EXPECT_NEAR(point(shape[0]).y(), 210.0, 1e-9);
    EXPECT_NEAR(point(shape[2]).x(), 170.0, 1e-9);
    EXPECT_NEAR(point(shape[2]).y(), 90.0, 1e-9);
    delete island;
}

TEST_F(ZupRoomObjectTest, SymbolicNamesInvertTheirIndex)
{
    ZupCamera::mbUseNumericNames = false;
    const struct {
        int index;
        const char* name;
    } rows[] = {{1, "A"}, {26, "Z"}, {27, "a"}, {52, "z"}, {53, "53"}};
    for (const auto& row : rows) {
        EXPECT_EQ(ZupCamera::GetSymbolName(row.index), row.name);
        EXPECT_EQ(ZupCamera::GetNameIndex(row.name), row.index);
    }
    EXPECT_EQ(ZupCamera::GetNextName("A"), "B");
    EXPECT_EQ(ZupCamera::GetPrevName("B"), "A");
    EXPECT_EQ(ZupCamera::GetNextName(), "A");
    EXPECT_EQ(ZupCamera::GetNextName(), "B");
}

TEST_F(ZupRoomObjectTest, DeletingTheHighestCameraGivesItsNumberBack)
{
    ZupCamera* one = floor->CreateCamera(100.0, 100.0);
    ZupCamera* two = floor->CreateCamera(300.0, 100.0);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->GetName(), "1");
    EXPECT_EQ(two->GetName(), "2");
    delete two;
    ZupCamera* again = floor->CreateCamera(300.0, 200.0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetName(), "2");
    EXPECT_EQ(floor->GetCamera("2"), again);
    EXPECT_EQ(floor->GetNumOfObjects(), 2);
}

std::time_t FixedClock()
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 21;
    t.tm_min = 31;
    t.tm_sec = 6;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST_F(ZupRoomObjectTest, ShotPacksTheClock)
{
    ZupCamera::SetClock(FixedClock);
    ZupCamera* camera = floor->CreateCamera(100.0, 100.0);
    ASSERT_NE(camera, nullptr);
    camera->Shot();
    ASSERT_EQ(camera->GetNumOfShots(), 1);
    const std::uint32_t expected =
        6u | 31u << 6 | 21u << 12 | 10u << 17 | 12u << 22 | 26u << 26;
    EXPECT_EQ(camera->GetShot(0), expected);
    EXPECT_EQ(camera->GetShot(5), 0u);
}

TEST_F(ZupRoomObjectTest, RelatedObjectFollowsItsWallsAndOthersStay)
{
    auto* related = new ZupColumn();
    ASSERT_TRUE(related->Create(floor.get(), 350.0, 50.0, nullptr, true));
    ASSERT_NE(related->GetWall(0), nullptr);
    ASSERT_NE(related->GetWall(1), nullptr);
    auto* loose = new ZupColumn();
    ASSERT_TRUE(loose->Create(floor.get(), 100.0, 100.0, nullptr, false));
    // The right wall moves 50 to the right.
    for (KorNode* node : {floor->GetNode(400, 0, true), floor->GetNode(400, 300, true)})
        node->SetPosition(450.0, node->GetPoint().y(), true, false);
    floor->UpdateObjects();
    EXPECT_NEAR(related->GetPoint().x(), 400.0, 1e-6);
    EXPECT_NEAR(related->GetPoint().y(), 50.0, 1e-6);
    EXPECT_EQ(loose->GetPoint(), point(100.0, 100.0));
}

TEST_F(ZupRoomObjectTest, ParallelWallsLeaveTheObjectWhereItIs)
{
    auto* column = new ZupColumn();
    ASSERT_TRUE(column->Create(floor.get(), 350.0, 50.0, nullptr, true));
    // Turn the wall at the corner so that both walls run the same way.
    KorNode* top = floor->GetNode(400, 300, true);
    top->SetPosition(800.0, 0.0, true, false);
    floor->UpdateObjects();
    EXPECT_TRUE(std::isfinite(column->GetPoint().x()));
    EXPECT_EQ(column->GetPoint(), point(350.0, 50.0));
}

}  // namespace
