// A document whose level is built as a person builds it: rooms drawn from
// the first shape, doors put on their walls, the pen leaving a room through
// a door into the next room or back into the room before it.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "../floorplan/zup_plan_checks.h"
#include "level_fixture.h"
#include "zup_opening.h"
#include "zup_partition.h"

class LevelBranchingTest : public LevelTest {
protected:
    using Outline = plan_checks::Outline;

    // A door at the middle of a wall of the current room.
    ZupOpening* AddDoor(const std::string& name, ZupEdge* wall)
    {
        if (!wall)
            return nullptr;
        const point centre = wall->GetGeoCenter();
        ZupOpening* door = Room()->CreateOpening(name.c_str(), 1, centre.x(), centre.y());
        MeasureAsPlaced(door);
        return door;
    }
    // The lengths the New Wall Object sheet gives an object it places: its
    // width, its place along the wall and the wall's pieces.
    static void MeasureAsPlaced(ZupWallObject* object)
    {
        ZupEdge* wall = object ? object->GetEdge() : nullptr;
        if (!wall)
            return;
        object->CreateWidthDimension();
        if (wall->GetNumOfObjects() > 1)
            wall->SetObjectsPosition(-1.0f);
        else
            object->CreatePosDimension(nullptr, -1.0f);
        wall->ModifyLengthDim(-1.0f);
    }
    // The Exit mode's tap on a door: the room closes, the pen goes through.
    bool LeaveThrough(const std::string& name)
    {
        ZupOpening* door = Room()->GetOpening(name.c_str());
        if (!door || !document->CloseRoom())
            return false;
        document->ExitThroughOpening(door);
        return true;
    }
    // The room just entered, drawn from the first shape with its entrance.
    void DrawEnteredRoom()
    {
        ASSERT_TRUE(document->InsertShape(0, 0));
        document->PlaceEntrance(nullptr);
        ASSERT_NE(Room()->GetEntrance(), nullptr);
    }
    static Outline OutlineOf(polygon& contour)
    {
        Outline outline;
        for (short i = 0; i < contour.count(); ++i)
            outline.push_back({contour[i].get_point().x(), contour[i].get_point().y()});
        if (outline.size() > 1 && std::hypot(outline.front().x - outline.back().x,
                                             outline.front().y - outline.back().y) < 1e-9)
            outline.pop_back();
        return outline;
    }
    // The rooms of the plan, the current room left out when asked.
    std::vector<Outline> PlanOutlines(CRoomFloor* without = nullptr)
    {
        std::vector<Outline> outlines;
        for (int i = 0; i < document->GetNumOfRooms(); ++i) {
            CRoomFloor* room = document->GetRoom(i);
            if (room == without)
                continue;
            if (ZupPartition* partition = document->GetPartitionOfRoom(room))
                outlines.push_back(plan_checks::OutlineOf(partition));
        }
        return outlines;
    }
    static int Overlaps(const std::vector<Outline>& rooms, const Outline& other)
    {
        int overlaps = 0;
        for (const Outline& o : rooms)
            overlaps += plan_checks::OverlapSamples({o, other});
        return overlaps;
    }
    // The room being drawn, where it stands, against the rooms of the plan.
    int DrawnRoomOverlaps() { return Overlaps(PlanOutlines(Room()), OutlineOf(Room()->GetOuterContour())); }
};
