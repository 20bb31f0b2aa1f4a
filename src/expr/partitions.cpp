#include "expr/partitions.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace kalvor {

namespace {

// c(k) for k = 0 … n: every odd d adds itself to its multiples.
std::vector<Number> oddDivisorSums(int n) {
    std::vector<Number> c(static_cast<std::size_t>(n) + 1, 0);
    for (int d = 1; d <= n; d += 2)
        for (int k = d; k <= n; k += d)
            c[k] += d;
    return c;
}

// sopf(k) for k = 0 … n, by a sieve: every prime adds itself to its multiples.
std::vector<Number> primeFactorSums(int n) {
    std::vector<Number> s(static_cast<std::size_t>(n) + 1, 0);
    std::vector<bool> composite(static_cast<std::size_t>(n) + 1, false);
    for (int p = 2; p <= n; ++p) {
        if (composite[p]) continue;
        for (int k = p; k <= n; k += p) {
            s[k] += p;
            if (k > p) composite[k] = true;
        }
    }
    return s;
}

// A non-negative integer rounded to the nearest Number (64-bit mantissa).
Number toNumber(const BigInt& value) {
    mpz_srcptr z = value.get();
    const std::size_t bits = mpz_sizeinbase(z, 2);
    if (bits <= 64) return static_cast<Number>(mpz_get_ui(z));
    const std::size_t shift = bits - 64;
    mpz_t top;
    mpz_init(top);
    mpz_tdiv_q_2exp(top, z, shift);
    const Number mantissa = static_cast<Number>(mpz_get_ui(top)) + mpz_tstbit(z, shift - 1);
    mpz_clear(top);
    return std::ldexp(mantissa, static_cast<int>(shift));
}

// Σ weight(k) × table(m − k) over k = 1 … m, divided by m.
Number weightedMean(const std::vector<Number>& weight, const std::vector<Number>& table, int m) {
    Number sum = 0;
    for (int k = 1; k <= m; ++k)
        sum += weight[k] * table[m - k];
    return sum / m;
}

}  // namespace

Number PartitionTables::partitions(int n) {
    std::vector<BigInt>& p = m_partitions;
    if (p.empty()) {
        for (const int v : {1, 1, 2})
            p.emplace_back(v);
    }
    p.reserve(static_cast<std::size_t>(n) + 1);
    for (int m = static_cast<int>(p.size()); m <= n; ++m) {
        BigInt sum;
        for (int k = 1; k * k <= m; ++k) {
            for (const int index : {m - k * (3 * k - 1) / 2, m - k * (3 * k + 1) / 2}) {
                if (index < 0) continue;
                if (k % 2 != 0)
                    sum.add(p[index]);
                else
                    sum.subtract(p[index]);
            }
        }
        p.push_back(std::move(sum));
    }
    return toNumber(p[n]);
}

Number PartitionTables::distinctParts(int n) {
    std::vector<Number>& q = m_distinct;
    if (q.empty()) q = {1, 1, 1};
    if (static_cast<int>(m_oddDivisorSums.size()) <= n) m_oddDivisorSums = oddDivisorSums(n);
    for (int m = static_cast<int>(q.size()); m <= n; ++m)
        q.push_back(weightedMean(m_oddDivisorSums, q, m));  // c(0) = 0 adds nothing
    return q[n];
}

Number PartitionTables::primeParts(int n) {
    std::vector<Number>& b = m_prime;
    if (b.empty()) b = {1};
    if (static_cast<int>(m_primeFactorSums.size()) <= n) m_primeFactorSums = primeFactorSums(n);
    for (int m = static_cast<int>(b.size()); m <= n; ++m)
        b.push_back(weightedMean(m_primeFactorSums, b, m));
    return b[n];
}

}  // namespace kalvor
