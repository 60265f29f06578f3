// Labels close together read each on its own: the texts of a chain of short
// dimensions, and of two chains meeting at a corner, are placed clear of
// each other and of every dimension line, beyond their own line.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "dim_label.h"
#include "edit_mode.h"
#include "label_arrangement.h"
#include "room_floor.h"
#include "scaled_dc.h"
#include "shell_test_support.h"

namespace {

std::string Describe(const CRect& box)
{
    std::ostringstream text;
    text << box.left << "," << box.top << "-" << box.right << "," << box.bottom;
    return text.str();
}

// Every box clear of every other box by a space, of every line, and on the
// outward side of its own line.
void ExpectReadable(const std::vector<CLabelSlot>& slots, const std::vector<CRect>& boxes)
{
    ASSERT_EQ(boxes.size(), slots.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const CRect& box = boxes[i];
        EXPECT_EQ(box.Width(), slots[i].width);
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            CRect spaced = box;
            spaced.InflateRect(3, 3);
            if (k != i) {
                EXPECT_TRUE((spaced & boxes[k]).IsRectEmpty()) << i << " " << Describe(box) << " covers " << k << " "
                                                            << Describe(boxes[k]);
            }
            const CLabelSlot& line = slots[k];
            EXPECT_FALSE(SegmentCrossesRect(line.x1, line.y1, line.x2, line.y2, box))
                << "text " << i << " " << Describe(box) << " across line " << k;
        }
        // Beyond its own line: the box's middle lies on the outward side.
        const double side = (box.CenterPoint().x - slots[i].x1) * slots[i].outX +
                            (box.CenterPoint().y - slots[i].y1) * slots[i].outY;
        EXPECT_GT(side, 0.0) << i;
    }
}

CLabelSlot Slot(double x1, double y1, double x2, double y2, double outX, double outY, int width)
{
    CLabelSlot slot{x1, y1, x2, y2, outX, outY, width, 13, width + 13};
    return slot;
}

}  // namespace

