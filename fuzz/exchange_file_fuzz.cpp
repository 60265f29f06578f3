// Reads arbitrary bytes, and texts assembled from exchange-file pieces, as
// the exchange file: settings, catalogs, shapes and chains; then makes a room
// from the first shape and asks the catalogs. Any crash or sanitizer report
// is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app_globals.h"
#include "exchange_file.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "xml_element.h"

namespace {

const char* const kPieces[] = {
    "<QXR_DATA", "<QXR_PARTITION name=\"P\">", "</QXR_PARTITION>", "<QXR_SHAPES>",
    "</QXR_SHAPES>", "<QXR_SHAPE name=\"S\" body=\"N1=Node(0.0,0.0);N2=Node(99.0,0.0);"
    "S1=Segment(N1,N2)\"/>", "<QXR_CHAIN ortho=\"NO\">", "</QXR_CHAIN>",
    "<QXR_EDGE name=\"S1\"/>", "<QXR_ROOM_CATEGORY name=\"Bath 2\" size=\"99999999\" ratio=\"0.001\"/>",
    "<QXR_ROOM_CATEGORY name=\"\" showname=\"NO\"/>", "<QXR_LEVEL>Up</QXR_LEVEL>", "<QXR_LEVEL/>",
    " shapewidth=\"-7\"", " metric=\"yes\"", " doorwidth=\"2147483648\"", " version=\" \"",
    " default_room=\"\"", ">", "</QXR_DATA>", "/>", "\"", "<", "=", "x",
};

std::string Assemble(const std::uint8_t* data, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size && text.size() < 4096; ++i)
        text += kPieces[data[i] % (sizeof kPieces / sizeof kPieces[0])];
    return text;
}

void Read(const std::string& text)
{
    PelkResetAppGlobals();
    ParseExchangeData(text.data(), static_cast<int>(text.size()));
    const ExchangeTables& tables = GetExchangeTables();
    if (!tables.shapes.empty() && !tables.shapes[0].empty()) {
        const char* body = tables.shapes[0][0]->GetAttribute("body");
        if (body) {
            CRoomFloor room;
            room.LoadShape(body, &tables.chains[0], true, true);
            room.GetArea();
        }
    }
    if (CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false)) {
        catalog->Find("Bath2", true);
        catalog->GetByIndex(3, false);
    }
    LevelIndex(CString("up"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Read(std::string(reinterpret_cast<const char*>(data), size));
    Read(Assemble(data, size));
    return 0;
}
