#include "camera_dlg.h"

#include "zup_camera.h"
#include "zup_floor.h"

void RegisterCameraTemplate()
{
    if (FindDialogTemplate(CCameraDlg::IDD))
        return;
    DialogTemplate dialog;
    dialog.id = CCameraDlg::IDD;
    dialog.caption = L"Camera";
    dialog.rect = CRect(0, 0, 200, 70);
    dialog.items = {
        {ControlKind::Slider, CPlacedObjectDlg::IDC_DIRECTION, L"", CRect(4, 6, 196, 28)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(20, 36, 90, 60)},
        {ControlKind::PushButton, CPlacedObjectDlg::IDC_DELETE, L"Delete", CRect(110, 36, 180, 60)},
    };
    RegisterDialogTemplate(dialog);
}

CCameraDlg::CCameraDlg(CReplView* view, ZupRoomObject* object)
    : CPlacedObjectDlg(view, object, IDD)
{
    RegisterCameraTemplate();
}

CCameraDlg::CCameraDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint)
    : CPlacedObjectDlg(view, floor, screenPoint, IDD)
{
    RegisterCameraTemplate();
}

BOOL CCameraDlg::OnInitDialog()
{
    if (IsNew()) {
        TakeNewObject(m_floor ? m_floor->CreateCamera(m_modelPoint.x(), m_modelPoint.y()) : nullptr);
        if (!m_object)
            return FALSE;
    }
    return CPlacedObjectDlg::OnInitDialog();
}
