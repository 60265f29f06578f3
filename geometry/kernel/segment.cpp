#include "segment.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>

#include "../curves/arc.h"
#include "../curves/circle.h"
#include "../curves/polygon.h"
#include "angle.h"
#include "angular.h"
#include "distances.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "ray.h"
#include "result_lists.h"
#include "settings.h"

namespace {

// A direction or length of zero where one is needed reports code 2.
constexpr char GEO_NO_DIRECTION = 2;
constexpr char KEY_RIGHT = 8;
constexpr char KEY_LEFT = 9;
constexpr char KEY_OUTSIDE = 10;

bool SameWithin(const G_POINT& a, const G_POINT& b, double tol)
{
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol;
}

G_POINT Polar(const G_POINT& from, double direction, double distance)
{
    G_POINT out;
    return PolarPoint(out, from, direction, distance);
}

// Raw views of the items of an argument list.
struct Arguments {
    explicit Arguments(const geolist& list) : body_(list.body()), list_(list) {}

    int code(int i) const { return body_->items[i].code; }
    const geobject& object(int i) const { return *body_->items[i].object; }
    const G_POINT& pointAt(int i) const { return static_cast<const point&>(object(i)).rec(); }
    const CIRCLE& circleAt(int i) const { return static_cast<const circle&>(object(i)).record(); }
    const segment& segmentAt(int i) const { return static_cast<const segment&>(object(i)); }
    double number(int i) const { return body_->items[i].number; }
    char keyword(int i) const { return body_->items[i].keyword; }
    bool matches(std::initializer_list<int> codes) const { return ListCodesAre(list_, codes); }

private:
    const geolist_pr* body_;
    const geolist& list_;
};

// The piece of the pair (T[i], T[i+1]) or (T[j], T[j+1]) whose midpoint lies
// nearer p; a tie takes the second.
int NearerPieceIndex(const G_POINT* T, int i, int j, const G_POINT& p)
{
    G_POINT mi;
    G_POINT mj;
    Midpoint(mi, T[i], T[i + 1]);
    Midpoint(mj, T[j], T[j + 1]);
    return PointDistance(p, mi) < PointDistance(p, mj) ? i : j;
}

// The direction of s; false (GeoError 2) when its ends coincide within GeoDif.
bool UsableDirection(const segment& s, double& g)
{
    if (SameWithin(s.startPoint(), s.endPoint(), GeoDif()) || !DirectionAngle(s.startPoint(), s.endPoint(), g)) {
        GeoError() = GEO_NO_DIRECTION;
        return false;
    }
    return true;
}

} // namespace

// ---- construction ----------------------------------------------------------------

segment::segment() : geobject(GEO_SEGMENT), start_{0, 0}, end_{0, 0}, vertical_(0), horizontal_(0) {}

segment::segment(const segment& o)
    : geobject(o), start_(o.start_), end_(o.end_), vertical_(o.vertical_), horizontal_(o.horizontal_)
{
}

segment::segment(const point& a, const point& b) : segment()
{
    start_ = a.rec();
    end_ = b.rec();
    if (SameWithin(start_, end_, GeoSnap())) GeoError() = GEO_NO_SOLUTION;
    updateOrtogonality();
}

segment::segment(const G_POINT& a, const G_POINT& b) : segment()
{
    start_ = a;
    end_ = b;
    updateOrtogonality();
}

segment::segment(const arc& a) : segment()
{
    const ARC& r = a.record();
    PolarPoint(start_, r.center, r.start, r.radius);
    PolarPoint(end_, r.center, r.end, r.radius);
    updateOrtogonality();
}

segment::segment(const geoitem& item) : segment()
{
    if (!(*this = item))
        GeoError() = GEO_NO_SOLUTION;
}

segment::segment(geolist& list) : segment() { *this = list; }

segment::segment(geolist&& list) : segment() { *this = list; }

segment::~segment() = default;

segment& segment::operator=(const segment& o)
{
    geobject::operator=(o);
    start_ = o.start_;
    end_ = o.end_;
    vertical_ = o.vertical_;
    horizontal_ = o.horizontal_;
    return *this;
}

bool segment::operator=(const geoitem& item)
{
    const list_item* it = item.item();
    if (it == nullptr) return false;
    if (it->code == GEO_SEGMENT) {
        *this = *static_cast<const segment*>(it->object);
        return true;
    }
    if (it->code == GEO_STORED_PIECE) {
        move(it->stored[0], it->stored[1]);
        return true;
    }
    return false;
}

