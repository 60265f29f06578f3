// Random sketches drawn stroke by stroke as pen-ups add them: grids of rooms
// with shared walls and T-junctions, L and U rooms, turned copies, crossing
// walls, stubs (branched or not) and islands (free or joined by one wall).
// The rooms found must be the bounded faces of the walls' planar arrangement,
// worked out on its own in the test, except where the model's own rules
// decide otherwise: a wall on a new line is not split where it crosses or
// touches another wall (walls that cross so are left out; a wall that only
// ends on another is kept apart from it in the comparison), two separate
// groups of walls have no shell (and no rooms), and in a plan of single rings
// a room inside a room is not an island.
// ZUP_ROOM_SKETCHES sets how many sketches run (a few hundred by default).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "zup_fixture.h"
#include "zup_sketch_file.h"

namespace {

using zup_test::Wall2;

struct Vertex {
    double x, y;
};

// A plan as points and the walls between them; no wall passes a point.
struct Plan {
    std::vector<Vertex> points;
    std::set<std::pair<int, int>> walls;

    int Point(double x, double y)
    {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (std::hypot(points[i].x - x, points[i].y - y) < 1e-9)
                return static_cast<int>(i);
        points.push_back({x, y});
        return static_cast<int>(points.size() - 1);
    }
    void Add(int a, int b)
    {
        if (a != b)
            walls.insert(std::minmax(a, b));
    }
    // Splits the wall that passes the point there (a point on a wall's line
    // strictly between its ends).
    void SplitAt(int p)
    {
        for (auto [a, b] : std::vector<std::pair<int, int>>(walls.begin(), walls.end())) {
            const Vertex& u = points[a];
            const Vertex& v = points[b];
            const Vertex& q = points[p];
            const double cross = (v.x - u.x) * (q.y - u.y) - (v.y - u.y) * (q.x - u.x);
            const double len = std::hypot(v.x - u.x, v.y - u.y);
            const double t = ((q.x - u.x) * (v.x - u.x) + (q.y - u.y) * (v.y - u.y)) / (len * len);
            if (p != a && p != b && std::fabs(cross) / len < 1e-9 && t > 0.0 && t < 1.0) {
                walls.erase({a, b});
                Add(a, p);
                Add(p, b);
            }
        }
    }
    void AddSplit(double x1, double y1, double x2, double y2)
    {
        const int a = Point(x1, y1);
        const int b = Point(x2, y2);
        SplitAt(a);
        SplitAt(b);
        Add(a, b);
    }
};

enum class Drawing { kWalls, kRuns, kRooms };

struct Sketcher {
    std::mt19937& random;
    std::ostringstream tags;

    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random); }
    double Step(double lo, double hi) { return 10.0 * Int(static_cast<int>(lo / 10), static_cast<int>(hi / 10)); }

    // An irregular grid of cells, some cells left out (L and U outlines),
    // some inner walls left out (larger L and U rooms, T-junctions).
    Plan Grid(std::vector<double>& xs, std::vector<double>& ys, std::vector<std::vector<bool>>& in,
              bool full)
    {
        const int columns = Int(1, 4);
        const int rows = Int(1, 3);
        xs = {0.0};
        ys = {0.0};
        for (int c = 0; c < columns; ++c)
            xs.push_back(xs.back() + Step(150, 450));
        for (int r = 0; r < rows; ++r)
            ys.push_back(ys.back() + Step(150, 450));
        in.assign(columns, std::vector<bool>(rows, true));
        if (!full && columns * rows > 2)
            for (int k = Int(0, 2); k > 0; --k)
                in[Int(0, columns - 1)][Int(0, rows - 1)] = false;
        auto inside = [&](int c, int r) {
            return c >= 0 && r >= 0 && c < columns && r < rows && in[c][r];
        };
        Plan plan;
        const double dropInner = full ? 0.0 : Uniform(0.0, 0.4);
        for (int c = 0; c <= columns; ++c)
            for (int r = 0; r < rows; ++r) {  // upright walls
                const bool left = inside(c - 1, r), right = inside(c, r);
                if (!left && !right)
                    continue;
                if (left && right && Chance(dropInner))
                    continue;
                plan.Add(plan.Point(xs[c], ys[r]), plan.Point(xs[c], ys[r + 1]));
            }
        for (int r = 0; r <= rows; ++r)
            for (int c = 0; c < columns; ++c) {  // level walls
                const bool below = inside(c, r - 1), above = inside(c, r);
                if (!below && !above)
                    continue;
                if (below && above && Chance(dropInner))
                    continue;
                plan.Add(plan.Point(xs[c], ys[r]), plan.Point(xs[c + 1], ys[r]));
            }
        return plan;
    }

    // A cell that takes an island or a stub.
    bool PickCell(const std::vector<double>& xs, const std::vector<double>& ys,
                  const std::vector<std::vector<bool>>& in, int& c, int& r)
    {
        for (int tries = 0; tries < 8; ++tries) {
            c = Int(0, static_cast<int>(xs.size()) - 2);
            r = Int(0, static_cast<int>(ys.size()) - 2);
            if (in[c][r])
                return true;
        }
        return false;
    }

    void AddStub(Plan& plan, const std::vector<double>& xs, const std::vector<double>& ys,
                 const std::vector<std::vector<bool>>& in)
    {
        int c = 0, r = 0;
        if (!PickCell(xs, ys, in, c, r))
            return;
        const double w = xs[c + 1] - xs[c], h = ys[r + 1] - ys[r];
        // From a corner of the cell into it, along a side's direction.
        const bool fromLeft = Chance(0.5);
        const double x0 = fromLeft ? xs[c] : xs[c + 1];
        const double y0 = ys[r] + std::round(h / 20.0) * 10.0;
        const double length = std::round(w * Uniform(0.3, 0.45) / 10.0) * 10.0;
        const double x1 = fromLeft ? x0 + length : x0 - length;
        plan.AddSplit(x0, y0, x1, y0);
        tags << " stub";
        if (Chance(0.5)) {  // a T at its end
            const double arm = std::round(h * Uniform(0.15, 0.3) / 10.0) * 10.0;
            plan.AddSplit(x1, y0, x1, y0 + arm);
            plan.AddSplit(x1, y0, x1, y0 - arm);
            tags << "-branched";
        }
    }

    void AddIsland(Plan& plan, const std::vector<double>& xs, const std::vector<double>& ys,
                   const std::vector<std::vector<bool>>& in)
    {
        int c = 0, r = 0;
        if (!PickCell(xs, ys, in, c, r))
            return;
        const double w = xs[c + 1] - xs[c], h = ys[r + 1] - ys[r];
        if (w < 220 || h < 220)
            return;
        const double x0 = xs[c] + Step(50, w / 3), x1 = xs[c + 1] - Step(50, w / 3);
        const double y0 = ys[r] + Step(50, h / 3), y1 = ys[r + 1] - Step(50, h / 3);
        plan.AddSplit(x0, y0, x1, y0);
        plan.AddSplit(x1, y0, x1, y1);
        plan.AddSplit(x1, y1, x0, y1);
        plan.AddSplit(x0, y1, x0, y0);
        tags << " island";
        if (Chance(0.4)) {  // two rooms
            const double xm = std::round((x0 + x1) / 20.0) * 10.0;
            plan.AddSplit(xm, y0, xm, y1);
            tags << "-split";
        }
        if (Chance(0.5)) {  // joined to the cell's left wall by one wall
            plan.AddSplit(xs[c], y0, x0, y0);
            tags << "-bridged";
        }
    }

    void AddCrossing(Plan& plan, const std::vector<double>& xs, const std::vector<double>& ys)
    {
        if (xs.size() < 3)
            return;
        // A level wall across an upright inner wall, ending inside the cells.
        const int c = Int(1, static_cast<int>(xs.size()) - 2);
        const int r = Int(0, static_cast<int>(ys.size()) - 2);
        const double y = std::round((ys[r] + ys[r + 1]) / 20.0) * 10.0 + 10.0;
        const double left = xs[c] - std::round((xs[c] - xs[c - 1]) * 0.3 / 10.0) * 10.0;
        const double right = xs[c] + std::round((xs[c + 1] - xs[c]) * 0.3 / 10.0) * 10.0;
        if (std::any_of(plan.walls.begin(), plan.walls.end(), [&](const std::pair<int, int>& w) {
                const Vertex& a = plan.points[w.first];
                const Vertex& b = plan.points[w.second];
                return a.x == xs[c] && b.x == xs[c] && std::min(a.y, b.y) < y && std::max(a.y, b.y) > y;
            })) {
            plan.AddSplit(left, y, xs[c], y);
            plan.AddSplit(xs[c], y, right, y);
            tags << " crossing";
        }
    }

    // The plan's walls as strokes: one a wall, or straight runs through
    // points, or each room's four sides; in random order and direction.
    std::vector<Wall2> Strokes(const Plan& plan, Drawing drawing, const std::vector<double>& xs,
                               const std::vector<double>& ys)
    {
        std::vector<Wall2> strokes;
        if (drawing == Drawing::kRooms) {
            for (std::size_t c = 0; c + 1 < xs.size(); ++c)
                for (std::size_t r = 0; r + 1 < ys.size(); ++r) {
                    const double x0 = xs[c], x1 = xs[c + 1], y0 = ys[r], y1 = ys[r + 1];
                    strokes.push_back({x0, y0, x1, y0});
                    strokes.push_back({x1, y0, x1, y1});
                    strokes.push_back({x1, y1, x0, y1});
                    strokes.push_back({x0, y1, x0, y0});
                }
            return strokes;  // room by room, in order
        }
        std::set<std::pair<int, int>> left(plan.walls);
        while (!left.empty()) {
            auto [a, b] = *left.begin();
            left.erase(left.begin());
            if (drawing == Drawing::kRuns) {
                // Grow the run straight on at both ends.
                auto extend = [&](int from, int to) {
                    for (bool grown = true; grown;) {
                        grown = false;
                        for (auto it = left.begin(); it != left.end(); ++it) {
                            const int next = it->first == to ? it->second : it->second == to ? it->first : -1;
                            if (next < 0)
                                continue;
                            const Vertex& p = plan.points[from];
                            const Vertex& q = plan.points[to];
                            const Vertex& s = plan.points[next];
                            const double cross = (q.x - p.x) * (s.y - q.y) - (q.y - p.y) * (s.x - q.x);
                            const double dot = (q.x - p.x) * (s.x - q.x) + (q.y - p.y) * (s.y - q.y);
                            if (std::fabs(cross) < 1e-6 && dot > 0.0) {
                                left.erase(it);
                                from = to;
                                to = next;
                                grown = true;
                                break;
                            }
                        }
                    }
                    return to;
                };
                const int far = extend(a, b);
                const int near = extend(b, a);
                a = near;
                b = far;
            }
            const Vertex& p = plan.points[a];
            const Vertex& q = plan.points[b];
            strokes.push_back({p.x, p.y, q.x, q.y});
        }
        std::shuffle(strokes.begin(), strokes.end(), random);
        for (Wall2& s : strokes)
            if (Chance(0.5))
                s = {s.bx, s.by, s.ax, s.ay};
        return strokes;
    }

    std::vector<Wall2> Make()
    {
        std::vector<double> xs, ys;
        std::vector<std::vector<bool>> in;
        const int drawingPick = Int(0, 9);
        const Drawing drawing = drawingPick < 5 ? Drawing::kWalls
                                : drawingPick < 8 ? Drawing::kRuns
                                                  : Drawing::kRooms;
        Plan plan = Grid(xs, ys, in, drawing == Drawing::kRooms);
        tags << (drawing == Drawing::kWalls ? "walls" : drawing == Drawing::kRuns ? "runs" : "rooms");
        if (drawing != Drawing::kRooms) {
            if (Chance(0.4))
                AddStub(plan, xs, ys, in);
            if (Chance(0.7))
                AddIsland(plan, xs, ys, in);
            if (Chance(0.25))
                AddCrossing(plan, xs, ys);
        }
        std::vector<Wall2> strokes = Strokes(plan, drawing, xs, ys);
        // Turned copies: a little off the axes, or well off.
        const int turn = Int(0, 3);
        if (turn > 1) {
            const double degrees = turn == 2 ? Uniform(0.1, 1.0) : Uniform(2.0, 45.0);
            const double a = (Chance(0.5) ? degrees : -degrees) * M_PI / 180.0;
            const double dx = Uniform(-500, 500), dy = Uniform(-500, 500);
            for (Wall2& s : strokes) {
                const Wall2 o = s;
                s.ax = o.ax * std::cos(a) - o.ay * std::sin(a) + dx;
                s.ay = o.ax * std::sin(a) + o.ay * std::cos(a) + dy;
                s.bx = o.bx * std::cos(a) - o.by * std::sin(a) + dx;
                s.by = o.bx * std::sin(a) + o.by * std::cos(a) + dy;
            }
            tags << " turned" << degrees;
        }
        return strokes;
    }
};

