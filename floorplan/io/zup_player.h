// Replays a floor's command text: the model's statements go to the base
// player, the object lines create objects through the floor's factory.
#pragma once

#include "kor_player.h"

class ZupFloor;
class ZupNode;

class ZupPlayer : public KorPlayer {
public:
    explicit ZupPlayer(ZupFloor* floor);

    // A script from a file is validated once, before its first object line
    // (or when it closes).
    bool init(const char* path) override;
    // Validates when still pending, tidies the walls, closes.
    bool close() override;
    bool Execute() override;

protected:
    ZupFloor* mpFloor;
    bool mbValidationPending = false;

private:
    ZupNode* FloorNode(int argument) const;
    bool ExecuteObject(const char* word);
};
