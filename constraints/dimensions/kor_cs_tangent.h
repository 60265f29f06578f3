// A circle (or arc) held tangent to the line of a segment: a node-segment
// distance from the circle's centre whose value is the circle's radius. It
// may also resize the circle, or fit it against two or three already solved
// tangencies.
#pragma once

#include "kor_ns_distance.h"
#include "kor_tangent.h"

class KorCirTracker;
class KorTrackerSolution;

class KorCSTangent : public KorNSDistance, public KorTangent {
public:
    KorCSTangent();
    ~KorCSTangent() override;

    KOREntityType GetType() const override { return KOR_TANGENT; }
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    using KorNSDistance::SetValue;
    bool SetValue(double, KORDimensionType, bool) override { return false; }
    double GetValue() override;
    using KorNSDistance::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    KorEntity* GetStart() override;
    KorEntity* GetEnd() override;
    bool Adjust(KorDimSolution* solution) override;
    void RestoreDFState(KorDimSolution*) override { mSavedStatus = KOR_NO_SAVED_STATUS; }
    bool IsLastDF(KorDF* df) override { return df && df == mpDF2; }
    KorTangent* GetTangent() override { return this; }
    bool HasValue() override { return false; }
    void SetupImplementationDim(KorNNDistance* dimension, bool disable) override;
    KorNNDistance* AllocateImplementationDim() override;
    KorDimension* CreateImplementationDim(bool* more) override;

    // KorTangent: the circle or arc first, the segment second.
    KorHandle Create(KorModel* model, KorPrimitive* circle, KorPrimitive* segment) override;
    KorDimension* GetDimension() override { return this; }
    bool GetOrientation() override { return mbSide; }
    void RestoreStatus(KorNode* node) override;

    KorCirTracker* GetCirTracker() const;

private:
    KorDimSolution* SolveRadius();
    KorDimSolution* SolveDoubleTangency();
    KorDimSolution* SolveTripleTangency();
    KorTrackerSolution* TrySolveDouble(KorTangent* other);
    void RecordSides(KorCirTracker* moved, KorTracker* far);
    bool AdjustRadius(KorDimSolution* solution);
    bool RefitAfterRadius(KorCirTracker* c, KorNode* pivot);
    bool AdjustDouble(KorDimSolution* solution);
    bool AdjustTriple();
    bool InvolvesTracker(const KorTangent* other, const KorTracker* t) const;
    KorTracker* FarTracker(const KorTangent* other, const KorTracker* near) const;
    KorTracker* UnmovableCentreTracker() const;
    // The other tangencies of a double or triple tangency let go of the
    // circle (their clamps on it released) while it is fitted against them.
    void ReleaseOthers();
    void HoldOthersAgain();

    KorDimension* mReleased[2] = {nullptr, nullptr};
};
