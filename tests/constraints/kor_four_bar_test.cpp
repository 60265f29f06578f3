// A room of four walls whose lengths are all given and whose corners are
// free to turn (a bay with its angles unlocked): a new length for one wall
// turns the walls beside it, the others keep their lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kor_globals.h"
#include "kor_model.h"
#include "kor_node.h"

namespace {

class KorFourBar : public ::testing::Test {
protected:
    void SetUp() override { KorResetGlobals(); }
    void TearDown() override { KorResetGlobals(); }
};

double Between(KorModel& model, KorHandle a, KorHandle b)
{
    auto* p = static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(a));
    auto* q = static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(b));
    return std::hypot(q->GetPoint().x() - p->GetPoint().x(), q->GetPoint().y() - p->GetPoint().y());
}

}  // namespace

TEST_F(KorFourBar, ANewFrontTurnsTheSides)
{
    struct Case {
        double front, back, depth, newFront;
        bool frontHorizontal;
    };
    const Case cases[] = {{48, 24, 12, 54, true},  {72, 36, 18, 78, true},  {72, 36, 18, 66, true},
                          {96, 48, 24, 100, true}, {72, 36, 18, 78, false}, {48, 24, 12, 44, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.front << " -> " << c.newFront << (c.frontHorizontal ? " level" : ""));
        KorResetGlobals();
        KorModel model;
        const double inset = (c.front - c.back) / 2;
        const std::vector<KorHandle> n = {model.CreateNode(0, 0), model.CreateNode(c.front, 0),
                                          model.CreateNode(c.front - inset, c.depth),
                                          model.CreateNode(inset, c.depth)};
        std::vector<KorHandle> walls;
        for (int i = 0; i < 4; ++i)
            walls.push_back(model.CreateSegment(n[i], n[(i + 1) % 4]));
        ASSERT_NE(model.CreateConstraint(KOR_UNMOVABLE, n[0], 0, 0, 0), 0u);
        if (c.frontHorizontal) {
            ASSERT_NE(model.CreateConstraint(KOR_HORIZONTAL, walls[0], 0, 0, 0), 0u);
        }
        std::vector<KorHandle> lengths;
        std::vector<double> values;
        for (int i = 0; i < 4; ++i) {
            const double value = Between(model, n[i], n[(i + 1) % 4]);
            const KorHandle d = model.CreateDistance(n[i], n[(i + 1) % 4], KOR_DISTANCE, 0);
            ASSERT_NE(d, 0u);
            ASSERT_TRUE(model.SetDimensionValue(d, value, KORDimensionType(2)));
            lengths.push_back(d);
            values.push_back(value);
        }
        ASSERT_TRUE(model.Resolve()) << "as drawn";
        values[0] = c.newFront;
        ASSERT_TRUE(model.SetDimensionValue(lengths[0], c.newFront, KORDimensionType(2)));
        EXPECT_TRUE(model.Resolve()) << "error " << model.GetError();
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(Between(model, n[i], n[(i + 1) % 4]), values[i], 1e-3) << "wall " << i;
    }
}
