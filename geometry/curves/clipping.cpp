#include "clipping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "geolist.h"
#include "inside_tests.h"
#include "intersections.h"
#include "line.h"
#include "line_constructions.h"
#include "outline_overlay.h"
#include "point.h"
#include "polygon.h"
#include "segment.h"
#include "settings.h"

char& ClipTouchFlag()
{
    static char flag = 0;
    return flag;
}

namespace {

using Run = std::vector<G_POINT>;

// One piece of the outline being collected: a two-point piece until a
// following side chains onto it, a vertex run after that.
using Piece = StoredPiece;

enum class Where { Inside, Outside, Neither, OnOutline };

G_POINT Middle(const G_POINT& a, const G_POINT& b)
{
    G_POINT m;
    return Midpoint(m, a, b);
}

// GeoSnap narrowed to GeoDif for one classification, and put back.
class SnapAsDif {
public:
    SnapAsDif() : saved_(GeoSnap()) { GeoSnap() = GeoDif(); }
    ~SnapAsDif() { GeoSnap() = saved_; }
    SnapAsDif(const SnapAsDif&) = delete;
    SnapAsDif& operator=(const SnapAsDif&) = delete;

private:
    double saved_;
};

// The crossings of a line with the other object, ordered by increasing key.
Run LineCrossings(const LINE& l, const geobject& other)
{
    CrossingStart() = 0;
    CrossingDescending() = 0;
    CrossingScope scope;
    const short n = LineObjectCrossings(l, other, scope.buffer(), 0);
    const G_POINT* x = scope.points();
    return x && n > 0 ? Run(x, x + n) : Run();
}

// Parameter of p's projection on the segment a -> b.
double ParameterOn(const G_POINT& p, const G_POINT& a, const G_POINT& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    return len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : -1.0;
}

// The collected points with the side's ends first and last and the crossings
// between them by their parameter along the side. Insertion orders by one
// coordinate with GeoSnap to spare (and the polygon worker keys a nearly
// vertical side by y, the side's own order by x), so a crossing just past an
// end in that coordinate can land before the start.
Run InOrderAlongSide(Run points, const G_POINT& a, const G_POINT& b)
{
    const auto dropFirst = [&points](const G_POINT& end) {
        for (auto it = points.begin(); it != points.end(); ++it)
            if (it->x == end.x && it->y == end.y) {
                points.erase(it);
                return;
            }
    };
    dropFirst(a);
    dropFirst(b);
    std::stable_sort(points.begin(), points.end(), [&](const G_POINT& p, const G_POINT& q) {
        return ParameterOn(p, a, b) < ParameterOn(q, a, b);
    });
    points.insert(points.begin(), a);
    points.push_back(b);
    return points;
}

// The side's end points with its crossings between them, in the side's own
// direction. The ends are kept even when close; crossings that fall on an end
// are dropped as duplicates.
Run SidePoints(const G_POINT& a, const G_POINT& b, const LINE& side, const geobject& other)
{
    const bool vertical = side.ltan >= GEO_VERTICAL;
    CrossingStart() = 0;
    CrossingDescending() = vertical ? (b.y < a.y) : (b.x < a.x);
    CrossingScope scope;
    GeoInsertMode() = 1;
    short n = AddCrossings(a, b, 2, scope.buffer(), 0, side.ltan);
    GeoInsertMode() = 0;
    if (n == 2)
        n = static_cast<short>(n + SegmentObjectCrossings(a, b, other, scope.buffer(), n));
    const G_POINT* x = scope.points();
    Run points = x && n >= 2 ? Run(x, x + n) : Run{a, b};
    CrossingDescending() = 0;
    return InOrderAlongSide(std::move(points), a, b);
}

Where BySpans(const G_POINT& m, const Run& crossings, double keySlope)
{
    if (crossings.size() < 2)
        return Where::Outside;
    const short n = static_cast<short>(crossings.size());
    if (InsideCrossingSpans(m, crossings.data(), n, keySlope))
        return Where::Inside;
    if (OutsideCrossingSpans(m, crossings.data(), n, keySlope))
        return Where::Outside;
    return Where::Neither;
}

bool Taken(Where where, char mode, bool firstOfSide)
{
    switch (where) {
    case Where::Inside:
        return mode == CLIP_INSIDE;
    case Where::Outside:
        return mode == CLIP_OUTSIDE;
    case Where::OnOutline:
        return !ClipTouchFlag();
    case Where::Neither:
        return firstOfSide ? !ClipTouchFlag() : true;
    }
    return false;
}

// The crossings of the other object with the perpendicular to the side's
// line through m.
Run PerpendicularCrossings(const LINE& side, const G_POINT& m, const geobject& other)
{
    LINE across;
    LineAtAngleToLine(across, side, m, GEO_PI_2);
    return LineCrossings(across, other);
}

// A sub-piece runs along the other outline when its midpoint and both its
// ends lie on it. The midpoint alone also holds for a short sub-piece that
// leaves the outline at a crossing.
bool AlongOutline(const G_POINT& p, const G_POINT& q, const geobject& other)
{
    return point(Middle(p, q)).IsOn(other) && point(p).IsOn(other) && point(q).IsOn(other);
}

// The sub-piece p -> q: on the other outline, or by the crossing spans of its
// midpoint on the side's line; a side whose line misses the other object is
// judged on the perpendicular through the midpoint.
Where Classify(const G_POINT& p, const G_POINT& q, const Run& sideCrossings, const LINE& side,
               const geobject& other)
{
    if (AlongOutline(p, q, other))
        return Where::OnOutline;
    const G_POINT m = Middle(p, q);
    if (!sideCrossings.empty())
        return BySpans(m, sideCrossings, side.ltan);
    LINE across;
    LineAtAngleToLine(across, side, m, GEO_PI_2);
    return BySpans(m, LineCrossings(across, other), across.ltan);
}

class Clipper {
public:
    Clipper(const geobject& other, char mode) : other_(other), mode_(mode) {}

