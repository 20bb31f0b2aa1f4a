#include "expr/library_math.h"

#include <cmath>
#include <limits>

#include "expr/arithmetic.h"
#include "expr/parser.h"

namespace kalvor {

namespace {

constexpr Number kTwoTo63 = 0x1p63L;
constexpr Number kLn10 = 2.302585092994045684017991454684364208L;

// Beyond this many terms the logarithmic sums switch to lgamma: the results agree to about
// 1e-15 relative, and a formula such as logfac(1E15) would otherwise keep the program busy
// for days.
constexpr Number kLongSumLimit = 1e6L;

bool fitsInt64(Number x) {
    return x >= -kTwoTo63 && x < kTwoTo63;
}

// The exchange k := n − k for k > n / 2 and the validity check of both binomial forms.
bool prepareBinomial(Number n, Number& k) {
    if (k > n / 2) k = n - k;
    return !(n < 0 || k < 0);
}

}  // namespace

std::int64_t roundToInt64(Number x) {
    const Number r = std::nearbyint(x);  // ties to even in the default rounding mode
    if (!fitsInt64(r)) throw EvaluationError(kInvalidOperationMessage);
    return static_cast<std::int64_t>(r);
}

Number erfcApprox(Number x) {
    const Number z = std::fabs(x);
    // exp(−z²) is 0 long before z² could overflow.
    if (z > 1e100L) return x > 0 ? 0 : 2;
    const Number t = 1 / (1 + 0.5L * z);
    const Number poly =
        -1.26551223L +
        t * (1.00002368L +
             t * (0.37409196L +
                  t * (0.09678418L +
                       t * (-0.18628806L +
                            t * (0.27886807L + t * (-1.13520398L +
                                                    t * (1.48851587L + t * (-0.82215223L +
                                                                            t * 0.17087277L))))))));
    const Number r = t * std::exp(-z * z + poly);
    return x >= 0 ? r : 2 - r;
}

Number roundToSevenDigits(Number t) {
    const std::int64_t k = t > 0 ? truncToInt64(std::log10(t)) : 0;
    const Number f = integerPower(10, static_cast<Number>(7 - k));
    return static_cast<Number>(roundToInt64(t * f)) / f;
}

Number errorFunction(Number x) {
    return roundToSevenDigits(1 - erfcApprox(x));
}

Number normalCdf(Number p, Number q) {
    if (q == 0) throw EvaluationError(p == 0 ? kInvalidOperationMessage : kZeroDivideMessage);
    return roundToSevenDigits(1 - 0.5L * erfcApprox((p / q) / std::sqrt(2.0L)));
}

Number normalPdf(Number p, Number q) {
    return std::exp(-(p * p) / (2 * q * q)) / (q * std::sqrt(2 * kPi));
}

Number roundToDecimals(Number p, Number q) {
    const Number f = realPower(10, q);
    const Number scaled = p * f;
    if (!fitsInt64(scaled)) return scaled / f;
    return static_cast<Number>(roundToInt64(scaled)) / f;
}

Number nthRoot(Number p, Number q) {
    constexpr Number kNaN = std::numeric_limits<Number>::quiet_NaN();
    const std::int64_t n = truncToInt64(q);
    if (q != static_cast<Number>(n)) return kNaN;
    if (p > 0) return std::exp(std::log(p) / q);
    if (p == 0) return 0;
    if (p < 0 && n % 2 != 0) return -std::exp(std::log(-p) / q);
    return kNaN;
}

Number factorial(std::int64_t n) {
    Number r = 1;
    // Once the product is infinite it stays so; stopping keeps fac(1E18) from running for ever.
    for (std::int64_t i = 2; i <= n && !std::isinf(r); ++i)
        r *= static_cast<Number>(i);
    return r;
}

Number logFactorial(std::int64_t n) {
    if (n < 2) return 0;
    if (static_cast<Number>(n) > kLongSumLimit)
        return std::lgamma(static_cast<Number>(n) + 1) / kLn10;
    Number r = 0;
    for (std::int64_t i = 2; i <= n; ++i)
        r += std::log10(static_cast<Number>(i));
    return r;
}

std::optional<Number> binomialCoefficient(Number n, Number k) {
    if (!prepareBinomial(n, k)) return std::nullopt;
    Number r = 1;
    // The product grows at least like 2^i, so it leaves the finite range after a few
    // thousand steps however large k is.
    for (Number i = 1; i <= k && std::isfinite(r); i += 1) {
        r = r / i * n;
        n -= 1;
    }
    return r;
}

std::optional<Number> logBinomialCoefficient(Number n, Number k) {
    if (!prepareBinomial(n, k)) return std::nullopt;
    if (k > kLongSumLimit) {
        const Number m = std::floor(k);
        return (std::lgamma(n + 1) - std::lgamma(n - m + 1) - std::lgamma(m + 1)) / kLn10;
    }
    Number r = 0;
    for (Number i = 1; i <= k && std::isfinite(r); i += 1) {
        r = r - std::log10(i) + std::log10(n);
        n -= 1;
    }
    return r;
}

}  // namespace kalvor
