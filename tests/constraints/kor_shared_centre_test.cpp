// Two arcs about one centre node: when the centre moves, each circle follows
// it, and neither hands the move back to the centre (which would hand it on
// to the other circle, and so on without end).
#include <gtest/gtest.h>

#include <cmath>

#include "kor_new_dimension_fixture.h"

namespace {

constexpr double kTolerance = 0.01;  // inches

// A curved wall of two arcs meeting at a node, drawn about one centre a
// tenth of an inch off; the first arc's start fixed, both chords given.
class KorSharedCentre : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        centre = Node(-0.0893, -0.0834);
        p = Node(140.8720, 0.0);
        q = Node(42.0295, 134.4032);
        e = Node(-130.7105, 52.8039);
        ASSERT_NE(Fix(p), 0u);
        ASSERT_NE(model.CreateArc(centre, p, q), 0u);
        ASSERT_NE(model.CreateArc(centre, q, e), 0u);
        const KorHandle first = model.CreateDistance(p, q, KOR_DISTANCE, 0);
        const KorHandle second = model.CreateDistance(q, e, KOR_DISTANCE, 0);
        ASSERT_TRUE(model.SetDimensionValue(first, 166.8071, KORDimensionType(2)));
        ASSERT_TRUE(model.SetDimensionValue(second, 191.0733, KORDimensionType(2)));
    }
    void ExpectKept()
    {
        EXPECT_NEAR(Distance(p, q), 166.8071, kTolerance);
        EXPECT_NEAR(Distance(q, e), 191.0733, kTolerance);
        EXPECT_NEAR(Distance(centre, q), Distance(centre, p), kTolerance);
        EXPECT_NEAR(Distance(centre, e), Distance(centre, q), kTolerance);
    }
    KorHandle centre = 0, p = 0, q = 0, e = 0;
};

TEST_F(KorSharedCentre, TwoArcsAboutOneCentreWithGivenChordsSolve)
{
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    ExpectKept();
}

// The far end dragged an inch: the step is taken with every request kept, or
// refused with the other nodes where they were.
TEST_F(KorSharedCentre, DraggingTheFarEndKeepsOrRefuses)
{
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    const point before[3] = {NodeOf(centre)->GetPoint(), NodeOf(p)->GetPoint(),
                             NodeOf(q)->GetPoint()};
    const point from = NodeOf(e)->GetPoint();
    model.SetDrag(true);
    ASSERT_TRUE(model.SetNodePosition(e, from.x() - 0.1760, from.y() - 1.0248));
    if (model.Resolve()) {
        ExpectKept();
    } else {
        const KorHandle others[3] = {centre, p, q};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(NodeOf(others[i])->GetPoint().x(), before[i].x());
            EXPECT_EQ(NodeOf(others[i])->GetPoint().y(), before[i].y());
        }
    }
    model.SetDrag(false);
}

}  // namespace
