#include "line.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "distances.h"
#include "geoitem.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line_constructions.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr G_POINT kOrigin{0.0, 0.0};

bool isVerticalSlope(double k) { return k >= GEO_VERTICAL; }

LINE throughPoints(G_POINT a, G_POINT b)
{
    LINE l;
    LineThroughPoints(a, b, l);
    return l;
}

LINE atAngle(G_POINT p, double radians)
{
    LINE l;
    LineAtAngle(l, p, radians);
    return l;
}

// The axis of an arc: from the centre through the middle of its sweep.
LINE arcAxis(const ARC& a)
{
    const double half = NormalizeAngle(a.end - a.start) / 2.0;
    return atAngle(a.center, NormalizeAngle(a.start + half));
}

}  // namespace

// ---- construction ------------------------------------------------------------

line::line() : geobject(GEO_LINE), rec_{1.0, 0.0} {}
line::line(const line& other) : geobject(GEO_LINE), rec_(other.rec_) {}
line::line(const LINE& record) : geobject(GEO_LINE), rec_(record) {}
line::line(double slope, double intercept) : geobject(GEO_LINE), rec_{slope, intercept} {}

line::line(const point& a, const point& b) : geobject(GEO_LINE), rec_(throughPoints(a.rec(), b.rec()))
{
}

line::line(const segment& s) : geobject(GEO_LINE), rec_(throughPoints(s.startPoint(), s.endPoint()))
{
}

line::line(const poly_member& a, const poly_member& b)
    : geobject(GEO_LINE), rec_(throughPoints(a.get_point().rec(), b.get_point().rec()))
{
}

line::line(const point& p) : geobject(GEO_LINE), rec_(throughPoints(kOrigin, p.rec())) {}
line::line(const angle& direction) : geobject(GEO_LINE), rec_(atAngle(kOrigin, direction.rad())) {}
line::line(const ray& r) : geobject(GEO_LINE), rec_(atAngle(r.origin(), r.direction())) {}
line::line(const arc& a) : geobject(GEO_LINE), rec_(arcAxis(a.record())) {}

// Unusable items leave the zero record (slope 0, intercept 0).
line::line(const geoitem& item) : geobject(GEO_LINE), rec_{0.0, 0.0}
{
    const int code = item.type();
    if (code == GEO_LINE)
        rec_ = static_cast<const line*>(item.item()->object)->rec_;
    else if (code == GEO_ARC || code == GEO_STORED_ARC)
        rec_ = arcAxis(arc(item).record());
    else if (item.item() != nullptr)
        GeoError() = GEO_BAD_ARGUMENTS;
}

line::line(const line& l, double distance) : geobject(GEO_LINE), rec_(l.rec_)
{
    // Only the exact sentinel counts as vertical here.
    if (l.rec_.ltan != GEO_VERTICAL)
        rec_.laxe += distance * std::sqrt(1.0 + l.rec_.ltan * l.rec_.ltan);
    else
        rec_.laxe += distance;
}

line::line(const point& p, const line& l) : geobject(GEO_LINE), rec_(l.rec_)
{
    rec_.laxe = l.rec_.ltan == GEO_VERTICAL ? p.x() : p.y() - l.rec_.ltan * p.x();
}

line::line(const line& l, const point& p) : geobject(GEO_LINE)
{
    if (l.rec_.ltan == GEO_VERTICAL)
        rec_ = LINE{0.0, p.y()};
    else if (l.rec_.ltan == 0.0)
        rec_ = LINE{GEO_VERTICAL, p.x()};
    else
        rec_ = LINE{-1.0 / l.rec_.ltan, p.y() + p.x() / l.rec_.ltan};
}

line::line(const geolist& list) : geobject(GEO_LINE), rec_{0.0, 0.0}
{
    operator=(list);
}

line::~line() = default;

// ---- assignment ----------------------------------------------------------------

line& line::operator=(const line& other)
{
    rec_ = other.rec_;
    return *this;
}

line& line::operator=(const point& p)
{
    rec_.laxe = isVerticalSlope(rec_.ltan) ? p.x() : p.y() - rec_.ltan * p.x();
    return *this;
}

bool line::operator=(const segment& s)
{
    return LineThroughPoints(s.startPoint(), s.endPoint(), rec_);
}