bool segment::operator=(const polygon& pg)
{
    if (pg.count() < 2) return false;
    move(*pg.get_vertex(0), *pg.get_vertex(1));
    return true;
}

bool segment::operator=(geolist&& list) { return *this = list; }

// Slot 1 stays the base's: a segment is built from a list only through its class.
bool segment::operator=(const geolist& list) { return geobject::operator=(list); }

bool segment::operator=(geolist& list)
{
    GeoError() = GEO_OK;
    bool accepted = false;
    switch (list.count()) {
    case 2: accepted = fromTwoItems(list); break;
    case 3: accepted = fromThreeItems(list); break;
    case 4: accepted = fromFourItems(list); break;
    default: break;
    }
    if (!accepted && GeoError() == GEO_OK) GeoError() = GEO_BAD_ARGUMENTS;
    updateOrtogonality();
    return GeoError() == GEO_OK;
}

void segment::shiftAlong(double normal, double d)
{
    normal = NormalizeAngle(normal);
    start_ = Polar(start_, normal, d);
    end_ = Polar(end_, normal, d);
}

bool segment::fromTwoItems(const geolist& list)
{
    const Arguments a(list);
    double g = 0;
    if (a.matches({GEO_POINT, GEO_POINT})) {
        const G_POINT& P = a.pointAt(0);
        const G_POINT& R = a.pointAt(1);
        if (SameWithin(P, R, GeoSnap()))
            GeoError() = GEO_NO_SOLUTION;
        else
            move(P, R);
        return true;
    }
    if (a.matches({GEO_SEGMENT, GEO_POINT})) {
        const segment& S = a.segmentAt(0);
        if (UsableDirection(S, g)) {
            const G_POINT& P = a.pointAt(1);
            move(P, Polar(P, g, PointDistance(S.startPoint(), S.endPoint())));
        }
        return true;
    }
    if (a.matches({GEO_SEGMENT, GEO_NUMBER_ITEM})) {
        const segment S = a.segmentAt(0);
        if (UsableDirection(S, g)) {
            *this = S;
            shiftAlong(g - GEO_PI_2, a.number(1));
        }
        return true;
    }
    if (a.matches({GEO_POLYGON, GEO_POINT}) || a.matches({GEO_POLYGON, GEO_NUMBER_ITEM})) {
        const polygon& pg = static_cast<const polygon&>(a.object(0));
        const short count = pg.count();
        short i = -1;
        if (a.code(1) == GEO_POINT)
            i = NearestSideIndex(pg.get_vertex(0), count, a.pointAt(1));
        else if (std::fabs(a.number(1)) < 32767.0)
            i = static_cast<short>(std::trunc(a.number(1)));
        // Only a side that exists: vertex i to vertex i + 1.
        if (i < 0 || i >= count - 1)
            GeoError() = GEO_NO_SOLUTION;
        else
            move(*pg.get_vertex(i), *pg.get_vertex(static_cast<short>(i + 1)));
        return true;
    }
    return false;
}

