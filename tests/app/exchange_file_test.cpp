#include <cstring>
#include <fstream>
#include <string>

#include "app_test_support.h"
#include "exchange_file.h"
#include "exchange_settings.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "xml_element.h"
#include "zup_floor.h"
#include "zup_object.h"

namespace {

bool Parse(const std::string& text)
{
    return ParseExchangeData(text.c_str(), static_cast<int>(text.size()));
}

const char* kTwoPartitions =
    "<QXR_DATA>"
    "<QXR_PARTITION name=\"Plain\"><QXR_SHAPES>"
    "<QXR_SHAPE name=\"A\" body=\"N1=Node(0.0,0.0)\"/></QXR_SHAPES><QXR_NOTE/></QXR_PARTITION>"
    "<QXR_PARTITION name=\"Chained\"><QXR_SHAPES>"
    "<QXR_SHAPE name=\"B\" body=\"N1=Node(0.0,0.0)\"/><QXR_SHAPE name=\"C\" body=\"x\"/>"
    "</QXR_SHAPES>"
    "<QXR_CHAIN ortho=\"no\" reorder=\"NO\"><QXR_EDGE name=\"S1\"/><QXR_EDGE/>"
    "<QXR_EDGE name=\"S2\"/></QXR_CHAIN>"
    "<QXR_CHAIN check=\"NO\"><QXR_EDGE name=\"S9\"/></QXR_CHAIN>"
    "</QXR_PARTITION></QXR_DATA>";

}  // namespace

using ExchangeFileTest = AppTest;

TEST_F(ExchangeFileTest, SettingsAndCatalogsAreReadEvenWithoutPartitions)
{
    ZupFloor::DefaultOpeningWidth() = 30.0f;
    EXPECT_FALSE(Parse("<?xml version=\"1.0\"?><OTHER/><QXR_DATA shapewidth=\"240\" "
                       "shapeheight=\"x\" default_room=\"Entry\" default_level=\"Upper\" "
                       "version=\"  2.5 \" doorwidth=\"-4\"/>"));
    const ExchangeSettings& settings = GetExchangeSettings();
    EXPECT_EQ(settings.shapeWidth, 240);
    EXPECT_EQ(settings.shapeHeight, 0);  // not a number
    EXPECT_EQ(settings.defaultRoom, "Entry");
    EXPECT_EQ(settings.defaultLevel, "Upper");
    EXPECT_EQ(settings.version, "2.5");
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 30.0f);
    // No room category: one type named after the default room; one level.
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    ASSERT_NE(catalog, nullptr);
    EXPECT_EQ(catalog->GetCount(), 1);
    ASSERT_EQ(LevelList().size(), 1u);
    EXPECT_EQ(LevelList()[0], CString("Upper"));
}

TEST_F(ExchangeFileTest, DefaultsStandWhenAttributesAreMissing)
{
    EXPECT_FALSE(Parse("<QXR_DATA/>"));
    const ExchangeSettings& settings = GetExchangeSettings();
    EXPECT_EQ(settings.shapeWidth, 200);
    EXPECT_EQ(settings.shapeHeight, 300);
    EXPECT_EQ(settings.defaultRoom, "Hall");
    EXPECT_EQ(settings.defaultLevel, "Main");
    EXPECT_EQ(settings.version, "0.0");
    EXPECT_FALSE(settings.metric);
}

TEST_F(ExchangeFileTest, MetricOnlyForUpperOrLowerCaseYes)
{
    const struct {
        const char* value;
        bool metric;
    } cases[] = {{"YES", true}, {"yes", true}, {"Yes", false}, {"NO", false}, {"1", false}};
    for (const auto& c : cases) {
        PelkResetAppGlobals();
        Parse(std::string("<QXR_DATA metric=\"") + c.value + "\"/>");
        EXPECT_EQ(GetExchangeSettings().metric, c.metric) << c.value;
        EXPECT_EQ(ZupObject::IsMetric(), c.metric) << c.value;
    }
}

TEST_F(ExchangeFileTest, PositiveDoorWidthBecomesTheDefaultOpeningWidth)
{
    ZupFloor::DefaultOpeningWidth() = 30.0f;
    Parse("<QXR_DATA doorwidth=\"0\"/>");
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 30.0f);
    Parse("<QXR_DATA doorwidth=\"34\"/>");
    EXPECT_FLOAT_EQ(ZupFloor::DefaultOpeningWidth(), 34.0f);
}

