// The radius of a circle or arc: solved once, before any node moves, by
// letting the whole circle change size.
#pragma once

#include "kor_dimension.h"

class KorCircle;
class KorCirTracker;
class KorModel;

class KorRadial : public KorDimension {
public:
    KorRadial();
    ~KorRadial() override;

    KOREntityType GetType() const override { return KOR_RADIUS; }

    // Registered: the model's handle (0 and error 7 when refused); else 1.
    KorHandle Create(KorModel* model, KorCircle* circle, bool registered);

    // The circle's tracker may be another one now (devoured, re-created).
    void Update(KorEntity*, KorEntity*) override { RefreshDF(); }
    void SetStatus(KORStatusType status, KorDF* df) override;
    KORStatusType CalculateStatus() override { return KORStatusType{}; }
    using KorDimension::SetValue;
    // A radius is positive: an exact value of 0 or less is refused.
    bool SetValue(double value, KORDimensionType type, bool notify) override;
    bool SameAs(KorDimension* other) override;
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    void GetOrientation(double&, double&, KorEntity*) override {}
    void CalculateOrientation() override {}
    bool Adjust(KorDimSolution* solution) override;

    bool GetOrientation(KorTracker*) { return true; }
    bool Adjacent(KorDimension*) { return false; }
    KorCirTracker* GetCirTracker() const;
    KorDF* GetDF() const { return mpDF; }

private:
    void RefreshDF();

    KorDF* mpDF = nullptr;
};
