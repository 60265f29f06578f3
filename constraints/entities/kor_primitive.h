// Base of the drawn elements between nodes (segments, circles, arcs): the
// tracker they lie on, the orientation code that tells when one turned inside
// out, and the count of colinear constraints that use it.
#pragma once

#include <initializer_list>

#include "kor_entity.h"
#include "kor_orientation.h"
#include "point.h"

class KorNode;
class KorTracker;
class KorDimension;

class KorPrimitive : public KorEntity {
public:
    ~KorPrimitive() override;
    KorPrimitive(const KorPrimitive&) = delete;
    KorPrimitive& operator=(const KorPrimitive&) = delete;

    bool IsPrimitive() const override { return true; }
    void UpdateDimaints(KorNode* oldNode, KorNode* newNode) override;
    void SetMovable(bool movable) override;

    // ---- Virtual operations after KorEntity's, in slot order ----
    virtual void SetTracker(KorTracker* t) = 0;
    virtual void DetachTracker() = 0;
    virtual point GetGeoCenter() = 0;
    virtual KorNode* GetStart() const = 0;
    virtual KorNode* GetEnd() const = 0;
    virtual KorNode* GetCenter() const { return nullptr; }
    virtual KOREntityType GetAlignment() const { return KOR_EMPTY; }
    virtual bool SameAs(KorPrimitive* p) = 0;
    virtual KorOrientation FindOrientation() = 0;
    virtual bool IsCollapsed() = 0;
    virtual bool IsValid() = 0;
    virtual void ReplaceStart(KorNode* n) = 0;
    virtual void ReplaceEnd(KorNode* n) = 0;
    virtual void ReplaceCenter(KorNode* n) = 0;
    virtual KorTracker* CreateTracker() = 0;
    // The extra rule the solver asks of an invalid primitive; none here.
    virtual KorDimension* Resolve() { return nullptr; }

    KorTracker* GetTracker() const { return mpTracker; }
    KorOrientation GetOrientation() const { return mOrientation; }
    void SetOrientation(const KorOrientation& orientation) { mOrientation = orientation; }
    void SetOrientation() { mOrientation = FindOrientation(); }
    void IncreaseColinearityCount() { ++mColinearityCount; }
    void DecreaseColinearityCount() { --mColinearityCount; }
    short GetColinearityCount() const { return mColinearityCount; }

    bool IsReversed();
    KorNode* GetOtherNode(KorNode* n) const;
    KorNode* GetCommonNode(KorPrimitive* p) const;
    void SetStart(KorNode* n);
    void SetEnd(KorNode* n);
    bool ReplaceNode(KorNode* oldNode, KorNode* newNode, bool withTracker);
    void Merge(KorPrimitive* p);
    void SetPosition(double x, double y, bool how);

protected:
    // A tracker that dies while still carrying a primitive clears its pointer.
    friend class KorTracker;

    KorPrimitive() = default;

    // Lets the tracker go; deletes it when it carries no primitive any more,
    // else has it re-derive its alignment. Leaves mpTracker null.
    void ReleaseTracker();
    // SetTracker's common part: the old tracker is detached, t taken, and each
    // listed node that t was not yet on joins it.
    void JoinTracker(KorTracker* t, std::initializer_list<KorNode*> listed);
    // DetachTracker's common part: the tracker becomes null; the centre lets
    // it go, each listed node lets it go and leaves its nodes.
    void LeaveTracker(KorNode* centre, std::initializer_list<KorNode*> listed);

    KorTracker* mpTracker = nullptr;
    KorOrientation mOrientation;
    short mColinearityCount = 0;
};
