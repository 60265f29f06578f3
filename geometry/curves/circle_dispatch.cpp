// circle::operator=(geolist const&): picks the circle construction from the
// length of the list and the sequence of its item kinds. Where the list gives
// no hint, the circle's present centre is the hint, so that solving again
// keeps the solution nearest to the previous one.
#include <cmath>
#include <cstring>
#include <new>
#include <utility>

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
#include "line_constructions.h"
#include "ray.h"
#include "segment.h"
#include "settings.h"

namespace {

constexpr int kMaxItems = 7;
constexpr double kQuarterTurn = 0.7853981633974483;  // pi/4
constexpr double kHintDistance = 100.0;

enum class Outcome { solved, noSolution, rejected };

Outcome solvedIf(bool ok) { return ok ? Outcome::solved : Outcome::noSolution; }

// The items of a construction list, each with a one-letter kind:
// K keyword, V number, A angle, P point (or stored point), L line, C circle,
// S segment, R arc, Y ray, ? anything else.
class Arguments {
public:
    explicit Arguments(const geolist& list) : count_(list.count())
    {
        for (int i = 0; i < count_ && i < kMaxItems; ++i) {
            items_[i] = list[static_cast<short>(i)].item();
            kinds_[i] = kindOf(items_[i]);
        }
        kinds_[count_ >= 0 && count_ <= kMaxItems ? count_ : 0] = '\0';
    }

    int count() const { return count_; }
    bool is(const char* sequence) const { return std::strcmp(kinds_, sequence) == 0; }
    char kind(int i) const { return kinds_[i]; }
    list_item* item(int i) const { return items_[i]; }

    G_POINT P(int i) const { return *ItemPoint(items_[i]); }
    LINE L(int i) const { return static_cast<const line*>(items_[i]->object)->record(); }
    CIRCLE C(int i) const
    {
        if (kinds_[i] == 'R') {
            const ARC& a = static_cast<const arc*>(items_[i]->object)->record();
            return {a.center, a.radius};
        }
        return static_cast<const circle*>(items_[i]->object)->record();
    }
    double V(int i) const { return items_[i]->number; }
    char K(int i) const { return items_[i]->keyword; }
    double A(int i) const { return static_cast<const angle*>(items_[i]->object)->rad(); }
    G_POINT S1(int i) const { return static_cast<const segment*>(items_[i]->object)->startPoint(); }
    G_POINT S2(int i) const { return static_cast<const segment*>(items_[i]->object)->endPoint(); }
    const ray& Y(int i) const { return *static_cast<const ray*>(items_[i]->object); }

private:
    static char kindOf(const list_item* item)
    {
        if (item == nullptr)
            return '?';
        switch (item->code) {
            case GEO_KEYWORD_ITEM: return 'K';
            case GEO_NUMBER_ITEM: return 'V';
            case GEO_ANGLE: return 'A';
            case GEO_POINT:
            case GEO_STORED_POINT: return 'P';
            case GEO_LINE: return 'L';
            case GEO_CIRCLE: return 'C';
            case GEO_SEGMENT: return 'S';
            case GEO_ARC: return 'R';
            case GEO_RAY: return 'Y';
            default: return '?';  // codes 5, 6 and 7 are carried by no class
        }
    }

