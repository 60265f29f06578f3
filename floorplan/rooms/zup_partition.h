// A room of a floor: an ordered ring of wall surfaces with its contour,
// centre, name, label and two flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "point.h"
#include "polygon.h"
#include "zup_edge.h"

class geobject;
class ZupNode;
class ZupOpening;
class ZupPartitionSolution;
class ZupWallSurface;

class ZupPartition {
public:
    explicit ZupPartition(bool outerShell = false);
    // Deletes every wall surface.
    ~ZupPartition();
    // The surfaces are owned: rooms are copied through Create, never member-wise.
    ZupPartition(const ZupPartition&) = delete;
    ZupPartition& operator=(const ZupPartition&) = delete;

    // Builds the ring from a closed walk; the result of MakeWallContour.
    bool Create(ZupPartitionSolution* walk, ZupEdgeType type);
    void AddEdge(ZupEdge* edge, ZupNode* node);
    // Appends the surface from a to b; false when no wall joins them.
    bool AddSurface(ZupNode* a, ZupNode* b);
    void RemoveSurface(ZupWallSurface* surface);
    // The edge is going: no wall of the room holds it any more.
    void ReleaseEdge(ZupEdge* edge);
    // The node is going: no wall of the room starts or ends at it any more.
    void ReleaseNode(KorNode* node);
    void RemoveLastEdge();
    bool IsSimilar(ZupPartitionSolution& walk) const;
    bool MakeWallContour();
    polygon GetDisplayContour();
    ZupEdge* GetIntersectedEdge(geobject& object);
    int GetNumOfOpenings() const;
    bool Contain(ZupEdge* edge) const;
    void SetUnmovable();
    ZupOpening* GetCommonPortal(ZupPartition* other) const;
    ZupEdge* GetCommonEdge(ZupPartition* other) const;
    bool IsAdjucent(ZupPartition* other) const { return GetCommonEdge(other) != nullptr; }
    ZupNode* GetClosestVertex(point& p) const;
    bool IsHit(point& p);

    short GetNumOfNodes() const { return mNumOfNodes; }
    int GetNumOfWalls() const { return static_cast<int>(mSurfaces.size()); }
    ZupWallSurface* GetWall(int i) const;
    point& GetCenter() { return mCenter; }
    polygon& GetContour() { return mContour; }
    bool IsOuterShell() const { return mbOuterShell; }
    void SetBelow(bool below) { mbBelow = below; }
    bool IsBelow() const { return mbBelow; }
    const char* GetName() const { return mName.empty() ? nullptr : mName.c_str(); }
    const char* GetLabel() const { return mLabel.empty() ? nullptr : mLabel.c_str(); }
    void SetName(const char* name);
    void SetLabel(const char* label);

    // Creation order of the rooms of the process (orders sets of rooms).
    std::uint64_t GetSerial() const { return mSerial; }

private:
    std::vector<ZupWallSurface*> mSurfaces;
    polygon mContour;
    point mCenter;
    short mNumOfNodes = 0;
    std::string mName;
    std::string mLabel;
    bool mbBelow = false;
    bool mbOuterShell = false;
    std::uint64_t mSerial;
};
