// Depth-first search over the dimensions with backtracking, reordering and
// cut-off, and the application of the solution stack to the geometry.
#include "kor_model.h"

#include <algorithm>
#include <cmath>

#include "circle.h"
#include "drag_solvers.h"
#include "geolist.h"
#include "kor_condition.h"
#include "kor_df.h"
#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_lin_tracker.h"
#include "kor_node.h"
#include "kor_shift_group.h"
#include "kor_solution_geometry.h"
#include "kor_tracker.h"
#include "kor_tracker_solution.h"
#include "point.h"

namespace {

constexpr KORStatusType kUnsolved = KORStatusType(0);
constexpr KORStatusType kSolved = KORStatusType(2);

// Restarts of the search that conditions may cause within one search; past
// this the search is cut off instead of running on.
constexpr int kMaxConditionRestarts = 1000;

bool IsPlaceholder(OpCode op)
{
    return op == KOR_OP_NOTHING || op == KOR_OP_PLACEHOLDER || op == KOR_OP_DISABLED;
}

}  // namespace

// ---- Stack upkeep ----

void KorModel::DisableSolution(KorDimSolution* solution)
{
    if (solution->GetOpCode() != KOR_OP_NOTHING) {
        KorDF* df = solution->GetDF();
        if (df && df->GetNode())
            df->GetNode()->SetStatus(kUnsolved);
    }
    const short index = solution->GetDimensionIndex();
    if (index >= 0 && index < static_cast<short>(mDimensions.size()))
        mDimensions[static_cast<std::size_t>(index)]->SetStatus(kUnsolved, solution->GetDF());
}

void KorModel::RestoreToSingle(KorDimSolution** entry)
{
    if (!entry || !*entry)
        return;
    auto it = mSingleSolutions.find((*entry)->GetDimensionIndex());
    if (it == mSingleSolutions.end())
        return;
    delete *entry;
    *entry = it->second;
    mSingleSolutions.erase(it);
}

void KorModel::ClearSolutions(KorDimSolution** from)
{
    std::size_t start = 0;
    if (from && !mSolutions.empty())
        start = static_cast<std::size_t>(from - mSolutions.data());
    for (std::size_t i = mSolutions.size(); i-- > start;) {
        KorDimSolution* entry = mSolutions[i];
        if (entry->GetOpCode() == KOR_OP_DOUBLE && i > 0)
            RestoreToSingle(&mSolutions[i - 1]);
        DisableSolution(entry);
        delete entry;
        mSolutions[i] = nullptr;
    }
    if (start < mSolutions.size())
        mSolutions.resize(start);
    if (mSolutions.empty()) {
        // Singles kept for double or triple partners that are gone.
        for (auto& [index, single] : mSingleSolutions)
            delete single;
        mSingleSolutions.clear();
    }
    mbSolved = false;
}

void KorModel::RemoveSolution() { ClearSolutions(nullptr); }

void KorModel::ClearTempSolutions()
{
    for (KorDimSolution* solution : mTempSolutions)
        delete solution;
    mTempSolutions.clear();
}

void KorModel::SetTempSolutionsStore()
{
    ClearTempSolutions();
    mTempSolutions.reserve(mSolutions.size());
    for (KorDimSolution* solution : mSolutions)
        mTempSolutions.push_back(new KorDimSolution(solution));
}

void KorModel::SetupJournal()
{
    mJournal.assign(mDimensions.size(), JournalRecord{});
    mNumEnabledDimensions = static_cast<short>(GetNumOfEnabledDimensions());
}

void KorModel::DeleteShiftGroups()
{
    for (KorShiftGroup* group : mShiftGroups)
        delete group;
    mShiftGroups.clear();
}

// ---- Called by the dimension solvers ----

KorDimension* KorModel::GetLockDim(KorEntity* entity) const
{
    if (mSolutions.empty())
        return nullptr;
    const KorDimSolution* top = mSolutions.back();
    if (top->GetOpCode() == KOR_OP_DOUBLE)
        return nullptr;
    const short index = top->GetDimensionIndex();
    if (index < 0 || index >= static_cast<short>(mDimensions.size()))
        return nullptr;
    KorDimension* dimension = mDimensions[static_cast<std::size_t>(index)];
    if (entity && (dimension->GetStart() == entity || dimension->GetEnd() == entity))
        return dimension;
    return nullptr;
}

KorDimension* KorModel::GetLockDim(KorDimension* d1, KorDimension* d2) const
{
    if (mSolutions.size() < 2)
        return nullptr;
    const KorDimSolution* below = mSolutions[mSolutions.size() - 2];
    if (below->GetOpCode() == KOR_OP_DOUBLE)
        return nullptr;
    const short index = below->GetDimensionIndex();
    if (index < 0 || index >= static_cast<short>(mDimensions.size()))
        return nullptr;
    KorDimension* dimension = mDimensions[static_cast<std::size_t>(index)];
    if ((d1 && dimension->GetCommonEntity(d1)) || (d2 && dimension->GetCommonEntity(d2)))
        return dimension;
    return nullptr;
}

