#include "expr/function_library.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "../support/recording_host.h"
#include "expr/number_lists.h"
#include "expr/parser.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

using test::RecordingHost;
using Box = RecordingHost::Box;

const Number kPi = std::numbers::pi_v<Number>;
const Box kBinomialBox{"Foutje", "Ongeldige waarde voor n of k"};

using test::FormulaRow;

// The workbench's arrangement: four parsers with the library registered in each.
class FunctionLibraryTest : public ::testing::Test {
protected:
    FunctionLibraryTest() {
        for (int i = 0; i < 4; ++i)
            library.registerInto(parsers[i], i + 1);
    }

    Number eval(const std::string& formula, int parserNumber = 1) {
        Parser& parser = parsers[parserNumber - 1];
        parser.setExpression(formula);
        return parser.value();
    }

    // Evaluates every row through Parser1; none of them may show a box.
    void check(const std::vector<FormulaRow>& rows) {
        for (const FormulaRow& row : rows)
            checkFormula(parsers[0], row);
        EXPECT_EQ(host.boxes, std::vector<Box>{});
    }

    NumberLists lists;
    RecordingHost host;
    FunctionLibrary library{lists, host};
    std::array<Parser, 4> parsers;
};

TEST_F(FunctionLibraryTest, IntegerFunctionsTruncateTheirArguments) {
    check({
        {"ggd(12,18)", 6},
        {"ggd(0,7)", 7},
        {"ggd(-12,18)", 6},
        {"ggd(12.9,18.9)", 6},  // rounding would give ggd(13,19) = 1
        {"ggd(-9223372036854775808,0)", 0x1p63L},
        {"kgv(4,6)", 12},
        {"kgv(0,5)", 0},
        {"kgv(4.9,6.9)", 12},
        {"kgv(4294967296,4294967297)", 0x1p64L + 0x1p32L},  // beyond 64 bits, not wrapped
        {"oneven(-3)", 1},
        {"oneven(3.9)", 1},
        {"oneven(-2.5)", 0},
        {"fac(-3)", 1},
        {"fac(5.9)", 120},
        {"fac(20)", 2432902008176640000.0L},
        {"logfac(5)", std::log10(120.0L), 1e-18L},
        {"phi(36)", 12},
        {"phi(36.9)", 12},
        {"sum_of_divisors(12)", 28},
        {"number_of_divisors(12)", 6},
        {"sum_of_proper_divisors(28)", 28},
    });
}

TEST_F(FunctionLibraryTest, BinomialCoefficientsAndRounding) {
    check({
        {"binomcoeff(5,2)", 10},
        {"binomcoeff(5,3)", 10},
        {"binomcoeff(52,5)", 2598960},
        {"binomcoeff(100,50)", 100891344545564193334812497256.0L, 1e14L},
        {"logbinomcoeff(10,3)", std::log10(120.0L), 1e-17L},
        {"logbinomcoeff(10,7)", std::log10(120.0L), 1e-17L},
        {"logbinomcoeff(4000000,2000000)", 1204116.583565967L, 1e-6L},
        {"round(3.14159,2)", 3.14L},
        {"round(2.5,0)", 2},
        {"round(3.5,0)", 4},
        {"round(-2.5,0)", -2},
        {"round(0.125,2)", 0.12L},  // 12.5 is a tie
        {"round(2.6,0)", 3},        // truncation would give 2
        {"round(-2.6,0)", -3},
        {"round(1E30,2)", 1e30L, 1e12L},  // p·f does not fit: unrounded
    });
}

TEST_F(FunctionLibraryTest, RootsStatisticsAndAngles) {
    check({
        {"root(-8,3)", -2, 1e-17L},
        {"root(27,3)", 3, 1e-17L},
        {"root(-32,5)", -2, 1e-17L},
        {"root(0,5)", 0},
        {"root(2,-1)", 0.5L, 1e-18L},
        {"erf(0)", 0},
        {"erf(1)", 0.8427008L, 2e-7L},
        {"erf(-1)", -0.8427008L, 2e-7L},
        {"normalcdf(0,1)", 0.5L},
        {"normalcdf(1.96,1)", 0.9750021L, 2e-7L},
        {"normalcdf(2,2)", 0.8413447L, 2e-7L},  // p is the value, q the deviation
        {"normalcdf(-50,1)", 0},
        {"normalpdf(0,1)", 0.39894228040143267793995L, 1e-18L},
        {"normalpdf(1,2)", 0.17603266338214973888734L, 1e-18L},
        {"invnorm(0.5)", 0},
        {"invnorm(0.975)", 1.959963984540054L, 3e-9L},
        {"invnorm(0.01)", -2.326347874040841L, 3e-9L},
        {"invnorm(0.99)", 2.326347874040841L, 3e-9L},
        {"arctan2(1,0)", kPi / 2, 1e-18L},  // the angle of the point (0, 1)
        {"arctan2(0,-1)", kPi, 1e-18L},
        {"arctan2(-0,-1)", kPi, 1e-18L},
        {"arctan2(-1,0)", -kPi / 2, 1e-18L},
        {"arctan2(-1,-1)", -3 * kPi / 4, 1e-18L},
        {"degtorad(180)", kPi, 1e-18L},
    });
}

