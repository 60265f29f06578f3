// Resolve: aligning nodes, ordering the dimensions, running the search,
// conditions, giving up weights, and restoring the geometry on failure.
#include "kor_model.h"

#include <algorithm>
#include <unordered_map>

#include "distances.h"
#include "kor_capture.h"
#include "kor_cir_tracker.h"
#include "kor_condition.h"
#include "kor_df.h"
#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_scoped_value.h"
#include "kor_tracker.h"
#include "settings.h"

namespace {

constexpr KORStatusType kUnsolved = KORStatusType(0);
constexpr KORStatusType kSolved = KORStatusType(2);

// Rounds of search, adjustment, conditions and rules within one DoResolve,
// and condition passes within one ResolveConditions: past these the resolve
// fails instead of running on.
constexpr int kMaxResolveRounds = 64;
constexpr int kMaxConditionPasses = 64;

// Reorderings per enabled dimension a drag step may spend. A step goes from
// a solved room to a pen a few inches on: when it can be taken it takes
// almost no backtracking, and a step the pen cannot reach is refused at once
// instead of after the whole search, which it pays at every pen move.
constexpr int kDragReorderingLimit = 1;

// During a drag the pen holds the dragged node: the solve moves the rest of
// the model to it, or fails and the step is refused. Without the hold the
// alignment of the nodes before it projects the node back off the pen.
class PenHold {
public:
    explicit PenHold(KorNode* node) : mpNode(node && node->IsMovable() ? node : nullptr)
    {
        if (mpNode)
            mpNode->SetMovable(false);
    }
    ~PenHold()
    {
        if (mpNode)
            mpNode->SetMovable(true);
    }
    PenHold(const PenHold&) = delete;
    PenHold& operator=(const PenHold&) = delete;

private:
    KorNode* mpNode;
};

// Whether the solution leaves broken a dimension the model's user gave
// (one of the model's own dimensions, enabled) that the search was never
// handed: a room keeps its given lengths apart from the solver's list, and
// one its ordering left out must hold all the same.
bool LeavesUnlistedDimensionBroken(KorModel& model)
{
    const std::vector<KorDimension*>& listed = model.GetDimensions();
    const int count = model.GetNumOfDimensions();
    for (int i = 0; i < count; ++i) {
        KorDimension* d = model.GetDimension(i, nullptr);
        if (!d || !d->IsEnabled() || d->GetOwner())
            continue;
        const auto at = static_cast<std::size_t>(i);
        if ((at < listed.size() && listed[at] == d) ||
            std::find(listed.begin(), listed.end(), d) != listed.end())
            continue;
        if (!d->IsImplemented())
            return true;
    }
    return false;
}

bool IsLineTracker(const KorTracker* tracker)
{
    return tracker->GetType() == KOR_LINEAR_TRACKER;
}

bool IsCircleTracker(const KorTracker* tracker)
{
    return tracker->GetType() == KOR_CIRCULAR_TRACKER;
}

}  // namespace

// ---- Geometry snapshots ----

void KorModel::GeometrySnapshot::Clear()
{
    nodes.clear();
    lines.clear();
    circles.clear();
    nodeSerials.clear();
    lineSerials.clear();
    circleSerials.clear();
}

void KorModel::SaveGeometry(GeometrySnapshot& snapshot) const
{
    snapshot.Clear();
    snapshot.nodes.reserve(mNodes.size());
    snapshot.nodeSerials.reserve(mNodes.size());
    for (KorNode* node : mNodes) {
        snapshot.nodes.push_back(node->GetPoint());
        snapshot.nodeSerials.push_back(node->GetSerial());
    }
    for (KorTracker* tracker : mTrackers) {
        if (IsCircleTracker(tracker)) {
            snapshot.circles.push_back(static_cast<KorCirTracker*>(tracker)->GetCircle());
            snapshot.circleSerials.push_back(tracker->GetSerial());
        } else if (IsLineTracker(tracker)) {
            snapshot.lines.push_back(static_cast<KorLinTracker*>(tracker)->GetLine());
            snapshot.lineSerials.push_back(tracker->GetSerial());
        }
    }
}

