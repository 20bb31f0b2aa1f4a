#include "numeric/integration.h"

#include <array>
#include <cmath>

namespace kalvor {

namespace {

constexpr long kTrapeziumLimit = 100000;
constexpr long kSimpsonLimit = 100000;
constexpr long kGaussLimit = 140000;
constexpr long kKronrodLimit = 50000;
constexpr int kRombergRows = 15;
constexpr int kRombergFirstTest = 5;
constexpr Number kDerivativeStep = 1e-5L;

bool agree(Number value, Number previous, Number tolerance) {
    return std::fabs(value - previous) <= std::fabs(tolerance * value);
}

Number derivative(const RealFunction& f, Number x) {
    return (f(x + kDerivativeStep) - f(x - kDerivativeStep)) / (2 * kDerivativeStep);
}

// f at the midpoints of the n intervals of width h from a.
Number midpointSum(const RealFunction& f, Number a, Number h, long n) {
    Number sum = 0;
    for (long i = 0; i < n; ++i)
        sum += f(a + (i + 0.5L) * h);
    return sum;
}

// Trapezium sums with the interval count doubling; `interior` holds the interior sum.
struct Trapezoids {
    const RealFunction& f;
    Number a, b, ends;
    long intervals = 1;
    Number interior = 0;

    Trapezoids(const RealFunction& fn, Number from, Number to)
        : f(fn), a(from), b(to), ends(fn(from) + fn(to)) {}
    Number width() const { return (b - a) / intervals; }
    Number value() const { return width() * (ends + 2 * interior) / 2; }
    void refine() {
        interior += midpointSum(f, a, width(), intervals);
        intervals *= 2;
    }
};

Number trapezium(const RealFunction& f, Number a, Number b, Number tol) {
    Trapezoids t(f, a, b);
    const Number slopes = derivative(f, b) - derivative(f, a);
    const auto corrected = [&] { return t.value() - t.width() * t.width() * slopes / 12; };
    Number value = corrected();
    while (t.intervals <= kTrapeziumLimit) {
        const Number previous = value;
        t.refine();
        value = corrected();
        if (agree(value, previous, tol)) break;
    }
    return value;
}

// Even holds the interior points shared with the coarser grid, odd the newest midpoints.
Number simpson(const RealFunction& f, Number a, Number b, Number tol) {
    const Number ends = f(a) + f(b);
    const Number slopes = derivative(f, a) - derivative(f, b);
    long intervals = 2;
    Number h = (b - a) / 2;
    Number even = 0, odd = f(a + h);
    Number value = h * (ends + 4 * odd) / 3;
    while (intervals <= kSimpsonLimit) {
        const Number previous = value;
        even += odd;
        odd = midpointSum(f, a, h, intervals);
        intervals *= 2;
        h = (b - a) / intervals;
        value = h * (7 * ends + 14 * even + 16 * odd + h * slopes) / 15;
        if (value != previous && agree(value, previous, tol)) break;
    }
    return value;
}

Number romberg(const RealFunction& f, Number a, Number b, Number tol) {
    Trapezoids t(f, a, b);
    std::array<Number, kRombergRows> previousRow{}, row{};
    row[0] = t.value();
    for (int k = 2; k <= kRombergRows; ++k) {
        previousRow = row;
        t.refine();
        row[0] = t.value();
        Number power = 1;
        for (int j = 1; j < k; ++j) {
            power *= 4;
            row[j] = (power * row[j - 1] - previousRow[j - 1]) / (power - 1);
        }
        if (k >= kRombergFirstTest && row[0] != 0 &&
            (agree(row[0], previousRow[0], tol) || agree(row[k - 1], previousRow[k - 2], tol)))
            return row[k - 1];
        if (k == kRombergRows) return row[k - 1];
    }
    return row[0];
}

// A composite rule with symmetric nodes: nodes[i] in [0, 1) of the half-width, weights[i]
// for ±nodes[i] (the node 0 once).
template <std::size_t N>
Number compositeRule(const RealFunction& f, Number a, Number b, long panels,
                     const std::array<Number, N>& nodes, const std::array<Number, N>& weights) {
    const Number w = (b - a) / panels / 2;
    Number sum = 0;
    for (long p = 0; p < panels; ++p) {
        const Number c = a + (2 * p + 1) * w;
        for (std::size_t i = 0; i < N; ++i)
            sum += nodes[i] == 0 ? weights[i] * f(c)
                                 : weights[i] * (f(c - w * nodes[i]) + f(c + w * nodes[i]));
    }
    return w * sum;
}

template <std::size_t N>
Number refinedRule(const RealFunction& f, Number a, Number b, Number tol, long factor, long limit,
                   const std::array<Number, N>& nodes, const std::array<Number, N>& weights) {
    long panels = 1;
    Number value = compositeRule(f, a, b, panels, nodes, weights);
    while (panels <= limit) {
        const Number previous = value;
        panels *= factor;
        value = compositeRule(f, a, b, panels, nodes, weights);
        if (agree(value, previous, tol)) break;
    }
    return value;
}

const Number kSqrt06 = std::sqrt(0.6L);

Number gauss(const RealFunction& f, Number a, Number b, Number tol) {
    const std::array<Number, 2> nodes{0, kSqrt06};
    const std::array<Number, 2> weights{8.0L / 9, 5.0L / 9};
    return refinedRule(f, a, b, tol, 4, kGaussLimit, nodes, weights);
}

Number kronrod(const RealFunction& f, Number a, Number b, Number tol) {
    const std::array<Number, 4> nodes{0, 0.4342437493468026L, kSqrt06, 0.9604912687080202L};
    const std::array<Number, 4> weights{0.4509165386584744L, 0.4013974147759622L,
                                        0.2684880898683334L, 0.1046562260264672L};
    return refinedRule(f, a, b, tol, 2, kKronrodLimit, nodes, weights);
}

}  // namespace

std::optional<IntegrationMethod> integrationMethod(std::string_view name) {
    static constexpr std::pair<std::string_view, IntegrationMethod> kNames[] = {
        {"trapezium", IntegrationMethod::Trapezium},
        {"simpson", IntegrationMethod::Simpson},
        {"romberg", IntegrationMethod::Romberg},
        {"gauss", IntegrationMethod::Gauss},
        {"kronrod", IntegrationMethod::Kronrod}};
    for (const auto& [text, method] : kNames)
        if (text == name) return method;
    return std::nullopt;
}

Number integrate(const RealFunction& f, Number a, Number b, Number tolerance,
                 IntegrationMethod method) {
    switch (method) {
        case IntegrationMethod::Trapezium:
            return trapezium(f, a, b, tolerance);
        case IntegrationMethod::Simpson:
            return simpson(f, a, b, tolerance);
        case IntegrationMethod::Romberg:
            return romberg(f, a, b, tolerance);
        case IntegrationMethod::Gauss:
            return gauss(f, a, b, tolerance);
        case IntegrationMethod::Kronrod:
            return kronrod(f, a, b, tolerance);
    }
    return 0;
}

Number centralSlope(const RealFunction& f, Number x, Number dx) {
    return (f(x + dx) - f(x - dx)) / dx / 2;
}

Number iterate(const RealFunction& f, Number start, Number count, const Progress& progress) {
    Number x = start;
    const Number n = std::floor(count);
    for (Number k = 0; k < n && keepGoing(progress); ++k)
        x = f(x);
    return x;
}

}  // namespace kalvor
