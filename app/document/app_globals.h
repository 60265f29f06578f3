// One reset of every process-wide value the program keeps (exchange file
// settings and tables, catalogs, version text) and of the libraries' own,
// for a fresh start in tests.
#pragma once

void PelkResetAppGlobals();
