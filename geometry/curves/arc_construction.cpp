// Arcs from argument lists: a circle construction (or a circle from the list)
// plus a rule for the start and end angles.
#include <cmath>
#include <initializer_list>
#include <new>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "circle_constructions.h"
#include "distances.h"
#include "geoitem.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "point.h"
#include "settings.h"

namespace {

constexpr char kKeywordChord = 6;
constexpr char kKeywordRadius = 7;

// Direction from the centre to x, 0 when x is at the centre.
double Dir(const G_POINT& centre, const G_POINT& x)
{
    double a = 0.0;
    DirectionAngle(centre, x, a);
    return a;
}

void SetCircle(ARC& out, const CIRCLE& c)
{
    out.center = c.center;
    out.radius = c.radius;
}

void SetAngles(ARC& out, const G_POINT& from, const G_POINT& to)
{
    out.start = Dir(out.center, from);
    out.end = Dir(out.center, to);
}

// The first touching point of two circles or of a circle and a line.
bool TouchPoint(const CIRCLE& a, const CIRCLE& b, G_POINT& out)
{
    G_POINT cut[2];
    if (IntersectCircles(a, b, cut) == 0)
        return false;
    out = cut[0];
    return true;
}

bool TouchPoint(const CIRCLE& c, const LINE& l, G_POINT& out)
{
    G_POINT cut[2];
    if (IntersectLineCircle(c, l, cut) == 0)
        return false;
    out = cut[0];
    return true;
}

// The arc's present circle: the two-points-and-radius case falls back on its
// centre when the points coincide.
CIRCLE PresentCircle(const ARC& a) { return CIRCLE{a.center, a.radius}; }

constexpr CIRCLE kNoCircle{{0.0, 0.0}, 0.0};

}  // namespace

bool ArcFrom2Circles(const CIRCLE& c1, const CIRCLE& c2, ARC& out)
{
    G_POINT cut[2];
    if (IntersectCircles(c1, c2, cut) != 2)
        return false;
    if (PointLeftOfLine(cut[0], c1.center, c2.center))
        ArcFromCircle2Points(c1, cut[1], cut[0], out);
    else
        ArcFromCircle2Points(c1, cut[0], cut[1], out);
    return true;
}

bool ArcFrom3Points(const G_POINT& centre, const G_POINT& s, const G_POINT& e, ARC& out)
{
    double start = 0.0;
    double end = 0.0;
    if (!DirectionAngle(centre, s, start) || !DirectionAngle(centre, e, end))
        return false;
    out = ARC{centre, PointDistance(centre, s), start, end};
    return true;
}

bool ArcFrom2PointsAngle(const G_POINT& p1, const G_POINT& p2, double a, ARC& out)
{
    CIRCLE c = kNoCircle;
    const bool found = CircleFrom2PointsAngle(p1, p2, a, c);
    SetCircle(out, c);
    if (!found)
        return false;
    // The sign of the angle gives the turning sense.
    if (a > 0.0)
        SetAngles(out, p1, p2);
    else
        SetAngles(out, p2, p1);
    return true;
}

void ArcFromCirclePointAngle(const CIRCLE& c, const G_POINT& p, double a, ARC& out)
{
    G_POINT q;
    ClosestPointOnCircle(q, c, p);
    SetCircle(out, c);
    out.start = Dir(c.center, q);
    out.end = NormalizeAngle(out.start + a);
}

void ArcFromCircle2Points(const CIRCLE& c, const G_POINT& p1, const G_POINT& p2, ARC& out)
{
    G_POINT q1, q2;
    ClosestPointOnCircle(q1, c, p1);
    ClosestPointOnCircle(q2, c, p2);
    SetCircle(out, c);
    SetAngles(out, q1, q2);
}

bool ArcFromCircleLinePoint(const CIRCLE& c, const LINE& l, const G_POINT& p, ARC& out)
{
    CIRCLE made = kNoCircle;
    const bool found = CircleFromCircleLinePoint(c, l, p, p, 0, made);
    SetCircle(out, made);
    G_POINT touch;
    if (!found || !TouchPoint(c, made, touch))
        return false;
    G_POINT foot;
    ProjectPointOnLine(foot, l, c.center);
    if (PointLeftOfLine(made.center, c.center, foot))
        SetAngles(out, touch, p);
    else
        SetAngles(out, p, touch);
    return true;
}

