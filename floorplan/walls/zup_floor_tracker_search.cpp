// Smart walls: the existing straight tracker a new wall continues, the node
// repairs that bringing its nodes onto it needs, and the snapping of nearly
// level or plumb input.
#include <cmath>
#include <vector>

#include "distances.h"
#include "geolist.h"
#include "intersections.h"
#include "kor_lin_tracker.h"
#include "kor_primitive.h"
#include "line.h"
#include "segment.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"
#include "zup_partition.h"
#include "kor_scoped_value.h"
#include "settings.h"

namespace {

bool OnSeveralTrackers(const KorNode* node)
{
    return node && node->GetNumOfTrackers() >= 2;
}

// The absolute angle between two lines, in radians within 0..pi/2.
double AngleBetween(const line& a, const line& b)
{
    const double d = std::fabs(std::atan(a.ltan()) - std::atan(b.ltan()));
    return d > M_PI / 2 ? M_PI - d : d;
}

KorLinTracker* AsLinTracker(KorTracker* tracker)
{
    return tracker && tracker->GetType() == KOR_LINEAR_TRACKER
               ? static_cast<KorLinTracker*>(tracker)
               : nullptr;
}

using zup_points::Crossing;

}  // namespace

KorLinTracker* ZupFloor::GetTracker(ZupNode*& a, ZupNode*& b, line* input)
{
    if (OnSeveralTrackers(a) || OnSeveralTrackers(b)) {
        if (KorLinTracker* tracker = GetAdjucentTracker(a, b, input))
            return tracker;
    }
    if (mpCurAddition && LiesOnConnectingOpening(a, b))
        return nullptr;
    KorLinTracker* tracker = nullptr;
    {
        // The line through the nodes is taken before the search's wider snap
        // would count a wall a little off an axis as on it: a line drawn on
        // through a tilted wall finds that wall's tracker.
        line drawn(a->GetPoint(), b->GetPoint());
        const bool crowded = OnSeveralTrackers(a) || OnSeveralTrackers(b);
        KorScopedValue<double> snap(GeoSnap(), crowded ? 3.0 * LinearPlay() : static_cast<double>(InputSnap()));
        if (!input)
            tracker = KorModel::GetTracker(a, b, &drawn, false);
        if (!tracker)
            tracker = KorModel::GetTracker(a, b, input, false);
    }
    if (!tracker || (mpCurAddition && MeetsOtherMergedWall(tracker, a, b)))
        return nullptr;
    for (ZupNode* node : {a, b}) {
        if (OnSeveralTrackers(node) && !node->BelongTo(tracker) && !node->Align(tracker))
            return nullptr;
    }
    return tracker;
}

KorLinTracker* ZupFloor::GetAdjucentTracker(ZupNode*& a, ZupNode*& b, line* input)
{
    line drawn = input ? *input : line(a->GetPoint(), b->GetPoint());
    KorLinTracker* best = nullptr;
    double bound = mAngularInputSnap.rad();
    for (int pass = 0; pass < 2 && !best; ++pass) {
        const bool examineA = pass == 0;
        ZupNode* examined = examineA ? a : b;
        if (!OnSeveralTrackers(examined))
            continue;
        ZupNode* candidate =
            examineA && mbIntersectControl && OnSeveralTrackers(b) ? b : nullptr;
        for (unsigned i = 0; i < examined->GetNumOfTrackers(); ++i) {
            KorLinTracker* tracker = AsLinTracker(examined->GetTracker(static_cast<short>(i)));
            if (!tracker)
                continue;
            const double between = AngleBetween(drawn, tracker->GetLine());
            if (!(between < bound))
                continue;
            ZupNode*& other = examineA ? b : a;
            ZupNode* aligned = AlignNode(other, tracker, examineA, examined);
            if (!aligned && !tracker->Align(a, b))
                return best;
            if (aligned && examineA && candidate && candidate != b) {
                segment s(a->GetPoint(), b->GetPoint());
                if (HasIntersection(s))
                    continue;  // the candidate would take b's place: not this tracker
            }
            best = tracker;
            bound = between;
        }
    }
    return best;
}

bool ZupFloor::HasIntersection(segment& s)
{
    KorScopedValue<double> snap(GeoSnap(), LinearPlay());
    const std::vector<KorPrimitive*>& primitives = GetPrimitives();
    for (std::size_t i = primitives.size(); i-- > 0;) {
        KorPrimitive* primitive = primitives[i];
        KorTracker* tracker = primitive->GetTracker();
        if (tracker && s.IsVertical() && tracker->IsVertical())
            continue;
        if (tracker && s.IsHorisontal() && tracker->IsHorizontal())
            continue;
        geolist_ref crossings = s % primitive->GetGeometry();
        for (short k = 0; k < crossings.count(); ++k) {
            if (crossings.type(k) != GEO_POINT)
                continue;
            const point x(crossings[k]);
            const bool atPrimitiveEnd =
                (primitive->GetStart() && x == primitive->GetStart()->GetPoint()) ||
                (primitive->GetEnd() && x == primitive->GetEnd()->GetPoint());
            const bool atSegmentEnd = x == s.start() || x == s.end();
            if (!atPrimitiveEnd && !atSegmentEnd)
                return true;
        }
    }
    return false;
}

