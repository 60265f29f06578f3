#include "plan_room_objects.h"

#include <new>

#include "object_room.h"

// ---- Camera ----

void CPlanCamera::CopyDisplayFields(const CPlanCamera& other)
{
    mReserved = other.mReserved;
    mCount = other.mCount;
    mCameraType = other.mCameraType;
    mColour = other.mColour;
}

ZupRoomObject* CPlanCamera::Clone(ZupRoomObject* target)
{
    ZupRoomObject* copy = target && target->IsCamera() ? target : nullptr;
    if (!copy) {
        auto* made = new (std::nothrow) CPlanCamera();
        if (!made)
            return nullptr;
        made->CopyDisplayFields(*this);
        copy = made;
    }
    // The model copies the name and direction and marks the copy, so that
    // it does not give the name's number back when it goes.
    ZupCamera::Clone(copy);
    // Through the object interface, so that a camera target keeps the type
    // in its own field.
    static_cast<ZupObject*>(copy)->SetType(GetType());
    if (auto* camera = dynamic_cast<CPlanCamera*>(copy)) {
        camera->mRelativeDirection = mRelativeDirection;
        camera->mCount = mCount;
    }
    return copy;
}

// ---- Islands and fireplaces ----
// The copy gets depth, width, direction and type; it is placed by the
// floor that asked for it.

ZupRoomObject* CPlanIsland::Clone(ZupRoomObject*)
{
    auto* copy = new (std::nothrow) CPlanIsland();
    return copy ? CopyInto(copy) : nullptr;
}

bool CPlanIsland::IsBath()
{
    return IsInBathroom(*this);
}

ZupRoomObject* CPlanFireplace::Clone(ZupRoomObject*)
{
    auto* copy = new (std::nothrow) CPlanFireplace();
    return copy ? CopyInto(copy) : nullptr;
}

// ---- Columns and spiral stairs ----

ZupRoomObject* CPlanColumn::Clone(ZupRoomObject*)
{
    auto* copy = new (std::nothrow) CPlanColumn();
    if (!copy)
        return nullptr;
    copy->mDepth = mDepth;
    copy->SetType(ZupObject::GetType());
    return copy;
}

ZupRoomObject* CPlanSpiralStair::Clone(ZupRoomObject*)
{
    auto* copy = new (std::nothrow) CPlanSpiralStair();
    if (!copy)
        return nullptr;
    copy->mDepth = mDepth;
    return copy;
}
