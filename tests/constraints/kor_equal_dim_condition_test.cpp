// Groups of equal dimensions: building, merging, leaving, deleting and
// implementing them.
#include <algorithm>
#include <vector>

#include "kor_dimension_test_support.h"
#include "kor_equal_dim_condition.h"

namespace {

using EqualGroup = KorDimensionFixture;

KorEqualDimCondition* GroupOf(KorModel& model, KorDimension* d)
{
    return dynamic_cast<KorEqualDimCondition*>(model.GetEqualDimensionChain(d));
}

std::vector<KorDimension*> Members(KorEqualDimCondition* group)
{
    return std::vector<KorDimension*>(group->GetMembers().begin(), group->GetMembers().end());
}

TEST_F(EqualGroup, ChainFormsOneGroup)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    ASSERT_TRUE(a->SetValue(10.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(b));
    KorEqualDimCondition* group = GroupOf(*model, a);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(model->GetConditions().size(), 1u);
    EXPECT_EQ(Members(group), (std::vector<KorDimension*>{a, b, c}));
    EXPECT_EQ(b->GetCondition(), group);
    EXPECT_EQ(c->GetCondition(), group);
    EXPECT_EQ(c->GetEqualDim(), b);
    // The root keeps its own relation.
    EXPECT_EQ(a->GetPrimaryType(), KOR_DIM_EQUAL);
    EXPECT_TRUE(a->IsEnabled());
}

TEST_F(EqualGroup, DeletingAMiddleMemberRelinksToItsLink)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(b));
    ASSERT_TRUE(model->RemoveObject(HandleOf(b)));
    KorEqualDimCondition* group = GroupOf(*model, a);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Members(group), (std::vector<KorDimension*>{a, c}));
    EXPECT_EQ(c->GetEqualDim(), a);
    EXPECT_EQ(GroupOf(*model, c), group);
}

// The root of a group goes: its dependants stay together, the first remaining
// one becoming the root, and nothing points at the deleted dimension.
TEST_F(EqualGroup, DeletingTheRootRelinksToTheFirstRemainingMember)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    ASSERT_TRUE(a->SetValue(10.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(a));
    ASSERT_TRUE(model->RemoveObject(HandleOf(a)));
    KorEqualDimCondition* group = GroupOf(*model, b);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Members(group), (std::vector<KorDimension*>{b, c}));
    EXPECT_EQ(b->GetEqualDim(), nullptr);
    EXPECT_EQ(c->GetEqualDim(), b);
    EXPECT_EQ(c->GetValueString(), NameOf(b));
}

TEST_F(EqualGroup, DeletingOneOfTwoDissolvesTheGroup)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(model->RemoveObject(HandleOf(a)));
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_EQ(b->GetCondition(), nullptr);
    EXPECT_EQ(b->GetEqualDim(), nullptr);
    EXPECT_EQ(b->GetPrimaryType(), KOR_DIM_NONE);
}

TEST_F(EqualGroup, LeavingAGroupOfTwoLeavesTheRootAlone)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    ASSERT_TRUE(a->SetValue(8.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(b->SetValue(0.0, KOR_DIM_NONE, true));
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_EQ(b->GetEqualDim(), nullptr);
    EXPECT_EQ(b->GetCondition(), nullptr);
    EXPECT_EQ(a->GetPrimaryType(), KOR_DIM_EQUAL);
    EXPECT_DOUBLE_EQ(a->GetValue(), 8.0);
    EXPECT_TRUE(a->IsEnabled());
}

TEST_F(EqualGroup, DependantsFollowAMemberThatLeaves)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    TestDimension* d = Add(4.0);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(b));
    ASSERT_TRUE(d->SetValue(b));
    ASSERT_TRUE(b->SetValue(5.0, KOR_DIM_EQUAL, true));
    EXPECT_EQ(b->GetEqualDim(), nullptr);
    EXPECT_TRUE(b->IsEnabled());
    KorEqualDimCondition* group = GroupOf(*model, b);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Members(group), (std::vector<KorDimension*>{b, c, d}));
    EXPECT_EQ(c->GetEqualDim(), b);
    EXPECT_EQ(d->GetEqualDim(), b);
    EXPECT_EQ(GroupOf(*model, a), nullptr);  // a's group held only a and b
    EXPECT_EQ(model->GetConditions().size(), 1u);
}

TEST_F(EqualGroup, EquatingTwoGroupsMergesThem)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    TestDimension* d = Add(4.0);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(d->SetValue(c));
    ASSERT_EQ(model->GetConditions().size(), 2u);
    ASSERT_TRUE(a->SetValue(d));
    ASSERT_EQ(model->GetConditions().size(), 1u);
    KorEqualDimCondition* group = GroupOf(*model, a);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Members(group), (std::vector<KorDimension*>{a, b, c, d}));
    for (KorDimension* member : {a, b, c, d})
        EXPECT_EQ(GroupOf(*model, member), group);
    EXPECT_EQ(d->GetCondition(), group);
}

