// The program's entry point. Until the windowed shell takes over, it opens a
// new level the way start-up does, draws its first room from the first
// predefined shape of the exchange file and reports the level.
#include <cstdio>
#include <string>

#include "exchange_file.h"
#include "paths.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "xml_element.h"
#include "zup_object.h"

namespace {

bool DrawFirstShape(CRoomFloor& room)
{
    ExchangeTables& tables = GetExchangeTables();
    if (tables.shapes.empty() || tables.shapes[0].empty())
        return false;
    CXMLElement* shape = tables.shapes[0][0];
    const char* body = shape->GetAttribute("body");
    if (!body || !room.LoadShape(body, &tables.chains[0], true, true))
        return false;
    const char* name = shape->GetAttribute("name");
    room.SetShapeName(name ? name : "");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    PlatformPaths::Configure(argc, argv);
    if (!InstallDefaultExchangeFile()) {
        std::fprintf(stderr, "pelk: cannot write the exchange file into %s\n",
                     PlatformPaths::DocumentsRoot().c_str());
        return 1;
    }
    CReplDoc document;
    if (!document.OnNewDocument() || !document.GetNumOfRooms()) {
        document.ResetLevel();
    }
    CRoomFloor* room = document.GetCurrentRoom();
    if (!room || !DrawFirstShape(*room)) {
        std::fprintf(stderr, "pelk: the exchange file offers no room shape\n");
        return 1;
    }
    const char* unit = ZupObject::IsMetric() ? "m2" : "sq ft";
    std::printf("%s %s, level %s (file base %s): %d room(s)\n",
                document.m_house.ToNarrow().c_str(), document.m_street.ToNarrow().c_str(),
                document.m_level.ToNarrow().c_str(), document.m_fileBase.ToNarrow().c_str(),
                document.GetNumOfRooms());
    std::printf("first room: shape %s, %d walls, area %.1f %s\n", room->GetShapeName().c_str(),
                room->GetNumOfPrimitives(), room->GetArea(), unit);
    return 0;
}