    void side(const G_POINT& a, const G_POINT& b);
    void splitSide(const SplitSide& split);
    void joinEnds(const G_POINT& firstVertex, const G_POINT& lastVertex);
    const std::vector<Piece>& pieces() const { return pieces_; }

private:
    Where classifyFirst(Run& points, const Run& crossings, const LINE& side);
    bool chain(const Run& points);
    bool meet(const G_POINT& a, const G_POINT& b) const;

    const geobject& other_;
    char mode_;
    // Pieces split at one set of points meet exactly; those cut side by side
    // may miss each other by up to GeoSnap.
    bool exact_ = false;
    std::vector<Piece> pieces_;
};

// Step by step: classify the first sub-piece (with GeoSnap narrowed), chain it
// onto the previous side's piece when they meet, then test the rest.
void Clipper::side(const G_POINT& a, const G_POINT& b)
{
    LINE carrier;
    if (!LineThroughPoints(a, b, carrier))
        return;
    Run points = SidePoints(a, b, carrier, other_);
    Run crossings;
    Where first;
    {
        SnapAsDif narrow;
        crossings = LineCrossings(carrier, other_);
        first = classifyFirst(points, crossings, carrier);
    }
    size_t next = 1;
    if (Taken(first, mode_, true))
        next = chain(points) ? 2 : 0;
    for (size_t j = next; j + 1 < points.size(); ++j) {
        const Where w = Classify(points[j], points[j + 1], crossings, carrier, other_);
        if (Taken(w, mode_, false))
            pieces_.push_back(Piece{Run{points[j], points[j + 1]}, false});
    }
}

Where ByOutline(PieceLies lies)
{
    switch (lies) {
    case PieceLies::Inside:
        return Where::Inside;
    case PieceLies::Outside:
        return Where::Outside;
    case PieceLies::Along:
        break;
    }
    return Where::OnOutline;
}

// A side already split at the other outline and judged piece by piece: the
// first piece chains as in side(); every later piece is taken by its own
// judgement, the one after a chained first included (a crossing where the
// outline only touches leaves both on one side).
void Clipper::splitSide(const SplitSide& split)
{
    const Run& points = split.points;
    if (points.size() < 2)
        return;
    exact_ = true;
    size_t next = 1;
    if (Taken(ByOutline(split.lies[0]), mode_, true))
        next = chain(points) ? 1 : 0;
    for (size_t j = next; j + 1 < points.size(); ++j)
        if (Taken(ByOutline(split.lies[j]), mode_, false))
            pieces_.push_back(Piece{Run{points[j], points[j + 1]}, false});
}

Where Clipper::classifyFirst(Run& points, const Run& crossings, const LINE& side)
{
    const G_POINT start = points[0], end = points[1];
    const G_POINT m = Middle(start, end);
    if (crossings.empty() && points.size() == 3 && !point(m).IsOn(other_)) {
        // A lone side crossing that the side's line does not see only grazes
        // the other outline: with m inside the perpendicular's span the whole
        // side is one sub-piece.
        const Run across = PerpendicularCrossings(side, m, other_);
        if (across.size() >= 2) {
            const double t = ParameterOn(m, across.front(), across.back());
            if (t > 0 && t < 1.0)
                points.erase(points.begin() + 1);
        }
    }
    return Classify(start, end, crossings, side, other_);
}

// Chains the side's first sub-piece onto the last piece when that ends where
// the side starts. True when chained or dropped as a return to the start.
bool Clipper::meet(const G_POINT& a, const G_POINT& b) const
{
    return exact_ ? a.x == b.x && a.y == b.y : PointsNear(a, b);
}

bool Clipper::chain(const Run& points)
{
    if (pieces_.empty() || !meet(pieces_.back().points.back(), points[0]))
        return false;
    Piece& last = pieces_.back();
    const G_POINT& far = points[1];
    if (!last.run && meet(far, last.points.front()))
        return true;
    last.run = true;
    last.points.push_back(far);
    return true;
}

// A closed outline whose pieces straddle the start vertex: the last piece
// continues into the first. The outline's own last and first vertices meet
// within GeoSnap, as a closed polygon's do.
void Clipper::joinEnds(const G_POINT& firstVertex, const G_POINT& lastVertex)
{
    if (pieces_.size() < 2)
        return;
    Piece& first = pieces_.front();
    Piece& last = pieces_.back();
    const auto same = [](const G_POINT& a, const G_POINT& b) { return a.x == b.x && a.y == b.y; };
    const bool closing = same(last.points.back(), lastVertex) && same(first.points.front(), firstVertex) &&
                         PointsNear(lastVertex, firstVertex);
    if (!closing && !meet(last.points.back(), first.points.front()))
        return;
    const size_t n = last.points.size();
    if (first.run && n >= 2 && meet(first.points[1], last.points[n - 2]))
        return;
    last.points.insert(last.points.end(), first.points.begin() + 1, first.points.end());
    last.run = true;
    first = std::move(last);
    pieces_.pop_back();
}

size_t StoreSlots(const StoredPiece& p) { return p.run ? p.points.size() + 1 : 2; }

}  // namespace

