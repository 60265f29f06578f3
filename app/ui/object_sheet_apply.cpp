#include "object_sheet_apply.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "dimension_values.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "message_box.h"
#include "object_sheet_state.h"
#include "opening_width.h"
#include "wall_ends_held.h"
#include "object_type_catalog.h"
#include "plan_wall_objects.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

ObjectSheetState& Sheet() { return g_objectSheet; }

// The floor-plan model's default width, kept for the time of a creation.
class DefaultOpeningWidthScope {
public:
    explicit DefaultOpeningWidthScope(float width) : mKept(ZupFloor::DefaultOpeningWidth())
    {
        ZupFloor::DefaultOpeningWidth() = width;
    }
    ~DefaultOpeningWidthScope()
    {
        if (!mKeepNew)
            ZupFloor::DefaultOpeningWidth() = mKept;
    }
    DefaultOpeningWidthScope(const DefaultOpeningWidthScope&) = delete;
    DefaultOpeningWidthScope& operator=(const DefaultOpeningWidthScope&) = delete;
    void KeepNewWidth() { mKeepNew = true; }

private:
    float mKept;
    bool mKeepNew = false;
};

void ShowInvalidDimensions() { AfxMessageBox(L"Invalid dimensions"); }

bool Enabled(KorDimension* d) { return d && d->IsEnabled(); }

void Disable(KorDimension* d)
{
    if (d)
        d->SetEnabled(false);
}

// An exact, enabled value.
void Fix(KorDimension* d, double value)
{
    if (!d)
        return;
    FixDimension(d, value);
    d->SetEnabled(true);
}

void SetWallEndsMovable(ZupEdge* wall, bool movable)
{
    if (KorNode* start = wall->GetStart())
        start->SetMovable(movable);
    if (KorNode* end = wall->GetEnd())
        end->SetMovable(movable);
}

double WallEndDistance(ZupEdge* wall)
{
    const point& a = wall->GetStart()->GetPoint();
    const point& b = wall->GetEnd()->GetPoint();
    return static_cast<float>(std::hypot(a.x() - b.x(), a.y() - b.y()));
}

// The opening's options as the Door and Attributes pages chose them.
void SetOpeningOptions(ZupOpening* opening)
{
    ObjectSheetState& s = Sheet();
    opening->SetConnectable(!s.Has(SheetFlags::kExternal));
    SetClosetMark(opening, s.Has(SheetFlags::kCloset));
    opening->SetAction(s.action);
    opening->SetPosition(s.position);
}

ZupWallObject* CreateByCategory(int category, int subtypeId)
{
    ObjectSheetState& s = Sheet();
    CRoomFloor* floor = s.floor;
    const double x = s.pointX;
    const double y = s.pointY;
    const bool corner = s.corner != 0;
    switch (category) {
    case SheetCategory::kFireplace: {
        ZupWallObject* fireplace = floor->CreateFireplace(x, y, subtypeId);
        if (fireplace && fireplace->IsCorner())
            fireplace->SetDepth(s.width);
        return fireplace;
    }
    case SheetCategory::kWindow: return floor->CreateWallWindow(x, y);
    case SheetCategory::kBathObject: {
        ZupWallObject* bath = floor->CreateBathObjectAt(x, y, corner);
        const bool bothSides = s.Has(SheetFlags::kLeft) && s.Has(SheetFlags::kRight);
        if (bath && !bath->IsCorner() && !bothSides)
            s.Set(SheetFlags::kWidth, true);
        return bath;
    }
    case SheetCategory::kCountertop:
        if (subtypeId < 0)
            return floor->CreateUtilityObject(x, y);
        return floor->CreateCountertopAt(x, y, corner);
    case SheetCategory::kCorner: return floor->CreateNodeObjectAt(x, y);
    case SheetCategory::kUtility: return floor->CreateUtilityObject(x, y);
    case SheetCategory::kStructural: return floor->CreateStructural(x, y);
    default: return nullptr;
    }
}

