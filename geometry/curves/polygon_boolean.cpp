#include "polygon_boolean.h"

#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "clipping.h"
#include "geolist.h"
#include "outline_overlay.h"
#include "polygon.h"
#include "settings.h"
#include "tessellation.h"

namespace {

using Run = std::vector<G_POINT>;

int PieceCount(const geolist_pr& list)
{
    int n = 0;
    G_POINT *f = nullptr, *l = nullptr;
    for (int i = 0; i < list.length; ++i)
        if (PieceEnds(list.items[i], f, l) > 0)
            ++n;
    return n;
}

// Appends the piece's n points from `first` by a PieceJoinMode code and marks
// the piece consumed.
void Consume(Run& chain, list_item& piece, const G_POINT* first, short n, char mode)
{
    const size_t had = chain.size();
    chain.resize(had + n);
    chain.resize(had + AppendPiece(chain.data(), static_cast<short>(had), first, n, mode));
    piece.code = 0;
}

// Joins the piece onto the chain when their ends meet.
bool JoinPiece(Run& chain, list_item& piece)
{
    G_POINT *first = nullptr, *last = nullptr;
    const short n = PieceEnds(piece, first, last);
    if (n < 2)
        return false;
    const char mode = PieceJoinMode(chain.front(), chain.back(), *first, *last);
    if (mode == 0)
        return false;
    Consume(chain, piece, first, n, mode);
    return true;
}

// Each clip may move a crossing onto one of its own vertices, by up to
// GeoSnap in x and in y, so the two clips' copies of one crossing can lie up
// to twice that apart.
double Gap(const G_POINT& a, const G_POINT& b)
{
    return std::fmax(std::fabs(a.x - b.x), std::fabs(a.y - b.y));
}

// When nothing meets within GeoSnap: closes the chain, or joins the piece
// whose end is nearest to one of the chain's ends, when that gap is within
// 2 GeoSnap. True when the chain changed.
bool BridgeCrossingGap(Run& chain, geolist_pr& first, int current, geolist_pr& second)
{
    double best = 2 * GeoSnap();
    list_item* nearest = nullptr;
    char mode = 0;
    bool close = Gap(chain.front(), chain.back()) <= best;
    if (close)
        best = Gap(chain.front(), chain.back());
    const auto consider = [&](list_item& piece) {
        G_POINT *f = nullptr, *l = nullptr;
        if (PieceEnds(piece, f, l) < 2)
            return;
        // The end pairs in PieceJoinMode's order, with its codes.
        const std::pair<const G_POINT*, const G_POINT*> pairs[] = {
            {&chain.back(), f}, {&chain.back(), l}, {&chain.front(), f}, {&chain.front(), l}};
        const char modes[] = {6, 10, 5, 9};
        for (int k = 0; k < 4; ++k) {
            const double gap = Gap(*pairs[k].first, *pairs[k].second);
            if (gap < best) {
                best = gap;
                nearest = &piece;
                mode = modes[k];
                close = false;
            }
        }
    };
    for (int i = 0; i < second.length; ++i)
        consider(second.items[i]);
    for (int i = current + 1; i < first.length; ++i)
        consider(first.items[i]);
    if (close) {
        chain.push_back(chain.front());
        return true;
    }
    if (!nearest)
        return false;
    G_POINT *f = nullptr, *l = nullptr;
    const short n = PieceEnds(*nearest, f, l);
    Consume(chain, *nearest, f, n, mode);
    return true;
}

// Grows one chain from a first-list piece until it closes or nothing joins.
void GrowChain(Run& chain, geolist_pr& first, int current, geolist_pr& second)
{
    bool secondFailedBefore = false;
    for (;;) {
        if (PointsMeet(chain.front(), chain.back()))
            return;
        bool secondJoined = false;
        for (int i = 0; i < second.length; ++i) {
            list_item& piece = second.items[i];
            if (JoinPiece(chain, piece)) {
                secondJoined = true;
                break;
            }
            if (PieceHasEdge(piece, chain.front(), chain.back())) {
                chain.push_back(chain.front());  // the piece holds the closing edge
                break;
            }
        }
        bool firstJoined = false;
        for (int i = current + 1; i < first.length && !firstJoined; ++i)
            firstJoined = JoinPiece(chain, first.items[i]);
        if (!firstJoined && (!secondJoined || secondFailedBefore)) {
            if (PointsMeet(chain.front(), chain.back()))
                return;
            if (!BridgeCrossingGap(chain, first, current, second))
                return;
            secondFailedBefore = false;
            continue;
        }
        if (!secondJoined)
            secondFailedBefore = true;
    }
}

Run PieceRun(const list_item& item)
{
    G_POINT *first = nullptr, *last = nullptr;
    const short n = PieceEnds(item, first, last);
    return n > 0 ? Run(first, first + n) : Run();
}

class ConnectModeScope {
public:
    explicit ConnectModeScope(bool clear) : saved_(GeoConnectMode())
    {
        if (clear)
            GeoConnectMode() = 0;
    }
    ~ConnectModeScope() { GeoConnectMode() = saved_; }
    ConnectModeScope(const ConnectModeScope&) = delete;
    ConnectModeScope& operator=(const ConnectModeScope&) = delete;

private:
    char saved_;
};

}  // namespace

