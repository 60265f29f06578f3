// The floor-plan model of one level, or of one room while it is drawn: a
// constraint model whose nodes are wall nodes and whose segments and arcs are
// walls, with the rooms found from the walls, openings, wall, corner and
// free-standing objects, smart-wall editing, automatic discovery of
// constraints between walls and point queries. Every virtual operation is a
// customisation point of the program's room class.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "angle.h"
#include "kor_model.h"
#include "kor_orientation.h"
#include "point.h"
#include "polygon.h"
#include "zup_chain.h"
#include "zup_partition_solution.h"

class line;
class segment;
class CXMLElement;
class KorArc;
class KorCapture;
class KorSegment;
class KorLinTracker;
class KorCirTracker;
class ZupArc;
class ZupBathObject;
class ZupCamera;
class ZupColumn;
class ZupCountertop;
class ZupEdge;
class ZupFireplace;
class ZupIsland;
class ZupNode;
class ZupNodeObject;
class ZupObject;
class ZupOpening;
class ZupOpeningStair;
class ZupPartition;
class ZupRoomObject;
class ZupSegment;
class ZupSpiralStair;
class ZupStructural;
class ZupUtilityObject;
class ZupWallFireplace;
class ZupWallObject;
class ZupWallSurface;
class ZupWindow;

// The value of each of the four discovery modes (colinear, alignment,
// parallel, tangent); the meaning per mode is in the discovery code.
enum ZupConstraintDetection : int {
    ZUP_DETECT_ALL = 0,
    ZUP_DETECT_OFF = 1,
    ZUP_DETECT_SHARED = 2,      // colinear/tangent only at shared nodes; no alignments
    ZUP_DETECT_VERTICAL = 3,    // as 2; vertical alignments only
    ZUP_DETECT_HORIZONTAL = 4,  // as 2; horizontal alignments only
};

// Orders openings by name (byte-wise), smallest first.
struct ZupOpeningNameLess {
    bool operator()(const ZupOpening* a, const ZupOpening* b) const;
};
using ZupOpeningSet = std::set<ZupOpening*, ZupOpeningNameLess>;
// Orders primitives by creation serial, never by address.
using ZupPrimitiveSet = std::set<KorPrimitive*, KorSerialLess>;
using ZupNodeMap = std::map<KorNode*, KorNode*, KorSerialLess>;
// Plan places of a merged room's nodes that differ from its own.
using ZupNodePlaces = std::map<KorNode*, point, KorSerialLess>;
// For a merged room's entrance-wall corner that stood inside a plan room:
// the way its wall takes along that room's walls, from the corner's plan
// place back to the entrance wall's line.
using ZupEntranceDetours = std::map<KorNode*, std::vector<point>, KorSerialLess>;
// Walls of a room-search step; the filter of the perimeter queries.
using ZupEdgeFilter = bool (*)(ZupEdge*);

class ZupFloor : public KorModel {
public:
    ZupFloor();
    // Owns its rooms and (through the model) its walls and objects: a
    // member-wise copy would share and free them twice.
    ZupFloor(const ZupFloor&) = delete;
    ZupFloor& operator=(const ZupFloor&) = delete;

    // ---- KorModel's virtual operations that the floor overrides ----
    ~ZupFloor() override;
    void Clear() override;
    bool Resolve() override;
    bool Load(const char* path) override;
    // Always a new ZupNode; its handle.
    KorHandle CreateNode(double x, double y, KorMoveCallback callback) override;
    KorHandle CreateSegment(KorHandle h1, KorHandle h2) override;
    KorHandle CreateArc(KorHandle centre, KorHandle start, KorHandle end) override;
    void AddChangedNode(KorNode* node) override;
    // A node leaving the model is forgotten by the wall objects on it.
    void RemoveNode(KorNode* node) override;
    // A dimension leaving the model is forgotten by the walls and the wall
    // objects that hold it.
    void RemoveDimension(KorDimension* dimension) override;
    bool ResolveRules(bool* more, KorDimension** dimension) override;
    // The model's orientations, then each opening takes its wall's.
    void UpdateOrientations() override;
    void SetDrag(bool drag) override;