namespace {

void KeepSingle(std::map<short, KorDimSolution*>& singles, KorDimSolution* solution)
{
    auto [it, inserted] = singles.emplace(solution->GetDimensionIndex(), solution);
    if (!inserted) {
        delete it->second;
        it->second = solution;
    }
}

}  // namespace

void KorModel::SetDoubleSolution(KorDimSolution* first, KorDimSolution* second)
{
    if (mSolutions.empty())
        return;
    KorDimSolution* top = mSolutions.back();
    mSolutions.pop_back();
    KeepSingle(mSingleSolutions, top);
    first->SetDimensionIndex(top->GetDimensionIndex());
    mSolutions.push_back(first);
    const short size = static_cast<short>(mSolutions.size());
    first->SetClusterIndex(size);
    second->SetClusterIndex(static_cast<short>(size - 1));
}

void KorModel::SetTripleSolution(KorDimSolution* first, KorDimSolution* second)
{
    if (mSolutions.size() < 2)
        return;
    KorDimSolution* upper = mSolutions.back();
    mSolutions.pop_back();
    KorDimSolution* lower = mSolutions.back();
    mSolutions.pop_back();
    KeepSingle(mSingleSolutions, upper);
    KeepSingle(mSingleSolutions, lower);
    second->SetDimensionIndex(lower->GetDimensionIndex());
    first->SetDimensionIndex(upper->GetDimensionIndex());
    mSolutions.push_back(second);
    mSolutions.push_back(first);
}

bool KorModel::DoubleFailed(const KorDimension* first, const KorDimension* second) const
{
    return std::find(mFailedDoubles.begin(), mFailedDoubles.end(), std::pair(first, second)) !=
           mFailedDoubles.end();
}

// A pair whose nodes found no place is remembered, so that the dimension
// solved second may move its neighbours another way when asked again.
void KorModel::NoteFailedDouble(KorDimSolution** failed)
{
    KorDimSolution** const end = mSolutions.data() + mSolutions.size();
    if (!failed || failed + 1 >= end || (*failed)->GetOpCode() != KOR_OP_DOUBLE)
        return;
    const auto dimensionOf = [this](const KorDimSolution* solution) -> const KorDimension* {
        const short index = solution->GetDimensionIndex();
        if (index < 0 || index >= static_cast<short>(mDimensions.size()))
            return nullptr;
        return mDimensions[static_cast<std::size_t>(index)];
    };
    const auto pair = std::pair(dimensionOf(failed[0]), dimensionOf(failed[1]));
    if (pair.first && pair.second && !DoubleFailed(pair.first, pair.second))
        mFailedDoubles.push_back(pair);
}

KorShiftGroup* KorModel::SetupShiftGroup(KorNode* node1, KorNode* node2, KorTracker* tracker,
                                         KorDimaint* dimaint)
{
    auto* group = new KorShiftGroup(node1, node2, tracker, dimaint);
    if (!group->Collect()) {
        delete group;
        return nullptr;
    }
    mShiftGroups.push_back(group);
    return group;
}

bool KorModel::AddAdjustmentTracker(KorTracker* tracker)
{
    if (std::find(mAdjustmentTrackers.begin(), mAdjustmentTrackers.end(), tracker) ==
        mAdjustmentTrackers.end())
        mAdjustmentTrackers.push_back(tracker);
    return true;
}

KorTangent* KorModel::GetSolvedTangent(int& cursor) const
{
    for (std::size_t i = cursor < 0 ? 0 : static_cast<std::size_t>(cursor) + 1;
         i < mSolutions.size(); ++i) {
        const short index = mSolutions[i]->GetDimensionIndex();
        if (index < 0 || index >= static_cast<short>(mDimensions.size()))
            continue;
        KorDimension* dimension = mDimensions[static_cast<std::size_t>(index)];
        if (dimension->GetType() == KOR_TANGENT) {
            cursor = static_cast<int>(i);
            return dimension->GetTangent();
        }
    }
    cursor = static_cast<int>(mSolutions.size());
    return nullptr;
}

// ---- Clusters (no dimension solver produces them; kept as interface) ----

void KorModel::DeleteClusters()
{
    for (auto& cluster : mClusters)
        for (KorDimSolution* solution : cluster)
            delete solution;
    mClusters.clear();
}

