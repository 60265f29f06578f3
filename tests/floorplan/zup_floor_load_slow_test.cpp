// A floor text that once kept the loader walking one node's entries for
// seconds while its walls were tidied: it loads, and leaves no load behind.
#include <gtest/gtest.h>

#include <string>

#include "zup_floor.h"
#include "zup_globals.h"

TEST(ZupFloorLoadSlowTest, AFloorWithManyWallsOnOneNodeLoadsAndLeavesNoLoadBehind)
{
    ZupResetGlobals();
    {
        ZupFloor floor;
        floor.Load((std::string(PELK_TEST_INPUTS) + "/zup_floor_xml_slow.xml").c_str());
        EXPECT_GT(floor.GetNumOfNodes(), 0);
        EXPECT_GT(floor.GetNumOfPrimitives(), 0);
    }
    EXPECT_EQ(ZupFloor::mpCurAddition, nullptr);
    EXPECT_EQ(ZupFloor::mpCurPartition, nullptr);
    ZupResetGlobals();
}
