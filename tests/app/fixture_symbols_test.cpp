// The symbols of windows, wall fireplaces, fixtures, corners and structural
// blocks, checked through the geometry they are drawn from and a few pixels
// of the drawing.
#include <cmath>
#include <cstring>
#include <vector>

#include "app_test_support.h"
#include "fixture_symbols.h"
#include "kor_node.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "settings.h"
#include "structural_symbols.h"
#include "symbol_helpers.h"
#include "window_symbols.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

// A room only 20 deep beyond its left wall.
const char* kNarrow =
    "N1=Node(0.0,0.0);N2=Node(20.0,0.0);N3=Node(20.0,200.0);N4=Node(0.0,200.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

bool SamePoint(const POINT& p, LONG x, LONG y)
{
    return p.x == x && p.y == y;
}

// Sets the drawing scratch of a wall fireplace the way its Draw does.
class FireplaceProbe : public CPlanWallFireplace {
public:
    using CPlanWallFireplace::CPlanWallFireplace;
    void Aim(const point& anchor, const angle& in, const angle& wall)
    {
        mAnchor = anchor;
        mInDir = in;
        mOutDir = in + 180.0;
        mWallDir = wall;
    }
};

class FixtureSymbolsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        // Model (x, y) lands on device (100 + x, 310 - y).
        dc.SetScale(1.0f);
        dc.SetOrigin(100, 310);
        dc.FillSolidRect(0, 0, kScreenWidth, kScreenHeight, kWhite);
    }

    void MakeRoom(const char* shape = kRectangle)
    {
        ASSERT_TRUE(room.LoadShape(shape, nullptr, true, false));
        ASSERT_TRUE(room.MakePartitions(false));
    }

    COLORREF ModelPixel(int x, int y) { return dc.GetPixel(100 + x, 310 - y); }
    int CountIn(int left, int bottom, int right, int top, COLORREF colour, bool match)
    {
        int count = 0;
        for (int y = bottom; y <= top; ++y)
            for (int x = left; x <= right; ++x)
                count += (ModelPixel(x, y) == colour) == match;
        return count;
    }
    int InkIn(int left, int bottom, int right, int top) { return CountIn(left, bottom, right, top, kWhite, false); }

    CRoomFloor room;
    CScaledDC dc{nullptr};
};

}  // namespace

// ---- Windows ----

TEST_F(FixtureSymbolsTest, StraightWindowPutsDividersAtEqualSteps)
{
    // 3 panes over 36, window depth 6: a frame 6 thick, dividers at 12 and 24.
    const StraightWindowFigure figure = ComputeStraightWindow(angle(90.0), point(0, 0), point(36, 0), 3, 3);
    ASSERT_EQ(figure.frame.size(), 5u);
    EXPECT_TRUE(SamePoint(figure.frame[0], 0, 3));
    EXPECT_TRUE(SamePoint(figure.frame[1], 0, -3));
    EXPECT_TRUE(SamePoint(figure.frame[2], 36, -3));
    EXPECT_TRUE(SamePoint(figure.frame[3], 36, 3));
    EXPECT_TRUE(SamePoint(figure.frame[4], 0, 3));
    ASSERT_EQ(figure.dividers.size(), 2u);
    EXPECT_TRUE(SamePoint(figure.dividers[0].first, 12, 3));
    EXPECT_TRUE(SamePoint(figure.dividers[0].second, 12, -3));
    EXPECT_TRUE(SamePoint(figure.dividers[1].first, 24, 3));
    EXPECT_TRUE(SamePoint(figure.dividers[1].second, 24, -3));
    EXPECT_TRUE(ComputeStraightWindow(angle(90.0), point(0, 0), point(36, 0), 1, 3).dividers.empty());
}

TEST_F(FixtureSymbolsTest, BayOutlineComesFromTheModel)
{
    point p(0, 0), q(90, 0), m(45, 0);
    angle in(90.0);
    polygon bay;
    const int expected = ZupWindow::CalculateBay(bay, p, q, m, in, 3);
    std::vector<POINT> points;
    ASSERT_EQ(CollectBayPoints(points, p, q, m, in, 3), expected);
    ASSERT_EQ(points.size(), static_cast<size_t>(expected));
    for (short i = 0; i < expected; ++i) {
        EXPECT_EQ(points[i].x, point(bay[i]).ix());
        EXPECT_EQ(points[i].y, point(bay[i]).iy());
    }
    std::vector<POINT> none;
    EXPECT_EQ(CollectBayPoints(none, p, q, m, in, 1), 0);
}

