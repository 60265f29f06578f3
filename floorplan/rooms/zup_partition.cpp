#include "zup_partition.h"

#include <algorithm>
#include <atomic>
#include <map>

#include "distances.h"
#include "geolist.h"
#include "kor_node.h"
#include "kor_tracker.h"
#include "segment.h"
#include "settings.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_partition_solution.h"
#include "zup_wall_surface.h"

namespace {

std::atomic<std::uint64_t> gNextRoomSerial{1};

// Sides i and j of a closed contour join the same two vertices.
bool SameSide(const polygon& contour, short i, short j)
{
    const point a(contour[i]), b(contour[static_cast<short>(i + 1)]);
    const point c(contour[j]), d(contour[static_cast<short>(j + 1)]);
    return (a == c && b == d) || (a == d && b == c);
}

// A ring that does not start where the last one ended is an island of the
// room: the contour steps over to it from the room's first node and comes
// back the same way, so the island's area is left out.
void StepOver(polygon& contour, ZupNode* at, ZupNode* next, ZupNode* first)
{
    if (!next || next == at)
        return;
    if (at != first)
        contour + first->GetPoint();
    contour + next->GetPoint();
}

ZupEdge* WallBetween(KorNode* a, KorNode* b)
{
    return a && b ? ZupFloor::CastToEdge(a->GetPrimitive(b)) : nullptr;
}

}  // namespace

ZupPartition::ZupPartition(bool outerShell)
    : mbOuterShell(outerShell), mSerial(gNextRoomSerial++)
{
}

ZupPartition::~ZupPartition()
{
    while (!mSurfaces.empty()) {
        ZupWallSurface* surface = mSurfaces.back();
        mSurfaces.pop_back();
        delete surface;
    }
}

bool ZupPartition::Create(ZupPartitionSolution* walk, ZupEdgeType type)
{
    if (!walk)
        return false;
    mNumOfNodes = 1;
    ZupEdge* previous = nullptr;
    ZupNode* node = nullptr;
    ZupNode* next = nullptr;
    for (int i = 0; walk->GetStep(i, node, next); ++i) {
        node->DecreaseUsability();
        ZupEdge* wall = WallBetween(node, next);
        if (!wall)
            continue;
        wall->SetType(type);
        if (!previous || wall->GetTracker() != previous->GetTracker())
            mSurfaces.push_back(new ZupWallSurface(this, node));
        mSurfaces.back()->AddEdge(wall, true);
        ++mNumOfNodes;
        previous = wall;
    }
    --mNumOfNodes;
    // (A room holding islands ends on an island's ring, never joined to its own.)
    if (mSurfaces.size() > 1 && mSurfaces.front()->GetTracker() == mSurfaces.back()->GetTracker() &&
        mSurfaces.back()->GetEnd() == mSurfaces.front()->GetStart()) {
        ZupWallSurface* last = mSurfaces.back();
        mSurfaces.front()->AddSurface(last);
        delete last;  // leaves the room on its own
    }
    return MakeWallContour();
}

void ZupPartition::AddEdge(ZupEdge* edge, ZupNode* node)
{
    if (!edge)
        return;
    if (!mSurfaces.empty() && edge->GetTracker() == mSurfaces.back()->GetTracker()) {
        mSurfaces.back()->AddEdge(edge, true);
        return;
    }
    ZupNode* start = node ? node : dynamic_cast<ZupNode*>(edge->GetStart());
    mSurfaces.push_back(new ZupWallSurface(this, start));
    mSurfaces.back()->AddEdge(edge, true);
}

bool ZupPartition::AddSurface(ZupNode* a, ZupNode* b)
{
    if (!a || !b)
        return false;
    if (!mSurfaces.empty() && mSurfaces.back()->GetEnd() != a) {
        ZupWallSurface* last = mSurfaces.back();
        last->ReplaceNode(last->GetEnd(), a);
        if (last->GetStart() == last->GetEnd())
            delete last;  // leaves the room on its own
    }
    auto* surface = new ZupWallSurface(this, a);
    mSurfaces.push_back(surface);
    ZupNode* current = a;
    KorTracker* tracker = a->GetCommonTracker(b);
    if (tracker && tracker->GetNumOfNodes() > 2) {
        segment run(a->GetPoint(), b->GetPoint());
        std::multimap<double, ZupNode*> between;
        for (int i = 0; i < tracker->GetNumOfNodes(); ++i) {
            auto* n = dynamic_cast<ZupNode*>(tracker->GetNode(static_cast<unsigned>(i)));
            if (!n || n == a || n == b || n->GetNumOfPrimitives() == 0)
                continue;
            const double t = n->GetPoint().position(run);
            if (t > GeoDif() && t < 1.0 - GeoDif())
                between.emplace(t, n);
        }
        for (const auto& [t, n] : between) {
            if (ZupEdge* wall = WallBetween(current, n)) {
                surface->AddEdge(wall, true);
                wall->SetupType();
            }
            current = n;
        }
    }
    ZupEdge* wall = WallBetween(current, b);
    if (!wall) {
        delete surface;  // leaves the room on its own
        return false;
    }
    surface->AddEdge(wall, true);
    wall->SetupType();
    return true;
}

