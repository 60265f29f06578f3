// The circular carrier of circles and arcs: the circle their rim nodes lie on,
// with the node at its centre.
#pragma once

#include <vector>

#include "circle.h"
#include "kor_tracker.h"
#include "point.h"

class KorCircle;
class geolist;
class KorDF;
class KorDimension;
class KorTrackerSolution;
class line;

// Which of the two points where a node's circle meets another of its trackers
// the node sits on: 0 and 1 tell them apart, 2 and 3 come from a tracker's
// ray side, 4 means none.
enum KorIntersectionAttribute : int {
    KOR_INTERSECTION_FIRST = 0,
    KOR_INTERSECTION_SECOND = 1,
    KOR_INTERSECTION_NORTH_EAST = 2,
    KOR_INTERSECTION_SOUTH_WEST = 3,
    KOR_INTERSECTION_NONE = 4,
};

class KorCirTracker : public KorTracker {
public:
    KorCirTracker(KorModel* model, KorCircle* primitive);
    KorCirTracker(KorModel* model, KorNode* centre, double radius);
    ~KorCirTracker() override;

    KOREntityType GetType() const override;
    geobject& GetGeometry() override;
    circle& GetCircle() { return mGeometry; }
    const circle& GetCircle() const { return mGeometry; }

    void SetPosition(double x, double y) override;
    void ResetStatus(bool tell) override;
    void UpdateStatus(KORStatusType status, KorDimension* d, bool soft) override;
    void UpdateStatus(KORStatusType status, KorNode* n, bool soft) override;
    bool Devour(KorTracker* t) override;
    KorPrimitive* GetPrimitive(KorNode* start, KorNode* end) override;
    using KorTracker::GetPrimitive;
    bool Align(KorNode* n) override;
    KorTrackerSolution* Solve(KorTracker* a, KorTracker* b, KorTracker* c) override;
    KorTrackerSolution* Solve(KorDimension* d, KorDF* df, bool flag) override;
    KorTrackerSolution* Solve();
    KorTrackerSolution* Solve(KorNode* node, KorDF* df1, KorDF* df2);
    using KorTracker::Solve;
    bool AlignNodes(KorDimSolution* s) override;
    bool Adjust() override;
    bool Adjust(KorNode* n) override;
    bool Adjust(line& l1, line& l2, point& p);
    bool Adjust(circle& c1, const char* k1, circle& c2, const char* k2);
    bool Adjust(circle& c, const char* kc, line& l, const char* kl);
    bool Adjust(point& p, KorNode* n, KorNode* m);
    bool IsAdjustable(KorNode* n) override;
    bool WillBeUnmovable(KorNode* n) override;
    bool IsParallel(KorTracker* t, bool geometric) override;
    KorNode* GetCenter() const override { return mpCenter; }
    short GetNumOfUnknowns() override;
    bool IsGeoColinear(KorTracker* t) override;
    void SetupIntersectionAttributes() override;
    void Update() override;
    bool IsConsistent() override;

    KorIntersectionAttribute GetAttribute(KorNode* n, KorTracker* t) const;
    double GetRadius() const;

    // Placement of circles whose size is free.
    bool UpdateCenterRegion4XCircle(double d, polygon& region) override;
    bool UpdateCenterRegion4XCircle(point& p, point& q, double* minimum, double* maximum) override;
    bool UpdateCenterRegion4XCircle(KorNode* n, double* minimum, double* maximum,
                                    int count) override;
    bool UpdateCircle4Xme(point& p, line* l, circle& c) override;
    bool UpdateCircle4Xme(circle& c);
    bool Update(double radius);
    bool UpdateUnsized1Cir(std::vector<KorTracker*>& lines, std::vector<KorTracker*>& circles);
    bool UpdateUnsized2Cir(std::vector<KorTracker*>& others, std::vector<KorTracker*>& circles);
    bool SetupClamps(KorNode*& a, KorNode*& b, KorNode*& c, KorTrackerSet& clamps);
    bool Intersects(KorTrackerSet& clamps);
    void MoveCenter2Region(KorNode* n, double* minimum, double* maximum);
    void MoveCenter2Region(point& a, point& b, double* minimum, double* maximum);

    static int GetInterpolationDensity() { return mInterpolationDensity; }
    static void ResetGlobals();

private:
    void SetCenter(KorNode* n) override;
    static void SetIterpolationDensity(int density);

    bool IsCentreOnUnmovable() const;
    void RecomputeStatus();
    // A node takes hold: the centre status when it holds by the centre, else
    // the rim status with the node in the given slot.
    void HoldBy(bool byCentre, int centreStatus, int rimStatus, KorNode*& slot, KorNode* n);
    bool HasClampOf(KorNode* n) const;
    bool SetAboutThrough(const point& centre, const point& through);
    bool SetCircle(const circle& c);
    // The circle built from the list, kept only when it is finite.
    bool Refit(const geolist& list);
    point CentrePoint() const;
    bool MoveCentreNode(const point& p);
    bool AlignToAnchors(KorNode* n);
    void FindAnchors(KorNode* n, KorNode*& a, KorNode*& b, bool& fail) const;
    KorTracker* UnmovableCentreTracker() const;
    bool UpdateTwoHeld(double r, bool fixedRadius, bool centreHeld, KorTracker* t,
                       KorNode* a, KorNode* b, KorTrackerSet& clamps);
    bool UpdateOneHeldPolar(KorTracker* t, KorNode* a, KorTrackerSet& clamps);
    bool UpdateFixedRadiusRegion(double r, KorTracker* t, KorNode* a, KorTrackerSet& clamps);
    bool UpdateWithoutClamps(double r, bool fixedRadius, KorTracker* t, KorNode* a);
    bool UpdateHeldCentre(double r, bool fixedRadius, KorNode* a, KorTrackerSet& clamps);
    double FarthestClampDistance(KorTrackerSet& clamps, const point& p) const;

    circle mGeometry;
    KorNode* mpCenter = nullptr;
    std::vector<std::vector<KorIntersectionAttribute>> mIntersectionAttributes;
    // Set while the circle aligns to its anchors: a centre shared with
    // another circle hands the alignment back to this one.
    bool mbAligningToAnchors = false;

    static int mInterpolationDensity;
};

// Narrows the two chord-side ranges of a circle through two points whose
// centre lies at signed offset t from the chord's midpoint along the chord's
// left normal: the circle meets a tracker where a t^2 + b t + c <= 0. Range 0
// holds distances on the left, range 1 on the right; a negative lower bound
// means that the midpoint itself is admitted. True while a range is open.
// The frame of a chord p-q: its midpoint, half length and unit left normal.
// False for a chord of no length.
struct KorChordFrame {
    point mid;
    double half = 0.0;
    double nx = 0.0;
    double ny = 0.0;
};
bool KorChordFrameOf(const point& p, const point& q, KorChordFrame& frame);

bool KorClampChordOffsets(double* minimum, double* maximum, double a, double b, double c);
