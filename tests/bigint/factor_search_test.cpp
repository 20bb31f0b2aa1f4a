#include "bigint/factor_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvor {
namespace {

using namespace std::chrono_literals;

constexpr const char* kMersenne61 = "2305843009213693951";  // 2^61 - 1, prime
// (2^89 - 1)(2^107 - 1): both factors far beyond what rho finds in a test's time.
constexpr const char* kHardSemiprime =
    "100433627766186892221372630609062766858404681029709092356097";

FactorSearchOptions seeded(std::chrono::steady_clock::duration budget = 20s) {
    FactorSearchOptions options;
    options.timeBudget = budget;
    options.bases = randomPrimeBases(3);
    return options;
}

BigInt product(const char* a, const char* b) {
    BigInt x(a);
    x.multiply(BigInt(b));
    return x;
}

bool isProperDivisor(const BigInt& d, const BigInt& x) {
    BigInt rest(x);
    rest.modulo(d);
    return d.compare(1) > 0 && d.compare(x) < 0 && rest.isZero();
}

TEST(FindFactor, DecidedBeforeRho) {
    struct Row {
        BigInt x;
        FactorOutcome outcome;
        const char* expected;
    };
    const Row rows[] = {
        {BigInt("1000003"), FactorOutcome::ProbablePrime, "1000003"},
        {BigInt(kMersenne61), FactorOutcome::ProbablePrime, kMersenne61},
        {BigInt("1"), FactorOutcome::NotFound, "1"},
        {BigInt("0"), FactorOutcome::NotFound, "0"},
        {BigInt("-15"), FactorOutcome::NotFound, "-15"},
        {BigInt("4"), FactorOutcome::Found, "2"},
        {BigInt("1000000000000000000000000000000"), FactorOutcome::Found, "2"},
        {BigInt("9"), FactorOutcome::Found, "3"},
        {BigInt("25"), FactorOutcome::Found, "5"},
        {product("49", kMersenne61), FactorOutcome::Found, "7"},
        {product("39989", "1000003"), FactorOutcome::Found, "39989"},
        {product("39989", "39989"), FactorOutcome::Found, "39989"},
        // 40009 * 40111: rho's tortoise and hare meet before a factor shows.
        {BigInt("1604800999"), FactorOutcome::NotFound, "1604800999"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        EXPECT_EQ(findFactor(x, seeded()), row.outcome) << row.x;
        EXPECT_EQ(x.toString(), row.expected) << row.x;
    }
}

TEST(FindFactor, RhoSplitsSemiprimesPastTrialDivision) {
    const std::pair<const char*, const char*> rows[] = {
        {"40009", "1000003"},
        {"1000000007", "9999999967"},
        {"999999000001", "1000003"},
    };
    for (const auto& [p, q] : rows) {
        const BigInt x = product(p, q);
        BigInt factor(x);
        int calls = 0;
        FactorSearchOptions options = seeded();
        options.progress = [&calls] {
            ++calls;
            return true;
        };
        ASSERT_EQ(findFactor(factor, options), FactorOutcome::Found) << x;
        EXPECT_TRUE(factor == BigInt(p) || factor == BigInt(q)) << x << " gave " << factor;
        EXPECT_GT(calls, 0) << x;
    }
}

// With no time for rho, only trial division below 40 000 can find a factor.
TEST(FindFactor, TrialDivisionStopsBelowFortyThousand) {
    struct Row {
        BigInt x;
        FactorOutcome outcome;
        const char* expected;
    };
    const Row rows[] = {
        {product("39989", "1000003"), FactorOutcome::Found, "39989"},
        {product("39989", "40009"), FactorOutcome::Found, "39989"},
        {product("40009", "1000003"), FactorOutcome::TimedOut, "40009120027"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        EXPECT_EQ(findFactor(x, seeded(0s)), row.outcome) << row.x;
        EXPECT_EQ(x.toString(), row.expected) << row.x;
    }
}

TEST(FindFactor, TimeLimitLeavesXUnchanged) {
    BigInt x(kHardSemiprime);
    EXPECT_EQ(findFactor(x, seeded(5ms)), FactorOutcome::TimedOut);
    EXPECT_EQ(x.toString(), kHardSemiprime);
}

TEST(FindFactor, CancellingLeavesXUnchanged) {
    BigInt x(kHardSemiprime);
    int calls = 0;
    FactorSearchOptions options = seeded();
    options.progress = [&calls] { return ++calls < 3; };
    EXPECT_EQ(findFactor(x, options), FactorOutcome::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(x.toString(), kHardSemiprime);
}

// The search as written down: every odd trial divisor, then rho with a gcd at every step and
// no time limit. The fast search must give the same answer on every number.
FactorOutcome stepByStepSearch(BigInt& x, const PrimeBases& bases) {
    if (x.compare(2) < 0) return FactorOutcome::NotFound;
    if (x.isProbablePrime(bases)) return FactorOutcome::ProbablePrime;
    if (!x.isOdd()) {
        x.setValue(2);
        return FactorOutcome::Found;
    }
    for (unsigned long d = 3; d < 40000; d += 2) {
        if (mpz_divisible_ui_p(x.get(), d)) {
            x.setValue(static_cast<std::int64_t>(d));
            return FactorOutcome::Found;
        }
    }
    BigInt tortoise(2), hare(2), d;
    const auto step = [&x](BigInt& v) {
        mpz_mul(v.get(), v.get(), v.get());
        mpz_add_ui(v.get(), v.get(), 3);
        mpz_mod(v.get(), v.get(), x.get());
    };
    for (;;) {
        step(tortoise);
        step(hare);
        step(hare);
        if (tortoise == hare) return FactorOutcome::NotFound;
        mpz_sub(d.get(), hare.get(), tortoise.get());
        mpz_gcd(d.get(), d.get(), x.get());
        if (mpz_cmp_ui(d.get(), 1) > 0) {
            x = d;
            return FactorOutcome::Found;
        }
    }
}

TEST(FindFactor, AgreesWithTheStepByStepSearch) {
    std::vector<BigInt> numbers;
    for (std::int64_t n = 3000000000000000001; n < 3000000000000001200; n += 2)
        numbers.emplace_back(n);
    // Past 64 bits, with every prime factor beyond trial division.
    numbers.push_back(product("1000003", "1000033"));
    numbers.back().multiply(BigInt("1000037"));
    numbers.back().multiply(BigInt("1000039"));
    numbers.push_back(product("40009", "1000000000000000003"));
    numbers.push_back(product("2305843009213693951", "40009"));
    numbers.emplace_back("1604800999");
    const FactorSearchOptions options = seeded();
    for (const BigInt& number : numbers) {
        BigInt fast(number);
        BigInt reference(number);
        EXPECT_EQ(findFactor(fast, options), stepByStepSearch(reference, options.bases)) << number;
        EXPECT_EQ(fast, reference) << number;
    }
}

TEST(FermatFactor, Table) {
    struct Row {
        BigInt x;
        FactorOutcome outcome;
        const char* expected;
    };
    const Row rows[] = {
        {product("1000000007", "1000000009"), FactorOutcome::Found, "1000000007"},
        {BigInt("1604800999"), FactorOutcome::Found, "40009"},
        {product(kMersenne61, kMersenne61), FactorOutcome::Found, kMersenne61},
        {BigInt("15"), FactorOutcome::Found, "3"},
        {BigInt("7"), FactorOutcome::Found, "1"},  // a prime only splits as 1 * x
        {BigInt("1"), FactorOutcome::Found, "1"},
        {BigInt("0"), FactorOutcome::NotFound, "0"},
        {BigInt("-15"), FactorOutcome::NotFound, "-15"},
        // 2 mod 4 is never a difference of two squares.
        {product("2", kMersenne61), FactorOutcome::NotFound, "4611686018427387902"},
        {product("3", kMersenne61), FactorOutcome::NotFound, "6917529027641081853"},
        // Found at the 48 985th value of a, just inside the limit...
        {product("1000000000039", "1000626099113"), FactorOutcome::Found, "1000000000039"},
        // ... and out of reach at the 50 984th.
        {product("1000000000039", "1000638748859"), FactorOutcome::NotFound,
         "1000638748898024911205501"},
    };
    for (const Row& row : rows) {
        BigInt x(row.x);
        EXPECT_EQ(fermatFactor(x), row.outcome) << row.x;
        EXPECT_EQ(x.toString(), row.expected) << row.x;
    }
}

// Every b^2 ending must pass the filter on the last two digits, or such splits are missed.
TEST(FermatFactor, SplitsEveryProductOfCloseOddNumbers) {
    for (std::int64_t p :
         {std::int64_t{1000001}, std::int64_t{123456789}, std::int64_t{999999999999}}) {
        for (std::int64_t gap = 2; gap <= 400; gap += 2) {
            BigInt x(p);
            x.multiply(p + gap);
            BigInt factor(x);
            ASSERT_EQ(fermatFactor(factor), FactorOutcome::Found) << x;
            EXPECT_TRUE(isProperDivisor(factor, x)) << x << " gave " << factor;
        }
    }
}

TEST(FermatFactor, CancellingLeavesXUnchanged) {
    const BigInt original = product("1000000000039", "1000626099113");
    BigInt x(original);
    int calls = 0;
    EXPECT_EQ(fermatFactor(x, [&calls] { return ++calls < 10; }), FactorOutcome::Cancelled);
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(x, original);
}

}  // namespace
}  // namespace kalvor
