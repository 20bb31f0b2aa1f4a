// The big-integer calculator: 15000! as the window computes and shows it, and the outside
// factoring program against gp started on its own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>

#include "../tests/support/recording_host.h"
#include "graph/bigint_calculator.h"
#include "graph/outside_factoring.h"
#include "qt_benchmark_main.h"
#include "ui/bigint_window.h"

namespace kalvor {
namespace {

// The primes after 5 * 10^19 and 7 * 10^19: a semiprime of 40 digits.
constexpr const char* kSemiprime = "3500000000000000004780000000000000000767";

std::string factorialText() {
    const BigIntCalculator calculator;
    const BigIntTask task = calculator.prepare(BigIntOperation::Factorial, {"15000", "", ""});
    return *task.work({}, [](const std::string&) {});
}

void factorialComputed(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(factorialText());
}
BENCHMARK(factorialComputed)->Unit(benchmark::kMillisecond);

// As the window does it: read from the field, computed on the work thread, put into the
// memo and painted once.
void factorialShown(benchmark::State& state) {
    test::RecordingHost host;
    BigIntWindow window(host);
    window.resize(560, 560);
    window.xField()->setText(QStringLiteral("15000"));
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&window, &BigIntWindow::finished, &loop, &QEventLoop::quit);
        window.start(BigIntOperation::Factorial);
        loop.exec();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(factorialShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void outsideProgram(benchmark::State& state) {
    const auto program = findFactoringProgram();
    if (!program) {
        state.SkipWithError("neither msieve nor gp is on the PATH");
        return;
    }
    state.SetLabel(program->name());
    const BigInt n(kSemiprime);
    for (auto _ : state) {
        const auto result = factorOutside(*program, n, {});
        if (result.status != OutsideFactorisation::Status::Factored)
            state.SkipWithError("not factored");
    }
}
BENCHMARK(outsideProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void gpAlone(benchmark::State& state) {
    for (auto _ : state) {
        QProcess gp;
        gp.start(QStringLiteral("gp"), {QStringLiteral("-q"), QStringLiteral("-f")});
        if (!gp.waitForStarted()) {
            state.SkipWithError("gp is not on the PATH");
            return;
        }
        gp.write((std::string("print(factor(") + kSemiprime + "))\nquit\n").c_str());
        gp.closeWriteChannel();
        gp.waitForFinished();
        benchmark::DoNotOptimize(gp.readAllStandardOutput());
    }
}
BENCHMARK(gpAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kalvor

int main(int argc, char** argv) {
    return kalvor::bench::runWithQt<QApplication>(argc, argv);
}
