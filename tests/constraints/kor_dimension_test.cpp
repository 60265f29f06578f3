// Values, ranges, value text and the bracket rules of dimensions.
#include <clocale>
#include <fstream>
#include <iterator>
#include <cmath>
#include <limits>
#include <string>

#include "kor_condition.h"
#include "kor_dimension_test_support.h"

namespace {

using Dimension = KorDimensionFixture;

struct TextCase {
    const char* text;
    KORDimensionType primary;
    double bound;
    KORDimensionType secondary;
    double secondaryValue;
};

class ValueText : public KorDimensionFixture, public ::testing::WithParamInterface<TextCase> {};

TEST_P(ValueText, ParsesOperatorsAndNumbers)
{
    const TextCase& c = GetParam();
    TestDimension* d = Add(1.0);
    ASSERT_TRUE(d->SetValue(std::string(c.text))) << c.text;
    EXPECT_EQ(d->GetPrimaryType(), c.primary) << c.text;
    EXPECT_DOUBLE_EQ(d->GetBound(), c.bound) << c.text;
    EXPECT_EQ(d->GetSecondaryType(), c.secondary) << c.text;
    if (c.secondary != KOR_DIM_NONE) {
        EXPECT_DOUBLE_EQ(d->GetSecondaryValue(), c.secondaryValue) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueText,
    ::testing::Values(TextCase{"12.5", KOR_DIM_EQUAL, 12.5, KOR_DIM_NONE, 0},
                      TextCase{">= 7.25", KOR_DIM_GREATER_EQUAL, 7.25, KOR_DIM_NONE, 0},
                      TextCase{"<=3&&>=1", KOR_DIM_LESS_EQUAL, 3, KOR_DIM_GREATER_EQUAL, 1},
                      TextCase{">5.00&&<10.00", KOR_DIM_GREATER, 5, KOR_DIM_LESS, 10},
                      TextCase{"=4", KOR_DIM_EQUAL, 4, KOR_DIM_NONE, 0},
                      TextCase{"==4", KOR_DIM_EQUAL, 4, KOR_DIM_NONE, 0},
                      TextCase{" < 8 ", KOR_DIM_LESS, 8, KOR_DIM_NONE, 0},
                      TextCase{">2", KOR_DIM_GREATER, 2, KOR_DIM_NONE, 0},
                      TextCase{"1e3", KOR_DIM_EQUAL, 1000, KOR_DIM_NONE, 0},
                      TextCase{".5", KOR_DIM_EQUAL, 0.5, KOR_DIM_NONE, 0}));

TEST_F(Dimension, NumberTextIsAnExactEnabledValue)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(std::string("12.5")));
    EXPECT_TRUE(d->IsEnabled());
    EXPECT_DOUBLE_EQ(d->GetValue(), 12.5);
}

TEST_F(Dimension, NoValueTextDisables)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(std::string("12.5")));
    ASSERT_TRUE(d->SetValue(std::string("//")));
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_NONE);
    EXPECT_EQ(d->GetValueString(), "");
}

// Text that is neither a dimension's name nor a complete finite number after an
// optional operator is refused and changes nothing.
TEST_F(Dimension, GarbageTextIsRefusedWithTheValueUnchanged)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(7.5, KOR_DIM_EQUAL, true));
    const char* const refused[] = {"5x",  "abc", "",     "   ",  "1e999", "nan",  "inf",
                                   "5 5", "=",   ">",    ">&&<", "5&&",   "&&<3", "<3&&5",
                                   "=5=", "0x10", "5,5", "<3&&//", "- 5", "=."};
    for (const char* text : refused) {
        EXPECT_FALSE(d->SetValue(std::string(text))) << '"' << text << '"';
        EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_EQUAL) << text;
        EXPECT_DOUBLE_EQ(d->GetValue(), 7.5) << text;
        EXPECT_TRUE(d->IsEnabled()) << text;
    }
    std::string withNul("5\0x", 3);
    EXPECT_FALSE(d->SetValue(withNul));
    EXPECT_DOUBLE_EQ(d->GetValue(), 7.5);
}

TEST_F(Dimension, NegativeTextIsRefusedAsANegativeValue)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(7.5, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->SetValue(std::string("=-5")));
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_NONE);
    EXPECT_EQ(d->GetSecondaryType(), KOR_DIM_NONE);
    EXPECT_NE(d->GetBound(), 5.0);
}

