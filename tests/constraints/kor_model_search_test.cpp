#include <gtest/gtest.h>

#include <vector>

#include "kor_node.h"
#include "kor_test_model.h"

namespace {

// Exposes the search counters so the cut-off rule can be set up exactly.
class SearchModel : public KorModel {
public:
    void SetReorderings(int count) { mReorderings = count; }
    void SetEnabledCount(short count) { mNumEnabledDimensions = count; }
};

class KorModelSearchTest : public KorModelFixture {
protected:
    // n dimensions, each between its own pair of fresh nodes.
    std::vector<FakeDimension*> AddDimensions(KorModel& model, int n)
    {
        std::vector<FakeDimension*> dims;
        for (int i = 0; i < n; ++i) {
            KorHandle a = model.CreateNode(10.0 * i, 0);
            KorHandle b = model.CreateNode(10.0 * i, 5);
            auto* d = new FakeDimension(&model, KOR_DISTANCE, Node(model, a), Node(model, b));
            EXPECT_NE(model.AddDimension(d), 0u);
            dims.push_back(d);
        }
        return dims;
    }
    static KorNode* Node(KorModel& model, KorHandle h)
    {
        return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(h));
    }
};

TEST_F(KorModelSearchTest, CutOffRuleAtTheLimit)
{
    SearchModel model;
    model.SetEnabledCount(5);
    model.SetReorderings(114);  // 114 / 5 = 22: not beyond the limit
    EXPECT_FALSE(model.SolutionCutoff());
    EXPECT_EQ(model.GetError(), 0);
    model.SetReorderings(115);  // 23 > 22
    EXPECT_TRUE(model.SolutionCutoff());
    EXPECT_EQ(model.GetError(), KOR_ERR_CUTOFF);
}

TEST_F(KorModelSearchTest, NoEnabledDimensionMeansNoCutOff)
{
    SearchModel model;
    model.SetEnabledCount(0);
    model.SetReorderings(100000);
    EXPECT_FALSE(model.SolutionCutoff());
    EXPECT_EQ(model.GetError(), 0);
}

TEST_F(KorModelSearchTest, DisabledDimensionsGetPlaceholdersWithoutBacktracking)
{
    KorModel model;
    auto dims = AddDimensions(model, 4);
    for (FakeDimension* d : dims) {
        d->SetEnabled(false);
        d->implemented = false;
    }
    ASSERT_TRUE(model.Solve(nullptr));
    ASSERT_EQ(model.GetNumOfSolutions(), 4);
    for (KorDimSolution* s : model.GetSolutions())
        EXPECT_EQ(s->GetOpCode(), KOR_OP_DISABLED);
    EXPECT_EQ(model.GetNumOfReorderings(), 0);
    for (FakeDimension* d : dims)
        EXPECT_EQ(d->solveCalls, 0);
}

TEST_F(KorModelSearchTest, AnInequalityWithoutCandidateIsPassedOver)
{
    KorModel model;
    auto dims = AddDimensions(model, 2);
    dims[0]->implemented = false;
    dims[0]->SetPrimaryType(KOR_DIM_GREATER_EQUAL);
    ASSERT_TRUE(model.Solve(nullptr));
    EXPECT_EQ(model.GetNumOfReorderings(), 0);
    for (KorDimSolution* s : model.GetSolutions())
        EXPECT_EQ(s->GetOpCode(), KOR_OP_PLACEHOLDER);
}

TEST_F(KorModelSearchTest, AnUnsolvableDimensionExhaustsTheSearch)
{
    KorModel model;
    auto dims = AddDimensions(model, 3);
    dims[1]->implemented = false;
    EXPECT_FALSE(model.Solve(nullptr));
    EXPECT_TRUE(model.GetError() == 0 || model.GetError() == KOR_ERR_CUTOFF);
}

TEST_F(KorModelSearchTest, LockDimensionOnAnEmptyStackIsNull)
{
    KorModel model;
    auto dims = AddDimensions(model, 2);
    EXPECT_EQ(model.GetLockDim(dims[0]->GetStart()), nullptr);
    EXPECT_EQ(model.GetLockDim(dims[0], dims[1]), nullptr);
}