TEST_F(FixtureSymbolsTest, WindowDrawsFrameAndGreyDividers)
{
    MakeRoom();
    ZupWindow* window = room.CreateWallWindow(0, 150);
    ASSERT_NE(window, nullptr);
    window->SetPanes(3);
    window->Draw(&dc);
    EXPECT_GT(InkIn(-4, 130, 4, 170), 0);
    EXPECT_GT(CountIn(-4, 130, 4, 170, kPaneDividerColour, true), 0);

    // A bay of one pane is drawn as a straight window.
    dc.FillSolidRect(0, 0, kScreenWidth, kScreenHeight, kWhite);
    window->SetType(1);
    window->SetPanes(1);
    window->Draw(&dc);
    EXPECT_GT(InkIn(-4, 130, 4, 170), 0);
    EXPECT_EQ(CountIn(-4, 130, 4, 170, kPaneDividerColour, true), 0);
}

// ---- Wall fireplaces ----

TEST_F(FixtureSymbolsTest, FlushFireboxOpeningAndBack)
{
    MakeRoom();
    // A fireplace 60 wide in a wall along x, facing +y.
    FireplaceProbe fireplace(&room);
    fireplace.Aim(point(30, 0), angle(90.0), angle(0.0));
    const double fd = 0.66 * 30;
    const std::vector<POINT> hearth = HearthCorners(point(60, 0), 60, fd, angle(90.0), angle(0.0));
    ASSERT_EQ(hearth.size(), 4u);
    EXPECT_TRUE(SamePoint(hearth[0], 60, 0));
    EXPECT_TRUE(SamePoint(hearth[1], 60, 20));
    EXPECT_TRUE(SamePoint(hearth[2], 0, 20));
    EXPECT_TRUE(SamePoint(hearth[3], 0, 0));

    ClearSharedOutline();
    fireplace.DrawFirebox(dc, point(60, 0), 60, fd);
    const std::vector<POINT>& chamber = SharedOutline().points;
    ASSERT_EQ(chamber.size(), 6u);
    EXPECT_TRUE(SamePoint(chamber[0], 0, 0));
    EXPECT_TRUE(SamePoint(chamber[1], 12, 0));
    EXPECT_TRUE(SamePoint(chamber[2], 18, -20));
    EXPECT_TRUE(SamePoint(chamber[3], 42, -20));
    EXPECT_TRUE(SamePoint(chamber[4], 48, 0));
    EXPECT_TRUE(SamePoint(chamber[5], 60, 0));
    EXPECT_EQ(chamber[4].x - chamber[1].x, 36);  // the opening, 0.6 w
    EXPECT_EQ(chamber[3].x - chamber[2].x, 24);  // the back, 0.4 w
    // The hearth lies in front of the wall.
    EXPECT_GT(InkIn(5, 19, 55, 21), 0);
    EXPECT_EQ(InkIn(5, 25, 55, 40), 0);
}

TEST_F(FixtureSymbolsTest, FlushFireplaceHatchesItsChimneyBehindTheWall)
{
    MakeRoom();
    ZupWallFireplace* fireplace = room.CreateFireplace(0, 150, 0);
    ASSERT_NE(fireplace, nullptr);
    const double w = fireplace->GetWidth();
    fireplace->Draw(&dc);
    const std::vector<POINT>& outline = SharedOutline().points;
    // Chamber (6 points) and chimney box (3 more), closing on the wall.
    ASSERT_EQ(outline.size(), 9u);
    EXPECT_NEAR(std::hypot(outline[4].x - outline[1].x, outline[4].y - outline[1].y), 0.6 * w, 1.0);
    EXPECT_NEAR(std::hypot(outline[3].x - outline[2].x, outline[3].y - outline[2].y), 0.4 * w, 1.0);
    EXPECT_TRUE(SamePoint(outline.back(), outline.front().x, outline.front().y));
    // The chimney lies behind the wall and is hatched.
    EXPECT_GT(InkIn(-28, 140, -22, 160), 0);
}

// ---- Helpers ----

TEST_F(FixtureSymbolsTest, AppendSnappedStraightensNearlyAxisParallelEdges)
{
    struct Case {
        POINT previous, next, stored;
    };
    const Case cases[] = {
        {{11, 50}, {10, 10}, {11, 10}},
        {{20, 11}, {10, 10}, {10, 11}},
        {{20, 20}, {10, 10}, {10, 10}},
    };
    for (const Case& c : cases) {
        std::vector<POINT> list{c.previous};
        AppendSnapped(list, c.next);
        EXPECT_TRUE(SamePoint(list.back(), c.stored.x, c.stored.y));
    }
    std::vector<POINT> empty;
    AppendSnapped(empty, POINT{3, 4});
    EXPECT_TRUE(SamePoint(empty.back(), 3, 4));
}