TEST_F(Dimension, NameOfDeletedDimensionIsRefused)
{
    TestDimension* gone = Add(1.0);
    std::string name = NameOf(gone);
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(model->RemoveObject(HandleOf(gone)));
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(4.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->SetValue(name));
    EXPECT_DOUBLE_EQ(d->GetValue(), 4.0);
    EXPECT_EQ(d->GetEqualDim(), nullptr);
}

TEST_F(Dimension, NameTextMakesEqualAndOwnNameIsRefused)
{
    TestDimension* a = Add(1.0);
    TestDimension* b = Add(2.0);
    ASSERT_TRUE(a->SetValue(6.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(b->SetValue(NameOf(b)));
    ASSERT_TRUE(b->SetValue(NameOf(a)));
    EXPECT_EQ(b->GetEqualDim(), a);
    EXPECT_EQ(b->GetPrimaryType(), KOR_DIM_SAME);
    EXPECT_FALSE(b->IsEnabled());
    EXPECT_EQ(b->GetValueString(), NameOf(a));
    EXPECT_TRUE(b->SetValue(NameOf(a)));  // already equal
}

TEST_F(Dimension, NegativeValueDisablesAndFails)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->SetValue(-1.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_NONE);
    EXPECT_EQ(d->GetSecondaryType(), KOR_DIM_NONE);
}

TEST_F(Dimension, NonFiniteValueIsRefusedUnchanged)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->SetValue(std::numeric_limits<double>::infinity(), KOR_DIM_EQUAL, true));
    EXPECT_FALSE(d->SetValue(std::nan(""), KOR_DIM_GREATER, true));
    EXPECT_DOUBLE_EQ(d->GetValue(), 5.0);
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_EQUAL);
}

TEST_F(Dimension, RangeFromTwoInequalities)
{
    TestDimension* d = Add(7.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    ASSERT_TRUE(d->SetValue(10.0, KOR_DIM_LESS, true));
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_GREATER);
    EXPECT_EQ(d->GetSecondaryType(), KOR_DIM_LESS);
    EXPECT_EQ(d->GetValueString(), ">5.00&&<10.00");
    // Adding "<" 3 to "> 5" is refused: 3 lies below the value 5.
    EXPECT_FALSE(d->SetValue(3.0, KOR_DIM_LESS, true));
    EXPECT_DOUBLE_EQ(d->GetSecondaryValue(), 10.0);
    EXPECT_TRUE(d->SetValue(7.0, KOR_DIM_GREATER, true));
    EXPECT_DOUBLE_EQ(d->GetBound(), 7.0);
    EXPECT_FALSE(d->SetValue(12.0, KOR_DIM_GREATER, true));
    EXPECT_DOUBLE_EQ(d->GetBound(), 7.0);
}

TEST_F(Dimension, UpperPrimaryRefusesBoundBelowLowerSecondary)
{
    TestDimension* d = Add(7.0);
    ASSERT_TRUE(d->SetValue(10.0, KOR_DIM_LESS, true));
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    EXPECT_FALSE(d->SetValue(3.0, KOR_DIM_LESS, true));
    EXPECT_DOUBLE_EQ(d->GetBound(), 10.0);
}

