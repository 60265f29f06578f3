// One room while the user draws and edits it: a floor-plan model whose
// object factory makes the program's drawable objects, which keeps the
// room's outline and area, its program statements (name, shape, level and
// size) and the cursors of the key steps.
#pragma once

#include <atomic>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "angle.h"
#include "c_string.h"
#include "point.h"
#include "polygon.h"
#include "edge_chain.h"
#include "zup_floor.h"

class KorCondition;
class KorDimSolution;
class KorDimension;
class KorEntity;
class KorObject;
class KorTracker;
class KorNode;
class CPlanBathObject;
class CPlanCountertop;
class CPlanNodeObject;
class CEdgeChainSpec;
class KorNNDistance;
class ZupWallObject;


class CRoomFloor : public ZupFloor {
public:
    CRoomFloor();
    ~CRoomFloor() override;

    // ---- The model's operations the room takes over ----
    void Clear() override;
    bool Resolve() override;
    void UpdateDimensions() override;
    void UpdateOrientations() override;
    void Move(double dx, double dy) override;
    void Scale(double factor) override;
    void Mirror(const line& axis) override;
    // Every change also marks the room changed for the journal; marking it
    // unmodified (saved, or bookkeeping that is no edit) leaves that mark.
    void SetModified(bool modified) override;
    // Changed since the journal's last snapshot of the room.
    bool IsChangedSinceSnapshot() const { return mbChangedSinceSnapshot; }
    void SetChangedSinceSnapshot(bool changed) { mbChangedSinceSnapshot = changed; }
    void RemoveEdge(ZupEdge* edge) override;
    void UpdateObjects() override;
    // Keeps the flag while the room lies on the level below; true then.
    bool SetIntersectControl(bool on) override;
    polygon& GetContour() override;
    polygon& GetOuterContour() override;
    bool AddOpening(ZupOpening* opening) override;
    bool RemoveOpening(ZupOpening* opening) override;

    // ---- The object factory: the program's drawable classes ----
    ZupOpening* CreateOpening(const char* name, int type, ZupNode* a, ZupNode* b) override;
    ZupOpening* CreateOpening(const char* name, int type, double x, double y) override;
    ZupCamera* CreateCamera(const char* name, double x, double y, int degrees) override;
    ZupCamera* CreateCamera(double x, double y) override;
    ZupIsland* CreateIsland(double x, double y) override;
    ZupColumn* CreateColumn(double x, double y) override;
    ZupSpiralStair* CreateSpiralStair(double x, double y) override;
    ZupWallFireplace* CreateFireplace(double x, double y, int type) override;
    ZupWallFireplace* CreateFireplace(int type, ZupNode* a, ZupNode* b, int depth) override;
    ZupFireplace* CreateFireplace(double x, double y) override;
    ZupWindow* CreateWallWindow(int type, ZupNode* a, ZupNode* b, int panes) override;
    ZupWindow* CreateWallWindow(double x, double y) override;
    ZupBathObject* CreateBathObject(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                    int windowType) override;
    ZupCountertop* CreateCountertop(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                    int windowType) override;
    ZupNodeObject* CreateNodeObject(int type, ZupNode* node, int depth, int panes) override;
    ZupUtilityObject* CreateUtilityObject(double x, double y) override;
    ZupUtilityObject* CreateUtilityObject(int type, ZupNode* a, ZupNode* b, int depth, int panes,
                                          int windowType) override;
    ZupStructural* CreateStructural(double x, double y) override;
    ZupStructural* CreateStructural(int type, ZupNode* a, ZupNode* b, int depth) override;
    ZupOpeningStair* CreateStair(ZupNode* a, ZupNode* b) override;
    // For the page that makes a new object at a pen point.
    CPlanBathObject* CreateBathObjectAt(double x, double y, bool snapToEnd);
    CPlanCountertop* CreateCountertopAt(double x, double y, bool snapToEnd);
    CPlanNodeObject* CreateNodeObjectAt(double x, double y);

    // ---- Outline and area ----
    // The node marker size, also the room's input snap: 20 metric, 10 imperial.
    static float GetNodeMarkerSize();
    void ComputeArea();
    void InvalidateArea();
    // Square feet (imperial) or square metres (metric).
    float GetArea();
    void RefreshOutline() { ComputeArea(); }
    void RefreshContour() { ComputeArea(); }
    int GetCachedArea() const { return mArea; }
    bool HasNoWallThickness() const { return mbNoWallThickness; }

