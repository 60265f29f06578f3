// Narrowing of the admissible centre-distance ranges of a circle whose radius
// is still free, by line and circle trackers. A range (lower, upper) is empty
// when lower is not below upper; emptying sets lower to the largest double.
// Angles are in radians. No state, no GeoError.
#pragma once

// One range per sector; true when the range is non-empty afterwards.
bool UpdateLin1ClampRadial(double* lower, double* upper, double d, double theta);
bool UpdateCir1ClampRadial(double* lower, double* upper, double a, double b, double theta);
// Two ranges, one per side of a chord (lower[2], upper[2]); false when the
// quadratic has no two roots (nothing changes) or both ranges end up empty.
bool UpdateLin2ClampRadial(double* lower, double* upper, double A, double B, double C);
bool UpdateCir2ClampRadial(double* lower, double* upper, double A, double B, double C);
