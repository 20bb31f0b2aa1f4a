// A wire-frame surface of 40 × 40 parameter values (a sphere: 80 sampled lines of 40 points)
// redrawn in the graph window at full HD, the way a slider drag redraws it. One redraw should
// stay under one frame (16 ms). The projection alone is measured beside it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "canvas/projection3d.h"
#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

const std::vector<std::string> kSurface = {
    "set3d(30;0.5)",
    "oppervlak3d(4*cos(u*pi/19.5)*sin(v*pi/39);4*sin(u*pi/19.5)*sin(v*pi/39);4*cos(v*pi/39);"
    "0;39;0;39;1;1)",
};

void redrawOf(benchmark::State& state, const std::vector<std::string>& source) {
    HeadlessHost host;
    Workbench bench(host);
    bench.resizeCanvas(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    FileIncludeResolver resolver(".");
    bench.setProgram(compileProgram(source, resolver).lines);
    for (auto _ : state)
        bench.redraw();
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
}
BENCHMARK_CAPTURE(redrawOf, surface, kSurface)
    ->Args({360, 360})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);
// The same redraw without a program: what the surface adds is the difference.
BENCHMARK_CAPTURE(redrawOf, empty, std::vector<std::string>{})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

// The 3200 projections of the surface's samples, without evaluating or drawing.
void projectionOnly(benchmark::State& state) {
    Projection3D view;
    for (auto _ : state) {
        for (int i = 0; i < 3200; ++i) {
            const Number s = i * 0.001L;
            benchmark::DoNotOptimize(view.project({s, 2 * s, 3 * s}));
        }
    }
}
BENCHMARK(projectionOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
