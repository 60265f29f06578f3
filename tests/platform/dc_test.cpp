#include "bitmap_resources.h"
#include "dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white memory context of a given size.
class Canvas : public ::testing::Test {
protected:
    void SetUp() override { Make(40, 40); }

    void Make(int width, int height)
    {
        if (m_old) m_dc.SelectObject(m_old);
        m_dc.DeleteDC();
        m_bitmap.DeleteObject();
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&m_dc, width, height));
        m_old = m_dc.SelectObject(&m_bitmap);
        m_width = width;
        m_height = height;
        m_dc.FillSolidRect(0, 0, width, height, kWhite);
    }

    std::vector<CPoint> PixelsOf(COLORREF color) const
    {
        std::vector<CPoint> found;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (m_dc.GetPixel(x, y) == color) found.emplace_back(x, y);
        return found;
    }

    // Bounding box of every non-white pixel, read without the clip.
    CRect InkBox()
    {
        m_dc.SelectClipRgn(nullptr);
        CRect box(m_width, m_height, -1, -1);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (m_dc.GetPixel(x, y) != kWhite) {
                    box.left = std::min<int>(box.left, x);
                    box.top = std::min<int>(box.top, y);
                    box.right = std::max<int>(box.right, x + 1);
                    box.bottom = std::max<int>(box.bottom, y + 1);
                }
        return box;
    }

    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

std::vector<CPoint> Points(std::initializer_list<std::pair<int, int>> list)
{
    std::vector<CPoint> points;
    for (auto [x, y] : list) points.emplace_back(x, y);
    return points;
}

bool SamePoints(std::vector<CPoint> a, std::vector<CPoint> b)
{
    auto less = [](const CPoint& p, const CPoint& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a == b;
}

struct LineCase {
    CPoint from;
    CPoint to;
    std::vector<CPoint> expected;
};

TEST_F(Canvas, OnePixelLineLandsOnExactPixelsWithoutItsEndPoint)
{
    const std::vector<LineCase> cases = {
        {{2, 3}, {8, 3}, Points({{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}})},
        {{5, 9}, {5, 5}, Points({{5, 9}, {5, 8}, {5, 7}, {5, 6}})},
        {{1, 1}, {5, 5}, Points({{1, 1}, {2, 2}, {3, 3}, {4, 4}})},
        {{0, 0}, {4, 2}, Points({{0, 0}, {1, 0}, {2, 1}, {3, 1}})},
        {{4, 2}, {0, 0}, Points({{4, 2}, {3, 1}, {2, 1}, {1, 0}})},
        {{1, 0}, {3, 6}, Points({{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 5}})},
    };
    for (const LineCase& c : cases) {
        Make(12, 12);
        CPen pen(PS_SOLID, 0, kRed);
        CPen* old = m_dc.SelectObject(&pen);
        m_dc.MoveTo(c.from);
        m_dc.LineTo(c.to);
        m_dc.SelectObject(old);
        EXPECT_TRUE(SamePoints(PixelsOf(kRed), c.expected))
            << "line (" << c.from.x << "," << c.from.y << ")-(" << c.to.x << "," << c.to.y << ")";
        EXPECT_EQ(m_dc.GetCurrentPosition(), c.to);
    }
}

TEST_F(Canvas, PenOfWidthOneDrawsTheSamePixelsAsWidthZero)
{
    CPen thin(PS_SOLID, 0, kRed);
    CPen* old = m_dc.SelectObject(&thin);
    m_dc.MoveTo(3, 4);
    m_dc.LineTo(30, 17);
    m_dc.SelectObject(old);
    const auto zero = PixelsOf(kRed);
    Make(40, 40);
    CPen one(PS_SOLID, 1, kRed);
    old = m_dc.SelectObject(&one);
    m_dc.MoveTo(3, 4);
    m_dc.LineTo(30, 17);
    m_dc.SelectObject(old);
    EXPECT_TRUE(SamePoints(PixelsOf(kRed), zero));
}

TEST_F(Canvas, MoveToReturnsThePreviousPosition)
{
    m_dc.MoveTo(7, 8);
    const CPoint previous = m_dc.MoveTo(1, 2);
    EXPECT_EQ(previous, CPoint(7, 8));
}

TEST_F(Canvas, PolylineLeavesOnlyItsLastPointOut)
{
    CPen pen(PS_SOLID, 0, kRed);
    CPen* old = m_dc.SelectObject(&pen);
    const POINT path[] = {{1, 1}, {4, 1}, {4, 3}};
    EXPECT_TRUE(m_dc.Polyline(path, 3));
    m_dc.SelectObject(old);
    EXPECT_TRUE(SamePoints(PixelsOf(kRed), Points({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}})));
    EXPECT_FALSE(m_dc.Polyline(path, 1));
}

