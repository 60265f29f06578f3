// The floor's part of the solve cycle: discovery of alignments, parallels,
// colinears and tangents between walls, change tracking, the extra rules that
// keep walls and their objects sound, and the rebuilding of room contours
// and extents after a resolve.
#include "zup_floor.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <vector>

#include "angular.h"
#include "arc.h"
#include "distances.h"
#include "kor_alignment.h"
#include "kor_cc_tangent.h"
#include "kor_cir_tracker.h"
#include "kor_colinear.h"
#include "kor_constraint.h"
#include "kor_cs_tangent.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_parallel.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "kor_segment.h"
#include "zup_edge.h"
#include "zup_partition.h"
#include "zup_wall_object_rules.h"

namespace {

// Rule passes allowed within one resolve.
constexpr unsigned kMaxRulePasses = 10;

bool IsStraightTracker(const KorTracker* tracker)
{
    return tracker && tracker->GetType() == KOR_LINEAR_TRACKER;
}

bool IsCurved(const KorPrimitive* primitive)
{
    const KOREntityType type = primitive->GetType();
    return (type == KOR_ARC || type == KOR_CIRCLE) && primitive->GetTracker() &&
           primitive->GetTracker()->GetType() == KOR_CIRCULAR_TRACKER;
}

bool IsStraight(const KorPrimitive* primitive)
{
    return primitive->GetType() == KOR_SEGMENT && IsStraightTracker(primitive->GetTracker());
}

// The primitive's own arc, or null for a full circle.
const arc* ArcOf(KorPrimitive* primitive)
{
    if (primitive->GetType() != KOR_ARC)
        return nullptr;
    return dynamic_cast<const arc*>(&primitive->GetGeometry());
}

// An arc touches another circle only within its sweep: the direction from its
// centre toward the other centre must lie in it. A full circle always does.
bool FacesCentre(KorPrimitive* primitive, const point& centre, const point& other)
{
    const arc* geometry = ArcOf(primitive);
    if (!geometry)
        return true;
    return AngleInArc(angle(centre, other).rad(), geometry->record());
}

template <typename T>
bool Refused(T* relation, KorHandle handle)
{
    if (handle != 0)
        return false;
    delete relation;
    return true;
}

// Two circles are tangent when their centres lie the sum of the radii apart
// (outside) or their difference (one inside the other), within the snap.
bool NearlyTangentCircles(double d, double rA, double rB, double snap)
{
    if (d < std::max(rA, rB))
        return std::fabs(d - std::fabs(rA - rB)) < snap;
    return std::fabs(d - (rA + rB)) < snap;
}

// Deletes, from the last, each relation of a kind the test picks. Deleting
// one may take others with it (they leave the model's list themselves), so
// the list is read again at every step.
template <typename T, typename Doomed>
void DeleteFromEnd(const std::vector<T*>& list, Doomed doomed)
{
    for (std::size_t i = list.size(); i-- > 0;) {
        if (i >= list.size())
            continue;
        T* relation = list[i];
        if (doomed(relation->GetType()))
            delete relation;
    }
}

// Discovery may merge or drop trackers; a copied list is checked against the model's.
bool IsRegisteredTracker(const ZupFloor& floor, const KorTracker* tracker)
{
    for (const KorTracker* registered : floor.GetTrackers())
        if (registered == tracker)
            return true;
    return false;
}

}  // namespace

// ---- Discovery ----
// Modes: 0 finds everything; 1 nothing; 2 colinears and tangents only between
// walls that share a node, parallels as 0, no alignments; 3 and 4 as 2, but a
// direct FindAlignments keeps vertical (3) or horizontal (4) ones.
// FindConstraints runs the alignments in mode 0 only.

void ZupFloor::FindConstraints()
{
    RemoveConstraints();
    if (mAlignmentMode == ZUP_DETECT_ALL)
        FindAlignments();
    if (mColinearMode != ZUP_DETECT_OFF)
        FindColinears();
    if (mParallelMode != ZUP_DETECT_OFF)
        FindParallels();
    if (mTangentMode != ZUP_DETECT_OFF)
        FindTangents();
}

void ZupFloor::RemoveConstraints()
{
    DeleteFromEnd(GetDimensions(), [](KOREntityType type) {
        return type == KOR_TANGENT || type == KOR_PARALLEL;
    });
    while (!GetConstraints().empty()) {
        const std::size_t before = GetConstraints().size();
        delete GetConstraints().back();
        if (GetConstraints().size() >= before)
            break;  // a constraint that would not leave its model
    }
}

