// The window and wall-fireplace symbols.
#include "plan_wall_objects.h"

void CPlanWindow::Draw(void*) {}
void CPlanWallFireplace::Draw(void*) {}
