// The floor-plan side of a wall: which rooms its two faces bound, its type,
// thickness and length dimension, and the wall objects lying in it, kept in
// order along it. A wall is a ZupSegment or ZupArc: a constraint primitive
// and a ZupEdge.
#pragma once

#include <vector>

#include "point.h"

class geobject;
class polygon;
class KorDimension;
class KorNode;
class KorPrimitive;
class KorTracker;
class ZupFloor;
class ZupNode;
class ZupOpening;
class ZupPartition;
class ZupWallObject;
class ZupWallSurface;

// Which side of a wall faces which room.
enum ZupEdgeType : int {
    ZUP_EDGE_INNER = 0,  // both faces, neither toward the outer shell
    ZUP_EDGE_OUTER = 1,  // one face, or a face toward the outer shell
    ZUP_EDGE_FREE = 2,   // no room on either side
};

// Deletes a wall object through its own class (defined with the objects).
void ZupDeleteWallObject(ZupWallObject* object);

class ZupEdge {
public:
    explicit ZupEdge(ZupEdgeType type = ZUP_EDGE_FREE);
    ZupEdge(const ZupEdge&) = delete;
    ZupEdge& operator=(const ZupEdge&) = delete;

    // ---- Virtual operations, in slot order ----
    virtual ~ZupEdge();
    // Splits the wall at the node's position; the new piece from the node to
    // the old end, or null (the node is an end, or the model refused it).
    virtual ZupEdge* Divide(KorNode* node, bool colinear) = 0;
    virtual bool IsExternal();
    virtual int GetThickness();
    virtual geobject& GetGeometry() = 0;
    virtual KorTracker* GetTracker() const = 0;
    virtual KorNode* GetCenter() const { return nullptr; }
    virtual KorNode* GetStart() const = 0;
    virtual KorNode* GetEnd() const = 0;
    virtual double GetRadius() const = 0;
    virtual point GetGeoCenter() = 0;
    virtual KorPrimitive* GetPrimitive() = 0;
    virtual ZupPartition* GetOtherPartition(ZupPartition* room);
    virtual bool IsAligned() { return false; }

    // ---- Plain state ----
    // Takes the floor and its default wall thickness.
    void Create(ZupFloor* floor);
    ZupEdgeType GetType() const { return mType; }
    void SetType(ZupEdgeType type);
    void SetupType();
    float& WallThickness() { return mWallThickness; }
    ZupFloor* GetFloor() const { return mpFloor; }
    KorDimension* GetLengthDim() const { return mpLengthDim; }
    void SetLengthDim(KorDimension* dimension) { mpLengthDim = dimension; }
    bool HaveSurface() const { return mpWhiteSurface || mpRedSurface; }
    ZupWallSurface* GetWhiteSurface() const { return mpWhiteSurface; }
    ZupWallSurface* GetRedSurface() const { return mpRedSurface; }
    int GetNumOfObjects() const { return static_cast<int>(mObjects.size()); }
    ZupWallObject* GetWallObject(int i) const;
    // Wall height: 200 metric, 96 imperial.
    static int GetHeight();

    // ---- Surfaces ----
    ZupPartition* GetPartition(int i) const;
    ZupWallSurface* GetWall(ZupPartition* room) const;
    ZupWallSurface* GetInsideSurface() const;
    polygon& GetContour();
    void AddSurface(ZupWallSurface* surface);
    void ReplaceSurface(ZupWallSurface* oldSurface, ZupWallSurface* newSurface);
    void UpdateSurfaces(ZupNode* oldNode, ZupNode* newNode);
    void RemoveSurfaces(ZupNode* a, ZupNode* b);
    void SetupWalls(ZupEdge* other);

    // ---- Wall objects ----
    void AddObject(ZupWallObject* object, bool sort);
    void RemoveObject(ZupWallObject* object);
    void SortObjects();
    void TransferObjects(ZupEdge* to, bool test);
    void TransferObject(ZupEdge* to, ZupWallObject* object);
    // Turns the object to start toward this wall's start; a portal's or a
    // window's ends then go onto the wall (FitObjectEnds).
    void UpdateObject(ZupWallObject* object);
    // An end of the object off this wall's geometry goes to the wall's end
    // on its side.
    void FitObjectEnds(ZupWallObject* object);
    void SetObjectsPosition(float value);
    ZupWallObject* GetWallObject(point& p, ZupPartition* room);
    ZupWallObject* GetWallObjectByCenter(point& p);
    ZupWallObject* GetWallObjectByEnd(point& p, int type, ZupWallObject* skip);
    ZupOpening* Get1stOpening() const;
    bool IsFullWallEntryWay();
    float GetSafeObjectWidth(ZupWallObject* object);

    // ---- Dimensions ----
    KorDimension* CreateLengthDim(KorNode* from = nullptr);
    KorDimension* ModifyLengthDim(float value);
    KorDimension* GetNextDim(ZupWallObject* object);
    KorDimension* GetDimension(point& p);

    // ---- Nodes ----
    KorNode* GetOtherNode(KorNode* node) const;
    bool ReplaceNode(ZupNode* oldNode, ZupNode* newNode, bool withTracker);
    bool Unchained() const;

protected:
    // The edge part of another wall: surfaces, type, thickness and floor; no
    // objects and no length dimension.
    explicit ZupEdge(const ZupEdge* other);
    // Deletes the wall objects (last first) and tells the floor the wall goes.
    void DestroyEdge();
    // Drops the surfaces a discarded piece copied from the wall it came from.
    void ForgetSurfaces();
    // The common end of Divide once the piece from node to the old end is
    // registered: this wall ends at node, the piece takes its objects and
    // faces, and a colinear joins them when asked and needed.
    ZupEdge* FinishDivide(ZupEdge* piece, KorNode* node, bool colinear);
    // A piece the model refused: it goes without touching this wall's faces.
    static ZupEdge* DiscardPiece(ZupEdge* piece);

private:
    ZupWallSurface* mpWhiteSurface = nullptr;
    ZupWallSurface* mpRedSurface = nullptr;
    ZupEdgeType mType = ZUP_EDGE_FREE;
    std::vector<ZupWallObject*> mObjects;
    KorDimension* mpLengthDim = nullptr;
    float mWallThickness = -1.0f;
    ZupFloor* mpFloor = nullptr;
};
