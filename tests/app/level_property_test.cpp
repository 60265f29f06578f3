// Random levels built as a person builds them: a hall from the first shape,
// doors on walls with room beyond them, each next room entered through a
// door, now and then going back through entrances into earlier rooms and out
// through another door. Every room joins beyond its door, no two rooms
// overlap, the rooms found again from the plan's walls are the rooms joined,
// and the saved level opens whole. PELK_LEVEL_CASES and PELK_LEVEL_ROOMS
// (up to 30) ask for more and larger levels than the default run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "level_property_fixture.h"

namespace {

std::vector<double> SortedAreas(const std::vector<plan_checks::Outline>& outlines)
{
    std::vector<double> areas;
    for (const auto& o : outlines)
        areas.push_back(plan_checks::Area(o));
    std::sort(areas.begin(), areas.end());
    return areas;
}

void ExpectSameAreas(const std::vector<double>& a, const std::vector<double>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], 1e-4 * b[i]);
}

}  // namespace

TEST_F(LevelPropertyTest, RandomLevelsJoinSaveAndOpenWhole)
{
    const int cases = FromEnvironment("PELK_LEVEL_CASES", 3);
    const int largest = std::min(30, FromEnvironment("PELK_LEVEL_ROOMS", 8));
    for (int n = 0; n < cases; ++n) {
        const unsigned seed = 7919u * static_cast<unsigned>(n + 1);
        const int target = 2 + static_cast<int>(seed % static_cast<unsigned>(largest - 1));
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(target) + " rooms");
        TearDown();
        SetUp();
        BuildLevel(seed, target);
        if (HasFatalFailure())
            return;
        // Back to the plan: every room joined, none over another.
        if (document->m_roomView)
            document->OnViewChange();
        const int rooms = document->GetNumOfRooms();
        std::printf("level of seed %u: %d rooms (asked %d)\n", seed, rooms, target);
        for (int i = 0; i < rooms; ++i)
            EXPECT_NE(document->GetPartitionOfRoom(document->GetRoom(i)), nullptr) << i;
        const std::vector<Outline> joined = PlanOutlines();
        ASSERT_EQ(static_cast<int>(joined.size()), rooms);
        EXPECT_EQ(plan_checks::OverlapSamples(joined), 0);
        const std::vector<double> areas = SortedAreas(joined);

        // Saved and opened again, the level is whole.
        std::string text;
        document->BuildFileText(text);
        {
            CReplDoc reopened;
            ASSERT_TRUE(reopened.ParseFile(text.data(), static_cast<int>(text.size())));
            ASSERT_EQ(reopened.GetNumOfRooms(), rooms);
            if (reopened.m_roomView)
                reopened.OnViewChange();
            for (int i = 0; i < rooms; ++i)
                EXPECT_NE(reopened.GetPartitionOfRoom(reopened.GetRoom(i)), nullptr) << i;
            std::vector<Outline> opened;
            for (int i = 0; i < rooms; ++i)
                if (ZupPartition* partition = reopened.GetPartitionOfRoom(reopened.GetRoom(i)))
                    opened.push_back(plan_checks::OutlineOf(partition));
            ExpectSameAreas(SortedAreas(opened), areas);
            EXPECT_EQ(plan_checks::OverlapSamples(opened), 0);
        }

        // The rooms found again from the plan's walls are the rooms joined.
        ASSERT_TRUE(document->m_plan.MakePartitions(false));
        ExpectSameAreas(SortedAreas(plan_checks::Outlines(document->m_plan)), areas);
    }
}
