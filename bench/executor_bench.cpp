// Speed of the program executor: a loop of one million passes with an assignment, a
// condition and the loop end, against the same loop in Lua 5.4 (run as a separate process).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"

namespace {

constexpr int kPasses = 1'000'000;

const std::vector<std::string> kSource = {
    "s:=0", "for(i;1;1000000;1)", "s:=s+i*0.5", "als(groter(s,1e9))", "s:=0", "eindals", "next",
};

void BM_ExecutorLoop(benchmark::State& state, bool checking) {
    kalvor::HeadlessHost host;
    kalvor::Environment env(host);
    const kalvor::CommandTable table = kalvor::buildCommandTable();
    kalvor::FileIncludeResolver resolver(".");
    const kalvor::CompiledProgram program(kalvor::compileProgram(kSource, resolver).lines);
    for (auto _ : state) {
        kalvor::Executor executor(env, table, program, kalvor::RunOptions{true, checking});
        executor.run();
    }
    // Seconds per (passes / 1e9): nanoseconds per pass.
    state.counters["ns_per_pass"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPasses / 1e9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(BM_ExecutorLoop, checking, true)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BM_ExecutorLoop, no_checking, false)->Unit(benchmark::kMillisecond)->MinTime(2);

// Lua measures its own loop with os.clock, so process start-up is not counted.
void BM_LuaLoop(benchmark::State& state) {
    const char* script =
        "lua5.4 -e \"local t=os.clock() local s=0 for i=1,1000000 do s=s+i*0.5 "
        "if s>1e9 then s=0 end end print((os.clock()-t)*1e9/1000000)\" 2>/dev/null";
    double total = 0;
    int runs = 0;
    for (auto _ : state) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(script, "r"), pclose);
        double ns = 0;
        if (!pipe || std::fscanf(pipe.get(), "%lf", &ns) != 1) {
            state.SkipWithError("lua5.4 is not available");
            return;
        }
        total += ns;
        ++runs;
    }
    state.counters["ns_per_pass"] = runs ? total / runs : 0;
}
BENCHMARK(BM_LuaLoop)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
