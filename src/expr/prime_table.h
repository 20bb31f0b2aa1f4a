#pragma once

#include <cstdint>
#include <vector>

namespace kalvor {

/// Sieve of Eratosthenes over a 6-wheel, used by ispriem and volgendepriem. One byte per block
/// of six numbers 6k … 6k + 5 holds a flag for residue 1 and one for residue 5; block 0 flags
/// 2, 3 and 5 instead (1 is not prime). Beyond its limit it answers by trial division.
class PrimeTable {
public:
    static constexpr std::int64_t kInitialLimit = 5;
    /// nextPrime accepts arguments below this bound (its candidates stay inside int64).
    static constexpr std::int64_t kMaxArgument = std::int64_t{1} << 62;

    PrimeTable() { setLimit(kInitialLimit); }

    /// Rebuilds the sieve for blocks 0 … limit div 6. Limits below 5 count as 5, so that
    /// block 0 always exists.
    void setLimit(std::int64_t limit);
    std::int64_t limit() const { return m_limit; }
    std::int64_t blockCount() const { return static_cast<std::int64_t>(m_blocks.size()); }

    /// Whether n is prime; numbers below 2 (negative ones included) are not.
    bool isPrime(std::int64_t n) const;
    /// The smallest prime greater than n (2 for every n below 2). Throws std::out_of_range
    /// for n >= kMaxArgument.
    std::int64_t nextPrime(std::int64_t n) const;

    /// Trial division by 2, 3 and 5, 7, 11, 13, … (alternately + 2 and + 4) up to √n.
    static bool isPrimeByTrialDivision(std::int64_t n);

private:
    bool flagged(std::int64_t n) const;
    void clearFlags(std::int64_t firstBlock, std::int64_t stride, std::uint8_t flag);

    std::int64_t m_limit = 0;
    std::vector<std::uint8_t> m_blocks;
};

}  // namespace kalvor