short PieceEnds(const list_item& item, G_POINT*& first, G_POINT*& last)
{
    if (item.code == GEO_STORED_RUN && item.stored) {
        const short n = static_cast<short>(item.stored[0].x);
        if (n <= 0)
            return 0;
        first = item.stored + 1;
        last = item.stored + n;
        return n;
    }
    if (item.code == GEO_STORED_PIECE && item.stored) {
        first = item.stored;
        last = item.stored + 1;
        return 2;
    }
    return 0;
}

bool PieceHasEdge(const list_item& piece, const G_POINT& a, const G_POINT& b)
{
    if (piece.code != GEO_STORED_RUN || !piece.stored)
        return false;
    const short n = static_cast<short>(piece.stored[0].x);
    if (n <= 2)
        return false;
    const G_POINT* v = piece.stored + 1;
    for (short k = 0; k + 2 < n; ++k) {
        if ((PointsNear(v[k], a) && PointsNear(v[k + 1], b)) ||
            (PointsNear(v[k], b) && PointsNear(v[k + 1], a)))
            return true;
    }
    return false;
}

void StitchPolygonPieces(geolist_pr& first, geolist_pr& second, geolist_pr& out, bool keepUnconsumed)
{
    ConnectModeScope connect(PieceCount(first) > 1 || PieceCount(second) > 1);
    try {
        std::vector<StoredPiece> chains;
        for (int i = 0; i < first.length; ++i) {
            Run chain = PieceRun(first.items[i]);
            if (chain.empty())
                continue;
            GrowChain(chain, first, i, second);
            if (chain.size() > 2)
                chains.push_back(StoredPiece{std::move(chain), true});
        }
        if (keepUnconsumed) {
            for (int i = 0; i < second.length; ++i) {
                Run run = PieceRun(second.items[i]);
                if (run.size() > 2 && PointsMeet(run.front(), run.back()))
                    chains.push_back(StoredPiece{std::move(run), true});
            }
        }
        StorePieces(out, chains);
    } catch (const std::bad_alloc&) {
        // An empty result tells of the failure.
    }
}

geolist_ref StitchPolygonPieces(const geolist_ref& first, const geolist_ref& second, bool keepUnconsumed)
{
    geolist out;
    if (first.body() && second.body() && out.body())
        StitchPolygonPieces(*first.body(), *second.body(), *out.body(), keepUnconsumed);
    return geolist_ref(out.body());
}

// ---------------------------------------------------------------------------
// The polygon operators

