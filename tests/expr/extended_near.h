#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>

#include "expr/number.h"

namespace kalvor::test {

/// EXPECT_NEAR converts to double, which loses the extended range and precision these values
/// are computed in; this predicate compares the Numbers themselves.
inline ::testing::AssertionResult extendedNear(Number value, Number expected, Number tolerance) {
    if (std::fabs(value - expected) <= tolerance) return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << std::setprecision(21) << value << " differs from " << expected << " by more than "
        << tolerance;
    return ::testing::AssertionFailure() << out.str();
}

}  // namespace kalvor::test
