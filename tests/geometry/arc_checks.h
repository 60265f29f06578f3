// Field-by-field check of an arc for the arc tests.
#pragma once

#include <gtest/gtest.h>

#include "arc.h"

inline void ExpectArc(const arc& a, double cx, double cy, double r, double start, double end,
                      double tol = 1e-9)
{
    EXPECT_NEAR(a.record().center.x, cx, tol);
    EXPECT_NEAR(a.record().center.y, cy, tol);
    EXPECT_NEAR(a.rad(), r, tol);
    EXPECT_NEAR(a.startAngle(), start, tol);
    EXPECT_NEAR(a.endAngle(), end, tol);
}
