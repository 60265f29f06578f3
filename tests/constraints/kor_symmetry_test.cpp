#include <gtest/gtest.h>

#include <algorithm>

#include "kor_aa_symmetry.h"
#include "kor_cc_symmetry.h"
#include "kor_new_dimension_fixture.h"
#include "kor_nn_distance.h"
#include "kor_nn_symmetry.h"
#include "kor_perpendicular.h"
#include "kor_radial.h"
#include "kor_ss_symmetry.h"

namespace {

using KorSymmetryTest = KorSketchFixture;

TEST_F(KorSymmetryTest, AboutANodeWithoutSharedTrackersMakesOneTracker)
{
    const KorHandle x = Node(0, 0);
    const KorHandle a = Node(-3, 1);
    const KorHandle b = Node(3, -1);
    const int trackersBefore = static_cast<int>(model.GetTrackers().size());
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, a, b, x, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorNNSymmetry>(h);
    ASSERT_NE(symmetry, nullptr);
    EXPECT_EQ(symmetry->GetType(), KOR_SYMMETRY);
    KorLinTracker* own = symmetry->GetOwnTracker();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(static_cast<int>(model.GetTrackers().size()), trackersBefore + 1);
    EXPECT_TRUE(own->HasNode(NodeOf(x)));
    EXPECT_TRUE(own->HasNode(NodeOf(a)));
    EXPECT_TRUE(own->HasNode(NodeOf(b)));
    EXPECT_EQ(symmetry->GetReference(), NodeOf(x));
    EXPECT_TRUE(symmetry->IsNodeSymmetrySet(NodeOf(b), NodeOf(a), NodeOf(x)));
    EXPECT_FALSE(symmetry->IsNodeSymmetrySet(NodeOf(a), NodeOf(b), NodeOf(a)));
    EXPECT_TRUE(model.IsNodeSymmetrySet(NodeOf(a), NodeOf(b), NodeOf(x)));
    // Equal distances from the axis point: implemented as drawn.
    EXPECT_TRUE(symmetry->IsImplemented());
    ASSERT_TRUE(model.RemoveObject(h));
    EXPECT_EQ(static_cast<int>(model.GetTrackers().size()), trackersBefore);
}

TEST_F(KorSymmetryTest, TheSameEntityAsNodeAndAxisIsRefused)
{
    const KorHandle a = Node(-3, 1);
    const KorHandle b = Node(3, -1);
    EXPECT_EQ(model.CreateConstraint(KOR_SYMMETRY, a, b, a, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_CREATE);
    EXPECT_EQ(model.GetConstraints().size(), 0u);
}

TEST_F(KorSymmetryTest, AboutASegmentMakesAMidNodeAndAPerpendicularThatGoWithIt)
{
    const KorHandle axis = Segment(Node(0, -5), Node(0, 5));
    const KorHandle a = Node(-4, 1);
    const KorHandle b = Node(4, 1);
    const int nodesBefore = static_cast<int>(model.GetNodes().size());
    const int trackersBefore = static_cast<int>(model.GetTrackers().size());
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, a, b, axis, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorNNSymmetry>(h);
    KorNode* mid = symmetry->GetMidNode();
    ASSERT_NE(mid, nullptr);
    EXPECT_NEAR(mid->x(), 0.0, 1e-9);
    EXPECT_NEAR(mid->y(), 1.0, 1e-9);
    EXPECT_TRUE(LineOf(axis)->HasNode(mid));
    ASSERT_NE(symmetry->GetPerpendicular(), nullptr);
    EXPECT_EQ(symmetry->GetPerpendicular()->GetOwner(), static_cast<KorCondition*>(symmetry));
    EXPECT_EQ(static_cast<int>(model.GetNodes().size()), nodesBefore + 1);
    EXPECT_TRUE(symmetry->IsImplemented());
    EXPECT_EQ(model.GetNumOfDimensions(), 1);
    ASSERT_TRUE(model.RemoveObject(h));
    EXPECT_EQ(static_cast<int>(model.GetNodes().size()), nodesBefore);
    EXPECT_EQ(static_cast<int>(model.GetTrackers().size()), trackersBefore);
    EXPECT_EQ(model.GetNumOfDimensions(), 0);
}

TEST_F(KorSymmetryTest, APerpendicularDeletedFirstIsNotDeletedAgain)
{
    const KorHandle axis = Segment(Node(0, -5), Node(0, 5));
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, Node(-4, 1), Node(4, 1), axis, 0);
    ASSERT_NE(h, 0u);
    model.DeleteDimensions(0);
    EXPECT_EQ(Get<KorNNSymmetry>(h)->GetPerpendicular(), nullptr);
    EXPECT_TRUE(model.RemoveObject(h));  // ASan would report a second delete
}

TEST_F(KorSymmetryTest, DeletingANodeDeletesTheSymmetryAndItsParts)
{
    const KorHandle x = Node(0, 0);
    const KorHandle a = Node(-3, 1);
    const KorHandle b = Node(3, -1);
    ASSERT_NE(model.CreateConstraint(KOR_SYMMETRY, a, b, x, 0), 0u);
    ASSERT_TRUE(model.RemoveObject(a));
    EXPECT_EQ(model.GetConstraints().size(), 0u);
    EXPECT_EQ(NodeOf(b)->GetNumOfDimaints(), 0);
}

TEST_F(KorSymmetryTest, SegmentsPairStartWithStartWhenTheStartsAreAlreadySymmetric)
{
    const KorHandle x = Node(0, 0);
    const KorHandle p = Node(-5, 1);
    const KorHandle q = Node(-5, 6);
    const KorHandle r = Node(5, -1);
    const KorHandle t = Node(5, -6);
    const KorHandle s1 = Segment(p, q);
    const KorHandle s2 = Segment(r, t);
    ASSERT_NE(model.CreateConstraint(KOR_SYMMETRY, p, r, x, 0), 0u);
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, s1, s2, x, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorSSSymmetry>(h);
    ASSERT_NE(symmetry, nullptr);
    ASSERT_NE(symmetry->GetFirstSymmetry(), nullptr);
    EXPECT_TRUE(symmetry->GetFirstSymmetry()->IsNodeSymmetrySet(NodeOf(p), NodeOf(r), NodeOf(x)));
    EXPECT_TRUE(symmetry->IsNodeSymmetrySet(NodeOf(q), NodeOf(t), NodeOf(x)));
    EXPECT_TRUE(symmetry->IsImplemented());
    ASSERT_TRUE(model.RemoveObject(h));
}

TEST_F(KorSymmetryTest, SegmentsAboutANodeWithEqualCodesPairStartWithEnd)
{
    const KorHandle x = Node(0, 0);
    const KorHandle p = Node(-5, 1);
    const KorHandle q = Node(-1, 1);
    const KorHandle r = Node(1, -1);
    const KorHandle t = Node(5, -1);
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, Segment(p, q), Segment(r, t), x, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorSSSymmetry>(h);
    EXPECT_TRUE(symmetry->IsNodeSymmetrySet(NodeOf(p), NodeOf(t), NodeOf(x)));
    EXPECT_TRUE(symmetry->IsNodeSymmetrySet(NodeOf(q), NodeOf(r), NodeOf(x)));
}

// The model asks each symmetry for its node pairs: a segment symmetry's pairs
// are its node symmetries', not its own entities.
TEST_F(KorSymmetryTest, TheModelSeesTheNodePairsOfASegmentSymmetry)
{
    const KorHandle x = Node(0, 0);
    const KorHandle p = Node(-5, 1);
    const KorHandle q = Node(-1, 1);
    const KorHandle r = Node(1, -1);
    const KorHandle t = Node(5, -1);
    ASSERT_NE(model.CreateConstraint(KOR_SYMMETRY, Segment(p, q), Segment(r, t), x, 0), 0u);
    struct Case {
        KorHandle a, b, axis;
        bool paired;
    };
    const Case cases[] = {
        {p, t, x, true}, {t, p, x, true}, {q, r, x, true}, {r, q, x, true},
        {p, r, x, false}, {q, t, x, false}, {p, t, q, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.IsNodeSymmetrySet(NodeOf(c.a), NodeOf(c.b), NodeOf(c.axis)), c.paired)
            << c.a << " " << c.b << " " << c.axis;
    // A second segment symmetry whose starts the first one pairs takes start
    // with start, where its orientation codes alone would pair start with end.
    const KorHandle u = Node(-3, 1);
    const KorHandle v = Node(7, -1);
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, Segment(p, u), Segment(t, v), x, 0);
    ASSERT_NE(h, 0u);
    auto* second = Get<KorSSSymmetry>(h);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->IsNodeSymmetrySet(NodeOf(p), NodeOf(t), NodeOf(x)));
    EXPECT_TRUE(second->IsNodeSymmetrySet(NodeOf(u), NodeOf(v), NodeOf(x)));
}

