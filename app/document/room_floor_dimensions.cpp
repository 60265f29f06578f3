// The room's dimensions: the reference dimensions the user sees and types
// are kept apart from the solver's list, on their layers; near-zero ones are
// hidden; conditions may promote them to extra rules.
#include <algorithm>
#include <cmath>
#include <set>

#include "dimension_values.h"
#include "geolist.h"
#include "kor_condition.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "kor_tracker.h"
#include "line.h"
#include "room_floor.h"
#include "settings.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

constexpr int kLayerShown = 0;
constexpr int kLayerFromPlan = 3;
constexpr int kLayerHidden = 4;

bool IsReferenceType(const KorDimension* d)
{
    return d->GetType() == KOR_DISTANCE || d->GetType() == KOR_RADIUS;
}

bool Contains(const std::vector<KorDimension*>& list, const KorDimension* d)
{
    return std::find(list.begin(), list.end(), d) != list.end();
}

}  // namespace

// ---- The model's dimension operations ----

KorHandle CRoomFloor::AddDimension(KorDimension* dimension)
{
    if (!dimension)
        return 0;
    if (IsReferenceType(dimension) && !dimension->IsExtraRule()) {
        RemoveSolution();
        DropOrderingEntries();
        if (!Contains(mReferenceDimensions, dimension))
            mReferenceDimensions.push_back(dimension);
        return GetNamesManager().CreateObject(dimension);
    }
    // The model inserts by type: the ordering tail must not be in the way.
    DropOrderingEntries();
    const KorHandle handle = KorModel::AddDimension(dimension);
    if (handle != 0 && !dimension->IsExtraRule()) {
        ++mSolverDimensionCount;
        if (mDimensionMark > 0)
            ++mDimensionMark;
    }
    return handle;
}

void CRoomFloor::RemoveDimension(KorDimension* dimension)
{
    mPromotedDimensions.erase(dimension);
    mHeldForPlan.erase(std::remove(mHeldForPlan.begin(), mHeldForPlan.end(), dimension),
                       mHeldForPlan.end());
    ForgetDimension(dimension);
    if (!dimension || dimension->IsExtraRule()) {
        // A wall's rule made with the model's add lands in the reference list
        // before it is marked a rule: it must not stay listed there.
        mReferenceDimensions.erase(
            std::remove(mReferenceDimensions.begin(), mReferenceDimensions.end(), dimension),
            mReferenceDimensions.end());
        mChainDisabledDimensions.erase(std::remove(mChainDisabledDimensions.begin(),
                                                   mChainDisabledDimensions.end(), dimension),
                                       mChainDisabledDimensions.end());
        KorModel::RemoveDimension(dimension);
        return;
    }
    auto reference = std::find(mReferenceDimensions.begin(), mReferenceDimensions.end(), dimension);
    if (reference != mReferenceDimensions.end()) {
        mReferenceDimensions.erase(reference);
        GetNamesManager().RemoveAddress(dimension);
        mChainDisabledDimensions.erase(std::remove(mChainDisabledDimensions.begin(),
                                                   mChainDisabledDimensions.end(), dimension),
                                       mChainDisabledDimensions.end());
        // It may stand in the solving order: never leave it listed there.
        if (mSolverDimensionCount != 0)
            RemoveSolution();
        mDimensions.erase(std::remove(mDimensions.begin() + std::min<std::size_t>(
                                                                mSolverDimensionCount,
                                                                mDimensions.size()),
                                      mDimensions.end(), dimension),
                          mDimensions.end());
        return;
    }
    if (dimension->GetType() != KOR_DISTANCE && mSolverDimensionCount > 0 &&
        Contains(mDimensions, dimension))
        --mSolverDimensionCount;
    KorModel::RemoveDimension(dimension);
}

KorDimension* CRoomFloor::GetDimension(KorEntity* a, KorEntity* b, bool alsoExtraRules)
{
    if (b && !alsoExtraRules) {
        for (KorDimension* d : mReferenceDimensions)
            if (d->GetStart() == a && d->GetEnd() == b)
                return d;
        for (KorDimension* d : mReferenceDimensions)
            if (d->GetStart() == b && d->GetEnd() == a)
                return d;
    }
    return KorModel::GetDimension(a, b, alsoExtraRules);
}

KorDimension* CRoomFloor::GetDimension(int index, std::vector<KorObject*>* ends)
{
    if (index < 0 || index >= static_cast<int>(mReferenceDimensions.size()))
        return nullptr;
    KorDimension* dimension = mReferenceDimensions[static_cast<std::size_t>(index)];
    if (ends) {
        ends->clear();
        ends->push_back(dimension->GetStart());
        ends->push_back(dimension->GetEnd());
    }
    return dimension;
}

short CRoomFloor::GetNumOfDimensions() const
{
    return static_cast<short>(std::min<std::size_t>(mReferenceDimensions.size(), 32767));
}

