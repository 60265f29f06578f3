// The distance between two parallel segments, that is between their two line
// trackers; solved by shifting one tracker parallel to the other.
#pragma once

#include "kor_dimension.h"
#include "kor_node.h"

class KorLinTracker;
class KorModel;
class KorSegment;

class KorSSDistance : public KorDimension {
public:
    KorSSDistance();
    ~KorSSDistance() override;

    KOREntityType GetType() const override { return KOR_SSDISTANCE; }

    // Error 3 unless the segments lie on two different, parallel trackers.
    KorHandle Create(KorModel* model, KorSegment* s1, KorSegment* s2);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    KORStatusType CalculateStatus() override;
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    KorTracker* GetOtherTracker(KorTracker* tracker) override;
    void CalculateOrientation() override;
    bool Adjust(KorDimSolution* solution) override;
    KorDimSolution* GetExtraSolution() override { return mpExtraSolution; }

    void SetFixedTrackers();
    KorLinTracker* GetTracker1() const { return mpTracker1; }
    KorLinTracker* GetTracker2() const { return mpTracker2; }
    bool GetSide() const { return mbSide; }
    KorDF* GetDF(int i) const { return i >= 1 && i <= 4 ? mpDFs[i - 1] : nullptr; }

protected:
    // The four tracker-only DFs over tracker 1 and tracker 2.
    void MakeDFs();
    void DeleteDFs();
    void SetExtraSolution(KorDimSolution* solution);
    // The carrier's safe region against its circle contacts gives the base
    // point; the carrier moves through it.
    bool PresetBase(KorDimSolution* solution, point& base);
    static bool IsPlaced(const KorTracker* t);
    KorDimSolution* SolveStages(KorDF* df);

    bool mbSide = false;
    KorDF* mpDFs[4] = {nullptr, nullptr, nullptr, nullptr};
    KorDimSolution* mpExtraSolution = nullptr;
    KorTrackerSet mContacts;
    KorLinTracker* mpTracker1 = nullptr;
    KorLinTracker* mpTracker2 = nullptr;

private:
    KorDimSolution* SolveParallelLock();
};
