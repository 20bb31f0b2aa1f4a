// The tree form of side-effect-free formulas against the operation list it stands in for:
// the same bits for every value and the same error for every failure, on random formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "expr/formula_impl.h"
#include "expr/parser.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

using test::Outcome;
using test::outcomeOf;
using test::sameBits;

// Random valid formulas: every operation in brackets, a few levels deep.
class FormulaMaker {
public:
    explicit FormulaMaker(unsigned seed) : m_random(seed) {}

    // Each random draw in its own statement, so that every compiler makes the same formulas.
    std::string make(int depth) {
        if (depth == 0 || pick(4) == 0) return leaf();
        const unsigned form = pick(5);
        if (form == 4) return "(-(" + make(depth - 1) + "))";
        if (form == 2) {
            const std::string name = pickOf(kOneParam);
            return name + "(" + make(depth - 1) + ")";
        }
        std::string text = form == 3 ? pickOf(kTwoParam) + "(" : "(";
        text += make(depth - 1);
        if (form == 0) {
            text += pickOf(kOperators);
            text += make(depth - 1);
        } else if (form == 1) {
            text += "^";
            text += exponent(depth);
        } else {
            text += ",";
            text += make(depth - 1);
        }
        return text + ")";
    }

private:
    static constexpr const char* kOperators[] = {"+", "-", "*", "/"};
    static constexpr const char* kLeaves[] = {"x",      "y",      "a",    "2",       "0.5",
                                              "3",      "0",      "pi",   "16.3",    "1E300",
                                              "1E-300", "1E4000", "(-1)", "1E-4000", "7"};
    static constexpr const char* kExponents[] = {"2", "3",   "4",   "5",  "-1",    "-2",
                                                 "0", "2.5", "0.5", "-3", "20000", "-20000"};
    static constexpr const char* kOneParam[] = {
        "sin",  "cos",  "tan",   "exp",  "ln",    "log10", "log2", "sqrt", "sqr", "abs",  "arctan",
        "sinh", "cosh", "trunc", "ceil", "floor", "heav",  "sign", "zero", "ph",  "cotan"};
    static constexpr const char* kTwoParam[] = {"max", "min", "power", "intpower", "logn", "arg"};

    unsigned pick(unsigned n) { return m_random() % n; }
    template <std::size_t N>
    std::string pickOf(const char* const (&options)[N]) {
        return options[pick(N)];
    }
    std::string leaf() { return pickOf(kLeaves); }
    std::string exponent(int depth) {
        return pick(3) == 0 ? "(" + make(depth - 1) + ")" : pickOf(kExponents);
    }

    std::mt19937 m_random;
};

TEST(FastPath, SameValuesAndErrorsAsTheOperationList) {
    const Number inputs[] = {-4,
                             -1,
                             -0.5L,
                             0,
                             0.5L,
                             1,
                             3.7L,
                             1E200L,
                             1E-310L,
                             std::numeric_limits<Number>::infinity(),
                             -std::numeric_limits<Number>::infinity(),
                             std::numeric_limits<Number>::quiet_NaN()};
    Parser p;
    p.y = 0.3L;
    p.a = -2;
    FormulaMaker maker(12345);
    int withTree = 0, treeValues = 0, failures = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::string text = maker.make(5);
        const Formula f = p.compile(text);
        const Formula::Impl* impl = FormulaAccess::impl(f);
        withTree += impl->fastRoot != nullptr;
        for (Number x : inputs) {
            p.x = x;
            const Outcome reference = outcomeOf([&] { return evaluateList(*impl); });
            const Outcome fast = outcomeOf([&] { return f.value(); });
            ASSERT_EQ(fast.failed, reference.failed) << text << " at x = " << x;
            ASSERT_EQ(fast.message, reference.message) << text << " at x = " << x;
            if (!reference.failed) {
                ASSERT_TRUE(sameBits(fast.value, reference.value))
                    << text << " at x = " << x << ": " << fast.value << " vs " << reference.value;
            }
            failures += reference.failed;
            if (impl->fastRoot != nullptr && !reference.failed) ++treeValues;
        }
    }
    // The sample reaches the tree, its values and its failures.
    EXPECT_GT(withTree, 2500);  // the rest are leaves or fold to a constant
    EXPECT_GT(treeValues, 5000);
    EXPECT_GT(failures, 2000);
}

}  // namespace
}  // namespace kalvor
