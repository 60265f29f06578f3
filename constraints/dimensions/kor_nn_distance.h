// The distance between two nodes, and its two variants: node coincidence
// (distance 0) and the distance whose value is a circle tracker's radius.
#pragma once

#include "kor_dimension.h"
#include "kor_orientation.h"

class KorCirTracker;
class KorLinTracker;
class KorModel;
class KorSegment;
class KorShiftGroup;

// DF usability, shared by every distance and by KorNode::CreateDoubleSolution:
// the node is movable, its carrier is set and not locked for it, and its moved
// tracker (if any) is movable and not fixed.
bool KorDFIsUsable(const KorDF* df);
// The DF moves or carries tracker, and the carrier is not centred on its node.
bool KorDFUsesTracker(const KorDF* df, const KorTracker* tracker);

class KorNNDistance : public KorDimension {
public:
    // No trackers, no DFs, no orientation; the pass flag is set.
    KorNNDistance();
    ~KorNNDistance() override;

    KOREntityType GetType() const override { return KOR_DISTANCE; }

    // 0 (error 3) for equal nodes, 0 (error 13) when the model holds the same
    // dimension; without add the result is 1 and the caller registers it.
    KorHandle Create(KorModel* model, KorNode* node1, KorNode* node2, bool add);
    // Between the segment's ends, with the segment's orientation; not registered.
    bool Create(KorModel* model, KorSegment* segment);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    KORStatusType CalculateStatus() override;
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    KorTracker* GetTracker(KorNode* node) override;
    KorNode* GetOtherNode(KorNode* node) override;
    void GetOrientation(double& dx, double& dy, KorEntity* entity) override;
    void SetOrientation(double dx, double dy, KorEntity* entity) override;
    void CalculateOrientation() override;
    bool Adjust(KorDimSolution* solution) override;
    void SetFixedTrackers(KorNode* node, KorTracker* tracker) override;
    void RestoreDFState(KorDimSolution* solution) override;
    KorDF* GetDoubleNodeDF() override;

    // Walk over the DFs of node 1 and then node 2.
    virtual KorDF* GetNextDF(KorDF* df);
    virtual KorDF* Get1stDF();

    KorOrientation& GetOrientation() { return mOrientation; }
    void SetOrientation(KorOrientation& orientation);

    KorNode* GetNode1() const;
    KorNode* GetNode2() const;
    KorTracker* GetCarryingTracker() const { return mpTracker; }
    KorLinTracker* GetOwnTracker() const { return mpOwnTracker; }
    KorShiftGroup* GetShiftGroup() const { return mpShiftGroup; }
    KorDF* GetGroupShiftDF1() const { return mpGroupShiftDF1; }
    KorDF* GetGroupShiftDF2() const { return mpGroupShiftDF2; }
    bool IsSecondPass() const { return mbPass; }

protected:
    // The line tracker that carries both nodes: shared, found or made.
    void SetTracker(KorNode* node1, KorNode* node2);

private:
    KorDimSolution* WalkDFs(KorDF* start);
    KorDimSolution* SolveDF(KorDF* df);
    KorDimSolution* SolveWithLockDimensions();
    KorDimSolution* SolveWithTriple(KorDimension* lock);
    bool TryLockDimension(KorDimension* lock, KorNode* node, bool doubleNode,
                          KorDimSolution*& first, KorDimSolution*& second);
    KorDimSolution* CreateGroupShiftSolution(KorDF* df);
    bool CreateDoubleNodeSolution(KorDimension* lock, KorDimSolution*& first,
                                  KorDimSolution*& second);
    bool CreateInscribedSolution(KorNode* node, KorDimension* lock, KorDimSolution*& first,
                                 KorDimSolution*& second);
    KorDimSolution* CreateTripleSolution(KorDimension* lock, KorDimension* before);
    bool AdjustRadius(KorDimSolution* solution);
    bool AdjustGroupShift(KorDimSolution* solution);
    void OrientFromWall();
    void DeleteOwnTracker();

    KorTracker* mpTracker = nullptr;
    KorLinTracker* mpOwnTracker = nullptr;
    double mDx = 0.0;
    double mDy = 0.0;
    KorOrientation mOrientation;
    // Position in the DF list of the node being walked (an index: the list
    // may grow between calls).
    int mDFCursor = -1;
    KorDF* mpDoubleNodeDF = nullptr;
    KorDF* mpGroupShiftDF1 = nullptr;
    KorDF* mpGroupShiftDF2 = nullptr;
    KorShiftGroup* mpShiftGroup = nullptr;
    bool mbPass = true;
};

// Two nodes at distance 0.
class KorNodeCoincident : public KorNNDistance {
public:
    KorNodeCoincident();
    ~KorNodeCoincident() override;

    KOREntityType GetType() const override { return KOR_NODE_COINCIDENT; }

    // Registered, enabled, exact value 0.
    KorHandle Create(KorModel* model, KorNode* node1, KorNode* node2);

    using KorNNDistance::SetValue;
    // Refused: the value stays 0.
    bool SetValue(double value, KORDimensionType type, bool notify) override;
    double GetValue() override { return 0.0; }
    using KorNNDistance::Solve;
    // Falls back on a "nothing to do" solution with the stop DF.
    KorDimSolution* Solve(KorDF* df) override;
};

// A node-node distance whose value is a circle tracker's radius.
class KorNNTangentDistance : public KorNNDistance {
public:
    KorNNTangentDistance();
    ~KorNNTangentDistance() override;

    void SetCirTracker(KorCirTracker* tracker) { mpCirTracker = tracker; }
    KorCirTracker* GetCirTracker() const { return mpCirTracker; }
    double GetValue() override;

private:
    KorCirTracker* mpCirTracker = nullptr;
};
