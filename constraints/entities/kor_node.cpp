#include "kor_node.h"

#include <algorithm>
#include <cmath>

#include "circle.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_entity_support.h"
#include "kor_lin_tracker.h"
#include "kor_model.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "kor_tracker.h"
#include "line.h"
#include "settings.h"

KorTrackerSet KorNode::mFixedTrackers;
bool KorNode::mbRepeatAlignment = false;

KorNode::KorNode()
{
    mPrimitives.reserve(3);
    mTrackers.reserve(3);
    mDFs.reserve(6);
}

KorNode::~KorNode()
{
    if (mpModel)
        mpModel->RemoveNode(this);
    // Each primitive's destructor takes itself off this node; the guard keeps
    // the loop finite should one fail to.
    while (!mPrimitives.empty()) {
        KorPrimitive* p = mPrimitives.back();
        delete p;
        if (!mPrimitives.empty() && mPrimitives.back() == p)
            mPrimitives.pop_back();
    }
    const std::vector<KorTracker*> trackers = mTrackers;
    for (auto it = trackers.rbegin(); it != trackers.rend(); ++it)
        (*it)->ForgetNode(this);
    for (KorPrimitive* p : mCoincidents)
        if (p->GetTracker())
            p->GetTracker()->RemoveCoincident(this);
    for (KorDF* df : mDFs)
        delete df;
    mDFs.clear();
    KorTracker::mFixedNodes.erase(this);
}

// ---------------------------------------------------------------------------
// Creation and geometry

KorHandle KorNode::Create(KorModel* model, double x, double y, KorMoveCallback callback,
                          bool named)
{
    if (!model || !std::isfinite(x) || !std::isfinite(y))
        return 0;
    mPosition = point(x, y);
    mPrevPosition = mPosition;
    mCallback = callback;
    mpModel = model;
    return model->AddNode(this, named);
}

void KorNode::SetPosition(double x, double y, bool invalidate, bool how)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    mPosition = point(x, y);
    if (!RegisterChange() || !mpModel)
        return;
    mpModel->SetModified(true);
    if (invalidate)
        mpModel->Invalidate(how);
}

void KorNode::PlaceOn(geobject& g)
{
    point placed = mPosition;
    if ((placed = g) && std::isfinite(placed.x()) && std::isfinite(placed.y()))
        mPosition = placed;
}

void KorNode::Rotate(angle& a, point& centre) { mPosition.rotate(a, centre); }

void KorNode::GetShift(double* dx, double* dy) const
{
    if (dx)
        *dx = mPosition.x() - mPrevPosition.x();
    if (dy)
        *dy = mPosition.y() - mPrevPosition.y();
}

bool KorNode::RegisterChange()
{
    if (!GeoNE(mPosition.x(), mPrevPosition.x()) && !GeoNE(mPosition.y(), mPrevPosition.y()))
        return false;
    if (mCallback)
        mCallback(mpModel ? GetHandle() : 0, mPosition.x(), mPosition.y());
    if (mpModel)
        mpModel->AddChangedNode(this);
    mPrevPosition = mPosition;
    return true;
}

// ---------------------------------------------------------------------------
// Primitives and trackers

void KorNode::AddPrimitive(KorPrimitive* p)
{
    if (!p)
        return;
    mPrimitives.push_back(p);
    KorTracker* t = p->GetTracker();
    // A circle's centre is not listed among its tracker's nodes.
    if (t && AddTracker(t) && !IsCentreOf(t) && !t->HasNode(this))
        t->AddNode(this);
}

void KorNode::RemovePrimitive(KorPrimitive* p, bool withTracker)
{
    KorEraseFirst(mPrimitives, p);
    if (!withTracker || !p)
        return;
    KorTracker* t = p->GetTracker();
    if (t && RemoveTracker(t))
        t->RemoveNode(this);
}

int KorNode::IndexOfTracker(const KorTracker* t) const
{
    for (std::size_t i = 0; i < mTrackers.size(); ++i)
        if (mTrackers[i] == t)
            return static_cast<int>(i);
    return -1;
}

bool KorNode::IsCentreOf(const KorTracker* t) const { return t && t->GetCenter() == this; }

