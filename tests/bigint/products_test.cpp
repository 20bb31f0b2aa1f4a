#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "bigint/bigint.h"

namespace kalvor {
namespace {

BigInt gmpFactorial(unsigned long n) {
    BigInt result;
    mpz_fac_ui(result.get(), n);
    return result;
}

TEST(BigIntFactorial, Table) {
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"0", true, "1"},
        {"1", true, "1"},
        {"5", true, "120"},
        {"20", true, "2432902008176640000"},
        {"-1", false, "-1"},
        {"2147483647", false, "2147483647"},
        {"100000000000000000000", false, "100000000000000000000"},
        // Below the argument limit, but the result would exceed the size limit.
        {"2147483646", false, "2147483646"},
    };
    for (const auto& [xText, changed, expected] : rows) {
        BigInt x(xText);
        EXPECT_EQ(x.factorial(), changed) << xText;
        EXPECT_EQ(x.toString(), expected) << xText;
    }
}

TEST(BigIntFactorial, AgreesWithGmpAcrossStepBoundaries) {
    for (unsigned long n :
         {63ul, 255ul, 256ul, 257ul, 511ul, 513ul, 1000ul, 4097ul, 15000ul, 100001ul}) {
        BigInt x(static_cast<std::int64_t>(n));
        ASSERT_TRUE(x.factorial());
        EXPECT_EQ(x, gmpFactorial(n)) << n << "!";
    }
}

TEST(BigIntPermutations, Table) {
    const std::tuple<const char*, std::int64_t, bool, const char*> rows[] = {
        {"5", 2, true, "20"},
        {"5", 5, true, "120"},
        {"5", 0, true, "1"},
        {"0", 0, true, "1"},
        {"5", 6, true, "0"},
        {"5", -1, false, "5"},
        {"-5", 2, false, "-5"},
        {"-5", 0, false, "-5"},
        {"2147483647", 1, false, "2147483647"},
        {"2147483646", 2, true, "4611686007689969670"},
        {"100", 3, true, "970200"},
    };
    for (const auto& [xText, r, changed, expected] : rows) {
        BigInt x(xText);
        EXPECT_EQ(x.permutations(r), changed) << xText << " nPr " << r;
        EXPECT_EQ(x.toString(), expected) << xText << " nPr " << r;
    }
}

TEST(BigIntCombinations, Table) {
    const std::tuple<const char*, std::int64_t, bool, const char*> rows[] = {
        {"52", 5, true, "2598960"},
        {"5", 7, true, "0"},
        {"5", 0, true, "1"},
        {"5", 5, true, "1"},
        {"100", 50, true, "100891344545564193334812497256"},
        {"100", 97, true, "161700"},
        {"5", -1, false, "5"},
        {"-5", 2, false, "-5"},
    };
    for (const auto& [xText, r, changed, expected] : rows) {
        BigInt x(xText);
        EXPECT_EQ(x.combinations(r), changed) << xText << " nCr " << r;
        EXPECT_EQ(x.toString(), expected) << xText << " nCr " << r;
    }
}

TEST(BigIntCombinations, AgreesWithGmpForLargeArguments) {
    for (auto [n, r] : {std::pair{5000ul, 2500ul}, {4000ul, 17ul}, {4000ul, 3983ul}}) {
        BigInt expected;
        mpz_bin_uiui(expected.get(), n, r);
        BigInt x(static_cast<std::int64_t>(n));
        ASSERT_TRUE(x.combinations(static_cast<std::int64_t>(r)));
        EXPECT_EQ(x, expected) << n << " nCr " << r;
    }
}

TEST(BigIntProducts, AskProgressWhileTheyWork) {
    int calls = 0;
    const Progress count = [&calls] {
        ++calls;
        return true;
    };
    BigInt x(6400);
    ASSERT_TRUE(x.factorial(count));
    EXPECT_GE(calls, 5);  // once per halving: 6400, 3200, ..., 200
    calls = 0;
    x.setValue(100000);
    ASSERT_TRUE(x.permutations(640, count));
    EXPECT_GE(calls, 10);
}

TEST(BigIntProducts, CancellingLeavesXUnchanged) {
    for (int allowedCalls : {0, 1, 5, 7}) {  // 20000! asks eight times
        int calls = 0;
        const Progress cancelLater = [&] { return calls++ < allowedCalls; };
        BigInt x(20000);
        EXPECT_FALSE(x.factorial(cancelLater)) << allowedCalls;
        EXPECT_EQ(x.toString(), "20000") << allowedCalls;
        calls = 0;
        EXPECT_FALSE(x.permutations(15000, cancelLater)) << allowedCalls;
        EXPECT_EQ(x.toString(), "20000") << allowedCalls;
        calls = 0;
        EXPECT_FALSE(x.combinations(10000, cancelLater)) << allowedCalls;
        EXPECT_EQ(x.toString(), "20000") << allowedCalls;
    }
}

TEST(Throttled, ForwardsAtMostOncePerInterval) {
    int calls = 0;
    const Progress inner = [&calls] {
        ++calls;
        return true;
    };
    const Progress every = throttled(inner, std::chrono::steady_clock::duration::zero());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(every());
    EXPECT_EQ(calls, 5);

    calls = 0;
    const Progress never = throttled(inner, std::chrono::hours(1));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(never());
    EXPECT_EQ(calls, 0);

    calls = 0;
    const Progress sometimes = throttled(inner, std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(sometimes());
    EXPECT_EQ(calls, 1);
}

TEST(Throttled, RemembersACancellation) {
    int calls = 0;
    const Progress cancelOnce = [&calls] { return calls++ > 0; };
    const Progress wrapped = throttled(cancelOnce, std::chrono::steady_clock::duration::zero());
    EXPECT_FALSE(wrapped());
    EXPECT_FALSE(wrapped());
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace kalvor
