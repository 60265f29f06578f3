// The constraint model: owns, names and orders its entities, solves them after
// every change, drags and transforms them, and writes and replays them as
// command text.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "angle.h"
#include "circle.h"
#include "line.h"
#include "point.h"

#include "kor_names_manager.h"
#include "kor_object.h"
#include "kor_types.h"

class geobject;
class KorEntity;
class KorNode;
class KorPrimitive;
class KorTracker;
class KorLinTracker;
class KorCirTracker;
class KorDimaint;
class KorDimension;
class KorConstraint;
class KorCondition;
class KorDimSolution;
class KorShiftGroup;
class KorTangent;
class KorCapture;
class KorCaptureVCR;
class KorDF;

// Relation of a dimension to its value (defined with the dimensions).
enum KORDimensionType : int;

class KorModel {
public:
    KorModel();
    KorModel(const KorModel&) = delete;
    KorModel& operator=(const KorModel&) = delete;

    // ---- Virtual operations, in slot order ----
    virtual ~KorModel();
    virtual float& InputSnap();
    virtual void Clear();
    virtual bool Resolve();
    virtual void RequireIntersectionAttributes();
    virtual bool Load(const char* path);
    virtual bool Save(const char* path);
    virtual KorHandle CreateNode(double x, double y, KorMoveCallback callback = nullptr);
    virtual KorDimension* GetDimension(KorEntity* entity1, KorEntity* entity2,
                                       bool alsoExtraRules);
    virtual KorDimension* GetDimension(int index, std::vector<KorObject*>* ends);
    virtual KorHandle CreateSegment(KorHandle h1, KorHandle h2);
    virtual KorHandle CreateArc(KorHandle h1, KorHandle h2, KorHandle h3);
    virtual KorHandle AddDimension(KorDimension* dimension);
    virtual void RemoveDimension(KorDimension* dimension);
    virtual void DeleteExtraRules();
    // The temporary rules alone; the extra-rule dimensions of the list stay.
    void DeleteTemporaryRules();
    virtual void RemoveNode(KorNode* node);
    virtual bool RemovePrimitive(KorPrimitive* primitive);
    virtual short GetNumOfDimensions() const;
    virtual void AddChangedNode(KorNode* node);
    virtual bool ResolveRules(bool* retry, KorDimension** dimension);
    virtual void UpdateDimensions();
    virtual void UpdateOrientations();
    virtual void SetDrag(bool drag);
    virtual KorObject* GetKorObject(const point& p);
    virtual bool AddConditionImplementation(KorCondition* condition, KorDimension* dimension);
    virtual void Move(double dx, double dy);
    virtual void Scale(double factor);
    virtual void Rotate(const angle& a, const point& centre);
    virtual void Mirror(const line& axis);
    virtual void SetModified(bool modified);

protected:
    virtual bool IsOverConstrained();
    virtual void SetupChangedPrimitives();
    virtual void ClearChangedPrimitives();
    virtual void UpdateTrackers();
    virtual void GetCommandString(KorCapture* capture, std::string* text,
                                  bool nodesAndPrimitivesOnly);
    // False for a node that a derived model writes through a statement of
    // its own (so replay does not make it twice).
    virtual bool WritesNodeStatement(const KorNode*) const { return true; }
    virtual bool ReorderDimensions(KorDimSolution** failed);
    virtual bool ReorderDimensions();

public:
    // ---- State, errors, settings ----
    void SetError(int code);
    int GetError() const { return mError; }
    bool IsModified() const { return mbModified; }
    bool IsSolved() const { return mbSolved; }
    bool IsResolved();
    void Invalidate(bool alsoSolved);
    bool GetBoundedSupport() const { return mbBoundedSupport; }
    void SetBoundedSupport(bool on) { mbBoundedSupport = on; }
    bool IsInDrag() const { return mbInDrag; }
    int GetNumOfReorderings() const { return mReorderings; }
    unsigned& CurLayer() { return mCurLayer; }
    bool IsLayoutSet() const { return mbLayout; }
    void SetLayout(bool on) { mbLayout = on; }
    angle& AngularPlay() { return mAngularPlay; }
    double& LinearPlay() { return mLinearPlay; }
    static int& ReorderingLimit() { return mReorderingLimit; }
    KorNamesManager& GetNamesManager() { return mNames; }
    const KorNamesManager& GetNamesManager() const { return mNames; }
    KorCaptureVCR* GetCapture() { return mpCapture.get(); }
    bool captureInit(const std::string& path);
    bool captureClose();
    static const char* GetKORVersion() { return mKORVersion; }

