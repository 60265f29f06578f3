// The room's area, outline and dimension values after every way of changing
// it: a typed or chosen value, a drag, an undo.
#include <cmath>
#include <vector>

#include "kor_dimension.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "measurement_mode.h"
#include "snapshot_journal.h"

namespace {

class RoomAreaTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
    }

    // The area of the walls as they stand, in square feet.
    double WallArea()
    {
        std::vector<point> corners;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            corners.push_back(e->GetStart()->GetPoint());
        double twice = 0.0;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const point& a = corners[i];
            const point& b = corners[(i + 1) % corners.size()];
            twice += a.x() * b.y() - b.x() * a.y();
        }
        return std::fabs(twice) / 2.0 / 144.0;
    }
    // The room's reported area and outline agree with its walls.
    void ExpectCurrent()
    {
        EXPECT_NEAR(Room()->GetArea(), WallArea(), 0.01);
        EXPECT_NEAR(std::fabs(Room()->GetContour().area()) / 144.0, WallArea(), 0.01);
    }
    // The reference dimension that measures about the given length.
    int DimensionOf(double length)
    {
        for (int i = 0; i < Room()->GetNumOfDimensions(); ++i)
            if (std::fabs(Room()->GetDimension(i, nullptr)->GetImplementedValue() - length) < 0.5)
                return i;
        return -1;
    }
};

}  // namespace

// A 200 x 300 room whose 300 wall is typed 240 on the keypad: 333.3 sq ft.
TEST_F(RoomAreaTest, ATypedLengthLeavesTheAreaCurrent)
{
    EXPECT_NEAR(Room()->GetArea(), 416.67, 0.01);
    ASSERT_TRUE(document->SetEditMode(2));
    auto* measure = dynamic_cast<CMeasurementMode*>(document->GetEditMode());
    ASSERT_NE(measure, nullptr);
    const int index = DimensionOf(300.0);
    ASSERT_GE(index, 0);
    measure->SetSelection(index);
    measure->m_current = Room()->GetDimension(index, nullptr);
    ASSERT_TRUE(measure->ApplyValue(240.0f));
    EXPECT_NEAR(Room()->GetArea(), 333.33, 0.01);
    ExpectCurrent();
    EXPECT_GE(DimensionOf(240.0), 0) << "the label shows the typed length";
}

TEST_F(RoomAreaTest, DragAndUndoLeaveTheAreaCurrent)
{
    CSnapshotJournal::SetDirectory(CString(L"My Documents\\"));
    document->m_journal.SetPeriod(3600 * 1000);
    ASSERT_TRUE(document->m_journal.Start());
    Room()->SetModified(true);
    ASSERT_TRUE(document->m_journal.TakeSnapshotNow());
    ASSERT_TRUE(document->SetEditMode(1));
    ASSERT_GT(Room()->GetArea(), 0.0f);  // cached before the drag
    // The top wall (y = 300) pulled up by 36 in steps.
    ASSERT_TRUE(document->OnPenDown(100.0, 300.0, 6));
    for (int y = 306; y <= 336; y += 6)
        document->OnPenMove(100.0, y);
    document->OnPenUp();
    EXPECT_NEAR(WallArea(), 200.0 * 336.0 / 144.0, 1.0);
    ExpectCurrent();
    ASSERT_TRUE(document->m_journal.TakeSnapshotNow());
    ASSERT_TRUE(document->m_journal.Undo());
    EXPECT_NEAR(WallArea(), 200.0 * 300.0 / 144.0, 0.01);
    ExpectCurrent();
}
