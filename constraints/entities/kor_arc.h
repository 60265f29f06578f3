// A circular arc from a start node to an end node about a centre node, lying
// on a circular tracker.
#pragma once

#include "arc.h"
#include "kor_circle.h"

class KorCirTracker;

class KorArc : public KorCircle {
public:
    KorArc();
    ~KorArc() override;

    KOREntityType GetType() const override { return KOR_ARC; }
    // Rebuilt from the centre, start and end positions on every call.
    geobject& GetGeometry() override;

    // KorPrimitive
    void SetTracker(KorTracker* t) override;
    void DetachTracker() override;
    point GetGeoCenter() override;
    KorNode* GetEnd() const override { return mpEnd; }
    bool SameAs(KorPrimitive*) override { return false; }
    KorOrientation FindOrientation() override;
    bool IsCollapsed() override;
    bool IsValid() override;
    void ReplaceEnd(KorNode* n) override { mpEnd = n; }

    // Added after KorPrimitive's slots.
    virtual KorHandle Create(KorModel* model, KorNode* centre, KorNode* start, KorNode* end,
                             KorCirTracker* t);

    // The sweep from start to end, in degrees (0 to 360).
    double GetSweep();

private:
    KorNode* mpEnd = nullptr;
    arc mGeometry;
};
