#include "kor_model.h"

#include <algorithm>
#include <limits>

#include "kor_capture.h"
#include "kor_cir_tracker.h"
#include "kor_circle.h"
#include "kor_arc.h"
#include "kor_condition.h"
#include "kor_constraint.h"
#include "kor_dim_solution.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_symmetry.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "kor_shift_group.h"
#include "kor_tracker.h"

int KorModel::mReorderingLimit = 22;
const char* const KorModel::mKORVersion = "1.5/2001";

namespace {

// Deletes the objects of an owning list from its end. Each destructor
// unregisters its object; one that does not is dropped here so that the loop
// always ends and nothing is deleted twice.
template <typename T>
void DeleteFromEnd(std::vector<T*>& list)
{
    while (!list.empty()) {
        T* last = list.back();
        delete last;
        if (!list.empty() && list.back() == last)
            list.pop_back();
    }
}

}  // namespace

// ---- Construction and lifetime ----

KorModel::KorModel()
    : mpCapture(std::make_unique<KorCaptureVCR>()), mAngularPlay(0.05)
{
    mInputSnap = static_cast<float>(3.0 * mLinearPlay);
    mpCapture->SetModel(this);
}

KorModel::~KorModel()
{
    KorModel::Clear();
    if (mpCapture && mpCapture->isActive())
        mpCapture->close();
}

float& KorModel::InputSnap() { return mInputSnap; }

void KorModel::Clear()
{
    ClearSolutions(nullptr);
    ClearTempSolutions();
    DeleteClusters();
    mClusterCursor = 0;
    DeleteShiftGroups();
    DeleteExtraRules();
    mAlignmentOrder.clear();
    mJournal.clear();
    mBackupJournal.clear();
    for (auto& [index, single] : mSingleSolutions)
        delete single;
    mSingleSolutions.clear();
    if (mbSmartDragging)
        RemoveAlignmentTrackers();
    DeleteFromEnd(mConstraints);
    DeleteFromEnd(mDimensions);
    DeleteFromEnd(mPrimitives);
    DeleteFromEnd(mNodes);
    // Trackers made through nodes alone (by dimensions) carry no primitive,
    // so no primitive took them along.
    DeleteFromEnd(mTrackers);
    DeleteFromEnd(mConditions);
    mWeighted.clear();
    mWeightedConstraints.clear();
    mGivenUp.clear();
    mbSolved = true;
    mNodeCursor = mPrimitiveCursor = mConstraintCursor = mDimensionCursor = 0;
    mbRequireIntersectionAttributes = false;
    mbAligned = false;
    mNames.init();
    mPreAdjustment.Clear();
    mPreAlignment.Clear();
    mPreStep.Clear();
    mReorderings = 0;
    mFrontCount = -1;
}

void KorModel::RequireIntersectionAttributes() { mbRequireIntersectionAttributes = true; }

// ---- State and errors ----

void KorModel::SetError(int code)
{
    if (mError == 0)
        mError = code;
}

void KorModel::SetModified(bool modified) { mbModified = modified; }

bool KorModel::IsResolved() { return !GetUnresolved() && !GetInconsistent(); }

void KorModel::Invalidate(bool alsoSolved)
{
    mbAligned = false;
    if (alsoSolved)
        mbSolved = false;
}

bool KorModel::captureInit(const std::string& path) { return mpCapture->init(path.c_str()); }

bool KorModel::captureClose() { return mpCapture->close(); }

bool KorModel::IsJournalActive() const { return mpCapture && mpCapture->isActive(); }

void KorModel::WriteJournal(const std::string& line)
{
    if (IsJournalActive())
        mpCapture->writeln(line);
}

// ---- Registration ----

