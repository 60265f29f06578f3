// Keeps two line trackers at right angles.
#pragma once

#include "kor_parallel.h"

class KorPerpendicular : public KorParallel {
public:
    KorPerpendicular();
    ~KorPerpendicular() override;

    KOREntityType GetType() const override { return KOR_PERPENDICULAR; }
    double GetValue() override { return 90.0; }
    bool Adjust(KorDimSolution* solution) override;

protected:
    bool LayParallel(KorLinTracker* moved, KorLinTracker* carrier, KorNode* node) override;
    bool AcceptsMissingSafeRegion() const override { return false; }
};
