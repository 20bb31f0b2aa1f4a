#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "bigint/bigint.h"

namespace kalvor {
namespace {

bool isPrimeByTrialDivision(std::int64_t n) {
    if (n < 2) return false;
    for (std::int64_t d = 2; d * d <= n; ++d) {
        if (n % d == 0) return false;
    }
    return true;
}

// Always the same base, counting how often one is asked for.
PrimeBases constantBase(std::uint32_t base, int& calls) {
    return [base, &calls] {
        ++calls;
        return base;
    };
}

TEST(ProbablePrime, Table) {
    const std::tuple<const char*, bool> rows[] = {
        {"-7", false},
        {"0", false},
        {"1", false},
        {"2", true},
        {"5", true},
        {"9", false},
        {"49", false},
        {"119", false},  // 7 * 17
        {"113", true},
        {"121", false},  // first square past the last-digit rules
        {"561", false},
        {"999983", true},
        {"1000003", true},
        {"1000001", false},                                 // 101 * 9901
        {"199000597", false},                               // 199 * 1000003
        {"56052361", false},                                // Carmichael number 211 * 421 * 631
        {"1373653", false},                                 // strong pseudoprime to bases 2 and 3
        {"2305843009213693951", true},                      // 2^61 - 1
        {"618970019642690137449562111", true},              // 2^89 - 1
        {"170141183460469231731687303715884105727", true},  // 2^127 - 1
        {"147573952589676412927", false},                   // 2^67 - 1
        {"1427247692705959880439315947500961989719490561", false},  // (2^89-1)(2^61-1)
    };
    for (const auto& [x, prime] : rows) {
        EXPECT_EQ(BigInt(x).isProbablePrime(randomPrimeBases(1)), prime) << x;
        EXPECT_EQ(BigInt(x).isProbablePrime(), prime) << x;
    }
}

TEST(ProbablePrime, AgreesWithTrialDivision) {
    const PrimeBases bases = randomPrimeBases(7);
    auto check = [&bases](std::int64_t from, std::int64_t to) {
        for (std::int64_t n = from; n <= to; ++n) {
            ASSERT_EQ(BigInt(n).isProbablePrime(bases), isPrimeByTrialDivision(n)) << n;
        }
    };
    check(-3, 60000);
    check(995000, 1005000);
}

TEST(ProbablePrime, UsesTenMillerRabinRoundsAboveAMillion) {
    const std::tuple<const char*, std::uint32_t, bool, int> rows[] = {
        {"1000003", 2, true, 10},
        {"1373653", 2, true, 10},   // fools base 2 every round
        {"1373653", 5, false, 1},   // stops at the first witness
        {"56052361", 7, true, 10},  // 7 is a liar for this Carmichael number
        {"56052361", 2, false, 1},
        {"199000597", 2, false, 0},  // trial division below 200 comes first
        {"999983", 2, true, 0},      // below a million trial division decides
        {"1373653", 0, true, 10},    // base 0 is taken as 2
    };
    for (const auto& [x, base, prime, basesAsked] : rows) {
        int calls = 0;
        EXPECT_EQ(BigInt(x).isProbablePrime(constantBase(base, calls)), prime)
            << x << " base " << base;
        EXPECT_EQ(calls, basesAsked) << x << " base " << base;
    }
}

}  // namespace
}  // namespace kalvor
