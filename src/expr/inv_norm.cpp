#include "expr/inv_norm.h"

#include <cmath>

#include "expr/parser.h"

namespace kalvor {

namespace {

constexpr double kA[] = {-39.69683028665376, 220.9460984245205,  -275.9285104469687,
                         138.357751867269,   -30.66479806614716, 2.506628277459239};
constexpr double kB[] = {-54.47609879822406, 161.5858368580409, -155.6989798598866,
                         66.80131188771972, -13.28068155288572};
constexpr double kC[] = {-0.007784894002430293, -0.3223964580411365, -2.400758277161838,
                         -2.549732539343734,    4.374664141464968,   2.938163982698783};
constexpr double kD[] = {0.007784695709041462, 0.3224671290700398, 2.445134137142996,
                         3.754408661907416};

constexpr double kLowBreak = 0.02425;
constexpr double kHighBreak = 0.97575;

// The lower-tail expression in q = √(−2 ln p); the upper tail is its negation.
double tail(double q) {
    const double num = ((((kC[0] * q + kC[1]) * q + kC[2]) * q + kC[3]) * q + kC[4]) * q + kC[5];
    const double den = (((kD[0] * q + kD[1]) * q + kD[2]) * q + kD[3]) * q + 1;
    return num / den;
}

double central(double p) {
    const double q = p - 0.5;
    const double r = q * q;
    const double num = ((((kA[0] * r + kA[1]) * r + kA[2]) * r + kA[3]) * r + kA[4]) * r + kA[5];
    const double den = ((((kB[0] * r + kB[1]) * r + kB[2]) * r + kB[3]) * r + kB[4]) * r + 1;
    return num * q / den;
}

}  // namespace

double invNorm(double p) {
    if (!(p > 0 && p < 1)) throw EvaluationError(kInvNormRangeMessage);
    if (p < kLowBreak) return tail(std::sqrt(-2 * std::log(p)));
    if (p <= kHighBreak) return central(p);
    return -tail(std::sqrt(-2 * std::log(1 - p)));
}

}  // namespace kalvor
