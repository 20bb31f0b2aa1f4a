#include "numeric/statistics.h"

#include <cmath>

#include "expr/numtext.h"
#include "expr/parser.h"

namespace kalvor {

namespace {

Number divided(Number numerator, Number denominator) {
    if (denominator == 0) throw EvaluationError("division by zero");
    return numerator / denominator;
}

Number logarithm(Number value) {
    if (!(value > 0)) throw EvaluationError("invalid floating point operation");
    return std::log(value);
}

struct Sums {
    Number n = 0, x = 0, y = 0, xx = 0, yy = 0, xy = 0;
    void add(Number u, Number v) {
        n += 1;
        x += u;
        y += v;
        xx += u * u;
        yy += v * v;
        xy += u * v;
    }
};

std::string equationOf(RegressionModel model, Number a, Number b) {
    const auto text = [](Number v) { return formatGeneral(v); };
    switch (model) {
        case RegressionModel::Linear:
            return "(" + text(a) + ")*x+(" + text(b) + ")";
        case RegressionModel::Exponential:
            return "(" + text(std::exp(b)) + ")*" + text(std::exp(a)) + "^x";
        case RegressionModel::Power:
            return "(" + text(std::exp(b)) + ")*x^(" + text(a) + ")";
        case RegressionModel::Logarithmic:
            return "(" + text(a) + ")*ln(x)+(" + text(b) + ")";
        case RegressionModel::Unknown:
            break;
    }
    return {};
}

}  // namespace

MeanAndDeviation weightedStatistics(std::span<const Number> data, std::span<const Number> weights) {
    Number n = 0, sum = 0, squares = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const Number w = weights.empty() ? 1 : weights[i];
        n += w;
        sum += w * data[i];
        squares += w * data[i] * data[i];
    }
    const Number mean = divided(sum, n);
    return {mean, std::sqrt(divided(squares - n * mean * mean, n))};
}

RegressionModel regressionModel(std::string_view name) {
    if (name.empty() || name == "linreg") return RegressionModel::Linear;
    if (name == "expreg") return RegressionModel::Exponential;
    if (name == "pwrreg") return RegressionModel::Power;
    if (name == "lnreg") return RegressionModel::Logarithmic;
    return RegressionModel::Unknown;
}

RegressionResult regression(std::span<const Number> x, std::span<const Number> y,
                            RegressionModel model) {
    const bool logX = model == RegressionModel::Power || model == RegressionModel::Logarithmic;
    const bool logY = model == RegressionModel::Power || model == RegressionModel::Exponential;
    Sums s;
    for (std::size_t i = 0; i < x.size(); ++i)
        s.add(logX ? logarithm(x[i]) : x[i], logY ? logarithm(y[i]) : y[i]);
    RegressionResult r;
    const Number covariance = s.n * s.xy - s.x * s.y;
    r.a = divided(covariance, s.n * s.xx - s.x * s.x);
    r.b = s.y / s.n - r.a * s.x / s.n;
    r.r = std::sqrt(divided(r.a * covariance, s.n * s.yy - s.y * s.y));
    if (r.a < 0) r.r = -r.r;
    r.equation = equationOf(model, r.a, r.b);
    return r;
}

std::vector<Number> polynomialRegression(std::span<const Number> x, std::span<const Number> y,
                                         int degree) {
    const int d = std::min<long>(degree, static_cast<long>(x.size()) - 1);
    if (d < 0) return {};
    const std::size_t size = static_cast<std::size_t>(d) + 1;
    std::vector<std::vector<Number>> m(size, std::vector<Number>(size + 1, 0));
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < size; ++j) {
            for (std::size_t k = 0; k < size; ++k)
                m[j][k] += std::pow(x[i], static_cast<Number>(j + k));
            m[j][size] += y[i] * std::pow(x[i], static_cast<Number>(j));
        }
    for (std::size_t row = 0; row < size; ++row) {
        const Number pivot = m[row][row];
        for (Number& v : m[row])
            v = divided(v, pivot);
        for (std::size_t other = 0; other < size; ++other) {
            if (other == row) continue;
            const Number factor = m[other][row];
            for (std::size_t k = 0; k <= size; ++k)
                m[other][k] -= factor * m[row][k];
        }
    }
    std::vector<Number> coefficients(size);
    for (std::size_t j = 0; j < size; ++j)
        coefficients[j] = m[j][size];
    return coefficients;
}

}  // namespace kalvor