// A new wall object of the chosen category at the sheet's point.
void CreateNewWallObject(int category, int subtypeId)
{
    ObjectSheetState& s = Sheet();
    DefaultOpeningWidthScope widthScope(static_cast<float>(s.width));
    ZupWallObject* created = s.floor ? CreateByCategory(category, subtypeId) : nullptr;
    s.object = created;
    if (!created) {
        AfxMessageBox(L"Incorrect objects parameters");
        s.applied = 0;
        return;
    }
    if (!created->IsCorner() && !ApplyNewObjectDimensions()) {
        ZupDeleteWallObject(created);
        s.object = nullptr;
        AfxMessageBox(L"Incorrect objects parameters");
        s.applied = 0;
        return;
    }
    if (category == SheetCategory::kWindow && created->GetType() == 0 &&
        Enabled(created->GetWidthDimension()))
        ZupFloor::DefaultWindowWidth() = static_cast<float>(s.width);
    s.applied = 1;
}

// Depth (panes for a window), type and attached window of the object.
void FinishObject(int category, int subtypeId)
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o)
        return;
    if (auto* window = dynamic_cast<ZupWindow*>(o); category == SheetCategory::kWindow && window)
        window->SetPanes(s.depth);
    else
        o->SetDepth(s.depth);
    o->SetType(std::abs(subtypeId));
    o->SetAttachedWindowPanes(s.attachedPanes);
    if (s.attachedPanes != 0)
        o->SetAttachedWindowType(s.attachedType);
}

int ApplyDoor()
{
    ObjectSheetState& s = Sheet();
    lastObjectKind = -1;
    lastDoorKind = s.doorKind;
    // An edited door with a twin keeps the thickness of the twin's wall.
    const bool thicknessFixed = s.object && s.twin;
    s.applied = s.object ? ApplyOpeningEdit() : CreateSheetOpening();
    if (s.applied == 0)
        return 0;
    if (!thicknessFixed && s.edge && s.edge->WallThickness() != s.wallThickness) {
        s.edge->WallThickness() = s.wallThickness;
        if (s.floor)
            s.floor->InvalidateArea();
    }
    if (s.stair && !s.stair->GetEdge()) {
        auto* opening = dynamic_cast<ZupOpening*>(s.object);
        if (opening && opening->IsPortal() && s.stair->Create(opening)) {
            // The room model owns it now.
        } else {
            ZupDeleteWallObject(s.stair);
        }
        s.stair = nullptr;
    }
    return s.applied;
}

int ApplyObject()
{
    ObjectSheetState& s = Sheet();
    if (s.objectKind == -1)
        return 0;
    lastObjectKind = s.objectKind;
    CObjectTypeCatalog::Load(true);
    const int category = CObjectTypeCatalog::GetCategoryId(s.objectKind);
    const int subtypeId = CObjectTypeCatalog::GetSubtypeId(s.objectKind, s.subtype);
    if (s.object)
        s.applied = s.dimensionsChanged && !ApplyWallObjectDimensions() ? 0 : 1;
    else
        CreateNewWallObject(category, subtypeId);
    FinishObject(category, subtypeId);
    return s.applied;
}

// The side of the wall on which the position dimension is measured.
bool PositionOnLeft(ZupWallObject* o)
{
    angle direction;
    return o->IsLeftToRight(direction);
}

}  // namespace

int ApplyObjectSheet()
{
    ObjectSheetState& s = Sheet();
    if (s.applied != 0)
        return s.applied;
    if (s.doorKind != -1)
        return ApplyDoor();
    return ApplyObject();
}

