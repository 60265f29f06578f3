// The Dimensions page: which of the object's dimensions are fixed (the whole
// wall, the width, the distances to the wall's ends) and with which values,
// with a strip of digits along the bottom to type them with the pen.
#pragma once

#include "object_page.h"

class CDimensionsPage : public CObjectPage {
public:
    // The strip's top row in client pixels and its cells.
    static constexpr int kStripTop = 191;
    static constexpr int kStripLeft = 7;
    static constexpr int kStripRight = 226;
    static constexpr int kCellWidth = 22;
    static constexpr int kStripBottom = kStripTop + 24;
    // The largest number the page's up-downs and digit strip give.
    static constexpr int kLargestValue = 10000;

    CDimensionsPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    void OnFullWall();
    void OnWidth();
    void OnLeft();
    void OnRight();
    void OnDepth();
    void OnWidthZero();
    void OnLeftZero();
    void OnRightZero();
    // A pen up at the client point; false when it was not on the strip.
    bool OnDigitTap(int x, int y);
    void EnableSideControls(bool enable);

    int undimensioned = 0;
    int fullWall = 0;
    int widthCheck = 0;
    int leftCheck = 0;
    int rightCheck = 0;
    int depthCheck = 0;
    // Points into g_objectSheet, or null.
    int* digitTarget = nullptr;
    bool replace = true;

protected:
    void ExchangePageData(CDataExchange* pDX) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnPaint() override;

private:
    // Width, Left or Right clicked: at most two of them on a bound wall.
    void ToggleSide(int& check, int& other1, int& other2, int spin, int* target, bool clearsFullWall);
    bool OnlyObjectOnWall() const;
};
