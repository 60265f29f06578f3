// A full circle given by its centre node and a node on its rim, lying on a
// circular tracker.
#pragma once

#include "circle.h"
#include "kor_primitive.h"

class KorModel;

class KorCircle : public KorPrimitive {
public:
    KorCircle();
    ~KorCircle() override;

    KOREntityType GetType() const override { return KOR_CIRCLE; }
    // The tracker's circle; an empty circle while there is no tracker.
    geobject& GetGeometry() override;

    // KorPrimitive
    void SetTracker(KorTracker* t) override;
    void DetachTracker() override;
    point GetGeoCenter() override;
    KorNode* GetStart() const override { return mpStart; }
    KorNode* GetEnd() const override { return nullptr; }
    KorNode* GetCenter() const override { return mpCenter; }
    bool SameAs(KorPrimitive*) override { return false; }
    KorOrientation FindOrientation() override { return KorOrientation(); }
    bool IsCollapsed() override;
    bool IsValid() override;
    void ReplaceStart(KorNode* n) override { mpStart = n; }
    void ReplaceEnd(KorNode*) override {}
    void ReplaceCenter(KorNode* n) override { mpCenter = n; }
    KorTracker* CreateTracker() override;

    KorHandle Create(KorModel* model, KorNode* centre, KorNode* rim);
    // The tracker's radius; 0 without a tracker.
    float GetRadius() const;

protected:
    // The model's linear play (its default without a model).
    double LinearPlay() const;

    KorNode* mpCenter = nullptr;
    KorNode* mpStart = nullptr;

private:
    circle mDetached;  // answered as the geometry while there is no tracker
};