void ZupFloor::RemoveAlignments()
{
    DeleteFromEnd(GetConstraints(), [](KOREntityType type) {
        return type == KOR_VERTICAL || type == KOR_HORIZONTAL;
    });
    SetModified(false);
}

short ZupFloor::FindAlignments()
{
    short count = 0;
    {
        KorScopedValue<angle> play(AngularPlay(), mAngularInputSnap);
        for (KorTracker* tracker : std::vector<KorTracker*>(GetTrackers())) {
            if (!IsStraightTracker(tracker) || !IsRegisteredTracker(*this, tracker))
                continue;
            auto* straight = static_cast<KorLinTracker*>(tracker);
            if (straight->IsAligned())
                continue;
            const KOREntityType kind = straight->FindAlignment();
            if (kind == KOR_EMPTY || !IsAlignmentTypeOK(kind))
                continue;
            std::vector<KorPrimitive*> primitives;
            for (int i = 0; i < straight->GetNumOfPrimitives(); ++i)
                primitives.push_back(straight->GetPrimitive(i));
            for (KorPrimitive* primitive : primitives) {
                auto* segment = dynamic_cast<KorSegment*>(primitive);
                if (!segment)
                    continue;
                auto* alignment = new KorAlignment();
                if (!Refused(alignment, alignment->Create(this, kind, segment, false)) &&
                    count < KOR_MAX_COUNT)
                    ++count;
            }
        }
    }
    SetModified(false);
    return count;
}

void ZupFloor::FindParallels()
{
    const std::vector<KorTracker*> trackers(GetTrackers());
    auto candidate = [](KorTracker* tracker) {
        return IsStraightTracker(tracker) && tracker->GetAlignment() == KOR_EMPTY &&
               tracker->GetNumOfPrimitives() > 0;
    };
    for (std::size_t i = 0; i < trackers.size(); ++i) {
        for (std::size_t j = i + 1; j < trackers.size(); ++j) {
            if (!IsRegisteredTracker(*this, trackers[i]) ||
                !IsRegisteredTracker(*this, trackers[j]))
                continue;
            if (!candidate(trackers[i]) || !candidate(trackers[j]))
                continue;
            auto* earlier = static_cast<KorLinTracker*>(trackers[i]);
            auto* later = static_cast<KorLinTracker*>(trackers[j]);
            if (earlier->IsParallelConstrained(later) || !earlier->IsGeoParallel(later))
                continue;
            auto* first = dynamic_cast<KorSegment*>(earlier->GetPrimitive(0));
            auto* second = dynamic_cast<KorSegment*>(later->GetPrimitive(0));
            if (!first || !second)
                continue;
            auto* parallel = new KorParallel();
            Refused(parallel, parallel->Create(this, first, second));
        }
    }
}

void ZupFloor::FindColinears()
{
    // Groups of straight trackers along one line, the first of each leading.
    std::vector<std::vector<KorLinTracker*>> groups;
    {
        KorScopedValue<double> snap(LinearPlay(), static_cast<double>(InputSnap()));
        std::vector<KorTracker*> work(GetTrackers());
        auto usable = [](KorTracker* tracker) {
            return IsStraightTracker(tracker) && tracker->GetNumOfPrimitives() > 0;
        };
        for (std::size_t i = 0; i < work.size(); ++i) {
            if (!work[i] || !usable(work[i]))
                continue;
            auto* lead = static_cast<KorLinTracker*>(work[i]);
            std::vector<KorLinTracker*> group{lead};
            for (std::size_t j = i + 1; j < work.size(); ++j) {
                if (!work[j] || !usable(work[j]) || !lead->IsGeoColinear(work[j]))
                    continue;
                group.push_back(static_cast<KorLinTracker*>(work[j]));
                work[j] = nullptr;
            }
            if (group.size() > 1)
                groups.push_back(group);
        }
    }
    for (const std::vector<KorLinTracker*>& group : groups) {
        // The primitives of the group in order along the reference primitive.
        KorPrimitive* reference = group.front()->GetPrimitive(0);
        std::multimap<double, KorPrimitive*> order;
        order.emplace(0.5, reference);
        for (KorLinTracker* tracker : group)
            for (int i = 0; i < tracker->GetNumOfPrimitives(); ++i) {
                KorPrimitive* primitive = tracker->GetPrimitive(i);
                if (primitive == reference)
                    continue;
                const double at = primitive->GetGeoCenter().position(reference->GetGeometry());
                order.emplace(at, primitive);
            }
        KorPrimitive* previous = nullptr;
        for (const auto& [at, primitive] : order) {
            (void)at;
            KorPrimitive* before = previous;
            previous = primitive;
            if (!before || before->GetTracker() == primitive->GetTracker())
                continue;  // the first, or already on one line
            if (mColinearMode != ZUP_DETECT_ALL && !before->GetCommonNode(primitive))
                continue;
            auto* colinear = new KorColinear();
            Refused(colinear, colinear->Create(this, before, primitive));
        }
    }
}

