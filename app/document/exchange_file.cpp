#include "exchange_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "exchange_settings.h"
#include "paths.h"
#include "room_type_catalog.h"
#include "text_utilities.h"
#include "xml_element.h"
#include "zup_floor.h"
#include "zup_object.h"

namespace {

ExchangeTables gTables;

// A whole decimal integer; anything else reads as 0.
int DecimalValue(const char* text)
{
    if (!text)
        return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || value > 2147483647L || value < -2147483647L)
        return 0;
    return static_cast<int>(value);
}

void ApplySettings(CXMLElement* root)
{
    ExchangeSettings& settings = GetExchangeSettings();
    if (const char* width = root->GetAttribute("shapewidth"))
        settings.shapeWidth = DecimalValue(width);
    if (const char* height = root->GetAttribute("shapeheight"))
        settings.shapeHeight = DecimalValue(height);
    const char* room = root->GetAttribute("default_room");
    if (room && *room)
        settings.defaultRoom = room;
    const char* level = root->GetAttribute("default_level");
    if (level && *level)
        settings.defaultLevel = level;
    const char* metric = root->GetAttribute("metric");
    settings.metric = metric && (std::strcmp(metric, "YES") == 0 || std::strcmp(metric, "yes") == 0);
    ZupObject::SetMetric(settings.metric);
    CString version;
    if (ToCString(version, root->GetAttribute("version"), true))
        settings.version = version.ToNarrow();
    const int doorWidth = DecimalValue(root->GetAttribute("doorwidth"));
    if (doorWidth > 0)
        ZupFloor::DefaultOpeningWidth() = static_cast<float>(doorWidth);
}

std::vector<CXMLElement*> ChildrenNamed(CXMLElement* element, const char* name)
{
    std::vector<CXMLElement*> children;
    const int count = element->CountChildren(name);
    for (int k = 1; k <= count; ++k)
        if (CXMLElement* child = element->GetChild(name, k))
            children.push_back(child);
    return children;
}

}  // namespace

ExchangeTables::ExchangeTables() = default;
ExchangeTables::~ExchangeTables() = default;

ExchangeTables& GetExchangeTables() { return gTables; }

void ResetExchangeTables()
{
    gTables.shapes.clear();
    gTables.partitions.clear();
    gTables.chains.clear();
    gTables.root.reset();
    gTables.loaded = false;
}

bool ParseExchangeData(const char* text, int length)
{
    std::unique_ptr<CXMLElement> root(FindElement(text, length, "QXR_DATA"));
    if (!root)
        return false;
    // The shape rows of the tables point into the root: the old ones go with it.
    gTables.shapes.clear();
    gTables.partitions.clear();
    gTables.chains.clear();
    gTables.root = std::move(root);
    CXMLElement* data = gTables.root.get();
    ApplySettings(data);
    CRoomTypeCatalog::Instance(true)->Load(data);
    for (CXMLElement* partition : ChildrenNamed(data, "QXR_PARTITION"))
        ReadShapes(partition);
    return !gTables.shapes.empty();
}

void ReadShapes(CXMLElement* partition)
{
    if (!partition || partition->GetChildCount() < 2)
        return;
    CXMLElement* shapeList = partition->GetChild("QXR_SHAPES", 0);
    if (!shapeList)
        return;
    std::vector<CXMLElement*> rows = ChildrenNamed(shapeList, "QXR_SHAPE");
    if (rows.empty())
        return;
    ReadShapeChains(partition);
    gTables.shapes.push_back(std::move(rows));
    gTables.partitions.push_back(partition);
}

void ReadShapeChains(CXMLElement* partition)
{
    std::vector<CEdgeChainSpec> chains;
    for (int k = 1; partition; ++k) {
        CXMLElement* element = partition->GetChild("QXR_CHAIN", k);
        if (!element)
            break;
        chains.emplace_back();
        chains.back().Parse(element);
    }
    gTables.chains.push_back(std::move(chains));
}

int FindPartitionIndex(const char* shapeName)
{
    if (!shapeName)
        return -1;
    for (std::size_t i = 0; i < gTables.partitions.size(); ++i) {
        const char* name = gTables.partitions[i]->GetAttribute("name");
        if (name && std::strcmp(name, shapeName) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool InstallDefaultExchangeFile()
{
    const std::optional<std::string> host = PlatformPaths::ToHost(CString(kExchangeFilePath));
    if (!host)
        return false;
    std::error_code error;
    if (std::filesystem::exists(*host, error))
        return true;
    std::filesystem::create_directories(std::filesystem::path(*host).parent_path(), error);
    std::ofstream file(*host, std::ios::binary);
    file.write(kDefaultExchangeFile, static_cast<std::streamsize>(kDefaultExchangeFileSize));
    return static_cast<bool>(file);
}
