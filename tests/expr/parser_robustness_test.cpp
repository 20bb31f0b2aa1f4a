// Texts no one would type: each compiles or raises a ParserError, and deep nesting is decided
// exactly rather than cut off.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <typeinfo>

#include "expr/parser.h"

namespace kalvor {
namespace {

std::string repeat(const std::string& s, int n, const std::string& separator = "") {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += (i ? separator : "") + s;
    return r;
}

std::string nested(const std::string& open, const std::string& inner, int n) {
    return repeat(open, n) + inner + std::string(n, ')');
}

struct OutcomeRow {
    std::string label;
    std::string text;
    const std::type_info* error;  // nullptr: compiles
};

TEST(ParserRobustness, PathologicalTextsGetTheRuleBasedOutcome) {
    const OutcomeRow rows[] = {
        {"3000 bracket pairs", nested("(", "x", 3000), nullptr},
        {"3000 bracket pairs in a call", "sqrt" + nested("(", "x", 3000), nullptr},
        {"3000 opening brackets", std::string(3000, '(') + "x", &typeid(MismatchedBrackets)},
        {"2000-term difference", repeat("x", 2000, "-"), &typeid(TooManyNestings)},
        {"2000-term sum with a trailing +", repeat("x", 2000, "+") + "+", &typeid(SyntaxError)},
        {"alternating products", repeat("x*x", 1000, "-"), &typeid(TooManyNestings)},
        {"1000 nested negations", nested("-(", "x", 1000), &typeid(TooManyNestings)},
        {"1000 nested calls", nested("max(x,", "x", 1000), &typeid(TooManyNestings)},
        {"1000 quotients", repeat("x", 1000, "/"), &typeid(TooManyNestings)},
        {"negated powers", repeat("-x^x", 1000, "*"), &typeid(SyntaxError)},
        {"brackets around a long difference", nested("(", repeat("x", 500, "-"), 500),
         &typeid(TooManyNestings)},
        {"commas", "max(" + repeat("1", 2000, ",") + ")", &typeid(SyntaxError)},
        {"a long literal", "1" + std::string(5000, '0'), &typeid(SyntaxError)},
        {"a long name", std::string(5000, 'q'), &typeid(SyntaxError)},
        {"empty brackets", repeat("()", 2000), &typeid(SyntaxError)},
        {"reversed brackets", repeat(")(", 2000), &typeid(SyntaxError)},
    };
    for (const OutcomeRow& row : rows) {
        Parser p;
        try {
            p.setExpression(row.text);
            EXPECT_EQ(row.error, nullptr) << row.label << " compiled";
        } catch (const ParserError& e) {
            ASSERT_NE(row.error, nullptr) << row.label << ": " << e.what();
            EXPECT_EQ(typeid(e), *row.error) << row.label << ": " << e.what();
        }
    }
}

TEST(ParserRobustness, RandomBytesNeverEscapeAsAnythingElse) {
    std::mt19937 random(7);
    const std::string interesting = "()+-*/^,.E0123456789XYPIDVMO ";
    int compiled = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t length = random() % 60;
        for (std::size_t i = 0; i < length; ++i) {
            text += round % 3 == 0 ? static_cast<char>(random() % 256)
                                   : interesting[random() % interesting.size()];
        }
        Parser p;
        try {
            p.setExpression(text);
            ++compiled;
            try {
                p.value();
            } catch (const EvaluationError&) {
            }
        } catch (const ParserError&) {
        }
    }
    EXPECT_GT(compiled, 0);
}

}  // namespace
}  // namespace kalvor