void CRoomFloor::DeleteExtraRules()
{
    // The model's own sweep would delete the promoted dimensions too.
    DeleteTemporaryRules();
    const std::vector<KorDimension*> list = mDimensions;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        KorDimension* d = *it;
        if (!d->IsExtraRule())
            continue;
        if (mPromotedDimensions.erase(d) > 0) {
            d->SetEnabled(false);
            d->SetExtraRule(false);
        } else {
            delete d;
        }
    }
}

bool CRoomFloor::AddConditionImplementation(KorCondition* condition, KorDimension* dimension)
{
    KorDimension* reference =
        dimension ? GetDimension(dimension->GetStart(), dimension->GetEnd(), false) : nullptr;
    if (!reference || !Contains(mReferenceDimensions, reference))
        return KorModel::AddConditionImplementation(condition, dimension);
    if (reference->IsEnabled() || !CheckDimensionAgainstChains(reference) ||
        !mChainDisabledDimensions.empty())
        return false;
    mPromotedDimensions.insert(reference);
    reference->SetExtraRule(true);
    FixDimension(reference, dimension->GetValue());
    DeleteTemporaryRules();
    ClearTempSolutions();
    const std::vector<KorDimension*> list = mDimensions;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->IsExtraRule() && !mPromotedDimensions.count(*it))
            delete *it;
    DropOrderingEntries();
    ReorderDimensions();
    return true;
}

bool CRoomFloor::IsOverConstrained() { return false; }

// ---- Reference dimensions ----

short CRoomFloor::CountEnabledDimensions() const
{
    const auto enabled = std::count_if(mReferenceDimensions.begin(), mReferenceDimensions.end(),
                                       [](const KorDimension* d) { return d->IsEnabled(); });
    return static_cast<short>(std::min<std::ptrdiff_t>(enabled, 32767));
}

void CRoomFloor::DeleteReferenceDimensions()
{
    RemoveSolution();
    // Each destructor unlists its dimension.
    while (!mReferenceDimensions.empty()) {
        KorDimension* last = mReferenceDimensions.back();
        delete last;
        if (!mReferenceDimensions.empty() && mReferenceDimensions.back() == last)
            mReferenceDimensions.pop_back();
    }
}

void CRoomFloor::RecreateDimensionsIfLoose()
{
    for (KorNode* node : GetNodes())
        if (node->GetNumOfDimaints() < 2 && !IsRoomObject(node)) {
            // The lengths are made again under new names: each length given
            // between two nodes is given again between the same nodes.
            const GivenByEnds given = GivenLengthsByEnds();
            RecreateDimensions();
            GiveLengthsByEnds(given);
            return;
        }
}

std::pair<KorHandle, KorHandle> CRoomFloor::EndsOf(KorDimension* d) const
{
    KorHandle start = GetHandle(d->GetStart());
    KorHandle end = GetHandle(d->GetEnd());
    // A length between two nodes is the same length either way round.
    if (end < start)
        std::swap(start, end);
    return {start, end};
}

CRoomFloor::GivenByEnds CRoomFloor::GivenLengthsByEnds() const
{
    GivenByEnds given;
    for (KorDimension* d : mReferenceDimensions)
        if (d->IsEnabled() && d->GetStart() && d->GetEnd())
            given.emplace(EndsOf(d), d->GetValueString());
    return given;
}

void CRoomFloor::GiveLengthsByEnds(const GivenByEnds& given)
{
    for (KorDimension* d : std::vector<KorDimension*>(mReferenceDimensions)) {
        if (!d->GetStart() || !d->GetEnd())
            continue;
        const auto value = given.find(EndsOf(d));
        if (value != given.end() && (!d->IsEnabled() || d->GetValueString() != value->second))
            d->SetValue(value->second);
    }
}

bool CRoomFloor::InHideScope(KorDimension* d) const
{
    auto* start = dynamic_cast<KorNode*>(d->GetStart());
    auto* end = dynamic_cast<KorNode*>(d->GetEnd());
    if (mDragPrimitive) {
        KorTracker* tracker = mDragPrimitive->GetTracker();
        return (start && start->BelongTo(tracker)) || (end && end->BelongTo(tracker));
    }
    if (mDragNode)
        return start == mDragNode || end == mDragNode;
    return !d->IsEnabled();
}

void CRoomFloor::HideZeroDimensions(bool force, float threshold)
{
    for (KorDimension* d : std::vector<KorDimension*>(mReferenceDimensions)) {
        if (!InHideScope(d))
            continue;
        const float value = static_cast<float>(d->GetImplementedValue());
        if (value < threshold) {
            if (force || d->IsEnabled())
                FixDimension(d, 0.0);
            d->SetLayer(kLayerHidden);
        } else if (d->GetLayer() == kLayerHidden) {
            d->SetLayer(kLayerShown);
        }
    }
}

void CRoomFloor::ShowHiddenDimensions()
{
    for (KorDimension* d : mReferenceDimensions)
        if (d->GetLayer() == kLayerHidden) {
            d->SetLayer(kLayerShown);
            d->SetEnabled(false);
        }
    DisableOneInClosedChains();
}

