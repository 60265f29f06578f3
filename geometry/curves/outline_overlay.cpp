#include "outline_overlay.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "polygon.h"

namespace {

using Points = std::vector<G_POINT>;

constexpr int kA = 0;
constexpr int kB = 1;

// Twice the area of the triangle o, a, b; positive when it turns left.
double Cross(const G_POINT& o, const G_POINT& a, const G_POINT& b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double Distance(const G_POINT& a, const G_POINT& b)
{
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
}

// The side a-b crosses the horizontal ray from p to the right (half-open in
// y, so a vertex on the ray counts once).
bool CrossesRay(const G_POINT& p, const G_POINT& a, const G_POINT& b)
{
    return (a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
}

// Point-in-ring by the crossing number over all sides, for a few tests.
bool InsideBySides(const G_POINT& p, const std::vector<G_POINT>& pts, const std::vector<int>& ring)
{
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        inside ^= CrossesRay(p, pts[ring[j]], pts[ring[i]]);
    return inside;
}

bool Same(const G_POINT& a, const G_POINT& b) { return a.x == b.x && a.y == b.y; }

// Twice the signed area of a ring without its closing repeat; positive
// counter-clockwise (y upwards).
double TwiceArea(const Points& v)
{
    double sum = 0;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++)
        sum += v[j].x * v[i].y - v[i].x * v[j].y;
    return sum;
}

// The ring's vertices without the closing repeat and without repeated
// neighbours; false unless it is a closed ring of three finite vertices.
bool ReadRing(const POLY& body, Points& ring)
{
    if (body.count < 4 || !body.vertices || !PointsNear(body.vertices[0], body.vertices[body.count - 1]))
        return false;
    for (short i = 0; i + 1 < body.count; ++i) {
        const G_POINT& p = body.vertices[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
        if (ring.empty() || !Same(ring.back(), p))
            ring.push_back(p);
    }
    while (ring.size() > 1 && Same(ring.back(), ring.front()))
        ring.pop_back();
    return ring.size() >= 3;
}

// The same ring walked the other way from the same first vertex.
void Reverse(Points& ring) { std::reverse(ring.begin() + 1, ring.end()); }

// Point-in-ring by the crossing number, over sides binned by their y range
// so that a test looks only at the sides level with the point.
class RingIndex {
public:
    RingIndex(const Points& pts, const std::vector<int>& ring) : pts_(pts), ring_(ring)
    {
        const size_t n = ring.size();
        double lo = pts[ring[0]].y, hi = lo;
        for (int node : ring) {
            lo = std::fmin(lo, pts[node].y);
            hi = std::fmax(hi, pts[node].y);
        }
        bins_ = static_cast<int>(std::clamp<size_t>(n / 2, 1, 1 << 14));
        y0_ = lo;
        height_ = hi > lo ? (hi - lo) / bins_ : 1.0;
        std::vector<std::pair<int, int>> spans(n);
        start_.assign(bins_ + 1, 0);
        for (size_t k = 0; k < n; ++k) {
            const double ya = pts[ring[k]].y, yb = pts[ring[(k + 1) % n]].y;
            spans[k] = {Bin(std::fmin(ya, yb)), Bin(std::fmax(ya, yb))};
            for (int i = spans[k].first; i <= spans[k].second; ++i)
                ++start_[i + 1];
        }
        for (int i = 0; i < bins_; ++i)
            start_[i + 1] += start_[i];
        std::vector<int> fill(start_.begin(), start_.end() - 1);
        sides_.resize(start_[bins_]);
        for (size_t k = 0; k < n; ++k)
            for (int i = spans[k].first; i <= spans[k].second; ++i)
                sides_[fill[i]++] = static_cast<int>(k);
    }

    bool Contains(const G_POINT& p) const
    {
        if (p.y < y0_ || p.y > y0_ + height_ * bins_)
            return false;
        bool inside = false;
        const int bin = Bin(p.y);
        const size_t n = ring_.size();
        for (int i = start_[bin]; i < start_[bin + 1]; ++i)
            inside ^= CrossesRay(p, pts_[ring_[sides_[i]]], pts_[ring_[(sides_[i] + 1) % n]]);
        return inside;
    }

private:
    int Bin(double y) const
    {
        const double i = std::floor((y - y0_) / height_);
        return static_cast<int>(std::clamp(i, 0.0, static_cast<double>(bins_ - 1)));
    }

    const Points& pts_;
    const std::vector<int>& ring_;
    int bins_ = 1;
    double y0_ = 0, height_ = 1;
    std::vector<int> start_;
    std::vector<int> sides_;
};

// How a sub-side of one outline lies against the other outline.
enum class Lies : char { Outside, Inside, SharedSame, SharedOpposite };

// A piece chosen for the result, from node to node.
struct Directed {
    int from, to;
    int ring;    // the outline it comes from
    int origin;  // that outline's input side
};

class Overlay {
public:
    // `a` is a closed ring or, when `aIsRun`, an open run of vertices.
    Overlay(const Points& a, const Points& b, bool aIsRun = false);
    bool Run(OverlayOp op, bool reverseOutput, std::vector<OverlayRing>& out);
    // The sides of the run `a`, split and judged against b, entry j for
    // side j; false when b falls apart into fewer than three nodes.
    bool SplitRun(std::vector<SplitSide>& sides);

private:
    int SideCount(int ring) const;
    int SubSideCount(int ring) const;
    int AddNode(const G_POINT& p);
    int Find(int node);
    void Unite(int a, int b);
    int SnappedToA(const G_POINT& p, const std::vector<std::pair<double, int>>& byX) const;

    void FindCrossings();
    void TestPair(int sideA, int sideB);
    bool SplitAtEnd(int ring, int side, int endNode, const G_POINT& s0, const G_POINT& s1);
    void SplitRings();
    void MergeCloseNeighbours(int ring);
    void BuildSequence(int ring);

    void MarkShared();
    void Classify(int ring);
    std::vector<Directed> Select(OverlayOp op) const;
    bool Link(const std::vector<Directed>& edges, bool reverseOutput, std::vector<OverlayRing>& out);
    int NextEdge(const std::vector<Directed>& edges, int arriving, const std::vector<int>& outStart,
                 const std::vector<int>& outEdges, const std::vector<char>& used) const;
    bool StraightJunction(int node, const G_POINT& prev, const G_POINT& next) const;
    bool Near(const G_POINT& p, const G_POINT& a, const G_POINT& b) const;
    OverlayRing Corners(const std::vector<Directed>& edges, const std::vector<int>& path) const;
    void Emit(const std::vector<Directed>& edges, const std::vector<int>& path, bool reverseOutput,
              std::vector<OverlayRing>& out) const;

    double eps_ = 0;
    bool open_[2] = {false, false};
    std::vector<G_POINT> pts_;
    std::vector<int> parent_;
    std::vector<int> vertices_[2];  // node of each input vertex
    struct Split {
        int side;
        double t;
        int node;
    };
    std::vector<Split> splits_[2];
    std::vector<int> nodes_[2];   // the split outline, cyclic
    std::vector<int> origin_[2];  // input side of sub-side k (nodes k -> k+1)
    std::vector<char> on_[2];     // node lies on outline r
    std::vector<Lies> lies_[2];
};

int Overlay::SideCount(int ring) const
{
    const int n = static_cast<int>(vertices_[ring].size());
    return open_[ring] ? n - 1 : n;
}

int Overlay::SubSideCount(int ring) const
{
    const int n = static_cast<int>(nodes_[ring].size());
    return open_[ring] ? n - 1 : n;
}

int Overlay::AddNode(const G_POINT& p)
{
    pts_.push_back(p);
    parent_.push_back(static_cast<int>(parent_.size()));
    return parent_.back();
}

int Overlay::Find(int node)
{
    while (parent_[node] != node) {
        parent_[node] = parent_[parent_[node]];
        node = parent_[node];
    }
    return node;
}

void Overlay::Unite(int a, int b)
{
    a = Find(a);
    b = Find(b);
    if (a != b)
        parent_[std::max(a, b)] = std::min(a, b);  // the older node keeps its place
}

// A vertex of b within the tolerance of a vertex of a becomes that vertex.
int Overlay::SnappedToA(const G_POINT& p, const std::vector<std::pair<double, int>>& byX) const
{
    auto it = std::lower_bound(byX.begin(), byX.end(), std::make_pair(p.x - eps_, -1));
    for (; it != byX.end() && it->first <= p.x + eps_; ++it)
        if (Distance(pts_[it->second], p) <= eps_)
            return it->second;
    return -1;
}

// The tolerance is relative to the size of the drawing: it joins what
// rounding separates, never what the user drew apart, so every area stays
// that of the input.
Overlay::Overlay(const Points& a, const Points& b, bool aIsRun)
{
    open_[kA] = aIsRun;
    double extent = 1.0;
    for (const Points* ring : {&a, &b})
        for (const G_POINT& p : *ring)
            extent = std::fmax(extent, std::fmax(std::fabs(p.x), std::fabs(p.y)));
    eps_ = 1e-9 * extent;
    const size_t vertices = a.size() + b.size();
    pts_.reserve(2 * vertices);
    parent_.reserve(2 * vertices);
    vertices_[kA].reserve(a.size());
    vertices_[kB].reserve(b.size());
    std::vector<std::pair<double, int>> byX;
    byX.reserve(a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        // A run that returns to its start is closed in one node.
        if (aIsRun && i > 1 && i + 1 == a.size() && Distance(a.front(), a[i]) <= eps_) {
            vertices_[kA].push_back(vertices_[kA].front());
            break;
        }
        vertices_[kA].push_back(AddNode(a[i]));
        byX.emplace_back(a[i].x, vertices_[kA].back());
    }
    std::sort(byX.begin(), byX.end());
    for (const G_POINT& p : b) {
        const int snapped = SnappedToA(p, byX);
        vertices_[kB].push_back(snapped >= 0 ? snapped : AddNode(p));
    }
}

// Sides of both outlines swept by their x extent: each pair whose boxes meet
// is tested once, when the later-starting side comes up.
void Overlay::FindCrossings()
{
    struct Box {
        double x0, x1, y0, y1;
        int side;
    };
    std::vector<Box> boxes[2], active[2];
    for (int r : {kA, kB}) {
        const std::vector<int>& v = vertices_[r];
        boxes[r].reserve(v.size());
        active[r].reserve(v.size());
        for (int k = 0; k < SideCount(r); ++k) {
            const G_POINT& p = pts_[v[k]];
            const G_POINT& q = pts_[v[(k + 1) % v.size()]];
            boxes[r].push_back({std::fmin(p.x, q.x) - eps_, std::fmax(p.x, q.x) + eps_,
                                std::fmin(p.y, q.y) - eps_, std::fmax(p.y, q.y) + eps_, k});
        }
        std::sort(boxes[r].begin(), boxes[r].end(), [](const Box& s, const Box& t) { return s.x0 < t.x0; });
    }
    size_t next[2] = {0, 0};
    while (next[kA] < boxes[kA].size() || next[kB] < boxes[kB].size()) {
        const int r = next[kB] >= boxes[kB].size() ||
                              (next[kA] < boxes[kA].size() && boxes[kA][next[kA]].x0 <= boxes[kB][next[kB]].x0)
                          ? kA
                          : kB;
        const Box& box = boxes[r][next[r]++];
        std::vector<Box>& others = active[1 - r];
        for (size_t i = 0; i < others.size();) {
            if (others[i].x1 < box.x0) {
                others[i] = others.back();
                others.pop_back();
                continue;
            }
            if (others[i].y0 <= box.y1 && box.y0 <= others[i].y1)
                r == kA ? TestPair(box.side, others[i].side) : TestPair(others[i].side, box.side);
            ++i;
        }
        active[r].push_back(box);
    }
}

// An end of the other outline's side that lies on this side (within the
// tolerance, strictly between its ends) splits this side there.
bool Overlay::SplitAtEnd(int ring, int side, int endNode, const G_POINT& s0, const G_POINT& s1)
{
    const G_POINT& p = pts_[endNode];
    const double dx = s1.x - s0.x, dy = s1.y - s0.y;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0)
        return false;
    const double t = ((p.x - s0.x) * dx + (p.y - s0.y) * dy) / length2;
    if (t <= 0 || t >= 1 || std::fabs(Cross(s0, s1, p)) > eps_ * std::sqrt(length2))
        return false;
    splits_[ring].push_back({side, t, endNode});
    return true;
}

void Overlay::TestPair(int sideA, int sideB)
{
    const std::vector<int>& va = vertices_[kA];
    const std::vector<int>& vb = vertices_[kB];
    const int a0 = va[sideA], a1 = va[(sideA + 1) % va.size()];
    const int b0 = vb[sideB], b1 = vb[(sideB + 1) % vb.size()];
    const G_POINT p0 = pts_[a0], p1 = pts_[a1], q0 = pts_[b0], q1 = pts_[b1];
    bool touched = false;
    for (int end : {b0, b1})
        if (end != a0 && end != a1)
            touched |= SplitAtEnd(kA, sideA, end, p0, p1);
    for (int end : {a0, a1})
        if (end != b0 && end != b1)
            touched |= SplitAtEnd(kB, sideB, end, q0, q1);
    if (touched || a0 == b0 || a0 == b1 || a1 == b0 || a1 == b1)
        return;
    // A proper crossing: each side's ends clearly on both sides of the other.
    const double la = Distance(p0, p1), lb = Distance(q0, q1);
    if (la == 0 || lb == 0)
        return;
    const double d0 = Cross(q0, q1, p0) / lb, d1 = Cross(q0, q1, p1) / lb;
    const double e0 = Cross(p0, p1, q0) / la, e1 = Cross(p0, p1, q1) / la;
    const auto apart = [this](double u, double v) { return (u > eps_ && v < -eps_) || (u < -eps_ && v > eps_); };
    if (!apart(d0, d1) || !apart(e0, e1))
        return;
    const double t = d0 / (d0 - d1), s = e0 / (e0 - e1);
    const int node = AddNode({p0.x + t * (p1.x - p0.x), p0.y + t * (p1.y - p0.y)});
    splits_[kA].push_back({sideA, t, node});
    splits_[kB].push_back({sideB, s, node});
}

// Neighbouring nodes of a split outline closer than the tolerance are one.
void Overlay::MergeCloseNeighbours(int ring)
{
    std::vector<Split>& splits = splits_[ring];
    std::sort(splits.begin(), splits.end(), [](const Split& s, const Split& t) {
        return s.side != t.side ? s.side < t.side : s.t < t.t;
    });
    const std::vector<int>& v = vertices_[ring];
    size_t next = 0;
    for (int side = 0; side < SideCount(ring); ++side) {
        int previous = v[side];
        for (; next < splits.size() && splits[next].side == side; ++next) {
            if (Distance(pts_[Find(previous)], pts_[Find(splits[next].node)]) <= eps_)
                Unite(previous, splits[next].node);
            previous = splits[next].node;
        }
        const int end = v[(side + 1) % v.size()];
        if (Distance(pts_[Find(previous)], pts_[Find(end)]) <= eps_)
            Unite(previous, end);
    }
}

void Overlay::BuildSequence(int ring)
{
    std::vector<int>& seq = nodes_[ring];
    std::vector<int>& origin = origin_[ring];
    const std::vector<int>& v = vertices_[ring];
    const std::vector<Split>& splits = splits_[ring];
    seq.reserve(v.size() + splits.size() + 1);
    origin.reserve(v.size() + splits.size() + 1);
    const auto push = [&](int node, int side) {
        node = Find(node);
        if (!seq.empty() && seq.back() == node)
            origin.back() = side;  // the empty sub-side gives way to the one after it
        else {
            seq.push_back(node);
            origin.push_back(side);
        }
    };
    size_t next = 0;
    for (int side = 0; side < SideCount(ring); ++side) {
        push(v[side], side);
        for (; next < splits.size() && splits[next].side == side; ++next)
            push(splits[next].node, side);
    }
    if (open_[ring])
        push(v.back(), SideCount(ring) - 1);
    while (!open_[ring] && seq.size() > 1 && seq.back() == seq.front()) {
        seq.pop_back();
        origin.pop_back();
    }
    on_[ring].assign(pts_.size(), 0);
    for (int node : seq)
        on_[ring][node] = 1;
}

void Overlay::SplitRings()
{
    MergeCloseNeighbours(kA);
    MergeCloseNeighbours(kB);
    BuildSequence(kA);
    BuildSequence(kB);
}

std::uint64_t SideKey(int from, int to)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(from)) << 32) | static_cast<std::uint32_t>(to);
}

