// The room types and levels read from the exchange file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exchange_settings.h"
#include "room_type_catalog.h"
#include "xml_element.h"
#include "zup_floor.h"
#include "zup_object.h"

namespace {

std::unique_ptr<CXMLElement> Root(const std::string& body) {
    const std::string text = "<QXR_DATA>" + body + "</QXR_DATA>";
    std::unique_ptr<CXMLElement> root(FindElement(text.c_str(), static_cast<int>(text.size()), "QXR_DATA"));
    EXPECT_NE(root, nullptr);
    return root;
}

std::unique_ptr<CXMLElement> Category(const std::string& attributes) {
    const std::string text = "<QXR_ROOM_CATEGORY " + attributes + "/>";
    std::unique_ptr<CXMLElement> element(
        FindElement(text.c_str(), static_cast<int>(text.size()), "QXR_ROOM_CATEGORY"));
    EXPECT_NE(element, nullptr);
    return element;
}

class RoomTypeTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAll(); }
    void TearDown() override { ResetAll(); }
    static void ResetAll() {
        ResetRoomTypeCatalog();
        ResetExchangeSettings();
        ZupObject::SetMetric(false);
    }

    // The catalog loaded from a QXR_DATA body; the root must outlive it.
    CRoomTypeCatalog& Load(const std::string& body) {
        mRoot = Root(body);
        CRoomTypeCatalog* catalog = CRoomTypeCatalog::Instance(true);
        catalog->Load(mRoot.get());
        return *catalog;
    }

    std::unique_ptr<CXMLElement> mRoot;
};

const char* const kJob =
    "<QXR_ROOM_CATEGORY name=\"Hall\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Bedroom\" shortname=\"BR\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Bathroom\"/>"
    "<QXR_ROOM_CATEGORY name=\"Living Room\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Closet\" selectable=\"NO\" shortlist=\"YES\"/>"
    "<QXR_ROOM_CATEGORY name=\"Garage\"/>"
    "<QXR_LEVEL>Basement</QXR_LEVEL><QXR_LEVEL>Main</QXR_LEVEL><QXR_LEVEL>Upper</QXR_LEVEL>";

TEST_F(RoomTypeTest, SizeFromAreaAndRatio) {
    struct Case {
        bool metric;
        const char* attributes;
        int width;
        int depth;
    } cases[] = {
        {false, "size=\"120\" ratio=\"1.2\"", 119, 142},  // 17280 / 1.2f lies just below 14400
        {false, "size=\"150\" ratio=\"1.5\"", 120, 180},
        {true, "size=\"12\"", 346, 346},
        {false, "size=\"0\" ratio=\"1.5\"", 0, 0},
        {false, "size=\"-4\"", 0, 0},
        {false, "size=\"big\"", 0, 0},
        {false, "size=\"100\" ratio=\"-2\"", 120, 120},
    };
    for (const Case& c : cases) {
        ZupObject::SetMetric(c.metric);
        CRoomType type(Category(std::string("name=\"Den\" ") + c.attributes).get());
        EXPECT_EQ(type.m_defaultWidth, c.width) << c.attributes;
        EXPECT_EQ(type.m_defaultDepth, c.depth) << c.attributes;
    }
}

TEST_F(RoomTypeTest, HugeAreaDoesNotOverflow) {
    ZupObject::SetMetric(true);
    CRoomType type(Category("name=\"Barn\" size=\"2000000000\" ratio=\"1000000000\"").get());
    EXPECT_GT(type.m_defaultWidth, 0);
    EXPECT_GT(type.m_defaultDepth, 0);
}

TEST_F(RoomTypeTest, DefaultsOfACategory) {
    CRoomType type(Category("name=\"Den\"").get());
    EXPECT_EQ(type.m_name, "Den");
    EXPECT_FALSE(type.HasShortName());
    EXPECT_TRUE(type.m_areaShown);
    EXPECT_TRUE(type.m_nameShown);
    EXPECT_TRUE(type.m_sizeShown);
    EXPECT_FALSE(type.m_transparent);
    EXPECT_TRUE(type.m_inside);
    EXPECT_FALSE(type.m_shortList);
    EXPECT_TRUE(type.m_dropSize);
    EXPECT_FALSE(type.m_room);
    EXPECT_TRUE(type.m_selectable);
    EXPECT_FALSE(type.m_deck);
    EXPECT_FALSE(type.m_bath);
    EXPECT_EQ(type.m_nameCounter, 0);
    EXPECT_EQ(type.m_reserved, -1);
}

