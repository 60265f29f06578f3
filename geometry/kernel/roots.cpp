// Root solvers: the quadratic formula, Cardano with the trigonometric form
// for three real roots, and Ferrari through the resolvent cubic. The order of
// the roots is part of the contract: callers take the first root of a cubic.
#include "roots.h"

#include <cmath>

namespace {

constexpr double kNearZero = 1e-6;
constexpr double kThird = 1.0 / 3.0;
// 3.1415926 / 3 rather than pi/3: the short constant is the method's own.
constexpr double kThirdOfPi = 1.0471975333333334;

// c0 + c1 x = 0; a constant polynomial has no root to report.
int SolveLinear(double c0, double c1, double roots[1])
{
    if (IsNearZero(c1))
        return 0;
    roots[0] = -c0 / c1;
    return 1;
}

// Replaces x by its square root, by 0 when near zero; false for a negative x.
bool TakeSquareRoot(double& x)
{
    if (IsNearZero(x))
        x = 0.0;
    else if (x > 0.0)
        x = std::sqrt(x);
    else
        return false;
    return true;
}

}  // namespace

bool IsNearZero(double x) { return x > -kNearZero && x < kNearZero; }

int SolveQuadratic(const double c[3], double roots[2])
{
    if (IsNearZero(c[2]))
        return SolveLinear(c[0], c[1], roots);
    const double h = c[1] / (2.0 * c[2]);
    const double d = h * h - c[0] / c[2];
    if (IsNearZero(d)) {
        roots[0] = -h;
        return 1;
    }
    if (d < 0.0)
        return 0;
    const double w = std::sqrt(d);
    roots[0] = w - h;
    roots[1] = -w - h;
    return 2;
}

double CubeRoot(double x)
{
    if (IsNearZero(x))
        return 0.0;
    return x > 0.0 ? std::pow(x, kThird) : -std::pow(-x, kThird);
}

int SolveCubic(const double c[4], double roots[3])
{
    if (IsNearZero(c[3]))
        return SolveQuadratic(c, roots);
    const double k = 1.0 / c[3];
    const double A = c[2] * k;
    const double B = c[1] * k;
    const double C = c[0] * k;

    const double P = (B - A * A * kThird) * kThird;
    const double Q = (2.0 / 27.0 * A * A * A - A * B * kThird + C) / 2.0;
    const double D = Q * Q + P * P * P;

    int n = 0;
    if (IsNearZero(D)) {
        if (IsNearZero(Q)) {
            roots[n++] = 0.0;
        } else {
            const double u = CubeRoot(-Q);
            roots[n++] = 2.0 * u;
            roots[n++] = -u;
        }
    } else if (D < 0.0) {
        const double phi = std::acos(-Q / std::sqrt(-P * P * P)) * kThird;
        const double t = 2.0 * std::sqrt(-P);
        roots[n++] = t * std::cos(phi);
        roots[n++] = -t * std::cos(phi + kThirdOfPi);
        roots[n++] = -t * std::cos(phi - kThirdOfPi);
    } else {
        const double s = std::sqrt(D);
        roots[n++] = CubeRoot(s - Q) - CubeRoot(s + Q);
    }
    for (int i = 0; i < n; ++i)
        roots[i] -= A * kThird;
    return n;
}

int SolveQuartic(const double c[5], double roots[4])
{
    if (IsNearZero(c[4]))
        return SolveCubic(c, roots);
    const double k = 1.0 / c[4];
    const double A = c[3] * k;
    const double B = c[2] * k;
    const double C = c[1] * k;
    const double D = c[0] * k;

    const double AA = A * A;
    const double p = B - 3.0 / 8.0 * AA;
    const double q = AA * A / 8.0 - A * B / 2.0 + C;
    const double r = (B / 16.0 - 3.0 / 256.0 * AA) * AA - A * C / 4.0 + D;

    int n = 0;
    if (IsNearZero(r)) {
        const double cubic[4] = {q, p, 0.0, 1.0};
        n = SolveCubic(cubic, roots);
        roots[n++] = 0.0;
    } else {
        const double resolvent[4] = {r * p / 2.0 - q * q / 8.0, -r, -p / 2.0, 1.0};
        double z3[3];
        SolveCubic(resolvent, z3);
        const double z = z3[0];

        double u = z * z - r;
        double v = 2.0 * z - p;
        if (!TakeSquareRoot(u) || !TakeSquareRoot(v))
            return 0;

        const double w = q >= 0.0 ? v : -v;
        const double first[3] = {z - u, w, 1.0};
        n = SolveQuadratic(first, roots);
        const double second[3] = {z + u, -w, 1.0};
        n += SolveQuadratic(second, roots + n);
    }
    for (int i = 0; i < n; ++i)
        roots[i] -= A / 4.0;
    return n;
}