enum class Contact { kNone, kTouch, kCross };

// How the floor's walls meet away from their nodes, where the model left them
// unsplit by its own rule: one ends on another, or two cross.
Contact UnsplitContact(const std::vector<Wall2>& walls, double eps)
{
    Contact found = Contact::kNone;
    auto onInterior = [eps](double px, double py, const Wall2& w) {
        const double rx = w.bx - w.ax, ry = w.by - w.ay;
        const double len = std::hypot(rx, ry);
        const double t = ((px - w.ax) * rx + (py - w.ay) * ry) / (len * len);
        const double d = std::fabs(rx * (py - w.ay) - ry * (px - w.ax)) / len;
        return d < eps && t * len > eps && (1.0 - t) * len > eps;
    };
    for (std::size_t i = 0; i < walls.size(); ++i)
        for (std::size_t j = 0; j < walls.size(); ++j) {
            if (i == j)
                continue;
            const Wall2& u = walls[i];
            const Wall2& v = walls[j];
            if (onInterior(v.ax, v.ay, u) || onInterior(v.bx, v.by, u))
                found = Contact::kTouch;
            const double rx = u.bx - u.ax, ry = u.by - u.ay, sx = v.bx - v.ax, sy = v.by - v.ay;
            const double denom = rx * sy - ry * sx;
            if (std::fabs(denom) < 1e-9)
                continue;
            const double qx = v.ax - u.ax, qy = v.ay - u.ay;
            const double t = (qx * sy - qy * sx) / denom;
            const double s = (qx * ry - qy * rx) / denom;
            const double margin = eps / std::hypot(rx, ry);
            if (t > margin && t < 1 - margin && s > eps / std::hypot(sx, sy) &&
                s < 1 - eps / std::hypot(sx, sy))
                return Contact::kCross;
        }
    return found;
}