TEST_F(RoomTypeTest, AttributesTurnFlags) {
    CRoomType type(Category("name=\"Den\" shortname=\"D\" area=\"NO\" showsize=\"NO\" transparent=\"YES\" "
                            "inside=\"NO\" shortlist=\"YES\" dropsize=\"NO\" room=\"YES\" selectable=\"NO\"")
                       .get());
    EXPECT_EQ(type.m_shortName, "D");
    EXPECT_FALSE(type.m_areaShown);
    EXPECT_TRUE(type.m_nameShown);
    EXPECT_FALSE(type.m_sizeShown);
    EXPECT_TRUE(type.m_transparent);
    EXPECT_FALSE(type.m_inside);
    EXPECT_TRUE(type.m_shortList);
    EXPECT_FALSE(type.m_dropSize);
    EXPECT_TRUE(type.m_room);
    EXPECT_FALSE(type.m_selectable);

    // Only the exact upper-case words count.
    CRoomType lower(Category("name=\"Den\" area=\"no\" transparent=\"yes\" inside=\"No\"").get());
    EXPECT_TRUE(lower.m_areaShown);
    EXPECT_FALSE(lower.m_transparent);
    EXPECT_TRUE(lower.m_inside);

    CRoomType hidden(Category("name=\"Den\" showname=\"NO\"").get());
    EXPECT_FALSE(hidden.m_nameShown);
}

TEST_F(RoomTypeTest, BathAndDeckByNameOrAttribute) {
    struct Case {
        const char* attributes;
        bool bath;
        bool deck;
    } cases[] = {
        {"name=\"Bathroom\"", true, false},   {"name=\"MasterBathroom\"", true, false},
        {"name=\"05Bath\"", true, false},     {"name=\"MudRroom\"", true, false},
        {"name=\"Powder\"", true, false},     {"name=\"Badezimmer\"", true, false},
        {"name=\"Bad\"", true, false},        {"name=\"Toilette\"", true, false},
        {"name=\"Deck\"", false, true},       {"name=\"Terrace\"", false, true},
        {"name=\"Terrasse\"", false, true},   {"name=\"Spiel\"", false, true},
        {"name=\"Bath\"", false, false},      {"name=\"Bathroom\" bath=\"NO\"", false, false},
        {"name=\"Den\" bath=\"YES\"", true, false}, {"name=\"Deck\" deck=\"yes\"", false, false},
        {"name=\"Porch\" deck=\"YES\"", false, true},
    };
    for (const Case& c : cases) {
        CRoomType type(Category(c.attributes).get());
        EXPECT_EQ(type.m_bath, c.bath) << c.attributes;
        EXPECT_EQ(type.m_deck, c.deck) << c.attributes;
    }
}

TEST_F(RoomTypeTest, GarageAndLivingArea) {
    CRoomType garage(Category("name=\"Garage\"").get());
    CRoomType russian(Category("name=\"\xC3\xE0\xF0\xE0\xE6\"").get());
    CRoomType outside(Category("name=\"Porch\" inside=\"NO\"").get());
    CRoomType den(Category("name=\"Den\"").get());
    EXPECT_TRUE(garage.IsGarage());
    EXPECT_TRUE(russian.IsGarage());
    EXPECT_FALSE(den.IsGarage());
    EXPECT_FALSE(garage.IsLivingArea());
    EXPECT_FALSE(outside.IsLivingArea());
    EXPECT_TRUE(den.IsLivingArea());
}

TEST_F(RoomTypeTest, NumberedNames) {
    CRoomType type(Category("name=\"Bedroom\"").get());
    EXPECT_EQ(type.GetNextName(), "Bedroom1");
    EXPECT_EQ(type.GetNextName(), "Bedroom2");
    EXPECT_EQ(type.NoteName("Bedroom7"), 7);
    EXPECT_EQ(type.NoteName("Bedroom3"), 7);  // a lower number leaves the counter
    EXPECT_EQ(type.NoteName("Bedroom"), 7);
    EXPECT_EQ(type.GetNextName(), "Bedroom8");
    // A number too long for the counter still leaves room for the next name.
    EXPECT_GT(type.NoteName("Bedroom99999999999999999999"), 7);
    EXPECT_EQ(type.GetNextName(), "Bedroom2147483647");
    type.GetNextName();  // and the counter does not wrap round
}

