// A curved wall: a constraint arc with its floor-plan edge part.
#pragma once

#include "kor_arc.h"
#include "zup_edge.h"

class KorCirTracker;

class ZupArc : public KorArc, public ZupEdge {
public:
    explicit ZupArc(ZupEdgeType type = ZUP_EDGE_FREE);
    // The edge part copied from another wall (see ZupEdge).
    explicit ZupArc(ZupEdge* other);
    ~ZupArc() override;

    // KorArc::Create in the floor, then ZupEdge::Create; the handle or 0.
    KorHandle Create(ZupFloor* floor, KorNode* centre, KorNode* start, KorNode* end,
                     KorCirTracker* tracker);
    using KorArc::Create;

    // Both bases
    geobject& GetGeometry() override;
    // The midpoint of the end and start points.
    point GetGeoCenter() override;
    KorNode* GetStart() const override;
    KorNode* GetEnd() const override;
    KorNode* GetCenter() const override;
    // A collapsed arc keeps its radius, any other its sweep.
    KorDimension* Resolve() override;

    // ZupEdge
    ZupEdge* Divide(KorNode* node, bool colinear) override;
    KorTracker* GetTracker() const override;
    double GetRadius() const override;
    KorPrimitive* GetPrimitive() override { return this; }

    // Where the tangents at the start and at the end meet.
    point GetGeoFocus();
};
