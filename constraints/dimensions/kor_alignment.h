// A segment held vertical or horizontal through its tracker's alignment.
#pragma once

#include "kor_constraint.h"

class KorSegment;

class KorAlignment : public KorConstraint {
public:
    KorAlignment() = default;
    ~KorAlignment() override;

    KOREntityType GetType() const override { return mType; }
    bool IsImplemented() override;
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetEnabled(bool enabled) override;

    KorHandle Create(KorModel* model, KOREntityType type, KorSegment* segment,
                     bool implicitColinear);
    KorSegment* GetSegment() const { return mpSegment; }

    // Passed by the model as the implicit-colinearity flag of alignments it
    // creates by type; the floor-plan model clears it.
    static bool mbSetImplicitColinear;
    static void ResetGlobals();

private:
    KOREntityType mType = KOR_EMPTY;
    KorSegment* mpSegment = nullptr;
};
