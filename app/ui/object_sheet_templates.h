// The templates of the wall-object sheets' pages and their control ids.
#pragma once

#include "win_types.h"

namespace ObjectSheetIds {
constexpr UINT kEditDoorPage = 2004;
constexpr UINT kEditObjectPage = 2005;
constexpr UINT kNewDoorPage = 2054;
constexpr UINT kNewObjectPage = 2055;
constexpr UINT kDimensionsPage = 2056;
constexpr UINT kAttributesPage = 2057;
constexpr UINT kDigitStripBitmap = 2060;

constexpr int kDelete = 2018;
constexpr int kDepthCaption = 2065;
constexpr int kExternal = 2069;
constexpr int kWallThickness = 2072;
constexpr int kWallThicknessSpin = 2074;
constexpr int kDoorPositions = 2078;
constexpr int kNames = 2079;
constexpr int kKinds = 2080;
constexpr int kFullWall = 2081;
constexpr int kLeft = 2082;
constexpr int kLeftSpin = 2083;
constexpr int kRight = 2084;
constexpr int kRightSpin = 2085;
constexpr int kWidth = 2087;
constexpr int kWidthSpin = 2088;
constexpr int kWidthCheck = 2089;
constexpr int kLeftCheck = 2090;
constexpr int kRightCheck = 2091;
constexpr int kDoorActions = 2092;
constexpr int kStair = 2093;
constexpr int kStairPosition = 2094;
constexpr int kStairDirection = 2095;
constexpr int kSteps = 2096;
constexpr int kStepsSpin = 2097;
constexpr int kLeftZero = 2098;
constexpr int kRightZero = 2099;
constexpr int kCloset = 2100;
constexpr int kCategories = 2107;
constexpr int kDepth = 2109;
constexpr int kDepthSpin = 2110;
constexpr int kWidthZero = 2123;
constexpr int kStairKind = 2158;
constexpr int kCorner = 2163;
constexpr int kPanes = 2166;
constexpr int kPanesSpin = 2168;
constexpr int kAttachedGroup = 2171;
constexpr int kDepthCheck = 2172;
constexpr int kSmall = 2174;  // "Single" on the door page
constexpr int kBig = 2175;    // "Double" on the door page
constexpr int kStraight = 2196;
constexpr int kBay = 2197;
constexpr int kPanesCaption = 2198;
}  // namespace ObjectSheetIds

// Registers the six page templates (once; cheap afterwards).
void RegisterObjectSheetTemplates();
