// Two segments (or two arcs) on one carrier: the tracker with more primitives
// absorbs the other.
#pragma once

#include "kor_condition.h"
#include "kor_constraint.h"

class KorPrimitive;

class KorColinear : public KorConstraint, public KorCondition {
public:
    KorColinear() = default;
    ~KorColinear() override;

    KOREntityType GetType() const override { return KOR_COLINEAR; }
    bool IsImplemented() override;
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;

    KorHandle Create(KorModel* model, KorPrimitive* p1, KorPrimitive* p2);
    KorPrimitive* GetFirstPrimitive() const;
    KorPrimitive* GetSecondPrimitive() const;
    // Puts both primitives on one tracker; false when they already share one
    // or the merge is refused.
    bool Attach();
    // Lists this constraint once on the shared tracker.
    void ListOnTracker();

private:
    void SplitTrackers();

    KorEntity* mpFirstPrimitive = nullptr;
    KorEntity* mpSecondPrimitive = nullptr;
};
