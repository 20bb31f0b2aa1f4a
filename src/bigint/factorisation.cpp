// The calculator's factorisation procedure: each stage writes what it finds at once, so the
// person sees the factors arrive.
#include "bigint/factorisation.h"

#include <array>
#include <random>

#include "bigint/factor_search.h"

namespace kalvor {

namespace {

constexpr unsigned long kSmallDivisorLimit = 200000;
constexpr int kProgressEvery = 1024;
constexpr std::array<unsigned long, 10> kPowerExponents{2, 3, 5, 7, 9, 11, 13, 15, 17, 19};
constexpr std::chrono::seconds kRhoBudgetStep{5};

struct Cancelled {};

class Factoriser {
public:
    explicit Factoriser(FactorisationHooks hooks) : m_hooks(std::move(hooks)) {
        if (!m_hooks.bases) m_hooks.bases = randomPrimeBases(std::random_device{}());
    }

    void run(BigInt c) {
        if (c.sign() < 0) {
            m_hooks.write("-1");
            c.negate();
        }
        if (c.isZero() || isPrime(c)) {
            m_hooks.write(c.toString());
            return;
        }
        m_hooks.write("kleine factoren uitdelen");
        divideSmallFactors(c);
        if (c.compare(1) > 0) takePerfectPowers(c);
        if (c.compare(1) > 0) writeOrProcess(c);
    }

private:
    bool isPrime(const BigInt& c) const { return c.isProbablePrime(m_hooks.bases); }

    void check() const {
        if (!keepGoing(m_hooks.progress)) throw Cancelled{};
    }

    // d = 2, 3, 5, then alternately + 2 and + 4: every prime is among them.
    void divideSmallFactors(BigInt& c) {
        unsigned long step = 2;
        int tried = 0;
        for (unsigned long d = 2; d <= kSmallDivisorLimit && c.compare(1) != 0;) {
            if (++tried % kProgressEvery == 0) check();
            int exponent = 0;
            while (mpz_divisible_ui_p(c.get(), d) != 0) {
                mpz_divexact_ui(c.get(), c.get(), d);
                ++exponent;
            }
            if (exponent > 0) m_hooks.write(std::to_string(d) + "^" + std::to_string(exponent));
            if (d < 5) {
                d = d == 2 ? 3 : 5;
            } else {
                d += step;
                step = 6 - step;
            }
        }
    }

    // c = r^e with e as large as the exponents 2, 3, 5, … 19 (tried in turn, each again
    // after a success) find it, written as one line; then only r remains to be split, so
    // no prime is counted twice.
    void takePerfectPowers(BigInt& c) {
        unsigned long exponent = 1;
        for (unsigned long k : kPowerExponents) {
            BigInt root;
            while (c.compare(1) > 0 && mpz_root(root.get(), c.get(), k) != 0) {
                c = root;
                exponent *= k;
            }
        }
        if (exponent == 1) return;
        m_hooks.write(c.toString() + "^" + std::to_string(exponent));
        if (isPrime(c)) c.setOne();
    }

    void writeOrProcess(const BigInt& c) {
        if (isPrime(c))
            m_hooks.write(c.toString());
        else
            process(c);
    }

    // A proper factor of c by Fermat's method, or nothing.
    bool splitByFermat(const BigInt& c) {
        BigInt f = c;
        const FactorOutcome outcome = fermatFactor(f, m_hooks.progress);
        if (outcome == FactorOutcome::Cancelled) throw Cancelled{};
        if (outcome != FactorOutcome::Found || f.compare(1) <= 0 || f.compare(c) >= 0) return false;
        BigInt cofactor = c;
        cofactor.divide(f);
        writeOrProcess(f);
        writeOrProcess(cofactor);
        return true;
    }

    void process(const BigInt& c) {
        m_hooks.write("verder verwerken van " + c.toString());
        if (!splitByFermat(c)) searchWithRho(c);
    }

    void searchWithRho(BigInt c) {
        m_hooks.write("verdere factoren zoeken met Pollards rho");
        for (auto budget = m_hooks.firstRhoBudget; budget.count() > 0; budget -= kRhoBudgetStep) {
            BigInt g = c;
            const FactorOutcome outcome = findFactor(g, {budget, m_hooks.progress, m_hooks.bases});
            if (outcome == FactorOutcome::Cancelled) throw Cancelled{};
            if (outcome != FactorOutcome::Found) break;
            m_hooks.write(g.toString());
            c.divide(g);
            if (c.compare(1) == 0 || isPrime(c)) break;
        }
        if (c.compare(1) <= 0) return;
        if (isPrime(c)) {
            m_hooks.write(c.toString());
        } else if (!splitByFermat(c)) {
            check();
            if (m_hooks.outside)
                m_hooks.outside(c, m_hooks.write);
            else
                m_hooks.write(unfactoredLine(c));
        }
    }

    FactorisationHooks m_hooks;
};

}  // namespace

std::string unfactoredLine(const BigInt& composite) {
    return "niet verder ontbonden: " + composite.toString();
}

bool factorise(const BigInt& x, FactorisationHooks hooks) {
    const LineWriter write = hooks.write;
    try {
        Factoriser(std::move(hooks)).run(x);
    } catch (const Cancelled&) {
        return false;
    }
    write("klaar");
    return true;
}

}  // namespace kalvor
