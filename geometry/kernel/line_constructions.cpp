#include "line_constructions.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "angle.h"
#include "angular.h"
#include "arc.h"
#include "circle.h"
#include "distances.h"
#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "segment.h"
#include "settings.h"

namespace {

// Every operation except the few that test the exact sentinel takes a slope
// of GEO_VERTICAL or more as vertical.
bool isVerticalSlope(double k) { return k >= GEO_VERTICAL; }

LINE& setVertical(LINE& out, double x)
{
    out.ltan = GEO_VERTICAL;
    out.laxe = x;
    return out;
}

LINE& setSlopeThrough(LINE& out, double k, G_POINT p)
{
    out.ltan = k;
    out.laxe = p.y - k * p.x;
    return out;
}

// Direction of p seen from c, 0 when they coincide.
double directionFrom(G_POINT c, G_POINT p)
{
    double a = 0.0;
    DirectionAngle(c, p, a);
    return a;
}

// The tangent of a circle (centre c) at its point t.
LINE& tangentAt(LINE& out, G_POINT c, G_POINT t)
{
    LINE radius;
    LineThroughPoints(c, t, radius);
    return LineAtAngleToLine(out, radius, t, GEO_PI_2);
}

LINE& lineThrough(LINE& out, G_POINT a, G_POINT b)
{
    LineThroughPoints(a, b, out);
    return out;
}

}  // namespace

bool LineThroughPoints(G_POINT a, G_POINT b, LINE& out)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (dx == 0.0) {
        setVertical(out, a.x);
        return dy != 0.0;
    }
    if (std::fabs(dx) < GeoSnap() && std::fabs(dy) > GeoSnap()) {
        setVertical(out, (a.x + b.x) / 2.0);
        return true;
    }
    const double k = dy / dx;
    if (std::fabs(k) > GEO_VERTICAL) {
        setVertical(out, (a.x + b.x) / 2.0);
        return true;
    }
    setSlopeThrough(out, k, a);
    return true;
}

LINE& LineAtAngle(LINE& out, G_POINT p, double radians)
{
    if (std::fabs(GEO_PI_2 - std::fabs(radians)) > GeoDif()) {
        const double t = std::tan(radians);
        if (t < GEO_VERTICAL)
            return setSlopeThrough(out, t, p);
    }
    return setVertical(out, p.x);
}

LINE& ParallelLine(LINE& out, LINE l, double d)
{
    out.ltan = l.ltan;
    if (l.ltan < GEO_VERTICAL && std::fabs(l.ltan) > GeoDif())
        out.laxe = l.laxe + d * std::sqrt(1.0 + l.ltan * l.ltan);
    else
        out.laxe = l.laxe + d;
    return out;
}

LINE& ParallelLineTowards(LINE& out, LINE l, G_POINT r, double d)
{
    const double k = l.ltan;
    out.ltan = k;
    if (k < GEO_VERTICAL && std::fabs(k) > GeoDif()) {
        const double s = std::sqrt(1.0 + k * k);
        const LINE plus{k, l.laxe + d * s};
        const LINE minus{k, l.laxe - d * s};
        const double u = LineDistance(plus, r);
        const double v = LineDistance(minus, r);
        // On a tie (r on l) the parallel of greater intercept.
        if (u > v + GeoSnap())
            out.laxe = d > 0.0 ? minus.laxe : plus.laxe;
        else
            out.laxe = d < 0.0 ? minus.laxe : plus.laxe;
        return out;
    }
    const double t = isVerticalSlope(k) ? r.x - l.laxe : r.y - l.laxe;
    // On a tie the parallel of smaller intercept (smaller x).
    if (std::fabs(t + d) > std::fabs(t - d) + GeoSnap())
        out.laxe = d > 0.0 ? l.laxe + d : l.laxe - d;
    else
        out.laxe = d <= 0.0 ? l.laxe + d : l.laxe - d;
    return out;
}

LINE& ParallelThroughPoint(LINE& out, LINE l, G_POINT p)
{
    out.ltan = l.ltan;
    out.laxe = isVerticalSlope(l.ltan) ? p.x : p.y - l.ltan * p.x;
    return out;
}