TEST_F(KorSymmetryTest, CirclesGetSymmetricCentresAndEqualRadii)
{
    const KorHandle axis = Segment(Node(0, -5), Node(0, 5));
    const KorHandle c1 = model.CreateCircle(Node(-4, 0), Node(-2, 0));
    const KorHandle c2 = model.CreateCircle(Node(4, 0), Node(6, 0));
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, c1, c2, axis, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorCCSymmetry>(h);
    ASSERT_NE(symmetry, nullptr);
    ASSERT_NE(symmetry->GetFirstRadius(), nullptr);
    EXPECT_EQ(symmetry->GetFirstRadius()->GetEqualDim(), symmetry->GetSecondRadius());
    EXPECT_TRUE(symmetry->IsImplemented());
    EXPECT_TRUE(symmetry->IsNodeSymmetrySet(Get<KorCircle>(c1)->GetCenter(),
                                            Get<KorCircle>(c2)->GetCenter(),
                                            Get<KorEntity>(axis)));
    ASSERT_TRUE(model.RemoveObject(c1));
    EXPECT_EQ(model.GetConstraints().size(), 0u);
}

TEST_F(KorSymmetryTest, ArcsGetThreeNodeSymmetries)
{
    const KorHandle x = Node(0, 0);
    const KorHandle a1 = model.CreateArc(Node(-5, 0), Node(-3, 0), Node(-5, 2));
    const KorHandle a2 = model.CreateArc(Node(5, 0), Node(3, 0), Node(5, -2));
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, a1, a2, x, 0);
    ASSERT_NE(h, 0u);
    auto* symmetry = Get<KorAASymmetry>(h);
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(symmetry->GetNodeSymmetry(i), nullptr) << i;
    EXPECT_TRUE(symmetry->IsImplemented());
    EXPECT_EQ(model.CreateConstraint(KOR_SYMMETRY, a1, x, x, 0), 0u);  // mixed kinds
}

TEST_F(KorSymmetryTest, ResolveMirrorsTheFreeNode)
{
    const KorHandle p = Node(0, -5);
    const KorHandle q = Node(0, 5);
    const KorHandle axis = Segment(p, q);
    const KorHandle a = Node(-4, 1);
    const KorHandle b = Node(3, 2);
    ASSERT_NE(Fix(p), 0u);
    ASSERT_NE(Fix(q), 0u);
    ASSERT_NE(Fix(a), 0u);
    ASSERT_NE(model.CreateConstraint(KOR_SYMMETRY, a, b, axis, 0), 0u);
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(NodeOf(b)->x(), 4.0, 0.05);
    EXPECT_NEAR(NodeOf(b)->y(), 1.0, 0.05);
}

}  // namespace