TEST_F(FunctionLibraryTest, ComparisonsAtTheirBoundaries) {
    check({
        {"groter(1,1)", 0},
        {"kleiner(1,1)", 0},
        {"grotergelijk(1,1)", 1},
        {"kleinergelijk(2,1)", 0},
        {"niet(-0.001)", 0},
        {"absepsgelijk(1,1.04)", 1},
        {"absepsgelijk(1,1.06)", 0},
        {"ongelijk(1E-40,0)", 0},
        {"ongelijk(1E-29,0)", 1},
    });
}

TEST_F(FunctionLibraryTest, PrimesFromTheTableTrialDivisionAndBigIntegers) {
    check({
        {"ispriem(2)", 1},
        {"ispriem(1)", 0},
        {"ispriem(-7)", 0},
        {"ispriem(7.9)", 1},         // Trunc, not Round
        {"ispriem(299209)", 0},      // 547², the last prime square below the table limit
        {"ispriem(300007)", 1},      // beyond the table: trial division
        {"ispriem(1000003)", 1},     // big-integer test
        {"ispriem(1000001)", 0},     // 101 × 9901
        {"ispriem(1018081)", 0},     // 1009²
        {"ispriem(2147483648)", 0},  // 2^31 itself is still accepted
        {"volgendepriem(1)", 2},
        {"volgendepriem(-5)", 2},
        {"volgendepriem(7)", 11},
        {"volgendepriem(12.9)", 13},
        {"volgendepriem(1499999)", 1500007},
        {"volgendepriem(1500000)", 1500007},
        {"volgendepriem(2147483647)", 2147483659.0L},
    });
}

TEST_F(FunctionLibraryTest, PartitionCounts) {
    check({
        {"partitions(5)", 7},
        {"partitions(5.9)", 7},
        {"partitions(100)", 190569292},
        {"partitions_into_distinct_parts(10)", 10},
        {"partitions_into_distinct_parts(100)", 444793},
        {"partitions_into_prime_parts(10)", 5},
        {"partitions_into_prime_parts(100)", 40899},
        // Exact big integers for p(n): the alternating recurrence in floating point would be
        // off by hundreds of orders of magnitude here.
        {"partitions(99999)/2.738250215090691114E346", 1, 1e-12L},
        {"partitions_into_distinct_parts(19999)/2.821372508523812623E107", 1, 1e-12L},
        {"partitions_into_prime_parts(19999)/2.963599695429573549E71", 1, 1e-12L},
    });
}

TEST_F(FunctionLibraryTest, ListAccessorsRoundTheIndex) {
    lists.set(1, 1, 5);
    lists.set(1, 2, 7);
    lists.set(3, 100, 9);
    lists.set(6, 50, -1);
    check({
        {"L1(1.4)", 5},
        {"L1(1.6)", 7},
        {"L1(1.5)", 7},
        {"L1(2.5)", 7},  // ties to even
        {"L1(0.5)", 0},
        {"L1(0)", 0},
        {"L1(101)", 0},
        {"L1(1E30)", 0},
        {"L3(100.4)", 9},
        {"L3(1)", 0},
        {"L2(1)", 0},
        {"l6(50)", -1},
        {"L4(1)+L5(1)", 0},
    });
    lists.set(1, 1, 11);
    EXPECT_EQ(eval("L1(1)"), 11) << "lists are read at evaluation time";
}

TEST_F(FunctionLibraryTest, NaNResultsPassThroughEvaluationQuietly) {
    for (const char* formula : {"root(-16,4)", "root(8,2.5)", "root(-8,2.5)", "2*root(-1,2)+1"}) {
        SCOPED_TRACE(formula);
        EXPECT_TRUE(std::isnan(eval(formula)));
    }
}

