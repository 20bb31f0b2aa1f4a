// Symbolic answers checked numerically in our own parser: a derivative against a central
// difference of the formula, an antiderivative through the central difference of the answer,
// a substitution against the formula at the substituted point.

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "../support/recording_host.h"
#include "expr/function_library.h"
#include "expr/number_lists.h"
#include "expr/parser.h"
#include "expr/symbolic/symbolic.h"

namespace kalvor {
namespace {

// School formulas in x; all are defined, and smooth, at every sample point.
const char* const kFormulas[] = {
    "x^3-2*x+1",     "(x^2+1)/(x-3)",   "sqrt(x^2+4)",     "exp(2*x)*sin(x)",   "ln(x^2+1)",
    "log(x)",        "x*ln(x)",         "sin(x)^2",        "cos(3*x+1)",        "tan(x)",
    "arctan(x^2)",   "arcsin(x/2)",     "arccos(x/3)",     "1/(1+x^2)",         "x*exp(-x)",
    "sinh(x)",       "cosh(2*x)",       "cotan(x)",        "x^2*cos(x)",        "exp(x)/(1+exp(x))",
    "ln(sin(x)+2)",  "sqrt(1-x^2/9)",   "(x+1)^5",         "x^(1/3)",           "2^x",
    "x^x",           "sqr(x+1)",        "log2(x)",         "logn(3,x)",         "root(x,3)",
    "power(x,2.5)",  "hypot(x,2)",      "degtorad(x)*x",   "exp(-x^2)",         "1/x",
    "x/(x^2-4)",     "(2*x-1)^3*(x+2)", "sin(x)*cos(x)",   "sin(2*x)/x",        "exp(sin(x))",
    "ln(ln(x+3))",   "sqrt(x)*ln(x)",   "arctan(1/x)",     "x^2*exp(3*x)",      "1/sqrt(x^2+1)",
    "1/(x*(x+1))",   "x^4-3*x^2+2",     "cos(x)^3",        "tan(x)^2",          "exp(x)*cos(x)",
    "x*arctan(x)",   "x*arcsin(x/3)",   "ln(x)^2",         "x^3*ln(x)",         "(x-1)/(x+1)",
    "sqrt(4-x^2)",   "1/(x^2-2*x+5)",   "sinh(x)*cosh(x)", "exp(-x)*sin(2*x)",  "-x^2+3*x-2",
    "abs(x-1)",      "sqrt(x+1)/(x+2)", "ln((x+1)/(x+2))", "cos(x)/(1+sin(x))", "x^2/(x^3+1)",
    "arctan(2*x+1)", "exp(x^2)*x",      "3*x^2-5/x+2/x^2", "sin(x)^3*cos(x)",   "-sin(x)/cos(x)^2",
    "ln(abs(x-2))",  "x*sqrt(1+x)",     "heav(x-1)*x",
};

const Number kPoints[] = {0.35L, 0.8L, 1.45L};
constexpr Number kStep = 1e-5L;
constexpr Number kTolerance = 1e-6L;
// The library's ERF is rounded to 7 digits: answers with erf get a wider step and tolerance.
constexpr Number kErfStep = 1e-3L;
constexpr Number kErfTolerance = 1e-4L;

Number at(Parser& parser, Number x) {
    parser.x = x;
    return parser.value();
}

Number slopeAt(Parser& parser, Number x, Number step) {
    return (at(parser, x + step) - at(parser, x - step)) / (2 * step);
}

bool agrees(Number a, Number b, Number tolerance) {
    return std::fabs(a - b) <= tolerance * (1 + std::fabs(b));
}

/// Two parsers as the workbench has them, with the function library registered.
class SymbolicProperty : public testing::Test {
protected:
    SymbolicProperty() {
        library.registerInto(formula, 1);
        library.registerInto(answer, 2);
    }

    SymbolicEngine engine;
    NumberLists lists;
    test::RecordingHost host;
    FunctionLibrary library{lists, host};
    Parser formula;
    Parser answer;

    /// The answer to `command`, compiled in `answer`; false when the library could not do it.
    bool compileAnswer(const std::string& command) {
        const SymbolicAnswer a = engine.answer(command);
        if (a.error) {
            std::cout << "  " << command << ": " << a.text << "\n";
            return false;
        }
        EXPECT_NO_THROW(answer.setExpression(a.text)) << command << " gave " << a.text;
        return true;
    }

    /// Asks command(f,x) for every formula and compares the two values `pair` gives at
    /// every point for a step; returns how many answers the library found.
    template <typename Pair>
    int checkEveryFormula(const std::string& command, Pair pair) {
        int done = 0;
        for (const char* f : kFormulas) {
            formula.setExpression(f);
            if (!compileAnswer(command + "(" + f + ",x)")) continue;
            ++done;
            const bool rounded = answer.expression().find("erf(") != std::string::npos;
            for (Number x : kPoints) {
                const auto [got, expected] = pair(x, rounded ? kErfStep : kStep);
                EXPECT_PRED3(agrees, got, expected, rounded ? kErfTolerance : kTolerance)
                    << command << " " << f << " = " << answer.expression() << " at " << (double)x;
            }
        }
        std::cout << command << ": " << done << " of " << std::size(kFormulas) << " done\n";
        return done;
    }
};

TEST_F(SymbolicProperty, DerivativesAgreeWithCentralDifferences) {
    const int done = checkEveryFormula("diff", [this](Number x, Number step) {
        return std::pair{at(answer, x), slopeAt(formula, x, step)};
    });
    EXPECT_EQ(done, static_cast<int>(std::size(kFormulas)));
}

TEST_F(SymbolicProperty, AntiderivativesDifferentiateToTheIntegrand) {
    const int done = checkEveryFormula("int", [this](Number x, Number step) {
        return std::pair{slopeAt(answer, x, step), at(formula, x)};
    });
    // The library finds most school antiderivatives; the others must be error answers.
    EXPECT_GE(done, static_cast<int>(std::size(kFormulas)) - 8);
}

TEST_F(SymbolicProperty, SubstitutionsAgreeWithTheFormula) {
    for (const char* f : kFormulas) {
        formula.setExpression(f);
        // A number, exactly: 0.8 is 4/5 to the library.
        ASSERT_TRUE(compileAnswer("subst(" + std::string(f) + ",x,0.8)")) << f;
        EXPECT_PRED3(agrees, answer.value(), at(formula, 0.8L), 1e-12L)
            << f << " at 0.8: " << answer.expression();
        // An expression in another variable.
        ASSERT_TRUE(compileAnswer("subst(" + std::string(f) + ",x,t/2)")) << f;
        for (Number x : kPoints) {
            answer.t = 2 * x;
            EXPECT_PRED3(agrees, answer.value(), at(formula, x), 1e-12L)
                << f << " with x=t/2: " << answer.expression() << " at " << (double)x;
        }
    }
}

}  // namespace
}  // namespace kalvor