bool ArcFrom2PointsRadius(const G_POINT& p1, const G_POINT& p2, double v, char keyword, ARC& out)
{
    if (keyword == kKeywordRadius) {
        G_POINT hint;
        TranslatePoint(hint, p1, 100.0, 100.0);
        CIRCLE c = PresentCircle(out);
        const bool found = CircleFrom2PointsRadius(p1, p2, hint, v, c);
        SetCircle(out, c);
        if (!found)
            return false;
        SetAngles(out, p1, p2);
        return true;
    }
    if (keyword != kKeywordChord)
        return false;
    // The circle about p1 through p2, from p2 on by the central angle of a chord v.
    const double r = PointDistance(p1, p2);
    SetCircle(out, CIRCLE{p1, r});
    double start = 0.0;
    if (!DirectionAngle(p1, p2, start) || !(r > 0.0))
        return false;  // no circle: p2 lies on p1
    double cosine = 1.0 - v * v / (2.0 * r * r);
    if (!(cosine >= -1.0 - 1e-12))
        return false;  // a chord longer than the diameter, or a NaN length
    cosine = std::fmax(cosine, -1.0);
    out.start = start;
    out.end = start + std::acos(cosine);
    return true;
}

bool ArcFromCircleLineRadius(const CIRCLE& c, const LINE& l, double v, char keyword, ARC& out)
{
    CIRCLE made = kNoCircle;
    const bool found = CircleFromCircleLineRadius(c, l, nullptr, v, 0, keyword, made);
    SetCircle(out, made);
    G_POINT atCircle, atLine;
    if (!found || !TouchPoint(made, c, atCircle) || !TouchPoint(made, l, atLine))
        return false;
    if (keyword == GEO_KW_RIGHT)
        SetAngles(out, atLine, atCircle);
    else
        SetAngles(out, atCircle, atLine);
    return true;
}

bool ArcFrom2CirclesRadius(const CIRCLE& c1, const CIRCLE& c2, double v, char keyword, ARC& out)
{
    CIRCLE made = kNoCircle;
    const bool found = CircleFrom2CirclesRadius(c1, c2, nullptr, v, 0, keyword, made);
    SetCircle(out, made);
    G_POINT t1, t2;
    if (!found || !TouchPoint(c1, made, t1) || !TouchPoint(c2, made, t2))
        return false;
    if (keyword == GEO_KW_LEFT)
        SetAngles(out, t1, t2);
    else
        SetAngles(out, t2, t1);
    return true;
}

bool ArcFrom2LinesPointRadius(const LINE& l1, const LINE& l2, const G_POINT& p, double v, ARC& out)
{
    CIRCLE made = kNoCircle;
    const bool found = CircleFrom2LinesPointRadius(l1, l2, p, v, made);
    SetCircle(out, made);
    G_POINT t1, t2;
    if (!found || !TouchPoint(made, l1, t1) || !TouchPoint(made, l2, t2))
        return false;
    // Parallel lines have no corner: the arc then runs from l1 to l2.
    G_POINT corner;
    if (IntersectLines(l1, l2, corner) && PointLeftOfLine(t1, made.center, corner))
        SetAngles(out, t2, t1);
    else
        SetAngles(out, t1, t2);
    return true;
}

bool ArcFrom2Lines2Points(const LINE& l1, const LINE& l2, const G_POINT& p1, const G_POINT& p2,
                          ARC& out)
{
    CIRCLE made = kNoCircle;
    const bool found = CircleFrom2LinesPoint(l1, l2, p1, p2, made);
    SetCircle(out, made);
    G_POINT touch;
    if (!found || !TouchPoint(made, l2, touch))
        return false;
    G_POINT corner;
    if (IntersectLines(l1, l2, corner) && PointLeftOfLine(p1, made.center, corner))
        SetAngles(out, touch, p1);
    else
        SetAngles(out, p1, touch);
    return true;
}

// --- the list dispatcher ------------------------------------------------------------

namespace {

// Raw item codes of a list, at most four (longer lists match no row).
struct Signature {
    int length = 0;
    int codes[4] = {0, 0, 0, 0};

