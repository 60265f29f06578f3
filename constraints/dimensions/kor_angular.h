// The angle, in degrees, between two segments, measured at a centre node from
// a start node on the first segment's ray to an end node on the second's.
#pragma once

#include <cstdint>

#include "kor_dimension.h"
#include "kor_node.h"
#include "kor_orientation.h"

class KorLinTracker;
class KorModel;
class KorSegment;

class KorAngular : public KorDimension {
public:
    KorAngular();
    ~KorAngular() override;

    KOREntityType GetType() const override { return KOR_ANGLE; }

    // Error 3 for segments on one tracker, both trackers aligned, parallel
    // trackers, or no centre. The nodes are used when both are end nodes of
    // the segments, differ from each other and from the centre.
    KorHandle Create(KorModel* model, KorSegment* s1, KorSegment* s2, KorNode* startNode,
                     KorNode* endNode);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    void SetStatus(KORStatusType status, KorDF* df) override;
    KORStatusType CalculateStatus() override;
    bool SameAs(KorDimension* other) override;
    using KorDimension::Solve;
    KorDimSolution* Solve(KorDF* df) override;
    double GetImplementedValue() override;
    KorNode* GetOtherNode(KorNode* node) override;
    KorTracker* GetOtherTracker(KorTracker* tracker) override;
    void GetOrientation(double& dx, double& dy, KorEntity* entity) override;
    void CalculateOrientation() override;
    bool Adjust(KorDimSolution* solution) override;
    KorDimSolution* GetExtraSolution() override { return mpExtraSolution; }
    bool IsLastDF(KorDF* df) override;
    bool IsEqual(double a, double b) override;

    // Own virtual operations, in slot order.
    virtual KorTracker* GetCenterTracker();
    virtual void UpdateCenterTracker() {}
    virtual void UpdateVirtualRay(KorDF* df);
    virtual void SetupVirtualRays();

    KorNode* GetStartNode() const { return mpStartNode; }
    KorNode* GetEndNode() const { return mpEndNode; }
    KorNode* GetCenterNode() const { return mpCentre; }
    // The centre node made where the segments' lines cross away from their
    // nodes; null when there is none (or it is gone).
    KorNode* GetVirtualCenter() const;
    bool GetOrientation(KorTracker*) { return true; }
    bool AreRaysSet() const { return mbRaysSet; }
    KorDF* GetDF(int i) const;
    KorDF* GetDoubleRotateDF() const { return mpDoubleRotateDF; }
    KorLinTracker* GetFirstTracker() const;
    KorLinTracker* GetSecondTracker() const;
    void SwitchEndNode(KorNode* node);
    bool IsCongruent(KorAngular* other);
    KorDF* GetNextDF(KorDF* df, bool* contact);

protected:
    // The line trackers of the two arms.
    virtual KorLinTracker* FirstTracker() const;
    virtual KorLinTracker* SecondTracker() const;
    void CreateDFs(bool withDoubleRotate);
    void UpdateDoubleRotateDF();
    void DeleteDFs();
    // direction(from -> to) of `to` minus that of `from`, degrees in [0, 360).
    static double SweepAt(const point& vertex, const point& from, const point& to);
    bool AdjustCommon(KorDimSolution* solution);

    KorDF* mpDFs[4] = {nullptr, nullptr, nullptr, nullptr};
    KorDF* mpDoubleRotateDF = nullptr;
    KorNode* mpCentre = nullptr;
    std::uint64_t mVirtualCentreSerial = 0;
    KorNode* mpStartNode = nullptr;
    KorNode* mpEndNode = nullptr;
    KorDimSolution* mpExtraSolution = nullptr;
    double mDx = 0.0;
    double mDy = 0.0;
    KorOrientation mStartCode;
    KorOrientation mEndCode;
    bool mbStartFlag = false;
    bool mbEndFlag = false;
    bool mbRaysSet = true;
    KorTracker* mpCentreTracker = nullptr;
    KorTrackerSet mContacts;

private:
    bool SetupCenterNode(point& p);
    void SetupAngleNodes(const point& p);
    void ChooseAngleNodes(const point& p, KorNode* startNode, KorNode* endNode);
    bool CalculateObjectLine(KorDF* df, line& out, bool& flag);
    bool ContactTest(KorLinTracker* t);
    KorDimSolution* SolveDoubleRotate();
    bool AdjustDoubleRotate(KorDimSolution* solution);
    bool AdjustTurned(KorDimSolution* solution, line& moved, bool flag);
    bool MirrorFlippedNode(KorLinTracker* moved);
    void CalculateDirections(double& startOffset, double& endOffset);
};
