// Feeds statements assembled from floor command-text pieces, and arbitrary
// bytes, to the floor player on a floor that already has walls, a door and
// a camera; then writes the floor and replays that text into a fresh floor.
// Any crash, sanitizer report or non-finite node is a fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kor_node.h"
#include "zup_floor.h"
#include "zup_globals.h"
#include "zup_player.h"

namespace {

const char* const kPieces[] = {
    "Obj", "Str", "A", "B", "1", "Entrance", "Nod1", "Nod2", "Nod3", "Nod4", "Nod5", "Nod6",
    "Seg1", "=", "==", "(", ")", ",", ";", "\n", "Opening(", "Stair(", "Fireplace(", "Window(",
    "BathObject(", "Countertop(", "Utility(", "Camera(", "Island(", "Column(", "SpiralStair(",
    "Corner(", "Structural(", "Thickness(", "Node(", "Segment(", "0", "1", "289", "12544",
    "19202050", "2273559968", "4294967295", "-1", "1e999", "nan", "200.0", "150.0", "0.0",
    "400", "300", "abc", "Delete(", "Resolve()",
};

void Fail(const char* what)
{
    std::fprintf(stderr, "floor player fuzz: %s\n", what);
    std::abort();
}

void Sketch(ZupFloor& floor)
{
    floor.AddLine(0, 0, 400, 0);
    floor.AddLine(400, 0, 400, 300);
    floor.AddLine(400, 300, 0, 300);
    floor.AddLine(0, 300, 0, 0);
    floor.MakePartitions(false);
    floor.CreateOpening("A", 1, 200.0, 0.0);
    floor.CreateCamera("1", 200.0, 150.0, 90);
}

void Play(ZupFloor& floor, const std::string& text)
{
    ZupPlayer player(&floor);
    if (player.init_string(text)) {
        player.play();
        player.close();
    }
}

void CheckFinite(ZupFloor& floor)
{
    for (KorNode* node : floor.GetNodes())
        if (!std::isfinite(node->GetPoint().x()) || !std::isfinite(node->GetPoint().y()))
            Fail("a node left the finite plane");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZupResetGlobals();
    ZupMetric() = true;
    std::string text;
    if (size > 0 && data[0] % 2 == 0)
        text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    else
        for (size_t i = 1; i < size; ++i)
            text += kPieces[data[i] % std::size(kPieces)];
    std::string written;
    {
        ZupFloor floor;
        Sketch(floor);
        Play(floor, text);
        CheckFinite(floor);
        floor.Save(written, false);
    }
    ZupFloor copy;
    Play(copy, written);
    CheckFinite(copy);
    ZupResetGlobals();
    return 0;
}
