// Evaluation and compilation speed of the formula parser, beside muparser (double) and the
// same formulas written by hand in long double, all measured in one run. Prints a table of
// the medians at the end. "--quick" runs 1 million evaluations per figure instead of 10.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "expr/arithmetic.h"
#include "expr/parser.h"

#ifdef KALVOR_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using kalvor::Number;

constexpr Number kA = 2, kB = 3;

const char* const kFormulas[] = {
    "3*x^2",         "sqrt(16.3-x*x)",         "a*sin(b*x)+cos(x)^2",
    "x^3-2*x^2+x-5", "exp(-x^2/2)/sqrt(2*pi)", "(x+1)*(x-1)/(x^2+1)",
};

// The same formulas by hand; templates so that the compiler inlines them into the loop.
template <int I>
Number byHand(Number x);
template <>
Number byHand<0>(Number x) {
    return 3 * (x * x);
}
template <>
Number byHand<1>(Number x) {
    return std::sqrt(16.3L - x * x);
}
template <>
Number byHand<2>(Number x) {
    const Number c = std::cos(x);
    return kA * std::sin(kB * x) + c * c;
}
template <>
Number byHand<3>(Number x) {
    return x * x * x - 2 * (x * x) + x - 5;
}
template <>
Number byHand<4>(Number x) {
    return std::exp(-(x * x) / 2) / std::sqrt(2 * kalvor::kPi);
}
template <>
Number byHand<5>(Number x) {
    return (x + 1) * (x - 1) / (x * x + 1);
}

constexpr Number kFrom = -4, kTo = 4, kStep = 0.0008L;

// x walks through [-4, 4] again and again; `evaluate` sees each x once.
template <typename T, typename F>
void sweep(benchmark::State& state, F evaluate) {
    T x = kFrom;
    T sum = 0;
    for (auto _ : state) {
        sum += evaluate(x);
        x += static_cast<T>(kStep);
        if (x > kTo) x = kFrom;
    }
    benchmark::DoNotOptimize(sum);
}

void registerCase(int index, const char* text, std::int64_t evaluations, int repetitions) {
    const std::string id = std::to_string(index + 1);
    const auto eval = [&](const std::string& name, auto fn) {
        benchmark::RegisterBenchmark(("eval/" + name + "/" + id).c_str(), fn)
            ->Iterations(evaluations)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kNanosecond);
    };
    const auto compile = [&](const std::string& name, auto fn) {
        benchmark::RegisterBenchmark(("compile/" + name + "/" + id).c_str(), fn)
            ->Repetitions(repetitions)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kMicrosecond);
    };

    eval("ours", [text](benchmark::State& state) {
        kalvor::Parser p;
        p.a = kA;
        p.b = kB;
        p.setExpression(text);
        sweep<Number>(state, [&](Number x) {
            p.x = x;
            return p.value();
        });
    });

    compile("ours", [text](benchmark::State& state) {
        kalvor::Parser p;
        for (auto _ : state)
            benchmark::DoNotOptimize(p.compile(text));
    });
#ifdef KALVOR_HAVE_MUPARSER
    eval("muparser", [text](benchmark::State& state) {
        mu::Parser p;
        double x = 0, a = static_cast<double>(kA), b = static_cast<double>(kB);
        p.DefineVar("x", &x);
        p.DefineVar("a", &a);
        p.DefineVar("b", &b);
        p.DefineConst("pi", static_cast<double>(kalvor::kPi));
        p.SetExpr(text);
        sweep<double>(state, [&](double v) {
            x = v;
            return p.Eval();
        });
    });
    // muparser compiles on the first evaluation after SetExpr.
    compile("muparser", [text](benchmark::State& state) {
        mu::Parser p;
        double x = 1, a = 2, b = 3;
        p.DefineVar("x", &x);
        p.DefineVar("a", &a);
        p.DefineVar("b", &b);
        p.DefineConst("pi", 3.14159);
        for (auto _ : state) {
            p.SetExpr(text);
            benchmark::DoNotOptimize(p.Eval());
        }
    });
#endif
}

// The same arithmetic, reading x from an 80-bit cell the loop has just written, as any
// evaluator bound to variable cells must; on some processors that store-to-load round trip
// alone costs more than a whole double-precision evaluation.
Number g_cell;

template <int I>
[[gnu::noinline]] Number byHandFromCell(const Number* cell) {
    return byHand<I>(*cell);
}

template <int I>
void registerByHand(std::int64_t evaluations, int repetitions) {
    benchmark::RegisterBenchmark(("eval/cell/" + std::to_string(I + 1)).c_str(),
                                 [](benchmark::State& state) {
                                     sweep<Number>(state, [](Number x) {
                                         g_cell = x;
                                         return byHandFromCell<I>(&g_cell);
                                     });
                                 })
        ->Iterations(evaluations)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(("eval/hand/" + std::to_string(I + 1)).c_str(),
                                 [](benchmark::State& state) {
                                     sweep<Number>(state, [](Number x) { return byHand<I>(x); });
                                 })
        ->Iterations(evaluations)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kNanosecond);
}

template <int... I>
void registerAllByHand(std::int64_t evaluations, int repetitions,
                       std::integer_sequence<int, I...>) {
    (registerByHand<I>(evaluations, repetitions), ...);
}

/// Passes everything to the console and keeps the median CPU time of each benchmark (CPU
/// time, so that being descheduled on a busy machine does not count).
class MedianCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                m_medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double median(const std::string& name) const {
        const auto it = m_medians.find(name);
        return it == m_medians.end() ? NAN : it->second;
    }

private:
    std::map<std::string, double> m_medians;
};

void printTable(const MedianCollector& m) {
    std::printf("\n%-26s %8s %8s %8s %8s | %8s %8s %8s | %8s %8s\n", "ns per evaluation", "ours",
                "muparser", "hand", "cell", "mu/ours", "ours/hnd", "ours/cel", "us comp",
                "mu comp");
    for (std::size_t i = 0; i < std::size(kFormulas); ++i) {
        const std::string id = std::to_string(i + 1);
        const double ours = m.median("eval/ours/" + id);
        const double mu = m.median("eval/muparser/" + id);
        const double hand = m.median("eval/hand/" + id);
        const double cell = m.median("eval/cell/" + id);
        std::printf("%zu %-24s %8.2f %8.2f %8.2f %8.2f | %7.2fx %7.2fx %7.2fx | %8.3f %8.3f\n",
                    i + 1, kFormulas[i], ours, mu, hand, cell, mu / ours, ours / hand, ours / cell,
                    m.median("compile/ours/" + id), m.median("compile/muparser/" + id));
    }
    std::printf(
        "hand: the formula in C++ long double, inlined; cell: the same reading x from an 80-bit\n"
        "cell just written (the floor for evaluators bound to variable cells). Medians of CPU\n"
        "time per evaluation (ns) and per compilation (us).\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::int64_t evaluations = 10'000'000;
    int repetitions = 5;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            evaluations = 1'000'000;
            repetitions = 3;
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    for (std::size_t i = 0; i < std::size(kFormulas); ++i) {
        registerCase(static_cast<int>(i), kFormulas[i], evaluations, repetitions);
    }
    registerAllByHand(evaluations, repetitions, std::make_integer_sequence<int, 6>{});
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printTable(collector);
    benchmark::Shutdown();
    return 0;
}
