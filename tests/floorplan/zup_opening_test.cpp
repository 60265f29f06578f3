// Openings and stairs: defaults, reversal, attribute words and lines.
#include <gtest/gtest.h>

#include <memory>

#include "zup_fixture.h"
#include "zup_opening.h"

namespace {

class ZupOpeningTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        mFloor = std::make_unique<ZupFloor>();
    }
    void TearDown() override
    {
        mFloor.reset();
        ZupTest::TearDown();
    }
    std::unique_ptr<ZupFloor> mFloor;
};

TEST_F(ZupOpeningTest, AttributeWordOfTypeActionAndPosition)
{
    ZupOpening opening(mFloor.get(), "A", 1);
    opening.SetAction(ZupOpening::ACTION(2));
    opening.SetPosition(ZupOpening::POSITION(1));
    const unsigned word = opening.GetAttributeWord();
    EXPECT_EQ(word, 289u);
    EXPECT_EQ(ZupObject::GetUODType(word), 1);
    EXPECT_EQ(ZupOpening::GetUODAction(word), 2);
    EXPECT_EQ(ZupOpening::GetUODPosition(word), 1);
}

TEST_F(ZupOpeningTest, StairWordAndDepthInBothUnits)
{
    ZupOpeningStair stair(mFloor.get());
    EXPECT_EQ(stair.GetAttributeWord(), 12544u);
    EXPECT_EQ(ZupOpeningStair::GetUODSteps(12544u), 3);
    EXPECT_EQ(ZupOpeningStair::GetUODPosition(12544u), 1);
    EXPECT_EQ(stair.GetDepth(), 30);
    ZupObject::SetMetric(true);
    EXPECT_EQ(stair.GetDepth(), 75);
    EXPECT_EQ(stair.GetObjectType(), ZUP_OBJ_STAIR);
}

TEST_F(ZupOpeningTest, UpdateMirrorsActionAndPosition)
{
    ZupOpening other(mFloor.get(), "B", 2);
    other.SetAction(ZupOpening::ACTION(1));
    other.SetPosition(ZupOpening::POSITION(2));
    ZupOpening opening(mFloor.get(), "C", 0);
    opening.Update(&other, nullptr);
    EXPECT_EQ(opening.GetType(), 2);
    EXPECT_EQ(opening.GetAction(), 2);
    EXPECT_EQ(opening.GetPosition(), 1);
    other.SetAction(ZupOpening::ACTION(3));
    opening.Update(&other, nullptr);
    EXPECT_EQ(opening.GetAction(), 3);
    EXPECT_EQ(ZupOpeningStair::GetReversed(ZupOpeningStair::POSITION(0)), 1);
    EXPECT_EQ(ZupOpeningStair::GetReversed(ZupOpeningStair::ACTION(2)), 2);
}

TEST_F(ZupOpeningTest, DefaultsByType)
{
    struct Case {
        bool metric;
        int type;
        bool doubled;
        int width;
    };
    for (Case c : {Case{true, 7, true, 540}, Case{false, 7, true, 216}, Case{true, 7, false, 270},
                   Case{true, 2, false, 152}, Case{false, 3, false, 72}, Case{true, 4, false, 70},
                   Case{true, 0, false, 80}, Case{false, 6, false, 32}}) {
        ZupObject::SetMetric(c.metric);
        ZupFloor floor;
        EXPECT_EQ(ZupOpening::GetDefaultWidth(c.type, c.doubled), c.width) << c.type;
    }
    EXPECT_EQ(ZupOpening::GetDefaultAction(1), 2);
    EXPECT_EQ(ZupOpening::GetDefaultAction(3), 4);
    EXPECT_EQ(ZupOpening::GetDefaultAction(5), 1);
    EXPECT_EQ(ZupOpening::GetDefaultAction(6), 0);
    EXPECT_EQ(ZupOpening::GetDefaultPosition(4), 1);
    EXPECT_EQ(ZupOpening::GetDefaultPosition(2), 0);
}

TEST_F(ZupOpeningTest, NamesThatBreakTheCommandTextAreRefused)
{
    for (const char* name : {"", "A=B", "A(", "A)", "A,B", "A;", "A/B", "A B", "A\nB"})
        EXPECT_FALSE(ZupOpening::IsWritableName(name)) << name;
    EXPECT_FALSE(ZupOpening::IsWritableName(nullptr));
    EXPECT_TRUE(ZupOpening::IsWritableName("Door_1"));
    ZupOpening opening(mFloor.get(), "A B", 0);
    point p(0.0, 0.0);
    EXPECT_FALSE(opening.Create(mFloor.get(), p, nullptr, false));
}

}  // namespace
