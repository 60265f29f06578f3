// The dimensions that hold wall objects on their wall: the chain of
// position dimensions re-joined when an object leaves the wall.
#include <gtest/gtest.h>

#include <memory>

#include "kor_nn_distance.h"
#include "zup_fixture.h"
#include "zup_wall_object.h"

namespace {

class DimensionedObject : public ZupWallObject {
public:
    explicit DimensionedObject(ZupFloor* floor) : ZupWallObject(floor, nullptr, nullptr) {}
    ZupWallObject* Clone(ZupFloor* floor) override { return new DimensionedObject(floor); }
    const char* GetTypeName() override { return "BathObject"; }
    int GetObjectType() override { return ZUP_OBJ_BATH; }
};

// A wall of 500 with objects at [50,130], [230,310] and [370,460], each with
// a width, chained by position dimensions, and the rest of the wall's length.
class ZupWallObjectDimsTest : public ZupTest {
protected:
    void SetUp() override
    {
        ZupTest::SetUp();
        ZupObject::SetMetric(true);
        floor = std::make_unique<ZupFloor>();
        start = Node(*floor, 0.0, 0.0);
        end = Node(*floor, 500.0, 0.0);
        wall = Wall(*floor, start, end);
        const double spans[3][2] = {{50, 130}, {230, 310}, {370, 460}};
        for (int i = 0; i < 3; ++i) {
            objects[i] = new DimensionedObject(floor.get());
            point a(spans[i][0], 0.0), b(spans[i][1], 0.0);
            ASSERT_TRUE(objects[i]->Create(floor.get(), a, b, nullptr));
            ASSERT_NE(objects[i]->CreateWidthDimension(), nullptr);
        }
        ASSERT_EQ(wall->GetNumOfObjects(), 3);
        wall->SetObjectsPosition(-1.0f);
        ASSERT_NE(wall->ModifyLengthDim(-1.0f), nullptr);
    }
    void TearDown() override
    {
        floor.reset();
        ZupTest::TearDown();
    }
    static double X(KorNode* node) { return node->GetPoint().x(); }

    std::unique_ptr<ZupFloor> floor;
    ZupNode* start = nullptr;
    ZupNode* end = nullptr;
    ZupSegment* wall = nullptr;
    DimensionedObject* objects[3] = {};
};

TEST_F(ZupWallObjectDimsTest, RemovingTheMiddleObjectChainsTheThirdFromTheFirst)
{
    delete objects[1];
    KorNNDistance* position = objects[2]->GetPosDimension();
    ASSERT_NE(position, nullptr);
    KorEntity* a = nullptr;
    KorEntity* b = nullptr;
    KorEntity* c = nullptr;
    position->GetEntities(a, b, c);
    EXPECT_TRUE(a == objects[0]->GetEnd() || b == objects[0]->GetEnd());
    EXPECT_NEAR(position->GetValue(), 240.0, 1e-6);
    ASSERT_TRUE(floor->Resolve());
    EXPECT_NEAR(X(objects[2]->GetStart()), 370.0, 1e-6);
    EXPECT_NEAR(X(objects[2]->GetEnd()), 460.0, 1e-6);
}

TEST_F(ZupWallObjectDimsTest, RemovingTheLastObjectRunsTheLengthFromTheSecond)
{
    delete objects[2];
    KorDimension* length = wall->ModifyLengthDim(-1.0f);
    ASSERT_NE(length, nullptr);
    KorEntity* a = nullptr;
    KorEntity* b = nullptr;
    KorEntity* c = nullptr;
    length->GetEntities(a, b, c);
    EXPECT_TRUE(a == objects[1]->GetEnd() || b == objects[1]->GetEnd());
    EXPECT_NEAR(length->GetValue(), 190.0, 1e-6);
}

// A dimension deleted through the model (a command text's Delete) is
// forgotten by the wall and the object that held it: the object leaves the
// wall afterwards without touching it, and the chain is joined anew.
TEST_F(ZupWallObjectDimsTest, ADimensionDeletedThroughTheModelIsForgotten)
{
    enum Held { kWidth, kPosition, kLength };
    const auto heldDimension = [this](Held which) -> KorDimension* {
        switch (which) {
        case kWidth: return objects[1]->GetWidthDimension();
        case kPosition: return objects[1]->GetPosDimension();
        default: return wall->GetLengthDim();
        }
    };
    for (const Held which : {kWidth, kPosition, kLength}) {
        SCOPED_TRACE(which);
        TearDown();
        SetUp();
        KorDimension* held = heldDimension(which);
        ASSERT_NE(held, nullptr);
        ASSERT_TRUE(floor->KorModel::RemoveObject(floor->GetHandle(held)));
        EXPECT_EQ(heldDimension(which), nullptr);
        for (DimensionedObject* o : objects) {
            EXPECT_NE(static_cast<KorDimension*>(o->GetWidthDimension()), held);
            EXPECT_NE(static_cast<KorDimension*>(o->GetPosDimension()), held);
        }
        delete objects[2];
        delete objects[1];
        EXPECT_NE(wall->ModifyLengthDim(-1.0f), nullptr);
        EXPECT_TRUE(floor->Resolve());
    }
}

}  // namespace
