// The common base of the small dialogs that place and edit the objects
// standing free in a room (island, fireplace, column, spiral stair,
// camera): it opens beside the object, turns it with a direction slider
// that snaps to the four main directions, and handles "Delete" (which reads
// "Cancel" while the dialog creates its object).
#pragma once

#include "c_dialog.h"
#include "point.h"

class CReplView;
class ZupFloor;
class ZupRoomObject;

class CPlacedObjectDlg : public CDialog {
public:
    static constexpr int IDC_DELETE = 2018;
    static constexpr int IDC_DIRECTION = 2193;
    // The share of the parent's width and height within which the dialog
    // opens at the object rather than at the parent's edge.
    static constexpr double kNearShare = 0.7;
    static constexpr double kDropShare = 0.15;
    static constexpr int kSliderLineSize = 3;

    // Edits an existing object.
    CPlacedObjectDlg(CReplView* view, ZupRoomObject* object, UINT templateId);
    // Creates a new object in the floor at the view's client point.
    CPlacedObjectDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint, UINT templateId);

    ZupRoomObject* GetObject() const { return m_object; }
    bool IsNew() const { return m_isNew != 0; }
    // True after the user chose "Delete" on an existing object.
    bool IsDeleteChosen() const { return m_deleteChosen; }
    CPoint GetScreenPosition() const { return CPoint(m_screenX, m_screenY); }
    const point& GetModelPoint() const { return m_modelPoint; }
    // A new object that the dialog made is taken out of its floor again.
    void DiscardNewObject();
    // The slider position turned to a main direction when it lies within
    // the snap of one.
    static int SnapDirection(int position, double snap);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnHScroll(UINT code, UINT position, CScrollBar* bar) override;
    void OnDelete();
    void PlaceNearObject();
    void InitDirectionSlider();
    // The new object made at the model point (null when the floor refuses);
    // the subclasses call their floor's factory here.
    void TakeNewObject(ZupRoomObject* object);
    void InvalidateView();
    // The up-down control's range, when it is there.
    void SetUpDownRange(int id, int lower, int upper);

    BYTE m_isNew;
    ZupRoomObject* m_object;
    ZupFloor* m_floor;
    CReplView* m_view;
    point m_modelPoint;
    int m_screenX = 0;
    int m_screenY = 0;

private:
    void MapHandlers();
    bool m_deleteChosen = false;
};
