#include <gtest/gtest.h>

#include <stdexcept>

#include "numeric/log10.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

TEST(Log10, IsBaseTenAndRefusesWhatHasNoLogarithm) {
    EXPECT_TRUE(test::Near(Log10(100), 2.0, 1e-15));
    EXPECT_TRUE(test::SameTo(Log10(20), 1.301030, 6));  // log10(20) = 1.3010299957
    EXPECT_THROW(Log10(0), std::domain_error);
    EXPECT_THROW(Log10(-1), std::domain_error);
}

}  // namespace
}  // namespace tavelmark::numeric
