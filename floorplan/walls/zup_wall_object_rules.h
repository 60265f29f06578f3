// The rules a wall's objects ask of the solver after a solve: each object
// that sticks out of its wall or overlaps a neighbour offers the dimension
// that keeps it in place.
#pragma once

class KorDimension;
class ZupEdge;
class ZupFloor;

enum class ZupRuleOutcome {
    kNone,     // no object needed a rule
    kAdded,    // rules joined the floor's extra rules
    kFailed,   // an object had no rule to offer; the extra rules are gone
    kEnabled,  // an object's rule is already enabled: the solver restarts from it
};

// Asks each object of the wall (corner objects aside) for its rule.
// kEnabled names that rule in *enabled.
ZupRuleOutcome ZupWallObjectRules(ZupFloor& floor, ZupEdge& edge, KorDimension** enabled);
