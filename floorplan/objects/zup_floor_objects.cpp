// The floor's openings: creation, the set by name, lookups and stairs.
#include <cmath>
#include <cstring>

#include "kor_node.h"
#include "segment.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_node.h"
#include "zup_object_points.h"
#include "zup_opening.h"

using zup_points::KeepIfPlaced;
using zup_points::NodePoint;

bool ZupOpeningNameLess::operator()(const ZupOpening* a, const ZupOpening* b) const
{
    return std::strcmp(a->GetNameChars(), b->GetNameChars()) < 0;
}

ZupOpening* ZupFloor::CreateOpening(const char* name, int type, ZupNode* a, ZupNode* b)
{
    if (!a || !b)
        return nullptr;
    auto* opening = new ZupOpening(this, name, type);
    return KeepIfPlaced(opening, opening->ZupWallObject::Create(a, b, type, 0));
}

ZupOpening* ZupFloor::CreateOpening(const char* name, int type, double x, double y)
{
    auto* opening = new ZupOpening(this, name, type);
    point p(x, y);
    return KeepIfPlaced(opening, opening->Create(this, p, nullptr, true));
}

ZupOpening* ZupFloor::GetOpening(const char* name) const
{
    if (!name)
        return nullptr;
    ZupOpening probe(nullptr, name, 0);
    auto found = mOpenings.find(&probe);
    return found == mOpenings.end() ? nullptr : *found;
}

ZupOpening* ZupFloor::GetOpening(point& p)
{
    ZupOpening* nearest = nullptr;
    float best = 0.0f;
    for (ZupOpening* opening : mOpenings) {
        // Its end nodes are made on demand.
        KorNode* start = opening->GetStart();
        KorNode* end = opening->GetEnd();
        if (!start || !end)
            continue;
        const segment piece(NodePoint(start), NodePoint(end));
        point foot = p;
        foot = piece;
        const float distance = static_cast<float>(std::hypot(foot.x() - p.x(), foot.y() - p.y()));
        if (!nearest || distance < best) {
            nearest = opening;
            best = distance;
        }
    }
    return nearest && best < InputSnap() ? nearest : nullptr;
}

ZupOpening* ZupFloor::GetCommonPortal(ZupFloor* other)
{
    if (!other)
        return nullptr;
    for (ZupOpening* opening : mOpenings) {
        if (ZupOpening* namesake = other->GetOpening(opening->GetNameChars()))
            return namesake;
        point centre = opening->GetGeoCenter();
        if (ZupOpening* there = other->GetOpening(centre))
            return there;
    }
    return nullptr;
}

bool ZupFloor::RemoveOpening(ZupOpening* opening)
{
    if (!opening)
        return false;
    auto found = mOpenings.find(opening);
    if (found == mOpenings.end() || *found != opening) {
        // Not under its name (or the name belongs to another opening): only
        // the same object is ever removed.
        found = mOpenings.end();
        for (auto it = mOpenings.begin(); it != mOpenings.end(); ++it)
            if (*it == opening)
                found = it;
    }
    if (found == mOpenings.end())
        return false;
    if (mbOpeningCursor && mOpeningCursor == found)
        mbOpeningCursor = false;
    mOpenings.erase(found);
    if (mpEntrance == opening)
        mpEntrance = nullptr;
    SetModified(true);
    return true;
}

bool ZupFloor::RenameOpening(ZupOpening* opening, const char* name)
{
    if (!opening || !ZupOpening::IsWritableName(name))
        return false;
    auto found = mOpenings.find(opening);
    if (found == mOpenings.end() || *found != opening)
        return false;
    // A taken name is refused before anything leaves the set.
    ZupOpening* holder = GetOpening(name);
    if (holder && holder != opening)
        return false;
    if (mbOpeningCursor && mOpeningCursor == found)
        mbOpeningCursor = false;
    mOpenings.erase(found);
    opening->Name() = name;
    return mOpenings.insert(opening).second;
}

ZupWallObject* ZupFloor::GetWallObject(ZupNode* a, ZupNode* b)
{
    if (!a || !b)
        return nullptr;
    point centre(NodePoint(a), NodePoint(b));
    auto* edge = dynamic_cast<ZupEdge*>(GetPrimitive(centre, nullptr));
    return edge ? edge->GetWallObject(centre, nullptr) : nullptr;
}

ZupOpeningStair* ZupFloor::CreateStair(ZupNode* a, ZupNode* b)
{
    ZupWallObject* object = GetWallObject(a, b);
    if (!object || !object->IsPortal())
        return nullptr;
    auto* stair = new ZupOpeningStair(this);
    return KeepIfPlaced(stair, stair->Create(static_cast<ZupOpening*>(object)));
}