    // ---- Registration (called by the entities' Create and destructors) ----
    KorHandle AddNode(KorNode* node, bool named);
    KorHandle AddPrimitive(KorPrimitive* primitive);
    KorHandle AddPrimitive(KorPrimitive* primitive, KorNode* start, KorNode* end);
    KorHandle AddConstraint(KorConstraint* constraint);
    void AddTracker(KorTracker* tracker);
    void AddCondition(KorCondition* condition);
    bool RemoveConstraint(KorConstraint* constraint);
    void RemoveTracker(KorTracker* tracker);
    bool RemoveCondition(KorCondition* condition);
    void RemoveExtraRule(KorDimension* dimension);
    void AddExtraRule(KorDimension* dimension);
    void DeleteDimensions(int layer);

    // ---- Creation and change by handle ----
    KorHandle CreateCircle(KorHandle centre, KorHandle rimNode);
    KorHandle CreateConstraint(KOREntityType kind, KorHandle h1, KorHandle h2, KorHandle h3,
                               int weight);
    KorHandle CreateDistance(KorHandle h1, KorHandle h2, KOREntityType kind, int weight);
    KorHandle CreateAngular(KorHandle segment1, KorHandle segment2, KorHandle node1,
                            KorHandle node2, int weight);
    KorHandle CreateAngular(KorHandle arc, int weight);
    KorHandle CreateRadial(KorHandle circleOrArc, int weight);
    bool MergeNodes(KorHandle h1, KorHandle h2);
    bool SetNodePosition(KorHandle handle, double x, double y);
    bool SetDimensionValue(KorHandle handle, const std::string& text);
    bool SetDimensionValue(KorHandle handle, KorHandle other);
    bool SetDimensionValue(KorHandle handle, double value, KORDimensionType relation);
    bool SetWeight(KorHandle handle, int weight);
    bool GetWeight(KorHandle handle, int* weight);
    bool GetDimensionValue(KorHandle handle, double& value);
    bool GetDimensionValue(KorHandle handle, std::string& text);
    bool RemoveObject(KorHandle handle);

    // ---- Queries ----
    void Rewind();
    KorNode* Get1stNode();
    KorNode* GetNextNode();
    KorPrimitive* Get1stPrimitive(std::vector<KorObject*>* nodes);
    KorPrimitive* GetNextPrimitive(std::vector<KorObject*>* nodes);
    KorHandle GetNextPrimitive(KOREntityType& type, KorHandle* nodes);
    bool IsLastPrimitive() const;
    KorConstraint* Get1stConstraint();
    KorConstraint* GetNextConstraint();
    KorHandle GetNextConstraint(KOREntityType& type, KorHandle& h1, KorHandle& h2,
                                KorHandle& h3);
    KorDimension* Get1stDimension(std::vector<KorObject*>* ends);
    KorDimension* GetNextDimension(std::vector<KorObject*>* ends);
    KorHandle GetNextDimension(KOREntityType& type, KorHandle& h1, KorHandle& h2);
    int GetNumOfNodes() const { return static_cast<int>(mNodes.size()); }
    int GetNumOfPrimitives() const { return static_cast<int>(mPrimitives.size()); }
    KorPrimitive* GetPrimitive(int index) const;
    int GetNumOfEnabledDimensions() const;
    short GetNumOfSolutions() const { return static_cast<short>(mSolutions.size()); }
    KorDimension* GetAngularDimension(KorNode* vertex) const;
    short GetIndex(KorDimension* dimension) const;
    short GetIndex(KorPrimitive* primitive) const;
    KorCondition* GetEqualDimensionChain(KorDimension* dimension) const;
    bool IsNodeSymmetrySet(KorNode* node1, KorNode* node2, KorEntity* axis) const;
    KorDimension* GetUnresolvedDimension() const;
    KorDimaint* GetUnresolved() const;
    KorNode* GetInconsistent() const;
    KorHandle GetHandle(const KorObject* object) const;
    const char* GetEntityName(KorHandle handle) const;
    KorObject* GetKorObject(const char* name) const;
    void CalculateExtents(double* minX, double* minY, double* maxX, double* maxY) const;

