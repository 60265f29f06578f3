// Tidying the walls after a replay or an edit: collapsed walls and walls
// that fold back on their neighbour go, and two straight walls continuing
// each other at a plain node become one.
#include "zup_floor.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_opening.h"
#include "zup_wall_object.h"

namespace {

bool HasEnabledDistance(KorNode* node)
{
    for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
        KorDimaint* d = node->GetDimaint(i);
        if (d && d->GetType() == KOR_DISTANCE && d->IsEnabled())
            return true;
    }
    return false;
}

// A distance between two nodes may run along a wall's tracker without owning
// it. The tracker dies with its last wall, and the distance, which measured
// along a wall that is no more, goes with it.
std::vector<KorNNDistance*> DistancesCarriedBy(const std::vector<KorNode*>& nodes,
                                               KorPrimitive* wall)
{
    std::vector<KorNNDistance*> carried;
    KorTracker* tracker = wall ? wall->GetTracker() : nullptr;
    if (!tracker || tracker->GetNumOfPrimitives() > 1)
        return carried;
    for (KorNode* node : nodes)
        for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
            auto* d = dynamic_cast<KorNNDistance*>(node->GetDimaint(i));
            if (d && d->GetCarryingTracker() == tracker &&
                std::find(carried.begin(), carried.end(), d) == carried.end())
                carried.push_back(d);
        }
    return carried;
}

// A wall whose length is given (an enabled distance joins its two ends) and
// which is longer than the linear snap stands as typed: the tidy's wide
// coincidence would otherwise merge a short given wall away, so a room read
// back would lose a wall that editing kept.
bool HasGivenLength(KorNode* start, KorNode* end, double linearSnap)
{
    const point a = start->GetPoint();
    const point b = end->GetPoint();
    if (!(std::hypot(b.x() - a.x(), b.y() - a.y()) > linearSnap))
        return false;
    for (int i = 0; i < start->GetNumOfDimaints(); ++i) {
        auto* d = dynamic_cast<KorNNDistance*>(start->GetDimaint(i));
        if (d && d->IsEnabled() && d->GetOtherNode(start) == end)
            return true;
    }
    return false;
}

}  // namespace

// One step of the walk; true when the walls changed (the walk then goes
// back one wall).
bool ZupFloor::TidyWall(int i, KorPrimitive* entranceWall)
{
    KorPrimitive* wall = GetPrimitive(i);
    if (!wall || wall == entranceWall || !CastToEdge(wall))
        return false;
    KorNode* start = wall->GetStart();
    KorNode* end = wall->GetEnd();
    if (!start || !end || start == end || HasGivenLength(start, end, LinearPlay()))
        return false;
    if (start->GetPoint() == end->GetPoint()) {
        if (IsWallObjectEnd(end))
            return false;
        DropDistancesOfMerge(start, end);
        KorNode* absorbed = end;
        return start->Merge(absorbed);
    }
    KorPrimitive* previous = i > 0 ? GetPrimitive(i - 1) : nullptr;
    if (!previous || previous == entranceWall || !CastToEdge(previous) ||
        start->GetNumOfTrackers() >= 3 || end->GetPoint() != previous->GetGeometry())
        return false;
    KorNode* previousStart = previous->GetStart();
    KorNode* previousEnd = previous->GetEnd();
    if (!previousStart || !previousEnd)
        return false;
    if (previousStart->GetPoint() == end->GetPoint()) {
        if (IsWallObjectEnd(end))
            return false;
        DropDistancesCarriedBy(wall);
        KorModel::RemoveObject(GetHandle(wall));
        if (previousEnd->GetNumOfPrimitives() < 2) {
            DropDistancesCarriedBy(previous);
            KorModel::RemoveObject(GetHandle(previous));
            KorNode* absorbed = end;
            if (absorbed != previousStart)
                previousStart->Merge(absorbed);
        }
        return true;
    }
    if (IsWallObjectEnd(start))
        return false;
    DropDistancesOfMerge(end, start);
    KorNode* absorbed = start;
    return end->Merge(absorbed);
}

// A node that ends a wall object is kept: the merge would delete it under
// the object, which still stands on it.
bool ZupFloor::IsWallObjectEnd(KorNode* node)
{
    for (ZupWallObject* object : WallObjects())
        if (object->GetStart() == node || object->GetEnd() == node)
            return true;
    return false;
}

void ZupFloor::DropDistancesCarriedBy(KorPrimitive* wall)
{
    for (KorNNDistance* d : DistancesCarriedBy(GetNodes(), wall))
        KorModel::RemoveObject(GetHandle(d));
}

// Merging absorbed into keeper deletes the walls between the two.
void ZupFloor::DropDistancesOfMerge(KorNode* keeper, KorNode* absorbed)
{
    std::vector<KorPrimitive*> between;
    for (int i = 0; i < absorbed->GetNumOfPrimitives(); ++i) {
        KorPrimitive* p = absorbed->GetPrimitive(static_cast<unsigned>(i));
        if (p && p->GetOtherNode(absorbed) == keeper)
            between.push_back(p);
    }
    for (KorPrimitive* p : between)
        DropDistancesCarriedBy(p);
}

void ZupFloor::UpdateConfiguration()
{
    bool changed = false;
    KorPrimitive* entranceWall =
        mpEntrance ? dynamic_cast<KorPrimitive*>(mpEntrance->GetEdge()) : nullptr;
    {
        KorScopedValue<double> snap(GeoSnap(), 4.0 * LinearPlay());
        // Each change removes a wall or a node, so the walk ends.
        for (int i = 0; i < GetNumOfPrimitives() && GetNumOfPrimitives() >= 2; ++i) {
            if (TidyWall(i, entranceWall)) {
                changed = true;
                i = i > 1 ? i - 2 : -1;
            }
        }
    }
    for (std::size_t n = GetNodes().size(); n-- > 0;) {
        if (n >= GetNodes().size())
            continue;
        auto* node = dynamic_cast<ZupNode*>(GetNodes()[n]);
        if (!node || node->GetNumOfPrimitives() != 2 || node->GetNumOfTrackers() != 2 ||
            HasEnabledDistance(node) || IsWallObjectEnd(node))
            continue;
        auto* t1 = dynamic_cast<KorLinTracker*>(node->GetTracker(0));
        auto* t2 = dynamic_cast<KorLinTracker*>(node->GetTracker(1));
        if (!t1 || !t2 || !(t1->IsParallel(t2, true) || t1->IsGeoColinear(t2)))
            continue;
        const std::size_t before = GetNodes().size();
        CombineEdges(node, t1, t2);
        changed = changed || GetNodes().size() != before;
    }
    if (changed)
        SetupObjects();
}