bool segment::fromThreeItems(const geolist& list)
{
    const Arguments a(list);
    double g = 0;
    if (a.matches({GEO_CIRCLE, GEO_POINT, GEO_POINT}) || a.matches({GEO_CIRCLE, GEO_POINT, GEO_KEYWORD_ITEM})) {
        const CIRCLE& C = a.circleAt(0);
        const G_POINT& P = a.pointAt(1);
        G_POINT T[2];
        if (TangentPointsFromPoint(C, P, T) < 2) {
            GeoError() = GEO_NO_SOLUTION;
            return true;
        }
        bool second = false;
        if (a.code(2) == GEO_POINT) {
            const G_POINT& R = a.pointAt(2);
            second = !(PointDistance(R, T[0]) < PointDistance(R, T[1]) - GeoSnap());
        } else {
            const bool firstLeft = PointLeftOfLine(T[0], P, C.center);
            second = (a.keyword(2) == KEY_LEFT && !firstLeft) || (a.keyword(2) == KEY_RIGHT && firstLeft);
        }
        move(P, T[second ? 1 : 0]);
        return true;
    }
    if (a.matches({GEO_CIRCLE, GEO_CIRCLE, GEO_POINT})) {
        tangentNearPoint(a.circleAt(0), a.circleAt(1), a.pointAt(2), true);
        return true;
    }
    if (a.matches({GEO_SEGMENT, GEO_POINT, GEO_NUMBER_ITEM})) {
        const segment S = a.segmentAt(0);
        if (UsableDirection(S, g)) {
            const bool left = PointLeftOfLine(a.pointAt(1), S.startPoint(), S.endPoint());
            *this = S;
            shiftAlong(left ? g + GEO_PI_2 : g - GEO_PI_2, a.number(2));
        }
        return true;
    }
    if (a.matches({GEO_SEGMENT, GEO_NUMBER_ITEM, GEO_KEYWORD_ITEM})) {
        const segment S = a.segmentAt(0);
        if (UsableDirection(S, g)) {
            *this = S;
            shiftAlong(a.keyword(2) == KEY_RIGHT ? g + GEO_PI_2 : g - GEO_PI_2, a.number(1));
        }
        return true;
    }
    if (a.matches({GEO_LINE, GEO_POINT, GEO_NUMBER_ITEM})) {
        const double d = LineDirection(static_cast<const line&>(a.object(0)).record());
        const G_POINT& P = a.pointAt(1);
        const double n = a.number(2);
        move(Polar(P, d, n / 2), Polar(P, d, -n / 2));
        return true;
    }
    if (a.matches({GEO_POINT, GEO_ANGLE, GEO_NUMBER_ITEM})) {
        const double n = a.number(2);
        if (std::fabs(n) <= GeoSnap()) {
            GeoError() = GEO_NO_DIRECTION;
            return true;
        }
        const G_POINT& P = a.pointAt(0);
        move(P, Polar(P, static_cast<const angle&>(a.object(1)).rad(), n));
        return true;
    }
    return false;
}

bool segment::fromFourItems(const geolist& list)
{
    const Arguments a(list);
    if (a.code(0) != GEO_CIRCLE || a.code(1) != GEO_CIRCLE) return false;
    const CIRCLE& C = a.circleAt(0);
    const CIRCLE& D = a.circleAt(1);
    if (a.code(2) == GEO_POINT && a.code(3) == GEO_KEYWORD_ITEM) {
        tangentNearPoint(C, D, a.pointAt(2), a.keyword(3) == KEY_OUTSIDE);
        return true;
    }
    if (a.code(2) == GEO_KEYWORD_ITEM && a.code(3) == GEO_KEYWORD_ITEM) {
        const char w1 = a.keyword(2);
        const char w2 = a.keyword(3);
        tangentBySide(C, D, w1 == KEY_OUTSIDE || w2 == KEY_OUTSIDE, w1 == KEY_LEFT || w2 == KEY_LEFT);
        return true;
    }
    // Two circles followed by anything else: no construction takes it.
    return false;
}

namespace {

// Index of the first touching point of the outer (or inner) tangent pair that
// CommonTangentPoints wrote; -1 (GeoError 1) when it wrote no such pair:
// outer tangents exist for k of 4, 5 and 8, inner ones only for k = 8.
int TangentPairStart(const CIRCLE& C, const CIRCLE& D, bool outer, G_POINT T[8])
{
    const int k = CommonTangentPoints(C, D, T);
    if ((outer && k < 4) || (!outer && k != 8)) {
        GeoError() = GEO_NO_SOLUTION;
        return -1;
    }
    return outer ? (k == 5 ? 1 : 0) : 4;
}

} // namespace

void segment::tangentNearPoint(const CIRCLE& C, const CIRCLE& D, const G_POINT& P, bool outer)
{
    G_POINT T[8];
    const int s = TangentPairStart(C, D, outer, T);
    if (s < 0) return;
    const int i = NearerPieceIndex(T, s, s + 2, P);
    move(T[i], T[i + 1]);
}

void segment::tangentBySide(const CIRCLE& C, const CIRCLE& D, bool outer, bool left)
{
    G_POINT T[8];
    const int s = TangentPairStart(C, D, outer, T);
    if (s < 0) return;
    const bool firstLeft = PointLeftOfLine(T[s], C.center, D.center);
    const int i = (firstLeft == left) ? s : s + 2;
    move(T[i], T[i + 1]);
}

// ---- access and comparison --------------------------------------------------------

point segment::start() const { return point(start_); }
point segment::end() const { return point(end_); }
point segment::middle() const { return (*this)(0.5); }
point segment::center() const { return (*this)(0.5); }