bool KorModel::RestoreBackupCluster(int& cursor)
{
    if (mClusterCursor >= mClusters.size())
        return false;
    ClearSolutions(nullptr);
    mSolutions = mClusters[mClusterCursor];
    mClusters[mClusterCursor].clear();
    ++mClusterCursor;
    mbBackupCluster = true;
    if (mSolutions.size() >= mDimensions.size()) {
        cursor = static_cast<int>(mDimensions.size());
        return true;
    }
    for (KorDimSolution* solution : mSolutions)
        mDimensions[static_cast<std::size_t>(solution->GetDimensionIndex())]->SetStatus(
            kSolved, solution->GetDF());
    const int n = static_cast<int>(mDimensions.size());
    int next = mSolutions.empty() ? 0 : mSolutions.back()->GetDimensionIndex();
    for (int step = 0; step < n; ++step) {
        next = (next + 1) % n;
        if (mDimensions[static_cast<std::size_t>(next)]->GetStatus() == kUnsolved)
            break;
    }
    cursor = next;
    return true;
}

void KorModel::SetClusterSolution(int index, KorDimSolution* solution)
{
    if (index < 0 || index >= static_cast<int>(mSolutions.size()))
        return;
    KorDimSolution** entry = &mSolutions[static_cast<std::size_t>(index)];
    if ((*entry)->GetOpCode() == KOR_OP_DOUBLE)
        RestoreToSingle(entry);
    solution->SetDimensionIndex((*entry)->GetDimensionIndex());
    solution->SetClusterIndex(mClusterIndex);
    delete *entry;
    *entry = solution;
}

bool KorModel::RedundantCluster(int count) const
{
    return count == static_cast<int>(mDimensions.size()) && mbRedundantCluster;
}

// ---- The search ----

bool KorModel::SolutionCutoff()
{
    // Nothing enabled: nothing to search, nothing to cut.
    if (mNumEnabledDimensions <= 0)
        return false;
    const int q = mReorderings / mNumEnabledDimensions;
    if (q > mReorderingLimit) {
        SetError(KOR_ERR_CUTOFF);
        return true;
    }
    return false;
}

bool KorModel::StepBack(int& cursor, KorDF*& df, int& equalCount)
{
    JournalRecord& record = mJournal[std::min(mSolutions.size(), mJournal.size() - 1)];
    record.fetched.clear();
    record.retry = false;
    KorDimSolution* popped = nullptr;
    KorDimension* dimension = nullptr;
    while (true) {
        if (mSolutions.empty())
            return false;
        popped = mSolutions.back();
        mSolutions.pop_back();
        cursor = popped->GetDimensionIndex();
        dimension = mDimensions[static_cast<std::size_t>(cursor)];
        dimension->SetStatus(kUnsolved, popped->GetDF());
        const std::size_t size = mSolutions.size();
        if (popped->GetOpCode() == KOR_OP_DOUBLE && size >= 1) {
            RestoreToSingle(&mSolutions[size - 1]);
        } else if (popped->GetOpCode() == KOR_OP_TRIPLE && size >= 2) {
            RestoreToSingle(&mSolutions[size - 1]);
            RestoreToSingle(&mSolutions[size - 2]);
        }
        if (dimension->IsEnabled())
            break;
        delete popped;
    }
    const OpCode op = popped->GetOpCode();
    KorDF* poppedDF = popped->GetDF();
    const bool ownTracker = op == KOR_OP_SHIFT && poppedDF && poppedDF->GetMoved() &&
                            poppedDF->GetMoved() == dimension->GetTracker(nullptr);
    if (op == KOR_OP_TURN || op == KOR_OP_DIMENSION || ownTracker) {
        df = poppedDF;
        delete popped;
        mJournal[std::min(mSolutions.size(), mJournal.size() - 1)].retry = true;
        ++mReorderings;
        return true;
    }
    if (dimension->GetPrimaryType() == KOR_DIM_SAME)
        --equalCount;
    delete popped;
    return false;
}

bool KorModel::FetchOtherDim(int& cursor, KorDF*& df, int& equalCount)
{
    const int n = static_cast<int>(mDimensions.size());
    if (n == 0)
        return false;
    auto level = [this]() { return std::min(mSolutions.size(), mJournal.size() - 1); };
    if (static_cast<int>(mJournal[level()].fetched.size()) >=
        n - static_cast<int>(mSolutions.size()))
        return false;
    int steps = 0;
    while (true) {
        cursor = (cursor + 1) % n;
        ++steps;
        while (cursor > mDeepestLevel || steps >= n) {
            if (mDeepestLevel == 0 || mSolutions.empty())
                return false;
            if (StepBack(cursor, df, equalCount))
                return true;
            cursor = (cursor + 1) % n;
            steps = 0;
        }
        KorDimension* dimension = mDimensions[static_cast<std::size_t>(cursor)];
        JournalRecord& record = mJournal[level()];
        if (dimension->GetStatus() == kUnsolved && dimension->IsEnabled() &&
            !record.fetched.count(static_cast<short>(cursor))) {
            record.fetched.insert(static_cast<short>(cursor));
            df = nullptr;
            ++mReorderings;
            return true;
        }
    }
}

