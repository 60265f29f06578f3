// point::operator=(geolist const&): a point from an argument list, chosen by
// the number of items and the sequence of their type codes (items arrive in
// descending code: objects, then numbers, then keywords).
#include <cmath>
#include <new>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "polygon.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr char kStart = 5;
constexpr char kEnd = 4;
constexpr char kMiddle = 3;
constexpr char kLeft = 9;
constexpr char kRight = 8;
constexpr char kParameterForm = 14;

// Read access to the items of one list.
class Items {
public:
    explicit Items(const geolist_pr* body) : body_(body), n_(body != nullptr ? body->length : 0) {}

    int count() const { return n_; }
    int code(int i) const { return body_->items[i].code; }
    bool isPoint(int i) const
    {
        return (code(i) == GEO_POINT || code(i) == GEO_STORED_POINT) && ItemPoint(&body_->items[i]) != nullptr;
    }

    const G_POINT& pt(int i) const { return *ItemPoint(&body_->items[i]); }
    double number(int i) const { return body_->items[i].number; }
    char keyword(int i) const { return body_->items[i].keyword; }
    double angleValue(int i) const { return as<angle>(i).rad(); }
    const LINE& lineRec(int i) const { return as<line>(i).record(); }
    const CIRCLE& circleRec(int i) const { return as<circle>(i).record(); }
    const ARC& arcRec(int i) const { return as<arc>(i).record(); }
    const segment& seg(int i) const { return as<segment>(i); }
    const ray& rayAt(int i) const { return as<ray>(i); }
    const POLY* polyBody(int i) const { return as<polygon>(i).body(); }

private:
    template <typename T>
    const T& as(int i) const { return static_cast<const T&>(*body_->items[i].object); }

    const geolist_pr* body_;
    int n_;
};

// The outcome of one row: a point, or the GeoError code of its failure.
struct Outcome {
    G_POINT p{0.0, 0.0};
    char error = GEO_OK;
};

Outcome Found(const G_POINT& p) { return Outcome{p, GEO_OK}; }
Outcome NoSolution() { return Outcome{{0.0, 0.0}, GEO_NO_SOLUTION}; }
Outcome NotAccepted() { return Outcome{{0.0, 0.0}, GEO_BAD_ARGUMENTS}; }

// --- choosing one of two candidates -------------------------------------

const G_POINT& Nearer(const G_POINT& h, const G_POINT x[2])
{
    return PointDistance(h, x[0]) < PointDistance(h, x[1]) - GeoSnap() ? x[0] : x[1];
}

const G_POINT& ByAngle(const G_POINT& centre, double a, const G_POINT x[2])
{
    double d0 = 0.0;
    double d1 = 0.0;
    DirectionAngle(centre, x[0], d0);
    DirectionAngle(centre, x[1], d1);
    return std::fabs(d0 - a) < std::fabs(d1 - a) ? x[0] : x[1];
}

const G_POINT& BySide(const G_POINT& f, const G_POINT& g, char keyword, const G_POINT x[2])
{
    const bool left = PointLeftOfLine(x[0], f, g);
    if (keyword == kLeft)
        return left ? x[0] : x[1];
    if (keyword == kRight)
        return left ? x[1] : x[0];
    return x[0];
}

// A primitive's result: 0 no point, 1 or 3 one point, 2 two points that
// `pick` chooses from.
template <typename Pick>
Outcome Choose(int result, const G_POINT x[2], Pick pick)
{
    if (result == 2)
        return Found(pick(x));
    if (result == 1 || result == 3)
        return Found(x[0]);
    return NoSolution();
}

Outcome FirstOf(int result, const G_POINT x[2])
{
    return Choose(result, x, [](const G_POINT* c) { return c[0]; });
}

Outcome NearerTo(int result, const G_POINT x[2], const G_POINT& h)
{
    return Choose(result, x, [&](const G_POINT* c) { return Nearer(h, c); });
}

// --- rays ----------------------------------------------------------------