KorHandle KorModel::AddNode(KorNode* node, bool named)
{
    if (static_cast<int>(mNodes.size()) >= KOR_MAX_COUNT) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    mNodes.push_back(node);
    node->SetLayer(static_cast<int>(mCurLayer));
    if (!named) {
        node->SetRegistered(false);
        return 1;
    }
    const KorHandle handle = mNames.CreateObject(node);
    if (IsJournalActive())
        WriteJournal(mpCapture->getNodeLine(handle, static_cast<float>(node->GetPoint().x()),
                                            static_cast<float>(node->GetPoint().y())));
    return handle;
}

KorHandle KorModel::AddPrimitive(KorPrimitive* primitive, KorNode*, KorNode*)
{
    return AddPrimitive(primitive);
}

KorHandle KorModel::AddPrimitive(KorPrimitive* primitive)
{
    for (KorPrimitive* registered : mPrimitives) {
        if (registered != primitive && registered->SameAs(primitive)) {
            SetError(KOR_ERR_EQUAL_PRIMITIVE);
            return 0;
        }
    }
    if (static_cast<int>(mPrimitives.size()) >= KOR_MAX_COUNT) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    ClearSolutions(nullptr);
    ResetWeighted();
    mPrimitives.push_back(primitive);
    primitive->SetLayer(static_cast<int>(mCurLayer));
    mbAligned = false;
    mbSolved = false;
    SetModified(true);
    return mNames.CreateObject(primitive);
}

KorHandle KorModel::AddConstraint(KorConstraint* constraint)
{
    if (static_cast<int>(mConstraints.size()) >= KOR_MAX_COUNT) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    mConstraints.push_back(constraint);
    mbAligned = false;
    mbSolved = false;
    SetModified(true);
    ClearSolutions(nullptr);
    ResetWeighted();
    constraint->SetLayer(static_cast<int>(mCurLayer));
    return mNames.CreateObject(constraint);
}

std::size_t KorModel::InsertPosition(KOREntityType type) const
{
    std::size_t leadingRadius = 0;
    while (leadingRadius < mDimensions.size() &&
           mDimensions[leadingRadius]->GetType() == KOR_RADIUS)
        ++leadingRadius;
    switch (type) {
    case KOR_RADIUS:
        return 0;
    case KOR_ANGLE:
    case KOR_PERPENDICULAR:
    case KOR_PARALLEL:
        return leadingRadius;
    case KOR_TANGENT:
        return mDimensions.size();
    default: {
        std::size_t position = mDimensions.size();
        while (position > 0 && mDimensions[position - 1]->GetType() == KOR_TANGENT)
            --position;
        return position;
    }
    }
}

KorHandle KorModel::AddDimension(KorDimension* dimension)
{
    if (!dimension->IsExtraRule()) {
        for (KorDimension* registered : mDimensions) {
            if (registered != dimension && dimension->SameAs(registered)) {
                SetError(KOR_ERR_EQUAL_DIMENSION);
                return 0;
            }
        }
    }
    if (static_cast<int>(mDimensions.size()) >= KOR_MAX_COUNT) {
        SetError(KOR_ERR_CREATE);
        return 0;
    }
    ClearSolutions(nullptr);
    ResetWeighted();
    const std::size_t position =
        mDimensions.empty() ? 0 : InsertPosition(dimension->GetType());
    mDimensions.insert(mDimensions.begin() + static_cast<std::ptrdiff_t>(position), dimension);
    if (dimension->GetWeight() != 0 &&
        std::find(mWeighted.begin(), mWeighted.end(), dimension) == mWeighted.end())
        AddWeighted(dimension);
    mbSolved = false;
    mFrontCount = -1;
    SetModified(true);
    dimension->SetLayer(static_cast<int>(mCurLayer));
    return mNames.CreateObject(dimension);
}

void KorModel::AddTracker(KorTracker* tracker) { mTrackers.push_back(tracker); }

void KorModel::AddCondition(KorCondition* condition) { mConditions.push_back(condition); }

