// Variables, function tables, the expression's life cycle and the error handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/parser.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

TEST(ParserVariables, CompiledFormulasOutliveTheExpression) {
    Parser p;
    p.setVariable("k", 2);
    Formula f = p.compile("k*x");
    p.setExpression("1");
    p.x = 5;
    EXPECT_EQ(f.value(), 10);
    p.setVariable("k", 3);
    EXPECT_EQ(f.value(), 15);
    Formula moved = std::move(f);
    EXPECT_EQ(moved.value(), 15);
    EXPECT_TRUE(Formula().empty());
    EXPECT_EQ(Formula().value(), 0);
    EXPECT_EQ(p.expression(), "1");  // compile leaves the expression alone
}

TEST(ParserVariables, ClearVariablesEmptiesTheTable) {
    Parser p;
    p.setVariable("q", 1);
    p.setExpression("x+q");
    p.x = 2;
    p.clearVariables();
    EXPECT_EQ(p.expression(), "");
    EXPECT_EQ(p.value(), 0);
    EXPECT_FALSE(p.variableExists("q"));
    EXPECT_FALSE(p.variableExists("x"));
    EXPECT_THROW(p.setExpression("x"), SyntaxError);
    // The own cells survive and come back under their names.
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.setVariable("x", 3), &p.x);
    p.setExpression("x");
    EXPECT_EQ(p.value(), 3);
}

TEST(ParserVariables, BaseParserHasNoOwnCells) {
    ParserBase base;
    EXPECT_FALSE(base.variableExists("x"));
    Number* a = base.setVariable("a", 4);
    base.setExpression("a*a");
    EXPECT_EQ(base.value(), 16);
    EXPECT_EQ(*a, 4);
    EXPECT_THROW(base.setExpression("sin(a)"), SyntaxError);  // no standard functions
}

// ---- Expression life cycle
// ------------------------------------------------------------------------

TEST(ParserExpression, ErrorHandlerSwallowsTheError) {
    Parser p;
    std::vector<std::string> seen;
    ParserBase* sender = nullptr;
    p.onParserError = [&](ParserBase& s, const ParserError& e) {
        sender = &s;
        seen.push_back(e.what());
    };
    EXPECT_NO_THROW(p.setExpression("2 * x"));
    EXPECT_NO_THROW(p.setExpression("q+1"));
    EXPECT_EQ(sender, &p);
    EXPECT_EQ(seen, (std::vector<std::string>{"Expression has blanks",
                                              "Error parsing expression:\rQ\r1"}));
    EXPECT_TRUE(p.parseFailed());
    EXPECT_EQ(p.value(), 0);
    p.setExpression("1+1");
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(p.value(), 2);
    // compile() reports to its caller only.
    EXPECT_THROW(p.compile("(("), MismatchedBrackets);
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
}  // namespace kalvor
