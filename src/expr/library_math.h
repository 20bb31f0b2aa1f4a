#pragma once

#include <cstdint>
#include <optional>

#include "expr/number.h"

namespace kalvor {

// The real-valued functions of the function library, free of any parser or host state.

/// x rounded to the nearest integer (ties to even) as a 64-bit integer. Throws
/// EvaluationError (invalid operation) for NaN and for values outside the 64-bit range.
std::int64_t roundToInt64(Number x);

/// erfc(x) by the Chebyshev fit with a fractional error below 1.2e-7.
Number erfcApprox(Number x);
/// t rounded to seven digits: k = Trunc(log10 t) for t > 0, else 0; f = 10^(7 − k);
/// Round(t·f) / f.
Number roundToSevenDigits(Number t);
/// 1 − erfc(x), rounded to seven digits.
Number errorFunction(Number x);
/// The normal distribution function at p for mean 0 and standard deviation q, rounded to
/// seven digits. Throws EvaluationError (division by zero) for q = 0.
Number normalCdf(Number p, Number q);
/// The normal density at p for mean 0 and standard deviation q.
Number normalPdf(Number p, Number q);

/// p rounded to q decimals: Round(p·10^q) / 10^q, or p·10^q / 10^q when p·10^q does not fit
/// a 64-bit integer.
Number roundToDecimals(Number p, Number q);
/// The q-th root of p for whole q; a real root of a negative p for odd q. NaN (quietly, so
/// that evaluation goes on) for a negative p with even q and for a q that is not whole.
/// Throws EvaluationError (invalid operation) when q is NaN or beyond the 64-bit range.
Number nthRoot(Number p, Number q);

/// n! in extended precision (1 for n <= 0); infinity once it overflows.
Number factorial(std::int64_t n);
/// log10(n!) (0 for n < 2).
Number logFactorial(std::int64_t n);

/// The binomial coefficient C(n, k) by the product (n / 1)((n − 1) / 2)…, after replacing k
/// by n − k when k > n / 2; neither argument is truncated. nullopt when n < 0 or k < 0 after
/// that exchange.
std::optional<Number> binomialCoefficient(Number n, Number k);
/// log10 C(n, k) by the same product as a sum of logarithms; nullopt as above.
std::optional<Number> logBinomialCoefficient(Number n, Number k);

}  // namespace kalvor
