// Closed-form solvers that the constraint manager calls at every pen move of
// a drag. None keeps state or touches GeoError. Candidate arrays are caller
// owned (four elements suffice); a solver writes consecutive elements from the
// first on and returns how many it wrote. Angles are in degrees.
#pragma once

class point;
class line;
class circle;

// --- candidate solvers ---

// Index of the candidate whose direction from its origin deviates least from (dx, dy).
int FindClosestAngleSelfAffect(const point* candidates, const point* origins, double dx, double dy,
                               int count);
// Index of the only candidate strictly above (or below) the reference; -1 when
// more than one qualifies, 0 when none does.
int FindClosestAngle(const point* candidates, const point& reference, bool above, int count);
// The two points at distance d from p along l: 2 (0 for non-finite input).
int Slide(const point& p, const line& l, double d, point* out);
// Points of l at distance d from q along l, reached through lines about p.
int AdjustRotateLinear(const line& l, const point& p, const point& q, double d, point* out);
// Crossings with l1 of l moved parallel so that its piece between l1 and l2 is d long.
int MoveSelfAffect(const line& l, const line& l1, const line& l2, double d, point* out);
// Crossings with l1 of the line turned about p so that its piece between l1 and l2 is d long.
int RotateQuartic(const point& p, const line& l1, const line& l2, double d, point* out);
// Points at distance r1 from p1 and r2 from p2.
int AdjustDoubleRotateRotate(const point& p1, const point& p2, double r1, double r2, point* out);
// Points at distance r from p whose parallel to l1 meets l2 at distance d.
int AdjustDoubleRotateMove(const line& l1, const line& l2, const point& p, double r, double d,
                           point* out);

// --- angle and pair solvers ---

// Whether the direction from p to q points into the upper half turn (-GeoDif, pi].
bool GetDirectionFlag(const point& p, const point& q);
// The line through p turned by `degrees` (negated when `negate`) from the
// direction p->q, and its direction flag. False, nothing written, when p = q.
bool AdjustRotateAngle(const point& p, const point& q, bool negate, double degrees, bool* flag,
                       line* out);
// Points of l from which p1 and p2 are seen under `degrees`.
int AdjustDoubleRotateAngle(const point& p1, const point& p2, const line& l, double degrees,
                            point* out);
// Points of c from which p1 and p2 are seen under `degrees`.
int AdjustDoubleRotateAngleOnCircle(const circle& c, const point& p1, const point& p2,
                                    double degrees, point* out);
// Put p1 on the first carrier and p2 on the second with p2 - p1 = (dx, dy), the
// signs following the points' current order. False leaves the points untouched.
bool AdjustDoubleSolve(const line& l1, const line& l2, point& p1, point& p2, double dx, double dy);
bool AdjustDoubleSolve(const circle& c, const line& l, point& p1, point& p2, double dx, double dy);
bool AdjustDoubleSolve(const circle& c1, const circle& c2, point& p1, point& p2, double dx,
                       double dy);
// Turn l1 about p1 and l2 about p2 to a common slope at which they are |d| apart.
bool AdjustDoubleRotateParallel(const point& p1, line& l1, const point& p2, line& l2, double d);
