// Pen and key editing through the document as the view drives it: drags in
// the Measurement mode, the entrance pinned while the room hangs in the
// plan, refused pen and key steps taken back, a camera moved in the plan
// taking its room's camera along, and a drag of a corner of a room measured
// from another corner.
#include <cmath>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "settings.h"
#include "headless_driver.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "measurement_mode.h"
#include "picture_support.h"
#include "zup_camera.h"
#include "zup_opening.h"

namespace {

class PenEditingTest : public LevelTest {
protected:
    CMeasurementMode* Measure() { return dynamic_cast<CMeasurementMode*>(document->GetEditMode()); }

    // A wall without objects whose wall before it has none either.
    ZupEdge* FreeWallAfterAFreeWall()
    {
        std::vector<ZupEdge*> walls;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            walls.push_back(e);
        for (ZupEdge* e : walls)
            if (ZupEdge* before = WallBefore(e); before && e->GetNumOfObjects() == 0 && before->GetNumOfObjects() == 0)
                return e;
        return nullptr;
    }
    // The wall that ends where the given wall starts.
    ZupEdge* WallBefore(ZupEdge* wall)
    {
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            if (e->GetEnd() == wall->GetStart())
                return e;
        return nullptr;
    }
    // Selects, in the Measurement mode, the length shown along a wall.
    int SelectLengthOf(ZupEdge* wall)
    {
        const point centre = wall->GetGeoCenter();
        const int index = Room()->FindReferenceDimensionAt(wall, centre.x(), centre.y());
        if (index >= 0) {
            Measure()->SetSelection(index);
            Measure()->FillValueList();
        }
        return index;
    }
    // A pen drag in steps of 6 inches; false when a step was refused.
    bool Drag(point from, point to)
    {
        if (!document->OnPenDown(from.x(), from.y(), 6))
            return false;
        bool solved = true;
        const int steps = std::max(1, static_cast<int>(std::ceil(GeoDistance(from, to) / 6.0)));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            solved = document->OnPenMove(from.x() + t * (to.x() - from.x()), from.y() + t * (to.y() - from.y())) &&
                     solved;
        }
        document->OnPenUp();
        return solved;
    }
    // The unit normal of a wall, pointing out of the room's centre.
    point Outward(ZupEdge* wall)
    {
        const point a = wall->GetStart()->GetPoint();
        const point b = wall->GetEnd()->GetPoint();
        const double length = GeoDistance(a, b);
        point n((b.y() - a.y()) / length, -(b.x() - a.x()) / length);
        const point centre = wall->GetGeoCenter();
        Room()->CalculateExtents();
        const point middle((Room()->GetMinX() + Room()->GetMaxX()) / 2, (Room()->GetMinY() + Room()->GetMaxY()) / 2);
        if ((centre.x() - middle.x()) * n.x() + (centre.y() - middle.y()) * n.y() < 0)
            n = point(-n.x(), -n.y());
        return n;
    }
    // The rectangle joined to the plan and edited again in the Measurement
    // mode with every length given, the entrance wall's length selected.
    void JoinWithEveryLengthGiven(ZupEdge*& entranceWall)
    {
        DrawRectangle();
        ASSERT_TRUE(document->CloseRoom());
        document->m_roomView = true;
        ASSERT_TRUE(document->SetEditMode(2));
        entranceWall = Room()->GetEntrance()->GetEdge();
        for (int i = 0; i < Room()->GetNumOfDimensions(); ++i)
            if (KorDimension* d = Room()->GetDimension(i, nullptr); d && !d->IsEnabled()) {
                ASSERT_TRUE(FixDimension(d, d->GetImplementedValue()));
            }
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_GE(SelectLengthOf(entranceWall), 0);
    }
    std::vector<point> Corners()
    {
        std::vector<point> corners;
        for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
            corners.push_back(e->GetStart()->GetPoint());
        return corners;
    }
    HeadlessDriver driver;
};

}  // namespace

