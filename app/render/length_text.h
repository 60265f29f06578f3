// Length texts: model lengths (inches when imperial, centimetres when
// metric) as the texts of dimension labels, the keypad and the dialogs, and
// a typed feet-and-inches text read back. Free functions without state.
#pragma once

#include "c_string.h"

// floor(value), one more when the fraction is a half or more.
int RoundToInt(double value);

// A dimension label's text: whole centimetres, or feet and truncated inches
// right-aligned in two places each.
CString DimLabelText(double length, bool imperial);

// Feet, inches and a half inch for any fraction.
CString FormatFeetInchesHalf(float inches);

// Feet before an apostrophe and inches up to a double quote; inches without
// their mark do not count.
float ParseFeetInches(const CString& text);
