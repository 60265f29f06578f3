#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "kor_angular.h"
#include "kor_cs_tangent.h"
#include "kor_new_dimension_fixture.h"

namespace {

// A room 10 x 10 whose top right corner is a quarter-circle wall of radius 4
// tangent to the right and the top walls:
//   A (0,0) - B (10,0) - C (10,6) ~ arc about O (6,6) ~ D (6,10) - F (0,10) - A.
// Bottom and top horizontal, left vertical; the right wall held at 90 degrees
// to the bottom by an angle; bottom and left 10 long; A fixed. The nodes start
// a little off their places.
class KorArcRoomTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        a = Node(0, 0);
        b = Node(9.8, 0.2);
        c = Node(10.1, 6.1);
        o = Node(6.1, 5.9);
        d = Node(6.0, 10.1);
        f = Node(0.1, 9.9);
        bottom = Segment(a, b);
        right = Segment(b, c);
        arc = model.CreateArc(o, c, d);
        top = Segment(d, f);
        left = Segment(f, a);
        ASSERT_NE(arc, 0u);
        ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, bottom, 0, 0, 0), 0u);
        ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, top, 0, 0, 0), 0u);
        ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, left, 0, 0, 0), 0u);
        tangentRight = model.CreateConstraint(KOR_TANGENT, arc, right, 0, 0);
        tangentTop = model.CreateConstraint(KOR_TANGENT, arc, top, 0, 0);
        ASSERT_NE(tangentRight, 0u);
        ASSERT_NE(tangentTop, 0u);
        radius = model.CreateRadial(arc, 0);
        corner = model.CreateAngular(right, bottom, 0, 0, 0);
        width = model.CreateDistance(a, b, KOR_DISTANCE, 0);
        height = model.CreateDistance(f, a, KOR_DISTANCE, 0);
        ASSERT_NE(radius, 0u);
        ASSERT_NE(corner, 0u);
        ASSERT_TRUE(Set(radius, "4"));
        ASSERT_TRUE(Set(corner, "90"));
        ASSERT_TRUE(Set(width, "10"));
        ASSERT_TRUE(Set(height, "10"));
        ASSERT_NE(Fix(a), 0u);
        ASSERT_EQ(model.GetError(), 0);
    }

    void ExpectRoom(double w, double h) const
    {
        const double snap = 2.0 * GeoSnap();
        EXPECT_NEAR(Distance(a, b), w, snap);
        EXPECT_NEAR(Distance(f, a), h, snap);
        EXPECT_NEAR(NodeOf(b)->y(), NodeOf(a)->y(), snap);
        EXPECT_NEAR(NodeOf(d)->y(), NodeOf(f)->y(), snap);
        EXPECT_NEAR(NodeOf(f)->x(), NodeOf(a)->x(), snap);
        EXPECT_NEAR(NodeOf(c)->x(), NodeOf(b)->x(), snap);  // right wall square to the bottom
        const double r = CircleOf(arc)->GetRadius();
        EXPECT_NEAR(r, 4.0, snap);
        // Tangent: the centre lies one radius from both straight walls.
        EXPECT_NEAR(std::fabs(NodeOf(o)->x() - NodeOf(b)->x()), r, snap);
        EXPECT_NEAR(std::fabs(NodeOf(o)->y() - NodeOf(d)->y()), r, snap);
        EXPECT_NEAR(Distance(o, c), r, snap);
        EXPECT_NEAR(Distance(o, d), r, snap);
    }
    std::vector<point> Positions() const
    {
        std::vector<point> out;
        for (KorHandle n : {a, b, c, o, d, f})
            out.push_back(NodeOf(n)->GetPoint());
        return out;
    }

    KorHandle a = 0, b = 0, c = 0, o = 0, d = 0, f = 0;
    KorHandle bottom = 0, right = 0, arc = 0, top = 0, left = 0;
    KorHandle tangentRight = 0, tangentTop = 0, radius = 0, corner = 0, width = 0, height = 0;
};

TEST_F(KorArcRoomTest, ResolvesToItsDimensions)
{
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    ExpectRoom(10.0, 10.0);
    EXPECT_NEAR(NodeOf(a)->x(), 0.0, 1e-12);
    EXPECT_NEAR(NodeOf(a)->y(), 0.0, 1e-12);
}

