#include "kor_tracker.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "distances.h"
#include "kor_entity_support.h"
#include "kor_model.h"
#include "kor_primitive.h"
#include "settings.h"

KorNodeSet KorTracker::mFixedNodes;

KorTracker::KorTracker(KorModel* model)
{
    mpModel = model;
    mNodes.reserve(5);
    mClamps.reserve(4);
    mColinears.reserve(3);
    mCoincidents.reserve(3);
    if (model)
        model->AddTracker(this);
}

KorTracker::~KorTracker()
{
    // Primitives still carried here keep no pointer to a dead tracker.
    for (KorPrimitive* p : mPrimitives)
        if (p->mpTracker == this)
            p->mpTracker = nullptr;
    mPrimitives.clear();
    const std::vector<KorNode*> nodes = mNodes;
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        (*it)->RemoveTracker(this);
    const std::vector<KorNode*> coincidents = mCoincidents;
    for (KorNode* n : coincidents)
        n->RemoveTracker(this);
    // Nodes that hold the tracker without being listed (a circle's centre).
    if (mpModel)
        for (KorNode* n : std::vector<KorNode*>(mpModel->GetNodes()))
            if (n->BelongTo(this))
                n->RemoveTracker(this);
    KorNode::mFixedTrackers.erase(this);
    if (mpModel)
        mpModel->RemoveTracker(this);
}

// ---------------------------------------------------------------------------
// Membership

bool KorTracker::AddPrimitive(KorPrimitive* p)
{
    if (!p || std::find(mPrimitives.begin(), mPrimitives.end(), p) != mPrimitives.end())
        return false;
    p->SetTracker(this);
    mPrimitives.push_back(p);
    if (mpModel)
        mpModel->RequireIntersectionAttributes();
    return true;
}

bool KorTracker::RemovePrimitive(KorPrimitive* p) { return KorEraseFirst(mPrimitives, p); }

KorPrimitive* KorTracker::GetPrimitive(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < mPrimitives.size() ? mPrimitives[i] : nullptr;
}

KorPrimitive* KorTracker::GetPrimitive(KorNode* n) const
{
    if (!n)
        return nullptr;
    for (KorPrimitive* p : mPrimitives)
        if (p->GetStart() == n || p->GetEnd() == n)
            return p;
    return nullptr;
}

KorPrimitive* KorTracker::GetPrimitive(point& p) const
{
    KorPrimitive* last = nullptr;
    for (KorPrimitive* primitive : mPrimitives) {
        geobject& g = primitive->GetGeometry();
        if (!p.IsOn(g))
            continue;
        const double t = p.position(g);
        if (t >= 0.0 && t <= 1.0)
            return primitive;
        last = primitive;
    }
    return last;
}

void KorTracker::AddNode(KorNode* n)
{
    if (n)
        mNodes.push_back(n);
}

void KorTracker::RemoveNode(KorNode* n) { KorEraseFirst(mNodes, n); }

KorNode* KorTracker::GetNode(unsigned i) const { return i < mNodes.size() ? mNodes[i] : nullptr; }

KorNode* KorTracker::GetNode(point& p) const
{
    for (KorNode* n : mNodes)
        if (n->GetPoint() == p)
            return n;
    return nullptr;
}

bool KorTracker::HasNode(const KorNode* n) const
{
    return std::find(mNodes.begin(), mNodes.end(), n) != mNodes.end();
}

KorNode* KorTracker::GetCommonNode(KorTracker* t) const
{
    for (KorNode* n : mNodes)
        if (n->BelongTo(t))
            return n;
    return nullptr;
}

KorNode* KorTracker::GetMostDistantNode(geobject& g) const
{
    KorNode* farthest = nullptr;
    double best = 0.0;
    for (KorNode* n : mNodes) {
        const double d = n->GetPoint().distance(g);
        if (!farthest || d > best) {
            farthest = n;
            best = d;
        }
    }
    return farthest;
}

void KorTracker::ReplaceNode(KorNode* oldNode, KorNode* newNode)
{
    if (oldNode && oldNode == GetCenter()) {
        SetCenter(newNode);
        return;
    }
    auto it = std::find(mNodes.begin(), mNodes.end(), oldNode);
    if (it == mNodes.end())
        return;
    // A node already listed is not listed twice.
    if (!newNode || HasNode(newNode))
        mNodes.erase(it);
    else
        *it = newNode;
}

void KorTracker::AddColinear(KorColinear* c)
{
    if (c)
        mColinears.push_back(c);
}

void KorTracker::RemoveColinear(KorColinear* c) { KorEraseFirst(mColinears, c); }

KorColinear* KorTracker::GetColinear(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < mColinears.size() ? mColinears[i] : nullptr;
}

