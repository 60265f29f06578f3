// The placed room objects' symbols: islands, fireplaces, columns, spiral stairs.
#include "plan_room_objects.h"

void CPlanIsland::Draw(void*) {}
void CPlanFireplace::Draw(void*) {}
void CPlanColumn::Draw(void*) {}
void CPlanSpiralStair::Draw(void*) {}