// A wall dragged 24 inches out in the Measurement mode: the selected length
// is freed while the pen moves and given its new whole value at pen-up.
TEST_F(PenEditingTest, AMeasurementDragGivesTheSelectedLengthItsNewValue)
{
    DrawRectangle();
    ASSERT_TRUE(document->SetEditMode(2));
    ZupEdge* wall = FreeWallAfterAFreeWall();
    ASSERT_NE(wall, nullptr);
    ZupEdge* side = WallBefore(wall);
    ASSERT_NE(side, nullptr);
    ASSERT_GE(SelectLengthOf(side), 0);
    KorDimension* length = Measure()->m_current;
    ASSERT_NE(length, nullptr);
    const double before = length->GetImplementedValue();
    const double minWall = Room()->MinWallLength();

    const point centre = wall->GetGeoCenter();
    const point out = Outward(wall);
    ASSERT_TRUE(document->OnPenDown(centre.x(), centre.y(), 6));
    EXPECT_EQ(Room()->MinWallLength(), 0.0);
    for (int step = 1; step <= 4; ++step) {
        ASSERT_TRUE(document->OnPenMove(centre.x() + 6.0 * step * out.x(), centre.y() + 6.0 * step * out.y()));
    }
    EXPECT_FALSE(length->IsEnabled()) << "freed while the pen moves";
    // Drawn while the pen moves: the wall where the pen is, none where it
    // was (model point (x, y) at pixel (20 + x / 2, 300 - y / 2)).
    const Picture dragging =
        TakePicture([&](CScaledDC& dc) { document->DrawPlan(dc); }, 0.5f, 20, 300);
    const point now(centre.x() + 24.0 * out.x(), centre.y() + 24.0 * out.y());
    auto inkAt = [&](const point& p) {
        int ink = 0;
        const int px = 20 + static_cast<int>(std::lround(p.x() / 2)), py = 300 - static_cast<int>(std::lround(p.y() / 2));
        for (int y = py - 1; y <= py + 1; ++y)
            for (int x = px - 1; x <= px + 1; ++x)
                ink += dragging.At(x, y) == RGB(0, 0, 0) ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkAt(now), 0);
    EXPECT_EQ(inkAt(centre), 0);
    document->OnPenUp();

    EXPECT_FALSE(IsPickActive());
    EXPECT_EQ(Room()->MinWallLength(), static_cast<double>(static_cast<float>(minWall)));
    ASSERT_TRUE(length->IsEnabled());
    EXPECT_NEAR(length->GetValue(), std::round(before + 24.0), 1e-6);
    EXPECT_NEAR(length->GetImplementedValue(), std::round(before + 24.0), 1e-3);
    EXPECT_FLOAT_EQ(Measure()->m_value, static_cast<float>(std::round(before + 24.0)));
}

// A length taken over from the plan (an opening's width) is never dragged.
TEST_F(PenEditingTest, ALengthFromThePlanRefusesTheDrag)
{
    DrawRectangle();
    ASSERT_TRUE(document->SetEditMode(2));
    ZupEdge* wall = FreeWallAfterAFreeWall();
    ASSERT_GE(SelectLengthOf(WallBefore(wall)), 0);
    Measure()->m_current->SetLayer(3);
    const point centre = wall->GetGeoCenter();
    EXPECT_FALSE(document->OnPenDown(centre.x(), centre.y(), 6));
    EXPECT_FALSE(IsPickActive());
}

// With the room joined to the plan, a Measurement drag pins the entrance:
// its ends stay where they are and are free again after pen-up.
TEST_F(PenEditingTest, AMeasurementDragPinsTheEntranceOfAJoinedRoom)
{
    DrawRectangle();
    ASSERT_TRUE(document->CloseRoom());
    ASSERT_GT(document->m_plan.GetNumOfOpenings(), 0);
    document->m_roomView = true;
    ASSERT_TRUE(document->SetEditMode(2));
    ZupOpening* entrance = Room()->GetEntrance();
    ASSERT_NE(entrance, nullptr);
    ZupEdge* entranceWall = entrance->GetEdge();
    ZupEdge* side = nullptr;
    for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
        if (e->GetStart() == entranceWall->GetEnd())
            side = e;
    ASSERT_NE(side, nullptr);
    // Every length free: only the pinned entrance holds the room.
    for (int i = 0; i < Room()->GetNumOfDimensions(); ++i)
        Room()->GetDimension(i, nullptr)->SetEnabled(false);
    ASSERT_GE(SelectLengthOf(entranceWall), 0);
    const point a = entrance->GetStart()->GetPoint();
    const point b = entrance->GetEnd()->GetPoint();

    const point centre = side->GetGeoCenter();
    const point out = Outward(side);
    ASSERT_TRUE(document->OnPenDown(centre.x(), centre.y(), 6));
    EXPECT_FALSE(entrance->GetStart()->IsMovable());
    EXPECT_FALSE(entrance->GetEnd()->IsMovable());
    for (int step = 1; step <= 3; ++step)
        document->OnPenMove(centre.x() + 6.0 * step * out.x(), centre.y() + 6.0 * step * out.y());
    document->OnPenUp();
    EXPECT_TRUE(entrance->GetStart()->IsMovable());
    EXPECT_TRUE(entrance->GetEnd()->IsMovable());
    EXPECT_NEAR(GeoDistance(entrance->GetStart()->GetPoint(), a), 0.0, 1e-6);
    EXPECT_NEAR(GeoDistance(entrance->GetEnd()->GetPoint(), b), 0.0, 1e-6);
    EXPECT_GT(GeoDistance(side->GetGeoCenter(), centre), 12.0) << "the side wall went out";
}

