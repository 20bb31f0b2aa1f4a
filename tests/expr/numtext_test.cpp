#include "expr/numtext.h"

#include "expr/decimal_digits.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace kalvor {
namespace {

const Number kInf = std::numeric_limits<Number>::infinity();
const Number kNan = std::numeric_limits<Number>::quiet_NaN();

TEST(FormatGeneral, Table) {
    const std::tuple<Number, int, int, const char*> cases[] = {
        {0, 15, 0, "0"},
        {-0.0L, 15, 0, "0"},
        {1e20L, 15, 0, "1E20"},
        {1.5e-7L, 15, 0, "1.5E-7"},
        {0.1L + 0.2L, 15, 0, "0.3"},
        {1.0L / 3, 15, 0, "0.333333333333333"},
        {2.0L / 3, 15, 0, "0.666666666666667"},
        {123456789012345678.0L, 15, 0, "1.23456789012346E17"},
        {2.5L, 15, 0, "2.5"},
        {-0.1234L, 15, 0, "-0.1234"},
        {1e15L, 15, 0, "1E15"},
        {999999999999999.0L, 15, 0, "999999999999999"},
        // Rounding carries into a new digit and so into scientific notation.
        {999999999999999.5L, 15, 0, "1E15"},
        {100, 15, 0, "100"},
        {-1234.5L, 15, 0, "-1234.5"},
        // The fixed range ends at 1E-4.
        {0.0001L, 15, 0, "0.0001"},
        {0.00001L, 15, 0, "1E-5"},
        {0.000123456L, 15, 0, "0.000123456"},
        {-0.00001234L, 15, 0, "-1.234E-5"},
        // Exponent padding, clamped to four digits.
        {1e20L, 3, 3, "1E020"},
        {1e-7L, 3, 3, "1E-007"},
        {12345, 3, 4, "1.23E0004"},
        {1e20L, 15, 9, "1E0020"},
        {0.5L, 3, 3, "0.5"},
        // Halves are rounded away from zero, on the exact decimal value.
        {2.5L, 1, 0, "3"},
        {-2.5L, 1, 0, "-3"},
        {0.125L, 2, 0, "0.13"},
        {9.5L, 1, 0, "1E1"},
        // Eighteen digits: long double 0.1 is 0.1000000000000000000013...
        {0.1L, 18, 0, "0.1"},
        {1.0L / 3, 18, 0, "0.333333333333333333"},
        {123456789012345678.0L, 18, 0, "123456789012345678"},
        // Precision outside 1..18 is clamped.
        {1.0L / 3, 0, 0, "0.3"},
        {1.0L / 3, 40, 0, "0.333333333333333333"},
        // The extremes of the type.
        {LDBL_MAX, 15, 0, "1.18973149535723E4932"},
        {-LDBL_MAX, 15, 0, "-1.18973149535723E4932"},
        {LDBL_TRUE_MIN, 15, 0, "3.64519953188247E-4951"},
        {kInf, 15, 0, "INF"},
        {-kInf, 15, 0, "-INF"},
        {kNan, 15, 0, "NAN"},
    };
    for (const auto& [x, precision, exponentDigits, expected] : cases) {
        EXPECT_EQ(formatGeneral(x, precision, exponentDigits), expected)
            << "x=" << static_cast<double>(x) << " p=" << precision;
    }
}

TEST(FormatFixed, Table) {
    const std::tuple<Number, int, int, const char*> cases[] = {
        {2.5L, 6, 3, "2.500"},
        {-0.1234L, 6, 3, "-0.123"},
        {1234.5678L, 6, 3, "1234.570"},
        {12.5L, 6, 4, "12.5000"},
        {5, 6, 3, "5.000"},
        {0, 6, 3, "0.000"},
        // Nothing that rounds to zero gets a minus sign.
        {-0.0L, 6, 3, "0.000"},
        {-0.0004L, 6, 3, "0.000"},
        {1e-10L, 6, 4, "0.0000"},
        // One rounding, halves away from zero: 0.0625 is exact in binary.
        {0.0625L, 6, 3, "0.063"},
        {-0.0625L, 6, 3, "-0.063"},
        {-0.00051L, 6, 3, "-0.001"},
        // 0.0005L lies just below the half: 4.99999999999999999979E-4.
        {0.0005L, 6, 3, "0.000"},
        {0.5L, 6, 0, "1"},
        {2.5L, 6, 0, "3"},
        {999999.4L, 6, 3, "999999.000"},
        // Six significant digits leave no room for decimals here.
        {123456.789L, 6, 3, "123457.000"},
        // More integer digits than the precision: scientific with `decimals` decimals.
        {999999.5L, 6, 3, "1.000E6"},
        {1234567, 6, 3, "1.235E6"},
        {-1234567, 6, 4, "-1.2346E6"},
        {1e20L, 6, 3, "1.000E20"},
        {1234567, 6, 0, "1E6"},
        // Precision 4 with five decimals (the picture unit length).
        {50.0L / 3, 4, 5, "16.67000"},
        {5, 4, 5, "5.00000"},
        {kInf, 6, 3, "INF"},
        {-kInf, 6, 3, "-INF"},
        {kNan, 6, 4, "NAN"},
    };
    for (const auto& [x, precision, decimals, expected] : cases) {
        EXPECT_EQ(formatFixed(x, precision, decimals), expected)
            << "x=" << static_cast<double>(x) << " p=" << precision << " d=" << decimals;
    }
}

// The fast fixed route must give the digits of the exact decimal expansion for every value:
// random magnitudes, exact binary halves (the ties), neighbours of powers of ten and of the
// route's bounds, tiny and negative values, for every precision and decimals in use.
TEST(FormatFixed, FastRouteAgreesWithTheExactExpansion) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> magnitude(-12, 8);
    std::vector<Number> values;
    for (int i = 0; i < 200000; ++i)
        values.push_back(static_cast<Number>(unit(random)) * std::pow(10.0L, magnitude(random)));
    for (int k = 1; k <= 14; ++k) {
        for (int j = -3000; j <= 3000; j += 7)
            values.push_back(std::ldexp(static_cast<Number>(j), -k));
    }
    for (int e = -8; e <= 8; ++e) {
        const Number power = std::pow(10.0L, e);
        for (Number near : {power, std::nextafter(power, 0.0L), std::nextafter(power, 1e30L),
                            power * 0.99999949L, power * 0.9999995L, power * 0.99999951L})
            values.insert(values.end(), {near, -near});
    }
    values.insert(values.end(), {LDBL_TRUE_MIN, -LDBL_MIN, 0.0L, -0.0L, 999999.4999999L});
    const std::pair<int, int> formats[] = {{6, 3}, {6, 4}, {4, 5}, {6, 0}, {15, 2}, {18, 18}};
    for (const auto& [precision, decimals] : formats) {
        for (Number x : values) {
            ASSERT_EQ(formatFixed(x, precision, decimals),
                      decimal::fixedText(x, precision, decimals))
                << "x=" << static_cast<double>(x) << " p=" << precision << " d=" << decimals;
        }
    }
}