TEST_F(ExchangeFileTest, LongDefaultNamesAreKeptWhole)
{
    const std::string room(300, 'r');
    Parse("<QXR_DATA default_room=\"" + room + "\"/>");
    EXPECT_EQ(GetExchangeSettings().defaultRoom, room);
}

TEST_F(ExchangeFileTest, TextWithoutDataElementChangesNothing)
{
    EXPECT_FALSE(Parse("<QXR_OTHER shapewidth=\"5\"/>"));
    EXPECT_FALSE(Parse(""));
    EXPECT_EQ(GetExchangeSettings().shapeWidth, 200);
    EXPECT_EQ(GetExchangeTables().root, nullptr);
}

TEST_F(ExchangeFileTest, ChainListsStayInStepWithTheirPartitions)
{
    ASSERT_TRUE(Parse(kTwoPartitions));
    const ExchangeTables& tables = GetExchangeTables();
    ASSERT_EQ(tables.partitions.size(), 2u);
    ASSERT_EQ(tables.shapes[1].size(), 2u);
    ASSERT_EQ(tables.chains.size(), 2u);
    EXPECT_TRUE(tables.chains[0].empty());
    ASSERT_EQ(tables.chains[1].size(), 2u);
    const CEdgeChainSpec& first = tables.chains[1][0];
    // Only the exact "NO" turns a flag off; edges without a name are left out.
    EXPECT_TRUE(first.ortho);
    EXPECT_FALSE(first.reorder);
    EXPECT_TRUE(first.check);
    EXPECT_EQ(first.edgeNames, (std::vector<std::string>{"S1", "S2"}));
    EXPECT_FALSE(tables.chains[1][1].check);
    EXPECT_EQ(FindPartitionIndex("Chained"), 1);
    EXPECT_EQ(FindPartitionIndex("Missing"), -1);
}

TEST_F(ExchangeFileTest, PartitionsWithoutShapeRowsOrWithOneChildAreSkipped)
{
    ASSERT_TRUE(Parse("<QXR_DATA>"
                      "<QXR_PARTITION name=\"One\"><QXR_SHAPES><QXR_SHAPE body=\"b\"/>"
                      "</QXR_SHAPES></QXR_PARTITION>"
                      "<QXR_PARTITION name=\"Empty\"><QXR_SHAPES/><QXR_CHAIN/></QXR_PARTITION>"
                      "<QXR_PARTITION name=\"Good\"><QXR_SHAPES><QXR_SHAPE body=\"b\"/>"
                      "</QXR_SHAPES><QXR_CHAIN/></QXR_PARTITION></QXR_DATA>"));
    ASSERT_EQ(GetExchangeTables().partitions.size(), 1u);
    EXPECT_STREQ(GetExchangeTables().partitions[0]->GetAttribute("name"), "Good");
}

// The file the program ships: every shape plays into a closed room whose
// chain names its walls; the closet row holds the shape made behind an
// empty opening at row 7, column 5.
TEST_F(ExchangeFileTest, ShippedFileOffersItsShapes)
{
    ASSERT_TRUE(ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize)));
    const ExchangeTables& tables = GetExchangeTables();
    const struct {
        int row;
        int column;
        const char* name;
        int walls;
        int area;
    } shapes[] = {{0, 0, "Rectangle", 4, 60000},
                  {1, 0, "L-Shape", 6, 240 * 120 + 120 * 180},
                  {2, 0, "U-Shape", 8, 300 * 240 - 100 * 120},
                  {3, 0, "Closet", 4, 72 * 28},
                  {4, 0, "Square", 4, 144 * 144},
                  {5, 0, "Corridor", 4, 48 * 240},
                  {6, 0, "T-Shape", 8, 300 * 120 + 100 * 180},
                  {7, 0, "Reach-in", 4, 72 * 28},
                  {7, 1, "Walk-in", 4, 72 * 72},
                  {7, 2, "Linen", 4, 30 * 24},
                  {7, 3, "Pantry", 4, 48 * 48},
                  {7, 4, "Wide", 4, 96 * 28},
                  {7, 5, "Behind Opening", 4, (72 + 36) / 2 * 18}};
    ASSERT_EQ(tables.partitions.size(), 8u);
    EXPECT_STREQ(tables.partitions[0]->GetAttribute("name"), "Rectangle");
    EXPECT_STREQ(tables.partitions[7]->GetAttribute("name"), "Closets");
    ASSERT_EQ(tables.shapes[7].size(), 6u);
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        CXMLElement* row = tables.shapes[shape.row][shape.column];
        EXPECT_STREQ(row->GetAttribute("name"), shape.name);
        CRoomFloor room;
        ASSERT_TRUE(room.LoadShape(row->GetAttribute("body"), &tables.chains[shape.row], true, false));
        EXPECT_EQ(room.GetNumOfPrimitives(), shape.walls);
        room.ComputeArea();
        EXPECT_EQ(room.GetCachedArea(), shape.area);
        ASSERT_EQ(tables.chains[shape.row].size(), 1u);
        EXPECT_EQ(static_cast<int>(tables.chains[shape.row][0].edgeNames.size()), shape.walls);
    }
    const char* triangulate = tables.shapes[4][0]->GetAttribute("triangulate");
    EXPECT_STREQ(triangulate, "YES") << "one shape builds its room with intersections";
    EXPECT_EQ(LevelList().size(), 4u);
    EXPECT_EQ(LevelIndex(CString("basement")), 3);
}

