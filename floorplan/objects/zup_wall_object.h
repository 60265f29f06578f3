// An object lying in a wall: a short straight wall piece whose end nodes sit
// on the host wall's tracker, placed along it by a position and a width
// dimension; the wall drawing leaves a hole where it stands.
#pragma once

#include <utility>

#include "zup_object.h"
#include "zup_segment.h"

class line;
class KorDimension;
class KorNNDistance;
class ZupNode;
class ZupWallSurface;

class ZupWallObject : public ZupSegment, public ZupObject {
public:
    ZupWallObject(const ZupWallObject&) = delete;
    ZupWallObject& operator=(const ZupWallObject&) = delete;
    // Leaves the host wall and deletes the nodes it created itself.
    ~ZupWallObject() override;

    // ---- Virtual operations added after KorSegment's, in slot order ----
    virtual bool Create(ZupFloor* floor, point& a, point& b, line* hint);
    // Places the object on the wall under p; with snapToEnd a point within the
    // input snap of a wall end makes it a corner on that node.
    virtual bool Create(ZupFloor* floor, point& p, line* hint, bool snapToEnd);
    // Binds the object to two existing nodes (the command-script form).
    virtual bool Create(ZupNode* first, ZupNode* second, int type, int depth);
    virtual ZupEdge* GetEdge() { return mpHostEdge; }
    virtual ZupWallObject* Clone(ZupFloor* floor) = 0;
    virtual void Replicate(ZupWallObject* other);
    virtual void Draw(void*) {}
    virtual void FillInterior(void*) {}
    virtual bool HasInterior() { return false; }
    virtual point GetWallHoleStart(ZupEdge* edge, int);
    virtual point GetWallHoleEnd(ZupEdge* edge, int);
    virtual bool NeedAlignment() { return false; }

    // ---- KorSegment / ZupEdge ----
    point GetGeoCenter() override;
    KorNode* GetStart() const override;
    KorNode* GetEnd() const override;
    bool IsExternal() override;
    ZupPartition* GetOtherPartition(ZupPartition* room) override;

    // ---- ZupObject ----
    std::string GetVCRLine() override;
    bool IsWallObject() override { return true; }
    angle GetInDir() override;
    std::string GetName() override;
    void ModifyExtents() override {}
    bool NeedOpening(ZupEdge* edge) override;
    float GetWidth() override;
    int GetType() override { return ZupObject::GetType(); }
    void SetType(int type) override { ZupObject::SetType(type); }
    bool IsCorner() override;
    point GetObjectCenter() override;
    polygon& GetContour() override;
    void SetUndimensioned() override;
    bool IsFullEdge() override;
    ZupFloor* GetFloor() override;

    // The room holding the object, and the rooms on the host wall's sides.
    using ZupObject::GetPartition;
    using ZupEdge::GetPartition;

    // ---- Placement ----
    void SetEdge(ZupEdge* edge);
    void CreateEndNodes();
    void CreateStart(point p);
    void CreateEnd(point p);
    // Keeps the start the end nearer to the host wall's start.
    void ValidateEnds();
    // True when the object ends on the node or owns it.
    bool StandsOn(const KorNode* node) const;
    // The node is going: the object drops it (and its dimensions on it) and
    // makes both ends again on its wall when next asked.
    void ForgetNode(KorNode* node);
    // The dimension is going: the object no longer holds it.
    void ForgetDimension(const KorDimension* dimension);
    void SetPosition(double x, double y);
    void SetCenterPosition(float width);
    KorNode* GetWallStart();
    KorNode* GetWallEnd();
    KorHandle GetStartHandle();
    KorHandle GetEndHandle();
    ZupWallSurface* GetWallSurface() const { return mpWallSurface; }
    point GetCenterPoint() const { return mCenter; }

    // ---- Dimensions and rules ----
    KorNNDistance* CreatePosDimension(KorNode* from, float value);
    KorNNDistance* CreateWidthDimension();
    // (violated, rule to add and resolve); nothing is moved here.
    std::pair<bool, KorNNDistance*> ValidatePosition();
    KorNNDistance* CreateRule(KorNode* a, KorNode* b);
    void ResetDimensions();
    KorNNDistance* GetPosDimension() const { return mpPosDimension; }
    KorNNDistance* GetWidthDimension() const { return mpWidthDimension; }
    int GetAttachedWindowType() const { return mAttachedWindowType; }
    void SetAttachedWindowType(int type) { mAttachedWindowType = type; }
    static int GetUODWindowType(std::uint32_t word) { return static_cast<int>((word >> 24) & 0xF); }
    void SetUODWindowType(unsigned& word) { word += ClampField(mAttachedWindowType, 4) << 24; }

    // ---- Queries ----
    bool IsLeftToRight(angle& inDir);
    void GetCornerEdges(ZupEdge*& first, ZupEdge*& second);
    float GetHalfWindowThickness();

protected:
    // The concrete classes pass null nodes.
    ZupWallObject(ZupFloor* floor, ZupNode* start, ZupNode* end);

    // The attribute word of the object line: type, depth, panes and window type.
    virtual unsigned GetAttributeWord();
    // Binding to existing nodes after the placement made the object a corner.
    void TakeCornerLengthDims(ZupNode* first, ZupNode* second);
    void TakeNodes(ZupNode* first, ZupNode* second);
    KorNode* OwnNodeAt(point p, KorNode*& own);
    KorNNDistance* DimensionBetween(KorNode* a, KorNode* b);
    KorNode* NearerWallNode(KorNode* own, bool atStart);
    KorNNDistance* NewDistance(KorNode* a, KorNode* b);
    void SnapToWallEnd(const point& p, double snap);
    // A node of the script becomes the object's own when nothing else holds it.
    bool CanOwn(ZupNode* node);
    void DeleteOwnNodes();
    point WallHoleEnd(ZupEdge* edge, bool atStart);

    ZupEdge* mpHostEdge = nullptr;
    ZupWallSurface* mpWallSurface = nullptr;
    KorNode* mpOwnStart = nullptr;
    KorNode* mpOwnEnd = nullptr;
    point mCenter;
    KorNNDistance* mpPosDimension = nullptr;
    KorNNDistance* mpWidthDimension = nullptr;
    int mAttachedWindowType = 0;
    ZupFloor* mpOwnFloor = nullptr;
};
