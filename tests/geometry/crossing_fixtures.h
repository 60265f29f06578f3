// The fixture and helpers shared by the crossing and inside tests: raw polygon
// bodies over a vector, point checks, and settings restored after each test.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "geo_types.h"
#include "intersections.h"
#include "polygon.h"
#include "settings.h"

constexpr double kNear = 1e-9;

// Restores the settings and the crossing state each test may change.
class CrossingSettingsTest : public testing::Test {
protected:
    void SetUp() override { ResetCrossingState(); }
    void TearDown() override
    {
        GeoSnap() = snap_;
        GeoDif() = dif_;
        GeoTouchMode() = touch_;
        GeoInsertMode() = insert_;
        GeoError() = error_;
        ResetCrossingState();
    }

private:
    double snap_ = GeoSnap();
    double dif_ = GeoDif();
    char touch_ = GeoTouchMode();
    char insert_ = GeoInsertMode();
    char error_ = GeoError();
};

// A raw body over the vertices of v (v keeps them alive).
inline POLY Body(std::vector<G_POINT>& v)
{
    return POLY{static_cast<short>(v.size()), static_cast<short>(v.size()), v.data(), 2};
}

inline void ExpectPoint(const G_POINT& p, double x, double y, double tolerance = kNear)
{
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}