    // ---- Command text ----
    bool PlayString(const char* text);
    // Replays text that Save wrote, outside the file: its name lines are read
    // back as the file's reader reads the body, so the name and label come
    // back as they were typed.
    bool PlaySavedText(const std::string& text);
    bool PlayFile(const CString& path);
    // Builds the room from a predefined shape's body (in inches).
    bool LoadShape(const char* body, const std::vector<CEdgeChainSpec>* chains, bool intersect,
                   bool withNodeCursor);
    // Stretches the room to width x depth.
    void ResizeTo(int width, int depth);

    // Something was drawn: a room without nodes cannot be read back, so the
    // files leave it out.
    bool IsDrawn() const { return GetNumOfNodes() > 0; }

    // ---- Names and level ----
    // The name's tag form (TagForm).
    std::string GetTagName(bool digitGuard) const;
    std::string GetLetteredName() const;
    void SetName(const char* name);
    // A room without a name (or with an empty one) takes the default room
    // type's next name that no other room holds: its tag, path entry and
    // journal file need one.
    void TakeDefaultName(const std::set<std::string>& taken);
    // A room read back under the tag form of its name (a file's or journal's
    // path list) takes the name as it was typed, which its Name line kept as
    // the label; a label that is the name itself is no label.
    void TakeTypedName();
    // A labelled room of an earlier file, read under its tag form, takes its
    // two-word type's own name ("LivingRoom1" becomes "Living Room1").
    void TakeTypeNameOfTag();
    // The name without blanks, each character that would end a tag, split
    // the path list or a file name, or break an opening's statement as "_";
    // with the guard a leading digit becomes "_" too.
    static std::string TagForm(const std::string& name, bool digitGuard);
    void SetBelow(bool below);
    bool IsBelow() const { return mbBelow; }
    const std::string& GetLabel() const { return mLabel; }
    void SetLabelText(const std::string& label) { mLabel = label; }
    const std::string& GetShapeName() const { return mShapeName; }
    void SetShapeName(const std::string& name) { mShapeName = name; }
    void SetSize(int width, int depth);
    int GetWidth() const { return mWidth; }
    int GetDepth() const { return mDepth; }
    int GetNextOpeningLetter() const { return mNextOpeningLetter; }
    void SetNextOpeningLetter(int letter) { mNextOpeningLetter = letter; }

    // ---- View ----
    float GetZoom() const { return mbAutoFit ? 1.0f : mZoom; }
    float MultiplyZoom(float factor);
    bool IsAutoFit() const { return mbAutoFit; }
    void SetAutoFit(bool on) { mbAutoFit = on; }

    // ---- Cursors of the key steps ----
    KorNode* GetCurrentNode() const;
    int GetNodeCursor() const { return mNodeCursor; }
    void SetNodeCursor(int index) { mNodeCursor = index; }
    // Moves to the next (or previous) node that holds a wall; that node's
    // wall count, 0 when no node holds one.
    int StepCurrentNode(bool forward);
    int GetWallCursor() const { return mWallCursor; }
    void SetWallCursor(int index) { mWallCursor = index; }
    // Node points (start of the first wall, then each wall's end) and opening
    // centres, truncated to whole units.
    void GetOutlinePoints(std::vector<POINT>& nodePoints, std::vector<POINT>& openingPoints);

    // ---- State the document and the editing read ----
    bool mbClosed = false;
    KorPrimitive* mDragPrimitive = nullptr;
    KorNode* mDragNode = nullptr;
    point mEntrancePoint;
    angle mEntranceDirection;

    int GetSolverDimensionCount() const { return mSolverDimensionCount; }
    const std::vector<KorDimension*>& GetReferenceDimensions() const
    {
        return mReferenceDimensions;
    }

    // ---- Place in the plan (room_floor_placement.cpp) ----
    bool FindEntranceMarker();
    // Mode 1 or -1 puts a stair (up or down) on the entrance.
    void SetEntrance(ZupOpening* opening, int mode);
    using ZupFloor::SetEntrance;
    KorPrimitive* GetEntranceWall() const;
    point StepWallCursor(bool forward);
    point GetCurrentWallCenter();
    int StepWallIndex(bool forward, bool commit);
    angle ComputeEntranceAngle();
    bool AlignToPlan(ZupFloor& plan);
    void StoreEntranceDirection(ZupOpening* portal);
    point::TRANSFORM GetAlignmentTransform(const angle& target);
    bool ApplyTransform(const point::TRANSFORM& transform);
    void KeepOrientation();
    void RotateAboutCenter(const angle& turn, bool refind);
    bool HasEntranceAngle() const;
    bool IsEntranceAngleFixed() const;
    void UpdateEntranceAngles(bool keepEnabled, bool keepDisabled);
    bool ResolveKeepingEntrance(bool keepMovable, bool unused);
    // Alignments for the walls already upright or level within the model's
    // angular play: a wall drawn a few degrees off stays so.
    short FindAlignmentsAsDrawn();
    void SetEntranceNodesMovable(bool movable);

