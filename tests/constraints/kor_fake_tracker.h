// A minimal concrete tracker for tests of the tracker base and of nodes: a
// line or a circle that answers every solver question with the simplest
// result and records the status calls it receives.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "circle.h"
#include "kor_node.h"
#include "kor_test_model.h"
#include "kor_tracker.h"
#include "line.h"
#include "point.h"

class KorFakeTracker : public KorTracker {
public:
    // A line tracker through two points.
    KorFakeTracker(KorModel* model, const point& a, const point& b)
        : KorTracker(model), mLine(a, b), mbCircle(false)
    {
    }
    // A circular tracker about a centre node.
    KorFakeTracker(KorModel* model, KorNode* centre, double radius)
        : KorTracker(model), mCircle(centre->GetPoint(), radius), mbCircle(true),
          mpCentre(centre)
    {
    }

    // Neither tracker type code: no caller mistakes it for a real kind.
    KOREntityType GetType() const override { return KOR_EMPTY; }
    geobject& GetGeometry() override
    {
        if (mbCircle)
            return mCircle;
        return mLine;
    }
    void SetPosition(double x, double y) override { mLine = point(x, y); }
    void UpdateStatus(KORStatusType, KorDimension*, bool) override {}
    void UpdateStatus(KORStatusType status, KorNode* n, bool soft) override
    {
        mStatusCalls.push_back({n, soft});
        if (status == static_cast<KORStatusType>(2))
            mClamps.push_back(KorClamp{n, soft, nullptr});
    }
    bool Devour(KorTracker*) override { return false; }
    KorPrimitive* GetPrimitive(KorNode*, KorNode*) override { return nullptr; }
    using KorTracker::GetPrimitive;
    bool Align(KorNode*) override { return !mbRefuseAlign; }
    KorTrackerSolution* Solve(KorDimension*, KorDF*, bool) override { return nullptr; }
    using KorTracker::Solve;
    bool Adjust() override { return true; }
    bool Adjust(KorNode*) override { return true; }
    bool IsAdjustable(KorNode*) override { return true; }
    bool WillBeUnmovable(KorNode*) override { return false; }
    bool IsParallel(KorTracker*, bool) override { return false; }
    KorNode* GetCenter() const override { return mpCentre; }
    bool UpdateCenterRegion4XCircle(double, polygon&) override { return false; }
    bool UpdateCenterRegion4XCircle(point&, point&, double*, double*) override { return false; }
    bool UpdateCenterRegion4XCircle(KorNode*, double*, double*, int) override { return false; }
    bool UpdateCircle4Xme(point&, line*, circle&) override { return false; }
    short GetNumOfUnknowns() override { return mbCircle ? 1 : 2; }
    bool IsGeoColinear(KorTracker*) override { return false; }
    void Update() override {}

    // Test access to the solving state.
    void Hold(KORStatusType status, KorNode* pivot)
    {
        mStatus = status;
        mpPivot = pivot;
    }

    std::vector<std::pair<KorNode*, bool>> mStatusCalls;
    bool mbRefuseAlign = false;

private:
    void SetCenter(KorNode* n) override { mpCentre = n; }

    line mLine;
    circle mCircle;
    bool mbCircle;
    KorNode* mpCentre = nullptr;
};

// A model with nodes created in it and fake trackers owned by the test.
class KorTrackerFixture : public KorModelFixture {
protected:
    void TearDown() override
    {
        mTrackers.clear();
        KorModelFixture::TearDown();
    }

    KorNode* Node(double x, double y, KorMoveCallback callback = nullptr)
    {
        auto* n = new KorNode();
        n->Create(&mModel, x, y, callback, true);
        return n;
    }
    KorFakeTracker* Line(const point& a, const point& b)
    {
        mTrackers.push_back(std::make_unique<KorFakeTracker>(&mModel, a, b));
        return mTrackers.back().get();
    }
    KorFakeTracker* Circle(KorNode* centre, double radius)
    {
        mTrackers.push_back(std::make_unique<KorFakeTracker>(&mModel, centre, radius));
        return mTrackers.back().get();
    }
    // Puts the node on the tracker the way primitives do (both sides).
    static void Attach(KorNode* n, KorTracker* t)
    {
        if (n->AddTracker(t) && t->GetCenter() != n)
            t->AddNode(n);
    }

    KorModel mModel;
    // Declared after the model: the trackers go before the model's nodes.
    std::vector<std::unique_ptr<KorFakeTracker>> mTrackers;
};
