// Symmetry of two nodes, segments, circles or arcs about a node (point
// symmetry) or a segment (mirror symmetry).
#pragma once

#include "kor_constraint.h"

class KorNode;

class KorSymmetry : public KorConstraint {
public:
    KOREntityType GetType() const override { return KOR_SYMMETRY; }

    // After KorConstraint's: whether the symmetry relates the two nodes
    // about the axis.
    virtual bool IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis) = 0;

protected:
    KorSymmetry() = default;
};
