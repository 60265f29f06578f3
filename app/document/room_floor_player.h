// Replays a room's command text: the floor-plan model's statements, then the
// room's own "Name", "Shape", "Level" and "Size" statements.
#pragma once

#include "zup_player.h"

class CRoomFloor;

class CRoomFloorPlayer : public ZupPlayer {
public:
    explicit CRoomFloorPlayer(CRoomFloor* room);

    bool Execute() override;

private:
    bool ExecuteRoomStatement(const char* target);
    CRoomFloor* mpRoom;
};
