// Curved sketches of real size: rooms with rounded corners, circles tangent
// to walls and to each other, arcs with given angles and radii. Each sketch
// records what it asked of the model, so that a solved sketch is checked
// against the geometry of its nodes alone. Shared by the constraint tests
// and the drag benchmark.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "kor_model.h"
#include "kor_node.h"
#include "kor_types.h"
#include "point.h"

namespace kor_curved {

enum class Ask {
    kHorizontal,     // wall a-b level
    kVertical,       // wall a-b upright
    kPerpendicular,  // wall a-b square to wall c-d
    kLength,         // |a-b| = value
    kRadius,         // circle (centre a, rim b) has radius value
    kOnCircle,       // node b lies on the circle of centre a through rim c
    kTangentWall,    // circle (centre a, rim b) touches the line of wall c-d
    kTangentOutside, // circles (a, b) and (c, d) touch, each outside the other
    kTangentInside,  // circle (a, b) lies inside circle (c, d) and touches it
    kArcSweep,       // arc about a from b to c (counterclockwise) sweeps value degrees
    kFixed,          // node a stays at (value, value2)
    kParallel,       // wall a-b parallel to wall c-d
    kWallGap,        // nodes c and d lie value from the line of wall a-b
};

struct Request {
    Ask ask;
    int a = -1, b = -1, c = -1, d = -1;  // indices into Sketch::nodes
    double value = 0.0, value2 = 0.0;
};

struct Sketch {
    std::string family;
    KorModel model;
    std::vector<KorHandle> nodes;
    std::vector<point> truth;  // where the nodes are in the sketch the requests describe
    std::vector<Request> requests;
    std::vector<int> draggable;  // nodes a person would drag
    bool built = true;

    KorNode* Node(int i) const
    {
        return static_cast<KorNode*>(
            const_cast<KorModel&>(model).GetNamesManager().GetObjectAddress(
                nodes[static_cast<std::size_t>(i)]));
    }
    point At(int i) const { return Node(i)->GetPoint(); }
    int AddNode(point p, double jitter, std::mt19937& random)
    {
        std::uniform_real_distribution<double> move(-jitter, jitter);
        truth.push_back(p);
        nodes.push_back(model.CreateNode(p.x() + move(random), p.y() + move(random)));
        built = built && nodes.back() != 0;
        return static_cast<int>(nodes.size()) - 1;
    }
    void Check(KorHandle h) { built = built && h != 0; }
};

// How far the sketch's nodes are from what it asked, in inches and degrees.
struct Residual {
    double length = 0.0;
    double degrees = 0.0;
    std::string worst;  // the request that is farthest off
};

inline double Dist(const point& p, const point& q) { return std::hypot(q.x() - p.x(), q.y() - p.y()); }

inline double LineDistance(const point& p, const point& a, const point& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    return std::fabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x())) / std::hypot(dx, dy);
}

inline double Degrees(double radians) { return radians * 180.0 / M_PI; }

// The angle between two directions, 0 for parallel ones either way round.
inline double OffSquare(const point& a, const point& b, const point& c, const point& d)
{
    const double ux = b.x() - a.x(), uy = b.y() - a.y();
    const double wx = d.x() - c.x(), wy = d.y() - c.y();
    const double cosine = (ux * wx + uy * wy) / (std::hypot(ux, uy) * std::hypot(wx, wy));
    return std::fabs(90.0 - Degrees(std::acos(std::clamp(cosine, -1.0, 1.0))));
}

inline double Sweep(const point& centre, const point& from, const point& to)
{
    double a = std::atan2(to.y() - centre.y(), to.x() - centre.x()) -
               std::atan2(from.y() - centre.y(), from.x() - centre.x());
    while (a < 0.0)
        a += 2.0 * M_PI;
    while (a >= 2.0 * M_PI)
        a -= 2.0 * M_PI;
    return Degrees(a);
}

inline const char* Name(Ask ask)
{
    static const char* names[] = {"horizontal", "vertical", "perpendicular", "length",
                                  "radius", "on circle", "tangent to wall", "tangent outside",
                                  "tangent inside", "arc sweep", "fixed", "parallel",
                                  "wall gap"};
    return names[static_cast<int>(ask)];
}

