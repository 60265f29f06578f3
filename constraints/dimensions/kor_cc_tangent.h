// Two circles (or arcs) held tangent: a distance between their centre nodes
// whose value follows from the radii.
#pragma once

#include "kor_nn_distance.h"
#include "kor_tangent.h"

class KorCirTracker;

class KorCCTangent : public KorNNDistance, public KorTangent {
public:
    KorCCTangent();
    ~KorCCTangent() override;

    KOREntityType GetType() const override { return KOR_TANGENT; }
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    using KorNNDistance::SetValue;
    bool SetValue(double, KORDimensionType, bool) override { return false; }
    double GetValue() override;
    using KorNNDistance::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    KorEntity* GetStart() override;
    KorEntity* GetEnd() override;
    bool Adjust(KorDimSolution* solution) override;
    KorDF* GetStopDF() override { return mpStopDF; }
    KorTangent* GetTangent() override { return this; }
    bool HasValue() override { return false; }

    // KorTangent; error 3 unless both primitives lie on circle trackers.
    KorHandle Create(KorModel* model, KorPrimitive* p1, KorPrimitive* p2) override;
    KorDimension* GetDimension() override { return this; }
    KorTangentAttribute GetConfiguration() override { return mConfiguration; }
    void RestoreStatus(KorNode* node) override;

    void SetVirtualSized(KorDimSolution* solution);
    KorCirTracker* GetCirTracker1() const;
    KorCirTracker* GetCirTracker2() const;
    KorDF* GetRadialDF1() const { return mpRadialDF1; }
    KorDF* GetRadialDF2() const { return mpRadialDF2; }

private:
    void RefreshDFs();
    KorDimSolution* SolveRadial(KorDF* df);
    KorDimSolution* SolveDoubleTangent(KorDF* df, KorPrimitive* primitive);
    KorDimSolution* SolveDoubleTangents(bool fromFirst);
    bool AdjustDouble(KorDimSolution* solution);
    bool AdjustRadial(KorDimSolution* solution);

    KorTangentAttribute mConfiguration = KOR_TANGENT_NONE;
    KorDF* mpRadialDF1 = nullptr;
    KorDF* mpRadialDF2 = nullptr;
    KorDF* mpStopDF = nullptr;
};
