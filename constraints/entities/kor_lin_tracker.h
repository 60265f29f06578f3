// The straight carrier of segments: colinear segments share one, and its
// alignment holds vertical and horizontal constraints.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "kor_tracker.h"
#include "line.h"
#include "point.h"

class angle;
class circle;
class KorDF;
class KorDimension;
class KorParallel;
class KorSegment;
class KorTrackerSolution;

class KorLinTracker : public KorTracker {
public:
    KorLinTracker(KorModel* model, KorSegment* s);
    KorLinTracker(KorModel* model, KorNode* a, KorNode* b);
    KorLinTracker(KorModel* model, KorNode* a);
    KorLinTracker(KorModel* model, KorNode* a, KOREntityType alignment);
    KorLinTracker(KorModel* model, KorNode* a, KorLinTracker* parallelTo);
    ~KorLinTracker() override;

    KOREntityType GetType() const override;
    geobject& GetGeometry() override;
    line& GetLine() { return mLine; }
    // The geometry library places and measures points on a line whose slope
    // is below GeoDif as on the horizontal at its axis value. A line laid
    // through a point with such a slope is laid so that the library, too,
    // takes the point to be on it: horizontal through it while the model
    // asks for strict directions, else keeping its slope.
    static void PlaceThrough(line& l, const point& through, const KorModel* model);
    // The line's direction in degrees, in (-90, 90], and the line itself, as
    // the library places points on it.
    static double PlacedDegrees(const line& l);
    static line AsPlaced(const line& l);
    const line& GetLine() const { return mLine; }

    // Alignment and parallels.
    bool SetAlignment(KOREntityType alignment);
    void ResetAlignment() override;
    KOREntityType FindAlignment() const;
    void AddParallel(KorParallel* parallel);
    void RemoveParallel(KorParallel* parallel);
    int GetNumOfParallels() const override;
    void ForgetNode(KorNode* n) override;
    KorParallel* GetParallel(int i) const { return mParallels[i]; }
    bool IsParallelConstrained(KorLinTracker* t) const;

    // Geometry queries.
    bool IsVertical() const override;
    bool IsHorizontal() const override;
    bool IsVertical(const angle& play) const;
    bool IsHorizontal(const angle& play) const;
    bool IsGeoAligned(KOREntityType type) override;
    bool IsGeoParallel(KorTracker* t) override;
    bool IsGeoPerpendicular(KorTracker* t) override;
    bool IsGeoColinear(KorTracker* t) override;
    bool IsParallel(KorTracker* t, bool geometric) override;
    bool IsPerpendicular(KorTracker* t) override;
    bool IsAligned() override;
    short GetNumOfUnknowns() override;
    KorPrimitive* GetPrimitive(KorNode* a, KorNode* b) override;
    using KorTracker::GetPrimitive;
    KorNode* GetCenter() const override { return nullptr; }

    // Moving the line.
    void SetPosition(double x, double y) override;
    void Update() override;
    void UnCollapse(point& p, bool back) override;
    bool Align(KorNode* n) override;
    bool Align(KorNode* a, KorNode* b);
    bool Adjust() override;
    bool Adjust(KorNode* n) override;
    bool IsAdjustable(KorNode* n) override;
    bool WillBeUnmovable(KorNode* n) override;
    bool Devour(KorTracker* t) override;

    // Status.
    void UpdateStatus(KORStatusType status, KorDimension* d, bool soft) override;
    void UpdateStatus(KORStatusType status, KorNode* n, bool soft) override;

    // Solving.
    KorTrackerSolution* Solve(KorDimension* d, KorDF* df, bool forceTurn) override;
    KorTrackerSolution* Solve(KorNode* held, KorTracker* carrier, KorNode* other);
    KorTrackerSolution* Solve(KorTracker* carrier, KorNode* held, bool mayTurn);
    using KorTracker::Solve;
    KorTracker* GetSubject(KorNode* n, KorTrackerSolution* s) const;

    // Rays and circles touching the line.
    void SetupVirtualRays(KorNode* ray, KorNode* ref, bool side);
    bool GetNorthEast(KorNode* n) override;
    point GetPointOnRay(KorNode* n, point* p) override;
    bool GetSafeRegion(point& a, point& b);
    bool GetSafeRegion(KorTrackerSet& s, point& a, point& b);
    static point GetSafeCenter(KorTrackerSet& s);
    static point GetMidPoint(circle& c1, circle& c2);
    point GetPivot(point& p, double d);
    using KorTracker::GetPivot;

    // Placement of circles whose size is free.
    bool UpdateCenterRegion4XCircle(double d, polygon& region) override;
    bool UpdateCenterRegion4XCircle(point& p, point& q, double* minimum, double* maximum) override;
    bool UpdateCenterRegion4XCircle(KorNode* n, double* minimum, double* maximum,
                                    int count) override;
    bool UpdateCircle4Xme(point& p, line* l, circle& c) override;

    // Offset of p from the line: positive above it (right of a vertical one).
    double SignedOffset(const point& p) const;

private:
    // In a drag, the line through the dragged node keeps its direction and
    // the node at its other end comes onto it; false where that cannot be.
    bool KeepDirectionAtPen(KorNode* n);
    void AttachNode(KorNode* n);
    void RecomputeStatus();
    void SetThroughPoints(const point& a, const point& b);
    bool FollowPlacedNodes(KorNode* n, KorNode* pivot, std::vector<KorTracker*>* circles);
    bool IsParallelConstrained(KorLinTracker* t, std::set<const KorParallel*>& visiting) const;
    bool IsAligned(std::set<const KorParallel*>& visiting);
    bool HasParallelAngle(KorLinTracker* t);
    bool NodeHoldsTurn(KorNode* n) const;
    KorTracker* CentreCarrier(KorNode* n) const;
    // The entries every solve gives alike: a centre follows its circle, a
    // node on this tracker alone has none (a lock on it may fail the solve).
    enum class PlainEntry { kNone, kAdded, kFailed };
    PlainEntry AddPlainEntry(KorNode* n, KorTrackerSolution* s, bool lockFails) const;

    line mLine;
    std::vector<KorParallel*> mParallels;
    std::map<KorNode*, bool, KorSerialLess> mSideFlags;
};