bool KorModel::AddConditionImplementation(KorCondition* condition, KorDimension* dimension)
{
    if (!dimension || GetHandle(dimension) == 0)
        condition->AddImplementationToDimensions(this);
    return true;
}

void KorModel::RemoveNode(KorNode* node)
{
    auto it = std::find(mNodes.begin(), mNodes.end(), node);
    if (it == mNodes.end())
        return;
    ClearSolutions(nullptr);
    ResetWeighted();
    const std::size_t index = static_cast<std::size_t>(it - mNodes.begin());
    mNodes.erase(it);
    if (mNodeCursor > index)
        --mNodeCursor;
    if (mpDraggedNode == node)
        mpDraggedNode = nullptr;
    mNames.RemoveAddress(node);
    SetModified(true);
}

bool KorModel::RemovePrimitive(KorPrimitive* primitive)
{
    auto it = std::find(mPrimitives.begin(), mPrimitives.end(), primitive);
    if (it == mPrimitives.end())
        return false;
    ClearSolutions(nullptr);
    ResetWeighted();
    const std::size_t index = static_cast<std::size_t>(it - mPrimitives.begin());
    mPrimitives.erase(it);
    if (mPrimitiveCursor > index)
        --mPrimitiveCursor;
    mNames.RemoveAddress(primitive);
    SetModified(true);
    return true;
}

bool KorModel::RemoveConstraint(KorConstraint* constraint)
{
    auto it = std::find(mConstraints.begin(), mConstraints.end(), constraint);
    if (it == mConstraints.end())
        return false;
    ClearSolutions(nullptr);
    ResetWeighted();
    const std::size_t index = static_cast<std::size_t>(it - mConstraints.begin());
    mConstraints.erase(it);
    if (mConstraintCursor > index)
        --mConstraintCursor;
    RemoveWeighted(constraint);
    mNames.RemoveAddress(constraint);
    SetModified(true);
    return true;
}

void KorModel::RemoveDimension(KorDimension* dimension)
{
    auto it = std::find(mDimensions.begin(), mDimensions.end(), dimension);
    if (it != mDimensions.end()) {
        ClearSolutions(nullptr);
        ResetWeighted();
        const std::size_t index = static_cast<std::size_t>(it - mDimensions.begin());
        mDimensions.erase(it);
        if (mDimensionCursor > index)
            --mDimensionCursor;
        mNames.RemoveAddress(dimension);
        SetModified(true);
    }
    // Never leave a pointer to it behind in the weighted or extra-rule lists.
    RemoveWeighted(dimension);
    EraseFrom(mExtraRules, static_cast<const KorDimension*>(dimension));
}

void KorModel::RemoveTracker(KorTracker* tracker)
{
    auto it = std::find(mTrackers.begin(), mTrackers.end(), tracker);
    if (it == mTrackers.end())
        return;
    ClearSolutions(nullptr);
    ResetWeighted();
    mTrackers.erase(it);
    EraseFrom(mAdjustmentTrackers, static_cast<const KorTracker*>(tracker));
    mAlignmentTrackers.erase(tracker);
}

bool KorModel::RemoveCondition(KorCondition* condition)
{
    return EraseFrom(mConditions, static_cast<const KorCondition*>(condition));
}

void KorModel::AddExtraRule(KorDimension* dimension)
{
    if (std::find(mExtraRules.begin(), mExtraRules.end(), dimension) == mExtraRules.end())
        mExtraRules.push_back(dimension);
}

void KorModel::RemoveExtraRule(KorDimension* dimension)
{
    EraseFrom(mExtraRules, static_cast<const KorDimension*>(dimension));
}