// A five-pointed star drawn in one stroke: its pentagon core is enclosed
// twice, so the alternate rule leaves it empty and the winding rule fills it.
class StarFill : public Canvas {
protected:
    void Fill(int mode)
    {
        CBrush brush(kBlue);
        CBrush* oldBrush = m_dc.SelectObject(&brush);
        m_dc.SelectStockObject(NULL_PEN);
        m_dc.SetPolyFillMode(mode);
        const POINT star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
        EXPECT_TRUE(m_dc.Polygon(star, 5));
        m_dc.SelectObject(oldBrush);
    }
};

TEST_F(StarFill, AlternateRuleLeavesTheDoublyEnclosedCoreEmpty)
{
    Fill(ALTERNATE);
    EXPECT_EQ(m_dc.GetPixel(20, 20), kWhite);  // the core
    EXPECT_EQ(m_dc.GetPixel(20, 8), kBlue);    // the top point
    EXPECT_EQ(m_dc.GetPixel(6, 15), kBlue);    // the left point
    EXPECT_EQ(m_dc.GetPixel(1, 1), kWhite);    // outside
}

TEST_F(StarFill, WindingRuleFillsTheCore)
{
    Fill(WINDING);
    EXPECT_EQ(m_dc.GetPixel(20, 20), kBlue);
    EXPECT_EQ(m_dc.GetPixel(20, 8), kBlue);
}

TEST_F(Canvas, AlternateIsTheDefaultFillMode)
{
    EXPECT_EQ(m_dc.GetPolyFillMode(), ALTERNATE);
}

