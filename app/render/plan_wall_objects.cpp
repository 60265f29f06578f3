#include "plan_wall_objects.h"

#include <new>

#include "object_room.h"
#include "zup_floor.h"
#include "zup_node.h"

// ---- Cloning ----
// A clone belongs to the given floor and copies the model's state through
// Replicate, exactly as the model's own clones do, but as the drawable
// class. Running out of storage gives null, which the floor copy skips.

ZupWallObject* CPlanOpening::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanOpening(floor, GetNameChars(), GetType());
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanStairOpening::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanStairOpening(floor);
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanWallFireplace::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanWallFireplace(floor);
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanWindow::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanWindow(floor);
    if (!copy)
        return nullptr;
    copy->SetPanes(GetPanes());
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanBathObject::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanBathObject(floor);
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanUtilityObject::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanUtilityObject(floor);
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupWallObject* CPlanCountertop::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanCountertop(floor);
    if (!copy)
        return nullptr;
    Replicate(copy);
    return copy;
}

ZupNodeObject* CPlanNodeObject::Clone(ZupNode* node, ZupNodeObject* source)
{
    if (!node)
        return nullptr;
    auto* copy =
        new (std::nothrow) CPlanNodeObject(dynamic_cast<ZupFloor*>(node->GetModel()), GetType(), mDepth);
    if (!copy)
        return nullptr;
    // A node that already holds a wall object refuses a second one.
    if (!copy->Create(node)) {
        delete copy;
        return nullptr;
    }
    if (source)
        copy->SetAttachedWindowPanes(source->GetAttachedWindowPanes());
    return copy;
}

// A structural block keeps its kind and size but not an attached window,
// so it is not replicated.
ZupWallObject* CPlanStructural::Clone(ZupFloor* floor)
{
    auto* copy = new (std::nothrow) CPlanStructural(floor);
    if (!copy)
        return nullptr;
    copy->SetType(GetType());
    copy->SetDepth(mDepth);
    return copy;
}

// ---- Bathroom ----

bool CPlanCountertop::IsBath()
{
    return IsInBathroom(*this);
}
