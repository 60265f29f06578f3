// Two arcs symmetric about a node or a segment: node symmetries of their
// start, end and centre nodes.
#pragma once

#include <cstdint>

#include "kor_symmetry.h"

class KorArc;
class KorModel;
class KorNNSymmetry;

class KorAASymmetry : public KorSymmetry {
public:
    KorAASymmetry();
    ~KorAASymmetry() override;

    KorHandle Create(KorModel* model, KorArc* a1, KorArc* a2, KorEntity* axis);

    bool IsImplemented() override;
    bool IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis) override;

    // 0 start, 1 end, 2 centre.
    KorNNSymmetry* GetNodeSymmetry(int i) const;

private:
    std::uint64_t mSerials[3] = {0, 0, 0};
    KorEntity* mpAxis = nullptr;
};
