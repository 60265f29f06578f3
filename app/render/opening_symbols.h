// The plan symbols of doors, openings and stairs in wall gaps, worked out in
// model units, and the entrance mark of the room being edited.
#pragma once

#include "symbol_strokes.h"

class CScaledDC;
class ZupOpening;
class ZupOpeningStair;

// The door leaves, panels or lines of the opening's kind; nothing for the
// empty kind, an unknown kind or a door without width.
CSymbolStrokes BuildOpeningSymbol(ZupOpening& opening);

// The stair's outline, treads, walking arrow and its "up" or "dn" label.
CSymbolStrokes BuildStairSymbol(ZupOpeningStair& stair);

// An arrow across the wall through the opening's centre, its head on the
// side the wall's normal points to.
CSymbolStrokes BuildEntranceArrow(ZupOpening& opening);

// The arrow in a red pen two pixels wide.
void DrawEntranceArrow(ZupOpening& opening, CScaledDC& dc);
