#include <cmath>

#include "lang/command_table.h"
#include "lang/commands/bigint_operands.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"
#include "lang/commands/numeric_support.h"
#include "numeric/contour.h"
#include "numeric/trajectories.h"

// Solution curves, direction fields and implicit curves.

namespace kalvor {
namespace numeric {
namespace {

constexpr Number kDefaultCellPixels = 5;
constexpr Number kSmallestCellPixels = 0.5L;
constexpr Number kDifferenceStep = 1e-5L;

struct World {
    Number xmin, xmax, ymin, ymax;

    static World of(const WorldCanvas& c) {
        return {c.d2WorldX1(), c.d2WorldX1() + c.d2WorldXW(), c.d2WorldY1(),
                c.d2WorldY1() + c.d2WorldYW()};
    }
    TraceBounds bounds() const { return TraceBounds::ofWorld(xmax, ymin, ymax); }
};

void drawPolyline(DrawingContext& d, const PointList& points) {
    d.polyline([&points] { return points; }, PathText::PointLines);
}

// stap; aantal; methode of a solution curve from argument `first` on; the method line is
// taken as written.
struct StepArguments {
    WorldPoint start;
    Number step, count;
    std::optional<OdeMethod> method;

    static StepArguments read(RunContext& ctx, int first) {
        const WorldPoint start{ctx.number(first), ctx.number(first + 1)};
        const Number step = ctx.number(first + 2), count = ctx.number(first + 3);
        return {start, step, count, odeMethod(ctx.arg(first + 4))};
    }
};

void traceAndDraw(RunContext& ctx, const StepArguments& a, const TraceStep& step) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const RunProgress progress(ctx);
    const PointList points =
        traceCurve(a.start, step, a.count, World::of(d->canvas()).bounds(), progress.progress());
    drawPolyline(*d, points);
}

// The field's segments through the drawing layer, over the world rectangle.
void drawField(RunContext& ctx, std::string_view command, Number xstep, Number ystep,
               const std::function<std::optional<WorldPoint>(Number, Number)>& direction) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const World w = World::of(d->canvas());
    const Number points = ((w.xmax - w.xmin) / xstep + 1) * ((w.ymax - w.ymin) / ystep + 1);
    if (!(points <= kMaxOutlinePoints)) return warnTooManyPoints(ctx, command, kMaxOutlinePoints);
    const RunProgress progress(ctx);
    directionField(
        direction, {w.xmin, w.xmax, w.ymin, w.ymax, xstep, ystep},
        [d](const WorldPoint& a, const WorldPoint& b) {
            d->line([&] { return Segment{a.x, a.y, b.x, b.y}; });
        },
        progress.progress());
}

void contourAndDraw(RunContext& ctx, FormulaArgument& f, Number minx, Number maxx, Number miny,
                    Number maxy, Number pixels) {
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    if (!(pixels >= kSmallestCellPixels)) pixels = kDefaultCellPixels;
    const WorldCanvas& canvas = d->canvas();
    const CellGrid grid{minx,
                        maxx,
                        miny,
                        maxy,
                        (maxx - minx) / canvas.width() * pixels,
                        (maxy - miny) / canvas.height() * pixels};
    const auto value = [&f](Number x, Number y) { return f.tryAt(x, y).value_or(kUndefinedValue); };
    const RunProgress progress(ctx);
    contourCells(
        value, grid, [d](const PointList& piece) { drawPolyline(*d, piece); }, progress.progress());
}

// A partial derivative from the symbolic library, set as the expression of `parser`; the
// forward difference of f when the library has no answer or the answer does not compile.
PartialPlaneFunction partialDerivative(RunContext& ctx, FormulaArgument& f, int parserNumber,
                                       bool inX) {
    const std::string variable = inX ? "x" : "y";
    const SymbolicAnswer answer =
        ctx.env.symbolic().answer("diff(" + f.text() + "," + variable + ")");
    Parser& parser = ctx.parser(parserNumber);
    bool compiled = false;
    if (!answer.error) {
        try {
            parser.setExpression(answer.text);
            compiled = !parser.parseFailed();
        } catch (const ParserError&) {
        }
    }
    if (compiled) {
        return [&parser](Number x, Number y) { return tryValueAt(parser, x, y); };
    }
    return [&f, inX](Number x, Number y) -> std::optional<Number> {
        const std::optional<Number> here = f.tryAt(x, y);
        const std::optional<Number> ahead =
            here ? f.tryAt(x + (inX ? kDifferenceStep : 0), y + (inX ? 0 : kDifferenceStep))
                 : std::nullopt;
        if (!ahead) return std::nullopt;
        return (*ahead - *here) * 100000;
    };
}

// oplossingskromme (d.v.; x0; y0; stap; aantal; euler|impeuler|runge)
void solutionCurve(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const StepArguments a = StepArguments::read(ctx, 1);
    const PartialPlaneFunction slope = [&f](Number x, Number y) { return f.at(x, y); };
    traceAndDraw(ctx, a, slopeStep(slope, a.step, a.method));
}

// oplossingskromme2 (x'; y'; x0; y0; stap; aantal; euler|impeuler): a point where the system
// cannot be evaluated ends the curve, which is drawn up to there.
void systemTrajectory(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    FormulaArgument g(ctx, 2, ctx.text(1));
    const StepArguments a = StepArguments::read(ctx, 2);
    const std::optional<OdeMethod> method =
        a.method == OdeMethod::RungeKutta ? std::nullopt : a.method;
    traceAndDraw(ctx, a, systemStep(f.partial(), g.partial(), a.step, method));
}

// lijnelveld (d.v.; xstep; ystep)
void slopeField(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number xstep = ctx.number(1), ystep = ctx.number(2);
    drawField(ctx, "lijnelveld", xstep, ystep,
              [&f](Number x, Number y) -> std::optional<WorldPoint> {
                  const std::optional<Number> m = f.tryAt(x, y);
                  if (!m) return std::nullopt;
                  return WorldPoint{1, *m};
              });
}

// lijnelveld2 (x'; y'; xstep; ystep)
void systemDirectionField(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    FormulaArgument g(ctx, 2, ctx.text(1));
    const Number xstep = ctx.number(2), ystep = ctx.number(3);
    drawField(ctx, "lijnelveld2", xstep, ystep,
              [&](Number x, Number y) -> std::optional<WorldPoint> {
                  const std::optional<Number> u = f.tryAt(x, y);
                  const std::optional<Number> v = u ? g.tryAt(x, y) : std::nullopt;
                  if (!v) return std::nullopt;
                  return WorldPoint{*u, *v};
              });
}

// impliciet (f(x,y)): over the world rectangle with cells of 5 pixels.
void implicitCurve(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    if (!ctx.env.drawing) return;
    const World w = World::of(ctx.env.drawing->canvas());
    contourAndDraw(ctx, f, w.xmin, w.xmax, w.ymin, w.ymax, kDefaultCellPixels);
}

// impliciet2 (f(x,y); minx; maxx; miny; maxy; aantal_pixels)
void implicitCurveInBox(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const Number minx = ctx.number(1), maxx = ctx.number(2);
    const Number miny = ctx.number(3), maxy = ctx.number(4), pixels = ctx.number(5);
    contourAndDraw(ctx, f, minx, maxx, miny, maxy, pixels);
}

// impliciet3 (f(x,y); x0; y0; stap; maxstap): both branches from the point of the curve
// nearest to (x0, y0).
void implicitCurveByDerivatives(RunContext& ctx) {
    FormulaArgument f(ctx, 1, ctx.text(0));
    const ImplicitCurve curve{f.partial(), partialDerivative(ctx, f, 2, true),
                              partialDerivative(ctx, f, 3, false)};
    const Number x0 = ctx.number(1), y0 = ctx.number(2);
    const Number step = ctx.number(3), maxSteps = ctx.number(4);
    const std::optional<WorldPoint> start = projectOntoCurve(curve, {x0, y0});
    if (!start) return;
    for (const Number h : {step, -step})
        traceAndDraw(ctx, {*start, h, maxSteps, OdeMethod::Euler}, tangentStep(curve, h));
}

}  // namespace
}  // namespace numeric

void registerNumericCurveCommands(CommandTable& table) {
    using namespace numeric;
    static constexpr CommandRow rows[] = {
        {"impliciet", 1, implicitCurve},
        {"impliciet2", 6, implicitCurveInBox},
        {"impliciet3", 5, implicitCurveByDerivatives},
        {"lijnelveld", 3, slopeField},
        {"lijnelveld2", 4, systemDirectionField},
        {"oplossingskromme", 6, solutionCurve},
        {"oplossingskromme2", 7, systemTrajectory},
    };
    table.add(rows);
}

}  // namespace kalvor
