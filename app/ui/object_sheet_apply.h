// The one apply of the wall-object sheets: it builds a new object or changes
// the edited one from the sheets' record, once per sheet, and checks that the
// room still resolves with the dimensions the user fixed. Each step gives
// nonzero on success.
#pragma once

class KorDimension;

// The whole apply (what every page's OnApply runs).
int ApplyObjectSheet();

int ApplyOpeningEdit();
int CreateSheetOpening();
int ApplyWallObjectDimensions();
int ApplyNewObjectDimensions();
void EnsureWallObjectDimensions();
int ApplyFullWall();
int ApplyWallDimensions();
// Resolves the room with a placed entrance freed for the time of it; a
// failure with a rule is retried once without the rule.
int ResolveRoomWithEntrance(KorDimension* rule);
