#pragma once

#include <string>
#include <string_view>

#include "expr/number.h"

namespace kalvor {

/// Every conversion of a number to text goes through these functions, so that the whole
/// program writes numbers the same way ("." as decimal separator, no thousands separators).

/// General format: rounded to `precision` significant digits; fixed notation when the decimal
/// exponent e of the rounded value satisfies -4 <= e < precision, scientific otherwise;
/// trailing zeros and a trailing "." removed. Scientific is mantissa, "E", "-" only for a
/// negative exponent, the exponent padded with zeros to at least `minExponentDigits` digits
/// (0..4). Zero is "0"; infinities and NaN are "INF", "-INF" and "NAN".
/// precision 15 is the shortest user-facing form; 18 is used by uitvoer and schrijf.
std::string formatGeneral(Number x, int precision = 15, int minExponentDigits = 0);

/// Fixed format: rounded to `precision` significant digits, then written with exactly
/// `decimals` decimals; scientific (as formatGeneral, with `decimals` mantissa decimals) when
/// the integer part needs more than `precision` digits.
std::string formatFixed(Number x, int precision, int decimals);
/// formatFixed(x, precision, decimals) added to the end of `out`.
void appendFixed(std::string& out, Number x, int precision, int decimals);

/// Pattern format for tick numbers and user formats: "0" and "#" digit placeholders, ".",
/// ",", exponents "E+", "E-", "e+", "e-", quoted literals, ";" sections for positive,
/// negative and zero values; any other character is copied. An empty pattern is
/// formatGeneral(x, 15).
std::string formatFloat(std::string_view pattern, Number x);

/// Strict reading of a number literal: optional sign, digits, optional "." and digits,
/// optional exponent "E"/"e" with optional sign and digits; no blanks. Returns false when
/// `text` is not such a literal.
bool parseNumber(std::string_view text, Number& value);

}  // namespace kalvor
