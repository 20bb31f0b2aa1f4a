// One full redraw of the graph window: four functions (a parabola, a sine with the slider
// parameter, a pole and a half circle with an undefined stretch) on axes through the
// origin with grid, ticks and numbers, at the start size and at full HD, on a screen of 1 or
// 2 device pixels per pixel. Moving a slider costs exactly this, so it should stay well
// under one frame (16 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "graph/workbench.h"
#include "lang/headless_host.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

// The four functions with grid, ticks and numbers, on a canvas of the arguments' width,
// height and device ratio.
void setUp(Workbench& bench, const benchmark::State& state) {
    bench.resizeCanvas(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bench.setCanvasRatio(static_cast<int>(state.range(2)));
    GraphSettings& s = bench.settings();
    s.functions = {"3*x^2", "sin(a*x)", "1/x", "sqrt(16-x^2)"};
    s.grid = s.ticks = s.numbers = true;
    bench.environment().parser(4).a = 2;
}

void fullRedraw(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    setUp(bench, state);
    bench.settings().axes = AxisStyle::Middle;
    for (auto _ : state)
        bench.redraw();
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
}
BENCHMARK(fullRedraw)
    ->Args({360, 360, 1})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMillisecond);

// A wheel notch: the range fields zoomed about a pixel, then the same redraw; in and out in
// turn so that every iteration draws the same amount.
void wheelZoomRedraw(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    setUp(bench, state);
    bench.redraw();
    int notch = 1;
    for (auto _ : state) {
        if (!bench.zoomAt(bench.canvas().width() / 3, bench.canvas().height() / 3, notch))
            state.SkipWithError("the zoom was refused");
        bench.redraw();
        notch = -notch;
    }
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
}
BENCHMARK(wheelZoomRedraw)
    ->Args({360, 360, 1})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMillisecond);

// A program curve of ten million cheap samples, drawn on the start-size canvas: such a
// curve should take well under a second.
void tenMillionSampleCurve(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    bench.setProgram({"kromme", "t", "t", "-5", "5", "0.000001"});
    for (auto _ : state)
        bench.redraw();
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
}
BENCHMARK(tenMillionSampleCurve)->Unit(benchmark::kMillisecond);

// The sampling alone, without drawing: four formulas at 1920 columns.
void sampleOnly(benchmark::State& state) {
    Parser parser;
    PointList points;
    const PlotBand band = PlotBand::of(-5, 5, -5, 5, 1920);
    const char* formulas[] = {"3*x^2", "sin(2*x)", "1/x", "sqrt(16-x^2)"};
    for (auto _ : state) {
        for (const char* formula : formulas) {
            parser.setExpression(formula);
            samplePieces(parser, band, points,
                         [](const PointList& piece) { benchmark::DoNotOptimize(piece.size()); });
        }
    }
}
BENCHMARK(sampleOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
