#include "kor_solution_geometry.h"

#include <cmath>

#include "circle.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "line.h"
#include "settings.h"

bool KorIsLineTracker(const KorTracker* tracker)
{
    return tracker && tracker->GetType() == KOR_LINEAR_TRACKER;
}

bool KorIsCircleTracker(const KorTracker* tracker)
{
    return tracker && tracker->GetType() == KOR_CIRCULAR_TRACKER;
}

line& KorLineOf(KorTracker* tracker) { return static_cast<KorLinTracker*>(tracker)->GetLine(); }

circle& KorCircleOf(KorTracker* tracker)
{
    return static_cast<KorCirTracker*>(tracker)->GetCircle();
}

bool KorIsFinite(const point& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

bool KorIsFinite(const line& l) { return std::isfinite(l.ltan()) && std::isfinite(l.laxe()); }

bool KorIsFinite(const circle& c) { return KorIsFinite(c.center()) && std::isfinite(c.rad()); }

int KorIntersect(const geobject& a, const geobject& b, point* out, int max)
{
    geolist_ref crossings = a % b;
    int count = 0;
    for (short i = 0; i < crossings.count() && count < max; ++i) {
        point p(crossings[i]);
        if (KorIsFinite(p))
            out[count++] = p;
    }
    return count;
}

int KorCircleCrossings(const circle& a, const circle& b, point out[2])
{
    const int count = KorIntersect(a, b, out, 2);
    const point c1 = a.center();
    const point c2 = b.center();
    const double dx = c2.x() - c1.x();
    const double dy = c2.y() - c1.y();
    const bool level = std::fabs(dy) <= GeoSnap();
    // Exactly level or upright centres are crossed exactly already.
    const bool leveled = level ? dy != 0.0 : dx != 0.0 && std::fabs(dx / dy) <= GeoSnap();
    if (count != 2 || !leveled)
        return count;
    const double d = std::hypot(dx, dy);
    const double r1 = a.rad();
    const double r2 = b.rad();
    const double along = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
    const double h = std::sqrt(std::fmax(r1 * r1 - along * along, 0.0));
    const point foot(c1.x() + along / d * dx, c1.y() + along / d * dy);
    // The chord runs square to the centres' line.
    const point p(foot.x() - h * dy / d, foot.y() + h * dx / d);
    const point q(foot.x() + h * dy / d, foot.y() - h * dx / d);
    const bool pFirst = level ? p.y() >= q.y() : p.x() >= q.x();
    out[0] = pFirst ? p : q;
    out[1] = pFirst ? q : p;
    return KorIsFinite(out[0]) && KorIsFinite(out[1]) ? 2 : KorIntersect(a, b, out, 2);
}

line KorParallelOnSide(const line& l, const point& side, double d)
{
    point foot(side);
    foot = l;  // projection on the line
    double length = std::hypot(side.x() - foot.x(), side.y() - foot.y());
    point through = foot;
    if (length > 0.0) {
        through = point(foot.x() + (side.x() - foot.x()) / length * d,
                        foot.y() + (side.y() - foot.y()) / length * d);
    } else if (l.IsVertical()) {
        through = point(foot.x() + d, foot.y());
    } else {
        double norm = std::hypot(l.ltan(), 1.0);
        through = point(foot.x() - l.ltan() / norm * d, foot.y() + d / norm);
    }
    return line(through, l);
}

point KorPointToward(const point& from, const point& to, double d)
{
    double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    if (length == 0.0)
        return from;
    return point(from.x() + (to.x() - from.x()) / length * d,
                 from.y() + (to.y() - from.y()) / length * d);
}

bool KorPlaceNode(KorNode* node, const point& p)
{
    if (!node || !KorIsFinite(p))
        return false;
    node->SetPosition(p.x(), p.y(), false, false);
    node->SetStatus(static_cast<KORStatusType>(2));
    return true;
}
