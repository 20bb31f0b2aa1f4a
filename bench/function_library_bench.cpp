// The partition functions fill their tables on first use, which a formula pays for once; the
// prime functions and the special functions run once per plotted pixel.
#include <benchmark/benchmark.h>

#include "expr/library_math.h"
#include "expr/partitions.h"
#include "expr/prime_table.h"

namespace {

using kalvor::Number;
using kalvor::PartitionTables;

// A fresh table each time: the cost of the first call with n = range(0).
template <Number (PartitionTables::*Fn)(int)>
void coldPartitions(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PartitionTables tables;
        benchmark::DoNotOptimize((tables.*Fn)(n));
    }
}

void BM_PartitionsCold(benchmark::State& state) {
    coldPartitions<&PartitionTables::partitions>(state);
}
BENCHMARK(BM_PartitionsCold)->Arg(1000)->Arg(99999)->Unit(benchmark::kMillisecond);

void BM_DistinctPartsCold(benchmark::State& state) {
    coldPartitions<&PartitionTables::distinctParts>(state);
}
BENCHMARK(BM_DistinctPartsCold)->Arg(1000)->Arg(19999)->Unit(benchmark::kMillisecond);

void BM_PrimePartsCold(benchmark::State& state) {
    coldPartitions<&PartitionTables::primeParts>(state);
}
BENCHMARK(BM_PrimePartsCold)->Arg(1000)->Arg(19999)->Unit(benchmark::kMillisecond);

void BM_PartitionsWarm(benchmark::State& state) {
    PartitionTables tables;
    tables.partitions(99999);
    for (auto _ : state)
        benchmark::DoNotOptimize(tables.partitions(99999));
}
BENCHMARK(BM_PartitionsWarm);

void BM_PrimeTableBuild(benchmark::State& state) {
    for (auto _ : state) {
        kalvor::PrimeTable table;
        table.setLimit(300000);
        benchmark::DoNotOptimize(table.isPrime(299993));
    }
}
BENCHMARK(BM_PrimeTableBuild)->Unit(benchmark::kMicrosecond);

void BM_NextPrimeByTrialDivision(benchmark::State& state) {
    const kalvor::PrimeTable table;
    std::int64_t n = 1000000;
    for (auto _ : state) {
        n = table.nextPrime(n);
        if (n > 1400000) n = 1000000;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_NextPrimeByTrialDivision);

void BM_NormalCdf(benchmark::State& state) {
    Number x = -4;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kalvor::normalCdf(x, 1));
        x = x > 4 ? -4 : x + 0.001L;
    }
}
BENCHMARK(BM_NormalCdf);

}  // namespace

BENCHMARK_MAIN();
