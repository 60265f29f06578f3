// Placing the objects that stand free in a room (camera, island, column,
// spiral stair, fireplace) and editing them through their dialogs. The
// dialogs run under the document's lock, so the journal thread takes no
// snapshot of a room while an object in it is half made.
#include <memory>

#include "camera_dlg.h"
#include "column_dlg.h"
#include "island_dlg.h"
#include "kor_node.h"
#include "document_lock.h"
#include "repl_doc.h"
#include "repl_view.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "zup_camera.h"
#include "zup_object.h"
#include "zup_room_object.h"

namespace {

CReplView* ViewOf(const CReplDoc& document) { return dynamic_cast<CReplView*>(document.GetView()); }

// Runs the dialog that creates a new object in the room being edited; an
// object it made stays only when the dialog ends with OK.
template <class Dialog>
void RunPlacingDialog(CReplDoc& document, int x, int y)
{
    CRoomFloor* room = document.GetCurrentRoom();
    if (!document.m_roomView || !room)
        return;
    DocumentLock lock(document.m_lock);
    Dialog dialog(ViewOf(document), room, CPoint(x, y));
    if (dialog.DoModal() != IDOK)
        dialog.DiscardNewObject();
}

// The dialog of an existing object, by its type; null for other types.
std::unique_ptr<CPlacedObjectDlg> MakeEditDialog(CReplView* view, ZupRoomObject* object)
{
    switch (object->GetObjectType()) {
    case ZUP_OBJ_STAIR: return std::make_unique<CSpiralStairDlg>(view, object);
    case ZUP_OBJ_ISLAND: return std::make_unique<CIslandDlg>(view, object);
    case ZUP_OBJ_COLUMN: return std::make_unique<CColumnDlg>(view, object);
    case ZUP_OBJ_FIREPLACE: return std::make_unique<CFireplaceDlg>(view, object);
    case ZUP_OBJ_CAMERA: return std::make_unique<CCameraDlg>(view, object);
    default: return nullptr;
    }
}

// The view's pen point in model units, mapped as the view paints.
point ModelPointOfView(CReplView* view, int x, int y)
{
    CScaledDC dc(view);
    dc.SetScale(1.0f);
    dc.SetOrigin(0, 0);
    if (view)
        view->OnDraw(&dc);
    POINT p{x, y};
    dc.ToModel(p);
    return point(p.x, p.y);
}

}  // namespace

void CReplDoc::PlaceIsland(int x, int y) { RunPlacingDialog<CIslandDlg>(*this, x, y); }

void CReplDoc::PlaceColumn(int x, int y) { RunPlacingDialog<CColumnDlg>(*this, x, y); }

void CReplDoc::PlaceSpiralStair(int x, int y) { RunPlacingDialog<CSpiralStairDlg>(*this, x, y); }

void CReplDoc::PlaceFireplace(int x, int y) { RunPlacingDialog<CFireplaceDlg>(*this, x, y); }

// While a room is edited the camera goes into it like any other object.
// With the plan shown it goes into the first room, and a copy of it under
// the same name into the plan, where the dialog turns it.
void CReplDoc::PlaceCamera(int x, int y)
{
    if (m_roomView) {
        RunPlacingDialog<CCameraDlg>(*this, x, y);
        return;
    }
    CRoomFloor* room = GetRoom(0);
    if (!room)
        return;
    CReplView* view = ViewOf(*this);
    const point at = ModelPointOfView(view, x, y);
    DocumentLock lock(m_lock);
    ZupCamera* roomCamera = room->CreateCamera(at.x(), at.y());
    if (!roomCamera)
        return;
    auto* planCamera = dynamic_cast<ZupCamera*>(roomCamera->Clone(nullptr));
    const std::string name = roomCamera->GetName();
    if (!planCamera || !planCamera->Create(&m_plan, at.x(), at.y(), nullptr, false, name.c_str())) {
        delete planCamera;
        delete roomCamera;
        return;
    }
    // The copy belongs to the first room's partition, as a rebuilt plan's would.
    planCamera->SetPartition(GetPartitionOfRoom(room));
    m_showObjects = true;
    CCameraDlg dialog(view, planCamera);
    if (dialog.DoModal() == IDOK) {
        roomCamera->SetDirection(planCamera->GetDirection());
        return;
    }
    // Neither half of a camera that was not confirmed stays behind.
    DeleteRoomObject(planCamera);
    DeleteRoomObject(roomCamera);
    UpdateAllViews(nullptr);
}

void CReplDoc::EditRoomObject(ZupRoomObject* object)
{
    if (!object)
        return;
    DocumentLock lock(m_lock);
    // A camera of the plan is a copy: its room's camera follows it.
    ZupCamera* roomCamera = nullptr;
    if (object->IsCamera() && object->GetFloor() == &m_plan) {
        CRoomFloor* room = object->GetPartition() ? GetRoomOfPartition(object->GetPartition()) : nullptr;
        const std::string name = static_cast<ZupObject*>(object)->GetName();
        roomCamera = room ? room->GetCamera(name.c_str()) : nullptr;
        if (!roomCamera)
            return;
    }
    std::unique_ptr<CPlacedObjectDlg> dialog = MakeEditDialog(ViewOf(*this), object);
    if (!dialog)
        return;
    if (dialog->DoModal() == IDOK) {
        if (roomCamera)
            roomCamera->SetDirection(object->GetDirection());
        return;
    }
    if (!dialog->IsDeleteChosen())
        return;
    dialog.reset();
    if (roomCamera)
        DeleteRoomObject(roomCamera);
    DeleteRoomObject(object);
    UpdateAllViews(nullptr);
}

void CReplDoc::DeleteRoomObject(ZupRoomObject* object)
{
    if (!object)
        return;
    if (m_selectedRoomObject == object)
        m_selectedRoomObject = nullptr;
    if (g_pPickedNode == static_cast<KorNode*>(object))
        g_pPickedNode = nullptr;
    // The object leaves its floor's objects and its node leaves the model.
    delete object;
}
