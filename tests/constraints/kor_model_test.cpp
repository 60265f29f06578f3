#include "kor_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kor_dimension.h"
#include "kor_globals.h"
#include "kor_test_model.h"
#include "kor_node.h"
#include "settings.h"

namespace {

using KorModelTest = KorModelFixture;

KorNode* NodeAt(KorModel& model, KorHandle handle)
{
    return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(handle));
}

TEST_F(KorModelTest, ConstructionDefaults)
{
    KorModel model;
    EXPECT_EQ(model.GetError(), 0);
    EXPECT_TRUE(model.IsSolved());
    EXPECT_FALSE(model.IsModified());
    EXPECT_FALSE(model.IsInDrag());
    EXPECT_TRUE(model.GetBoundedSupport());
    EXPECT_TRUE(model.IsSmartDragging());
    EXPECT_NEAR(model.AngularPlay().deg(), 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(model.LinearPlay(), 0.1);
    EXPECT_FLOAT_EQ(model.InputSnap(), 0.3f);
    EXPECT_EQ(model.GetFrontCount(), -1);
    EXPECT_EQ(KorModel::ReorderingLimit(), 22);
    EXPECT_STREQ(KorModel::GetKORVersion(), "1.5/2001");
}

TEST_F(KorModelTest, HandlesCountFromOneAndAreNeverReused)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    const KorHandle b = model.CreateNode(10, 0);
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 2u);
    ASSERT_TRUE(model.RemoveObject(b));
    EXPECT_EQ(model.GetNamesManager().GetObjectAddress(b), nullptr);
    EXPECT_EQ(model.CreateNode(20, 0), 3u);
    model.Clear();
    EXPECT_EQ(model.CreateNode(0, 0), 1u);
}

TEST_F(KorModelTest, GeneratedNamesShareTheCountersAcrossModels)
{
    KorModel first;
    KorModel second;
    EXPECT_STREQ(first.GetEntityName(first.CreateNode(0, 0)), "Nod1");
    EXPECT_STREQ(second.GetEntityName(second.CreateNode(0, 0)), "Nod2");
    EXPECT_STREQ(first.GetEntityName(first.CreateNode(1, 0)), "Nod3");
    // Any model's Clear restarts the shared counters; a draw skips the names
    // already bound in the drawing model.
    first.Clear();
    EXPECT_STREQ(second.GetEntityName(second.CreateNode(2, 0)), "Nod1");
    EXPECT_STREQ(second.GetEntityName(second.CreateNode(3, 0)), "Nod3");
    EXPECT_STREQ(first.GetEntityName(first.CreateNode(0, 0)), "Nod4");
}

TEST_F(KorModelTest, SegmentNamesAndDuplicateSegment)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    const KorHandle b = model.CreateNode(10, 0);
    const KorHandle s = model.CreateSegment(a, b);
    ASSERT_NE(s, 0u);
    EXPECT_STREQ(model.GetEntityName(s), "Seg1");
    EXPECT_EQ(model.GetKorObject("Seg1"), model.GetNamesManager().GetObjectAddress(s));
    EXPECT_EQ(model.CreateSegment(a, b), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_EQUAL_PRIMITIVE);
    EXPECT_EQ(model.GetNumOfPrimitives(), 1);
}

TEST_F(KorModelTest, CreateByHandleChecksTheKinds)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    EXPECT_EQ(model.CreateSegment(a, 77), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_NODES);
    KorModel other;
    const KorHandle c = other.CreateNode(0, 0);
    other.CreateNode(5, 0);
    EXPECT_EQ(other.CreateCircle(c, c), 0u);
    EXPECT_EQ(other.GetError(), KOR_ERR_NODES);
    EXPECT_EQ(other.CreateArc(c, c, 2), 0u);
    EXPECT_EQ(other.GetNumOfPrimitives(), 0);
}