bool KorModel::RestoreGeometry(const GeometrySnapshot& snapshot)
{
    if (snapshot.nodes.empty())
        return false;
    // Matched by serial: objects added since the save keep their geometry,
    // objects removed since are skipped.
    std::unordered_map<std::uint64_t, std::size_t> nodeAt, lineAt, circleAt;
    for (std::size_t i = 0; i < snapshot.nodeSerials.size(); ++i)
        nodeAt[snapshot.nodeSerials[i]] = i;
    for (std::size_t i = 0; i < snapshot.lineSerials.size(); ++i)
        lineAt[snapshot.lineSerials[i]] = i;
    for (std::size_t i = 0; i < snapshot.circleSerials.size(); ++i)
        circleAt[snapshot.circleSerials[i]] = i;
    for (KorNode* node : mNodes) {
        auto it = nodeAt.find(node->GetSerial());
        if (it != nodeAt.end())
            node->GetPoint() = snapshot.nodes[it->second];
    }
    for (KorTracker* tracker : mTrackers) {
        if (IsCircleTracker(tracker)) {
            auto it = circleAt.find(tracker->GetSerial());
            if (it != circleAt.end())
                static_cast<KorCirTracker*>(tracker)->GetCircle() = snapshot.circles[it->second];
        } else if (IsLineTracker(tracker)) {
            auto it = lineAt.find(tracker->GetSerial());
            if (it != lineAt.end())
                static_cast<KorLinTracker*>(tracker)->GetLine() = snapshot.lines[it->second];
        }
    }
    return true;
}

void KorModel::SavePreAdjustmentGeometry() { SaveGeometry(mPreAdjustment); }

void KorModel::RestorePreAdjustmentGeometry() { RestoreGeometry(mPreAdjustment); }

void KorModel::SavePreStepGeometry() { SaveGeometry(mPreStep); }

void KorModel::RestorePreStepGeometry() { RestoreGeometry(mPreStep); }

void KorModel::RestorePreAlignmentGeometry()
{
    if (!RestoreGeometry(mPreAlignment))
        return;
    for (KorNode* node : mNodes)
        node->SetStatus(kUnsolved);
    for (KorTracker* tracker : mTrackers)
        tracker->SetStatus(kUnsolved);
    mbAligned = false;
}

void KorModel::ClearBackupGeometry()
{
    mPreAdjustment.Clear();
    mPreAlignment.Clear();
    mPreStep.Clear();
}

// ---- Status ----

void KorModel::ClearFixed()
{
    KorNode::SetFixedTrackers(nullptr, nullptr, nullptr);
    KorTracker::SetFixedNodes(nullptr, nullptr);
}

void KorModel::ResetGeometryStatus()
{
    ClearFixed();
    for (std::size_t i = mTrackers.size(); i-- > 0;)
        mTrackers[i]->ResetStatus(false);
    for (std::size_t i = mNodes.size(); i-- > 0;)
        mNodes[i]->ResetStatus();
}

// ---- Weights ----

void KorModel::AddWeighted(KorDimaint* dimaint)
{
    if (std::find(mWeighted.begin(), mWeighted.end(), dimaint) != mWeighted.end())
        return;
    if (dimaint->IsConstraint())
        mWeightedConstraints.push_back(dimaint);
    auto heavier = std::find_if(mWeighted.begin(), mWeighted.end(), [&](KorDimaint* d) {
        return d->GetWeight() > dimaint->GetWeight();
    });
    mWeighted.insert(heavier, dimaint);
}

void KorModel::RemoveWeighted(KorDimaint* dimaint)
{
    EraseFrom(mWeighted, static_cast<const KorDimaint*>(dimaint));
    EraseFrom(mWeightedConstraints, static_cast<const KorDimaint*>(dimaint));
    EraseFrom(mGivenUp, static_cast<const KorDimaint*>(dimaint));
}

