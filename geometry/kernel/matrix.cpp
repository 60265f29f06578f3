#include "matrix.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr double kTiny = 1e-10;        // below this a row or pivot counts as small
constexpr double kSmallRowLimit = 1e11; // growth allowed against a small row's size
constexpr double kSmallPivotLimit = 1e10;

struct RowScales {
    double* big;    // largest magnitude of each row
    double* scale;  // 1 / big, used outside small-scale mode
    bool smallScale;
};

// Fills the row sizes; false when a row is all zeros.
bool measureRows(double** a, int n, RowScales& rows)
{
    rows.smallScale = false;
    for (int i = 0; i < n; ++i) {
        double big = 0.0;
        for (int j = 0; j < n; ++j)
            big = std::max(big, std::fabs(a[i][j]));
        if (big == 0.0)
            return false;
        rows.big[i] = big;
        if (big < kTiny)
            rows.smallScale = true;
    }
    for (int i = 0; i < n; ++i)
        rows.scale[i] = 1.0 / rows.big[i];
    return true;
}

void eliminateAbove(double** a, int j)
{
    for (int i = 0; i < j; ++i) {
        double s = a[i][j];
        for (int k = 0; k < i; ++k)
            s -= a[i][k] * a[k][j];
        a[i][j] = s;
    }
}

// Reduces column j from the diagonal down and picks the pivot row; -1 on a
// scaling failure in small-scale mode.
int reduceAndPickPivot(double** a, int n, int j, const RowScales& rows)
{
    int pivot = j;
    double best = -1.0;
    for (int i = j; i < n; ++i) {
        double s = a[i][j];
        for (int k = 0; k < j; ++k)
            s -= a[i][k] * a[k][j];
        a[i][j] = s;
        double merit;
        if (rows.smallScale) {
            if (std::fabs(s) > kSmallRowLimit * rows.big[i])
                return -1;
            merit = std::fabs(s) / rows.big[i];
        } else {
            merit = std::fabs(s) * rows.scale[i];
        }
        // Near-equal merits go to the later row.
        if (merit > best || std::fabs(merit - best) < kTiny) {
            best = merit;
            pivot = i;
        }
    }
    return pivot;
}

// Divides the column below the pivot by it; false on a scaling failure.
bool divideBelowPivot(double** a, int n, int j)
{
    const double pivot = a[j][j];
    if (std::fabs(pivot) >= kTiny) {
        const double inverse = 1.0 / pivot;
        for (int i = j + 1; i < n; ++i)
            a[i][j] *= inverse;
        return true;
    }
    for (int i = j + 1; i < n; ++i) {
        if (std::fabs(a[i][j]) > kSmallPivotLimit * std::fabs(pivot))
            return false;
        a[i][j] /= pivot;
    }
    return true;
}

int decompose(double** a, int n, int* permutation, double* parity, RowScales& rows)
{
    if (!measureRows(a, n, rows))
        return -1;
    for (int j = 0; j < n; ++j) {
        eliminateAbove(a, j);
        const int pivot = reduceAndPickPivot(a, n, j, rows);
        if (pivot < 0)
            return -1;
        if (pivot != j) {
            std::swap_ranges(a[pivot], a[pivot] + n, a[j]);
            *parity = -*parity;
            rows.big[pivot] = rows.big[j];
            rows.scale[pivot] = rows.scale[j];
        }
        permutation[j] = pivot;
        if (a[j][j] == 0.0)
            return -1;
        if (!divideBelowPivot(a, n, j))
            return -1;
    }
    return 0;
}

}  // namespace

int LUDecompose(double** a, int n, int* permutation, double* parity)
{
    *parity = 1.0;
    if (n <= 0)
        return -1;
    double* buffer = new (std::nothrow) double[2 * static_cast<size_t>(n)];
    if (buffer == nullptr)
        return -1;
    RowScales rows{buffer, buffer + n, false};
    const int result = decompose(a, n, permutation, parity, rows);
    delete[] buffer;
    return result;
}

void LUBackSubstitute(double** a, int n, const int* permutation, double* b)
{
    int first = -1;  // first non-zero entry; earlier ones contribute nothing
    for (int i = 0; i < n; ++i) {
        const int row = permutation[i];
        double sum = b[row];
        b[row] = b[i];
        if (first >= 0) {
            for (int j = first; j < i; ++j)
                sum -= a[i][j] * b[j];
        } else if (sum != 0.0) {
            first = i;
        }
        b[i] = sum;
    }
    for (int i = n - 1; i >= 0; --i) {
        double sum = b[i];
        for (int j = i + 1; j < n; ++j)
            sum -= a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
}

int InvMatrix(double** a, double** ainv, int n)
{
    if (n <= 0)
        return -1;
    double* column = new (std::nothrow) double[n];
    int* permutation = new (std::nothrow) int[n];
    int result = -1;
    double parity = 1.0;
    if (column != nullptr && permutation != nullptr
        && LUDecompose(a, n, permutation, &parity) == 0) {
        for (int j = 0; j < n; ++j) {
            std::fill(column, column + n, 0.0);
            column[j] = 1.0;
            LUBackSubstitute(a, n, permutation, column);
            for (int i = 0; i < n; ++i)
                ainv[i][j] = column[i];
        }
        result = 0;
    }
    delete[] column;
    delete[] permutation;
    return result;
}

void MultiplySquareMatrices(double** a, double** b, double** c, int n)
{
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            c[i][j] = 0.0;
            for (int k = 0; k < n; ++k)
                c[i][j] += a[i][k] * b[k][j];
        }
    }
}

void CopyMatrix(double** source, double** destination, int n)
{
    for (int i = 0; i < n; ++i)
        std::copy(source[i], source[i] + n, destination[i]);
}
