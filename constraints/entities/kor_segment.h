// A straight primitive between two nodes, lying on a line tracker.
#pragma once

#include "angle.h"
#include "kor_primitive.h"
#include "segment.h"

class KorColinear;
class KorLinTracker;
class KorModel;

class KorSegment : public KorPrimitive {
public:
    KorSegment();
    ~KorSegment() override;

    KOREntityType GetType() const override { return KOR_SEGMENT; }
    // Rebuilt from the two nodes' positions on every call.
    geobject& GetGeometry() override;
    bool IsMovable() const override;

    // KorPrimitive
    void SetTracker(KorTracker* t) override;
    void DetachTracker() override;
    point GetGeoCenter() override;
    KorNode* GetStart() const override { return mpStart; }
    KorNode* GetEnd() const override { return mpEnd; }
    KOREntityType GetAlignment() const override { return mAlignment; }
    bool SameAs(KorPrimitive* p) override;
    KorOrientation FindOrientation() override;
    bool IsCollapsed() override;
    bool IsValid() override;
    void ReplaceStart(KorNode* n) override { mpStart = n; }
    void ReplaceEnd(KorNode* n) override { mpEnd = n; }
    void ReplaceCenter(KorNode*) override {}
    KorTracker* CreateTracker() override;

    // Added after KorPrimitive's slots.
    virtual KorHandle Create(KorModel* model, KorNode* a, KorNode* b, KorLinTracker* t);

    bool SetAlignment(KOREntityType alignment);
    void SetImplicitColinear();
    void RemoveImplicitColinear();
    // The implicit colinear held at node n (start or end); null otherwise.
    KorColinear* GetImplicitColinear(KorNode* n) const;
    // Drops the pointer without deleting (the neighbour deleted it).
    void ForgetImplicitColinear(KorColinear* c);
    void Reverse();
    angle GetAngle();
    double GetLength();

private:
    // The model deletes its constraints on its own (Clear, RemoveObject): an
    // implicit colinear it no longer lists is gone and must not be touched.
    bool IsLive(const KorColinear* c) const;

    KorNode* mpStart = nullptr;
    KorNode* mpEnd = nullptr;
    KOREntityType mAlignment = KOR_EMPTY;
    KorColinear* mpStartColinear = nullptr;
    KorColinear* mpEndColinear = nullptr;
    segment mGeometry;
};
