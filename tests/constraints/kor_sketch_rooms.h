// Rooms sketched by hand: walls of real size whose corners start a few
// inches off their constraints, dragged at a corner or at a wall's middle.
// Shared by the constraint tests and the drag benchmark.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geolist.h"
#include "kor_model.h"
#include "kor_node.h"
#include "kor_segment.h"
#include "point.h"
#include "segment.h"

namespace kor_sketch {

// How the walls' directions are held: every wall vertical or horizontal, or
// each wall perpendicular to the next (wall 0 horizontal unless turned).
enum class Hold { kAxis, kPerpendicular, kPerpendicularTurned };

struct Room {
    KorModel model;
    std::vector<point> shape;          // the corners the constraints describe
    std::vector<KorHandle> nodes;
    std::vector<KorHandle> walls;
    std::vector<double> lengths;       // held length of each wall, 0 when free
    Hold hold = Hold::kAxis;
    bool built = false;

    KorNode* Node(int i)
    {
        return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(
            nodes[static_cast<std::size_t>(i)]));
    }
    KorSegment* Wall(int i)
    {
        return static_cast<KorSegment*>(model.GetNamesManager().GetObjectAddress(
            walls[static_cast<std::size_t>(i)]));
    }
    int Size() const { return static_cast<int>(nodes.size()); }
};

inline std::vector<point> Turned(const std::vector<point>& corners, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    std::vector<point> turned;
    for (const point& p : corners)
        turned.emplace_back(p.x() * std::cos(a) - p.y() * std::sin(a),
                            p.x() * std::sin(a) + p.y() * std::cos(a));
    return turned;
}

// The staircase of n walls (n even, k = n/2 - 1): the origin, (k step, 0),
// then k times up one step and left one step, then down to the origin.
inline std::vector<point> Staircase(int n, double step)
{
    const int k = n / 2 - 1;
    std::vector<point> v{point(0.0, 0.0), point(k * step, 0.0)};
    double x = k * step, y = 0.0;
    for (int i = 0; i < k; ++i) {
        y += step;
        v.emplace_back(x, y);
        x -= step;
        v.emplace_back(x, y);
    }
    return v;
}

inline std::vector<point> Rectangle() { return {{0, 0}, {240, 0}, {240, 180}, {0, 180}}; }

inline std::vector<point> LShape()
{
    return {{0, 0}, {300, 0}, {300, 150}, {150, 150}, {150, 300}, {0, 300}};
}

inline std::vector<point> UShape()
{
    return {{0, 0}, {360, 0}, {360, 300}, {260, 300}, {260, 100}, {100, 100}, {100, 300}, {0, 300}};
}

// Walls 3 .. n-2 keep their lengths, so corner 2 (and walls 1 and 2) stay
// free to follow the pen. `fromFixedEnd` creates the lengths from the far
// end of the chain instead of in wall order.
inline std::vector<int> HeldLengths(int n, bool fromFixedEnd)
{
    std::vector<int> held;
    for (int j = 3; j <= n - 2; ++j)
        held.push_back(fromFixedEnd ? n + 1 - j : j);
    return held;
}

// Builds the room on `shape`: corner 0 unmovable, every other corner moved
// by up to `jitter` in x and y, the walls held by `hold`, and the lengths of
// `held` (in that creation order) set to the shape's.
inline void Build(Room& room, const std::vector<point>& shape, Hold hold,
                  const std::vector<int>& held, double jitter, std::mt19937& random)
{
    const int n = static_cast<int>(shape.size());
    room.shape = shape;
    room.hold = hold;
    std::uniform_real_distribution<double> move(-jitter, jitter);
    for (int i = 0; i < n; ++i) {
        const double dx = i == 0 ? 0.0 : move(random);
        const double dy = i == 0 ? 0.0 : move(random);
        room.nodes.push_back(room.model.CreateNode(shape[i].x() + dx, shape[i].y() + dy));
    }
    for (int i = 0; i < n; ++i)
        room.walls.push_back(room.model.CreateSegment(room.nodes[i], room.nodes[(i + 1) % n]));
    bool ok = true;
    if (hold == Hold::kAxis) {
        for (int i = 0; i < n; ++i) {
            const bool vertical = std::fabs(shape[i].x() - shape[(i + 1) % n].x()) <
                                  std::fabs(shape[i].y() - shape[(i + 1) % n].y());
            ok = ok && room.model.CreateConstraint(vertical ? KOR_VERTICAL : KOR_HORIZONTAL,
                                                   room.walls[i], 0, 0, 0) != 0;
        }
    } else {
        if (hold == Hold::kPerpendicular)
            ok = ok && room.model.CreateConstraint(KOR_HORIZONTAL, room.walls[0], 0, 0, 0) != 0;
        for (int i = 0; i + 1 < n; ++i)
            ok = ok && room.model.CreateConstraint(KOR_PERPENDICULAR, room.walls[i],
                                                   room.walls[i + 1], 0, 0) != 0;
    }
    room.lengths.assign(n, 0.0);
    for (int i : held) {
        const point& a = shape[i];
        const point& b = shape[(i + 1) % n];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const KorHandle d =
            room.model.CreateDistance(room.nodes[i], room.nodes[(i + 1) % n], KOR_DISTANCE, 0);
        ok = ok && d != 0 && room.model.SetDimensionValue(d, length, KORDimensionType(2));
        room.lengths[i] = length;
    }
    ok = ok && room.model.CreateConstraint(KOR_UNMOVABLE, room.nodes[0], 0, 0, 0) != 0;
    room.built = ok;
}

