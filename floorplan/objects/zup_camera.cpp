#include "zup_camera.h"

#include <cctype>
#include <cstdlib>

#include "kor_number_text.h"
#include "zup_floor.h"
#include "zup_object_points.h"

int ZupCamera::mNamesCount = 0;
bool ZupCamera::mbUseNumericNames = true;
bool ZupCamera::mbSetIndex = false;

namespace {

ZupCamera::Clock gClock = nullptr;

std::time_t Now()
{
    return gClock ? gClock() : std::time(nullptr);
}

}  // namespace

void ZupCamera::ResetGlobals()
{
    mNamesCount = 0;
    mbUseNumericNames = true;
    mbSetIndex = false;
    gClock = nullptr;
}

void ZupCamera::SetClock(Clock clock)
{
    gClock = clock;
}

ZupCamera::~ZupCamera()
{
    if (!mbClone)
        UpdateNamesCount(this);
}

bool ZupCamera::Create(ZupFloor* floor, double x, double y, angle* direction, bool relate,
                       const char* name)
{
    if (mbSetIndex || (name && floor && floor->GetCamera(name)))
        name = nullptr;
    if (!ZupRoomObject::Create(floor, x, y, direction, relate))
        return false;
    SetName(name);
    return true;
}

void ZupCamera::SetName(const char* name)
{
    if (name && *name) {
        int index = GetNameIndex(name);
        if (mNamesCount < index) {
            mNamesCount = index;
        } else if (index < 1) {
            index = mNamesCount + 1;
            mNamesCount = index;
        }
        SetName(index);
    } else if (GetModel()) {
        mName = GetNextName();
        mNameIndex = mNamesCount;
    }
}

void ZupCamera::SetName(int index)
{
    mNameIndex = index;
    mName = mbUseNumericNames ? std::to_string(index) : GetSymbolName(index);
}

int ZupCamera::GetNameIndex(const char* name)
{
    if (!name)
        return 0;
    if (name[0] && !name[1] && std::isalpha(static_cast<unsigned char>(name[0]))) {
        const char c = name[0];
        return c >= 'a' ? c - 'a' + 27 : c - 'A' + 1;
    }
    return std::atoi(name);
}

// Letters count from 1 ("A") to 52 ("z"), the inverse of GetNameIndex.
std::string ZupCamera::GetSymbolName(int index)
{
    if (mbUseNumericNames || index < 1 || index > 52)
        return std::to_string(index);
    return std::string(1, static_cast<char>(index <= 26 ? 'A' + index - 1 : 'a' + index - 27));
}

std::string ZupCamera::GetNextName()
{
    if (mbUseNumericNames)
        return std::to_string(++mNamesCount);
    // The old count's successor: names count from 1 as their indices do.
    return GetSymbolName(++mNamesCount);
}

std::string ZupCamera::GetNextName(const char* name)
{
    const int index = GetNameIndex(name);
    return index <= 0 ? std::string() : GetSymbolName(index + 1);
}

std::string ZupCamera::GetPrevName(const char* name)
{
    const int index = GetNameIndex(name);
    return index == 0 ? std::string() : GetSymbolName(index - 1);
}

void ZupCamera::UpdateNamesCount(ZupCamera* camera)
{
    if (camera && camera->mNameIndex == mNamesCount)
        --mNamesCount;
}

void ZupCamera::DecrementNamesCount()
{
    if (mNamesCount > 0)
        --mNamesCount;
}

void ZupCamera::SetInitialDirection()
{
    if (KorNode* node = CommonNode())
        mDirection = angle(zup_points::NodePoint(node), GetPoint());
}

std::uint32_t ZupCamera::PackTime(const std::tm& t)
{
    const auto field = [](int value, int bits) { return static_cast<std::uint32_t>(value) & ((1u << bits) - 1u); };
    return field(t.tm_sec, 6) | field(t.tm_min, 6) << 6 | field(t.tm_hour, 5) << 12 |
           field(t.tm_mday, 5) << 17 | field(t.tm_mon + 1, 4) << 22 |
           field(((t.tm_year + 1900 - 2000) % 64 + 64) % 64, 6) << 26;
}

void ZupCamera::Shot()
{
    const std::time_t now = Now();
    std::tm local{};
    localtime_r(&now, &local);
    mShots.push_back(PackTime(local));
}

std::uint32_t ZupCamera::GetShot(int i) const
{
    return i >= 0 && i < GetNumOfShots() ? mShots[static_cast<std::size_t>(i)] : 0u;
}

ZupRoomObject* ZupCamera::Clone(ZupRoomObject* target)
{
    auto* copy = dynamic_cast<ZupCamera*>(target);
    if (!copy)
        copy = new ZupCamera();
    copy->mName = mName;
    copy->SetDirection(mDirection);
    copy->mbClone = true;
    copy->mNameIndex = mNameIndex;
    return copy;
}

std::string ZupCamera::GetVCRLine()
{
    const long degrees = static_cast<long>(mDirection.deg());
    return mName + "=Camera(" + PositionText() + "," + KorFormatInt(degrees) + ")\n";
}
