// The drawable object classes: copies of a room's objects, made when the
// room is merged into a plan or cloned on their own, are again drawable
// and keep what the model copies.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeindex>
#include <typeinfo>

#include "../floorplan/zup_room_fixture.h"
#include "metric_unit.h"
#include "plan_room_objects.h"
#include "plan_wall_objects.h"
#include "room_type_catalog.h"
#include "xml_element.h"
#include "exchange_settings.h"
#include "zup_camera.h"
#include "zup_edge.h"
#include "zup_node.h"
#include "zup_object_points.h"
#include "zup_partition.h"

namespace {

using zup_points::KeepIfPlaced;

// A room whose factory makes the drawable classes, as the room model does.
class DrawableFloor : public ZupFloor {
public:
    ZupOpening* CreateOpening(const char* name, int type, double x, double y) override
    {
        auto* opening = new CPlanOpening(this, name, type);
        point p(x, y);
        return KeepIfPlaced(opening, opening->Create(this, p, nullptr, true));
    }
    using ZupFloor::CreateOpening;
    ZupCamera* CreateCamera(const char* name, double x, double y, int degrees) override
    {
        auto* camera = new CPlanCamera();
        angle direction(static_cast<double>(degrees));
        return KeepIfPlaced(camera, camera->Create(this, x, y, &direction, true, name));
    }
    using ZupFloor::CreateCamera;
    ZupIsland* CreateIsland(double x, double y) override { return Stand(new CPlanIsland(), x, y); }
    ZupColumn* CreateColumn(double x, double y) override { return Stand(new CPlanColumn(), x, y); }
    ZupSpiralStair* CreateSpiralStair(double x, double y) override
    {
        return Stand(new CPlanSpiralStair(), x, y);
    }
    ZupFireplace* CreateFireplace(double x, double y) override
    {
        return Stand(new CPlanFireplace(), x, y);
    }
    using ZupFloor::CreateFireplace;

    // A wall object dropped on the wall under (x, y).
    template <class T>
    T* Place(T* object, double x, double y)
    {
        point p(x, y);
        return KeepIfPlaced(object, object->ZupWallObject::Create(this, p, nullptr, false));
    }

private:
    template <class T>
    T* Stand(T* object, double x, double y)
    {
        return KeepIfPlaced(object, object->ZupRoomObject::Create(this, x, y, nullptr, true));
    }
};

class PlanObjectsTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ResetRoomTypeCatalog();
        ResetExchangeSettings();
        ZupMetric() = true;
        room = std::make_unique<DrawableFloor>();
        SketchRectangle(*room, 400, 300);
        room->SetName("Kitchen");
    }
    void TearDown() override
    {
        room.reset();
        ResetRoomTypeCatalog();
        ResetExchangeSettings();
        ZupTest::TearDown();
    }
    ZupNode* Corner(double x, double y) { return room->GetNode(x, y, true); }

    std::unique_ptr<DrawableFloor> room;
};

// Every object of a floor by its model type name, with its dynamic class.
std::multimap<std::string, std::type_index> ObjectClasses(ZupFloor& floor)
{
    std::multimap<std::string, std::type_index> classes;
    std::set<ZupObject*> seen;
    auto note = [&](ZupObject* object) {
        if (object && seen.insert(object).second)
            classes.emplace(object->GetTypeName(), std::type_index(typeid(*object)));
    };
    for (ZupEdge* wall = floor.Get1stEdge(); wall; wall = floor.GetNextEdge())
        for (int i = 0; i < wall->GetNumOfObjects(); ++i)
            note(wall->GetWallObject(i));
    for (KorNode* node : floor.GetNodes())
        if (auto* wallNode = dynamic_cast<ZupNode*>(node))
            note(wallNode->GetNodeObject(nullptr));
    for (int i = 0; i < floor.GetNumOfObjects(); ++i)
        note(floor.GetRoomObject(i));
    return classes;
}