TEST_F(KorArcRoomTest, EditingTheRadiusResolvesAgain)
{
    ASSERT_TRUE(model.Resolve());
    ASSERT_TRUE(Set(radius, "3"));
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();
    EXPECT_NEAR(CircleOf(arc)->GetRadius(), 3.0, 2.0 * GeoSnap());
    EXPECT_NEAR(Distance(a, b), 10.0, 2.0 * GeoSnap());
}

TEST_F(KorArcRoomTest, DragStepsKeepEveryConstraintOrRestoreTheRoom)
{
    ASSERT_TRUE(model.Resolve());
    model.SetDrag(true);
    double x = NodeOf(d)->x();
    double y = NodeOf(d)->y();
    int accepted = 0;
    for (int step = 0; step < 8; ++step) {
        x -= 0.05;
        const std::vector<point> before = Positions();
        ASSERT_TRUE(model.SetNodePosition(d, x, y));
        if (model.Resolve()) {
            ++accepted;
            ExpectRoom(10.0, 10.0);
        } else {
            const std::vector<point> after = Positions();
            for (std::size_t i = 0; i < after.size(); ++i) {
                if (i == 4)
                    continue;  // the dragged node keeps the pen's position
                EXPECT_EQ(after[i].x(), before[i].x()) << i;
                EXPECT_EQ(after[i].y(), before[i].y()) << i;
            }
        }
    }
    RecordProperty("accepted", accepted);
    model.SetDrag(false);
    EXPECT_TRUE(model.Resolve()) << model.GetError();
    ExpectRoom(10.0, 10.0);
}

}  // namespace

namespace {

// The same room at real size, 207 x 177 with a 15.7 rounded corner, its
// corners a tenth of an inch off. Its first search fails and the resolve
// tries again: the second try makes the tangencies' DFs anew, so the
// solutions left from the first try must not be read after that. The
// arc's centre, moved to exactly one radius from the right wall, lies on the
// edge of the band its circle may take: that edge is a place it may stay.
TEST(KorArcRoomRealSize, SolvesFromATenthOfAnInchOff)
{
    KorResetGlobals();
    KorModel model;
    auto node = [&](double x, double y) { return model.CreateNode(x, y); };
    const KorHandle a = node(0, 0), b = node(206.752, -0.047), c = node(206.813, 161.679),
                    o = node(191.206, 161.718), d = node(191.167, 177.450),
                    f = node(-0.047, 177.501);
    const KorHandle bottom = model.CreateSegment(a, b), right = model.CreateSegment(b, c);
    const KorHandle arc = model.CreateArc(o, c, d);
    const KorHandle top = model.CreateSegment(d, f), left = model.CreateSegment(f, a);
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, bottom, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, top, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, left, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_VERTICAL, right, 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, arc, right, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_TANGENT, arc, top, 0, 0), 0u);
    const KorHandle radius = model.CreateRadial(arc, 0);
    ASSERT_TRUE(model.SetDimensionValue(radius, 15.702, KORDimensionType(2)));
    const KorHandle width = model.CreateDistance(a, b, KOR_DISTANCE, 0);
    const KorHandle height = model.CreateDistance(f, a, KOR_DISTANCE, 0);
    ASSERT_TRUE(model.SetDimensionValue(width, 206.835, KORDimensionType(2)));
    ASSERT_TRUE(model.SetDimensionValue(height, 177.415, KORDimensionType(2)));
    ASSERT_NE(model.CreateConstraint(KOR_UNMOVABLE, a, 0, 0, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();

    auto at = [&](KorHandle h) {
        return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(h))->GetPoint();
    };
    const double tolerance = 2.0 * GeoSnap();
    EXPECT_NEAR(at(b).x(), 206.835, tolerance);
    EXPECT_NEAR(at(b).y(), 0.0, tolerance);
    EXPECT_NEAR(at(f).y(), 177.415, tolerance);
    EXPECT_NEAR(at(c).x(), at(b).x(), tolerance);
    EXPECT_NEAR(at(d).y(), at(f).y(), tolerance);
    // The arc touches both walls: its centre is one radius in from each,
    // and both its ends lie on its circle.
    auto distance = [&](KorHandle p, KorHandle q) {
        return std::hypot(at(p).x() - at(q).x(), at(p).y() - at(q).y());
    };
    EXPECT_NEAR(at(b).x() - at(o).x(), 15.702, tolerance);
    EXPECT_NEAR(at(d).y() - at(o).y(), 15.702, tolerance);
    EXPECT_NEAR(distance(o, c), 15.702, tolerance);
    EXPECT_NEAR(distance(o, d), 15.702, tolerance);
}

}  // namespace