namespace {

// An angle whose two entities each carry another angle dimension.
bool IsAngleBetweenAngles(KorDimension* dimension)
{
    if (dimension->GetType() != KOR_ANGLE)
        return false;
    KorEntity* start = dimension->GetStart();
    KorEntity* end = dimension->GetEnd();
    return start && end && start->GetDimaint(KOR_ANGLE, dimension) &&
           end->GetDimaint(KOR_ANGLE, dimension);
}

}  // namespace

bool KorModel::Solve(KorDimSolution** restart)
{
    const int n = static_cast<int>(mDimensions.size());
    if (n == 0)
        return true;
    if (static_cast<int>(mJournal.size()) < n)
        SetupJournal();
    int equalCount = 0;
    int cursor = 0;
    KorDF* df = nullptr;
    KorDF* const stopDF = KorDimension::SharedStopDF() ? KorDimension::SharedStopDF()
                                                       : KorDimension::InitStopDF();

    std::size_t resume = restart && !mSolutions.empty()
                             ? static_cast<std::size_t>(restart - mSolutions.data())
                             : mSolutions.size() + 1;
    if (resume < mSolutions.size()) {
        KorDimSolution* entry = mSolutions[resume];
        const OpCode op = entry->GetOpCode();
        if (op == KOR_OP_DOUBLE || op == KOR_OP_TRIPLE) {
            RestoreToSingle(&mSolutions[resume]);
            if (op == KOR_OP_TRIPLE && resume + 1 < mSolutions.size()) {
                RestoreToSingle(&mSolutions[resume + 1]);
                ++resume;
            }
            ++resume;
            if (resume < mSolutions.size()) {
                cursor = mSolutions[resume]->GetDimensionIndex();
                df = mDimensions[static_cast<std::size_t>(cursor)]->GetStopDF();
            }
        } else {
            cursor = entry->GetDimensionIndex();
            df = IsPlaceholder(op) ? mDimensions[static_cast<std::size_t>(cursor)]->GetStopDF()
                                   : entry->GetDF();
        }
    }
    if (resume >= mSolutions.size()) {
        // A fresh search.
        mbPlaceholderUsed = false;
        cursor = 0;
        df = nullptr;
        DeleteClusters();
        mClusterIndex = 0;
        mClusterCursor = 0;
        mbBackupCluster = false;
        mbRedundantCluster = false;
        ClearSolutions(nullptr);
        ResetGeometryStatus();
        if (mSolutions.capacity() != static_cast<std::size_t>(n) + 4)
            mSolutions.reserve(static_cast<std::size_t>(n) + 4);
        SetupJournal();
        if (mbAnchoredSearch)
            cursor = std::max(0, NextDimension());
        mJournal[0].fetched.insert(static_cast<short>(cursor));
        mDeepestLevel = 0;
    } else {
        bool journalEmpty = true;
        for (const JournalRecord& record : mJournal)
            if (!record.fetched.empty())
                journalEmpty = false;
        for (std::size_t level = resume + 1; level < mJournal.size(); ++level)
            mJournal[level] = JournalRecord{};
        if (journalEmpty)
            for (std::size_t level = 0; level < resume && level < mJournal.size(); ++level)
                mJournal[level].fetched.insert(mSolutions[level]->GetDimensionIndex());
        mDeepestLevel = std::max(mDeepestLevel, cursor);
        ClearSolutions(&mSolutions[resume]);
        ResetGeometryStatus();
        for (KorDimSolution* solution : mSolutions) {
            KorDimension* solved = mDimensions[static_cast<std::size_t>(solution->GetDimensionIndex())];
            solved->SetStatus(kSolved, solution->GetDF());
            if (solved->GetPrimaryType() == KOR_DIM_SAME)
                ++equalCount;
        }
    }

    int conditionRestarts = 0;
    while (true) {
        ClearFixed();
        KorDimension* dimension = mDimensions[static_cast<std::size_t>(cursor)];
        KorDimSolution* candidate = nullptr;
        bool backtrack = false;
        if (!dimension->IsEnabled()) {
            candidate = new KorDimSolution(stopDF, nullptr, KOR_OP_DISABLED);
        } else if (df == stopDF) {
            backtrack = true;
        } else {
            candidate = dimension->Solve(df);
            if (candidate && candidate->GetOpCode() == KOR_OP_NOTHING && mSolutions.empty() &&
                !dimension->IsImplemented()) {
                delete candidate;
                candidate = nullptr;
            }
            if (!candidate) {
                if (dimension->GetPrimaryType() != KOR_DIM_EQUAL || equalCount > 1 ||
                    dimension->GetOwner()) {
                    candidate = new KorDimSolution(stopDF, nullptr, KOR_OP_PLACEHOLDER);
                } else if (dimension->IsImplemented() ||
                           IsAlignmentTracker(dimension->GetTracker(nullptr)) ||
                           IsAngleBetweenAngles(dimension)) {
                    candidate = new KorDimSolution(stopDF, nullptr, KOR_OP_PLACEHOLDER);
                    mbPlaceholderUsed = true;
                } else {
                    backtrack = true;
                }
            }
        }

        if (!backtrack) {
            candidate->SetDimensionIndex(static_cast<short>(cursor));
            mSolutions.push_back(candidate);
            if (dimension->GetPrimaryType() == KOR_DIM_SAME)
                ++equalCount;
            dimension->SetStatus(kSolved, candidate->GetDF());
            if (static_cast<int>(mSolutions.size()) >= n)
                return true;
            const int next = NextDimension();
            if (next < 0)
                return true;
            cursor = next;
            mJournal[std::min(mSolutions.size(), mJournal.size() - 1)].fetched.insert(
                static_cast<short>(cursor));
            df = nullptr;
            continue;
        }

        // Backtrack until the search can go on.
        while (true) {
            if (SolutionCutoff())
                return false;
            mDeepestLevel = std::max(mDeepestLevel, cursor);
            if (!mSolutions.empty()) {
                JournalRecord& record = mJournal[std::min(mSolutions.size(), mJournal.size() - 1)];
                if (record.retry && FetchOtherDim(cursor, df, equalCount)) {
                    mJournal[std::min(mSolutions.size(), mJournal.size() - 1)].retry = false;
                    break;
                }
                if (StepBack(cursor, df, equalCount))
                    break;
            }
            if (FetchOtherDim(cursor, df, equalCount))
                break;
            if (!mSolutions.empty())
                continue;
            if (RestartWithCondition(cursor, df, equalCount)) {
                if (++conditionRestarts > kMaxConditionRestarts) {
                    SetError(KOR_ERR_CUTOFF);
                    return false;
                }
                break;
            }
            if (!ResumeFromTempSolutions(cursor, df, equalCount))
                return false;
            break;
        }
    }
}

