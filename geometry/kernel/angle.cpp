#include "angle.h"

#include <algorithm>
#include <cmath>

#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "geoitem.h"
#include "geolist.h"
#include "line.h"
#include "line_constructions.h"
#include "point.h"
#include "poly_member.h"
#include "polygon.h"
#include "ray.h"
#include "result_lists.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr double kDegToRad = GEO_PI / 180.0;
constexpr double kRadToDeg = 57.29577951308232;
// GeoError 2 also tells that a direction does not exist.
constexpr char kNoDirection = 2;

// The remainder by the library's 2*pi, keeping the sign of the value.
double Wrapped(double radians) { return std::fmod(radians, GEO_2PI); }

double SnappedToZero(double v) { return std::fabs(v) < GeoDif() ? 0.0 : v; }

// The line a segment lies on; false for a segment too short to have one.
bool SegmentLine(const segment& s, LINE& out) { return LineThroughPoints(s.startPoint(), s.endPoint(), out); }

double CornerAngle(const poly_member& m)
{
    const POLY* body = m.body();
    if (body == nullptr)
        return 0.0;
    return PolygonCornerAngle(*body, m.index(), 0);
}

// What an object of the two-object constructor stands for.
struct Role {
    enum Kind { Nothing, Position, Line } kind = Nothing;
    G_POINT position{0.0, 0.0};
    LINE line{0.0, 0.0};
};

Role Classify(const geobject& o)
{
    Role role;
    switch (o.typecode()) {
    case GEO_POINT:
        role.kind = Role::Position;
        role.position = static_cast<const point&>(o).rec();
        break;
    case GEO_CIRCLE:
        role.kind = Role::Position;
        role.position = static_cast<const circle&>(o).record().center;
        break;
    case GEO_LINE:
        role.kind = Role::Line;
        role.line = static_cast<const line&>(o).record();
        break;
    case GEO_SEGMENT:
        if (SegmentLine(static_cast<const segment&>(o), role.line))
            role.kind = Role::Line;
        break;
    default:
        break;
    }
    return role;
}

// ---------------------------------------------------------------------------
// The list solver. Items arrive in descending type code.

struct ListView {
    const geolist_pr* body;
    int n;
    int code(int i) const { return body->items[i].code; }
    bool isPoint(int i) const { return code(i) == GEO_POINT || code(i) == GEO_STORED_POINT; }
    const G_POINT& pointAt(int i) const { return *ItemPoint(&body->items[i]); }
    const geobject& object(int i) const { return *body->items[i].object; }
    double angleAt(int i) const { return static_cast<const angle&>(object(i)).rad(); }
    const LINE& lineAt(int i) const { return static_cast<const line&>(object(i)).record(); }
    double number(int i) const { return body->items[i].number; }
    bool pointReadable(int i) const { return isPoint(i) && ItemPoint(&body->items[i]) != nullptr; }
};

void Fail(char code) { GeoError() = code; }

double SolveOne(const ListView& v)
{
    if (v.code(0) == GEO_LINE)
        return LineDirection(v.lineAt(0));
    if (v.code(0) == GEO_ANGLE)
        return NormalizeAngle(v.angleAt(0));
    Fail(GEO_BAD_ARGUMENTS);
    return 0.0;
}

