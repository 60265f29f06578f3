// Where a wall object lies on its wall, written into the sheets' record
// before a sheet opens and again when the user has chosen what to place.
#pragma once

class ZupEdge;
class ZupFloor;
class ZupWallObject;

// For a tap at (x, y) on a wall: the New Wall Object sheet.
void InitObjectSheetNew(ZupEdge* wall, float x, float y);
// For an existing object: the edit sheets; plan finds an opening's twin.
void InitObjectSheetEdit(ZupWallObject* object, ZupFloor* plan);
// The fixed sides of the sheet's object, read from its dimensions.
void ReadSheetDimensions(ZupFloor* plan);
// Gap, free distances and bound wall for a new object at the sheet's point.
void ComputeSheetPlacement();
// The sheet's point is a vertex of the room's contour.
bool IsSheetPointAtNode();
