// The object interface: kind codes, metric flag and the packed attribute word.
#include <gtest/gtest.h>

#include "polygon.h"
#include "zup_fixture.h"
#include "zup_object.h"

namespace {

// A minimal free object: only the pure slots filled in.
class PlainObject : public ZupObject {
public:
    std::string GetVCRLine() override { return {}; }
    angle GetInDir() override { return angle(); }
    const char* GetTypeName() override { return "Plain"; }
    int GetObjectType() override { return ZUP_OBJ_COLUMN; }
    point GetGeoCenter() override { return point(1.0, 2.0); }
    ZupFloor* GetFloor() override { return nullptr; }
};

class ZupObjectTest : public ZupTest {};

TEST_F(ZupObjectTest, StartsEmptyAndCopiesAllFields)
{
    PlainObject a;
    EXPECT_EQ(a.GetDepth(), 0);
    EXPECT_EQ(a.GetType(), 0);
    EXPECT_EQ(a.GetAttachedWindowPanes(), 0);
    EXPECT_EQ(a.GetPartition(), nullptr);
    EXPECT_EQ(a.GetAttached(), nullptr);
    EXPECT_FALSE(a.NeedOpening(nullptr));

    a.SetDepth(36);
    a.SetType(3);
    a.SetAttachedWindowPanes(2);
    PlainObject b(a);
    EXPECT_EQ(b.GetDepth(), 36);
    EXPECT_EQ(b.GetType(), 3);
    EXPECT_EQ(b.GetAttachedWindowPanes(), 2);
    EXPECT_TRUE(b.NeedOpening(nullptr));
    EXPECT_FLOAT_EQ(b.GetWidth(), 36.0f);
    EXPECT_TRUE(a.SameType(&b));
    b.SetType(4);
    EXPECT_FALSE(a.SameType(&b));
    EXPECT_EQ(b.GetName(), "Plain");
    EXPECT_EQ(b.GetObjectCenter(), point(1.0, 2.0));
}

TEST_F(ZupObjectTest, MetricFlagIsOneProcessWideStateResetToFalse)
{
    EXPECT_FALSE(ZupObject::IsMetric());
    ZupObject::SetMetric(true);
    EXPECT_TRUE(ZupMetric());
    ZupResetGlobals();
    EXPECT_FALSE(ZupObject::IsMetric());
}

TEST_F(ZupObjectTest, ContourWithoutRoomIsEmpty)
{
    PlainObject a;
    EXPECT_EQ(a.GetContour().count(), 0);
}

TEST_F(ZupObjectTest, EncodesTypeDepthAndPanesIntoTheirBits)
{
    PlainObject a;
    a.SetType(1);
    a.SetDepth(3);
    a.SetAttachedWindowPanes(2);
    unsigned word = 0;
    a.SetUODType(word);
    a.SetUODDepth(word);
    a.SetUODWindowPanes(word);
    EXPECT_EQ(word, 1u + 3u * 4096u + (2u << 20));
    EXPECT_EQ(ZupObject::GetUODType(word), 1);
    EXPECT_EQ(ZupObject::GetUODDepth(word), 3);
    EXPECT_EQ(ZupObject::GetUODWindowPanes(word), 2);
}

// A field too wide for its bits must not spill into its neighbours; a
// negative value counts by its magnitude.
TEST_F(ZupObjectTest, EncodersClampEachFieldToItsBits)
{
    struct Case {
        int depth;
        int expected;
    };
    for (Case c : {Case{255, 255}, Case{256, 255}, Case{1000, 255}, Case{-30, 30}, Case{0, 0}}) {
        PlainObject a;
        a.SetDepth(c.depth);
        unsigned word = 0;
        a.SetUODDepth(word);
        EXPECT_EQ(word & ~0xFF000u, 0u) << c.depth;
        EXPECT_EQ(ZupObject::GetUODDepth(word), c.expected) << c.depth;
    }
    PlainObject a;
    a.SetType(-17);
    unsigned word = 0;
    a.SetUODType(word);
    EXPECT_EQ(word, 15u);
}

}  // namespace
