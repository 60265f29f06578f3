// A level of the shipped exchange file whose first room is being drawn:
// the base of the tests that work on a document with rooms.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>

#include "app_test_support.h"
#include "distances.h"
#include "exchange_file.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"

class LevelTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(
            ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize)));
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
    }
    void TearDown() override
    {
        document.reset();
        AppTest::TearDown();
    }

    // The current room becomes the shipped rectangle (200 x 300), with its
    // entrance when asked, resolved.
    void DrawRectangle(bool withEntrance = true)
    {
        ASSERT_TRUE(document->InsertShape(0, 0));
        if (withEntrance)
            document->PlaceEntrance(nullptr);
        ASSERT_TRUE(Room()->Resolve());
    }

    CRoomFloor* Room() { return document->GetCurrentRoom(); }

    // The pen from one point to another in steps of about the given length;
    // false when nothing was picked at the first point.
    bool PenDrag(point from, point to, double step = 6.0)
    {
        if (!document->OnPenDown(from.x(), from.y(), 6))
            return false;
        const int steps = std::max(1, static_cast<int>(std::ceil(GeoDistance(from, to) / step)));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            document->OnPenMove(from.x() + t * (to.x() - from.x()), from.y() + t * (to.y() - from.y()));
        }
        document->OnPenUp();
        return true;
    }

    // The first wall without objects.
    ZupEdge* FreeWall()
    {
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (e->GetNumOfObjects() == 0)
                return e;
        return nullptr;
    }

    std::unique_ptr<CReplDoc> document;
};
