// Adding curved walls: a new arc continues the circle that already carries
// walls through its ends, reuses the arcs it meets there and splits the
// walls it crosses.
#include <cmath>
#include <map>
#include <vector>

#include "arc.h"
#include "distances.h"
#include "geolist.h"
#include "kor_arc.h"
#include "kor_cir_tracker.h"
#include "kor_colinear.h"
#include "kor_primitive.h"
#include "zup_arc.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_wall_joins.h"

namespace {

struct ZupArcSpan {
    KorNode* node = nullptr;
    ZupArc* reuse = nullptr;
};

}  // namespace

bool ZupFloor::AddArc(double cx, double cy, double cx2, double cy2, double x1, double y1,
                      double x2, double y2)
{
    for (double v : {cx, cy, cx2, cy2, x1, y1, x2, y2})
        if (!std::isfinite(v))
            return false;
    mCurNodeSerial = 0;
    ZupNode* centre = GetNode(cx, cy, false);
    if (!centre)
        centre = CreateNode(cx2, cy2);
    ZupNode* start = CreateNode(x1, y1);
    ZupNode* end = CreateNode(x2, y2);
    if (!centre || !start || !end || start == end || centre == start || centre == end)
        return false;
    if (!AddArc(centre, start, end))
        return false;
    if (GetNumOfPartitions() > 0 || mpOuterShell)
        MakePartitions(false);
    return true;
}

bool ZupFloor::AddArc(ZupNode* centre, ZupNode* start, ZupNode* end)
{
    if (!centre || !start || !end)
        return false;
    bool result = false;
    {
        KorScopedValue<double> snap(GeoSnap(), LinearPlay());
        KorCirTracker* tracker = start->GetCommonCirTracker(end);
        if (!tracker)
            tracker = KorModel::GetTracker(centre, start, end);
        if (tracker)
            result = AttachEdgeToTracker(tracker, centre, start, end);
        else
            result = CreateEdge(centre, start, end, nullptr, nullptr, nullptr) != nullptr;
    }
    if (result) {
        const point& c = centre->GetPoint();
        const double radius = GeoDistance(c, start->GetPoint());
        ModifyExtents(c.x() - radius, c.y() - radius);
        ModifyExtents(c.x() + radius, c.y() + radius);
    }
    return result;
}

bool ZupFloor::AttachEdgeToTracker(KorCirTracker* tracker, ZupNode* centre, ZupNode* start,
                                   ZupNode* end)
{
    if (tracker->GetPrimitive(start, end))
        return true;
    const arc path(centre->GetPoint(), start->GetPoint(), end->GetPoint());
    std::multimap<double, ZupArcSpan> spans;
    spans.emplace(0.0, ZupArcSpan{start, nullptr});
    spans.emplace(1.0, ZupArcSpan{end, nullptr});
    for (int i = tracker->GetNumOfPrimitives(); i-- > 0;) {
        KorPrimitive* primitive = tracker->GetPrimitive(i);
        KorNode* s = primitive->GetStart();
        KorNode* e = primitive->GetEnd();
        const bool touches = s == start || s == end || e == start || e == end ||
                             s->GetPoint() == path || e->GetPoint() == path;
        if (!touches)
            continue;
        const bool sEnd = s == start || s == end;
        const bool eEnd = e == start || e == end;
        if (sEnd && eEnd)
            return false;
        auto* wall = dynamic_cast<ZupArc*>(primitive);
        if (!sEnd) {
            auto at = spans.emplace(s->GetPoint().position(path), ZupArcSpan{s, nullptr});
            at->second.reuse = wall;
        }
        if (!eEnd)
            spans.emplace(e->GetPoint().position(path), ZupArcSpan{e, nullptr});
        if (sEnd)
            for (auto& [at, span] : spans)
                if (span.node == s)
                    span.reuse = wall;
    }
    KorArc* previous = nullptr;
    for (auto it = spans.begin(); it != spans.end(); ++it) {
        auto next = std::next(it);
        if (next == spans.end())
            break;
        if (it->second.node != next->second.node)
            previous = CreateEdge(centre, it->second.node, next->second.node, tracker,
                                  it->second.reuse, previous);
    }
    return true;
}

KorArc* ZupFloor::CreateEdge(KorNode* centre, KorNode* start, KorNode* end,
                             KorCirTracker* tracker, ZupArc* reuse, KorArc* previous)
{
    const arc path(centre->GetPoint(), start->GetPoint(), end->GetPoint());
    std::multimap<double, KorNode*> map;
    map.emplace(0.0, start);
    map.emplace(1.0, end);
    if (mbIntersectControl) {
        for (KorNode* node : GetNodes()) {
            if (node == start || node == end || node == centre || node->GetNumOfPrimitives() == 0)
                continue;
            if (GeoDistance(node->GetPoint(), path) < InputSnap())
                map.emplace(node->GetPoint().position(path), node);
        }
    }
    const bool colinear = mColinearMode != ZUP_DETECT_OFF;
    const double reach = InputSnap();
    // Last to first; a piece split off a crossed wall is looked at again, as
    // the arc may cross it a second time.
    std::vector<KorPrimitive*> work(GetPrimitives());
    while (!work.empty()) {
        KorPrimitive* primitive = work.back();
        work.pop_back();
        if (tracker && primitive->GetTracker() == tracker)
            continue;
        geolist_ref crossings = path % primitive->GetGeometry();
        for (short k = 0; k < crossings.count(); ++k) {
            if (crossings.type(k) != GEO_POINT)
                continue;
            const point x(crossings[k]);
            if (!std::isfinite(x.x()) || !std::isfinite(x.y()))
                continue;
            if (GeoDistance(x, primitive->GetStart()->GetPoint()) < reach ||
                GeoDistance(x, primitive->GetEnd()->GetPoint()) < reach)
                continue;
            ZupEdge* crossed = CastToEdge(primitive);
            KorNode* at = nullptr;
            if (GeoDistance(x, start->GetPoint()) < reach) {
                at = start;
            } else if (GeoDistance(x, end->GetPoint()) < reach) {
                at = end;
            } else {
                if (mbIntersectControl)
                    return nullptr;
                auto* node = new ZupNode();
                if (node->Create(this, x.x(), x.y(), nullptr, true) == 0) {
                    delete node;
                    continue;
                }
                map.emplace(x.position(path), node);
                at = node;
            }
            if (crossed) {
                if (ZupEdge* piece = crossed->Divide(at, colinear)) {
                    work.push_back(piece->GetPrimitive());
                    work.push_back(primitive);
                }
            }
            break;  // both pieces are looked at again
        }
    }
    KorScopedValue<double> snap(GeoSnap(), LinearPlay());
    const std::vector<KorNode*> nodes = ZupSpanNodes(map);
    std::size_t from = 0;
    if (reuse && nodes.size() >= 2) {
        ZupReusePiece(reuse, nodes[0], nodes[1]);
        if (colinear)
            ZupJoinColinear(this, previous, reuse);
        previous = reuse;
        from = 1;
    }
    for (std::size_t i = from; i + 1 < nodes.size(); ++i) {
        auto* wall = new ZupArc(ZUP_EDGE_FREE);
        if (wall->Create(this, centre, nodes[i], nodes[i + 1], tracker) == 0) {
            delete wall;
            previous = nullptr;
            continue;
        }
        if (colinear)
            ZupJoinColinear(this, previous, wall);
        previous = wall;
    }
    return previous;
}
