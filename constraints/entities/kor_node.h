// A point of the sketch. It lies on one or more trackers and moves only along
// them; its degrees of freedom (KorDF) tell the solver which tracker it slides
// on when another one moves.
#pragma once

#include <cstddef>
#include <set>
#include <vector>

#include "kor_df.h"
#include "kor_entity.h"
#include "point.h"

class angle;
class KorPrimitive;
class KorSegment;
class KorTracker;
class KorLinTracker;
class KorCirTracker;
class KorDimension;
class KorDimSolution;
struct KorClamp;

enum KorIntersectionAttribute : int;

// Sets of objects ordered by creation serial, never by address.
using KorTrackerSet = std::set<KorTracker*, KorSerialLess>;
using KorNodeSet = std::set<KorNode*, KorSerialLess>;

class KorNode : public KorEntity {
public:
    KorNode();
    ~KorNode() override;
    KorNode(const KorNode&) = delete;
    KorNode& operator=(const KorNode&) = delete;

    KOREntityType GetType() const override { return KOR_NODE; }
    geobject& GetGeometry() override { return mPosition; }

    // ---- Virtual operations after KorEntity's, in slot order ----
    virtual KorHandle Create(KorModel* model, double x, double y, KorMoveCallback callback,
                             bool named);
    virtual void SetPosition(double x, double y, bool invalidate, bool how);
    virtual bool Merge(KorNode*& other);
    virtual void Rotate(angle& a, point& centre);

    // ---- Geometry ----
    point& GetPoint() { return mPosition; }
    const point& GetPoint() const { return mPosition; }
    double& x() { return mPosition.x(); }
    double& y() { return mPosition.y(); }
    int ix() const { return mPosition.ix(); }
    int iy() const { return mPosition.iy(); }
    void GetShift(double* dx, double* dy) const;
    // Moves the node onto the geometry (its nearest point) without registering
    // a change; a result that is not finite is refused.
    void PlaceOn(geobject& g);
    KorMoveCallback GetCallback() const { return mCallback; }
    void SetCallback(KorMoveCallback callback) { mCallback = callback; }

    // ---- Primitives and trackers ----
    void AddPrimitive(KorPrimitive* p);
    void RemovePrimitive(KorPrimitive* p, bool withTracker);
    bool AddTracker(KorTracker* t);
    bool RemoveTracker(KorTracker* t);
    bool AddCoincident(KorPrimitive* p);
    void RemoveCoincident(KorPrimitive* p);
    short GetNumOfCoincidents() const { return static_cast<short>(mCoincidents.size()); }
    KorPrimitive* GetCoincident(unsigned i) const;
    short GetNumOfPrimitives() const { return static_cast<short>(mPrimitives.size()); }
    KorPrimitive* GetPrimitive(unsigned i) const;
    unsigned GetNumOfTrackers() const { return static_cast<unsigned>(mTrackers.size()); }
    // Null when i is out of range.
    KorTracker* GetTracker(short i) const;
    KorTracker* GetIntersectionTracker() const { return mpIntersectionTracker; }
    bool BelongTo(KorTracker* t) const;

    // ---- Degrees of freedom ----
    short GetNumOfDFs() const { return static_cast<short>(DFs().size()); }
    KorDF* Get1stDF(KorDF**& cursor);
    KorDF* GetNextDF(KorDF**& cursor);
    bool IsLastDF(KorDF* df) const;
    KorDF** GetDFCounter(KorDF* df);
    // The carrier argument takes no part in the match (only a non-null carrier).
    KorDF* GetDF(KorTracker* moved, KorTracker* carrier) const;
    KorDF* GetDF(unsigned i) const { return i < DFs().size() ? mDFs[i] : nullptr; }

    // ---- Locks and status ----
    bool IsUnique(std::vector<KorClamp>& clamps, KorClamp* upTo) const;
    void SetLock(KorTracker* t, bool lock);
    short GetLock(KorTracker* t) const;
    short GetLock(KorTracker** position) const;
    short GetLock(std::nullptr_t) const { return mOwnLock; }
    void ResetStatus();
    void UpdateStatus(KORStatusType status, KorNode* other, KorTracker* own);
    KORStatusType GetStatus() const { return mStatus; }
    void SetStatus(KORStatusType status) { mStatus = status; }