TEST_F(KorModelSearchTest, LockDimensionIsTheTopSolution)
{
    KorModel model;
    auto dims = AddDimensions(model, 2);
    for (FakeDimension* d : dims)
        d->SetEnabled(false);  // placeholders fill the stack
    ASSERT_TRUE(model.Solve(nullptr));
    KorDimension* top = model.GetDimensions()[1];
    EXPECT_EQ(model.GetLockDim(top->GetStart()), top);
    EXPECT_EQ(model.GetLockDim(model.GetDimensions()[0]->GetStart()), nullptr);
}

TEST_F(KorModelSearchTest, PoppingADoubleRestoresTheSingle)
{
    KorModel model;
    auto dims = AddDimensions(model, 2);
    for (FakeDimension* d : dims)
        d->SetEnabled(false);
    ASSERT_TRUE(model.Solve(nullptr));
    KorDimSolution* single = model.GetSolutions().back();
    auto* first = new KorDimSolution(nullptr, nullptr, KOR_OP_DOUBLE);
    auto* second = new KorDimSolution(nullptr, nullptr, KOR_OP_DOUBLE);
    model.SetDoubleSolution(first, second);
    EXPECT_EQ(model.GetSolutions().back(), first);
    EXPECT_EQ(first->GetDimensionIndex(), single->GetDimensionIndex());
    EXPECT_EQ(first->GetClusterIndex(), 2);
    EXPECT_EQ(second->GetClusterIndex(), 1);
    // second stands for another dimension above it.
    second->SetDimensionIndex(0);
    model.ClearSolutions(nullptr);  // frees first, the kept single and the rest
    delete second;
    EXPECT_EQ(model.GetNumOfSolutions(), 0);
}

TEST_F(KorModelSearchTest, OverConstrainedAndSatisfiedResolvesWithoutSearch)
{
    KorModel model;
    auto dims = AddDimensions(model, 5);  // 5 + 2 equations, 20 unknowns
    // Tie every node down: each immovable node adds two equations.
    for (KorNode* node = model.Get1stNode(); node; node = model.GetNextNode())
        node->SetMovable(false);
    ASSERT_TRUE(model.Resolve());
    EXPECT_EQ(model.GetNumOfSolutions(), 0);
    for (FakeDimension* d : dims)
        EXPECT_EQ(d->solveCalls, 0);
}

TEST_F(KorModelSearchTest, OverConstrainedAndUnsatisfiedFailsWith14)
{
    KorModel model;
    auto dims = AddDimensions(model, 5);
    for (KorNode* node = model.Get1stNode(); node; node = model.GetNextNode())
        node->SetMovable(false);
    dims[2]->implemented = false;
    EXPECT_FALSE(model.Resolve());
    EXPECT_EQ(model.GetError(), KOR_ERR_NO_SOLUTION);
}

// A derived model whose rules always ask for another round.
class RestlessRulesModel : public KorModel {
public:
    RestlessRulesModel() { SetRulesFlag(true); }
    bool ResolveRules(bool* retry, KorDimension** dimension) override
    {
        ++calls;
        *retry = true;
        *dimension = nullptr;
        return false;
    }
    int calls = 0;
};

TEST_F(KorModelSearchTest, EndlessRuleRoundsAreCutWith16)
{
    RestlessRulesModel model;
    // Disabled dimensions: every re-search succeeds at once.
    for (FakeDimension* d : AddDimensions(model, 2))
        d->SetEnabled(false);
    EXPECT_FALSE(model.Resolve());
    EXPECT_EQ(model.GetError(), KOR_ERR_CONDITIONS);
    EXPECT_GT(model.calls, 1);
    EXPECT_LE(model.calls, 64);
}