void KorModel::ResetWeighted()
{
    // Only what giving up disabled comes back: a dimension the user switched
    // off stays off.
    const std::vector<KorDimaint*> givenUp = std::move(mGivenUp);
    mGivenUp.clear();
    for (KorDimaint* dimaint : givenUp)
        if (std::find(mWeighted.begin(), mWeighted.end(), dimaint) != mWeighted.end())
            dimaint->SetEnabled(true);
}

void KorModel::GiveUp(KorDimaint* dimaint)
{
    if (!dimaint->IsEnabled())
        return;
    dimaint->SetEnabled(false);
    mGivenUp.push_back(dimaint);
}

// ---- Alignment ----

bool KorModel::AlignNodes(const std::vector<KorNode*>& order)
{
    for (KorNode* node : order)
        if (!node->Align(nullptr))
            return false;
    return true;
}

bool KorModel::Align()
{
    for (KorNode* node : mNodes)
        node->SetStatus(kUnsolved);
    for (KorTracker* tracker : mTrackers)
        tracker->ResetStatus(false);
    if (AlignNodes(mNodes))
        return true;
    RestorePreAlignmentGeometry();
    if (mAlignmentOrder.size() != mNodes.size()) {
        mAlignmentOrder.clear();
        for (KorNode* node : mNodes)
            mAlignmentOrder.emplace(static_cast<int>(node->GetNumOfTrackers()), node);
    }
    std::vector<KorNode*> order;
    order.reserve(mAlignmentOrder.size());
    for (auto it = mAlignmentOrder.rbegin(); it != mAlignmentOrder.rend(); ++it)
        order.push_back(it->second);
    return AlignNodes(order);
}

void KorModel::SetNodeStatusesAfterAlignment()
{
    for (KorNode* node : mNodes)
        node->SetStatus(node->IsMovable() ? kUnsolved : kSolved);
}

bool KorModel::DoWeightedAlign()
{
    SaveGeometry(mPreAlignment);
    mbAligned = Align();
    if (mbAligned) {
        SetNodeStatusesAfterAlignment();
        return true;
    }
    if (!mWeightedConstraints.empty()) {
        RestorePreAlignmentGeometry();
        for (KorDimaint* constraint : mWeightedConstraints)
            GiveUp(constraint);
        mbAligned = Align();
        if (mbAligned) {
            SetNodeStatusesAfterAlignment();
            return true;
        }
    }
    SetError(KOR_ERR_NO_SOLUTION);
    return false;
}

bool KorModel::RestoreGeometry()
{
    RestorePreAlignmentGeometry();
    if (!mbInDrag)
        KorNode::mbRepeatAlignment = true;
    if (!Align())
        return false;
    SavePreAdjustmentGeometry();
    for (KorDimension* dimension : mDimensions)
        dimension->CalculateOrientation();
    return true;
}

// ---- Ordering ----

void KorModel::SetDimensionChain(KorDimension* dimension, std::vector<KorDimension*>& dimensions,
                                 std::vector<KorDimension*>& group)
{
    bool moved = true;
    while (moved) {
        moved = false;
        for (auto it = group.begin(); it != group.end(); ++it) {
            KorDimension* member = *it;
            if (!dimension->IsAdjacent(member))
                continue;
            group.erase(it);
            dimensions.push_back(member);
            SetDimensionChain(member, dimensions, group);
            moved = true;
            break;
        }
    }
}

namespace {

// Dimensions that fix the direction of one line from another's. A
// perpendicular is one of them: among the others, a chain of them is
// searched from both ends at once and the two halves cannot meet.
bool IsDirectionDimension(KOREntityType type)
{
    return type == KOR_ANGLE || type == KOR_PARALLEL || type == KOR_PERPENDICULAR;
}

}  // namespace

