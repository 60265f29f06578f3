#include <fstream>

#include "app_test_support.h"
#include "exchange_file.h"
#include "headless_driver.h"
#include "new_session_dlg.h"
#include "exchange_settings.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "settings.h"
#include "zup_floor.h"
#include "zup_object.h"
#include "zup_opening.h"

using ReplDocTest = AppTest;

TEST_F(ReplDocTest, ConstructionSetsUpPlanAndDefaultEntrance)
{
    GeoSnap() = 0.5;
    CReplDoc document;
    EXPECT_NEAR(GeoSnap(), ZupFloor::GetDefaultLinearSnap(), 1e-12);
    EXPECT_EQ(document.m_plan.GetColinearDiscoveryMode(), ZUP_DETECT_OFF);
    EXPECT_FALSE(document.m_plan.GetRulesFlag());
    EXPECT_EQ(document.m_plan.Container(), &document);
    EXPECT_NEAR(static_cast<double>(document.m_plan.AngularPlay()), 0.15, 1e-12);
    ASSERT_NE(document.m_defaultEntrance, nullptr);
    EXPECT_EQ(document.m_defaultEntrance->GetName(), "TheEntrance");
    EXPECT_EQ(document.m_defaultEntrance->GetType(), 1);
    EXPECT_EQ(static_cast<int>(document.m_defaultEntrance->GetAction()), 1);
    EXPECT_EQ(static_cast<int>(document.m_defaultEntrance->GetPosition()), 1);
    EXPECT_FALSE(document.m_defaultEntrance->IsConnectable(nullptr));
    EXPECT_TRUE(document.m_roomView);
    EXPECT_TRUE(document.m_smartWalls);
    EXPECT_TRUE(document.m_planDirty);
    EXPECT_EQ(document.GetRoom(0), nullptr);
    EXPECT_EQ(document.GetEditMode(), nullptr);
}

TEST_F(ReplDocTest, NewDocumentFillsTheHeaderFromTheExchangeFile)
{
    std::ofstream(documents / "qxr.xml")
        << "<QXR_DATA default_level=\"Upper\" metric=\"yes\"><QXR_PARTITION name=\"R\">"
           "<QXR_SHAPES><QXR_SHAPE body=\"N1=Node(0.0,0.0)\"/></QXR_SHAPES><QXR_CHAIN/>"
           "</QXR_PARTITION></QXR_DATA>";
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.m_street, CString("Anystreet"));
    EXPECT_EQ(document.m_house, CString("1"));
    EXPECT_EQ(document.m_level, CString("Upper"));
    EXPECT_EQ(document.m_orientation, CString("none"));
    EXPECT_EQ(document.m_fileBase, CString("Any1Ur"));
    EXPECT_TRUE(ZupObject::IsMetric());
    EXPECT_TRUE(GetExchangeTables().loaded);
}

TEST_F(ReplDocTest, MissingExchangeFileTakesTheSilentPathBeforeTheWindowShows)
{
    CReplDoc document;
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.m_level, CString("Main"));
    EXPECT_FALSE(GetExchangeTables().loaded);
}

TEST_F(ReplDocTest, FileBaseOfTheHeader)
{
    CReplDoc document;
    const struct {
        const char* street;
        const char* house;
        const char* unit;
        const char* level;
        const char* base;
    } cases[] = {
        {"Anystreet", "1", "", "Main", "Any1Mn"},
        {"Elm Road", "12 B", "3", "Upper", "Elm12B3Ur"},
        {"Oak", "7", "", "U", "Oak7UU"},  // one character counts twice
        {"Main", "5", "", "", "Mai5"},
        // Blanks typed around a field are no part of the name.
        {" Elm Road", " 12", "", " Main ", "Elm12Mn"},
        {"   Oak  ", "7", " 2 ", "\tUpper", "Oak72Ur"},
    };
    for (const auto& c : cases) {
        document.m_street = CString(c.street);
        document.m_house = CString(c.house);
        document.m_unit = CString(c.unit);
        document.m_level = CString(c.level);
        document.MakeFileBase();
        EXPECT_EQ(document.m_fileBase.ToNarrow(), c.base) << c.street;
    }
    const CString before = document.m_fileBase;
    document.m_street = CString("");
    document.MakeFileBase();
    EXPECT_EQ(document.m_fileBase, before);  // unchanged
}