    // ---- Command text ----
    std::size_t Save(std::string& text, bool nodesAndPrimitivesOnly);
    bool playbackStart(const char* path);
    bool playbackStartFromString(const std::string& text);

    // ---- Resolve: ordering, weights and errors ----
    bool DoResolve();
    void SetDimensionChain(KorDimension* dimension, std::vector<KorDimension*>& dimensions,
                           std::vector<KorDimension*>& group);
    bool DoWeightedAlign();
    bool Align();
    bool RestoreGeometry();
    void AddWeighted(KorDimaint* dimaint);
    void RemoveWeighted(KorDimaint* dimaint);
    void ResetWeighted();
    void SavePreAdjustmentGeometry();
    void RestorePreAdjustmentGeometry();
    void SavePreStepGeometry();
    void RestorePreStepGeometry();
    void RestorePreAlignmentGeometry();
    void ClearBackupGeometry();
    bool ResolveConditions(bool* retry);
    bool IsSolvedCondition() const;
    void ResetGeometryStatus();
    void ClearFixed();

    // ---- Search and backtracking ----
    bool Solve(KorDimSolution** restart);
    bool SolutionCutoff();
    bool FetchOtherDim(int& cursor, KorDF*& df, int& equalCount);
    bool StepBack(int& cursor, KorDF*& df, int& equalCount);
    bool RestoreBackupCluster(int& cursor);
    void SetClusterSolution(int index, KorDimSolution* solution);
    short GetClusterIndex() const { return mClusterIndex; }
    bool RedundantCluster(int count) const;
    KorDimension* GetLockDim(KorEntity* entity) const;
    KorDimension* GetLockDim(KorDimension* d1, KorDimension* d2) const;
    void SetDoubleSolution(KorDimSolution* first, KorDimSolution* second);
    void SetTripleSolution(KorDimSolution* first, KorDimSolution* second);
    // A pair solved together whose geometry failed in this resolve.
    bool DoubleFailed(const KorDimension* first, const KorDimension* second) const;
    void NoteFailedDouble(KorDimSolution** failed);
    KorShiftGroup* SetupShiftGroup(KorNode* node1, KorNode* node2, KorTracker* tracker,
                                   KorDimaint* dimaint);
    bool AddAdjustmentTracker(KorTracker* tracker);
    // cursor -1 starts at the bottom of the stack.
    KorTangent* GetSolvedTangent(int& cursor) const;
    KorDimSolution** Adjust();
    bool Solve1Step(KorDimSolution**& cursor);
    bool TripleAdjust(KorDimSolution* s1, KorDimSolution* s2, KorDimSolution* s3);
    bool Align(KorDimSolution* solution, KorDimension* dimension);
    bool Align(KorDimSolution* s1, KorDimSolution* s2, KorDimSolution* s3);
    void ClearSolutions(KorDimSolution** from = nullptr);
    void RemoveSolution();
    void DisableSolution(KorDimSolution* solution);
    void RestoreToSingle(KorDimSolution** entry);
    void ClearTempSolutions();
    // Frees the clusters of solutions kept for backtracking.
    void DeleteClusters();
    void SetTempSolutionsStore();
    void SetupJournal();
    void DeleteShiftGroups();

    // ---- Drag, transforms and hit tests ----
    void SetSmartDragging(bool on);
    bool DoSimpleShift(double dx, double dy);
    void SetAlignmentTrackers();
    void UpdateAlignmentTrackers();
    void RemoveAlignmentTrackers();
    void AddAlignmentTracker(KorTracker* tracker);
    void ClearAlignmentTrackers();
    KorTracker* GetTracker(geobject& object);
    KorTracker* GetTracker(const point& p, line* direction,
                           std::vector<KorTracker*>* excluded);
    KorPrimitive* GetPrimitive(const point& p, line* direction);
    KorLinTracker* GetTracker(KorNode* node1, KorNode* node2, line* direction, bool strict);
    KorCirTracker* GetTracker(KorNode* centre, KorNode* node2, KorNode* node3);