point segment::operator()(double t) const
{
    G_POINT out;
    return point(PointAtParameter(out, start_, end_, t));
}

bool segment::operator==(const segment& o) const
{
    return SameWithin(start_, o.start_, GeoSnap()) && SameWithin(end_, o.end_, GeoSnap());
}

bool segment::operator!=(const segment& o) const { return !(*this == o); }

bool segment::operator==(const point& p) const { return PointOnSegment(p.rec(), start_, end_); }

geobject* segment::move(const point& a, const point& b) { return move(a.rec(), b.rec()); }

geobject* segment::move(const G_POINT& a, const G_POINT& b)
{
    start_ = a;
    end_ = b;
    updateOrtogonality();
    return this;
}

segment& segment::operator+=(const segment& s)
{
    start_.x = std::min({start_.x, end_.x, s.start_.x, s.end_.x});
    start_.y = std::min({start_.y, end_.y, s.start_.y, s.end_.y});
    end_.x = std::max({start_.x, end_.x, s.start_.x, s.end_.x});
    end_.y = std::max({start_.y, end_.y, s.start_.y, s.end_.y});
    updateOrtogonality();
    return *this;
}

// ---- picking -------------------------------------------------------------------------

namespace {

bool ZeroWithin(double a, double b, double widen)
{
    return std::min(a, b) - widen <= 0.0 && 0.0 <= std::max(a, b) + widen;
}

} // namespace

bool segment::IsHit(const point& p, float tol) const
{
    const double h = tol / 2.0;
    const double hh = h == 0.0 ? 1.0 : h;
    const G_POINT A{start_.x - p.x(), start_.y - p.y()};
    const G_POINT B{end_.x - p.x(), end_.y - p.y()};
    if (vertical_) return std::fabs(std::trunc(A.x)) <= hh && ZeroWithin(A.y, B.y, h);
    if (horizontal_) return std::fabs(std::trunc(A.y)) <= hh && ZeroWithin(A.x, B.x, h);
    if (!ZeroWithin(A.x, B.x, h) || !ZeroWithin(A.y, B.y, h)) return false;
    const double c = std::trunc(A.x * B.y - B.x * A.y);
    const double dx = B.x - A.x;
    const double dy = B.y - A.y;
    // The line's side at the four corners of the pick square.
    const double corners[4] = {c - hh * (dy - dx), c - hh * (dx + dy), c + hh * (dx + dy), c - hh * (dx - dy)};
    int positive = 0;
    for (double v : corners)
        if (v > 0) ++positive;
    return positive != 0 && positive != 4;
}

bool segment::IsHit(const point& p, float tol, double& dist, point& nearest) const
{
    if (IsHit(p, tol)) {
        dist = tol / 2.0;
        nearest = p;
        return true;
    }
    LINE carrier;
    G_POINT foot;
    if (LineThroughPoints(start_, end_, carrier)) {
        ProjectPointOnLine(foot, carrier, p.rec());
        const double t = SegmentParameter(foot, start_, end_);
        if (t >= 0.0 && t <= 1.0) {
            dist = LineDistance(carrier, p.rec());
            nearest = foot;
            return false;
        }
    }
    const double toStart = PointDistance(p.rec(), start_);
    const double toEnd = PointDistance(p.rec(), end_);
    dist = std::min(toStart, toEnd);
    nearest = toEnd < toStart ? end_ : start_;
    return false;
}

G_POINT segment::GetClosestPoint(const G_POINT& p) const
{
    const bool vertical = std::fabs(start_.x - end_.x) < GeoSnap();
    const bool horizontal = std::fabs(start_.y - end_.y) < GeoSnap();
    if (vertical) return {start_.x, std::clamp(p.y, std::min(start_.y, end_.y), std::max(start_.y, end_.y))};
    if (horizontal) return {std::clamp(p.x, std::min(start_.x, end_.x), std::max(start_.x, end_.x)), start_.y};
    LINE carrier;
    LineThroughPoints(start_, end_, carrier);
    G_POINT foot;
    ProjectPointOnLine(foot, carrier, p);
    const G_POINT& left = start_.x < end_.x ? start_ : end_;
    const G_POINT& right = start_.x < end_.x ? end_ : start_;
    if (foot.x < left.x) return left;
    if (foot.x > right.x) return right;
    return foot;
}

// ---- transforms -----------------------------------------------------------------------