bool StorePieces(geolist_pr& list, const std::vector<StoredPiece>& pieces)
{
    if (pieces.empty())
        return true;
    size_t slots = 0;
    for (const StoredPiece& p : pieces)
        slots += StoreSlots(p);
    auto* store = static_cast<G_POINT*>(std::malloc(sizeof(G_POINT) * slots));
    auto* items = static_cast<list_item*>(std::malloc(sizeof(list_item) * pieces.size()));
    if (!store || !items) {
        std::free(store);
        std::free(items);
        return false;
    }
    G_POINT* cursor = store;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const StoredPiece& p = pieces[i];
        items[i].code = p.run ? GEO_STORED_RUN : GEO_STORED_PIECE;
        items[i].stored = cursor;
        if (p.run)
            *cursor++ = G_POINT{static_cast<double>(p.points.size()), 0.0};
        const size_t count = p.run ? p.points.size() : 2;
        std::memcpy(cursor, p.points.data(), sizeof(G_POINT) * count);
        cursor += count;
    }
    std::free(list.items);
    std::free(list.store);
    list.items = items;
    list.store = store;
    list.length = static_cast<int>(pieces.size());
    list.capacity = list.length;
    list.storeCount = static_cast<int>(slots);
    return true;
}

void ClipPolygon(geolist_pr& list, const geobject& other, const POLY& body, char mode)
{
    const short n = body.count;
    if (n < 2 || !body.vertices)
        return;
    try {
        Clipper clipper(other, mode);
        // Against a closed polygon outline the crossings of all sides are
        // found in one sweep and every piece is judged exactly.
        std::vector<SplitSide> split;
        const bool outline = other.typecode() == GEO_POLYGON &&
                             SplitAgainstOutline(body, *static_cast<const polygon&>(other).body(), split);
        for (short i = 1; i < n; ++i) {
            LINE carrier;
            if (outline && LineThroughPoints(body.vertices[i - 1], body.vertices[i], carrier))
                clipper.splitSide(split[i - 1]);
            else if (!outline)
                clipper.side(body.vertices[i - 1], body.vertices[i]);
        }
        clipper.joinEnds(body.vertices[0], body.vertices[n - 1]);
        if (!StorePieces(list, clipper.pieces()))
            GeoError() = GEO_NO_MEMORY;
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
    }
    GeoInsertMode() = 0;
    CrossingStart() = 0;
    CrossingDescending() = 0;
    CrossingCapacity() = 0;
}

namespace {

geolist_ref Clip(const POLY& body, const geobject& other, char mode)
{
    geolist result;
    if (other.typecode() > GEO_LINE && result.body())
        ClipPolygon(*result.body(), other, body, mode);
    return geolist_ref(result.body());
}

}  // namespace

geolist_ref polygon::operator<<(const geobject& other) { return Clip(*body(), other, CLIP_INSIDE); }

geolist_ref polygon::operator>>(const geobject& other)
{
    const char saved = ClipTouchFlag();
    ClipTouchFlag() = 1;
    geolist_ref pieces = Clip(*body(), other, CLIP_OUTSIDE);
    ClipTouchFlag() = saved;
    return pieces;
}