TEST_F(KorModelTest, FirstErrorSticksUntilResolve)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    EXPECT_FALSE(model.RemoveObject(99));
    EXPECT_EQ(model.GetError(), KOR_ERR_UNKNOWN_OBJECT);
    double value = 0;
    EXPECT_FALSE(model.GetDimensionValue(a, value));  // 12, not recorded
    EXPECT_FALSE(model.SetWeight(a, 2));
    EXPECT_EQ(model.GetError(), KOR_ERR_UNKNOWN_OBJECT);
    EXPECT_TRUE(model.Resolve());
    EXPECT_EQ(model.GetError(), 0);
    EXPECT_FALSE(model.SetNodePosition(99, 1, 1));
    EXPECT_EQ(model.GetError(), KOR_ERR_WRONG_KIND);
}

TEST_F(KorModelTest, RemoveObjectOfAnUnknownHandleChangesNothing)
{
    KorModel model;
    model.CreateNode(0, 0);
    model.SetModified(false);
    EXPECT_FALSE(model.RemoveObject(0));
    EXPECT_FALSE(model.RemoveObject(42));
    EXPECT_EQ(model.GetError(), KOR_ERR_UNKNOWN_OBJECT);
    EXPECT_EQ(model.GetNumOfNodes(), 1);
    EXPECT_FALSE(model.IsModified());
}

TEST_F(KorModelTest, RemovingANodeKeepsItsNameForTheJournal)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    ASSERT_TRUE(model.RemoveObject(a));
    EXPECT_STREQ(model.GetEntityName(a), "Nod1");
    EXPECT_EQ(model.GetNumOfNodes(), 0);
    EXPECT_TRUE(model.IsModified());
}

TEST_F(KorModelTest, AddDimensionKeepsTheSolvingOrder)
{
    KorModel model;
    std::vector<KorNode*> nodes;
    for (int i = 0; i < 12; ++i)
        nodes.push_back(NodeAt(model, model.CreateNode(i, 0)));
    auto add = [&](KOREntityType type, int n) {
        auto* d = new FakeDimension(&model, type, nodes[n], nodes[n + 1]);
        EXPECT_NE(model.AddDimension(d), 0u);
        return d;
    };
    KorDimension* angle = add(KOR_ANGLE, 0);
    KorDimension* distance = add(KOR_DISTANCE, 1);
    KorDimension* radius = add(KOR_RADIUS, 2);
    KorDimension* tangent = add(KOR_TANGENT, 3);
    KorDimension* distance2 = add(KOR_DISTANCE, 4);
    KorDimension* radius2 = add(KOR_RADIUS, 5);
    KorDimension* parallel = add(KOR_PARALLEL, 6);
    KorDimension* perpendicular = add(KOR_PERPENDICULAR, 7);
    KorDimension* tangent2 = add(KOR_TANGENT, 8);
    KorDimension* vertical = add(KOR_VERTICAL_DISTANCE, 9);
    const std::vector<KorDimension*> expected = {
        radius2, radius, perpendicular, parallel, angle, distance,
        distance2, vertical, tangent, tangent2};
    EXPECT_EQ(model.GetDimensions(), expected);
    EXPECT_FALSE(model.IsSolved());
    EXPECT_EQ(model.GetFrontCount(), -1);
}

TEST_F(KorModelTest, AnEqualDimensionIsRefused)
{
    KorModel model;
    KorNode* a = NodeAt(model, model.CreateNode(0, 0));
    KorNode* b = NodeAt(model, model.CreateNode(1, 0));
    auto* first = new FakeDimension(&model, KOR_DISTANCE, a, b);
    ASSERT_NE(model.AddDimension(first), 0u);
    auto* twin = new FakeDimension(&model, KOR_DISTANCE, b, a);
    EXPECT_EQ(model.AddDimension(twin), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_EQUAL_DIMENSION);
    delete twin;
    EXPECT_EQ(model.GetNumOfDimensions(), 1);
    auto* rule = new FakeDimension(&model, KOR_DISTANCE, b, a);
    rule->SetExtraRule(true);
    EXPECT_NE(model.AddDimension(rule), 0u);
    EXPECT_EQ(model.GetNumOfDimensions(), 2);
}

