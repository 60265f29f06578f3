// A hall (the shipped 200 x 300 rectangle) with a window and a door on its
// top wall (y = 300), closed into the plan; with a second room entered
// through the door, the same rectangle drawn and closed above it, spanning
// door - 100 to door + 100. The plan is then drawn at scale 1 with its
// objects, model (0, 0) at device (20, 400).
#pragma once

#include "level_fixture.h"
#include "scaled_dc.h"
#include "zup_opening.h"
#include "zup_window.h"

class PlanJoinTest : public LevelTest {
protected:
    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    static constexpr COLORREF kBlack = RGB(0, 0, 0);
    static constexpr double kTop = 300.0;

    // With a second window, the second room carries it on its bottom wall
    // (the wall it shares with the hall) at that x.
    void JoinAndDraw(double windowX, double doorX, bool withSecondRoom, double secondWindowX = -1.0)
    {
        DrawRectangle();
        hall = Room();
        hall->ZupFloor::SetName("Hall1");
        window = hall->CreateWallWindow(windowX, kTop);
        ASSERT_NE(window, nullptr);
        ZupOpening* door = hall->CreateOpening("Hall1A", 1, doorX, kTop);
        ASSERT_NE(door, nullptr);
        ZupEdge* top = door->GetEdge();
        top->SetObjectsPosition(-1.0f);
        top->ModifyLengthDim(-1.0f);
        door->CreateWidthDimension();
        window->CreateWidthDimension();
        ASSERT_TRUE(hall->Resolve());
        ASSERT_TRUE(document->CloseRoom());
        if (withSecondRoom) {
            document->ExitThroughOpening(hall->GetOpening("Hall1A"));
            ASSERT_TRUE(document->InsertShape(0, 0));
            document->PlaceEntrance(nullptr);
            if (secondWindowX >= 0.0) {
                ZupWindow* second = Room()->CreateWallWindow(secondWindowX, kTop);
                ASSERT_NE(second, nullptr);
                second->CreateWidthDimension();
                ASSERT_TRUE(Room()->Resolve());
            }
            ASSERT_TRUE(document->CloseRoom());
            ASSERT_EQ(document->m_plan.GetNumOfPartitions(), 2);
        }
        document->m_roomView = false;
        document->m_showObjects = true;
        document->m_showRooms = false;
        document->m_showAreas = false;
        document->m_showNames = false;
        dc.FillSolidRect(0, 0, 240, 240, kWhite);
        dc.SetScale(1.0f);
        dc.SetOrigin(20, 400);
        document->DrawPlan(dc);
    }

    COLORREF At(double modelX, double modelY)
    {
        POINT p{static_cast<int>(modelX), static_cast<int>(modelY)};
        dc.ToScreen(p);
        return dc.GetPixel(p.x, p.y);
    }

    CRoomFloor* hall = nullptr;
    ZupWindow* window = nullptr;  // the hall's, as drawn
    CScaledDC dc{nullptr};
};
