// Circle construction cases on raw records: circles through points, touching
// lines and circles, of given radii. Each case writes its result into `out`
// and returns true, or returns false when the construction has no solution
// (the dispatcher turns that into GeoError 1; `out` may then hold a partial
// result). Cases marked "always succeeds" return their CIRCLE by value.
//
// A hint point only chooses among solutions; a null hint means "none".
// Keyword codes: TANGENT 2, END 4, START 5, RIGHT 8, LEFT 9, EXTERNAL 10,
// INTERNAL 11, CENTER 16, ENVELOPS 18, CENTER_1ST 19.
#pragma once

#include "geo_types.h"

// Keyword codes the cases test.
inline constexpr char GEO_KW_TANGENT = 2;
inline constexpr char GEO_KW_END = 4;
inline constexpr char GEO_KW_START = 5;
inline constexpr char GEO_KW_RIGHT = 8;
inline constexpr char GEO_KW_LEFT = 9;
inline constexpr char GEO_KW_EXTERNAL = 10;
inline constexpr char GEO_KW_INTERNAL = 11;
inline constexpr char GEO_KW_CENTER = 16;
inline constexpr char GEO_KW_ENVELOPS = 18;
inline constexpr char GEO_KW_CENTER_1ST = 19;

// ---- helpers shared by the case sources ----------------------------------

// Roots of c0 + c1 t + c2 t^2 = 0 for a length t, in the order of
// SolveQuadratic; a (near-)zero c2 solves the linear equation, and a
// discriminant within GeoSnap^2 of zero gives the double root once.
int LengthQuadraticRoots(double c0, double c1, double c2, double roots[2]);
// A point of l and its unit direction (upwards for a vertical line).
G_POINT LinePointAndDirection(LINE l, G_POINT& direction);
// The points X = origin + t direction of m, with their signed distance from
// l as height + rise t.
struct LineAcross {
    G_POINT origin, direction;
    double height, rise;
};
LineAcross LineAcrossLine(LINE m, LINE l);
// The perpendicular of l through p, and the foot of p on l.
LINE PerpendicularAt(LINE l, G_POINT p);
G_POINT FootOn(LINE l, G_POINT p);
// The perpendicular bisector of p1 p2; false when the points coincide.
bool PerpendicularBisector(G_POINT p1, G_POINT p2, LINE& out);
// The perpendicular gap between two (nearly) parallel lines.
double ParallelGap(LINE l1, LINE l2);
// Finite centre and radius.
bool CircleIsFinite(const CIRCLE& c);
// Beyond this radius doubles no longer resolve GeoSnap on the circle: the
// growing radius searches give up there.
double LargestResolvableRadius();

// ---- frame helpers -------------------------------------------------------

// (dx*c + dy*s, dy*c - dx*s) with d = p - origin.
G_POINT ToLocalFrame(G_POINT p, G_POINT origin, double s, double c);
// (x*c + y*s - a, y*c - x*s - b).
G_POINT RotateAndOffset(G_POINT p, double a, double b, double s, double c);

// ---- circles from points, lines and radii --------------------------------