TEST_F(Canvas, PolygonFillCoversItsInteriorAndThePenItsOutline)
{
    CBrush brush(kBlue);
    CPen pen(PS_SOLID, 0, kRed);
    CBrush* oldBrush = m_dc.SelectObject(&brush);
    CPen* oldPen = m_dc.SelectObject(&pen);
    const POINT square[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    m_dc.Polygon(square, 4);
    m_dc.SelectObject(oldBrush);
    m_dc.SelectObject(oldPen);
    EXPECT_EQ(m_dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(m_dc.GetPixel(8, 8), kRed);  // the closing vertex is drawn
    EXPECT_EQ(m_dc.GetPixel(5, 5), kBlue);
    EXPECT_EQ(m_dc.GetPixel(9, 5), kWhite);
    EXPECT_EQ(PixelsOf(kRed).size(), 24u);
}

TEST_F(Canvas, RectangleAndEllipseDrawTheSameInEitherCornerOrder)
{
    auto draw = [this](bool ellipse, int l, int t, int r, int b) {
        Make(40, 40);
        CBrush brush(kBlue);
        CPen pen(PS_SOLID, 0, kRed);
        CBrush* oldBrush = m_dc.SelectObject(&brush);
        CPen* oldPen = m_dc.SelectObject(&pen);
        if (ellipse) m_dc.Ellipse(l, t, r, b);
        else m_dc.Rectangle(l, t, r, b);
        m_dc.SelectObject(oldBrush);
        m_dc.SelectObject(oldPen);
        return std::make_pair(PixelsOf(kRed), PixelsOf(kBlue));
    };
    for (bool ellipse : {false, true}) {
        const auto reference = draw(ellipse, 5, 6, 30, 25);
        EXPECT_FALSE(reference.first.empty());
        EXPECT_FALSE(reference.second.empty());
        for (auto [l, t, r, b] : {std::tuple{30, 25, 5, 6}, std::tuple{30, 6, 5, 25}, std::tuple{5, 25, 30, 6}}) {
            const auto other = draw(ellipse, l, t, r, b);
            EXPECT_TRUE(SamePoints(other.first, reference.first)) << "ellipse " << ellipse;
            EXPECT_TRUE(SamePoints(other.second, reference.second)) << "ellipse " << ellipse;
        }
    }
}

TEST_F(Canvas, RectangleOutlineStaysInsideTheBox)
{
    CPen pen(PS_SOLID, 0, kRed);
    CPen* oldPen = m_dc.SelectObject(&pen);
    m_dc.SelectStockObject(HOLLOW_BRUSH);
    m_dc.Rectangle(3, 4, 10, 9);
    m_dc.SelectObject(oldPen);
    EXPECT_EQ(InkBox(), CRect(3, 4, 10, 9));
    EXPECT_EQ(m_dc.GetPixel(5, 6), kWhite);  // hollow
}

TEST_F(Canvas, NullPenDrawsNoOutline)
{
    m_dc.SelectStockObject(NULL_PEN);
    m_dc.MoveTo(0, 0);
    m_dc.LineTo(30, 30);
    m_dc.SelectStockObject(NULL_BRUSH);
    m_dc.Rectangle(2, 2, 20, 20);
    EXPECT_EQ(InkBox().right, -1);
}

TEST_F(Canvas, MeasuredTextBoxHoldsTheDrawnText)
{
    Make(200, 60);
    for (UINT align : {DT_LEFT, DT_CENTER}) {
        m_dc.FillSolidRect(0, 0, m_width, m_height, kWhite);
        CRect measured(10, 10, 10, 10);
        const int height = m_dc.DrawText(CString(L"Hallway 12'6\""), &measured, DT_CALCRECT | DT_NOCLIP | align);
        EXPECT_EQ(height, measured.Height());
        EXPECT_GT(measured.Width(), 20);
        EXPECT_GT(measured.Height(), 5);
        EXPECT_EQ(InkBox().right, -1) << "measuring draws nothing";

        m_dc.SetBkMode(TRANSPARENT);
        CRect box = measured;
        m_dc.DrawText(CString(L"Hallway 12'6\""), &box, DT_NOCLIP | align);
        const CRect ink = InkBox();
        EXPECT_GE(ink.left, measured.left);
        EXPECT_LE(ink.right, measured.right);
        EXPECT_GE(ink.top, measured.top);
        EXPECT_LE(ink.bottom, measured.bottom);
        // The measure is tight: the ink spans the measured width up to the
        // side bearings of the first and last glyph.
        EXPECT_LE(ink.left - measured.left, 3);
        EXPECT_LE(measured.right - ink.right, 3);
    }
}

TEST_F(Canvas, EmptyTextMeasuresZeroHeight)
{
    CRect measured(5, 5, 5, 5);
    EXPECT_EQ(m_dc.DrawText(CString(L""), &measured, DT_CALCRECT | DT_NOCLIP | DT_CENTER), 0);
    EXPECT_EQ(measured.Height(), 0);
}

TEST_F(Canvas, SingleLineTextCentresInItsBox)
{
    Make(120, 60);
    m_dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 120, 60);
    m_dc.DrawText(CString(L"Sink"), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    const CRect ink = InkBox();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 60.0, 3.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 30.0, 4.0);
}

TEST_F(Canvas, UnclippedDrawTextIsCutByItsRectangleOtherwise)
{
    Make(120, 40);
    m_dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 15, 40);
    m_dc.DrawText(CString(L"Bedroom"), &box, DT_LEFT);
    EXPECT_LE(InkBox().right, 15);
    m_dc.FillSolidRect(0, 0, m_width, m_height, kWhite);
    m_dc.DrawText(CString(L"Bedroom"), &box, DT_LEFT | DT_NOCLIP);
    EXPECT_GT(InkBox().right, 15);
}

