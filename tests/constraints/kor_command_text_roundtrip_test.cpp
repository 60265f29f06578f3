// Property: what a user built survives write, replay, write with the same
// text. Models are drawn at random from nodes, segments, alignments,
// coincidences, colinears, fixed nodes, "=" distances, ranges and weights.
#include "kor_globals.h"
#include "kor_model.h"
#include "kor_number_text.h"
#include "kor_test_model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

class KorCommandTextRoundTrip : public KorModelFixture,
                                public ::testing::WithParamInterface<unsigned> {};

// A random model; positions on a half-unit grid so that "%.1f" is exact.
void BuildRandomModel(KorModel& model, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    auto coordinate = [&random] { return std::uniform_int_distribution<int>(-40, 40)(random) * 0.5; };

    std::vector<KorHandle> nodes;
    const int nodeCount = 3 + static_cast<int>(pick(6));
    for (int i = 0; i < nodeCount; ++i) {
        // Every other node lies on the x axis or on x = 0, so alignments hold.
        const double x = i % 3 == 1 ? 0.0 : coordinate();
        const double y = i % 3 == 2 ? 0.0 : coordinate();
        nodes.push_back(model.CreateNode(x, y));
    }
    std::vector<KorHandle> segments;
    for (int i = 0; i < 2 + static_cast<int>(pick(4)); ++i) {
        const KorHandle a = nodes[pick(nodes.size())];
        const KorHandle b = nodes[pick(nodes.size())];
        if (a == b)
            continue;
        if (const KorHandle s = model.CreateSegment(a, b))
            segments.push_back(s);
    }
    std::vector<KorHandle> rules;
    for (int i = 0; i < 6; ++i) {
        KorHandle made = 0;
        switch (pick(6)) {
        case 0:
            if (!segments.empty())
                made = model.CreateConstraint(KOR_HORIZONTAL, segments[pick(segments.size())], 0, 0, 0);
            break;
        case 1:
            if (!segments.empty())
                made = model.CreateConstraint(KOR_VERTICAL, segments[pick(segments.size())], 0, 0, 0);
            break;
        case 2:
            made = model.CreateConstraint(KOR_COINCIDENT, nodes[pick(nodes.size())],
                                          nodes[pick(nodes.size())], 0, 0);
            break;
        case 3:
            if (!segments.empty())
                made = model.CreateConstraint(KOR_COINCIDENT, nodes[pick(nodes.size())],
                                              segments[pick(segments.size())], 0, 0);
            break;
        case 4:
            if (segments.size() > 1)
                made = model.CreateConstraint(KOR_COLINEAR, segments[pick(segments.size())],
                                              segments[pick(segments.size())], 0, 0);
            break;
        default:
            made = model.CreateConstraint(KOR_UNMOVABLE, nodes[pick(nodes.size())], 0, 0, 0);
            break;
        }
        if (made != 0)
            rules.push_back(made);
    }
    for (int i = 0; i < 3; ++i) {
        const KorHandle d = model.CreateDistance(nodes[pick(nodes.size())],
                                                 nodes[pick(nodes.size())], KOR_DISTANCE, 0);
        if (d == 0)
            continue;
        rules.push_back(d);
        const std::string value = KorFormatFixed(1.0 + static_cast<double>(pick(400)) * 0.25, 2);
        switch (pick(4)) {
        case 0:
            break; // no value
        case 1:
            model.SetDimensionValue(d, ">=" + value + "&&<200");
            break;
        default:
            model.SetDimensionValue(d, value);
            break;
        }
    }
    for (KorHandle rule : rules)
        if (pick(2) == 0)
            model.SetWeight(rule, static_cast<int>(pick(4)));
}