TEST_F(FunctionLibraryTest, FailuresReachTheReaderOfTheValue) {
    struct Row {
        const char *formula, *message;
        std::vector<Box> boxes;
    };
    const char* invalid = "Invalid floating point operation";
    const char* zeroDivide = "Floating point division by zero";
    const char* invNormRange = "Inverse Cum Norm argument must be in range 0<p<1";
    const std::vector<Row> rows = {
        {"ispriem(3000000000)", "too big", {{"Kalvor 2.1", "3000000000 tegroot"}}},
        {"ispriem(2147483648.5)", "too big", {{"Kalvor 2.1", "2147483648.5 tegroot"}}},
        {"volgendepriem(1E20)", "too big", {{"Kalvor 2.1", "1E20 tegroot"}}},
        {"invnorm(1)", invNormRange, {}},
        {"invnorm(0)", invNormRange, {}},
        {"invnorm(1E4000)", invNormRange, {}},
        {"invnorm(0.9999999999999999999)", invNormRange, {}},  // 1 in double precision
        {"normalcdf(1,0)", zeroDivide, {}},
        {"normalcdf(0,0)", invalid, {}},
        {"kgv(0,0)", "Division by zero", {}},
        {"kgv(0.5,-0.9)", "Division by zero", {}},
        {"asin(2)", invalid, {}},
        {"log(0)", zeroDivide, {}},
        {"fac(2000)", "Floating point overflow", {}},
        // Trunc beyond the 64-bit range is an invalid operation, not a wrapped integer.
        {"fac(1E30)", invalid, {}},
        {"ggd(1E19,2)", invalid, {}},
        {"root(8,1E30)", invalid, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.formula);
        host.boxes.clear();
        EXPECT_EQ(test::messageOf<EvaluationError>([&] { eval(row.formula); }), row.message);
        EXPECT_EQ(host.boxes, row.boxes);
    }
}

TEST_F(FunctionLibraryTest, RefusedArgumentsShowABoxAndReturnTheNeutralValue) {
    struct Row {
        const char* formula;
        Number result;
        Box box;
    };
    const std::string range = "argument moet kleiner zijn dan ";
    const Box partitions{"Kalvor 2.1", "fout in partitions: " + range + "100000 en groter dan 0"};
    const Box distinct{
        "Kalvor 2.1", "fout in partitions_into_distinct_parts: " + range + "20000 en groter dan 0"};
    const Box prime{"Kalvor 2.1",
                    "fout in partitions_into_prime_parts: " + range + "20000 en groter dan 0"};
    const Row rows[] = {
        {"binomcoeff(5,-1)", 1, kBinomialBox},
        {"binomcoeff(5,7)", 1, kBinomialBox},  // k := 5 − 7 = −2
        {"binomcoeff(-3,1)", 1, kBinomialBox},
        {"logbinomcoeff(5,-1)", 0, kBinomialBox},
        {"partitions(100000)", 0, partitions},
        {"partitions(0)", 0, partitions},
        {"partitions_into_distinct_parts(20000)", 0, distinct},
        {"partitions_into_prime_parts(0)", 0, prime},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.formula);
        host.boxes.clear();
        EXPECT_EQ(eval(row.formula), row.result);
        EXPECT_EQ(host.boxes, std::vector<Box>{row.box});
    }
    host.boxes.clear();
    EXPECT_EQ(eval("binomcoeff(5,-1)+binomcoeff(5,2)"), 11) << "evaluation goes on";
    EXPECT_EQ(host.boxes, std::vector<Box>{kBinomialBox});
}

TEST_F(FunctionLibraryTest, NamesAreRegisteredPerParser) {
    struct Row {
        const char* formula;
        std::array<bool, 4> compilesIn;  // Parser1 … Parser4
    };
    const Row rows[] = {
        {"ongelijk(1,2)", {true, true, false, true}},
        {"onepsgelijk(1,2)", {false, false, true, false}},
        {"muisx", {true, true, true, true}},
        {"muisy", {true, true, true, true}},
        {"IsPriem(7)+Partitions_Into_Prime_Parts(10)+number_of_divisors(6)",
         {true, true, true, true}},
    };
    for (const Row& row : rows) {
        for (int i = 1; i <= 4; ++i) {
            SCOPED_TRACE(std::string(row.formula) + " in Parser" + std::to_string(i));
            if (row.compilesIn[i - 1])
                EXPECT_NO_THROW(eval(row.formula, i));
            else
                EXPECT_THROW(eval(row.formula, i), SyntaxError);
        }
    }
    EXPECT_EQ(eval("onepsgelijk(1,1)+2*onepsgelijk(1,3)+muisx+muisy", 3), 2);
    Parser parser;
    EXPECT_THROW(library.registerInto(parser, 0), std::invalid_argument);
    EXPECT_THROW(library.registerInto(parser, 5), std::invalid_argument);
    EXPECT_THROW(library.registerInto(parsers[0], 1), DuplicateName);
}

TEST_F(FunctionLibraryTest, OnlyIspriemBelowAMillionGrowsThePrimeTable) {
    PrimeTable& table = library.primeTable();
    EXPECT_EQ(table.limit(), 5);
    EXPECT_EQ(eval("volgendepriem(100)+ispriem(1000003)"), 102);
    EXPECT_EQ(table.limit(), 5) << "volgendepriem and the big-integer path leave the limit";
    EXPECT_EQ(eval("ispriem(97)"), 1);
    EXPECT_EQ(table.limit(), 300000);
    table.setLimit(400000);
    EXPECT_EQ(eval("ispriem(97)"), 1);
    EXPECT_EQ(table.limit(), 400000) << "never shrunk";
}

}  // namespace
}  // namespace kalvor