// At the origin, or in the ray's direction (the shared test of the library).
bool Ahead(const ray& r, const G_POINT& x)
{
    double direction;
    if (!DirectionAngle(r.origin(), x, direction))
        return true;
    return PointAheadOnRay(r.origin(), r.direction(), x);
}

LINE RayLine(const ray& r)
{
    LINE l;
    LineAtAngle(l, r.origin(), r.direction());
    return l;
}

// --- one item and the rows by first item ---------------------------------

Outcome PolarFrom(const G_POINT& from, double direction, double distance)
{
    G_POINT out;
    PolarPoint(out, from, direction, distance);
    return Found(out);
}

Outcome SegmentRows(const Items& it, bool withHint)
{
    const segment& s = it.seg(0);
    const G_POINT& a = s.startPoint();
    const G_POINT& b = s.endPoint();
    LINE sl;
    if (!LineThroughPoints(a, b, sl))
        return NoSolution();
    G_POINT x[2];
    if (withHint) {
        if (!(it.code(1) == GEO_CIRCLE && it.isPoint(2)))
            return NotAccepted();
        return NearerTo(SegmentCircleCrossings(a, b, it.circleRec(1), x), x, it.pt(2));
    }
    if (it.code(1) == GEO_NUMBER_ITEM) {
        PointAtParameter(x[0], a, b, it.number(1));
        return Found(x[0]);
    }
    if (it.isPoint(1)) {
        ClosestPointOnSegment(x[0], it.pt(1), a, b);
        return Found(x[0]);
    }
    switch (it.code(1)) {
    case GEO_LINE:
        if (IntersectLines(sl, it.lineRec(1), x[0]) && PointInSegmentRange(x[0], a, b))
            return Found(x[0]);
        return NoSolution();
    case GEO_CIRCLE:
        return NearerTo(SegmentCircleCrossings(a, b, it.circleRec(1), x), x, a);
    case GEO_SEGMENT: {
        const segment& t = it.seg(1);
        if (SegmentSegmentCrossing(a, b, t.startPoint(), t.endPoint(), x[0]) == 0)
            return NoSolution();
        return Found(x[0]);
    }
    default:
        return NotAccepted();
    }
}

// The crossings of an arc with its second item; -1 for a kind it does not take.
int ArcCrossings(const Items& it, G_POINT x[2], G_POINT& hint)
{
    const ARC& a = it.arcRec(0);
    switch (it.code(1)) {
    case GEO_LINE:
        return ArcLineCrossings(a, it.lineRec(1), x);
    case GEO_CIRCLE:
        return ArcCircleCrossings(a, it.circleRec(1), x);
    case GEO_SEGMENT: {
        const segment& s = it.seg(1);
        hint = s.startPoint();
        return SegmentArcCrossings(a, s.startPoint(), s.endPoint(), x);
    }
    case GEO_ARC:
        return ArcArcCrossings(a, it.arcRec(1), x);
    default:
        return -1;
    }
}

// The middle of an arc is half its sweep on from the start, so that an arc
// of more than half a turn keeps its middle on the arc.
Outcome ArcKeywordPoint(const ARC& a, char keyword)
{
    switch (keyword) {
    case kStart:
        return PolarFrom(a.center, a.start, a.radius);
    case kEnd:
        return PolarFrom(a.center, a.end, a.radius);
    case kMiddle:
        return PolarFrom(a.center, NormalizeAngle(ArcSweep(a) * 0.5 + a.start), a.radius);
    default:
        return NotAccepted();
    }
}

Outcome ArcRows2(const Items& it)
{
    const ARC& a = it.arcRec(0);
    if (it.code(1) == GEO_KEYWORD_ITEM)
        return ArcKeywordPoint(a, it.keyword(1));
    if (it.code(1) == GEO_NUMBER_ITEM)
        return PolarFrom(a.center, NormalizeAngle(it.number(1) * ArcSweep(a) + a.start), a.radius);
    G_POINT x[2];
    G_POINT hint{0.0, 0.0};
    const int n = ArcCrossings(it, x, hint);
    if (n < 0)
        return NotAccepted();
    if (it.code(1) == GEO_SEGMENT)
        return NearerTo(n, x, hint);
    return FirstOf(n, x);
}

