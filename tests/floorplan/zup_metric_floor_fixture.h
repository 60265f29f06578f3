// A fixture holding one metric floor, made after the process-wide state is
// reset and destroyed before it is reset again.
#pragma once

#include <memory>

#include "zup_fixture.h"

class ZupMetricFloorTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupMetric() = true;
        floor = std::make_unique<ZupFloor>();
    }
    void TearDown() override
    {
        floor.reset();
        ZupTest::TearDown();
    }
    std::unique_ptr<ZupFloor> floor;
};