LINE& LineAtAngleToLine(LINE& out, LINE l, G_POINT p, double radians)
{
    if (std::fabs(std::fabs(radians) - GEO_PI_2) < GeoDif()) {
        if (isVerticalSlope(l.ltan))
            return setSlopeThrough(out, 0.0, p);
        if (std::fabs(l.ltan) >= GeoDif())
            return setSlopeThrough(out, -1.0 / l.ltan, p);
        return setVertical(out, p.x);
    }
    const double t = LineDirection(l) + radians;
    if (std::fabs(std::fabs(t) - GEO_PI_2) > GeoDif() && std::fabs(std::tan(t)) < GEO_VERTICAL)
        return setSlopeThrough(out, std::tan(t), p);
    return setVertical(out, p.x);
}

void TangentLinesAtAngle(CIRCLE c, double radians, LINE out[2])
{
    LINE through;
    LineAtAngle(through, c.center, radians);
    ParallelLine(out[0], through, -c.radius);
    ParallelLine(out[1], through, c.radius);
}

void TangentLinesParallel(CIRCLE c, LINE l, LINE out[2])
{
    LINE through;
    ParallelThroughPoint(through, l, c.center);
    ParallelLine(out[0], through, -c.radius);
    ParallelLine(out[1], through, c.radius);
}

int TangentLinesFromPoint(CIRCLE c, G_POINT p, LINE out[2])
{
    const double d = PointDistance(c.center, p);
    const double r = c.radius;
    if (std::fabs(r - d) < GeoSnap()) {
        tangentAt(out[0], c.center, p);
        return 1;
    }
    if (d > r + GeoSnap()) {
        const double f = std::atan2(c.center.y - p.y, c.center.x - p.x);
        // A negative radius must not push asin out of its domain.
        const double g = std::asin(std::clamp(r / d, -1.0, 1.0));
        LineAtAngle(out[0], p, NormalizeAngle(f - g));
        LineAtAngle(out[1], p, NormalizeAngle(f + g));
        return 2;
    }
    return 0;
}

LINE& BisectorLine(LINE& out, LINE l1, LINE l2, char other)
{
    G_POINT x{0.0, 0.0};
    if (!IntersectLines(l1, l2, x)) {
        out.ltan = l1.ltan;
        out.laxe = (l1.laxe + l2.laxe) / 2.0;
        return out;
    }
    double t = LineDirection(l1) + AngleBetweenLines(l1, l2) / 2.0;
    if (other != 0)
        t += GEO_PI_2;
    return LineAtAngle(out, x, t);
}

bool AngleBisector(LINE l1, G_POINT p1, LINE l2, G_POINT p2, G_POINT& x, double& radians)
{
    radians = 0.0;
    if (!IntersectLines(l1, l2, x)) {
        radians = LineDirection(l1);
        const double m = (l1.laxe + l2.laxe) / 2.0;
        x = l1.ltan > GEO_VERTICAL - GeoSnap() ? G_POINT{m, 0.0} : G_POINT{0.0, m};
        return true;
    }
    G_POINT a, b;
    ProjectPointOnLine(a, l1, p1);
    ProjectPointOnLine(b, l2, p2);
    double a1 = 0.0, a2 = 0.0;
    if (!DirectionAngle(x, a, a1) || !DirectionAngle(x, b, a2))
        return false;
    G_POINT u, v, w;
    PolarPoint(u, x, a1, 1.0);
    PolarPoint(v, x, a2, 1.0);
    Midpoint(w, u, v);
    radians = directionFrom(x, w);  // 0 when the arms are opposite
    return true;
}

LINE& BisectorLineAtPoint(LINE& out, LINE l1, LINE l2, G_POINT p)
{
    G_POINT foot1, foot2, x;
    ProjectPointOnLine(foot1, l1, p);
    ProjectPointOnLine(foot2, l2, p);
    double direction = 0.0;
    if (AngleBisector(l1, foot1, l2, foot2, x, direction))
        return LineAtAngle(out, x, direction);
    out = l1;
    return out;
}

bool RotateLine(LINE& l, G_POINT c, double radians)
{
    G_POINT a, b;
    if (isVerticalSlope(l.ltan)) {
        a = G_POINT{l.laxe, 0.0};
        b = G_POINT{l.laxe, 1.0};
    } else {
        a = G_POINT{0.0, LineValueAt(l, 0.0)};
        b = G_POINT{1.0, LineValueAt(l, 1.0)};
    }
    RotatePoint(a, c, radians);
    RotatePoint(b, c, radians);
    if (std::fabs(a.x - b.x) < GeoSnap()) {
        setVertical(l, (a.x + b.x) / 2.0);
        return true;
    }
    return LineThroughPoints(a, b, l);
}