void ZupPartition::RemoveSurface(ZupWallSurface* surface)
{
    auto it = std::find(mSurfaces.begin(), mSurfaces.end(), surface);
    if (it != mSurfaces.end())
        mSurfaces.erase(it);
}

void ZupPartition::ReleaseEdge(ZupEdge* edge)
{
    for (ZupWallSurface* surface : mSurfaces)
        if (surface->Contain(edge)) {
            surface->RemoveEdge(edge, nullptr, nullptr);
            edge->ReplaceSurface(surface, nullptr);
        }
}

void ZupPartition::ReleaseNode(KorNode* node)
{
    for (ZupWallSurface* surface : mSurfaces)
        surface->ReplaceNode(node, nullptr);
}

void ZupPartition::RemoveLastEdge()
{
    if (mSurfaces.empty())
        return;
    ZupWallSurface* last = mSurfaces.back();
    ZupEdge* edge = last->GetEdge(last->GetNumOfEdges() - 1);
    if (!edge)
        return;
    last->RemoveEdge(edge, nullptr, nullptr);
    edge->ReplaceSurface(last, nullptr);
    if (last->GetNumOfEdges() == 0)
        delete last;  // leaves the room on its own
}

bool ZupPartition::IsSimilar(ZupPartitionSolution& walk) const
{
    if (mNumOfNodes != walk.GetLength())
        return false;
    for (ZupWallSurface* surface : mSurfaces)
        if (!walk.Contain(surface->GetStart()) || !walk.Contain(surface->GetEnd()))
            return false;
    return true;
}

bool ZupPartition::MakeWallContour()
{
    mContour.clear();
    if (mSurfaces.size() < 3)
        return false;
    for (ZupWallSurface* surface : mSurfaces)
        if (!surface->GetStart() || !surface->GetEnd()) {
            mContour.clear();
            return false;
        }
    ZupNode* first = mSurfaces.front()->GetStart();
    mContour + first->GetPoint();
    ZupNode* at = first;
    for (ZupWallSurface* surface : mSurfaces) {
        StepOver(mContour, at, surface->GetStart(), first);
        mContour + surface->GetEnd()->GetPoint();
        at = surface->GetEnd();
    }
    mContour.close();
    const short sides = static_cast<short>(mContour.count() - 1);
    auto same = [this](short i, short j) { return SameSide(mContour, i, j); };
    if (sides == 3 && (same(0, 2) || same(0, 1)))
        return false;
    if (sides == 4 && ((same(0, 1) && same(2, 3)) || (same(0, 3) && same(2, 1))))
        return false;
    mCenter = mContour.center();
    return true;
}

ZupEdge* ZupPartition::GetIntersectedEdge(geobject& object)
{
    for (ZupWallSurface* surface : mSurfaces) {
        if (!surface->GetStart() || !surface->GetEnd() || surface->GetNumOfEdges() == 0)
            continue;
        segment run(surface->GetStart()->GetPoint(), surface->GetEnd()->GetPoint());
        geolist_ref crossings = run % object;
        if (crossings.count() > 0)
            return surface->GetEdge(0);
    }
    return nullptr;
}

bool ZupPartition::Contain(ZupEdge* edge) const
{
    for (ZupWallSurface* surface : mSurfaces)
        if (surface->Contain(edge))
            return true;
    return false;
}

void ZupPartition::SetUnmovable()
{
    for (ZupWallSurface* surface : mSurfaces)
        if (KorTracker* tracker = surface->GetTracker())
            tracker->SetMovable(false);
}

ZupEdge* ZupPartition::GetCommonEdge(ZupPartition* other) const
{
    if (!other)
        return nullptr;
    for (ZupWallSurface* surface : mSurfaces)
        for (int i = 0; i < surface->GetNumOfEdges(); ++i)
            if (other->Contain(surface->GetEdge(i)))
                return surface->GetEdge(i);
    return nullptr;
}

ZupNode* ZupPartition::GetClosestVertex(point& p) const
{
    ZupNode* closest = nullptr;
    double best = 0.0;
    for (ZupWallSurface* surface : mSurfaces) {
        ZupNode* node = surface->GetStart();
        if (!node)
            continue;
        const double d = GeoDistance(node->GetPoint(), p);
        if (!closest || d < best) {
            closest = node;
            best = d;
        }
    }
    return closest;
}

bool ZupPartition::IsHit(point& p)
{
    if (mContour.count() == 0)
        return false;
    return p < mContour || p == mContour;
}

ZupWallSurface* ZupPartition::GetWall(int i) const
{
    if (i < 0 || i >= static_cast<int>(mSurfaces.size()))
        return nullptr;
    return mSurfaces[i];
}

void ZupPartition::SetName(const char* name)
{
    if (name)
        mName = name;
}

void ZupPartition::SetLabel(const char* label)
{
    if (label)
        mLabel = label;
}
