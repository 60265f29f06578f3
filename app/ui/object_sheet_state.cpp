#include "object_sheet_state.h"

ObjectSheetState g_objectSheet;
int lastObjectKind = -2;
int lastDoorKind = 1;

void ResetObjectSheetMemory()
{
    lastObjectKind = -2;
    lastDoorKind = 1;
}

void ResetObjectSheetState()
{
    g_objectSheet = ObjectSheetState();
    ResetObjectSheetMemory();
}

bool HasClosetMark(ZupOpening* opening)
{
    return opening && opening->IsCloset();
}

void SetClosetMark(ZupOpening* opening, bool on)
{
    if (opening)
        opening->SetCloset(on);
}