void MirrorLineAboutLine(LINE& l, LINE m)
{
    // Both tests compare the angle with GeoSnap.
    const double f = AngleBetweenLines(l, m);
    if (std::fabs(f) < GeoSnap()) {
        l.laxe = 2.0 * m.laxe - l.laxe;
        return;
    }
    if (std::fabs(f - GEO_PI_2) > GeoSnap()) {
        G_POINT x;
        if (IntersectLines(l, m, x))
            LineAtAngleToLine(l, m, x, f);
    }
}

bool RadicalAxis(CIRCLE c1, CIRCLE c2, LINE& out)
{
    LINE centres;
    if (!LineThroughPoints(c1.center, c2.center, centres))
        return false;
    G_POINT p;
    RadicalAxisPoint(p, c1, c2);
    LineAtAngleToLine(out, centres, p, GEO_PI_2);
    return true;
}

LINE& CommonTangentNearAngles(LINE& out, G_POINT c1, G_POINT c2, const G_POINT t[8],
                              double a1, double a2, short k)
{
    auto gap = [](G_POINT centre, G_POINT p, double a) {
        return std::fabs(directionFrom(centre, p) - a);
    };
    if (k == 1)  // circles touching inside: the one tangent at the contact
        return tangentAt(out, c1, t[0]);
    if (k == 5) {
        if (gap(c1, t[3], a1) < gap(c1, t[1], a1))
            return lineThrough(out, t[3], t[4]);
        return lineThrough(out, t[1], t[2]);
    }
    // Inner tangents exist only for k = 8; otherwise choose among the outer.
    const bool inner = k >= 8;
    if (gap(c1, t[2], a1) < gap(c1, t[0], a1)) {
        if (inner && gap(c2, t[7], a2) < gap(c2, t[3], a2))
            return lineThrough(out, t[6], t[7]);
        return lineThrough(out, t[2], t[3]);
    }
    if (inner && gap(c2, t[5], a2) < gap(c2, t[1], a2))
        return lineThrough(out, t[4], t[5]);
    return lineThrough(out, t[0], t[1]);
}

// ---- the construction of a line from an argument list --------------------------

namespace {

// The items of an argument list, read by position. The signature names each
// item by one letter: P point object, p stored point, a angle, L line,
// C circle, S segment, A arc, n number, w keyword, ? anything else.
class ListItems {
public:
    explicit ListItems(const geolist& list)
        : body_(list.body()), count_(body_ != nullptr ? body_->length : 0)
    {
        // Only lists of up to four items are ever accepted.
        for (int i = 0; i < count_ && i < kLongest; ++i)
            signature_[i] = letter(body_->items[i].code);
    }

    int count() const { return count_; }
    // Pattern letters as in the signature; Q accepts any point item (P or p).
    bool is(const char* pattern) const
    {
        if (static_cast<int>(std::strlen(pattern)) != count_)
            return false;
        for (int i = 0; i < count_; ++i) {
            const bool pointItem = signature_[i] == 'P' || signature_[i] == 'p';
            if (pattern[i] == 'Q' ? !pointItem : pattern[i] != signature_[i])
                return false;
        }
        return true;
    }
    char letterAt(int i) const { return i < kLongest ? signature_[i] : '?'; }

    const geobject& object(int i) const { return *body_->items[i].object; }
    G_POINT pointAt(int i) const { return *ItemPoint(&body_->items[i]); }
    double number(int i) const { return body_->items[i].number; }
    char keyword(int i) const { return body_->items[i].keyword; }
    double radians(int i) const { return static_cast<const angle&>(object(i)).rad(); }
    LINE lineAt(int i) const { return static_cast<const line&>(object(i)).record(); }
    CIRCLE circleAt(int i) const { return static_cast<const circle&>(object(i)).record(); }
    ARC arcAt(int i) const { return static_cast<const arc&>(object(i)).record(); }
    const segment& segmentAt(int i) const { return static_cast<const segment&>(object(i)); }
    bool hasKeyword(char code) const
    {
        for (int i = 0; i < count_ && i < kLongest; ++i)
            if (signature_[i] == 'w' && keyword(i) == code)
                return true;
        return false;
    }

private:
    static char letter(int code)
    {
        switch (code) {
        case GEO_POINT: return 'P';
        case GEO_STORED_POINT: return 'p';
        case GEO_ANGLE: return 'a';
        case GEO_LINE: return 'L';
        case GEO_CIRCLE: return 'C';
        case GEO_SEGMENT: return 'S';
        case GEO_ARC: return 'A';
        case GEO_NUMBER_ITEM: return 'n';
        case GEO_KEYWORD_ITEM: return 'w';
        default: return '?';
        }
    }