double SolveTwo(const ListView& v)
{
    double value = 0.0;
    if (v.pointReadable(0) && v.pointReadable(1)) {
        if (!DirectionAngle(v.pointAt(0), v.pointAt(1), value))
            Fail(GEO_NO_SOLUTION);
        return value;
    }
    if (v.code(0) == GEO_POLYGON && v.pointReadable(1)) {
        const POLY* body = static_cast<const polygon&>(v.object(0)).body();
        if (body == nullptr || body->count < 1 || body->vertices == nullptr)
            Fail(GEO_BAD_ARGUMENTS);
        else if (body->count < 2)
            Fail(GEO_NO_SOLUTION);  // one vertex has no side to be normal to
        else
            value = PolygonSideNormal(*body, v.pointAt(1));
        return value;
    }
    if (v.code(0) == GEO_LINE) {
        if (v.code(1) == GEO_LINE)
            return AngleBetweenLines(v.lineAt(0), v.lineAt(1));
        if (v.pointReadable(1)) {
            if (!NormalFromPoint(v.lineAt(0), v.pointAt(1), value))
                Fail(GEO_NO_SOLUTION);
            return value;
        }
        Fail(GEO_BAD_ARGUMENTS);
        return 0.0;
    }
    if (v.code(0) == GEO_ANGLE && v.code(1) == GEO_ANGLE) {
        const double a1 = v.angleAt(0);
        return NormalizeAngle(a1 + NormalizeAngle(v.angleAt(1) - a1) / 2.0);
    }
    if (v.code(0) == GEO_ARC && v.code(1) == GEO_NUMBER_ITEM) {
        const ARC& a = static_cast<const arc&>(v.object(0)).record();
        return NormalizeAngle(a.start + v.number(1) * ArcSweep(a));
    }
    Fail(GEO_BAD_ARGUMENTS);
    return 0.0;
}

double SolveThree(const ListView& v)
{
    if (v.code(0) == GEO_ANGLE && v.code(1) == GEO_ANGLE && v.code(2) == GEO_NUMBER_ITEM) {
        const double a1 = v.angleAt(0);
        return NormalizeAngle(a1 + v.number(2) * NormalizeAngle(v.angleAt(1) - a1));
    }
    if (v.pointReadable(0) && v.pointReadable(1) && v.pointReadable(2))
        return VertexAngle(v.pointAt(0), v.pointAt(1), v.pointAt(2));
    if (v.code(0) == GEO_CIRCLE && v.pointReadable(1) && v.pointReadable(2)) {
        ARC a{};
        ArcFromCircle2Points(static_cast<const circle&>(v.object(0)).record(), v.pointAt(1), v.pointAt(2), a);
        return ArcSweep(a);
    }
    Fail(GEO_BAD_ARGUMENTS);
    return 0.0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

angle::angle() : geobject(GEO_ANGLE), value_(0.0) {}

angle::angle(const angle& other) : geobject(GEO_ANGLE), value_(other.value_) {}

angle::angle(double degrees) : geobject(GEO_ANGLE), value_(Wrapped(degrees * kDegToRad)) {}

// 'q' picks one diagonal per quadrant index: 1 -> pi/4, 2 -> -3pi/4,
// 3 and more -> -pi/4, anything else -> 3pi/4.
angle::angle(double v, char unit, UnitTag) : geobject(GEO_ANGLE), value_(0.0)
{
    if (unit == 'r') {
        value_ = Wrapped(v);
    } else if (unit == 'q') {
        const short n = static_cast<short>(v);
        if (n == 1)
            value_ = GEO_PI / 4.0;
        else if (n == 2)
            value_ = -3.0 * GEO_PI / 4.0;
        else if (n >= 3)
            value_ = -GEO_PI / 4.0;
        else
            value_ = 3.0 * GEO_PI / 4.0;
    } else {
        value_ = Wrapped(v * kDegToRad);
    }
}

angle::angle(double v, const char* unit) : angle(v, unit != nullptr ? unit[0] : '\0', UnitTag{}) {}

angle::angle(double degrees, double minutes)
    : geobject(GEO_ANGLE), value_(Wrapped((degrees + minutes / 60.0) * kDegToRad))
{
}

angle::angle(double degrees, double minutes, double seconds)
    : geobject(GEO_ANGLE), value_(Wrapped((degrees + minutes / 60.0 + seconds / 3600.0) * kDegToRad))
{
}

angle::angle(const point& p) : geobject(GEO_ANGLE), value_(0.0)
{
    if (std::fabs(p.x()) <= GeoSnap() && std::fabs(p.y()) <= GeoSnap())
        GeoError() = kNoDirection;
    else
        value_ = std::atan2(p.y(), p.x());
}

angle::angle(const point& a, const point& b) : geobject(GEO_ANGLE), value_(0.0)
{
    DirectionAngle(a.rec(), b.rec(), value_);
}

// The cosine is clamped: rounding may push it just past +-1. A zero-length
// arm has no direction: 0 and GeoError 2.
angle::angle(const point& a, const point& v, const point& b) : geobject(GEO_ANGLE), value_(0.0)
{
    const double ax = a.x() - v.x();
    const double ay = a.y() - v.y();
    const double bx = b.x() - v.x();
    const double by = b.y() - v.y();
    const double lengths = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengths == 0.0) {
        GeoError() = kNoDirection;
        return;
    }
    value_ = std::acos(std::clamp((ax * bx + ay * by) / lengths, -1.0, 1.0));
}

