// A node held on a primitive (segment, arc or circle). As a condition it puts
// the node back on the primitive, through a zero distance to an end node.
#pragma once

#include "kor_condition.h"
#include "kor_constraint.h"

class KorNode;
class KorObject;
class KorPrimitive;

class KorCoincident : public KorConstraint, public KorCondition {
public:
    KorCoincident() = default;
    ~KorCoincident() override;

    KOREntityType GetType() const override { return KOR_COINCIDENT; }
    bool IsImplemented() override { return true; }
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;

    // KorCondition
    void RemoveImplementationDim() override;
    bool IsConditionImplemented() override;
    KorDimension* CreateImplementationDim(bool* more) override;
    KorDimension* UpdateImplementationDim() override;
    KorDimaint* GetDimaint() override { return this; }

    KorHandle Create(KorModel* model, KorObject* a, KorObject* b);
    KorNode* GetNode() const { return mpNode; }
    KorPrimitive* GetPrimitive() const { return mpPrimitive; }
    KorNode* GetTarget() const { return mpTarget; }

private:
    bool Attach();
    void Detach();
    KorDimension* MakeZeroDistance(KorNode* target);

    KorNode* mpNode = nullptr;
    KorPrimitive* mpPrimitive = nullptr;
    KorNode* mpTarget = nullptr;
};