void KorModel::DeleteDimensions(int layer)
{
    if (mDimensions.empty())
        return;
    ClearSolutions(nullptr);
    ResetWeighted();
    const std::vector<KorDimension*> snapshot = mDimensions;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        KorDimension* dimension = *it;
        if (std::find(mDimensions.begin(), mDimensions.end(), dimension) == mDimensions.end())
            continue;  // went with an earlier one
        const bool doomed = layer == 0 || (layer > 0 && dimension->GetLayer() == layer) ||
                            (layer < 0 && dimension->GetLayer() != -layer);
        if (!doomed)
            continue;
        delete dimension;
        EraseFrom(mDimensions, static_cast<const KorDimension*>(dimension));
    }
}

void KorModel::DeleteTemporaryRules() { DeleteFromEnd(mExtraRules); }

void KorModel::DeleteExtraRules()
{
    DeleteTemporaryRules();
    for (std::size_t i = mDimensions.size(); i-- > 0;) {
        if (i >= mDimensions.size())
            continue;
        KorDimension* dimension = mDimensions[i];
        if (!dimension->IsExtraRule())
            continue;
        delete dimension;
        EraseFrom(mDimensions, static_cast<const KorDimension*>(dimension));
    }
}

// ---- Look-ups by handle ----

KorObject* KorModel::ObjectOf(KorHandle handle) const
{
    return handle ? mNames.GetObjectAddress(handle) : nullptr;
}

KorNode* KorModel::NodeOf(KorHandle handle) const
{
    KorObject* object = ObjectOf(handle);
    return object && object->GetType() == KOR_NODE ? static_cast<KorNode*>(object) : nullptr;
}

KorPrimitive* KorModel::PrimitiveOf(KorHandle handle) const
{
    KorObject* object = ObjectOf(handle);
    return object && object->IsPrimitive() ? static_cast<KorPrimitive*>(object) : nullptr;
}

KorDimension* KorModel::DimensionOf(KorHandle handle) const
{
    KorObject* object = ObjectOf(handle);
    return object && object->IsDimension() ? static_cast<KorDimension*>(object) : nullptr;
}

KorDimaint* KorModel::DimaintOf(KorHandle handle) const
{
    KorObject* object = ObjectOf(handle);
    return object && object->IsDimaint() ? static_cast<KorDimaint*>(object) : nullptr;
}

// ---- Creation and change by handle ----

KorHandle KorModel::CreateNode(double x, double y, KorMoveCallback callback)
{
    auto* node = new KorNode();
    const KorHandle handle = node->Create(this, x, y, callback, true);
    if (handle == 0) {
        SetError(KOR_ERR_CREATE);
        delete node;
    }
    return handle;
}

KorHandle KorModel::CreateSegment(KorHandle h1, KorHandle h2)
{
    KorNode* a = NodeOf(h1);
    KorNode* b = NodeOf(h2);
    if (!a || !b) {
        SetError(KOR_ERR_NODES);
        return 0;
    }
    auto* segment = new KorSegment();
    const KorHandle handle = segment->Create(this, a, b, nullptr);
    if (handle == 0) {
        SetError(KOR_ERR_NODES);
        delete segment;
        return 0;
    }
    if (IsJournalActive())
        WriteJournal(mpCapture->getSegmentLine(handle, h1, h2));
    return handle;
}

KorHandle KorModel::CreateCircle(KorHandle centre, KorHandle rimNode)
{
    KorNode* c = NodeOf(centre);
    KorNode* r = NodeOf(rimNode);
    if (!c || !r || c == r) {
        SetError(KOR_ERR_NODES);
        return 0;
    }
    auto* circle = new KorCircle();
    const KorHandle handle = circle->Create(this, c, r);
    if (handle == 0) {
        SetError(KOR_ERR_NODES);
        delete circle;
        return 0;
    }
    if (IsJournalActive())
        WriteJournal(mpCapture->getCircleLine(handle, centre, rimNode));
    return handle;
}

