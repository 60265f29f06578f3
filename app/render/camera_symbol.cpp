// The camera's symbol.
#include "plan_room_objects.h"

void CPlanCamera::Draw(void*) {}
