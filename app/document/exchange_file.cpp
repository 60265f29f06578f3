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

// The element's QXR_CHAIN children, in order.
std::vector<CEdgeChainSpec> ParseChains(CXMLElement* element)
{
    std::vector<CEdgeChainSpec> chains;
    for (int k = 1; element; ++k) {
        CXMLElement* chain = element->GetChild("QXR_CHAIN", k);
        if (!chain)
            break;
        chains.emplace_back();
        chains.back().Parse(chain);
    }
    return chains;
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
    gTables.shapeChains.clear();
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
    gTables.shapeChains.clear();
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
    std::vector<std::vector<CEdgeChainSpec>> ownChains;
    for (CXMLElement* row : rows)
        ownChains.push_back(ParseChains(row));
    gTables.shapeChains.push_back(std::move(ownChains));
    gTables.shapes.push_back(std::move(rows));
    gTables.partitions.push_back(partition);
}

void ReadShapeChains(CXMLElement* partition) { gTables.chains.push_back(ParseChains(partition)); }

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

const std::vector<CEdgeChainSpec>* ShapeChains(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(gTables.chains.size()))
        return nullptr;
    const auto r = static_cast<std::size_t>(row);
    if (r < gTables.shapeChains.size() && column >= 0 &&
        column < static_cast<int>(gTables.shapeChains[r].size())) {
        const std::vector<CEdgeChainSpec>& own = gTables.shapeChains[r][static_cast<std::size_t>(column)];
        if (!own.empty())
            return &own;
    }
    return &gTables.chains[r];
}

const std::vector<CEdgeChainSpec>* ChainsForShapeName(const char* shapeName)
{
    if (!shapeName)
        return nullptr;
    const int partition = FindPartitionIndex(shapeName);
    if (partition >= 0)
        return ShapeChains(partition, -1);
    for (std::size_t row = 0; row < gTables.shapes.size(); ++row)
        for (std::size_t column = 0; column < gTables.shapes[row].size(); ++column) {
            const char* name = gTables.shapes[row][column]->GetAttribute("name");
            if (name && std::strcmp(name, shapeName) == 0)
                return ShapeChains(static_cast<int>(row), static_cast<int>(column));
        }
    return nullptr;
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
