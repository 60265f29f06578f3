#include "kor_coincident.h"

#include <cmath>

#include "distances.h"
#include "geolist.h"
#include "settings.h"

#include "kor_model.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_primitive.h"
#include "kor_tracker.h"

namespace {

bool HoldsCondition(const KorPrimitive* p)
{
    return p->GetType() == KOR_SEGMENT || p->GetType() == KOR_ARC;
}

}  // namespace

KorCoincident::~KorCoincident()
{
    if (mpNode && mpPrimitive) {
        if (mpModel)
            mpModel->RemoveCondition(this);
        Detach();
    }
    RemoveImplementationDim();
}

bool KorCoincident::Attach()
{
    KorTracker* t = mpPrimitive->GetTracker();
    if (!t || !mpNode->AddTracker(t))
        return false;
    t->AddNode(mpNode);
    if (!mpNode->AddCoincident(mpPrimitive)) {
        if (mpNode->RemoveTracker(t))
            t->RemoveNode(mpNode);
        return false;
    }
    t->AddCoincident(mpNode);
    return true;
}

void KorCoincident::Detach()
{
    KorTracker* t = mpPrimitive->GetTracker();
    if (t && mpNode->RemoveTracker(t))
        t->RemoveNode(mpNode);
    mpNode->RemoveCoincident(mpPrimitive);
    if (t)
        t->RemoveCoincident(mpNode);
}

KorHandle KorCoincident::Create(KorModel* model, KorObject* a, KorObject* b)
{
    const auto asNode = [](KorObject* o) {
        return o && o->GetType() == KOR_NODE ? static_cast<KorNode*>(o) : nullptr;
    };
    const auto asPrimitive = [](KorObject* o) {
        return o && o->IsPrimitive() ? static_cast<KorPrimitive*>(o) : nullptr;
    };
    mpNode = asNode(a) ? asNode(a) : asNode(b);
    mpPrimitive = asPrimitive(a) ? asPrimitive(a) : asPrimitive(b);
    KorHandle handle = 0;
    if (mpNode && mpPrimitive)
        handle = KorConstraint::Create(model, mpPrimitive, mpNode, nullptr, true);
    if (handle != 0) {
        if (Attach()) {
            if (HoldsCondition(mpPrimitive))
                model->AddCondition(this);
            return handle;
        }
    }
    mpNode = nullptr;
    mpPrimitive = nullptr;
    if (model)
        model->SetError(KOR_ERR_UNSUPPORTED);
    return 0;
}

void KorCoincident::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (!mpNode || !mpPrimitive || !newEntity)
        return;
    if (oldEntity != mpNode && oldEntity != mpPrimitive)
        return;
    Detach();
    if (oldEntity == mpNode)
        mpNode = static_cast<KorNode*>(newEntity);
    else
        mpPrimitive = static_cast<KorPrimitive*>(newEntity);
    Attach();
}

bool KorCoincident::IsConditionImplemented()
{
    if (!IsEnabled())
        return true;
    if (!mpPrimitive || !mpNode)
        return false;
    if (GeoDistance(mpNode->GetPoint(), mpPrimitive->GetGeometry()) < GeoSnap())
        return true;
    if (mpNode->GetStatus() != 0 || mpNode->GetNumOfTrackers() != 2)
        return false;
    KorTracker* t0 = mpNode->GetTracker(0);
    KorTracker* t1 = mpNode->GetTracker(1);
    if (t0->GetCenter() == mpNode || t1->GetCenter() == mpNode)
        return false;
    KorTracker* other = t0 == mpPrimitive->GetTracker() ? t1 : t0;
    geolist_ref crossings = mpPrimitive->GetGeometry() % other->GetGeometry();
    if (crossings.count() == 0)
        return false;
    point q = mpNode->GetPoint();
    if (!(q = crossings) || !std::isfinite(q.x()) || !std::isfinite(q.y()))
        return false;
    mpNode->GetPoint() = q;
    mpNode->SetStatus(KORStatusType(2));
    return true;
}

KorDimension* KorCoincident::MakeZeroDistance(KorNode* target)
{
    auto* distance = new KorNNDistance();
    if (!target || distance->Create(mpModel, mpNode, target, false) == 0) {
        delete distance;
        return nullptr;
    }
    distance->SetOwner(this);
    distance->SetValue(0.0, KOR_DIM_EQUAL, false);
    return distance;
}

KorDimension* KorCoincident::CreateImplementationDim(bool* more)
{
    if (mpImplementation)
        return mpImplementation;
    if (!mpNode || !mpPrimitive || mpTarget)
        return nullptr;
    KorNode* start = mpPrimitive->GetStart();
    KorNode* end = mpPrimitive->GetEnd();
    if (!start || !end)
        return nullptr;
    const point& p = mpNode->GetPoint();
    const bool nearerStart = PointDistance(p, start->GetPoint()) < PointDistance(p, end->GetPoint());
    mpTarget = nearerStart ? start : end;
    KorDimension* distance = MakeZeroDistance(mpTarget);
    if (!distance) {
        mpTarget = nullptr;
        mpImplementation = nullptr;
        return nullptr;
    }
    if (more)
        *more = false;
    mpImplementation = distance;
    return distance;
}

KorDimension* KorCoincident::UpdateImplementationDim()
{
    if (!mpImplementation || !mpTarget)
        return nullptr;
    mpTarget = mpPrimitive->GetOtherNode(mpTarget);
    KorDimension* distance = MakeZeroDistance(mpTarget);
    KorDimension* old = mpImplementation;
    mpImplementation = distance;
    mpTarget = nullptr;
    delete old;
    return distance;
}

void KorCoincident::RemoveImplementationDim()
{
    KorCondition::RemoveImplementationDim();
    mpTarget = nullptr;
}