    // ---- Room dimensions (room_floor_dimensions.cpp, room_floor_ordering.cpp) ----
    // Distances and radii become the room's reference dimensions, kept out
    // of the solver's list; everything else is a solver dimension.
    KorHandle AddDimension(KorDimension* dimension) override;
    void RemoveDimension(KorDimension* dimension) override;
    KorDimension* GetDimension(KorEntity* a, KorEntity* b, bool alsoExtraRules) override;
    // The i-th reference dimension.
    KorDimension* GetDimension(int index, std::vector<KorObject*>* ends) override;
    short GetNumOfDimensions() const override;
    void DeleteExtraRules() override;
    bool AddConditionImplementation(KorCondition* condition, KorDimension* dimension) override;
    bool IsOverConstrained() override;
    bool ReorderDimensions(KorDimSolution** failed) override;
    bool ReorderDimensions() override;
    short CountEnabledDimensions() const;
    void DeleteReferenceDimensions();
    void RecreateDimensions();
    // A room read with a node under fewer than two dimensions (a damaged or
    // foreign file) has its dimensions made again; the lengths its text
    // gave stay given.
    void RecreateDimensionsIfLoose();
    void HideZeroDimensions(bool force, float threshold);
    void ShowHiddenDimensions();
    void CopyOpeningWidths(ZupFloor& plan);
    int FindReferenceDimensionAt(ZupEdge* wall, double x, double y);
    void ReleaseDimensions();
    KorDimension* FirstDimensionOffEntranceAxis();
    void EnableNeededDimensions();
    // The needed lengths held while the room lies in the plan, so that the
    // plan keeps it as it was closed; entering it again lets go of exactly
    // those, and the room takes new lengths and drags as before it was left.
    void HoldNeededDimensionsForPlan();
    void ReleaseDimensionsHeldForPlan();
    // A length held only for the plan is no length the person gave: its
    // value is not written, and a room read back holds it again when it is
    // closed into the plan.
    bool IsHeldForPlan(const KorDimension* dimension) const;
    // Files of earlier versions wrote the lengths held for the plan as given
    // ones. A room read from one (its given lengths already all its chains
    // need) lets go of those the close would hold, in the close's order:
    // the close holds them again, and the room entered lets go of them.
    void LetGoOfLengthsWrittenForPlan();
    bool ResolveOrDropDimensions(bool unused);
    void CreateNodeStar();
    void DisableOneInClosedChains();
    // The first edge chain's count of enabled angle dimensions.
    void AdjustChainAngleCount(int change);

    // ---- Edge chains (room_floor_chains.cpp) ----
    // Replaces the room's chains; false at the first definition that names no wall
    // of the room (the chains before it stay).
    bool ApplyChains(const std::vector<CEdgeChainSpec>& definitions);
    // The enabled angle dimensions, counted into the first chain.
    void CountEnabledAngles();
    // Whether the chains need d to be given; d stays disabled when not.
    bool CheckDimensionAgainstChains(KorDimension* d);
    CEdgeChain* FindChain(KorPrimitive* object);
    bool AreChainsConsistent();
    KorNNDistance* LookupSingleChain(KorDimension* d);
    std::vector<CEdgeChain>& GetChains() { return mChains; }

