#pragma once

#include <cstdint>
#include <vector>

#include "bigint/bigint.h"
#include "expr/number.h"

namespace kalvor {

/// The three partition counts of the function library, computed by their recurrences in
/// extended precision. Each is a pure function of n, so the tables are kept and only
/// extended when a larger n is asked for.
class PartitionTables {
public:
    /// p(n), the number of partitions of n (Euler's pentagonal recurrence); n >= 0. The
    /// recurrence runs on exact integers: its alternating sum loses every digit in floating
    /// point (p(1000) is already wrong in the fifth digit), and rounded only at the end.
    Number partitions(int n);
    /// q(n), partitions into distinct parts, from the odd-divisor sums; n >= 0.
    Number distinctParts(int n);
    /// b(n), partitions into prime parts, from the sums of distinct prime factors; n >= 0.
    Number primeParts(int n);

private:
    std::vector<BigInt> m_partitions;
    std::vector<Number> m_distinct;
    std::vector<Number> m_prime;
    std::vector<Number> m_oddDivisorSums;   // c(k), the sum of the odd divisors of k
    std::vector<Number> m_primeFactorSums;  // sopf(k), the sum of the distinct primes of k
};

}  // namespace kalvor
