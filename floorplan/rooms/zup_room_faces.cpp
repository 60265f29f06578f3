#include "zup_room_faces.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "zup_edge.h"
#include "zup_node.h"

namespace {

// One side of a wall: the wall walked from `from` to `to`.
struct Side {
    int from = 0;
    int to = 0;
    ZupEdge* wall = nullptr;
    double direction = 0.0;
};

int Root(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

double SignedArea(const std::vector<ZupNode*>& ring)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const point& p = ring[i]->GetPoint();
        const point& q = ring[(i + 1) % ring.size()]->GetPoint();
        sum += p.x() * q.y() - q.x() * p.y();
    }
    return sum / 2.0;
}

}  // namespace

ZupRoomFaces::ZupRoomFaces(const std::vector<ZupNode*>& nodes, const std::vector<ZupEdge*>& walls)
{
    const int n = static_cast<int>(nodes.size());
    for (int i = 0; i < n; ++i)
        mOrder.emplace(nodes[i], i);

    // Both sides of every wall, and the sides leaving each node by direction
    // (walls in the same direction keep their wall order).
    std::vector<Side> sides;
    for (ZupEdge* wall : walls) {
        const int a = GetOrder(dynamic_cast<ZupNode*>(wall->GetStart()));
        const int b = GetOrder(dynamic_cast<ZupNode*>(wall->GetEnd()));
        if (a < 0 || b < 0 || a == b)
            continue;
        const point& pa = nodes[a]->GetPoint();
        const point& pb = nodes[b]->GetPoint();
        const double forward = std::atan2(pb.y() - pa.y(), pb.x() - pa.x());
        const double backward = std::atan2(pa.y() - pb.y(), pa.x() - pb.x());
        sides.push_back({a, b, wall, forward});
        sides.push_back({b, a, wall, backward});
    }
    std::vector<std::vector<int>> leaving(n);
    for (int s = 0; s < static_cast<int>(sides.size()); ++s)
        leaving[sides[s].from].push_back(s);
    std::vector<int> slot(sides.size(), 0);
    for (std::vector<int>& around : leaving) {
        std::stable_sort(around.begin(), around.end(), [&sides](int x, int y) {
            return sides[x].direction < sides[y].direction;
        });
        for (int k = 0; k < static_cast<int>(around.size()); ++k)
            slot[around[k]] = k;
    }
    auto twin = [](int s) { return s ^ 1; };

    // Groups of walls.
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    for (const Side& side : sides)
        parent[Root(parent, side.from)] = Root(parent, side.to);
    mGroupOf.assign(n, -1);
    std::vector<int> groupOfRoot(n, -1);
    for (int i = 0; i < n; ++i) {
        if (leaving[i].empty())
            continue;
        int& group = groupOfRoot[Root(parent, i)];
        if (group < 0)
            group = mNumOfGroups++;
        mGroupOf[i] = group;
    }

    // Every side lies on exactly one face.
    std::vector<bool> used(sides.size(), false);
    for (int first = 0; first < static_cast<int>(sides.size()); ++first) {
        if (used[first])
            continue;
        ZupFace face;
        for (int s = first; !used[s];) {
            used[s] = true;
            face.ring.push_back(nodes[sides[s].from]);
            face.walls.push_back(sides[s].wall);
            const std::vector<int>& around = leaving[sides[s].to];
            const int back = slot[twin(s)];
            s = around[(back + 1) % around.size()];
        }
        face.area = SignedArea(face.ring);
        face.group = mGroupOf[GetOrder(face.ring.front())];
        mFaces.push_back(std::move(face));
    }
}

int ZupRoomFaces::GetOrder(const ZupNode* node) const
{
    const auto it = mOrder.find(node);
    return it == mOrder.end() ? -1 : it->second;
}

int ZupRoomFaces::GetOutline(const ZupNode* node) const
{
    const int order = GetOrder(node);
    if (order < 0 || mGroupOf[order] < 0)
        return -1;
    int best = -1;
    for (int f = 0; f < static_cast<int>(mFaces.size()); ++f) {
        const ZupFace& face = mFaces[f];
        if (face.group != mGroupOf[order] || !(face.area > 0.0))
            continue;
        if (best < 0 || face.area > mFaces[best].area)
            best = f;
    }
    return best;
}

bool ZupRoomFaces::Holds(const std::vector<ZupNode*>& ring, const point& p)
{
    bool inside = false;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const point& a = ring[i]->GetPoint();
        const point& b = ring[(i + 1) % ring.size()]->GetPoint();
        if ((a.y() > p.y()) != (b.y() > p.y())) {
            const double x = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (x > p.x())
                inside = !inside;
        }
    }
    return inside;
}