void ZupFloor::FindTangents()
{
    const double snap = static_cast<double>(InputSnap());
    const std::vector<KorPrimitive*> primitives(GetPrimitives());
    for (std::size_t i = 0; i < primitives.size(); ++i) {
        for (std::size_t j = i + 1; j < primitives.size(); ++j) {
            KorPrimitive* a = primitives[i];
            KorPrimitive* b = primitives[j];
            const bool curvedA = IsCurved(a);
            const bool curvedB = IsCurved(b);
            if (!curvedA && !curvedB)
                continue;
            const bool shareNode = a->GetCommonNode(b) != nullptr;
            if (mTangentMode != ZUP_DETECT_ALL && !shareNode)
                continue;
            if (curvedA && curvedB) {
                if (a->GetTracker() == b->GetTracker())
                    continue;
                auto* ta = static_cast<KorCirTracker*>(a->GetTracker());
                auto* tb = static_cast<KorCirTracker*>(b->GetTracker());
                if (!ta->GetCenter() || !tb->GetCenter())
                    continue;
                const point ca = ta->GetCenter()->GetPoint();
                const point cb = tb->GetCenter()->GetPoint();
                const double d = GeoDistance(ca, cb);
                if (!NearlyTangentCircles(d, ta->GetRadius(), tb->GetRadius(), snap))
                    continue;
                if (!FacesCentre(a, ca, cb) || !FacesCentre(b, cb, ca))
                    continue;
                auto* tangent = new KorCCTangent();
                Refused(tangent, tangent->Create(this, a, b));
                continue;
            }
            KorPrimitive* curved = curvedA ? a : b;
            KorPrimitive* straight = curvedA ? b : a;
            if (!IsStraight(straight))
                continue;
            if (!shareNode &&
                !(GeoDistance(straight->GetGeometry(), curved->GetGeometry()) < snap))
                continue;
            auto* circleTracker = static_cast<KorCirTracker*>(curved->GetTracker());
            KorNode* centre = circleTracker->GetCenter();
            if (!centre)
                continue;
            const line& wallLine = static_cast<KorLinTracker*>(straight->GetTracker())->GetLine();
            const double off = GeoDistance(centre->GetPoint(), wallLine);
            if (!(std::fabs(off - circleTracker->GetRadius()) < snap))
                continue;
            auto* tangent = new KorCSTangent();
            Refused(tangent, tangent->Create(this, curved, straight));
        }
    }
}

// ---- Change tracking ----

void ZupFloor::SetTraceChanges(bool on)
{
    KorModel::SetTraceChanges(on);
    ClearChangedPrimitives();
}

void ZupFloor::AddChangedNode(KorNode* node)
{
    KorModel::AddChangedNode(node);
    if (GetTraceChanges() && node)
        mChangedNodes.insert(node);
}

void ZupFloor::SetupChangedPrimitives()
{
    if (mChangedNodes.empty())
        return;
    for (KorNode* node : mChangedNodes) {
        for (short i = 0; i < node->GetNumOfPrimitives(); ++i) {
            KorPrimitive* primitive = node->GetPrimitive(i);
            if (!primitive)
                continue;
            mChangedPrimitives.insert(primitive);
            if (primitive->GetAlignment() == KOR_EMPTY)
                primitive->SetOrientation();
        }
    }
    mChangedNodes.clear();
}

void ZupFloor::ClearChangedPrimitives()
{
    mChangedPrimitives.clear();
    mbChangedCursor = false;
}