KorHandle KorModel::CreateArc(KorHandle h1, KorHandle h2, KorHandle h3)
{
    KorNode* c = NodeOf(h1);
    KorNode* s = NodeOf(h2);
    KorNode* e = NodeOf(h3);
    if (!c || !s || !e || c == s || c == e || s == e) {
        SetError(KOR_ERR_NODES);
        return 0;
    }
    auto* arc = new KorArc();
    const KorHandle handle = arc->Create(this, c, s, e, nullptr);
    if (handle == 0) {
        SetError(KOR_ERR_NODES);
        delete arc;
        return 0;
    }
    if (IsJournalActive())
        WriteJournal(mpCapture->getArcLine(handle, h1, h2, h3));
    return handle;
}

bool KorModel::MergeNodes(KorHandle h1, KorHandle h2)
{
    KorNode* first = NodeOf(h1);
    KorNode* second = NodeOf(h2);
    if (!first || !second || first == second || !first->Merge(second)) {
        SetError(KOR_ERR_NODES);
        return false;
    }
    return true;
}

bool KorModel::SetNodePosition(KorHandle handle, double x, double y)
{
    KorNode* node = NodeOf(handle);
    if (!node) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    node->SetPosition(x, y, true, true);
    return true;
}

bool KorModel::SetDimensionValue(KorHandle handle, const std::string& text)
{
    KorDimension* dimension = DimensionOf(handle);
    if (!dimension) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    if (!dimension->SetValue(text))
        return false;
    if (IsJournalActive())
        WriteJournal(mpCapture->getDimValueLine(handle, text));
    return true;
}

bool KorModel::SetDimensionValue(KorHandle handle, KorHandle other)
{
    KorDimension* dimension = DimensionOf(handle);
    KorDimension* equal = DimensionOf(other);
    if (!dimension || !equal) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    return dimension->SetValue(equal);
}

bool KorModel::SetDimensionValue(KorHandle handle, double value, KORDimensionType relation)
{
    KorDimension* dimension = DimensionOf(handle);
    if (!dimension) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    if (!dimension->SetValue(value, relation, true))
        return false;
    if (IsJournalActive())
        WriteJournal(mpCapture->getDimValueLine(handle, static_cast<float>(value)));
    return true;
}

bool KorModel::SetWeight(KorHandle handle, int weight)
{
    KorDimaint* dimaint = DimaintOf(handle);
    if (!dimaint) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    dimaint->SetWeight(weight);
    if (IsJournalActive())
        WriteJournal(mpCapture->getDimaintWeightLine(handle));
    return true;
}

bool KorModel::GetWeight(KorHandle handle, int* weight)
{
    KorDimaint* dimaint = DimaintOf(handle);
    if (!dimaint) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    if (weight)
        *weight = dimaint->GetWeight();
    return true;
}

bool KorModel::GetDimensionValue(KorHandle handle, double& value)
{
    KorDimension* dimension = DimensionOf(handle);
    if (!dimension) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    value = dimension->GetValue();
    return true;
}

bool KorModel::GetDimensionValue(KorHandle handle, std::string& text)
{
    KorDimension* dimension = DimensionOf(handle);
    if (!dimension) {
        SetError(KOR_ERR_WRONG_KIND);
        return false;
    }
    text = dimension->GetValueString();
    return true;
}

bool KorModel::RemoveObject(KorHandle handle)
{
    KorObject* object = ObjectOf(handle);
    const bool removable = object && (object->GetType() == KOR_NODE || object->IsPrimitive() ||
                                      object->IsConstraint() || object->IsDimension());
    if (!removable) {
        SetError(KOR_ERR_UNKNOWN_OBJECT);
        return false;
    }
    mNames.RemoveObject(handle);
    ClearSolutions(nullptr);
    ResetWeighted();
    delete object;
    // The name stays bound, so the line can still name the object.
    if (IsJournalActive())
        WriteJournal(mpCapture->getDeleteLine(handle));
    return true;
}

// ---- Iteration ----

void KorModel::Rewind()
{
    mNodeCursor = mPrimitiveCursor = mConstraintCursor = mDimensionCursor = 0;
}

