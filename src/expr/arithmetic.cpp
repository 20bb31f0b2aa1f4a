#include "expr/arithmetic.h"

#include <cmath>
#include <limits>

#include "expr/parser.h"

namespace kalvor {

namespace {

constexpr Number kTwoTo63 = 0x1p63L;

struct IntegerOperands {
    std::int64_t p;
    std::int64_t q;
};

IntegerOperands integerOperands(Number p, Number q) {
    IntegerOperands r{truncToInt64(p), truncToInt64(q)};
    if (r.q == 0) throw EvaluationError(kIntegerDivideMessage);
    return r;
}

}  // namespace

std::int64_t truncToInt64(Number x) {
    // Written so that NaN fails the test as well.
    if (!(x >= -kTwoTo63 && x < kTwoTo63)) throw EvaluationError(kInvalidOperationMessage);
    return static_cast<std::int64_t>(x);
}

namespace {

// base ^ |n| by binary exponentiation.
Number powerOfMagnitude(Number base, std::int64_t n) {
    std::uint64_t m = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    Number result = 1;
    Number square = base;
    while (m != 0) {
        if (m & 1) result *= square;
        m >>= 1;
        // Squaring only when another bit needs it avoids an overflow the result never sees.
        if (m != 0) square *= square;
    }
    return result;
}

}  // namespace

Number integerPower(Number base, Number exponent) {
    const std::int64_t n = truncToInt64(exponent);
    const Number result = powerOfMagnitude(base, n);
    // The failures the multiplications and the reciprocal raise, as the other operations
    // report them from their results.
    if (std::isfinite(base) && std::isinf(result)) throw EvaluationError(kOverflowMessage);
    if (n >= 0) return result;
    if (std::isfinite(base) && result == 0) throw EvaluationError(kZeroDivideMessage);
    return 1 / result;
}

Number integerPowerRaw(Number base, Number exponent) {
    const auto n = static_cast<std::int64_t>(exponent);
    const Number result = powerOfMagnitude(base, n);
    // An overflowed power stays infinite instead of turning into 0 as its reciprocal.
    return n < 0 && std::isfinite(result) ? 1 / result : result;
}

Number realPower(Number base, Number exponent) {
    return std::pow(base, exponent);
}

Number integerDivide(Number p, Number q) {
    const IntegerOperands v = integerOperands(p, q);
    // The one quotient that does not fit: -2^63 div -1.
    if (v.p == std::numeric_limits<std::int64_t>::min() && v.q == -1) return kTwoTo63;
    return static_cast<Number>(v.p / v.q);
}

Number integerModulo(Number p, Number q) {
    const IntegerOperands v = integerOperands(p, q);
    if (v.q == -1) return 0;  // also avoids the trap of -2^63 mod -1
    return static_cast<Number>(v.p % v.q);
}

}  // namespace kalvor