// Sub-sides that both outlines hold between the same two nodes.
void Overlay::MarkShared()
{
    for (int r : {kA, kB})
        lies_[r].assign(nodes_[r].size(), Lies::Outside);
    const std::vector<int>& nb = nodes_[kB];
    std::vector<std::pair<std::uint64_t, int>> sidesOfB;
    sidesOfB.reserve(nb.size());
    for (size_t k = 0; k < nb.size(); ++k)
        sidesOfB.emplace_back(SideKey(nb[k], nb[(k + 1) % nb.size()]), static_cast<int>(k));
    std::sort(sidesOfB.begin(), sidesOfB.end());
    const auto find = [&sidesOfB](std::uint64_t key) {
        auto it = std::lower_bound(sidesOfB.begin(), sidesOfB.end(), std::make_pair(key, -1));
        return it != sidesOfB.end() && it->first == key ? it->second : -1;
    };
    const std::vector<int>& na = nodes_[kA];
    for (int k = 0; k < SubSideCount(kA); ++k) {
        const int from = na[k], to = na[(k + 1) % na.size()];
        if (!on_[kB][from] || !on_[kB][to])
            continue;
        int match = find(SideKey(from, to));
        Lies lies = Lies::SharedSame;
        if (match < 0) {
            match = find(SideKey(to, from));
            lies = Lies::SharedOpposite;
        }
        if (match >= 0)
            lies_[kA][k] = lies_[kB][match] = lies;
    }
}

