// Curved sketches of real size solved from moved starts and dragged as the
// program drags, each result checked against the geometry of its nodes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>

#include "kor_curved_sketches.h"
#include "kor_globals.h"
#include "kor_linkage_sketches.h"
#include "settings.h"

namespace {

using namespace kor_curved;

constexpr double kLengthTolerance = 0.02;   // inches
constexpr double kAngleTolerance = 0.06;    // degrees

int CaseCount()
{
    const char* text = std::getenv("KOR_CURVED_SKETCHES");
    return text ? std::max(1, std::atoi(text)) : 300;
}

using Builder = std::function<void(Sketch&, double, std::mt19937&)>;

std::vector<std::pair<std::string, Builder>> Families()
{
    return {
        {"rounded", [](Sketch& s, double j, std::mt19937& r) { RoundedRoom(s, j, false, r); }},
        {"rounded-perp", [](Sketch& s, double j, std::mt19937& r) { RoundedRoom(s, j, true, r); }},
        {"floor", CirclesOnAFloor},
        {"corner", CircleInACorner},
        {"arc", ArcWithAnAngle},
        {"between", CircleBetweenTwo},
        {"arc-ends", ArcBetweenFixedEnds},
        {"pinned", PinnedCircles},
        {"two-arcs", TwoArcs},
    };
}

// Circles and walls placed by two tangencies at once, and circles through
// nodes with given chords.
std::vector<std::pair<std::string, Builder>> FittedFamilies()
{
    return {
        {"free-corner", FreeCircleInACorner},
        {"channel", CircleInAChannel},
        {"by-a-circle", FreeCircleByACircle},
        {"free-between", FreeCircleBetweenTwo},
        {"belt", BeltOverTwoCircles},
        {"chords", ChordsOnACircle},
        {"concentric", ChordsOnOneCircle},
        {"track", CircleOnATrack},
        {"unsized-track", UnsizedCircleOnATrack},
        {"crank", WheelOnACrank},
        {"bridge", BridgeBetweenColumns},
    };
}

struct Tally {
    int sketches = 0, solved = 0, solvedWithin = 0;
    int steps = 0, accepted = 0, acceptedWithin = 0, refusedMoved = 0;
    double worstLength = 0.0, worstDegrees = 0.0;
    std::string firstFailure;
};

class KorCurvedSketch : public ::testing::Test {
protected:
    void SetUp() override { KorResetGlobals(); }
    void TearDown() override { KorResetGlobals(); }
};

bool Within(const Residual& r) { return r.length <= kLengthTolerance && r.degrees <= kAngleTolerance; }

// Drags one node in pen steps of 1 to 3 inches; every step taken keeps every
// request, every step refused leaves the other nodes where they were.
void Drag(Sketch& s, int node, std::mt19937& random, Tally& t, const std::string& label)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double heading = 2.0 * M_PI * unit(random);
    point pen = s.At(node);
    s.model.SetDrag(true);
    for (int step = 0; step < 12; ++step) {
        const double len = 1.0 + 2.0 * unit(random);
        pen = point(pen.x() + len * std::cos(heading), pen.y() + len * std::sin(heading));
        std::vector<point> before;
        for (int i = 0; i < static_cast<int>(s.nodes.size()); ++i)
            before.push_back(s.At(i));
        s.model.SetNodePosition(s.nodes[node], pen.x(), pen.y());
        ++t.steps;
        if (s.model.Resolve()) {
            ++t.accepted;
            const Residual r = Measure(s);
            if (Within(r))
                ++t.acceptedWithin;
            else if (t.firstFailure.empty())
                t.firstFailure = label + " drag node " + std::to_string(node) + " step " +
                                 std::to_string(step) + ": " + r.worst + " off " +
                                 std::to_string(r.length) + " in " + std::to_string(r.degrees) + " deg";
            t.worstLength = std::max(t.worstLength, r.length);
            t.worstDegrees = std::max(t.worstDegrees, r.degrees);
        } else {
            for (int i = 0; i < static_cast<int>(s.nodes.size()); ++i)
                if (i != node && (s.At(i).x() != before[i].x() || s.At(i).y() != before[i].y())) {
                    ++t.refusedMoved;
                    break;
                }
        }
    }
    s.model.SetDrag(false);
}