int ApplyOpeningEdit()
{
    ObjectSheetState& s = Sheet();
    auto* opening = dynamic_cast<ZupOpening*>(s.object);
    if (!opening)
        return 0;
    opening->SetType(s.doorKind);
    SetOpeningOptions(opening);
    if (s.twin) {
        s.twin->SetAction(ZupOpening::GetReversed(s.action));
        s.twin->SetPosition(ZupOpening::GetReversed(s.position));
        s.twin->SetType(opening->GetType());
    }
    return s.dimensionsChanged ? ApplyWallObjectDimensions() : 1;
}

int CreateSheetOpening()
{
    ObjectSheetState& s = Sheet();
    std::string name = s.name.ToNarrow();
    if (name.size() > 259)
        name.resize(259);
    ZupOpening* opening =
        s.floor ? s.floor->CreateOpening(name.c_str(), s.doorKind, s.pointX, s.pointY) : nullptr;
    if (!opening) {
        AfxMessageBox(L"Invalid opening");
        return 0;
    }
    s.object = opening;
    SetOpeningOptions(opening);
    DefaultOpeningWidthScope widthScope(static_cast<float>(s.width));
    if (!ApplyNewObjectDimensions()) {
        // Refused: nothing of the new door stays.
        ZupDeleteWallObject(opening);
        s.object = nullptr;
        return 0;
    }
    // A swinging door's width becomes the width of the next ones.
    if (s.doorKind == 1)
        widthScope.KeepNewWidth();
    return 1;
}

int ApplyWallObjectDimensions()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o)
        return 0;
    if (s.Has(SheetFlags::kUndimensioned)) {
        o->SetUndimensioned();
        return 1;
    }
    if (s.Has(SheetFlags::kFullWall) && !o->IsFullEdge()) {
        s.wallLength = s.twin ? s.twin->GetWidth() : -1.0f;
        if (ApplyFullWall())
            return 1;
        ShowInvalidDimensions();
        return 0;
    }
    if (!o->IsWallObject())
        return 1;
    if (s.Has(SheetFlags::kWidth) && s.width <= 0) {
        ShowInvalidDimensions();
        return 0;
    }
    // An object without dimensions gets them as a new one would.
    const bool dimensioned = o->GetWidthDimension() != nullptr;
    const bool widthAlone = dimensioned ? SheetAsksWidthAlone() : SheetPlacesWidthAlone();
    if (!dimensioned)
        EnsureWallObjectDimensions();
    if (widthAlone) {
        if (dimensioned ? ApplyWidthAlone() : ApplyNewWidthAlone())
            return 1;
        ShowInvalidDimensions();
        return 0;
    }
    if (ApplyWallDimensions())
        return 1;
    ShowInvalidDimensions();
    return 0;
}

int ApplyNewObjectDimensions()
{
    ObjectSheetState& s = Sheet();
    if (s.Has(SheetFlags::kUndimensioned))
        return 1;
    // A fixed width the wall cannot take is refused before anything changes.
    if (!s.Has(SheetFlags::kFullWall) && s.Has(SheetFlags::kWidth) && s.object &&
        !WidthFits(s.object, s.width)) {
        ShowInvalidDimensions();
        return 0;
    }
    EnsureWallObjectDimensions();
    int ok = 0;
    if (s.Has(SheetFlags::kFullWall))
        ok = ApplyFullWall();
    else if (SheetPlacesWidthAlone())
        ok = ApplyNewWidthAlone();
    else
        ok = ApplyWallDimensions();
    if (!ok)
        ShowInvalidDimensions();
    return ok ? 1 : 0;
}

void EnsureWallObjectDimensions()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o || !o->IsWallObject() || !s.edge)
        return;
    ZupEdge* wall = o->GetEdge() ? o->GetEdge() : s.edge;
    KorNNDistance* width = o->CreateWidthDimension();
    if (s.twin && width) {
        Fix(width, s.twin->GetWidth());
        width->SetLayer(3);
    }
    if (wall->GetNumOfObjects() > 1) {
        wall->SetObjectsPosition(-1.0f);
    } else {
        o->CreatePosDimension(nullptr, -1.0f);
    }
    wall->ModifyLengthDim(-1.0f);
}

