// The base of every page of the wall-object sheets: the shared apply, the
// page's own Cancel button and the main window's caption put back when the
// page goes. The pages talk to each other only through g_objectSheet.
#pragma once

#include "c_property_sheet.h"
#include "cmd_target.h"

// A list box's selection given up (the notification code).
constexpr UINT kListSelectionCancelled = 3;

class CObjectPage : public CPropertyPage {
public:
    explicit CObjectPage(UINT templateId);
    ~CObjectPage() override;
    CObjectPage(const CObjectPage&) = delete;
    CObjectPage& operator=(const CObjectPage&) = delete;

    BOOL OnInitDialog() override;
    // The sheet is applied by the first page asked; the others give the
    // same result.
    BOOL OnApply() override;
    // Ends the parent sheet with the cancel result.
    void OnCancel() override;

protected:
    // The page's own exchange; a control written by it does not count as
    // the user's change.
    virtual void ExchangePageData(CDataExchange* pDX);
    void DoDataExchange(CDataExchange* pDX) final;
    bool InExchange() const { return m_exchanging > 0; }
    // The controls show the data.
    void ShowData() { UpdateData(FALSE); }

    // The controls of the id shown or hidden, enabled or not.
    void ShowControl(int id, bool show);
    void EnableControl(int id, bool enable);
    bool IsControlEnabled(int id) const;
    void SetControlText(int id, LPCTSTR text);
    void SetSpinRange(int id, int lower, int upper);

private:
    int m_exchanging = 0;
};

// The Object pages' attached window: its panes and Bay or Straight.
class CAttachedWindowPage : public CObjectPage {
public:
    static constexpr int IDC_PANES = 2166;
    static constexpr int IDC_STRAIGHT = 2196;
    static constexpr int IDC_BAY = 2197;

    explicit CAttachedWindowPage(UINT templateId);

    void OnAttachedPanesChanged();
    void OnAttachedBay();
    void OnAttachedStraight();
    // The attached-window group of a countertop holds the closet kind's door.
    void NameAttachedGroup(int category, int subtypeId);
    // Straight and Bay shown and enabled with the attached window, except
    // for a closet, whose group holds its door and no window.
    void ShowWindowShapes(bool attached, int category, int subtypeId);

    int bay = 0;
    int straight = 0;
};
