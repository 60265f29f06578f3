// The wall-object property sheets the document opens for a wall or an
// existing object, and the closet rooms made behind openings marked for one.
#include <cmath>
#include <string>
#include <vector>

#include "attributes_page.h"
#include "c_property_sheet.h"
#include "c_win_app.h"
#include "dimension_values.h"
#include "dimensions_page.h"
#include "distances.h"
#include "door_pages.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "kor_tracker.h"
#include "object_pages.h"
#include "object_sheet_state.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_type.h"
#include "room_type_catalog.h"
#include "settings.h"
#include "wall_object_placement.h"
#include "zup_edge.h"
#include "zup_opening.h"

namespace {

constexpr double kClosetDepth = 28.0;

// The sheet runs without an Apply button, on the main window.
INT_PTR RunSheet(CPropertySheet& sheet, const std::vector<CPropertyPage*>& pages)
{
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    for (CPropertyPage* page : pages)
        sheet.AddPage(page);
    return sheet.DoModal();
}

// A stair prepared on the Attributes page that no opening took.
void DropLooseStair()
{
    ZupOpeningStair*& stair = g_objectSheet.stair;
    if (stair && !stair->GetEdge())
        ZupDeleteWallObject(stair);
    stair = nullptr;
}

// The room's text before an edit sheet: a sheet that changes it (a door's
// kind or wall thickness, a window's panes) leaves unsaved work, which the
// journal keeps as a step of its own.
class RoomChangeWatch {
public:
    explicit RoomChangeWatch(ZupWallObject* object)
        : m_room(dynamic_cast<CRoomFloor*>(object->GetFloor())), m_before(Text())
    {
    }
    void MarkIfChanged() const
    {
        if (m_room && Text() != m_before)
            m_room->SetModified(true);
    }

private:
    std::string Text() const
    {
        std::string text;
        if (m_room)
            m_room->Save(text, false);
        return text;
    }
    CRoomFloor* m_room;
    std::string m_before;
};

CWnd* MainWindow()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->GetSafeHwnd() ? main : nullptr;
}

// On the entrance's wall of an empty opening's closet: the dimension two
// steps away from the entrance's position along the wall's start node.
KorDimension* DimensionBeyondWallStart(ZupOpening* entrance)
{
    ZupEdge* wall = entrance->GetEdge();
    KorNode* start = wall ? wall->GetStart() : nullptr;
    if (!start)
        return nullptr;
    auto* first = dynamic_cast<KorNNDistance*>(start->GetOtherDimaint(entrance->GetPosDimension()));
    KorNode* other = first ? first->GetOtherNode(start) : nullptr;
    return other ? dynamic_cast<KorDimension*>(other->GetOtherDimaint(first)) : nullptr;
}

// The front wall's ends go onto the entrance's nodes. The other corners go
// along, scaled about the entrance's centre, so that the room keeps its
// angles at the front (which hold it again once it has settled); the wall
// lines follow their nodes.
void FitFrontToEntrance(CRoomFloor* room, ZupOpening* entrance)
{
    ZupEdge* front = entrance->GetEdge();
    KorNode* start = front->GetStart();
    KorNode* end = front->GetEnd();
    const double length = GeoDistance(start->GetPoint(), end->GetPoint());
    const double scale = length > GeoSnap() ? entrance->GetWidth() / length : 1.0;
    const double factor = std::isfinite(scale) ? scale : 1.0;
    const point centre = entrance->GetGeoCenter();
    std::vector<KorNode*> moved;
    for (ZupEdge* wall = room->Get1stEdge(); wall; wall = room->GetNextEdge())
        moved.push_back(wall->GetStart());
    for (KorNode* node : moved) {
        if (node == start || node == end)
            continue;
        const point& p = node->GetPoint();
        node->GetPoint() = point(centre.x() + (p.x() - centre.x()) * factor,
                                 centre.y() + (p.y() - centre.y()) * factor);
    }
    start->GetPoint() = entrance->GetStart()->GetPoint();
    end->GetPoint() = entrance->GetEnd()->GetPoint();
    for (KorNode* node : moved)
        for (unsigned i = 0; i < node->GetNumOfTrackers(); ++i)
            node->GetTracker(static_cast<short>(i))->Update();
}

std::string NextNameOf(CRoomType* type) { return type ? type->GetNextName() : std::string(); }

// Builds the closet room (current while it is built); the dimension fixed
// for its shape, which goes off again once it has resolved.
KorDimension* ShapeCloset(CReplDoc& doc, CRoomFloor* owner, ZupOpening* opening, bool emptyOpening)
{
    CRoomFloor* room = doc.m_currentRoom;
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
    if (emptyOpening) {
        doc.InsertShape(7, 5);
        room->SetName(NextNameOf(catalog->FindForFloor(owner)).c_str());
        doc.PlaceEntrance(opening);
        room->UpdateEntranceAngles(false, false);
        ZupOpening* entrance = room->GetEntrance();
        if (!entrance || !entrance->GetEdge())
            return nullptr;
        KorDimension* beyond = DimensionBeyondWallStart(entrance);
        FixDimension(beyond, entrance->GetWidth() / 2.0);
        FitFrontToEntrance(room, entrance);
        return beyond;
    }
    doc.InsertShape(0, 0);
    room->SetName(NextNameOf(catalog->Find("Closet", false)).c_str());
    doc.PlaceEntrance(opening);
    KorDimension* depth = room->FirstDimensionOffEntranceAxis();
    FixDimension(depth, kClosetDepth);
    return depth;
}

