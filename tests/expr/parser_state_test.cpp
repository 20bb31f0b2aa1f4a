// Variables, function tables, the expression's life cycle and the error handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/parser.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

using test::messageOf;

TEST(ParserVariables, SetGetAndExistence) {
    Parser p;
    EXPECT_EQ(p.getVariable("nothing"), 0);
    EXPECT_FALSE(p.variableExists("q"));
    Number* q = p.setVariable("q", 1.5);
    EXPECT_TRUE(p.variableExists("Q"));
    EXPECT_EQ(p.getVariable("Q"), 1.5);
    // The same cell, whatever the case of the name; the own cells under their names.
    EXPECT_EQ((std::vector{p.setVariable("Q", 2), p.variableCell("q"), p.variableCell("r")}),
              (std::vector<Number*>{q, q, nullptr}));
    EXPECT_EQ(*q, 2);
    EXPECT_EQ(p.setVariable("x", 4), &p.x);
    p.t = 7;
    EXPECT_EQ(std::pair(p.getVariable("X"), p.getVariable("t")), (std::pair<Number, Number>(4, 7)));
}

TEST(ParserVariables, BadNamesAreUpperCased) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"2x", "2X"}, {"a b", "A B"}, {"", ""}, {"x-y", "X-Y"}, {"é", "é"}};
    for (const auto& row : rows) {
        Parser p;
        EXPECT_EQ(messageOf<BadName>([&] { p.setVariable(row.first, 1); }), row.second)
            << row.first;
        EXPECT_FALSE(p.variableExists(row.first));
    }
    Parser p;
    EXPECT_NO_THROW(p.setVariable("_under_score9", 1));
}

TEST(ParserVariables, BoundByAddressAtCompileTime) {
    Parser p;
    p.setVariable("q", 1);
    p.setExpression("x*2+q");
    p.x = 3;
    EXPECT_EQ(p.value(), 7);
    p.setVariable("q", 10);
    EXPECT_EQ(p.value(), 16);

    // A variable created after compiling is not seen until the next compile.
    EXPECT_THROW(p.setExpression("r+1"), SyntaxError);
    EXPECT_EQ(p.value(), 0);
    p.setVariable("r", 1);
    p.setExpression("r+1");
    EXPECT_EQ(p.value(), 2);
}

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

// ---- Functions --------------------------------------------------------------------------------

Number twice(void*, Number x) {
    return 2 * x;
}
Number scaled(void* context, Number x) {
    return *static_cast<Number*>(context) * x;
}
Number difference(void*, Number p, Number q) {
    return p - q;
}

TEST(ParserFunctions, Registration) {
    Parser p;
    Number factor = 10;
    p.addFunctionOneParam("Twice", twice);
    p.addFunctionOneParam("scaled", scaled, &factor);
    p.addFunctionTwoParam("sin", difference);  // the same name may stand in both tables
    p.setExpression("TWICE(3)+scaled(1)+Sin(5,1)+sin(0)");
    EXPECT_EQ(p.value(), 6 + 10 + 4 + 0);
    factor = 20;
    EXPECT_EQ(p.value(), 6 + 20 + 4);
}

TEST(ParserFunctions, RejectedNames) {
    Parser p;
    EXPECT_EQ(messageOf<BadName>([&] { p.addFunctionOneParam("2fun", twice); }), "2fun");
    EXPECT_EQ(messageOf<BadName>([&] { p.addFunctionTwoParam("my fn", difference); }), "my fn");
    EXPECT_EQ(messageOf<DuplicateName>([&] { p.addFunctionOneParam("Sqrt", twice); }),
              "Duplicate name: SQRT");
    EXPECT_EQ(messageOf<DuplicateName>([&] { p.addFunctionTwoParam("max", difference); }),
              "Duplicate name: MAX");
    // The rejected registration changed nothing.
    p.setExpression("sqrt(16)");
    EXPECT_EQ(p.value(), 4);
}

// ---- Expression life cycle
// ------------------------------------------------------------------------

TEST(ParserExpression, KeepsTheTextAndDropsFailedFormulas) {
    Parser p;
    p.setExpression("  Sqrt(X) ");
    p.x = 9;
    EXPECT_EQ(p.expression(), "  Sqrt(X) ");
    EXPECT_EQ(p.value(), 3);
    EXPECT_FALSE(p.parseFailed());

    EXPECT_THROW(p.setExpression("sqrt(x"), MismatchedBrackets);
    EXPECT_EQ(p.expression(), "sqrt(x");
    EXPECT_TRUE(p.parseFailed());
    EXPECT_EQ(p.value(), 0);  // the previous formula is gone too

    p.setExpression("");
    EXPECT_FALSE(p.parseFailed());
    EXPECT_EQ(p.value(), 0);

    p.setExpression("x");
    p.setExpression(p.expression());  // assigning its own text
    EXPECT_EQ(p.value(), 9);
}

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

// Caches of compiled formulas and variable cells rely on the generation changing whenever a
// name appears or disappears, and only then.
TEST(ParserGeneration, ChangesWhenNamesChange) {
    Parser parser;
    const auto start = parser.generation();
    parser.setVariable("x", 3);
    EXPECT_EQ(parser.generation(), start);  // an existing cell: no new name
    parser.setVariable("q", 1);
    const auto afterNew = parser.generation();
    EXPECT_NE(afterNew, start);
    parser.setVariable("q", 2);
    EXPECT_EQ(parser.generation(), afterNew);
    parser.addFunctionOneParam("twice", [](void*, Number v) { return 2 * v; });
    EXPECT_NE(parser.generation(), afterNew);
    const auto afterFunction = parser.generation();
    parser.clearVariables();
    EXPECT_NE(parser.generation(), afterFunction);
}

}  // namespace
}  // namespace kalvor
