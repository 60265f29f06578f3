#include "zup_opening.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "kor_model.h"
#include "kor_names_manager.h"
#include "kor_number_text.h"
#include "kor_node.h"
#include "zup_floor.h"
#include "zup_object_points.h"
#include "zup_partition.h"

namespace {

point Along(const point& from, double radians, double length)
{
    return point(from.x() + length * std::cos(radians), from.y() + length * std::sin(radians));
}

const char* NodeName(KorModel* model, KorHandle handle)
{
    const char* name = model->GetNamesManager().GetName(handle, KOR_NODE);
    return name ? name : "";
}

}  // namespace

using zup_points::Distance;

// ---- ZupOpening ----

ZupOpening::ZupOpening(ZupFloor* floor, const char* name, int type)
    : ZupWallObject(floor, nullptr, nullptr)
{
    if (name)
        mName = name;
    ZupObject::SetType(type);
    mDepth = IsMetric() ? 15 : 6;
}

ZupOpening::~ZupOpening()
{
    // Openings placed at a point make their nodes only when first asked:
    // leaving the floor's set must not wait for them.
    if (ZupFloor* floor = GetFloor())
        floor->RemoveOpening(this);
    if (auto* stair = dynamic_cast<ZupOpeningStair*>(mpAttached)) {
        mpAttached = nullptr;
        stair->SetAttached(nullptr);
        delete stair;
    }
}

bool ZupOpening::IsWritableName(const char* name)
{
    return name && *name && std::strpbrk(name, "=(),;/ \n") == nullptr;
}

bool ZupOpening::Create(ZupFloor* floor, point& p, line* hint, bool)
{
    if (!floor || !IsWritableName(mName.c_str()) || floor->GetOpening(mName.c_str()))
        return false;
    if (!ZupWallObject::Create(floor, p, hint, false))
        return false;
    floor->AddOpening(this);
    return true;
}

bool ZupOpening::Create(ZupNode* first, ZupNode* second)
{
    return ZupWallObject::Create(first, second, GetType(), 0);
}

bool ZupOpening::Create(ZupFloor* floor, point& a, point& b)
{
    return ZupWallObject::Create(floor, a, b, nullptr);
}

ZupWallObject* ZupOpening::Clone(ZupFloor* floor)
{
    auto* copy = new ZupOpening(floor, mName.c_str(), GetType());
    Replicate(copy);
    return copy;
}

int ZupOpening::GetNameIndex() const
{
    return mName.empty() ? -1 : mName.back() - 'A';
}

bool ZupOpening::IsConnectable(ZupPartition*)
{
    if (!mbConnectable)
        return false;
    if (!mpHostEdge)
        return true;
    // The plan's outer shell lies outside every room: it is no room to
    // connect to and none that closes the way.
    const auto isRoom = [](ZupPartition* room) {
        return room && !room->IsOuterShell() && room->GetNumOfWalls() > 0;
    };
    ZupPartition* first = mpHostEdge->GetOtherPartition(nullptr);
    return !isRoom(first) || !isRoom(mpHostEdge->GetOtherPartition(first));
}

void ZupOpening::Replicate(ZupOpening* other)
{
    if (!other)
        return;
    other->mAction = mAction;
    other->mPosition = mPosition;
}

ZupOpening::POSITION ZupOpening::GetReversed(POSITION position)
{
    return position == 1 ? POSITION(2) : position == 2 ? POSITION(1) : position;
}

ZupOpening::ACTION ZupOpening::GetReversed(ACTION action)
{
    return action == 1 ? ACTION(2) : action == 2 ? ACTION(1) : action;
}

void ZupOpening::Update(ZupOpening* other, ZupPartition* room)
{
    if (!other)
        return;
    SetType(other->GetType());
    mAction = GetReversed(other->mAction);
    mPosition = GetReversed(other->mPosition);
    auto* stair = dynamic_cast<ZupOpeningStair*>(mpAttached);
    if (!stair || other->GetAttached())
        return;
    auto* copy = static_cast<ZupOpeningStair*>(stair->Clone(other->GetFloor()));
    if (!copy->Create(other)) {
        delete copy;
        return;
    }
    copy->SetPartition(room);
}

int ZupOpening::GetDepth()
{
    const float w = GetWidth();
    switch (GetType()) {
    case 1:
        return static_cast<int>(mAction == 3 ? w : w / 2.0f);
    case 2:
    case 5:
        return static_cast<int>(w / 2.0f);
    case 3:
    case 7:
        return IsMetric() ? 22 : 10;
    case 4:
        return static_cast<int>(w / 4.0f);
    default:
        return mDepth;
    }
}

int ZupOpening::GetHeight()
{
    return GetType() == 6 ? ZupEdge::GetHeight() / 2 : 0;
}

int ZupOpening::GetDefaultWidth(int type, bool doubled)
{
    const bool metric = IsMetric();
    switch (type) {
    case 2:
    case 5:
        return metric ? 152 : 60;
    case 3:
        return metric ? 180 : 72;
    case 4:
        return metric ? 70 : 30;
    case 7:
        return (metric ? 270 : 108) * (doubled ? 2 : 1);
    default:
        return static_cast<int>(ZupFloor::DefaultOpeningWidth());
    }
}

ZupOpening::ACTION ZupOpening::GetDefaultAction(int type)
{
    switch (type) {
    case 1:
    case 2:
        return ACTION(2);
    case 3:
        return ACTION(4);
    case 4:
    case 5:
        return ACTION(1);
    default:
        return ACTION(0);
    }
}

