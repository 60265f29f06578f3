// Circular arc: a centre, a radius and two angles (radians), running
// counter-clockwise from the start to the end; equal angles mean a full turn.
#pragma once

#include "geobject.h"

class arc : public geobject {
public:
    arc();
    arc(const ARC& record);
    arc(const arc& other);
    // Centre c, radius |cs|, from the direction of s to the direction of e.
    arc(const point& c, const point& s, const point& e);
    arc(const poly_member& member);
    // Runs the construction; the outcome is read from GeoError.
    arc(geolist& list);
    arc(geolist&& list);
    // Item code 11 (an arc) or -11 (a stored ARC record); else GeoError 3.
    arc(const geoitem& item);
    ~arc() override;

    arc& operator=(const arc& other);
    // Codes 11 and -11 only; false and no change otherwise.
    bool operator=(const geoitem& item);
    // By the vertex view's kind: 10 a degenerate arc at the vertex, 12 the
    // corner arc, 18 an arc side stored in three vertex slots.
    bool operator=(const poly_member& member);
    void operator=(const point& centre);
    void operator=(double radius);
    // Construction from an argument list (not slot 1, which stays false for
    // arcs). Sets GeoError; true exactly when it is 0 at the end.
    char operator=(geolist& list);
    char operator=(geolist&& list);

    // Resets the arc as arc(c, s, e) does.
    geobject* move(const point& c, const point& s, const point& e);

    // Swaps the angles: the complementary arc.
    arc& operator-();

    point center() const;
    double rad() const { return rec_.radius; }
    point start() const;
    point end() const;
    double perimeter() const;
    double startAngle() const { return rec_.start; }
    double endAngle() const { return rec_.end; }

    // The raw record, for callers that read or set centre, radius and angles.
    ARC& record() { return rec_; }
    const ARC& record() const { return rec_; }

    using geobject::operator==;
    bool operator==(const arc& other) const;
    bool operator!=(const arc& other) const;
    // Same circle; the angles are ignored.
    bool operator==(const circle& other) const;
    bool operator!=(const circle& other) const;

    geobject* offset(double distance) override;
    segment frame() const override;
    geobject* scale(double fx, double fy) override;
    geobject* scale(double f) override;
    geobject* move(double distance, const angle& direction) override;
    geobject* move(const angle& direction, double distance) override;
    geobject* move(const point& origin) override;
    geobject* move(double dx, double dy) override;
    geobject* rotate(double radians, const point& centre) override;
    geobject* rotate(const angle& a, const point& centre) override;
    geobject* rotate(const point& centre, double radians) override;
    geobject* rotate(const point& centre, const angle& a) override;
    geobject* mirror(const point& a, const point& b) override;
    geobject* mirror(const line& axis) override;
    geobject* mirror(const point& centre) override;
    bool operator>(const geobject& other) const override;
    bool operator<(const geobject& other) const override;
    geolist_ref operator%(const geobject& other) const override;
    geolist_ref operator<<(const geobject& other) override;
    geolist_ref operator>>(const geobject& other) override;

private:
    geolist_ref crossingPoints(const geobject& other) const;
    // The pieces inside (mode 1) or outside (mode 0) the other object.
    geolist_ref pieces(const geobject& other, char mode) const;

    ARC rec_;
};

// --- record-level workers (also used by list items holding stored arcs) ---

// Raw equality: centre, radius and both angles each within GeoSnap; 1 or 0.
char ArcEqual(const ARC& a, const ARC& b);
// Non-uniform scale about the origin; fx = fy = 0 leaves the arc unchanged.
void ScaleArc(ARC& a, double fx, double fy);
// Turns the centre about `centre` by `radians` and both angles with it.
void RotateArc(ARC& a, const G_POINT& centre, double radians);
void MirrorArcAboutPoint(ARC& a, const G_POINT& centre);
void MirrorArcAboutLine(ARC& a, const LINE& axis);

// Inserts into the growable angle buffer, from index `start` on, the directions
// (from the arc's centre) of the crossings of the arc with `other` that lie on
// the arc; returns how many were inserted.
short ArcCrossings(const ARC& a, const geobject& other, double** angles, short start);
// Fills `result` with the pieces of the arc inside (mode 1) or outside (mode 0)
// `other`, as stored arcs (code -11).
void ClipArc(geolist& result, const geobject& other, const ARC& a, char mode);
// The corner arc spanning the polygon's interior angle at vertex `index`.
void ArcFromPolyMember(const POLY& body, short index, ARC& out);

// --- arc constructions: each fills `out` and returns false when there is no solution ---

bool ArcFrom2Circles(const CIRCLE& c1, const CIRCLE& c2, ARC& out);
bool ArcFrom3Points(const G_POINT& centre, const G_POINT& s, const G_POINT& e, ARC& out);
// A > 0 turns from p1 to p2, otherwise from p2 to p1 (radians).
bool ArcFrom2PointsAngle(const G_POINT& p1, const G_POINT& p2, double a, ARC& out);
void ArcFromCirclePointAngle(const CIRCLE& c, const G_POINT& p, double a, ARC& out);
void ArcFromCircle2Points(const CIRCLE& c, const G_POINT& p1, const G_POINT& p2, ARC& out);
bool ArcFromCircleLinePoint(const CIRCLE& c, const LINE& l, const G_POINT& p, ARC& out);
// keyword: 7 "RADIUS" or 6 "CHORD".
bool ArcFrom2PointsRadius(const G_POINT& p1, const G_POINT& p2, double v, char keyword, ARC& out);
// keyword 8 "RIGHT" starts at the line, otherwise at the circle.
bool ArcFromCircleLineRadius(const CIRCLE& c, const LINE& l, double v, char keyword, ARC& out);
// keyword 9 "LEFT" starts at the first circle, otherwise at the second.
bool ArcFrom2CirclesRadius(const CIRCLE& c1, const CIRCLE& c2, double v, char keyword, ARC& out);
bool ArcFrom2LinesPointRadius(const LINE& l1, const LINE& l2, const G_POINT& p, double v, ARC& out);
bool ArcFrom2Lines2Points(const LINE& l1, const LINE& l2, const G_POINT& p1, const G_POINT& p2, ARC& out);
