#pragma once

#include "numeric/real_function.h"

namespace kalvor {

/// Iteration cap of Newton's method and of each bracketing search.
inline constexpr int kRootIterations = 10000;

/// A zero of f in [xmin, xmax] (either order) from `start`: Newton's method with central
/// differences, safeguarded by regula falsi on a bracket with a sign change. Never fails for
/// lack of a zero: when nothing better than the start value is found, the start value is the
/// answer. Exceptions of f are passed on.
Number findZero(const RealFunction& f, Number xmin, Number xmax, Number start, Number tolerance);

}  // namespace kalvor