TEST_F(Canvas, TextColourAndOpaqueBackground)
{
    Make(100, 30);
    m_dc.SetTextColor(RGB(0x64, 0x64, 0x64));
    m_dc.SetBkColor(kBlue);
    m_dc.TextOut(2, 2, CString(L"Range"));
    EXPECT_FALSE(PixelsOf(RGB(0x64, 0x64, 0x64)).empty());
    EXPECT_EQ(m_dc.GetPixel(2, 2), kBlue);  // opaque is the default mode
}

TEST_F(Canvas, FontFromTheCurrentDescriptionAtThreeQuarterHeight)
{
    LOGFONTW logFont;
    ASSERT_NE(m_dc.GetCurrentFont(), nullptr);
    ASSERT_GT(m_dc.GetCurrentFont()->GetLogFont(&logFont), 0);
    const CSize normal = m_dc.GetTextExtent(CString(L"up"));
    logFont.lfHeight = logFont.lfHeight * 3 / 4;
    CFont smaller;
    ASSERT_TRUE(smaller.CreateFontIndirect(&logFont));
    CFont* old = m_dc.SelectObject(&smaller);
    ASSERT_NE(old, nullptr);
    const CSize small = m_dc.GetTextExtent(CString(L"up"));
    LOGFONTW selected;
    m_dc.GetCurrentFont()->GetLogFont(&selected);
    EXPECT_EQ(selected.lfHeight, logFont.lfHeight);
    m_dc.SelectObject(old);
    EXPECT_LT(small.cy, normal.cy);
    EXPECT_LT(small.cx, normal.cx);
}

TEST_F(Canvas, PositiveFontHeightIsTheCellHeight)
{
    LOGFONTW logFont{};
    logFont.lfHeight = 20;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    CFont* old = m_dc.SelectObject(&font);
    TEXTMETRICW metrics;
    ASSERT_TRUE(m_dc.GetTextMetrics(&metrics));
    m_dc.SelectObject(old);
    EXPECT_NEAR(metrics.tmHeight, 20, 2);
}

TEST_F(Canvas, ClipRectangleClips)
{
    EXPECT_EQ(m_dc.IntersectClipRect(10, 10, 20, 20), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(m_dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    EXPECT_FALSE(m_dc.PtVisible(20, 15));
    EXPECT_TRUE(m_dc.PtVisible(19, 19));
    m_dc.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_EQ(InkBox(), CRect(10, 10, 20, 20));
}

TEST_F(Canvas, ClipRegionClipsLinesAndTextAndCanBeRemoved)
{
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 15, 40));
    EXPECT_EQ(m_dc.SelectClipRgn(&region), SIMPLEREGION);
    CPen pen(PS_SOLID, 0, kRed);
    CPen* old = m_dc.SelectObject(&pen);
    m_dc.MoveTo(0, 5);
    m_dc.LineTo(40, 5);
    EXPECT_EQ(PixelsOf(kRed).size(), 15u);
    m_dc.SelectClipRgn(nullptr);
    m_dc.MoveTo(0, 6);
    m_dc.LineTo(40, 6);
    m_dc.SelectObject(old);
    EXPECT_EQ(PixelsOf(kRed).size(), 15u + 40u);
}

TEST_F(Canvas, ClipsIntersect)
{
    m_dc.IntersectClipRect(0, 0, 20, 20);
    EXPECT_EQ(m_dc.IntersectClipRect(30, 30, 40, 40), NULLREGION);
    m_dc.FillSolidRect(0, 0, 40, 40, kRed);
    EXPECT_TRUE(PixelsOf(kRed).empty());
}

