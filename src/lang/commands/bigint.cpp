#include <cmath>

#include "bigint/factor_search.h"
#include "lang/command_table.h"
#include "lang/commands/bigint_operands.h"
#include "lang/commands/families.h"
#include "lang/run_context.h"

namespace kalvor {

namespace {

// Every command changes the register of its first line. Operations answer whether their
// result could be kept; false means it would have grown beyond BigInt::kMaxBits.

using WithOperand = bool (*)(BigInt& x, const BigInt& y);
using WithWhole = bool (*)(RunContext& ctx, BigInt& x, std::int64_t n);
using Alone = bool (*)(RunContext& ctx, BigInt& x);

template <WithOperand op>
void operandCommand(RunContext& ctx) {
    BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (!x) return;
    const std::optional<BigInt> y = commandOperand(ctx, ctx.arg(1));
    if (y && !op(*x, *y)) refuseTooLarge(ctx, ctx.arg(0));
}

template <WithWhole op>
void wholeCommand(RunContext& ctx) {
    BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (!x) return;
    const std::optional<std::int64_t> n = wholeArgument(ctx, 1);
    if (n && !op(ctx, *x, *n)) refuseTooLarge(ctx, ctx.arg(0));
}

template <Alone op>
void aloneCommand(RunContext& ctx) {
    BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (x && !op(ctx, *x)) refuseTooLarge(ctx, ctx.arg(0));
}

// ---- X op operand ----

bool assign(BigInt& x, const BigInt& y) {
    x = y;
    return true;
}
bool add(BigInt& x, const BigInt& y) {
    x.add(y);
    return true;
}
bool subtract(BigInt& x, const BigInt& y) {
    x.subtract(y);
    return true;
}
bool multiply(BigInt& x, const BigInt& y) {
    return x.multiply(y);
}
bool divide(BigInt& x, const BigInt& y) {
    x.divide(y);
    return true;
}
bool modulo(BigInt& x, const BigInt& y) {
    x.modulo(y);
    return true;
}
bool gcd(BigInt& x, const BigInt& y) {
    x.gcd(y);
    return true;
}
bool modInverse(BigInt& x, const BigInt& y) {
    x.modInverse(y);
    return true;
}

// ---- X op n ----

bool power(RunContext&, BigInt& x, std::int64_t n) {
    return x.power(n);
}
bool nthRoot(RunContext&, BigInt& x, std::int64_t n) {
    x.nthRoot(n);
    return true;
}
bool setWhole(RunContext&, BigInt& x, std::int64_t n) {
    x.setValue(n);
    return true;
}

// factorial, permutations and combinations refuse x < 0 and x >= kProductLimit (x stays as
// it is); any other refusal that was not a cancellation is a result beyond the size limit.
bool productRefusedForSize(const BigInt& x, const RunProgress& progress) {
    return !progress.cancelled() && x.sign() >= 0 && x.compare(BigInt::kProductLimit) < 0;
}

bool permutations(RunContext& ctx, BigInt& x, std::int64_t r) {
    RunProgress progress(ctx);
    return x.permutations(r, progress.progress()) || r < 0 || !productRefusedForSize(x, progress);
}
bool combinations(RunContext& ctx, BigInt& x, std::int64_t r) {
    RunProgress progress(ctx);
    return x.combinations(r, progress.progress()) || r < 0 || !productRefusedForSize(x, progress);
}

// ---- X alone ----

bool square(RunContext&, BigInt& x) {
    return x.square();
}
bool squareRoot(RunContext&, BigInt& x) {
    x.squareRoot();
    return true;
}
bool factorial(RunContext& ctx, BigInt& x) {
    RunProgress progress(ctx);
    return x.factorial(progress.progress()) || !productRefusedForSize(x, progress);
}
bool factor(RunContext& ctx, BigInt& x) {
    RunProgress progress(ctx);
    FactorSearchOptions options;
    options.progress = progress.progress();
    findFactor(x, options);
    return true;
}

// 2 below 2, else the first probable prime above x among the odd numbers.
bool nextPrime(RunContext& ctx, BigInt& x) {
    if (x.compare(2) < 0) {
        x.setValue(2);
        return true;
    }
    RunProgress progress(ctx);
    BigInt candidate(x);
    candidate.add(candidate.isOdd() ? 2 : 1);
    while (!candidate.isProbablePrime()) {
        if (!keepGoing(progress.progress())) return true;
        candidate.add(2);
    }
    x = std::move(candidate);
    return true;
}

// ---- Commands with a register or variable besides X ----

void divMod(RunContext& ctx) {
    BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (!x) return;
    const std::optional<BigInt> y = commandOperand(ctx, ctx.arg(1));
    if (!y) return;
    BigInt* remainderRegister = namedRegister(ctx, ctx.arg(2));
    if (!remainderRegister) return;
    BigInt remainder;
    x->divideWithRemainder(*y, remainder);
    *remainderRegister = std::move(remainder);
}

void modPow(RunContext& ctx) {
    BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (!x) return;
    const std::optional<BigInt> exponent = commandOperand(ctx, ctx.arg(1));
    if (!exponent) return;
    const std::optional<BigInt> modulus = commandOperand(ctx, ctx.arg(2));
    if (modulus) x->modPower(*exponent, *modulus);
}

// The nearest long double below or at |x| in magnitude: exact up to 64 bits, then the top 64
// bits scaled; infinite beyond the long double range.
Number toNumber(const BigInt& x) {
    std::int64_t small = 0;
    if (x.toInt64(small)) return static_cast<Number>(small);
    const std::uint64_t bits = x.bitLength();
    BigInt top;
    mpz_tdiv_q_2exp(top.get(), x.get(), bits - 64);
    mpz_abs(top.get(), top.get());
    const Number magnitude =
        std::ldexp(static_cast<Number>(mpz_getlimbn(top.get(), 0)), static_cast<int>(bits - 64));
    return x.sign() < 0 ? -magnitude : magnitude;
}

void registerToNumber(RunContext& ctx) {
    if (const BigInt* x = namedRegister(ctx, ctx.arg(0)))
        ctx.setNumberEverywhere(ctx.text(1), toNumber(*x));
}

// -1, 0 or 1; the operand is a register or a whole number (not decimal text).
void compareNumbers(RunContext& ctx) {
    const BigInt* x = namedRegister(ctx, ctx.arg(0));
    if (!x) return;
    int order = 0;
    if (ctx.arg(1).find('#') != std::string::npos) {
        const BigInt* y = namedRegister(ctx, ctx.arg(1));
        if (!y) return;
        order = x->compare(*y);
    } else {
        const std::optional<std::int64_t> n = wholeArgument(ctx, 1);
        if (!n) return;
        order = x->compare(*n);
    }
    ctx.setNumber(ctx.text(2), order);
}

}  // namespace

void registerBigIntCommands(CommandTable& table) {
    static constexpr CommandRow rows[] = {
        {"maak#", 2, operandCommand<assign>},
        {"telop#", 2, operandCommand<add>},
        {"trekaf#", 2, operandCommand<subtract>},
        {"maal#", 2, operandCommand<multiply>},
        {"div#", 2, operandCommand<divide>},
        {"mod#", 2, operandCommand<modulo>},
        {"divmod#", 3, divMod},
        {"ggd#", 2, operandCommand<gcd>},
        {"invmod#", 2, operandCommand<modInverse>},
        {"modpow#", 3, modPow},
        {"macht#", 2, wholeCommand<power>},
        {"nwortel#", 2, wholeCommand<nthRoot>},
        {"nPr#", 2, wholeCommand<permutations>},
        {"nCr#", 2, wholeCommand<combinations>},
        {"kwadraat#", 1, aloneCommand<square>},
        {"wortel#", 1, aloneCommand<squareRoot>},
        {"faculteit#", 1, aloneCommand<factorial>},
        {"factor#", 1, aloneCommand<factor>},
        {"volgendepriem#", 1, aloneCommand<nextPrime>},
        {"getalnaar#", 2, wholeCommand<setWhole>},
        {"naargetal#", 2, registerToNumber},
        {"vergelijk#", 3, compareNumbers},
    };
    table.add(rows);
}

}  // namespace kalvor