bool line::operator=(const geoitem& item)
{
    if (item.type() != GEO_LINE)
        return false;
    rec_ = static_cast<const line*>(item.item()->object)->rec_;
    return true;
}

bool line::operator=(const geobject* object)
{
    if (object == nullptr)
        return false;
    switch (object->typecode()) {
    case GEO_LINE:
        rec_ = static_cast<const line*>(object)->rec_;
        return true;
    case GEO_SEGMENT:
        return operator=(*static_cast<const segment*>(object));
    case GEO_LIST:
        return operator=(*static_cast<const geolist*>(object));
    case GEO_ITEM:
        return operator=(*static_cast<const geoitem*>(object));
    default:
        return false;
    }
}

// ---- queries -------------------------------------------------------------------

double line::ltan(const line& m) const
{
    return (m.rec_.ltan - rec_.ltan) / (1.0 + rec_.ltan * m.rec_.ltan);
}

bool line::operator==(const line& other) const
{
    return std::fabs(rec_.ltan - other.rec_.ltan) < GeoSnap()
        && std::fabs(rec_.laxe - other.rec_.laxe) < GeoSnap();
}

bool line::operator!=(const line& other) const
{
    return std::fabs(rec_.ltan - other.rec_.ltan) > GeoSnap()
        || std::fabs(rec_.laxe - other.rec_.laxe) > GeoSnap();
}

bool line::operator==(const point& p) const { return p.IsOn(*this); }

bool line::IsParallel(const geobject& other) const
{
    LINE m;
    if (other.typecode() == GEO_LINE) {
        m = static_cast<const line&>(other).rec_;
    } else if (other.typecode() == GEO_SEGMENT) {
        const auto& s = static_cast<const segment&>(other);
        if (!LineThroughPoints(s.startPoint(), s.endPoint(), m))
            return false;
    } else {
        return false;
    }
    const double k1 = rec_.ltan;
    const double k2 = m.ltan;
    // Steep slopes compare by their inverses, so the sentinel meets steep lines.
    if (std::fabs(k1) > 1.0 && std::fabs(k2) > 1.0)
        return std::fabs(1.0 / k1 - 1.0 / k2) < GeoDif();
    return std::fabs(k1 - k2) < GeoDif();
}

bool line::IsVertical() const { return std::fabs(rec_.ltan - GEO_VERTICAL) < GeoDif(); }
bool line::IsHorizontal() const { return std::fabs(rec_.ltan) < GeoDif(); }
double line::signedDist(const point& p) const { return SignedLineDistance(rec_, p.rec()); }

double line::x(double y) const
{
    if (isVerticalSlope(rec_.ltan))
        return rec_.laxe;
    if (std::fabs(rec_.ltan) < GeoSnap())
        return 0.0;
    return (y - rec_.laxe) / rec_.ltan;
}

double line::y(double x) const
{
    return isVerticalSlope(rec_.ltan) ? 0.0 : rec_.ltan * x + rec_.laxe;
}

void line::SetVertical(double x) { rec_ = LINE{GEO_VERTICAL, x}; }
void line::SetHorizontal(double y) { rec_ = LINE{0.0, y}; }

// ---- transforms ----------------------------------------------------------------

geobject* line::offset(double distance)
{
    ParallelLine(rec_, rec_, distance);
    return this;
}

segment line::frame() const { return segment(kOrigin, kOrigin); }

geobject* line::scale(double fx, double fy)
{
    if (isVerticalSlope(rec_.ltan)) {
        rec_.laxe *= fx;
    } else if (std::fabs(fx) < GeoSnap()) {
        rec_.ltan = GEO_VERTICAL;  // the x extent collapses; laxe stays
    } else {
        rec_.ltan = rec_.ltan * fy / fx;
        rec_.laxe *= fy;
    }
    return this;
}

geobject* line::scale(double f)
{
    rec_.laxe *= f;
    return this;
}

geobject* line::move(double distance, const angle& direction)
{
    return move(distance * std::cos(direction.rad()), distance * std::sin(direction.rad()));
}

geobject* line::move(const angle& direction, double distance) { return move(distance, direction); }

// Re-expresses the line relative to `origin`, as every other class does.
geobject* line::move(const point& origin) { return move(-origin.x(), -origin.y()); }

