// The camera's dialog: only its direction, on the slider.
#pragma once

#include "placed_object_dlg.h"

class CCameraDlg : public CPlacedObjectDlg {
public:
    static constexpr UINT IDD = 2195;

    CCameraDlg(CReplView* view, ZupRoomObject* object);
    CCameraDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint);

protected:
    BOOL OnInitDialog() override;
};

void RegisterCameraTemplate();
