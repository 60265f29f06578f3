// Two circles symmetric about a node or a segment: their centres symmetric
// and their radii equal.
#pragma once

#include <cstdint>

#include "kor_condition.h"
#include "kor_symmetry.h"

class KorCircle;
class KorModel;
class KorNNSymmetry;
class KorRadial;

class KorCCSymmetry : public KorSymmetry, public KorCondition {
public:
    KorCCSymmetry();
    ~KorCCSymmetry() override;

    KorHandle Create(KorModel* model, KorCircle* c1, KorCircle* c2, KorEntity* axis);

    bool IsImplemented() override;
    bool IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis) override;
    KorDimaint* GetDimaint() override { return this; }

    KorNNSymmetry* GetCentreSymmetry() const;
    KorRadial* GetFirstRadius() const;
    KorRadial* GetSecondRadius() const;

private:
    void DeleteParts();

    std::uint64_t mCentreSerial = 0;
    std::uint64_t mFirstRadiusSerial = 0;
    std::uint64_t mSecondRadiusSerial = 0;
    KorEntity* mpAxis = nullptr;
    KorCircle* mpCircle1 = nullptr;
    KorCircle* mpCircle2 = nullptr;
};
