#include "wall_object_placement.h"

#include <cmath>
#include <cstdlib>

#include "c_win_app.h"
#include "edge_chain.h"
#include "geolist.h"
#include "c_wnd.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "length_text.h"
#include "object_sheet_state.h"
#include "object_type_catalog.h"
#include "polygon.h"
#include "room_floor.h"
#include "segment.h"
#include "settings.h"
#include "text_utilities.h"
#include "zup_edge.h"
#include "zup_opening.h"
#include "zup_object_points.h"
#include "zup_window.h"

namespace {

ObjectSheetState& Sheet() { return g_objectSheet; }

KorNode* AsNode(KorEntity* entity) { return dynamic_cast<KorNode*>(entity); }

int RoundedValue(KorDimension* d) { return RoundToInt(d->GetValue()); }

// Reads one side's dimension: a fixed side raises the count.
void ReadSide(KorDimension* d, int& value, std::uint32_t bit, int& fixed)
{
    if (!d)
        return;
    if (d->IsEnabled()) {
        value = RoundedValue(d);
        Sheet().Set(bit, true);
        ++fixed;
    } else {
        value = RoundToInt(d->GetImplementedValue());
    }
}

// The enabled dimensions of the objects on the chain's walls.
int CountChainObjectDimensions(const CEdgeChain& chain)
{
    int count = 0;
    for (ZupEdge* wall : chain.GetWalls())
        for (int i = 0; i < wall->GetNumOfObjects(); ++i) {
            ZupWallObject* o = wall->GetWallObject(i);
            for (KorDimension* d : {static_cast<KorDimension*>(o->GetPosDimension()),
                                    static_cast<KorDimension*>(o->GetWidthDimension())})
                if (d && d->IsEnabled())
                    ++count;
        }
    return count;
}

// The dimension that is not fixed when two of width, left and right are.
KorDimension* FreeSideDimension(ZupWallObject* o)
{
    ObjectSheetState& s = Sheet();
    ZupEdge* wall = o->GetEdge();
    KorDimension* next = wall ? wall->GetNextDim(o) : nullptr;
    KorDimension* position = o->GetPosDimension();
    angle direction;
    const bool leftToRight = o->IsLeftToRight(direction);
    KorDimension* leftDim = leftToRight ? position : next;
    KorDimension* rightDim = leftToRight ? next : position;
    if (s.Has(SheetFlags::kWidth) && s.Has(SheetFlags::kLeft))
        return rightDim;
    if (s.Has(SheetFlags::kWidth) && s.Has(SheetFlags::kRight))
        return leftDim;
    return o->GetWidthDimension();
}

}  // namespace

bool IsSheetPointAtNode()
{
    ObjectSheetState& s = Sheet();
    if (!s.floor)
        return false;
    const double saved = GeoSnap();
    GeoSnap() = s.floor->InputSnap();
    const point p(s.pointX, s.pointY);
    const bool atVertex = s.floor->GetContour().index(p) != -1;
    GeoSnap() = static_cast<float>(saved);
    return atVertex;
}

void InitObjectSheetNew(ZupEdge* wall, float x, float y)
{
    ObjectSheetState& s = Sheet();
    if (lastObjectKind < 0) {
        s.doorKind = lastDoorKind;
        s.subtype = -1;
        s.objectKind = -1;
    } else {
        s.doorKind = -1;
        s.objectKind = lastObjectKind;
        s.subtype = 0;
    }
    s.flags = 0;
    s.object = nullptr;
    s.applied = 0;
    s.twin = nullptr;
    s.dimensionsChanged = 0;
    s.gapLength = 0.0f;
    s.stair = nullptr;
    s.action = ZupOpening::ACTION(0);
    s.position = ZupOpening::POSITION(0);
    s.corner = 0;
    s.attachedPanes = 0;
    s.attachedType = 0;
    s.wallLength = -2.0f;
    s.edge = wall;
    s.floor = wall ? dynamic_cast<CRoomFloor*>(wall->GetFloor()) : nullptr;
    s.wallThickness = wall ? wall->WallThickness() : 0.0f;
    s.pointX = x;
    s.pointY = y;
    s.atNode = IsSheetPointAtNode() ? 1 : 0;
}

void ComputeSheetPlacement()
{
    ObjectSheetState& s = Sheet();
    ZupEdge* wall = s.edge;
    if (!wall || !s.floor)
        return;
    point p(s.pointX, s.pointY);
    KorDimension* d = wall->GetDimension(p);
    polygon& contour = wall->GetContour();
    angle a = zup_points::ContourDirection(contour, p);
    point q(p & a & static_cast<double>(s.floor->InputSnap()));
    float total = 0.0f;
    KorNode* reference = nullptr;
    if (!d) {
        s.wallLength = -1.0f;
        s.wallBound = false;
        KorNode* start = wall->GetStart();
        KorNode* end = wall->GetEnd();
        total = static_cast<float>(std::hypot(start->GetPoint().x() - end->GetPoint().x(),
                                              start->GetPoint().y() - end->GetPoint().y()));
        reference = q > segment(start->GetPoint(), end->GetPoint()) ? start : end;
    } else {
        if (!d->IsEnabled()) {
            s.wallLength = -1.0f;
            s.wallBound = !s.floor->CheckDimensionAgainstChains(d);
            s.gapLength = static_cast<float>(d->GetImplementedValue());
        } else {
            s.wallLength = static_cast<float>(d->GetValue());
            s.wallBound = true;
            s.gapLength = s.wallLength;
            KorDimension* own = s.object ? s.object->GetWidthDimension() : nullptr;
            if (!(own && own->IsEnabled()) && s.width > s.gapLength)
                s.width = static_cast<int>(s.gapLength);
        }
        total = s.gapLength;
        KorNode* start = AsNode(d->GetStart());
        KorNode* end = AsNode(d->GetEnd());
        if (start && end)
            reference = q < segment(start->GetPoint(), end->GetPoint()) ? end : start;
        else
            reference = start ? start : end;
    }
    double fromReference = 0.0;
    if (reference)
        fromReference = std::hypot(reference->GetPoint().x() - p.x(),
                                   reference->GetPoint().y() - p.y());
    const double left = fromReference - s.width / 2;
    s.left = left < 0.0 ? 0 : static_cast<int>(left);
    const float right = total - static_cast<float>(s.left) - static_cast<float>(s.width);
    s.right = right < 0.0f ? 0 : static_cast<int>(right);
    s.corner = 0;
    s.atNode = IsSheetPointAtNode() ? 1 : 0;
}