ZupNode* ZupFloor::AlignNode(ZupNode*& node, KorLinTracker* tracker, bool flag, ZupNode* exclude)
{
    if (!node || !tracker)
        return nullptr;
    const line& target = tracker->GetLine();
    const unsigned trackers = node->GetNumOfTrackers();
    if (trackers < 2) {
        const point old = node->GetPoint();
        point moved;
        KorLinTracker* own = trackers == 1 ? AsLinTracker(node->GetTracker(0)) : nullptr;
        if (!own || !Crossing(own->GetLine(), target, moved)) {
            moved = old;
            moved = target;  // the projection onto the line
        }
        if (!std::isfinite(moved.x()) || !std::isfinite(moved.y()))
            return nullptr;
        node->GetPoint() = moved;
        point at = old;
        ZupNode* nearest = GetClosestNode(at, false, false, InputSnap());
        if (nearest && nearest == exclude) {
            node->GetPoint() = old;
            return nullptr;
        }
        if (nearest && nearest != node && nearest->BelongTo(tracker)) {
            ZupNode* absorbed = node;
            if (nearest->Merge(absorbed)) {
                node = nearest;
                return nearest;
            }
        }
        return node;
    }
    if (GeoDistance(node->GetPoint(), target) < 0.5 * InputSnap())
        return node;
    if (!tracker->IsOrthogonal())
        return flag && RecreateNode(node, tracker) ? node : nullptr;

    KorLinTracker* pivot = nullptr;
    int steady = 0;
    for (unsigned i = 0; i < trackers; ++i) {
        KorLinTracker* own = AsLinTracker(node->GetTracker(static_cast<short>(i)));
        if (own && (own->GetNumOfPrimitives() > 1 || own->IsOrthogonal())) {
            pivot = own;
            ++steady;
        }
    }
    if (steady >= 2)
        return flag && RecreateNode(node, tracker) ? node : nullptr;
    if (!pivot)
        pivot = AsLinTracker(node->GetTracker(static_cast<short>(trackers - 1)));
    if (!pivot)
        return nullptr;
    const double between = AngleBetween(pivot->GetLine(), target);
    if (between <= mAngularInputSnap.rad())
        return RecreateNode(node, tracker) ? node : nullptr;

    const point old = node->GetPoint();
    point moved;
    if (!Crossing(pivot->GetLine(), target, moved))
        return nullptr;
    node->GetPoint() = moved;
    for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i) {
        KorLinTracker* own = AsLinTracker(node->GetTracker(static_cast<short>(i)));
        if (!own || own == pivot)
            continue;
        if (own->GetNumOfPrimitives() > 0)
            if (KorNode* far = own->GetPrimitive(0)->GetOtherNode(node))
                own->GetLine() = line(moved, far->GetPoint());
        UpdateWallContours(own);
    }
    // Loose nodes that stood at the old point go along.
    for (KorNode* loose : GetNodes()) {
        if (loose == node || loose->GetNumOfPrimitives() > 0 || !(loose->GetPoint() == old))
            continue;
        for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i) {
            KorTracker* own = node->GetTracker(static_cast<short>(i));
            if (!loose->BelongTo(own))
                continue;
            KorLinTracker* straight = AsLinTracker(own);
            if (own->GetNumOfNodes() > 2 || !straight)
                loose->GetPoint() = moved;
            else
                loose->GetPoint() = straight->GetLine();  // projected
        }
    }
    return node;
}

bool ZupFloor::RecreateNode(ZupNode*& node, KorLinTracker* tracker)
{
    // Only the nodes of a floor being merged into this one can be replaced.
    if (!node || !tracker || !GetOriginalNode(node))
        return false;
    return false;  // completed with the merge of a room into a plan
}

KorNode* ZupFloor::GetOriginalNode(ZupNode* node)
{
    for (const auto& [source, made] : mNodeMap)
        if (made == node)
            return source;
    return nullptr;
}

void ZupFloor::UpdateWallContours(KorTracker* tracker)
{
    if (!tracker)
        return;
    for (int i = 0; i < tracker->GetNumOfPrimitives(); ++i) {
        ZupEdge* edge = CastToEdge(tracker->GetPrimitive(i));
        if (!edge)
            continue;
        for (int side = 0; side < 2; ++side)
            if (ZupPartition* room = edge->GetPartition(side))
                room->MakeWallContour();
    }
}

void ZupFloor::Normalize(KorNode* a, KorNode* b, line* input)
{
    if (!a || !b || !input)
        return;
    const double t = std::fabs(input->ltan());
    const double s = mAngularInputSnap.rad();
    const bool level = t < s;
    const bool plumb = !level && t > std::tan(M_PI / 2 - s);
    if (!level && !plumb)
        return;
    const bool aFixed = OnSeveralTrackers(a);
    const bool bFixed = OnSeveralTrackers(b);
    if (aFixed && bFixed)
        return;
    double& va = level ? a->GetPoint().y() : a->GetPoint().x();
    double& vb = level ? b->GetPoint().y() : b->GetPoint().x();
    if (!aFixed && !bFixed) {
        const double mean = (va + vb) / 2.0;
        va = vb = mean;
    } else if (aFixed) {
        vb = va;
    } else {
        va = vb;
    }
}