    // ---- Virtual operations the floor adds, in slot order ----
    // Every wall's destructor calls it: the rooms go when the wall had a face.
    virtual void RemoveEdge(ZupEdge* edge);
    // The object factory; each returns null when placement fails.
    virtual ZupOpening* CreateOpening(const char* name, int type, ZupNode* a, ZupNode* b);
    virtual ZupOpening* CreateOpening(const char* name, int type, double x, double y);
    // Inserts into the opening set (false for a taken name); marks the floor modified.
    virtual bool AddOpening(ZupOpening* opening);
    virtual ZupCamera* CreateCamera(const char* name, double x, double y, int degrees);
    virtual ZupCamera* CreateCamera(double x, double y);
    virtual ZupIsland* CreateIsland(double x, double y);
    virtual ZupColumn* CreateColumn(double x, double y);
    virtual ZupSpiralStair* CreateSpiralStair(double x, double y);
    virtual ZupWallFireplace* CreateFireplace(double x, double y, int type);
    virtual ZupWallFireplace* CreateFireplace(int type, ZupNode* a, ZupNode* b, int depth);
    virtual ZupFireplace* CreateFireplace(double x, double y);
    virtual ZupWindow* CreateWallWindow(int type, ZupNode* a, ZupNode* b, int panes);
    virtual ZupWindow* CreateWallWindow(double x, double y);
    virtual ZupBathObject* CreateBathObject(int type, ZupNode* a, ZupNode* b, int depth,
                                            int panes, int windowType);
    virtual ZupBathObject* CreateBathObject(double x, double y);
    virtual ZupCountertop* CreateCountertop(int type, ZupNode* a, ZupNode* b, int depth,
                                            int panes, int windowType);
    virtual ZupCountertop* CreateCountertop(double x, double y);
    virtual ZupNodeObject* CreateNodeObject(int type, ZupNode* node, int depth, int panes);
    virtual ZupUtilityObject* CreateUtilityObject(double x, double y);
    virtual ZupUtilityObject* CreateUtilityObject(int type, ZupNode* a, ZupNode* b, int depth,
                                                  int panes, int windowType);
    virtual ZupStructural* CreateStructural(double x, double y);
    virtual ZupStructural* CreateStructural(int type, ZupNode* a, ZupNode* b, int depth);
    // Each room object's update, in list order.
    virtual void UpdateObjects();
    virtual bool RemoveOpening(ZupOpening* opening);
    virtual ZupOpeningStair* CreateStair(ZupNode* a, ZupNode* b);
    // Stores the flag; true when a subclass kept the old value instead.
    virtual bool SetIntersectControl(bool on)
    {
        mbIntersectControl = on;
        return false;
    }
    // The outer shell's contour, else the static default contour.
    virtual polygon& GetContour();
    virtual void SetEntrance(ZupOpening* opening) { mpEntrance = opening; }
    virtual void SetTransformed(bool transformed) { mbTransformed = transformed; }
    virtual polygon& GetOuterContour();

protected:
    void SetupChangedPrimitives() override;
    void ClearChangedPrimitives() override;
    // Room objects are written by their own lines, not as plain nodes.
    bool WritesNodeStatement(const KorNode* node) const override;
    void GetCommandString(KorCapture* capture, std::string* text,
                          bool nodesAndPrimitivesOnly) override;
    // The constraint model's statements alone (wall objects' end nodes made
    // first), for writers that put lines between them and the objects.
    void WriteModelStatements(KorCapture* capture, std::string* text,
                              bool nodesAndPrimitivesOnly);

public:
    // ---- Defaults of the units ----
    static float GetDefaultLinearInputSnap();  // 14.95 metric, 5.95 imperial
    static float GetDefaultLinearSnap();       // 0.99
    static angle GetDefaultAngularInputSnap(); // 5.1 degrees
    static float& DefaultOpeningWidth() { return mDefaultOpeningWidth; }
    static float& DefaultWindowWidth() { return mDefaultWindowWidth; }
    static G_POINT& GetCurDiscrepancy() { return mCurDiscrepancy; }

