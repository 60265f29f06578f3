#include <algorithm>
#include <cmath>
#include <vector>

#include "distances.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "zup_edge.h"
#include "zup_node.h"

namespace {

// The first room of a level, the shipped rectangle (200 x 300) with its
// entrance, in the Door mode as it comes up after the New Room dialog.
class DoorDragLeaveTest : public LevelTest {
protected:
    void SetUp() override
    {
        LevelTest::SetUp();
        DrawRectangle();
        ASSERT_TRUE(document->SetEditMode(1));
    }

    // A drag with the pen in steps of about 6 inches.
    void Drag(point from, point to) { ASSERT_TRUE(PenDrag(from, to)); }

    std::vector<point> Corners()
    {
        std::vector<point> corners;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            corners.push_back(e->GetStart()->GetPoint());
        return corners;
    }

    HeadlessDriver driver;
};

void ExpectSameCorners(const std::vector<point>& got, const std::vector<point>& expected)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x(), expected[i].x(), 1e-3) << "corner " << i;
        EXPECT_NEAR(got[i].y(), expected[i].y(), 1e-3) << "corner " << i;
    }
}

}  // namespace

// What the user drags in the Door mode stays when the room moves on to the
// Measurement or the Exit mode, however close to upright or level the
// dragged walls end up: the dimensions then measure the walls as dragged.
TEST_F(DoorDragLeaveTest, ADragStaysWhenTheModeIsLeft)
{
    const struct {
        const char* what;
        point from;
        point to;
    } drags[] = {
        {"a corner out 20 by 20", point(200, 300), point(220, 320)},
        {"a corner out 36 by 36", point(200, 300), point(236, 336)},
        {"a corner in 20 by 20", point(200, 300), point(180, 280)},
        {"a corner right 20", point(200, 300), point(220, 300)},
        {"a corner right 60", point(200, 300), point(260, 300)},
        {"a corner up 30", point(200, 300), point(200, 330)},
        {"a corner out 45 by 10", point(200, 300), point(245, 310)},
        {"the top wall up 20", point(100, 300), point(100, 320)},
        {"the right wall out 50", point(200, 150), point(250, 150)},
    };
    const struct {
        const char* what;
        std::vector<int> modes;
    } routes[] = {
        {"to Measurement", {2}},
        {"to Exit", {3}},
        {"to Measurement, then Exit", {2, 3}},
    };
    for (const auto& route : routes)
        for (const auto& drag : drags) {
            SCOPED_TRACE(std::string(drag.what) + ", " + route.what);
            document->ResetLevel();
            DrawRectangle();
            ASSERT_TRUE(document->SetEditMode(1));
            Drag(drag.from, drag.to);
            const std::vector<point> dragged = Corners();
            ASSERT_NE(dragged, std::vector<point>({point(0, 0), point(200, 0), point(200, 300), point(0, 300)}));
            for (int mode : route.modes)
                ASSERT_TRUE(document->SetEditMode(mode));
            ExpectSameCorners(Corners(), dragged);
            for (int i = 0; i < Room()->GetNumOfDimensions(); ++i) {
                KorDimension* d = Room()->GetDimension(i, nullptr);
                EXPECT_NEAR(d->GetValue(), d->GetImplementedValue(), 1e-3) << "dimension " << i;
            }
        }
}