Outcome ArcRows3(const Items& it)
{
    G_POINT x[2];
    G_POINT hint{0.0, 0.0};
    if (it.isPoint(2)) {
        const int n = ArcCrossings(it, x, hint);
        return n < 0 ? NotAccepted() : NearerTo(n, x, it.pt(2));
    }
    if (it.code(2) == GEO_KEYWORD_ITEM) {
        G_POINT other;
        int n;
        if (it.code(1) == GEO_CIRCLE) {
            n = ArcCircleCrossings(it.arcRec(0), it.circleRec(1), x);
            other = it.circleRec(1).center;
        } else if (it.code(1) == GEO_ARC) {
            n = ArcArcCrossings(it.arcRec(0), it.arcRec(1), x);
            other = it.arcRec(1).center;
        } else {
            return NotAccepted();
        }
        // The side rule needs both candidates.
        if (n != 2)
            return NoSolution();
        return Found(BySide(it.arcRec(0).center, other, it.keyword(2), x));
    }
    return NotAccepted();
}

Outcome RayRows(const Items& it)
{
    const ray& r = it.rayAt(0);
    const G_POINT& o = r.origin();
    G_POINT x[2];
    if (it.count() == 3) {
        if (!it.isPoint(2))
            return NotAccepted();
        if (it.code(1) == GEO_CIRCLE)
            return NearerTo(RayCircleCrossings(o, r.direction(), it.circleRec(1), x), x, it.pt(2));
        if (it.code(1) == GEO_ARC) {
            const int n = RayArcCrossings(o, r.direction(), it.arcRec(1), x);
            if (n == 3)
                return NoSolution();
            return NearerTo(n, x, it.pt(2));
        }
        return NotAccepted();
    }
    switch (it.code(1)) {
    case GEO_NUMBER_ITEM:
        return PolarFrom(o, r.direction(), it.number(1));
    case GEO_LINE:
        if (IntersectLines(RayLine(r), it.lineRec(1), x[0]) && Ahead(r, x[0]))
            return Found(x[0]);
        return NoSolution();
    case GEO_CIRCLE:
        return NearerTo(RayCircleCrossings(o, r.direction(), it.circleRec(1), x), x, o);
    case GEO_SEGMENT: {
        const segment& s = it.seg(1);
        if (LineSegmentCrossing(s.startPoint(), s.endPoint(), RayLine(r), x[0]) == 0 || !Ahead(r, x[0]))
            return NoSolution();
        return Found(x[0]);
    }
    case GEO_ARC:
        return NearerTo(RayArcCrossings(o, r.direction(), it.arcRec(1), x), x, o);
    case GEO_RAY: {
        const ray& r2 = it.rayAt(1);
        if (IntersectLines(RayLine(r), RayLine(r2), x[0]) && Ahead(r, x[0]) && Ahead(r2, x[0]))
            return Found(x[0]);
        return NoSolution();
    }
    default:
        return NotAccepted();
    }
}

Outcome CircleRows2(const Items& it)
{
    const CIRCLE& c = it.circleRec(0);
    G_POINT x[2];
    if (it.isPoint(1)) {
        ClosestPointOnCircle(x[0], c, it.pt(1));
        return Found(x[0]);
    }
    switch (it.code(1)) {
    case GEO_CIRCLE:
        return FirstOf(IntersectCircles(c, it.circleRec(1), x), x);
    case GEO_LINE:
        return FirstOf(IntersectLineCircle(c, it.lineRec(1), x), x);
    case GEO_ANGLE:
        return PolarFrom(c.center, it.angleValue(1), c.radius);
    default:
        return NotAccepted();
    }
}

// Two candidates about `centre` chosen by the third item: a hint point, a
// keyword (sides along f -> g) or an angle.
Outcome ByThirdItem(const Items& it, int n, const G_POINT x[2], const G_POINT& centre, const G_POINT& f,
                    const G_POINT& g, bool keywordAllowed)
{
    if (n != 2)
        return FirstOf(n, x);
    if (it.isPoint(2))
        return Found(Nearer(it.pt(2), x));
    if (keywordAllowed && it.code(2) == GEO_KEYWORD_ITEM)
        return Found(BySide(f, g, it.keyword(2), x));
    if (it.code(2) == GEO_ANGLE)
        return Found(ByAngle(centre, it.angleValue(2), x));
    return NotAccepted();
}