// The sub-sides between two nodes on the other outline lie on one side of
// it: one test per such run, at a vertex of the run off the other outline or
// else at the middle of its one sub-side.
void Overlay::Classify(int ring)
{
    const int other = 1 - ring;
    const std::vector<int>& seq = nodes_[ring];
    const size_t n = seq.size();
    const size_t sides = static_cast<size_t>(SubSideCount(ring));
    struct Run {
        size_t first, length;
        G_POINT probe;
    };
    std::vector<Run> runs;
    size_t start = 0;
    while (!open_[ring] && start < n && !on_[other][seq[start]])
        ++start;
    if (start == n)
        start = 0;
    size_t done = 0, k = start;
    while (done < sides) {
        const size_t first = k;
        size_t length = 0;
        do {
            ++length;
            k = (k + 1) % n;
            ++done;
        } while (done < sides && !on_[other][seq[k]]);
        if (lies_[ring][first] == Lies::SharedSame || lies_[ring][first] == Lies::SharedOpposite)
            continue;
        const G_POINT& p = pts_[seq[first]];
        const G_POINT& q = pts_[seq[(first + 1) % n]];
        runs.push_back({first, length, length >= 2 ? q : G_POINT{(p.x + q.x) / 2, (p.y + q.y) / 2}});
    }
    // A handful of tests go over all sides; more pay for binning them first.
    const bool few = runs.size() <= 8;
    const std::optional<RingIndex> index =
        few ? std::nullopt : std::optional<RingIndex>(std::in_place, pts_, nodes_[other]);
    for (const Run& run : runs) {
        const bool inside = few ? InsideBySides(run.probe, pts_, nodes_[other]) : index->Contains(run.probe);
        for (size_t j = 0; j < run.length; ++j)
            lies_[ring][(run.first + j) % n] = inside ? Lies::Inside : Lies::Outside;
    }
}

