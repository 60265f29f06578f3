// Root solvers: counts, values and the order in which each method reports roots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roots.h"

namespace {

struct Case {
    const char* name;
    std::vector<double> coefficients;  // ascending degree
    std::vector<double> roots;         // in the order the solver reports them
    double tolerance;
};

std::vector<double> Solve(const std::vector<double>& c)
{
    double roots[4] = {};
    int n = 0;
    switch (c.size()) {
    case 3: n = SolveQuadratic(c.data(), roots); break;
    case 4: n = SolveCubic(c.data(), roots); break;
    case 5: n = SolveQuartic(c.data(), roots); break;
    default: break;
    }
    return std::vector<double>(roots, roots + n);
}

// Coefficients of prod (x - r), ascending.
std::vector<double> FromRoots(const std::vector<double>& roots)
{
    std::vector<double> c = {1.0};
    for (double r : roots) {
        std::vector<double> next(c.size() + 1, 0.0);
        for (size_t i = 0; i < c.size(); ++i) {
            next[i + 1] += c[i];
            next[i] -= r * c[i];
        }
        c = next;
    }
    return c;
}

class RootOrder : public ::testing::TestWithParam<Case> {};

TEST_P(RootOrder, CountValuesAndOrder)
{
    const Case& c = GetParam();
    const std::vector<double> got = Solve(c.coefficients);
    ASSERT_EQ(got.size(), c.roots.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], c.roots[i], c.tolerance) << "root " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Solvers, RootOrder,
    ::testing::Values(
        Case{"double_root", {1, -2, 1}, {1}, 1e-12},
        Case{"no_real_root", {1, 0, 1}, {}, 0},
        Case{"two_roots_larger_first", {6, -5, 1}, {3, 2}, 1e-12},
        Case{"near_zero_discriminant", {1e-7, 0, 1}, {0}, 1e-12},
        Case{"cube_of_minus_one", {1, 0, 0, 1}, {-1}, 1e-12},
        Case{"triple_root_zero", {0, 0, 0, 1}, {0}, 1e-12},
        // The short constant 3.1415926 / 3 limits the precision to about 1e-7.
        Case{"three_roots_largest_first", FromRoots({1, 2, 3}), {3, 2, 1}, 1e-7},
        Case{"single_then_double", FromRoots({2, -1, -1}), {2, -1}, 1e-6},
        // Degenerate leading coefficients solve the lower degree.
        Case{"linear_quadratic", {-4, 2, 0}, {2}, 1e-12},
        Case{"constant_quadratic", {3, 0, 0}, {}, 0},
        Case{"near_zero_leading_quadratic", {-4, 2, 1e-7}, {2}, 1e-12},
        Case{"quadratic_cubic", {6, -5, 1, 0}, {3, 2}, 1e-12},
        Case{"near_zero_leading_cubic", {6, -5, 1, 1e-7}, {3, 2}, 1e-12},
        Case{"cubic_quartic", {1, 0, 0, 1, 0}, {-1}, 1e-12},
        Case{"near_zero_leading_quartic", {1, 0, 0, 1, -9e-7}, {-1}, 1e-12},
        // Quartics in the method's order. Roots 1..4, depressed by x = y + 2.5:
        // the resolvent's largest root is z = 0.75, so u = 0 and w = v = 2;
        // y^2 + 2y + 0.75 gives -0.5, -1.5, then y^2 - 2y + 0.75 gives 1.5, 0.5.
        Case{"quartic_one_to_four", FromRoots({1, 2, 3, 4}), {2, 1, 4, 3}, 1e-6},
        // q < 0 after depression: w = -v, so the first quadratic brings the upper pair.
        Case{"quartic_negative_q", FromRoots({0.5, -3, 2, 9}), {9, 2, 0.5, -3}, 1e-6},
        // One root the mean of all four: the depressed cubic's roots (largest,
        // middle, smallest) first and the root 0 last, each shifted by -A/4.
        Case{"quartic_without_depressed_constant", FromRoots({1, 3, -2, 2}), {3, 2, -2, 1}, 1e-6},
        // x^4 + 1: z = 1, u = 0, v = sqrt(2); neither y^2 +- sqrt(2) y + 1 has a real root.
        Case{"quartic_without_real_roots", {1, 0, 0, 0, 1}, {}, 0},
        // (x^2 + 1)^2: the resolvent (z - 1)^2 (z + 1) reports its single root -1
        // first, so v = 2z - p = -4 is negative and the solver gives up.
        Case{"quartic_gives_up_on_negative_v", {1, 0, 2, 0, 1}, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RootsTest, NearZeroBoundsAreStrict)
{
    EXPECT_TRUE(IsNearZero(0.0));
    EXPECT_TRUE(IsNearZero(9.9e-7));
    EXPECT_TRUE(IsNearZero(-9.9e-7));
    EXPECT_FALSE(IsNearZero(1e-6));
    EXPECT_FALSE(IsNearZero(-1e-6));
}

TEST(RootsTest, CubeRootKeepsSign)
{
    EXPECT_NEAR(CubeRoot(27.0), 3.0, 1e-12);
    EXPECT_NEAR(CubeRoot(-8.0), -2.0, 1e-12);
    EXPECT_EQ(CubeRoot(5e-7), 0.0);
}

// The case above relies on q < 0 after depression for these roots.
TEST(RootsTest, NegativeQCaseHasNegativeQ)
{
    const std::vector<double> c = FromRoots({0.5, -3, 2, 9});
    const double A = c[3], B = c[2], C = c[1];
    EXPECT_LT(A * A * A / 8 - A * B / 2 + C, 0.0);
}

}  // namespace