void InitObjectSheetEdit(ZupWallObject* object, ZupFloor* plan)
{
    ObjectSheetState& s = Sheet();
    CObjectTypeCatalog::Load(true);
    s.objectKind = CObjectTypeCatalog::FindCategory(object->GetObjectType());
    s.object = object;
    s.edge = object->GetEdge();
    s.floor = dynamic_cast<CRoomFloor*>(object->GetFloor());
    if (CWnd* main = AfxGetMainWnd()) {
        main->GetWindowText(s.savedCaption);
        CString caption;
        ToCString(caption, object->GetName().c_str(), false);
        main->SetWindowText(caption);
    }
    if (object->IsPortal()) {
        s.subtype = -1;
        s.doorKind = object->GetType();
        s.stair = dynamic_cast<ZupOpeningStair*>(object->GetAttached());
        s.depth = 0;
    } else {
        s.doorKind = -1;
        s.stair = nullptr;
        s.subtype = CObjectTypeCatalog::FindSubtype(s.objectKind, object->GetType());
        auto* window = dynamic_cast<ZupWindow*>(object);
        s.depth = object->GetObjectType() == ZUP_OBJ_WINDOW && window ? window->GetPanes()
                                                                   : object->GetDepth();
    }
    s.wallBound = false;
    s.applied = 0;
    s.dimensionsChanged = 0;
    s.right = 0;
    s.left = 0;
    s.flags = 0;
    s.gapLength = 0.0f;
    s.wallLength = -1.0f;
    s.wallThickness = s.edge ? s.edge->WallThickness() : 0.0f;
    s.twin = nullptr;
    ReadSheetDimensions(plan);
    auto* opening = dynamic_cast<ZupOpening*>(object);
    if (s.twin) {
        s.action = ZupOpening::GetReversed(s.twin->GetAction());
        s.position = ZupOpening::GetReversed(s.twin->GetPosition());
        s.width = RoundToInt(s.twin->GetWidth());
        s.Set(SheetFlags::kWidth, true);
    } else if (opening) {
        s.action = opening->GetAction();
        s.position = opening->GetPosition();
    }
    s.attachedPanes = object->GetAttachedWindowPanes();
}

void ReadSheetDimensions(ZupFloor* plan)
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o || !o->IsWallObject())
        return;
    KorNNDistance* widthDim = o->GetWidthDimension();
    if (!widthDim) {
        // Shown on the Dimensions page: the object's own, not the last sheet's.
        s.width = RoundToInt(o->GetWidth());
        s.Set(SheetFlags::kUndimensioned, true);
        return;
    }
    int fixed = 0;
    auto* opening = dynamic_cast<ZupOpening*>(o);
    if (opening && widthDim->GetLayer() == 3 && plan)
        s.twin = plan->GetOpening(opening->GetName().c_str());
    if (s.twin) {
        fixed = 1;
    } else {
        s.width = RoundToInt(o->GetWidth());
        if (widthDim->IsEnabled()) {
            s.Set(SheetFlags::kWidth, true);
            fixed = 1;
        }
    }
    if (o->IsFullEdge()) {
        s.left = s.right = 0;
        s.Set(SheetFlags::kFullWall | SheetFlags::kLeft | SheetFlags::kRight, true);
        s.wallBound = true;
        return;
    }
    ZupEdge* wall = o->GetEdge();
    KorDimension* next = wall ? wall->GetNextDim(o) : nullptr;
    KorDimension* position = o->GetPosDimension();
    angle direction;
    if (o->IsLeftToRight(direction)) {
        ReadSide(position, s.left, SheetFlags::kLeft, fixed);
        ReadSide(next, s.right, SheetFlags::kRight, fixed);
    } else {
        ReadSide(position, s.right, SheetFlags::kRight, fixed);
        ReadSide(next, s.left, SheetFlags::kLeft, fixed);
    }
    s.wallBound = false;
    if (fixed == 2) {
        KorDimension* free = FreeSideDimension(o);
        s.wallBound = free && s.floor && s.floor->CheckDimensionAgainstChains(free);
    }
    if (!s.wallBound && wall && s.floor)
        if (CEdgeChain* chain = s.floor->FindChain(wall->GetPrimitive()))
            if (CountChainObjectDimensions(*chain) + fixed - 3 < 1)
                s.wallBound = true;
}
