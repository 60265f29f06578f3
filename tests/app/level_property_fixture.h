// Random levels built as a person builds them: a hall from the first shape,
// doors on walls with room beyond them, each next room entered through a
// door, now and then going back through entrances into earlier rooms and out
// through another door. Each room, once drawn, may be dressed further by a
// test (its walls leant, its lengths typed, objects put on it) before its
// doors are put on and it is closed.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "level_branching_fixture.h"
#include "room_floor.h"

inline int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    const int n = value ? std::atoi(value) : 0;
    return n > 0 ? n : fallback;
}

class LevelPropertyTest : public LevelBranchingTest {
protected:
    // The space a shape room entered through a door at the middle of the
    // wall takes beyond it, with a margin.
    static Outline Beyond(ZupEdge* wall, const point& roomCentre)
    {
        const point a = wall->GetStart()->GetPoint(), b = wall->GetEnd()->GetPoint();
        const point c((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        double tx = (b.x() - a.x()) / length, ty = (b.y() - a.y()) / length;
        double nx = -ty, ny = tx;
        if ((roomCentre.x() - c.x()) * nx + (roomCentre.y() - c.y()) * ny > 0)
            nx = -nx, ny = -ny;
        const double half = 130.0, depth = 330.0;
        return {{c.x() - tx * half, c.y() - ty * half},
                {c.x() + tx * half, c.y() + ty * half},
                {c.x() + tx * half + nx * depth, c.y() + ty * half + ny * depth},
                {c.x() - tx * half + nx * depth, c.y() - ty * half + ny * depth}};
    }
    static point Centre(const Outline& o)
    {
        double x = 0, y = 0;
        for (const auto& p : o)
            x += p.x, y += p.y;
        return point(x / o.size(), y / o.size());
    }
    bool FreeBeyond(ZupEdge* wall, const Outline& own)
    {
        const Outline space = Beyond(wall, Centre(own));
        // Every room as it stands, later ones too (the plan holds only the
        // rooms before a room entered again).
        std::vector<Outline> rooms;
        for (int i = 0; i < document->GetNumOfRooms(); ++i)
            rooms.push_back(document->GetRoom(i) == Room() ? own
                                                           : OutlineOf(document->GetRoom(i)->GetOuterContour()));
        return Overlaps(rooms, space) == 0;
    }
    // Doors on the walls of the room being drawn that have space beyond.
    void AddDoors(std::mt19937& random, int& counter)
    {
        const Outline own = OutlineOf(Room()->GetOuterContour());
        std::vector<ZupEdge*> walls;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (e->GetNumOfObjects() == 0)
                walls.push_back(e);
        for (ZupEdge* wall : walls) {
            if (random() % 3 == 0 || !FreeBeyond(wall, own))
                continue;
            const std::string name = "Door" + std::to_string(++counter) + "A";
            ASSERT_NE(AddDoor(name, wall), nullptr) << name;
        }
    }
    // A door of the current room with nothing behind it yet and space beyond.
    std::string FreeDoor(std::mt19937& random)
    {
        const Outline own = OutlineOf(Room()->GetOuterContour());
        std::vector<std::string> free;
        for (ZupOpening* o = Room()->Get1stOpening(); o; o = Room()->GetNextOpening()) {
            if (o == Room()->GetEntrance() || o->GetName().rfind("Door", 0) != 0)
                continue;
            ZupOpening* portal = document->m_plan.GetOpening(o->GetName().c_str());
            ZupPartition* here = document->GetPartitionOfRoom(Room());
            ZupPartition* other = portal ? portal->GetOtherPartition(here) : nullptr;
            if (other && document->GetRoomOfPartition(other))
                continue;
            if (o->GetEdge() && FreeBeyond(o->GetEdge(), own))
                free.push_back(o->GetName());
        }
        std::sort(free.begin(), free.end());
        return free.empty() ? std::string() : free[random() % free.size()];
    }

    // What a test does to each room once it is drawn, before its doors.
    virtual void Dress(std::mt19937&) {}

    void BuildLevel(unsigned seed, int target)
    {
        std::mt19937 random(seed);
        int counter = 0;
        DrawRectangle();
        Room()->ZupFloor::SetName("Hall1");
        Dress(random);
        if (HasFatalFailure())
            return;
        AddDoors(random, counter);
        ASSERT_TRUE(document->CloseRoom());
        for (int attempts = 0; document->GetNumOfRooms() < target && attempts < 4 * target; ++attempts) {
            // Now and then back through the entrance into the room before.
            while (Room() != document->GetRoom(0) && random() % 3 == 0) {
                const std::string entrance = Room()->GetEntrance()->GetName();
                ASSERT_TRUE(LeaveThrough(entrance)) << entrance;
                ASSERT_TRUE(Room()->mbClosed);
            }
            std::string door = FreeDoor(random);
            if (door.empty()) {
                // A room entered again gets a door where there is space.
                AddDoors(random, counter);
                door = FreeDoor(random);
            }
            if (door.empty()) {
                if (Room() == document->GetRoom(0))
                    break;
                const std::string entrance = Room()->GetEntrance()->GetName();
                ASSERT_TRUE(LeaveThrough(entrance)) << entrance;
                continue;
            }
            const int before = document->GetNumOfRooms();
            ASSERT_TRUE(LeaveThrough(door)) << door;
            if (document->GetNumOfRooms() == before)
                continue;  // a room built since lies behind it: the pen went in there
            ASSERT_EQ(document->GetNumOfRooms(), before + 1) << door;
            DrawEnteredRoom();
            ASSERT_EQ(Room()->GetEntrance()->GetName(), door);
            EXPECT_EQ(DrawnRoomOverlaps(), 0) << "room entered through " << door;
            Dress(random);
            if (HasFatalFailure())
                return;
            AddDoors(random, counter);
            ASSERT_TRUE(document->CloseRoom()) << "room entered through " << door;
        }
    }
};

