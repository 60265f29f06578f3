// The geometry of the placed room objects' symbols that tests and the
// drawings share.
#pragma once

#include <vector>

// The spiral stair's ten spokes: from 90 degrees down by 30 to -180.
std::vector<int> SpiralStairSpokeDegrees();
// How far from the centre a spoke ends: depth / 2 - 3 s + 2 (s the stove
// space), in whole units.
int SpiralStairSpokeEnd(int depth);
// The inset of a free-standing fireplace's hearth from its front and back.
int FireplaceHearthInset();
