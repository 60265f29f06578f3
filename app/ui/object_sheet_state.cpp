#include "object_sheet_state.h"

#include <map>
#include <string>

ObjectSheetState g_objectSheet;
int lastObjectKind = -2;
int lastDoorKind = 1;

namespace {

// Lookups only, never walked: the order of the keys cannot reach a result.
std::map<const ZupOpening*, std::string>& ClosetMarks()
{
    static std::map<const ZupOpening*, std::string> marks;
    return marks;
}

}  // namespace

void ResetObjectSheetMemory()
{
    lastObjectKind = -2;
    lastDoorKind = 1;
}

void ResetObjectSheetState()
{
    g_objectSheet = ObjectSheetState();
    ResetObjectSheetMemory();
    ClosetMarks().clear();
}

bool HasClosetMark(ZupOpening* opening)
{
    if (!opening)
        return false;
    auto found = ClosetMarks().find(opening);
    // A mark left by an opening that is gone must not pass to a new one that
    // happens to take its place.
    return found != ClosetMarks().end() && found->second == opening->GetName();
}

void SetClosetMark(ZupOpening* opening, bool on)
{
    if (!opening)
        return;
    if (on)
        ClosetMarks()[opening] = opening->GetName();
    else
        ClosetMarks().erase(opening);
}
