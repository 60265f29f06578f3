// Two nodes symmetric about a node or a segment: two equal distances from
// the axis point and, about a segment, a perpendicular between the segment's
// tracker and the nodes' tracker.
#pragma once

#include <cstdint>

#include "kor_condition.h"
#include "kor_symmetry.h"

class KorLinTracker;
class KorModel;
class KorNNDistance;
class KorPerpendicular;

class KorNNSymmetry : public KorSymmetry, public KorCondition {
public:
    KorNNSymmetry();
    ~KorNNSymmetry() override;

    // Error 3 unless a, b and the axis (a node or a segment) are present and
    // pairwise different, and its distances can be made.
    KorHandle Create(KorModel* model, KorNode* a, KorNode* b, KorEntity* axis, bool registered);

    bool IsImplemented() override;
    bool IsNodeSymmetrySet(KorNode* a, KorNode* b, KorEntity* axis) override;
    KorDimaint* GetDimaint() override { return this; }

    void UpdateConfiguration();
    KorNNDistance* GetFirstDistance() const;
    KorNNDistance* GetSecondDistance() const;
    KorPerpendicular* GetPerpendicular() const;
    KorNode* GetMidNode() const;
    KorLinTracker* GetOwnTracker() const;
    KorEntity* GetReference() const { return mpReference; }

private:
    bool CreateAboutNode(KorNode* x, KorNode* a, KorNode* b);
    bool CreateAboutSegment(KorEntity* axis, KorNode* a, KorNode* b);
    bool MakeDistances(KorNode* from, KorNode* a, KorNode* b);
    void DeleteParts();

    KorLinTracker* mpOwnTracker = nullptr;
    KorNNDistance* mpFirst = nullptr;
    KorNNDistance* mpSecond = nullptr;
    KorPerpendicular* mpPerpendicular = nullptr;
    KorEntity* mpReference = nullptr;
    KorNode* mpMid = nullptr;
    // Owned helpers that others may delete first are looked up by creation serial.
    std::uint64_t mOwnTrackerSerial = 0;
    std::uint64_t mFirstSerial = 0;
    std::uint64_t mSecondSerial = 0;
    std::uint64_t mPerpendicularSerial = 0;
    std::uint64_t mMidSerial = 0;
    KorNode* mpNodeA = nullptr;
    KorNode* mpNodeB = nullptr;
};
