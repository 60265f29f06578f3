#include "kor_circle.h"

#include <cmath>

#include "distances.h"
#include "kor_cir_tracker.h"
#include "kor_dimension.h"
#include "kor_model.h"
#include "kor_node.h"

KorCircle::KorCircle() = default;

KorCircle::~KorCircle()
{
    if (!mpTracker)
        return;
    if (mpCenter)
        mpCenter->RemovePrimitive(this, true);
    if (mpStart)
        mpStart->RemovePrimitive(this, true);
    KillDependants();
}

KorHandle KorCircle::Create(KorModel* model, KorNode* centre, KorNode* rim)
{
    auto fail = [model]() -> KorHandle {
        if (model)
            model->SetError(KOR_ERR_CREATE);
        return 0;
    };
    if (!model || !centre || !rim || centre == rim)
        return fail();
    mpCenter = centre;
    mpStart = rim;
    const KorHandle handle = model->AddPrimitive(this);
    if (handle == 0) {
        mpCenter = nullptr;
        mpStart = nullptr;
        return fail();
    }
    KorTracker* t = new KorCirTracker(model, this);
    mpModel = model;
    t->AddPrimitive(this);
    centre->AddPrimitive(this);
    rim->AddPrimitive(this);
    return handle;
}

geobject& KorCircle::GetGeometry()
{
    return mpTracker ? mpTracker->GetGeometry() : mDetached;
}

float KorCircle::GetRadius() const
{
    if (!mpTracker)
        return 0.0f;
    if (mpTracker->GetType() == KOR_CIRCULAR_TRACKER)
        return static_cast<float>(static_cast<KorCirTracker*>(mpTracker)->GetRadius());
    geobject& g = mpTracker->GetGeometry();
    return g.typecode() == GEO_CIRCLE ? static_cast<float>(static_cast<circle&>(g).rad()) : 0.0f;
}

double KorCircle::LinearPlay() const { return mpModel ? mpModel->LinearPlay() : 0.1; }

void KorCircle::SetTracker(KorTracker* t) { JoinTracker(t, {mpStart}); }

void KorCircle::DetachTracker() { LeaveTracker(mpCenter, {mpStart}); }

point KorCircle::GetGeoCenter() { return mpCenter ? mpCenter->GetPoint() : point(0.0, 0.0); }

bool KorCircle::IsCollapsed()
{
    if (!mpCenter || !mpStart)
        return false;
    return PointDistance(mpCenter->GetPoint(), mpStart->GetPoint()) < LinearPlay();
}

bool KorCircle::IsValid()
{
    if (mpModel) {
        KorDimension* d = mpModel->GetDimension(this, nullptr, false);
        if (d && d->IsEnabled())
            return true;
    }
    return GetRadius() >= LinearPlay() && !IsReversed();
}

KorTracker* KorCircle::CreateTracker() { return new KorCirTracker(mpModel, this); }
