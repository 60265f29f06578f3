#include "room_floor_player.h"

#include <cstdlib>
#include <cstring>

#include "room_floor.h"

CRoomFloorPlayer::CRoomFloorPlayer(CRoomFloor* room) : ZupPlayer(room), mpRoom(room) {}

bool CRoomFloorPlayer::Execute()
{
    if (ZupPlayer::Execute())
        return true;
    if (GetKind() != kNamedCommand)
        return true;
    return ExecuteRoomStatement(GetTarget());
}

bool CRoomFloorPlayer::ExecuteRoomStatement(const char* target)
{
    const char* word = GetCommandWord() ? GetCommandWord() : "";
    if (std::strcmp(target, "Shape") == 0) {
        mpRoom->SetShapeName(word);
        return true;
    }
    if (std::strcmp(target, "Name") == 0) {
        mpRoom->SetName(word);
        return true;
    }
    if (std::strcmp(target, "Level") == 0) {
        if (std::strcmp(word, "below") == 0)
            mpRoom->SetBelow(true);
        return true;
    }
    if (std::strcmp(target, "Size") == 0) {
        // A missing size reads as 0.
        const auto& arguments = GetArguments();
        const int width = arguments.size() > 0 ? std::atoi(arguments[0]) : 0;
        const int depth = arguments.size() > 1 ? std::atoi(arguments[1]) : 0;
        mpRoom->SetSize(width, depth);
        return true;
    }
    return false;
}
