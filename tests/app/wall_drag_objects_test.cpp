// Doors and windows on the walls next to a dragged wall: what the user gave
// them stays, their widths stay, and none is carried past another or off
// its wall.
#include <algorithm>
#include <cmath>
#include <vector>

#include "c_property_sheet.h"
#include "dimension_values.h"
#include "distances.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_nn_distance.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "object_sheet_state.h"
#include "object_sheet_templates.h"
#include "zup_opening.h"
#include "zup_window.h"

namespace {

// Which distance of the door near the top wall's left end and of the window
// near the bottom wall's right end the user gave: none, the one from the
// wall's start node, the one to its end node.
enum class Given { kNone, kFromStart, kToEnd };

class WallDragObjectsTest : public LevelTest {
protected:
    // The shipped rectangle with its entrance in the middle of the bottom
    // wall, a door put on the top wall near its left end through the New
    // Wall Object sheet and a window on the bottom wall near its right end.
    void Furnish(Given given)
    {
        DrawRectangle();
        top = Room()->GetEdge(100.0, 300.0);
        bottom = Room()->GetEdge(100.0, 0.0);
        ASSERT_NE(top, nullptr);
        ASSERT_NE(bottom, nullptr);
        lastDoorKind = 1;
        lastObjectKind = -1;
        driver.OnDialog(ObjectSheetIds::kNewDoorPage, [](CWnd* window, HeadlessDriver&) {
            dynamic_cast<CPropertySheet*>(window)->PressButton(PSBTN_OK);
        });
        document->NewWallObject(top, 40.0, 300.0);
        ZupWindow* window = Room()->CreateWallWindow(160.0, 0.0);
        ASSERT_NE(window, nullptr);
        window->CreateWidthDimension();
        bottom->SetObjectsPosition(-1.0f);
        bottom->ModifyLengthDim(-1.0f);
        ASSERT_TRUE(Room()->Resolve());
        for (ZupEdge* wall : {top, bottom}) {
            ZupWallObject* object = wall->GetWallObject(wall->GetNumOfObjects() - 1);
            ASSERT_NE(object, nullptr);
            KorDimension* d = given == Given::kFromStart ? object->GetPosDimension()
                              : given == Given::kToEnd   ? wall->GetNextDim(object)
                                                         : nullptr;
            if (d) {
                ASSERT_TRUE(FixDimensionHere(d));
                givenDistances.push_back(d);
            }
        }
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_TRUE(document->SetEditMode(1));
    }

    // Each object of the wall as the stretch it covers, measured along the
    // wall from its start node, in the wall's order.
    static std::vector<std::pair<double, double>> Stretches(ZupEdge* wall)
    {
        const point s = wall->GetStart()->GetPoint();
        std::vector<std::pair<double, double>> stretches;
        for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
            ZupWallObject* o = wall->GetWallObject(k);
            const double a = GeoDistance(s, o->GetStart()->GetPoint());
            const double b = GeoDistance(s, o->GetEnd()->GetPoint());
            stretches.emplace_back(std::min(a, b), std::max(a, b));
        }
        return stretches;
    }

    HeadlessDriver driver;
    ZupEdge* top = nullptr;
    ZupEdge* bottom = nullptr;
    std::vector<KorDimension*> givenDistances;
};

}  // namespace