bool KorNode::AddTracker(KorTracker* t)
{
    if (!t || IndexOfTracker(t) >= 0)
        return false;
    // No DF of a tracker that left may meet a new one at its address.
    DFs();
    if (mTrackers.empty()) {
        // A node left without trackers keeps no DFs.
        for (KorDF* df : mDFs)
            delete df;
        mDFs.clear();
        mDFs.push_back(new KorDF(this, nullptr, IsCentreOf(t) ? nullptr : t));
        mOwnLock = 0;
    } else {
        if (mTrackers.size() == 1 && !mDFs.empty())
            mDFs.front()->mpCarrier = nullptr;
        for (KorTracker* o : mTrackers) {
            if (!IsCentreOf(o))
                mDFs.push_back(new KorDF(this, t, o));
            if (!IsCentreOf(t))
                mDFs.push_back(new KorDF(this, o, t));
        }
    }
    mTrackers.push_back(t);
    mLocks.push_back(0);
    return true;
}

void KorNode::DeleteDFsOf(KorTracker* t)
{
    // Deferred to the next look at the DFs: a node where T walls meet holds
    // about 2T^2 of them, and walls removed one after another (a fan of
    // walls tidied away) then cost one pass instead of one pass each.
    mLeavingTrackers.push_back(t);
}

std::vector<KorDF*>& KorNode::DFs() const
{
    if (mLeavingTrackers.empty())
        return mDFs;
    std::sort(mLeavingTrackers.begin(), mLeavingTrackers.end(), std::less<KorTracker*>());
    auto leaving = [this](KorTracker* t) {
        return t && std::binary_search(mLeavingTrackers.begin(), mLeavingTrackers.end(), t,
                                       std::less<KorTracker*>());
    };
    // One pass that keeps the order of the rest.
    std::size_t kept = 0;
    for (KorDF* df : mDFs) {
        if (leaving(df->mpMoved) || leaving(df->mpCarrier))
            delete df;
        else
            mDFs[kept++] = df;
    }
    mDFs.resize(kept);
    mLeavingTrackers.clear();
    return mDFs;
}

bool KorNode::RemoveTracker(KorTracker* t)
{
    const int index = IndexOfTracker(t);
    if (index < 0)
        return false;
    for (KorPrimitive* p : mPrimitives)
        if (p->GetTracker() == t)
            return false;
    DeleteDFsOf(t);
    mTrackers.erase(mTrackers.begin() + index);
    mLocks.erase(mLocks.begin() + index);
    if (mTrackers.size() <= 1)
        DFs();
    if (mTrackers.size() == 1) {
        if (!mDFs.empty())
            mDFs.front()->mpCarrier = mTrackers.front();
        else
            mDFs.push_back(new KorDF(this, nullptr, mTrackers.front()));
    } else if (mTrackers.empty()) {
        for (KorDF* df : mDFs)
            delete df;
        mDFs.clear();
    }
    return true;
}

bool KorNode::AddCoincident(KorPrimitive* p)
{
    if (!p || std::find(mCoincidents.begin(), mCoincidents.end(), p) != mCoincidents.end())
        return false;
    if (mCoincidents.capacity() == 0)
        mCoincidents.reserve(3);
    mCoincidents.push_back(p);
    return true;
}

void KorNode::RemoveCoincident(KorPrimitive* p) { KorEraseFirst(mCoincidents, p); }

KorPrimitive* KorNode::GetCoincident(unsigned i) const
{
    return i < mCoincidents.size() ? mCoincidents[i] : nullptr;
}

KorPrimitive* KorNode::GetPrimitive(unsigned i) const
{
    return i < mPrimitives.size() ? mPrimitives[i] : nullptr;
}

KorTracker* KorNode::GetTracker(short i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < mTrackers.size() ? mTrackers[i] : nullptr;
}

bool KorNode::BelongTo(KorTracker* t) const { return t && IndexOfTracker(t) >= 0; }

// ---------------------------------------------------------------------------
// Degrees of freedom

KorDF* KorNode::Get1stDF(KorDF**& cursor)
{
    cursor = DFs().data();
    return mDFs.empty() ? nullptr : *cursor;
}

KorDF* KorNode::GetNextDF(KorDF**& cursor)
{
    std::less<KorDF**> before;
    KorDF** first = DFs().data();
    KorDF** last = first + mDFs.size();
    if (!cursor || before(cursor, first) || !before(cursor, last))
        return nullptr;
    ++cursor;
    return cursor == last ? nullptr : *cursor;
}

bool KorNode::IsLastDF(KorDF* df) const { return !DFs().empty() && mDFs.back() == df; }

