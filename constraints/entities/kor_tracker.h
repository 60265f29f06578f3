// The locus that nodes move on (a line or a circle), shared by the primitives
// that lie on it. While a dimension is solved the tracker keeps a solving
// status with the clamps that hold it, and tells how its nodes follow it.
#pragma once

#include <vector>

#include "kor_entity.h"
#include "kor_node.h"
#include "point.h"

class circle;
class line;
class polygon;
class KorColinear;
class KorDimension;
class KorDimSolution;
class KorPrimitive;
class KorTrackerSolution;

// One hold on a tracker, in the order applied: by a node (dimension null) or
// by a dimension (node null); a soft clamp holds the direction only.
struct KorClamp {
    KorNode* mpNode = nullptr;
    bool mbSoft = false;
    KorDimension* mpDimension = nullptr;
};

class KorTracker : public KorEntity {
public:
    ~KorTracker() override;
    KorTracker(const KorTracker&) = delete;
    KorTracker& operator=(const KorTracker&) = delete;

    // KorEntity: a movable tracker resets its status, an immovable one is fixed.
    void SetMovable(bool movable) override;

    // ---- Virtual operations after KorEntity's, in slot order ----
    virtual void ResetAlignment() {}
    virtual void SetPosition(double x, double y) = 0;
    virtual void ResetStatus(bool tell);
    virtual void UpdateStatus(KORStatusType status, KorDimension* d, bool soft) = 0;
    virtual void UpdateStatus(KORStatusType status, KorNode* n, bool soft) = 0;
    virtual bool Devour(KorTracker* t) = 0;
    virtual KorPrimitive* GetPrimitive(KorNode* a, KorNode* b) = 0;
    virtual bool Align(KorNode* n) = 0;
    virtual KorTrackerSolution* Solve(KorTracker* a, KorTracker* b, KorTracker* c);
    virtual KorTrackerSolution* Solve(KorDimension* d, KorDF* df, bool flag) = 0;
    virtual bool IsAligned() { return false; }
    virtual bool AlignNodes(KorDimSolution* s);
    virtual bool Adjust() = 0;
    virtual bool Adjust(KorNode* n) = 0;
    virtual bool IsAdjustable(KorNode* n) = 0;
    virtual bool WillBeUnmovable(KorNode* n) = 0;
    virtual bool IsParallel(KorTracker* t, bool geometric) = 0;
    virtual bool IsVertical() const { return false; }
    virtual bool IsHorizontal() const { return false; }
    virtual int GetNumOfParallels() const { return 0; }
    virtual KorNode* GetCenter() const = 0;
    virtual bool GetNorthEast(KorNode*) { return false; }
    virtual bool UpdateCenterRegion4XCircle(double d, polygon& region) = 0;
    virtual bool UpdateCenterRegion4XCircle(point& p, point& q, double* minimum,
                                            double* maximum) = 0;
    virtual bool UpdateCenterRegion4XCircle(KorNode* n, double* minimum, double* maximum,
                                            int count) = 0;
    virtual bool UpdateCircle4Xme(point& p, line* l, circle& c) = 0;
    virtual short GetNumOfUnknowns() = 0;
    virtual bool IsGeoColinear(KorTracker* t) = 0;
    virtual void SetupIntersectionAttributes() {}
    virtual point GetPointOnRay(KorNode*, point*) { return point(0.0, 0.0); }
    virtual void Update() = 0;
    virtual void UnCollapse(point&, bool) {}
    virtual bool IsConsistent();
    virtual bool IsGeoAligned(KOREntityType) { return false; }
    virtual bool IsPerpendicular(KorTracker*) { return false; }
    virtual bool IsGeoParallel(KorTracker*) { return false; }
    virtual bool IsGeoPerpendicular(KorTracker*) { return false; }
    virtual void Normalize() {}
    // A node that is being deleted: every reference to it goes (nodes,
    // coincident nodes, pivot, clamp node, ray node, clamps, centre). A kind
    // that keeps more per node extends it.
    virtual void ForgetNode(KorNode* n);

    // ---- Membership ----
    bool AddPrimitive(KorPrimitive* p);
    bool RemovePrimitive(KorPrimitive* p);
    int GetNumOfPrimitives() const { return static_cast<int>(mPrimitives.size()); }
    KorPrimitive* GetPrimitive(int i) const;
    KorPrimitive* GetPrimitive(KorNode* n) const;
    KorPrimitive* GetPrimitive(point& p) const;
    void AddNode(KorNode* n);
    void RemoveNode(KorNode* n);
    int GetNumOfNodes() const { return static_cast<int>(mNodes.size()); }
    KorNode* GetNode(unsigned i) const;
    KorNode* GetNode(point& p) const;
    bool HasNode(const KorNode* n) const;
    KorNode* GetCommonNode(KorTracker* t) const;
    // Null for a tracker without nodes.
    KorNode* GetMostDistantNode(geobject& g) const;
    void ReplaceNode(KorNode* oldNode, KorNode* newNode);
    void AddColinear(KorColinear* c);
    void RemoveColinear(KorColinear* c);
    int GetNumOfColinears() const { return static_cast<int>(mColinears.size()); }
    KorColinear* GetColinear(int i) const;
    void AddCoincident(KorNode* n);
    void RemoveCoincident(KorNode* n);
    int GetNumOfCoincidents() const { return static_cast<int>(mCoincidents.size()); }
    KorNode* GetCoincident(int i) const;
    void AttachNodes(KorTracker* t);
    short GetCirContacts(KorTrackerSet& s) const;

    // ---- Status and geometry queries ----
    KORStatusType GetStatus() const { return mStatus; }
    void SetStatus(KORStatusType status) { mStatus = status; }
    KOREntityType GetAlignment() const { return mAlignment; }
    KorNode* GetPivot() const { return mpPivot; }
    KorNode* GetClamp() const { return mpClamp; }
    const std::vector<KorClamp>& GetClamps() const { return mClamps; }
    KorNode* GetRay() const { return mpRay; }
    void ResetRay() { mpRay = nullptr; }
    bool IsFixed() const { return mStatus == static_cast<KORStatusType>(2); }
    bool IsFree(KorNode* n) const;
    bool IsRotatable() const;
    bool IsOrthogonal() const { return IsVertical() || IsHorizontal(); }
    float GetMinDistanceToPrimitives(point& p) const;
    bool IsCloseToPrimitives(point& p) const;

    // ---- Solving ----
    KorTrackerSolution* Solve(KorNode* a, KorTracker* ta, KorNode* b, KorTracker* tb);
    static void SetFixedNodes(KorNode* a, KorNode* b);
    static bool IsFixedNode(KorNode* n);

    // Nodes that a solution must not move during one solving step
    // (reset by KorResetGlobals).
    static KorNodeSet mFixedNodes;
    static void ResetGlobals();

protected:
    // Registers the tracker with the model.
    explicit KorTracker(KorModel* model);

    // A node of the solution stays collapsed: outside a drag one of its
    // primitives is collapsed and cannot be pushed off on this tracker.
    bool StaysCollapsed(KorNode* n);

    std::vector<KorPrimitive*> mPrimitives;
    std::vector<KorNode*> mNodes;
    KORStatusType mStatus{};
    std::vector<KorClamp> mClamps;
    KOREntityType mAlignment = KOR_EMPTY;
    KorNode* mpPivot = nullptr;
    KorNode* mpClamp = nullptr;
    std::vector<KorColinear*> mColinears;
    std::vector<KorNode*> mCoincidents;
    KorNode* mpRay = nullptr;

private:
    virtual void SetCenter(KorNode*) {}
};
