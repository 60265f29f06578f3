// The command pad: a 3 x 3 grid of bitmap buttons drawn over the view where
// the user tapped. It zooms the view or the room sketch, closes itself (and
// pans when its centre is dragged), detaches the room or opens the options,
// switches the feet-and-inches display, the dimension filter and the hiding
// of zero dimensions, and switches between room and plan.
#pragma once

#include <array>
#include <memory>

#include "c_rect.h"
#include "resource_bitmap.h"

class CDC;
class CReplDoc;
class CReplView;

// The pad's commands; each is also the id of its button's bitmap.
namespace PadCommand {
constexpr int kZoomViewIn = 2036;
constexpr int kZoomViewOut = 2037;
constexpr int kZoomRoomOut = 2038;
constexpr int kZoomRoomIn = 2039;
constexpr int kClose = 2040;
constexpr int kDetachOrOptions = 2041;
constexpr int kFeetInchesOn = 2042;
constexpr int kFeetInchesOff = 2043;
constexpr int kFilterAll = 2044;
constexpr int kFilterUnlocked = 2045;
constexpr int kFilterActive = 2046;
constexpr int kToPlan = 2047;
constexpr int kToRoom = 2048;
constexpr int kShowZeros = 2049;
constexpr int kHideZeros = 2050;
}  // namespace PadCommand

class CPadButton {
public:
    CPadButton(CReplView* view, int command);
    CPadButton(const CPadButton&) = delete;
    CPadButton& operator=(const CPadButton&) = delete;

    int GetCommand() const { return m_command; }
    // Once run, a button carries no command until the pad is rebuilt.
    void ClearCommand() { m_command = 0; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void Draw(CDC& dc, int x, int y);

private:
    int m_command;
    CReplView* m_view;
    int m_width = 0;
    int m_height = 0;
    CResourceBitmap m_bitmap;
};

class CCommandPad {
public:
    static constexpr int kCells = 3;

    CCommandPad() = default;
    CCommandPad(const CCommandPad&) = delete;
    CCommandPad& operator=(const CCommandPad&) = delete;

    void Init(CReplView* view);
    // The nine buttons anew from the document's display state.
    void Build();
    // Centred on (x, y).
    void Show(int x, int y);
    void Hide() { m_shown = false; }
    bool IsShown() const { return m_shown; }
    void Draw(CDC& dc);

    // Remembers the cell under p; true when p lies on the pad.
    bool HitTestDown(CPoint p);
    // Runs the button remembered at pen down; its result.
    bool HitTestUp();
    // A drag that began on the centre cell pans the view.
    bool HitTestMove(CPoint p);
    bool Dispatch(CPadButton& button);

    // Keeps the pad over the same point of the plan while it pans.
    void MoveBy(int dx, int dy);
    void SetAutoFit(bool autoFit) { m_autoFit = autoFit; }
    bool IsAutoFit() const { return m_autoFit; }
    CPoint GetOrigin() const { return CPoint(m_originX, m_originY); }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The command of the cell; 0 outside the pad or for a button already run.
    int GetCommandAt(int column, int row) const;

private:
    static int CellIndex(int column, int row) { return column * kCells + row; }
    static bool InGrid(int value) { return value >= 0 && value < kCells; }
    int ChooseCommand(int column, int row) const;
    CReplDoc* Document() const;
    void SetFilter(bool all, bool active, bool unlocked);
    void SwitchView(bool whenEditing);

    int m_originX = 0;
    int m_originY = 0;
    std::array<std::unique_ptr<CPadButton>, kCells * kCells> m_buttons;
    CReplView* m_view = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_shown = false;
    bool m_autoFit = true;
    int m_row = -1;
    int m_column = -1;
};