    // ---- Solving queries ----
    KorTracker* Solve(KorTracker* moved, KorTracker* carrier);
    KorTracker* Solve(KorTracker* moved, KorTracker* carrier, KorNode* dfNode, KorNode* other,
                      bool own);
    bool CalculatePosition(KorTracker* a, KorTracker* b);
    bool Align(KorTracker* t);
    bool Adjust(KorTracker* t);
    bool Adjust(KorTracker* moved, KorTracker* carrier, KorDimSolution* s);
    bool AdjustTrackers(KorTracker* except);
    bool AddAdjustmentTrackers(KorTracker* except);
    bool IsAdjustable(KorTracker* t);
    bool CreateDoubleSolution(KorDimension* d1, KorDimSolution*& s1, KorDimension* d2,
                              KorDimSolution*& s2);
    void SetFixedTrackers(KorNode* other, KorTracker* except);
    static void SetFixedTrackers(KorTracker* a, KorTracker* b, KorTracker* c);
    static void AddFixedTracker(KorTracker* t);
    static bool IsFixedTracker(KorTracker* t);

    // ---- Queries on neighbours ----
    KorTracker* GetCommonTracker(KorNode* other) const;
    KorLinTracker* GetCommonLinTracker(KorNode* other) const;
    KorCirTracker* GetCommonCirTracker(KorNode* other) const;
    KorLinTracker* GetCommonGeoLinTracker(KorNode* other) const;
    KorLinTracker* GetParallelTracker(KorTracker* t) const;
    KorPrimitive* GetPrimitive(KorNode* other) const;
    KorTracker* GetOtherTracker(KorTracker* t) const;
    KorPrimitive* GetOtherPrimitive(KorPrimitive* p) const;
    KorTracker* GetInscribedTracker(KorCirTracker* c) const;
    KorPrimitive* GetImplicitColinear(KorSegment* s) const;
    KorTracker* GetAlignedTracker(KOREntityType type) const;
    KorTracker* GetUnmovableTracker(KorTracker* a, KorTracker* b, bool strict) const;
    KorTracker* GetUnmovableTracker(KorDimension* d1, KorDimension* d2) const;
    KorPrimitive* GetCollapsed() const;
    bool UnCollapse(KorTracker* t);
    bool IsConsistent() const;
    bool IsCloseToPrimitives(point& p) const;
    bool EasyToAdjust() const;
    KorIntersectionAttribute CalculateIntersectionAttribute(KorCirTracker* c, short i);

    // ---- Process-wide solving scratch (reset by KorResetGlobals) ----
    static KorTrackerSet mFixedTrackers;
    static bool mbRepeatAlignment;
    static void ResetGlobals();

protected:
    // After a move: reports a change beyond GeoSnap to the callback and the
    // model; false (nothing done) for a smaller one.
    bool RegisterChange();

private:
    int IndexOfTracker(const KorTracker* t) const;
    bool IsCentreOf(const KorTracker* t) const;
    // The centre point of a circular tracker's circle (the centre node's
    // position for any other tracker that has one).
    static point CentrePoint(KorTracker* t);
    bool IsAtCentreOf(KorTracker* t) const;
    bool IsOnGeometry(KorTracker* t) const;
    void ProjectOnto(KorTracker* t);
    void DeleteDFsOf(KorTracker* t);
    // The DFs, without those of trackers that left since the last look.
    std::vector<KorDF*>& DFs() const;
    void UpdateStatusOnTrackers(KORStatusType status, KorNode* other, KorTracker* own);
    void UpdateStatusOnOneTracker(KORStatusType status, KorNode* other);
    KorTracker* CheckOtherTrackers(KorTracker* moved, KorTracker* carrier, bool chosenHere);
    bool PlaceOnTwo(KorTracker* t, KorTracker* f, KorTracker* s,
                    std::vector<KorTracker*>& follow, const point& saved);
    point ChooseOfTwo(KorTracker* a, KorTracker* b, const point& first, const point& second);
    bool PlaceOnOne(KorTracker* t, KorTracker* f, std::vector<KorTracker*>& follow);
    bool AlignFollowers(std::vector<KorTracker*>& follow, KORStatusType oldStatus);
    KorTracker* ChooseAdjustCarrier(KorTracker* t, bool& refused);

    point mPosition;
    point mPrevPosition;
    KorMoveCallback mCallback = nullptr;
    std::vector<KorPrimitive*> mPrimitives;
    std::vector<KorTracker*> mTrackers;
    KORStatusType mStatus{};
    mutable std::vector<KorDF*> mDFs;
    // Trackers whose DFs are still to go (DeleteDFsOf); compared by address
    // only, never followed.
    mutable std::vector<KorTracker*> mLeavingTrackers;
    std::vector<short> mLocks;
    short mOwnLock = 0;
    std::vector<KorPrimitive*> mCoincidents;
    KorTracker* mpIntersectionTracker = nullptr;
};
