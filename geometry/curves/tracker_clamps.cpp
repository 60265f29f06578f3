#include "tracker_clamps.h"

#include <cmath>

#include "roots.h"

namespace {

constexpr double kEmpty = 1.7976931348623157e308;  // the largest finite double
constexpr double kThreeHalfPi = 1.5707963267948966 + 3.141592653589793;

// Raises the lower bound to t, or empties the range when t reaches the upper one.
void RaiseLower(double* lower, const double* upper, double t)
{
    if (!(*upper > t))
        *lower = kEmpty;
    else if (*lower < t)
        *lower = t;
}

// Both chord-side forms: raise each side's lower bound to its root's chord
// distance. A root smaller in magnitude than A gives no distance (NaN), which
// fails the comparison and leaves that bound.
bool ClampBothSides(double* lower, const double* upper, const double c[3], double A)
{
    double roots[2];
    if (SolveQuadratic(c, roots) != 2)
        return false;
    const bool firstLarger = roots[0] > roots[1];
    const double xs = firstLarger ? roots[1] : roots[0];
    const double xl = firstLarger ? roots[0] : roots[1];
    const double vs = std::sqrt(xs * xs - A * A);
    const double vl = std::sqrt(xl * xl - A * A);
    if (lower[0] < vs)
        lower[0] = vs;
    if (lower[1] < vl)
        lower[1] = vl;
    return lower[0] < upper[0] || lower[1] < upper[1];
}

}  // namespace

bool UpdateLin1ClampRadial(double* lower, double* upper, double d, double theta)
{
    if (!(*lower < *upper))
        return false;
    // Looking straight away from the line: no circle through the node reaches it.
    if (std::fabs(theta - kThreeHalfPi) < 0.01)
        *lower = kEmpty;
    else
        RaiseLower(lower, upper, d / (1.0 + std::sin(theta)));
    return *lower < *upper;
}

bool UpdateCir1ClampRadial(double* lower, double* upper, double a, double b, double theta)
{
    if (!(*lower < *upper))
        return false;
    const double c = std::cos(theta);
    const double t1 = (a * a - b * b) / (2.0 * (a * c + b));
    if (!(t1 > 0.0))
        *lower = kEmpty;
    else
        RaiseLower(lower, upper, t1);
    if (*lower < *upper) {
        const double t2 = (a * a - b * b) / (2.0 * (a * c - b));
        if (t2 > 0.0 && *upper > t2)
            *upper = t2;
    }
    return *lower < *upper;
}

bool UpdateLin2ClampRadial(double* lower, double* upper, double A, double B, double C)
{
    const double c[3] = {1.0 - C * C, 2.0 * B * C, (A * A + B * B) * C * C};
    return ClampBothSides(lower, upper, c, A);
}

bool UpdateCir2ClampRadial(double* lower, double* upper, double A, double B, double C)
{
    // Ascending order as the circle tracker's geometry gives them.
    const double c[3] = {4.0 * (B * B + C * C), -4.0 * A * A * B,
                         (A * A + C * C) - 4.0 * C * C * (A * A + B * B)};
    return ClampBothSides(lower, upper, c, A);
}
