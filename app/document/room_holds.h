// What a room holds as its text gave it: which of its dimensions are given
// and at what value, its wall alignments and which nodes stay put. Taken
// right after a room is read back, it is put back once the room has been
// closed into the plan, which enables the dimensions the plan needs: the
// reopened room behaves under the pen as the room that was written. The
// lengths the close holds only for the plan stay held, and are let go of
// when the room is entered, as before it was written.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "kor_types.h"

class CRoomFloor;
class KorAlignment;

class CRoomHolds {
public:
    explicit CRoomHolds(CRoomFloor& room);
    void Restore(CRoomFloor& room) const;

private:
    static std::pair<KorHandle, int> Key(const CRoomFloor& room, const KorAlignment& alignment);

    // A given dimension keeps its value text (relations and all), as its
    // text's Value statement set it.
    struct Given {
        bool enabled;
        std::string value;
    };
    std::map<KorHandle, Given> mDimensions;
    // The wall and the kind (vertical or horizontal) of each alignment.
    std::set<std::pair<KorHandle, int>> mAlignments;
    std::map<KorHandle, bool> mMovable;
};