void CRoomFloor::CopyOpeningWidths(ZupFloor& plan)
{
    for (ZupOpening* opening = Get1stOpening(); opening; opening = GetNextOpening()) {
        ZupOpening* twin = plan.GetOpening(opening->GetName().c_str());
        KorDimension* width = opening->GetWidthDimension();
        if (!twin || !width)
            continue;
        if (!width->IsEnabled())
            FixDimension(width, static_cast<double>(twin->GetWidth()));
        width->SetLayer(kLayerFromPlan);
    }
}

// The reference dimension on the tracker whose span between its nodes holds
// the point's projection.
int CRoomFloor::ReferenceDimensionOn(KorTracker* tracker, const point& p) const
{
    for (std::size_t i = 0; i < mReferenceDimensions.size(); ++i) {
        KorDimension* d = mReferenceDimensions[i];
        if (d->GetTracker(nullptr) != tracker)
            continue;
        auto* start = dynamic_cast<KorNode*>(d->GetStart());
        auto* end = dynamic_cast<KorNode*>(d->GetEnd());
        if (!start || !end)
            continue;
        const point a = start->GetPoint(), b = end->GetPoint();
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double length2 = dx * dx + dy * dy;
        if (length2 <= 0.0)
            continue;
        const double t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2;
        const double slack = GeoSnap() / std::sqrt(length2);
        if (t >= -slack && t <= 1.0 + slack)
            return static_cast<int>(i);
    }
    return -1;
}

int CRoomFloor::FindReferenceDimensionAt(ZupEdge* wall, double x, double y)
{
    const point p(x, y);
    if (wall) {
        KorTracker* tracker = wall->GetTracker();
        return tracker ? ReferenceDimensionOn(tracker, p) : -1;
    }
    std::vector<KorTracker*> excluded;
    for (;;) {
        KorTracker* tracker = nullptr;
        {
            KorScopedValue<double> snap(GeoSnap(), static_cast<double>(InputSnap()));
            tracker = GetTracker(p, nullptr, &excluded);
            if (!tracker) {
                GeoSnap() = 2.0 * InputSnap();
                tracker = GetTracker(p, nullptr, &excluded);
            }
        }
        if (!tracker)
            return -1;
        const int found = ReferenceDimensionOn(tracker, p);
        if (found >= 0)
            return found;
        excluded.push_back(tracker);
    }
}

void CRoomFloor::ReleaseDimensions()
{
    UpdateEntranceAngles(false, true);
    for (KorDimension* d : mReferenceDimensions)
        if (d->GetLayer() != kLayerFromPlan)
            d->SetEnabled(false);
    SetModified(false);
}

KorDimension* CRoomFloor::FirstDimensionOffEntranceAxis()
{
    ZupOpening* entrance = GetEntrance();
    ZupEdge* wall = entrance ? entrance->GetEdge() : nullptr;
    KorTracker* axis = wall ? wall->GetTracker() : nullptr;
    if (!axis)
        return nullptr;
    for (KorDimension* d : mReferenceDimensions) {
        auto* tracker = dynamic_cast<KorLinTracker*>(d->GetTracker(nullptr));
        if (tracker && tracker != axis && !tracker->IsParallel(axis, true))
            return d;
    }
    return nullptr;
}

// ---- Node star: lengths from the current node to every other corner ----

int CRoomFloor::NextCorner(int index) const
{
    const std::vector<KorNode*>& nodes = GetNodes();
    const int next = index + 1;
    if (next < static_cast<int>(nodes.size()) && nodes[next]->GetNumOfPrimitives() >= 2)
        return next;
    return 0;
}

int CRoomFloor::PreviousCorner(int index) const
{
    const std::vector<KorNode*>& nodes = GetNodes();
    if (index - 1 >= 0)
        return index - 1;
    for (int i = static_cast<int>(nodes.size()) - 1; i >= 0; --i)
        if (nodes[i]->GetNumOfPrimitives() >= 2)
            return i;
    return 0;
}

void CRoomFloor::CreateNodeStar()
{
    KorNode* current = GetCurrentNode();
    if (!current)
        return;
    while (mReferenceDimensions.size() > 1) {
        KorDimension* last = mReferenceDimensions.back();
        KorTracker* tracker = last->GetTracker(nullptr);
        if (tracker && tracker->GetNumOfPrimitives() != 0)
            break;
        delete last;
        if (!mReferenceDimensions.empty() && mReferenceDimensions.back() == last)
            mReferenceDimensions.pop_back();
    }
    const std::vector<KorNode*>& nodes = GetNodes();
    const int stop = PreviousCorner(mNodeCursor);
    int index = NextCorner(NextCorner(mNodeCursor));
    // One pass round the corners at most.
    for (std::size_t guard = 0; guard < nodes.size() && index != mNodeCursor; ++guard) {
        auto* star = new KorNNDistance();
        if (!star->Create(this, current, nodes[index], true))
            delete star;
        if (index == stop)
            break;
        index = NextCorner(index);
    }
}