ZupOpening::POSITION ZupOpening::GetDefaultPosition(int type)
{
    return (type == 1 || type == 4) ? POSITION(1) : POSITION(0);
}

void ZupOpening::CalculatePositions(point& hinge, point& jamb, point& leaf, angle& inDir,
                                    angle& swing, float length)
{
    const bool leftToRight = IsLeftToRight(inDir);
    KorNode* start = GetStart();
    KorNode* end = GetEnd();
    const bool hingeAtStart = leftToRight ? mPosition == 1 : mPosition == 2;
    KorNode* hingeNode = hingeAtStart ? start : end;
    KorNode* jambNode = hingeAtStart ? end : start;
    hinge = static_cast<point&>(hingeNode->GetGeometry());
    jamb = static_cast<point&>(jambNode->GetGeometry());
    if (!(length > 0.0f))
        return;
    const double in = inDir.rad();
    if (mAction == 2) {
        swing = angle(in + M_PI, 'r');
        leaf = Along(hinge, swing.rad(), length);
    } else if (mAction == 1) {
        leaf = Along(hinge, in, length);
    } else {
        swing = angle(in + M_PI, 'r');
        leaf = Along(hinge, in, length);
    }
    const point middle(leaf, jamb);
    if (Distance(middle, hinge) > 0.0)
        leaf = Along(hinge, std::atan2(middle.y() - hinge.y(), middle.x() - hinge.x()), length);
}

unsigned ZupOpening::GetAttributeWord()
{
    return ClampField(GetType(), 4) + (ClampField(mAction, 4) << 4) +
           (ClampField(mPosition, 4) << 8) + (mbConnectable ? 0u : kExternalBit) +
           (mbCloset ? kClosetBit : 0u);
}

void ZupOpening::SetupOptions(std::uint32_t word)
{
    mbConnectable = (word & kExternalBit) == 0;
    mbCloset = (word & kClosetBit) != 0;
}

std::string ZupOpening::GetVCRLine()
{
    if (GetStartHandle() == 0 || GetEndHandle() == 0 || !(GetWidth() > 0.0f))
        return {};
    KorModel* model = GetModel();
    std::string text = mName + "=Opening(" + NodeName(model, GetStartHandle()) + "," +
                       NodeName(model, GetEndHandle()) + "," +
                       std::to_string(GetAttributeWord()) + ")\n";
    const float thickness = mpHostEdge ? mpHostEdge->WallThickness() : 0.0f;
    if (thickness > 0.0f) {
        text += mName + "=Thickness(" + KorFormatFixed(thickness, 6) + ")\n";
    }
    return text;
}

// ---- ZupOpeningStair ----

ZupOpeningStair::ZupOpeningStair(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr) {}

ZupOpeningStair::~ZupOpeningStair()
{
    if (mpAttached)
        mpAttached->SetAttached(nullptr);
    mpAttached = nullptr;
}

ZupWallObject* ZupOpeningStair::Clone(ZupFloor* floor)
{
    auto* copy = new ZupOpeningStair(floor);
    Replicate(copy);
    return copy;
}

bool ZupOpeningStair::Create(ZupOpening* opening)
{
    if (!opening || !opening->GetEdge())
        return false;
    mpModel = opening->GetModel();
    ReplaceStart(opening->GetStart());
    ReplaceEnd(opening->GetEnd());
    opening->GetEdge()->AddObject(this, false);
    if (!mpHostEdge)
        SetEdge(opening->GetEdge());
    SetAttached(opening);
    opening->SetAttached(this);
    return true;
}

bool ZupOpeningStair::Create(ZupFloor* floor, point& p)
{
    ZupOpening* opening = floor ? floor->GetOpening(p) : nullptr;
    return opening && Create(opening);
}

bool ZupOpeningStair::Create(ZupNode* first, ZupNode* second)
{
    return ZupWallObject::Create(first, second, 0, 0);
}

bool ZupOpeningStair::Create(ZupFloor* floor, point& a, point& b)
{
    return ZupWallObject::Create(floor, a, b, nullptr);
}

int ZupOpeningStair::GetThread()
{
    return IsMetric() ? 25 : 10;
}

ZupOpeningStair::POSITION ZupOpeningStair::GetReversed(POSITION position)
{
    return position == 0 ? POSITION(1) : position == 1 ? POSITION(0) : position;
}

ZupOpeningStair::ACTION ZupOpeningStair::GetReversed(ACTION action)
{
    return action == 0 ? ACTION(1) : action == 1 ? ACTION(0) : action;
}

void ZupOpeningStair::Replicate(ZupOpeningStair* other)
{
    if (!other)
        return;
    other->mAction = mAction;
    other->mPosition = mPosition;
    other->mSteps = mSteps;
    other->SetType(GetType());
}

unsigned ZupOpeningStair::GetAttributeWord()
{
    return ClampField(GetType(), 4) + (ClampField(mAction, 4) << 4) +
           (ClampField(mPosition, 4) << 8) + (ClampField(mSteps, 8) << 12);
}

std::string ZupOpeningStair::GetVCRLine()
{
    if (GetStartHandle() == 0)
        return {};
    KorModel* model = GetModel();
    return std::string("Str=Stair(") + NodeName(model, GetStartHandle()) + "," +
           NodeName(model, GetEndHandle()) + "," + std::to_string(GetAttributeWord()) + ")\n";
}
