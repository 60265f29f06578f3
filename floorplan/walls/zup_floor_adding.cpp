// Adding straight walls while the user sketches: a new wall continues the
// tracker it lines up with, reuses and cuts back the walls it overlaps, and
// splits the walls it crosses.
#include <cmath>
#include <map>
#include <vector>

#include "distances.h"
#include "geolist.h"
#include "kor_colinear.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "line.h"
#include "segment.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition.h"
#include "zup_segment.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_wall_joins.h"
#include "zup_wall_surface.h"

namespace {

// One entry of the span map along a new wall.
struct ZupSpan {
    KorNode* node = nullptr;
    ZupSegment* reuse = nullptr;       // overlapped wall that starts a span here
    ZupWallSurface* inside = nullptr;  // face the new span joins
};

bool PointsFinite(const point& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The crossing of two straight lines; false when they do not cross.
bool LinesCross(const line& a, const line& b, point& out)
{
    geolist_ref result = a % b;
    if (result.count() < 1 || result.type(0) != GEO_POINT)
        return false;
    out = point(result[0]);
    return PointsFinite(out);
}

}  // namespace

// One tracker keeps its pieces colinear by itself and refuses a colinear
// between them.
void ZupJoinColinear(KorModel* model, KorPrimitive* previous, KorPrimitive* next)
{
    if (!previous || !next || previous->GetTracker() == next->GetTracker())
        return;
    auto* colinear = new KorColinear();
    if (colinear->Create(model, previous, next) == 0)
        delete colinear;
}

std::vector<KorNode*> ZupSpanNodes(const std::multimap<double, KorNode*>& map)
{
    std::vector<KorNode*> nodes;
    for (const auto& [at, node] : map)
        if (nodes.empty() || nodes.back() != node)
            nodes.push_back(node);
    return nodes;
}

void ZupReusePiece(KorPrimitive* reuse, KorNode* p, KorNode* q)
{
    const bool same = (reuse->GetStart() == p && reuse->GetEnd() == q) ||
                      (reuse->GetStart() == q && reuse->GetEnd() == p);
    if (same)
        return;
    reuse->SetStart(p);
    reuse->SetEnd(q);
    reuse->SetOrientation();
}

ZupNode* ZupFloor::CreateNode(double x, double y)
{
    mCurNodeSerial = 0;
    if (ZupNode* existing = GetNode(x, y, true))
        return existing;
    return CreateNewNode(x, y);
}

ZupNode* ZupFloor::CreateNode(point& p, KorNode*, bool outsideOnly)
{
    if (ZupNode* closest = GetClosestNode(p, true, outsideOnly, InputSnap()))
        return closest;
    return CreateNewNode(p.x(), p.y());
}

bool ZupFloor::AddLine(double x1, double y1, double x2, double y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    const double snap = InputSnap();
    if (!(std::fabs(x1 - x2) > snap) && !(std::fabs(y1 - y2) > snap))
        return false;
    ZupNode* a = CreateNode(x1, y1);
    ZupNode* b = CreateNode(x2, y2);
    if (!a || !b || a == b)
        return false;
    if (!AddLine(a, b, nullptr, nullptr))
        return false;
    if (GetNumOfPartitions() > 0 || mpOuterShell)
        MakePartitions(false);
    return true;
}

bool ZupFloor::AddLine(ZupNode*& a, ZupNode*& b, line* input, ZupNode* exclude)
{
    if (!a || !b || a == b)
        return false;
    const point savedA = a->GetPoint();
    const point savedB = b->GetPoint();
    KorLinTracker* tracker = a->GetCommonLinTracker(b);
    if (!tracker)
        tracker = GetTracker(a, b, input);
    if (tracker) {
        if (tracker->GetPrimitive(a, b))
            return true;
        bool result = AttachEdgeToTracker(tracker, a, b, exclude);
        if (result && a != b && GeoDistance(a->GetPoint(), b->GetPoint()) < LinearPlay()) {
            KorModel::RemoveObject(GetHandle(a->GetPrimitive(b)));
            result = false;
        }
        if (result || mpCurRoom)
            return result;
        a->GetPoint() = savedA;
        b->GetPoint() = savedB;
    }
    // Normalize leaves input that is neither nearly level nor nearly plumb.
    if (input)
        Normalize(a, b, input);
    std::vector<ZupEdge*> edges;
    KorSegment* made = CreateEdge(a, b, edges, nullptr, nullptr, nullptr);
    if (!made)
        return false;
    // The new line runs through the drawn ends. The wider snap the walls are
    // made with would put a wall a little off plumb on the plumb line through
    // its middle, its ends left off it; it counts as plumb or level only when
    // its ends are within the coincidence snap of the axis.
    const line drawn(a->GetPoint(), b->GetPoint());
    for (ZupEdge* edge : edges)
        if (auto* piece = dynamic_cast<KorLinTracker*>(edge->GetTracker()); piece && piece->GetNumOfPrimitives() == 1)
            piece->GetLine() = drawn;
    if (auto* own = static_cast<KorLinTracker*>(made->GetTracker())) {
        if (own->IsVertical())
            own->SetAlignment(KOR_VERTICAL);
        else if (own->IsHorizontal())
            own->SetAlignment(KOR_HORIZONTAL);
    }
    return true;
}

bool ZupFloor::AttachEdgeToTracker(KorLinTracker* tracker, ZupNode*& a, ZupNode*& b,
                                   ZupNode* exclude)
{
    if (tracker->GetPrimitive(a, b))
        return true;
    const bool aOn = a->BelongTo(tracker);
    const bool bOn = b->BelongTo(tracker);
    ZupNode* brought = nullptr;
    if (aOn) {
        if (!bOn && !(b->GetPoint() == tracker->GetLine())) {
            if (!UpdateNode(tracker, b, a, true))
                return false;
            brought = b;
        }
    } else if (!bOn) {
        if (!UpdateNode(tracker, a, exclude, false) || !UpdateNode(tracker, b, a, false))
            return false;
    } else {
        if (!(a->GetPoint() == tracker->GetLine())) {
            if (!AlignNode(a, tracker, true, b))
                return false;
        }
        brought = a;
    }
    if (brought) {
        KorLinTracker* parallel = brought->GetParallelTracker(tracker);
        if (parallel && parallel != tracker &&
            GeoDistance(parallel->GetLine(), tracker->GetLine()) < InputSnap())
            tracker->Devour(parallel);
    }
    if (a == b)
        return false;
    segment s(a->GetPoint(), b->GetPoint());
    TrimEnds(a, b, s, nullptr);
    if (mpCurRoom || (mbIntersectControl && FindDamagingPartition(tracker)))
        return false;

    std::multimap<double, ZupSpan> spans;
    spans.emplace(0.0, ZupSpan{a, nullptr, nullptr});
    spans.emplace(1.0, ZupSpan{b, nullptr, nullptr});
    for (int i = tracker->GetNumOfPrimitives(); i-- > 0;) {
        KorPrimitive* primitive = tracker->GetPrimitive(i);
        KorNode* start = primitive->GetStart();
        KorNode* end = primitive->GetEnd();
        geobject& geometry = primitive->GetGeometry();
        const bool touches = a->GetPoint() == geometry || b->GetPoint() == geometry ||
                             start->GetPoint() == s || end->GetPoint() == s;
        if (!touches)
            continue;
        auto parameter = [&](KorNode* n, bool& shared) {
            shared = n == a || n == b;
            return n == a ? 0.0 : n == b ? 1.0 : n->GetPoint().position(s);
        };
        bool startShared = false;
        bool endShared = false;
        const double u = parameter(start, startShared);
        const double w = parameter(end, endShared);
        const double low = std::min(u, w);
        const double high = std::max(u, w);
        if (u == w || high <= 0.0 || low >= 1.0)
            continue;
        if (startShared && endShared)
            return true;
        if (startShared || endShared) {
            const double sharedAt = startShared ? u : w;
            const double otherAt = startShared ? w : u;
            if ((sharedAt == 0.0 && otherAt < 0.0) || (sharedAt == 1.0 && otherAt > 1.0))
                continue;
        }
        // A node two overlapped walls share enters once: a second entry
        // would make an empty span and a new wall beside the reused one.
        auto mapped = [&spans](KorNode* n) {
            for (const auto& [at, span] : spans)
                if (span.node == n)
                    return true;
            return false;
        };
        if (!startShared && !mapped(start))
            spans.emplace(u, ZupSpan{start, nullptr, nullptr});
        if (!endShared && !mapped(end))
            spans.emplace(w, ZupSpan{end, nullptr, nullptr});
        auto* wall = dynamic_cast<ZupSegment*>(primitive);
        bool first = true;
        for (auto it = spans.begin(); it != spans.end(); ++it) {
            auto next = std::next(it);
            if (next == spans.end())
                break;
            if (it->first < low || next->first > high)
                continue;
            if (first) {
                it->second.reuse = wall;
                first = false;
            } else if (wall) {
                it->second.inside = static_cast<ZupEdge*>(wall)->GetInsideSurface();
            }
        }
    }

    std::vector<ZupEdge*> edges;
    KorSegment* previous = nullptr;
    for (auto it = spans.begin(); it != spans.end(); ++it) {
        auto next = std::next(it);
        if (next == spans.end())
            break;
        if (it->second.node == next->second.node)
            continue;
        const std::size_t before = edges.size();
        auto* startNode = dynamic_cast<ZupNode*>(it->second.node);
        auto* endNode = dynamic_cast<ZupNode*>(next->second.node);
        if (!startNode || !endNode)
            continue;
        KorSegment* made =
            CreateEdge(startNode, endNode, edges, tracker, it->second.reuse, previous);
        if (made) {
            if (!it->second.reuse && it->second.inside && edges.size() > before)
                it->second.inside->AddEdge(edges[before], false);
            previous = made;
        } else if (GetError() != KOR_ERR_EQUAL_PRIMITIVE) {
            return false;
        }
    }
    return true;
}

KorSegment* ZupFloor::CreateEdge(ZupNode* a, ZupNode* b, std::vector<ZupEdge*>& edges,
                                 KorLinTracker* tracker, ZupSegment* reuse, KorSegment* previous)
{
    std::multimap<double, KorNode*> map;
    map.emplace(0.0, a);
    map.emplace(1.0, b);
    if (!tracker && mbIntersectControl) {
        segment s(a->GetPoint(), b->GetPoint());
        TrimEnds(a, b, s, &map);
        if (mpCurRoom) {
            SetError(KOR_ERR_CREATE);
            return nullptr;
        }
    }
    if (mbIntersectControl && a->GetNumOfObjects() == 0 && b->GetNumOfObjects() == 0) {
        KorScopedValue<double> snap(GeoSnap(), mMinWallLength);
        point middle(a->GetPoint(), b->GetPoint());
        mpCurRoom = GetPartition(middle);
        if (mpCurRoom) {
            SetError(KOR_ERR_CREATE);
            return nullptr;
        }
    }
    KorScopedValue<double> snap(GeoSnap(), LinearPlay());
    const std::vector<KorNode*> nodes = ZupSpanNodes(map);
    std::size_t from = 0;
    if (reuse && nodes.size() >= 2) {
        ZupReusePiece(reuse, nodes[0], nodes[1]);
        if (static_cast<ZupEdge*>(reuse)->GetNumOfObjects() > 0)
            edges.push_back(reuse);
        if (mColinearMode != ZUP_DETECT_OFF)
            ZupJoinColinear(this, previous, reuse);
        previous = reuse;
        from = 1;
    }
    for (std::size_t i = from; i + 1 < nodes.size(); ++i) {
        auto* wall = new ZupSegment(ZUP_EDGE_FREE);
        if (wall->Create(this, nodes[i], nodes[i + 1], tracker) == 0) {
            delete wall;
            previous = nullptr;
            continue;
        }
        edges.push_back(wall);
        if (mColinearMode != ZUP_DETECT_OFF)
            ZupJoinColinear(this, previous, wall);
        previous = wall;
        ModifyExtents(nodes[i]->GetPoint().x(), nodes[i]->GetPoint().y());
        ModifyExtents(nodes[i + 1]->GetPoint().x(), nodes[i + 1]->GetPoint().y());
    }
    return previous;
}

void ZupFloor::TrimEnds(KorNode* a, KorNode* b, segment& s,
                        std::multimap<double, KorNode*>* map)
{
    // The new wall's line, taken before the wider snap below would put a
    // line a little off an axis on the axis.
    const line carrier(s.start(), s.end());
    KorScopedValue<double> snap(GeoSnap(), LinearPlay());
    const double reach = InputSnap();
    const bool colinear = mColinearMode != ZUP_DETECT_OFF;
    std::vector<KorPrimitive*> primitives(GetPrimitives());
    for (std::size_t i = primitives.size(); i-- > 0;) {
        KorPrimitive* primitive = primitives[i];
        if (i >= GetPrimitives().size() || GetPrimitives()[i] != primitive)
            continue;  // gone with an earlier division
        KorTracker* tracker = primitive->GetTracker();
        if (tracker && s.IsVertical() && tracker->IsVertical())
            continue;
        if (tracker && s.IsHorisontal() && tracker->IsHorizontal())
            continue;
        ZupEdge* edge = CastToEdge(primitive);
        geolist_ref crossings = s % primitive->GetGeometry();
        if (crossings.count() < 1 || crossings.type(0) != GEO_POINT)
            continue;
        point x(crossings[0]);
        if (!PointsFinite(x))
            continue;
        // Under the wide snap the crossing found may lie well off both lines;
        // where both are straight their own crossing is the point.
        if (auto* straight = dynamic_cast<KorLinTracker*>(tracker)) {
            point exact;
            if (LinesCross(carrier, straight->GetLine(), exact) && GeoDistance(exact, x) < reach)
                x = exact;
        }
        const point& ps = primitive->GetStart()->GetPoint();
        const point& pe = primitive->GetEnd()->GetPoint();
        if (GeoDistance(x, ps) < reach || GeoDistance(x, pe) < reach)
            continue;
        const bool nearA = GeoDistance(x, a->GetPoint()) < reach;
        const bool nearB = GeoDistance(x, b->GetPoint()) < reach;
        if (nearA != nearB) {
            KorNode* end = nearA ? a : b;
            if (auto* straight = dynamic_cast<KorLinTracker*>(tracker))
                x = straight->GetLine();  // onto the tracker
            if (edge && edge->IsExternal()) {
                end->GetPoint() = x;
                edge->Divide(end, colinear);
            }
            continue;
        }
        if (nearA && nearB)
            continue;
        if (mbIntersectControl) {
            if (mbMergeInProgress && mpCurAddition && mpCurAddition->IsLastPrimitive() && edge) {
                ZupWallSurface* face = edge->GetRedSurface() ? edge->GetRedSurface()
                                                             : edge->GetWhiteSurface();
                mpCurRoom = face ? face->GetPartition() : nullptr;
                break;
            }
            continue;
        }
        auto* node = new ZupNode();
        if (node->Create(this, x.x(), x.y(), nullptr, true) == 0) {
            delete node;
            continue;
        }
        if (map)
            map->emplace(x.position(s), node);
        if (edge)
            edge->Divide(node, colinear);
    }
}

ZupNode* ZupFloor::UpdateNode(KorTracker* tracker, ZupNode*& node, ZupNode* exclude, bool flag)
{
    // Circular trackers come with curved walls; a straight one aligns the node.
    if (auto* straight = dynamic_cast<KorLinTracker*>(tracker)) {
        if (!AlignNode(node, straight, flag, exclude))
            return nullptr;
    }
    mCurNodeSerial = 0;
    if (node->GetNumOfTrackers() >= 2)
        return node;
    ZupNode* existing = GetNode(node->GetPoint().x(), node->GetPoint().y(), true);
    if (!existing || existing == exclude || existing == node || !existing->BelongTo(tracker))
        return node;
    ZupNode* absorbed = node;
    if (!existing->Merge(absorbed))
        return node;
    node = existing;
    return existing;
}

ZupPartition* ZupFloor::FindDamagingPartition(KorTracker* tracker)
{
    if (!mpCurAddition || !tracker)
        return nullptr;
    const char* name = mpCurAddition->GetName();
    for (int i = 0; i < tracker->GetNumOfPrimitives(); ++i) {
        ZupEdge* edge = CastToEdge(tracker->GetPrimitive(i));
        if (!edge)
            continue;
        for (ZupWallSurface* face : {edge->GetWhiteSurface(), edge->GetRedSurface()}) {
            ZupPartition* room = face ? face->GetPartition() : nullptr;
            const char* roomName = room ? room->GetName() : nullptr;
            if (!roomName || (name && std::string(roomName) == name))
                continue;
            point reference = room->GetCenter();
            if (reference < mpCurAddition->GetContour())
                return room;
        }
    }
    return nullptr;
}

void ZupFloor::CombineEdges(ZupNode* node, KorLinTracker* t1, KorLinTracker* t2)
{
    if (!node || !t1 || !t2 || t1->GetNumOfPrimitives() == 0 || t2->GetNumOfPrimitives() == 0)
        return;
    const bool keepFirst = t1->IsAligned();
    KorPrimitive* kept = (keepFirst ? t1 : t2)->GetPrimitive(0);
    KorPrimitive* absorbed = (keepFirst ? t2 : t1)->GetPrimitive(0);
    KorNode* far = absorbed->GetOtherNode(node);
    if (!far || far == node || kept == absorbed)
        return;
    ZupEdge* keptEdge = CastToEdge(kept);
    ZupEdge* absorbedEdge = CastToEdge(absorbed);
    if (!keptEdge || !absorbedEdge || keptEdge->GetNumOfObjects() > 0 ||
        absorbedEdge->GetNumOfObjects() > 0)
        return;
    auto* farNode = dynamic_cast<ZupNode*>(far);
    if (!farNode)
        return;
    kept->TransferDimaints(absorbed);
    // The far node takes over the shared one: the absorbed wall collapses and
    // goes, the kept wall now reaches the far node.
    KorNode* shared = node;
    farNode->Merge(shared);
}

void ZupFloor::ValidateNodes()
{
    KorScopedValue<double> snap(GeoSnap(), InputSnap());
    for (std::size_t i = GetNodes().size(); i-- > 0;) {
        if (i >= GetNodes().size())
            continue;
        KorNode* node = GetNodes()[i];
        if (node->GetNumOfPrimitives() > 0)
            break;
        point at = node->GetPoint();
        if (KorModel::GetPrimitive(at, nullptr))
            continue;
        if (node->GetNumOfTrackers() > 0) {
            ZupNode* closest = GetClosestNode(at, true, false, 0.0f);
            if (closest && closest->GetPoint() == node->GetTracker(0)->GetGeometry())
                continue;
        }
        KorModel::RemoveObject(GetHandle(node));
    }
}

namespace {

// The straight line an entity of a parallel or perpendicular lies on.
const line* LineOf(KorEntity* entity)
{
    if (!entity)
        return nullptr;
    if (entity->GetType() == KOR_LINEAR_TRACKER)
        return &static_cast<KorLinTracker*>(entity)->GetLine();
    if (entity->IsPrimitive()) {
        KorTracker* tracker = static_cast<KorPrimitive*>(entity)->GetTracker();
        if (tracker && tracker->GetType() == KOR_LINEAR_TRACKER)
            return &static_cast<KorLinTracker*>(tracker)->GetLine();
    }
    return nullptr;
}

// The acute angle between two lines, in degrees.
double AcuteDegrees(const line& a, const line& b)
{
    const double d = std::fabs(std::atan(a.ltan()) - std::atan(b.ltan())) * 180.0 / M_PI;
    return d > 90.0 ? 180.0 - d : d;
}

}  // namespace

void ZupFloor::ValidateConstraints()
{
    const double limit = 3.0 * static_cast<double>(mAngularInputSnap);
    for (std::size_t i = GetDimensions().size(); i-- > 0;) {
        if (i >= GetDimensions().size())
            continue;
        KorDimension* dimension = GetDimensions()[i];
        const KOREntityType type = dimension->GetType();
        if (type != KOR_PARALLEL && type != KOR_PERPENDICULAR)
            continue;
        const line* first = LineOf(dimension->GetStart());
        const line* second = LineOf(dimension->GetEnd());
        if (!first || !second)
            continue;
        const double measured = AcuteDegrees(*first, *second);
        const bool broken = type == KOR_PARALLEL ? measured > limit
                                                 : std::fabs(measured - 90.0) > limit;
        if (broken)
            KorModel::RemoveObject(GetHandle(dimension));
    }
}

void ZupFloor::Validate()
{
    ValidateNodes();
    ValidateConstraints();
}