struct Residual {
    double length = 0.0;   // held lengths, and the offset across an axis wall
    double degrees = 0.0;  // perpendicular walls, and a horizontal wall 0
};

// How far the room's corners are from what its constraints describe.
inline Residual Measure(Room& room)
{
    const int n = room.Size();
    Residual r;
    auto at = [&](int i) { return room.Node(i % n)->GetPoint(); };
    for (int i = 0; i < n; ++i) {
        const point a = at(i), b = at(i + 1);
        if (room.lengths[i] > 0.0)
            r.length = std::max(r.length, std::fabs(std::hypot(b.x() - a.x(), b.y() - a.y()) -
                                                    room.lengths[i]));
        if (room.hold == Hold::kAxis) {
            const point& s = room.shape[i];
            const point& e = room.shape[(i + 1) % n];
            const bool vertical = std::fabs(s.x() - e.x()) < std::fabs(s.y() - e.y());
            r.length = std::max(r.length, vertical ? std::fabs(b.x() - a.x())
                                                   : std::fabs(b.y() - a.y()));
        } else if (i + 1 < n) {
            const point c = at(i + 2);
            const double ux = b.x() - a.x(), uy = b.y() - a.y();
            const double wx = c.x() - b.x(), wy = c.y() - b.y();
            const double cosine =
                std::clamp((ux * wx + uy * wy) / (std::hypot(ux, uy) * std::hypot(wx, wy)), -1.0,
                           1.0);
            r.degrees = std::max(r.degrees, std::fabs(90.0 - std::acos(cosine) * 180.0 / M_PI));
        }
    }
    if (room.hold == Hold::kPerpendicular) {
        r.length = std::max(r.length, std::fabs(at(1).y() - at(0).y()));
        r.degrees = std::max(r.degrees, std::fabs(std::atan2(at(1).y() - at(0).y(),
                                                             at(1).x() - at(0).x())) *
                                            180.0 / M_PI);
    }
    return r;
}

// One pen step of a drag: at a corner the node goes to the pen, at a wall
// the wall is moved parallel through the pen. Answers whether the model
// took the step.
inline bool DragTo(Room& room, int corner, int wall, double x, double y)
{
    if (wall >= 0)
        room.Wall(wall)->SetPosition(x, y, true);
    else
        room.model.SetNodePosition(room.nodes[static_cast<std::size_t>(corner)], x, y);
    return room.model.Resolve();
}

// How far the dragged corner, or the dragged wall's line, is from the pen.
inline double PenGap(Room& room, int corner, int wall, double x, double y)
{
    if (wall >= 0) {
        const int n = room.Size();
        const point a = room.Node(wall)->GetPoint();
        const point b = room.Node((wall + 1) % n)->GetPoint();
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        return std::fabs((b.x() - a.x()) * (y - a.y()) - (b.y() - a.y()) * (x - a.x())) / length;
    }
    const point p = room.Node(corner)->GetPoint();
    return std::hypot(p.x() - x, p.y() - y);
}

// A room held in the perpendicular form: `square` lists the walls i held
// perpendicular to wall i + 1, wall 0 is held horizontal when `level`, the
// walls of `held` keep their lengths, and corner 0 is unmovable when `fixed`.
struct RoomSketch {
    const char* name;
    std::vector<point> corners;
    bool level = true;
    std::vector<int> square;
    std::vector<int> held;
    bool fixed = false;
};

// Every corner square but the closing one (wall n-1 to wall 0).
inline std::vector<int> SquareCorners(int n)
{
    std::vector<int> square;
    for (int i = 0; i + 1 < n; ++i)
        square.push_back(i);
    return square;
}

// A room with one slanted wall (wall 2) between two square corners.
inline std::vector<point> SlantedRoom()
{
    return {{0, 0}, {300, 0}, {300, 200}, {200, 300}, {0, 300}};
}

// A rectangle whose wall 2 steps out by 3 inches half way up.
inline std::vector<point> JogRoom()
{
    return {{0, 0}, {240, 0}, {240, 90}, {243, 90}, {243, 180}, {0, 180}};
}

