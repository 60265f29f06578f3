// Two segments symmetric about a node or a segment: a node symmetry for each
// pair of their end nodes.
#pragma once

#include <cstdint>

#include "kor_symmetry.h"

class KorModel;
class KorNNSymmetry;
class KorSegment;

class KorSSSymmetry : public KorSymmetry {
public:
    KorSSSymmetry();
    ~KorSSSymmetry() override;

    KorHandle Create(KorModel* model, KorSegment* s1, KorSegment* s2, KorEntity* axis);

    bool IsImplemented() override;
    bool IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis) override;

    KorNNSymmetry* GetFirstSymmetry() const;
    KorNNSymmetry* GetSecondSymmetry() const;

private:
    std::uint64_t mFirstSerial = 0;
    std::uint64_t mSecondSerial = 0;
    KorEntity* mpAxis = nullptr;
};
