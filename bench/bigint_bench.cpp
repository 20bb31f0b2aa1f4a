#include <benchmark/benchmark.h>

#include "bigint/bigint.h"
#include "bigint/factor_search.h"

namespace kalvor {
namespace {

void factorial(benchmark::State& state) {
    for (auto _ : state) {
        BigInt x(state.range(0));
        x.factorial();
        benchmark::DoNotOptimize(x.get());
    }
}
BENCHMARK(factorial)->Arg(1000)->Arg(15000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// GMP's own factorial, for comparison with the interruptible product above.
void gmpFactorial(benchmark::State& state) {
    for (auto _ : state) {
        BigInt x;
        mpz_fac_ui(x.get(), static_cast<unsigned long>(state.range(0)));
        benchmark::DoNotOptimize(x.get());
    }
}
BENCHMARK(gmpFactorial)->Arg(1000)->Arg(15000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void groupedText(benchmark::State& state) {
    BigInt x(15000);
    x.factorial();
    for (auto _ : state)
        benchmark::DoNotOptimize(x.toString(kThousandsSeparator));
}
BENCHMARK(groupedText)->Unit(benchmark::kMillisecond);

void probablePrime(benchmark::State& state) {
    const BigInt x("170141183460469231731687303715884105727");  // 2^127 - 1
    const PrimeBases bases = randomPrimeBases(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(x.isProbablePrime(bases));
}
BENCHMARK(probablePrime);

// Two ten-digit primes, split by Pollard's rho.
void rhoSemiprime(benchmark::State& state) {
    BigInt semiprime("1000000007");
    semiprime.multiply(BigInt("9999999967"));
    FactorSearchOptions options;
    options.bases = randomPrimeBases(1);
    for (auto _ : state) {
        BigInt x(semiprime);
        findFactor(x, options);
        benchmark::DoNotOptimize(x.get());
    }
}
BENCHMARK(rhoSemiprime)->Unit(benchmark::kMillisecond);

void fermatCloseFactors(benchmark::State& state) {
    BigInt semiprime("1000000000039");
    semiprime.multiply(BigInt("1000626099113"));  // found at the 48 985th step
    for (auto _ : state) {
        BigInt x(semiprime);
        fermatFactor(x);
        benchmark::DoNotOptimize(x.get());
    }
}
BENCHMARK(fermatCloseFactors)->Unit(benchmark::kMillisecond);

// The smallest-factor search on each odd number from 3000000000000000001 to
// 3000000000000001199: trial division, the prime test and rho on 600 numbers.
void factorSearchRange(benchmark::State& state) {
    FactorSearchOptions options;
    options.bases = randomPrimeBases(1);
    for (auto _ : state) {
        int found = 0;
        for (std::int64_t n = 3000000000000000001; n < 3000000000000001200; n += 2) {
            BigInt x(n);
            found += findFactor(x, options) == FactorOutcome::Found;
        }
        state.counters["found"] = found;
    }
}
BENCHMARK(factorSearchRange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvor
BENCHMARK_MAIN();