KorDF** KorNode::GetDFCounter(KorDF* df)
{
    for (std::size_t i = 0; i < DFs().size(); ++i)
        if (mDFs[i] == df)
            return mDFs.data() + i;
    return nullptr;
}

KorDF* KorNode::GetDF(KorTracker* moved, KorTracker*) const
{
    for (KorDF* df : DFs())
        if (df->mpMoved == moved && df->mpCarrier)
            return df;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Locks and status

bool KorNode::IsUnique(std::vector<KorClamp>& clamps, KorClamp* upTo) const
{
    for (KorClamp& clamp : clamps) {
        if (&clamp == upTo)
            break;
        if (clamp.mpNode == this)
            return false;
    }
    return true;
}

void KorNode::SetLock(KorTracker* t, bool lock)
{
    const int index = IndexOfTracker(t);
    short& count = (t && index >= 0) ? mLocks[index] : mOwnLock;
    if (lock) {
        if (count < KOR_MAX_COUNT)
            ++count;
    } else if (count > 0) {
        --count;
    }
}

short KorNode::GetLock(KorTracker* t) const
{
    if (!t)
        return mOwnLock;
    const int index = IndexOfTracker(t);
    return index >= 0 ? mLocks[index] : 1;
}

short KorNode::GetLock(KorTracker** position) const
{
    if (!position)
        return mOwnLock;
    const KorTracker* const* first = mTrackers.data();
    for (std::size_t i = 0; i < mTrackers.size(); ++i)
        if (first + i == position)
            return mLocks[i];
    return 1;
}

void KorNode::ResetStatus()
{
    const bool movable = IsMovable();
    mStatus = movable ? KorStatus::NotPlaced : KorStatus::Placed;
    const short count = movable ? 0 : 1;
    std::fill(mLocks.begin(), mLocks.end(), count);
    mOwnLock = count;
    if (movable)
        return;
    const std::vector<KorTracker*> trackers = mTrackers;
    for (KorTracker* t : trackers)
        t->UpdateStatus(KorStatus::Fixed, this, false);
}

namespace {

// The common distance or node coincidence of two nodes whose value lies
// within GeoSnap (the nodes are held together).
bool HeldTogether(KorDimaint* common)
{
    if (!common)
        return false;
    const KOREntityType type = common->GetType();
    if ((type != KOR_DISTANCE && type != KOR_NODE_COINCIDENT) || !common->IsDimension())
        return false;
    return static_cast<KorDimension*>(common)->GetValue() < GeoSnap();
}

bool IsDistanceOrCoincidence(KorDimaint* common)
{
    if (!common)
        return false;
    const KOREntityType type = common->GetType();
    return type == KOR_DISTANCE || type == KOR_NODE_COINCIDENT;
}

}  // namespace

void KorNode::UpdateStatus(KORStatusType status, KorNode* other, KorTracker* own)
{
    if (mTrackers.size() == 1)
        UpdateStatusOnOneTracker(status, other);
    else
        UpdateStatusOnTrackers(status, other, own);
}

void KorNode::UpdateStatusOnTrackers(KORStatusType status, KorNode* other, KorTracker* own)
{
    const bool lock = status == KorStatus::Fixed;
    const std::vector<KorTracker*> trackers = mTrackers;
    for (KorTracker* t : trackers) {
        bool soft = false;
        for (KorDF* df : DFs()) {
            if (df->mpMoved != t)
                continue;
            if (t == own && other) {
                if (other->GetNumOfTrackers() == 1 && other->BelongTo(t)) {
                    KorDimaint* common = GetCommonDimaint(other);
                    if (t->IsAligned() || t->GetStatus() == KorStatus::Fixed ||
                        t->GetStatus() == KorStatus::DirectionHeld || !IsDistanceOrCoincidence(common))
                        soft = true;
                    else if (HeldTogether(common))
                        SetLock(df->mpCarrier, lock);
                    else
                        soft = true;
                    continue;
                }
                KorLinTracker* parallel = other->GetParallelTracker(df->mpCarrier);
                if (parallel && parallel->GetNumOfNodes() >= 2) {
                    soft = true;
                    continue;
                }
            }
            SetLock(df->mpCarrier, lock);
        }
        t->UpdateStatus(status, this, soft);
    }
}

void KorNode::UpdateStatusOnOneTracker(KORStatusType status, KorNode* other)
{
    const bool lock = status == KorStatus::Fixed;
    KorTracker* t0 = mTrackers.front();
    SetLock(nullptr, lock);
    if (!other || !other->BelongTo(t0)) {
        SetLock(t0, lock);
        t0->UpdateStatus(status, this, false);
        return;
    }
    KorTracker* t2 = other->GetOtherTracker(t0);
    if (!t2)
        return;
    if ((t0->GetStatus() == KorStatus::DirectionHeld || t0->IsAligned()) && t2->IsAligned() &&
        t2->IsGeoPerpendicular(t0))
        return;
    if (HeldTogether(GetCommonDimaint(other)))
        return;
    SetLock(t0, lock);
    t0->UpdateStatus(status, this, true);
}

// ---------------------------------------------------------------------------
// Fixed trackers

void KorNode::SetFixedTrackers(KorNode*, KorTracker* except)
{
    if (!IsMovable())
        return;
    for (KorTracker* t : mTrackers)
        if (t != except)
            mFixedTrackers.insert(t);
}

void KorNode::SetFixedTrackers(KorTracker* a, KorTracker* b, KorTracker* c)
{
    mFixedTrackers.clear();
    AddFixedTracker(a);
    AddFixedTracker(b);
    AddFixedTracker(c);
}

void KorNode::AddFixedTracker(KorTracker* t)
{
    if (t)
        mFixedTrackers.insert(t);
}

bool KorNode::IsFixedTracker(KorTracker* t) { return t && mFixedTrackers.count(t) > 0; }

void KorNode::ResetGlobals()
{
    mFixedTrackers.clear();
    mbRepeatAlignment = false;
}

// ---------------------------------------------------------------------------
// Queries on neighbours

KorTracker* KorNode::GetCommonTracker(KorNode* other) const
{
    if (!other)
        return nullptr;
    for (KorTracker* t : mTrackers)
        if (other->BelongTo(t))
            return t;
    return nullptr;
}

KorLinTracker* KorNode::GetCommonLinTracker(KorNode* other) const
{
    if (!other)
        return nullptr;
    for (KorTracker* t : mTrackers)
        if (t->GetType() == KOR_LINEAR_TRACKER && other->BelongTo(t))
            return static_cast<KorLinTracker*>(t);
    return nullptr;
}

KorCirTracker* KorNode::GetCommonCirTracker(KorNode* other) const
{
    for (KorTracker* t : mTrackers)
        if (t->GetType() == KOR_CIRCULAR_TRACKER && (!other || other->BelongTo(t)))
            return static_cast<KorCirTracker*>(t);
    return nullptr;
}

KorLinTracker* KorNode::GetCommonGeoLinTracker(KorNode* other) const
{
    if (!other)
        return nullptr;
    for (KorTracker* t : mTrackers) {
        if (t->GetType() != KOR_LINEAR_TRACKER)
            continue;
        auto* l = static_cast<KorLinTracker*>(t);
        if (std::fabs(l->GetLine().signedDist(other->GetPoint())) < GeoSnap())
            return l;
    }
    return nullptr;
}

KorLinTracker* KorNode::GetParallelTracker(KorTracker* t) const
{
    if (!t || t->GetType() != KOR_LINEAR_TRACKER)
        return nullptr;
    const bool layout = mpModel && mpModel->IsLayoutSet();
    for (KorTracker* x : mTrackers)
        if (x != t && x->GetType() == KOR_LINEAR_TRACKER && t->IsParallel(x, layout))
            return static_cast<KorLinTracker*>(x);
    return nullptr;
}

KorPrimitive* KorNode::GetPrimitive(KorNode* other) const
{
    if (!other)
        return nullptr;
    for (KorPrimitive* p : mPrimitives)
        if (p->GetStart() == other || p->GetEnd() == other)
            return p;
    return nullptr;
}

KorTracker* KorNode::GetOtherTracker(KorTracker* t) const
{
    if (!t)
        return mTrackers.empty() ? nullptr : mTrackers.front();
    if (mTrackers.size() < 2)
        return nullptr;
    return mTrackers[0] != t ? mTrackers[0] : mTrackers[1];
}

KorPrimitive* KorNode::GetOtherPrimitive(KorPrimitive* p) const
{
    if (!p)
        return mPrimitives.empty() ? nullptr : mPrimitives.front();
    if (mPrimitives.size() < 2)
        return nullptr;
    return mPrimitives[0] != p ? mPrimitives[0] : mPrimitives[1];
}

KorTracker* KorNode::GetInscribedTracker(KorCirTracker* c) const
{
    KorTracker* circular = c;
    for (KorPrimitive* p : mPrimitives) {
        if (p->GetTracker() == circular)
            continue;
        KorNode* other = p->GetOtherNode(const_cast<KorNode*>(this));
        if (other && other->BelongTo(circular))
            return p->GetTracker();
    }
    return nullptr;
}

KorPrimitive* KorNode::GetImplicitColinear(KorSegment* s) const
{
    if (!s)
        return nullptr;
    for (KorPrimitive* p : mPrimitives)
        if (p != s && p->GetAlignment() == s->GetAlignment())
            return p;
    return nullptr;
}

KorTracker* KorNode::GetAlignedTracker(KOREntityType type) const
{
    for (KorTracker* t : mTrackers) {
        for (int i = 0; i < t->GetNumOfPrimitives(); ++i)
            if (t->GetPrimitive(i)->GetAlignment() == type)
                return t;
        const bool held = t->GetStatus() == KorStatus::Fixed || !t->IsMovable() ||
                          t->GetStatus() == KorStatus::DirectionHeld;
        if (held && t->IsGeoAligned(type))
            return t;
    }
    return nullptr;
}

KorTracker* KorNode::GetUnmovableTracker(KorTracker* a, KorTracker* b, bool strict) const
{
    KorTracker* first = nullptr;
    for (KorTracker* t : mTrackers) {
        if (t == a || t == b)
            continue;
        if (t->IsFixed() || IsFixedTracker(t))
            return t;
        if (!first)
            first = t;
    }
    return strict ? nullptr : first;
}

KorTracker* KorNode::GetUnmovableTracker(KorDimension* d1, KorDimension* d2) const
{
    KorNode* self = const_cast<KorNode*>(this);
    KorTracker* a = d1 ? d1->GetTracker(self) : nullptr;
    KorTracker* b = d2 ? d2->GetTracker(self) : nullptr;
    KorTracker* choice = nullptr;
    for (KorTracker* t : mTrackers) {
        if (t == a || t == b)
            continue;
        if (!choice || t->IsFixed() || IsFixedTracker(t))
            choice = t;
    }
    return choice;
}

KorPrimitive* KorNode::GetCollapsed() const
{
    for (KorPrimitive* p : mPrimitives)
        if (p->IsCollapsed())
            return p;
    return nullptr;
}

bool KorNode::IsConsistent() const
{
    for (KorTracker* t : mTrackers) {
        if (IsCentreOf(t)) {
            if (!(mPosition == CentrePoint(t)))
                return false;
        } else if (t->GetNumOfPrimitives() > 0 && !mPosition.IsOn(t->GetGeometry())) {
            return false;
        }
    }
    return true;
}

bool KorNode::IsCloseToPrimitives(point& p) const
{
    for (KorTracker* t : mTrackers)
        if (t->IsCloseToPrimitives(p))
            return true;
    return false;
}

bool KorNode::EasyToAdjust() const
{
    if (mTrackers.size() <= 1)
        return true;
    for (KorTracker* t : mTrackers)
        if (t->IsOrthogonal())
            return false;
    return true;
}

// ---------------------------------------------------------------------------
// Merge

bool KorNode::Merge(KorNode*& other)
{
    if (!other || other == this)
        return false;
    TransferDimaints(other);
    const std::vector<KorPrimitive*> primitives = other->mPrimitives;
    for (auto it = primitives.rbegin(); it != primitives.rend(); ++it) {
        KorPrimitive* p = *it;
        // A primitive deleted along with an earlier one is gone from the list.
        if (std::find(other->mPrimitives.begin(), other->mPrimitives.end(), p) ==
            other->mPrimitives.end())
            continue;
        const bool joinsUs = p->GetOtherNode(other) == this ||
                             (p->GetTracker() && p->GetTracker()->GetCenter() == this);
        if (joinsUs)
            delete p;
        else
            p->ReplaceNode(other, this, true);
    }
    const std::vector<KorTracker*> trackers = other->mTrackers;
    for (KorTracker* t : trackers)
        if (AddTracker(t) && !IsCentreOf(t) && !t->HasNode(this))
            t->AddNode(this);
    if (IsMovable() && !other->IsMovable()) {
        SetMovable(false);
        mPosition = other->mPosition;
    }
    if (!mCallback)
        mCallback = other->mCallback;
    KorModel* model = mpModel;
    delete other;
    other = nullptr;
    if (model) {
        model->UpdateDimensions();
        model->Invalidate(true);
    }
    return true;
}