Outcome CircleRows3(const Items& it)
{
    const CIRCLE& c = it.circleRec(0);
    G_POINT x[2];
    if (it.isPoint(1)) {
        const G_POINT& p = it.pt(1);
        const int n = TangentPointsFromPoint(c, p, x);
        if (n == 1)
            return Found(p);
        return ByThirdItem(it, n, x, c.center, p, c.center, true);
    }
    if (it.code(1) == GEO_CIRCLE) {
        const CIRCLE& c2 = it.circleRec(1);
        return ByThirdItem(it, IntersectCircles(c, c2, x), x, c.center, c.center, c2.center, true);
    }
    if (it.code(1) == GEO_LINE)
        return ByThirdItem(it, IntersectLineCircle(c, it.lineRec(1), x), x, c.center, c.center, c.center, false);
    return NotAccepted();
}

Outcome PolygonSides(const POLY* body, const G_POINT& p, double first, double last)
{
    G_POINT out;
    if (body == nullptr || body->vertices == nullptr ||
        !ClosestPointOnSides(out, body->vertices, body->count, p, static_cast<short>(first),
                             static_cast<short>(last)))
        return NoSolution();
    return Found(out);
}

// The point at distance v from p towards q.
Outcome TowardsAtDistance(const G_POINT& p, const G_POINT& q, double v)
{
    double direction;
    if (!DirectionAngle(p, q, direction))
        return NoSolution();
    return PolarFrom(p, direction, v);
}

Outcome OneItem(const Items& it)
{
    return it.isPoint(0) ? Found(it.pt(0)) : NotAccepted();
}

Outcome TwoItems(const Items& it)
{
    if (it.isPoint(0)) {
        if (!it.isPoint(1))
            return NotAccepted();
        G_POINT m;
        Midpoint(m, it.pt(0), it.pt(1));
        return Found(m);
    }
    G_POINT x;
    switch (it.code(0)) {
    case GEO_LINE:
        if (it.code(1) == GEO_LINE) {
            if (!IntersectLines(it.lineRec(0), it.lineRec(1), x))
                return NoSolution();
            return Found(x);
        }
        if (it.isPoint(1)) {
            ProjectPointOnLine(x, it.lineRec(0), it.pt(1));
            return Found(x);
        }
        return NotAccepted();
    case GEO_SEGMENT:
        return SegmentRows(it, false);
    case GEO_POLYGON:
        return it.isPoint(1) ? PolygonSides(it.polyBody(0), it.pt(1), 0, 0) : NotAccepted();
    case GEO_ARC:
        return ArcRows2(it);
    case GEO_RAY:
        return RayRows(it);
    case GEO_CIRCLE:
        return CircleRows2(it);
    default:
        return NotAccepted();
    }
}

Outcome PointFirst3(const Items& it)
{
    const G_POINT& p = it.pt(0);
    G_POINT x;
    if (it.code(1) == GEO_NUMBER_ITEM && it.code(2) == GEO_NUMBER_ITEM) {
        TranslatePoint(x, p, it.number(1), it.number(2));
        return Found(x);
    }
    if (it.code(1) == GEO_ANGLE && it.code(2) == GEO_NUMBER_ITEM)
        return PolarFrom(p, it.angleValue(1), it.number(2));
    if (!it.isPoint(1))
        return NotAccepted();
    const G_POINT& q = it.pt(1);
    if (it.code(2) == GEO_NUMBER_ITEM) {
        const double v = it.number(2);
        if (v < 1.0) {
            PointAtParameter(x, p, q, v);
            return Found(x);
        }
        return TowardsAtDistance(p, q, v);
    }
    if (it.isPoint(2)) {
        CircumCentre(x, p, q, it.pt(2));
        return Found(x);
    }
    return NotAccepted();
}

