// The program's probable-prime test.
#include <algorithm>
#include <random>

#include "bigint/bigint.h"

namespace kalvor {

namespace {

constexpr std::uint32_t kMinBase = 2;
constexpr std::uint32_t kMaxBase = 999998;
constexpr unsigned long kTrialLimit = 1000000;  // trial division alone below this
constexpr unsigned long kSmallDivisorLimit = 200;
constexpr int kRounds = 10;

// 11, 13, 17, 19, 23, 25, ...: the numbers prime to 2 and 3 from 11 on (steps +2, +4).
class TrialDivisors {
public:
    unsigned long value() const { return m_value; }
    void next() {
        m_value += m_step;
        m_step = 6 - m_step;
    }

private:
    unsigned long m_value = 11;
    unsigned long m_step = 2;
};

bool hasSmallDivisor(unsigned long v) {
    for (TrialDivisors d; d.value() * d.value() <= v; d.next()) {
        if (v % d.value() == 0) return true;
    }
    return false;
}

bool hasDivisorBelow200(mpz_srcptr x) {
    for (TrialDivisors d; d.value() < kSmallDivisorLimit; d.next()) {
        if (mpz_divisible_ui_p(x, d.value())) return true;
    }
    return false;
}

// One Miller-Rabin round for odd x with x - 1 = d * 2^s; true when `base` proves x composite.
bool isWitness(mpz_srcptr x, mpz_srcptr xMinusOne, mpz_srcptr d, mp_bitcnt_t s,
               std::uint32_t base) {
    BigInt y(base);
    mpz_powm(y.get(), y.get(), d, x);
    BigInt next;
    for (mp_bitcnt_t i = 0; i < s; ++i) {
        mpz_powm_ui(next.get(), y.get(), 2, x);
        if (mpz_cmp_ui(next.get(), 1) == 0) {
            // 1 stays 1 from here on: composite exactly when y was a non-trivial root of 1.
            return mpz_cmp_ui(y.get(), 1) != 0 && mpz_cmp(y.get(), xMinusOne) != 0;
        }
        std::swap(y, next);
    }
    return mpz_cmp_ui(y.get(), 1) != 0;
}

bool passesMillerRabin(mpz_srcptr x, const PrimeBases& bases) {
    BigInt xMinusOne;
    mpz_sub_ui(xMinusOne.get(), x, 1);
    const mp_bitcnt_t s = mpz_scan1(xMinusOne.get(), 0);
    BigInt d;
    mpz_tdiv_q_2exp(d.get(), xMinusOne.get(), s);
    for (int round = 0; round < kRounds; ++round) {
        const std::uint32_t base = std::clamp(bases(), kMinBase, kMaxBase);
        if (isWitness(x, xMinusOne.get(), d.get(), s, base)) return false;
    }
    return true;
}

std::mt19937_64& processGenerator() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return generator;
}

}  // namespace

PrimeBases randomPrimeBases(std::uint64_t seed) {
    return [generator = std::mt19937_64(seed),
            pick = std::uniform_int_distribution<std::uint32_t>(kMinBase, kMaxBase)]() mutable {
        return pick(generator);
    };
}

bool BigInt::isProbablePrime() const {
    std::uniform_int_distribution<std::uint32_t> pick(kMinBase, kMaxBase);
    return isProbablePrime([&pick] { return pick(processGenerator()); });
}

bool BigInt::isProbablePrime(const PrimeBases& bases) const {
    if (sign() <= 0) return false;
    const unsigned long last = mpz_fdiv_ui(get(), 10);
    if (mpz_cmp_ui(get(), 10) < 0) return last == 2 || last == 3 || last == 5 || last == 7;
    if (last != 1 && last != 3 && last != 7 && last != 9) return false;
    if (mpz_divisible_ui_p(get(), 3) || mpz_divisible_ui_p(get(), 7)) return false;
    if (mpz_cmp_ui(get(), 120) <= 0) return true;
    if (mpz_cmp_ui(get(), kTrialLimit) < 0) return !hasSmallDivisor(mpz_get_ui(get()));
    return !hasDivisorBelow200(get()) && passesMillerRabin(get(), bases);
}

}  // namespace kalvor
