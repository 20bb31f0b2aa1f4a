// Heap of a compiled program of 200 000 source lines (lines, drawings, assignments and a
// condition, all different), per source line: after compiling and after the first redraw
// has filled the per-line caches. The redraw time shows what the caches buy.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

constexpr int kSourceLines = 200000;

std::vector<std::string> source() {
    std::vector<std::string> lines;
    lines.reserve(kSourceLines);
    for (int k = 0; static_cast<int>(lines.size()) < kSourceLines; ++k) {
        const std::string n = std::to_string(k);
        lines.push_back("lijn(0;0;" + n + ";1)");
        lines.push_back("a:=a+" + n + "*0.5");
        lines.push_back("tekenkleur(" + std::to_string(k % 16) + ")");
        lines.push_back("als(groter(a," + n + "))");
        lines.push_back("rechthoek(-1;-1;a/1e6;1)");
        lines.push_back("eindals");
    }
    lines.resize(kSourceLines);
    return lines;
}

std::size_t heapInUse() {
    // Large blocks come from mmap and are counted apart from the arena.
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void compiledProgramMemory(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    FileIncludeResolver resolver(".");
    std::size_t compiled = 0, afterRun = 0, compiledLines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.setProgram({});
        const std::size_t before = heapInUse();
        {
            std::vector<std::string> lines = compileProgram(source(), resolver).lines;
            compiledLines = lines.size();
            bench.setProgram(std::move(lines));
        }
        compiled = heapInUse() - before;
        state.ResumeTiming();
        bench.redraw();
        state.PauseTiming();
        afterRun = heapInUse() - before;
        state.ResumeTiming();
    }
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
    state.counters["compiled_lines"] = static_cast<double>(compiledLines);
    state.counters["B_per_line_compiled"] = static_cast<double>(compiled) / kSourceLines;
    state.counters["B_per_line_after_run"] = static_cast<double>(afterRun) / kSourceLines;
}
BENCHMARK(compiledProgramMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