// Builds every family's share of sketches from moved starts, solves and
// drags each, and checks what the solver takes against the geometry.
std::map<std::string, Tally> RunFamilies(const std::vector<std::pair<std::string, Builder>>& families)
{
    const int cases = CaseCount();
    std::map<std::string, Tally> tallies;
    const double jitters[] = {0.1, 2.0, 5.0};
    for (const auto& [name, build] : families) {
        Tally& t = tallies[name];
        for (int k = 0; k < cases / 9 + 1; ++k) {
            const unsigned seed = 1000u * static_cast<unsigned>(k) + 7u;
            const double jitter = jitters[k % 3];
            KorResetGlobals();
            std::mt19937 random(seed);
            Sketch s;
            build(s, jitter, random);
            const std::string label = name + " seed " + std::to_string(seed) + " jitter " +
                                      std::to_string(jitter);
            EXPECT_TRUE(s.built) << label << " error " << s.model.GetError();
            if (!s.built)
                continue;
            ++t.sketches;
            if (!s.model.Resolve()) {
                if (t.firstFailure.empty())
                    t.firstFailure = label + ": first resolve refused, error " +
                                     std::to_string(s.model.GetError());
                continue;
            }
            ++t.solved;
            const Residual r = Measure(s);
            t.worstLength = std::max(t.worstLength, r.length);
            t.worstDegrees = std::max(t.worstDegrees, r.degrees);
            if (!Within(r)) {
                if (t.firstFailure.empty())
                    t.firstFailure = label + ": first resolve leaves " + r.worst + " off " +
                                     std::to_string(r.length) + " in " + std::to_string(r.degrees) + " deg";
                continue;
            }
            ++t.solvedWithin;
            if (!s.draggable.empty())
                Drag(s, s.draggable[k % s.draggable.size()], random, t, label);
        }
    }
    return tallies;
}

// What the solver takes must keep every request; what it refuses must leave
// the sketch as it was. Families in solvedWhole are solved from every start.
void ExpectKept(const std::map<std::string, Tally>& tallies, const std::set<std::string>& solvedWhole)
{
    for (const auto& [name, t] : tallies) {
        std::printf("%-14s sketches %3d solved %3d within %3d | steps %4d accepted %4d within %4d "
                    "refused-moved %3d | worst %.4f in %.4f deg\n",
                    name.c_str(), t.sketches, t.solved, t.solvedWithin, t.steps, t.accepted,
                    t.acceptedWithin, t.refusedMoved, t.worstLength, t.worstDegrees);
        if (!t.firstFailure.empty())
            std::printf("    first failure: %s\n", t.firstFailure.c_str());
    }
    for (const auto& [name, t] : tallies) {
        EXPECT_EQ(t.solvedWithin, t.solved) << name << ": " << t.firstFailure;
        EXPECT_EQ(t.acceptedWithin, t.accepted) << name << ": " << t.firstFailure;
        EXPECT_EQ(t.refusedMoved, 0) << name;
        if (solvedWhole.count(name)) {
            EXPECT_EQ(t.solved, t.sketches) << name << ": " << t.firstFailure;
        }
        ::testing::Test::RecordProperty(name + "_solved",
                                        std::to_string(t.solved) + "/" + std::to_string(t.sketches));
    }
}

TEST_F(KorCurvedSketch, SolvedAndDraggedSketchesKeepEveryRequest)
{
    // Families solved whole today stay so; the others are printed (a rounded
    // corner, a circle placed between others or in a corner is still refused
    // from many starts).
    ExpectKept(RunFamilies(Families()), {"arc", "pinned", "two-arcs", "between"});
}

// Linkages: corners held by lengths and parallels alone, solved by pairs and
// triples of dimensions at once. A parallel pair turned to within GeoDif of
// level or upright is still refused now and then: the geometry library reads
// such a wall as level where it crosses it with the next.
TEST_F(KorCurvedSketch, SolvedAndDraggedLinkagesKeepEveryRequest)
{
    ExpectKept(RunFamilies({{"linkage", kor_linkage::LengthLinkage},
                            {"level-coupler", kor_linkage::LevelCoupler},
                            {"parallel-pair", kor_linkage::ParallelPair}}),
               {"linkage", "level-coupler"});
}

// Circles and walls placed by two tangencies at once, and circles through
// nodes with given chords. Two arcs about one centre with both chords given
// are still refused from most starts; a wall over two circles, a circle by a
// circle on a floor and an unsized circle on a track from a few.
TEST_F(KorCurvedSketch, SolvedAndDraggedFittedCirclesKeepEveryRequest)
{
    ExpectKept(RunFamilies(FittedFamilies()),
               {"free-corner", "channel", "free-between", "chords", "track", "crank"});
}

}  // namespace