    // ---- Access for the entity classes and derived models ----
    const std::vector<KorNode*>& GetNodes() const { return mNodes; }
    const std::vector<KorPrimitive*>& GetPrimitives() const { return mPrimitives; }
    const std::vector<KorConstraint*>& GetConstraints() const { return mConstraints; }
    const std::vector<KorTracker*>& GetTrackers() const { return mTrackers; }
    const std::vector<KorDimension*>& GetDimensions() const { return mDimensions; }
    const std::vector<KorCondition*>& GetConditions() const { return mConditions; }
    const std::vector<KorDimension*>& GetExtraRules() const { return mExtraRules; }
    const std::vector<KorDimSolution*>& GetSolutions() const { return mSolutions; }
    const std::vector<KorDimaint*>& GetWeightedDimaints() const { return mWeighted; }
    bool IsAlignmentTracker(const KorTracker* tracker) const;
    bool IsSmartDragging() const { return mbSmartDragging; }
    KorNode* GetDraggedNode() const { return mpDraggedNode; }
    bool IsAligned() const { return mbAligned; }
    bool IsPlaceholderUsed() const { return mbPlaceholderUsed; }
    // True while the second, anchored search runs (after today's search of a
    // resolve failed, and at every drag step).
    bool IsAnchoredSearch() const { return mbAnchoredSearch; }
    // Parallels and perpendiculars count as met only within GeoDif degrees
    // as placed; off in a resolve that finds no such solution.
    bool IsStrictDirections() const { return mbStrictDirections; }
    // The last resolve succeeded only under the library's own reading.
    bool IsLenientResult() const { return mbLenientResult; }
    void SetTraceChanges(bool on) { mbTraceChanges = on; }
    bool GetTraceChanges() const { return mbTraceChanges; }
    void SetRulesFlag(bool on) { mbRules = on; }
    bool GetRulesFlag() const { return mbRules; }
    unsigned& ResolveCounter() { return mCounter; }
    short GetFrontCount() const { return mFrontCount; }

protected:
    // One geometry snapshot: node positions, line-tracker lines and
    // circle-tracker circles, in list order.
    struct GeometrySnapshot {
        std::vector<point> nodes;
        std::vector<line> lines;
        std::vector<circle> circles;
        // Creation serials of the objects, to restore each to its own.
        std::vector<std::uint64_t> nodeSerials;
        std::vector<std::uint64_t> lineSerials;
        std::vector<std::uint64_t> circleSerials;
        void Clear();
    };
    // Per-level record of the search: dimension indices fetched, retry flag.
    struct JournalRecord {
        std::set<short> fetched;
        bool retry = false;
    };

    void SaveGeometry(GeometrySnapshot& snapshot) const;
    bool RestoreGeometry(const GeometrySnapshot& snapshot);
    void DeleteSolutionsAbove(std::size_t level);
    void RemoveFromWeightedConstraints(KorDimaint* dimaint);
    bool CanAddEntity() const;
    KorObject* ObjectOf(KorHandle handle) const;
    KorNode* NodeOf(KorHandle handle) const;
    KorPrimitive* PrimitiveOf(KorHandle handle) const;
    KorDimension* DimensionOf(KorHandle handle) const;
    KorDimaint* DimaintOf(KorHandle handle) const;
    std::size_t InsertPosition(KOREntityType type) const;
    void FinishCreation(KorDimaint* dimaint, KorHandle handle, KOREntityType lineType,
                        KorHandle h1, KorHandle h2, KorHandle h3, int weight);
    line DragLineThrough(const point& p) const;
    bool WithinAngularPlay(const line& a, const line& b) const;
    KorTracker* NearestTracker(const point& p, const line* direction,
                               const std::vector<KorTracker*>* excluded) const;
    void GiveUp(KorDimaint* dimaint);
    void GiveUpWeights();
    bool AlignNodes(const std::vector<KorNode*>& order);
    void SetNodeStatusesAfterAlignment();
    bool TryConditionCandidates(KorCondition* condition, KorDimension* dimension);
    long RestartIndexOf(KorDimension* dimension) const;
    bool AddConditionDimension();
    bool RestartWithCondition(int& cursor, KorDF*& df, int& equalCount);
    bool ResumeFromTempSolutions(int& cursor, KorDF*& df, int& equalCount);
    bool AdjustAdjustmentTrackers();
    bool ResolveOnce(bool journal);
    bool RetryAnchored() const;
    bool RelaysDirection(const KorDimSolution* solution, KorDimension* dimension) const;
    int NextDimension() const;
    int AnchorRank(KorDimension* dimension) const;
    bool ResolveWithoutPenHold();
    bool ResolveSearches(bool journal);
    bool ResolveStrictThenLenient(bool journal);
    bool ResolveWithImpliedDimension();
    bool HasTwin(KorDimension* dimension) const;
    bool RetryLenient() const;
    void TakeBackGivenUp(std::size_t kept);
    bool IsJournalActive() const;
    void WriteJournal(const std::string& line);
    template <typename T>
    static bool EraseFrom(std::vector<T*>& list, const T* item)
    {
        for (auto it = list.begin(); it != list.end(); ++it)
            if (*it == item) {
                list.erase(it);
                return true;
            }
        return false;
    }