class KorModelWeightTest : public KorModelSearchTest {
protected:
    // Weights 1, 1, 2, 5, 5, 5, added heaviest first to show the ordering.
    std::vector<FakeDimension*> AddWeighted(KorModel& model)
    {
        auto dims = AddDimensions(model, 6);
        const int weights[6] = {5, 5, 5, 2, 1, 1};
        for (int i = 0; i < 6; ++i)
            dims[i]->SetWeight(weights[i]);
        return dims;
    }
    static std::vector<bool> Enabled(const std::vector<FakeDimension*>& dims)
    {
        std::vector<bool> enabled;
        for (FakeDimension* d : dims)
            enabled.push_back(d->IsEnabled());
        return enabled;
    }
};

TEST_F(KorModelWeightTest, WeightedListIsAscending)
{
    KorModel model;
    auto dims = AddWeighted(model);
    const std::vector<KorDimaint*> expected = {dims[4], dims[5], dims[3],
                                               dims[0], dims[1], dims[2]};
    EXPECT_EQ(model.GetWeightedDimaints(), expected);
}

TEST_F(KorModelWeightTest, GivingUpTakesTheHeaviestRunFirst)
{
    KorModel model;
    auto dims = AddWeighted(model);
    for (int i = 0; i < 3; ++i)
        dims[i]->implemented = false;  // only the weight-5 run is unsolvable
    EXPECT_TRUE(model.Resolve());
    EXPECT_EQ(Enabled(dims), (std::vector<bool>{false, false, false, true, true, true}));
}

TEST_F(KorModelWeightTest, ThenTheNextWeight)
{
    KorModel model;
    auto dims = AddWeighted(model);
    dims[3]->implemented = false;  // weight 2
    EXPECT_TRUE(model.Resolve());
    EXPECT_EQ(Enabled(dims), (std::vector<bool>{false, false, false, false, true, true}));
}

TEST_F(KorModelWeightTest, ThenTheLightestPair)
{
    KorModel model;
    auto dims = AddWeighted(model);
    dims[5]->implemented = false;  // weight 1
    EXPECT_TRUE(model.Resolve());
    EXPECT_EQ(Enabled(dims), (std::vector<bool>(6, false)));
}

TEST_F(KorModelWeightTest, LimitIsSevenDuringAWeightedResolveAndRestored)
{
    KorModel model;
    auto dims = AddWeighted(model);
    for (FakeDimension* d : dims)
        d->implemented = false;
    model.Resolve();
    EXPECT_EQ(dims[0]->limitSeen, 7);
    EXPECT_EQ(KorModel::ReorderingLimit(), 22);
}

TEST_F(KorModelWeightTest, LimitIsRestoredAfterAFailedResolve)
{
    KorModel model;
    auto dims = AddWeighted(model);
    KorHandle a = model.CreateNode(100, 100);
    KorHandle b = model.CreateNode(200, 100);
    auto* plain = new FakeDimension(&model, KOR_DISTANCE, Node(model, a), Node(model, b));
    model.AddDimension(plain);
    plain->implemented = false;  // never given up: the resolve fails
    EXPECT_FALSE(model.Resolve());
    EXPECT_NE(model.GetError(), 0);
    EXPECT_EQ(plain->limitSeen, 7);
    EXPECT_EQ(KorModel::ReorderingLimit(), 22);
}

TEST_F(KorModelWeightTest, RegistrationBringsBackOnlyWhatWasGivenUp)
{
    KorModel model;
    auto dims = AddWeighted(model);
    dims[4]->SetEnabled(false);  // switched off by the user, weight 1
    for (int i = 0; i < 3; ++i)
        dims[i]->implemented = false;
    EXPECT_TRUE(model.Resolve());
    EXPECT_FALSE(dims[0]->IsEnabled());
    model.CreateNode(500, 500);
    model.ResetWeighted();
    EXPECT_TRUE(dims[0]->IsEnabled());
    EXPECT_TRUE(dims[1]->IsEnabled());
    EXPECT_TRUE(dims[2]->IsEnabled());
    EXPECT_FALSE(dims[4]->IsEnabled());
}

}  // namespace