TEST_F(PlanObjectsTest, MergedRoomKeepsEveryObjectDrawable)
{
    ZupOpening* door = room->CreateOpening("A", 1, 200.0, 0.0);
    ASSERT_NE(door, nullptr);
    room->SetEntrance(door);
    auto* stair = new CPlanStairOpening(room.get());
    ASSERT_TRUE(stair->Create(door));
    auto* fireplace = new CPlanWallFireplace(room.get());
    point f(400.0, 100.0);
    ASSERT_TRUE(KeepIfPlaced(fireplace, fireplace->Create(room.get(), f)));
    ASSERT_NE(room->Place(new CPlanWindow(room.get()), 120.0, 300.0), nullptr);
    ASSERT_NE(room->Place(new CPlanBathObject(room.get()), 290.0, 300.0), nullptr);
    ASSERT_NE(room->Place(new CPlanUtilityObject(room.get()), 0.0, 90.0), nullptr);
    ASSERT_NE(room->Place(new CPlanCountertop(room.get()), 0.0, 210.0), nullptr);
    ASSERT_NE(room->Place(new CPlanStructural(room.get()), 400.0, 210.0), nullptr);
    auto* corner = new CPlanNodeObject(room.get(), 0, -1);
    ASSERT_TRUE(KeepIfPlaced(corner, corner->Create(Corner(0, 300))));
    ASSERT_NE(room->CreateCamera("1", 200.0, 150.0, 90), nullptr);
    ASSERT_NE(room->CreateIsland(120.0, 150.0), nullptr);
    ASSERT_NE(room->CreateColumn(300.0, 80.0), nullptr);
    ASSERT_NE(room->CreateSpiralStair(300.0, 200.0), nullptr);
    ASSERT_NE(room->CreateFireplace(80.0, 80.0), nullptr);
    const auto before = ObjectClasses(*room);

    ZupFloor plan;
    ASSERT_NE(plan.Create(room.get()), nullptr);
    const auto after = ObjectClasses(plan);

    const std::map<std::string, std::type_index> expected = {
        {"Opening", typeid(CPlanOpening)},       {"Stair", typeid(CPlanStairOpening)},
        {"Window", typeid(CPlanWindow)},         {"BathObject", typeid(CPlanBathObject)},
        {"Utility", typeid(CPlanUtilityObject)}, {"Countertop", typeid(CPlanCountertop)},
        {"Corner", typeid(CPlanNodeObject)},     {"Structural", typeid(CPlanStructural)},
        {"Camera", typeid(CPlanCamera)},         {"Island", typeid(CPlanIsland)},
        {"Column", typeid(CPlanColumn)},         {"SpiralStair", typeid(CPlanSpiralStair)},
    };
    for (const auto& [name, type] : expected) {
        ASSERT_EQ(before.count(name), 1u) << name;
        ASSERT_EQ(after.count(name), 1u) << name;
        EXPECT_EQ(after.find(name)->second, type) << name;
    }
    // The wall fireplace and the free-standing one share the name.
    const std::multiset<std::type_index> fireplaces = {typeid(CPlanWallFireplace),
                                                       typeid(CPlanFireplace)};
    std::multiset<std::type_index> copied;
    for (auto [it, end] = after.equal_range("Fireplace"); it != end; ++it)
        copied.insert(it->second);
    EXPECT_EQ(copied, fireplaces);
    EXPECT_EQ(after.size(), before.size());
}

TEST_F(PlanObjectsTest, WallObjectClonesAreTheirDrawableClass)
{
    ZupFloor target;
    struct Case {
        ZupWallObject* object;
        std::type_index type;
    };
    const Case cases[] = {
        {new CPlanWallFireplace(room.get()), typeid(CPlanWallFireplace)},
        {new CPlanBathObject(room.get()), typeid(CPlanBathObject)},
        {new CPlanUtilityObject(room.get()), typeid(CPlanUtilityObject)},
        {new CPlanCountertop(room.get()), typeid(CPlanCountertop)},
    };
    for (const Case& c : cases) {
        c.object->SetType(3);
        c.object->SetDepth(45);
        c.object->SetAttachedWindowPanes(2);
        std::unique_ptr<ZupWallObject> copy(c.object->Clone(&target));
        ASSERT_NE(copy, nullptr) << c.type.name();
        EXPECT_EQ(std::type_index(typeid(*copy)), c.type);
        EXPECT_EQ(copy->GetType(), 3) << c.type.name();
        EXPECT_EQ(copy->ZupObject::GetDepth(), 45) << c.type.name();
        EXPECT_EQ(copy->GetAttachedWindowPanes(), 2) << c.type.name();
        EXPECT_EQ(copy->GetFloor(), &target) << c.type.name();
        delete c.object;
    }
}