// A range is a lower bound with an upper bound, in either order: its printed
// text reads back to the same relations and values. Two bounds on one side
// (the value text fuzz input "<=3", after "=7.25", ">5" and "<9") print both
// operators on one side of the text too, and the reading takes the first of
// each operator, so that text is no range to read back.
TEST_F(Dimension, PrintedRangeReadsBackToTheSameRelations)
{
    struct Case {
        KORDimensionType primary;
        double bound;
        KORDimensionType second;
        double value;
        const char* printed;
    };
    const Case cases[] = {
        {KOR_DIM_GREATER, 5.0, KOR_DIM_LESS, 10.0, ">5.00&&<10.00"},
        {KOR_DIM_GREATER_EQUAL, 5.0, KOR_DIM_LESS_EQUAL, 10.0, ">=5.00&&<=10.00"},
        {KOR_DIM_LESS, 9.0, KOR_DIM_GREATER_EQUAL, 3.0, "<9.00&&>=3.00"},
        {KOR_DIM_LESS_EQUAL, 3.0, KOR_DIM_GREATER, 1.5, "<=3.00&&>1.50"},
    };
    for (const Case& c : cases) {
        TestDimension* d = Add(7.0);
        ASSERT_TRUE(d->SetValue(c.bound, c.primary, true));
        ASSERT_TRUE(d->SetValue(c.value, c.second, true));
        std::string printed = d->GetValueString();
        EXPECT_EQ(printed, c.printed);
        TestDimension* copy = Add(7.0);
        ASSERT_TRUE(copy->SetValue(printed)) << printed;
        EXPECT_EQ(copy->GetPrimaryType(), c.primary) << printed;
        EXPECT_EQ(copy->GetSecondaryType(), c.second) << printed;
        EXPECT_EQ(copy->GetValueString(), printed);
        ASSERT_TRUE(d->SetValue(printed)) << printed;
        EXPECT_EQ(d->GetValueString(), printed);
    }
    std::ifstream file(std::string(PELK_TEST_INPUTS) + "/kor_value_text_roundtrip.bin",
                       std::ios::binary);
    std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(input, "<=3");
    TestDimension* d = Add(3.5);
    ASSERT_TRUE(d->SetValue(7.25, KOR_DIM_EQUAL, true));
    ASSERT_TRUE(d->SetValue(input));
    EXPECT_FALSE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    ASSERT_TRUE(d->SetValue(9.0, KOR_DIM_LESS, true));
    EXPECT_EQ(d->GetValueString(), "<=3.00&&<9.00");
}

TEST_F(Dimension, CheckBracketAtGeoSnap)
{
    TestDimension* d = Add();
    ASSERT_DOUBLE_EQ(GeoSnap(), 0.01);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    EXPECT_FALSE(d->CheckBracket(5.005, KOR_DIM_GREATER));
    EXPECT_TRUE(d->CheckBracket(5.02, KOR_DIM_GREATER));
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER_EQUAL, true));
    EXPECT_TRUE(d->CheckBracket(4.995, KOR_DIM_GREATER_EQUAL));
    EXPECT_FALSE(d->CheckBracket(4.98, KOR_DIM_GREATER_EQUAL));
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_LESS, true));
    EXPECT_FALSE(d->CheckBracket(4.995, KOR_DIM_LESS));
    EXPECT_TRUE(d->CheckBracket(4.98, KOR_DIM_LESS));
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_LESS_EQUAL, true));
    EXPECT_TRUE(d->CheckBracket(5.005, KOR_DIM_LESS_EQUAL));
    EXPECT_FALSE(d->CheckBracket(5.02, KOR_DIM_LESS_EQUAL));
    EXPECT_FALSE(d->CheckBracket(5.0, KOR_DIM_UPPER));
    EXPECT_FALSE(d->CheckBracket(5.0, KOR_DIM_EQUAL));
}

TEST_F(Dimension, ConditionImplementedFollowsTheBrackets)
{
    TestDimension* d = Add(12.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    EXPECT_TRUE(d->IsImplemented());
    ASSERT_TRUE(d->SetValue(10.0, KOR_DIM_LESS, true));
    EXPECT_FALSE(d->IsImplemented());
    d->measured = 7.0;
    EXPECT_TRUE(d->IsImplemented());
    ASSERT_TRUE(d->SetValue(0.0, KOR_DIM_NONE, true));
    EXPECT_FALSE(d->IsConditionImplemented());
}

struct SwitchCase {
    KORDimensionType primary;
    double bound;
    KORDimensionType secondary;
    double secondaryValue;
    double measured;
    double expected;
};

class SwitchToEqualence : public KorDimensionFixture,
                          public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchToEqualence, TargetFromTheBounds)
{
    const SwitchCase& c = GetParam();
    TestDimension* d = Add(c.measured);
    ASSERT_TRUE(d->SetValue(c.bound, c.primary, true));
    if (c.secondary != KOR_DIM_NONE) {
        ASSERT_TRUE(d->SetValue(c.secondaryValue, c.secondary, true));
    }
    EXPECT_FALSE(d->IsEnabled());
    d->SwitchToEqualence();
    EXPECT_TRUE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), c.primary);
    EXPECT_NEAR(d->GetValue(), c.expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, SwitchToEqualence,
    ::testing::Values(SwitchCase{KOR_DIM_GREATER, 5, KOR_DIM_NONE, 0, 3, 5.02},
                      SwitchCase{KOR_DIM_GREATER, 5, KOR_DIM_LESS, 10, 12, 7.5},
                      SwitchCase{KOR_DIM_GREATER, 5, KOR_DIM_LESS, 10, 3, 5.02},
                      SwitchCase{KOR_DIM_GREATER_EQUAL, 5, KOR_DIM_NONE, 0, 3, 5},
                      SwitchCase{KOR_DIM_LESS_EQUAL, 5, KOR_DIM_NONE, 0, 8, 5},
                      SwitchCase{KOR_DIM_LESS, 10, KOR_DIM_NONE, 0, 12, 9.98},
                      SwitchCase{KOR_DIM_GREATER, 5, KOR_DIM_NONE, 0, 8, 5},
                      SwitchCase{KOR_DIM_LESS, 10, KOR_DIM_GREATER, 5, 7, 10}));

