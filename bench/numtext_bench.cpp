// Number text is written for every coordinate of a PDF or picture export and for every tick
// label, so its cost per number matters for large exports.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "expr/numtext.h"

namespace {

std::vector<kalvor::Number> sampleValues() {
    std::vector<kalvor::Number> values;
    for (int i = 0; i < 1000; ++i)
        values.push_back(std::sin(i * 0.37L) * std::pow(10.0L, i % 7 - 2));
    return values;
}

template <typename Format>
void formatAll(benchmark::State& state, Format format) {
    const auto values = sampleValues();
    for (auto _ : state) {
        for (kalvor::Number v : values)
            benchmark::DoNotOptimize(format(v));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}

void BM_FormatFixedPdf(benchmark::State& state) {
    formatAll(state, [](kalvor::Number v) { return kalvor::formatFixed(v, 6, 4); });
}
BENCHMARK(BM_FormatFixedPdf);

void BM_FormatGeneral15(benchmark::State& state) {
    formatAll(state, [](kalvor::Number v) { return kalvor::formatGeneral(v, 15); });
}
BENCHMARK(BM_FormatGeneral15);

void BM_FormatFloatTick(benchmark::State& state) {
    formatAll(state, [](kalvor::Number v) { return kalvor::formatFloat("#.#E-", v); });
}
BENCHMARK(BM_FormatFloatTick);

}  // namespace

BENCHMARK_MAIN();
