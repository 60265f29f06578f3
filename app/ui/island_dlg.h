// The dialogs of the rectangles that stand free in a room: the kitchen
// island and the free-standing fireplace (one template, the fireplace with
// its own caption): kind, width, depth and direction.
#pragma once

#include "placed_object_dlg.h"

class CIslandDlg : public CPlacedObjectDlg {
public:
    static constexpr UINT IDD = 2190;
    static constexpr int IDC_KINDS = 2080;
    static constexpr int IDC_WIDTH = 2191;
    static constexpr int IDC_DEPTH = 2192;
    static constexpr int IDC_WIDTH_UPDOWN = 2088;
    static constexpr int IDC_DEPTH_UPDOWN = 2110;
    static constexpr int kSizeMin = 1;
    static constexpr int kSizeMax = 1000;
    // The object-type catalog's categories of the kinds.
    static constexpr int kIslandCategory = 7;
    static constexpr int kFireplaceCategory = 10;

    CIslandDlg(CReplView* view, ZupRoomObject* object);
    CIslandDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint);

    int m_width;
    int m_depth;

protected:
    CIslandDlg(CReplView* view, ZupRoomObject* object, int category);
    CIslandDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint, int category, int width,
               int depth);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The floor's factory for this kind of object.
    virtual ZupRoomObject* CreateObject(ZupFloor& floor, const point& p);

private:
    void FillKinds();
    int SelectedKind() const;

    int m_category;
};

class CFireplaceDlg : public CIslandDlg {
public:
    CFireplaceDlg(CReplView* view, ZupRoomObject* object);
    CFireplaceDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint);

protected:
    BOOL OnInitDialog() override;
    ZupRoomObject* CreateObject(ZupFloor& floor, const point& p) override;
};

// Registers the island's template (also the fireplace's).
void RegisterIslandTemplate();
