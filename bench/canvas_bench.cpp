// Costs of the canvas operations a redraw is made of, on a full-HD canvas: clearing, the
// framed axes, one function graph as a polyline, and the same graph recorded for PDF.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>

#include "canvas/drawing_context.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

PointList graph(int samples) {
    PointList points;
    for (int i = 0; i < samples; ++i) {
        const Number x = -5 + 10.0L * i / (samples - 1);
        points.append(x, 4 * std::sin(x));
    }
    return points;
}

struct Canvas {
    WorldCanvas canvas;
    Canvas() {
        canvas.resize(1920, 1080);
        canvas.setWorld(-5, -5, 5, 5);
    }
};

void clearCanvas(benchmark::State& state) {
    Canvas c;
    for (auto _ : state)
        c.canvas.clear();
}
BENCHMARK(clearCanvas)->Unit(benchmark::kMicrosecond);

void framedAxes(benchmark::State& state) {
    Canvas c;
    for (auto _ : state)
        c.canvas.d2Axes("x", "y", true, 0, 0x808080);
}
BENCHMARK(framedAxes)->Unit(benchmark::kMicrosecond);

void graphPolyline(benchmark::State& state) {
    Canvas c;
    c.canvas.pen().width = static_cast<int>(state.range(0));
    const PointList points = graph(1920);
    for (auto _ : state)
        c.canvas.d2Polyline(points);
}
BENCHMARK(graphPolyline)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

void graphRecordedForPdf(benchmark::State& state) {
    Canvas c;
    PdfRecorder pdf;
    PictureText picture;
    DrawingContext context(c.canvas, pdf, picture);
    const PointList points = graph(1920);
    context.setPdfRecording(true);
    for (auto _ : state) {
        pdf.beginDoc(1920, 1080, -5, 5, -5, 5);
        context.polyline([&] { return points; }, PathText::PointLines);
    }
}
BENCHMARK(graphRecordedForPdf)->Unit(benchmark::kMicrosecond);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