angle::angle(const line& l) : geobject(GEO_ANGLE), value_(LineDirection(l.record())) {}

angle::angle(const line& l1, const line& l2)
    : geobject(GEO_ANGLE), value_(AngleBetweenLines(l1.record(), l2.record()))
{
}

angle::angle(const line& l1, int s1, const line& l2, int s2)
    : geobject(GEO_ANGLE), value_(SidedLineAngle(l1.record(), s1, l2.record(), s2))
{
}

angle::angle(const segment& s) : geobject(GEO_ANGLE), value_(0.0)
{
    if (!DirectionAngle(s.startPoint(), s.endPoint(), value_))
        GeoError() = kNoDirection;
}

angle::angle(const segment& s1, const segment& s2) : geobject(GEO_ANGLE), value_(0.0)
{
    LINE l1;
    LINE l2;
    if (SegmentLine(s1, l1) && SegmentLine(s2, l2))
        value_ = AngleBetweenLines(l1, l2);
    else
        GeoError() = kNoDirection;
}

angle::angle(const geobject& a, const geobject& b) : geobject(GEO_ANGLE), value_(0.0)
{
    const Role first = Classify(a);
    const Role second = Classify(b);
    if (first.kind == Role::Nothing || second.kind == Role::Nothing) {
        GeoError() = kNoDirection;
        return;
    }
    if (first.kind == Role::Position && second.kind == Role::Position)
        DirectionAngle(first.position, second.position, value_);
    else if (first.kind == Role::Position)
        NormalFromPoint(second.line, first.position, value_);
    else if (second.kind == Role::Position)
        NormalFromPoint(first.line, second.position, value_);
    else
        value_ = AngleBetweenLines(first.line, second.line);
}

angle::angle(const ray& r) : geobject(GEO_ANGLE), value_(r.direction()) {}

angle::angle(const arc& a) : geobject(GEO_ANGLE), value_(ArcSweep(a.record())) {}

// A polygon vertex gives its corner bisector; an arc-sided run keeps vertex i
// in slot 2i and the sweep of its side in the x of slot 2i + 1.
angle::angle(const poly_member& m) : geobject(GEO_ANGLE), value_(0.0)
{
    const POLY* body = m.body();
    if (m.kind() == GEO_POLYGON) {
        value_ = CornerAngle(m);
    } else if (m.kind() == GEO_VERTEX_RUN && body != nullptr && body->vertices != nullptr &&
               m.index() >= 0) {
        const int sweepSlot = 2 * m.index() + 1;
        if (sweepSlot < body->count)
            value_ = body->vertices[sweepSlot].x;
    }
}

angle::angle(const geoitem& item) : geobject(GEO_ANGLE), value_(0.0)
{
    if (!(*this = item))
        GeoError() = GEO_BAD_ARGUMENTS;
}

angle::angle(const geolist& list) : geobject(GEO_ANGLE), value_(0.0) { *this = list; }

angle::~angle() = default;

// ---------------------------------------------------------------------------
// Assignment

angle& angle::operator=(const angle& other)
{
    value_ = other.value_;
    return *this;
}

angle& angle::operator=(double degrees)
{
    value_ = Wrapped(degrees * kDegToRad);
    return *this;
}

