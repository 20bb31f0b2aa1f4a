// Films and animated GIFs: a film of 100 frames with pauze(0) and two function graphs on the
// start-size canvas (goal: at least 60 frames per second of redraw), and 90 frames of
// 360 × 360 joined into one animated GIF (goal: under 2 s), with the file size beside what
// `gifsicle -O2` makes of the same frames when gifsicle is installed.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "graph/workbench.h"
#include "lang/compiler.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "output/gif_encoder.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

std::vector<std::string> compiled(const std::vector<std::string>& source) {
    FileIncludeResolver resolver(".");
    return compileProgram(source, resolver).lines;
}

void filmOfHundredFrames(benchmark::State& state) {
    HeadlessHost host;
    Workbench bench(host);
    bench.settings().functions = {"sin(x)", "x^2/4", "", ""};
    bench.setProgram(compiled({"film(i;1;100;1)", "lijn(0;0;4;i/25)", "pauze(0)", "next"}));
    for (auto _ : state)
        bench.redraw();
    state.counters["frames/s"] = benchmark::Counter(100.0 * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    if (!host.messages().empty()) state.SkipWithError("the redraw showed a message");
}
BENCHMARK(filmOfHundredFrames)->Unit(benchmark::kMillisecond);

// 90 redrawn frames of a moving sine with a circle.
std::vector<GifFrame> ninetyFrames() {
    HeadlessHost host;
    Workbench bench(host);
    std::vector<GifFrame> frames;
    for (int k = 0; k < 90; ++k) {
        bench.settings().functions = {"sin(x+" + std::to_string(k / 10.0) + ")", "", "", ""};
        bench.setProgram(compiled({"lijn(0;0;4;" + std::to_string(k / 30.0) + ")"}));
        bench.redraw();
        frames.push_back({bench.canvas().image().copy(), 100, true, kWhite, 2});
    }
    return frames;
}

// gifsicle joins the same frames (each saved as a one-frame GIF) with -O2, either keeping
// whole frames restored to the background as ours (it then reuses our compressed data, so
// the sizes match) or, from opaque frames, choosing its own disposal and cropping every
// frame to what changed.
long long gifsicleSize(const std::vector<GifFrame>& frames, bool ownDisposal) {
    QTemporaryDir dir;
    QStringList args{"-O2", "--loop", "--delay", "10"};
    if (!ownDisposal)
        args << "--disposal"
             << "background";
    for (std::size_t k = 0; k < frames.size(); ++k) {
        GifFrame frame = frames[k];
        frame.transparent = !ownDisposal;  // a transparent white keeps gifsicle from cropping
        std::string bytes;
        if (!encodeGif({frame}, {}, bytes).ok) return -1;
        QFile file(dir.path() + "/f" + QString::number(k + 10) + ".gif");
        if (!file.open(QIODevice::WriteOnly)) return -1;
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        args << file.fileName();
    }
    args << "-o" << dir.path() + "/out.gif";
    QProcess gifsicle;
    gifsicle.start("gifsicle", args);
    if (!gifsicle.waitForFinished(60000) || gifsicle.exitCode() != 0) return -1;
    return QFile(dir.path() + "/out.gif").size();
}

void ninetyFrameAnimation(benchmark::State& state) {
    const std::vector<GifFrame> frames = ninetyFrames();
    std::string bytes;
    GifOptions options;
    for (auto _ : state) {
        const GifResult result = encodeGif(frames, options, bytes);
        if (!result.ok) state.SkipWithError(result.errorText.c_str());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.counters["gifsicle_O2_bytes"] = static_cast<double>(gifsicleSize(frames, false));
    state.counters["gifsicle_O2_cropped_bytes"] = static_cast<double>(gifsicleSize(frames, true));
}
BENCHMARK(ninetyFrameAnimation)->Unit(benchmark::kMillisecond);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
