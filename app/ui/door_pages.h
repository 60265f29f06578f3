// The Door pages: the kind of an opening and the thickness of its wall. The
// new page can also take over an opening the plan has on a neighbouring
// room's wall; the edit page can delete the opening.
#pragma once

#include <vector>

#include "object_page.h"

class CListBox;
class ZupFloor;
class ZupOpening;

class CNewDoorPage : public CObjectPage {
public:
    // source: the level's plan when it has openings, else null.
    explicit CNewDoorPage(ZupFloor* source);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnKindChanged();
    void OnSingleDouble();
    void ShowDoubleChoice(bool show);

    const std::vector<ZupOpening*>& FreeOpenings() const { return m_freeOpenings; }

    int doubleDoor = 1;
    int singleDoor = 0;

protected:
    void ExchangePageData(CDataExchange* pDX) override;

private:
    CListBox* Names() const;
    CListBox* Kinds() const;
    void TakeNewOpening();
    void TakeFreeOpening(const CString& name);

    std::vector<ZupOpening*> m_freeOpenings;
    ZupFloor* m_source;
};

class CEditDoorPage : public CObjectPage {
public:
    CEditDoorPage();

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    // Refused for the only opening that is the room's entrance.
    void OnDelete();

protected:
    void ExchangePageData(CDataExchange* pDX) override;
};

// The wall thickness of the door pages, kept within 0 to 1000.
void ExchangeWallThickness(CDataExchange* pDX);
