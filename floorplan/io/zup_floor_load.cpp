// Loading a floor: a command script replayed by the floor player, or floor
// XML whose rooms are built one by one and merged at their openings.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>

#include "kor_dimension.h"
#include "kor_filebuf.h"
#include "kor_names_manager.h"
#include "kor_node.h"
#include "xml_element.h"
#include "zup_floor.h"
#include "zup_opening.h"
#include "zup_player.h"

namespace {

// The file name's extension from its last ".", upper-cased; folders and
// earlier dots in the name do not count.
std::string Extension(const char* path)
{
    const std::string text = path ? path : "";
    const std::size_t slash = text.find_last_of("/\\");
    const std::size_t dot = text.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = text.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

}  // namespace

bool ZupFloor::Load(const char* path)
{
    if (Extension(path) == ".XML")
        return LoadFromXML(path);
    ZupPlayer player(this);
    if (!player.init(path))
        return false;
    Clear();
    player.play();
    player.close();
    return true;
}

bool ZupFloor::LoadFromXML(const char* path)
{
    std::unique_ptr<char[]> text;
    const std::size_t length = KorFilebuf::getall(text, path);
    if (length == 0 || !text)
        return false;
    return LoadFromXML(text.get(), static_cast<long>(length));
}

bool ZupFloor::LoadFromXML(const char* text, long length)
{
    if (!text || length < 1 || length > 0x7fffffffL)
        return false;
    const int size = static_cast<int>(length);
    int position = 0;
    std::unique_ptr<CXMLElement> plan;
    while (position < size) {
        auto element = std::make_unique<CXMLElement>();
        if (!element->Parse(text, size, &position))
            return false;
        if (std::strcmp(element->GetName(), "FLOOR_PLAN") == 0) {
            plan = std::move(element);
            break;
        }
    }
    if (!plan)
        return false;
    const int children = plan->GetChildCount();
    if (children == 0)
        return false;
    Clear();
    bool result = true;
    for (int i = 1; i <= children && result; ++i) {
        CXMLElement* room = plan->GetChild("PARTITION", i);
        if (!room)
            break;
        result = AddPartition(room);
    }
    MakePartitions(false);
    return result;
}

bool ZupFloor::AddPartition(CXMLElement* element)
{
    if (GetNumOfOpenings() > 0) {
        ZupFloor room;
        if (!room.Create(element))
            return false;
        return AddPartition(&room, nullptr) != nullptr;
    }
    // Without an opening a second room has nowhere to join: it is refused
    // and the first room stays.
    if (GetNumOfPrimitives() > 0)
        return false;
    Clear();
    return Create(element);
}

bool ZupFloor::Create(CXMLElement* element)
{
    if (!element || element->GetChildCount() == 0)
        return false;
    CXMLElement* shape = element->GetChild("SHAPE", 1);
    if (!shape)
        return false;
    const char* body = shape->GetAttribute("body");
    const std::string text = body ? body : "";
    if (text.empty())
        return true;
    if (!playbackStartFromString(text) || !Resolve())
        return false;
    for (std::size_t i = GetDimensions().size(); i-- > 0;) {
        if (i >= GetDimensions().size())
            continue;
        KorDimension* dimension = GetDimensions()[i];
        const KOREntityType type = dimension->GetType();
        if (type != KOR_ANGLE && type != KOR_PARALLEL && type != KOR_TANGENT &&
            type != KOR_PERPENDICULAR)
            KorModel::RemoveObject(GetHandle(dimension));
    }
    const int children = element->GetChildCount();
    for (int i = 1; i < children; ++i) {
        CXMLElement* opening = element->GetChild("OPENING", i);
        const char* name = opening ? opening->GetAttribute("name") : nullptr;
        const char* position = opening ? opening->GetAttribute("position") : nullptr;
        if (!name || !position)
            continue;
        KorObject* node = GetKorObject(position);
        if (!node || !node->IsExtendedType())
            continue;
        auto* made = new ZupOpening(this, name, 0);
        point at = static_cast<KorNode*>(node)->GetPoint();
        if (!made->Create(this, at, nullptr, true))
            delete made;
    }
    return true;
}
