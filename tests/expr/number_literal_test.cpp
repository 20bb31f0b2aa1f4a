// The strict literal reader of formulas.
#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

#include "expr/number_literal.h"

namespace kalvor {
namespace {

std::optional<Number> read(const std::string& text) {
    Number v = -12345;
    if (!readNumberLiteral(text, v)) return std::nullopt;
    return v;
}

TEST(NumberLiteral, AcceptedForms) {
    const std::pair<const char*, Number> rows[] = {
        {"0", 0},
        {"7", 7},
        {"+7", 7},
        {"-7", -7},
        {"16.3", 16.3L},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {"1E3", 1000},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5E-3", 0.0025L},
        {"007", 7},
        {"1E-5000", 0},
        {"1.1E4000", 1.1E4000L},
        {"9007199254740993", 9007199254740993.0L},  // needs the 64-bit mantissa
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(read(text), std::optional<Number>(expected)) << text;
    }
}

TEST(NumberLiteral, RejectedForms) {
    const char* rows[] = {"",      ".",   "-",      "+",    "E5", "1E",   "1E+",
                          "1.2.3", "--1", "1-",     "1 ",   " 1", "0x10", "1,5",
                          "INF",   "NAN", "1E5000", "1.5F", "PI", "1e5e5"};
    for (const char* text : rows) {
        EXPECT_EQ(read(text), std::nullopt) << text;
    }
    EXPECT_EQ(read(std::string("1\0", 2)), std::nullopt);
}

TEST(NumberLiteral, IgnoresTheProcessLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool commaLocale = false;
    for (const char* name : {"nl_NL.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if ((commaLocale = std::setlocale(LC_NUMERIC, name) != nullptr)) break;
    }
    if (!commaLocale) GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(read("16.5"), std::optional<Number>(16.5));
    EXPECT_EQ(read("16,5"), std::nullopt);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
}  // namespace kalvor
