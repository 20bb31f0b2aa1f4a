#include "expr/prime_table.h"

#include <algorithm>
#include <stdexcept>

namespace kalvor {

namespace {

// Flags of one block. Block 0 reuses the residue-5 flag for the number 5.
constexpr std::uint8_t kResidue1 = 0x01;
constexpr std::uint8_t kResidue5 = 0x02;
constexpr std::uint8_t kTwo = 0x04;
constexpr std::uint8_t kThree = 0x08;

// The numbers that can be prime, in increasing order: 2, 3, 5, then 6k + 1 and 6k + 5.
std::int64_t nextCandidate(std::int64_t n) {
    if (n < 2) return 2;
    if (n < 3) return 3;
    if (n < 5) return 5;
    const std::int64_t base = n - n % 6;
    return n % 6 < 1 ? base + 1 : (n % 6 < 5 ? base + 5 : base + 7);
}

}  // namespace

void PrimeTable::setLimit(std::int64_t limit) {
    m_limit = std::max(limit, kInitialLimit);
    m_blocks.assign(static_cast<std::size_t>(m_limit / 6 + 1), kResidue1 | kResidue5);
    m_blocks[0] = kTwo | kThree | kResidue5;
    std::int64_t step = 2;
    for (std::int64_t p = 5; p <= m_limit / p; p += step, step = 6 - step) {
        if (!flagged(p)) continue;
        // p·m with m ≡ p (mod 6) lands on residue 1, with the other residue on residue 5;
        // the multiples below p² were cleared by smaller primes already.
        clearFlags(p * p / 6, p, kResidue1);
        clearFlags((p * p + (p % 6 == 1 ? 4 : 2) * p) / 6, p, kResidue5);
    }
}

void PrimeTable::clearFlags(std::int64_t firstBlock, std::int64_t stride, std::uint8_t flag) {
    for (std::int64_t block = firstBlock; block < blockCount(); block += stride)
        m_blocks[static_cast<std::size_t>(block)] &= static_cast<std::uint8_t>(~flag);
}

bool PrimeTable::flagged(std::int64_t n) const {
    const std::uint8_t block = m_blocks[static_cast<std::size_t>(n / 6)];
    switch (n % 6) {
        case 1:
            return block & kResidue1;
        case 5:
            return block & kResidue5;
        case 2:
            return block & kTwo;
        case 3:
            return block & kThree;
        default:
            return false;
    }
}

bool PrimeTable::isPrime(std::int64_t n) const {
    if (n < 2) return false;
    // The sieve only crosses out multiples of primes up to √limit, so the part of the last
    // block above the limit may hold an unmarked composite (49 with limit 48).
    if (n <= m_limit) return flagged(n);
    return isPrimeByTrialDivision(n);
}

bool PrimeTable::isPrimeByTrialDivision(std::int64_t n) {
    if (n < 2) return false;
    if (n < 4) return true;
    if (n % 2 == 0 || n % 3 == 0) return false;
    std::int64_t step = 2;
    for (std::int64_t d = 5; d <= n / d; d += step, step = 6 - step)
        if (n % d == 0) return false;
    return true;
}

std::int64_t PrimeTable::nextPrime(std::int64_t n) const {
    if (n >= kMaxArgument) throw std::out_of_range("nextPrime argument too large");
    const std::int64_t tableEnd = 6 * blockCount();
    for (std::int64_t c = nextCandidate(n); c < tableEnd; c = nextCandidate(c))
        if (isPrime(c)) return c;
    // Beyond the table every odd number is tried, starting after n or after the table.
    std::int64_t c = std::max(n, tableEnd - 1);
    c += c % 2 != 0 ? 2 : 1;
    while (!isPrime(c))
        c += 2;
    return c;
}

}  // namespace kalvor
