#include "object_room.h"

#include "room_type_catalog.h"
#include "zup_floor.h"
#include "zup_object.h"
#include "zup_partition.h"

const char* GetObjectRoomName(ZupObject& object)
{
    if (ZupPartition* room = object.GetPartition())
        return room->GetName();
    ZupFloor* floor = object.GetFloor();
    return floor ? floor->GetName() : nullptr;
}

// Without a catalog no room type is known, so no room is a bathroom.
bool IsInBathroom(ZupObject& object)
{
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    return catalog && catalog->IsBath(GetObjectRoomName(object));
}