CIRCLE CircleFromCenterPoint(G_POINT centre, G_POINT p);
bool CircleFromCenterLine(LINE l, G_POINT centre, CIRCLE& out);
bool CircleFrom3Points(G_POINT p1, G_POINT p2, G_POINT p3, CIRCLE& out);
bool CircleFrom3PointsInside(G_POINT p1, G_POINT p2, G_POINT p3, CIRCLE& out);
// The chord p1 p2 subtends the central angle |a| (radians); a > 0 puts the
// centre counter-clockwise of the chord direction.
bool CircleFrom2PointsAngle(G_POINT p1, G_POINT p2, double a, CIRCLE& out);
// Reads out's present centre when p1 and p2 coincide.
bool CircleFrom2PointsRadius(G_POINT p1, G_POINT p2, G_POINT hint, double r, CIRCLE& out);
bool CircleFrom2LinesPointRadius(LINE l1, LINE l2, G_POINT p, double r, CIRCLE& out);
// Through p1 and p2, touching l at p1.
bool CircleTangentAtPoint(LINE l, G_POINT p1, G_POINT p2, CIRCLE& out);
bool CircleFromLinePointRadius(LINE l, G_POINT p, G_POINT hint, double r, CIRCLE& out);
bool CircleFromLinePointAngleRadius(LINE l, G_POINT p, double a, double r, CIRCLE& out);
bool CircleFrom2LinesPoint(LINE l1, LINE l2, G_POINT p, G_POINT hint, CIRCLE& out);
bool CircleFromLine2Points(LINE l, G_POINT p1, G_POINT p2, CIRCLE& out);
CIRCLE CircleFromLine2PointsCenter(LINE l, G_POINT p1, G_POINT p2);
// Centre on m, touching l, through p.
bool CircleFrom2LinesPointCenterOnLine(LINE l, LINE m, G_POINT p, G_POINT hint, CIRCLE& out);
bool CircleFrom3Lines(LINE l1, LINE l2, LINE l3, G_POINT hint, CIRCLE& out);
bool CircleFrom3LinesCenterOnFirst(LINE l1, LINE l2, LINE l3, G_POINT p, CIRCLE& out);
bool CircleFrom3LinesNearPoints(LINE l1, LINE l2, LINE l3, G_POINT p1, G_POINT p2, G_POINT p3,
                                CIRCLE& out);
bool CircleFrom2LinesPointsRadius(LINE l1, G_POINT p1, LINE l2, G_POINT p2, double r, CIRCLE& out);
// Centre on m, touching l, radius r.
bool CircleFrom2LinesRadiusCenterOnLine(LINE m, LINE l, G_POINT hint, double r, CIRCLE& out);
CIRCLE CircleFromSegmentRadius(G_POINT s1, G_POINT s2, double r, char position, char side);
CIRCLE CircleFromSegmentPointRadius(G_POINT s1, G_POINT s2, G_POINT p, double r, char position);
bool CircleFromLine2PointsRadius(LINE l, G_POINT p1, G_POINT p2, double v, CIRCLE& out);

// ---- tangency codes ------------------------------------------------------
// Bits for the pair C1, C2: 4 encloses C1, 8 inside C1 (else outside C1);
// 1 encloses C2, 2 inside C2 (else outside C2); 0x80 derive from the hint;
// a negative code means no valid combination.

signed char TangencyMode(char k1, char k2);
signed char PointCircleRelation(CIRCLE c1, CIRCLE c2, G_POINT p, double r);
// 1: C2's centre inside C1; 2: C1's centre inside C2 (the larger wins); 0 else.
int CircleContainment(CIRCLE c1, CIRCLE c2);
signed char TangencyModeFromPoint(CIRCLE c1, CIRCLE c2, G_POINT p);
signed char FeasibleTangencyMode(CIRCLE c1, CIRCLE c2, signed char requested);
signed char TangencyFromHints(CIRCLE c1, CIRCLE c2, G_POINT h1, G_POINT h2);
// Start circle of the radius searches, centred on the ray from C1's centre
// towards C2's. Returns false when the code has no start circle; `shrink`
// tells the search to shrink (true) or grow (false) from it.
bool CentreLineTangentCircle(CIRCLE c1, CIRCLE c2, G_POINT const* hint, signed char code,
                             CIRCLE& out, bool& shrink);

// A non-owning reference to a callable bool(double radius, CIRCLE& out) that
// builds the circle for a radius; it allocates nothing. The callable must
// outlive the reference.
class RadiusBuilder {
public:
    template <class F>
    RadiusBuilder(F const& f)  // NOLINT: implicit on purpose, like a function reference
        : object_(&f),
          call_([](void const* o, double r, CIRCLE& c) { return (*static_cast<F const*>(o))(r, c); })
    {
    }
    bool operator()(double radius, CIRCLE& out) const { return call_(object_, radius, out); }

private:
    void const* object_;
    bool (*call_)(void const*, double, CIRCLE&);
};