    // ---- Accessors ----
    float GetScale() const { return mScale; }
    void SetScale(float scale) { mScale = scale; }
    void SetPan(int x, int y) { mPanX = x; mPanY = y; }
    void GetPan(int& x, int& y) const { x = mPanX; y = mPanY; }
    int GetWindowDepth() const { return mWindowDepth; }
    void SetWindowDepth(int depth) { mWindowDepth = depth; }
    void SetColinearDiscoveryMode(ZupConstraintDetection m) { mColinearMode = m; }
    ZupConstraintDetection GetColinearDiscoveryMode() const { return mColinearMode; }
    void SetAlignmentDiscoveryMode(ZupConstraintDetection m) { mAlignmentMode = m; }
    ZupConstraintDetection GetAlignmentDiscoveryMode() const { return mAlignmentMode; }
    void SetParallelDiscoveryMode(ZupConstraintDetection m) { mParallelMode = m; }
    ZupConstraintDetection GetParallelDiscoveryMode() const { return mParallelMode; }
    void SetTangentDiscoveryMode(ZupConstraintDetection m) { mTangentMode = m; }
    ZupConstraintDetection GetTangentDiscoveryMode() const { return mTangentMode; }
    void SetAutoReverseControl(bool on) { mbAutoReverseControl = on; }
    bool GetAutoReverseControl() const { return mbAutoReverseControl; }
    int GetNumOfChangedPrimitives() const { return static_cast<int>(mChangedPrimitives.size()); }
    double GetMinX() const { return mMinX; }
    double GetMaxX() const { return mMaxX; }
    double GetMinY() const { return mMinY; }
    double GetMaxY() const { return mMaxY; }
    int GetNumOfObjects() const { return static_cast<int>(mRoomObjects.size()); }
    int GetNumOfIslands() const { return mNumOfIslands; }
    void IncreaseNumOfIslands() { ++mNumOfIslands; }
    void DecreaseNumOfIslands() { --mNumOfIslands; }
    int GetNumOfOpenings() const { return static_cast<int>(mOpenings.size()); }
    float& DefaultWallThickness() { return mDefaultWallThickness; }
    double& MinWallLength() { return mMinWallLength; }
    ZupPartition* GetOuterShell() const { return mpOuterShell; }
    bool GetIntersectControl() const { return mbIntersectControl; }
    void EnableRules(bool on) { SetRulesFlag(on); }
    angle& AngularInputSnap() { return mAngularInputSnap; }
    ZupChain& GetAttachmentPath() { return mAttachmentPath; }
    void SetName(const char* name) { mName = name ? name : ""; }
    const char* GetName() const { return mName.empty() ? nullptr : mName.c_str(); }
    ZupOpening* GetEntrance() const { return mpEntrance; }
    KorOrientation& GetOrientation() { return mOrientation; }
    bool IsTransformed() const { return mbTransformed; }
    void*& Container() { return mpContainer; }
    bool IsResolvable() const { return mbResolvable; }
    void SetResolvable(bool on) { mbResolvable = on; }
    bool IsMergeInProgress() const { return mbMergeInProgress; }
    ZupPartition* GetCurrentPartition() const { return mpCurRoom; }
    void SetCurrentPartition(ZupPartition* room) { mpCurRoom = room; }
    double GetConnectionSin() const { return mConnectionSin; }
    double GetConnectionCos() const { return mConnectionCos; }
    int GetNumOfPartitions() const { return static_cast<int>(mPartitions.size()); }
    ZupPartition* GetPartition(int i) const;

    bool NeedVertErrorDissipation();
    bool NeedHorErrorDissipation();

    // ---- Room objects (free-standing objects; nodes owned by the model) ----
    void AddObject(ZupRoomObject* object);
    void RemoveObject(ZupRoomObject* object);
    ZupRoomObject* GetRoomObject(int i) const;
    ZupRoomObject* GetRoomObject(point& p);
    bool IsRoomObject(KorNode* node) const;
    void SetupObjects();

    // ---- Openings ----
    ZupOpening* Get1stOpening();
    ZupOpening* GetNextOpening();
    ZupOpening* GetOpening(const char* name) const;
    ZupOpening* GetOpening(point& p);
    ZupOpening* GetCommonPortal(ZupFloor* other);
    bool RenameOpening(ZupOpening* opening, const char* name);
    ZupWallObject* GetWallObject(ZupNode* a, ZupNode* b);

    // ---- Extents ----
    void ModifyExtents(double x, double y);
    // The extents shrink to the one point.
    void ResetExtents(double x, double y);
    void CalculateExtents();
    void GetExtents(double* minX, double* minY, double* maxX, double* maxY) const;

