// The library program "factor2" (a factor of each odd number from 3000000000000000001 to
// 3000000000000001199, written with its quotient) run by the executor, against the same
// search written directly on GMP: the prime test, trial division below 40000, then Pollard's
// rho with v^2 + 3 from 2.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <string>

#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "lang/program_library.h"
#include "qt_benchmark_main.h"

namespace {

std::vector<std::string> sourceLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The odd divisors tried below 40000: every odd number, or only the odd primes.
std::vector<unsigned long> trialDivisors(bool primesOnly) {
    std::vector<unsigned long> divisors;
    for (unsigned long d = 3; d < 40000; d += 2) {
        bool prime = true;
        for (unsigned long p = 3; primesOnly && prime && p * p <= d; p += 2)
            prime = d % p != 0;
        if (prime) divisors.push_back(d);
    }
    return divisors;
}

// A proper factor of the odd composite n in f: trial division, else rho (false on a cycle).
bool gmpFactor(const mpz_t n, mpz_t f, const std::vector<unsigned long>& divisors) {
    for (unsigned long d : divisors)
        if (mpz_divisible_ui_p(n, d)) {
            mpz_set_ui(f, d);
            return true;
        }
    mpz_t tortoise, hare, diff;
    mpz_init_set_ui(tortoise, 2);
    mpz_init_set_ui(hare, 2);
    mpz_init(diff);
    bool found = false;
    while (true) {
        mpz_mul(tortoise, tortoise, tortoise);
        mpz_add_ui(tortoise, tortoise, 3);
        mpz_mod(tortoise, tortoise, n);
        for (int twice = 0; twice < 2; ++twice) {
            mpz_mul(hare, hare, hare);
            mpz_add_ui(hare, hare, 3);
            mpz_mod(hare, hare, n);
        }
        if (mpz_cmp(hare, tortoise) == 0) break;
        mpz_sub(diff, hare, tortoise);
        mpz_abs(diff, diff);
        mpz_gcd(f, diff, n);
        if (mpz_cmp_ui(f, 1) > 0) {
            found = true;
            break;
        }
    }
    mpz_clears(tortoise, hare, diff, nullptr);
    return found;
}

// The lines the program writes, computed on GMP.
std::string gmpFactor2(const std::vector<unsigned long>& divisors) {
    mpz_t n, f, q;
    mpz_inits(n, f, q, nullptr);
    std::string written;
    mpz_set_str(n, "3000000000000000001", 10);
    for (int i = 0; i < 600; ++i, mpz_add_ui(n, n, 2)) {
        char* digits = mpz_get_str(nullptr, 10, n);
        written += digits;
        free(digits);
        if (mpz_probab_prime_p(n, 10) > 0) {
            written += ": priem\n";
            continue;
        }
        if (!gmpFactor(n, f, divisors)) continue;
        mpz_divexact(q, n, f);
        digits = mpz_get_str(nullptr, 10, f);
        written += std::string(" = ") + digits;
        free(digits);
        digits = mpz_get_str(nullptr, 10, q);
        written += std::string(" * ") + digits + "\n";
        free(digits);
    }
    mpz_clears(n, f, q, nullptr);
    return written;
}

void BM_Factor2Gmp(benchmark::State& state, bool primesOnly) {
    const std::vector<unsigned long> divisors = trialDivisors(primesOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(gmpFactor2(divisors).size());
}
BENCHMARK_CAPTURE(BM_Factor2Gmp, every_odd_divisor, false)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(BM_Factor2Gmp, odd_prime_divisors, true)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

void BM_Factor2Program(benchmark::State& state) {
    const auto text = kalvor::libraryProgramText("factor2.txt");
    if (!text) {
        state.SkipWithError("factor2.txt is not built in");
        return;
    }
    kalvor::HeadlessHost host;
    kalvor::Environment env(host);
    const kalvor::CommandTable table = kalvor::buildCommandTable();
    kalvor::FileIncludeResolver resolver(".");
    const kalvor::CompiledProgram program(
        kalvor::compileProgram(sourceLines(*text), resolver).lines);
    std::string written;
    for (auto _ : state) {
        env.output.clear();
        kalvor::Executor executor(env, table, program, kalvor::RunOptions{});
        executor.run();
        benchmark::DoNotOptimize(env.output.lines().size());
    }
    for (const std::string& line : env.output.lines())
        written += line + "\n";
    // Both searches must write the same lines, or the times compare different work.
    if (written != gmpFactor2(trialDivisors(true))) state.SkipWithError("outputs differ");
}
BENCHMARK(BM_Factor2Program)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN();