KorPrimitive* ZupFloor::Get1stChangedPrimitive()
{
    mbChangedCursor = false;
    if (mChangedPrimitives.empty())
        return nullptr;
    mChangedCursor = mChangedPrimitives.begin();
    mbChangedCursor = true;
    return *mChangedCursor;
}

KorPrimitive* ZupFloor::GetNextChangedPrimitive()
{
    if (!mbChangedCursor)
        return nullptr;
    if (mChangedCursor != mChangedPrimitives.end())
        ++mChangedCursor;
    if (mChangedCursor == mChangedPrimitives.end()) {
        mbChangedCursor = false;
        return nullptr;
    }
    return *mChangedCursor;
}

ZupEdge* ZupFloor::Get1stChangedEdge()
{
    return CastToEdge(Get1stChangedPrimitive());
}

ZupEdge* ZupFloor::GetNextChangedEdge()
{
    return CastToEdge(GetNextChangedPrimitive());
}

void ZupFloor::ForgetChanged(KorNode* node)
{
    mChangedNodes.erase(node);
}

void ZupFloor::ForgetChanged(KorPrimitive* primitive)
{
    auto it = mChangedPrimitives.find(primitive);
    if (it == mChangedPrimitives.end())
        return;
    if (mbChangedCursor && mChangedCursor == it)
        mbChangedCursor = false;
    mChangedPrimitives.erase(it);
}

bool ZupFloor::RemovePrimitive(KorPrimitive* primitive)
{
    ForgetChanged(primitive);
    return KorModel::RemovePrimitive(primitive);
}

// ---- Solve cycle ----

bool ZupFloor::Resolve()
{
    if (!KorModel::Resolve())
        return false;
    if (IsInDrag())
        return true;
    if (!mPartitions.empty())
        UpdatePartitions();
    CalculateExtents();
    return true;
}

void ZupFloor::UpdatePartitions()
{
    // The outer shell is a room too: its contour is what GetContour gives.
    if (mpOuterShell)
        mpOuterShell->MakeWallContour();
    for (ZupPartition* room : mPartitions)
        room->MakeWallContour();
}

void ZupFloor::SetDrag(bool drag)
{
    KorModel::SetDrag(drag);
    if (!drag)
        UpdatePartitions();
}

bool ZupFloor::ResolveRules(bool* more, KorDimension** dimension)
{
    bool moreScratch = false;
    KorDimension* dimensionScratch = nullptr;
    if (!more)
        more = &moreScratch;
    if (!dimension)
        dimension = &dimensionScratch;
    if (++ResolveCounter() > kMaxRulePasses) {
        *more = false;
        return false;
    }
    *dimension = nullptr;
    bool added = false;
    bool wallRuleAdded = false;
    for (KorPrimitive* primitive : std::vector<KorPrimitive*>(GetPrimitives())) {
        KorDimension* rule = nullptr;
        bool valid = true;
        {
            // A wall shorter than the minimum wall length is not sound; its
            // rule takes that length too.
            KorScopedValue<double> snap(LinearPlay(), mMinWallLength);
            valid = primitive->IsValid();
            if (!valid)
                rule = primitive->Resolve();
        }
        if (!valid) {
            if (!rule) {
                DeleteExtraRules();
                *more = false;
                return false;
            }
            // The search solves only listed dimensions: a wall's rule joins
            // the list (without a handle, so no command text names it) and
            // the caller searches again with it. The wall, held by it, is
            // valid on the next pass; a rule the search cannot meet fails that
            // search at once.
            AddDimension(rule);
            if (const KorHandle handle = GetHandle(rule))
                GetNamesManager().RemoveObject(handle);
            AddExtraRule(rule);
            added = true;
            wallRuleAdded = true;
            continue;
        }
        ZupEdge* edge = CastToEdge(primitive);
        if (!edge || edge->GetNumOfObjects() == 0)
            continue;
        switch (ZupWallObjectRules(*this, *edge, dimension)) {
        case ZupRuleOutcome::kNone:
            break;
        case ZupRuleOutcome::kAdded:
            added = true;
            break;
        case ZupRuleOutcome::kFailed:
            *more = false;
            return false;
        case ZupRuleOutcome::kEnabled:
            *more = true;
            return false;
        }
    }
    if (!added)
        return true;
    *more = true;
    if (wallRuleAdded)
        return false;
    if (ResolveConditions(more))
        return ResolveRules(more, dimension);
    return false;
}