// Narrows the radius bracket [lo, hi] towards the radius whose circle passes
// through p, minimising f(rho) = |rho - distance(p, centre of build(rho))|:
// bisection while the ends lie on either side of p, else golden section.
// `out` holds the circle built at the last evaluated radius. False when a
// build fails.
bool RadiusSearch(double lo, double hi, G_POINT p, RadiusBuilder build, CIRCLE& out);

// ---- circles tangent to circles ------------------------------------------

CIRCLE CircleFromCenterCircle(CIRCLE c, G_POINT p, char keyword);
bool CircleFromCirclePointRadiusKeyword(CIRCLE c, G_POINT p, G_POINT hint, double r, char keyword,
                                        CIRCLE& out);
bool CircleFromCircle2PointsKeyword(CIRCLE c, G_POINT p1, G_POINT p2, char keyword, CIRCLE& out);
bool CircleFrom2CirclesRadius(CIRCLE c1, CIRCLE c2, G_POINT const* hint, double r, signed char code,
                              char side, CIRCLE& out);
bool CircleFrom2CirclesPoint(CIRCLE c1, CIRCLE c2, G_POINT p, G_POINT hint, signed char requested,
                             CIRCLE& out);
bool CircleFrom3Circles(CIRCLE c0, CIRCLE c1, CIRCLE c2, signed char code, CIRCLE& out);
// The point and the code do not enter the construction.
bool CircleFrom2CirclesLine(CIRCLE c1, CIRCLE c2, LINE l, G_POINT p, signed char code, CIRCLE& out);
// s1, s2: each circle touched from outside (true) or inside (false).
bool CircleFrom2CirclesLineSides(CIRCLE c1, bool s1, CIRCLE c2, bool s2, LINE l, double target,
                                 CIRCLE& out);
bool CircleFrom2CirclesCenterOnLine(CIRCLE c1, CIRCLE c2, LINE l, G_POINT hint,
                                    signed char requested, CIRCLE& out);

// ---- circles tangent to a circle and lines -------------------------------
// kind: EXTERNAL, INTERNAL, ENVELOPS, TANGENT or 0; side: RIGHT, LEFT or 0
// (used only without a hint).

bool CircleFromCircleLinePointRadiusCenter(CIRCLE c, LINE m, G_POINT const* hint, double r,
                                           char kind, char side, CIRCLE& out);
bool CircleFromCircleLineRadius(CIRCLE c, LINE l, G_POINT const* hint, double r, char kind,
                                char side, CIRCLE& out);
bool CircleFromCircleLineRadiusCenter(CIRCLE c, LINE l, G_POINT hint, double r, CIRCLE& out);
// Touching c and l with the centre on b.
bool CircleFromCircle2LinesTangency(CIRCLE c, LINE l, LINE b, G_POINT const* hint, char kind,
                                    char side, CIRCLE& out);
bool CircleFromCircle2Lines(CIRCLE c, LINE l1, LINE l2, G_POINT const* p, char kind, CIRCLE& out);
bool CircleFromCircle2LinesNearPoints(CIRCLE c, LINE l1, LINE l2, G_POINT p1, G_POINT p2,
                                      G_POINT const* hint, CIRCLE& out);
bool CircleFromCircleLinePoint(CIRCLE c, LINE l, G_POINT p, G_POINT hint, char kind, CIRCLE& out);
// Reads out's present value when code is 0.
bool CircleFromCircleLinePointCenter(CIRCLE c, LINE m, G_POINT p, G_POINT hint, signed char code,
                                     CIRCLE& out);
bool CircleFromCircleLinePointCenterFirst(CIRCLE c, LINE l, G_POINT p, G_POINT hint, CIRCLE& out);
