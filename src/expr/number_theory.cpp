#include "expr/number_theory.h"

#include <utility>

#include "expr/arithmetic.h"
#include "expr/parser.h"

namespace kalvor {

namespace {

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// Divides every factor d out of `n`, returning how often it went.
int divideOut(std::int64_t& n, std::int64_t d) {
    int exponent = 0;
    while (n % d == 0) {
        n /= d;
        ++exponent;
    }
    return exponent;
}

}  // namespace

std::vector<PrimePower> trialFactorize(std::int64_t n) {
    std::vector<PrimePower> factors;
    std::int64_t d = 2;
    std::int64_t step = 2;
    while (n >= 2 && d <= n / d) {
        if (const int e = divideOut(n, d)) factors.push_back({d, e});
        if (d < 5) {
            d += d == 2 ? 1 : 2;
        } else {
            d += step;
            step = 6 - step;
        }
    }
    if (n >= 2) factors.push_back({n, 1});
    return factors;
}

std::int64_t eulerPhi(std::int64_t n) {
    std::int64_t r = n;
    for (const PrimePower& f : trialFactorize(n))
        r = r / f.prime * (f.prime - 1);
    return r;
}

Number divisorSum(std::int64_t n) {
    Number r = 1;
    for (const PrimePower& f : trialFactorize(n)) {
        // 1 + p + … + p^e stays below 2^64 for p^e <= n < 2^63, so it is exact.
        std::uint64_t power = 1;
        std::uint64_t sum = 1;
        for (int i = 0; i < f.exponent; ++i) {
            power *= static_cast<std::uint64_t>(f.prime);
            sum += power;
        }
        r *= static_cast<Number>(sum);
    }
    return r;
}

std::int64_t divisorCount(std::int64_t n) {
    std::int64_t r = 1;
    for (const PrimePower& f : trialFactorize(n))
        r *= f.exponent + 1;
    return r;
}

std::uint64_t gcdOfMagnitudes(std::int64_t a, std::int64_t b) {
    std::uint64_t x = magnitude(a);
    std::uint64_t y = magnitude(b);
    while (y != 0)
        x = std::exchange(y, x % y);
    return x;
}

Number lcmOfMagnitudes(std::int64_t a, std::int64_t b) {
    std::uint64_t larger = magnitude(a);
    std::uint64_t smaller = magnitude(b);
    if (larger < smaller) std::swap(larger, smaller);
    if (larger == 0) throw EvaluationError(kIntegerDivideMessage);
    return static_cast<Number>(larger / gcdOfMagnitudes(a, b)) * static_cast<Number>(smaller);
}

}  // namespace kalvor