TEST_F(Canvas, RegionPointTest)
{
    CRgn region;
    region.CreateRectRgn(20, 10, 5, 0);  // either corner order
    EXPECT_TRUE(region.PtInRegion(5, 0));
    EXPECT_TRUE(region.PtInRegion(CPoint(19, 9)));
    EXPECT_FALSE(region.PtInRegion(20, 5));
    EXPECT_FALSE(region.PtInRegion(10, 10));
    CRgn none;
    EXPECT_FALSE(none.PtInRegion(0, 0));
}

TEST_F(Canvas, MemoryContextBitCopyCopies)
{
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&m_dc));
    CBitmap picture;
    ASSERT_TRUE(picture.CreateCompatibleBitmap(&m_dc, 6, 4));
    CBitmap* old = source.SelectObject(&picture);
    source.FillSolidRect(0, 0, 6, 4, kBlue);
    source.SetPixel(0, 0, kRed);
    source.SetPixel(5, 3, kRed);
    EXPECT_TRUE(m_dc.BitBlt(10, 20, 6, 4, &source, 0, 0, SRCCOPY));
    source.SelectObject(old);
    EXPECT_EQ(m_dc.GetPixel(10, 20), kRed);
    EXPECT_EQ(m_dc.GetPixel(15, 23), kRed);
    EXPECT_EQ(m_dc.GetPixel(11, 21), kBlue);
    EXPECT_EQ(InkBox(), CRect(10, 20, 16, 24));
}

TEST_F(Canvas, BitCopyOfAPartAndWithinOneSurface)
{
    m_dc.SetPixel(3, 3, kRed);
    m_dc.SetPixel(4, 3, kBlue);
    EXPECT_TRUE(m_dc.BitBlt(4, 3, 2, 1, &m_dc, 3, 3, SRCCOPY));
    EXPECT_EQ(m_dc.GetPixel(4, 3), kRed);
    EXPECT_EQ(m_dc.GetPixel(5, 3), kBlue);
}

