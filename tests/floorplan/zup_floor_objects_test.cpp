// The floor's openings: creation by name, lookup, renaming and removal.
#include <gtest/gtest.h>

#include <memory>

#include "zup_fixture.h"
#include "zup_opening.h"

namespace {

class ZupFloorObjectsTest : public ZupTest {
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

TEST_F(ZupFloorObjectsTest, SecondOpeningOfANameIsRefused)
{
    ZupOpening* a = mFloor->CreateOpening("A", 0, 100.0, 0.0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(mFloor->CreateOpening("A", 0, 300.0, 0.0), nullptr);
    EXPECT_EQ(mFloor->GetNumOfOpenings(), 1);
    EXPECT_EQ(mFloor->GetOpening("A"), a);
    EXPECT_EQ(mWall->GetNumOfObjects(), 1);
}

TEST_F(ZupFloorObjectsTest, OpeningByPointWithinTheInputSnap)
{
    ZupOpening* a = mFloor->CreateOpening("A", 0, 200.0, 0.0);
    ASSERT_NE(a, nullptr);
    point near(200.0, 10.0);
    point far(200.0, 40.0);
    EXPECT_EQ(mFloor->GetOpening(near), a);
    EXPECT_EQ(mFloor->GetOpening(far), nullptr);
}

// A rename onto a taken name changes nothing, and removing by a name that
// another opening holds never drops that other one.
TEST_F(ZupFloorObjectsTest, RenameClashIsRefusedBeforeAnythingMoves)
{
    ZupOpening* a = mFloor->CreateOpening("A", 0, 100.0, 0.0);
    ZupOpening* b = mFloor->CreateOpening("B", 0, 300.0, 0.0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(mFloor->RenameOpening(a, "B"));
    EXPECT_EQ(mFloor->GetOpening("A"), a);
    EXPECT_EQ(mFloor->GetOpening("B"), b);
    EXPECT_FALSE(mFloor->RenameOpening(a, "C D"));
    EXPECT_TRUE(mFloor->RenameOpening(a, "C"));
    EXPECT_EQ(mFloor->GetOpening("C"), a);
    EXPECT_EQ(mFloor->GetOpening("A"), nullptr);

    ZupOpening stray(mFloor.get(), "B", 0);
    EXPECT_FALSE(mFloor->RemoveOpening(&stray));
    EXPECT_EQ(mFloor->GetOpening("B"), b);
    EXPECT_TRUE(mFloor->RemoveOpening(b));
    EXPECT_FALSE(mFloor->RemoveOpening(b));
    EXPECT_EQ(mFloor->GetNumOfOpenings(), 1);
}

}  // namespace
