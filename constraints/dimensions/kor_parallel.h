// Keeps two line trackers parallel by turning one of them about one of its
// nodes; the perpendicular derives from it and keeps them at right angles.
#pragma once

#include <vector>

#include "kor_df.h"
#include "kor_dimension.h"
#include "kor_node.h"

class KorLinTracker;
class KorSegment;

class KorParallel : public KorDimension {
public:
    KorParallel();
    ~KorParallel() override;

    KOREntityType GetType() const override { return KOR_PARALLEL; }

    // KorDimaint / KorDimension
    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    KORStatusType CalculateStatus() override;
    bool SetValue(double value, KORDimensionType type, bool notify) override;
    using KorDimension::SetValue;
    double GetValue() override;
    bool SameAs(KorDimension* other) override;
    KorDimSolution* Solve(KorDF* df) override;
    using KorDimension::Solve;
    double GetImplementedValue() override;
    KorTracker* GetOtherTracker(KorTracker* tracker) override;
    void GetOrientation(double& dx, double& dy, KorEntity* entity) override;
    void CalculateOrientation() override {}
    KorEntity* GetStart() override;
    KorEntity* GetEnd() override;
    void SetStart(KorEntity* start) override;
    void SetEnd(KorEntity* end) override;
    bool Adjust(KorDimSolution* solution) override;
    void RestoreDFState(KorDimSolution* solution) override;
    bool IsLastDF(KorDF* df) override;
    bool HasValue() override { return false; }
    bool IsEqual(double a, double b) override;
    // While the model asks for strict directions the angle is measured on
    // the lines as the geometry library places points on them, without the
    // library's allowance of GeoDif on slopes (up to 0.057 degree).
    bool IsImplemented() override;

    // Own virtual operations, in slot order.
    virtual KorHandle Create(KorModel* model, KorSegment* s1, KorSegment* s2);
    virtual KorHandle Create(KorModel* model, KorLinTracker* t1, KorLinTracker* t2);

    bool GetOrientation(KorTracker*) { return true; }
    KorSegment* GetOtherSegment(KorSegment* s) const;
    bool IsChecked() const { return mbChecked; }
    void SetChecked(bool checked) { mbChecked = checked; }
    KorLinTracker* GetStartTracker() const;
    KorLinTracker* GetEndTracker() const;

    void CreateDFs();
    KorDF* GetNextDF(KorDF* df, bool* second);
    int GetNumOfDFs() const { return static_cast<int>(mDFs.size()); }
    KorDF* GetDF(int i) { return &mDFs[i]; }

protected:
    // The line of the moved tracker through the node, parallel (or at right
    // angles) to the carrier.
    virtual bool LayParallel(KorLinTracker* moved, KorLinTracker* carrier, KorNode* node);
    // What a missing safe region answers.
    virtual bool AcceptsMissingSafeRegion() const { return true; }
    void DetachFromTrackers();

    std::vector<KorDF> mDFs;
    KorEntity* mpFirstSegment = nullptr;
    KorEntity* mpSecondSegment = nullptr;
    bool mbChecked = false;
    KorTrackerSet mCirContacts;
    bool mbOnTrackers = false;

private:
    KorHandle Register(KorModel* model);
};
