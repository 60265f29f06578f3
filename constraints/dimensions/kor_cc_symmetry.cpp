#include "kor_cc_symmetry.h"

#include "kor_circle.h"
#include "kor_dim_support.h"
#include "kor_model.h"
#include "kor_nn_symmetry.h"
#include "kor_radial.h"

KorCCSymmetry::KorCCSymmetry() = default;

KorCCSymmetry::~KorCCSymmetry() { DeleteParts(); }

KorNNSymmetry* KorCCSymmetry::GetCentreSymmetry() const
{
    return dynamic_cast<KorNNSymmetry*>(KorFindAttached(mpAxis, mCentreSerial));
}

KorRadial* KorCCSymmetry::GetFirstRadius() const
{
    return dynamic_cast<KorRadial*>(KorFindAttached(mpCircle1, mFirstRadiusSerial));
}

KorRadial* KorCCSymmetry::GetSecondRadius() const
{
    return dynamic_cast<KorRadial*>(KorFindAttached(mpCircle2, mSecondRadiusSerial));
}

void KorCCSymmetry::DeleteParts()
{
    KorNNSymmetry* centre = GetCentreSymmetry();
    KorRadial* first = GetFirstRadius();
    KorRadial* second = GetSecondRadius();
    mCentreSerial = mFirstRadiusSerial = mSecondRadiusSerial = 0;
    delete centre;
    delete first;
    delete second;
}

KorHandle KorCCSymmetry::Create(KorModel* model, KorCircle* c1, KorCircle* c2, KorEntity* axis)
{
    if (!model)
        return 0;
    mpModel = model;
    if (!c1 || !c2 || !axis || c1 == c2 || !c1->GetCenter() || !c2->GetCenter()) {
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mpAxis = axis;
    mpCircle1 = c1;
    mpCircle2 = c2;
    auto* centre = new KorNNSymmetry();
    if (centre->Create(model, c1->GetCenter(), c2->GetCenter(), axis, false) == 0) {
        delete centre;
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    mCentreSerial = centre->GetSerial();
    auto* first = new KorRadial();
    auto* second = new KorRadial();
    const bool made = first->Create(model, c1, false) != 0 && second->Create(model, c2, false) != 0;
    if (made) {
        mFirstRadiusSerial = first->GetSerial();
        mSecondRadiusSerial = second->GetSerial();
    }
    if (!made || !first->SetValue(second)) {
        if (!made) {
            delete first;
            delete second;
        }
        DeleteParts();
        model->SetError(KOR_ERR_CREATE);
        return 0;
    }
    first->SetOwner(this);
    second->SetOwner(this);
    const KorHandle handle = KorConstraint::Create(model, c1, c2, axis, true);
    if (handle == 0) {
        DeleteParts();
        model->SetError(KOR_ERR_CREATE);
    }
    return handle;
}

bool KorCCSymmetry::IsImplemented()
{
    KorNNSymmetry* centre = GetCentreSymmetry();
    KorRadial* first = GetFirstRadius();
    return centre && centre->IsImplemented() && first && first->IsConditionImplemented();
}

bool KorCCSymmetry::IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis)
{
    KorNNSymmetry* centre = GetCentreSymmetry();
    return centre && centre->IsNodeSymmetrySet(a, b, axis);
}
