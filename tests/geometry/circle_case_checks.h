// Geometric checks for the circle construction tests: tangency and incidence
// within GeoSnap, which is what the cases promise (not particular coordinates).
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "geo_types.h"
#include "settings.h"

inline double Gap(G_POINT a, G_POINT b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Distance of p from a line record (vertical sentinel included).
inline double LineGap(LINE l, G_POINT p)
{
    if (l.ltan >= GEO_VERTICAL)
        return std::fabs(p.x - l.laxe);
    return std::fabs(p.y - l.ltan * p.x - l.laxe) / std::sqrt(1.0 + l.ltan * l.ltan);
}

inline LINE Horizontal(double y) { return {0.0, y}; }
inline LINE Vertical(double x) { return {GEO_VERTICAL, x}; }

inline ::testing::AssertionResult PassesThrough(const CIRCLE& c, G_POINT p)
{
    const double off = Gap(c.center, p) - std::fabs(c.radius);
    if (std::fabs(off) < GeoSnap())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "point (" << p.x << ", " << p.y << ") is " << off
                                         << " off the circle";
}

inline ::testing::AssertionResult TouchesLine(const CIRCLE& c, LINE l)
{
    const double off = LineGap(l, c.center) - std::fabs(c.radius);
    if (std::fabs(off) < GeoSnap())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "line is " << off << " off the circle";
}

inline ::testing::AssertionResult TouchesOutside(const CIRCLE& c, const CIRCLE& given)
{
    const double off = Gap(c.center, given.center) - (std::fabs(c.radius) + given.radius);
    if (std::fabs(off) < GeoSnap())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "external tangency off by " << off;
}

inline ::testing::AssertionResult TouchesInside(const CIRCLE& c, const CIRCLE& given)
{
    const double off = Gap(c.center, given.center) - std::fabs(std::fabs(c.radius) - given.radius);
    if (std::fabs(off) < GeoSnap())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "internal tangency off by " << off;
}

inline ::testing::AssertionResult Touches(const CIRCLE& c, const CIRCLE& given)
{
    if (TouchesOutside(c, given) || TouchesInside(c, given))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "circle does not touch the given circle";
}

inline bool IsFinite(const CIRCLE& c)
{
    return std::isfinite(c.center.x) && std::isfinite(c.center.y) && std::isfinite(c.radius);
}
