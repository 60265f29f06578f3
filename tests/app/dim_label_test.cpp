// Dimension labels: extension lines, arrowheads and text laid out in device
// pixels, the turns that keep axis-parallel labels exact, and the display
// filter of the room's dimensions.
#include <gtest/gtest.h>

#include "app_test_support.h"
#include "dim_label.h"
#include "kor_dimension.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "scaled_dc.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

const char* kRectangle =
    "N1=Node(0.0,0.0);N2=Node(200.0,0.0);N3=Node(200.0,300.0);N4=Node(0.0,300.0);"
    "S1=Segment(N1,N2);S2=Segment(N2,N3);S3=Segment(N3,N4);S4=Segment(N4,N1)";

void ExpectPoint(POINT p, int x, int y)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

// A label laid out without a dimension: the layout alone.
class LaidOutLabel {
public:
    LaidOutLabel(POINT p1, POINT p2) : m_dc(nullptr), m_label(nullptr, m_dc, false)
    {
        m_label.Layout(p1, p2);
    }
    const CDimLabel& operator*() const { return m_label; }
    const CDimLabel* operator->() const { return &m_label; }

private:
    CScaledDC m_dc;
    CDimLabel m_label;
};

}  // namespace

// Left to right on the screen: the dimension line 5 pixels below the wall,
// the extension lines 10 pixels down, the text hanging below the middle.
TEST(DimLabelTest, HorizontalWallLayout)
{
    LaidOutLabel label({20, 100}, {120, 100});
    const CDimLines& lines = label->GetLines();
    ASSERT_EQ(lines.GetCount(), 6);
    EXPECT_NE(lines.GetMode(), CDimLines::kPolylineMode);
    ExpectPoint(lines.GetPoint(0), 20, 100);
    ExpectPoint(lines.GetPoint(1), 20, 110);
    ExpectPoint(lines.GetPoint(4), 120, 110);
    ExpectPoint(lines.GetPoint(5), 120, 100);
    // The arrow tips sit on the dimension line, their stubs 8 inward.
    EXPECT_EQ(label->GetSymbol(0).GetPosition().y, 105.0);
    EXPECT_EQ(label->GetSymbol(0).GetPosition().x, 20.0);
    ExpectPoint(lines.GetPoint(2), 28, 105);
    ExpectPoint(lines.GetPoint(3), 112, 105);
    EXPECT_EQ(label->GetSymbol(2).GetGlyph(), CDimSymbol::kNoGlyph);
    EXPECT_EQ(label->GetText().GetX(), 70);
    EXPECT_EQ(label->GetText().GetY(), 100);
    EXPECT_EQ(label->GetText().GetAnchorFlags(), 6);
}

// Upward on the screen the normal points exactly right: no rounding drift.
TEST(DimLabelTest, VerticalWallLayoutIsExact)
{
    LaidOutLabel label({50, 150}, {50, 50});
    const CDimLines& lines = label->GetLines();
    ExpectPoint(lines.GetPoint(1), 60, 150);
    ExpectPoint(lines.GetPoint(4), 60, 50);
    ExpectPoint(lines.GetPoint(2), 55, 142);
    ExpectPoint(lines.GetPoint(3), 55, 58);
    EXPECT_EQ(label->GetText().GetX(), 50);
    EXPECT_EQ(label->GetText().GetY(), 100);
    EXPECT_EQ(label->GetText().GetAnchorFlags(), 24);
}

TEST(DimLabelTest, RotationsFromPointsAreExactOnTheAxes)
{
    const struct {
        POINT a, b;
        float sine, cosine, degrees;
    } cases[] = {
        {{0, 0}, {0, 10}, 1.0f, 0.0f, 90.0f},
        {{0, 10}, {0, 0}, -1.0f, 0.0f, -90.0f},
        {{0, 0}, {10, 0}, 0.0f, 1.0f, 0.0f},
        {{10, 0}, {0, 0}, 0.0f, -1.0f, 180.0f},
        {{5, 5}, {5, 5}, 0.0f, -1.0f, 180.0f},
    };
    for (const auto& c : cases) {
        const CDimRotation r = CDimRotation::FromPoints(c.a, c.b);
        EXPECT_EQ(r.sine, c.sine);
        EXPECT_EQ(r.cosine, c.cosine);
        EXPECT_EQ(r.degrees, c.degrees);
    }
    const CDimRotation slanted = CDimRotation::FromPoints({0, 0}, {10, 10});
    EXPECT_NEAR(slanted.degrees, 45.0f, 1e-4);
}

TEST(DimLabelTest, TurnsSnapAtRightAngles)
{
    const CDimRotation quarter = CDimRotation::FromAngle(90.0f);
    EXPECT_EQ(quarter.cosine, 0.0f);
    EXPECT_EQ(quarter.sine, 1.0f);
    const CDimRotation combined = CDimRotation::Combine(CDimRotation::FromAngle(180.0f), quarter);
    EXPECT_EQ(combined.degrees, 270.0f);
    EXPECT_EQ(combined.sine, -1.0f);
    double x = 2.0, y = -5.0;
    quarter.Apply(x, y);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(y, 2.0);
    EXPECT_TRUE(CDimRotation::FromAngle(0.0f).IsIdentity());
}

