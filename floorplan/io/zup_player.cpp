#include "zup_player.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "kor_number_text.h"
#include "zup_camera.h"
#include "zup_column.h"
#include "zup_edge.h"
#include "zup_floor.h"
#include "zup_island.h"
#include "zup_node.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

// An attribute word: a decimal of up to 32 bits; a negative one stands for
// its two's complement. Anything else reads as 0.
std::uint32_t Word(const char* text)
{
    if (!text)
        return 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || value < -2147483648LL || value > 4294967295LL)
        return 0;
    return static_cast<std::uint32_t>(value);
}

bool Is(const char* word, const char* name)
{
    return std::strcmp(word, name) == 0;
}

}  // namespace

ZupPlayer::ZupPlayer(ZupFloor* floor) : KorPlayer(floor), mpFloor(floor) {}

bool ZupPlayer::init(const char* path)
{
    if (!KorPlayer::init(path))
        return false;
    mbValidationPending = true;
    return true;
}

bool ZupPlayer::close()
{
    if (mbValidationPending) {
        mpFloor->ValidateNodes();
        mpFloor->ValidateConstraints();
        mbValidationPending = false;
    }
    mpFloor->UpdateConfiguration();
    return KorPlayer::close();
}

ZupNode* ZupPlayer::FloorNode(int argument) const
{
    if (argument >= static_cast<int>(mArguments.size()))
        return nullptr;
    KorObject* object = mpModel->GetKorObject(mArguments[static_cast<std::size_t>(argument)]);
    if (!object || !object->IsExtendedType())
        return nullptr;
    return dynamic_cast<ZupNode*>(object);
}

bool ZupPlayer::Execute()
{
    if (KorPlayer::Execute())
        return true;
    if (mKind == kCommand || !mpCommand || !mpTarget)
        return false;
    if (mbValidationPending && !mpFloor->GetNodes().empty()) {
        mpFloor->Validate();
        mbValidationPending = false;
    }
    return ExecuteObject(mpCommand);
}

bool ZupPlayer::ExecuteObject(const char* word)
{
    const int n = static_cast<int>(mArguments.size());
    ZupNode* a = FloorNode(0);
    ZupNode* b = FloorNode(1);
    const bool bothNodes = a && b;
    const std::uint32_t attr = n >= 3 ? Word(mArguments[2]) : 0;
    double x = 0.0, y = 0.0;
    const bool numbers = n >= 2 && KorParseFinite(mArguments[0], x) && KorParseFinite(mArguments[1], y);
    const int type = static_cast<int>(attr & 0xF);
    const int depth = static_cast<int>((attr >> 12) & 0xFF);
    const int panes = static_cast<int>((attr >> 20) & 0xF);
    const int windowType = static_cast<int>((attr >> 24) & 0xF);

    if (Is(word, "Opening")) {
        if ((n != 2 && n != 3) || !bothNodes)
            return false;
        ZupOpening* opening = mpFloor->CreateOpening(mpTarget, type, a, b);
        if (!opening || attr == 0)
            return false;
        opening->SetAction(ZupOpening::GetUODAction(attr));
        opening->SetPosition(ZupOpening::GetUODPosition(attr));
        opening->SetupOptions(attr);
        return true;
    }
    if (Is(word, "Stair")) {
        if ((n != 2 && n != 3) || !bothNodes)
            return false;
        ZupOpeningStair* stair = mpFloor->CreateStair(a, b);
        if (!stair || n != 3)
            return false;
        stair->SetAction(ZupOpeningStair::GetUODAction(attr));
        stair->SetPosition(ZupOpeningStair::GetUODPosition(attr));
        stair->SetType(type);
        stair->SetSteps(ZupOpeningStair::GetUODSteps(attr));
        return true;
    }
    if (Is(word, "Fireplace")) {
        if (n != 3)
            return false;
        if (bothNodes)
            return mpFloor->CreateFireplace(type, a, b, depth) != nullptr;
        // The free-standing form needs its position as two numbers.
        if (!numbers)
            return false;
        ZupFireplace* fireplace = mpFloor->CreateFireplace(x, y);
        if (fireplace)
            fireplace->Setup(attr);
        return fireplace != nullptr;
    }
    if (Is(word, "Window"))
        return n == 3 && bothNodes && mpFloor->CreateWallWindow(type, a, b, depth) != nullptr;
    if (Is(word, "BathObject"))
        return n == 3 && bothNodes &&
               mpFloor->CreateBathObject(type, a, b, depth, panes, windowType) != nullptr;
    if (Is(word, "Countertop"))
        return n == 3 && bothNodes &&
               mpFloor->CreateCountertop(type, a, b, depth, panes, windowType) != nullptr;
    if (Is(word, "Utility"))
        return n == 3 && bothNodes &&
               mpFloor->CreateUtilityObject(type, a, b, depth, panes, windowType) != nullptr;
    if (Is(word, "Camera")) {
        int degrees = 0;
        if (n != 3 || !numbers || !KorParseInt(mArguments[2], degrees))
            return false;
        return mpFloor->CreateCamera(mpTarget, x, y, degrees) != nullptr;
    }
    if (Is(word, "Island") || Is(word, "Column") || Is(word, "SpiralStair")) {
        if (n != 3 || !numbers)
            return false;
        if (Is(word, "Island")) {
            ZupIsland* island = mpFloor->CreateIsland(x, y);
            if (island)
                island->Setup(attr);
            return island != nullptr;
        }
        if (Is(word, "Column")) {
            ZupColumn* column = mpFloor->CreateColumn(x, y);
            if (column)
                column->Setup(attr);
            return column != nullptr;
        }
        ZupSpiralStair* stair = mpFloor->CreateSpiralStair(x, y);
        if (stair)
            stair->Setup(attr);
        return stair != nullptr;
    }
    if (Is(mpTarget, "Entrance")) {
        ZupOpening* opening = mpFloor->GetOpening(word);
        if (opening)
            mpFloor->SetEntrance(opening);
        return opening != nullptr;
    }
    if (Is(word, "Thickness")) {
        ZupOpening* opening = n == 1 ? mpFloor->GetOpening(mpTarget) : nullptr;
        double thickness = 0.0;
        if (!opening || !opening->GetEdge() || !KorParseFinite(mArguments[0], thickness))
            return false;
        opening->GetEdge()->WallThickness() = static_cast<float>(thickness);
        return true;
    }
    if (Is(word, "Corner")) {
        // A corner stands on a wall node, never on another kind of object.
        if (n != 2 || !a || mpFloor->IsRoomObject(a))
            return false;
        const std::uint32_t attr2 = Word(mArguments[1]);
        return mpFloor->CreateNodeObject(static_cast<int>(attr2 & 0xF), a,
                                         static_cast<int>((attr2 >> 12) & 0xFF),
                                         static_cast<int>((attr2 >> 20) & 0xF)) != nullptr;
    }
    if (Is(word, "Structural"))
        return n == 3 && bothNodes && mpFloor->CreateStructural(type, a, b, depth) != nullptr;
    return false;
}