bool KorModel::ReorderDimensions()
{
    if (mDimensions.size() < 3)
        return true;
    std::vector<KorDimension*> radius, tangent, front, angular, others;
    for (KorDimension* dimension : mDimensions) {
        const KOREntityType type = dimension->GetType();
        if (type == KOR_RADIUS) {
            radius.push_back(dimension);
            continue;
        }
        if (type == KOR_TANGENT) {
            tangent.push_back(dimension);
            continue;
        }
        if (dimension->IsEnabled()) {
            const KORStatusType status = dimension->CalculateStatus();
            const bool implemented = dimension->IsImplemented();
            if ((status == 2 && implemented) || status == 5) {
                front.push_back(dimension);
                continue;
            }
            if (status == 2)
                return false;
        }
        if (IsDirectionDimension(type))
            angular.push_back(dimension);
        else
            others.push_back(dimension);
    }
    mFrontCount = static_cast<short>(front.size());
    if (!front.empty()) {
        std::vector<KorDimension*> ordered;
        ordered.reserve(mDimensions.size());
        for (KorDimension* dimension : front) {
            ordered.push_back(dimension);
            if (IsDirectionDimension(dimension->GetType()))
                SetDimensionChain(dimension, ordered, angular);
        }
        for (auto* group : {&radius, &angular, &others, &tangent})
            ordered.insert(ordered.end(), group->begin(), group->end());
        // Stack entries and the journal hold indices into the old order.
        ClearSolutions(nullptr);
        mDimensions.swap(ordered);
        mJournal.clear();
    }
    --mFrontCount;
    return true;
}

bool KorModel::IsOverConstrained()
{
    int equations = 0;
    int angular = 0;
    for (KorDimension* dimension : mDimensions) {
        if (!dimension->IsImplementable())
            return true;
        equations += dimension->GetNumOfEquations();
        if (dimension->GetType() == KOR_ANGLE || dimension->GetType() == KOR_PARALLEL)
            ++angular;
    }
    bool anyImmovable = false;
    for (KorNode* node : mNodes) {
        equations += static_cast<int>(node->GetNumOfTrackers());
        if (!node->IsMovable()) {
            equations += 2;
            anyImmovable = true;
        }
    }
    int unknowns = 2 * static_cast<int>(mNodes.size());
    for (KorTracker* tracker : mTrackers) {
        const int k = tracker->GetNumOfUnknowns();
        if (k == 0 || IsCircleTracker(tracker)) {
            equations -= 1;
            if (IsCircleTracker(tracker))
                unknowns += k;
        } else if (IsLineTracker(tracker)) {
            unknowns += k;
            if (!tracker->IsMovable())
                equations += 2;
        }
    }
    if (!anyImmovable)
        equations += 2;
    const int excess = equations - unknowns;
    return excess >= 2 || (excess == 1 && angular <= 1);
}

// ---- Conditions ----

bool KorModel::IsSolvedCondition() const
{
    for (KorCondition* condition : mConditions)
        if (condition->GetImplementationDim())
            return true;
    return false;
}

bool KorModel::TryConditionCandidates(KorCondition* condition, KorDimension* dimension)
{
    KorDF* df = nullptr;
    KorDF* const stopDF = dimension->GetStopDF();
    for (int tries = 0; tries < 4 * KOR_MAX_COUNT; ++tries) {
        KorDimSolution* candidate = dimension->Solve(df);
        if (!candidate)
            return false;
        if (candidate->GetOpCode() == KOR_OP_TANGENCY) {
            delete candidate;
            return false;
        }
        mAdjustmentTrackers.clear();
        ClearFixed();
        SavePreStepGeometry();
        const bool accepted = candidate->Adjust(dimension) && Align(candidate, dimension) &&
                              condition->IsConditionImplemented();
        if (accepted) {
            if (mbInDrag && dimension->IsExtraRule() && GetHandle(dimension) == 0) {
                candidate->SetDimensionIndex(static_cast<short>(mDimensions.size()));
                mSolutions.push_back(candidate);
                mDimensions.push_back(dimension);
                mNames.CreateObject(dimension);
                RemoveExtraRule(dimension);
            } else {
                DisableSolution(candidate);
                delete candidate;
            }
            return true;
        }
        RestorePreStepGeometry();
        df = candidate->GetDF();
        delete candidate;
        if (!df || df == stopDF)
            return false;
    }
    return false;
}

