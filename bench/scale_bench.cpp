// A program of a million short lines (`for(i;1;1000000;1)` / `lijn(0;0;i;1)` / `next`) on the
// start-size canvas: a redraw to the screen alone and with each recording sink on, beside the
// floor: one QPainter drawing the same lines, mapped the same way, on an image of the same size.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "graph/workbench.h"
#include "lang/headless_host.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

constexpr int kLines = 1000000;
constexpr int kSide = 360;

enum class Sink { ScreenOnly, Pdf, PictureText };

void millionLines(benchmark::State& state) {
    const auto sink = static_cast<Sink>(state.range(0));
    HeadlessHost host;
    Workbench bench(host);
    bench.setProgram(
        {"for", "i", "1", std::to_string(kLines), "1", "lijn", "0", "0", "i", "1", "next"});
    DrawingContext& drawing = bench.drawing();
    for (auto _ : state) {
        drawing.setPdfRecording(sink == Sink::Pdf);
        drawing.setEepicRecording(sink == Sink::PictureText);
        bench.redraw();
        drawing.setPdfRecording(false);
        drawing.setEepicRecording(false);
        state.PauseTiming();
        drawing.pdf().clear();
        drawing.picture().clear();
        state.ResumeTiming();
    }
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
    state.counters["s/line"] = benchmark::Counter(
        static_cast<double>(kLines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(millionLines)
    ->Arg(static_cast<int>(Sink::ScreenOnly))
    ->Arg(static_cast<int>(Sink::Pdf))
    ->Arg(static_cast<int>(Sink::PictureText))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// The SVG export of the same program: a redraw with the vector mirror streaming, and the
// file written.
void millionLinesSvg(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    bench.setProgram(
        {"for", "i", "1", std::to_string(kLines), "1", "lijn", "0", "0", "i", "1", "next"});
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/lines.svg").toStdString();
    for (auto _ : state)
        if (!bench.exportMetafile(file)) state.SkipWithError("the SVG was not written");
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
    state.counters["s/line"] = benchmark::Counter(
        static_cast<double>(kLines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["file bytes/line"] =
        static_cast<double>(QFileInfo(QString::fromStdString(file)).size()) / kLines;
}
BENCHMARK(millionLinesSvg)->Unit(benchmark::kMillisecond)->Iterations(2);

// The floor: the same world (-5 … 5 on both axes) mapped to pixels, one painter for all lines.
void millionLinesFloor(benchmark::State& state) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    const double scale = kSide / 10.0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        for (int i = 1; i <= kLines; ++i)
            painter.drawLine(QLineF(5 * scale, 5 * scale, (i + 5) * scale, (5 - 1) * scale));
    }
    state.counters["s/line"] = benchmark::Counter(
        static_cast<double>(kLines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(millionLinesFloor)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