    // ---- Adding walls ----
    bool AddLine(double x1, double y1, double x2, double y2);
    bool AddLine(ZupNode*& a, ZupNode*& b, line* input, ZupNode* exclude);
    bool AddArc(double cx, double cy, double cx2, double cy2, double x1, double y1, double x2,
                double y2);
    bool AddArc(ZupNode* centre, ZupNode* start, ZupNode* end);
    ZupNode* CreateNode(point& p, KorNode* previous, bool outsideOnly);
    ZupNode* CreateNewNode(double x, double y);
    void CombineEdges(ZupNode* node, KorLinTracker* t1, KorLinTracker* t2);
    void ValidateNodes();
    void ValidateConstraints();
    void UpdateConfiguration();
    // One wall of UpdateConfiguration's walk; true when the walls changed.
    bool TidyWall(int index, KorPrimitive* entranceWall);
    // Distances that run along a wall about to go, removed before it goes.
    void DropDistancesCarriedBy(KorPrimitive* wall);
    void DropDistancesOfMerge(KorNode* keeper, KorNode* absorbed);
    bool IsWallObjectEnd(KorNode* node);
    // A wall object other than `except` that ends on or owns the node.
    bool HasWallObjectOn(const KorNode* node, const ZupWallObject* except) const;
    // Every wall object on the floor's walls, wall by wall.
    std::vector<ZupWallObject*> WallObjects() const;
    // Walls and wall objects let go of a dimension about to be deleted.
    void ForgetDimension(const KorDimension* dimension);
    void RemovePartitions();
    void Validate();

    // ---- Tracker search for new walls ----
    using KorModel::GetTracker;
    KorLinTracker* GetTracker(ZupNode*& a, ZupNode*& b, line* input);
    KorLinTracker* GetAdjucentTracker(ZupNode*& a, ZupNode*& b, line* input);
    bool HasIntersection(segment& s);
    ZupNode* AlignNode(ZupNode*& node, KorLinTracker* tracker, bool flag, ZupNode* exclude);
    bool RecreateNode(ZupNode*& node, KorLinTracker* tracker);
    KorNode* GetOriginalNode(ZupNode* node);
    void UpdateWallContours(KorTracker* tracker);
    void Normalize(KorNode* a, KorNode* b, line* input);

    // ---- Constraint discovery and change tracking ----
    void FindConstraints();
    short FindAlignments();
    void FindColinears();
    void FindParallels();
    void FindTangents();
    void RemoveConstraints();
    void RemoveAlignments();
    void SetTraceChanges(bool on);
    KorPrimitive* Get1stChangedPrimitive();
    KorPrimitive* GetNextChangedPrimitive();
    ZupEdge* Get1stChangedEdge();
    ZupEdge* GetNextChangedEdge();
    // A node or wall that is being deleted leaves the change sets.
    void ForgetChanged(KorNode* node);
    void ForgetChanged(KorPrimitive* primitive);
    // ---- Added with the discovery code: any primitive that leaves the
    // model (a circle is no wall and never calls RemoveEdge) leaves the
    // changed set too, then the model forgets it. ----
    bool RemovePrimitive(KorPrimitive* primitive) override;

    // ---- Queries and hit tests ----
    static ZupEdge* CastToEdge(KorPrimitive* primitive);
    ZupEdge* Get1stEdge();
    ZupEdge* GetNextEdge();
    ZupPartition* Get1stPartition();
    ZupPartition* GetNextPartition();
    ZupEdge* GetEdge(double x, double y);
    ZupWallSurface* GetWall(double x, double y);
    ZupPartition* GetPartition(point& p);
    ZupNode* GetNode(double x, double y, bool withWalls);
    ZupEdge* GetClosestEdge(point& p);
    ZupNode* GetClosestNode(point& p, bool withWalls, bool outsideOnly, float maxDistance);
    ZupCamera* GetCamera(const char* name);

    // ---- Finding rooms ----
    bool MakePartitions(bool outerShellOnly);
    bool ResetPartitionSearchNodes();
    bool MakeOuterShell(bool& oneRoom);
    ZupNode* Get1stPerimeterNode(ZupEdgeFilter filter);
    ZupNode* Get2ndPerimeterNode(ZupEdgeFilter filter);
    ZupEdge* HealOuterShell(ZupNode* a, ZupNode* b, ZupNode* c, ZupEdgeFilter filter);
    ZupPartitionSolution& GetPartitionSolution() { return mPartitionSearch; }