bool KorModel::RestartWithCondition(int& cursor, KorDF*& df, int& equalCount)
{
    for (KorCondition* condition : std::vector<KorCondition*>(mConditions)) {
        KorDimension* implementation = nullptr;
        if (condition->GetImplementationDim())
            implementation = condition->UpdateImplementationDim();
        KorDimaint* dimaint = condition->GetDimaint();
        if (!implementation && dimaint && dimaint->GetType() == KOR_NSDISTANCE) {
            bool more = false;
            implementation = condition->CreateImplementationDim(&more);
        }
        if (!implementation)
            continue;
        if (GetHandle(implementation) != 0) {
            ClearSolutions(nullptr);
        } else {
            condition->AddImplementationToDimensions(this);
            mReorderings = 0;
        }
        ResetGeometryStatus();
        equalCount = 0;
        cursor = 0;
        df = nullptr;
        SetupJournal();
        if (!mJournal.empty())
            mJournal[0].fetched.insert(0);
        ++mReorderings;
        return !mDimensions.empty();
    }
    return false;
}

bool KorModel::ResumeFromTempSolutions(int& cursor, KorDF*& df, int& equalCount)
{
    if (mTempSolutions.empty())
        return false;
    DeleteExtraRules();
    for (KorCondition* condition : std::vector<KorCondition*>(mConditions))
        condition->RemoveImplementationDim();
    ClearSolutions(nullptr);
    mSolutions.swap(mTempSolutions);
    mTempSolutions.clear();
    const int n = static_cast<int>(mDimensions.size());
    auto valid = [n](const KorDimSolution* s) {
        return s->GetDimensionIndex() >= 0 && s->GetDimensionIndex() < n;
    };
    KorDimSolution* resumed = nullptr;
    while (!mSolutions.empty()) {
        KorDimSolution* top = mSolutions.back();
        mSolutions.pop_back();
        const OpCode op = top->GetOpCode();
        if (valid(top) && mDimensions[static_cast<std::size_t>(top->GetDimensionIndex())]->IsEnabled() &&
            op != KOR_OP_DOUBLE && op != KOR_OP_TRIPLE && op != KOR_OP_PLACEHOLDER &&
            op != KOR_OP_DISABLED) {
            resumed = top;
            break;
        }
        delete top;
    }
    // Entries whose dimension is gone cannot be resumed.
    for (std::size_t i = 0; i < mSolutions.size(); ++i)
        if (!valid(mSolutions[i])) {
            for (std::size_t j = i; j < mSolutions.size(); ++j)
                delete mSolutions[j];
            mSolutions.resize(i);
            break;
        }
    if (!resumed)
        return false;
    cursor = resumed->GetDimensionIndex();
    df = resumed->GetDF();
    KorDimension* dimension = mDimensions[static_cast<std::size_t>(cursor)];
    dimension->RestoreDFState(resumed);
    delete resumed;
    ResetGeometryStatus();
    equalCount = 0;
    for (KorDimSolution* solution : mSolutions) {
        KorDimension* solved = mDimensions[static_cast<std::size_t>(solution->GetDimensionIndex())];
        solved->SetStatus(kSolved, solution->GetDF());
        solved->RestoreDFState(solution);
        if (solved->GetPrimaryType() == KOR_DIM_SAME)
            ++equalCount;
    }
    if (mBackupJournal.size() == mDimensions.size()) {
        mJournal = mBackupJournal;
    } else {
        ClearSolutions(nullptr);
        SetupJournal();
        if (!mJournal.empty())
            mJournal[0].fetched.insert(0);
        cursor = 0;
        df = nullptr;
    }
    ++mReorderings;
    return true;
}