TEST_F(KorModelTest, DeleteDimensionsByLayer)
{
    KorModel model;
    std::vector<KorNode*> nodes;
    for (int i = 0; i < 8; ++i)
        nodes.push_back(NodeAt(model, model.CreateNode(i, 0)));
    std::vector<FakeDimension*> dims;
    for (unsigned layer = 1; layer <= 3; ++layer) {
        model.CurLayer() = layer;
        for (int k = 0; k < 2; ++k) {
            const int n = static_cast<int>(dims.size());
            dims.push_back(new FakeDimension(&model, KOR_DISTANCE, nodes[n], nodes[n + 1]));
            model.AddDimension(dims.back());
        }
    }
    model.DeleteDimensions(-2);
    ASSERT_EQ(model.GetNumOfDimensions(), 2);
    for (KorDimension* d : model.GetDimensions())
        EXPECT_EQ(d->GetLayer(), 2);
    model.DeleteDimensions(2);
    EXPECT_EQ(model.GetNumOfDimensions(), 0);
}

TEST_F(KorModelTest, NodesTakeTheCurrentLayer)
{
    KorModel model;
    model.CurLayer() = 4;
    const KorHandle a = model.CreateNode(0, 0);
    EXPECT_EQ(NodeAt(model, a)->GetLayer(), 4);
}

TEST_F(KorModelTest, CalculateExtentsWithoutNodesIsEmpty)
{
    KorModel model;
    double x0 = 1, y0 = 1, x1 = 1, y1 = 1;
    model.CalculateExtents(&x0, &y0, &x1, &y1);
    EXPECT_EQ(x0, 0.0);
    EXPECT_EQ(y0, 0.0);
    EXPECT_EQ(x1, 0.0);
    EXPECT_EQ(y1, 0.0);
}

TEST_F(KorModelTest, CalculateExtentsOverTheNodes)
{
    KorModel model;
    model.CreateNode(3, -2);
    model.CreateNode(-1, 5);
    model.CreateNode(7, 1);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    model.CalculateExtents(&x0, &y0, &x1, &y1);
    EXPECT_EQ(x0, -1.0);
    EXPECT_EQ(y0, -2.0);
    EXPECT_EQ(x1, 7.0);
    EXPECT_EQ(y1, 5.0);
}

TEST_F(KorModelTest, IterationSkipsUnnamedNodes)
{
    KorModel model;
    model.CreateNode(0, 0);
    auto* hidden = new KorNode();
    EXPECT_EQ(hidden->Create(&model, 5, 5, nullptr, false), 1u);
    EXPECT_FALSE(hidden->IsRegistered());
    model.CreateNode(1, 0);
    int named = 0;
    for (KorNode* n = model.Get1stNode(); n; n = model.GetNextNode())
        ++named;
    EXPECT_EQ(named, 2);
    EXPECT_EQ(model.GetNumOfNodes(), 3);
}

TEST_F(KorModelTest, NoMoreThan32767Nodes)
{
    KorModel model;
    for (int i = 0; i < KOR_MAX_COUNT; ++i)
        ASSERT_NE(model.CreateNode(i, 0), 0u);
    EXPECT_EQ(model.GetError(), 0);
    EXPECT_EQ(model.CreateNode(-1, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
    EXPECT_EQ(model.GetNumOfNodes(), KOR_MAX_COUNT);
}

TEST_F(KorModelTest, ModelWithoutDimensionsResolves)
{
    KorModel model;
    const KorHandle a = model.CreateNode(0, 0);
    const KorHandle b = model.CreateNode(10, 0);
    ASSERT_NE(model.CreateSegment(a, b), 0u);
    EXPECT_TRUE(model.Resolve());
    EXPECT_EQ(model.GetError(), 0);
}

}  // namespace