    // ---- Masks ----
    bool GetMaskOut(std::vector<polygon>*& pieces, polygon& mask);
    bool GetIslandMaskOut(std::vector<polygon>*& pieces, polygon& area);
    bool GetMaskOut(std::vector<polygon>*& pieces, ZupIsland* island);

    // ---- Command lines and loading ----
    void GetObjectsString(std::string* text);
    bool LoadFromXML(const char* path);
    bool Create(CXMLElement* element);

    // ---- Copying and merging a room into a plan ----
    ZupOpening* GetConnectionPortal(ZupFloor* room);
    point::TRANSFORM& CalculateTransformation(ZupOpening* planOpening, ZupOpening* roomOpening);
    ZupPartition* Create(ZupFloor* room);
    ZupPartition* AddPartition(ZupFloor* room, ZupOpening* opening);
    void TransferObjects(ZupFloor* room, ZupPartition* partition);
    bool UpdateObjectEnds(point& a, point& b, ZupWallObject* object, ZupFloor* room);
    bool MatchedEdges(ZupEdge* planEdge, ZupEdge* roomEdge);
    KorDimension* CreateAlignment(KorDimension* dimension);
    using KorModel::Align;
    void Align(ZupWallObject* object);
    void Create2FacedFireplace(ZupWallFireplace*& fireplace);
    // Ends a merge: the statics and the merge flag back to "none".
    void EndMerge();

private:
    ZupNode* MappedNode(KorNode* roomNode) const;
    ZupOpening* CopyOpening(ZupOpening* opening, point a, point b, ZupPartition* partition);
    bool MapRoomNodes(ZupFloor* room, const ZupNodePlaces& moved);
    ZupNode* KeepOnEntranceLine(ZupFloor* room, KorNode* node, ZupNode* made, const point& p);
    bool PlaceRoomWalls(ZupFloor* room, ZupNodePlaces& moved);
    void PlaceEntranceCorners(ZupFloor* room, ZupNodePlaces& moved, ZupEntranceDetours& detours);
    std::vector<point> DetourToLine(const point& corner, const point& far, const point& other, double reach);
    bool AddEntranceWall(KorNode* from, KorNode* to, ZupPartition* partition, const ZupEntranceDetours& detours);
    void StretchOverWall(ZupOpening* opening);
    KorLinTracker* InsideAlongWall(point& p, const line& along, double reach);
    bool AddRoomWalls(ZupFloor* room, ZupPartition* partition, const ZupNodePlaces& moved,
                      const ZupEntranceDetours& detours);
    void CarryAlignments(ZupFloor* room);
    bool CarryOpenings(ZupFloor* room, ZupOpening* connection, ZupPartition* partition);
    void TransferWallObject(ZupWallObject* object, ZupFloor* room, ZupPartition* partition);
    void RehomeWallObjects();
    void FitObjectsToPieces();
    void JoinBackToBackFireplace(ZupWallFireplace* fireplace);

public:
    // Merge guards of the tracker search: both nodes on the merged room's
    // entrance; the found tracker is the line of another wall of the merged
    // room near the new wall's ends.
    bool LiesOnConnectingOpening(ZupNode* a, ZupNode* b);
    bool MeetsOtherMergedWall(KorLinTracker* found, ZupNode* a, ZupNode* b);

