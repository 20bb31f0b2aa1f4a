// Formula texts and what they compile to: values, groupings, power kinds and every compile error.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <typeinfo>
#include <vector>

#include "expr/arithmetic.h"
#include "expr/parser.h"
#include "formula_rows.h"

namespace kalvor {
namespace {

// x = 3, a = 2, b = 3 in every row.
Number valueOf(const std::string& text) {
    Parser p;
    p.x = 3;
    p.a = 2;
    p.b = 3;
    p.setExpression(text);
    return p.value();
}

// Every path gives the row's value with x = 3, a = 2, b = 3.
void checkRows(const std::vector<test::FormulaRow>& rows) {
    Parser p;
    p.x = 3;
    p.a = 2;
    p.b = 3;
    for (const test::FormulaRow& row : rows)
        checkFormula(p, row);
}

TEST(ParserValues, ExactResults) {
    checkRows({
        {"x", 3},
        {"2", 2},
        {" 2*x ", 6},
        {"((x))", 3},
        {"2*((x))", 6},
        {"sqr(((x)))", 9},
        {"10-4-3", 3},  // left grouping of "-"
        {"8/4/2", 1},   // left grouping of "/"
        {"2-3+4", 3},   // a sum is split before a difference
        {"1+2*3", 7},
        {"2*3+1", 7},
        {"2*3^2", 18},
        {"(2^3)^2", 64},
        {"-2^2", -4},
        {"-3^2", -9},
        {"-(2)", -2},
        {"-a*b", -6},
        {"-x+1", -2},
        {"0-x-1", -4},
        {"a+-3", -1},
        {"x*-2", -6},
        {"2^-1", 0.5},
        {"2^-2", 0.25},
        {"(-2)^-3", -0.125},
        {"(-2)^3", -8},
        {"(-2)^(3)", -8},
        {"2^0", 1},
        {"0^0", 1},
        {"2^5", 32},
        {"2^4", 16},
        {"x^1", 3},
        {"4^0.5", 2},
        {"7DIV2", 3},
        {"-7DIV2", -3},
        {"7MOD-2", 1},
        {"-7MOD2", -1},
        {"7.9DIV2", 3},
        {"12DIV2DIV3", 2},            // (12 DIV 2) DIV 3
        {"9007199254740993MOD2", 1},  // 2^53 + 1 needs the 64-bit mantissa
        {"-9223372036854775808DIV-1", 9223372036854775808.0L},
        {"-9223372036854775808MOD-1", 0},
        {"1E3", 1000},
        {"1E+2+x", 103},
        {"x*1E-1*10", 3},
        {".5*4", 2},
        {"5.*2", 10},
        {"x^2+2*x+1", 16},
        {"(x+1)*(x-1)/(x^2+1)", 0.8L},
        {"max(1,2)", 2},
        {"min(1,2)", 1},
        {"max(min(1,2),-3)", 1},
        {"max((1),(-2))", 1},
        {"logn(2,8)", 3},
        {"intpower(2,10)", 1024},
        {"intpower(2,-1.9)", 0.5},
        {"sin(0)", 0},
        {"sqr(-3)", 9},
        {"sqrt(sqr(3))", 3},
        {"abs(-2.5)", 2.5},
        {"trunc(-2.7)", -2},
        {"int(2.7)", 2},
        {"ceil(2.1)", 3},
        {"ceil(-2.1)", -2},
        {"ceil(2)", 2},
        {"floor(-2.1)", -3},
        {"floor(2.9)", 2},
        {"heav(0)", 1},
        {"heav(-1)", 0},
        {"sign(-3)", -1},
        {"sign(0)", 0},
        {"sign(0.1)", 1},
        {"zero(0)", 0},
        {"zero(5)", 1},
        {"arg(0,1)", kPi / 2},
        {"arg(0,0)", -kPi / 2},
        {"arg(0,-1)", -kPi / 2},
        {"arg(-1,0)", kPi},
        {"pi", kPi},
        {"-pi", -kPi},
        {"2*pi", 2 * kPi},
        {"sqrt(16.3-x*x)", std::sqrt(16.3L - 9)},
        {"power(2,0.5)", std::sqrt(2.0L)},
        // Integer powers multiply by binary exponentiation, not through the real power.
        {"1.1^3", (1.1L * 1.1L) * 1.1L},
        {"1.1^4", (1.1L * 1.1L) * (1.1L * 1.1L)},
        {"1.1^5", 1.1L * ((1.1L * 1.1L) * (1.1L * 1.1L))},
        {"1.1^-5", 1 / (1.1L * ((1.1L * 1.1L) * (1.1L * 1.1L)))},
        {"1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1", 21},
    });
}

// Keeps the compiler from folding a library call at build time with its own, more exact
// arithmetic; the parser calls the run-time library.
Number atRunTime(Number v) {
    volatile Number held = v;
    return held;
}

TEST(ParserValues, TranscendentalFunctions) {
    const Number one = atRunTime(1);
    const Number two = atRunTime(2);
    const Number three = atRunTime(3);
    checkRows({
        {"tan(1)", std::tan(one)},
        {"sin(1)", std::sin(one)},
        {"cos(1)", std::cos(one)},
        {"sinh(1)", (std::exp(one) - std::exp(-one)) * 0.5L},
        {"cosh(1)", (std::exp(one) + std::exp(-one)) * 0.5L},
        {"arctan(1)", std::atan(one)},
        {"cotan(1)", 1 / std::tan(one)},
        {"exp(1)", std::exp(one)},
        {"ln(2)", std::log(two)},
        {"log10(1000)", std::log10(atRunTime(1000))},
        {"log2(8)", std::log2(atRunTime(8))},
        {"x^2.5", std::pow(three, atRunTime(2.5L))},
        {"arg(1,1)", std::atan(one)},
        {"arg(-1,1)", std::atan(-one) + kPi},
        {"ph(x)", 2 * kPi * (3 / (2 / kPi) - 5)},
        {"a*sin(b*x)+cos(x)^2", 2 * std::sin(three * three) + std::cos(three) * std::cos(three)},
        {"exp(-x^2/2)/sqrt(2*pi)", std::exp(-(three * three) / 2) / std::sqrt(2 * kPi)},
    });
}

TEST(ParserValues, PiHasTheExtendedBitPattern) {
    // Mantissa C90FDAA22168C235, exponent field 0x4000 (binary exponent 1), little-endian.
    const unsigned char expected[10] = {0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40};
    const Number pi = valueOf("PI");
    EXPECT_EQ(std::memcmp(&pi, expected, sizeof expected), 0);
    const Number negated = valueOf("-pi");
    EXPECT_EQ(std::memcmp(&negated, expected, 9), 0);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&negated)[9], 0xC0);
}