// Both outlines run counter-clockwise here. A side both share counts once,
// from a; b's pieces inside a bound a difference the other way round.
std::vector<Directed> Overlay::Select(OverlayOp op) const
{
    std::vector<Directed> edges;
    edges.reserve(nodes_[kA].size() + nodes_[kB].size());
    bool contact = false;
    for (int node : nodes_[kA])
        contact = contact || on_[kB][node];
    for (int r : {kA, kB}) {
        const std::vector<int>& seq = nodes_[r];
        for (size_t k = 0; k < seq.size(); ++k) {
            const Lies lies = lies_[r][k];
            bool take = false, reversed = false;
            switch (op) {
            case OverlayOp::Intersection:
                take = lies == Lies::Inside || (r == kA && lies == Lies::SharedSame);
                break;
            case OverlayOp::Union:
                take = lies == Lies::Outside || (r == kA && lies == Lies::SharedSame);
                break;
            case OverlayOp::Difference:
                // b strictly inside a would be a hole, which an outline
                // cannot hold: a stays whole.
                take = r == kA ? (lies == Lies::Outside || lies == Lies::SharedOpposite)
                               : (lies == Lies::Inside && contact);
                reversed = r == kB;
                break;
            }
            if (!take)
                continue;
            const int from = seq[k], to = seq[(k + 1) % seq.size()];
            edges.push_back(reversed ? Directed{to, from, r, origin_[r][k]} : Directed{from, to, r, origin_[r][k]});
        }
    }
    return edges;
}