geobject* segment::offset(double d)
{
    double g = 0;
    if (SameWithin(start_, end_, GeoDif()) || !DirectionAngle(start_, end_, g)) return this;
    shiftAlong(g - GEO_PI_2, d);
    updateOrtogonality();
    return this;
}

segment segment::frame() const { return *this; }

float segment::length() const { return static_cast<float>(PointDistance(start_, end_)); }

geobject* segment::scale(double sx, double sy)
{
    start_ = {start_.x * sx, start_.y * sy};
    end_ = {end_.x * sx, end_.y * sy};
    updateOrtogonality();
    return this;
}

geobject* segment::scale(double s) { return scale(s, s); }

geobject* segment::move(double d, const angle& a) { return move(a, d); }

geobject* segment::move(const angle& a, double d)
{
    return move(Polar(start_, a.rad(), d), Polar(end_, a.rad(), d));
}

geobject* segment::move(const point& p)
{
    return move(G_POINT{start_.x - p.x(), start_.y - p.y()}, G_POINT{end_.x - p.x(), end_.y - p.y()});
}

geobject* segment::move(double dx, double dy)
{
    return move(G_POINT{start_.x + dx, start_.y + dy}, G_POINT{end_.x + dx, end_.y + dy});
}

geobject* segment::rotate(double radians, const point& c) { return rotateBy(c.rec(), NormalizeAngle(radians)); }
geobject* segment::rotate(const angle& a, const point& c) { return rotateBy(c.rec(), a.rad()); }
geobject* segment::rotate(const point& c, double radians) { return rotateBy(c.rec(), NormalizeAngle(radians)); }
geobject* segment::rotate(const point& c, const angle& a) { return rotateBy(c.rec(), a.rad()); }

geobject* segment::rotateBy(const G_POINT& c, double radians)
{
    RotatePoint(start_, c, radians);
    RotatePoint(end_, c, radians);
    updateOrtogonality();
    return this;
}

geobject* segment::mirror(const point& p, const point& q)
{
    LINE m;
    if (LineThroughPoints(p.rec(), q.rec(), m)) return mirrorIn(m);
    return this;
}

geobject* segment::mirror(const line& m) { return mirrorIn(m.record()); }

geobject* segment::mirrorIn(const LINE& m)
{
    MirrorPointAboutLine(start_, m);
    MirrorPointAboutLine(end_, m);
    updateOrtogonality();
    return this;
}

geobject* segment::mirror(const point& c)
{
    MirrorPointAboutPoint(start_, c.rec());
    MirrorPointAboutPoint(end_, c.rec());
    updateOrtogonality();
    return this;
}

bool segment::updateOrtogonality()
{
    vertical_ = std::fabs(start_.x - end_.x) < GeoSnap() ? 1 : 0;
    horizontal_ = std::fabs(start_.y - end_.y) < GeoSnap() ? 1 : 0;
    return vertical_ || horizontal_;
}

// ---- containment, crossings and pieces ------------------------------------------------

namespace {

// Whether p lies outside o, judged by the crossings of the vertical line through p.
bool OutsideAlongVertical(const G_POINT& p, const geobject& o)
{
    CrossingScope scratch;
    const short n = LineObjectCrossings(LINE{GEO_VERTICAL, p.x}, o, scratch.buffer(), 0);
    if (n < 2) return true;
    return OutsideCrossingSpans(p, scratch.points(), n, GEO_VERTICAL);
}

class TouchModeOff {
public:
    TouchModeOff() { GeoTouchMode() = 0; }
    ~TouchModeOff() { GeoTouchMode() = 1; }
};

} // namespace

bool segment::containment(const geobject& o, bool wantInside) const
{
    const TouchModeOff touchOff;
    if (wantInside && o.typecode() == GEO_SEGMENT) {
        const segment& s = static_cast<const segment&>(o);
        return PointOnSegment(start_, s.start_, s.end_) && PointOnSegment(end_, s.start_, s.end_);
    }
    if (o.typecode() <= GEO_LINE || o.typecode() == GEO_RAY) return false;
    short crossings = 0;
    {
        CrossingScope scope;
        crossings = SegmentObjectCrossings(start_, end_, o, scope.buffer(), 0);
    }
    if (crossings > 0) return false;
    G_POINT mid;
    Midpoint(mid, start_, end_);
    const bool outside = OutsideAlongVertical(mid, o);
    return wantInside ? !outside : outside;
}