Outcome ThreeItems(const Items& it)
{
    if (it.isPoint(0))
        return PointFirst3(it);
    switch (it.code(0)) {
    case GEO_LINE: {
        if (!(it.isPoint(1) && it.code(2) == GEO_NUMBER_ITEM))
            return NotAccepted();
        const double k = it.lineRec(0).ltan;
        const double direction = std::fabs(k) < GeoDif() ? 0.0 : k >= GEO_VERTICAL ? GEO_PI_2 : std::atan(k);
        return PolarFrom(it.pt(1), direction, it.number(2));
    }
    case GEO_POLYGON:
        if (!(it.isPoint(1) && it.code(2) == GEO_NUMBER_ITEM))
            return NotAccepted();
        return PolygonSides(it.polyBody(0), it.pt(1), std::trunc(it.number(2)), std::trunc(it.number(2) + 1));
    case GEO_SEGMENT:
        return SegmentRows(it, true);
    case GEO_ARC:
        return ArcRows3(it);
    case GEO_CIRCLE:
        return CircleRows3(it);
    case GEO_RAY:
        return RayRows(it);
    default:
        return NotAccepted();
    }
}

Outcome FourItems(const Items& it)
{
    G_POINT x;
    if (it.code(0) == GEO_LINE && it.code(1) == GEO_LINE && it.code(2) == GEO_LINE &&
        it.code(3) == GEO_NUMBER_ITEM) {
        // Parallel second and third lines hold no chord: the primitive's (0, 0)
        // there is no answer.
        G_POINT corner;
        if (!IntersectLines(it.lineRec(1), it.lineRec(2), corner))
            return NoSolution();
        ParallelChordPoint(x, it.lineRec(0), it.lineRec(1), it.lineRec(2), it.number(3));
        return Found(x);
    }
    if (it.code(0) == GEO_LINE && it.isPoint(1) && it.isPoint(2) && it.code(3) == GEO_NUMBER_ITEM) {
        G_POINT forward;
        G_POINT backward;
        PointAlongLine(forward, it.lineRec(0), it.pt(1), it.number(3));
        PointAlongLine(backward, it.lineRec(0), it.pt(1), -it.number(3));
        const G_POINT& h = it.pt(2);
        return Found(PointDistance(h, forward) < PointDistance(h, backward) ? forward : backward);
    }
    if (it.code(0) == GEO_POLYGON && it.isPoint(1) && it.code(2) == GEO_NUMBER_ITEM &&
        it.code(3) == GEO_NUMBER_ITEM)
        return PolygonSides(it.polyBody(0), it.pt(1), std::trunc(it.number(2)), std::trunc(it.number(3)));
    if (it.isPoint(0) && it.isPoint(1) && it.code(2) == GEO_NUMBER_ITEM && it.code(3) == GEO_KEYWORD_ITEM) {
        if (it.keyword(3) == kParameterForm) {
            PointAtParameter(x, it.pt(0), it.pt(1), it.number(2));
            return Found(x);
        }
        return TowardsAtDistance(it.pt(0), it.pt(1), it.number(2));
    }
    return NotAccepted();
}

Outcome Construct(const Items& it)
{
    switch (it.count()) {
    case 1:
        return OneItem(it);
    case 2:
        return TwoItems(it);
    case 3:
        return ThreeItems(it);
    case 4:
        return FourItems(it);
    default:
        return NotAccepted();
    }
}

}  // namespace

bool point::operator=(const geolist& list)
{
    GeoError() = GEO_OK;
    try {
        const Outcome outcome = Construct(Items(list.body()));
        if (outcome.error != GEO_OK) {
            GeoError() = outcome.error;
            return false;
        }
        if (GeoError() != GEO_OK)  // a primitive failed on its own (memory)
            return false;
        // A primitive that divides by a vanishing length gives no point.
        if (!std::isfinite(outcome.p.x) || !std::isfinite(outcome.p.y)) {
            GeoError() = GEO_NO_SOLUTION;
            return false;
        }
        rec() = outcome.p;
        return true;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return false;
    }
}