bool KorModel::ResolveConditions(bool* retry)
{
    for (int pass = 0; pass < kMaxConditionPasses; ++pass) {
        if (!mSolutions.empty() && mTempSolutions.empty() && !IsSolvedCondition()) {
            SetTempSolutionsStore();
            mBackupJournal = mJournal;
        }
        bool anyImplemented = false;
        bool anyChanged = false;
        for (KorCondition* condition : std::vector<KorCondition*>(mConditions)) {
            if (condition->IsConditionImplemented()) {
                anyImplemented = true;
                continue;
            }
            KorDimension* implementation = nullptr;
            bool needsRegistration = false;
            if (condition->GetImplementationDim()) {
                ClearSolutions(nullptr);
                implementation = condition->UpdateImplementationDim();
                needsRegistration = true;
            } else {
                bool more = false;
                implementation = condition->CreateImplementationDim(&more);
                needsRegistration = more;
            }
            if (!implementation) {
                *retry = false;
                return false;
            }
            if (!needsRegistration && TryConditionCandidates(condition, implementation)) {
                anyChanged = true;
                continue;
            }
            // Register the implementation (and those of the other conditions)
            // and let the caller search again with them in the list.
            ClearSolutions(nullptr);
            AddConditionImplementation(condition, implementation);
            for (KorCondition* other : std::vector<KorCondition*>(mConditions))
                if (other != condition && other->GetImplementationDim())
                    AddConditionImplementation(other, other->GetImplementationDim());
            *retry = !mConditions.empty();
            return false;
        }
        if (!(anyImplemented && anyChanged))
            return true;
    }
    *retry = false;
    return false;
}

// ---- Resolve ----

bool KorModel::DoSimpleShift(double, double) { return false; }

bool KorModel::DoResolve()
{
    mCounter = 0;
    mFailedDoubles.clear();
    ClearTempSolutions();
    // Restart point: -1 searches from the beginning, else the stack index.
    long restart = -1;
    int failureCode = KOR_ERR_NO_SOLUTION;
    for (int round = 0; round < kMaxResolveRounds; ++round) {
        bool firstSolveFailed = false;
        bool conditionDimensionAdded = false;
        if (mDimensions.empty()) {
            ResetGeometryStatus();
            mbSolved = true;
        } else if (!mbSolved) {
            if (!mSolutions.empty() && restart >= static_cast<long>(mSolutions.size()))
                restart = 0;
            KorDimSolution** from =
                restart >= 0 && restart < static_cast<long>(mSolutions.size())
                    ? &mSolutions[static_cast<std::size_t>(restart)]
                    : nullptr;
            mbSolved = Solve(from);
            firstSolveFailed = !mbSolved;
        }
        if (mbSolved && !mDimensions.empty()) {
            failureCode = mbPlaceholderUsed ? KOR_ERR_NO_SOLUTION : KOR_ERR_CONDITIONS;
            KorDimSolution** failed = Adjust();
            int adjustments = 0;
            // A stack cleared while it was applied (mbSolved dropped) counts
            // as a failure too.
            while (failed != mSolutions.data() + mSolutions.size() || !mbSolved) {
                RestorePreAdjustmentGeometry();
                NoteFailedDouble(failed);
                if (++adjustments > kMaxResolveRounds) {
                    mbSolved = false;
                    break;
                }
                if (ReorderDimensions(failed)) {
                    ++mReorderings;
                    mbSolved = Solve(nullptr);
                } else {
                    mbSolved = Solve(failed);
                }
                if (!mbSolved)
                    break;
                failed = Adjust();
            }
        }
        if (firstSolveFailed) {
            if (mConditions.empty() || !AddConditionDimension()) {
                SetError(KOR_ERR_NO_SOLUTION);
                return false;
            }
            conditionDimensionAdded = true;
            failureCode = KOR_ERR_NO_SOLUTION;
            restart = -1;
            continue;
        }
        if (mbBoundedSupport && !mConditions.empty() && mbSolved) {
            bool retry = false;
            const bool met = ResolveConditions(&retry);
            if (!met && (!retry || !RestoreGeometry())) {
                SetError(KOR_ERR_CONDITIONS);
                return false;
            }
            mbSolved = met;
            if (!mbSolved) {
                restart = -1;
                continue;
            }
        } else if (!mbSolved && !conditionDimensionAdded) {
            SetError(failureCode);
            return false;
        }
        if (mbSolved && mbRules) {
            bool retry = false;
            KorDimension* named = nullptr;
            mbSolved = ResolveRules(&retry, &named);
            if (!mbSolved) {
                if (!retry) {
                    DeleteExtraRules();
                    SetError(KOR_ERR_RULES);
                    return false;
                }
                RestorePreAdjustmentGeometry();
                restart = RestartIndexOf(named);
                continue;
            }
        }
        if (mbSolved)
            return true;
    }
    mbRoundsExhausted = true;
    SetError(KOR_ERR_CONDITIONS);
    return false;
}