TEST_F(Dimension, ValueStringForEachType)
{
    TestDimension* d = Add(2.0);
    EXPECT_EQ(d->GetValueString(), "");
    ASSERT_TRUE(d->SetValue(12.5, KOR_DIM_EQUAL, true));
    EXPECT_EQ(d->GetValueString(), "12.50");
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER_EQUAL, true));
    ASSERT_TRUE(d->SetValue(10.0, KOR_DIM_LESS, true));
    EXPECT_EQ(d->GetValueString(), ">=5.00&&<10.00");
}

TEST_F(Dimension, ValueStringGrowsForLargeValues)
{
    TestDimension* d = Add(2.0);
    ASSERT_TRUE(d->SetValue(std::string("1e25")));
    EXPECT_EQ(d->GetValueString(), "10000000000000000905969664.00");
    ASSERT_TRUE(d->SetValue(std::string("<1e25&&>1e24")));
    EXPECT_EQ(d->GetValueString(),
              "<10000000000000000905969664.00&&>999999999999999983222784.00");
}

TEST_F(Dimension, ValueTextIgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma";
    TestDimension* d = Add(2.0);
    bool parsed = d->SetValue(std::string("12.5"));
    std::string text = d->GetValueString();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(parsed);
    EXPECT_EQ(text, "12.50");
}

TEST_F(Dimension, TypeTexts)
{
    const char* expected[] = {"//", "==", "=", ">", ">=", "<", "<=", "~"};
    for (int code = 0; code < KOR_NUM_DIMENSION_TYPES; ++code)
        EXPECT_STREQ(KorDimensionTypeText(static_cast<KORDimensionType>(code)), expected[code]);
    EXPECT_STREQ(KorDimensionTypeText(static_cast<KORDimensionType>(8)), "");
}

TEST_F(Dimension, NewDimensionState)
{
    TestDimension d;
    EXPECT_FALSE(d.IsEnabled());
    EXPECT_TRUE(d.IsImplementable());
    EXPECT_EQ(d.GetPrimaryType(), KOR_DIM_NONE);
    EXPECT_EQ(d.GetSecondaryType(), KOR_DIM_NONE);
    EXPECT_EQ(d.GetStart(), nullptr);
    EXPECT_FALSE(d.IsExtraRule());
    EXPECT_EQ(d.GetStopDF(), KorDimension::mpStopDF);
    ASSERT_NE(KorDimension::mpStopDF, nullptr);
    EXPECT_EQ(KorDimension::mpStopDF->mpNode, nullptr);
    EXPECT_EQ(KorDimension::mpStopDF->mpMoved, nullptr);
    EXPECT_EQ(KorDimension::mpStopDF->mpCarrier, nullptr);
    EXPECT_EQ(d.GetNumOfEquations(), 0);
}

TEST_F(Dimension, UnvaluedDimensionReportsItsMeasure)
{
    TestDimension* d = Add(4.25);
    EXPECT_DOUBLE_EQ(d->GetValue(), 4.25);
}

TEST_F(Dimension, AdjacencyAndCommonEntity)
{
    KorNode a, b, c;
    TestDimension ab, bc, ca, other;
    ab.SetStart(&a);
    ab.SetEnd(&b);
    bc.SetStart(&b);
    bc.SetEnd(&c);
    ca.SetStart(&c);
    ca.SetEnd(&a);
    other.SetStart(&b);
    other.SetEnd(&a);
    EXPECT_FALSE(ab.IsAdjacent(&ab));
    EXPECT_TRUE(ab.IsAdjacent(&bc));
    EXPECT_EQ(ab.GetCommonEntity(&bc), &b);
    EXPECT_EQ(ab.GetCommonEntity(&ca), &a);
    EXPECT_TRUE(ab.SameAs(&other));
    EXPECT_FALSE(ab.SameAs(&bc));
    TestDimension angle(KOR_ANGLE);
    angle.SetStart(&a);
    angle.SetEnd(&b);
    EXPECT_FALSE(ab.SameAs(&angle));
}

