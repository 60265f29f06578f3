// One reset for every process-wide state of the floor-plan model (and, through
// KorResetGlobals, of the constraint manager), for tests and fresh starts.
#pragma once

// Resets the metric flag (false), the floors' default opening and window
// widths, the merge statics and KorAlignment::mbSetImplicitColinear, after
// KorResetGlobals().
void ZupResetGlobals();

// The process-wide metric flag of the floor-plan objects: lengths are
// centimetres when set, else inches. Every default size reads it.
bool& ZupMetric();