// The closet's entrance sits at the start of its wall with nothing after it.
void SettleClosetEntrance(CRoomFloor* room, KorDimension* shapeDimension, bool emptyOpening)
{
    ZupOpening* entrance = room->GetEntrance();
    KorDimension* position = entrance ? entrance->GetPosDimension() : nullptr;
    KorDimension* next = entrance && entrance->GetEdge() ? entrance->GetEdge()->GetNextDim(entrance)
                                                         : nullptr;
    FixDimension(position, 0.0);
    FixDimension(next, 0.0);
    room->Resolve();
    for (KorDimension* d : {position, next, shapeDimension})
        if (d)
            d->SetEnabled(false);
    if (emptyOpening)
        room->UpdateEntranceAngles(false, false);
}

bool WantsCloset(ZupFloor& plan, ZupOpening* opening)
{
    ZupOpening* twin = plan.GetOpening(opening->GetName().c_str());
    ZupEdge* twinWall = twin ? twin->GetEdge() : nullptr;
    return twinWall && twinWall->IsExternal();
}

}  // namespace

void CReplDoc::EditDoor(ZupOpening* opening)
{
    if (!opening)
        return;
    m_lock.Lock();
    const RoomChangeWatch watch(opening);
    InitObjectSheetEdit(opening, &m_plan);
    const std::string name = opening->GetName();
    CPropertySheet sheet(static_cast<LPCTSTR>(nullptr), MainWindow());
    CEditDoorPage door;
    CDimensionsPage dimensions;
    CAttributesPage attributes;
    const INT_PTR result = RunSheet(sheet, {&door, &dimensions, &attributes});
    DropLooseStair();
    if (result == IDOK) {
        // The same opening seen from the first other room that has it.
        for (CRoomFloor* room : m_rooms) {
            ZupOpening* other = room->GetOpening(name.c_str());
            if (!other || other == opening)
                continue;
            other->SetAction(ZupOpening::GetReversed(opening->GetAction()));
            other->SetPosition(ZupOpening::GetReversed(opening->GetPosition()));
            other->SetType(opening->GetType());
            break;
        }
    }
    watch.MarkIfChanged();
    m_lock.Unlock();
}

void CReplDoc::EditWallObject(ZupWallObject* object)
{
    if (!object)
        return;
    m_lock.Lock();
    const RoomChangeWatch watch(object);
    InitObjectSheetEdit(object, &m_plan);
    CPropertySheet sheet(static_cast<LPCTSTR>(nullptr), MainWindow());
    CEditObjectPage page;
    CDimensionsPage dimensions;
    std::vector<CPropertyPage*> pages{&page};
    if (!object->IsCorner())
        pages.push_back(&dimensions);
    RunSheet(sheet, pages);
    watch.MarkIfChanged();
    m_lock.Unlock();
}

void CReplDoc::NewWallObject(ZupEdge* wall, double x, double y)
{
    if (!wall)
        return;
    // The sheet changes the room as the edit sheets do: the journal waits.
    DocumentLock lock(m_lock);
    CWnd* main = MainWindow();
    CString savedCaption;
    if (main)
        main->GetWindowText(savedCaption);
    InitObjectSheetNew(wall, static_cast<float>(x), static_cast<float>(y));
    // The pages put this caption back as well when they go.
    g_objectSheet.savedCaption = savedCaption;
    const wchar_t* caption = L"New Wall Object";
    if (main)
        main->SetWindowText(caption);
    UINT start = 0;
    if (lastObjectKind != -2)
        start = lastObjectKind != -1 ? 1 : 0;
    CPropertySheet sheet(caption, main, start);
    CNewDoorPage door(m_plan.GetNumOfOpenings() > 0 ? &m_plan : nullptr);
    CNewObjectPage object;
    CDimensionsPage dimensions;
    CAttributesPage attributes;
    RunSheet(sheet, {&door, &object, &dimensions, &attributes});
    DropLooseStair();
    if (main)
        main->SetWindowText(savedCaption);
}

void CReplDoc::CreateClosets()
{
    CRoomFloor* owner = m_currentRoom;
    // A level being read closes each room as it comes: a closet still to be
    // made waits, marked, until the person closes its room, and no room is
    // put between the rooms the file lists.
    if (!owner || m_readingRooms)
        return;
    std::vector<ZupOpening*> marked;
    for (ZupOpening* o = owner->Get1stOpening(); o; o = owner->GetNextOpening())
        if (HasClosetMark(o))
            marked.push_back(o);
    for (ZupOpening* opening : marked) {
        if (!WantsCloset(m_plan, opening))
            continue;
        const bool emptyOpening = opening->GetType() == 0;
        auto* room = new CRoomFloor();
        m_currentRoom = room;
        KorDimension* shaped = ShapeCloset(*this, owner, opening, emptyOpening);
        SettleClosetEntrance(room, shaped, emptyOpening);
        if (ZupPartition* partition = JoinRoomToPlan(room)) {
            room->mbClosed = true;
            m_rooms.push_back(room);
            RecordPartition(room, partition);
        } else {
            delete room;
        }
        m_currentRoom = owner;
        SetClosetMark(opening, false);
    }
}
