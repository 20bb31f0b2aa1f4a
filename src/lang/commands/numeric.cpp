#include <algorithm>
#include <cmath>

#include "lang/command_table.h"
#include "lang/commands/bigint_operands.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"
#include "lang/commands/numeric_support.h"
#include "lang/window_services.h"
#include "numeric/integration.h"
#include "numeric/roots.h"

// Zeros, integrals, slopes and iterates, the cobweb diagram and orbits of plane maps.

namespace kalvor::numeric {

namespace {

std::string unknownMethodText(std::string_view name) {
    return "Onbekende integratiemethode: \"" + std::string(name) +
           "\".\rKies trapezium, simpson, romberg, gauss of kronrod; de uitkomst is niet "
           "veranderd.";
}

// The value of f as a function graph shows it: beyond the plotting band it is pulled to just
// outside the band, so the cobweb runs off the canvas instead of far away.
struct GraphClamp {
    Number lower, upper, ymin, ymax;

    static GraphClamp of(const WorldCanvas& canvas) {
        const Number ymin = canvas.d2WorldY1(), ymax = ymin + canvas.d2WorldYW();
        return {ymin - std::fabs(ymin), ymax + std::fabs(ymax), ymin, ymax};
    }
    Number operator()(Number y) const {
        if (y > upper) return upper + std::fabs(ymax);
        if (y < lower) return lower - std::fabs(ymin);
        return y;
    }
};

// Truncated toward zero, NaN as 0; like every sample loop, at most kMaxCurveSamples passes.
long long truncatedCount(Number value) {
    if (!(value < kMaxCurveSamples)) return value > 0 ? kMaxCurveSamples : 0;
    return static_cast<long long>(std::trunc(value));
}

}  // namespace

FormulaArgument::FormulaArgument(RunContext& ctx, int parserNumber, std::string text)
    : m_ctx(ctx), m_parser(ctx.parser(parserNumber)), m_text(std::move(text)) {
    ctx.setExpression(m_parser, m_text);
}

Number FormulaArgument::at(Number x, Number y) {
    m_parser.x = x;
    m_parser.y = y;
    return m_ctx.valueOf(m_parser, m_text);
}

std::optional<Number> tryValueAt(Parser& parser, Number x, Number y) {
    parser.x = x;
    parser.y = y;
    try {
        return parser.value();
    } catch (const EvaluationError&) {
        return std::nullopt;
    }
}

std::optional<Number> FormulaArgument::tryAt(Number x, Number y) {
    return tryValueAt(m_parser, x, y);
}

namespace {

// nulpunt (f(x); xmin; xmax; start; tolerantie; var resultaat)
void findRoot(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number xmin = ctx.number(1), xmax = ctx.number(2), start = ctx.number(3);
    const Number tolerance = ctx.number(4);
    ctx.setNumber(ctx.text(5), findZero(f.ofX(), xmin, xmax, start, tolerance));
}

// integraal (f(x); a; b; tolerantie; methode; var uitkomst). An unknown method leaves the
// result as it was and says which methods there are; the run goes on.
void integralArea(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number a = ctx.number(1), b = ctx.number(2), tolerance = ctx.number(3);
    const std::string name = ctx.arg(4);
    const std::optional<IntegrationMethod> method = integrationMethod(name);
    if (!method) {
        ctx.host().messageBox(kWarningCaption, unknownMethodText(name), Host::Icon::Warning);
        return;
    }
    ctx.setNumber(ctx.text(5), integrate(f.ofX(), a, b, tolerance, *method));
}

// helling (f(x); x; dx; var uitkomst)
void slopeAt(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number x = ctx.number(1), dx = ctx.number(2);
    ctx.setNumber(ctx.text(3), centralSlope(f.ofX(), x, dx));
}

// iteratie (f(x); startwaarde; aantal; var resultaat)
void iteration(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number start = ctx.number(1);
    const Number count = std::min<Number>(ctx.number(2), kMaxCurveSamples);
    const RunProgress progress(ctx);
    ctx.setNumber(ctx.text(3), iterate(f.ofX(), start, count, progress.progress()));
}

// webgrafiek (f(x); xstart; iteraties; skip): y = x and the graph of f in black, then the
// staircase or spiral of the iteration; steps before `skip` are computed but not drawn.
void cobwebDiagram(RunContext& ctx) {
    const std::string formula = ctx.text(0);
    const Number xstart = ctx.number(1);
    const long long n = truncatedCount(ctx.number(2)), skip = truncatedCount(ctx.number(3));
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    d->setPenColor(kBlack);
    if (ctx.env.window) {
        ctx.env.window->plotFunction(ctx, "x", ctx.parser(1));
        ctx.env.window->plotFunction(ctx, formula, ctx.parser(1));
    }
    FormulaArgument f(ctx, 1, formula);
    const GraphClamp clamp = GraphClamp::of(d->canvas());
    const auto segment = [d](Number x1, Number y1, Number x2, Number y2) {
        d->line([=] { return Segment{x1, y1, x2, y2}; });
    };
    Number x = xstart, y = clamp(f.at(x));
    if (skip < 1) segment(x, 0, x, y);
    const RunProgress progress(ctx);
    for (long long k = 1; k <= n && keepGoing(progress.progress()); ++k) {
        const bool visible = k >= skip;
        if (visible) segment(x, y, y, y);
        x = y;
        y = clamp(f.at(x));
        if (visible) segment(x, x, x, y);
    }
}

// afbeelding2 (new x; new y; x0; y0; aantal; skip; stipgrootte): the orbit as dots. A point
// where the map cannot be evaluated is tried again in the next iteration.
void planeMapOrbit(RunContext& ctx) {
    FormulaArgument fx(ctx, 1, ctx.text(0));
    FormulaArgument fy(ctx, 2, ctx.text(1));
    Number x = ctx.number(2), y = ctx.number(3);
    const long long count = truncatedCount(ctx.number(4));
    const Number skip = ctx.number(5), size = ctx.number(6);
    DrawingContext* d = ctx.env.drawing;
    const RunProgress progress(ctx);
    for (long long k = 1; k <= count && keepGoing(progress.progress()); ++k) {
        const std::optional<Number> nx = fx.tryAt(x, y);
        const std::optional<Number> ny = nx ? fy.tryAt(x, y) : std::nullopt;
        if (!ny) continue;
        if (k > skip && d) d->dot([=] { return DotArgs{*nx, *ny, size}; });
        x = *nx;
        y = *ny;
    }
}

}  // namespace
}  // namespace kalvor::numeric

namespace kalvor {

void registerNumericCommands(CommandTable& table) {
    using namespace numeric;
    static constexpr CommandRow rows[] = {
        {"iteratie", 4, iteration},       {"integraal", 6, integralArea},
        {"nulpunt", 6, findRoot},         {"helling", 4, slopeAt},
        {"webgrafiek", 4, cobwebDiagram}, {"afbeelding2", 7, planeMapOrbit},
    };
    table.add(rows);
    registerNumericCurveCommands(table);
}

}  // namespace kalvor
