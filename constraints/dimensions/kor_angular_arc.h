// The angle an arc subtends at its centre, solved by turning the line
// trackers from the centre to the arc's end nodes.
#pragma once

#include <cstdint>

#include "kor_angular.h"

class KorArc;

class KorAngularArc : public KorAngular {
public:
    KorAngularArc();
    ~KorAngularArc() override;

    // Registered: the model's handle (0 and error 3 when refused); else 1.
    KorHandle Create(KorModel* model, KorArc* arc, bool registered);

    void Update(KorEntity* oldEntity, KorEntity* newEntity) override;
    double GetImplementedValue() override;
    KorTracker* GetOtherTracker(KorTracker*) override { return nullptr; }
    bool Adjust(KorDimSolution* solution) override;
    bool IsAdjacent(KorDimension*) override { return false; }
    KorTracker* GetCenterTracker() override;
    void UpdateCenterTracker() override;
    void UpdateVirtualRay(KorDF*) override {}

    KorLinTracker* GetStartRayTracker() const { return mpStartRay; }
    KorLinTracker* GetEndRayTracker() const { return mpEndRay; }

protected:
    KorLinTracker* FirstTracker() const override { return mpStartRay; }
    KorLinTracker* SecondTracker() const override { return mpEndRay; }

private:
    KorLinTracker* RayTracker(KorNode* node, std::uint64_t& ownSerial);
    KorLinTracker* Live(KorLinTracker* tracker, std::uint64_t serial) const;
    bool PlaceArmNode(KorDimSolution* solution);

    KorLinTracker* mpStartRay = nullptr;
    KorLinTracker* mpEndRay = nullptr;
    std::uint64_t mOwnStartRaySerial = 0;
    std::uint64_t mOwnEndRaySerial = 0;
    std::uint64_t mCentreTrackerSerial = 0;
};
