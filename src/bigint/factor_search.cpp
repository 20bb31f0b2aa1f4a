#include "bigint/factor_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>
#include <vector>

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

// The odd primes below the trial-division limit. The smallest divisor above 1 of an odd
// number is an odd prime, so trying only these finds the same divisor as trying every odd d.
const std::vector<unsigned long>& oddPrimesBelowLimit() {
    static const std::vector<unsigned long> primes = [] {
        std::vector<bool> composite(kTrialDivisionLimit, false);
        std::vector<unsigned long> list;
        for (unsigned long d = 3; d < kTrialDivisionLimit; d += 2) {
            if (composite[d]) continue;
            list.push_back(d);
            for (unsigned long m = d * d; m < kTrialDivisionLimit; m += 2 * d)
                composite[m] = true;
        }
        return list;
    }();
    return primes;
}

// Four primes below 2^16 multiply to less than 2^64: one big-number remainder serves four
// divisors, which are then tried in order on the small remainder.
unsigned long firstOddDivisorBelowLimit(const BigInt& x) {
    const std::vector<unsigned long>& primes = oddPrimesBelowLimit();
    constexpr std::size_t kGroup = 4;
    for (std::size_t i = 0; i < primes.size(); i += kGroup) {
        const std::size_t end = std::min(primes.size(), i + kGroup);
        unsigned long modulus = 1;
        for (std::size_t k = i; k < end; ++k)
            modulus *= primes[k];
        const unsigned long rest = mpz_fdiv_ui(x.get(), modulus);
        for (std::size_t k = i; k < end; ++k) {
            if (rest % primes[k] == 0) return primes[k];
        }
    }
    return 0;
}

// Arithmetic of the rho walk v -> v^2 + 3 modulo a number that fits 63 bits.
class WordRing {
public:
    using Value = std::uint64_t;
    explicit WordRing(std::uint64_t x) : m_x(x) {}
    Value start() const { return 2; }
    void step(Value& v) const { v = static_cast<Value>((Uint128(v) * v + 3) % m_x); }
    // q * |a - b| mod x, the running product whose gcd with x is taken once per batch.
    void accumulate(Value& q, const Value& a, const Value& b) const {
        q = static_cast<Value>(Uint128(q) * (a > b ? a - b : b - a) % m_x);
    }
    Value gcdWithX(const Value& v) const { return std::gcd(v, m_x); }
    Value differenceGcd(const Value& a, const Value& b) const {
        return gcdWithX(a > b ? a - b : b - a);
    }
    static bool aboveOne(const Value& v) { return v > 1; }
    static BigInt toBigInt(const Value& v) { return BigInt(static_cast<std::int64_t>(v)); }

private:
    using Uint128 = unsigned __int128;
    std::uint64_t m_x;
};

// The same walk on numbers of any size.
class BigRing {
public:
    using Value = BigInt;
    explicit BigRing(const BigInt& x) : m_x(x) {}
    Value start() const { return BigInt(2); }
    void step(Value& v) const {
        mpz_mul(v.get(), v.get(), v.get());
        mpz_add_ui(v.get(), v.get(), 3);
        mpz_mod(v.get(), v.get(), m_x.get());
    }
    void accumulate(Value& q, const Value& a, const Value& b) const {
        mpz_sub(m_scratch.get(), a.get(), b.get());
        mpz_mul(q.get(), q.get(), m_scratch.get());
        mpz_mod(q.get(), q.get(), m_x.get());
    }
    Value gcdWithX(const Value& v) const {
        BigInt d;
        mpz_gcd(d.get(), v.get(), m_x.get());
        return d;
    }
    Value differenceGcd(const Value& a, const Value& b) const {
        mpz_sub(m_scratch.get(), a.get(), b.get());
        return gcdWithX(m_scratch);
    }
    static bool aboveOne(const Value& v) { return mpz_cmp_ui(v.get(), 1) > 0; }
    static BigInt toBigInt(Value v) { return v; }

private:
    const BigInt& m_x;
    mutable BigInt m_scratch;
};

// Floyd's cycle search on v^2 + 3 started at 2, whose answer is that of a gcd at every step:
// the first step whose |hare - tortoise| shares a factor with x gives that gcd, a meeting
// of tortoise and hare before it gives NotFound. The gcd of a batch's product of
// differences is taken once; a batch that shows a factor or a meeting is walked again step
// by step from its start, so the answer is the step-by-step one. Time and progress are
// checked between batches; once the time is up one more step is taken, as a step-by-step
// search would before it looks at the clock.
template <class Ring>
class RhoWalk {
public:
    using Value = typename Ring::Value;
    explicit RhoWalk(const Ring& ring)
        : m_ring(ring), m_tortoise(ring.start()), m_hare(ring.start()) {}

    FactorOutcome run(BigInt& x, const FactorSearchOptions& options) {
        constexpr int kBatch = 64;
        const auto deadline = std::chrono::steady_clock::now() + options.timeBudget;
        for (;;) {
            if (!keepGoing(options.progress)) return FactorOutcome::Cancelled;
            const bool late = std::chrono::steady_clock::now() >= deadline;
            const int steps = late ? 1 : kBatch;
            if (batchMayEnd(steps)) {
                std::optional<Value> divisor;
                if (walkStepByStep(steps, divisor)) {
                    if (!divisor) return FactorOutcome::NotFound;
                    x = Ring::toBigInt(*divisor);
                    return FactorOutcome::Found;
                }
            }
            if (late) return FactorOutcome::TimedOut;
        }
    }

private:
    void advance(Value& tortoise, Value& hare) const {
        m_ring.step(tortoise);
        m_ring.step(hare);
        m_ring.step(hare);
    }

    // Walks `steps` steps on a copy; true when one of them meets or may show a factor.
    bool batchMayEnd(int steps) {
        m_batchTortoise = m_tortoise;
        m_batchHare = m_hare;
        Value product = m_ring.start();  // any unit modulo x would do; 2 is one for odd x
        for (int i = 0; i < steps; ++i) {
            advance(m_tortoise, m_hare);
            if (m_tortoise == m_hare) return true;
            m_ring.accumulate(product, m_hare, m_tortoise);
        }
        return Ring::aboveOne(m_ring.gcdWithX(product));
    }

    // Repeats the batch from its start one gcd per step; true when it ends the search.
    bool walkStepByStep(int steps, std::optional<Value>& divisor) {
        m_tortoise = m_batchTortoise;
        m_hare = m_batchHare;
        for (int i = 0; i < steps; ++i) {
            advance(m_tortoise, m_hare);
            if (m_tortoise == m_hare) return true;
            Value d = m_ring.differenceGcd(m_hare, m_tortoise);
            if (Ring::aboveOne(d)) {
                divisor = std::move(d);
                return true;
            }
        }
        return false;
    }

    const Ring& m_ring;
    Value m_tortoise;
    Value m_hare;
    Value m_batchTortoise{};
    Value m_batchHare{};
};

FactorOutcome pollardRho(BigInt& x, const FactorSearchOptions& options) {
    if (mpz_sizeinbase(x.get(), 2) < 64) {
        const WordRing ring(mpz_get_ui(x.get()));
        return RhoWalk<WordRing>(ring).run(x, options);
    }
    const BigRing ring(x);
    return RhoWalk<BigRing>(ring).run(x, options);
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
