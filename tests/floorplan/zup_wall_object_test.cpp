// Wall objects: placement on a wall, corners, holes, the object line.
#include <gtest/gtest.h>

#include <memory>

#include "zup_fixture.h"
#include "zup_wall_object.h"

namespace {

class TestFixtureObject : public ZupWallObject {
public:
    explicit TestFixtureObject(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr) {}
    ZupWallObject* Clone(ZupFloor* floor) override { return new TestFixtureObject(floor); }
    const char* GetTypeName() override { return "BathObject"; }
    int GetObjectType() override { return ZUP_OBJ_BATH; }
};

class ZupWallObjectTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupObject::SetMetric(true);
        mFloor = std::make_unique<ZupFloor>();
        mA = Node(*mFloor, 0.0, 0.0);
        mB = Node(*mFloor, 400.0, 0.0);
        mWall = Wall(*mFloor, mA, mB);
    }
    void TearDown() override
    {
        mFloor.reset();
        ZupTest::TearDown();
    }

    std::unique_ptr<ZupFloor> mFloor;
    ZupNode* mA = nullptr;
    ZupNode* mB = nullptr;
    ZupSegment* mWall = nullptr;
};

TEST_F(ZupWallObjectTest, PlacedOnTheWallUnderThePoint)
{
    auto* object = new TestFixtureObject(mFloor.get());
    point p(200.0, 3.0);
    ASSERT_TRUE(object->Create(mFloor.get(), p, nullptr, false));
    EXPECT_EQ(object->GetEdge(), static_cast<ZupEdge*>(mWall));
    EXPECT_EQ(mWall->GetNumOfObjects(), 1);
    EXPECT_TRUE(object->IsWallObject());
    EXPECT_FALSE(object->IsCorner());
    EXPECT_EQ(object->GetFloor(), mFloor.get());
    delete object;
    EXPECT_EQ(mWall->GetNumOfObjects(), 0);
}

TEST_F(ZupWallObjectTest, NoWallUnderThePointPlacesNothing)
{
    TestFixtureObject object(mFloor.get());
    point p(200.0, 150.0);
    EXPECT_FALSE(object.Create(mFloor.get(), p, nullptr, false));
    EXPECT_EQ(mWall->GetNumOfObjects(), 0);
    EXPECT_EQ(object.GetEdge(), nullptr);
}

// Three large straight panes (87 each) open 130 on each side of the centre.
TEST_F(ZupWallObjectTest, AttachedWindowHoleAroundTheCentre)
{
    auto* object = new TestFixtureObject(mFloor.get());
    point p(200.0, 0.0);
    ASSERT_TRUE(object->Create(mFloor.get(), p, nullptr, false));
    object->SetAttachedWindowPanes(3);
    object->SetAttachedWindowType(0);
    EXPECT_EQ(object->GetWallHoleStart(nullptr, 0), point(70.0, 0.0));
    EXPECT_EQ(object->GetWallHoleEnd(nullptr, 0), point(330.0, 0.0));
    EXPECT_TRUE(object->NeedOpening(nullptr));
    delete object;
}

TEST_F(ZupWallObjectTest, PointNearAWallEndMakesACorner)
{
    auto* object = new TestFixtureObject(mFloor.get());
    object->SetDepth(30);
    point p(10.0, 0.0);
    ASSERT_TRUE(object->Create(mFloor.get(), p, nullptr, true));
    EXPECT_TRUE(object->IsCorner());
    EXPECT_EQ(object->GetStart(), static_cast<KorNode*>(mA));
    EXPECT_FLOAT_EQ(object->GetWidth(), 30.0f);
    delete object;
}

TEST_F(ZupWallObjectTest, TwoPointsGiveOwnEndNodesAndTheObjectLine)
{
    auto* object = new TestFixtureObject(mFloor.get());
    point a(250.0, 0.0);
    point b(150.0, 0.0);
    ASSERT_TRUE(object->Create(mFloor.get(), a, b, nullptr));
    // The start is the end nearer to the wall's start.
    EXPECT_EQ(static_cast<point&>(object->GetStart()->GetGeometry()), point(150.0, 0.0));
    EXPECT_FLOAT_EQ(object->GetWidth(), 100.0f);
    EXPECT_EQ(object->GetGeoCenter(), point(200.0, 0.0));
    object->SetType(2);
    object->SetDepth(75);
    object->SetAttachedWindowPanes(3);
    object->SetAttachedWindowType(1);
    const std::string text = object->GetVCRLine();
    const unsigned word = 2u + 75u * 4096u + ((3u + 16u) << 20);
    EXPECT_EQ(text.substr(0, 15), "Obj=BathObject(");
    EXPECT_EQ(text.substr(text.size() - std::to_string(word).size() - 3),
              "," + std::to_string(word) + ")\n");
    EXPECT_EQ(ZupWallObject::GetUODWindowType(word), 1);
    delete object;
}

}  // namespace
