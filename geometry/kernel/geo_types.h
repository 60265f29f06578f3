// Raw records beneath the geometry classes, and the class names of the library.
#pragma once

struct G_POINT {
    double x;
    double y;
};

// A line as slope and intercept. Vertical lines carry the sentinel slope
// GEO_VERTICAL and their x in laxe; horizontal lines slope 0 and their y in laxe.
struct LINE {
    double ltan;
    double laxe;
};

struct CIRCLE {
    G_POINT center;
    double radius;
};

// Counter-clockwise from start to end, in radians; equal angles mean a full turn.
struct ARC {
    G_POINT center;
    double radius;
    double start;
    double end;
};

// The shared, reference-counted body of a polygon (see polygon.h).
struct POLY;

// The slope that marks a vertical line.
inline constexpr double GEO_VERTICAL = 100001.0;

// The library's full turn: every angle wrap uses this literal, not 2*M_PI.
inline constexpr double GEO_2PI = 6.28318530718;
inline constexpr double GEO_PI = 3.14159265358979323846;
inline constexpr double GEO_PI_2 = 1.57079632679489661923;

// Type codes of the classes and list items. The list machinery orders items
// by descending code, so the numbers are part of the interface.
enum GeoTypeCode : short {
    GEO_CONTROL_ITEM = 0,
    GEO_KEYWORD_ITEM = 1,
    GEO_NUMBER_ITEM = 2,
    GEO_ANGLE = 3,
    GEO_POINT = 4,
    GEO_LINE = 8,
    GEO_CIRCLE = 9,
    GEO_SEGMENT = 10,
    GEO_ARC = 11,
    GEO_POLYGON = 12,
    GEO_LIST = 14,
    GEO_RAY = 15,
    GEO_ITEM = 16,
    GEO_LIST_REF = 17,
    GEO_VERTEX_RUN = 18,
    GEO_POLY_MEMBER = 19,
    GEO_STORED_POINT = -4,
    GEO_STORED_PIECE = -10,
    GEO_STORED_ARC = -11,
    GEO_STORED_RUN = -12,
    GEO_STORED_RAY = -15,
};

class geobject;
class control;
class point;
class angle;
class line;
class ray;
class segment;
class circle;
class arc;
class polygon;
class poly_member;
class geolist;
class geolist_ref;
class geoitem;
struct geolist_pr;
