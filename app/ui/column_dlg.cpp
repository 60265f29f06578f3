#include "column_dlg.h"

#include "c_edit.h"
#include "data_exchange.h"
#include "zup_column.h"
#include "zup_floor.h"

namespace {

const wchar_t* const kDiameterLabel = L"Diameter:";
const wchar_t* const kSizeLabel = L"Size:";

// OK, Delete, the size label and the size with its up-down control.
std::vector<DialogItem> SizeItems()
{
    return {
        {ControlKind::Static, CColumnDlg::IDC_SIZE_LABEL, kDiameterLabel, CRect(4, 34, 70, 50)},
        {ControlKind::Edit, CColumnDlg::IDC_SIZE, L"", CRect(70, 32, 120, 50), ES_NUMBER},
        {ControlKind::UpDown, CColumnDlg::IDC_SIZE_UPDOWN, L"", CRect(120, 32, 136, 50)},
        {ControlKind::DefPushButton, IDOK, L"OK", CRect(4, 60, 70, 84)},
        {ControlKind::PushButton, CPlacedObjectDlg::IDC_DELETE, L"Delete", CRect(76, 60, 142, 84)},
    };
}

void RegisterSizeTemplate(UINT id, const wchar_t* caption, std::vector<DialogItem> leading)
{
    if (FindDialogTemplate(id))
        return;
    DialogTemplate dialog;
    dialog.id = id;
    dialog.caption = caption;
    dialog.rect = CRect(0, 0, 148, 90);
    dialog.items = std::move(leading);
    for (DialogItem& item : SizeItems())
        dialog.items.push_back(std::move(item));
    RegisterDialogTemplate(dialog);
}

}  // namespace

void RegisterColumnTemplates()
{
    RegisterSizeTemplate(
        CColumnDlg::IDD, L"Column",
        {{ControlKind::CheckBox, CColumnDlg::IDC_ROUND, L"Round", CRect(4, 6, 70, 24)},
         {ControlKind::CheckBox, CColumnDlg::IDC_SQUARE, L"Square", CRect(76, 6, 142, 24)}});
    RegisterSizeTemplate(CSpiralStairDlg::IDD, L"Spiral Stair", {});
}

// ---- Column ----

CColumnDlg::CColumnDlg(CReplView* view, ZupRoomObject* object)
    : CPlacedObjectDlg(view, object, IDD), m_size(object ? object->GetDepth() : 0)
{
    MapShapeButtons();
}

CColumnDlg::CColumnDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint)
    : CPlacedObjectDlg(view, floor, screenPoint, IDD), m_size(ZupColumn::GetDefaultDepth())
{
    MapShapeButtons();
}

void CColumnDlg::MapShapeButtons()
{
    RegisterColumnTemplates();
    MapCommand(IDC_ROUND, &CColumnDlg::OnRound);
    MapCommand(IDC_SQUARE, &CColumnDlg::OnSquare);
}

BOOL CColumnDlg::OnInitDialog()
{
    if (IsNew()) {
        TakeNewObject(m_floor ? m_floor->CreateColumn(m_modelPoint.x(), m_modelPoint.y()) : nullptr);
        if (!m_object)
            return FALSE;
    }
    SetUpDownRange(IDC_SIZE_UPDOWN, kSizeMin, kSizeMax);
    m_round = m_object && static_cast<ZupObject*>(m_object)->GetType() == 0 ? 1 : 0;
    m_square = m_round ? 0 : 1;
    SetDlgItemText(IDC_SIZE_LABEL, m_round ? kDiameterLabel : kSizeLabel);
    return CPlacedObjectDlg::OnInitDialog();
}

void CColumnDlg::DoDataExchange(CDataExchange* pDX)
{
    CPlacedObjectDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SIZE, m_size);
    DDX_Check(pDX, IDC_ROUND, m_round);
    DDX_Check(pDX, IDC_SQUARE, m_square);
}

// The two check boxes act as a pair; only they are shown again, so a size
// being typed is kept.
void CColumnDlg::ShowShape()
{
    CheckDlgButton(IDC_ROUND, static_cast<UINT>(m_round));
    CheckDlgButton(IDC_SQUARE, static_cast<UINT>(m_square));
}

void CColumnDlg::OnRound()
{
    m_round = 1;
    m_square = 0;
    SetDlgItemText(IDC_SIZE_LABEL, kDiameterLabel);
    ShowShape();
}

void CColumnDlg::OnSquare()
{
    m_round = 0;
    m_square = 1;
    SetDlgItemText(IDC_SIZE_LABEL, kSizeLabel);
    ShowShape();
}

void CColumnDlg::OnOK()
{
    if (m_object) {
        if (!UpdateData(TRUE))
            return;
        m_object->SetDepth(m_size);
        static_cast<ZupObject*>(m_object)->SetType(m_round ? 0 : 1);
    }
    CPlacedObjectDlg::OnOK();
}

// ---- Spiral stair ----

CSpiralStairDlg::CSpiralStairDlg(CReplView* view, ZupRoomObject* object)
    : CPlacedObjectDlg(view, object, IDD), m_size(object ? object->GetDepth() : 0)
{
    RegisterColumnTemplates();
}

CSpiralStairDlg::CSpiralStairDlg(CReplView* view, ZupFloor* floor, CPoint screenPoint)
    : CPlacedObjectDlg(view, floor, screenPoint, IDD), m_size(ZupSpiralStair::GetDefaultSize())
{
    RegisterColumnTemplates();
}

BOOL CSpiralStairDlg::OnInitDialog()
{
    if (IsNew()) {
        TakeNewObject(m_floor ? m_floor->CreateSpiralStair(m_modelPoint.x(), m_modelPoint.y())
                              : nullptr);
        if (!m_object)
            return FALSE;
    }
    SetUpDownRange(IDC_SIZE_UPDOWN, CColumnDlg::kSizeMin, CColumnDlg::kSizeMax);
    return CPlacedObjectDlg::OnInitDialog();
}

void CSpiralStairDlg::DoDataExchange(CDataExchange* pDX)
{
    CPlacedObjectDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SIZE, m_size);
}

void CSpiralStairDlg::OnOK()
{
    if (m_object) {
        if (!UpdateData(TRUE))
            return;
        m_object->SetDepth(m_size);
    }
    CPlacedObjectDlg::OnOK();
}
