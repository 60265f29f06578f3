// Placement of a circle tracker whose radius is free (or fixed but whose
// centre is not): the circle keeps passing through its held rim nodes, keeps
// crossing the trackers its other rim nodes slide on, and moves as little as
// it can. The centre region is sampled, not solved.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "distances.h"
#include "geolist.h"
#include "line.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"
#include "tracker_clamps.h"

#include "kor_cir_tracker.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_node.h"

namespace {

constexpr double kEmpty = DBL_MAX;
constexpr double kFullTurn = 6.28318530718;
constexpr double kSearchStart = 100000.0;
constexpr double kOnPieceTolerance = 1e-6;
constexpr double kRegionSquare = 50000.0;
constexpr int kCircleSamples = 720;

bool IsFinite(const point& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

double Distance(const point& a, const point& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

bool IsEmpty(double minimum, double maximum) { return minimum == kEmpty || !(minimum < maximum); }

double DistanceTo(const point& p, KorTracker* t) { return GeoDistance(p, t->GetGeometry()); }

// Trackers by the distance of their geometry from a point, farther first.
struct CloserToPoint {
    point from;
    bool operator()(KorTracker* a, KorTracker* b) const { return DistanceTo(from, a) > DistanceTo(from, b); }
};

// A distance inside a range: a tenth into a bounded one, 1.1 times the lower
// bound of an unbounded one.
double IntoRange(double minimum, double maximum)
{
    return maximum == kEmpty ? 1.1 * minimum : minimum + 0.1 * (maximum - minimum);
}

point Polar(const point& from, double direction, double distance)
{
    return point(from.x() + distance * std::cos(direction), from.y() + distance * std::sin(direction));
}

// The part of {s >= 0 : a s^2 + b s + c <= 0} kept as one range; zeroOk when
// it starts at 0.
bool AdmittedRange(double a, double b, double c, double& lo, double& hi, bool& zeroOk)
{
    constexpr double tiny = 1e-12;
    lo = 0.0;
    hi = kEmpty;
    zeroOk = false;
    if (std::fabs(a) < tiny) {
        if (std::fabs(b) < tiny) {
            zeroOk = c <= 0.0;
            return zeroOk;
        }
        const double root = -c / b;
        if (b > 0.0) {
            if (root < 0.0)
                return false;
            hi = root;
            zeroOk = true;
            return true;
        }
        lo = std::max(0.0, root);
        zeroOk = root <= 0.0;
        return true;
    }
    const double disc = b * b - 4.0 * a * c;
    if (disc < 0.0) {
        zeroOk = a < 0.0;
        return a < 0.0;
    }
    const double q = std::sqrt(disc);
    double r1 = (-b - q) / (2.0 * a);
    double r2 = (-b + q) / (2.0 * a);
    if (r1 > r2)
        std::swap(r1, r2);
    if (a > 0.0) {
        if (r2 < 0.0)
            return false;
        lo = std::max(0.0, r1);
        hi = r2;
        zeroOk = r1 <= 0.0;
        return true;
    }
    if (r2 <= 0.0) {
        zeroOk = true;
        return true;
    }
    if (r1 < 0.0) {
        lo = r2;
        return true;
    }
    // Small circles and very large ones both reach: keep the small ones.
    hi = r1;
    zeroOk = true;
    return true;
}

// The nearest point to `from` of the line inside any of the polygons.
bool NearestOnLineInside(const line& l, const std::vector<polygon>& regions, const point& from,
                         point& best, double& bestDistance)
{
    bool found = false;
    for (const polygon& region : regions) {
        geolist_ref crossings = l % region;
        std::vector<point> points;
        for (short i = 0; i < crossings.count(); ++i)
            points.emplace_back(crossings[i]);
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const point mid(points[i], points[i + 1]);
            if (!(mid < region))
                continue;
            const segment piece(points[i], points[i + 1]);
            point q = from;
            q = piece;
            const double d = Distance(q, from);
            if (IsFinite(q) && d < bestDistance) {
                best = q;
                bestDistance = d;
                found = true;
            }
        }
    }
    return found;
}

bool NearestOnCircleInside(const circle& c, const std::vector<polygon>& regions, const point& from,
                           point& best, double& bestDistance)
{
    bool found = false;
    for (int k = 0; k < kCircleSamples; ++k) {
        const point q = Polar(c.center(), kFullTurn * k / kCircleSamples, c.rad());
        const double d = Distance(q, from);
        if (!(d < bestDistance))
            continue;
        for (const polygon& region : regions)
            if (q < region) {
                best = q;
                bestDistance = d;
                found = true;
                break;
            }
    }
    return found;
}

// The point of t's geometry inside the regions nearest `from`.
bool NearestOnTrackerInside(KorTracker* t, const std::vector<polygon>& regions, const point& from,
                            point& best)
{
    double bestDistance = kSearchStart;
    if (t->GetCenter())
        return NearestOnCircleInside(static_cast<circle&>(t->GetGeometry()), regions, from, best,
                                     bestDistance);
    return NearestOnLineInside(static_cast<line&>(t->GetGeometry()), regions, from, best,
                               bestDistance);
}

}  // namespace

bool KorChordFrameOf(const point& p, const point& q, KorChordFrame& frame)
{
    frame.half = Distance(p, q) / 2.0;
    if (!(frame.half > 0.0))
        return false;
    frame.mid = point(p, q);
    frame.nx = -(q.y() - p.y()) / (2.0 * frame.half);
    frame.ny = (q.x() - p.x()) / (2.0 * frame.half);
    return true;
}

bool KorClampChordOffsets(double* minimum, double* maximum, double a, double b, double c)
{
    // Side 0: t = s; side 1: t = -s.
    const double sign[2] = {1.0, -1.0};
    for (int k = 0; k < 2; ++k) {
        if (IsEmpty(minimum[k], maximum[k]))
            continue;
        double lo;
        double hi;
        bool zeroOk;
        if (!AdmittedRange(a, sign[k] * b, c, lo, hi, zeroOk)) {
            minimum[k] = kEmpty;
            continue;
        }
        if (!zeroOk && minimum[k] < lo)
            minimum[k] = lo;
        if (hi < maximum[k])
            maximum[k] = hi;
        if (!(minimum[k] < maximum[k]))
            minimum[k] = kEmpty;
    }
    return !IsEmpty(minimum[0], maximum[0]) || !IsEmpty(minimum[1], maximum[1]);
}

// ---- The circle tracker as a neighbour of an unsized circle ----

bool KorCirTracker::UpdateCenterRegion4XCircle(double d, polygon& region)
{
    const polygon ring(mGeometry, d);
    geolist_ref common = region && ring;
    polygon result;
    if (common.count() == 0 || !(result = common) || result.count() == 0)
        return false;
    region = result;
    return true;
}

bool KorCirTracker::UpdateCenterRegion4XCircle(point& p, point& q, double* minimum,
                                               double* maximum)
{
    // Centre M + t n of the circle through p and q (radius sqrt(h^2 + t^2))
    // meets this circle when |D^2 - rho^2 - R^2| <= 2 R rho.
    KorChordFrame f;
    if (!KorChordFrameOf(p, q, f))
        return false;
    const double h = f.half;
    const point& m = f.mid;
    const double nx = f.nx;
    const double ny = f.ny;
    const point c = mGeometry.center();
    const double r = mGeometry.rad();
    const double pm = nx * (m.x() - c.x()) + ny * (m.y() - c.y());
    const double qm = (m.x() - c.x()) * (m.x() - c.x()) + (m.y() - c.y()) * (m.y() - c.y());
    const double k = qm - h * h - r * r;
    return KorClampChordOffsets(minimum, maximum, 4.0 * (pm * pm - r * r), 4.0 * pm * k,
                                k * k - 4.0 * r * r * h * h);
}

bool KorCirTracker::UpdateCenterRegion4XCircle(KorNode* n, double* minimum, double* maximum,
                                               int count)
{
    if (count <= 0)
        return false;
    const point& np = n->GetPoint();
    const point c = mGeometry.center();
    const double w = Distance(np, c);
    const double z = std::atan2(c.y() - np.y(), c.x() - np.x());
    const double step = kFullTurn / count;
    bool any = false;
    for (int i = 0; i < count; ++i)
        if (UpdateCir1ClampRadial(&minimum[i], &maximum[i], w, mGeometry.rad(), i * step - z))
            any = true;
    return any;
}

bool KorCirTracker::UpdateCircle4Xme(point&, line*, circle&) { return true; }

// ---- Placement ----

bool KorCirTracker::SetupClamps(KorNode*& a, KorNode*& b, KorNode*& c, KorTrackerSet& clamps)
{
    a = mpPivot;
    b = mpClamp;
    c = nullptr;
    clamps.clear();
    for (KorNode* n : mNodes) {
        if (n->GetNumOfTrackers() < 2 || n == a || n == b)
            continue;
        if (n->IsAdjustable(this)) {
            KorTracker* t = n->GetUnmovableTracker(this, nullptr, true);
            const auto on = [t](KorNode* held) { return held && held->BelongTo(t); };
            if (t && !on(a) && !on(b) && !on(c))
                clamps.insert(t);
            continue;
        }
        if (!a)
            a = n;
        else if (!b)
            b = n;
        else if (!c)
            c = n;
        else
            return false;
    }
    return true;
}

bool KorCirTracker::Intersects(KorTrackerSet& clamps)
{
    for (KorTracker* t : clamps) {
        geolist_ref crossings = mGeometry % t->GetGeometry();
        (void)crossings;
    }
    return true;
}

double KorCirTracker::FarthestClampDistance(KorTrackerSet& clamps, const point& p) const
{
    double farthest = 0.0;
    for (KorTracker* t : clamps)
        farthest = std::max(farthest, DistanceTo(p, t));
    return farthest;
}

bool KorCirTracker::Update(double radius)
{
    const double r = radius;
    const bool fixedRadius = r > GeoSnap();
    const bool centreHeld = mStatus == 4 || (mpCenter && !mpCenter->IsAdjustable(this));
    KorTracker* t = centreHeld ? nullptr : UnmovableCentreTracker();

    KorNode* a = nullptr;
    KorNode* b = nullptr;
    KorNode* c = nullptr;
    KorTrackerSet clamps;
    if (!SetupClamps(a, b, c, clamps))
        return false;
    const int held = (a ? 1 : 0) + (b ? 1 : 0) + (c ? 1 : 0);

    if (fixedRadius && (held == 3 || (centreHeld && held == 2)))
        return true;
    if (held == 3) {
        circle fit = mGeometry;
        if ((fit = (a->GetPoint() & b->GetPoint() & c->GetPoint())) && SetCircle(fit))
            MoveCentreNode(mGeometry.center());
        return true;
    }
    if (held == 2)
        return UpdateTwoHeld(r, fixedRadius, centreHeld, t, a, b, clamps);
    if (centreHeld)
        return UpdateHeldCentre(r, fixedRadius, a, clamps);
    if (clamps.empty())
        return UpdateWithoutClamps(r, fixedRadius, t, a);
    if (fixedRadius)
        return UpdateFixedRadiusRegion(r, t, a, clamps);
    if (a)
        return UpdateOneHeldPolar(t, a, clamps);

    std::vector<KorTracker*> circles;
    std::vector<KorTracker*> others;
    for (KorTracker* k : clamps)
        (k->GetCenter() ? circles : others).push_back(k);
    bool placed = true;
    if (circles.size() == 1)
        placed = UpdateUnsized1Cir(others, circles);
    else if (circles.size() == 2)
        placed = UpdateUnsized2Cir(others, circles);
    else
        placed = SetCircle(circle(mGeometry.center(), FarthestClampDistance(clamps, mGeometry.center())));
    if (placed)
        MoveCentreNode(mGeometry.center());
    return placed;
}

bool KorCirTracker::UpdateTwoHeld(double r, bool fixedRadius, bool centreHeld, KorTracker* t,
                                  KorNode* a, KorNode* b, KorTrackerSet& clamps)
{
    const point& pa = a->GetPoint();
    const point& pb = b->GetPoint();
    const point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    circle fit = mGeometry;
    if (fixedRadius) {
        if ((fit = (pa & pb & centre & r)) && SetCircle(fit))
            MoveCentreNode(mGeometry.center());
        return true;
    }
    if (centreHeld) {
        if (GeoEQ(Distance(centre, pa), Distance(centre, pb)))
            SetAboutThrough(centre, pa);
        return true;
    }
    if (t && (fit = (t->GetGeometry() & pa & pb & "CENTER")) && SetCircle(fit)) {
        MoveCentreNode(mGeometry.center());
        return true;
    }
    double minimum[2] = {-kEmpty, -kEmpty};
    double maximum[2] = {kEmpty, kEmpty};
    point p = pa;
    point q = pb;
    for (KorTracker* k : clamps)
        if (!k->UpdateCenterRegion4XCircle(p, q, minimum, maximum))
            return false;
    MoveCenter2Region(p, q, minimum, maximum);
    return true;
}

bool KorCirTracker::UpdateOneHeldPolar(KorTracker* t, KorNode* a, KorTrackerSet& clamps)
{
    const int count = mInterpolationDensity;
    std::vector<double> minimum(static_cast<std::size_t>(count), 0.0);
    std::vector<double> maximum(static_cast<std::size_t>(count), kEmpty);
    for (KorTracker* k : clamps)
        if (!k->UpdateCenterRegion4XCircle(a, minimum.data(), maximum.data(), count))
            return false;
    if (!t) {
        MoveCenter2Region(a, minimum.data(), maximum.data());
        return true;
    }
    // Each sector between two open directions becomes a quadrilateral; the
    // centre must lie on t inside one of them.
    const point& pa = a->GetPoint();
    const double step = kFullTurn / count;
    std::vector<polygon> sectors;
    for (int i = 0; i < count; ++i) {
        const int j = (i + 1) % count;
        if (IsEmpty(minimum[i], maximum[i]) || IsEmpty(minimum[j], maximum[j]))
            continue;
        polygon quad;
        quad + Polar(pa, i * step, minimum[i]);
        quad + Polar(pa, i * step, std::min(maximum[i], kSearchStart));
        quad + Polar(pa, j * step, std::min(maximum[j], kSearchStart));
        quad + Polar(pa, j * step, minimum[j]);
        quad.close();
        sectors.push_back(quad);
    }
    const point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    point best = centre;
    if (!NearestOnTrackerInside(t, sectors, centre, best))
        return true;
    if (Distance(best, centre) > kOnPieceTolerance && MoveCentreNode(best))
        SetAboutThrough(best, pa);
    return true;
}

bool KorCirTracker::UpdateFixedRadiusRegion(double r, KorTracker* t, KorNode* a,
                                            KorTrackerSet& clamps)
{
    polygon region(kRegionSquare);
    for (KorTracker* k : clamps)
        if (!k->UpdateCenterRegion4XCircle(r, region))
            return false;
    point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    if (a && t) {
        geolist_ref crossings = t->GetGeometry() % circle(a->GetPoint(), r);
        if (crossings.count() == 0)
            return false;
        centre = point(crossings[0]);
    } else if (t) {
        // A centre held at exactly the radius from a wall it touches lies on
        // the edge of that wall's band: the edge counts as inside.
        const bool inside = (centre < region || centre == region) && centre == t->GetGeometry();
        if (!inside) {
            point best = centre;
            if (!NearestOnTrackerInside(t, {region}, centre, best))
                return false;
            centre = best;
        }
    } else if (!(centre < region)) {
        centre = region.GetInsidePoint(centre);
    }
    if (!IsFinite(centre) || !SetCircle(circle(centre, r)))
        return false;
    MoveCentreNode(centre);
    return true;
}

bool KorCirTracker::UpdateWithoutClamps(double r, bool fixedRadius, KorTracker* t, KorNode* a)
{
    if (fixedRadius)
        SetCircle(circle(mGeometry.center(), r));
    const point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    if (t && a) {
        geolist_ref crossings = t->GetGeometry() % circle(a->GetPoint(), mGeometry.rad());
        point target = centre;
        if (crossings.count() > 0) {
            target = point(crossings[0]);
        } else {
            if (fixedRadius)
                return false;
            if (!(target = t->GetGeometry()))
                return false;
        }
        if (!MoveCentreNode(target))
            return false;
        return SetAboutThrough(target, a->GetPoint());
    }
    if (t) {
        point target = centre;
        if (!(target = t->GetGeometry()) || !MoveCentreNode(target))
            return false;
        return SetCircle(circle(target, mGeometry.rad()));
    }
    if (a) {
        point target = centre;
        target = circle(a->GetPoint(), mGeometry.rad());
        if (!MoveCentreNode(target))
            return false;
        return SetCircle(circle(target, mGeometry.rad()));
    }
    return true;
}

bool KorCirTracker::UpdateHeldCentre(double r, bool fixedRadius, KorNode* a, KorTrackerSet& clamps)
{
    if (a)
        return true;
    const point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    if (fixedRadius)
        return SetCircle(circle(centre, r));
    const double farthest = FarthestClampDistance(clamps, centre);
    return SetCircle(circle(centre, farthest > GeoSnap() ? farthest : mGeometry.rad()));
}

void KorCirTracker::MoveCenter2Region(KorNode* n, double* minimum, double* maximum)
{
    const int count = mInterpolationDensity;
    if (count <= 0 || !mpCenter)
        return;
    const point& np = n->GetPoint();
    const point& centre = mpCenter->GetPoint();
    double alpha = std::atan2(centre.y() - np.y(), centre.x() - np.x());
    if (alpha < 0.0)
        alpha += kFullTurn;
    const double rho = Distance(np, centre);
    const double step = kFullTurn / count;
    const int h = std::clamp(static_cast<int>(alpha / step), 0, count - 1);
    const int i = (h + 1) % count;
    int direction = h;
    double distance = -1.0;
    if (!IsEmpty(minimum[h], maximum[h])) {
        if (IsEmpty(minimum[i], maximum[i]))
            return;
        const double g = alpha - h * step;
        const double low = minimum[h] + (minimum[i] - minimum[h]) * g / step;
        const bool bounded = maximum[h] != kEmpty && maximum[i] != kEmpty;
        const double high = bounded ? maximum[h] + (maximum[i] - maximum[h]) * g / step : kEmpty;
        if (rho < low)
            distance = IntoRange(minimum[h], maximum[h]);
        else if (rho > high)
            distance = maximum[h] - 0.1 * (maximum[h] - minimum[h]);
    } else {
        // Every open direction after h in turn: the last, the nearest open
        // one before h, wins.
        for (int k = 1; k < count; ++k) {
            const int j = (h + k) % count;
            if (IsEmpty(minimum[j], maximum[j]))
                continue;
            direction = j;
            distance = IntoRange(minimum[j], maximum[j]);
        }
    }
    if (distance < 0.0)
        return;
    const point target = Polar(np, direction * step, distance);
    if (IsFinite(target) && SetAboutThrough(target, np))
        MoveCentreNode(target);
}

void KorCirTracker::MoveCenter2Region(point& a, point& b, double* minimum, double* maximum)
{
    KorChordFrame f;
    if (!KorChordFrameOf(a, b, f))
        return;
    const point& m = f.mid;
    const double half = f.half;
    const double nx = f.nx;
    const double ny = f.ny;
    const point centre = mpCenter ? mpCenter->GetPoint() : mGeometry.center();
    circle fit = mGeometry;
    if ((fit = (a & b & centre & mGeometry.rad())) && IsFinite(fit.center())) {
        const point fc = fit.center();
        // The side of the chord by its own side test.
        const double offset = (fc.x() - m.x()) * nx + (fc.y() - m.y()) * ny;
        const int side = offset >= 0.0 ? 0 : 1;
        const double s = std::fabs(offset);
        if (SetCircle(fit))
            MoveCentreNode(fc);
        if (minimum[side] < s && s < maximum[side] && minimum[side] != kEmpty)
            return;
    }
    if ((minimum[0] < 0.0 && maximum[0] != 0.0) || (minimum[1] < 0.0 && maximum[1] > 0.0)) {
        if (SetCircle(circle(m, half)))
            MoveCentreNode(m);
        return;
    }
    int side = -1;
    double best = kEmpty;
    for (int k = 0; k < 2; ++k) {
        if (IsEmpty(minimum[k], maximum[k]))
            continue;
        const double s = IntoRange(std::max(minimum[k], 0.0), maximum[k]);
        if (s < best) {
            best = s;
            side = k;
        }
    }
    if (side < 0)
        return;
    const double sign = side == 0 ? 1.0 : -1.0;
    const point target(m.x() + sign * best * nx, m.y() + sign * best * ny);
    if (IsFinite(target) && SetCircle(circle(target, std::sqrt(best * best + half * half))))
        MoveCentreNode(target);
}

bool KorCirTracker::UpdateUnsized1Cir(std::vector<KorTracker*>& lines,
                                      std::vector<KorTracker*>& circles)
{
    if (lines.empty())
        return !circles.empty() && UpdateCircle4Xme(static_cast<circle&>(circles[0]->GetGeometry()));
    if (circles.empty())
        return false;
    point p = static_cast<circle&>(circles[0]->GetGeometry()).center();
    std::sort(lines.begin(), lines.end(), CloserToPoint{p});
    std::size_t reference = 0;
    const auto offset = [&p](KorTracker* t) { return static_cast<KorLinTracker*>(t)->SignedOffset(p); };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        KorTracker* ref = lines[reference];
        if (!lines[i]->IsParallel(ref, true))
            continue;
        if (offset(ref) * offset(lines[i]) < 0.0) {
            ++reference;
            if (reference >= lines.size())
                return false;
        }
    }
    line& refLine = static_cast<line&>(lines[reference]->GetGeometry());
    double largest = 0.0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == reference)
            continue;
        const double half = DistanceTo(p, lines[i]) / 2.0;
        if (!(half > largest))
            continue;
        if (!lines[i]->UpdateCircle4Xme(p, &refLine, mGeometry))
            return false;
        largest = half;
    }
    return true;
}