// Of several ways on from a node, the one turning furthest left keeps the
// interior close, so outlines that touch at a point come out separate.
int Overlay::NextEdge(const std::vector<Directed>& edges, int arriving, const std::vector<int>& outStart,
                      const std::vector<int>& outEdges, const std::vector<char>& used) const
{
    const int node = edges[arriving].to;
    const G_POINT& here = pts_[node];
    const G_POINT& from = pts_[edges[arriving].from];
    const double bx = from.x - here.x, by = from.y - here.y;
    int best = -1;
    double bestTurn = -1;
    for (int i = outStart[node]; i < outStart[node + 1]; ++i) {
        const int e = outEdges[i];
        if (used[e])
            continue;
        const G_POINT& to = pts_[edges[e].to];
        const double dx = to.x - here.x, dy = to.y - here.y;
        double turn = std::atan2(bx * dy - by * dx, bx * dx + by * dy);
        if (turn < 0)
            turn += 2 * GEO_PI;
        if (turn > bestTurn) {
            bestTurn = turn;
            best = e;
        }
    }
    return best;
}

bool Overlay::Link(const std::vector<Directed>& edges, bool reverseOutput, std::vector<OverlayRing>& out)
{
    const int nodes = static_cast<int>(pts_.size());
    std::vector<int> outStart(nodes + 1, 0), outEdges(edges.size());
    for (const Directed& e : edges)
        ++outStart[e.from + 1];
    for (int i = 0; i < nodes; ++i)
        outStart[i + 1] += outStart[i];
    std::vector<int> fill(outStart.begin(), outStart.end() - 1);
    for (size_t e = 0; e < edges.size(); ++e)
        outEdges[fill[edges[e].from]++] = static_cast<int>(e);
    std::vector<char> used(edges.size(), 0);
    std::vector<int> path;
    for (size_t first = 0; first < edges.size(); ++first) {
        if (used[first])
            continue;
        path.clear();
        int e = static_cast<int>(first);
        for (;;) {
            used[e] = 1;
            path.push_back(e);
            if (edges[e].to == edges[first].from)
                break;
            e = NextEdge(edges, e, outStart, outEdges, used);
            if (e < 0)
                return false;
        }
        Emit(edges, path, reverseOutput, out);
    }
    return true;
}

