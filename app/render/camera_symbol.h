// The camera symbol's unit and frame.
#pragma once

#include "angle.h"
#include "point.h"
#include "scaled_dc.h"

// 4 model units when lengths are metric, 2 otherwise.
int GetSymbolUnit();
// The unit the camera is drawn in: GetSymbolUnit device pixels in model
// units, but never less than GetSymbolUnit model units.
int CameraSymbolUnit(const CScaledDC& dc);
// The point forward halves and left halves of half a unit from p in the
// camera's frame (direction dir); odd halves use the integer half of u.
POINT CameraFramePoint(const point& p, const angle& dir, int unit, int forwardHalves, int leftHalves);