namespace {

bool Combinable(const geobject& other)
{
    const short code = other.typecode();
    return code == GEO_POLYGON || code == GEO_LIST || code == GEO_VERTEX_RUN;
}

geolist_ref Empty()
{
    geolist list;
    return geolist_ref(list.body());
}

geolist_ref Combine(const geolist_ref& p, const geolist_ref& q, bool keepUnconsumed)
{
    if (p.count() > 0 && q.count() > 0)
        return StitchPolygonPieces(p, q, keepUnconsumed);
    if (p.count() > 0)
        return p;
    if (q.count() > 0)
        return q;
    return Empty();
}

// ClipTouchFlag set for a scope, and put back.
class ClipTouchAs {
public:
    explicit ClipTouchAs(char flag) : saved_(ClipTouchFlag()) { ClipTouchFlag() = flag; }
    ~ClipTouchAs() { ClipTouchFlag() = saved_; }
    ClipTouchAs(const ClipTouchAs&) = delete;
    ClipTouchAs& operator=(const ClipTouchAs&) = delete;

private:
    char saved_;
};

// Clipping does not change the object clipped against; the slots only lack const.
geobject& Clippable(const geobject& other) { return const_cast<geobject&>(other); }

bool AllClosed(const geolist_ref& result)
{
    for (short i = 0; i < result.count(); ++i)
        if (!result[i].closed())
            return false;
    return true;
}

// A result list holding the polygon's outline as one stored vertex run.
geolist_ref Outline(const polygon& pg)
{
    geolist out;
    const POLY& body = *pg.body();
    if (out.body() && body.count > 0) {
        try {
            if (!StorePieces(*out.body(), {StoredPiece{Run(body.vertices, body.vertices + body.count), true}}))
                GeoError() = GEO_NO_MEMORY;
        } catch (const std::bad_alloc&) {
            GeoError() = GEO_NO_MEMORY;
        }
    }
    return geolist_ref(out.body());
}

// Pieces that run along the other outline can leave a chain open when one
// polygon lies within the other and touches its outline: the answer is then
// the inner (for &&) or the outer (for ||) outline.
geolist_ref ContainedCase(const polygon& a, const geobject& other, bool wantInner)
{
    if (other.typecode() != GEO_POLYGON)
        return geolist_ref();
    const polygon& b = static_cast<const polygon&>(other);
    ClipTouchAs touch(0);
    if ((Clippable(b) >> a).count() == 0)  // b lies within a
        return Outline(wantInner ? b : a);
    if ((const_cast<polygon&>(a) >> b).count() == 0)  // a lies within b
        return Outline(wantInner ? a : b);
    return geolist_ref();
}

geolist_ref Repaired(const geolist_ref& result, const polygon& a, const geobject& other, bool wantInner)
{
    if (AllClosed(result))
        return result;
    geolist_ref contained = ContainedCase(a, other, wantInner);
    return contained.count() > 0 ? contained : result;
}

double RunArea(const Run& run)
{
    POLY view{static_cast<short>(run.size()), static_cast<short>(run.size()), const_cast<G_POINT*>(run.data()), 1, false};
    return std::fabs(PolygonSignedArea(view));
}

// Outlines that only share a wall stitch into closed runs without area; an
// intersection has nothing there.
geolist_ref WithoutSlivers(const geolist_ref& result)
{
    std::vector<StoredPiece> kept;
    bool dropped = false;
    for (short i = 0; i < result.count(); ++i) {
        const list_item* item = result[i].item();
        if (!item || item->code != GEO_STORED_RUN)
            return result;
        Run run = PieceRun(*item);
        if (PointsMeet(run.front(), run.back()) && RunArea(run) <= GeoSnap() * GeoSnap())
            dropped = true;
        else
            kept.push_back(StoredPiece{std::move(run), true});
    }
    if (!dropped)
        return result;
    geolist out;
    if (out.body())
        StorePieces(*out.body(), kept);
    return geolist_ref(out.body());
}

// Two closed polygon outlines are overlaid directly; false when that does not
// apply (another kind of object, an open or degenerate outline) and the
// clips' pieces are stitched instead.
bool Overlaid(const polygon& a, const geobject& other, OverlayOp op, geolist_ref& result)
{
    if (other.typecode() != GEO_POLYGON)
        return false;
    std::vector<OverlayRing> rings;
    try {
        if (!OverlayOutlines(*a.body(), *static_cast<const polygon&>(other).body(), op, rings))
            return false;
        std::vector<StoredPiece> pieces;
        for (OverlayRing& ring : rings)
            pieces.push_back(StoredPiece{std::move(ring), true});
        geolist out;
        if (out.body() && !StorePieces(*out.body(), pieces))
            GeoError() = GEO_NO_MEMORY;
        result = geolist_ref(out.body());
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        result = Empty();
    }
    return true;
}

}  // namespace