long KorModel::RestartIndexOf(KorDimension* dimension) const
{
    if (!dimension)
        return 0;
    const short index = GetIndex(dimension);
    const bool listed = std::find(mDimensions.begin(), mDimensions.end(), dimension) !=
                        mDimensions.end();
    if (listed)
        for (std::size_t i = 0; i < mSolutions.size(); ++i)
            if (mSolutions[i]->GetDimensionIndex() == index)
                return static_cast<long>(i);
    return static_cast<long>(mSolutions.size());
}

bool KorModel::AddConditionDimension()
{
    for (std::size_t i = mDimensions.size(); i-- > 0;) {
        KorCondition* owner = mDimensions[i]->GetOwner();
        if (!owner)
            continue;
        KorDimension* next = owner->UpdateImplementationDim();
        if (!next)
            continue;
        if (GetHandle(next) == 0) {
            RemoveExtraRule(next);
            AddDimension(next);
        } else {
            ClearSolutions(nullptr);
        }
        return true;
    }
    return false;
}

void KorModel::GiveUpWeights()
{
    const int n = static_cast<int>(mWeighted.size());
    const int a = std::max(1, n / 3);
    int q = n - 1;
    while (q >= 0) {
        int lowest = q;
        for (int p = q; p >= 0 && p >= q - a; --p) {
            if (p < q && mWeighted[static_cast<std::size_t>(p)]->GetWeight() !=
                             mWeighted[static_cast<std::size_t>(p + 1)]->GetWeight())
                break;
            GiveUp(mWeighted[static_cast<std::size_t>(p)]);
            lowest = p;
        }
        DeleteExtraRules();
        RestorePreAdjustmentGeometry();
        mError = 0;
        mReorderings = 0;
        if (DoResolve())
            return;
        q = lowest - 1;
        if (q <= 0)
            return;
    }
}

bool KorModel::Resolve()
{
    if (ResolveStrictThenLenient(true))
        return true;
    return ResolveWithImpliedDimension();
}

bool KorModel::ResolveStrictThenLenient(bool journal)
{
    // Walls held square or parallel are solved to within GeoDif degrees as
    // the geometry library places them. Only where no such solution is found
    // outside a drag does the library's own reading decide, as before.
    KorScopedValue<bool> strictGuard(mbStrictDirections);
    mbStrictDirections = true;
    mbLenientResult = false;
    const std::size_t givenUp = mGivenUp.size();
    if (ResolveSearches(journal))
        return true;
    if (!RetryLenient())
        return false;
    TakeBackGivenUp(givenUp);
    mbStrictDirections = false;
    mbLenientResult = ResolveSearches(false);
    return mbLenientResult;
}

bool KorModel::ResolveSearches(bool journal)
{
    // Today's search decides wherever it succeeds; the anchored search is the
    // second try. A drag step takes the anchored search at once: the pen is
    // the anchor, and a failing first search would cost the step its time.
    KorScopedValue<bool> anchoredGuard(mbAnchoredSearch);
    mbAnchoredSearch = mbInDrag;
    KorScopedValue<int> limitGuard(mReorderingLimit);
    if (mbInDrag)
        mReorderingLimit = std::min(mReorderingLimit, kDragReorderingLimit);
    const std::size_t givenUp = mGivenUp.size();
    mbRoundsExhausted = false;
    const bool solved = ResolveOnce(journal);
    if (solved)
        return true;
    if (mbInDrag)
        return ResolveWithoutPenHold();
    if (!RetryAnchored())
        return false;
    // Weights given up by the first try come back for the second.
    TakeBackGivenUp(givenUp);
    mbAnchoredSearch = true;
    return ResolveOnce(false);
}

