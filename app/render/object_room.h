// The room an object stands in, as the drawings ask for it: by name, for
// the room-type catalog.
#pragma once

class ZupObject;

// The name of the object's room: its partition's name when it has one,
// else its floor's (a room being edited carries the room's name). Null when
// neither is named.
const char* GetObjectRoomName(ZupObject& object);

// True when the object's room is a bathroom by the room-type catalog.
bool IsInBathroom(ZupObject& object);
