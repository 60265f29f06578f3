// A node that does not move.
#pragma once

#include "kor_constraint.h"

class KorNode;

class KorUnmovable : public KorConstraint {
public:
    KorUnmovable() = default;
    ~KorUnmovable() override;

    KOREntityType GetType() const override { return KOR_UNMOVABLE; }
    bool IsImplemented() override { return true; }
    void SetEnabled(bool enabled) override;

    KorHandle Create(KorModel* model, KorNode* node);
    KorNode* GetNode() const { return mpNode; }

private:
    KorNode* mpNode = nullptr;
};
