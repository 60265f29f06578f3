// The bath, utility and countertop symbols.
#include "plan_wall_objects.h"

void CPlanBathObject::Draw(void*) {}
void CPlanUtilityObject::Draw(void*) {}
void CPlanCountertop::Draw(void*) {}
