// Shared set-up of the floor-plan tests: the process-wide state reset before
// and after each test, and small builders of nodes and walls.
#pragma once

#include <gtest/gtest.h>

#include "kor_lin_tracker.h"
#include "settings.h"
#include "zup_arc.h"
#include "zup_floor.h"
#include "zup_globals.h"
#include "zup_node.h"
#include "zup_segment.h"

class ZupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZupResetGlobals();
        mSnap = GeoSnap();
        mDif = GeoDif();
    }
    void TearDown() override
    {
        GeoSnap() = mSnap;
        GeoDif() = mDif;
        ZupResetGlobals();
    }

    static ZupNode* Node(ZupFloor& floor, double x, double y)
    {
        auto* node = new ZupNode();
        EXPECT_NE(node->Create(&floor, x, y, nullptr, true), 0u);
        return node;
    }
    // A straight wall, on the given tracker or a new one.
    static ZupSegment* Wall(ZupFloor& floor, ZupNode* a, ZupNode* b,
                            KorLinTracker* tracker = nullptr)
    {
        auto* wall = new ZupSegment(ZUP_EDGE_FREE);
        EXPECT_NE(wall->Create(&floor, a, b, tracker), 0u);
        return wall;
    }
    // A wall's edge type (the segment's own GetType is its entity type).
    static ZupEdgeType EdgeType(ZupEdge* edge) { return edge->GetType(); }
    static KorLinTracker* TrackerOf(ZupSegment* wall)
    {
        return static_cast<KorLinTracker*>(wall->KorPrimitive::GetTracker());
    }

private:
    double mSnap = 0.0;
    double mDif = 0.0;
};