angle& angle::operator=(const line& l)
{
    value_ = LineDirection(l.record());
    return *this;
}

angle& angle::operator=(const arc& a)
{
    value_ = ArcSweep(a.record());
    return *this;
}

angle& angle::operator=(const poly_member& m)
{
    value_ = CornerAngle(m);
    return *this;
}

bool angle::operator=(const segment& s)
{
    double direction;
    if (!DirectionAngle(s.startPoint(), s.endPoint(), direction))
        return false;
    value_ = direction;
    return true;
}

bool angle::operator=(const geoitem& item)
{
    const list_item* raw = item.item();
    if (raw == nullptr || raw->code != GEO_ANGLE || raw->object == nullptr)
        return false;
    value_ = static_cast<const angle*>(raw->object)->value_;
    return true;
}

bool angle::operator=(const geolist& list)
{
    const geolist_pr* body = list.body();
    const ListView view{body, body != nullptr ? body->length : 0};
    double value = 0.0;
    switch (view.n) {
    case 1:
        value = SolveOne(view);
        break;
    case 2:
        value = SolveTwo(view);
        break;
    case 3:
        value = SolveThree(view);
        break;
    default:
        Fail(GEO_BAD_ARGUMENTS);
        break;
    }
    if (GeoError() != GEO_OK)
        return false;
    value_ = SnappedToZero(value);
    return true;
}

// ---------------------------------------------------------------------------
// Comparisons

bool angle::operator==(const angle& b) const
{
    return std::fabs(NormalizeAngle(std::fabs(value_ - b.value_))) < GeoDif();
}

bool angle::operator!=(const angle& b) const
{
    return std::fabs(NormalizeAngle(std::fabs(value_ - b.value_))) > GeoDif();
}

bool angle::operator<(const angle& b) const { return value_ < b.value_; }
bool angle::operator>(const angle& b) const { return value_ > b.value_; }
bool angle::operator<=(const angle& b) const { return value_ - b.value_ < GeoDif(); }
bool angle::operator>=(const angle& b) const { return value_ - b.value_ > -GeoDif(); }

namespace {
double ReducedDegrees(double degrees) { return NormalizeAngle(degrees * kDegToRad); }
}  // namespace

bool angle::operator==(double degrees) const { return std::fabs(value_ - ReducedDegrees(degrees)) < GeoDif(); }
bool angle::operator!=(double degrees) const { return std::fabs(value_ - ReducedDegrees(degrees)) > GeoDif(); }
bool angle::operator<(double degrees) const { return value_ < ReducedDegrees(degrees); }
bool angle::operator>(double degrees) const { return value_ > ReducedDegrees(degrees); }
bool angle::operator<=(double degrees) const { return value_ - ReducedDegrees(degrees) < GeoDif(); }
bool angle::operator>=(double degrees) const { return value_ - ReducedDegrees(degrees) > -GeoDif(); }

bool angle::operator==(const arc& a) const
{
    return AngleInArc(value_, a.record());
}

bool angle::operator!=(const arc& a) const { return !(*this == a); }

// ---------------------------------------------------------------------------
// Arithmetic

angle angle::operator-(const angle& b) const { return angle(NormalizeAngle(value_ - b.value_), 'r'); }

angle angle::operator-=(const angle& b)
{
    value_ = NormalizeAngle(value_ - b.value_);
    return *this;
}

angle angle::operator+=(const angle& b)
{
    value_ = NormalizeAngle(value_ + b.value_);
    return *this;
}

angle angle::operator+=(double degrees)
{
    value_ = NormalizeAngle(value_ + degrees * kDegToRad);
    return *this;
}

angle angle::operator-=(double degrees)
{
    value_ = NormalizeAngle(value_ - degrees * kDegToRad);
    return *this;
}

angle angle::operator*=(double k)
{
    value_ = NormalizeAngle(value_ * k);
    return *this;
}

angle angle::operator/=(double k)
{
    value_ = value_ / k;
    return *this;
}

