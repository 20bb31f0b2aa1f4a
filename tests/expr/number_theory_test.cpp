#include "expr/number_theory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <tuple>
#include <vector>

#include "expr/parser.h"
#include "expr/partitions.h"

namespace kalvor {
namespace {

TEST(NumberTheoryTest, DivisorFunctionsMatchCountingTheDivisors) {
    for (std::int64_t n = 1; n <= 3000; ++n) {
        std::int64_t count = 0, sum = 0, coprime = 0;
        for (std::int64_t d = 1; d <= n; ++d) {
            if (n % d == 0) {
                ++count;
                sum += d;
            }
            if (std::gcd(n, d) == 1) ++coprime;
        }
        ASSERT_EQ(divisorCount(n), count) << n;
        ASSERT_EQ(divisorSum(n), sum) << n;
        ASSERT_EQ(eulerPhi(n), coprime) << n;
    }
}

TEST(NumberTheoryTest, FactorisationOfLargeNumbers) {
    const std::tuple<std::int64_t, std::vector<std::pair<std::int64_t, int>>> rows[] = {
        {-12, {}},
        {4611686018427387904, {{2, 62}}},
        {9223372036854775807, {{7, 2}, {73, 1}, {127, 1}, {337, 1}, {92737, 1}, {649657, 1}}},
        {999966000289, {{999983, 2}}},
    };
    for (const auto& [n, factors] : rows) {
        std::vector<std::pair<std::int64_t, int>> got;
        for (const PrimePower& f : trialFactorize(n))
            got.emplace_back(f.prime, f.exponent);
        EXPECT_EQ(got, factors) << n;
    }
    EXPECT_EQ(divisorSum(9223372036854775807),
              1 * (1 + 7 + 49) * 74.0L * 128 * 338 * 92738 * 649658);
}

TEST(NumberTheoryTest, GcdAndLcmOfMagnitudes) {
    for (std::int64_t a = -30; a <= 30; ++a) {
        for (std::int64_t b = -30; b <= 30; ++b) {
            ASSERT_EQ(gcdOfMagnitudes(a, b), static_cast<std::uint64_t>(std::gcd(a, b)));
            if (a != 0 || b != 0) {
                ASSERT_EQ(lcmOfMagnitudes(a, b), std::lcm(a, b)) << a << " " << b;
            }
        }
    }
    EXPECT_EQ(gcdOfMagnitudes(INT64_MIN, INT64_MIN), 0x1p63L);
    EXPECT_EQ(lcmOfMagnitudes(INT64_MIN, 3), 3 * 0x1p63L);
    EXPECT_THROW(lcmOfMagnitudes(0, 0), EvaluationError);
}

bool isSmallPrime(int n) {
    if (n < 2) return false;
    for (int d = 2; d * d <= n; ++d)
        if (n % d == 0) return false;
    return true;
}

// Counting by dynamic programming over the allowed parts, independent of the recurrences.
std::vector<std::uint64_t> countPartitions(int n, bool distinct, bool primesOnly) {
    std::vector<std::uint64_t> ways(static_cast<std::size_t>(n) + 1, 0);
    ways[0] = 1;
    for (int part = 1; part <= n; ++part) {
        if (primesOnly && !isSmallPrime(part)) continue;
        if (distinct) {
            for (int s = n; s >= part; --s)
                ways[s] += ways[s - part];
        } else {
            for (int s = part; s <= n; ++s)
                ways[s] += ways[s - part];
        }
    }
    return ways;
}

TEST(PartitionTablesTest, RecurrencesCountExactly) {
    constexpr int kLast = 400;  // p(400) still fits 64 bits
    const auto all = countPartitions(kLast, false, false);
    const auto distinct = countPartitions(kLast, true, false);
    const auto primes = countPartitions(kLast, false, true);
    PartitionTables tables;
    for (int n = 0; n <= kLast; ++n) {
        ASSERT_EQ(tables.partitions(n), static_cast<Number>(all[n])) << n;
        ASSERT_EQ(tables.distinctParts(n), static_cast<Number>(distinct[n])) << n;
        ASSERT_EQ(tables.primeParts(n), static_cast<Number>(primes[n])) << n;
    }
}

// The tables grow on demand; a value must not depend on which values were asked for before.
TEST(PartitionTablesTest, KeptTablesGiveTheSameValuesInAnyOrder) {
    PartitionTables kept;
    for (const int n : {10, 3, 250, 120, 1, 600}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(kept.partitions(n), PartitionTables().partitions(n));
        EXPECT_EQ(kept.distinctParts(n), PartitionTables().distinctParts(n));
        EXPECT_EQ(kept.primeParts(n), PartitionTables().primeParts(n));
    }
}

}  // namespace
}  // namespace kalvor
