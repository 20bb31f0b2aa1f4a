#include "bigint/factor_search.h"

#include <array>

namespace kalvor {

namespace {

constexpr unsigned long kTrialDivisionLimit = 40000;
constexpr int kFermatSteps = 50000;
constexpr int kFermatProgressInterval = 1000;

// The last two decimal digits a perfect square can end with.
constexpr std::array<bool, 100> kSquareEndings = [] {
    std::array<bool, 100> endings{};
    for (unsigned t = 0; t < 100; ++t)
        endings[t * t % 100] = true;
    return endings;
}();

unsigned long firstOddDivisorBelowLimit(const BigInt& x) {
    for (unsigned long d = 3; d < kTrialDivisionLimit; d += 2) {
        if (mpz_divisible_ui_p(x.get(), d)) return d;
    }
    return 0;
}

// v := v^2 + 3 mod x.
void rhoStep(BigInt& v, const BigInt& x) {
    mpz_mul(v.get(), v.get(), v.get());
    mpz_add_ui(v.get(), v.get(), 3);
    mpz_mod(v.get(), v.get(), x.get());
}

// Floyd's cycle search on v^2 + 3 with a gcd at every step, for odd composite x.
FactorOutcome pollardRho(BigInt& x, const FactorSearchOptions& options) {
    const auto deadline = std::chrono::steady_clock::now() + options.timeBudget;
    BigInt tortoise(2);
    BigInt hare(2);
    BigInt divisor;
    for (;;) {
        rhoStep(tortoise, x);
        rhoStep(hare, x);
        rhoStep(hare, x);
        if (tortoise == hare) return FactorOutcome::NotFound;
        mpz_sub(divisor.get(), hare.get(), tortoise.get());
        mpz_gcd(divisor.get(), divisor.get(), x.get());
        if (mpz_cmp_ui(divisor.get(), 1) > 0) {
            x = std::move(divisor);
            return FactorOutcome::Found;
        }
        if (std::chrono::steady_clock::now() >= deadline) return FactorOutcome::TimedOut;
        if (!keepGoing(options.progress)) return FactorOutcome::Cancelled;
    }
}

}  // namespace

FactorOutcome findFactor(BigInt& x, const FactorSearchOptions& options) {
    if (x.compare(2) < 0) return FactorOutcome::NotFound;
    const bool prime = options.bases ? x.isProbablePrime(options.bases) : x.isProbablePrime();
    if (prime) return FactorOutcome::ProbablePrime;
    if (!x.isOdd()) {
        x.setValue(2);
        return FactorOutcome::Found;
    }
    if (const unsigned long d = firstOddDivisorBelowLimit(x)) {
        x.setValue(static_cast<std::int64_t>(d));
        return FactorOutcome::Found;
    }
    return pollardRho(x, options);
}

FactorOutcome fermatFactor(BigInt& x, const Progress& progress) {
    if (x.sign() <= 0) return FactorOutcome::NotFound;
    BigInt a;
    BigInt excess;  // a^2 - x, kept up to date as a grows
    mpz_sqrtrem(a.get(), excess.get(), x.get());
    if (excess.isZero()) {
        x = std::move(a);
        return FactorOutcome::Found;
    }
    excess.negate();
    BigInt b;
    BigInt bRest;
    for (int step = 1; step <= kFermatSteps; ++step) {
        if (step % kFermatProgressInterval == 0 && !keepGoing(progress)) {
            return FactorOutcome::Cancelled;
        }
        mpz_addmul_ui(excess.get(), a.get(), 2);
        mpz_add_ui(excess.get(), excess.get(), 1);
        mpz_add_ui(a.get(), a.get(), 1);
        if (!kSquareEndings[mpz_fdiv_ui(excess.get(), 100)]) continue;
        mpz_sqrtrem(b.get(), bRest.get(), excess.get());
        if (bRest.isZero()) {
            mpz_sub(x.get(), a.get(), b.get());
            return FactorOutcome::Found;
        }
    }
    return FactorOutcome::NotFound;
}

}  // namespace kalvor