angle operator+(const angle& a, const angle& b) { return angle(Wrapped(a.rad() + b.rad()), 'r'); }
angle operator+(const angle& a, double degrees) { return angle(Wrapped(a.rad() + degrees * kDegToRad), 'r'); }
angle operator+(double degrees, const angle& a) { return a + degrees; }
angle operator-(const angle& a, double degrees) { return angle(Wrapped(a.rad() - degrees * kDegToRad), 'r'); }
angle operator-(double degrees, const angle& a) { return angle(Wrapped(degrees * kDegToRad - a.rad()), 'r'); }
angle operator*(const angle& a, double k) { return angle(Wrapped(a.rad() * k), 'r'); }
angle operator*(double k, const angle& a) { return a * k; }
angle operator/(const angle& a, double k) { return angle(Wrapped(a.rad() / k), 'r'); }

double abs(const angle& a) { return std::fabs(a.rad() * kRadToDeg); }

// ---------------------------------------------------------------------------
// Readings

double angle::deg() const { return value_ * kRadToDeg; }

angle::operator double() const { return deg(); }

double angle::sin() const { return SnappedToZero(std::sin(value_)); }
double angle::cos() const { return SnappedToZero(std::cos(value_)); }
double angle::tan() const { return SnappedToZero(std::tan(value_)); }
double angle::atan() const { return SnappedToZero(std::atan(value_)); }

// 0: (0, pi/2]; 1: above pi/2; 2: below -pi/2; 3: [-pi/2, 0].
char angle::quadrant() const
{
    if (value_ > GEO_PI_2)
        return 1;
    if (value_ > 0.0)
        return 0;
    if (value_ < -GEO_PI_2)
        return 2;
    return 3;
}

// Axis-aligned: within tol of the nearest multiple of a quarter turn, on
// either side of it (0 included).
bool angle::IsOrtho(double tol) const
{
    return std::fabs(std::remainder(value_, GEO_PI_2)) < tol;
}

// ---------------------------------------------------------------------------
// Transforms: only turning and mirroring change a direction.

geobject* angle::offset(double) { return this; }

segment angle::frame() const { return segment(); }

geobject* angle::scale(double fx, double fy)
{
    if (fx == 0.0 && fy == 0.0)
        return this;
    value_ = std::atan2(std::sin(value_) * fy, std::cos(value_) * fx);
    return this;
}

geobject* angle::scale(double) { return this; }
geobject* angle::move(double, const angle&) { return this; }
geobject* angle::move(const angle&, double) { return this; }
geobject* angle::move(const point&) { return this; }
geobject* angle::move(double, double) { return this; }

geobject* angle::rotate(const point&, const angle& a)
{
    value_ = NormalizeAngle(value_ + a.value_);
    return this;
}

geobject* angle::rotate(const angle& a, const point& centre) { return rotate(centre, a); }

geobject* angle::rotate(const point&, double radians)
{
    value_ = NormalizeAngle(value_ + NormalizeAngle(radians));
    return this;
}

geobject* angle::rotate(double radians, const point& centre) { return rotate(centre, radians); }

geobject* angle::mirror(const point& p, const point& q)
{
    double t;
    if (DirectionAngle(p.rec(), q.rec(), t))
        value_ = NormalizeAngle(2.0 * t - value_);
    return this;
}

geobject* angle::mirror(const line& axis)
{
    value_ = NormalizeAngle(2.0 * std::atan(axis.ltan()) - value_);
    return this;
}

geobject* angle::mirror(const point&)
{
    value_ = NormalizeAngle(value_ + GEO_PI);
    return this;
}

bool angle::operator>(const geobject&) const { return false; }
bool angle::operator<(const geobject&) const { return false; }

geolist_ref angle::operator%(const geobject&) const { return EmptyResult(); }
geolist_ref angle::operator<<(const geobject&) { return EmptyResult(); }
geolist_ref angle::operator>>(const geobject&) { return EmptyResult(); }