void KorTracker::AddCoincident(KorNode* n)
{
    if (n)
        mCoincidents.push_back(n);
}

void KorTracker::RemoveCoincident(KorNode* n) { KorEraseFirst(mCoincidents, n); }

KorNode* KorTracker::GetCoincident(int i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < mCoincidents.size() ? mCoincidents[i]
                                                                        : nullptr;
}

void KorTracker::AttachNodes(KorTracker* t)
{
    if (!t || t == this)
        return;
    for (std::size_t i = mNodes.size(); i-- > 0;) {
        if (i >= mNodes.size())
            continue;
        KorNode* n = mNodes[i];
        if (n->RemoveTracker(this))
            mNodes.erase(mNodes.begin() + static_cast<std::ptrdiff_t>(i));
        if (n->AddTracker(t) && !t->HasNode(n))
            t->AddNode(n);
    }
}

short KorTracker::GetCirContacts(KorTrackerSet& s) const
{
    s.clear();
    for (KorNode* n : mNodes) {
        for (unsigned i = 0; i < n->GetNumOfTrackers(); ++i) {
            KorTracker* x = n->GetTracker(static_cast<short>(i));
            if (x != this && x->GetCenter() && x->GetCenter() != n)
                s.insert(x);
        }
    }
    return static_cast<short>(s.size());
}

void KorTracker::ForgetNode(KorNode* n)
{
    if (!n)
        return;
    if (n == GetCenter())
        SetCenter(nullptr);
    mNodes.erase(std::remove(mNodes.begin(), mNodes.end(), n), mNodes.end());
    mCoincidents.erase(std::remove(mCoincidents.begin(), mCoincidents.end(), n),
                       mCoincidents.end());
    mClamps.erase(std::remove_if(mClamps.begin(), mClamps.end(),
                                 [n](const KorClamp& c) { return c.mpNode == n; }),
                  mClamps.end());
    if (mpPivot == n)
        mpPivot = nullptr;
    if (mpClamp == n)
        mpClamp = nullptr;
    if (mpRay == n)
        mpRay = nullptr;
}

// ---------------------------------------------------------------------------
// Status and geometry queries

bool KorTracker::IsFree(KorNode* n) const
{
    if (IsFixed())
        return false;
    if (mStatus == KorStatus::Turning && n == mpPivot)
        return false;
    if (mStatus == KorStatus::CentreHeld && n && n == GetCenter())
        return false;
    return true;
}

bool KorTracker::IsRotatable() const
{
    return IsMovable() && mAlignment == KOR_EMPTY && mStatus != KorStatus::Fixed &&
           mStatus != KorStatus::DirectionHeld;
}

bool KorTracker::IsConsistent()
{
    geobject& g = GetGeometry();
    for (KorNode* n : mNodes)
        if (!n->GetPoint().IsOn(g))
            return false;
    return true;
}

float KorTracker::GetMinDistanceToPrimitives(point& p) const
{
    float smallest = FLT_MAX;
    for (KorPrimitive* primitive : mPrimitives) {
        for (KorNode* n : {primitive->GetStart(), primitive->GetEnd()}) {
            if (!n)
                continue;
            const float d = static_cast<float>(PointDistance(p, n->GetPoint()));
            smallest = std::min(smallest, d);
        }
    }
    return smallest;
}

bool KorTracker::IsCloseToPrimitives(point& p) const
{
    for (KorPrimitive* primitive : mPrimitives)
        if (p.IsOn(primitive->GetGeometry()))
            return true;
    return false;
}

// ---------------------------------------------------------------------------
// Solving status

void KorTracker::SetMovable(bool movable)
{
    KorEntity::SetMovable(movable);
    if (movable)
        ResetStatus(true);
    else
        mStatus = KorStatus::Fixed;
}

void KorTracker::ResetStatus(bool tell)
{
    mClamps.clear();
    mpPivot = nullptr;
    mpClamp = nullptr;
    if (!IsMovable()) {
        mStatus = KorStatus::Fixed;
        return;
    }
    mStatus = KorStatus::Free;
    if (!tell)
        return;
    geobject& g = GetGeometry();
    for (KorNode* n : std::vector<KorNode*>(mNodes))
        if (!n->IsMovable() && n->GetPoint().IsOn(g))
            UpdateStatus(KorStatus::Fixed, n, false);
}

void KorTracker::SetFixedNodes(KorNode* a, KorNode* b)
{
    mFixedNodes.clear();
    if (!a)
        return;
    mFixedNodes.insert(a);
    if (b)
        mFixedNodes.insert(b);
}

bool KorTracker::IsFixedNode(KorNode* n) { return n && mFixedNodes.count(n) > 0; }

void KorTracker::ResetGlobals() { mFixedNodes.clear(); }