KorNode* KorModel::Get1stNode()
{
    mNodeCursor = 0;
    return GetNextNode();
}

KorNode* KorModel::GetNextNode()
{
    while (mNodeCursor < mNodes.size()) {
        KorNode* node = mNodes[mNodeCursor++];
        if (mNames.GetObjectHandle(node) != 0)
            return node;
    }
    return nullptr;
}

namespace {

// A primitive's nodes in writing order: segment start, end; arc centre,
// start, end; circle centre and rim node.
std::vector<KorNode*> NodesOf(KorPrimitive* primitive)
{
    switch (primitive->GetType()) {
    case KOR_SEGMENT:
        return {primitive->GetStart(), primitive->GetEnd()};
    case KOR_ARC:
        return {primitive->GetCenter(), primitive->GetStart(), primitive->GetEnd()};
    case KOR_CIRCLE:
        return {primitive->GetCenter(), primitive->GetStart()};
    default:
        return {};
    }
}

}  // namespace

KorPrimitive* KorModel::Get1stPrimitive(std::vector<KorObject*>* nodes)
{
    mPrimitiveCursor = 0;
    return GetNextPrimitive(nodes);
}

KorPrimitive* KorModel::GetNextPrimitive(std::vector<KorObject*>* nodes)
{
    if (mPrimitiveCursor >= mPrimitives.size())
        return nullptr;
    KorPrimitive* primitive = mPrimitives[mPrimitiveCursor++];
    if (nodes) {
        nodes->clear();
        for (KorNode* node : NodesOf(primitive))
            nodes->push_back(node);
    }
    return primitive;
}

KorHandle KorModel::GetNextPrimitive(KOREntityType& type, KorHandle* nodes)
{
    KorPrimitive* primitive = GetNextPrimitive(nullptr);
    if (!primitive)
        return 0;
    type = primitive->GetType();
    if (nodes) {
        int i = 0;
        for (KorNode* node : NodesOf(primitive))
            nodes[i++] = node ? mNames.GetObjectHandle(node) : 0;
    }
    return mNames.GetObjectHandle(primitive);
}

bool KorModel::IsLastPrimitive() const { return mPrimitiveCursor >= mPrimitives.size(); }

KorConstraint* KorModel::Get1stConstraint()
{
    mConstraintCursor = 0;
    return GetNextConstraint();
}

KorConstraint* KorModel::GetNextConstraint()
{
    while (mConstraintCursor < mConstraints.size()) {
        KorConstraint* constraint = mConstraints[mConstraintCursor++];
        if (mNames.GetObjectHandle(constraint) != 0)
            return constraint;
    }
    return nullptr;
}

KorHandle KorModel::GetNextConstraint(KOREntityType& type, KorHandle& h1, KorHandle& h2,
                                      KorHandle& h3)
{
    KorConstraint* constraint = GetNextConstraint();
    if (!constraint)
        return 0;
    type = constraint->GetType();
    KorEntity* first = nullptr;
    KorEntity* second = nullptr;
    KorEntity* third = nullptr;
    constraint->GetEntities(first, second, third);
    h1 = first ? mNames.GetObjectHandle(first) : 0;
    h2 = second ? mNames.GetObjectHandle(second) : 0;
    h3 = third ? mNames.GetObjectHandle(third) : 0;
    return mNames.GetObjectHandle(constraint);
}

KorDimension* KorModel::Get1stDimension(std::vector<KorObject*>* ends)
{
    mDimensionCursor = 0;
    return GetNextDimension(ends);
}

KorDimension* KorModel::GetNextDimension(std::vector<KorObject*>* ends)
{
    while (mDimensionCursor < mDimensions.size()) {
        KorDimension* dimension = mDimensions[mDimensionCursor++];
        if (mNames.GetObjectHandle(dimension) == 0 || dimension->GetOwner())
            continue;
        if (ends) {
            ends->clear();
            ends->push_back(dimension->GetStart());
            ends->push_back(dimension->GetEnd());
        }
        return dimension;
    }
    return nullptr;
}

