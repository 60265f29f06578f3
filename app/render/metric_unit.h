// The size of one symbol unit, the step of the small offsets in the object
// symbols: a few centimetres or a couple of inches, so that the symbols look
// alike in both unit systems.
#pragma once

// 4 model units when lengths are metric (centimetres), 2 when imperial.
int GetMetricUnit();
