#include "settings.h"

#include <cmath>

double& GeoSnap()
{
    static double snap = 0.01;
    return snap;
}

double& GeoDif()
{
    static double dif = 0.001;
    return dif;
}

char& GeoTouchMode()
{
    static char mode = 1;
    return mode;
}

char& GeoInsertMode()
{
    static char mode = 0;
    return mode;
}

char& GeoConnectMode()
{
    static char mode = 0;
    return mode;
}

char& GeoError()
{
    static char error = 0;
    return error;
}

bool GeoEQ(double a, double b) { return std::fabs(a - b) < GeoSnap(); }
bool GeoNE(double a, double b) { return std::fabs(a - b) > GeoSnap(); }
bool GeoLT(double a, double b) { return a < b - GeoSnap(); }
bool GeoGT(double a, double b) { return a > b + GeoSnap(); }