TEST_F(FixtureSymbolsTest, RotatedShapeLaysTheDepthAlongItsDirection)
{
    const std::vector<POINT> corners = RotatedShapeCorners(point(0, 0), angle(0.0), 5, 10);
    ASSERT_EQ(corners.size(), 5u);
    for (const POINT& p : corners) {
        EXPECT_EQ(std::abs(p.x), 5);
        EXPECT_EQ(std::abs(p.y), 10);
    }
    EXPECT_TRUE(SamePoint(corners.back(), corners.front().x, corners.front().y));
}

TEST_F(FixtureSymbolsTest, HatchingStaysInsideAndKeepsTheSnap)
{
    GeoSnap() = 0.25;
    polygon square;
    square + point(0, 0) + point(40, 0) + point(40, 40) + point(0, 40) + point(0, 0);
    DrawExtents extents{40, 0, 40, 0};
    DrawHatchLines(dc, 5.0, HatchFirstLine(extents), HatchLastLine(extents), square);
    EXPECT_DOUBLE_EQ(GeoSnap(), 0.25);
    EXPECT_EQ(GeoInsertMode(), 0);
    EXPECT_GT(InkIn(2, 2, 38, 38), 100);
    EXPECT_EQ(InkIn(45, 0, 80, 40), 0);
    EXPECT_EQ(InkIn(-40, 0, -5, 40), 0);
}

TEST_F(FixtureSymbolsTest, KitchenSizes)
{
    // Imperial: round sink 9, rectangular 15, stove space 2, burner 4.
    EXPECT_EQ(SinkBowlHalfSize(true, 30), 9);
    EXPECT_EQ(SinkBowlHalfSize(false, 30), 13);
    const DoubleSinkLayout sink = ComputeDoubleSink(false, 48, 24);
    EXPECT_EQ(sink.halfAcross, 10);
    EXPECT_EQ(sink.halfAlong, 8);
    EXPECT_EQ(sink.offset, 8);
    EXPECT_EQ(ComputeDoubleSink(true, 48, 24).offset, 5);
    // A stove narrower than deep: two rows 2 (R + s) apart about the middle.
    const std::vector<point> burners = StoveBurnerCentres(30, 20, false, point(0, 0), angle(90.0), angle(0.0));
    ASSERT_EQ(burners.size(), 4u);
    EXPECT_EQ(WholePoint(burners[0]).y, 9);
    EXPECT_EQ(WholePoint(burners[3]).y, 21);
    EXPECT_EQ(WholePoint(burners[0]).x, -5);
    EXPECT_EQ(WholePoint(burners[3]).x, 5);
    // A wide stove keeps every burner a stove space inside its box.
    for (const point& c : StoveBurnerCentres(24, 60, false, point(0, 0), angle(90.0), angle(0.0))) {
        EXPECT_GE(c.y() - 4, 2);
        EXPECT_LE(c.y() + 4, 22);
        EXPECT_LE(std::fabs(c.x()) + 4, 15);
    }
}

// ---- Bath fixtures, appliances, counters ----

TEST_F(FixtureSymbolsTest, ToiletTankAndBowlStandOffTheWall)
{
    MakeRoom();
    auto* toilet = room.CreateBathObjectAt(0, 150, false);
    ASSERT_NE(toilet, nullptr);
    toilet->SetType(3);
    toilet->SetDepth(28);
    // An outside wall 4 thick: the tank 2 + 3 in front of the wall centre,
    // the bowl 14 further.
    const point centre = toilet->GetGeoCenter();
    const auto [tank, bowl] = toilet->ComputeToiletCentres(false);
    EXPECT_NEAR(tank.x() - centre.x(), 5.0, 1e-9);
    EXPECT_NEAR(bowl.x() - tank.x(), 14.0, 1e-9);
    toilet->Draw(&dc);
    EXPECT_GT(InkIn(0, 130, 40, 170), 0);
}

TEST_F(FixtureSymbolsTest, TubStopsAtTheOppositeWall)
{
    MakeRoom(kNarrow);
    auto* tub = room.CreateBathObjectAt(0, 100, false);
    ASSERT_NE(tub, nullptr);
    tub->SetType(0);
    tub->SetDepth(60);
    tub->SetPartition(room.GetPartition(0));
    EXPECT_NEAR(tub->ComputeTubDepth(), 20.0, 1e-6);
}