TEST_F(Canvas, BitCopyRespectsTheDestinationClip)
{
    CDC source;
    source.CreateCompatibleDC(&m_dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&m_dc, 10, 10);
    CBitmap* old = source.SelectObject(&picture);
    source.FillSolidRect(0, 0, 10, 10, kBlue);
    m_dc.IntersectClipRect(0, 0, 5, 40);
    m_dc.BitBlt(0, 0, 10, 10, &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    EXPECT_EQ(InkBox(), CRect(0, 0, 5, 10));
}

TEST_F(Canvas, ResourceBitmapLoadsWithItsSize)
{
    ASSERT_TRUE(RegisterBitmapArt(64001, {"rw", "wr", "bb"}, {"r=FF0000", "w=FFFFFF", "b=0000FF"}));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(64001));
    BITMAP info;
    ASSERT_GT(bitmap.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 3);
    CDC memory;
    memory.CreateCompatibleDC(&m_dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    m_dc.BitBlt(0, 0, 2, 3, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    EXPECT_EQ(m_dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(m_dc.GetPixel(1, 1), kRed);
    EXPECT_EQ(m_dc.GetPixel(0, 2), kBlue);
    EXPECT_EQ(m_dc.GetPixel(1, 0), kWhite);

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(64999));
    EXPECT_FALSE(RegisterBitmapArt(64002, {"rw", "r"}, {"r=FF0000", "w=FFFFFF"}));
    EXPECT_FALSE(RegisterBitmapArt(64003, {"rx"}, {"r=FF0000"}));
}

TEST_F(Canvas, DragRectangleDrawnTwiceLeavesNoTrace)
{
    CRect first(5, 5, 25, 20);
    CRect second(8, 6, 30, 30);
    m_dc.DrawDragRect(&first, CSize(1, 1), nullptr, CSize(1, 1));
    EXPECT_EQ(InkBox(), first);
    m_dc.DrawDragRect(&second, CSize(1, 1), &first, CSize(1, 1));
    EXPECT_EQ(InkBox(), second);
    m_dc.DrawDragRect(nullptr, CSize(1, 1), &second, CSize(1, 1));
    EXPECT_EQ(InkBox().right, -1);
}

TEST_F(Canvas, SelectionHandsBackThePreviousObjects)
{
    CPen first(PS_SOLID, 0, kRed);
    CPen second(PS_SOLID, 2, kBlue);
    CPen* original = m_dc.SelectObject(&first);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(m_dc.SelectObject(&second), &first);
    EXPECT_EQ(m_dc.SelectObject(original), &second);
    LOGPEN logPen;
    ASSERT_GT(m_dc.GetCurrentPen()->GetLogPen(&logPen), 0);
    EXPECT_EQ(logPen.lopnColor, RGB(0, 0, 0));  // the default black pen
}

TEST_F(Canvas, ObjectOutlivingItsWrapperStaysUsable)
{
    CPen* original = nullptr;
    {
        CPen pen(PS_SOLID, 0, kRed);
        original = m_dc.SelectObject(&pen);
    }
    // The pen's wrapper is gone; the context still draws with its data and
    // hands out a wrapper of its own.
    m_dc.MoveTo(0, 0);
    m_dc.LineTo(5, 0);
    EXPECT_EQ(PixelsOf(kRed).size(), 5u);
    CPen* current = m_dc.SelectObject(original);
    ASSERT_NE(current, nullptr);
    LOGPEN logPen;
    current->GetLogPen(&logPen);
    EXPECT_EQ(logPen.lopnColor, kRed);
}

TEST_F(Canvas, WidePenCoversItsWidth)
{
    CPen pen(PS_SOLID, 2, kRed);
    CPen* old = m_dc.SelectObject(&pen);
    m_dc.MoveTo(5, 10);
    m_dc.LineTo(30, 10);
    m_dc.SelectObject(old);
    const CRect ink = InkBox();
    EXPECT_EQ(ink.Height(), 2);
    EXPECT_GE(ink.left, 4);
    EXPECT_LE(ink.right, 32);
}

TEST(DrawingObjects, PenCreationRejectsBadInput)
{
    CPen pen;
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, -1, 0));
    EXPECT_FALSE(pen.CreatePen(42, 1, 0));
    EXPECT_TRUE(pen.CreatePen(PS_SOLID, 0, 0));
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 0, 0)) << "already created";
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_FALSE(pen.DeleteObject());
}

TEST(DrawingObjects, UnboundContextRefusesToDraw)
{
    CDC dc;
    EXPECT_FALSE(dc.LineTo(3, 3));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
    EXPECT_FALSE(dc.BitBlt(0, 0, 1, 1, &dc, 0, 0, SRCCOPY));
}

}  // namespace

// A pattern brush tiles its bitmap from the context's origin, in polygons,
// rectangles and ellipses alike.
TEST_F(Canvas, PatternBrushTilesItsBitmap)
{
    BitmapResource checker;
    checker.width = checker.height = 2;
    checker.pixels = {kRed, kBlue, kBlue, kRed};
    ASSERT_TRUE(RegisterBitmapResource(9301, checker));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(9301));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&bitmap));
    CBrush none;
    EXPECT_FALSE(none.CreatePatternBrush(nullptr));
    CBrush* old = m_dc.SelectObject(&brush);
    CPen pen(PS_NULL, 0, 0);
    CPen* oldPen = m_dc.SelectObject(&pen);
    const POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    m_dc.Polygon(triangle, 3);
    m_dc.Rectangle(22, 0, 40, 18);
    m_dc.Ellipse(20, 20, 40, 40);
    m_dc.SelectObject(oldPen);
    m_dc.SelectObject(old);
    for (const CPoint p : {CPoint(2, 2), CPoint(3, 2), CPoint(5, 8), CPoint(30, 10), CPoint(31, 10), CPoint(30, 30)})
        EXPECT_EQ(m_dc.GetPixel(p.x, p.y), (p.x + p.y) % 2 == 0 ? kRed : kBlue) << p.x << "," << p.y;
}