KorHandle KorModel::GetNextDimension(KOREntityType& type, KorHandle& h1, KorHandle& h2)
{
    KorDimension* dimension = GetNextDimension(nullptr);
    if (!dimension)
        return 0;
    type = dimension->GetType();
    KorEntity* start = dimension->GetStart();
    KorEntity* end = dimension->GetEnd();
    h1 = start ? mNames.GetObjectHandle(start) : 0;
    h2 = end ? mNames.GetObjectHandle(end) : 0;
    return mNames.GetObjectHandle(dimension);
}

// ---- Queries ----

short KorModel::GetNumOfDimensions() const { return static_cast<short>(mDimensions.size()); }

KorPrimitive* KorModel::GetPrimitive(int index) const
{
    if (index < 0 || index >= static_cast<int>(mPrimitives.size()))
        return nullptr;
    return mPrimitives[static_cast<std::size_t>(index)];
}

int KorModel::GetNumOfEnabledDimensions() const
{
    return static_cast<int>(std::count_if(mDimensions.begin(), mDimensions.end(),
                                          [](KorDimension* d) { return d->IsEnabled(); }));
}

KorDimension* KorModel::GetDimension(KorEntity* entity1, KorEntity* entity2,
                                     bool alsoExtraRules)
{
    auto matches = [&](KorDimension* d) {
        if (!entity2)
            return d->GetStart() == entity1;
        return (d->GetStart() == entity1 && d->GetEnd() == entity2) ||
               (d->GetStart() == entity2 && d->GetEnd() == entity1);
    };
    for (KorDimension* d : mDimensions)
        if (matches(d))
            return d;
    if (alsoExtraRules)
        for (KorDimension* d : mExtraRules)
            if (matches(d))
                return d;
    return nullptr;
}

KorDimension* KorModel::GetDimension(int index, std::vector<KorObject*>* ends)
{
    if (index < 0 || index >= static_cast<int>(mDimensions.size()))
        return nullptr;
    KorDimension* dimension = mDimensions[static_cast<std::size_t>(index)];
    if (ends) {
        ends->clear();
        ends->push_back(dimension->GetStart());
        ends->push_back(dimension->GetEnd());
    }
    return dimension;
}

KorDimension* KorModel::GetAngularDimension(KorNode* vertex) const
{
    // The vertex is the node that the angle's two segments share.
    for (KorDimension* d : mDimensions) {
        if (d->GetType() != KOR_ANGLE)
            continue;
        KorEntity* start = d->GetStart();
        KorEntity* end = d->GetEnd();
        if (!start || !end || !start->IsPrimitive() || !end->IsPrimitive())
            continue;
        if (static_cast<KorPrimitive*>(start)->GetCommonNode(static_cast<KorPrimitive*>(end)) ==
            vertex)
            return d;
    }
    return nullptr;
}

short KorModel::GetIndex(KorDimension* dimension) const
{
    auto it = std::find(mDimensions.begin(), mDimensions.end(), dimension);
    return it == mDimensions.end() ? 0 : static_cast<short>(it - mDimensions.begin());
}

short KorModel::GetIndex(KorPrimitive* primitive) const
{
    auto it = std::find(mPrimitives.begin(), mPrimitives.end(), primitive);
    return it == mPrimitives.end() ? 0 : static_cast<short>(it - mPrimitives.begin());
}

KorCondition* KorModel::GetEqualDimensionChain(KorDimension* dimension) const
{
    for (KorCondition* condition : mConditions)
        if (condition->find(dimension))
            return condition;
    return nullptr;
}