TEST_F(PlanObjectsTest, ClonedOpeningKeepsNameTypeAndSwing)
{
    CPlanOpening door(room.get(), "B", 2);
    door.SetAction(ZupOpening::ACTION(2));
    door.SetPosition(ZupOpening::POSITION(1));
    std::unique_ptr<ZupWallObject> copy(door.Clone(room.get()));
    auto* opening = dynamic_cast<CPlanOpening*>(copy.get());
    ASSERT_NE(opening, nullptr);
    EXPECT_STREQ(opening->GetNameChars(), "B");
    EXPECT_EQ(opening->GetType(), 2);
    EXPECT_EQ(opening->GetAction(), 2);
    EXPECT_EQ(opening->GetPosition(), 1);
}

TEST_F(PlanObjectsTest, ClonedStairKeepsItsSteps)
{
    CPlanStairOpening stair(room.get());
    stair.SetType(1);
    stair.SetSteps(12);
    stair.SetAction(ZupOpeningStair::ACTION(2));
    stair.SetPosition(ZupOpeningStair::POSITION(2));
    std::unique_ptr<ZupWallObject> copy(stair.Clone(room.get()));
    auto* steps = dynamic_cast<CPlanStairOpening*>(copy.get());
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(steps->GetType(), 1);
    EXPECT_EQ(steps->GetSteps(), 12);
    EXPECT_EQ(steps->GetAction(), 2);
    EXPECT_EQ(steps->GetPosition(), 2);
}

TEST_F(PlanObjectsTest, ClonedWindowKeepsItsPanes)
{
    CPlanWindow bay(room.get());
    bay.SetType(1);
    bay.SetPanes(5);
    std::unique_ptr<ZupWallObject> copy(bay.Clone(room.get()));
    auto* window = dynamic_cast<CPlanWindow*>(copy.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetPanes(), 5);
    EXPECT_EQ(window->GetType(), 1);
}

// A structural block keeps its kind and depth, but no attached window.
TEST_F(PlanObjectsTest, ClonedStructuralKeepsTypeAndDepth)
{
    CPlanStructural pillar(room.get());
    pillar.SetType(2);
    pillar.SetDepth(50);
    pillar.SetAttachedWindowPanes(3);
    std::unique_ptr<ZupWallObject> copy(pillar.Clone(room.get()));
    auto* structural = dynamic_cast<CPlanStructural*>(copy.get());
    ASSERT_NE(structural, nullptr);
    EXPECT_EQ(structural->GetType(), 2);
    EXPECT_EQ(structural->ZupObject::GetDepth(), 50);
    EXPECT_EQ(structural->GetAttachedWindowPanes(), 0);
}

TEST_F(PlanObjectsTest, CornerCloneTakesTheNodeAndThePanes)
{
    auto* corner = new CPlanNodeObject(room.get(), 1, 40);
    ASSERT_TRUE(KeepIfPlaced(corner, corner->Create(Corner(0, 0))));
    corner->SetAttachedWindowPanes(2);
    ZupNode* free = Corner(400, 300);
    ASSERT_NE(free, nullptr);
    ZupNodeObject* copy = corner->Clone(free, corner);
    ASSERT_NE(dynamic_cast<CPlanNodeObject*>(copy), nullptr);
    EXPECT_EQ(copy->GetNode(), free);
    EXPECT_EQ(free->GetNodeObject(nullptr), copy);
    EXPECT_EQ(copy->GetType(), 1);
    EXPECT_EQ(copy->ZupObject::GetDepth(), 40);
    EXPECT_EQ(copy->GetAttachedWindowPanes(), 2);
    EXPECT_EQ(copy->GetFloor(), room.get());
    // The floor-wide clone stays the model's: corners go through their node.
    EXPECT_EQ(corner->Clone(room.get()), nullptr);
}