bool segment::operator>(const geobject& o) const { return containment(o, false); }
bool segment::operator<(const geobject& o) const { return containment(o, true); }

geolist_ref segment::operator%(const geobject& o) const
{
    if (o.typecode() <= GEO_POINT) return EmptyResult();
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    const short n = SegmentObjectCrossings(start_, end_, o, &buffer, 0);
    return PointsResult(&buffer, n);
}

geolist_ref segment::pieces(const geobject& o, bool wantInside) const
{
    LINE carrier;
    if (o.typecode() <= GEO_LINE || !LineThroughPoints(start_, end_, carrier)) return EmptyResult();
    G_POINT* buffer = nullptr;
    CrossingCapacity() = 0;
    short m = AddCrossings(start_, end_, 2, &buffer, 0, carrier.ltan);
    if (buffer != nullptr) m = static_cast<short>(m + SegmentObjectCrossings(start_, end_, o, &buffer, m));
    if (buffer == nullptr || m < 2) {
        FreeCrossings(&buffer);
        return EmptyResult();
    }
    // The line's crossings go to a scratch buffer; its scope keeps this one's state.
    bool firstWanted = !wantInside;
    {
        CrossingScope lineCrossings;
        const short n = LineObjectCrossings(carrier, o, lineCrossings.buffer(), 0);
        if (n >= 2) {
            G_POINT mid;
            Midpoint(mid, buffer[0], buffer[1]);
            const bool outside = OutsideCrossingSpans(mid, lineCrossings.points(), n, carrier.ltan);
            firstWanted = wantInside ? !outside : outside;
        }
    }
    const short f = firstWanted ? 0 : 1;
    return PiecesResult(&buffer, m, f, static_cast<short>((m - f) / 2));
}

geolist_ref segment::operator<<(const geobject& o) { return pieces(o, true); }
geolist_ref segment::operator>>(const geobject& o) { return pieces(o, false); }

// ---- the crossing worker -----------------------------------------------------------------

short SegmentObjectCrossings(G_POINT A, G_POINT B, const geobject& object, G_POINT** buffer, short index)
{
    LINE carrier;
    if (!LineThroughPoints(A, B, carrier)) return 0;
    const double key = carrier.ltan;
    G_POINT out[2];
    // `one` adds out[0] when found; `cuts` adds out[0..n) for n of 1 or 2, nothing for another count.
    const auto one = [&](bool found) -> short {
        return found ? AddCrossings(out[0], out[0], 1, buffer, index, key) : 0;
    };
    const auto cuts = [&](int n) -> short {
        return n == 1 || n == 2 ? AddCrossings(out[0], out[1], static_cast<char>(n), buffer, index, key) : 0;
    };
    switch (object.typecode()) {
    case GEO_LINE:
        return one(LineSegmentCrossing(A, B, static_cast<const line&>(object).record(), out[0]) == 1);
    case GEO_CIRCLE:
        return cuts(SegmentCircleCrossings(A, B, static_cast<const circle&>(object).record(), out));
    case GEO_SEGMENT: {
        const segment& s = static_cast<const segment&>(object);
        return one(LineSegmentCrossing(s.startPoint(), s.endPoint(), carrier, out[0]) == 1
                   && PointInSegmentRange(out[0], A, B));
    }
    case GEO_ARC:
        return cuts(SegmentArcCrossings(static_cast<const arc&>(object).record(), A, B, out));
    case GEO_POLYGON:
        return SegmentPolygonCrossings(*static_cast<const polygon&>(object).body(), A, B, buffer, index);
    case GEO_RAY: {
        const ray& r = static_cast<const ray&>(object);
        LINE rayLine;
        LineAtAngle(rayLine, r.origin(), r.direction());
        return one(IntersectLines(carrier, rayLine, out[0]) && PointInSegmentRange(out[0], A, B)
                   && PointAheadOnRay(r.origin(), r.direction(), out[0]));
    }
    case GEO_LIST:
    case GEO_LIST_REF:
        return SumOverItems(object, [&](const geobject& item, short total) {
            return SegmentObjectCrossings(A, B, item, buffer, static_cast<short>(index + total));
        });
    case GEO_ITEM: {
        std::unique_ptr<geobject> holder;
        const geobject* item = ItemObject(static_cast<const geoitem&>(object), holder);
        return item != nullptr ? SegmentObjectCrossings(A, B, *item, buffer, index) : 0;
    }
    default:
        return 0;
    }
}
