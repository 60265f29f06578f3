#include "kor_constraint.h"

#include "kor_entity.h"
#include "kor_model.h"

KorConstraint::KorConstraint() { mbEnabled = true; }

KorConstraint::~KorConstraint()
{
    if (mpModel)
        mpModel->RemoveConstraint(this);
}

KorHandle KorConstraint::Create(KorModel* model, KorEntity* first, KorEntity* second,
                                KorEntity* third, bool registered)
{
    mpModel = model;
    KorEntity* entities[3] = {first, second, third};
    KorEntity** fields[3] = {&mpFirst, &mpSecond, &mpThird};
    for (int i = 0; i < 3; ++i) {
        if (!entities[i])
            continue;
        entities[i]->AddDimaint(this);
        *fields[i] = entities[i];
    }
    if (!registered)
        return 1;
    return model ? model->AddConstraint(this) : 0;
}

void KorConstraint::GetEntities(KorEntity*& first, KorEntity*& second, KorEntity*& third)
{
    first = mpFirst;
    second = mpSecond;
    third = mpThird;
}

void KorConstraint::ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity)
{
    if (!oldEntity)
        return;
    for (KorEntity** field : {&mpFirst, &mpSecond, &mpThird}) {
        if (*field == oldEntity) {
            *field = newEntity;
            KorDimaint::ReplaceEntity(oldEntity, newEntity);
            return;
        }
    }
}