// A length given twice (the opposite walls of a square room at the same
// value) repeats what the others give: the count of equations takes it for
// one too many, or the search finds nothing left to move for it. The room
// is solved without one of the twins, latest first, and the result stands
// when it holds that one too; otherwise the room is as it was, with the
// first refusal's error. A pen drag is not solved again.
bool KorModel::ResolveWithImpliedDimension()
{
    if (mpDraggedNode || mbRoundsExhausted || mError == KOR_ERR_RULES)
        return false;
    std::vector<KorDimension*> twins;
    for (std::size_t i = mDimensions.size(); i-- > 0;)
        if (HasTwin(mDimensions[i]))
            twins.push_back(mDimensions[i]);
    if (twins.empty())
        return false;
    const int refusal = mError;
    GeometrySnapshot start;
    SaveGeometry(start);
    for (KorDimension* implied : twins) {
        if (std::find(mDimensions.begin(), mDimensions.end(), implied) == mDimensions.end())
            continue;  // gone with the last search
        implied->SetEnabled(false);
        const bool solved = !IsOverConstrained() && ResolveStrictThenLenient(false);
        implied->SetEnabled(true);
        if (solved && implied->IsImplemented() && IsResolved())
            return true;
        RestoreGeometry(start);
        Invalidate(true);
    }
    mError = refusal;
    return false;
}

// Rules the search adds for itself come and go with it and are never twins.
bool KorModel::HasTwin(KorDimension* dimension) const
{
    auto given = [this](KorDimension* d) {
        return d->IsEnabled() && !d->GetOwner() && !d->IsExtraRule() && d->GetNumOfEquations() > 0 &&
               d->HasValue() && std::find(mExtraRules.begin(), mExtraRules.end(), d) == mExtraRules.end();
    };
    if (!given(dimension))
        return false;
    for (KorDimension* other : mDimensions)
        if (other != dimension && given(other) && other->GetType() == dimension->GetType() &&
            dimension->IsEqual(other->GetValue(), dimension->GetValue()))
            return true;
    return false;
}

void KorModel::TakeBackGivenUp(std::size_t kept)
{
    for (std::size_t i = kept; i < mGivenUp.size(); ++i)
        if (std::find(mWeighted.begin(), mWeighted.end(), mGivenUp[i]) != mWeighted.end())
            mGivenUp[i]->SetEnabled(true);
    mGivenUp.resize(std::min(kept, mGivenUp.size()));
}

// A drag step is refused rather than solved twice; rounds that never
// settle, or rules exhausted, would only fail again; and without a parallel
// or perpendicular the strict reading changed nothing.
bool KorModel::RetryLenient() const
{
    if (mbInDrag || mbRoundsExhausted || mError == KOR_ERR_RULES)
        return false;
    for (KorDimension* dimension : mDimensions) {
        const KOREntityType type = dimension->GetType();
        if ((type == KOR_PARALLEL || type == KOR_PERPENDICULAR) && dimension->IsEnabled())
            return true;
    }
    return false;
}

// The pen holds the dragged node. Where the constraints cannot reach the pen
// (a corner whose wall length is held, the pen off its wall) the step is
// solved once more without the hold: the node takes the nearest place its
// constraints allow instead of the step being refused.
bool KorModel::ResolveWithoutPenHold()
{
    if (!mpDraggedNode || !mpDraggedNode->IsMovable() || mbRoundsExhausted ||
        mError == KOR_ERR_RULES)
        return false;
    KorNode* const dragged = mpDraggedNode;
    const point pen = dragged->GetPoint();
    {
        KorScopedValue<KorNode*> heldGuard(mpDraggedNode);
        mpDraggedNode = nullptr;
        Invalidate(true);
        if (!ResolveOnce(false))
            return false;
    }
    // From the solved place the pen may be in reach after all: one more held
    // try, else the unheld result stands.
    if (GeoDistance(dragged->GetPoint(), pen) <= GeoSnap())
        return true;
    GeometrySnapshot unheld;
    SaveGeometry(unheld);
    dragged->GetPoint() = pen;
    Invalidate(true);
    if (ResolveOnce(false))
        return true;
    RestoreGeometry(unheld);
    mError = 0;
    return true;
}