inline void Build(Room& room, const RoomSketch& sketch, double jitter, std::mt19937& random)
{
    const int n = static_cast<int>(sketch.corners.size());
    room.shape = sketch.corners;
    room.hold = Hold::kPerpendicularTurned;
    std::uniform_real_distribution<double> move(-jitter, jitter);
    for (int i = 0; i < n; ++i) {
        const double dx = move(random);
        const double dy = move(random);
        room.nodes.push_back(
            room.model.CreateNode(sketch.corners[i].x() + dx, sketch.corners[i].y() + dy));
    }
    for (int i = 0; i < n; ++i)
        room.walls.push_back(room.model.CreateSegment(room.nodes[i], room.nodes[(i + 1) % n]));
    bool ok = true;
    if (sketch.level)
        ok = ok && room.model.CreateConstraint(KOR_HORIZONTAL, room.walls[0], 0, 0, 0) != 0;
    for (int i : sketch.square)
        ok = ok && room.model.CreateConstraint(KOR_PERPENDICULAR, room.walls[i],
                                               room.walls[(i + 1) % n], 0, 0) != 0;
    room.lengths.assign(n, 0.0);
    for (int i : sketch.held) {
        const point& a = sketch.corners[i];
        const point& b = sketch.corners[(i + 1) % n];
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const KorHandle d =
            room.model.CreateDistance(room.nodes[i], room.nodes[(i + 1) % n], KOR_DISTANCE, 0);
        ok = ok && d != 0 && room.model.SetDimensionValue(d, length, KORDimensionType(2));
        room.lengths[i] = length;
    }
    if (sketch.fixed)
        ok = ok && room.model.CreateConstraint(KOR_UNMOVABLE, room.nodes[0], 0, 0, 0) != 0;
    room.built = ok;
}

// The worst angle, in degrees, by which a corner listed in `square` is off
// square, measured on the corners themselves.
inline double WorstSquareDegrees(Room& room, const std::vector<int>& square)
{
    const int n = room.Size();
    double worst = 0.0;
    for (int i : square) {
        const point a = room.Node(i)->GetPoint();
        const point b = room.Node((i + 1) % n)->GetPoint();
        const point c = room.Node((i + 2) % n)->GetPoint();
        const double ux = b.x() - a.x(), uy = b.y() - a.y();
        const double wx = c.x() - b.x(), wy = c.y() - b.y();
        const double cosine = std::clamp(
            (ux * wx + uy * wy) / (std::hypot(ux, uy) * std::hypot(wx, wy)), -1.0, 1.0);
        worst = std::max(worst, std::fabs(90.0 - std::acos(cosine) * 180.0 / M_PI));
    }
    return worst;
}

// Where a drag starts: the corner, or the middle of the wall.
inline point DragStart(Room& room, int corner, int wall)
{
    if (wall < 0)
        return room.Node(corner)->GetPoint();
    const point a = room.Node(wall)->GetPoint();
    const point b = room.Node((wall + 1) % room.Size())->GetPoint();
    return point((a.x() + b.x()) / 2.0, (a.y() + b.y()) / 2.0);
}

// The pen's next place: 1 to 2 inches on, heading within 30 degrees of
// `heading` (radians).
inline point PenStep(const point& pen, double heading, std::mt19937& random)
{
    std::uniform_real_distribution<double> step(1.0, 2.0);
    std::uniform_real_distribution<double> turn(-M_PI / 6.0, M_PI / 6.0);
    const double direction = heading + turn(random);
    const double d = step(random);
    return point(pen.x() + d * std::cos(direction), pen.y() + d * std::sin(direction));
}

// A drag made as the program makes it: the picked corner or wall is held
// for the whole drag, the model is in drag mode, each pen move puts the
// corner (or the wall, parallel) on the pen and resolves, invalidating the
// solution only after a refused step, and a refused step puts it back.
class ProgramDrag {
public:
    ProgramDrag(Room& room, int corner, int wall) : mRoom(room), mCorner(corner), mWall(wall)
    {
        if (mWall >= 0)
            mRoom.Wall(mWall)->SetMovable(false);
        else
            mRoom.Node(mCorner)->SetMovable(false);
        mRoom.model.SetDrag(true);
    }
    ~ProgramDrag()
    {
        mRoom.model.SetDrag(false);
        if (mWall >= 0)
            mRoom.Wall(mWall)->SetMovable(true);
        else
            mRoom.Node(mCorner)->SetMovable(true);
    }
    ProgramDrag(const ProgramDrag&) = delete;
    ProgramDrag& operator=(const ProgramDrag&) = delete;

    bool MoveTo(double x, double y)
    {
        point old;
        if (mWall >= 0) {
            KorSegment* wall = mRoom.Wall(mWall);
            old = point(wall->GetGeometry() & point(x, y));
            wall->SetPosition(x, y, !mLastOk);
        } else {
            KorNode* node = mRoom.Node(mCorner);
            old = node->GetPoint();
            node->SetPosition(x, y, true, !mLastOk);
        }
        mLastOk = mRoom.model.Resolve();
        if (!mLastOk) {
            if (mWall >= 0)
                mRoom.Wall(mWall)->SetPosition(old.x(), old.y(), true);
            else
                mRoom.Node(mCorner)->SetPosition(old.x(), old.y(), true, true);
        }
        return mLastOk;
    }

private:
    Room& mRoom;
    int mCorner;
    int mWall;
    bool mLastOk = false;
};

}  // namespace kor_sketch
