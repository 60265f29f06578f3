// The bounded faces of a set of straight walls, worked out on its own from
// plain coordinates: the walls are split at every crossing and touching end,
// dangling pieces are peeled off, and the faces are walked by angle. A face
// that holds a separate group of walls loses that group's outline area.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace zup_test {

struct Wall2 {
    double ax, ay, bx, by;
};

struct Arrangement {
    std::vector<double> faceAreas;  // bounded faces, ascending
    int groups = 0;                 // connected groups of walls after peeling
    int groupsOutside = 0;          // groups not inside a face of another group
    int maxDegree = 0;              // after peeling
};

namespace detail {

struct P2 {
    double x, y;
};

inline double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

inline int VertexAt(std::vector<P2>& vertices, double x, double y, double eps)
{
    for (std::size_t i = 0; i < vertices.size(); ++i)
        if (std::hypot(vertices[i].x - x, vertices[i].y - y) < eps)
            return static_cast<int>(i);
    vertices.push_back({x, y});
    return static_cast<int>(vertices.size() - 1);
}

inline double SignedArea(const std::vector<P2>& vertices, const std::vector<int>& cycle)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        const P2& p = vertices[cycle[i]];
        const P2& q = vertices[cycle[(i + 1) % cycle.size()]];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum / 2.0;
}

// Even-odd ray test; a closed walk that runs along a piece twice counts it
// twice, so pieces walked out and back do not change the answer.
inline bool Inside(const std::vector<P2>& vertices, const std::vector<int>& cycle, const P2& p)
{
    bool inside = false;
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        const P2& a = vertices[cycle[i]];
        const P2& b = vertices[cycle[(i + 1) % cycle.size()]];
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (x > p.x)
                inside = !inside;
        }
    }
    return inside;
}

inline int Find(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

}  // namespace detail