// ---- Order of the search ----

namespace {

constexpr int kRankNoNode = 0;
constexpr int kRankThroughPen = 1;
constexpr int kRankBesideSolved = 2;
constexpr int kRankHeld = 3;
constexpr int kRankImmovable = 4;
constexpr int kRankFree = 5;

KorNode* AsNode(KorEntity* entity)
{
    return entity && entity->GetType() == KOR_NODE ? static_cast<KorNode*>(entity) : nullptr;
}

// A node that a solved dimension on the stack already places.
bool IsSolvedDimensionNode(KorNode* node)
{
    for (int i = 0; i < node->GetNumOfDimaints(); ++i) {
        KorDimaint* dimaint = node->GetDimaint(i);
        if (dimaint->IsDimension() &&
            static_cast<KorDimension*>(dimaint)->GetStatus() == kSolved)
            return true;
    }
    return false;
}

bool SharesTracker(KorNode* node, KorNode* other)
{
    return node == other || (other && node->GetCommonTracker(other));
}

// A node held in place: immovable, or on a tracker through an immovable node.
bool IsHeld(KorNode* node)
{
    if (!node->IsMovable())
        return true;
    for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i) {
        KorTracker* tracker = node->GetTracker(static_cast<short>(i));
        for (int j = 0; tracker && j < tracker->GetNumOfNodes(); ++j)
            if (!tracker->GetNode(static_cast<unsigned>(j))->IsMovable())
                return true;
    }
    return false;
}

}  // namespace

// Today's order takes the first unsolved dimension in list order. On a chain
// of lengths that walks from the free end, and every length pushed locks both
// its corners, so the search commits the whole chain and dead-ends at the
// fixed end. The anchored order grows the solved part from what is already
// held: the dragged node, nodes of solved dimensions, immovable nodes.
int KorModel::NextDimension() const
{
    int best = -1;
    int bestRank = kRankFree + 1;
    const int stopRank = kRankNoNode;
    for (std::size_t i = 0; i < mDimensions.size(); ++i) {
        KorDimension* dimension = mDimensions[i];
        if (dimension->GetStatus() != kUnsolved)
            continue;
        if (!mbAnchoredSearch)
            return static_cast<int>(i);
        const int rank = AnchorRank(dimension);
        if (rank < bestRank) {
            best = static_cast<int>(i);
            bestRank = rank;
            if (rank <= stopRank)
                break;
        }
    }
    return best;
}

int KorModel::AnchorRank(KorDimension* dimension) const
{
    if (!dimension->IsEnabled())
        return kRankNoNode;
    KorNode* nodes[2] = {AsNode(dimension->GetStart()), AsNode(dimension->GetEnd())};
    if (!nodes[0] && !nodes[1])
        return kRankNoNode;
    int rank = kRankFree;
    for (KorNode* node : nodes) {
        if (!node)
            continue;
        if (mbInDrag && SharesTracker(node, mpDraggedNode))
            return kRankThroughPen;
        // Growing the solved part from one front: a chain searched from
        // both its held ends at once cannot close where the fronts meet.
        if (IsSolvedDimensionNode(node))
            rank = std::min(rank, kRankBesideSolved);
        else if (IsHeld(node))
            rank = std::min(rank, kRankHeld);
        else if (!node->IsMovable())
            rank = std::min(rank, kRankImmovable);
    }
    return rank;
}

// ---- Applying the stack ----