TEST_F(EqualGroup, MembersAreInCreationOrder)
{
    std::vector<TestDimension*> dims;
    for (int i = 0; i < 6; ++i)
        dims.push_back(Add(1.0 + i));
    for (int i = 5; i > 0; --i)
        ASSERT_TRUE(dims[i]->SetValue(dims[0]));
    KorEqualDimCondition* group = GroupOf(*model, dims[0]);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Members(group), std::vector<KorDimension*>(dims.begin(), dims.end()));
}

TEST_F(EqualGroup, UnvaluedGroupTriesTheMeanThenEachMeasure)
{
    TestDimension* a = Add(3.0);
    TestDimension* b = Add(4.0);
    TestDimension* c = Add(5.5);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(a));
    KorEqualDimCondition* group = GroupOf(*model, a);
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->IsConditionImplemented());
    bool more = false;
    ASSERT_EQ(group->CreateImplementationDim(&more), a);
    EXPECT_TRUE(more);
    EXPECT_EQ(group->GetChosen(), nullptr);
    for (TestDimension* d : {a, b, c}) {
        EXPECT_DOUBLE_EQ(d->GetValue(), 12.5 / 3.0);
        EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_SAME);
        EXPECT_TRUE(d->IsEnabled());
    }
    for (double expected : {3.0, 4.0, 5.5}) {
        ASSERT_EQ(group->UpdateImplementationDim(), a);
        for (TestDimension* d : {a, b, c})
            EXPECT_DOUBLE_EQ(d->GetValue(), expected);
    }
    EXPECT_EQ(group->UpdateImplementationDim(), nullptr);
    group->RemoveImplementationDim();
    for (TestDimension* d : {a, b, c})
        EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(group->GetImplementationDim(), nullptr);
}

TEST_F(EqualGroup, DisagreeingEnabledMembersCannotBeImplemented)
{
    TestDimension* a = Add(10.0);
    TestDimension* b = Add(10.5);
    ASSERT_TRUE(a->SetValue(10.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(b->SetValue(a));
    b->SetEnabled(true);
    bool more = true;
    EXPECT_EQ(GroupOf(*model, a)->CreateImplementationDim(&more), nullptr);
}

TEST_F(EqualGroup, EnabledMemberGivesTheCommonValue)
{
    TestDimension* a = Add(10.0);
    TestDimension* b = Add(7.0);
    ASSERT_TRUE(a->SetValue(10.0, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(b->SetValue(a));
    KorEqualDimCondition* group = GroupOf(*model, a);
    bool more = true;
    ASSERT_EQ(group->CreateImplementationDim(&more), a);
    EXPECT_FALSE(more);  // two members only
    EXPECT_EQ(group->GetChosen(), a);
    EXPECT_DOUBLE_EQ(b->GetValue(), 10.0);
    EXPECT_TRUE(b->IsEnabled());
    EXPECT_EQ(group->UpdateImplementationDim(), nullptr);
    group->RemoveImplementationDim();
    EXPECT_TRUE(a->IsEnabled());
    EXPECT_FALSE(b->IsEnabled());
}

TEST_F(EqualGroup, ImplementedWhenEveryMeasureAgreesWithinGeoSnap)
{
    TestDimension* a = Add(10.0);
    TestDimension* b = Add(10.005);
    ASSERT_TRUE(b->SetValue(a));
    KorEqualDimCondition* group = GroupOf(*model, a);
    EXPECT_TRUE(group->IsConditionImplemented());
    EXPECT_TRUE(b->IsConditionImplemented());
    b->measured = 10.5;
    EXPECT_FALSE(group->IsConditionImplemented());
}

TEST_F(EqualGroup, UnregisteredMembersAreAddedAsDimensions)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    ASSERT_TRUE(b->SetValue(a));
    KorEqualDimCondition* group = GroupOf(*model, a);
    auto* loose = new TestDimension();
    loose->Attach(model.get());
    nodes.push_back(std::make_unique<KorNode>());
    loose->SetStart(nodes.back().get());
    group->Insert(loose);
    group->AddImplementationToDimensions(model.get());
    EXPECT_NE(HandleOf(loose), 0u);
    EXPECT_EQ(model->GetDimensions().size(), 3u);
}

TEST_F(EqualGroup, ClearingTheModelFreesGroupsOnce)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    TestDimension* c = Add(3.0);
    ASSERT_TRUE(b->SetValue(a));
    ASSERT_TRUE(c->SetValue(b));
    model->Clear();
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_TRUE(model->GetDimensions().empty());
}

}  // namespace
