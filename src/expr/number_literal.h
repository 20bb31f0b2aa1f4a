#pragma once

#include <string_view>

#include "expr/number.h"

namespace kalvor {

/// Strict reading of a number literal inside formulas: optional sign, digits, optional "."
/// and digits, optional exponent "E"/"e" with optional sign and digits; "." is always the
/// decimal separator, whatever the process locale. At least one mantissa digit is needed, so
/// ".5" and "5." are literals (0.5 and 5) but "." is not. A value beyond the extended range is
/// not a literal; one below it reads as 0 or a denormal. Returns false for anything else.
bool readNumberLiteral(std::string_view text, Number& value);

}  // namespace kalvor
