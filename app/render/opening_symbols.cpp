// The door, opening and stair-opening symbols.
#include "plan_wall_objects.h"

void CPlanOpening::Draw(void*) {}
void CPlanStairOpening::Draw(void*) {}