// A pen step the solver refuses beeps and leaves the room as before it; the
// drag goes on with the next move.
TEST_F(PenEditingTest, ARefusedPenStepIsTakenBack)
{
    ZupEdge* entranceWall = nullptr;
    ASSERT_NO_FATAL_FAILURE(JoinWithEveryLengthGiven(entranceWall));
    // The wall facing the entrance cannot move while its sides keep their
    // lengths and the entrance is pinned.
    ZupEdge* facing = nullptr;
    for (ZupEdge* e = Room()->Get1stEdge(); e; e = Room()->GetNextEdge())
        if (e->GetStart() != entranceWall->GetEnd() && e->GetEnd() != entranceWall->GetStart() && e != entranceWall)
            facing = e;
    ASSERT_NE(facing, nullptr);
    const std::vector<point> before = Corners();
    const point centre = facing->GetGeoCenter();
    const point out = Outward(facing);
    const int beeps = driver.Beeps();
    ASSERT_TRUE(document->OnPenDown(centre.x(), centre.y(), 6));
    EXPECT_FALSE(document->OnPenMove(centre.x() + 12.0 * out.x(), centre.y() + 12.0 * out.y()));
    EXPECT_EQ(driver.Beeps(), beeps + 1);
    const std::vector<point> after = Corners();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_NEAR(GeoDistance(after[i], before[i]), 0.0, 1e-6) << i;
    }
    // Along the wall it may still go.
    EXPECT_TRUE(document->OnPenMove(centre.x(), centre.y()));
    document->OnPenUp();
    EXPECT_FALSE(IsPickActive());
}

// A key step the solver refuses beeps, ends the stepping and takes the
// step back: the value as before and the length released.
TEST_F(PenEditingTest, ARefusedKeyStepIsUndone)
{
    ZupEdge* entranceWall = nullptr;
    ASSERT_NO_FATAL_FAILURE(JoinWithEveryLengthGiven(entranceWall));
    // The entrance wall cannot grow while the wall facing it keeps its
    // length and the sides stay square.
    Room()->SetEntranceNodesMovable(false);
    const std::vector<point> before = Corners();
    const float value = Measure()->m_value;
    const int beeps = driver.Beeps();
    ASSERT_TRUE(document->StartKeyStep(1));
    document->SetKeyStep(4);
    EXPECT_FALSE(document->KeyStep());
    document->EndDrag(false);
    Room()->SetEntranceNodesMovable(true);
    EXPECT_EQ(driver.Beeps(), beeps + 1);
    EXPECT_FLOAT_EQ(Measure()->m_value, value);
    EXPECT_FALSE(Measure()->m_current->IsEnabled());
    const std::vector<point> after = Corners();
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_NEAR(GeoDistance(after[i], before[i]), 0.0, 1e-6) << i;
    }
}

// A camera moved in the plan takes its room's camera of the same name to
// the same place at pen-up.
TEST_F(PenEditingTest, ACameraMovedInThePlanMovesItsRoomsCamera)
{
    DrawRectangle();
    ZupCamera* roomCamera = Room()->CreateCamera(100.0, 150.0);
    ASSERT_NE(roomCamera, nullptr);
    ASSERT_TRUE(document->CloseRoom());
    document->m_roomView = false;
    const std::string name = static_cast<ZupObject*>(roomCamera)->GetName();
    ZupCamera* planCamera = document->m_plan.GetCamera(name.c_str());
    ASSERT_NE(planCamera, nullptr);
    const point at = static_cast<KorNode*>(static_cast<ZupRoomObject*>(planCamera))->GetPoint();
    EXPECT_FALSE(document->OnPenDown(at.x(), at.y(), 6));
    ASSERT_NE(document->m_selectedRoomObject, nullptr);
    EXPECT_TRUE(document->OnPenMove(at.x() + 30.0, at.y() - 20.0));
    document->OnPenUp();
    EXPECT_EQ(document->m_selectedRoomObject, nullptr);
    const point moved = static_cast<KorNode*>(static_cast<ZupRoomObject*>(roomCamera))->GetPoint();
    EXPECT_NEAR(moved.x(), at.x() + 30.0, 1e-9);
    EXPECT_NEAR(moved.y(), at.y() - 20.0, 1e-9);
}

