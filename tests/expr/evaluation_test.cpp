// Evaluation: failures surface as EvaluationError, operations run in list order.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expr/arithmetic.h"
#include "expr/parser.h"
#include "expr/random_source.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

using test::FailureRow;
using test::FormulaRow;

constexpr const char* kInvalid = "Invalid floating point operation";
constexpr const char* kZeroDivide = "Floating point division by zero";
constexpr const char* kOverflow = "Floating point overflow";
constexpr const char* kIntegerDivide = "Division by zero";

TEST(Evaluation, FailuresAreEvaluationErrors) {
    const FailureRow rows[] = {
        {"1/x", kZeroDivide},
        {"0/0", kInvalid},
        {"sqrt(-1)", kInvalid},
        {"ln(0)", kZeroDivide},
        {"ln(-1)", kInvalid},
        {"log10(-1)", kInvalid},
        {"cotan(0)", kZeroDivide},
        {"logn(1,8)", kZeroDivide},
        {"7DIV0", kIntegerDivide},
        {"7MOD0.5", kIntegerDivide},  // Trunc(0.5) is 0
        {"1E30DIV2", kInvalid},       // outside the 64-bit range
        {"x^-1", kZeroDivide},
        {"intpower(0,-2)", kZeroDivide},
        {"(-8)^(1/3)", kInvalid},  // real power of a negative base
        {"power(-8,1/3)", kInvalid},
        {"(x-1)^2.5", kInvalid},
        {"exp(20000)", kOverflow},
        {"1E4000*1E4000", kOverflow},
        {"2^100000", kOverflow},
        {"sinh(12000)", kOverflow},
        {"exp(20000)-exp(20000)", kOverflow},  // the overflow, not its consequence
        {"logn(0,8)", kZeroDivide},            // log2(0) would vanish in the quotient
        {"logn(2,-8)", kInvalid},
        {"arg(1E-4000,1E4000)", kOverflow},  // q / p would vanish in the arctangent
        {"intpower(2,-20000)", kOverflow},   // not 0: the power overflowed first
        {"2^-20000", kOverflow},
    };
    Parser p;
    for (const FailureRow& row : rows) {
        checkFormula(p, row);
        // Nothing is left behind for the next evaluation.
        checkFormula(p, FormulaRow{"1+2", 3});
    }
}

TEST(Evaluation, NegativeBasesWithIntegralLiteralExponents) {
    Parser p;
    p.x = -2;
    const FormulaRow rows[] = {
        {"x^2", 4},   {"x^3", -8},      {"x^4", 16},           {"x^5", -32},       {"x^-1", -0.5},
        {"x^2.0", 4}, {"(-8)^3", -512}, {"intpower(x,3)", -8}, {"power(x,3)", -8},
    };
    for (const FormulaRow& row : rows)
        checkFormula(p, row);
}

// Stale flags from the caller's own arithmetic are not reported as this formula's failure.
TEST(Evaluation, CallerFlagsAreNotReported) {
    Parser p;
    p.setExpression("x+1");
    volatile Number zero = 0;
    volatile Number huge = std::numeric_limits<Number>::max();
    volatile Number sink = 1 / zero + huge * huge + std::sqrt(zero - 1);
    (void)sink;
    EXPECT_EQ(p.value(), 1);
    volatile double dzero = 0;
    volatile double dsink = std::sqrt(dzero - 1) + 1 / dzero;
    (void)dsink;
    p.setExpression("sqrt(x+4)");
    EXPECT_EQ(p.value(), 2);
}

Number tooBig(void*, Number x) {
    if (x > 10) throw EvaluationError("too big");
    return x;
}
Number inDouble(void*, Number x) {
    return std::sqrt(static_cast<double>(x));
}
Number quietNan(void*, Number) {
    return std::numeric_limits<Number>::quiet_NaN();
}
// Fails inside but returns a finite number, as a procedure that traps would not.
Number hiddenFailure(void*, Number x) {
    volatile Number zero = 0;
    volatile Number pole = 1 / zero;
    (void)pole;
    return x;
}

TEST(Evaluation, RegisteredFunctions) {
    Parser p;
    p.addFunctionOneParam("toobig", tooBig);
    p.addFunctionOneParam("dsqrt", inDouble);
    p.addFunctionOneParam("nan", quietNan);
    p.addFunctionOneParam("hidden", hiddenFailure);

    p.setExpression("1+toobig(x)");
    p.x = 11;
    const auto failure = [&p] { return test::messageOf<EvaluationError>([&p] { p.value(); }); };
    EXPECT_EQ(failure(), "too big");  // passes through unchanged
    p.x = 2;
    EXPECT_EQ(p.value(), 3);

    // Double-precision code reports through its own status flags.
    p.setExpression("dsqrt(x)");
    p.x = -1;
    EXPECT_THROW(p.value(), EvaluationError);
    p.x = 4;
    EXPECT_EQ(p.value(), 2);

    // A NaN produced on purpose is a value, not a failure.
    p.setExpression("nan(1)+1");
    EXPECT_TRUE(std::isnan(p.value()));

    // A failure inside a procedure counts even when its result looks fine.
    p.setExpression("hidden(2)+1");
    EXPECT_EQ(failure(), "Floating point division by zero");
}

// The math library raises the overflow flag for some correct results (a power of a huge
// base); the standard functions are judged by their results, like the operators.
TEST(Evaluation, StandardFunctionsAreJudgedByTheirResults) {
    Parser p;
    p.x = 1;
    p.y = -std::numeric_limits<Number>::infinity();
    const FormulaRow rows[] = {
        {"power(1E4000,1)", 1E4000L}, {"power(1E4000,x)+0", 1E4000L},
        {"(1E4000)^(x)", 1E4000L},    {"exp(y)", 0},  // an infinite argument is no failure
        {"arctan(-y)", kPi / 2},
    };
    for (const FormulaRow& row : rows)
        checkFormula(p, row);
}

// Records the order in which calls run.
Number record(void* context, Number x) {
    static_cast<std::vector<int>*>(context)->push_back(static_cast<int>(x));
    return x;
}

TEST(Evaluation, DeepestLevelFirstThenCreationOrder) {
    const std::pair<const char*, std::vector<int>> rows[] = {
        {"f(1)*f(2)", {1, 2}},
        {"f(1)+f(2)+f(3)", {2, 3, 1}},  // F(1)+(F(2)+F(3)): level 3 before level 2
        {"f(1)-f(2)-f(3)", {1, 2, 3}},  // (F(1)-F(2))-F(3)
        {"f(1)+f(2)*f(3)", {2, 3, 1}},
        {"f(f(1)+f(2))+f(3)", {1, 2, 3, 3}},
        {"f(3)^2+f(f(1)*f(2))", {1, 2, 3, 2}},  // a post-order walk would give 3, 1, 2, 2
    };
    for (const auto& [text, expected] : rows) {
        Parser p;
        std::vector<int> calls;
        p.addFunctionOneParam("f", record, &calls);
        p.setExpression(text);
        p.value();
        EXPECT_EQ(calls, expected) << text;
    }
}

TEST(Evaluation, RandomDrawsFromTheSharedGenerator) {
    Parser p;
    p.setExpression("random(5)");
    seedRandom(42);
    const Number first = p.value();
    const Number second = p.value();
    EXPECT_NE(first, second);  // nothing is cached between reads
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 1);
    seedRandom(42);
    EXPECT_EQ(p.value(), first);
    p.setExpression("rnd(10.9)");
    for (int i = 0; i < 200; ++i) {
        const Number v = p.value();
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 10);
    }
}

}  // namespace
}  // namespace kalvor