int SketchCount()
{
    const char* text = std::getenv("ZUP_ROOM_SKETCHES");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : 400;
}

std::string Describe(const std::vector<Wall2>& strokes)
{
    std::ostringstream out;
    out.precision(17);
    for (const Wall2& s : strokes)
        out << s.ax << " " << s.ay << " " << s.bx << " " << s.by << "\n";
    return out.str();
}

}  // namespace

class ZupRoomPropertyTest : public ZupTest {};

TEST_F(ZupRoomPropertyTest, RoomsAreTheFacesOfTheWalls)
{
    const int count = SketchCount();
    std::mt19937 random(39u);
    int compared = 0, apart = 0, crossed = 0, touching = 0, rings = 0;
    std::map<std::string, int> comparedBy;  // sketches compared, by family
    for (int k = 0; k < count; ++k) {
        ZupResetGlobals();
        ZupMetric() = k % 2 == 1;
        Sketcher sketcher{random, {}};
        const std::vector<Wall2> strokes = sketcher.Make();
        ZupFloor floor;
        const bool found = zup_test::DrawSketch(floor, strokes);
        const std::vector<Wall2> walls = zup_test::FloorWalls(floor);
        const std::vector<double> rooms = zup_test::RoomAreas(floor);
        const Contact contact = UnsplitContact(walls, 0.01);
        if (contact == Contact::kCross) {
            ++crossed;
            continue;
        }
        // A wall that ends on another without a node stays apart from it.
        if (contact == Contact::kTouch)
            ++touching;
        const zup_test::Arrangement faces =
            zup_test::Arrange(walls, 0.01, contact == Contact::kNone);
        if (faces.groupsOutside > 1) {
            ++apart;
            EXPECT_TRUE(rooms.empty()) << "sketch " << k << ": " << sketcher.tags.str();
            continue;
        }
        if (faces.groups > 1 && faces.maxDegree <= 2) {
            ++rings;
            continue;
        }
        ++compared;
        std::istringstream words(sketcher.tags.str());
        for (std::string word; words >> word;)
            ++comparedBy[word.substr(0, word.find_first_of("0123456789"))];
        EXPECT_EQ(found, !faces.faceAreas.empty()) << "sketch " << k;
        EXPECT_TRUE(zup_test::SameAreas(rooms, faces.faceAreas))
            << "sketch " << k << " (" << sketcher.tags.str() << ")\nrooms "
            << ::testing::PrintToString(rooms) << "\nfaces "
            << ::testing::PrintToString(faces.faceAreas) << "\nstrokes:\n"
            << Describe(strokes);
    }
    RecordProperty("compared", compared);
    std::printf("%d sketches: %d compared (%d with walls ending on others), %d crossing "
                "unsplit, %d apart, %d rings\n",
                count, compared, touching, crossed, apart, rings);
    for (const auto& [family, n] : comparedBy)
        std::printf("  %s %d\n", family.c_str(), n);
    EXPECT_GT(compared, count / 3);
}
