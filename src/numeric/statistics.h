#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "expr/number.h"

namespace kalvor {

struct MeanAndDeviation {
    Number mean = 0;
    Number deviation = 0;  // population standard deviation (divided by n)
};

/// The weighted mean and standard deviation of `data`; every weight is 1 when `weights` is
/// empty. Throws EvaluationError when the total weight is 0 (no data).
MeanAndDeviation weightedStatistics(std::span<const Number> data, std::span<const Number> weights);

enum class RegressionModel { Linear, Exponential, Power, Logarithmic, Unknown };

/// "linreg" and the empty text are linear, "expreg", "pwrreg", "lnreg" the other three; any
/// other text is Unknown (untransformed data, no equation).
RegressionModel regressionModel(std::string_view name);

/// The line y = a·x + b fitted to the transformed data, its correlation coefficient r and the
/// equation text of the model in formula syntax.
struct RegressionResult {
    Number a = 0, b = 0, r = 0;
    std::string equation;
};

/// Least squares on the pairs (x[i], y[i]). Throws EvaluationError when a logarithm of the
/// model meets a value <= 0 or the data cannot determine the line or r (a zero divisor).
RegressionResult regression(std::span<const Number> x, std::span<const Number> y,
                            RegressionModel model);

/// The coefficients c0 … cd (of x^0 … x^d) of the least-squares polynomial of degree d,
/// lowered to (number of points − 1) when larger, from the normal equations solved by
/// Gauss–Jordan elimination without pivoting. Empty for d < 0. Throws EvaluationError on a
/// zero pivot.
std::vector<Number> polynomialRegression(std::span<const Number> x, std::span<const Number> y,
                                         int degree);

}  // namespace kalvor
