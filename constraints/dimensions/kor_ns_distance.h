// The distance from a node to a segment, through a line tracker parallel to
// the segment that carries the node. Its condition part can hand the work to
// a node-node distance to the nearer end of the segment.
#pragma once

#include <vector>

#include "kor_condition.h"
#include "kor_ss_distance.h"

class KorNNDistance;

class KorNSDistance : public KorSSDistance, public KorCondition {
public:
    KorNSDistance();
    ~KorNSDistance() override;

    KOREntityType GetType() const override { return KOR_NSDISTANCE; }

    // Error 3 when the node lies on the segment's tracker, 12 when the
    // registration is refused.
    KorHandle Create(KorModel* model, KorNode* node, KorSegment* segment);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    using KorSSDistance::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    KorNode* GetOtherNode(KorNode* node) override;
    void CalculateOrientation() override;
    bool Adjust(KorDimSolution* solution) override;
    bool IsLastDF(KorDF* df) override;
    short GetNumOfEquations() override;
    virtual void SetupImplementationDim(KorNNDistance* dimension, bool disable);
    virtual KorNNDistance* AllocateImplementationDim();

    // Condition part.
    void RemoveImplementationDim() override;
    bool IsConditionImplemented() override;
    KorDimension* CreateImplementationDim(bool* more) override;
    KorDimension* UpdateImplementationDim() override;
    KorDimaint* GetDimaint() override { return this; }

    KorNode* GetNode() const;
    KorSegment* GetSegment() const;
    KorLinTracker* GetParallelTracker() const { return mpTracker1; }
    KorLinTracker* GetSegmentTracker() const { return mpTracker2; }
    KorLinTracker* GetOwnParallelTracker() const { return mpOwnParallel; }
    KorNode* GetRememberedEnd() const { return mpRememberedEnd; }
    KorDF* GetNextDF(KorDF* df, bool* second);
    int GetNumOfListDFs() const { return static_cast<int>(mNodeDFs.size()); }

protected:
    // A dimension deleting its own condition part would be deleted twice:
    // its parts go with it here.
    void DropImplementation();
    bool mbThroughNode = true;

private:
    void CreateDFs();
    void DeleteNodeDFs();
    bool IsListDF(const KorDF* df) const;
    KorNNDistance* MakeImplementation(KorNode* end, bool disable);
    bool AdjustTurn(KorDimSolution* solution);
    bool AdjustShift(KorDimSolution* solution);

    KorLinTracker* mpOwnParallel = nullptr;
    std::vector<KorDF*> mNodeDFs;
    KorNode* mpRememberedEnd = nullptr;
};
