// A room with one corner rounded by an arc of given radius, tangent to both
// walls at its ends, as a person draws it: every node a little off its place.
// The walls are level and upright, or each square to the one before.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "kor_new_dimension_fixture.h"

namespace {

constexpr double kTolerance = 0.01;  // inches

struct RoundedCornerCase {
    int corner;          // 1 bottom right, 2 top right, 3 top left
    double radius;
    double off;          // how far the nodes start from their places
    bool perpendicular;  // walls held square to each other instead of level and upright
};

class KorRoundedCorner : public KorSketchFixture,
                         public ::testing::WithParamInterface<RoundedCornerCase> {
protected:
    static double LineDistance(const point& p, const point& a, const point& b)
    {
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        return std::fabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x())) / std::hypot(dx, dy);
    }
    point At(KorHandle n) const { return NodeOf(n)->GetPoint(); }
};

// A 300 x 220 room counterclockwise from its fixed bottom-left corner; the
// bottom and the last wall have given lengths. Every node but the fixed one
// starts `off` away from its place, each in its own direction.
TEST_P(KorRoundedCorner, SolvesFromNodesDrawnOff)
{
    const RoundedCornerCase k = GetParam();
    const double w = 300.0, h = 220.0, r = k.radius;
    std::map<KorHandle, point> truth;
    auto Drawn = [&](const point& p) {
        const double turn = 2.39996 * static_cast<double>(truth.size());  // the golden angle
        const double off = truth.empty() ? 0.0 : k.off;
        const KorHandle node = Node(p.x() + off * std::cos(turn), p.y() + off * std::sin(turn));
        truth[node] = p;
        return node;
    };
    const point corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    const point directions[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // wall i leaves corner i
    std::vector<KorHandle> contour;
    KorHandle centre = 0, from = 0, to = 0;
    for (int i = 0; i < 4; ++i) {
        if (i != k.corner) {
            contour.push_back(Drawn(corners[i]));
            continue;
        }
        const point in = directions[(i + 3) % 4], out = directions[i];
        const point t1(corners[i].x() - in.x() * r, corners[i].y() - in.y() * r);
        const point t2(corners[i].x() + out.x() * r, corners[i].y() + out.y() * r);
        from = Drawn(t1);
        to = Drawn(t2);
        centre = Drawn(point(t1.x() - in.y() * r, t1.y() + in.x() * r));
        contour.push_back(from);
        contour.push_back(to);
    }
    ASSERT_NE(Fix(contour[0]), 0u);
    std::vector<KorHandle> walls;
    std::vector<std::pair<KorHandle, KorHandle>> ends;
    const std::size_t n = contour.size();
    for (std::size_t i = 0; i < n; ++i) {
        const KorHandle a = contour[i], b = contour[(i + 1) % n];
        if (a == from && b == to)
            continue;
        walls.push_back(Segment(a, b));
        ends.emplace_back(a, b);
    }
    auto level = [&](std::size_t i) {
        const point a = truth[ends[i].first], b = truth[ends[i].second];
        return std::fabs(a.y() - b.y()) < std::fabs(a.x() - b.x());
    };
    auto touches = [&](std::size_t i) { return ends[i].first == to || ends[i].second == from; };
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (!k.perpendicular || i == 0) {
            ASSERT_NE(model.CreateConstraint(level(i) ? KOR_HORIZONTAL : KOR_VERTICAL, walls[i], 0, 0, 0), 0u);
        } else {
            ASSERT_NE(model.CreateConstraint(KOR_PERPENDICULAR, walls[i - 1], walls[i], 0, 0), 0u);
        }
    }
    const KorHandle arc = model.CreateArc(centre, from, to);
    ASSERT_NE(arc, 0u);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (touches(i)) {
            ASSERT_NE(model.CreateConstraint(KOR_TANGENT, arc, walls[i], 0, 0), 0u);
        }
    }
    ASSERT_TRUE(model.SetDimensionValue(model.CreateRadial(arc, 0), r, KORDimensionType(2)));
    auto trueLength = [&](const std::pair<KorHandle, KorHandle>& e) {
        const point a = truth[e.first], b = truth[e.second];
        return std::hypot(b.x() - a.x(), b.y() - a.y());
    };
    for (const auto& e : {ends.front(), ends.back()}) {
        const KorHandle length = model.CreateDistance(e.first, e.second, KOR_DISTANCE, 0);
        ASSERT_TRUE(model.SetDimensionValue(length, trueLength(e), KORDimensionType(2)));
    }

    ASSERT_TRUE(model.Resolve()) << "error " << model.GetError();

    EXPECT_NEAR(Distance(centre, from), r, kTolerance);
    EXPECT_NEAR(Distance(centre, to), r, kTolerance);
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const point a = At(ends[i].first), b = At(ends[i].second);
        if (touches(i)) {
            EXPECT_NEAR(LineDistance(At(centre), a, b), r, kTolerance) << "wall " << i;
        }
        EXPECT_NEAR(level(i) ? b.y() - a.y() : b.x() - a.x(), 0.0, kTolerance) << "wall " << i;
    }
    for (const auto& e : {ends.front(), ends.back()})
        EXPECT_NEAR(Distance(e.first, e.second), trueLength(e), kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, KorRoundedCorner,
    ::testing::Values(RoundedCornerCase{3, 30.0, 0.1, false}, RoundedCornerCase{3, 64.0, 2.0, false},
                      RoundedCornerCase{3, 64.0, 5.0, false}, RoundedCornerCase{2, 64.0, 0.1, false},
                      RoundedCornerCase{1, 30.0, 5.0, false}, RoundedCornerCase{3, 64.0, 0.1, true},
                      RoundedCornerCase{2, 30.0, 2.0, true}, RoundedCornerCase{1, 64.0, 5.0, true}));

}  // namespace
