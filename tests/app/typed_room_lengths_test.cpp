// Lengths typed into the walls of the palette's rooms as the Measurement mode
// applies them: an edit the room can take is taken with every given length
// and angle kept; one it cannot take is refused and leaves the room as it was.
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "dimension_values.h"
#include "distances.h"
#include "xml_element.h"
#include "kor_dimension.h"
#include "kor_node.h"
#include "level_fixture.h"
#include "measurement_mode.h"
#include "zup_opening.h"

namespace {

constexpr double kCornerPlay = 1e-6;  // a refused edit moves no corner

class TypedRoomLengthsTest : public LevelTest {
protected:
    // The palette's shape placed as the current room with its entrance, and
    // the Measurement mode on.
    void PlaceShape(int row, int column)
    {
        ASSERT_TRUE(document->InsertShape(row, column));
        document->PlaceEntrance(nullptr);
        ASSERT_TRUE(Room()->Resolve());
        ASSERT_TRUE(document->SetEditMode(2));
        ASSERT_NE(Mode(), nullptr);
    }
    CMeasurementMode* Mode() { return dynamic_cast<CMeasurementMode*>(document->GetEditMode()); }

    std::vector<ZupEdge*> Walls()
    {
        std::vector<ZupEdge*> walls;
        for (ZupEdge* wall = Room()->Get1stEdge(); wall; wall = Room()->GetNextEdge())
            walls.push_back(wall);
        return walls;
    }
    static double LengthOf(ZupEdge* wall)
    {
        return GeoDistance(wall->GetStart()->GetPoint(), wall->GetEnd()->GetPoint());
    }
    // The length a tap on the middle of the wall selects: the wall's own, or
    // the entrance's width on the wall that holds it.
    KorDimension* LengthDimension(ZupEdge* wall)
    {
        const point middle = wall->GetGeoCenter();
        const int index = Room()->FindReferenceDimensionAt(nullptr, middle.x(), middle.y());
        return index < 0 ? nullptr : Room()->GetDimension(index, nullptr);
    }
    // The value typed into the wall's length as the keypad gives it (the
    // mode checks it against the chains, then resolves).
    bool Type(ZupEdge* wall, int value)
    {
        KorDimension* length = LengthDimension(wall);
        if (!length)
            return false;
        Mode()->m_current = length;
        return Mode()->ApplyValue(static_cast<float>(value));
    }
    std::vector<point> Corners()
    {
        std::vector<point> corners;
        for (KorNode* node : Room()->GetNodes())
            corners.push_back(node->GetPoint());
        return corners;
    }
    // Every given length and angle the room holds, measured on the walls.
    std::string UnheldValues()
    {
        std::ostringstream out;
        auto check = [&out](KorDimension* d) {
            if (d->IsEnabled() && !d->IsImplemented())
                out << " " << d->GetValue() << " is " << d->GetImplementedValue() << ";";
        };
        for (KorDimension* d : Room()->GetDimensions())
            check(d);
        for (KorDimension* d : Room()->GetReferenceDimensions())
            check(d);
        return out.str();
    }
};

bool SameCorners(const std::vector<point>& a, const std::vector<point>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (GeoDistance(a[i], b[i]) > kCornerPlay)
            return false;
    return true;
}

}  // namespace

// A rectangle whose two long walls are both given the same new length: the
// rectangle of that length is there to take, whether the second wall is
// typed after the first was solved or both take the value in one step.
TEST_F(TypedRoomLengthsTest, OppositeWallsGivenTheSameLength)
{
    for (const bool oneStep : {false, true}) {
        for (const int value : {150, 200, 250, 360}) {
            SCOPED_TRACE(testing::Message() << value << (oneStep ? " in one step" : " in turn"));
            document = std::make_unique<CReplDoc>();
            document->ResetLevel();
            PlaceShape(0, 0);
            std::vector<ZupEdge*> walls = Walls();
            ASSERT_EQ(walls.size(), 4u);
            ASSERT_TRUE(Type(walls[2], 120));
            ASSERT_TRUE(Type(walls[1], 200)) << "a rectangle 120 x 200";
            if (oneStep)
                ASSERT_TRUE(FixDimension(LengthDimension(walls[1]), value));
            else
                ASSERT_TRUE(Type(walls[1], value));
            EXPECT_TRUE(Type(walls[3], value)) << "the opposite wall at the same length";
            EXPECT_NEAR(LengthOf(walls[1]), value, 0.01);
            EXPECT_NEAR(LengthOf(walls[3]), value, 0.01);
            EXPECT_NEAR(LengthOf(walls[2]), 120.0, 0.01);
            EXPECT_EQ(UnheldValues(), "");
        }
    }
}

// Every predefined shape of the palette, each wall typed in turn 10% longer,
// then each in turn 10% shorter, as a tap on its middle selects it. An
// accepted edit gives the wall its length and keeps every given length and
// angle. A refused one moves no corner and keeps the values; the length the
// wall has is then taken, typed as it is.
TEST_F(TypedRoomLengthsTest, EveryPaletteShapeTakesTypedLengths)
{
    const ExchangeTables& tables = GetExchangeTables();
    std::ostringstream table;
    for (int row = 0; row < static_cast<int>(tables.shapes.size()); ++row) {
        for (int column = 0; column < static_cast<int>(tables.shapes[row].size()); ++column) {
            const char* name = tables.shapes[row][column]->GetAttribute("name");
            SCOPED_TRACE(testing::Message() << row << "," << column << " " << (name ? name : ""));
            document = std::make_unique<CReplDoc>();
            document->ResetLevel();
            PlaceShape(row, column);
            int accepted = 0;
            std::ostringstream refused;
            for (const double factor : {1.1, 0.9}) {
                const std::vector<ZupEdge*> walls = Walls();
                for (std::size_t i = 0; i < walls.size(); ++i) {
                    SCOPED_TRACE(testing::Message() << "wall " << i << " x" << factor);
                    ZupEdge* wall = walls[i];
                    KorDimension* length = LengthDimension(wall);
                    ASSERT_NE(length, nullptr);
                    const double measured = length->GetImplementedValue();
                    const int value = static_cast<int>(std::lround(measured * factor));
                    const std::vector<point> before = Corners();
                    if (Type(wall, value)) {
                        ++accepted;
                        EXPECT_NEAR(length->GetImplementedValue(), value, 0.01);
                        EXPECT_EQ(UnheldValues(), "");
                        continue;
                    }
                    refused << " " << i << (factor > 1.0 ? "+" : "-") << "(" << Room()->GetError() << ")";
                    EXPECT_TRUE(SameCorners(before, Corners())) << "a refused edit moved the room";
                    EXPECT_EQ(UnheldValues(), "");
                    const bool whole = std::fabs(measured - std::round(measured)) < 1e-6;
                    if (!whole || value == std::lround(measured))
                        continue;
                    EXPECT_TRUE(Type(wall, static_cast<int>(std::lround(measured))))
                        << "the length the wall has, " << measured << ", refused";
                    EXPECT_TRUE(SameCorners(before, Corners()));
                    length->SetEnabled(false);
                }
            }
            table << (name ? name : "?") << ": " << accepted << " accepted, refused:" << refused.str()
                  << "\n";
        }
    }
    std::printf("%s", table.str().c_str());
}