TEST_F(PlanObjectsTest, CornerCloneOntoATakenNodeGivesNull)
{
    ZupNode* node = Corner(400, 0);
    auto* corner = new CPlanNodeObject(room.get(), 0, -1);
    ASSERT_TRUE(KeepIfPlaced(corner, corner->Create(node)));
    EXPECT_EQ(corner->Clone(node, corner), nullptr);
    EXPECT_EQ(node->GetNumOfObjects(), 1);
    EXPECT_EQ(node->GetNodeObject(nullptr), corner);
    EXPECT_EQ(corner->Clone(static_cast<ZupNode*>(nullptr), corner), nullptr);
}

TEST_F(PlanObjectsTest, CameraCloneMakesADrawableCameraWithItsFields)
{
    auto* camera = static_cast<CPlanCamera*>(room->CreateCamera("3", 100.0, 100.0, 45));
    ASSERT_NE(camera, nullptr);
    camera->SetType(2);
    camera->SetCount(7);
    camera->SetColour(0x00FF00);
    camera->SetReserved(9);
    std::unique_ptr<ZupRoomObject> made(camera->Clone(nullptr));
    auto* copy = dynamic_cast<CPlanCamera*>(made.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), "3");
    EXPECT_NEAR(copy->GetDirection().deg(), 45.0, 1e-9);
    EXPECT_EQ(copy->GetType(), 2);
    EXPECT_EQ(copy->GetCount(), 7);
    EXPECT_EQ(copy->GetColour(), 0x00FF00);
    EXPECT_EQ(copy->GetReserved(), 9);
}

// Cloning onto a camera overwrites its name, angles, type and count only.
TEST_F(PlanObjectsTest, CameraCloneOntoACameraKeepsTheTargetsLook)
{
    auto* source = static_cast<CPlanCamera*>(room->CreateCamera("1", 100.0, 100.0, 30));
    auto* target = static_cast<CPlanCamera*>(room->CreateCamera("2", 300.0, 200.0, 180));
    ASSERT_NE(source, nullptr);
    ASSERT_NE(target, nullptr);
    source->SetType(1);
    source->SetCount(5);
    source->SetColour(0x123456);
    target->SetColour(0x00FF00);
    target->SetReserved(4);
    EXPECT_EQ(source->Clone(target), target);
    EXPECT_EQ(target->GetName(), "1");
    EXPECT_NEAR(target->GetDirection().deg(), 30.0, 1e-9);
    EXPECT_EQ(target->GetType(), 1);
    EXPECT_EQ(target->GetCount(), 5);
    EXPECT_EQ(target->GetColour(), 0x00FF00);
    EXPECT_EQ(target->GetReserved(), 4);
    // Onto anything else a new camera is made.
    CPlanColumn column;
    std::unique_ptr<ZupRoomObject> made(source->Clone(&column));
    EXPECT_NE(dynamic_cast<CPlanCamera*>(made.get()), nullptr);
}

TEST_F(PlanObjectsTest, CameraDefaults)
{
    CPlanCamera camera;
    EXPECT_EQ(camera.GetCount(), 3);
    EXPECT_EQ(camera.GetType(), 0);
    EXPECT_EQ(camera.GetColour(), -1);
    EXPECT_EQ(camera.GetPenColour(), 0x0000FF);
    camera.SetColour(0x00FF00);
    EXPECT_EQ(camera.GetPenColour(), 0x00FF00);
    // The model's own type field is not the camera's.
    camera.SetType(3);
    EXPECT_EQ(camera.ZupObject::GetType(), 0);
}

