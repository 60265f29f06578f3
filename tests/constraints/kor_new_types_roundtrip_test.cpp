#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "kor_new_dimension_fixture.h"

namespace {

// The statements of a text in sorted order. Angles and parallels are kept
// newest first in the model's list, so a replay writes a run of them in the
// opposite order: the same statements, not the same sequence.
std::vector<std::string> Statements(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Every orthogonal, node-segment and segment-segment distance, angle, radius,
// tangency and symmetry survives write, replay, write.
class KorNewTypesRoundTrip : public KorSketchFixture {
protected:
    void Build()
    {
        const KorHandle a = Node(0, 0);
        const KorHandle b = Node(10, 0);
        const KorHandle c = Node(0, 6);
        const KorHandle d = Node(10, 6);
        const KorHandle bottom = Segment(a, b);
        const KorHandle top = Segment(c, d);
        const KorHandle side = Segment(b, d);
        ASSERT_NE(model.CreateConstraint(KOR_PARALLEL, bottom, top, 0, 0), 0u);
        Expect(model.CreateDistance(bottom, top, KOR_SSDISTANCE, 0), "6");
        const KorHandle n = Node(4, 3);
        Expect(model.CreateDistance(n, bottom, KOR_NSDISTANCE, 0), "3");
        Expect(model.CreateDistance(a, n, KOR_HORIZONTAL_DISTANCE, 0), "4");
        Expect(model.CreateDistance(a, n, KOR_VERTICAL_DISTANCE, 2), "3");
        Expect(model.CreateAngular(side, bottom, 0, 0, 0), "90");
        const KorHandle arc = model.CreateArc(Node(20, 0), Node(25, 0), Node(20, 5));
        Expect(model.CreateAngular(arc, 0), "");
        const KorHandle circle = model.CreateCircle(Node(30, 3), Node(32, 3));
        Expect(model.CreateRadial(circle, 0), "2");
        const KorHandle other = model.CreateCircle(Node(35, 3), Node(38, 3));
        Expect(model.CreateConstraint(KOR_TANGENT, circle, other, 0, 0), "");
        const KorHandle wall = Segment(Node(25, 6), Node(40, 6));
        Expect(model.CreateConstraint(KOR_TANGENT, wall, other, 0, 0), "");
        const KorHandle axisNode = Node(50, 0);
        Expect(model.CreateConstraint(KOR_SYMMETRY, Node(47, 1), Node(53, -1), axisNode, 0), "");
        const KorHandle axis = Segment(Node(60, -5), Node(60, 5));
        Expect(model.CreateConstraint(KOR_SYMMETRY, Node(57, 1), Node(63, 1), axis, 3), "");
        Expect(model.CreateConstraint(KOR_SYMMETRY, Segment(Node(55, 2), Node(55, 4)),
                                      Segment(Node(65, 2), Node(65, 4)), axis, 0),
               "");
        Expect(model.CreateConstraint(KOR_SYMMETRY, model.CreateCircle(Node(56, -3), Node(57, -3)),
                                      model.CreateCircle(Node(64, -3), Node(65, -3)), axis, 0),
               "");
        Expect(model.CreateConstraint(KOR_SYMMETRY, model.CreateArc(Node(45, 8), Node(47, 8), Node(45, 10)),
                                      model.CreateArc(Node(55, -8), Node(53, -8), Node(55, -10)),
                                      axisNode, 0),
               "");
        ASSERT_EQ(model.GetError(), 0);
    }
    void Expect(KorHandle h, const char* value)
    {
        ASSERT_NE(h, 0u) << "error " << model.GetError();
        if (*value) {
            ASSERT_TRUE(Set(h, value));
        }
    }
};

TEST_F(KorNewTypesRoundTrip, WriteReplayWriteGivesTheSameText)
{
    Build();
    std::string first;
    model.Save(first, false);
    for (const char* word : {"=SSDistance(", "=NSDistance(", "=HorizonatlDistance(",
                             "=VerticalDistance(", "=Angle(", "=Radius(", "=Tangent(",
                             "=Symmetry(", "=Weight(2)", "=Weight(3)"})
        EXPECT_NE(first.find(word), std::string::npos) << word;
    EXPECT_EQ(first.find("ERROR"), std::string::npos) << first;

    KorModel replayed;
    ASSERT_TRUE(replayed.playbackStartFromString(first));
    std::string second;
    replayed.Save(second, false);
    EXPECT_EQ(Statements(second), Statements(first));
    EXPECT_EQ(replayed.GetConstraints().size(), model.GetConstraints().size());
    EXPECT_EQ(replayed.GetNumOfDimensions(), model.GetNumOfDimensions());
    EXPECT_EQ(replayed.GetNodes().size(), model.GetNodes().size());
}

TEST_F(KorNewTypesRoundTrip, TheTextWritesASymmetryWithItsAxis)
{
    const KorHandle x = Node(0, 0);
    const KorHandle a = Node(-1, 1);
    const KorHandle b = Node(1, -1);
    const KorHandle h = model.CreateConstraint(KOR_SYMMETRY, a, b, x, 0);
    ASSERT_NE(h, 0u);
    std::string text;
    model.Save(text, false);
    const std::string line = std::string(model.GetEntityName(h)) + "=Symmetry("
                             + model.GetEntityName(a) + "," + model.GetEntityName(b) + ","
                             + model.GetEntityName(x) + ")\n";
    EXPECT_NE(text.find(line), std::string::npos) << text;
}

}  // namespace
