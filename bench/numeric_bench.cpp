// The numerical commands on a full-HD canvas: impliciet of a circle with 5-pixel cells (the
// whole command, and the contouring alone with its evaluations per cell), and every integration
// method on sin over 0 … π to 1e-10 beside a plain double-precision adaptive Gauss–Kronrod.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <array>
#include <cmath>
#include <numbers>

#include "canvas/drawing_context.h"
#include "expr/parser.h"
#include "lang/command_table.h"
#include "lang/compiled_program.h"
#include "lang/compiler.h"
#include "lang/environment.h"
#include "lang/executor.h"
#include "lang/headless_host.h"
#include "lang/program_file.h"
#include "numeric/contour.h"
#include "numeric/integration.h"
#include "output/pdf_recorder.h"
#include "output/picture_text.h"
#include "qt_benchmark_main.h"

namespace {

using namespace kalvor;

constexpr int kWidth = 1920, kHeight = 1080;

void impliciet(benchmark::State& state) {
    HeadlessHost host;
    Environment env(host);
    WorldCanvas canvas;
    canvas.resize(kWidth, kHeight);
    canvas.setWorld(-5, -5, 5, 5);
    PdfRecorder pdf;
    PictureText picture;
    DrawingContext drawing(canvas, pdf, picture);
    env.drawing = &drawing;
    const CommandTable table = buildCommandTable();
    FileIncludeResolver resolver(".");
    const CompiledProgram program(compileProgram({"impliciet(x^2+y^2-4)"}, resolver).lines);
    for (auto _ : state) {
        Executor executor(env, table, program, RunOptions{});
        executor.run();
    }
}
BENCHMARK(impliciet)->Unit(benchmark::kMillisecond);

// The grid alone through the parser, counting evaluations: corners plus one per crossing.
void contourEvaluations(benchmark::State& state) {
    Parser parser;
    parser.setExpression("x^2+y^2-4");
    long evaluations = 0;
    const PlaneFunction f = [&](Number x, Number y) {
        ++evaluations;
        parser.x = x;
        parser.y = y;
        try {
            return parser.value();
        } catch (const EvaluationError&) {
            return kUndefinedValue;
        }
    };
    const Number pixels = 5;
    const CellGrid grid{-5, 5, -5, 5, 10.0L / kWidth * pixels, 10.0L / kHeight * pixels};
    long pieces = 0;
    for (auto _ : state) {
        evaluations = 0;
        pieces = 0;
        contourCells(f, grid, [&](const PointList&) { ++pieces; }, {});
    }
    const double cells = std::floor(kWidth / 5.0 + 1) * std::floor(kHeight / 5.0 + 1);
    state.counters["evaluations_per_cell"] = static_cast<double>(evaluations) / cells;
    state.counters["pieces"] = static_cast<double>(pieces);
}
BENCHMARK(contourEvaluations)->Unit(benchmark::kMillisecond);

// ---- Integrals of sin over 0 … π ----

constexpr Number kPi = std::numbers::pi_v<Number>;

void integralBy(benchmark::State& state, IntegrationMethod method) {
    Parser parser;
    parser.setExpression("sin(x)");
    long evaluations = 0;
    const RealFunction f = [&](Number x) {
        ++evaluations;
        parser.x = x;
        return parser.value();
    };
    Number value = 0;
    for (auto _ : state) {
        evaluations = 0;
        value = integrate(f, 0, kPi, 1e-10L, method);
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["error"] = static_cast<double>(std::fabs(value - 2));
}
BENCHMARK_CAPTURE(integralBy, trapezium, IntegrationMethod::Trapezium)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(integralBy, simpson, IntegrationMethod::Simpson)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(integralBy, romberg, IntegrationMethod::Romberg)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(integralBy, gauss, IntegrationMethod::Gauss)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(integralBy, kronrod, IntegrationMethod::Kronrod)->Unit(benchmark::kMicrosecond);

// Reference: adaptive 7-point Gauss / 15-point Kronrod in double precision, bisecting a
// panel until the two rules agree within its share of the tolerance.
struct GaussKronrod15 {
    static constexpr std::array<double, 8> kNodes{0.0,
                                                  0.207784955007898467600689403773245,
                                                  0.405845151377397166906606412076961,
                                                  0.586087235467691130294144845693013,
                                                  0.741531185599394439863864773280788,
                                                  0.864864423359769072789712788640926,
                                                  0.949107912342758524526189684047851,
                                                  0.991455371120812639206854697526329};
    static constexpr std::array<double, 8> kKronrod{
        0.209482141084727828012999174891714, 0.204432940075298892414161999234649,
        0.190350578064785409913256402421014, 0.169004726639267902826583426598550,
        0.140653259715525918745189590510238, 0.104790010322250183839876322541518,
        0.063092092629978553290700663189204, 0.022935322010529224963732008058970};
    static constexpr std::array<double, 4> kGauss{
        0.417959183673469387755102040816327, 0.381830050505118944950369775488975,
        0.279705391489276667901467771423780, 0.129484966168869693270611432679082};

    double (*f)(double);
    long evaluations = 0;

    double panel(double a, double b, double& error) {
        const double c = (a + b) / 2, w = (b - a) / 2;
        const double fc = f(c);
        double k = kKronrod[0] * fc, g = kGauss[0] * fc;
        evaluations += 15;
        for (std::size_t i = 1; i < 8; ++i) {
            const double pair = f(c - w * kNodes[i]) + f(c + w * kNodes[i]);
            k += kKronrod[i] * pair;
            if (i % 2 == 0) g += kGauss[i / 2] * pair;
        }
        error = std::fabs(w * (k - g));
        return w * k;
    }
    double integrate(double a, double b, double tol, int depth = 0) {
        double error = 0;
        const double value = panel(a, b, error);
        if (error <= tol || depth > 30) return value;
        const double m = (a + b) / 2;
        return integrate(a, m, tol / 2, depth + 1) + integrate(m, b, tol / 2, depth + 1);
    }
};

void integralReference(benchmark::State& state) {
    GaussKronrod15 gk{[](double x) { return std::sin(x); }};
    double value = 0;
    for (auto _ : state) {
        gk.evaluations = 0;
        value = gk.integrate(0, std::numbers::pi, 1e-10);
        benchmark::DoNotOptimize(value);
    }
    state.counters["evaluations"] = static_cast<double>(gk.evaluations);
    state.counters["error"] = std::fabs(value - 2);
}
BENCHMARK(integralReference)->Unit(benchmark::kMicrosecond);

}  // namespace

KALVOR_QT_BENCHMARK_MAIN()
