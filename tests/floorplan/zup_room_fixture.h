// A fixture holding one metric floor with a sketched rectangular room, its
// rooms found: the room most floor tests start from.
#pragma once

#include <memory>

#include "zup_fixture.h"

// Sketches the w x h rectangle with its corner at the origin, counter-
// clockwise, and finds its rooms.
inline void SketchRectangle(ZupFloor& floor, double w, double h)
{
    ASSERT_TRUE(floor.AddLine(0, 0, w, 0));
    ASSERT_TRUE(floor.AddLine(w, 0, w, h));
    ASSERT_TRUE(floor.AddLine(w, h, 0, h));
    ASSERT_TRUE(floor.AddLine(0, h, 0, 0));
    ASSERT_TRUE(floor.MakePartitions(false));
}

class ZupRoomTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
        floor = std::make_unique<ZupFloor>();
        SketchRectangle(*floor, 400, 300);
    }
    void TearDown() override
    {
        floor.reset();
        ZupTest::TearDown();
    }
    std::unique_ptr<ZupFloor> floor;
};
