// The Object pages of the wall-object sheets: the category and kind of a
// non-door object, its depth (panes for a window), the window size, an
// attached window and the Corner placement.
#pragma once

#include "object_page.h"

class CListBox;

// The New Wall Object sheet's page.
class CNewObjectPage : public CAttachedWindowPage {
public:
    CNewObjectPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    void OnCategoryChanged();
    void OnCategoryCancel();
    void OnKindChanged();
    void OnWindowSizeChanged();
    // The defaults of the chosen kind; reset also gives the depth its default.
    void ApplyKindDefaults(bool reset);
    void ShowKindControls(int category, int subtypeId);
    void FillKindList(int category);

    int big = 1;
    int small = 0;
    int initialized = 0;

protected:
    void ExchangePageData(CDataExchange* pDX) override;

private:
    CListBox* Categories() const;
    CListBox* Kinds() const;
    void ApplyCategoryDefaults(int category, int subtypeId, bool reset);
    void PrepareCornerCheck(int category);
    void ClampWidthToGap();
    void KeepChoiceOnReturn(int depth, int width, int corner);

    // The category and kind the page was last left with in this sheet
    // (none yet: -2), so coming back to them keeps what was typed.
    int leftCategory = -2;
    int leftSubtype = -2;
};

// The object edit sheet's page.
class CEditObjectPage : public CAttachedWindowPage {
public:
    CEditObjectPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    void OnKindChanged();
    // Destroys the object and closes the sheet without a further apply.
    void OnDelete();

protected:
    void ExchangePageData(CDataExchange* pDX) override;

private:
    CListBox* Kinds() const;
    void ShowAttachedControls(bool show);
};

// The depth that puts a bath object of the width into the room's corner at
// the sheet's point.
int BathCornerDepth(int width);