inline Residual Measure(const Sketch& s)
{
    Residual r;
    double worstShare = 0.0;
    for (const Request& q : s.requests) {
        auto at = [&](int i) { return s.At(i); };
        double length = 0.0, degrees = 0.0;
        switch (q.ask) {
        case Ask::kHorizontal:
            length = std::fabs(at(q.b).y() - at(q.a).y());
            break;
        case Ask::kVertical:
            length = std::fabs(at(q.b).x() - at(q.a).x());
            break;
        case Ask::kPerpendicular:
            degrees = OffSquare(at(q.a), at(q.b), at(q.c), at(q.d));
            break;
        case Ask::kLength:
            length = std::fabs(Dist(at(q.a), at(q.b)) - q.value);
            break;
        case Ask::kRadius:
            length = std::fabs(Dist(at(q.a), at(q.b)) - q.value);
            break;
        case Ask::kOnCircle:
            length = std::fabs(Dist(at(q.a), at(q.b)) - Dist(at(q.a), at(q.c)));
            break;
        case Ask::kTangentWall:
            length = std::fabs(LineDistance(at(q.a), at(q.c), at(q.d)) - Dist(at(q.a), at(q.b)));
            break;
        case Ask::kTangentOutside:
            length = std::fabs(Dist(at(q.a), at(q.c)) - Dist(at(q.a), at(q.b)) -
                               Dist(at(q.c), at(q.d)));
            break;
        case Ask::kTangentInside:
            length = std::fabs(Dist(at(q.c), at(q.d)) - Dist(at(q.a), at(q.b)) -
                               Dist(at(q.a), at(q.c)));
            break;
        case Ask::kArcSweep:
            degrees = std::fabs(Sweep(at(q.a), at(q.b), at(q.c)) - q.value);
            break;
        case Ask::kFixed:
            length = Dist(at(q.a), point(q.value, q.value2));
            break;
        case Ask::kParallel:
            degrees = 90.0 - OffSquare(at(q.a), at(q.b), at(q.c), at(q.d));
            break;
        case Ask::kWallGap:
            length = std::max(std::fabs(LineDistance(at(q.c), at(q.a), at(q.b)) - q.value),
                              std::fabs(LineDistance(at(q.d), at(q.a), at(q.b)) - q.value));
            break;
        }
        // Shares of the tolerances, to name the request farthest off.
        const double share = std::max(length / 0.01, degrees / 0.01);
        if (share > worstShare) {
            worstShare = share;
            r.worst = Name(q.ask);
        }
        r.length = std::max(r.length, length);
        r.degrees = std::max(r.degrees, degrees);
    }
    return r;
}


// ---- Builders. Each one lays the true sketch, moves every node that is not
// fixed by up to `jitter` in x and y, and records its requests.

inline void Fix(Sketch& s, int i)
{
    s.Check(s.model.CreateConstraint(KOR_UNMOVABLE, s.nodes[i], 0, 0, 0));
    s.requests.push_back({Ask::kFixed, i, -1, -1, -1, s.At(i).x(), s.At(i).y()});
}

inline KorHandle Wall(Sketch& s, int a, int b)
{
    const KorHandle h = s.model.CreateSegment(s.nodes[a], s.nodes[b]);
    s.Check(h);
    return h;
}

inline void Length(Sketch& s, int a, int b)
{
    const double value = Dist(s.truth[a], s.truth[b]);
    const KorHandle h = s.model.CreateDistance(s.nodes[a], s.nodes[b], KOR_DISTANCE, 0);
    s.Check(h);
    s.built = s.built && s.model.SetDimensionValue(h, value, KORDimensionType(2));
    s.requests.push_back({Ask::kLength, a, b, -1, -1, value});
}

inline void Radius(Sketch& s, KorHandle circle, int centre, int rim)
{
    const double value = Dist(s.truth[centre], s.truth[rim]);
    const KorHandle h = s.model.CreateRadial(circle, 0);
    s.Check(h);
    s.built = s.built && s.model.SetDimensionValue(h, value, KORDimensionType(2));
    s.requests.push_back({Ask::kRadius, centre, rim, -1, -1, value});
}

inline void Tangent(Sketch& s, KorHandle circle, KorHandle other, Request request)
{
    s.Check(s.model.CreateConstraint(KOR_TANGENT, circle, other, 0, 0));
    s.requests.push_back(request);
}

inline point Polar(const point& centre, double r, double radians)
{
    return point(centre.x() + r * std::cos(radians), centre.y() + r * std::sin(radians));
}