    static constexpr int kLongest = 4;

    const geolist_pr* body_;
    int count_;
    char signature_[kLongest + 1] = {};
};

// Keyword codes the constructions read.
constexpr char kRight = 8;
constexpr char kLeft = 9;
constexpr char kOutside = 10;
constexpr char kInside = 11;  // also "FIT" and "INTERNAL"

constexpr char kNoError = GEO_OK;
constexpr char kNoSolution = GEO_NO_SOLUTION;
constexpr char kNotAccepted = GEO_BAD_ARGUMENTS;

// A list that starts like an accepted one and then goes astray: refused
// before anything is written.
bool isStrayPrefix(const ListItems& v)
{
    if (v.count() == 2 && (v.letterAt(0) == 'P' || v.letterAt(0) == 'p'))
        return !v.is("Qa") && !v.is("QQ") && !v.is("Qn");
    if (v.count() == 2 && v.letterAt(0) == 'L')
        return !v.is("Ln") && !v.is("LP") && !v.is("LL");
    if (v.count() == 3 && v.letterAt(0) == 'L' && v.letterAt(1) == 'P')
        return !v.is("LPa") && !v.is("LPn");
    return false;
}

// The candidate nearer q; a tie (or q nearer the second) takes the second.
const LINE& nearerTo(const LINE candidates[2], G_POINT q, double margin)
{
    return LineDistance(candidates[0], q) < LineDistance(candidates[1], q) - margin ? candidates[0]
                                                                                   : candidates[1];
}

// A point of the tangent: its touching point, or the foot of the centre.
G_POINT touchingPoint(const CIRCLE& c, const LINE& tangent)
{
    G_POINT found[2];
    if (IntersectLineCircle(c, tangent, found) > 0)
        return found[0];
    ProjectPointOnLine(found[0], tangent, c.center);
    return found[0];
}

// The tangent of c parallel to l on the side nearer l.
void tangentParallelNearLine(LINE& out, const CIRCLE& c, const LINE& l)
{
    LINE candidates[2];
    TangentLinesParallel(c, l, candidates);
    const double d0 = LineDistance(l, touchingPoint(c, candidates[0]));
    const double d1 = LineDistance(l, touchingPoint(c, candidates[1]));
    out = d0 < d1 - GeoSnap() ? candidates[0] : candidates[1];
}

char twoItems(LINE& out, const ListItems& v)
{
    if (v.is("Qa")) {
        LineAtAngle(out, v.pointAt(0), v.radians(1));
    } else if (v.is("QQ")) {
        if (!LineThroughPoints(v.pointAt(0), v.pointAt(1), out))
            return kNoSolution;
    } else if (v.is("Qn")) {
        LineAtAngle(out, v.pointAt(0), v.number(1));
    } else if (v.is("Ln")) {
        ParallelLine(out, v.lineAt(0), v.number(1));
    } else if (v.is("LP")) {
        ParallelThroughPoint(out, v.lineAt(0), v.pointAt(1));
    } else if (v.is("LL")) {
        BisectorLine(out, v.lineAt(0), v.lineAt(1), 0);
    } else if (v.is("SP")) {
        LINE carrier;
        const segment& s = v.segmentAt(0);
        if (!LineThroughPoints(s.startPoint(), s.endPoint(), carrier))
            return kNoSolution;
        ParallelThroughPoint(out, carrier, v.pointAt(1));
    } else if (v.is("CP")) {
        LINE tangents[2];
        if (TangentLinesFromPoint(v.circleAt(0), v.pointAt(1), tangents) == 0)
            return kNoSolution;
        out = tangents[0];
    } else if (v.is("CC")) {
        if (!RadicalAxis(v.circleAt(0), v.circleAt(1), out))
            return kNoSolution;
    } else if (v.is("CL")) {
        tangentParallelNearLine(out, v.circleAt(0), v.lineAt(1));
    } else if (v.is("An")) {
        const ARC a = v.arcAt(0);
        LineAtAngle(out, a.center, NormalizeAngle(a.start + v.number(1) * NormalizeAngle(a.end - a.start)));
    } else {
        return kNotAccepted;
    }
    return kNoError;
}

// The parallel to a segment at distance n; "RIGHT" on the side of the normal
// g + pi/2, any other keyword on the side of g - pi/2.
char segmentOffset(LINE& out, const segment& s, double n, char side)
{
    double g = 0.0;
    if (!DirectionAngle(s.startPoint(), s.endPoint(), g))
        return kNotAccepted;
    const double normal = NormalizeAngle(side == kRight ? g + GEO_PI_2 : g - GEO_PI_2);
    G_POINT base;
    PolarPoint(base, s.startPoint(), normal, n);
    LineAtAngle(out, base, g);
    return kNoError;
}

// The bisector of the angle p-q-r at q.
char vertexBisector(LINE& out, G_POINT p, G_POINT q, G_POINT r)
{
    LINE m, n;
    if (!LineThroughPoints(p, q, m) || !LineThroughPoints(q, r, n))
        return kNoSolution;
    G_POINT x;
    double direction = 0.0;
    if (AngleBisector(m, p, n, r, x, direction))
        LineAtAngle(out, x, direction);
    else
        ParallelThroughPoint(out, m, q);
    return kNoError;
}

char tangentFromPointNear(LINE& out, const CIRCLE& c, G_POINT p, G_POINT r)
{
    LINE tangents[2];
    const int found = TangentLinesFromPoint(c, p, tangents);
    if (found == 0)
        return kNoSolution;
    if (found == 1) {
        out = tangents[0];
        return kNoError;
    }
    G_POINT q;
    ClosestPointOnCircle(q, c, r);
    out = nearerTo(tangents, q, GeoSnap());
    return kNoError;
}

char threeItems(LINE& out, const ListItems& v)
{
    if (v.is("LPa")) {
        LineAtAngleToLine(out, v.lineAt(0), v.pointAt(1), v.radians(2));
    } else if (v.is("LPn")) {
        ParallelLineTowards(out, v.lineAt(0), v.pointAt(1), v.number(2));
    } else if (v.is("LLP")) {
        BisectorLineAtPoint(out, v.lineAt(0), v.lineAt(1), v.pointAt(2));
    } else if (v.is("LLw")) {
        BisectorLine(out, v.lineAt(0), v.lineAt(1), v.keyword(2) != 0 ? 1 : 0);
    } else if (v.is("Snw")) {
        return segmentOffset(out, v.segmentAt(0), v.number(1), v.keyword(2));
    } else if (v.is("PPP")) {
        return vertexBisector(out, v.pointAt(0), v.pointAt(1), v.pointAt(2));
    } else if (v.is("CPP")) {
        return tangentFromPointNear(out, v.circleAt(0), v.pointAt(1), v.pointAt(2));
    } else if (v.is("CPa")) {
        LINE tangents[2];
        TangentLinesAtAngle(v.circleAt(0), v.radians(2), tangents);
        out = nearerTo(tangents, v.pointAt(1), 0.0);
    } else if (v.is("CLP") || v.is("CLa")) {
        const CIRCLE c = v.circleAt(0);
        G_POINT r;
        if (v.is("CLP"))
            r = v.pointAt(2);
        else
            PolarPoint(r, c.center, v.radians(2), c.radius);
        LINE tangents[2];
        TangentLinesParallel(c, v.lineAt(1), tangents);
        out = nearerTo(tangents, r, 0.0);
    } else {
        return kNotAccepted;
    }
    return kNoError;
}

// The common tangents of two circles: touching points t (pairs, the point on
// the first circle first) and their count k as CommonTangentPoints gives them.
struct CommonTangents {
    CIRCLE c1, c2;
    G_POINT t[8];
    int k;

