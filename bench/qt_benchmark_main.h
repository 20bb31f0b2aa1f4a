#pragma once

// The main() of a benchmark program that draws: Qt's offscreen platform unless another is
// asked for, and a QGuiApplication for fonts and images.
#include <benchmark/benchmark.h>
#include <QGuiApplication>

namespace kalvor::bench {

/// `Application` is QApplication for benchmarks that paint widgets.
template <typename Application = QGuiApplication>
int runWithQt(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace kalvor::bench

#define KALVOR_QT_BENCHMARK_MAIN()                   \
    int main(int argc, char** argv) {                \
        return kalvor::bench::runWithQt(argc, argv); \
    }
