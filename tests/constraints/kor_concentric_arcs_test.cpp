// Arcs about one centre node, each on its own circle.
#include <gtest/gtest.h>

#include <cmath>

#include "kor_new_dimension_fixture.h"

namespace {

point Polar(double r, double radians) { return point(r * std::cos(radians), r * std::sin(radians)); }

// An arc wall in two pieces about one centre, meeting at a fixed node, the
// far end of each piece at a given distance from it; each piece keeps its
// own circle. The start is a few hundredths off.
class KorConcentricArcsTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        const point a0 = Polar(100, 0.2), b0 = Polar(100, 1.0), e0 = Polar(100, 1.9);
        toA = std::hypot(a0.x() - b0.x(), a0.y() - b0.y());
        toE = std::hypot(e0.x() - b0.x(), e0.y() - b0.y());
        centre = Node(0, 0);
        a = Node(a0.x() + 0.05, a0.y() - 0.03);
        b = Node(b0.x(), b0.y());
        e = Node(e0.x() - 0.04, e0.y() + 0.06);
        ASSERT_NE(Fix(b), 0u);
        ASSERT_NE(model.CreateArc(centre, a, b), 0u);
        ASSERT_NE(model.CreateArc(centre, b, e), 0u);
        const KorHandle h1 = model.CreateDistance(b, a, KOR_DISTANCE, 0);
        const KorHandle h2 = model.CreateDistance(b, e, KOR_DISTANCE, 0);
        ASSERT_TRUE(model.SetDimensionValue(h1, toA, KORDimensionType(2)));
        ASSERT_TRUE(model.SetDimensionValue(h2, toE, KORDimensionType(2)));
    }
    KorHandle centre = 0, a = 0, b = 0, e = 0;
    double toA = 0.0, toE = 0.0;
};

// The centre node follows both circles in turn; each circle placing it must
// not hand it back to the other without end.
TEST_F(KorConcentricArcsTest, ResolvingEndsWithEveryLengthKeptOrTheSketchAsItWas)
{
    const point before[4] = {NodeOf(centre)->GetPoint(), NodeOf(a)->GetPoint(),
                             NodeOf(b)->GetPoint(), NodeOf(e)->GetPoint()};
    const bool solved = model.Resolve();
    if (solved) {
        EXPECT_NEAR(Distance(b, a), toA, 0.01);
        EXPECT_NEAR(Distance(b, e), toE, 0.01);
        EXPECT_NEAR(Distance(centre, a), Distance(centre, b), 0.01);
        EXPECT_NEAR(Distance(centre, e), Distance(centre, b), 0.01);
    } else {
        const KorHandle nodes[4] = {centre, a, b, e};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(NodeOf(nodes[i])->GetPoint(), before[i]) << "node " << i;
    }
}

}  // namespace