geolist_ref polygon::operator&&(const geobject& other)
{
    if (!Combinable(other))
        return Empty();
    if (geolist_ref result; Overlaid(*this, other, OverlayOp::Intersection, result))
        return result;
    geolist_ref p, q;
    {
        ClipTouchAs touch(0);
        p = *this << other;
        q = Clippable(other) << *this;
    }
    try {
        return WithoutSlivers(Repaired(Combine(p, q, false), *this, other, true));
    } catch (const std::bad_alloc&) {
        GeoError() = GEO_NO_MEMORY;
        return Empty();
    }
}

geolist_ref polygon::operator||(const geobject& other)
{
    if (!Combinable(other))
        return Empty();
    if (geolist_ref result; Overlaid(*this, other, OverlayOp::Union, result))
        return result;
    geolist_ref p, q;
    {
        ClipTouchAs touch(0);
        p = *this >> other;
        q = Clippable(other) >> *this;
    }
    // Nothing of either outline lies outside the other: the same region.
    if (p.count() == 0 && q.count() == 0 && other.typecode() == GEO_POLYGON && count() > 0)
        return Outline(*this);
    return Repaired(Combine(p, q, true), *this, other, false);
}

geolist_ref polygon::operator-(const geobject& other)
{
    if (!Combinable(other))
        return Empty();
    if (geolist_ref result; Overlaid(*this, other, OverlayOp::Difference, result))
        return result;
    geolist_ref p = *this >> other;
    if (p.count() == 0)
        return Empty();
    geolist_ref q = Clippable(other) << *this;
    if (q.count() == 0)  // this polygon itself, as a stored copy that cannot dangle
        return Outline(*this);
    geolist_ref result = StitchPolygonPieces(p, q);
    if (AllClosed(result))
        return result;
    // The other touches this outline from inside: its pieces along the outline
    // bound no part of the difference, and leaving them out lets the chains close.
    geolist_ref p2 = *this >> other;
    geolist_ref q2;
    {
        ClipTouchAs touch(1);
        q2 = Clippable(other) << *this;
    }
    if (p2.count() == 0 || q2.count() == 0)
        return result;
    geolist_ref retry = StitchPolygonPieces(p2, q2);
    return retry.count() > 0 && AllClosed(retry) ? retry : result;
}

bool polygon::modify(const polygon* other, char mode)
{
    if (!other)
        return false;
    polygon& o = const_cast<polygon&>(*other);
    geolist_ref p = mode != 0 ? (o >> *this) : (o << *this);
    geolist_ref q = *this >> o;
    if (p.count() == 0 || q.count() == 0)
        return false;
    // Closed outlines are overlaid, the same union or difference as || and -.
    geolist_ref stitched;
    if (!Overlaid(*this, o, mode != 0 ? OverlayOp::Union : OverlayOp::Difference, stitched))
        stitched = StitchPolygonPieces(p, q);
    if (stitched.count() != 1 || !stitched[0].closed())
        return false;
    return *this = stitched[0];
}
