// Process-wide tolerances, modes and the error code of the geometry library.
// Each accessor returns a reference: callers read and write through the same call.
#pragma once

double& GeoSnap();        // coincidence of coordinates, distances, lengths (0.01)
double& GeoDif();         // slopes, angles, parameters (0.001)
char& GeoTouchMode();     // contact at end points counts (1)
char& GeoInsertMode();    // keep near-duplicate crossings (0)
char& GeoConnectMode();   // how the boolean stitcher joins open pieces (0)
char& GeoError();         // 0 none, 1 no solution, 2 memory, 3 arguments not accepted

// Strict comparisons within GeoSnap: at a difference of exactly GeoSnap
// both GeoEQ and GeoNE are false.
bool GeoEQ(double a, double b);
bool GeoNE(double a, double b);
bool GeoLT(double a, double b);
bool GeoGT(double a, double b);

// Error codes written to GeoError.
enum GeoErrorCode : char {
    GEO_OK = 0,
    GEO_NO_SOLUTION = 1,
    GEO_NO_MEMORY = 2,
    GEO_BAD_ARGUMENTS = 3,
};
