// The dialogs of the objects known by one size: the column (round or
// square) and the spiral stair.
#pragma once

#include "placed_object_dlg.h"

class CColumnDlg : public CPlacedObjectDlg {
public:
    static constexpr UINT IDD = 2214;
    static constexpr int IDC_SIZE = 2215;
    static constexpr int IDC_ROUND = 2216;
    static constexpr int IDC_SQUARE = 2217;
    static constexpr int IDC_SIZE_LABEL = 2218;
    static constexpr int IDC_SIZE_UPDOWN = 2088;
    static constexpr int kSizeMin = 1;
    static constexpr int kSizeMax = 1000;

    CColumnDlg(CReplView* view, ZupRoomObject* object);
    CColumnDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint);

    int m_size;
    int m_square = 0;
    int m_round = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnRound();
    void OnSquare();

private:
    void MapShapeButtons();
    void ShowShape();
};

class CSpiralStairDlg : public CPlacedObjectDlg {
public:
    static constexpr UINT IDD = 2222;
    static constexpr int IDC_SIZE = CColumnDlg::IDC_SIZE;
    static constexpr int IDC_SIZE_UPDOWN = CColumnDlg::IDC_SIZE_UPDOWN;

    CSpiralStairDlg(CReplView* view, ZupRoomObject* object);
    CSpiralStairDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint);

    int m_size;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

// Registers the column's and the spiral stair's templates.
void RegisterColumnTemplates();
