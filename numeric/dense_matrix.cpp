#include "numeric/dense_matrix.h"

#include <algorithm>
#include <cmath>

namespace tavelmark::numeric {

std::optional<SquareMatrix> CholeskyFactor(const SquareMatrix& a) {
    const int n = a.size;
    double largest = 0;
    for (int i = 0; i < n; ++i) largest = std::max(largest, std::fabs(a(i, i)));
    // A pivot this small relative to the diagonal means the columns are
    // linearly dependent up to rounding: the inverse would be noise.
    const double smallest = largest * 1e-14 * std::max(n, 1);
    SquareMatrix l(n);
    for (int j = 0; j < n; ++j) {
        double pivot = a(j, j);
        for (int k = 0; k < j; ++k) pivot -= l(j, k) * l(j, k);
        if (!(pivot > smallest) || !std::isfinite(pivot)) return std::nullopt;
        l(j, j) = std::sqrt(pivot);
        for (int i = j + 1; i < n; ++i) {
            double sum = a(i, j);
            for (int k = 0; k < j; ++k) sum -= l(i, k) * l(j, k);
            l(i, j) = sum / l(j, j);
        }
    }
    return l;
}

std::vector<double> CholeskySolve(const SquareMatrix& lower, const std::vector<double>& b) {
    const int n = lower.size;
    std::vector<double> y(b);
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < i; ++k) y[i] -= lower(i, k) * y[k];
        y[i] /= lower(i, i);
    }
    for (int i = n - 1; i >= 0; --i) {
        for (int k = i + 1; k < n; ++k) y[i] -= lower(k, i) * y[k];
        y[i] /= lower(i, i);
    }
    return y;
}

SquareMatrix CholeskyInverse(const SquareMatrix& lower) {
    const int n = lower.size;
    SquareMatrix inverse(n);
    std::vector<double> unit(n, 0.0);
    for (int j = 0; j < n; ++j) {
        std::fill(unit.begin(), unit.end(), 0.0);
        unit[j] = 1;
        const std::vector<double> column = CholeskySolve(lower, unit);
        for (int i = 0; i < n; ++i) inverse(i, j) = column[i];
    }
    // Symmetric by construction; make it so exactly.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) inverse(i, j) = inverse(j, i) = (inverse(i, j) + inverse(j, i)) / 2;
    return inverse;
}

}  // namespace tavelmark::numeric
