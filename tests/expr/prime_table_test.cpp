#include "expr/prime_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kalvor {
namespace {

// A plain sieve over 0 … n, the reference for the wheel.
std::vector<bool> referenceSieve(std::int64_t n) {
    std::vector<bool> prime(static_cast<std::size_t>(n) + 1, true);
    prime[0] = prime[1] = false;
    for (std::int64_t p = 2; p * p <= n; ++p)
        if (prime[p])
            for (std::int64_t m = p * p; m <= n; m += p)
                prime[m] = false;
    return prime;
}

// Limits around the wheel's block edges and around prime squares (48 leaves 49 = 7² in the
// last block unsieved, 120 leaves 121 = 11²), plus the size ispriem grows the table to.
TEST(PrimeTableTest, AgreesWithAPlainSieveInsideAndBeyondTheTable) {
    const std::int64_t limits[] = {5, 6, 11, 12, 17, 48, 49, 120, 167, 1000, 30030, 300000};
    for (const std::int64_t limit : limits) {
        SCOPED_TRACE(limit);
        PrimeTable table;
        table.setLimit(limit);
        EXPECT_EQ(table.limit(), limit);
        EXPECT_EQ(table.blockCount(), limit / 6 + 1);
        const std::int64_t end = 6 * table.blockCount() + 400;
        const std::vector<bool> reference = referenceSieve(end + 400);
        std::int64_t expectedNext = end + 1;
        while (!reference[expectedNext])
            ++expectedNext;
        for (std::int64_t n = end; n >= -3; --n) {
            if (n >= 0 && reference[n + 1]) expectedNext = n + 1;
            const bool expectedPrime = n >= 0 && reference[n];
            ASSERT_EQ(table.isPrime(n), expectedPrime) << "isPrime(" << n << ")";
            ASSERT_EQ(table.nextPrime(n), expectedNext) << "nextPrime(" << n << ")";
        }
    }
}

TEST(PrimeTableTest, NeverGoesBelowLimitFive) {
    PrimeTable table;
    table.setLimit(2);
    EXPECT_EQ(table.limit(), 5);
    EXPECT_EQ(table.nextPrime(4), 5);
}

TEST(PrimeTableTest, TrialDivisionBeyondTheTable) {
    struct Row {
        std::int64_t n;
        bool prime;
    };
    const Row rows[] = {
        {1000003, true},      {1000001, false},      {1018081, false},       // 1009²
        {2147483647, true},   {2147483649, false},   {999966000289, false},  // 999983²
        {999999999989, true}, {1000000000039, true}, {-7, false},
    };
    const PrimeTable table;
    for (const Row& row : rows) {
        EXPECT_EQ(table.isPrime(row.n), row.prime) << row.n;
        EXPECT_EQ(PrimeTable::isPrimeByTrialDivision(row.n), row.prime) << row.n;
    }
    EXPECT_EQ(table.nextPrime(999999999961), 999999999989);
    EXPECT_EQ(table.nextPrime(2147483647), 2147483659);
}

TEST(PrimeTableTest, RefusesArgumentsWhoseSuccessorCouldOverflow) {
    const PrimeTable table;
    EXPECT_THROW(table.nextPrime(PrimeTable::kMaxArgument), std::out_of_range);
    EXPECT_THROW(table.nextPrime(INT64_MAX), std::out_of_range);
}

}  // namespace
}  // namespace kalvor
