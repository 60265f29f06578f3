#include "level_files.h"

namespace {

std::map<CString, CString> gLevelFiles;
bool gCloseIntoPlan = true;

}  // namespace

std::map<CString, CString>& LevelFileMap()
{
    return gLevelFiles;
}

bool& CloseIntoPlanFlag()
{
    return gCloseIntoPlan;
}

void ResetLevelFiles()
{
    gLevelFiles.clear();
    gCloseIntoPlan = true;
}