    // ---- Naming, room type and full-wall objects (room_floor_naming.cpp) ----
    // The label from the label dialog; the room's own name leaves it as it is.
    void SetLabel(const CString& label);
    void SetRoomType(int index, bool longList);
    // Old opening name to new one.
    using OpeningRenames = std::map<std::string, std::string>;
    bool RenumberRoom(OpeningRenames& renames);
    void ApplyOpeningRenames(const OpeningRenames& renames);
    // Fills every wall but the entrance wall that holds no object: 1 an
    // opening of type 6, 2 an opening of type 0, 3 a window.
    void FillWalls(int kind);
    ZupWallObject* CreateFullWallObject(int kind, const point& at, KorNode* start, KorNode* end);

protected:
    void GetCommandString(KorCapture* capture, std::string* text,
                          bool nodesAndPrimitivesOnly) override;

private:
    friend class CRoomFloorPlayer;
    // Given lengths by the handles of their two ends, smaller first, with
    // their value text: they outlast dimensions made again.
    using GivenByEnds = std::map<std::pair<KorHandle, KorHandle>, std::string>;
    std::pair<KorHandle, KorHandle> EndsOf(KorDimension* d) const;
    static bool MayBeHeldForPlan(KorDimension* d);
    GivenByEnds GivenLengthsByEnds() const;
    void GiveLengthsByEnds(const GivenByEnds& given);
    void EntranceAngleDimensions(KorDimension*& atStart, KorDimension*& atEnd) const;
    bool InHideScope(KorDimension* d) const;
    int ReferenceDimensionOn(KorTracker* tracker, const point& p) const;
    int NextCorner(int index) const;
    int PreviousCorner(int index) const;
    // One chain's part of the solver's order being built.
    struct ChainOrder {
        CEdgeChain& chain;
        std::set<KorDimension*> appendedSet;
        int appended;
    };
    bool OrderChain(CEdgeChain& chain, KorEntity* start);
    bool FinishChainOrder(ChainOrder& order);
    void CutDimensionList(int length);
    ZupEdge* WallOf(KorDimension* d);
    void Append(ChainOrder& order, KorDimension* d);
    void AppendAllInChainOrder(ChainOrder& order, bool enabledOnly);
    void WalkFromFirst(ChainOrder& order);
    static bool Touches(KorDimension* d, KorEntity* entity);
    static bool StartsAt(KorDimension* d, KorEntity* entity);
    void WalkFromEntity(ChainOrder& order, KorEntity* entity);
    bool BackFrom(ChainOrder& order, KorDimension* found, KorDimension*& endMark);
    void AppendIfEnabled(ChainOrder& order, KorNode* a, KorNode* b);
    int NodeIndex(KorNode* node) const;
    void OrderAroundNode(ChainOrder& order, KorNode* c);
    void OrderAroundDraggedCorner(ChainOrder& order, KorNode* c, KorNode* dragged);
    void OrderFromNodeToWall(ChainOrder& order, KorNode* c, KorPrimitive* wall);
    // The room's name and label lines, read whole (the player would end them
    // at ';' or '//' and split them at '=' or '('), never as statements.
    struct NameStatements {
        std::optional<std::string> name;
        std::optional<std::string> roomName;
    };
    // The text without its name lines, which go to names.
    static std::string TakeNameStatements(const std::string& text, NameStatements& names);
    void ApplyNameStatements(const NameStatements& names);
    // Plays the text with the floor's angular input snap as angular play.
    bool Replay(class CRoomFloorPlayer& player, bool hasText, const NameStatements& names);
    void DropOrderingEntries();
    void AddShapeDimensions();
    void AppendReferenceDimensionLines(KorCapture* capture, std::string* text);

    bool mbChanged = true;
    // Set on the user-interface thread, read and cleared by the journal's worker.
    std::atomic<bool> mbChangedSinceSnapshot{false};
    bool mbNoWallThickness = true;
    bool mbBelow = false;
    bool mbAutoFit = true;
    polygon mContour;
    polygon mOutline;
    int mArea = 0;
    std::string mShapeName;
    std::string mLabel;
    int mWallCursor = 0;
    int mNextOpeningLetter = 0;
    int mNodeCursor = -1;
    float mZoom = 1.0f;
    int mDimensionMark = -1;
    int mSolverDimensionCount = 0;
    std::vector<KorDimension*> mReferenceDimensions;
    std::vector<KorDimension*> mChainDisabledDimensions;
    // The lengths HoldNeededDimensionsForPlan enabled; a removed dimension
    // leaves the list.
    std::vector<KorDimension*> mHeldForPlan;
    // Reference dimensions of this room that a condition turned into extra
    // rules: they go back to reference dimensions instead of being deleted
    // with the rules. Each leaves the set when it is removed or the room is
    // cleared, so no entry outlives its dimension.
    std::set<const KorDimension*> mPromotedDimensions;
    std::vector<CEdgeChain> mChains;
    int mWidth = 0;
    int mDepth = 0;
};