bool KorModel::RetryAnchored() const
{
    // Rounds that never settle would only run out again.
    if (mbAnchoredSearch || mDimensions.empty() || mbRoundsExhausted)
        return false;
    return mError == KOR_ERR_NO_SOLUTION || mError == KOR_ERR_CONDITIONS ||
           mError == KOR_ERR_CUTOFF;
}

bool KorModel::ResolveOnce(bool journal)
{
    KorScopedValue<bool> solvingGuard(mbSolving);
    mbSolving = true;
    const PenHold penHold(mbInDrag ? mpDraggedNode : nullptr);
    // A pen move within GeoSnap registers no change, yet the node may have
    // left its walls: align again rather than adjust an old solution.
    if (mbInDrag && mpDraggedNode && !mpDraggedNode->IsConsistent())
        Invalidate(true);
    mPreAdjustment.Clear();
    mPreAlignment.Clear();
    mPreStep.Clear();
    ClearChangedPrimitives();
    KorNode::mbRepeatAlignment = false;
    if (journal && IsJournalActive())
        WriteJournal(mpCapture->getResolveLine());
    if (mbInDrag && mbSimpleShift)
        DoSimpleShift(mDragDx, mDragDy);
    if (mbRequireIntersectionAttributes) {
        for (KorTracker* tracker : mTrackers)
            if (tracker->GetCenter())
                tracker->SetupIntersectionAttributes();
        mbRequireIntersectionAttributes = false;
    }
    mError = 0;
    // The limit is divided while weights are present and restored on every
    // path out, nested resolves included.
    KorScopedValue<int> limitGuard(mReorderingLimit);
    const bool weighted = !mWeighted.empty();
    if (weighted)
        mReorderingLimit /= 3;

    if (!mbAligned)
        DoWeightedAlign();
    if (mError == 0 && !mDimensions.empty()) {
        mReorderings = 0;
        if (!mbInDrag) {
            DeleteExtraRules();
            if (IsSolvedCondition()) {
                ClearSolutions(nullptr);
                for (KorCondition* condition : std::vector<KorCondition*>(mConditions))
                    condition->RemoveImplementationDim();
            }
        }
        if (!mbSolved) {
            DeleteShiftGroups();
            ResetGeometryStatus();
            if (!mbInDrag)
                UpdateDimensions();
            if (mWeighted.empty() && IsOverConstrained()) {
                if (IsResolved())
                    return true;
                SetError(KOR_ERR_NO_SOLUTION);
            }
        }
    }
    if (mError == 0) {
        if (!mbSolved && !ReorderDimensions()) {
            SetError(KOR_ERR_NO_SOLUTION);
            RestorePreAlignmentGeometry();
            return false;
        }
        SavePreAdjustmentGeometry();
        DoResolve();
    }
    if (mError != 0 && !mWeighted.empty())
        GiveUpWeights();
    if (mError != 0 && !mWeighted.empty())
        DeleteExtraRules();
    // A search can end with every solution applied and still leave a node off
    // its carrier or a constraint broken, or a given dimension it was not
    // handed broken; that is no solution.
    if (mError == 0 && (!IsResolved() || LeavesUnlistedDimensionBroken(*this))) {
        SetError(KOR_ERR_CONDITIONS);
        mbSolved = false;
    }
    if (mError != 0) {
        if (mbInDrag)
            DoSimpleShift(mDragDx, mDragDy);
        if (!mPreAlignment.nodes.empty())
            RestorePreAlignmentGeometry();
        else
            RestorePreAdjustmentGeometry();
        return false;
    }
    if (!mbInDrag)
        UpdateOrientations();
    if (mbTraceChanges)
        SetupChangedPrimitives();
    return true;
}