bool KorCirTracker::UpdateUnsized2Cir(std::vector<KorTracker*>& others,
                                      std::vector<KorTracker*>& circles)
{
    if (circles.size() < 2)
        return false;
    const circle& c1 = static_cast<circle&>(circles[0]->GetGeometry());
    const circle& c2 = static_cast<circle&>(circles[1]->GetGeometry());
    point p1 = c1.center();
    point p2 = c2.center();
    const double d = Distance(p1, p2);
    if (!others.empty()) {
        point m(p1, p2);
        if (d > GeoSnap()) {
            const double shift = (c1.rad() - c2.rad()) / 2.0;
            m = point(m.x() + shift * (p1.x() - p2.x()) / d, m.y() + shift * (p1.y() - p2.y()) / d);
        }
        std::sort(others.begin(), others.end(), CloserToPoint{m});
        const double farthest = DistanceTo(m, others.front());
        if (farthest < (d + c1.rad() + c2.rad()) / 2.0) {
            const double radius = (d - c1.rad() + c2.rad()) / 2.0;
            if (!(farthest > radius) && radius > 0.0)
                SetCircle(circle(m, radius));
            return true;
        }
    }
    double minimum[2] = {-kEmpty, -kEmpty};
    double maximum[2] = {kEmpty, kEmpty};
    for (KorTracker* k : others)
        if (!k->UpdateCenterRegion4XCircle(p1, p2, minimum, maximum))
            return false;
    MoveCenter2Region(p1, p2, minimum, maximum);
    return true;
}