TEST_F(WallDragObjectsTest, ObjectsOnTheStretchedWallsKeepWhatTheyHave)
{
    const struct {
        const char* what;
        Given given;
    } givens[] = {{"nothing given", Given::kNone},
                  {"the distance from the wall's start given", Given::kFromStart},
                  {"the distance to the wall's end given", Given::kToEnd}};
    for (const auto& g : givens)
        for (const double dx : {30.0, 60.0, -30.0}) {
            SCOPED_TRACE(testing::Message() << g.what << ", the right wall moved " << dx);
            document = std::make_unique<CReplDoc>();
            document->ResetLevel();
            givenDistances.clear();
            Furnish(g.given);
            std::vector<double> values;
            for (KorDimension* d : givenDistances)
                values.push_back(d->GetValue());
            const auto topBefore = Stretches(top);
            const auto bottomBefore = Stretches(bottom);
            ASSERT_TRUE(PenDrag(point(200, 150), point(200 + dx, 150)));
            const point corner = top->GetStart()->GetPoint();
            EXPECT_GT(std::fabs(corner.x() - 200.0), 1.0) << "the wall moved";

            for (std::size_t i = 0; i < givenDistances.size(); ++i) {
                EXPECT_TRUE(givenDistances[i]->IsEnabled());
                EXPECT_NEAR(givenDistances[i]->GetValue(), values[i], 1e-6);
                EXPECT_NEAR(givenDistances[i]->GetImplementedValue(), values[i], 0.01) << "a given distance kept";
            }
            for (const auto& [wall, before] : {std::pair{top, topBefore}, std::pair{bottom, bottomBefore}}) {
                const auto after = Stretches(wall);
                ASSERT_EQ(after.size(), before.size());
                const double length = GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
                double reached = -0.01;
                for (std::size_t k = 0; k < after.size(); ++k) {
                    EXPECT_NEAR(after[k].second - after[k].first, before[k].second - before[k].first, 0.01)
                        << "object " << k << " keeps its width";
                    EXPECT_GE(after[k].first, reached) << "object " << k << " stays after the one before it";
                    reached = after[k].second - 0.01;
                }
                EXPECT_LE(reached, length) << "on its wall";
            }
        }
}
// In a room whose lengths are given, a door and a window put on its walls
// through the New Wall Object sheet have their distances given as well:
// each of them holds when the right wall is dragged out (the door near the
// top wall's left end went along with the dragged wall, 30 from its given
// distance).
TEST_F(WallDragObjectsTest, GivenDistancesHoldInARoomOfGivenLengths)
{
    for (const double dx : {30.0, -20.0}) {
        SCOPED_TRACE(dx);
        document = std::make_unique<CReplDoc>();
        document->ResetLevel();
        DrawRectangle();
        Room()->EnableNeededDimensions();
        ASSERT_TRUE(Room()->Resolve());
        top = Room()->GetEdge(100.0, 300.0);
        bottom = Room()->GetEdge(100.0, 0.0);
        lastDoorKind = 1;
        lastObjectKind = -1;
        driver.OnDialog(ObjectSheetIds::kNewDoorPage, [](CWnd* window, HeadlessDriver&) {
            dynamic_cast<CPropertySheet*>(window)->PressButton(PSBTN_OK);
        });
        document->NewWallObject(top, 40.0, 300.0);
        lastObjectKind = SheetCategory::kWindow;
        driver.OnDialog(ObjectSheetIds::kNewObjectPage, [](CWnd* window, HeadlessDriver&) {
            dynamic_cast<CPropertySheet*>(window)->PressButton(PSBTN_OK);
        });
        document->NewWallObject(bottom, 170.0, 0.0);
        ASSERT_EQ(top->GetNumOfObjects(), 1);
        ASSERT_EQ(bottom->GetNumOfObjects(), 2);
        ASSERT_TRUE(document->SetEditMode(1));
        ASSERT_TRUE(PenDrag(point(200, 150), point(200 + dx, 150)));
        int given = 0;
        for (ZupEdge* wall : {top, bottom})
            for (int k = 0; k < wall->GetNumOfObjects(); ++k) {
                ZupWallObject* o = wall->GetWallObject(k);
                KorDimension* distances[] = {o->GetPosDimension(), o->GetWidthDimension(), wall->GetNextDim(o)};
                for (KorDimension* d : distances) {
                    if (!d || !d->IsEnabled())
                        continue;
                    ++given;
                    EXPECT_NEAR(d->GetImplementedValue(), d->GetValue(), 0.01)
                        << o->GetTypeName() << " " << k << " on the wall from (" << wall->GetStart()->GetPoint().x()
                        << ", " << wall->GetStart()->GetPoint().y() << ")";
                }
            }
        EXPECT_GE(given, 5) << "the sheets gave the objects their distances";
    }
}
