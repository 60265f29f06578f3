// One face of a run of walls on one tracker toward one room.
#pragma once

#include <cstddef>
#include <vector>

class point;
class KorNode;
class KorTracker;
class ZupEdge;
class ZupNode;
class ZupPartition;
class ZupWallObject;

class ZupWallSurface {
public:
    ZupWallSurface(ZupPartition* room, ZupNode* start);
    // Leaves its room and clears itself from each of its edges.
    ~ZupWallSurface();
    ZupWallSurface(const ZupWallSurface&) = delete;
    ZupWallSurface& operator=(const ZupWallSurface&) = delete;

    KorTracker* GetTracker() const;
    ZupNode* GetStart() const { return mpStart; }
    ZupNode* GetEnd() const { return mpEnd; }
    void SetEnd(ZupNode* node) { mpEnd = node; }
    KorNode* GetCenter() const;
    double GetRadius() const;
    ZupNode* GetOtherNode(KorNode* node) const;
    ZupPartition* GetPartition() const { return mpRoom; }

    int GetNumOfEdges() const { return static_cast<int>(mEdges.size()); }
    ZupEdge* Get1stEdge();
    ZupEdge* GetNextEdge();
    ZupEdge* GetEdge(int i) const;
    void AddEdge(ZupEdge* edge, bool setEnd);
    void RemoveEdge(ZupEdge* edge, ZupNode* a, ZupNode* b);
    bool Contain(ZupEdge* edge) const;
    void ReplaceNode(KorNode* oldNode, KorNode* newNode);
    void AddSurface(ZupWallSurface* other);
    bool IsExternal() const;

    int GetNumOfOpenings() const;
    int GetNumOfObjects() const;
    ZupWallObject* GetWallObject(int i) const;
    ZupWallObject* GetWallObject(point& p);
    ZupWallObject* GetWallObjectByEnd(point& p, int type, ZupWallObject* skip);

private:
    ZupNode* mpStart = nullptr;
    ZupNode* mpEnd = nullptr;
    std::vector<ZupEdge*> mEdges;
    std::size_t mEdgeCursor = 0;  // next index of the walk; past the end: none
    ZupPartition* mpRoom = nullptr;
};