KorDimSolution** KorModel::Adjust()
{
    ResetGeometryStatus();
    std::size_t index = 0;
    while (index < mSolutions.size()) {
        if (mSolutions[index]->GetOpCode() == KOR_OP_DISABLED) {
            ++index;
            continue;
        }
        const std::size_t before = mSolutions.size();
        KorDimSolution** cursor = mSolutions.data() + index;
        const bool ok = Solve1Step(cursor);
        if (mSolutions.size() != before) {
            // The stack changed under the step: start over.
            mbSolved = false;
            return mSolutions.data() + std::min(index, mSolutions.size());
        }
        if (!ok)
            return mSolutions.data() + index;
        index = static_cast<std::size_t>(cursor - mSolutions.data());
    }
    return mSolutions.data() + mSolutions.size();
}

bool KorModel::Solve1Step(KorDimSolution**& cursor)
{
    ClearFixed();
    mAdjustmentTrackers.clear();
    KorDimSolution** const end = mSolutions.data() + mSolutions.size();
    KorDimSolution* solution = *cursor;
    KorDimension* dimension = mDimensions[static_cast<std::size_t>(solution->GetDimensionIndex())];
    switch (solution->GetOpCode()) {
    case KOR_OP_PLACEHOLDER: {
        ++cursor;
        KorCondition* condition = dimension->GetCondition();
        if (!dimension->IsImplemented() &&
            (!condition || !condition->IsConditionImplemented()))
            return false;
        dimension->SetStatus(kSolved, solution->GetDF());
        return true;
    }
    case KOR_OP_DOUBLE: {
        if (cursor + 1 >= end)
            return false;
        KorDimSolution* second = cursor[1];
        KorDimension* other = mDimensions[static_cast<std::size_t>(second->GetDimensionIndex())];
        cursor += 2;
        if (dimension->IsImplemented() && other->IsImplemented()) {
            dimension->SetStatus(kSolved, solution->GetDF());
            other->SetStatus(kSolved, second->GetDF());
            return true;
        }
        return solution->Adjust(second, dimension, other) && Align(solution, second, nullptr);
    }
    case KOR_OP_TRIPLE: {
        if (cursor + 2 >= end)
            return false;
        KorDimSolution* s2 = cursor[1];
        KorDimSolution* s3 = cursor[2];
        KorDimension* d2 = mDimensions[static_cast<std::size_t>(s2->GetDimensionIndex())];
        KorDimension* d3 = mDimensions[static_cast<std::size_t>(s3->GetDimensionIndex())];
        cursor += 3;
        if (dimension->IsImplemented() && d2->IsImplemented() && d3->IsImplemented()) {
            dimension->SetStatus(kSolved, solution->GetDF());
            d2->SetStatus(kSolved, s2->GetDF());
            d3->SetStatus(kSolved, s3->GetDF());
            return true;
        }
        return TripleAdjust(solution, s2, s3) && Align(solution, s2, s3);
    }
    default:
        ++cursor;
        if (dimension->IsImplemented() && !RelaysDirection(solution, dimension)) {
            dimension->SetStatus(kSolved, solution->GetDF());
            return true;
        }
        return solution->Adjust(dimension) && Align(solution, dimension);
    }
}

// The geometry library reads a line within GeoDif of its axis as on the axis,
// so a parallel or perpendicular on a wall tilted by a few hundredths of a
// degree counts as implemented while the corners along a long wall sit well
// off it. The second search lays such a direction again, exactly.
bool KorModel::RelaysDirection(const KorDimSolution* solution, KorDimension* dimension) const
{
    if (!mbAnchoredSearch)
        return false;
    const KOREntityType type = dimension->GetType();
    if (type != KOR_PARALLEL && type != KOR_PERPENDICULAR)
        return false;
    const OpCode op = solution->GetOpCode();
    KorDF* df = solution->GetDF();
    return (op == KOR_OP_TURN || op == KOR_OP_DIMENSION) && df && df->GetNode() && df->GetMoved();
}

bool KorModel::AdjustAdjustmentTrackers()
{
    // A circle adjusted to a moved centre moves that centre's other circles
    // off it in turn: they join the list while it is walked and are adjusted
    // too. The list holds each tracker once, so the walk ends.
    for (std::size_t i = 0; i < mAdjustmentTrackers.size(); ++i)
        if (!mAdjustmentTrackers[i]->Adjust())
            return false;
    return true;
}

bool KorModel::Align(KorDimSolution* solution, KorDimension* dimension)
{
    KorDF* df = solution->GetDF();
    if (!df || !df->GetMoved()) {
        dimension->SetStatus(kSolved, df);
        mbAligned = true;
        return true;
    }
    if (!solution->Align(dimension))
        return false;
    if (!mAdjustmentTrackers.empty()) {
        KorNode::SetFixedTrackers(df->GetMoved(), df->GetCarrier(), nullptr);
        if (!AdjustAdjustmentTrackers()) {
            ClearFixed();
            return false;
        }
    }
    ClearFixed();
    if (!dimension->IsImplemented())
        return false;
    dimension->SetStatus(kSolved, df);
    mbAligned = true;
    return true;
}

