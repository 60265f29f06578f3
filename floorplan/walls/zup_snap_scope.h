// A temporary GeoSnap for one operation: the exact saved value comes back on
// every path out of the scope.
#pragma once

#include "settings.h"

class ZupSnapScope {
public:
    explicit ZupSnapScope(double snap) : mSaved(GeoSnap()) { GeoSnap() = snap; }
    ~ZupSnapScope() { GeoSnap() = mSaved; }
    ZupSnapScope(const ZupSnapScope&) = delete;
    ZupSnapScope& operator=(const ZupSnapScope&) = delete;

private:
    double mSaved;
};
