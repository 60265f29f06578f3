// Numbers in command text, written and read the same way in every locale.
#pragma once

#include <string>

// printf's "%<width>.<precision>f" in the C locale, except that a value
// which rounds to zero is written without a sign ("0.0", not "-0.0").
std::string KorFormatFixed(double value, int precision, int width = 0);
// printf's "%d".
std::string KorFormatInt(long value);

// The whole text must be one finite decimal number (an optional sign, no
// blanks, no hex, no inf or nan, nothing after it); false otherwise.
bool KorParseFinite(const char* text, double& value);
// The whole text must be one decimal integer that fits an int.
bool KorParseInt(const char* text, int& value);
