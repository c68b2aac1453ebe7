#pragma once
// Small dense matrices for the likelihood fits: a few dozen parameters at
// most, so plain row-major storage and Cholesky factorisation are all that
// is needed.
#include <optional>
#include <vector>

namespace tavelmark::numeric {

struct SquareMatrix {
    int size = 0;
    std::vector<double> values;  // row-major, size * size

    SquareMatrix() = default;
    explicit SquareMatrix(int n) : size(n), values(static_cast<std::size_t>(n) * n, 0.0) {}
    double& operator()(int row, int column) { return values[static_cast<std::size_t>(row) * size + column]; }
    double operator()(int row, int column) const {
        return values[static_cast<std::size_t>(row) * size + column];
    }
};

// The lower-triangular L with A = L L^T, or empty when A is not positive
// definite to working precision (a pivot at or below size * 1e-14 times the
// largest diagonal element, or not finite).
std::optional<SquareMatrix> CholeskyFactor(const SquareMatrix& a);

// x with L L^T x = b.
std::vector<double> CholeskySolve(const SquareMatrix& lower, const std::vector<double>& b);

// The inverse of L L^T.
SquareMatrix CholeskyInverse(const SquareMatrix& lower);

}  // namespace tavelmark::numeric
