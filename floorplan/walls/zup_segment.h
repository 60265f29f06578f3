// A straight wall: a constraint segment with its floor-plan edge part.
#pragma once

#include "kor_segment.h"
#include "zup_edge.h"

class KorLinTracker;

class ZupSegment : public KorSegment, public ZupEdge {
public:
    explicit ZupSegment(ZupEdgeType type = ZUP_EDGE_FREE);
    // The edge part copied from another wall (see ZupEdge).
    explicit ZupSegment(ZupEdge* other);
    // Deletes the wall objects, tells the floor, then the segment goes.
    ~ZupSegment() override;

    // KorSegment::Create in the floor, then ZupEdge::Create; the handle or 0.
    KorHandle Create(ZupFloor* floor, KorNode* start, KorNode* end, KorLinTracker* tracker);
    using KorSegment::Create;

    // Both bases
    geobject& GetGeometry() override;
    point GetGeoCenter() override;
    KorNode* GetStart() const override;
    KorNode* GetEnd() const override;
    KorNode* GetCenter() const override { return nullptr; }
    // The extra rule of a wall too short to keep: its length from the linear play.
    KorDimension* Resolve() override;

    // ZupEdge
    ZupEdge* Divide(KorNode* node, bool colinear) override;
    KorTracker* GetTracker() const override;
    double GetRadius() const override { return 0.0; }
    KorPrimitive* GetPrimitive() override { return this; }
    bool IsAligned() override;

    // Hands the wall's alignment and parallels over to a partner so that the
    // other walls keep their relations without this one.
    void RemoveAlignment();
};
