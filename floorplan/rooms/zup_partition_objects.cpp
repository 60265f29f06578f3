// What a room knows of the objects in its walls: its openings, the portal it
// shares with a neighbour, and the outline drawn with corner objects and bay
// windows.
#include "zup_partition.h"

#include "arc.h"
#include "geolist.h"
#include "kor_model.h"
#include "kor_tracker.h"
#include "line.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_node_object.h"
#include "zup_opening.h"
#include "zup_wall_surface.h"
#include "zup_window.h"

int ZupPartition::GetNumOfOpenings() const
{
    int count = 0;
    for (ZupWallSurface* surface : mSurfaces)
        count += surface->GetNumOfOpenings();
    return count;
}

ZupOpening* ZupPartition::GetCommonPortal(ZupPartition* other) const
{
    if (!other)
        return nullptr;
    for (ZupWallSurface* surface : mSurfaces) {
        if (!surface)
            break;
        for (int i = 0; i < surface->GetNumOfEdges(); ++i) {
            ZupEdge* edge = surface->GetEdge(i);
            if (!other->Contain(edge))
                continue;
            if (ZupOpening* opening = edge->Get1stOpening())
                return opening;
            break;  // this surface decided: no portal; the next one may
        }
    }
    return nullptr;
}

namespace {

// The tracker line of a straight wall (the line through its ends otherwise).
line TrackerLine(ZupEdge* edge)
{
    return line(edge->GetStart()->GetPoint(), edge->GetEnd()->GetPoint());
}

void AppendForward(polygon& out, const polygon& piece)
{
    for (short i = 0; i < piece.count(); ++i)
        out + point(piece[i]);
}

void AppendBackward(polygon& out, const polygon& piece)
{
    for (short i = static_cast<short>(piece.count() - 1); i >= 0; --i)
        out + point(piece[i]);
}

// The rounded corner of a corner object that needs openings on both walls.
void AppendCornerArc(polygon& out, ZupNodeObject* corner, ZupWallSurface* surface)
{
    ZupEdge* first = nullptr;
    ZupEdge* second = nullptr;
    point p1, p2;
    if (!corner->GetHoleEnds(first, second, p1, p2, 0))
        return;
    line l1 = TrackerLine(first);
    line l2 = TrackerLine(second);
    point mid(p1, p2);
    arc bend(l1 & l2 & p1 & mid);
    polygon piece(bend);
    if (piece.count() == 0)
        return;
    const point head(piece[0]);
    bool backward;
    if (out.count() > 0) {
        const point last(out[static_cast<short>(out.count() - 1)]);
        backward = !(last == l1 && head == l1);
    } else if (surface->GetEnd() && surface->GetEnd()->GetPoint() == l1) {
        backward = head == l1;
    } else {
        backward = head == l2;
    }
    if (backward)
        AppendBackward(out, piece);
    else
        AppendForward(out, piece);
}

}  // namespace

polygon ZupPartition::GetDisplayContour()
{
    polygon out;
    const std::size_t n = mSurfaces.size();
    ZupNode* first = n > 0 ? mSurfaces.front()->GetStart() : nullptr;
    ZupNode* at = first;
    for (std::size_t s = 0; s < n; ++s) {
        ZupWallSurface* surface = mSurfaces[s];
        ZupNode* start = surface->GetStart();
        ZupNode* end = surface->GetEnd();
        if (!start || !end)
            continue;
        // An island's ring: over from the room's first node and back.
        if (at && start != at) {
            if (at != first)
                out + first->GetPoint();
            out + start->GetPoint();
        }
        at = end;
        ZupEdge* startEdge = start->GetEdge(surface);
        ZupNodeObject* corner = start->GetNodeObject(nullptr);
        if (corner && startEdge && corner->NeedOpening(startEdge)) {
            if (corner->ZupObject::GetType() == 1)
                out + corner->GetEdgePoint(startEdge);
            else
                AppendCornerArc(out, corner, surface);
        }
        const angle surfaceDir(start->GetPoint(), end->GetPoint());
        KorModel* model = start->GetModel();
        const double play = model ? static_cast<double>(model->AngularPlay()) : 0.0;
        for (int e = 0; e < surface->GetNumOfEdges(); ++e) {
            ZupEdge* edge = surface->GetEdge(e);
            for (int i = 0; i < edge->GetNumOfObjects(); ++i) {
                ZupWallObject* object = edge->GetWallObject(i);
                auto* window = dynamic_cast<ZupWindow*>(object);
                polygon bay;
                if (!object->HasInterior() || !window || window->CalculateBay(bay) == 0)
                    continue;
                const angle objectDir(object->GetStart()->GetPoint(), object->GetEnd()->GetPoint());
                double diff = static_cast<double>(objectDir) - static_cast<double>(surfaceDir);
                if (diff > 180.0)
                    diff -= 360.0;
                if (diff < -180.0)
                    diff += 360.0;
                if (diff < play && diff > -play)
                    AppendForward(out, bay);
                else
                    AppendBackward(out, bay);
            }
        }
        ZupNodeObject* endCorner = end->GetNodeObject(nullptr);
        ZupEdge* endEdge = end->GetEdge(surface);
        if (endCorner && endEdge && endCorner->NeedOpening(endEdge)) {
            ZupWallSurface* next = mSurfaces[(s + 1) % n];
            ZupEdge* nextEdge = next->GetStart() ? next->GetStart()->GetEdge(next) : nullptr;
            if (!nextEdge || !endCorner->NeedOpening(nextEdge))
                out + end->GetPoint();
            else if (endCorner->ZupObject::GetType() == 1)
                out + endCorner->GetEdgePoint(endEdge);
        } else {
            out + end->GetPoint();
        }
    }
    if (first && at && at != first)
        out + first->GetPoint();
    out.close();
    return out;
}