bool KorModel::Align(KorDimSolution* s1, KorDimSolution* s2, KorDimSolution* s3)
{
    auto alignNodes = [](KorDimSolution* s) {
        KorDF* df = s->GetDF();
        return !df || !df->GetMoved() || df->GetMoved()->AlignNodes(s);
    };
    bool ok = alignNodes(s1);
    if (ok && s2->GetTrackerSolution())
        ok = alignNodes(s2);
    if (ok && s3)
        ok = alignNodes(s3);
    if (ok)
        ok = AdjustAdjustmentTrackers();
    ClearFixed();
    if (!ok)
        return false;
    KorDimSolution* solutions[3] = {s1, s2, s3};
    for (KorDimSolution* s : solutions)
        if (s && !mDimensions[static_cast<std::size_t>(s->GetDimensionIndex())]->IsImplemented())
            return false;
    for (KorDimSolution* s : solutions)
        if (s)
            mDimensions[static_cast<std::size_t>(s->GetDimensionIndex())]->SetStatus(kSolved,
                                                                                     s->GetDF());
    mbAligned = true;
    return true;
}

bool KorModel::TripleAdjust(KorDimSolution* s1, KorDimSolution* s2, KorDimSolution* s3)
{
    // Exactly one of the three moves a tracker without a node.
    KorDimSolution* solutions[3] = {s1, s2, s3};
    KorDimSolution* trackerOnly = nullptr;
    KorDimSolution* withNode[2] = {nullptr, nullptr};
    int nodes = 0;
    for (KorDimSolution* s : solutions) {
        KorDF* df = s->GetDF();
        if (df && df->GetNode()) {
            if (nodes == 2)
                return false;
            withNode[nodes++] = s;
        } else if (!trackerOnly) {
            trackerOnly = s;
        } else {
            return false;
        }
    }
    if (!trackerOnly || nodes != 2)
        return false;
    auto dimensionOf = [this](KorDimSolution* s) {
        return mDimensions[static_cast<std::size_t>(s->GetDimensionIndex())];
    };
    KorDimension* d1 = dimensionOf(trackerOnly);
    KorDimension* d2 = dimensionOf(withNode[0]);
    KorDimension* d3 = dimensionOf(withNode[1]);
    KorNode* n2 = withNode[0]->GetDF()->GetNode();
    KorNode* n3 = withNode[1]->GetDF()->GetNode();
    KorNode* q = d2->GetOtherNode(n2);
    KorNode* r = d3->GetOtherNode(n3);
    if (!q || !r)
        return false;
    const point Q = q->GetPoint();
    const point R = r->GetPoint();
    const point N2 = n2->GetPoint();
    const point N3 = n3->GetPoint();
    const double v1 = d1->GetValue();
    const double dx = N3.x() - N2.x();
    const double dy = N3.y() - N2.y();
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0))
        return false;
    const point P(Q.x() + v1 * dx / length, Q.y() + v1 * dy / length);
    const circle around2(P, d2->GetValue());
    const circle around3(R, d3->GetValue());
    point candidates[2];
    const int count = KorCircleCrossings(around2, around3, candidates);
    if (count == 0)
        return false;
    point X(candidates[0]);
    if (count > 1) {
        point references[2] = {N3, N3};
        double ox = 0.0, oy = 0.0;
        d3->GetOrientation(ox, oy, n3);
        const int chosen = FindClosestAngleSelfAffect(candidates, references, ox, oy, 2);
        X = candidates[chosen >= 0 && chosen < 2 ? chosen : 0];
    }
    if (!std::isfinite(X.x()) || !std::isfinite(X.y()))
        return false;
    KorTracker* n3Moved = withNode[1]->GetDF()->GetMoved();
    KorTracker* n2Moved = withNode[0]->GetDF()->GetMoved();
    KorTracker* ownTracker = trackerOnly->GetDF() ? trackerOnly->GetDF()->GetMoved() : nullptr;
    auto asLine = [](KorTracker* t) -> KorLinTracker* {
        return t && t->GetType() == KOR_LINEAR_TRACKER ? static_cast<KorLinTracker*>(t) : nullptr;
    };
    if (KorLinTracker* t = asLine(n3Moved))
        t->GetLine() = line(R, X);
    n3->GetPoint() = X;
    n3->SetStatus(kSolved);
    withNode[1]->SetUpdatedNode1(n3);
    if (KorLinTracker* t = asLine(ownTracker))
        t->GetLine() = X;
    if (KorLinTracker* t = asLine(n2Moved)) {
        t->GetLine() = line(P, X);
        t->GetLine() = Q;
    }
    return true;
}
