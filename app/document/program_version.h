// The program's version text, made once from the program file's date.
#pragma once

#include "c_string.h"
#include "file_system.h"

// "%d.%d.%d": the year modulo 1000, the month and the day the program file
// was last written (local time); "0.0.0" when it cannot be read.
CString GetProgramVersion();
// The text for a given date (the same rule).
CString ProgramVersionFor(const SYSTEMTIME& date);
// Forgets the version made so far.
void ResetProgramVersion();