// Appending keeps what the text held, on the fast route and on the exact one.
TEST(FormatFixed, AppendsToTheText) {
    const std::tuple<Number, int, int, const char*> rows[] = {
        {0, 6, 3, "(0.000"},   {-0.0625L, 6, 3, "(-0.063"}, {1234567, 6, 3, "(1.235E6"},
        {5, 4, 5, "(5.00000"}, {kNan, 6, 4, "(NAN"},
    };
    for (const auto& [x, precision, decimals, expected] : rows) {
        std::string text = "(";
        appendFixed(text, x, precision, decimals);
        EXPECT_EQ(text, expected) << static_cast<double>(x);
    }
}

TEST(FormatFloat, Table) {
    const std::tuple<const char*, Number, const char*> cases[] = {
        // Tick formats.
        {"#.#E-", 1000, "1E3"},
        {"#.#E-", 2500, "2.5E3"},
        {"#.#E-", 5000, "5E3"},
        {"#.#E-", 0.5L, "5E-1"},
        {"#.#E-", -2500, "-2.5E3"},
        {"#.#E-", 0, "0E0"},
        {"0E-", 0.002L, "2E-3"},
        {"0E-", 0.004L, "4E-3"},
        {"0E-", 25, "3E1"},
        // Exponent sign and padding.
        {"0E+00", 12345, "1E+04"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.00E+00", 0.00012345L, "1.23E-04"},
        {"0.00e-0", 12345, "1.23e4"},
        {"00.0E+0", 12345, "12.3E+3"},
        // Fixed decimals, with "0" and "#" after the point.
        {"0.00", 3.14159L, "3.14"},
        {"0.00", -0.5L, "-0.50"},
        {"0.00", 0.125L, "0.13"},
        {"0.00", -0.001L, "0.00"},
        {"0.##", 3, "3"},
        {"0.##", 3.1L, "3.1"},
        {"0.0#", 3, "3.0"},
        {"0.0#", 3.14159L, "3.14"},
        {"#.##", 0.5L, ".5"},
        {"#", 0, ""},
        {"000", 7, "007"},
        {"000", 12345, "12345"},
        {".00", 12.5L, "12.50"},
        {"0", 1e20L, "100000000000000000000"},
        // Thousands.
        {"#,##0.0", 1234567.89L, "1,234,567.9"},
        {"#,##0.0", 5, "5.0"},
        {"#,##0.0", 0.25L, "0.3"},
        {"#,##0.0", 1000, "1,000.0"},
        {"#,##0.0", 100, "100.0"},
        {"#,##0.0", -1234.5L, "-1,234.5"},
        {"#,##0", 999999.5L, "1,000,000"},
        // Literals: bare, quoted, and a lone E.
        {"0p", 3, "3p"},
        {"0p", 3.14159L, "3p"},
        {"0p", -1, "-1p"},
        {"'x='0.0", 2, "x=2.0"},
        {"\"E+\"0", 5, "E+5"},
        {"0E", 5, "5E"},
        {"0' ; '0", 5, "0 ; 5"},
        {"0' ;x", 5, "5 ;x"},
        // Sections: positive; negative; zero.
        {"0.0;(0.0);zero", 1.25L, "1.3"},
        {"0.0;(0.0);zero", -1.25L, "(1.3)"},
        {"0.0;(0.0);zero", 0, "zero"},
        {"0.0;(0.0);zero", -0.01L, "zero"},
        {"0.0;(0.0);zero", 0.04L, "zero"},
        {"0.0;(0.0)", -0.01L, "0.0"},
        {"0.0;;zero", -2, "-2.0"},
        {"0.0;neg", -2, "neg"},
        // Empty pattern and non-finite values: general format.
        {"", 0.1L, "0.1"},
        {"", 1e20L, "1E20"},
        {"", 1.0L / 3, "0.333333333333333"},
        {";0", 2.5L, "2.5"},
        {"0.00", kInf, "INF"},
        {"0.00", -kInf, "-INF"},
        {"0.00", kNan, "NAN"},
    };
    for (const auto& [pattern, x, expected] : cases) {
        EXPECT_EQ(formatFloat(pattern, x), expected)
            << "pattern \"" << pattern << "\" x=" << static_cast<double>(x);
    }
}

TEST(ParseNumber, Table) {
    const std::tuple<const char*, bool, Number> cases[] = {
        {"1", true, 1},
        {"-2.5", true, -2.5L},
        {"+3", true, 3},
        {".5", true, 0.5L},
        {"5.", true, 5},
        {"-.5", true, -0.5L},
        {"1e3", true, 1000},
        {"1E-3", true, 0.001L},
        {"2.5e+2", true, 250},
        {"007", true, 7},
        // Correctly rounded to long double, not to double.
        {"0.1", true, 0.1L},
        {"3.14159265358979323846", true, 3.14159265358979323846L},
        // Underflow gives zero; overflow is not a number.
        {"1e-5000", true, 0},
        {"1e5000", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {".", false, 0},
        {"+.", false, 0},
        {"e5", false, 0},
        {"1e", false, 0},
        {"1e+", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"1,5", false, 0},
        {"0x10", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"1..2", false, 0},
        {"1.2.3", false, 0},
        {"--1", false, 0},
        {"1e3.5", false, 0},
        {"2*3", false, 0},
    };
    for (const auto& [text, ok, expected] : cases) {
        Number value = -999;
        EXPECT_EQ(parseNumber(text, value), ok) << '"' << text << '"';
        if (ok) {
            EXPECT_EQ(value, expected) << '"' << text << '"';
        } else {
            EXPECT_EQ(value, -999) << "a rejected text must not change the value: " << text;
        }
    }
}

// Reading a number and writing it back in the shortest form gives the same text.
TEST(ParseNumber, RoundTripsThroughGeneralFormat) {
    const char* texts[] = {"0.1",   "123.456", "1E-5",    "1.5E-7",           "-0.0001",
                           "1E300", "2.5",     "-1E-300", "3.14159265358979", "1E4000"};
    for (const char* text : texts) {
        Number value = 0;
        ASSERT_TRUE(parseNumber(text, value)) << text;
        EXPECT_EQ(formatGeneral(value, 15), text);
    }
}

// A desktop session may run with a decimal comma in its C locale; number text must not follow.
TEST(NumberText, IgnoresTheLocaleDecimalComma) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "nl_NL.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale nl_NL.UTF-8 is not installed";
    }
    Number value = 0;
    const bool parsed = parseNumber("2.5", value);
    const std::string general = formatGeneral(2.5L);
    const std::string fixed = formatFixed(-1.25L, 6, 3);
    const std::string pattern = formatFloat("#,##0.00", 1234.5L);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_TRUE(parsed);
    EXPECT_EQ(value, 2.5L);
    EXPECT_EQ(general, "2.5");
    EXPECT_EQ(fixed, "-1.250");
    EXPECT_EQ(pattern, "1,234.50");
}

}  // namespace
}  // namespace kalvor
