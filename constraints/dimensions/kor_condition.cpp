#include "kor_condition.h"

#include "kor_dimension.h"
#include "kor_model.h"

KorCondition::KorCondition(KorDimension* owner) : mpOwner(owner) {}

KorCondition::~KorCondition()
{
    // Non-virtual here on purpose: the derived part is already gone.
    KorCondition::RemoveImplementationDim();
}

void KorCondition::RemoveImplementationDim()
{
    if (!mpImplementation)
        return;
    KorDimension* implementation = mpImplementation;
    mpImplementation = nullptr;
    if (implementation == mpOwner)
        implementation->SetEnabled(false);
    else
        delete implementation;
}

bool KorCondition::IsConditionImplemented()
{
    return mpOwner && mpOwner->IsConditionImplemented();
}

KorDimension* KorCondition::CreateImplementationDim(bool* more)
{
    if (!mpOwner)
        return nullptr;
    mpOwner->SwitchToEqualence();
    mpImplementation = mpOwner;
    if (more)
        *more = false;
    return mpImplementation;
}

KorDimension* KorCondition::UpdateImplementationDim() { return nullptr; }

void KorCondition::AddImplementationToDimensions(KorModel* model)
{
    if (!mpImplementation || !model)
        return;
    mpImplementation->SetStatus(KORStatusType{}, nullptr);
    model->RemoveExtraRule(mpImplementation);
    model->AddDimension(mpImplementation);
}

bool KorCondition::find(KorDimension*) { return false; }

KorDimaint* KorCondition::GetDimaint() { return mpOwner; }
