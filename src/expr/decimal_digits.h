#pragma once

#include <string>

#include "expr/number.h"

namespace kalvor::decimal {

/// A finite number as decimal digits, the building block of all number text: |x| is
/// 0.d1d2d3... * 10^(exponent + 1), so d1 stands at the 10^exponent position. Zero has no
/// digits; trailing zeros are never kept.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;

    bool isZero() const { return digits.empty(); }
};

/// The exact decimal value of a finite x (every digit of the binary value).
Decimal exactDecimal(Number x);

/// Keeps `keep` significant digits, rounding halves away from zero; a carry may add a digit in
/// front (9.96 to two digits is 10). A negative `keep` gives zero.
void roundToDigits(Decimal& d, int keep);

/// Rounds to `decimals` places after the point, but to no more than `maxDigits` significant
/// digits.
void roundToDecimals(Decimal& d, int decimals, int maxDigits);

/// The digits before the point, without leading zeros (empty below 1).
std::string integerDigits(const Decimal& d);

/// The digits after the point, without trailing zeros.
std::string fractionDigits(const Decimal& d);

/// `s` extended with zeros on the right to at least `length` characters.
std::string padRight(std::string s, size_t length);

/// Exponent text as written after the "E": "-" for a negative exponent, "+" for the others only
/// when `alwaysSign`, the digits padded with zeros to `minDigits`.
std::string exponentText(int exponent, int minDigits, bool alwaysSign);

/// The fixed format of a finite x (see formatFixed) from its exact decimal expansion, for any
/// precision 1..18 and 0..40 decimals. formatFixed takes a faster route where it can.
std::string fixedText(Number x, int precision, int decimals);

/// "NAN", "INF" or "-INF" into `text` for a value that is not finite; false for the others.
bool nonFiniteText(Number x, std::string& text);

}  // namespace kalvor::decimal