    // ---- Process-wide state of merging ----
    static point::TRANSFORM mCurTransformation;
    static polygon mDefaultContour;
    static ZupFloor* mpCurAddition;
    static ZupPartition* mpCurPartition;
    // Resets the statics above and the default widths (ZupResetGlobals).
    static void ResetGlobals();

private:
    bool IsAlignmentTypeOK(KOREntityType type) const;
    // Adding walls
    ZupNode* CreateNode(double x, double y);
    bool AttachEdgeToTracker(KorLinTracker* tracker, ZupNode*& a, ZupNode*& b, ZupNode* exclude);
    bool AttachEdgeToTracker(KorCirTracker* tracker, ZupNode* centre, ZupNode* start,
                             ZupNode* end);
    KorSegment* CreateEdge(ZupNode* a, ZupNode* b, std::vector<ZupEdge*>& edges,
                           KorLinTracker* tracker, ZupSegment* reuse, KorSegment* previous);
    KorArc* CreateEdge(KorNode* centre, KorNode* start, KorNode* end, KorCirTracker* tracker,
                       ZupArc* reuse, KorArc* previous);
    void TrimEnds(KorNode* a, KorNode* b, segment& s, std::multimap<double, KorNode*>* map);
    ZupNode* UpdateNode(KorTracker* tracker, ZupNode*& node, ZupNode* exclude, bool flag);
    ZupPartition* FindDamagingPartition(KorTracker* tracker);
    // Discovery
    void UpdatePartitions();
    // Finding rooms
    bool MakeExteriorSolution(ZupNode* start);
    bool MakeInnerPartitions();
    // Loading
    bool LoadFromXML(const char* text, long length);
    bool AddPartition(CXMLElement* element);
    // Sets every extent to the defaults (0..100).
    void ResetExtents();

    // ---- Room search helpers (added with the room search) ----
    // The nodes and walls that take part in the search.
    std::vector<ZupNode*> SearchNodes() const;
    std::vector<ZupEdge*> SearchWalls() const;
    ZupNode* PerimeterNode(ZupEdgeFilter filter, bool leftmost);
    static std::vector<ZupEdge*> EdgesOf(const ZupFloor& floor);
    static bool IsSearchWall(ZupEdge* edge);

    static constexpr std::size_t kNoCursor = static_cast<std::size_t>(-1);

    int mNumOfIslands = 0;
    angle mAngularInputSnap;
    std::vector<ZupPartition*> mPartitions;  // owned
    ZupPartition* mpOuterShell = nullptr;    // owned
    std::vector<ZupEdge*> mPartitionSearchWalls;
    ZupPartitionSolution mPartitionSearch;
    std::size_t mCurEdge = kNoCursor;       // index in the primitive list
    std::size_t mSavedCurEdge = kNoCursor;  // the outer walk's cursor
    std::size_t mCurPartition = kNoCursor;  // index in the room list
    std::uint64_t mCurNodeSerial = 0;       // serial of the last node GetNode gave; 0 none
    ZupConstraintDetection mColinearMode = ZUP_DETECT_SHARED;
    ZupConstraintDetection mAlignmentMode = ZUP_DETECT_ALL;
    ZupConstraintDetection mParallelMode = ZUP_DETECT_OFF;
    ZupConstraintDetection mTangentMode = ZUP_DETECT_ALL;
    bool mbAutoReverseControl = false;
    std::set<KorNode*, KorSerialLess> mChangedNodes;
    ZupPrimitiveSet mChangedPrimitives;
    ZupPrimitiveSet::iterator mChangedCursor;
    bool mbChangedCursor = false;
    double mMaxX = 100.0;
    double mMaxY = 100.0;
    double mMinX = 0.0;
    double mMinY = 0.0;
    double mMinWallLength = 0.0;
    float mDefaultWallThickness = 0.0f;
    bool mbIntersectControl = false;
    bool mbMergeInProgress = false;
    // While the whole model goes, no wall needs to let go of a dimension.
    bool mbClearing = false;
    ZupPartition* mpCurRoom = nullptr;  // not owned
    ZupOpeningSet mOpenings;            // owned by their walls
    ZupOpeningSet::iterator mOpeningCursor;
    bool mbOpeningCursor = false;
    float mScale = 1.0f;
    int mPanX = 0;
    int mPanY = 0;
    ZupChain mAttachmentPath;
    ZupNodeMap mNodeMap;
    double mConnectionSin = 0.0;
    double mConnectionCos = 1.0;
    std::string mName;
    ZupOpening* mpEntrance = nullptr;  // not owned
    KorOrientation mOrientation;
    bool mbTransformed = false;
    std::vector<ZupRoomObject*> mRoomObjects;  // owned by the model
    void* mpContainer = nullptr;
    bool mbResolvable = true;
    int mWindowDepth = 0;

    static float mDefaultOpeningWidth;
    static float mDefaultWindowWidth;
    static G_POINT mCurDiscrepancy;
};
