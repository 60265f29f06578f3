// The shell's resources: the Tools menu, the command bar's bitmap, the
// status icons, the command pad's buttons and the texts they use. They are
// drawn here in code, small and plain.
#pragma once

#include "win_types.h"

namespace ShellIds {
constexpr UINT kMainResource = 108;       // menu, document string, icon
constexpr UINT kToolBitmap = 2002;        // four command-bar images
constexpr UINT kCameraIcon = 2023;
constexpr UINT kPaletteBrush = 2031;
constexpr UINT kPaletteBackground = 2032;
constexpr UINT kConsistentIcon = 2024;
constexpr UINT kDimensionOnIcon = 2025;
constexpr UINT kInconsistentIcon = 2026;
constexpr UINT kDimensionOffIcon = 2027;
constexpr UINT kViewAllIcon = 2167;
constexpr UINT kFirstPadBitmap = 2036;
constexpr UINT kLastPadBitmap = 2050;
constexpr UINT kAboutDialog = 100;
}  // namespace ShellIds

// Registers every resource above (again after a reset of the tables: it is
// cheap and replaces what is there).
void RegisterShellResources();