TEST_F(FixtureSymbolsTest, ApplianceLabels)
{
    const char* labels[] = {"W", "D", "WH", "A/C", "Fr", "R", "D/W", "W/D"};
    for (int kind = 0; kind < 8; ++kind)
        EXPECT_STREQ(UtilityLabel(kind), labels[kind]);
    EXPECT_EQ(UtilityLabel(8), nullptr);
    EXPECT_EQ(UtilityLabel(-1), nullptr);

    // A 30 x 30 washer: a 30-pixel box at any zoom.
    const UtilityLabelBox washer = ComputeUtilityLabelBox(POINT{100, 100}, 30, 0);
    EXPECT_FALSE(washer.hasCircle);
    EXPECT_EQ(washer.text.bottom - washer.text.top, 30);
    EXPECT_EQ(washer.text.right - washer.text.left, 30);
    EXPECT_EQ(washer.text.left, 85);
    // A water heater: a circle grown by 4, the text inside it 6 smaller.
    const UtilityLabelBox heater = ComputeUtilityLabelBox(POINT{100, 100}, 30, 2);
    ASSERT_TRUE(heater.hasCircle);
    EXPECT_EQ(heater.circle.left, 81);
    EXPECT_EQ(heater.circle.right, 119);
    EXPECT_EQ(heater.text.bottom - heater.text.top, 26);
}

TEST_F(FixtureSymbolsTest, WasherShowsItsLabelInGrey)
{
    MakeRoom();
    ZupUtilityObject* washer = room.CreateUtilityObject(0, 150);
    ASSERT_NE(washer, nullptr);
    washer->SetType(0);
    washer->Draw(&dc);
    // The outline and, about 15 in front of the centre, the grey "W".
    EXPECT_GT(InkIn(28, 130, 32, 170), 0);
    EXPECT_GT(CountIn(5, 140, 25, 160, kUtilityLabelColour, true), 0);
}

TEST_F(FixtureSymbolsTest, CounterWithoutNeighboursDrawsItsSidesAndFront)
{
    MakeRoom();
    auto* counter = room.CreateCountertopAt(0, 150, false);
    ASSERT_NE(counter, nullptr);
    const std::vector<POINT> front = counter->CollectCounterFront();
    ASSERT_EQ(front.size(), 4u);
    EXPECT_EQ(front[1].x - front[0].x, counter->GetDepth());
    EXPECT_EQ(front[2].x - front[3].x, counter->GetDepth());
    counter->SetType(1);
    counter->Draw(&dc);
    EXPECT_GT(InkIn(1, 140, 24, 160), 0);
}

// ---- Corner objects and structural blocks ----

TEST_F(FixtureSymbolsTest, ChamferPaneLineAndFilletCircle)
{
    const auto [from, to] = ChamferPaneLine(point(0, 0), point(40, 0), 6);
    EXPECT_TRUE(SamePoint(WholePoint(from), 6, 0));
    EXPECT_TRUE(SamePoint(WholePoint(to), 34, 0));

    point centre;
    double radius = 0;
    ASSERT_TRUE(FilletCircle(point(0, 20), angle(90.0), point(20, 0), angle(0.0), centre, radius));
    EXPECT_NEAR(centre.x(), 20, 1e-9);
    EXPECT_NEAR(centre.y(), 20, 1e-9);
    EXPECT_NEAR(radius, 20, 1e-9);
    EXPECT_FALSE(FilletCircle(point(0, 0), angle(0.0), point(0, 10), angle(0.0), centre, radius));
}

TEST_F(FixtureSymbolsTest, StructuralBlockIsSolidBlackInFrontOfTheWall)
{
    MakeRoom();
    ZupStructural* block = room.CreateStructural(0, 150);
    ASSERT_NE(block, nullptr);
    block->Draw(&dc);
    const int depth = block->GetDepth();
    EXPECT_EQ(ModelPixel(depth / 2, 150), RGB(0, 0, 0));
    EXPECT_EQ(ModelPixel(depth + 5, 150), kWhite);
    EXPECT_EQ(ModelPixel(-5, 150), kWhite);
}

TEST_F(FixtureSymbolsTest, CornerObjectWithoutTwoWallsDrawsNothing)
{
    MakeRoom();
    CPlanNodeObject* corner = room.CreateNodeObjectAt(0, 0);
    ASSERT_NE(corner, nullptr);
    corner->SetAttachedWindowPanes(1);
    corner->Draw(&dc);
    corner->DrawCornerWindow(&dc);
    CPlanNodeObject loose(&room, 1, -1);
    loose.SetAttachedWindowPanes(1);
    loose.Draw(&dc);
    loose.DrawCornerWindow(&dc);
    SUCCEED();
}