// A room W x H, counterclockwise from its fixed bottom-left corner, whose
// other corners are rounded at random by arcs tangent to both walls. Walls
// level and upright (or each square to the next), the bottom and left
// lengths given, most radii given.
inline void RoundedRoom(Sketch& s, double jitter, bool perpendicular, std::mt19937& random)
{
    s.family = perpendicular ? "rounded room, perpendicular" : "rounded room";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double w = 150.0 + 250.0 * unit(random);
    const double h = 120.0 + 180.0 * unit(random);
    const point corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    const point directions[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // wall i leaves corner i
    // Contour nodes in order; an arc between two of them when rounded.
    struct Arc { int centre, from, to; bool sized; };
    std::vector<int> contour;
    std::vector<Arc> arcs;
    bool anyRound = false;
    for (int i = 0; i < 4; ++i) {
        const bool round = i > 0 && (unit(random) < 0.6 || (i == 3 && !anyRound));
        if (!round) {
            contour.push_back(i == 0 ? s.AddNode(corners[0], 0.0, random)
                                     : s.AddNode(corners[i], jitter, random));
            continue;
        }
        anyRound = true;
        const double r = 15.0 + (std::min(w, h) / 3.0 - 15.0) * unit(random);
        const point in = directions[(i + 3) % 4], out = directions[i];
        const point t1(corners[i].x() - in.x() * r, corners[i].y() - in.y() * r);
        const point t2(corners[i].x() + out.x() * r, corners[i].y() + out.y() * r);
        const point o(t1.x() - in.y() * r, t1.y() + in.x() * r);  // interior on the left
        Arc arc{s.AddNode(o, jitter, random), s.AddNode(t1, jitter, random),
                s.AddNode(t2, jitter, random), unit(random) < 0.8};
        contour.push_back(arc.from);
        contour.push_back(arc.to);
        arcs.push_back(arc);
    }
    Fix(s, 0);
    // Straight walls join consecutive contour nodes unless an arc does.
    std::vector<KorHandle> walls;
    std::vector<std::pair<int, int>> wallNodes;
    const int n = static_cast<int>(contour.size());
    for (int k = 0; k < n; ++k) {
        const int a = contour[k], b = contour[(k + 1) % n];
        bool arcJoin = false;
        for (const Arc& arc : arcs)
            arcJoin = arcJoin || (arc.from == a && arc.to == b);
        if (arcJoin)
            continue;
        walls.push_back(Wall(s, a, b));
        wallNodes.emplace_back(a, b);
    }
    for (std::size_t k = 0; k < walls.size(); ++k) {
        const auto [a, b] = wallNodes[k];
        const bool level = std::fabs(s.truth[a].y() - s.truth[b].y()) < 1e-9;
        if (!perpendicular || k == 0) {
            s.Check(s.model.CreateConstraint(level ? KOR_HORIZONTAL : KOR_VERTICAL, walls[k], 0, 0, 0));
            s.requests.push_back({level ? Ask::kHorizontal : Ask::kVertical, a, b});
        } else {
            s.Check(s.model.CreateConstraint(KOR_PERPENDICULAR, walls[k - 1], walls[k], 0, 0));
            const auto [c, d] = wallNodes[k - 1];
            s.requests.push_back({Ask::kPerpendicular, c, d, a, b});
        }
    }
    for (const Arc& arc : arcs) {
        const KorHandle h = s.model.CreateArc(s.nodes[arc.centre], s.nodes[arc.from], s.nodes[arc.to]);
        s.Check(h);
        s.requests.push_back({Ask::kOnCircle, arc.centre, arc.from, arc.to});
        for (std::size_t k = 0; k < walls.size(); ++k) {
            const auto [a, b] = wallNodes[k];
            if (a == arc.to || b == arc.from)
                Tangent(s, h, walls[k], {Ask::kTangentWall, arc.centre, arc.from, a, b});
        }
        if (arc.sized)
            Radius(s, h, arc.centre, arc.from);
        s.draggable.push_back(arc.from);
        s.draggable.push_back(arc.centre);
    }
    Length(s, wallNodes.front().first, wallNodes.front().second);
    Length(s, wallNodes.back().first, wallNodes.back().second);
    for (int k = 1; k < n; ++k)
        s.draggable.push_back(contour[k]);
}

// A fixed floor with circles standing on it in a row, each touching the
// one before it from outside; every radius given.
inline void CirclesOnAFloor(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "circles on a floor";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int count = 2 + static_cast<int>(unit(random) * 2.0);
    const int a = s.AddNode(point(-100, 0), 0.0, random);
    const int b = s.AddNode(point(600, 0), 0.0, random);
    Fix(s, a);
    Fix(s, b);
    const KorHandle floor = Wall(s, a, b);
    double x = 40.0 + 60.0 * unit(random);
    double previousR = 0.0;
    int previousCentre = -1, previousRim = -1;
    KorHandle previous = 0;
    for (int i = 0; i < count; ++i) {
        const double r = 20.0 + 60.0 * unit(random);
        if (previous)
            x += 2.0 * std::sqrt(r * previousR);
        const point centre(x, r);
        const int c = s.AddNode(centre, jitter, random);
        const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
        const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
        s.Check(circle);
        Radius(s, circle, c, rim);
        Tangent(s, circle, floor, {Ask::kTangentWall, c, rim, a, b});
        if (previous)
            Tangent(s, circle, previous, {Ask::kTangentOutside, c, rim, previousCentre, previousRim});
        s.draggable.push_back(c);
        previous = circle;
        previousR = r;
        previousCentre = c;
        previousRim = rim;
    }
}

// A circle in the corner of two fixed walls (the second at 60 to 120
// degrees), touching both; its radius given, or not given and the circle
// touching a fixed circle too.
inline void CircleInACorner(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool sized = unit(random) < 0.5;
    s.family = sized ? "circle in a corner" : "circle in a corner, touching a third";
    const double turn = (60.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const int o = s.AddNode(point(0, 0), 0.0, random);
    const int e1 = s.AddNode(point(400, 0), 0.0, random);
    const int e2 = s.AddNode(Polar(point(0, 0), 400, turn), 0.0, random);
    for (int i : {o, e1, e2})
        Fix(s, i);
    const KorHandle w1 = Wall(s, o, e1);
    const KorHandle w2 = Wall(s, o, e2);
    const double r = 30.0 + 50.0 * unit(random);
    const double along = r / std::tan(turn / 2.0);
    const point centre(along, r);
    const int c = s.AddNode(centre, jitter, random);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(circle);
    Tangent(s, circle, w1, {Ask::kTangentWall, c, rim, o, e1});
    Tangent(s, circle, w2, {Ask::kTangentWall, c, rim, o, e2});
    if (sized) {
        Radius(s, circle, c, rim);
    } else {
        // A fixed circle beyond it on the bisector, touching it from outside.
        const double r2 = 20.0 + 40.0 * unit(random);
        const point dir(std::cos(turn / 2.0), std::sin(turn / 2.0));
        const point c2p(centre.x() + dir.x() * (r + r2), centre.y() + dir.y() * (r + r2));
        const int c2 = s.AddNode(c2p, 0.0, random);
        const int rim2 = s.AddNode(point(c2p.x() + r2, c2p.y()), 0.0, random);
        Fix(s, c2);
        Fix(s, rim2);
        const KorHandle other = s.model.CreateCircle(s.nodes[c2], s.nodes[rim2]);
        s.Check(other);
        Tangent(s, circle, other, {Ask::kTangentOutside, c, rim, c2, rim2});
    }
    s.draggable.push_back(c);
    s.draggable.push_back(rim);
}

// An arc about a fixed centre with its radius and its sweep given.
inline void ArcWithAnAngle(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "arc with an angle";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r = 40.0 + 160.0 * unit(random);
    const double start = 2.0 * M_PI * unit(random);
    const double sweep = 30.0 + 120.0 * unit(random);
    const int c = s.AddNode(point(0, 0), 0.0, random);
    const int from = s.AddNode(Polar(point(0, 0), r, start), jitter, random);
    const int to = s.AddNode(Polar(point(0, 0), r, start + sweep * M_PI / 180.0), jitter, random);
    Fix(s, c);
    const KorHandle arc = s.model.CreateArc(s.nodes[c], s.nodes[from], s.nodes[to]);
    s.Check(arc);
    s.requests.push_back({Ask::kOnCircle, c, from, to});
    Radius(s, arc, c, from);
    const KorHandle h = s.model.CreateAngular(arc, 0);
    s.Check(h);
    s.built = s.built && s.model.SetDimensionValue(h, sweep, KORDimensionType(2));
    s.requests.push_back({Ask::kArcSweep, c, from, to, -1, sweep});
    s.draggable.push_back(from);
    s.draggable.push_back(to);
}

// A circle touching two fixed circles from outside, its centre free; of
// given radius, or free in radius too (then its centre is dragged as well).
inline void LayCircleBetweenTwo(Sketch& s, double jitter, std::mt19937& random, bool sized)
{
    s.family = sized ? "circle between two" : "free circle between two";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r1 = 30.0 + 60.0 * unit(random), r2 = 30.0 + 60.0 * unit(random);
    const double r = 20.0 + 60.0 * unit(random);
    // The gap between the fixed circles is narrower than the circle that
    // bridges it, or there is no such sketch.
    const double gap = 2.0 * r * (0.15 + 0.8 * unit(random));
    const point p1(0, 0), p2(r1 + r2 + gap, 0);
    // The centre meets both circles: distances r1 + r and r2 + r.
    const double d = p2.x(), a = r1 + r, b = r2 + r;
    const double x = (a * a - b * b + d * d) / (2.0 * d);
    const point centre(x, std::sqrt(std::max(0.0, a * a - x * x)));
    const int c1 = s.AddNode(p1, 0.0, random);
    const int m1 = s.AddNode(point(0, r1), 0.0, random);
    const int c2 = s.AddNode(p2, 0.0, random);
    const int m2 = s.AddNode(point(p2.x(), r2), 0.0, random);
    for (int i : {c1, m1, c2, m2})
        Fix(s, i);
    const KorHandle k1 = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    const KorHandle k2 = s.model.CreateCircle(s.nodes[c2], s.nodes[m2]);
    const int c = s.AddNode(centre, jitter, random);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle k = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(k1);
    s.Check(k2);
    s.Check(k);
    if (sized)
        Radius(s, k, c, rim);
    Tangent(s, k, k1, {Ask::kTangentOutside, c, rim, c1, m1});
    Tangent(s, k, k2, {Ask::kTangentOutside, c, rim, c2, m2});
    if (!sized)
        s.draggable.push_back(rim);
    s.draggable.push_back(c);
}

// A circle of given radius touching two fixed circles from outside, its
// centre free.
inline void CircleBetweenTwo(Sketch& s, double jitter, std::mt19937& random)
{
    LayCircleBetweenTwo(s, jitter, random, true);
}

// An arc wall between two fixed wall ends with its sweep given: the centre
// is free and finds its place on the ends' bisector.
inline void ArcBetweenFixedEnds(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "arc between fixed ends";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double chord = 60.0 + 240.0 * unit(random);
    const double sweep = 40.0 + 120.0 * unit(random);
    const double r = chord / 2.0 / std::sin(sweep * M_PI / 360.0);
    const double rise = std::sqrt(std::max(0.0, r * r - chord * chord / 4.0));
    const int from = s.AddNode(point(chord / 2.0, 0.0), 0.0, random);
    const int to = s.AddNode(point(-chord / 2.0, 0.0), 0.0, random);
    Fix(s, from);
    Fix(s, to);
    // Counterclockwise from `from` to `to` over the top: the centre lies
    // below the chord for a sweep under 180 degrees.
    const int c = s.AddNode(point(0.0, -rise), jitter, random);
    const KorHandle arc = s.model.CreateArc(s.nodes[c], s.nodes[from], s.nodes[to]);
    s.Check(arc);
    s.requests.push_back({Ask::kOnCircle, c, from, to});
    const KorHandle h = s.model.CreateAngular(arc, 0);
    s.Check(h);
    s.built = s.built && s.model.SetDimensionValue(h, sweep, KORDimensionType(2));
    s.requests.push_back({Ask::kArcSweep, c, from, to, -1, sweep});
    s.draggable.push_back(c);
}

// A fixed circle and a second circle about a fixed centre whose radius is
// free: the tangency sizes the second circle, from outside or from inside.
inline void PinnedCircles(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool inside = unit(random) < 0.5;
    s.family = inside ? "pinned circles, inside" : "pinned circles";
    const double r1 = 40.0 + 100.0 * unit(random);
    const double d = inside ? r1 * (0.2 + 0.5 * unit(random)) : r1 + 20.0 + 100.0 * unit(random);
    const double r2 = inside ? r1 - d : d - r1;
    const int c1 = s.AddNode(point(0, 0), 0.0, random);
    const int m1 = s.AddNode(point(0, r1), 0.0, random);
    const int c2 = s.AddNode(point(d, 0), 0.0, random);
    Fix(s, c1);
    Fix(s, m1);
    Fix(s, c2);
    const int m2 = s.AddNode(Polar(point(d, 0), r2, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle k1 = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    const KorHandle k2 = s.model.CreateCircle(s.nodes[c2], s.nodes[m2]);
    s.Check(k1);
    s.Check(k2);
    Tangent(s, k2, k1, {inside ? Ask::kTangentInside : Ask::kTangentOutside, c2, m2, c1, m1});
    s.draggable.push_back(m2);
}

// A curved wall of two arcs meeting at a node: the first about a fixed
// centre with its radius given, the second free in radius and centre and
// ending at a fixed node. Dragging the meeting node resizes the second.
inline void TwoArcs(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "two arcs";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r1 = 60.0 + 120.0 * unit(random);
    const double r2 = 60.0 + 120.0 * unit(random);
    const double a1 = (40.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const point c1(0.0, 0.0);
    const point p = Polar(c1, r1, 0.0), q = Polar(c1, r1, a1);
    // The second arc turns on from q: its centre lies beyond q on the line from c1.
    const point c2 = Polar(c1, r1 - r2, a1);
    const double a2 = (30.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const point end = Polar(c2, r2, a1 + a2);
    const int n1 = s.AddNode(c1, 0.0, random);
    const int np = s.AddNode(p, 0.0, random);
    const int nq = s.AddNode(q, jitter, random);
    const int n2 = s.AddNode(c2, jitter, random);
    const int ne = s.AddNode(end, 0.0, random);
    for (int i : {n1, np, ne})
        Fix(s, i);
    const KorHandle first = s.model.CreateArc(s.nodes[n1], s.nodes[np], s.nodes[nq]);
    const KorHandle second = s.model.CreateArc(s.nodes[n2], s.nodes[nq], s.nodes[ne]);
    s.Check(first);
    s.Check(second);
    s.requests.push_back({Ask::kOnCircle, n1, np, nq});
    s.requests.push_back({Ask::kOnCircle, n2, nq, ne});
    Radius(s, first, n1, np);
    s.draggable.push_back(nq);
}


// ---- Circles fitted between their neighbours: sketches whose circle is
// placed by two tangencies at once, or by two chords on one circle.

// A wall the sketch's circle touches: its handle and its end nodes.
struct TouchedWall {
    KorHandle wall;
    int from, to;
};

// A circle of free radius laid about `centre` (radius r, rim at a random
// angle), touching two walls; answers its centre and rim nodes.
inline std::pair<int, int> FreeCircleTouching(Sketch& s, const point& centre, double r,
                                              double jitter, std::mt19937& random,
                                              TouchedWall first, TouchedWall second)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int c = s.AddNode(centre, jitter, random);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(circle);
    for (const TouchedWall& w : {first, second})
        Tangent(s, circle, w.wall, {Ask::kTangentWall, c, rim, w.from, w.to});
    return {c, rim};
}

// A circle in the corner of two fixed walls meeting at 60 to 120 degrees,
// touching both, its radius free: dragging its rim resizes it along the
// corner's bisector.
inline void FreeCircleInACorner(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "free circle in a corner";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double turn = (60.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const int o = s.AddNode(point(0, 0), 0.0, random);
    const int e1 = s.AddNode(point(400, 0), 0.0, random);
    const int e2 = s.AddNode(Polar(point(0, 0), 400, turn), 0.0, random);
    for (int i : {o, e1, e2})
        Fix(s, i);
    const KorHandle w1 = Wall(s, o, e1);
    const KorHandle w2 = Wall(s, o, e2);
    const double r = 20.0 + 100.0 * unit(random);
    const point centre(r / std::tan(turn / 2.0), r);
    const auto [c, rim] = FreeCircleTouching(s, centre, r, jitter, random, {w1, o, e1}, {w2, o, e2});
    s.draggable.push_back(rim);
    s.draggable.push_back(c);
}

// A circle between two fixed parallel walls, touching both, its radius free.
inline void CircleInAChannel(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "circle in a channel";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r = 20.0 + 80.0 * unit(random);
    const int a = s.AddNode(point(-200, 0), 0.0, random);
    const int b = s.AddNode(point(300, 0), 0.0, random);
    const int c2 = s.AddNode(point(300, 2 * r), 0.0, random);
    const int d2 = s.AddNode(point(-200, 2 * r), 0.0, random);
    for (int i : {a, b, c2, d2})
        Fix(s, i);
    const KorHandle w1 = Wall(s, a, b);
    const KorHandle w2 = Wall(s, c2, d2);
    const point centre(100.0 * unit(random), r);
    const auto [c, rim] = FreeCircleTouching(s, centre, r, jitter, random, {w1, a, b}, {w2, c2, d2});
    s.draggable.push_back(c);
    s.draggable.push_back(rim);
}

// A circle of free radius touching a fixed floor and a fixed circle standing
// on it, from outside.
inline void FreeCircleByACircle(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "free circle by a circle";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int a = s.AddNode(point(-300, 0), 0.0, random);
    const int b = s.AddNode(point(500, 0), 0.0, random);
    Fix(s, a);
    Fix(s, b);
    const KorHandle floor = Wall(s, a, b);
    const double r1 = 30.0 + 80.0 * unit(random);
    const int c1 = s.AddNode(point(0, r1), 0.0, random);
    const int m1 = s.AddNode(point(0, 0), 0.0, random);
    Fix(s, c1);
    Fix(s, m1);
    const KorHandle fixedCircle = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    s.Check(fixedCircle);
    const double r = 20.0 + 80.0 * unit(random);
    const point centre(2.0 * std::sqrt(r * r1), r);
    const int c = s.AddNode(centre, jitter, random);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(circle);
    Tangent(s, circle, floor, {Ask::kTangentWall, c, rim, a, b});
    Tangent(s, circle, fixedCircle, {Ask::kTangentOutside, c, rim, c1, m1});
    s.draggable.push_back(rim);
    s.draggable.push_back(c);
}

// A circle of free radius touching two fixed circles from outside.
inline void FreeCircleBetweenTwo(Sketch& s, double jitter, std::mt19937& random)
{
    LayCircleBetweenTwo(s, jitter, random, false);
}

// A wall touching two fixed circles on the same side, its ends free: a belt.
inline void BeltOverTwoCircles(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "belt over two circles";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r1 = 30.0 + 60.0 * unit(random), r2 = 30.0 + 60.0 * unit(random);
    const double d = r1 + r2 + 50.0 + 200.0 * unit(random);
    const int c1 = s.AddNode(point(0, 0), 0.0, random);
    const int m1 = s.AddNode(point(r1, 0), 0.0, random);
    const int c2 = s.AddNode(point(d, 0), 0.0, random);
    const int m2 = s.AddNode(point(d + r2, 0), 0.0, random);
    for (int i : {c1, m1, c2, m2})
        Fix(s, i);
    const KorHandle k1 = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    const KorHandle k2 = s.model.CreateCircle(s.nodes[c2], s.nodes[m2]);
    s.Check(k1);
    s.Check(k2);
    // The outer tangent above both: its normal makes angle phi with the vertical.
    const double phi = std::asin((r1 - r2) / d);
    const point n(std::sin(phi), std::cos(phi));
    const point t1(n.x() * r1, n.y() * r1), t2(d + n.x() * r2, n.y() * r2);
    const int a = s.AddNode(t1, jitter, random);
    const int b = s.AddNode(t2, jitter, random);
    const KorHandle w = Wall(s, a, b);
    Tangent(s, k1, w, {Ask::kTangentWall, c1, m1, a, b});
    Tangent(s, k2, w, {Ask::kTangentWall, c2, m2, a, b});
    s.draggable.push_back(a);
    s.draggable.push_back(b);
}

// Two arcs about one centre meeting at a node, so that their three rim nodes
// lie on one circle; the first end fixed, both chords given, centre and
// radius free.
inline void ChordsOnOneCircle(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "chords on one circle";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r = 40.0 + 160.0 * unit(random);
    const double a1 = (30.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const double a2 = (30.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const point o(0.0, 0.0);
    const int c = s.AddNode(o, jitter, random);
    const int p = s.AddNode(Polar(o, r, 0.0), 0.0, random);
    const int q = s.AddNode(Polar(o, r, a1), jitter, random);
    const int e = s.AddNode(Polar(o, r, a1 + a2), jitter, random);
    Fix(s, p);
    const KorHandle first = s.model.CreateArc(s.nodes[c], s.nodes[p], s.nodes[q]);
    const KorHandle second = s.model.CreateArc(s.nodes[c], s.nodes[q], s.nodes[e]);
    s.Check(first);
    s.Check(second);
    s.requests.push_back({Ask::kOnCircle, c, p, q});
    s.requests.push_back({Ask::kOnCircle, c, q, e});
    Length(s, p, q);
    Length(s, q, e);
    s.draggable.push_back(e);
    s.draggable.push_back(q);
}


// A circle, centre and radius free, through three nodes: its rim node and
// two nodes put on it, the chords from the middle node given; the middle
// node fixed, or nothing fixed.
inline void ChordsOnACircle(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool pinned = unit(random) < 0.5;
    s.family = pinned ? "chords on a circle, pinned" : "chords on a circle";
    const double r = 40.0 + 160.0 * unit(random);
    const double a1 = (30.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const double a2 = (30.0 + 60.0 * unit(random)) * M_PI / 180.0;
    const point o(0.0, 0.0);
    const int c = s.AddNode(o, jitter, random);
    const int p = s.AddNode(Polar(o, r, 0.0), jitter, random);
    const int q = s.AddNode(Polar(o, r, a1), pinned ? 0.0 : jitter, random);
    const int e = s.AddNode(Polar(o, r, a1 + a2), jitter, random);
    if (pinned)
        Fix(s, q);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[p]);
    s.Check(circle);
    for (int i : {q, e}) {
        s.Check(s.model.CreateConstraint(KOR_COINCIDENT, s.nodes[i], circle, 0, 0));
        s.requests.push_back({Ask::kOnCircle, c, p, i});
    }
    Length(s, q, p);
    Length(s, q, e);
    s.draggable.push_back(e);
    s.draggable.push_back(p);
    s.draggable.push_back(c);
}


// ---- Circles whose centre runs along a fixed wall (a track). The centre
// on the track is measured as a circle of no size touching the track's line.

inline int TrackedCentre(Sketch& s, const point& centre, double jitter, std::mt19937& random,
                         KorHandle track, int trackStart, int trackEnd)
{
    const int c = s.AddNode(point(centre.x(), centre.y()), jitter, random);
    // Put on the track, as the program puts a node on a wall.
    s.Check(s.model.CreateConstraint(KOR_COINCIDENT, s.nodes[c], track, 0, 0));
    s.requests.push_back({Ask::kTangentWall, c, c, trackStart, trackEnd});
    return c;
}

// A circle of given radius on a level track, touching a fixed circle above
// or below the track from outside.
inline void CircleOnATrack(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "circle on a track";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int a = s.AddNode(point(-400, 0), 0.0, random);
    const int b = s.AddNode(point(500, 0), 0.0, random);
    Fix(s, a);
    Fix(s, b);
    const KorHandle track = Wall(s, a, b);
    const double r1 = 30.0 + 90.0 * unit(random);
    const double r = 20.0 + 80.0 * unit(random);
    const double h = (r1 + r) * (0.2 + 0.5 * unit(random)) * (unit(random) < 0.5 ? -1.0 : 1.0);
    const int c1 = s.AddNode(point(0, h), 0.0, random);
    const int m1 = s.AddNode(point(r1, h), 0.0, random);
    Fix(s, c1);
    Fix(s, m1);
    const KorHandle fixedCircle = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    s.Check(fixedCircle);
    const point centre(std::sqrt((r1 + r) * (r1 + r) - h * h), 0.0);
    const int c = TrackedCentre(s, centre, jitter, random, track, a, b);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(circle);
    Radius(s, circle, c, rim);
    Tangent(s, circle, fixedCircle, {Ask::kTangentOutside, c, rim, c1, m1});
    s.draggable.push_back(c);
    s.draggable.push_back(rim);
}

// An unsized circle on a level track touching two fixed circles above it,
// or a fixed circle above it and a fixed slanted wall below.
inline void UnsizedCircleOnATrack(Sketch& s, double jitter, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool twoCircles = unit(random) < 0.5;
    s.family = twoCircles ? "unsized circle on a track" : "unsized circle on a track, by a wall";
    const int a = s.AddNode(point(-400, 0), 0.0, random);
    const int b = s.AddNode(point(500, 0), 0.0, random);
    Fix(s, a);
    Fix(s, b);
    const KorHandle track = Wall(s, a, b);
    const double r = 20.0 + 80.0 * unit(random);
    const point centre(50.0 * unit(random), 0.0);
    const double r1 = 30.0 + 70.0 * unit(random);
    const point p1 = Polar(centre, r1 + r, (100.0 + 60.0 * unit(random)) * M_PI / 180.0);
    const int c1 = s.AddNode(p1, 0.0, random);
    const int m1 = s.AddNode(point(p1.x() + r1, p1.y()), 0.0, random);
    Fix(s, c1);
    Fix(s, m1);
    const KorHandle k1 = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    s.Check(k1);
    const int c = TrackedCentre(s, centre, jitter, random, track, a, b);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle circle = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(circle);
    Tangent(s, circle, k1, {Ask::kTangentOutside, c, rim, c1, m1});
    if (twoCircles) {
        const double r2 = 30.0 + 70.0 * unit(random);
        const point p2 = Polar(centre, r2 + r, (20.0 + 60.0 * unit(random)) * M_PI / 180.0);
        const int c2 = s.AddNode(p2, 0.0, random);
        const int m2 = s.AddNode(point(p2.x() + r2, p2.y()), 0.0, random);
        Fix(s, c2);
        Fix(s, m2);
        const KorHandle k2 = s.model.CreateCircle(s.nodes[c2], s.nodes[m2]);
        s.Check(k2);
        Tangent(s, circle, k2, {Ask::kTangentOutside, c, rim, c2, m2});
    } else {
        // A wall below the track, square to the direction from the centre to
        // the point it touches.
        const double turn = (240.0 + 60.0 * unit(random)) * M_PI / 180.0;
        const point touch = Polar(centre, r, turn);
        const point along(-std::sin(turn), std::cos(turn));
        const int w1 = s.AddNode(point(touch.x() - 200.0 * along.x(), touch.y() - 200.0 * along.y()),
                                 0.0, random);
        const int w2 = s.AddNode(point(touch.x() + 200.0 * along.x(), touch.y() + 200.0 * along.y()),
                                 0.0, random);
        Fix(s, w1);
        Fix(s, w2);
        const KorHandle wall = Wall(s, w1, w2);
        Tangent(s, circle, wall, {Ask::kTangentWall, c, rim, w1, w2});
    }
    s.draggable.push_back(rim);
    s.draggable.push_back(c);
}


// A wheel on a crank: a wall of given length from a fixed node, a circle of
// given radius about its far end, touching a fixed circle from outside.
inline void WheelOnACrank(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "wheel on a crank";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r1 = 30.0 + 90.0 * unit(random);
    const double r = 20.0 + 60.0 * unit(random);
    const double arm = 100.0 + 200.0 * unit(random);
    const int a = s.AddNode(point(0, 0), 0.0, random);
    Fix(s, a);
    // The wheel's centre at the arm's end; the fixed circle beside it.
    const point centre = Polar(point(0, 0), arm, (20.0 + 50.0 * unit(random)) * M_PI / 180.0);
    const point p1 = Polar(centre, r1 + r, (-60.0 + 120.0 * unit(random)) * M_PI / 180.0);
    const int c1 = s.AddNode(p1, 0.0, random);
    const int m1 = s.AddNode(point(p1.x() + r1, p1.y()), 0.0, random);
    Fix(s, c1);
    Fix(s, m1);
    const KorHandle fixedCircle = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    s.Check(fixedCircle);
    const int c = s.AddNode(centre, jitter, random);
    Wall(s, a, c);
    Length(s, a, c);
    const int rim = s.AddNode(Polar(centre, r, 2.0 * M_PI * unit(random)), jitter, random);
    const KorHandle wheel = s.model.CreateCircle(s.nodes[c], s.nodes[rim]);
    s.Check(wheel);
    Radius(s, wheel, c, rim);
    Tangent(s, wheel, fixedCircle, {Ask::kTangentOutside, c, rim, c1, m1});
    s.draggable.push_back(c);
    s.draggable.push_back(rim);
}

// An arc wall, centre and radius free, whose ends slide on two fixed round
// columns, the span between its ends given: a bridge between the columns.
inline void BridgeBetweenColumns(Sketch& s, double jitter, std::mt19937& random)
{
    s.family = "bridge between columns";
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double r1 = 20.0 + 60.0 * unit(random), r2 = 20.0 + 60.0 * unit(random);
    const double gap = 60.0 + 240.0 * unit(random);
    const point p1(0, 0), p2(r1 + r2 + gap, 0);
    const int c1 = s.AddNode(p1, 0.0, random);
    const int m1 = s.AddNode(point(-r1, 0), 0.0, random);
    const int c2 = s.AddNode(p2, 0.0, random);
    const int m2 = s.AddNode(point(p2.x() + r2, 0), 0.0, random);
    for (int i : {c1, m1, c2, m2})
        Fix(s, i);
    const KorHandle k1 = s.model.CreateCircle(s.nodes[c1], s.nodes[m1]);
    const KorHandle k2 = s.model.CreateCircle(s.nodes[c2], s.nodes[m2]);
    s.Check(k1);
    s.Check(k2);
    // The ends leave the columns on their upper sides; the arc rises
    // between them, its centre below the span.
    const point from = Polar(p2, r2, (100.0 + 50.0 * unit(random)) * M_PI / 180.0);
    const point to = Polar(p1, r1, (30.0 + 50.0 * unit(random)) * M_PI / 180.0);
    const double span = Dist(from, to);
    const double sweep = (40.0 + 80.0 * unit(random)) * M_PI / 180.0;
    const double radius = span / 2.0 / std::sin(sweep / 2.0);
    const point middle((from.x() + to.x()) / 2.0, (from.y() + to.y()) / 2.0);
    const double drop = std::sqrt(std::max(0.0, radius * radius - span * span / 4.0));
    const double ux = (to.x() - from.x()) / span, uy = (to.y() - from.y()) / span;
    const point centre(middle.x() - uy * drop, middle.y() + ux * drop);
    const int c = s.AddNode(centre, jitter, random);
    const int a = s.AddNode(from, jitter, random);
    const int b = s.AddNode(to, jitter, random);
    const KorHandle arc = s.model.CreateArc(s.nodes[c], s.nodes[a], s.nodes[b]);
    s.Check(arc);
    s.requests.push_back({Ask::kOnCircle, c, a, b});
    s.Check(s.model.CreateConstraint(KOR_COINCIDENT, s.nodes[a], k2, 0, 0));
    s.requests.push_back({Ask::kOnCircle, c2, m2, a});
    s.Check(s.model.CreateConstraint(KOR_COINCIDENT, s.nodes[b], k1, 0, 0));
    s.requests.push_back({Ask::kOnCircle, c1, m1, b});
    Length(s, a, b);
    s.draggable.push_back(a);
    s.draggable.push_back(b);
    s.draggable.push_back(c);
}

}  // namespace kor_curved
