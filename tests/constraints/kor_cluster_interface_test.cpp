// The model's cluster operations: no dimension of ours makes a cluster, but
// the operations are the model's interface, so a caller's cluster of
// solutions is taken back, stamped and asked about as they promise.
#include <gtest/gtest.h>

#include <vector>

#include "kor_node.h"
#include "kor_test_model.h"

namespace {

// Lets a test hand the model the clusters a producer would have left.
class ClusterModel : public KorModel {
public:
    void AddCluster(std::vector<KorDimSolution*> cluster) { mClusters.push_back(std::move(cluster)); }
    void SetRedundantCluster(bool redundant) { mbRedundantCluster = redundant; }
    void SetClusterIndexTo(short index) { mClusterIndex = index; }
};

using KorClusterInterfaceTest = KorModelFixture;

constexpr KORStatusType kUnsolved = KORStatusType(0);
constexpr KORStatusType kSolved = KORStatusType(2);

// n placeholder dimensions on the stack, each between its own pair of nodes
// 96 in apart. The model owns them.
std::vector<FakeDimension*> SolvedPlaceholders(ClusterModel& model, int n)
{
    std::vector<FakeDimension*> dims;
    const auto node = [&model](double x, double y) {
        return static_cast<KorNode*>(model.GetNamesManager().GetObjectAddress(model.CreateNode(x, y)));
    };
    for (int i = 0; i < n; ++i) {
        auto* d = new FakeDimension(&model, KOR_DISTANCE, node(120.0 * i, 0.0), node(120.0 * i, 96.0));
        EXPECT_NE(model.AddDimension(d), 0u);
        d->SetEnabled(false);
        dims.push_back(d);
    }
    EXPECT_TRUE(model.Solve(nullptr));
    EXPECT_EQ(model.GetNumOfSolutions(), n);
    return dims;
}

// Copies of the stack's entries first .. first + count - 1, as a cluster holds them.
std::vector<KorDimSolution*> CopiesOfTheStack(const KorModel& model, int first, int count)
{
    std::vector<KorDimSolution*> cluster;
    for (int i = first; i < first + count; ++i)
        cluster.push_back(new KorDimSolution(model.GetSolutions()[static_cast<std::size_t>(i)]));
    return cluster;
}

TEST_F(KorClusterInterfaceTest, WithoutAClusterNothingIsRestored)
{
    ClusterModel model;
    SolvedPlaceholders(model, 2);
    int cursor = -1;
    EXPECT_FALSE(model.RestoreBackupCluster(cursor));
    EXPECT_EQ(cursor, -1);
    EXPECT_EQ(model.GetNumOfSolutions(), 2);
    EXPECT_EQ(model.GetClusterIndex(), 0);
}

// A cluster of every dimension puts the cursor past the list; a cluster of
// some makes them solved and the cursor the next one still to solve. Each
// cluster is taken once; one never taken leaves with the model.
TEST_F(KorClusterInterfaceTest, ARestoredClusterBecomesTheStack)
{
    const struct {
        int first, count;
        int cursor;
    } cases[] = {
        {0, 3, 3},  // complete
        {0, 2, 2},  // dimensions 0 and 1; 2 is next
        {1, 1, 2},  // dimension 1 only; the round goes on after it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.first << ", " << c.count);
        ClusterModel model;
        std::vector<FakeDimension*> dims = SolvedPlaceholders(model, 3);
        const std::vector<KorDimSolution*> cluster = CopiesOfTheStack(model, c.first, c.count);
        model.AddCluster(cluster);
        model.AddCluster(CopiesOfTheStack(model, 0, 1));  // never taken
        for (FakeDimension* d : dims)
            d->SetStatus(kUnsolved, nullptr);
        int cursor = -1;
        ASSERT_TRUE(model.RestoreBackupCluster(cursor));
        EXPECT_EQ(cursor, c.cursor);
        EXPECT_EQ(model.GetSolutions(), cluster);
        if (c.count < 3) {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(dims[static_cast<std::size_t>(i)]->GetStatus(),
                          i >= c.first && i < c.first + c.count ? kSolved : kUnsolved) << i;
        }
    }
}

// The entry at the index is replaced; the new solution takes its dimension
// and the current cluster index. An index off the stack changes nothing.
TEST_F(KorClusterInterfaceTest, AClusterSolutionReplacesTheEntryAtItsIndex)
{
    ClusterModel model;
    SolvedPlaceholders(model, 3);
    model.SetClusterIndexTo(4);
    EXPECT_EQ(model.GetClusterIndex(), 4);
    auto* replacement = new KorDimSolution(model.GetSolutions()[0]);
    replacement->SetDimensionIndex(7);
    model.SetClusterSolution(1, replacement);
    EXPECT_EQ(model.GetSolutions()[1], replacement);
    EXPECT_EQ(replacement->GetDimensionIndex(), 1);
    EXPECT_EQ(replacement->GetClusterIndex(), 4);
    auto* offTheStack = new KorDimSolution(model.GetSolutions()[0]);
    model.SetClusterSolution(3, offTheStack);
    model.SetClusterSolution(-1, offTheStack);
    EXPECT_EQ(model.GetNumOfSolutions(), 3);
    delete offTheStack;
}

// A double entry goes back to its single before it is replaced, so neither
// the pair nor the kept single outlives the replacement.
TEST_F(KorClusterInterfaceTest, ADoubleEntryIsReplacedWhole)
{
    ClusterModel model;
    SolvedPlaceholders(model, 2);
    auto* first = new KorDimSolution(nullptr, nullptr, KOR_OP_DOUBLE);
    auto* second = new KorDimSolution(nullptr, nullptr, KOR_OP_DOUBLE);
    model.SetDoubleSolution(first, second);
    ASSERT_EQ(model.GetSolutions().back(), first);
    auto* replacement = new KorDimSolution(nullptr, nullptr, KOR_OP_SHIFT);
    model.SetClusterSolution(1, replacement);
    EXPECT_EQ(model.GetSolutions()[1], replacement);
    EXPECT_EQ(replacement->GetDimensionIndex(), 1);
    delete second;
}

TEST_F(KorClusterInterfaceTest, ARedundantClusterCoversEveryDimension)
{
    ClusterModel model;
    SolvedPlaceholders(model, 3);
    EXPECT_FALSE(model.RedundantCluster(3));
    model.SetRedundantCluster(true);
    EXPECT_TRUE(model.RedundantCluster(3));
    EXPECT_FALSE(model.RedundantCluster(2));
}

}  // namespace