TEST_F(Dimension, WeightNeedsAModelAndKeepsItsPlace)
{
    TestDimension loose;
    loose.SetWeight(3);
    EXPECT_EQ(loose.GetWeight(), 0);

    TestDimension* a = Add();
    TestDimension* b = Add();
    a->SetWeight(2);
    b->SetWeight(4);
    ASSERT_EQ(model->GetWeightedDimaints().size(), 2u);
    KorDimaint* first = model->GetWeightedDimaints()[0];
    a->SetWeight(5);
    EXPECT_EQ(a->GetWeight(), 5);
    EXPECT_EQ(model->GetWeightedDimaints()[0], first);
    a->SetWeight(0);
    EXPECT_EQ(model->GetWeightedDimaints().size(), 1u);
}

// ---- Plain conditions of inequalities ----

bool Holds(KorModel& model, KorCondition* condition)
{
    for (KorCondition* c : model.GetConditions())
        if (c == condition)
            return true;
    return false;
}

TEST_F(Dimension, InequalityRegistersAPlainConditionAndEqualityDropsIt)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    KorCondition* condition = d->GetCondition();
    ASSERT_NE(condition, nullptr);
    EXPECT_EQ(condition->GetOwner(), d);
    EXPECT_TRUE(Holds(*model, condition));
    ASSERT_TRUE(d->SetValue(6.0, KOR_DIM_EQUAL, true));
    EXPECT_EQ(d->GetCondition(), nullptr);
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_TRUE(d->IsEnabled());
}

// "//" and a negative value end the inequality too: no condition is left to
// re-enable the dimension at the next resolve.
TEST_F(Dimension, NoValueAndNegativeValueDropThePlainCondition)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    ASSERT_TRUE(d->SetValue(0.0, KOR_DIM_NONE, true));
    EXPECT_EQ(d->GetCondition(), nullptr);
    EXPECT_TRUE(model->GetConditions().empty());

    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_LESS, true));
    ASSERT_EQ(model->GetConditions().size(), 1u);
    EXPECT_FALSE(d->SetValue(-2.0, KOR_DIM_GREATER, true));
    EXPECT_EQ(d->GetCondition(), nullptr);
    EXPECT_TRUE(model->GetConditions().empty());
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(d->GetPrimaryType(), KOR_DIM_NONE);
}

TEST_F(Dimension, PlainConditionImplementsThroughItsOwner)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    KorCondition* condition = d->GetCondition();
    EXPECT_FALSE(condition->IsConditionImplemented());
    bool more = true;
    EXPECT_EQ(condition->CreateImplementationDim(&more), d);
    EXPECT_FALSE(more);
    EXPECT_TRUE(d->IsEnabled());
    EXPECT_NEAR(d->GetValue(), 5.02, 1e-12);
    EXPECT_EQ(condition->UpdateImplementationDim(), nullptr);
    EXPECT_EQ(condition->GetDimaint(), d);
    condition->RemoveImplementationDim();
    EXPECT_FALSE(d->IsEnabled());
    EXPECT_EQ(condition->GetImplementationDim(), nullptr);
}

TEST_F(Dimension, DeletingAnImplementationClearsTheConditionLink)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    TestDimension* implementation = Add(1.0);
    KorCondition* condition = d->GetCondition();
    condition->SetImplementationDim(implementation);
    ASSERT_TRUE(model->RemoveObject(HandleOf(implementation)));
    EXPECT_EQ(condition->GetImplementationDim(), nullptr);
}

TEST_F(Dimension, DeletingAnInequalityDeletesItsCondition)
{
    TestDimension* d = Add(3.0);
    ASSERT_TRUE(d->SetValue(5.0, KOR_DIM_GREATER, true));
    ASSERT_EQ(model->GetConditions().size(), 1u);
    ASSERT_TRUE(model->RemoveObject(HandleOf(d)));
    EXPECT_TRUE(model->GetConditions().empty());
}

}  // namespace