TEST_F(RoomTypeTest, TrimmingRoomNames) {
    struct Case {
        const char* name;
        const char* trimmed;
    } cases[] = {
        {"Bedroom2", "Bedroom"}, {"  Living Room 12", "Living Room"}, {"Den", "Den"},
        {"05Bath3", "05Bath"},   {"", "Hall"},                        {"123", "Hall"},
        {"  7", "Hall"},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimRoomName(c.name), c.trimmed) << c.name;
    EXPECT_EQ(TrimRoomName(nullptr), "Hall");
    GetExchangeSettings().defaultRoom = "Flur";
    EXPECT_EQ(TrimRoomName("42"), "Flur");
}

TEST_F(RoomTypeTest, InstanceIsMadeOnlyOnRequest) {
    EXPECT_EQ(CRoomTypeCatalog::Instance(false), nullptr);
    CRoomTypeCatalog* made = CRoomTypeCatalog::Instance(true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(CRoomTypeCatalog::Instance(false), made);
    EXPECT_EQ(made->GetCount(), 0);
}

TEST_F(RoomTypeTest, CatalogWalksTypesInNameOrder) {
    CRoomTypeCatalog& catalog = Load(kJob);
    std::string names;
    for (CRoomType* type = catalog.First(); type; type = catalog.Next()) names += type->m_name + ",";
    EXPECT_EQ(names, "Bathroom,Bedroom,Closet,Garage,Hall,Living Room,");
    EXPECT_EQ(catalog.Next(), nullptr);
}

TEST_F(RoomTypeTest, FirstTypeOfAName) {
    CRoomTypeCatalog& catalog =
        Load("<QXR_ROOM_CATEGORY name=\"Den\" size=\"100\"/><QXR_ROOM_CATEGORY name=\"Den\" size=\"400\"/>"
             "<QXR_ROOM_CATEGORY size=\"50\"/>");
    EXPECT_EQ(catalog.GetCount(), 1);
    EXPECT_EQ(catalog.Find("Den", false)->m_defaultWidth, 120);
}

TEST_F(RoomTypeTest, FindingTypesByRoomName) {
    CRoomTypeCatalog& catalog = Load(kJob);
    struct Case {
        const char* name;
        bool fallback;
        const char* type;  // null: none
    } cases[] = {
        {"Bedroom3", false, "Bedroom"},
        {"BR2", false, "Bedroom"},               // by short name
        {"  Living Room 2", false, "Living Room"},
        {"LivingRoom2", false, "Living Room"},   // written without its blank
        {"Closet1", false, nullptr},             // not selectable, one word
        {"Attic", false, nullptr},
        {"Attic", true, "Hall"},
        {"bedroom1", true, "Hall"},              // names compare exactly
        {"17", false, "Hall"},                   // digits only: the default room name
        {nullptr, false, nullptr},
        {nullptr, true, "Bedroom"},              // first selectable short-list type
    };
    for (const Case& c : cases) {
        const CRoomType* found = catalog.Find(c.name, c.fallback);
        std::string label = c.name ? c.name : "(null)";
        if (!c.type) {
            EXPECT_EQ(found, nullptr) << label;
        } else {
            ASSERT_NE(found, nullptr) << label;
            EXPECT_EQ(found->m_name, c.type) << label;
        }
    }
}

TEST_F(RoomTypeTest, TypeNotSelectableNeedsABlank) {
    CRoomTypeCatalog& catalog = Load(
        "<QXR_ROOM_CATEGORY name=\"Hall\"/><QXR_ROOM_CATEGORY name=\"Walk In\" selectable=\"NO\"/>"
        "<QXR_ROOM_CATEGORY name=\"Store\" selectable=\"NO\"/>");
    EXPECT_EQ(catalog.Find("Walk In 2", false)->m_name, "Walk In");
    // Without its blank the name is still found by the joined-name search.
    EXPECT_EQ(catalog.Find("WalkIn2", false)->m_name, "Walk In");
    EXPECT_EQ(catalog.Find("Store1", false), nullptr);
    EXPECT_EQ(catalog.Find("Store1", true)->m_name, "Hall");
}

TEST_F(RoomTypeTest, LoadedNumberIsNotHandedOutAgain) {
    CRoomTypeCatalog& catalog = Load(kJob);
    CRoomType* type = catalog.Find("Bedroom3", true);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->NoteName("Bedroom3"), 3);
    EXPECT_EQ(type->GetNextName(), "Bedroom4");
    catalog.ResetCounters();
    EXPECT_EQ(type->GetNextName(), "Bedroom1");
}

