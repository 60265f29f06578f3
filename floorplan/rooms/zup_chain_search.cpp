// The depth-first search of a chain over the portals of the rooms' walls.
#include "zup_chain.h"

#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_partition.h"
#include "zup_wall_surface.h"

bool ZupChain::Create(ZupOpening* from, ZupPartition* room, ZupOpening* target)
{
    Clean();
    ZupPartitionSet visited;
    return FindWayAround(from, room, target, nullptr, mLinks, visited);
}

bool ZupChain::Create(ZupOpening* from, ZupPartition* room, ZupPartition* targetRoom)
{
    Clean();
    ZupPartitionSet visited;
    return FindWayAround(from, room, nullptr, targetRoom, mLinks, visited);
}

namespace {

void DeleteLinks(std::vector<ZupLink*>& links)
{
    while (!links.empty()) {
        delete links.back();
        links.pop_back();
    }
}

}  // namespace

bool ZupChain::FindWayAround(ZupOpening* from, ZupPartition* room, ZupOpening* target,
                             ZupPartition* targetRoom, std::vector<ZupLink*>& links,
                             ZupPartitionSet& visited)
{
    if (!room)
        return false;
    for (int s = 0; s < room->GetNumOfWalls(); ++s) {
        ZupWallSurface* surface = room->GetWall(s);
        for (int e = 0; e < surface->GetNumOfEdges(); ++e) {
            ZupEdge* edge = surface->GetEdge(e);
            for (int i = 0; i < edge->GetNumOfObjects(); ++i) {
                ZupWallObject* object = edge->GetWallObject(i);
                if (!object->IsPortal())
                    continue;
                auto* portal = static_cast<ZupOpening*>(object);
                if (portal != target && (portal == from || edge->IsExternal()))
                    continue;
                links.push_back(new ZupLink{from, portal, room});
                if (portal == target)
                    return true;
                ZupPartition* next = edge->GetOtherPartition(room);
                if (next && next == targetRoom)
                    return true;
                if (!next || visited.count(next))
                    continue;
                visited.insert(room);
                std::vector<ZupLink*> deeper;
                if (FindWayAround(portal, next, target, targetRoom, deeper, visited)) {
                    links.insert(links.end(), deeper.begin(), deeper.end());
                    return true;
                }
                DeleteLinks(deeper);
                visited.erase(room);
            }
        }
    }
    return false;
}