    int mError = 0;
    bool mbAligned = false;
    bool mbSolved = true;
    std::vector<KorNode*> mNodes;
    std::size_t mNodeCursor = 0;
    std::vector<KorPrimitive*> mPrimitives;
    std::size_t mPrimitiveCursor = 0;
    std::vector<KorConstraint*> mConstraints;
    std::size_t mConstraintCursor = 0;
    std::vector<KorTracker*> mTrackers;
    std::vector<KorDimension*> mDimensions;
    std::size_t mDimensionCursor = 0;
    KorNamesManager mNames;
    // The journal; held through a pointer so the capture classes stay out of
    // this header.
    std::unique_ptr<KorCaptureVCR> mpCapture;
    std::vector<KorDimSolution*> mSolutions;
    short mClusterIndex = 0;
    std::vector<KorDimSolution*> mTempSolutions;
    bool mbBackupCluster = false;
    std::vector<KorTracker*> mAdjustmentTrackers;
    unsigned mClusterCursor = 0;
    short mNumEnabledDimensions = 0;
    std::vector<std::vector<KorDimSolution*>> mClusters;
    bool mbRedundantCluster = false;
    std::vector<JournalRecord> mJournal;
    std::vector<JournalRecord> mBackupJournal;
    bool mbRequireIntersectionAttributes = false;
    angle mAngularPlay;
    double mLinearPlay = 0.1;
    float mInputSnap = 0.3f;
    std::map<short, KorDimSolution*> mSingleSolutions;
    std::vector<std::pair<const KorDimension*, const KorDimension*>> mFailedDoubles;
    std::vector<KorCondition*> mConditions;
    std::vector<KorDimension*> mExtraRules;
    bool mbTraceChanges = false;
    GeometrySnapshot mPreAdjustment;
    GeometrySnapshot mPreAlignment;
    GeometrySnapshot mPreStep;
    // Number of trackers -> nodes, in node-list order within one key.
    std::multimap<int, KorNode*> mAlignmentOrder;
    bool mbBoundedSupport = true;
    bool mbPlaceholderUsed = false;
    bool mbInDrag = false;
    KorNode* mpDraggedNode = nullptr;
    std::vector<KorShiftGroup*> mShiftGroups;
    double mDragDx = 0.0;
    double mDragDy = 0.0;
    // Owned while in the set; ordered by creation serial.
    std::set<KorTracker*, KorSerialLess> mAlignmentTrackers;
    angle mDragDirection;
    bool mbSmartDragging = true;
    bool mbSimpleShift = false;
    int mReorderings = 0;
    short mFrontCount = -1;
    std::vector<KorDimaint*> mWeighted;
    std::vector<KorDimaint*> mWeightedConstraints;
    // The dimaints that giving up weights disabled; only they are enabled again.
    std::vector<KorDimaint*> mGivenUp;
    unsigned mCurLayer = 0;
    int mDeepestLevel = 0;
    bool mbLayout = false;
    bool mbRules = false;
    unsigned mCounter = 0;
    bool mbModified = false;
    // Set while Resolve runs: nodes the solver moves are not pen moves.
    bool mbSolving = false;
    // The second search: directions re-laid even within tolerance, and the
    // dimensions taken in anchored order.
    bool mbAnchoredSearch = false;
    bool mbStrictDirections = false;
    bool mbLenientResult = false;
    bool mbRoundsExhausted = false;

    static int mReorderingLimit;
    static const char* const mKORVersion;
};