// The room types the plan's rules name: a stair room is named "Stair",
// closets are "Closet".
TEST_F(ExchangeFileTest, ShippedFileNamesTheRoomTypesThePlanLooksFor)
{
    ASSERT_TRUE(ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize)));
    CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(false);
    ASSERT_NE(catalog, nullptr);
    for (const char* name : {"Stair", "Closet", "Hall", "Garage", "Deck", "Bathroom"}) {
        CRoomType* type = catalog->Find(name, false);
        ASSERT_NE(type, nullptr) << name;
        EXPECT_EQ(type->m_name, name);
    }
    EXPECT_EQ(catalog->Find("Stairs", false), nullptr);
    EXPECT_EQ(catalog->Find("Stair", false)->GetNextName(), "Stair1");
}

TEST_F(ExchangeFileTest, InstallingKeepsAUsersOwnFile)
{
    ASSERT_TRUE(InstallDefaultExchangeFile());
    const auto path = documents / "qxr.xml";
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), kDefaultExchangeFileSize);
    std::ofstream(path) << "<QXR_DATA/>";
    ASSERT_TRUE(InstallDefaultExchangeFile());
    EXPECT_EQ(std::filesystem::file_size(path), std::strlen("<QXR_DATA/>"));
}

// A shape row may carry chains of its own, which check the rooms made from
// it in place of its partition's; a room's shape name finds its chains by
// the partition's name or by the row's.
TEST_F(ExchangeFileTest, AShapeRowsOwnChainsCheckTheRoomsMadeFromIt)
{
    ASSERT_TRUE(Parse("<QXR_DATA><QXR_PARTITION name=\"Rooms\"><QXR_SHAPES>"
                      "<QXR_SHAPE name=\"Plain\" body=\"b\"/>"
                      "<QXR_SHAPE name=\"Leaning\" body=\"b\"><QXR_CHAIN ortho=\"NO\">"
                      "<QXR_EDGE name=\"S1\"/></QXR_CHAIN></QXR_SHAPE>"
                      "</QXR_SHAPES><QXR_CHAIN><QXR_EDGE name=\"S1\"/><QXR_EDGE name=\"S2\"/>"
                      "</QXR_CHAIN></QXR_PARTITION></QXR_DATA>"));
    const ExchangeTables& tables = GetExchangeTables();
    ASSERT_EQ(tables.chains.size(), 1u);
    ASSERT_EQ(tables.chains[0].size(), 1u) << "a row's chain is not the partition's";
    EXPECT_EQ(ShapeChains(0, 0), &tables.chains[0]);
    const std::vector<CEdgeChainSpec>* leaning = ShapeChains(0, 1);
    ASSERT_NE(leaning, nullptr);
    ASSERT_EQ(leaning->size(), 1u);
    EXPECT_FALSE(leaning->front().ortho);
    EXPECT_EQ(leaning->front().edgeNames, std::vector<std::string>{"S1"});
    EXPECT_EQ(ChainsForShapeName("Rooms"), &tables.chains[0]);
    EXPECT_EQ(ChainsForShapeName("Plain"), &tables.chains[0]);
    EXPECT_EQ(ChainsForShapeName("Leaning"), leaning);
    EXPECT_EQ(ChainsForShapeName("Other"), nullptr);
    EXPECT_EQ(ShapeChains(1, 0), nullptr);
}
