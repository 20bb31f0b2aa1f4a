#pragma once

namespace kalvor {

/// The message of the error for an argument outside 0 < p < 1.
inline constexpr const char* kInvNormRangeMessage =
    "Inverse Cum Norm argument must be in range 0<p<1";

/// The standard normal quantile: the z with Φ(z) = p, by a rational approximation with a
/// relative error below 1.15e-9, in double precision and without a refinement step. Throws
/// EvaluationError(kInvNormRangeMessage) unless 0 < p < 1 (NaN included).
double invNorm(double p);

}  // namespace kalvor
