// The scaled drawing context: fit and zoom, the mapping both ways, and
// paths clipped at the device's top edge.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "scaled_dc.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class ScaledDCTest : public ::testing::Test {
protected:
    void SetUp() override { dc.FillSolidRect(0, 0, 200, 200, kWhite); }

    int InkAbove(int yLimit)
    {
        int ink = 0;
        for (int y = 0; y < yLimit; ++y)
            for (int x = 0; x < 200; ++x)
                ink += dc.GetPixel(x, y) != kWhite;
        return ink;
    }

    CScaledDC dc{nullptr};
};

TEST_F(ScaledDCTest, FitAndZoom)
{
    EXPECT_FLOAT_EQ(dc.GetScaleX(), 1.0f);
    dc.SetWorldSize(480, 480);
    EXPECT_EQ(dc.SetDeviceSize(240, 268), 1);
    EXPECT_FLOAT_EQ(dc.GetFitScale(), 0.5f);
    dc.Zoom(2.0f, 1.0f);
    EXPECT_FLOAT_EQ(dc.GetScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(dc.GetScaleY(), 1.0f);
    // Equal fits choose the width; a taller world fits on the height.
    dc.SetWorldSize(100, 100);
    EXPECT_EQ(dc.SetDeviceSize(50, 50), 1);
    dc.SetWorldSize(100, 400);
    EXPECT_EQ(dc.SetDeviceSize(100, 100), 0);
    EXPECT_FLOAT_EQ(dc.GetFitScale(), 0.25f);
    EXPECT_FLOAT_EQ(dc.Zoom(2.0f, 1.5f), 0.75f);
    EXPECT_FLOAT_EQ(dc.GetScaleY(), 0.5f);
    EXPECT_FLOAT_EQ(dc.GetScaleX(), 0.75f);
}

TEST_F(ScaledDCTest, MapsBothWays)
{
    dc.SetScale(0.5f);
    dc.SetOrigin(10, 300);
    POINT p{20, 40};
    ASSERT_TRUE(dc.ToScreen(p));
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 280);
    ASSERT_TRUE(dc.ToModel(p));
    EXPECT_EQ(p.x, 20);
    EXPECT_EQ(p.y, 40);
    dc.SetDeviceSize(200, 100);
    dc.SetOriginBottomUp(5, 30);
    EXPECT_EQ(dc.GetOrigin().y, 70);
    dc.Pan(10, 10);
    EXPECT_EQ(dc.GetOrigin().x, 0);
    EXPECT_EQ(dc.GetOrigin().y, 75);
}

TEST_F(ScaledDCTest, UnmappablePointsAreNotDrawn)
{
    dc.SetScale(std::numeric_limits<float>::infinity());
    POINT p{3, 4};
    EXPECT_FALSE(dc.ToScreen(p));
    EXPECT_EQ(p.x, 3);
    EXPECT_FALSE(dc.LineTo(50, 50));
    EXPECT_FALSE(dc.Rectangle(0, 0, 10, 10));
    dc.SetScale(1e30f);
    std::vector<POINT> path{{1, 1}, {2, 2}};
    EXPECT_FALSE(dc.ToScreenAll(path));
    EXPECT_EQ(path[0].x, 1);
    EXPECT_EQ(InkAbove(200), 0);
}

TEST_F(ScaledDCTest, TopEdgeCrossings)
{
    EXPECT_EQ(CScaledDC::TopEdgeCrossing({5, 10}, {5, -10}).x, 5);
    EXPECT_EQ(CScaledDC::TopEdgeCrossing({4, 0}, {10, 0}).x, 7);
    EXPECT_EQ(CScaledDC::TopEdgeCrossing({0, 10}, {20, -10}).x, 10);
    const POINT far = CScaledDC::TopEdgeCrossing({-2000000000, 2000000000}, {2000000000, -2000000000});
    EXPECT_EQ(far.x, 0);
}

TEST_F(ScaledDCTest, PolylineIsCutAtTheTopEdge)
{
    EXPECT_EQ(dc.Polyline({{10, 50}}), 0);
    EXPECT_EQ(dc.Polyline({{10, -5}, {50, -20}}), 0);
    EXPECT_EQ(dc.Polyline({{10, 50}, {50, -50}, {90, 50}}), 1);
    // Two pieces, one down to the edge and one up from it, nothing between.
    EXPECT_NE(dc.GetPixel(20, 25), kWhite);
    EXPECT_NE(dc.GetPixel(80, 25), kWhite);
    EXPECT_EQ(dc.GetPixel(50, 1), kWhite);
}

TEST_F(ScaledDCTest, PolygonIsClippedAtTheTopEdge)
{
    EXPECT_EQ(dc.Polygon({{10, -10}, {50, -20}, {90, -10}}), 0);
    EXPECT_EQ(InkAbove(200), 0);
    dc.SelectStockObject(BLACK_BRUSH);
    EXPECT_EQ(dc.Polygon({{10, 80}, {10, -40}, {90, -40}, {90, 80}}), 1);
    // One polygon joining the two crossings along the top edge.
    EXPECT_NE(dc.GetPixel(50, 1), kWhite);
    EXPECT_NE(dc.GetPixel(50, 79), kWhite);
    EXPECT_EQ(dc.GetPixel(95, 40), kWhite);
}

}  // namespace