TEST_P(KorCommandTextRoundTrip, WriteReplayWriteGivesTheSameText)
{
    KorModel model;
    BuildRandomModel(model, GetParam());
    std::string first;
    model.Save(first, false);

    KorModel replayed;
    ASSERT_TRUE(first.empty() || replayed.playbackStartFromString(first));
    std::string second;
    replayed.Save(second, false);
    EXPECT_EQ(second, first);

    // And once more through a file-less Load of the same text elsewhere.
    KorModel third;
    if (!second.empty()) {
        ASSERT_TRUE(third.playbackStartFromString(second));
    }
    std::string again;
    third.Save(again, false);
    EXPECT_EQ(again, first);
}

INSTANTIATE_TEST_SUITE_P(Seeds, KorCommandTextRoundTrip, ::testing::Range(1u, 61u));

// Radii, angles, parallels and perpendiculars go to the front of the
// dimension list as they are made; their text still keeps its order.
class KorFrontDimensionRoundTrip : public KorModelFixture {};

void BuildFrontDimensionModel(KorModel& model)
{
    std::vector<KorHandle> walls;
    const double corners[][4] = {{0, 0, 4, 0},   {4, 0, 4, 3},  {4, 3, 0, 3},
                                 {0, 3, 0, 0},   {6, 0, 9, 1},  {6, 2, 9, 3},
                                 {10, 0, 10, 4}, {12, 0, 15, 0}};
    for (const auto& c : corners)
        walls.push_back(
            model.CreateSegment(model.CreateNode(c[0], c[1]), model.CreateNode(c[2], c[3])));
    ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, walls[0], walls[2], 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_PERPENDICULAR, walls[0], walls[1], 0, 0), 0u);
    ASSERT_NE(model.CreateDistance(model.CreateNode(20, 0), model.CreateNode(23, 0), KOR_DISTANCE, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, walls[4], walls[5], 0, 0), 0u);
    ASSERT_NE(model.CreateRadial(model.CreateCircle(model.CreateNode(30, 0), model.CreateNode(32, 0)), 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_PERPENDICULAR, walls[6], walls[7], 0, 0), 0u);
    ASSERT_NE(model.CreateRadial(model.CreateCircle(model.CreateNode(40, 0), model.CreateNode(41, 0)), 0), 0u);
    ASSERT_NE(model.CreateAngular(walls[3], walls[2], 0, 0, 0), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_PERPENDICULAR, walls[1], walls[2], 0, 0), 0u);
}

TEST_F(KorFrontDimensionRoundTrip, WriteReplayWriteGivesTheSameText)
{
    KorModel model;
    BuildFrontDimensionModel(model);
    std::string first;
    model.Save(first, false);
    std::string text = first;
    for (int round = 0; round < 3; ++round) {
        KorModel replayed;
        ASSERT_TRUE(replayed.playbackStartFromString(text));
        std::string again;
        replayed.Save(again, false);
        EXPECT_EQ(again, first) << "round " << round;
        text = again;
    }
}

TEST_F(KorFrontDimensionRoundTrip, TextIsWrittenInCreationOrder)
{
    KorModel model;
    BuildFrontDimensionModel(model);
    std::string text;
    model.Save(text, false);
    const std::size_t parallel = text.find("=Parallel(");
    const std::size_t perpendicular = text.find("=Perpendicular(");
    const std::size_t distance = text.find("=Distance(");
    const std::size_t radius = text.find("=Radius(");
    ASSERT_NE(parallel, std::string::npos);
    ASSERT_NE(radius, std::string::npos);
    EXPECT_LT(parallel, perpendicular);
    EXPECT_LT(perpendicular, distance);
    EXPECT_LT(distance, radius);
}

TEST_F(KorFrontDimensionRoundTrip, ASolvedModelKeepsItsText)
{
    // The solver reorders the dimension list; the text does not follow it.
    KorModel model;
    BuildFrontDimensionModel(model);
    std::string before;
    model.Save(before, false);
    model.Resolve();
    std::string text;
    model.Save(text, false);
    KorModel replayed;
    ASSERT_TRUE(replayed.playbackStartFromString(text));
    std::string again;
    replayed.Save(again, false);
    EXPECT_EQ(again, text);
}

} // namespace
