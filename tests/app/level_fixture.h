// A level of the shipped exchange file whose first room is being drawn:
// the base of the tests that work on a document with rooms.
#pragma once

#include <memory>

#include "app_test_support.h"
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
