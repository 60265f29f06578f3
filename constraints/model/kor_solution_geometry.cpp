#include "kor_solution_geometry.h"

#include <cmath>

#include "circle.h"
#include "geolist.h"
#include "kor_cir_tracker.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "line.h"

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