    int count_;
    list_item* items_[kMaxItems] = {};
    char kinds_[kMaxItems + 1] = {};
};

bool isCenterKeyword(char k) { return k == GEO_KW_CENTER || k == GEO_KW_CENTER_1ST; }
bool isSideKeyword(char k) { return k == GEO_KW_RIGHT || k == GEO_KW_LEFT; }
bool isTangencyKeyword(char k)
{
    return k == GEO_KW_EXTERNAL || k == GEO_KW_INTERNAL || k == GEO_KW_ENVELOPS;
}

// The two lines of an L L row in the order its keyword names: "CENTER" keeps
// the list's order, "CENTER_1ST" swaps it; false for any other keyword.
bool centreLineOrder(const Arguments& a, char k, LINE& first, LINE& second)
{
    if (!isCenterKeyword(k))
        return false;
    const bool inOrder = k == GEO_KW_CENTER;
    first = a.L(inOrder ? 0 : 1);
    second = a.L(inOrder ? 1 : 0);
    return true;
}

// Side and tangency from keywords: the first side keyword is the side; the
// first other keyword naming a tangency is the tangency.
void sideAndTangency(const char* keywords, int n, char& side, char& tangency)
{
    side = 0;
    tangency = 0;
    for (int i = 0; i < n; ++i) {
        if (side == 0 && isSideKeyword(keywords[i]))
            side = keywords[i];
        else if (tangency == 0 && isTangencyKeyword(keywords[i]))
            tangency = keywords[i];
    }
}

// ---- one, two and three items ----------------------------------------------

Outcome gapCircle(CIRCLE c, LINE l, CIRCLE& out)
{
    G_POINT foot;
    ProjectPointOnLine(foot, l, c.center);
    const double u = PointDistance(foot, c.center);
    if (!(u > GeoSnap()))
        return Outcome::noSolution;
    const double radius = std::fabs(u - c.radius) * 0.5;
    double direction = 0.0;
    if (u > c.radius)
        DirectionAngle(foot, c.center, direction);
    else
        DirectionAngle(c.center, foot, direction);
    G_POINT centre;
    PolarPoint(centre, foot, direction, radius);
    out = {centre, radius};
    return Outcome::solved;
}

Outcome twoItems(const Arguments& a, CIRCLE& out)
{
    if (a.is("PP")) {
        out = CircleFromCenterPoint(a.P(0), a.P(1));
        return Outcome::solved;
    }
    if (a.is("PV")) {
        out = {a.P(0), a.V(1)};
        return Outcome::solved;
    }
    if (a.is("LP"))
        return solvedIf(CircleFromCenterLine(a.L(0), a.P(1), out));
    if (a.is("SV")) {
        out = CircleFromSegmentRadius(a.S1(0), a.S2(0), a.V(1), GEO_KW_END, GEO_KW_LEFT);
        return Outcome::solved;
    }
    if (a.is("CP")) {
        const CIRCLE c = a.C(0);
        out = {a.P(1), std::fabs(PointDistance(a.P(1), c.center) - c.radius)};
        return Outcome::solved;
    }
    if (a.is("CV")) {
        const CIRCLE c = a.C(0);
        out = {c.center, std::fabs(c.radius - a.V(1))};
        return Outcome::solved;
    }
    if (a.is("CL"))
        return gapCircle(a.C(0), a.L(1), out);
    return Outcome::rejected;
}

Outcome diameterCircle(G_POINT p1, G_POINT p2, CIRCLE& out)
{
    const double half = PointDistance(p1, p2) * 0.5;
    if (!(half > GeoSnap()))
        return Outcome::noSolution;
    G_POINT centre;
    PointAtParameter(centre, p1, p2, 0.5);
    out = {centre, half};
    return Outcome::solved;
}

Outcome threeItems(const Arguments& a, G_POINT present, CIRCLE& out)
{
    if (a.is("PPP"))
        return solvedIf(CircleFrom3Points(a.P(0), a.P(1), a.P(2), out));
    if (a.is("PPA"))
        return solvedIf(CircleFrom2PointsAngle(a.P(0), a.P(1), a.A(2), out));
    if (a.is("PPV"))
        return solvedIf(CircleFrom2PointsRadius(a.P(0), a.P(1), present, a.V(2), out));
    if (a.is("PPK"))
        return a.K(2) == GEO_KW_INTERNAL ? diameterCircle(a.P(0), a.P(1), out) : Outcome::rejected;
    if (a.is("LPV"))
        return solvedIf(CircleFromLinePointRadius(a.L(0), a.P(1), present, a.V(2), out));
    if (a.is("LPP"))
        return solvedIf(CircleFromLine2Points(a.L(0), a.P(1), a.P(2), out));
    if (a.is("LLP"))
        return solvedIf(CircleFrom2LinesPoint(a.L(0), a.L(1), a.P(2), a.P(2), out));
    if (a.is("LLL"))
        return solvedIf(CircleFrom3Lines(a.L(0), a.L(1), a.L(2), present, out));
    if (a.is("CLP"))
        return solvedIf(CircleFromCircleLinePoint(a.C(0), a.L(1), a.P(2), a.P(2), 0, out));
    if (a.is("CLL"))
        return solvedIf(CircleFromCircle2Lines(a.C(0), a.L(1), a.L(2), &present, 0, out));
    if (a.is("CCV"))
        return solvedIf(
            CircleFrom2CirclesRadius(a.C(0), a.C(1), nullptr, a.V(2), 0, GEO_KW_RIGHT, out));
    if (a.is("CCP"))
        return solvedIf(CircleFrom2CirclesPoint(a.C(0), a.C(1), a.P(2), a.P(2), 0, out));
    if (a.is("CCC"))
        return solvedIf(CircleFrom3Circles(a.C(0), a.C(1), a.C(2), 0, out));
    if (a.is("CPK")) {
        out = CircleFromCenterCircle(a.C(0), a.P(1), a.K(2));
        return Outcome::solved;
    }
    if (a.is("SPV")) {
        out = CircleFromSegmentPointRadius(a.S1(0), a.S2(0), a.P(1), a.V(2), GEO_KW_LEFT);
        return Outcome::solved;
    }
    return Outcome::rejected;
}

// ---- four items -------------------------------------------------------------

// A hint 100 units from p1, 45 degrees left ("LEFT") or right of the chord.
Outcome chordSideHint(G_POINT p1, G_POINT p2, char keyword, G_POINT& hint)
{
    double a = 0.0;
    if (!DirectionAngle(p1, p2, a))
        return Outcome::noSolution;
    a = NormalizeAngle(keyword == GEO_KW_LEFT ? a + kQuarterTurn : a - kQuarterTurn);
    PolarPoint(hint, p1, a, kHintDistance);
    return Outcome::solved;
}

Outcome fourPointRows(const Arguments& a, CIRCLE& out)
{
    if (a.is("PPVK")) {
        G_POINT hint;
        if (chordSideHint(a.P(0), a.P(1), a.K(3), hint) != Outcome::solved)
            return Outcome::noSolution;
        return solvedIf(CircleFrom2PointsRadius(a.P(0), a.P(1), hint, a.V(2), out));
    }
    if (a.is("PPPV"))
        return solvedIf(CircleFrom2PointsRadius(a.P(0), a.P(1), a.P(2), a.V(3), out));
    if (a.is("PPPK")) {
        if (a.K(3) == GEO_KW_INTERNAL)
            return solvedIf(CircleFrom3PointsInside(a.P(0), a.P(1), a.P(2), out));
        if (a.K(3) == GEO_KW_EXTERNAL)
            return solvedIf(CircleFrom3Points(a.P(0), a.P(1), a.P(2), out));
    }
    return Outcome::rejected;
}

Outcome fourLineRows(const Arguments& a, G_POINT present, CIRCLE& out)
{
    if (a.is("LLPV"))
        return solvedIf(CircleFrom2LinesPointRadius(a.L(0), a.L(1), a.P(2), a.V(3), out));
    if (a.is("LLPP"))
        return solvedIf(CircleFrom2LinesPoint(a.L(0), a.L(1), a.P(2), a.P(3), out));
    if (a.is("LLPK") || a.is("LLVK")) {
        LINE first, second;
        if (!centreLineOrder(a, a.K(3), first, second))
            return Outcome::noSolution;
        if (a.kind(2) == 'P')
            return solvedIf(CircleFrom2LinesPointCenterOnLine(first, second, a.P(2), present, out));
        return solvedIf(CircleFrom2LinesRadiusCenterOnLine(first, second, present, a.V(2), out));
    }
    if (a.is("LPPK")) {
        if (a.K(3) != GEO_KW_CENTER)
            return Outcome::rejected;
        out = CircleFromLine2PointsCenter(a.L(0), a.P(1), a.P(2));
        return Outcome::solved;
    }
    if (a.is("LPPV"))
        return solvedIf(CircleFromLinePointRadius(a.L(0), a.P(1), a.P(2), a.V(3), out));
    if (a.is("LPAV"))
        return solvedIf(CircleFromLinePointAngleRadius(a.L(0), a.P(1), a.A(2), a.V(3), out));
    return Outcome::rejected;
}

Outcome fourCircleRows(const Arguments& a, G_POINT present, CIRCLE& out)
{
    if (a.is("CCPV")) {
        const G_POINT hint = a.P(2);
        return solvedIf(CircleFrom2CirclesRadius(a.C(0), a.C(1), &hint, a.V(3), -1, 0, out));
    }
    if (a.is("CCPP"))
        return solvedIf(CircleFrom2CirclesPoint(a.C(0), a.C(1), a.P(2), a.P(3), 0, out));
    if (a.is("CCCK"))
        return solvedIf(CircleFrom3Circles(a.C(0), a.C(1), a.C(2), a.K(3), out));
    if (a.is("CCVK"))
        return solvedIf(CircleFrom2CirclesRadius(a.C(0), a.C(1), nullptr, a.V(2), a.K(3), 0, out));
    if (a.is("CLPV")) {
        const G_POINT hint = a.P(2);
        return solvedIf(CircleFromCircleLineRadius(a.C(0), a.L(1), &hint, a.V(3), -1, 0, out));
    }
    if (a.is("CLPP"))
        return solvedIf(CircleFromCircleLinePoint(a.C(0), a.L(1), a.P(2), a.P(3), 0, out));
    if (a.is("CLPK")) {
        if (a.K(3) == GEO_KW_CENTER)
            return solvedIf(CircleFromCircleLinePointCenter(a.C(0), a.L(1), a.P(2), present, 0, out));
        if (a.K(3) == GEO_KW_CENTER_1ST)
            return solvedIf(CircleFromCircleLinePointCenterFirst(a.C(0), a.L(1), a.P(2), present, out));
        return Outcome::rejected;
    }
    if (a.is("CLVK")) {
        if (isCenterKeyword(a.K(3)))
            return solvedIf(CircleFromCircleLineRadiusCenter(a.C(0), a.L(1), present, a.V(2), out));
        return solvedIf(CircleFromCircleLineRadius(a.C(0), a.L(1), nullptr, a.V(2), 0, a.K(3), out));
    }
    if (a.is("CLLK"))
        return solvedIf(CircleFromCircle2Lines(a.C(0), a.L(1), a.L(2), &present, a.K(3), out));
    if (a.is("CLLP")) {
        const G_POINT hint = a.P(3);
        return solvedIf(CircleFromCircle2Lines(a.C(0), a.L(1), a.L(2), &hint, 0, out));
    }
    if (a.is("CPVK"))
        return solvedIf(
            CircleFromCirclePointRadiusKeyword(a.C(0), a.P(1), a.P(1), a.V(2), a.K(3), out));
    if (a.is("CPPK"))
        return solvedIf(CircleFromCircle2PointsKeyword(a.C(0), a.P(1), a.P(2), a.K(3), out));
    if (a.is("SPVK")) {
        out = CircleFromSegmentPointRadius(a.S1(0), a.S2(0), a.P(1), a.V(2), a.K(3));
        return Outcome::solved;
    }
    if (a.is("SVKK")) {
        out = CircleFromSegmentRadius(a.S1(0), a.S2(0), a.V(1), a.K(2), a.K(3));
        return Outcome::solved;
    }
    return Outcome::rejected;
}

Outcome fourItems(const Arguments& a, G_POINT present, CIRCLE& out)
{
    switch (a.kind(0)) {
        case 'P': return fourPointRows(a, out);
        case 'L': return fourLineRows(a, present, out);
        default: return fourCircleRows(a, present, out);
    }
}

// ---- five items -------------------------------------------------------------

Outcome fiveLineRows(const Arguments& a, CIRCLE& out)
{
    if (a.is("LLPPV"))
        return solvedIf(
            CircleFrom2LinesPointsRadius(a.L(0), a.P(2), a.L(1), a.P(3), a.V(4), out));
    if (a.is("LLPVK")) {
        LINE first, second;
        if (!centreLineOrder(a, a.K(4), first, second))
            return Outcome::rejected;
        return solvedIf(CircleFrom2LinesRadiusCenterOnLine(first, second, a.P(2), a.V(3), out));
    }
    if (a.is("LLLPK")) {
        if (a.K(4) != GEO_KW_CENTER)
            return Outcome::rejected;
        return solvedIf(CircleFrom3LinesCenterOnFirst(a.L(0), a.L(1), a.L(2), a.P(3), out));
    }
    if (a.is("LPPVK")) {
        if (a.K(4) != GEO_KW_TANGENT)
            return Outcome::rejected;
        return solvedIf(CircleFromLine2PointsRadius(a.L(0), a.P(1), a.P(2), a.V(3), out));
    }
    return Outcome::rejected;
}

Outcome fiveCircleLineRows(const Arguments& a, CIRCLE& out)
{
    const CIRCLE c = a.C(0);
    if (a.is("CLLPP"))
        return solvedIf(CircleFromCircle2LinesNearPoints(c, a.L(1), a.L(2), a.P(3), a.P(4), nullptr, out));
    if (a.is("CLLPK")) {
        const G_POINT p = a.P(3);
        if (a.K(4) == GEO_KW_CENTER)
            return solvedIf(CircleFromCircle2LinesTangency(c, a.L(1), a.L(2), &p, 0, 0, out));
        return solvedIf(CircleFromCircle2Lines(c, a.L(1), a.L(2), &p, a.K(4), out));
    }
    if (a.is("CLPVK")) {
        const G_POINT p = a.P(2);
        if (a.K(4) == GEO_KW_CENTER)
            return solvedIf(CircleFromCircleLinePointRadiusCenter(c, a.L(1), &p, a.V(3), -1, 0, out));
        if (a.K(4) == GEO_KW_CENTER_1ST)
            return solvedIf(CircleFromCircleLineRadiusCenter(c, a.L(1), p, a.V(3), out));
        return solvedIf(CircleFromCircleLineRadius(c, a.L(1), &p, a.V(3), a.K(4), 0, out));
    }
    if (a.is("CLPPK"))
        return solvedIf(CircleFromCircleLinePoint(c, a.L(1), a.P(2), a.P(3), a.K(4), out));
    if (a.is("CLVKK")) {
        const char keywords[2] = {a.K(3), a.K(4)};
        char side = 0, tangency = 0;
        sideAndTangency(keywords, 2, side, tangency);
        return solvedIf(CircleFromCircleLineRadius(c, a.L(1), nullptr, a.V(2), tangency, side, out));
    }
    return Outcome::rejected;
}

Outcome fiveTwoCircleRows(const Arguments& a, G_POINT present, CIRCLE& out)
{
    const CIRCLE c1 = a.C(0);
    const CIRCLE c2 = a.C(1);
    if (a.is("CCLPK")) {
        if (a.K(4) == GEO_KW_CENTER)
            return solvedIf(CircleFrom2CirclesCenterOnLine(c1, c2, a.L(2), a.P(3), 0, out));
        return solvedIf(CircleFrom2CirclesLine(c1, c2, a.L(2), a.P(3), a.K(4), out));
    }
    if (a.is("CCLKK")) {
        if (a.K(3) == GEO_KW_CENTER)
            return solvedIf(CircleFrom2CirclesCenterOnLine(c1, c2, a.L(2), present, a.K(4), out));
        return solvedIf(
            CircleFrom2CirclesLine(c1, c2, a.L(2), present, TangencyMode(a.K(3), a.K(4)), out));
    }
    if (a.is("CCPVK")) {
        const G_POINT hint = a.P(2);
        return solvedIf(CircleFrom2CirclesRadius(c1, c2, &hint, a.V(3), a.K(4), 0, out));
    }
    if (a.is("CCPKK")) {
        const signed char m = TangencyMode(a.K(3), a.K(4));
        if (m < 0)
            return Outcome::noSolution;
        const double r = TangentCircleRadius(c1, c2, m);
        if (!(r >= GeoSnap()))
            return Outcome::noSolution;
        const G_POINT hint = a.P(2);
        return solvedIf(CircleFrom2CirclesRadius(c1, c2, &hint, r, m, 0, out));
    }
    if (a.is("CCPPV")) {
        G_POINT hint;
        PointAtParameter(hint, a.P(2), a.P(3), 0.5);
        return solvedIf(CircleFrom2CirclesRadius(c1, c2, &hint, a.V(4), -1, 0, out));
    }
    if (a.is("CCPPK"))
        return solvedIf(CircleFrom2CirclesPoint(c1, c2, a.P(2), a.P(3), a.K(4), out));
    return Outcome::rejected;
}

Outcome fiveItems(const Arguments& a, G_POINT present, CIRCLE& out)
{
    if (a.kind(0) == 'L')
        return fiveLineRows(a, out);
    if (a.is("CPPVK"))
        return solvedIf(
            CircleFromCirclePointRadiusKeyword(a.C(0), a.P(1), a.P(2), a.V(3), a.K(4), out));
    if (a.kind(0) == 'C' && a.kind(1) == 'C')
        return fiveTwoCircleRows(a, present, out);
    if (a.kind(0) == 'C')
        return fiveCircleLineRows(a, out);
    return Outcome::rejected;
}

// ---- six and seven items ----------------------------------------------------

// Three objects, each touched near its own point.
Outcome nearPoints(const Arguments& a, CIRCLE& out)
{
    struct Touched {
        bool isCircle;
        CIRCLE c;
        LINE l;
        G_POINT p;
    } objects[3];
    for (int i = 0; i < 3; ++i) {
        Touched& t = objects[i];
        t.p = a.P(i + 3);
        t.isCircle = a.kind(i) == 'C' || a.kind(i) == 'R';
        if (t.isCircle) {
            t.c = a.C(i);
        } else if (a.kind(i) == 'L') {
            t.l = a.L(i);
        } else if (a.kind(i) == 'S') {
            if (!LineThroughPoints(a.S1(i), a.S2(i), t.l))
                return Outcome::noSolution;
        } else if (a.kind(i) == 'Y') {
            LineAtAngle(t.l, a.Y(i).origin(), a.Y(i).direction());
        } else {
            return Outcome::rejected;
        }
    }
    // Circles first, lines after, each kind in list order.
    for (int i = 1; i < 3; ++i)
        for (int j = i; j > 0 && objects[j].isCircle && !objects[j - 1].isCircle; --j)
            std::swap(objects[j], objects[j - 1]);
    const int circles = objects[0].isCircle + objects[1].isCircle + objects[2].isCircle;
    const Touched& o0 = objects[0];
    const Touched& o1 = objects[1];
    const Touched& o2 = objects[2];
    switch (circles) {
        case 0: return solvedIf(CircleFrom3LinesNearPoints(o0.l, o1.l, o2.l, o0.p, o1.p, o2.p, out));
        case 1:
            return solvedIf(CircleFromCircle2LinesNearPoints(o0.c, o1.l, o2.l, o1.p, o2.p, &o0.p, out));
        case 2: {
            const signed char m = TangencyFromHints(o0.c, o1.c, o0.p, o1.p);
            return solvedIf(CircleFrom2CirclesLine(o0.c, o1.c, o2.l, o2.p, m, out));
        }
        default: {
            const int m0 = TangencyFromHints(o0.c, o1.c, o0.p, o1.p);
            const int m1 = TangencyFromHints(o2.c, o0.c, o2.p, o0.p);
            const auto mode = static_cast<signed char>(((m1 & 3) * 16 + m0) & 0xFF);
            return solvedIf(CircleFrom3Circles(o0.c, o1.c, o2.c, mode, out));
        }
    }
}

Outcome sixItems(const Arguments& a, CIRCLE& out)
{
    if (a.kind(3) == 'P' && a.kind(4) == 'P' && a.kind(5) == 'P')
        return nearPoints(a, out);
    if (a.is("CCLPKK")) {
        if (a.K(4) != GEO_KW_CENTER)
            return Outcome::rejected;
        return solvedIf(CircleFrom2CirclesCenterOnLine(a.C(0), a.C(1), a.L(2), a.P(3), a.K(5), out));
    }
    if (a.is("CCPVKK") || a.is("CCPPKK")) {
        const signed char m = TangencyMode(a.K(4), a.K(5));
        if (m < 0)
            return Outcome::noSolution;
        if (a.kind(3) == 'V') {
            const G_POINT hint = a.P(2);
            return solvedIf(CircleFrom2CirclesRadius(a.C(0), a.C(1), &hint, a.V(3), m, 0, out));
        }
        return solvedIf(CircleFrom2CirclesPoint(a.C(0), a.C(1), a.P(2), a.P(3), m, out));
    }
    if (a.is("CLLPKK")) {
        const char k1 = a.K(4), k2 = a.K(5);
        if (k1 != GEO_KW_CENTER && k2 != GEO_KW_CENTER)
            return Outcome::rejected;
        const G_POINT p = a.P(3);
        const char other = k1 == GEO_KW_CENTER ? k2 : k1;
        return solvedIf(CircleFromCircle2LinesTangency(a.C(0), a.L(1), a.L(2), &p, other, 0, out));
    }
    if (a.is("CLLKKK")) {
        char others[2];
        int n = 0;
        bool center = false;
        for (int i = 3; i < 6; ++i) {
            if (!center && a.K(i) == GEO_KW_CENTER)
                center = true;
            else if (n < 2)
                others[n++] = a.K(i);
        }
        if (!center)
            return Outcome::rejected;
        char side = 0, tangency = 0;
        sideAndTangency(others, n, side, tangency);
        return solvedIf(
            CircleFromCircle2LinesTangency(a.C(0), a.L(1), a.L(2), nullptr, tangency, side, out));
    }
    if (a.is("CLPPKK")) {
        if (a.K(4) != GEO_KW_CENTER)
            return Outcome::rejected;
        return solvedIf(
            CircleFromCircleLinePointCenter(a.C(0), a.L(1), a.P(2), a.P(3), a.K(5), out));
    }
    return Outcome::rejected;
}

Outcome sevenItems(const Arguments& a, CIRCLE& out)
{
    if (!a.is("CCLPKKK") || a.K(6) != GEO_KW_CENTER)
        return Outcome::rejected;
    const signed char m = TangencyMode(a.K(4), a.K(5));
    if (m < 0)
        return Outcome::noSolution;
    return solvedIf(CircleFrom2CirclesCenterOnLine(a.C(0), a.C(1), a.L(2), a.P(3), m, out));
}

Outcome dispatch(const Arguments& a, CIRCLE& out)
{
    const G_POINT present = out.center;
    switch (a.count()) {
        case 2: return twoItems(a, out);
        case 3: return threeItems(a, present, out);
        case 4: return fourItems(a, present, out);
        case 5: return fiveItems(a, present, out);
        case 6: return sixItems(a, out);
        case 7: return sevenItems(a, out);
        default: return Outcome::rejected;
    }
}

}  // namespace

bool circle::operator=(const geolist& list)
{
    GeoError() = GEO_OK;
    try {
        const Arguments args(list);
        if (args.count() == 1) {
            const list_item* item = args.item(0);
            const int code = item ? item->code : 0;
            const bool object = code == GEO_CIRCLE || code == GEO_ARC || code == GEO_LIST ||
                                code == GEO_ITEM;
            if (!object || (!operator=(item->object) && GeoError() == GEO_OK))
                GeoError() = GEO_BAD_ARGUMENTS;
            return GeoError() == GEO_OK;
        }
        // The case works on a copy: a failure leaves the circle as it was.
        CIRCLE result = c_;
        switch (dispatch(args, result)) {
            case Outcome::rejected: GeoError() = GEO_BAD_ARGUMENTS; break;
            case Outcome::noSolution: GeoError() = GEO_NO_SOLUTION; break;
            case Outcome::solved:
                if (CircleIsFinite(result))
                    c_ = result;
                else
                    GeoError() = GEO_NO_SOLUTION;
                break;
        }
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
    }
    return GeoError() == GEO_OK;
}
