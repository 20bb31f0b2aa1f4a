#pragma once

#include <cstdint>
#include <vector>

#include "expr/number.h"

namespace kalvor {

/// One factor p^e of a factorisation.
struct PrimePower {
    std::int64_t prime;
    int exponent;
};

/// The prime factorisation of n by trial division with 2, 3, 5, 7, 11, 13, … (after 5
/// alternately + 2 and + 4), primes in increasing order; empty for n < 2.
std::vector<PrimePower> trialFactorize(std::int64_t n);

/// Euler's totient: n times (1 − 1/p) over the prime factors p, in integers; n itself for
/// n < 2.
std::int64_t eulerPhi(std::int64_t n);
/// σ(n), the sum of the divisors; 1 for n <= 1.
Number divisorSum(std::int64_t n);
/// τ(n), the number of divisors; 1 for n <= 1.
std::int64_t divisorCount(std::int64_t n);

/// gcd(|a|, |b|) by Euclid's algorithm; the other magnitude when one is 0. Exact also for
/// the magnitude 2^63.
std::uint64_t gcdOfMagnitudes(std::int64_t a, std::int64_t b);
/// lcm(|a|, |b|) as (larger div gcd) × smaller, multiplied as a Number so that a result
/// beyond 64 bits is rounded instead of wrapping. Throws EvaluationError (integer division by
/// zero) when both are 0.
Number lcmOfMagnitudes(std::int64_t a, std::int64_t b);

}  // namespace kalvor
