// What the edit modes show outside the drawing: the command bar's combo box
// (id 2148) and the view's palette, icons and centring. The modes reach the
// shell only through these calls.
#pragma once

#include <string>
#include <vector>

#include "point.h"
#include "win_types.h"

class CReplDoc;

namespace mode_controls {

// ---- The combo box of the command bar ----
// Empties the list; an item height of -1 keeps the present one.
void ResetCombo(int itemHeight);
void AddComboItem(const std::string& text);
void SelectComboItem(int index);
void ShowCombo(bool show);
void SetComboText(const std::string& text);
// The box's text: the chosen item's, or a value typed there.
std::string GetChosenComboText();
int GetChosenComboIndex();

// ---- The view ----
// Lays the palette out for that many cells; the layout comes back (nothing
// changes without a view).
void LayoutPalette(CReplDoc* document, int cells, int& rows, int& columns,
                   std::vector<RECT>& rectangles);
void ShowCameraIcon(CReplDoc* document, bool show);
void ShowMeasureIcons(CReplDoc* document, bool show);
void CenterOn(CReplDoc* document, const point& centre);
void HideCommandPad(CReplDoc* document);
// While the view is being panned the room's dimensions are left out.
bool ViewIsPanning(CReplDoc* document);

}  // namespace mode_controls
