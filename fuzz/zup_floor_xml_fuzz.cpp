// Feeds floor XML assembled from plan pieces, and arbitrary bytes, to the
// floor's loader through a file, as the program hands it files. Any crash,
// sanitizer report or merge state left behind is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "zup_floor.h"
#include "zup_globals.h"

namespace {

const char* const kPieces[] = {
    "<FLOOR_PLAN>", "</FLOOR_PLAN>", "<PARTITION>", "</PARTITION>", "<SHAPE body=\"", "\"/>",
    "<OPENING name=\"A\" position=\"Nod5\"/>", "<OPENING name=\"B\" position=\"Nod2\"/>",
    "Nod1=Node(0.0,0.0);", "Nod2=Node(400.0,0.0);", "Nod3=Node(400.0,300.0);",
    "Nod4=Node(0.0,300.0);", "Nod5=Node(200.0,0.0);", "Seg1=Segment(Nod1,Nod2);",
    "Seg2=Segment(Nod2,Nod3);", "Seg3=Segment(Nod3,Nod4);", "Seg4=Segment(Nod4,Nod1);",
    "Hor1=Horizontal(Seg1);", "D1=Distance(Nod1,Nod2);", "D1=Value(400.00);", "<!-- x -->",
    "<?xml version=\"1.0\"?>", "&amp;", "&quot;", "<", ">", "\"", " ",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text;
    if (size > 0 && data[0] % 4 == 0)
        text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    else
        for (size_t i = 1; i < size; ++i)
            text += kPieces[data[i] % std::size(kPieces)];
    static const std::string path = "/tmp/zup_floor_xml_fuzz_" + std::to_string(getpid()) + ".xml";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    ZupResetGlobals();
    {
        ZupFloor floor;
        floor.Load(path.c_str());
    }
    if (ZupFloor::mpCurAddition || ZupFloor::mpCurPartition)
        std::abort();
    std::remove(path.c_str());
    ZupResetGlobals();
    return 0;
}
