// Square matrices of doubles: inversion by LU decomposition, product, copy.
// A matrix of order n is an array of n row pointers, each to n doubles,
// owned by the caller.
#pragma once

// Inverts a into ainv; a is overwritten by its LU factors.
// 0 on success, -1 when a is singular, badly scaled or memory runs out.
int InvMatrix(double** a, double** ainv, int n);
// c = a b; c must not share rows with a or b.
void MultiplySquareMatrices(double** a, double** b, double** c, int n);
void CopyMatrix(double** source, double** destination, int n);

// Crout decomposition in place with partial pivoting; permutation[j] is the
// row swapped into position j, parity is +1 or -1 by the number of swaps.
// 0 on success, -1 when singular or too badly scaled.
int LUDecompose(double** a, int n, int* permutation, double* parity);
// Solves for one right-hand side b (overwritten by the solution).
void LUBackSubstitute(double** a, int n, const int* permutation, double* b);
