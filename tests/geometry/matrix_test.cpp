#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "matrix.h"

namespace {

// A caller-owned matrix in the row-pointer form the functions take.
class Matrix {
public:
    Matrix(std::initializer_list<std::initializer_list<double>> rows)
    {
        for (auto row : rows)
            data_.emplace_back(row);
        for (auto& row : data_)
            pointers_.push_back(row.data());
    }
    explicit Matrix(int n) : data_(n, std::vector<double>(n, -7.0))
    {
        for (auto& row : data_)
            pointers_.push_back(row.data());
    }
    double** rows() { return pointers_.data(); }
    double at(int i, int j) const { return data_[i][j]; }
    int order() const { return static_cast<int>(data_.size()); }

private:
    std::vector<std::vector<double>> data_;
    std::vector<double*> pointers_;
};

void expectMatrixNear(const Matrix& m, std::initializer_list<std::initializer_list<double>> want,
                      double tolerance)
{
    int i = 0;
    for (auto row : want) {
        int j = 0;
        for (double value : row) {
            EXPECT_NEAR(m.at(i, j), value, tolerance) << "at (" << i << ", " << j << ")";
            ++j;
        }
        ++i;
    }
}

struct InverseCase {
    const char* name;
    Matrix input;
    std::initializer_list<std::initializer_list<double>> inverse;
    double tolerance;
};

TEST(MatrixTest, InvertsKnownMatrices)
{
    InverseCase cases[] = {
        {"identity", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1e-12},
        {"diagonal", {{2, 0}, {0, 4}}, {{0.5, 0}, {0, 0.25}}, 1e-12},
        {"swap needed", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}, 1e-12},
        {"general", {{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}, 1e-12},
        {"small scale", {{2e-12, 1e-12}, {1e-12, 3e-12}}, {{6e11, -2e11}, {-2e11, 4e11}}, 1e-1},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        Matrix inverse(c.input.order());
        ASSERT_EQ(InvMatrix(c.input.rows(), inverse.rows(), c.input.order()), 0);
        expectMatrixNear(inverse, c.inverse, c.tolerance);
    }
}

TEST(MatrixTest, SingularMatricesFailAndLeaveTheInverseUntouched)
{
    Matrix zeroRow{{1, 2}, {0, 0}};
    Matrix equalRows{{1, 2, 3}, {4, 5, 6}, {1, 2, 3}};
    for (Matrix* m : {&zeroRow, &equalRows}) {
        Matrix inverse(m->order());
        EXPECT_EQ(InvMatrix(m->rows(), inverse.rows(), m->order()), -1);
        EXPECT_EQ(inverse.at(0, 0), -7.0);
    }
}

TEST(MatrixTest, DecompositionRecordsSwapsInPermutationAndParity)
{
    Matrix a{{0, 1}, {1, 0}};
    int permutation[2] = {-1, -1};
    double parity = 0.0;
    ASSERT_EQ(LUDecompose(a.rows(), 2, permutation, &parity), 0);
    EXPECT_EQ(permutation[0], 1);
    EXPECT_EQ(permutation[1], 1);
    EXPECT_EQ(parity, -1.0);

    double b[2] = {3.0, 5.0};  // solves ((0,1),(1,0)) x = (3,5)
    LUBackSubstitute(a.rows(), 2, permutation, b);
    EXPECT_DOUBLE_EQ(b[0], 5.0);
    EXPECT_DOUBLE_EQ(b[1], 3.0);
}

// Equal merits go to the later row.
TEST(MatrixTest, NearEqualMeritsPickTheLaterRow)
{
    Matrix a{{1, 0}, {1, 1}};
    int permutation[2] = {-1, -1};
    double parity = 0.0;
    ASSERT_EQ(LUDecompose(a.rows(), 2, permutation, &parity), 0);
    EXPECT_EQ(permutation[0], 1);
    EXPECT_EQ(parity, -1.0);
}

// The pivot row carries its own scale to its new place: with the scale left
// behind, column 1 would pivot on row 1 instead of row 2.
TEST(MatrixTest, SwappedRowsKeepTheirScale)
{
    Matrix a{{1, 1, 0}, {0, 1, 1.5}, {2, 0, 1}};
    int permutation[3] = {-1, -1, -1};
    double parity = 0.0;
    ASSERT_EQ(LUDecompose(a.rows(), 3, permutation, &parity), 0);
    EXPECT_EQ(permutation[0], 2);
    EXPECT_EQ(permutation[1], 2);
    EXPECT_EQ(permutation[2], 2);
    EXPECT_EQ(parity, 1.0);

    Matrix original{{1, 1, 0}, {0, 1, 1.5}, {2, 0, 1}}, work(3), inverse(3), product(3);
    CopyMatrix(original.rows(), work.rows(), 3);
    ASSERT_EQ(InvMatrix(work.rows(), inverse.rows(), 3), 0);
    MultiplySquareMatrices(original.rows(), inverse.rows(), product.rows(), 3);
    expectMatrixNear(product, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1e-12);
}

TEST(MatrixTest, ProductOfMatrixAndItsInverseIsIdentity)
{
    Matrix a{{3, 1, 2}, {1, 4, 0}, {2, 0, 5}};
    Matrix work(3), inverse(3), product(3);
    CopyMatrix(a.rows(), work.rows(), 3);
    expectMatrixNear(work, {{3, 1, 2}, {1, 4, 0}, {2, 0, 5}}, 0.0);
    ASSERT_EQ(InvMatrix(work.rows(), inverse.rows(), 3), 0);
    MultiplySquareMatrices(a.rows(), inverse.rows(), product.rows(), 3);
    expectMatrixNear(product, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1e-12);
}

TEST(MatrixTest, MultipliesInTheGivenOrder)
{
    Matrix a{{1, 2}, {3, 4}}, b{{0, 1}, {1, 0}}, c(2);
    MultiplySquareMatrices(a.rows(), b.rows(), c.rows(), 2);
    expectMatrixNear(c, {{2, 1}, {4, 3}}, 0.0);
}

}  // namespace
