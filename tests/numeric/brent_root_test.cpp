// Brent's root finder on functions whose roots are known.
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "numeric/brent_root.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(BrentRoot, FindsKnownRootsToTheTolerance) {
    const struct {
        const char* name;
        std::function<double(double)> f;
        double a, b, root;
    } cases[] = {
        {"cubic", [](double x) { return x * x * x - 2; }, 0, 3, std::cbrt(2.0)},
        {"cosine", [](double x) { return std::cos(x) - x; }, 0, 1, 0.7390851332151607},
        {"steep exponential", [](double x) { return std::exp(20 * x) - 10; }, -1, 1, std::log(10.0) / 20},
        {"root at an end", [](double x) { return x - 1; }, 1, 4, 1},
    };
    for (const auto& c : cases) {
        const auto root = BrentRoot(c.f, c.a, c.b, 1e-12);
        ASSERT_TRUE(root) << c.name;
        EXPECT_TRUE(test::Near(*root, c.root, 0, 1e-11)) << c.name;
    }
}

TEST(BrentRoot, RefusesABracketWithoutASignChange) {
    EXPECT_FALSE(BrentRoot([](double x) { return x * x + 1; }, -1, 1, 1e-12));
    EXPECT_FALSE(BrentRoot([](double x) { return std::log(x); }, -1, 2, 1e-12));
}

}  // namespace
}  // namespace tavelmark::numeric