int ApplyFullWall()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o || !o->IsWallObject() || !s.edge)
        return 1;
    ZupEdge* wall = o->GetEdge() ? o->GetEdge() : s.edge;
    if (KorDimension* position = o->GetPosDimension()) {
        Fix(position, 0.0);
        position->SetLayer(4);
    }
    if (KorDimension* length = wall->GetLengthDim()) {
        Fix(length, 0.0);
        length->SetLayer(4);
    }
    KorDimension* width = o->GetWidthDimension();
    if (s.wallLength > 0.0f) {
        Fix(width, s.wallLength);
    } else {
        Disable(width);
        if (s.wallBound && width && s.floor && s.floor->CheckDimensionAgainstChains(width))
            Fix(width, WallEndDistance(wall));
        else
            SetWallEndsMovable(wall, false);
    }
    const int result = ResolveRoomWithEntrance(nullptr);
    if (!Enabled(width) && o->GetStart() && o->GetStart()->IsMovable())
        SetWallEndsMovable(wall, true);
    return result;
}

namespace {

// The distance of the object's side from its wall end after a width change
// that keeps the object's centre (the side itself was not fixed).
double KeptSide(int side, int width, double widthBefore)
{
    const bool changed = Sheet().Has(SheetFlags::kWidth) && widthBefore > 0.0 &&
                         std::abs(width - widthBefore) > 0.5;
    return changed ? side - (width - widthBefore) / 2.0 : static_cast<double>(side);
}

}  // namespace

