// Minimal bodies of the wall-object operations of an edge until the wall
// object class exists; no wall can hold an object before it does.
#include "zup_edge.h"

void ZupEdge::TransferObjects(ZupEdge*, bool) {}