// ---- Compile errors ----------------------------------------------------------------------------

struct ErrorRow {
    std::string text;
    const std::type_info& type;
    std::string message;
};

std::string syntax(const std::string& term) {
    return "Error parsing expression:\r" + term;
}
std::string syntax(const std::string& left, const std::string& right) {
    return "Error parsing expression:\r" + left + "\r" + right;
}

std::string sumOf(int terms) {
    std::string s = "1";
    for (int i = 1; i < terms; ++i)
        s += "+1";
    return s;
}

TEST(ParserErrors, TypesAndMessages) {
    const ErrorRow rows[] = {
        {"2 * x", typeid(ExpressionHasBlanks), "Expression has blanks"},
        {"(x+1", typeid(MismatchedBrackets), "Missing brackets in expression"},
        {"sin(x))", typeid(MismatchedBrackets), "Missing brackets in expression"},
        {")x+1(", typeid(SyntaxError), syntax(")X", "1(")},
        {"2^3^2", typeid(SyntaxError), syntax("2^3", "2")},
        {"-x-1", typeid(SyntaxError), syntax("-X-1")},
        {"a+-b", typeid(SyntaxError), syntax("A+", "B")},
        {"x*-y", typeid(SyntaxError), syntax("X", "-Y")},
        {"2^-x", typeid(SyntaxError), syntax("2", "-X")},
        {"q+1", typeid(SyntaxError), syntax("Q", "1")},
        {"q", typeid(SyntaxError), syntax("Q")},
        {"2x", typeid(SyntaxError), syntax("2X")},
        {"1e", typeid(SyntaxError), syntax("1E")},
        {"1E5000", typeid(SyntaxError), syntax("1E5000")},
        {"x^", typeid(SyntaxError), syntax("X^")},
        {"+x", typeid(SyntaxError), syntax("+X")},
        {"--3", typeid(SyntaxError), syntax("--3")},
        {"()", typeid(SyntaxError), syntax("()")},
        {"   ", typeid(SyntaxError), syntax("")},
        {"foo(1)", typeid(SyntaxError), syntax("FOO(1)")},
        {"max(1)", typeid(SyntaxError), syntax("MAX(1)")},
        {"max(1,)", typeid(SyntaxError), syntax("MAX(1,)")},
        {"sin(1,2)", typeid(SyntaxError), syntax("SIN(1,2)")},
        {"x\ty", typeid(SyntaxError), syntax("X\tY")},
        {sumOf(22), typeid(TooManyNestings), "Expression contains too many nestings"},
    };
    for (const ErrorRow& row : rows) {
        Parser p;
        try {
            p.setExpression(row.text);
            ADD_FAILURE() << "no error for " << row.text;
        } catch (const ParserError& e) {
            EXPECT_EQ(typeid(e), row.type) << row.text;
            EXPECT_EQ(std::string(e.what()), row.message) << row.text;
        }
        EXPECT_TRUE(p.parseFailed()) << row.text;
        EXPECT_EQ(p.value(), 0) << row.text;
    }
}

// Additions in a full binary tree over `leaves` (a power of two of them).
std::string additionTree(std::vector<std::string> terms) {
    while (terms.size() > 1) {
        std::vector<std::string> next;
        for (std::size_t i = 0; i < terms.size(); i += 2) {
            next.push_back("(" + terms[i] + "+" + terms[i + 1] + ")");
        }
        terms = next;
    }
    return terms.front();
}

// 32 leaves under the five addition levels are 32 products on level 6; each puts one or two
// products on level 7, `count` in all (32 <= count <= 64). With X = 2 the value is 8 * count.
std::string formulaWithLevelSevenOperations(int count) {
    std::vector<std::string> leaves;
    for (int i = 0; i < 32; ++i) {
        leaves.push_back(i < count - 32 ? "((X*X)*(X*X))" : "((X*X)*X)");
    }
    return additionTree(leaves);
}

TEST(ParserErrors, LevelAndWidthLimits) {
    Parser p;
    p.x = 2;
    p.setExpression(sumOf(21));
    EXPECT_EQ(p.value(), 21);
    p.setExpression(formulaWithLevelSevenOperations(50));
    EXPECT_EQ(p.value(), 400);
    EXPECT_EQ(test::messageOf<ExpressionTooComplex>(
                  [&] { p.setExpression(formulaWithLevelSevenOperations(51)); }),
              "Expression is too complex");
}

}  // namespace
}  // namespace kalvor
