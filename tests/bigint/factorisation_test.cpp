#include "bigint/factorisation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvor {
namespace {

using Lines = std::vector<std::string>;

// 1000000007 and 1000000009 are primes; 10^25 + 13 is the prime after 10^25.
constexpr const char* kPrime25 = "10000000000000000000000013";

struct Factored {
    Lines lines;
    std::vector<std::string> handedOut;  // composites given to the outside program
    bool completed = false;
};

Factored factorLines(const BigInt& x, std::chrono::seconds rhoBudget = std::chrono::seconds(20),
                Progress progress = {}) {
    Factored run;
    FactorisationHooks hooks;
    hooks.write = [&run](const std::string& line) { run.lines.push_back(line); };
    hooks.progress = std::move(progress);
    hooks.outside = [&run](const BigInt& c, const LineWriter& write) {
        run.handedOut.push_back(c.toString());
        write("buiten");
    };
    hooks.firstRhoBudget = rhoBudget;
    hooks.bases = randomPrimeBases(7);
    run.completed = factorise(x, std::move(hooks));
    return run;
}

BigInt product(std::initializer_list<const char*> factors) {
    BigInt x(1);
    for (const char* f : factors)
        x.multiply(BigInt(f));
    return x;
}

TEST(Factorise, WritesTheStagesLineByLine) {
    const std::string big = product({"360", kPrime25}).toString();
    const std::string near = product({"1000003", "1000033"}).toString();
    const std::string apart = product({"1000000007", "1000000000039"}).toString();
    const struct Row {
        BigInt x;
        Lines lines;
    } rows[] = {
        {BigInt(360), {"kleine factoren uitdelen", "2^3", "3^2", "5^1", "klaar"}},
        {BigInt(1000003), {"1000003", "klaar"}},
        {BigInt(kPrime25), {kPrime25, "klaar"}},
        {BigInt(big), {"kleine factoren uitdelen", "2^3", "3^2", "5^1", kPrime25, "klaar"}},
        // Powers of primes above the small-divisor range: one line, the prime not again.
        {product({"1000003", "1000003"}), {"kleine factoren uitdelen", "1000003^2", "klaar"}},
        {product({"1000003", "1000003", "1000003", "1000003"}),
         {"kleine factoren uitdelen", "1000003^4", "klaar"}},
        {product({"1000003", "1000033", "1000003", "1000033"}),
         {"kleine factoren uitdelen", near + "^2", "verder verwerken van " + near, "1000003",
          "1000033", "klaar"}},
        {product({"24", "1000003", "1000003", "1000003", "1000003", "1000003"}),
         {"kleine factoren uitdelen", "2^3", "3^1", "1000003^5", "klaar"}},
        // Two factors close together: Fermat's method.
        {BigInt(near),
         {"kleine factoren uitdelen", "verder verwerken van " + near, "1000003", "1000033",
          "klaar"}},
        // Far apart: Fermat gives up and rho finds the smaller one.
        {BigInt(apart),
         {"kleine factoren uitdelen", "verder verwerken van " + apart,
          "verdere factoren zoeken met Pollards rho", "1000000007", "1000000000039", "klaar"}},
        {BigInt(-12), {"-1", "kleine factoren uitdelen", "2^2", "3^1", "klaar"}},
        {BigInt(1), {"kleine factoren uitdelen", "klaar"}},
        {BigInt(0), {"0", "klaar"}},
    };
    for (const Row& row : rows) {
        const Factored run = factorLines(row.x);
        EXPECT_TRUE(run.completed) << row.x;
        EXPECT_EQ(run.lines, row.lines) << row.x;
        EXPECT_TRUE(run.handedOut.empty()) << row.x;
    }
}

TEST(Factorise, HandsWhatItCannotSplitToTheOutsideProgram) {
    // Without rho rounds, a semiprime whose factors are far apart is left to the outside.
    const BigInt x = product({"1000000007", "1000000000039"});
    const Factored run = factorLines(x, std::chrono::seconds(0));
    EXPECT_EQ(run.handedOut, Lines{x.toString()});
    EXPECT_EQ(run.lines.back(), "klaar");
    EXPECT_EQ(run.lines[run.lines.size() - 2], "buiten");
}

TEST(Factorise, StopsWhenCancelledWithoutKlaar) {
    const Factored run = factorLines(product({"1000000007", "1000000000039"}), std::chrono::seconds(20),
                                [] { return false; });
    EXPECT_FALSE(run.completed);
    EXPECT_TRUE(run.lines.empty() || run.lines.back() != "klaar");
}

}  // namespace
}  // namespace kalvor