TEST(LabelArrangementTest, ShortChainsAndCornersReadOnTheirOwn)
{
    const struct {
        const char* name;
        std::vector<CLabelSlot> slots;
    } cases[] = {
        // 11, 32 and 19 along the foot of a wall, below it.
        {"chain below", {Slot(20, 105, 28, 105, 0, 1, 14), Slot(28, 105, 52, 105, 0, 1, 14), Slot(52, 105, 66, 105, 0, 1, 14)}},
        // The same up a wall, to its right (texts run across).
        {"chain beside", {Slot(105, 66, 105, 52, 1, 0, 14), Slot(105, 52, 105, 28, 1, 0, 14), Slot(105, 28, 105, 20, 1, 0, 14)}},
        // Wider feet-and-inches texts on a chain of three short parts.
        {"wide texts", {Slot(60, 40, 70, 40, 0, -1, 30), Slot(70, 40, 80, 40, 0, -1, 30), Slot(80, 40, 90, 40, 0, -1, 30)}},
        // Two chains meeting at a corner: the foot's first part and the
        // side's last.
        {"corner", {Slot(30, 205, 40, 205, 0, 1, 14), Slot(40, 205, 120, 205, 0, 1, 21), Slot(25, 200, 25, 190, -1, 0, 14),
                    Slot(25, 190, 25, 100, -1, 0, 21)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectReadable(c.slots, ArrangeLabels(c.slots, CRect(0, 0, 240, 268)));
    }
}

// Room labels stand on their rooms' centres; two centres close together
// ("Kitchen1" beside "Closet1 22") get texts apart, the first on its centre.
TEST(LabelArrangementTest, LabelsOfCloseCentresMoveApart)
{
    std::vector<CLabelSlot> slots = {Slot(100, 100, 100, 100, 0, 1, 50), Slot(120, 104, 120, 104, 0, 1, 56)};
    slots[0].height = slots[1].height = 26;
    const std::vector<CRect> boxes = ArrangeLabels(slots, CRect(0, 0, 240, 268));
    EXPECT_EQ(boxes[0].CenterPoint(), CPoint(100, 100));
    EXPECT_TRUE((boxes[0] & boxes[1]).IsRectEmpty());
}

// A long line with room for its text keeps the text at its middle, just
// beyond the line.
TEST(LabelArrangementTest, AFreeTextStandsAtItsLinesMiddle)
{
    const std::vector<CLabelSlot> slots = {Slot(20, 105, 120, 105, 0, 1, 21)};
    const CRect box = ArrangeLabels(slots, CRect(0, 0, 240, 268)).front();
    EXPECT_NEAR(box.CenterPoint().x, 70, 1);
    EXPECT_GE(box.top, 106);
    EXPECT_LE(box.top, 109);
}

// A room whose walls are short at the view's scale: the rectangle made 600
// wide, so that its foot's first part and its entrance (82 and 36 inches)
// are a few pixels long, in the Measurement mode.
class ShortWallsTest : public ShellTest {};

TEST_F(ShortWallsTest, TheLabelsOfShortWallsReadOnTheirOwn)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    Doc()->PlaceEntrance(nullptr);
    ASSERT_TRUE(Doc()->SetEditMode(2));
    // The selected top wall made 600 wide through the command bar.
    CComboBox* combo = Frame()->GetComboBox();
    combo->SetWindowText(L"600");
    combo->SendMessage(WM_CHAR, VK_RETURN, 1);
    driver->Pump();
    CRoomFloor* room = Doc()->GetCurrentRoom();
    room->CalculateExtents();
    ASSERT_NEAR(room->GetMaxX() - room->GetMinX(), 600.0, 1.0);
    for (const bool imperial : {false, true}) {
        SCOPED_TRACE(imperial ? "feet and inches" : "inches");
        Doc()->m_halfInches = imperial;
        CScaledDC dc(View());
        View()->OnDraw(&dc);
        const std::vector<CReplDoc::ShownDimension> shown = Doc()->ArrangeDimensionLabels(dc, 0);
        ASSERT_GE(shown.size(), 5u);
        std::vector<CLabelSlot> slots;
        std::vector<CRect> boxes;
        for (const CReplDoc::ShownDimension& label : shown) {
            slots.push_back(label.label->GetTextSlot(dc));
            boxes.push_back(label.textBox);
        }
        ExpectReadable(slots, boxes);
    }
}

// A name wider than its room in the plan is drawn smaller so that it stays
// inside the room.
TEST_F(ShortWallsTest, ARoomsLabelStaysInsideItsRoomInThePlan)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    CRoomFloor* room = Doc()->GetCurrentRoom();
    room->ZupFloor::SetName("Laundry1");
    Doc()->PlaceEntrance(nullptr);
    ASSERT_TRUE(Doc()->CloseRoom());
    Doc()->OnViewChange();
    ASSERT_FALSE(Doc()->m_roomView);
    Doc()->m_showNames = Doc()->m_showAreas = true;
    CScaledDC dc(View());
    View()->OnDraw(&dc);
    const std::vector<CReplDoc::RoomLabel> labels = Doc()->ArrangeRoomLabels(dc);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text.ToNarrow(), "Laundry1\n416");
    EXPECT_EQ(labels[0].box & labels[0].room, labels[0].box) << "the label runs out of its room";
}

// On the screen: a name wider than its room at full size is drawn inside
// the room's fill, none of its ink beside the room.
TEST_F(ShortWallsTest, ALongNameIsDrawnInsideItsRoom)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Doc()->InsertShape(0, 0));
    Doc()->GetCurrentRoom()->ZupFloor::SetName("Laundry and Mudroom and Pantry1");
    Doc()->PlaceEntrance(nullptr);
    ASSERT_TRUE(Doc()->CloseRoom());
    Doc()->OnViewChange();
    ASSERT_FALSE(Doc()->m_roomView);
    Doc()->m_showNames = true;
    View()->Invalidate();
    CRect view;
    View()->GetClientRect(&view);
    View()->ClientToScreen(&view);
    // The room: the extent of its yellow fill.
    CRect room(view.right, view.bottom, view.left, view.top);
    for (int y = view.top; y < view.bottom; ++y)
        for (int x = view.left; x < view.right; ++x)
            if (driver->PixelAt(x, y) == RGB(255, 255, 0)) {
                room.left = std::min<int>(room.left, x), room.right = std::max<int>(room.right, x + 1);
                room.top = std::min<int>(room.top, y), room.bottom = std::max<int>(room.bottom, y + 1);
            }
    ASSERT_LT(room.left, room.right) << "no room drawn";
    // Beside the room, at the height of its middle, the view is blank.
    int ink = 0;
    for (int y = room.CenterPoint().y - 20; y < room.CenterPoint().y + 20; ++y)
        for (int x = view.left; x < view.right; ++x)
            if ((x < room.left - 2 || x >= room.right + 2) && driver->PixelAt(x, y) != RGB(255, 255, 255))
                ++ink;
    EXPECT_EQ(ink, 0) << "the name runs out of its room";
}