TEST(DimLabelTest, AnchorFlagsPlaceTheTextBox)
{
    const struct {
        int flags;
        int x, y;
    } cases[] = {
        {0, 100, 100}, {2, 60, 100}, {6, 80, 100},  {8, 100, 90},
        {24, 100, 95}, {30, 80, 95}, {14, 80, 90}, {4, 100, 100},
    };
    for (const auto& c : cases) {
        const CDimText text(0, 0, CString("x"), c.flags);
        const CPoint corner = text.PlaceBox({100, 100}, 40, 10);
        EXPECT_EQ(corner.x, c.x) << c.flags;
        EXPECT_EQ(corner.y, c.y) << c.flags;
    }
}

TEST(DimLabelTest, PointsBeyondTheCountAreIgnored)
{
    CDimLines lines;
    EXPECT_EQ(lines.GetMode(), CDimLines::kPolylineMode);
    lines.SetPoint(0, 4.9, 7.2);
    EXPECT_EQ(lines.GetPoint(0).x, 0);
    lines.SetCount(9);
    EXPECT_EQ(lines.GetCount(), 6);
    lines.SetPoint(0, 4.9, 7.2);
    ExpectPoint(lines.GetPoint(0), 4, 7);
    lines.SetPoint(6, 1.0, 1.0);
    lines.SetPoint(-1, 1.0, 1.0);
}

using DimensionDrawingTest = AppTest;

// A room's length is laid out between its two nodes and labelled with it.
TEST_F(DimensionDrawingTest, LabelOfARoomDimension)
{
    CRoomFloor room;
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    CScaledDC dc(nullptr);
    dc.SetScale(0.5f);
    dc.SetOrigin(20, 220);
    bool foundWidth = false;
    for (int i = 0; i < room.GetNumOfDimensions(); ++i) {
        const CDimLabel label(room.GetDimension(i, nullptr), dc, false);
        EXPECT_EQ(label.GetLines().GetCount(), 6);
        if (label.GetText().GetText() == CString("200")) {
            foundWidth = true;
            EXPECT_NEAR(label.GetLength(), 200.0, 1e-6);
        }
    }
    EXPECT_TRUE(foundWidth);
    CDimLabel imperial(room.GetDimension(0, nullptr), dc, true);
    imperial.SetValue(149.9, true);
    EXPECT_EQ(imperial.GetText().GetText(), CString(L"12' 5\""));
}

TEST_F(DimensionDrawingTest, DisplayFilter)
{
    CRoomFloor room;
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    CReplDoc document;
    document.m_rooms.push_back(&room);
    document.m_currentRoom = &room;
    KorDimension* dimension = room.GetDimension(0, nullptr);
    ASSERT_NE(dimension, nullptr);
    const struct {
        int layer;
        bool enabled, unlocked, hideZero, shown;
    } cases[] = {
        {0, true, false, false, true},  {0, true, true, false, false},
        {0, false, true, false, true},  {3, false, false, false, false},
        {4, false, false, false, true}, {4, false, false, true, false},
        {5, false, false, false, false},
    };
    for (const auto& c : cases) {
        dimension->SetLayer(c.layer);
        dimension->SetEnabled(c.enabled);
        document.m_dimsUnlocked = c.unlocked;
        document.m_hideZeroDimensions = c.hideZero;
        EXPECT_EQ(document.PassesDimensionFilter(dimension), c.shown) << c.layer;
        EXPECT_EQ(document.IsDimensionVisible(0), c.shown) << c.layer;
    }
    EXPECT_FALSE(document.IsDimensionVisible(-1));
    EXPECT_FALSE(document.IsDimensionVisible(room.GetNumOfDimensions()));
    document.m_rooms.clear();
    document.m_currentRoom = nullptr;
}

// Disabled dimensions in blue, enabled ones in green, the selected one in
// red; with "Active" only the selected one.
TEST_F(DimensionDrawingTest, PensByState)
{
    CRoomFloor room;
    ASSERT_TRUE(room.LoadShape(kRectangle, nullptr, true, false));
    CReplDoc document;
    document.m_rooms.push_back(&room);
    document.m_currentRoom = &room;
    CScaledDC dc(nullptr);
    dc.SetScale(0.5f);
    dc.SetOrigin(40, 220);
    for (int i = 0; i < room.GetNumOfDimensions(); ++i)
        room.GetDimension(i, nullptr)->SetEnabled(false);
    // Ink by colour over the whole drawing area.
    auto count = [&](COLORREF colour) {
        int ink = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 240; ++x)
                ink += dc.GetPixel(x, y) == colour;
        return ink;
    };
    auto clear = [&] { dc.FillSolidRect(0, 0, 240, 240, kWhite); };

    clear();
    document.DrawDimensions(dc, -1);
    EXPECT_GT(count(0xFF0000), 0);
    EXPECT_EQ(count(0x00FF00), 0);

    clear();
    room.GetDimension(0, nullptr)->SetEnabled(true);
    document.DrawDimensions(dc, 1);
    EXPECT_GT(count(0x00FF00), 0);
    EXPECT_GT(count(0x0000FF), 0);

    clear();
    document.m_dimsActive = true;
    document.DrawDimensions(dc, 1);
    EXPECT_GT(count(0x0000FF), 0);
    EXPECT_EQ(count(0xFF0000), 0);
    EXPECT_EQ(count(0x00FF00), 0);
    document.m_rooms.clear();
    document.m_currentRoom = nullptr;
}