    bool is(std::initializer_list<int> want) const
    {
        if (static_cast<int>(want.size()) != length)
            return false;
        int i = 0;
        for (int code : want)
            if (codes[i++] != code)
                return false;
        return true;
    }
};

constexpr int K = GEO_KEYWORD_ITEM, V = GEO_NUMBER_ITEM, A = GEO_ANGLE, P = GEO_POINT,
              L = GEO_LINE, C = GEO_CIRCLE, R = GEO_ARC;

// Typed access to the items of one list.
class Items {
public:
    explicit Items(const geolist& list) : list_(list) {}
    Signature signature() const
    {
        Signature s;
        s.length = list_.count();
        for (int i = 0; i < s.length && i < 4; ++i)
            s.codes[i] = raw(i).code;
        return s;
    }
    const G_POINT& pt(int i) const { return static_cast<const point*>(raw(i).object)->rec(); }
    const LINE& ln(int i) const { return static_cast<const line*>(raw(i).object)->record(); }
    const CIRCLE& cir(int i) const { return static_cast<const circle*>(raw(i).object)->record(); }
    const ARC& arcRecord(int i) const { return static_cast<const arc*>(raw(i).object)->record(); }
    double rad(int i) const { return static_cast<const angle*>(raw(i).object)->rad(); }
    double num(int i) const { return raw(i).number; }
    char key(int i) const { return raw(i).keyword; }

private:
    const list_item& raw(int i) const { return list_.body()->items[i]; }
    const geolist& list_;
};

// Runs the row that the list's codes name. 3: no row; 1: no solution; 0: done.
char Construct(const Items& in, ARC& out)
{
    const Signature s = in.signature();
    auto outcome = [](bool found) { return found ? GEO_OK : GEO_NO_SOLUTION; };
    if (s.is({C, C}))
        return outcome(ArcFrom2Circles(in.cir(0), in.cir(1), out));
    if (s.is({R, V})) {
        out = in.arcRecord(0);
        out.radius = std::fabs(out.radius - in.num(1));
        return GEO_OK;
    }
    if (s.is({P, P, P}))
        return outcome(ArcFrom3Points(in.pt(0), in.pt(1), in.pt(2), out));
    if (s.is({P, P, A}))
        return outcome(ArcFrom2PointsAngle(in.pt(0), in.pt(1), in.rad(2), out));
    if (s.is({C, A, A})) {
        SetCircle(out, in.cir(0));
        out.start = in.rad(1);
        out.end = in.rad(2);
        return GEO_OK;
    }
    if (s.is({C, P, A})) {
        ArcFromCirclePointAngle(in.cir(0), in.pt(1), in.rad(2), out);
        return GEO_OK;
    }
    if (s.is({C, P, P})) {
        ArcFromCircle2Points(in.cir(0), in.pt(1), in.pt(2), out);
        return GEO_OK;
    }
    if (s.is({C, L, P}))
        return outcome(ArcFromCircleLinePoint(in.cir(0), in.ln(1), in.pt(2), out));
    if (s.is({P, A, A, V})) {
        out = ARC{in.pt(0), in.num(3), in.rad(1), in.rad(2)};
        return GEO_OK;
    }
    if (s.is({P, P, V, K}))
        return outcome(ArcFrom2PointsRadius(in.pt(0), in.pt(1), in.num(2), in.key(3), out));
    if (s.is({C, L, V, K}))
        return outcome(ArcFromCircleLineRadius(in.cir(0), in.ln(1), in.num(2), in.key(3), out));
    if (s.is({C, C, V, K}))
        return outcome(ArcFrom2CirclesRadius(in.cir(0), in.cir(1), in.num(2), in.key(3), out));
    if (s.is({L, L, P, V}))
        return outcome(ArcFrom2LinesPointRadius(in.ln(0), in.ln(1), in.pt(2), in.num(3), out));
    if (s.is({L, L, P, P}))
        return outcome(ArcFrom2Lines2Points(in.ln(0), in.ln(1), in.pt(2), in.pt(3), out));
    return GEO_BAD_ARGUMENTS;
}

}  // namespace

char arc::operator=(geolist& list)
{
    GeoError() = GEO_OK;
    try {
        ARC result = rec_;
        const char code = list.body() == nullptr ? static_cast<char>(GEO_BAD_ARGUMENTS) : Construct(Items(list), result);
        // A list that no row accepts leaves the arc as it was.
        if (code != GEO_BAD_ARGUMENTS)
            rec_ = result;
        if (code != GEO_OK)
            GeoError() = code;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
    }
    return GeoError() == GEO_OK ? 1 : 0;
}

char arc::operator=(geolist&& list) { return operator=(list); }
