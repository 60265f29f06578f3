// Until the wall-object classes exist a wall holds no objects to ask.
#include "zup_wall_object_rules.h"

ZupRuleOutcome ZupWallObjectRules(ZupFloor&, ZupEdge&, KorDimension**)
{
    return ZupRuleOutcome::kNone;
}