int ApplyWallDimensions()
{
    ObjectSheetState& s = Sheet();
    ZupWallObject* o = s.object;
    if (!o || !o->IsWallObject() || !s.edge || !s.floor)
        return 1;
    ZupEdge* wall = o->GetEdge() ? o->GetEdge() : s.edge;
    int w = s.width;
    const int l = s.left;
    const int r = s.right;
    const float g = s.gapLength;
    float t = s.wallLength;
    KorDimension* next = wall->GetNextDim(o);
    KorDimension* position = o->GetPosDimension();
    KorDimension* widthDim = o->GetWidthDimension();
    bool resolveNeeded = true;
    KorDimension* probe = nullptr;
    double fixedSum = 0.0;
    if (t < 0.0f && Enabled(widthDim) && Enabled(position) && Enabled(next))
        t = static_cast<float>(next->GetValue() + position->GetValue() + widthDim->GetValue());
    // Where the object lies now, for a width change that keeps its centre.
    const double positionBefore = position ? position->GetImplementedValue() : 0.0;
    const double widthBefore = widthDim ? widthDim->GetImplementedValue() : 0.0;
    KorDimension* centreRule = nullptr;
    const bool widthSet = s.Has(SheetFlags::kWidth);
    const bool leftSet = s.Has(SheetFlags::kLeft);
    const bool rightSet = s.Has(SheetFlags::kRight);
    // One side asked for alone: the object goes against it as it stands, and
    // its wall keeps its length (the solver would stretch either).
    const bool oneSideAlone = !widthSet && leftSet != rightSet && t <= 0.0f;
    KorDimension* heldWidth = nullptr;
    if (widthSet && widthDim && s.floor->CheckDimensionAgainstChains(widthDim)) {
        Fix(widthDim, w);
        fixedSum = w;
        resolveNeeded = false;
    } else {
        Disable(widthDim);
    }
    const bool onLeft = PositionOnLeft(o);
    KorDimension* leftDim = onLeft ? position : next;
    KorDimension* rightDim = onLeft ? next : position;
    if (!leftSet && !rightSet) {
        if (!s.wallBound) {
            Disable(position);
            Disable(next);
            // A new width with neither side fixed grows or shrinks the
            // object about its centre, for this resolve only.
            if (Enabled(widthDim) && position && std::abs(w - widthBefore) > 0.5) {
                Fix(position, std::max(0.0, positionBefore - (w - widthBefore) / 2.0));
                centreRule = position;
            }
        } else {
            if (widthDim && !widthDim->IsEnabled()) {
                if (w > g)
                    w = static_cast<int>(g);
                Fix(widthDim, w);
            }
            double p = 0.0;
            if (l == 0 && r == 0)
                p = std::max(0.0, (g - w) * 0.5);
            else if (g > 0.0f)
                p = std::max(0.0, std::min(KeptSide(onLeft ? l : r, w, widthBefore),
                                           static_cast<double>(g - w)));
            else  // an edited object: no gap was measured, its side stands
                p = std::max(0.0, KeptSide(onLeft ? l : r, w, widthBefore));
            p = static_cast<int>(p);
            Fix(position, p);
            if (next && t >= 0.0f)
                Fix(next, std::max(0.0, t - w - p));
        }
    } else {
        resolveNeeded = false;
        if (leftSet) {
            Fix(leftDim, l);
            if (onLeft)
                fixedSum += l;
        } else {
            Disable(leftDim);
        }
        if (rightSet) {
            Fix(rightDim, r);
            if (onLeft)
                fixedSum += r;
        } else {
            Disable(rightDim);
        }
        const int setCount = int(widthSet) + int(leftSet) + int(rightSet);
        if (t <= 0.0f) {
            if (setCount == 2)
                probe = !widthSet ? widthDim : (!leftSet ? leftDim : rightDim);
        } else if (widthSet && (leftSet != rightSet)) {
            KorDimension* setSide = leftSet ? leftDim : rightDim;
            KorDimension* freeSide = leftSet ? rightDim : leftDim;
            if (freeSide && widthDim && setSide)
                Fix(freeSide, t - widthDim->GetValue() - setSide->GetValue());
        } else if (leftSet && rightSet && !widthSet && widthDim) {
            const double positionValue = position ? position->GetValue() : 0.0;
            const double nextValue = next ? next->GetValue() : 0.0;
            Fix(widthDim, t - positionValue - nextValue);
        }
    }
    if (probe && s.floor->CheckDimensionAgainstChains(probe)) {
        if (probe == widthDim) {
            const bool bothZero = Enabled(position) && Enabled(next) &&
                                  position->GetValue() == 0.0 && next->GetValue() == 0.0;
            Fix(probe, bothZero ? g : w);
        } else if (g > 0.0f) {
            Fix(probe, std::max(g - fixedSum, 3.0));
        } else {
            // No gap was measured (an edited object): the free side gives
            // way by what the width grew, so the fixed side stays.
            const double grown = widthSet && widthBefore > 0.0 ? w - widthBefore : 0.0;
            Fix(probe, std::max(probe->GetImplementedValue() - grown, 3.0));
        }
    } else {
        probe = nullptr;
    }
    if (!probe)
        probe = centreRule;
    if (oneSideAlone && widthDim && !widthDim->IsEnabled() && FixDimensionHere(widthDim))
        heldWidth = widthDim;
    int result = 1;
    if (s.twin || !resolveNeeded) {
        std::optional<WallEndsHeld> wallHeld;
        if (oneSideAlone)
            wallHeld.emplace(wall);
        result = ResolveRoomWithEntrance(probe);
    }
    Disable(probe);
    Disable(heldWidth);
    return result;
}

int ResolveRoomWithEntrance(KorDimension* rule)
{
    CRoomFloor* room = Sheet().floor;
    if (!room)
        return 0;
    const bool placed = room->IsTransformed() && room->GetEntrance();
    if (placed)
        room->SetEntranceNodesMovable(true);
    bool ok = room->Resolve();
    if (!ok && rule) {
        rule->SetEnabled(false);
        ok = room->Resolve();
    }
    if (placed) {
        if (ok)
            room->KeepOrientation();
        room->SetEntranceNodesMovable(false);
    }
    return ok ? 1 : 0;
}