// A selected camera turns by 3 degrees a key step, without a drag.
TEST_F(PenEditingTest, AKeyStepTurnsASelectedCamera)
{
    DrawRectangle();
    ASSERT_TRUE(document->SetEditMode(2));
    ZupCamera* camera = Room()->CreateCamera("1", 100.0, 150.0, 90);
    ASSERT_NE(camera, nullptr);
    document->m_selectedRoomObject = camera;
    ASSERT_TRUE(document->StartKeyStep(-1));
    ASSERT_TRUE(document->KeyStep());
    ASSERT_TRUE(document->KeyStep());
    EXPECT_NEAR(camera->GetDirection().deg(), 84.0, 1e-6);
}

// A room measured from a corner (the current node): while another corner is
// dragged, the solver takes the length from the current corner to the
// dragged one first, then walks on from the dragged corner; the drag keeps
// every given length.
TEST_F(PenEditingTest, LengthsAreOrderedAroundADraggedCorner)
{
    ASSERT_TRUE(document->InsertShape(4, 0));
    document->PlaceEntrance(nullptr);
    // Resolved keeping its entrance, the room gets its lengths from the
    // current corner to the others.
    ASSERT_TRUE(Room()->ResolveKeepingEntrance(true, false));
    KorNode* current = Room()->GetCurrentNode();
    ASSERT_NE(current, nullptr);
    ASSERT_TRUE(document->SetEditMode(2));
    // The corner across from the current one, and the length between them.
    KorNode* across = nullptr;
    double farthest = 0.0;
    for (KorNode* node : Room()->GetNodes())
        if (node->GetNumOfPrimitives() >= 2 && GeoDistance(node->GetPoint(), current->GetPoint()) > farthest) {
            farthest = GeoDistance(node->GetPoint(), current->GetPoint());
            across = node;
        }
    ASSERT_NE(across, nullptr);
    KorDimension* diagonal = Room()->GetDimension(current, across, false);
    ASSERT_NE(diagonal, nullptr);
    ASSERT_TRUE(FixDimension(diagonal, diagonal->GetImplementedValue()));
    ASSERT_TRUE(Room()->Resolve());
    // The selected length is one the drag may free: not the diagonal.
    for (int i = 0; i < Room()->GetNumOfDimensions(); ++i)
        if (Room()->GetDimension(i, nullptr) != diagonal && document->IsDimensionVisible(i)) {
            Measure()->SetSelection(i);
            break;
        }
    std::vector<KorDimension*> given;
    for (KorDimension* d : Room()->GetReferenceDimensions())
        if (d->IsEnabled() && d != Room()->GetDimension(Measure()->GetSelection(), nullptr))
            given.push_back(d);

    const point from = across->GetPoint();
    ASSERT_TRUE(document->OnPenDown(from.x(), from.y(), 6));
    ASSERT_EQ(Room()->mDragNode, across);
    // Across the diagonal, so that its length can hold.
    const point c = current->GetPoint();
    const double dx = from.x() - c.x(), dy = from.y() - c.y();
    const double length = std::hypot(dx, dy);
    const point to(from.x() - 6.0 * dy / length, from.y() + 6.0 * dx / length);
    const bool solved = document->OnPenMove(to.x(), to.y());
    const std::vector<KorDimension*>& order = Room()->GetDimensions();
    ASSERT_GT(static_cast<int>(order.size()), Room()->GetSolverDimensionCount());
    EXPECT_EQ(order[static_cast<std::size_t>(Room()->GetSolverDimensionCount())], diagonal);
    document->OnPenUp();
    EXPECT_TRUE(solved);
    // Held within the model's snap, as every solved length is.
    EXPECT_LT(std::fabs(diagonal->GetImplementedValue() - diagonal->GetValue()), GeoSnap());
    for (KorDimension* d : given)
        if (d->IsEnabled()) {
            EXPECT_LT(std::fabs(d->GetImplementedValue() - d->GetValue()), GeoSnap());
        }
}
