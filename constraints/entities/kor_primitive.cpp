#include "kor_primitive.h"

#include <cmath>
#include <vector>

#include "circle.h"
#include "kor_dimaint.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "kor_tracker.h"

KorPrimitive::~KorPrimitive()
{
    if (mpModel)
        mpModel->RemovePrimitive(this);
    ReleaseTracker();
}

void KorPrimitive::ReleaseTracker()
{
    KorTracker* t = mpTracker;
    if (!t)
        return;
    mpTracker = nullptr;
    if (!t->RemovePrimitive(this))
        return;
    if (t->GetNumOfPrimitives() == 0)
        delete t;
    else
        t->ResetAlignment();
}

void KorPrimitive::JoinTracker(KorTracker* t, std::initializer_list<KorNode*> listed)
{
    if (mpTracker)
        DetachTracker();
    mpTracker = t;
    if (!t)
        return;
    for (KorNode* n : listed)
        if (n && n->AddTracker(t) && !t->HasNode(n))
            t->AddNode(n);
}

void KorPrimitive::LeaveTracker(KorNode* centre, std::initializer_list<KorNode*> listed)
{
    KorTracker* old = mpTracker;
    mpTracker = nullptr;
    if (!old)
        return;
    if (centre)
        centre->RemoveTracker(old);
    for (KorNode* n : listed)
        if (n && n->RemoveTracker(old))
            old->RemoveNode(n);
}

bool KorPrimitive::IsReversed() { return !(FindOrientation() == mOrientation); }

KorNode* KorPrimitive::GetOtherNode(KorNode* n) const
{
    if (!n)
        return nullptr;
    if (n == GetStart())
        return GetEnd();
    if (n == GetEnd())
        return GetStart();
    return nullptr;
}

KorNode* KorPrimitive::GetCommonNode(KorPrimitive* p) const
{
    if (!p)
        return nullptr;
    auto isEndOf = [p](KorNode* n) { return n && (n == p->GetStart() || n == p->GetEnd()); };
    if (isEndOf(GetStart()))
        return GetStart();
    if (isEndOf(GetEnd()))
        return GetEnd();
    return nullptr;
}

void KorPrimitive::SetStart(KorNode* n)
{
    KorNode* old = GetStart();
    if (n == old)
        return;
    if (old)
        old->RemovePrimitive(this, true);
    ReplaceStart(n);
    if (n)
        n->AddPrimitive(this);
}

void KorPrimitive::SetEnd(KorNode* n)
{
    if (GetType() == KOR_CIRCLE)
        return;
    KorNode* old = GetEnd();
    if (n == old)
        return;
    if (old)
        old->RemovePrimitive(this, true);
    ReplaceEnd(n);
    if (n)
        n->AddPrimitive(this);
}

bool KorPrimitive::ReplaceNode(KorNode* oldNode, KorNode* newNode, bool withTracker)
{
    if (!oldNode || !newNode)
        return false;
    if (oldNode == GetStart())
        ReplaceStart(newNode);
    else if (oldNode == GetEnd())
        ReplaceEnd(newNode);
    else if (oldNode == GetCenter())
        ReplaceCenter(newNode);
    else
        return false;
    if (withTracker && mpTracker)
        mpTracker->ReplaceNode(oldNode, newNode);
    oldNode->RemovePrimitive(this, withTracker);
    newNode->AddPrimitive(this);
    UpdateDimaints(oldNode, newNode);
    return true;
}

void KorPrimitive::Merge(KorPrimitive* p)
{
    if (!p || p == this)
        return;
    KorNode* common = GetCommonNode(p);
    if (!common)
        return;
    if (p->GetType() == KOR_SEGMENT)
        static_cast<KorSegment*>(p)->RemoveImplicitColinear();
    KorNode* farNode = p->GetOtherNode(common);
    if (common == GetStart())
        SetStart(farNode);
    else
        SetEnd(farNode);
    delete p;
    delete common;
}

void KorPrimitive::SetPosition(double x, double y, bool how)
{
    if (!mpTracker || !std::isfinite(x) || !std::isfinite(y))
        return;
    mpTracker->SetPosition(x, y);
    if (mpModel)
        mpModel->Invalidate(how);
    geobject& g = mpTracker->GetGeometry();
    if (KorNode* start = GetStart())
        start->PlaceOn(g);
    if (KorNode* centre = mpTracker->GetCenter()) {
        if (g.typecode() == GEO_CIRCLE)
            centre->GetPoint() = static_cast<circle&>(g).center();
    } else if (KorNode* end = GetEnd()) {
        end->PlaceOn(g);
    }
    if (mpModel)
        mpModel->SetModified(true);
}

void KorPrimitive::UpdateDimaints(KorNode* oldNode, KorNode* newNode)
{
    const std::vector<KorDimaint*> dimaints = mDimaints;
    for (KorDimaint* d : dimaints)
        d->Update(oldNode, newNode);
}

void KorPrimitive::SetMovable(bool movable)
{
    if (mpTracker)
        mpTracker->SetMovable(movable);
    KorEntity::SetMovable(movable);
}