// Where the two outlines meet in a straight line, heading on, the node is no
// corner of the result.
bool Overlay::StraightJunction(int node, const G_POINT& prev, const G_POINT& next) const
{
    if (!on_[kA][node] || !on_[kB][node])
        return false;
    const G_POINT& here = pts_[node];
    return (here.x - prev.x) * (next.x - here.x) + (here.y - prev.y) * (next.y - here.y) > 0 && Near(here, prev, next);
}

// Within the tolerance of the line through a and b.
bool Overlay::Near(const G_POINT& p, const G_POINT& a, const G_POINT& b) const
{
    return std::fabs(Cross(a, p, b)) <= eps_ * Distance(a, b);
}

// The corners of one linked outline: nodes that only split one input side
// go; straight junctions go when every node left out between the corners
// kept stays within the tolerance of the chord between them.
OverlayRing Overlay::Corners(const std::vector<Directed>& edges, const std::vector<int>& path) const
{
    const size_t n = path.size();
    std::vector<int> nodes;
    for (size_t j = 0; j < n; ++j) {
        const Directed& in = edges[path[(j + n - 1) % n]];
        const Directed& on = edges[path[j]];
        if (in.ring != on.ring || in.origin != on.origin)
            nodes.push_back(on.from);
    }
    const size_t m = nodes.size();
    std::vector<size_t> prev(m), next(m);
    std::vector<std::vector<int>> hidden(m);  // nodes left out after each kept one
    for (size_t j = 0; j < m; ++j) {
        prev[j] = (j + m - 1) % m;
        next[j] = (j + 1) % m;
    }
    size_t kept = m;
    for (size_t j = 0; j < m && kept > 3; ++j) {
        const G_POINT& a = pts_[nodes[prev[j]]];
        const G_POINT& b = pts_[nodes[next[j]]];
        if (!StraightJunction(nodes[j], a, b))
            continue;
        bool within = true;
        for (const std::vector<int>* span : {&hidden[prev[j]], &hidden[j]})
            for (int node : *span)
                within = within && Near(pts_[node], a, b);
        if (!within)
            continue;
        std::vector<int>& behind = hidden[prev[j]];
        behind.push_back(nodes[j]);
        behind.insert(behind.end(), hidden[j].begin(), hidden[j].end());
        next[prev[j]] = next[j];
        prev[next[j]] = prev[j];
        nodes[j] = -1;
        --kept;
    }
    OverlayRing ring;
    for (int node : nodes)
        if (node >= 0)
            ring.push_back(pts_[node]);
    return ring;
}

