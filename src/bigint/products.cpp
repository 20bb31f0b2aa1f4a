// Factorials, permutations and combinations: long products that stay interruptible.
#include <cmath>
#include <numbers>
#include <vector>

#include "bigint/bigint.h"

namespace kalvor {

namespace {

constexpr std::int64_t kFactorsPerStep = 64;

// Multiplies partial products of similar size, like a binary counter, so that the total work
// stays close to that of one balanced product tree while every step is short.
class ProductTree {
public:
    void push(BigInt leaf) {
        std::size_t level = 0;
        while (!m_levels.empty() && m_levels.back() == level) {
            mpz_mul(leaf.get(), leaf.get(), m_parts.back().get());
            m_parts.pop_back();
            m_levels.pop_back();
            ++level;
        }
        m_parts.push_back(std::move(leaf));
        m_levels.push_back(level);
    }

    BigInt take() {
        BigInt product(1);
        for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part) {
            mpz_mul(product.get(), product.get(), part->get());
        }
        return product;
    }

private:
    std::vector<BigInt> m_parts;
    std::vector<std::size_t> m_levels;
};

// low * (low + 1) * ... * high, asking `progress` after every kFactorsPerStep factors;
// false when cancelled. Factors stay below 2^31, so each fits an unsigned long.
bool rangeProduct(std::int64_t low, std::int64_t high, const Progress& progress, BigInt& product) {
    ProductTree tree;
    for (std::int64_t start = low; start <= high; start += kFactorsPerStep) {
        const std::int64_t end = std::min(high, start + kFactorsPerStep - 1);
        BigInt leaf(1);
        for (std::int64_t k = start; k <= end; ++k) {
            mpz_mul_ui(leaf.get(), leaf.get(), static_cast<unsigned long>(k));
        }
        tree.push(std::move(leaf));
        if (!keepGoing(progress)) return false;
    }
    product = tree.take();
    return true;
}

// log2 of n! / (n - r)!.
double productBits(std::int64_t n, std::int64_t r) {
    const double lnProduct =
        std::lgamma(static_cast<double>(n) + 1) - std::lgamma(static_cast<double>(n - r) + 1);
    return lnProduct / std::numbers::ln2;
}

// n! = C(n, h) * h! * (n - h)! with h = n div 2, and (n - h)! = h! * (n - h) for odd n: one
// binomial and one square per halving, close to the cost of the fastest known methods.
// `progress` is asked between the halvings.
bool halvingFactorial(unsigned long n, const Progress& progress, BigInt& result) {
    constexpr unsigned long kDirectLimit = 256;
    if (n < kDirectLimit) {
        mpz_fac_ui(result.get(), n);
        return keepGoing(progress);
    }
    const unsigned long half = n / 2;
    if (!halvingFactorial(half, progress, result)) return false;
    BigInt binomial;
    mpz_bin_uiui(binomial.get(), n, half);
    mpz_mul(result.get(), result.get(), result.get());
    if (n % 2 != 0) mpz_mul_ui(result.get(), result.get(), n - half);
    mpz_mul(result.get(), result.get(), binomial.get());
    return keepGoing(progress);
}

// Reads x as the n of factorial and permutations; false outside 0 .. kProductLimit - 1.
bool productOperand(const BigInt& x, std::int64_t& n) {
    return x.sign() >= 0 && x.compare(BigInt::kProductLimit) < 0 && x.toInt64(n);
}

}  // namespace

bool BigInt::factorial(const Progress& progress) {
    std::int64_t n = 0;
    if (!productOperand(*this, n) || productBits(n, n) > static_cast<double>(kMaxBits)) {
        return false;
    }
    BigInt result;
    if (!halvingFactorial(static_cast<unsigned long>(n), progress, result)) return false;
    *this = std::move(result);
    return true;
}

bool BigInt::permutations(std::int64_t r, const Progress& progress) {
    std::int64_t n = 0;
    if (!productOperand(*this, n) || r < 0) return false;
    if (r > n) {
        setZero();
        return true;
    }
    if (productBits(n, r) > static_cast<double>(kMaxBits)) return false;
    return rangeProduct(n - r + 1, n, progress, *this);
}

bool BigInt::combinations(std::int64_t r, const Progress& progress) {
    std::int64_t n = 0;
    if (!productOperand(*this, n) || r < 0) return false;
    if (r > n) {
        setZero();
        return true;
    }
    r = std::min(r, n - r);
    BigInt numerator(*this);
    BigInt denominator(r);
    if (!numerator.permutations(r, progress) || !denominator.factorial(progress)) return false;
    mpz_divexact(get(), numerator.get(), denominator.get());
    return true;
}

}  // namespace kalvor
