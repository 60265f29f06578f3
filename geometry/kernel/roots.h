// Closed-form real roots of quadratics, cubics and quartics.
// Coefficients are in ascending order of degree (index 0 the constant term).
// Roots are not sorted: their order is fixed by the method (see roots.cpp).
// A (near-)zero leading coefficient solves the polynomial of lower degree.
#pragma once

// True for -1e-6 < x < 1e-6: the solvers' own fixed tolerance.
bool IsNearZero(double x);

// c[0..2]; up to 2 roots: w - h, then -w - h. Returns 0, 1 or 2.
int SolveQuadratic(const double c[3], double roots[2]);
// c[0..3]; up to 3 roots. With three real roots the largest comes first.
int SolveCubic(const double c[4], double roots[3]);
// The real cube root, with the sign of x; 0 for |x| below 1e-6.
double CubeRoot(double x);
// c[0..4]; up to 4 roots, 0 when the method finds none.
int SolveQuartic(const double c[5], double roots[4]);
