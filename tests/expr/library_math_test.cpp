#include "expr/library_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "expr/inv_norm.h"
#include "expr/parser.h"
#include "extended_near.h"

namespace kalvor {
namespace {

using test::extendedNear;

TEST(LibraryMathTest, ErfcFitStaysWithinItsStatedError) {
    for (Number x = -5; x <= 5; x += 0.01L) {
        const Number exact = std::erfc(x);
        EXPECT_LE(std::fabs(erfcApprox(x) - exact), 1.2e-7L * exact) << "x = " << x;
    }
    EXPECT_EQ(erfcApprox(1e200L), 0);
    EXPECT_EQ(erfcApprox(-1e200L), 2);
}

TEST(LibraryMathTest, SevenDigitRoundingUsesTheTruncatedDecimalExponent) {
    const std::tuple<Number, Number> rows[] = {
        {0.123456789L, 0.1234568L},
        {0.000123456789L, 0.0001234568L},  // k = −3, not the floor −4
        {1234.56789L, 1234.5679L},
        {-0.123456789L, -0.1234568L},  // t <= 0 keeps k = 0
        {-0.000123456789L, -0.0001235L},
        {0, 0},
        {0.99999999L, 1},
        {0.00000005L, 0.00000005L},
    };
    for (const auto& [t, expected] : rows)
        EXPECT_TRUE(extendedNear(roundToSevenDigits(t), expected, 1e-19L)) << t;
}

// Φ(z) from the library's own long double erfc, the reference for the inverse.
long double normalDistribution(long double z) {
    return 0.5L * std::erfc(-z / std::sqrt(2.0L));
}

TEST(LibraryMathTest, InverseNormalInvertsTheDistributionInAllThreeRegions) {
    const double ps[] = {1e-300, 1e-10, 0.001,   0.0242, 0.02425, 0.0243,   0.2,
                         0.5,    0.7,   0.97575, 0.9758, 0.999,   1 - 1e-10};
    for (const double p : ps) {
        const double z = invNorm(p);
        const long double density = std::exp(-0.5L * z * z) / std::sqrt(2 * 3.14159265358979L);
        const long double allowed = 1.2e-9L * std::fabs(z) * density + 1e-17L;
        EXPECT_LE(std::fabs(normalDistribution(z) - p), allowed) << "p = " << p;
        if (p > 1e-200) {
            EXPECT_NEAR(invNorm(1 - p), -z, 1e-8 * std::fabs(z) + 1e-15) << p;
        }
    }
}

TEST(LibraryMathTest, IntegerConversionsRefuseWhatDoesNotFit) {
    EXPECT_EQ((std::vector{roundToInt64(2.5L), roundToInt64(-3.5L), roundToInt64(-0x1p63L)}),
              (std::vector<std::int64_t>{2, -4, INT64_MIN}));
    EXPECT_THROW(roundToInt64(0x1p63L), EvaluationError);
    EXPECT_THROW(roundToInt64(std::numeric_limits<Number>::quiet_NaN()), EvaluationError);
    EXPECT_THROW(roundToInt64(std::numeric_limits<Number>::infinity()), EvaluationError);
    EXPECT_THROW(nthRoot(8, std::numeric_limits<Number>::quiet_NaN()), EvaluationError);
}

// Huge arguments end as soon as the result is no longer finite instead of looping on.
TEST(LibraryMathTest, ProductsStopOnceTheyOverflow) {
    EXPECT_TRUE(std::isfinite(factorial(1754)));
    EXPECT_TRUE(std::isinf(factorial(1755)));
    EXPECT_TRUE(std::isinf(factorial(INT64_MAX)));
    EXPECT_TRUE(std::isinf(*binomialCoefficient(1e18L, 5e17L)));
    EXPECT_TRUE(std::isnan(*binomialCoefficient(std::numeric_limits<Number>::quiet_NaN(), 1e18L)));
    EXPECT_FALSE(binomialCoefficient(-1, -1).has_value());
}

// The logarithmic sums switch to lgamma above a million terms; both sides of the switch must
// describe the same function.
TEST(LibraryMathTest, LogarithmicSumsAgreeAcrossTheirSwitchToLgamma) {
    const Number below = logFactorial(1000000);
    const Number above = logFactorial(1000001);
    EXPECT_TRUE(extendedNear(above - below, std::log10(1000001.0L), 1e-7L));
    EXPECT_TRUE(extendedNear(below, 5565708.91718672L, 1e-6L));

    const Number n = 3000000;
    const Number sum = *logBinomialCoefficient(n, 1000000);
    const Number gamma = *logBinomialCoefficient(n, 1000001);
    EXPECT_TRUE(extendedNear(gamma - sum, std::log10((n - 1000000) / 1000001.0L), 1e-7L));
    EXPECT_TRUE(extendedNear(*logBinomialCoefficient(1e18L, 5e17L), 301029995663981186.0L, 1e3L));
}

}  // namespace
}  // namespace kalvor