TEST_F(RoomTypeTest, TypeOfAFloorAndBaths) {
    CRoomTypeCatalog& catalog = Load(kJob);
    ZupFloor floor;
    floor.SetName("LivingRoom4");
    EXPECT_EQ(catalog.FindForFloor(&floor)->m_name, "Living Room");
    ZupFloor unnamed;
    EXPECT_EQ(catalog.FindForFloor(&unnamed)->m_name, "Bedroom");
    EXPECT_EQ(catalog.FindForFloor(nullptr)->m_name, "Bedroom");
    EXPECT_TRUE(catalog.IsBath("Bathroom2"));
    EXPECT_FALSE(catalog.IsBath("Bedroom2"));
    EXPECT_FALSE(catalog.IsBath(nullptr));
}

TEST_F(RoomTypeTest, TypesByPosition) {
    CRoomTypeCatalog& catalog = Load(kJob);
    struct Case {
        int index;
        bool all;
        const char* type;
    } cases[] = {
        // Short list, selectable: Bedroom, Hall, Living Room.
        {0, false, "Bedroom"}, {1, false, "Hall"},     {2, false, "Living Room"}, {3, false, "Hall"},
        // All selectable: Bathroom, Bedroom, Garage, Hall, Living Room.
        {0, true, "Bathroom"}, {2, true, "Garage"},   {4, true, "Living Room"},  {5, true, "Hall"},
        {-1, true, "Hall"},    {99, false, "Hall"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catalog.GetByIndex(c.index, c.all)->m_name, c.type) << c.index << " " << c.all;
}

TEST_F(RoomTypeTest, ExchangeFileWithoutCategoriesOrLevels) {
    GetExchangeSettings().defaultRoom = "Flur";
    GetExchangeSettings().defaultLevel = "Erdgeschoss";
    CRoomTypeCatalog& catalog = Load("<QXR_PARTITION name=\"L\"/>");
    ASSERT_EQ(catalog.GetCount(), 1);
    const CRoomType* type = catalog.First();
    EXPECT_EQ(type->m_name, "Flur");
    EXPECT_EQ(type->m_defaultWidth, 0);
    EXPECT_TRUE(type->m_areaShown);
    EXPECT_TRUE(type->m_sizeShown);
    EXPECT_TRUE(type->m_nameShown);
    EXPECT_FALSE(type->m_transparent);
    EXPECT_TRUE(type->m_inside);
    EXPECT_FALSE(type->m_shortList);
    EXPECT_FALSE(type->m_dropSize);
    EXPECT_FALSE(type->m_room);
    EXPECT_TRUE(type->m_selectable);
    EXPECT_FALSE(type->m_deck);
    EXPECT_FALSE(type->m_bath);
    ASSERT_EQ(LevelList().size(), 1u);
    EXPECT_EQ(LevelList()[0], CString(L"Erdgeschoss"));
    // Out of the short list the fallback still answers every request.
    EXPECT_EQ(catalog.GetByIndex(0, false), type);
    EXPECT_EQ(catalog.Find("Kitchen1", true), type);
}

TEST_F(RoomTypeTest, LevelsInFileOrder) {
    Load(kJob);
    ASSERT_EQ(LevelList().size(), 3u);
    EXPECT_EQ(LevelList()[0], CString(L"Basement"));
    EXPECT_EQ(LevelList()[2], CString(L"Upper"));
    EXPECT_EQ(LevelIndex(L"upper"), 2);
    EXPECT_EQ(LevelIndex(L"MAIN"), 1);
    EXPECT_EQ(LevelIndex(L"Attic"), 0);
}

TEST_F(RoomTypeTest, SecondLoadKeepsTheFirstJob) {
    CRoomTypeCatalog& catalog = Load(kJob);
    auto other = Root("<QXR_ROOM_CATEGORY name=\"Attic\"/><QXR_LEVEL>Roof</QXR_LEVEL>");
    catalog.Load(other.get());
    EXPECT_EQ(catalog.Find("Attic", false), nullptr);
    EXPECT_EQ(catalog.GetCount(), 6);
    EXPECT_EQ(LevelList().size(), 3u);
    ResetRoomTypeCatalog();
    EXPECT_EQ(CRoomTypeCatalog::Instance(false), nullptr);
    EXPECT_TRUE(LevelList().empty());
}

}  // namespace
