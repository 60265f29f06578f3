// The valueless constraint base: its entities, their replacement and its
// registration with the model.
#include <memory>

#include "kor_constraint.h"
#include "kor_dimension_test_support.h"

namespace {

class TestConstraint : public KorConstraint {
public:
    KOREntityType GetType() const override { return KOR_UNMOVABLE; }
    bool IsImplemented() override { return true; }
    using KorConstraint::Create;
    int updates = 0;
    void Update(KorEntity*, KorEntity*) override { ++updates; }
};

using Constraint = KorDimensionFixture;

TEST_F(Constraint, NewConstraintIsEnabledWithoutEntities)
{
    TestConstraint c;
    EXPECT_TRUE(c.IsEnabled());
    EXPECT_TRUE(c.IsConstraint());
    EXPECT_TRUE(c.IsDimaint());
    EXPECT_FALSE(c.IsDimension());
    EXPECT_EQ(c.GetNumOfEntities(), 0);
    EXPECT_EQ(c.GetModel(), nullptr);
}

TEST_F(Constraint, CreateAttachesTheGivenEntitiesAndRegisters)
{
    KorNode a, b;
    auto* c = new TestConstraint();
    KorHandle handle = c->Create(model.get(), &a, nullptr, &b, true);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(model->GetNamesManager().GetObjectAddress(handle), c);
    EXPECT_EQ(model->GetConstraints().size(), 1u);
    KorEntity* first = nullptr;
    KorEntity* second = nullptr;
    KorEntity* third = nullptr;
    c->GetEntities(first, second, third);
    EXPECT_EQ(first, &a);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(third, &b);
    EXPECT_EQ(a.GetNumOfDimaints(), 1);
    EXPECT_EQ(c->GetOtherEntity(&a), &b);
    delete c;  // unregisters and leaves the entities
    EXPECT_TRUE(model->GetConstraints().empty());
    EXPECT_EQ(a.GetNumOfDimaints(), 0);
    EXPECT_EQ(b.GetNumOfDimaints(), 0);
}

TEST_F(Constraint, UnregisteredCreateAnswersOne)
{
    KorNode a;
    auto* c = new TestConstraint();
    EXPECT_EQ(c->Create(model.get(), &a, nullptr, nullptr, false), 1u);
    EXPECT_TRUE(model->GetConstraints().empty());
    delete c;
}

TEST_F(Constraint, ReplaceEntityMovesTheAttachment)
{
    KorNode a, b, n;
    auto* c = new TestConstraint();
    c->Create(model.get(), &a, &b, nullptr, false);
    c->ReplaceEntity(&b, &n);
    EXPECT_EQ(c->GetSecond(), &n);
    EXPECT_EQ(b.GetNumOfDimaints(), 0);
    EXPECT_EQ(n.GetNumOfDimaints(), 1);
    EXPECT_EQ(c->updates, 1);
    KorNode stranger;
    c->ReplaceEntity(&stranger, &n);  // not one of its entities: nothing
    EXPECT_EQ(c->updates, 1);
    EXPECT_EQ(stranger.GetNumOfDimaints(), 0);
    delete c;
}

TEST_F(Constraint, DeletingAnEntityDeletesTheConstraint)
{
    auto a = std::make_unique<KorNode>();
    KorNode b;
    auto* c = new TestConstraint();
    c->Create(model.get(), a.get(), &b, nullptr, true);
    a.reset();
    EXPECT_TRUE(model->GetConstraints().empty());
    EXPECT_EQ(b.GetNumOfDimaints(), 0);
}

}  // namespace