bool KorModel::IsNodeSymmetrySet(KorNode* node1, KorNode* node2, KorEntity* axis) const
{
    // Each symmetry knows its node pairs: a segment or arc symmetry relates
    // nodes that are not its own entities.
    for (KorConstraint* constraint : mConstraints) {
        if (constraint->GetType() != KOR_SYMMETRY)
            continue;
        auto* symmetry = dynamic_cast<KorSymmetry*>(constraint);
        if (symmetry && symmetry->IsNodeSymmetrySet(node1, node2, axis))
            return true;
    }
    return false;
}

KorDimension* KorModel::GetUnresolvedDimension() const
{
    for (KorDimension* d : mDimensions)
        if (d->IsEnabled() && !d->GetOwner() && !d->IsImplemented())
            return d;
    return nullptr;
}

KorDimaint* KorModel::GetUnresolved() const
{
    if (KorDimension* d = GetUnresolvedDimension())
        return d;
    for (KorConstraint* c : mConstraints)
        if (!c->IsImplemented())
            return c;
    if (mbBoundedSupport)
        for (KorCondition* condition : mConditions)
            if (!condition->IsConditionImplemented())
                return condition->GetDimaint();
    return nullptr;
}

KorNode* KorModel::GetInconsistent() const
{
    for (KorNode* node : mNodes)
        if (!node->IsConsistent())
            return node;
    return nullptr;
}

KorHandle KorModel::GetHandle(const KorObject* object) const
{
    return mNames.GetObjectHandle(object);
}

const char* KorModel::GetEntityName(KorHandle handle) const { return mNames.GetName(handle); }

KorObject* KorModel::GetKorObject(const char* name) const
{
    return ObjectOf(mNames.GetObjectHandle(name));
}

void KorModel::CalculateExtents(double* minX, double* minY, double* maxX, double* maxY) const
{
    double lowX = 0.0, lowY = 0.0, highX = 0.0, highY = 0.0;
    auto widen = [&](double x, double y) {
        lowX = std::min(lowX, x);
        lowY = std::min(lowY, y);
        highX = std::max(highX, x);
        highY = std::max(highY, y);
    };
    // Without nodes the extents are empty, at the origin.
    if (!mNodes.empty()) {
        lowX = highX = mNodes.front()->GetPoint().x();
        lowY = highY = mNodes.front()->GetPoint().y();
        for (std::size_t i = 1; i < mNodes.size(); ++i)
            if (mNodes[i]->IsRegistered())
                widen(mNodes[i]->GetPoint().x(), mNodes[i]->GetPoint().y());
        for (KorTracker* tracker : mTrackers) {
            if (tracker->GetType() != KOR_CIRCULAR_TRACKER)
                continue;
            const circle& c = static_cast<KorCirTracker*>(tracker)->GetCircle();
            const point centre(c);
            const double r = c.rad();
            widen(centre.x() - r, centre.y() - r);
            widen(centre.x() + r, centre.y() + r);
        }
    }
    if (minX) *minX = lowX;
    if (minY) *minY = lowY;
    if (maxX) *maxX = highX;
    if (maxY) *maxY = highY;
}

void KorModel::UpdateDimensions()
{
    // A dimension's update may make its DFs anew; the stack's solutions point
    // at the old ones, so they go first.
    ClearSolutions(nullptr);
    for (KorDimension* d : std::vector<KorDimension*>(mDimensions))
        d->Update(nullptr, nullptr);
}

void KorModel::UpdateTrackers()
{
    for (KorTracker* tracker : std::vector<KorTracker*>(mTrackers))
        tracker->Update();
}

void KorModel::UpdateOrientations()
{
    for (KorPrimitive* primitive : mPrimitives)
        primitive->SetOrientation();
}

bool KorModel::ResolveRules(bool* retry, KorDimension** dimension)
{
    if (retry)
        *retry = false;
    if (dimension)
        *dimension = nullptr;
    return true;
}

void KorModel::SetupChangedPrimitives() {}

void KorModel::ClearChangedPrimitives() {}

bool KorModel::ReorderDimensions(KorDimSolution**) { return false; }
