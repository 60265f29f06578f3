#include "kor_colinear.h"

#include <algorithm>
#include <vector>

#include "kor_model.h"
#include "kor_primitive.h"
#include "kor_segment.h"
#include "kor_tracker.h"

KorPrimitive* KorColinear::GetFirstPrimitive() const
{
    return static_cast<KorPrimitive*>(mpFirstPrimitive);
}

KorPrimitive* KorColinear::GetSecondPrimitive() const
{
    return static_cast<KorPrimitive*>(mpSecondPrimitive);
}

bool KorColinear::Attach()
{
    KorPrimitive* p1 = GetFirstPrimitive();
    KorPrimitive* p2 = GetSecondPrimitive();
    if (!p1 || !p2)
        return false;
    KorTracker* t1 = p1->GetTracker();
    KorTracker* t2 = p2->GetTracker();
    if (!t1 || !t2 || t1 == t2)
        return false;
    // The tracker carrying more primitives absorbs the other; on a tie the
    // second primitive's tracker does.
    if (t1->GetNumOfPrimitives() > t2->GetNumOfPrimitives())
        return t1->Devour(t2);
    return t2->Devour(t1);
}

KorHandle KorColinear::Create(KorModel* model, KorPrimitive* p1, KorPrimitive* p2)
{
    const bool acceptable = p1 && p2 && p1 != p2 && p1->GetType() == p2->GetType()
                         && p1->GetType() != KOR_CIRCLE;
    if (acceptable) {
        mpFirstPrimitive = p1;
        mpSecondPrimitive = p2;
        if (Attach()) {
            p1->IncreaseColinearityCount();
            p2->IncreaseColinearityCount();
            p1->GetTracker()->AddColinear(this);
            return KorConstraint::Create(model, p1, p2, nullptr, true);
        }
    }
    mpFirstPrimitive = nullptr;
    if (model)
        model->SetError(KOR_ERR_CREATE);
    return 0;
}

bool KorColinear::IsImplemented()
{
    KorPrimitive* p1 = GetFirstPrimitive();
    KorPrimitive* p2 = GetSecondPrimitive();
    return p1 && p2 && p1->GetTracker() == p2->GetTracker();
}

void KorColinear::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    KorEntity** field = nullptr;
    if (oldEntity && oldEntity == mpFirstPrimitive)
        field = &mpFirstPrimitive;
    else if (oldEntity && oldEntity == mpSecondPrimitive)
        field = &mpSecondPrimitive;
    if (!field || !newEntity || !newEntity->IsPrimitive())
        return;
    auto* old = static_cast<KorPrimitive*>(oldEntity);
    old->DecreaseColinearityCount();
    if (old->GetTracker())
        old->GetTracker()->RemoveColinear(this);
    *field = newEntity;
    static_cast<KorPrimitive*>(newEntity)->IncreaseColinearityCount();
    Attach();
    if (IsImplemented())
        ListOnTracker();
}

void KorColinear::SplitTrackers()
{
    KorPrimitive* p1 = GetFirstPrimitive();
    KorPrimitive* p2 = GetSecondPrimitive();
    KorTracker* t = p1->GetTracker();
    p1->DecreaseColinearityCount();
    p2->DecreaseColinearityCount();
    t->RemoveColinear(this);
    if (p1->GetColinearityCount() <= 0) {
        p1->CreateTracker();
        return;
    }
    if (p2->GetColinearityCount() <= 0) {
        p2->CreateTracker();
        return;
    }
    // Both keep other colinears: every primitive gets its own tracker, then
    // the colinears the tracker held regroup those that stay colinear.
    std::vector<KorColinear*> colinears;
    for (int i = 0; i < t->GetNumOfColinears(); ++i)
        colinears.push_back(t->GetColinear(i));
    std::vector<KorPrimitive*> primitives;
    for (int i = 0; i < t->GetNumOfPrimitives(); ++i)
        primitives.push_back(t->GetPrimitive(i));
    for (int i = static_cast<int>(primitives.size()) - 2; i >= 0; --i)
        primitives[static_cast<std::size_t>(i)]->CreateTracker();
    for (KorColinear* c : colinears)
        c->Attach();
    for (KorColinear* c : colinears)
        if (c != this && c->IsImplemented())
            c->ListOnTracker();
}

void KorColinear::ListOnTracker()
{
    KorTracker* t = GetFirstPrimitive()->GetTracker();
    for (int i = 0; i < t->GetNumOfColinears(); ++i)
        if (t->GetColinear(i) == this)
            return;
    t->AddColinear(this);
}

KorColinear::~KorColinear()
{
    if (IsImplemented())
        SplitTrackers();
    RemoveImplementationDim();
    // A segment may hold this colinearity as implicit at one of its ends.
    for (KorEntity* p : {mpFirstPrimitive, mpSecondPrimitive})
        if (p && p->GetType() == KOR_SEGMENT)
            static_cast<KorSegment*>(p)->ForgetImplicitColinear(this);
}