geobject* line::move(double dx, double dy)
{
    if (isVerticalSlope(rec_.ltan))
        rec_.laxe += dx;
    else
        rec_.laxe += dy - rec_.ltan * dx;
    return this;
}

void line::rotateAbout(const point& centre, double radians) { RotateLine(rec_, centre.rec(), radians); }

geobject* line::rotate(double radians, const point& centre)
{
    rotateAbout(centre, NormalizeAngle(radians));
    return this;
}

geobject* line::rotate(const angle& a, const point& centre)
{
    rotateAbout(centre, a.rad());
    return this;
}

geobject* line::rotate(const point& centre, double radians) { return rotate(radians, centre); }
geobject* line::rotate(const point& centre, const angle& a) { return rotate(a, centre); }

geobject* line::mirror(const point& a, const point& b)
{
    LINE axis;
    if (LineThroughPoints(a.rec(), b.rec(), axis))
        MirrorLineAboutLine(rec_, axis);
    return this;
}

geobject* line::mirror(const line& axis)
{
    MirrorLineAboutLine(rec_, axis.rec_);
    return this;
}

geobject* line::mirror(const point& centre)
{
    if (isVerticalSlope(rec_.ltan))
        rec_.laxe = 2.0 * centre.x() - rec_.laxe;
    else
        rec_.laxe = 2.0 * (centre.y() - rec_.ltan * centre.x()) - rec_.laxe;
    return this;
}

bool line::operator>(const geobject&) const { return false; }
bool line::operator<(const geobject&) const { return false; }

// ---- crossings and pieces ------------------------------------------------------

namespace {

// The line's direction for the rays of the outside pieces.
double rayDirection(const LINE& l)
{
    if (l.ltan > 1000.0)
        return GEO_PI_2;
    if (std::fabs(l.ltan) < GeoSnap())
        return 0.0;
    return std::atan(l.ltan);
}

short crossingsInto(const LINE& l, const geobject& other, G_POINT** buffer)
{
    *buffer = nullptr;
    CrossingCapacity() = 0;
    return LineObjectCrossings(l, other, buffer, 0);
}

}  // namespace

geolist_ref line::operator%(const geobject& other) const
{
    G_POINT* buffer = nullptr;
    short n = 0;
    const short code = other.typecode();
    if (code == GEO_LINE || code == GEO_CIRCLE) {
        G_POINT found[2];
        n = code == GEO_LINE
            ? (IntersectLines(rec_, static_cast<const line&>(other).rec_, found[0]) ? 1 : 0)
            : static_cast<short>(IntersectLineCircle(static_cast<const circle&>(other).record(), rec_, found));
        if (n > 0) {
            buffer = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * n));
            if (buffer == nullptr) {
                GeoError() = GEO_NO_MEMORY;
                return geolist_ref();
            }
            for (short i = 0; i < n; ++i)
                buffer[i] = found[i];
        }
    } else if (code > GEO_POINT) {
        n = crossingsInto(rec_, other, &buffer);
    }
    return PointsResult(&buffer, n);
}

geolist_ref line::operator<<(const geobject& other)
{
    if (other.typecode() <= GEO_POINT)
        return geolist_ref();
    G_POINT* buffer = nullptr;
    const short n = crossingsInto(rec_, other, &buffer);
    // Pieces c0-c1, c2-c3, ...; an odd last crossing belongs to none.
    return PiecesResult(&buffer, n, 0, static_cast<short>(n / 2));
}

geolist_ref line::operator>>(const geobject& other)
{
    G_POINT* buffer = nullptr;
    const short n = other.typecode() > GEO_POINT ? crossingsInto(rec_, other, &buffer) : 0;
    CrossingCapacity() = 0;
    if (n < 2) {
        std::free(buffer);
        geolist whole;
        whole + *this;  // the whole line lies outside
        return geolist_ref(whole.body());
    }
    auto* store = static_cast<G_POINT*>(std::realloc(buffer, sizeof(G_POINT) * (n + 2)));
    if (store == nullptr) {
        std::free(buffer);
        GeoError() = GEO_NO_MEMORY;
        return geolist_ref();
    }
    // Piece j takes slots 2j and 2j+1: a ray back from c0, the inner segments,
    // a ray on from the last crossing that starts a piece.
    for (int i = n; i > 0; --i)
        store[i] = store[i - 1];
    store[n + 1] = kOrigin;
    const int pieces = (n + 2) / 2;
    const double w = rayDirection(rec_);
    store[1] = G_POINT{NormalizeAngle(w + GEO_PI), 0.0};
    store[2 * pieces - 1] = G_POINT{w, 0.0};
    geolist_ref result = PiecesResult(&store, static_cast<short>(n + 2), 0, static_cast<short>(pieces));
    // The outer pieces are rays: origin, then the direction in the next slot.
    geolist_pr* body = result.body();
    if (body != nullptr && body->length == pieces) {
        body->items[0].code = GEO_STORED_RAY;
        body->items[pieces - 1].code = GEO_STORED_RAY;
    }
    return result;
}