void Overlay::Emit(const std::vector<Directed>& edges, const std::vector<int>& path, bool reverseOutput,
                   std::vector<OverlayRing>& out) const
{
    OverlayRing ring = Corners(edges, path);
    if (ring.size() < 3)
        return;
    double perimeter = 0;
    for (size_t j = 0; j < ring.size(); ++j)
        perimeter += Distance(ring[j], ring[(j + 1) % ring.size()]);
    if (std::fabs(TwiceArea(ring)) <= 2 * eps_ * perimeter)
        return;  // a sliver along a shared side encloses nothing
    if (reverseOutput)
        Reverse(ring);
    ring.push_back(ring.front());
    out.push_back(std::move(ring));
}

bool Overlay::SplitRun(std::vector<SplitSide>& sides)
{
    FindCrossings();
    SplitRings();
    if (nodes_[kB].size() < 3)
        return false;
    sides.assign(SideCount(kA), SplitSide{});
    MarkShared();
    Classify(kA);
    const std::vector<int>& seq = nodes_[kA];
    for (int k = 0; k < SubSideCount(kA); ++k) {
        SplitSide& side = sides[origin_[kA][k]];
        if (side.points.empty())
            side.points.push_back(pts_[seq[k]]);
        side.points.push_back(pts_[seq[k + 1]]);
        const Lies lies = lies_[kA][k];
        side.lies.push_back(lies == Lies::Inside    ? PieceLies::Inside
                            : lies == Lies::Outside ? PieceLies::Outside
                                                    : PieceLies::Along);
    }
    return true;
}

bool Overlay::Run(OverlayOp op, bool reverseOutput, std::vector<OverlayRing>& out)
{
    FindCrossings();
    SplitRings();
    if (nodes_[kA].size() < 3 || nodes_[kB].size() < 3)
        return false;
    MarkShared();
    Classify(kA);
    Classify(kB);
    std::vector<OverlayRing> rings;
    if (!Link(Select(op), reverseOutput, rings))
        return false;
    out = std::move(rings);
    return true;
}

}  // namespace

bool OverlayOutlines(const POLY& a, const POLY& b, OverlayOp op, std::vector<OverlayRing>& out)
{
    Points ra, rb;
    if (!ReadRing(a, ra) || !ReadRing(b, rb))
        return false;
    const double areaA = TwiceArea(ra), areaB = TwiceArea(rb);
    if (areaA == 0 || areaB == 0)
        return false;
    if (areaA < 0)
        Reverse(ra);
    if (areaB < 0)
        Reverse(rb);
    Overlay overlay(ra, rb);
    return overlay.Run(op, areaA < 0, out);
}

bool SplitAgainstOutline(const POLY& subject, const POLY& outline, std::vector<SplitSide>& sides)
{
    Points ring, run;
    if (!ReadRing(outline, ring) || subject.count < 2 || !subject.vertices)
        return false;
    // The run without repeated neighbours; `end[j]` is the input vertex at
    // which its side j ends.
    std::vector<int> end;
    for (short i = 0; i < subject.count; ++i) {
        const G_POINT& p = subject.vertices[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
        if (run.empty() || !Same(run.back(), p)) {
            run.push_back(p);
            end.push_back(i);
        }
    }
    std::vector<SplitSide> split(subject.count - 1);
    if (run.size() >= 2) {
        Overlay overlay(run, ring, true);
        std::vector<SplitSide> byRun;
        if (!overlay.SplitRun(byRun))
            return false;
        for (size_t j = 0; j < byRun.size(); ++j)
            split[end[j + 1] - 1] = std::move(byRun[j]);
    }
    sides = std::move(split);
    return true;
}
