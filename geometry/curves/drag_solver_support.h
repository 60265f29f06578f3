// Internal helpers shared by the drag-adjustment solvers (not exported).
#pragma once

#include <cmath>

#include "geo_types.h"
#include "point.h"

namespace drag_support {

// The solvers' fixed degeneracy tolerance.
inline constexpr double kTiny = 1e-6;

inline bool IsVerticalSlope(double k) { return k >= GEO_VERTICAL; }

// The line in coordinates relative to r: y = k x + (b + k r.x - r.y), or a
// vertical x = c - r.x.
inline LINE RelativeLine(const LINE& l, const G_POINT& r)
{
    if (IsVerticalSlope(l.ltan))
        return LINE{GEO_VERTICAL, l.laxe - r.x};
    return LINE{l.ltan, l.laxe + l.ltan * r.x - r.y};
}

// Direction of a line in (-pi/2, pi/2], the vertical sentinel giving pi/2.
inline double LineAngle(const LINE& l)
{
    return IsVerticalSlope(l.ltan) ? GEO_PI_2 : std::atan(l.ltan);
}

// Square root of a radicand that rounding may push just below 0: within 1e-6
// of 0 it counts as 0; further below there is no root (false, out untouched).
inline bool SafeSqrt(double radicand, double& out)
{
    if (!(radicand > -kTiny))
        return false;
    out = radicand > 0.0 ? std::sqrt(radicand) : 0.0;
    return true;
}

// Writes base + offset into consecutive candidates, never more than `limit`
// and never a non-finite point.
class WriteCursor {
public:
    WriteCursor(point* out, int limit) : out_(out), limit_(limit) {}
    void put(const G_POINT& base, const G_POINT& offset)
    {
        const double x = base.x + offset.x;
        const double y = base.y + offset.y;
        if (count_ >= limit_ || !std::isfinite(x) || !std::isfinite(y))
            return;
        out_[count_].x() = x;
        out_[count_].y() = y;
        ++count_;
    }
    int count() const { return count_; }

private:
    point* out_;
    int limit_;
    int count_ = 0;
};

// A few Newton steps on the quartic c (ascending coefficients) from t: the
// closed-form solver's fixed tolerances leave its roots only roughly placed.
// A step that leaves the finite numbers keeps the last good value.
double PolishQuarticRoot(const double c[5], double t);

// A turn of the frame (radians, 0 when none is needed) after which neither
// line is horizontal or vertical, so that both slopes and their reciprocals
// are finite and well conditioned.
double SafeTurn(const LINE& l1, const LINE& l2);
// The line relative to r, expressed in the frame turned by `turn`.
LINE TurnedRelativeLine(const LINE& l, const G_POINT& r, double turn);
// A vector of the turned frame expressed in the original frame.
G_POINT TurnBack(const G_POINT& v, double turn);

}  // namespace drag_support