// ---- the crossing worker -------------------------------------------------------

namespace {

short addFound(const G_POINT found[2], char m, G_POINT** array, short index, double slope)
{
    return m > 0 ? AddCrossings(found[0], found[1], m, array, index, slope) : 0;
}

short crossRay(const LINE& l, const ray& r, G_POINT** array, short index)
{
    LINE carrier;
    LineAtAngle(carrier, r.origin(), r.direction());
    G_POINT x;
    if (!IntersectLines(l, carrier, x) || !PointAheadOnRay(r.origin(), r.direction(), x))
        return 0;
    return AddCrossings(x, x, 1, array, index, l.ltan);
}

// A list item as the object it stands for (stored pieces, rays, arcs and
// vertex runs through a temporary object); 0 for anything else.
short crossItem(const LINE& l, list_item& item, G_POINT** array, short index)
{
    std::unique_ptr<geobject> holder;
    const geobject* object = ItemObject(item, holder);
    return object != nullptr ? LineObjectCrossings(l, *object, array, index) : 0;
}

// Every item in list order; coinciding points of different members all stay.
short crossList(const LINE& l, const geolist_pr* body, G_POINT** array, short index)
{
    if (body == nullptr)
        return 0;
    const char savedMode = GeoInsertMode();
    GeoInsertMode() = 1;
    short count = 0;
    for (int i = 0; i < body->length; ++i) {
        list_item& item = body->items[i];
        if (item.code > GEO_POINT || item.code < GEO_STORED_POINT)
            count += crossItem(l, item, array, static_cast<short>(index + count));
    }
    GeoInsertMode() = savedMode;
    return count;
}

}  // namespace

short LineObjectCrossings(LINE l, const geobject& object, G_POINT** array, short index)
{
    G_POINT found[2] = {kOrigin, kOrigin};
    switch (object.typecode()) {
    case GEO_LINE:
        return addFound(found, IntersectLines(l, static_cast<const line&>(object).record(), found[0]),
                        array, index, l.ltan);
    case GEO_CIRCLE: {
        const int m = IntersectLineCircle(static_cast<const circle&>(object).record(), l, found);
        const bool counts = m == 2 || (m == 1 && GeoTouchMode() != 0);
        return addFound(found, counts ? static_cast<char>(m) : 0, array, index, l.ltan);
    }
    case GEO_SEGMENT: {
        const auto& s = static_cast<const segment&>(object);
        const int m = LineSegmentCrossing(s.startPoint(), s.endPoint(), l, found[0]);
        return addFound(found, static_cast<char>(m), array, index, l.ltan);
    }
    case GEO_ARC: {
        const int m = ArcLineCrossings(static_cast<const arc&>(object).record(), l, found);
        // 3 marks a touching point within the arc's range.
        const char take = m == 3 ? (GeoTouchMode() != 0 ? 1 : 0) : static_cast<char>(m);
        return addFound(found, take, array, index, l.ltan);
    }
    case GEO_POLYGON: {
        const POLY* body = static_cast<const polygon&>(object).body();
        return body != nullptr ? PolygonLineCrossings(*body, l, array, index) : 0;
    }
    case GEO_RAY:
        return crossRay(l, static_cast<const ray&>(object), array, index);
    case GEO_LIST:
        return crossList(l, static_cast<const geolist&>(object).body(), array, index);
    case GEO_LIST_REF:
        return crossList(l, static_cast<const geolist_ref&>(object).body(), array, index);
    case GEO_ITEM: {
        list_item* item = static_cast<const geoitem&>(object).item();
        return item != nullptr ? crossItem(l, *item, array, index) : 0;
    }
    default:
        return 0;
    }
}
