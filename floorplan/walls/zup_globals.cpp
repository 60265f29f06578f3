#include "zup_globals.h"

#include "kor_alignment.h"
#include "kor_globals.h"
#include "zup_camera.h"
#include "zup_floor.h"

namespace {
bool gMetric = false;
}  // namespace

bool& ZupMetric()
{
    return gMetric;
}

void ZupResetGlobals()
{
    KorResetGlobals();
    gMetric = false;
    ZupFloor::ResetGlobals();
    ZupCamera::ResetGlobals();
    KorAlignment::mbSetImplicitColinear = false;
}
