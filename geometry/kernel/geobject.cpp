#include "geobject.h"

control::control(char code) : code_(code) {}
control::control(const control& other) = default;
control& control::operator=(const control& other) = default;
control::~control() = default;

geobject::geobject(short typeCode) : typeCode_(typeCode) {}
geobject::geobject(const geobject& other) = default;

geobject& geobject::operator=(const geobject& other)
{
    typeCode_ = other.typeCode_;
    return *this;
}

geobject::~geobject() = default;

bool geobject::operator=(const geolist&) { return false; }

float geobject::length() const { return 0.0f; }

G_POINT geobject::GetClosestPoint(G_POINT) const { return G_POINT{0.0, 0.0}; }