TEST_F(ReplDocTest, UnitFieldLongerThanFiveIsTheMlsNumber)
{
    CReplDoc document;
    document.SetUnitField(CString("12345"));
    EXPECT_EQ(document.m_unit, CString("12345"));
    EXPECT_TRUE(document.m_mls.IsEmpty());
    document.SetUnitField(CString("123456"));
    EXPECT_EQ(document.m_mls, CString("123456"));
    EXPECT_EQ(document.m_unit, CString("12345"));
}

TEST_F(ReplDocTest, NextFileNumberIsTheHighestNumberInUse)
{
    CReplDoc document;
    document.m_fileBase = CString("Any1Mn");
    document.NextFileNumber();
    EXPECT_EQ(document.m_fileNumber, 0);
    for (const char* name : {"Any1Mn3.fpl", "Any1Mn12.fpl", "Any1Mn.fpl", "Any1Mn40.txt"})
        std::ofstream(documents / name) << "x";
    document.NextFileNumber();
    EXPECT_EQ(document.m_fileNumber, 12);
}

TEST_F(ReplDocTest, ResetLevelStartsTheFirstRoom)
{
    CReplDoc document;
    document.ResetLevel();
    ASSERT_EQ(document.GetNumOfRooms(), 1);
    EXPECT_EQ(document.GetCurrentRoom(), document.GetRoom(0));
    EXPECT_EQ(document.m_entrance, document.m_defaultEntrance.get());
    EXPECT_EQ(document.GetCurrentRoom()->GetName(), nullptr);
}

TEST_F(ReplDocTest, NewRoomIsNamedAfterTheCurrentRoomsType)
{
    const std::string text = "<QXR_DATA><QXR_ROOM_CATEGORY name=\"Bedroom\"/></QXR_DATA>";
    ParseExchangeData(text.c_str(), static_cast<int>(text.size()));
    CReplDoc document;
    document.ResetLevel();
    document.GetCurrentRoom()->ZupFloor::SetName("Bedroom3");
    CRoomTypeCatalog::Instance(false)->Find("Bedroom3", false)->NoteName("Bedroom3");
    document.NewRoom();
    ASSERT_EQ(document.GetNumOfRooms(), 2);
    EXPECT_STREQ(document.GetCurrentRoom()->GetName(), "Bedroom4");
}

TEST_F(ReplDocTest, ConfirmedNewClearsTheLevelAndStartsOver)
{
    HeadlessDriver driver;
    CReplDoc document;
    ASSERT_TRUE(document.OnNewDocument());
    document.ResetLevel();
    document.NewRoom();
    document.m_roomView = false;
    document.m_shapeRow = 3;
    driver.OnDialog(CNewSessionDlg::IDD,
                    [](CWnd* shown, HeadlessDriver& d) { d.TapDlgItem(shown, IDOK); });
    document.OnNew();
    EXPECT_EQ(document.GetNumOfRooms(), 1);
    EXPECT_TRUE(document.m_roomView);
    EXPECT_EQ(document.m_shapeRow, 0);
    EXPECT_EQ(document.m_history.size(), 1u);
    EXPECT_EQ(document.m_fileBase, CString("Any1Mn"));
}

TEST_F(ReplDocTest, ModifiedWhenTheCurrentRoomChanged)
{
    CReplDoc document;
    document.ResetLevel();
    document.GetCurrentRoom()->SetModified(false);
    document.m_plan.SetModified(false);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.SaveModified());
    EXPECT_FALSE(document.ConfirmLoss());
    document.GetCurrentRoom()->SetModified(true);
    EXPECT_TRUE(document.IsModified());
}

TEST_F(ReplDocTest, PartitionLookups)
{
    CReplDoc document;
    document.ResetLevel();
    CRoomFloor* room = document.GetCurrentRoom();
    EXPECT_EQ(document.GetRoomOfPartition(nullptr), room);
    EXPECT_EQ(document.GetPartitionOfRoom(room), nullptr);
    EXPECT_EQ(document.GetRoom(-1), nullptr);
    EXPECT_EQ(document.GetRoom(1), nullptr);
}
