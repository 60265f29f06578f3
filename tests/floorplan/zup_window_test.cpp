// Windows: the bay outline, the defaults in both unit systems, the word.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "polygon.h"
#include "zup_fixture.h"
#include "zup_window.h"

namespace {

class ZupWindowTest : public ZupTest {};

struct BayCase {
    int panes;
    int vertices;
    double radiusShare;  // c / L for the pane count (five or more: five)
};

// The bay on (0,0)-(300,0) facing 90 degrees projects toward -y.
TEST_F(ZupWindowTest, BayOutlineByPanes)
{
    const BayCase cases[] = {
        {1, 0, 0.0}, {2, 3, 0.5747126}, {3, 4, 0.3968254}, {7, 6, 0.2347418},
    };
    for (const BayCase& c : cases) {
        SCOPED_TRACE(c.panes);
        point start(0.0, 0.0), end(300.0, 0.0), centre(150.0, 0.0);
        angle in(90.0);
        polygon out;
        ASSERT_EQ(ZupWindow::CalculateBay(out, start, end, centre, in, c.panes), c.vertices);
        if (c.vertices == 0)
            continue;
        const double r = c.radiusShare * 300.0;
        EXPECT_EQ(point(out[0]), start);
        EXPECT_EQ(point(out[static_cast<short>(c.vertices - 1)]), end);
        const point first(out[1]);
        if (c.panes == 2) {
            // From the centre straight out to the circle about the start.
            EXPECT_NEAR(first.x(), 150.0, 1e-6);
            EXPECT_NEAR(first.y(), -std::sqrt(r * r - 150.0 * 150.0), 1e-6);
            continue;
        }
        EXPECT_NEAR(first.x(), 0.76 * r, 1e-6);
        EXPECT_NEAR(first.y(), -r * std::sqrt(1.0 - 0.76 * 0.76), 1e-6);
        // The last inner vertex mirrors the first about x = 150.
        const point lastInner(out[static_cast<short>(c.vertices - 2)]);
        EXPECT_NEAR(lastInner.x(), 300.0 - first.x(), 1e-6);
        EXPECT_NEAR(lastInner.y(), first.y(), 1e-6);
        if (c.panes == 7) {
            const point second(out[2]);
            EXPECT_NEAR(second.x(), first.x() + 0.87 * r, 1e-6);
            EXPECT_NEAR(second.y(), first.y() - r * std::sqrt(1.0 - 0.87 * 0.87), 1e-6);
            EXPECT_NEAR(point(out[3]).x(), 300.0 - second.x(), 1e-6);
        }
    }
}

TEST_F(ZupWindowTest, FourPanesMeetOnTheMirrorLine)
{
    point start(0.0, 0.0), end(300.0, 0.0), centre(150.0, 0.0);
    angle in(90.0);
    polygon out;
    ASSERT_EQ(ZupWindow::CalculateBay(out, start, end, centre, in, 4), 5);
    EXPECT_NEAR(point(out[2]).x(), 150.0, 0.01);
}

TEST_F(ZupWindowTest, DefaultsFollowTheUnitSystem)
{
    struct Row {
        bool metric;
        int depth, straightLarge, straight, bayLarge, bay;
    };
    for (const Row& r : {Row{true, 14, 87, 50, 150, 80}, Row{false, 6, 35, 20, 70, 30}}) {
        ZupObject::SetMetric(r.metric);
        EXPECT_EQ(ZupWindow::GetDefaultDepth(), r.depth);
        EXPECT_EQ(ZupWindow::GetDefaultWidth(0, true), r.straightLarge);
        EXPECT_EQ(ZupWindow::GetDefaultWidth(0, false), r.straight);
        EXPECT_EQ(ZupWindow::GetDefaultWidth(1, true), r.bayLarge);
        EXPECT_EQ(ZupWindow::GetDefaultWidth(1, false), r.bay);
    }
    EXPECT_EQ(ZupWindow::GetDefaultPanes(0), 1);
    EXPECT_EQ(ZupWindow::GetDefaultPanes(1), 3);
}

TEST_F(ZupWindowTest, NewWindowAndItsWordCarryPanes)
{
    ZupObject::SetMetric(true);
    ZupFloor floor;
    ZupWindow window(&floor);
    EXPECT_EQ(window.GetDepth(), 14);
    EXPECT_EQ(window.GetPanes(), 1);
    EXPECT_TRUE(window.IsWindow());
    EXPECT_STREQ(window.GetTypeName(), "Window");
    EXPECT_EQ(window.GetObjectType(), 1);
    window.SetPanes(3);
    unsigned word = 0;
    window.SetUODDepth(word);
    EXPECT_EQ(word, 3u * 4096u);
    window.SetType(1);
    EXPECT_TRUE(window.HasInterior());
    window.SetType(0);
    EXPECT_FALSE(window.HasInterior());
}

// A bay of many panes on a wall: the extents take a vertex of the outline,
// never one past its end.
TEST_F(ZupWindowTest, BayOfTwelvePanesWidensTheExtentsSafely)
{
    ZupObject::SetMetric(true);
    ZupFloor floor;
    ZupNode* a = Node(floor, 0.0, 0.0);
    ZupNode* b = Node(floor, 400.0, 0.0);
    Wall(floor, a, b);
    auto* window = new ZupWindow(&floor);
    point p(200.0, 0.0);
    ASSERT_TRUE(window->Create(&floor, p, nullptr, false));
    window->SetType(1);
    window->SetPanes(12);
    polygon bay;
    ASSERT_EQ(window->CalculateBay(bay), 6);
    window->ModifyExtents();
    delete window;
}

}  // namespace
