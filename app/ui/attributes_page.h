// The Attributes page, for openings only: door action and position,
// External, Closet (Bay for an empty opening) and a stair in the opening.
#pragma once

#include "object_page.h"

class CListBox;

class CAttributesPage : public CObjectPage {
public:
    static constexpr int kDefaultSteps = 3;
    static constexpr int kMostSteps = 100;

    CAttributesPage();
    ~CAttributesPage() override;

    // Refused when the sheet is not for a door.
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void OnStair();
    void OnCloset();

    const int* actionKeys = nullptr;
    const int* positionKeys = nullptr;
    int actionCount = 0;
    int positionCount = 0;
    int stairCheck = 0;
    int external = 0;
    int closet = 0;
    int steps = kDefaultSteps;

protected:
    void ExchangePageData(CDataExchange* pDX) override;

private:
    CListBox* List(int id) const;
    void FillKeys(int id, const int* keys, int count, int chosen, bool selectFirst,
                  LPCTSTR (*name)(int));
    void FillStairLists();
    void EnableStairControls(bool enable);
    void PrepareExternalAndCloset();
    void KeepExternalAndClosetChosen();
    int SelectedKey(int id, const int* keys, int count, int fallback) const;
    void UpdateStair();

    // The door kind the page was last left with in this sheet (none yet: -2).
    int leftDoorKind = -2;
};
