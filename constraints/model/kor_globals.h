// One reset for every process-wide state of the constraint manager (name
// counters, solving scratch sets, static flags), for tests and fresh starts.
#pragma once

void KorResetGlobals();
