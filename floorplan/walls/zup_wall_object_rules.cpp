// Each object of a wall (corner objects aside) is asked whether it stands
// where it may: one that sticks out of its wall or overlaps a neighbour
// offers the rule that keeps it in place.
#include "zup_wall_object_rules.h"

#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_wall_object.h"

namespace {

// The object's rule, or null; needed false when it stands where it may.
KorDimension* RuleOf(ZupWallObject* object, bool& needed)
{
    needed = true;
    if (!object->KorSegment::IsValid())
        return object->Resolve();
    const auto [violated, rule] = object->ValidatePosition();
    needed = violated;
    return rule;
}

}  // namespace

ZupRuleOutcome ZupWallObjectRules(ZupFloor& floor, ZupEdge& edge, KorDimension** enabled)
{
    ZupRuleOutcome outcome = ZupRuleOutcome::kNone;
    for (int i = 0; i < edge.GetNumOfObjects(); ++i) {
        ZupWallObject* object = edge.GetWallObject(i);
        if (!object || object->IsCorner())
            continue;
        bool needed = true;
        KorDimension* rule = RuleOf(object, needed);
        if (!needed)
            continue;
        if (!rule) {
            floor.DeleteExtraRules();
            return ZupRuleOutcome::kFailed;
        }
        if (rule->IsEnabled()) {
            if (enabled)
                *enabled = rule;
            return ZupRuleOutcome::kEnabled;
        }
        floor.AddExtraRule(rule);
        outcome = ZupRuleOutcome::kAdded;
    }
    return outcome;
}
