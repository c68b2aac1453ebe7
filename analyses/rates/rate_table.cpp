#include "analyses/rates/rate_table.h"

#include <array>
#include <cmath>

#include "analyses/rates/checked_math.h"

namespace tavelmark::rates {

RateTable MakeRateTable(double a, double b, double c, double d) {
    RateTable t;
    t.a = a;
    t.b = b;
    t.c = c;
    t.d = d;
    t.n1 = a + b;
    t.n2 = c + d;
    t.m1 = a + c;
    t.m2 = b + d;
    t.N = t.n1 + t.n2;
    t.p1 = rates::Divide(a, t.n1);
    t.p2 = rates::Divide(c, t.n2);
    return t;
}

RateTableCheck ReadRateTable(const model::InputGrid& grid) {
    static constexpr std::array<const char*, 4> kCells{"B2", "C2", "B3", "C3"};
    std::array<std::optional<double>, 4> numbers;
    for (std::size_t i = 0; i < kCells.size(); ++i) numbers[i] = model::AsNumber(grid.value(kCells[i]));

    // Empty cells and texts count as 0 in the sign check, so a negative number
    // is reported before a missing one.
    for (const auto& v : numbers)
        if (v && std::floor(*v) < 0) return {std::nullopt, kRatesNegativeMessage};
    // A number that is not finite is not a count either (it cannot be typed,
    // but a pasted or loaded file may hold one).
    for (const auto& v : numbers)
        if (!v || !std::isfinite(*v)) return {std::nullopt, kRatesNotCountMessage};
    for (const auto& v : numbers)
        if (*v != std::floor(*v)) return {std::nullopt, kRatesFractionMessage};
    if (*numbers[0] + *numbers[1] == 0) return {std::nullopt, kRatesEmptyGroupMessage, "B2"};
    if (*numbers[2] + *numbers[3] == 0) return {std::nullopt, kRatesEmptyGroupMessage, "B3"};

    return {MakeRateTable(*numbers[0], *numbers[1], *numbers[2], *numbers[3]), {}};
}

}  // namespace tavelmark::rates
