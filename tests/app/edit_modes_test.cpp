#include <memory>
#include <string>

#include "level_fixture.h"
#include "door_mode.h"
#include "exchange_file.h"
#include "exit_mode.h"
#include "headless_driver.h"
#include "kor_node.h"
#include "measurement_mode.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "room_mode.h"
#include "zup_opening.h"

namespace {

class EditModesTest : public LevelTest {
protected:
    HeadlessDriver driver;
};

}  // namespace

TEST(MeasurementValuesTest, ElevenValuesAroundTheMeasuredOne)
{
    const struct {
        int value;
        int first;
        int selected;
    } cases[] = {{3, 0, 3}, {12, 7, 5}, {5, 0, 5}, {0, 0, 0}};
    for (const auto& c : cases) {
        const MeasurementValues values = MakeMeasurementValues(c.value, false);
        EXPECT_EQ(values.first, c.first) << c.value;
        EXPECT_EQ(values.selected, c.selected) << c.value;
        ASSERT_EQ(values.texts.size(), 11u);
        EXPECT_EQ(values.texts[static_cast<std::size_t>(values.selected)], std::to_string(c.value));
    }
    EXPECT_EQ(MakeMeasurementValues(12, false).texts.back(), "17");
}

TEST(MeasurementValuesTest, DragTextInFeetAndInchesIsPadded)
{
    EXPECT_EQ(DragValueText(65, true), " 5' 5\"");
    EXPECT_EQ(DragValueText(130, true), "10'10\"");
    EXPECT_EQ(DragValueText(65, false), "65");
}

TEST_F(EditModesTest, DocumentOwnsTheFourModesInOrder)
{
    ASSERT_EQ(document->m_editModes.size(), 4u);
    const char* names[] = {"Room", "Door", "Measurement", "Exit"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(document->m_editModes[i]->GetName(), names[i]);
        EXPECT_EQ(document->m_editModes[i]->GetCommandId(), 2138 + i);
    }
}

TEST_F(EditModesTest, RoomModeRefusesToLeaveWithoutAShape)
{
    ASSERT_TRUE(document->SetEditMode(0));
    EXPECT_EQ(document->GetEditMode()->GetSelection(), -1);
    EXPECT_FALSE(document->SetEditMode(2));
    EXPECT_EQ(document->m_currentMode, 0);
    DrawRectangle();
    EXPECT_TRUE(document->SetEditMode(2));
    EXPECT_EQ(document->m_currentMode, 2);
}

TEST_F(EditModesTest, SteppingPastTheLastModeWrapsInRoomViewAndEndsInPlanView)
{
    // A last mode that lets the user go, so that only the stepping is seen.
    delete document->m_editModes[3];
    document->m_editModes[3] = new CEditMode(document.get(), "Exit", 2141);
    document->m_currentMode = 3;
    document->m_roomView = true;
    ASSERT_TRUE(document->StepEditMode(true));
    EXPECT_EQ(document->m_currentMode, 0);

    document->m_currentMode = 3;
    document->m_roomView = false;
    ASSERT_TRUE(document->StepEditMode(true));
    EXPECT_EQ(document->m_currentMode, -1);
    EXPECT_EQ(document->GetEditMode(), nullptr);
}

TEST_F(EditModesTest, ViewChangeNeedsDimensions)
{
    ASSERT_EQ(Room()->GetNumOfDimensions(), 0);
    document->OnViewChange();
    EXPECT_TRUE(document->m_roomView);
}

TEST_F(EditModesTest, ExitThroughAnExternalDoorOnlyTells)
{
    DrawRectangle();
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    entrance->SetConnectable(false);
    CExitMode exitMode(document.get());
    const point at = entrance->GetGeoCenter();
    EXPECT_TRUE(exitMode.OnTap(at.x(), at.y()));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, CString("Can not exit through external door"));
    EXPECT_FALSE(Room()->mbClosed);
}

TEST_F(EditModesTest, DoorKeysTurnARoomWithTwoOpenings)
{
    DrawRectangle();
    ASSERT_NE(Room()->CreateOpening("Hall1A", 1, 200.0, 150.0), nullptr);
    ASSERT_EQ(Room()->GetNumOfOpenings(), 2);
    Room()->ComputeArea();
    const point before = Room()->GetNodes()[1]->GetPoint();
    CDoorMode doorMode(document.get());
    doorMode.OnKeyRight(0);
    const point after = Room()->GetNodes()[1]->GetPoint();
    // A quarter turn about the centre (100, 150): (200, 0) goes to (250, 250).
    EXPECT_NE(before, after);
    EXPECT_NEAR(after.x(), 250.0, 1.0);
    EXPECT_NEAR(after.y(), 250.0, 1.0);
}

TEST_F(EditModesTest, DoorKeysMoveASingleEntranceToTheNextWall)
{
    DrawRectangle();
    ASSERT_EQ(Room()->GetNumOfOpenings(), 1);
    const int wall = Room()->GetWallCursor();
    CDoorMode doorMode(document.get());
    doorMode.OnKeyRight(0);
    ASSERT_NE(Room()->GetEntrance(), nullptr);
    EXPECT_EQ(Room()->GetWallCursor(), (wall + 1) % Room()->GetNumOfPrimitives());
    EXPECT_EQ(Room()->GetNumOfOpenings(), 1);
    doorMode.OnKeyLeft(0);
    EXPECT_EQ(Room()->GetWallCursor(), wall);
}

TEST_F(EditModesTest, KeyStepNeverGoesBelowZero)
{
    DrawRectangle();
    ASSERT_GT(Room()->GetNumOfDimensions(), 0);
    CMeasurementMode measure(document.get());
    measure.SetSelection(0);
    measure.m_current = Room()->GetDimension(0, nullptr);
    measure.m_value = 1.0f;
    measure.SetKeyStep(-3);
    ASSERT_TRUE(measure.KeyStep());
    EXPECT_FLOAT_EQ(measure.m_value, 0.0f);
}