// eps: points closer than this are one point (use the model's coincidence
// tolerance or a little more). Without split, walls meet only at their ends
// (a wall that ends on another one stays apart from it).
inline Arrangement Arrange(const std::vector<Wall2>& walls, double eps, bool split = true)
{
    using namespace detail;
    Arrangement result;
    // 1. Split parameters along each wall.
    std::vector<std::vector<double>> cuts(walls.size());
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const Wall2& w = walls[i];
        const double rx = w.bx - w.ax, ry = w.by - w.ay;
        const double len = std::hypot(rx, ry);
        if (len < eps)
            continue;
        cuts[i] = {0.0, 1.0};
        for (std::size_t j = 0; j < walls.size(); ++j) {
            if (j == i || !split)
                continue;
            const Wall2& v = walls[j];
            // Ends of the other wall lying on this one.
            for (const P2 e : {P2{v.ax, v.ay}, P2{v.bx, v.by}}) {
                const double t = ((e.x - w.ax) * rx + (e.y - w.ay) * ry) / (len * len);
                const double px = w.ax + t * rx, py = w.ay + t * ry;
                if (t > 0.0 && t < 1.0 && std::hypot(e.x - px, e.y - py) < eps)
                    cuts[i].push_back(t);
            }
            // A proper crossing.
            const double sx = v.bx - v.ax, sy = v.by - v.ay;
            const double denom = Cross(rx, ry, sx, sy);
            if (std::fabs(denom) < 1e-12 * len * std::hypot(sx, sy))
                continue;
            const double qx = v.ax - w.ax, qy = v.ay - w.ay;
            const double t = Cross(qx, qy, sx, sy) / denom;
            const double u = Cross(qx, qy, rx, ry) / denom;
            if (t > 0.0 && t < 1.0 && u > 0.0 && u < 1.0)
                cuts[i].push_back(t);
        }
    }
    // 2. Pieces between consecutive cuts, with coincident points merged.
    std::vector<P2> vertices;
    std::vector<std::pair<int, int>> edges;
    for (std::size_t i = 0; i < walls.size(); ++i) {
        std::vector<double>& c = cuts[i];
        std::sort(c.begin(), c.end());
        const Wall2& w = walls[i];
        int previous = -1;
        for (double t : c) {
            const int v = VertexAt(vertices, w.ax + t * (w.bx - w.ax), w.ay + t * (w.by - w.ay), eps);
            if (previous >= 0 && previous != v) {
                const auto e = std::minmax(previous, v);
                if (std::find(edges.begin(), edges.end(), std::pair<int, int>(e)) == edges.end())
                    edges.emplace_back(e);
            }
            previous = v;
        }
    }
    // 3. Dangling pieces are peeled off until every point has two pieces or none.
    const int n = static_cast<int>(vertices.size());
    std::vector<std::vector<int>> around(n);
    for (const auto& [a, b] : edges) {
        around[a].push_back(b);
        around[b].push_back(a);
    }
    for (bool peeled = true; peeled;) {
        peeled = false;
        for (int v = 0; v < n; ++v)
            if (around[v].size() == 1) {
                const int u = around[v][0];
                around[v].clear();
                around[u].erase(std::find(around[u].begin(), around[u].end(), v));
                peeled = true;
            }
    }
    // 4. Neighbours by angle; faces walked with the face on the left.
    for (int v = 0; v < n; ++v) {
        std::sort(around[v].begin(), around[v].end(), [&](int a, int b) {
            return std::atan2(vertices[a].y - vertices[v].y, vertices[a].x - vertices[v].x) <
                   std::atan2(vertices[b].y - vertices[v].y, vertices[b].x - vertices[v].x);
        });
        result.maxDegree = std::max(result.maxDegree, static_cast<int>(around[v].size()));
    }
    std::vector<std::vector<bool>> used(n);
    for (int v = 0; v < n; ++v)
        used[v].assign(around[v].size(), false);
    std::vector<std::vector<int>> cycles;
    for (int s = 0; s < n; ++s)
        for (std::size_t k = 0; k < around[s].size(); ++k) {
            if (used[s][k])
                continue;
            std::vector<int> cycle;
            int u = s;
            std::size_t slot = k;
            while (!used[u][slot]) {
                used[u][slot] = true;
                cycle.push_back(u);
                const int v = around[u][slot];
                const auto& ring = around[v];
                const std::size_t back =
                    static_cast<std::size_t>(std::find(ring.begin(), ring.end(), u) - ring.begin());
                slot = (back + ring.size() - 1) % ring.size();
                u = v;
            }
            cycles.push_back(cycle);
        }
    // 5. Groups, and the face of another group that holds each group.
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    for (int v = 0; v < n; ++v)
        for (int w : around[v])
            parent[Find(parent, v)] = Find(parent, w);
    std::vector<double> areas(cycles.size());
    for (std::size_t c = 0; c < cycles.size(); ++c)
        areas[c] = SignedArea(vertices, cycles[c]);
    std::vector<double> faces(areas);
    for (std::size_t h = 0; h < cycles.size(); ++h) {
        if (areas[h] >= 0.0)
            continue;
        ++result.groups;
        const int group = Find(parent, cycles[h][0]);
        int holder = -1;
        for (std::size_t c = 0; c < cycles.size(); ++c) {
            if (areas[c] <= 0.0 || Find(parent, cycles[c][0]) == group)
                continue;
            if (Inside(vertices, cycles[c], vertices[cycles[h][0]]) &&
                (holder < 0 || areas[c] < areas[holder]))
                holder = static_cast<int>(c);
        }
        if (holder < 0)
            ++result.groupsOutside;
        else
            faces[holder] += areas[h];
    }
    for (std::size_t c = 0; c < cycles.size(); ++c)
        if (areas[c] > 0.0)
            result.faceAreas.push_back(faces[c]);
    std::sort(result.faceAreas.begin(), result.faceAreas.end());
    return result;
}

}  // namespace zup_test
