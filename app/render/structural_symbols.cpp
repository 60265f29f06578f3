// The corner (node) object and structural symbols.
#include "plan_wall_objects.h"

void CPlanNodeObject::Draw(void*) {}
void CPlanStructural::Draw(void*) {}
