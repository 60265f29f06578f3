#include <gtest/gtest.h>

#include "kor_new_dimension_fixture.h"
#include "kor_radial.h"

namespace {

class KorRadialTest : public KorSketchFixture {
protected:
    void SetUp() override
    {
        KorSketchFixture::SetUp();
        centre = Node(0, 0);
        rim = Node(5, 0);
        circle = model.CreateCircle(centre, rim);
        ASSERT_NE(circle, 0u);
    }
    KorHandle centre = 0, rim = 0, circle = 0;
};

TEST_F(KorRadialTest, MeasuresTheTrackersRadiusAndGoesFirst)
{
    const KorHandle other = Node(20, 0);
    const KorHandle far = Node(30, 0);
    const KorHandle distance = model.CreateDistance(other, far, KOR_DISTANCE, 0);
    const KorHandle h = model.CreateRadial(circle, 0);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(model.GetDimensions().front(), Get<KorDimension>(h));
    EXPECT_NE(distance, 0u);
    EXPECT_NEAR(Get<KorRadial>(h)->GetImplementedValue(), 5.0, 1e-6);
    EXPECT_EQ(Get<KorRadial>(h)->CalculateStatus(), KORStatusType{});
}

TEST_F(KorRadialTest, ASecondRadiusOnOneTrackerIsTheSame)
{
    ASSERT_NE(model.CreateRadial(circle, 0), 0u);
    EXPECT_EQ(model.CreateRadial(circle, 0), 0u);
    EXPECT_EQ(model.GetError(), KOR_ERR_EQUAL_DIMENSION);
    EXPECT_EQ(model.CreateRadial(centre, 0), 0u);  // not a circle
}

TEST_F(KorRadialTest, ARadiusOfZeroOrLessIsRefused)
{
    const KorHandle h = model.CreateRadial(circle, 0);
    EXPECT_FALSE(Set(h, "0"));
    EXPECT_FALSE(Set(h, "-2"));
    EXPECT_FALSE(Get<KorDimension>(h)->IsEnabled());
}

TEST_F(KorRadialTest, SolvingAFixedRadiusOffersNothing)
{
    auto* radial = Get<KorRadial>(model.CreateRadial(circle, 0));
    CircleOf(circle)->SetStatus(static_cast<KORStatusType>(6));
    EXPECT_EQ(radial->Solve(static_cast<KorDF*>(nullptr)), nullptr);
    CircleOf(circle)->SetStatus(static_cast<KORStatusType>(0));
    EXPECT_EQ(radial->Solve(radial->GetDF()), nullptr);
}

TEST_F(KorRadialTest, ResolveResizesTheCircle)
{
    ASSERT_NE(Fix(centre), 0u);
    const KorHandle h = model.CreateRadial(circle, 0);
    ASSERT_TRUE(Set(h, "8"));
    ASSERT_TRUE(model.Resolve()) << model.GetError();
    EXPECT_NEAR(CircleOf(circle)->GetRadius(), 8.0, GeoSnap());
    EXPECT_NEAR(Distance(centre, rim), 8.0, GeoSnap());
    EXPECT_NEAR(NodeOf(centre)->x(), 0.0, 1e-12);
}

}  // namespace
