#include "kor_alignment.h"

#include <cmath>

#include "settings.h"

#include "kor_model.h"
#include "kor_node.h"
#include "kor_segment.h"

bool KorAlignment::mbSetImplicitColinear = true;

void KorAlignment::ResetGlobals() { mbSetImplicitColinear = true; }

KorAlignment::~KorAlignment()
{
    if (mpSegment && mbEnabled) {
        mpSegment->RemoveImplicitColinear();
        mpSegment->SetAlignment(KOR_EMPTY);
    }
}

KorHandle KorAlignment::Create(KorModel* model, KOREntityType type, KorSegment* segment,
                               bool implicitColinear)
{
    if (!segment || !segment->SetAlignment(type)) {
        if (model)
            model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mType = type;
    mpSegment = segment;
    if (implicitColinear)
        segment->SetImplicitColinear();
    return KorConstraint::Create(model, segment, nullptr, nullptr, true);
}

bool KorAlignment::IsImplemented()
{
    if (!mpSegment || !mpSegment->GetStart() || !mpSegment->GetEnd())
        return false;
    const point& a = mpSegment->GetStart()->GetPoint();
    const point& b = mpSegment->GetEnd()->GetPoint();
    if (mType == KOR_VERTICAL)
        return std::fabs(a.x() - b.x()) < GeoSnap();
    if (mType == KOR_HORIZONTAL)
        return std::fabs(a.y() - b.y()) < GeoSnap();
    return false;
}

void KorAlignment::SetEnabled(bool enabled)
{
    if (!mpSegment || enabled == mbEnabled)
        return;
    KorConstraint::SetEnabled(enabled);
    if (enabled) {
        mpSegment->SetAlignment(mType);
        mpSegment->SetImplicitColinear();
    } else {
        mpSegment->RemoveImplicitColinear();
        mpSegment->SetAlignment(KOR_EMPTY);
    }
}

void KorAlignment::Update(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (oldEntity != mpSegment || !newEntity || newEntity->GetType() != KOR_SEGMENT)
        return;
    mpSegment->RemoveImplicitColinear();
    mpSegment->SetAlignment(KOR_EMPTY);
    mpSegment = static_cast<KorSegment*>(newEntity);
}
