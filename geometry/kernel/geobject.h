// The abstract base of every geometry value and list, and the keyword value `control`.
#pragma once

#include "geo_types.h"

// A keyword or mode code that a caller appends to an argument list.
class control {
public:
    control(char code);
    control(const control& other);
    control& operator=(const control& other);
    virtual ~control();

    char code() const { return code_; }

private:
    char code_;
};

// The 25 virtual slots below keep one order for every class. Reference
// arguments are const wherever the operation does not change them, so that
// callers may pass temporaries.
class geobject {
public:
    explicit geobject(short typeCode);
    geobject(const geobject& other);
    geobject& operator=(const geobject& other);

    short typecode() const { return typeCode_; }

    // Starting an argument list (built in geolist.cpp).
    geolist operator&(const geobject& other) const;
    geolist operator&(const geobject* other) const;
    geolist operator&(double number) const;
    geolist operator&(const char* keyword) const;
    geolist operator&(control code) const;
    geolist operator&(const geolist_ref& ref) const;
    // A list over an array of `n` objects of this class starting at this one.
    geolist operator()(short n) const;

    // Distance to another object in single precision, the precision the hit
    // tests compare in (distances.cpp).
    float distance(const geobject* other) const;
    float distance(const geobject& other) const;

    // slot 0: point==point, line==line, circle==circle, segment==point; else 0.
    virtual bool operator==(const geobject& other) const;
    // slot 1: build this object from an argument list.
    virtual bool operator=(const geolist& list);
    // slots 2-4
    virtual geobject* offset(double distance) = 0;
    virtual segment frame() const = 0;
    virtual float length() const;
    // slots 5-6
    virtual geobject* scale(double fx, double fy) = 0;
    virtual geobject* scale(double f) = 0;
    // slots 7-10
    virtual geobject* move(double distance, const angle& direction) = 0;
    virtual geobject* move(const angle& direction, double distance) = 0;
    virtual geobject* move(const point& origin) = 0;
    virtual geobject* move(double dx, double dy) = 0;
    // slots 11-14: a double is in radians, reduced into (-pi, pi] first
    virtual geobject* rotate(double radians, const point& centre) = 0;
    virtual geobject* rotate(const angle& a, const point& centre) = 0;
    virtual geobject* rotate(const point& centre, double radians) = 0;
    virtual geobject* rotate(const point& centre, const angle& a) = 0;
    // slots 15-17
    virtual geobject* mirror(const point& a, const point& b) = 0;
    virtual geobject* mirror(const line& axis) = 0;
    virtual geobject* mirror(const point& centre) = 0;
    // slots 18-19: this lies outside (beyond) / inside the other
    virtual bool operator>(const geobject& other) const = 0;
    virtual bool operator<(const geobject& other) const = 0;
    // slots 20-22: crossing points, pieces inside, pieces outside
    virtual geolist_ref operator%(const geobject& other) const = 0;
    virtual geolist_ref operator<<(const geobject& other) = 0;
    virtual geolist_ref operator>>(const geobject& other) = 0;
    // slot 23
    virtual G_POINT GetClosestPoint(G_POINT p) const;
    // slot 24
    virtual ~geobject();

private:
    short typeCode_;
};
