// The process-wide state of the file commands: the files saved for the
// levels of the house while the program runs, and whether loaded rooms are
// closed into the level's plan.
#pragma once

#include <map>

#include "c_string.h"

// Level name to the path of the file last saved for it; ordered by name.
std::map<CString, CString>& LevelFileMap();
// Set before every open; cleared when a loaded room cannot join the plan.
bool& CloseIntoPlanFlag();
// Both back to their start: no files, flag set.
void ResetLevelFiles();
