// Base of the valueless constraints (coincidence, colinearity, alignment,
// symmetry, unmovable): a dimaint on up to three entities.
#pragma once

#include "kor_dimaint.h"
#include "kor_types.h"

class KorEntity;
class KorModel;

class KorConstraint : public KorDimaint {
public:
    // Unregisters from the model.
    ~KorConstraint() override;

    bool IsConstraint() const override { return true; }

    void GetEntities(KorEntity*& first, KorEntity*& second, KorEntity*& third) override;
    // The field equal to oldEntity (first, second, third) takes newEntity.
    void ReplaceEntity(KorEntity* oldEntity, KorEntity* newEntity) override;

    KorEntity* GetFirst() const { return mpFirst; }
    KorEntity* GetSecond() const { return mpSecond; }
    KorEntity* GetThird() const { return mpThird; }

protected:
    // Enabled, no entities, no model.
    KorConstraint();

    // Attaches to the given entities; registered: the model's handle, else 1.
    KorHandle Create(KorModel* model, KorEntity* first, KorEntity* second, KorEntity* third,
                     bool registered);

    KorEntity* mpFirst = nullptr;
    KorEntity* mpSecond = nullptr;
    KorEntity* mpThird = nullptr;
};