    LINE through(int i, int j) const
    {
        LINE l;
        LineThroughPoints(t[i], t[j], l);
        return l;
    }
    LINE atContact() const
    {
        LINE tangents[2];
        TangentLinesFromPoint(c1, t[0], tangents);
        return tangents[0];
    }
    bool leftOfCentres(int i) const { return PointLeftOfLine(t[i], c1.center, c2.center); }
    // Index of the point among t[first], t[first+2], ... (below k) nearest p.
    int nearestOf(int first, G_POINT p) const
    {
        int best = first;
        for (int i = first + 2; i < k; i += 2)
            if (PointDistance(p, t[i]) < PointDistance(p, t[best]))
                best = i;
        return best;
    }
};

char tangentByPointAndKeyword(LINE& out, const CommonTangents& ct, G_POINT p, char w)
{
    const auto nearer = [&](int i, int j) { return PointDistance(p, ct.t[i]) < PointDistance(p, ct.t[j]); };
    if (w == kInside) {
        if (ct.k == 4)
            return kNoSolution;
        if (ct.k == 8)
            out = nearer(4, 6) ? ct.through(4, 5) : ct.through(6, 7);
        else
            out = ct.atContact();
        return kNoError;
    }
    if (ct.k == 1)
        return kNoSolution;
    if (ct.k == 5)
        out = nearer(1, 3) ? ct.through(1, 2) : ct.through(3, 4);
    else
        out = nearer(0, 2) ? ct.through(0, 1) : ct.through(2, 3);
    return kNoError;
}

char tangentByTwoPoints(LINE& out, const CommonTangents& ct, G_POINT p, G_POINT q)
{
    if (ct.k == 1) {
        out = ct.atContact();
        return kNoError;
    }
    const int s = ct.k == 5 ? 1 : 0;
    out = ct.through(ct.nearestOf(s, p), ct.nearestOf(s + 1, q));
    return kNoError;
}

// Outer tangents with "OUTSIDE", else inner ones; "LEFT" or "RIGHT" picks the
// side of the directed line from the first centre to the second.
char tangentBySide(LINE& out, const CommonTangents& ct, const ListItems& v)
{
    const bool left = v.hasKeyword(kLeft);
    if (v.hasKeyword(kOutside)) {
        if (!left && !v.hasKeyword(kRight))
            return kNotAccepted;
        if (ct.k == 1) {  // circles touching inside share one tangent
            out = ct.atContact();
            return kNoError;
        }
        const int t = ct.k == 5 ? 1 : 0;
        const bool firstIsLeft = ct.leftOfCentres(t);
        out = firstIsLeft == left ? ct.through(t, t + 1) : ct.through(t + 2, t + 3);
        return kNoError;
    }
    if (!v.hasKeyword(kInside))
        return kNotAccepted;
    if (ct.k != 8)
        return kNoSolution;
    const bool firstIsLeft = ct.leftOfCentres(4);
    out = firstIsLeft == left ? ct.through(4, 5) : ct.through(6, 7);
    return kNoError;
}

char fourItems(LINE& out, const ListItems& v)
{
    if (v.is("LLPP")) {
        G_POINT x;
        double direction = 0.0;
        if (!AngleBisector(v.lineAt(0), v.pointAt(2), v.lineAt(1), v.pointAt(3), x, direction))
            return kNoSolution;
        LineAtAngle(out, x, direction);
        return kNoError;
    }
    const bool twoCircles = v.is("CCPw") || v.is("CCPP") || v.is("CCww") || v.is("CCaa");
    if (!twoCircles)
        return kNotAccepted;
    CommonTangents ct{v.circleAt(0), v.circleAt(1), {}, 0};
    ct.k = CommonTangentPoints(ct.c1, ct.c2, ct.t);
    if (ct.k == 0)
        return kNoSolution;
    if (v.is("CCPw"))
        return tangentByPointAndKeyword(out, ct, v.pointAt(2), v.keyword(3));
    if (v.is("CCPP"))
        return tangentByTwoPoints(out, ct, v.pointAt(2), v.pointAt(3));
    if (v.is("CCww"))
        return tangentBySide(out, ct, v);
    CommonTangentNearAngles(out, ct.c1.center, ct.c2.center, ct.t, v.radians(2), v.radians(3),
                            static_cast<short>(ct.k));
    return kNoError;
}

}  // namespace

bool line::operator=(const geolist& list)
{
    GeoError() = GEO_OK;
    const ListItems items(list);
    if (isStrayPrefix(items)) {
        GeoError() = GEO_BAD_ARGUMENTS;
        return false;
    }
    rec_.ltan = 1.0;
    char error = kNotAccepted;
    switch (items.count()) {
    case 1:
        if (list.body()->items[0].code >= GEO_ANGLE)
            error = operator=(&items.object(0)) ? kNoError : kNoSolution;
        break;
    case 2:
        error = twoItems(rec_, items);
        break;
    case 3:
        error = threeItems(rec_, items);
        break;
    case 4:
        error = fourItems(rec_, items);
        break;
    default:
        break;
    }
    if (error != kNoError)
        GeoError() = error;
    return GeoError() == GEO_OK;
}
