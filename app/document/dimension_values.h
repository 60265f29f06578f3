// Fixing a dimension at a value, as every editing path does it: relation
// "equal" (2) and forced, so that the solver must honour it.
#pragma once

#include "kor_dimension.h"

inline bool FixDimension(KorDimension* dimension, double value)
{
    return dimension && dimension->SetValue(value, static_cast<KORDimensionType>(2), true);
}

// Fixed at its present value.
inline bool FixDimensionHere(KorDimension* dimension)
{
    return dimension && FixDimension(dimension, dimension->GetImplementedValue());
}