TEST_F(PlanObjectsTest, IslandAndFireplaceClonesKeepSizeDirectionAndType)
{
    CPlanIsland island;
    CPlanFireplace fireplace;
    ZupIsland* sources[] = {&island, &fireplace};
    for (ZupIsland* source : sources) {
        source->SetDepth(70);
        source->SetWidth(130);
        angle direction(135.0);
        source->SetDirection(direction);
        source->SetType(3);
        std::unique_ptr<ZupRoomObject> copy(source->Clone(nullptr));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(typeid(*copy), typeid(*source));
        EXPECT_EQ(copy->ZupObject::GetDepth(), 70);
        EXPECT_EQ(copy->GetWidth(), 130.0f);
        EXPECT_NEAR(copy->GetDirection().deg(), 135.0, 1e-9);
        EXPECT_EQ(copy->ZupObject::GetType(), 3);
    }
}

TEST_F(PlanObjectsTest, ColumnAndSpiralStairClonesKeepTheirSize)
{
    CPlanColumn column;
    column.SetDepth(21);
    column.SetType(1);
    std::unique_ptr<ZupRoomObject> columnCopy(column.Clone(nullptr));
    ASSERT_NE(dynamic_cast<CPlanColumn*>(columnCopy.get()), nullptr);
    EXPECT_EQ(columnCopy->ZupObject::GetDepth(), 21);
    EXPECT_EQ(columnCopy->ZupObject::GetType(), 1);

    CPlanSpiralStair stair;
    stair.SetDepth(180);
    std::unique_ptr<ZupRoomObject> stairCopy(stair.Clone(nullptr));
    ASSERT_NE(dynamic_cast<CPlanSpiralStair*>(stairCopy.get()), nullptr);
    EXPECT_EQ(stairCopy->ZupObject::GetDepth(), 180);
}

// The room's name decides: its partition's, else its floor's.
TEST_F(PlanObjectsTest, BathQuestionAsksTheRoomTypeCatalog)
{
    const std::string text = "<QXR_DATA><QXR_ROOM_CATEGORY name=\"Kitchen\"/>"
                             "<QXR_ROOM_CATEGORY name=\"Bathroom\"/></QXR_DATA>";
    std::unique_ptr<CXMLElement> root(
        FindElement(text.c_str(), static_cast<int>(text.size()), "QXR_DATA"));
    ASSERT_NE(root, nullptr);
    auto* counter = room->Place(new CPlanCountertop(room.get()), 0.0, 150.0);
    ASSERT_NE(counter, nullptr);
    auto* island = static_cast<CPlanIsland*>(room->CreateIsland(200.0, 150.0));
    ASSERT_NE(island, nullptr);
    ZupObject* objects[] = {counter, island};
    for (ZupObject* object : objects)
        object->SetPartition(nullptr);
    // No catalog yet: no room type is known.
    EXPECT_FALSE(counter->IsBath());
    CRoomTypeCatalog::Instance(true)->Load(root.get());

    ZupPartition* partition = room->Get1stPartition();
    ASSERT_NE(partition, nullptr);
    const struct {
        const char* floorName;
        const char* partitionName;  // null: the object has no partition
        bool bath;
    } cases[] = {
        {"Kitchen", nullptr, false},
        {"Bathroom 2", nullptr, true},
        {"Kitchen", "Bathroom", true},
        {"Bathroom", "Kitchen 1", false},
    };
    for (const auto& c : cases) {
        room->SetName(c.floorName);
        partition->SetName(c.partitionName);
        for (ZupObject* object : objects) {
            object->SetPartition(c.partitionName ? partition : nullptr);
            EXPECT_EQ(object->IsBath(), c.bath) << object->GetTypeName() << " in " << c.floorName;
        }
    }
}

TEST_F(PlanObjectsTest, MetricUnitFollowsTheUnits)
{
    const struct {
        bool metric;
        int unit;
    } cases[] = {{true, 4}, {false, 2}};
    for (const auto& c : cases) {
        ZupObject::SetMetric(c.metric);
        EXPECT_EQ(GetMetricUnit(), c.unit) << c.metric;
    }
}

}  // namespace
