#pragma once

#include <cstdint>

#include "expr/number.h"

namespace kalvor {

/// π as every formula sees it: the extended value with mantissa C90FDAA22168C235 and binary
/// exponent 1 (π rounded to 64 bits).
inline constexpr Number kPi = 0xC.90FDAA22168C235p-2L;

/// Messages of EvaluationError, in the wording of the usual floating-point traps.
inline constexpr const char* kInvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* kZeroDivideMessage = "Floating point division by zero";
inline constexpr const char* kOverflowMessage = "Floating point overflow";
inline constexpr const char* kIntegerDivideMessage = "Division by zero";

/// x truncated toward zero to a 64-bit integer; EvaluationError (invalid operation) when x is
/// NaN or outside the 64-bit range.
std::int64_t truncToInt64(Number x);

/// base raised to the integer Trunc(exponent) by binary exponentiation; a negative exponent
/// gives the reciprocal of the positive power.
Number integerPower(Number base, Number exponent);

/// integerPower without the checks, for an exponent known to be within the 64-bit range:
/// every failure shows as an infinity or NaN.
Number integerPowerRaw(Number base, Number exponent);

/// The general real power (NaN with an invalid operation for a negative base and a
/// non-integral exponent).
Number realPower(Number base, Number exponent);

/// Trunc(p) div Trunc(q) and Trunc(p) mod Trunc(q) on 64-bit integers, truncating toward zero.
/// EvaluationError for a zero divisor.
Number integerDivide(Number p, Number q);
Number integerModulo(Number p, Number q);

}  // namespace kalvor
