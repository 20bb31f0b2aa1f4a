#include <algorithm>
#include <cmath>
#include <string>

#include "expr/numtext.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"
#include "lang/window_services.h"

// Sampled figures: parametric curves, regions between graphs and half planes.

namespace kalvor {
namespace draw2d {
namespace {

/// x = f(t), y = g(t) as the expressions of Parser1 and Parser2, with T as the parameter.
class ParametricCurve {
public:
    ParametricCurve(RunContext& ctx, std::string f, std::string g)
        : m_ctx(ctx),
          m_px(ctx.parser(1)),
          m_py(ctx.parser(2)),
          m_f(std::move(f)),
          m_g(std::move(g)) {
        ctx.setExpression(m_px, m_f);
        ctx.setExpression(m_py, m_g);
    }

    WorldPoint at(Number t) {
        m_px.t = t;
        m_py.t = t;
        const Number x = m_ctx.valueOf(m_px, m_f);
        return {x, m_ctx.valueOf(m_py, m_g)};
    }

private:
    RunContext& m_ctx;
    Parser& m_px;
    Parser& m_py;
    std::string m_f, m_g;
};

// Samples tmin, tmin + dt, … with the last sample moved onto tmax; after a sample outside
// the plot box the next parameter value is skipped.
void drawCurve(DrawingContext& d, ParametricCurve& curve, SampleClock& clock, Number tmin,
               Number tmax, Number dt) {
    if (!(dt > 0)) return;
    CurvePieces pieces(d);
    Number t = tmin;
    while (t < tmax + dt) {
        const Number previous = t;
        if (!pieces.add(curve.at(t > tmax ? tmax : t))) t += dt;
        t += dt;
        if (t == previous || clock.aborted()) break;
    }
    pieces.finish();
}

// The number of samples of tmin … tmax in steps of dt (the clamped last one included).
Number curveSamples(Number tmin, Number tmax, Number dt) {
    return dt > 0 ? std::floor((tmax - tmin) / dt) + 2 : 0;
}

void drawParametricCurve(RunContext& ctx) {
    ParametricCurve curve(ctx, ctx.text(0), ctx.text(1));
    const Number tmin = ctx.number(2), tmax = ctx.number(3), dt = ctx.number(4);
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    if (curveSamples(tmin, tmax, dt) > kMaxCurveSamples)
        return warnTooManyPoints(ctx, "kromme", kMaxCurveSamples);
    SampleClock clock(ctx);
    drawCurve(*d, curve, clock, tmin, tmax, dt);
}

// Dashes of parameter length dt2 with gaps dt3. Like kromme, dt <= 0 draws nothing; so does
// a period that does not advance the parameter (dt2 + dt3 <= 0).
void drawDashedCurve(RunContext& ctx) {
    ParametricCurve curve(ctx, ctx.text(0), ctx.text(1));
    const Number tmin = ctx.number(2), tmax = ctx.number(3), dt = ctx.number(4);
    const Number dash = ctx.number(5), period = dash + ctx.number(6);
    DrawingContext* d = ctx.env.drawing;
    if (!d || !(period > 0) || !(dt > 0)) return;
    const Number dashes = std::floor((tmax - tmin) / period) + 1;
    const Number perDash = std::max<Number>(curveSamples(0, dash, dt), 1);
    if (dashes * perDash > kMaxCurveSamples)
        return warnTooManyPoints(ctx, "stippelkromme", kMaxCurveSamples);
    SampleClock clock(ctx);
    for (Number s = tmin;;) {
        drawCurve(*d, curve, clock, s, s + dash, dt);
        const Number next = s + period;
        if (next > tmax || next == s || clock.aborted()) break;
        s = next;
    }
}

// The tangent direction by central differences with h = 0.0001, through Parser1's T.
void tangentLine(RunContext& ctx) {
    const Number t = ctx.number(2);
    const std::string names[2] = {ctx.text(3), ctx.text(4)};
    constexpr Number h = 0.0001L;
    Parser& p = ctx.parser(1);
    for (int k = 0; k < 2; ++k) {
        const std::string formula = ctx.text(k);
        ctx.setExpression(p, formula);
        p.t = t + h;
        const Number ahead = ctx.valueOf(p, formula);
        p.t = t - h;
        const Number behind = ctx.valueOf(p, formula);
        const Number slope = (ahead - behind) / (2 * h);
        ctx.parser(1).setVariable(names[k], slope);
        ctx.parser(2).setVariable(names[k], slope);
    }
}

// Triples a; b; f(x) up to "#": the graph of f from a to b in steps of a thousandth of the
// world width. An interval with equal ends adds no points; a region that would need too many
// points is not drawn.
void drawRegion(RunContext& ctx) {
    DrawingContext* d = ctx.env.drawing;
    Parser& p = ctx.parser(1);
    PointList points;
    SampleClock clock(ctx);
    bool tooMany = false;
    std::size_t i = ctx.pc;
    while (i < ctx.lineCount() && ctx.line(i) != "#") {
        const Number a = ctx.evaluateLine(i), b = ctx.evaluateLine(i + 1);
        const std::string formula = ctx.preprocess(ctx.line(i + 2));
        i += 3;
        ctx.setExpression(p, formula);
        const Number dir = b > a ? 1 : b < a ? -1 : 0;
        if (!d || dir == 0 || tooMany) continue;
        const Number h = dir * d->canvas().d2WorldXW() / 1000;
        const Number count = std::floor((b - a) / h) + 1;
        tooMany = !(count <= kMaxOutlinePoints - static_cast<Number>(points.size()));
        if (tooMany) continue;
        Number x = a;
        for (long long n = 0; (b - x) * dir >= 0 && n <= count && !clock.aborted(); ++n) {
            p.x = x;
            points.append(x, ctx.valueOf(p, formula));
            x += h;
        }
    }
    ctx.pc = i + 1;
    if (tooMany) return warnTooManyPoints(ctx, "gebied", kMaxOutlinePoints);
    if (d) d->polygon([&] { return points; }, PathText::PointLines, true);
}

enum class HalfPlane { Above, Below, Line };

struct WindowRect {
    Number xmin, xmax, ymin, ymax;
};

// The graph window's range fields; the world rectangle when there is no window or a field
// does not hold a number.
WindowRect windowRect(RunContext& ctx, const WorldCanvas& canvas) {
    WindowRect r{canvas.d2WorldX1(), canvas.d2WorldX1() + canvas.d2WorldXW(), canvas.d2WorldY1(),
                 canvas.d2WorldY1() + canvas.d2WorldYW()};
    if (!ctx.env.window) return r;
    WindowRect fromFields{};
    const std::pair<const char*, Number*> fields[] = {{"xmin", &fromFields.xmin},
                                                      {"xmax", &fromFields.xmax},
                                                      {"ymin", &fromFields.ymin},
                                                      {"ymax", &fromFields.ymax}};
    for (auto [name, value] : fields) {
        const std::string* text = ctx.env.window->field(name);
        if (!text || !parseNumber(*text, *value)) return r;
    }
    return fromFields;
}

// Walks the window's corners counter-clockwise from the upper right; inside corners (for the
// two regions) and the crossings of the edges with a·x + b·y = c make the polygon.
PointList halfPlanePoints(HalfPlane mode, Number a, Number b, Number c, const WindowRect& w) {
    auto inside = [&](const WorldPoint& p) {
        const Number v = a * p.x + b * p.y - c;
        return mode == HalfPlane::Above ? v > 0 : v <= 0;
    };
    const bool region = mode != HalfPlane::Line;
    const WorldPoint corners[5] = {
        {w.xmax, w.ymax}, {w.xmin, w.ymax}, {w.xmin, w.ymin}, {w.xmax, w.ymin}, {w.xmax, w.ymax}};
    PointList points;
    if (region && inside(corners[0])) points.append(corners[0].x, corners[0].y);
    for (int k = 0; k < 4; ++k) {
        const WorldPoint& from = corners[k];
        const WorldPoint& to = corners[k + 1];
        const bool fromIn = inside(from), toIn = inside(to);
        if (fromIn != toIn) {
            if (from.y == to.y)
                points.append((c - b * from.y) / a, from.y);
            else
                points.append(from.x, (c - a * from.x) / b);
        }
        if (toIn && region) points.append(to.x, to.y);
    }
    return points;
}

// The picture text closes a region's outline, which the corner walk leaves open unless the
// upper right corner is inside: an open path would lose an edge and its shading.
void halfPlane(RunContext& ctx, HalfPlane mode) {
    auto compute = [&]() -> std::optional<PointList> {
        const Number a = ctx.number(0), b = ctx.number(1), c = ctx.number(2);
        if (!ctx.env.drawing) return std::nullopt;
        return halfPlanePoints(mode, a, b, c, windowRect(ctx, ctx.env.drawing->canvas()));
    };
    const std::optional<PointList> first = compute();
    const bool close =
        mode != HalfPlane::Line && first && first->size() > 1 && !(first->front() == first->back());
    drawComputed<PointList>(ctx, first, compute,
                            [close](DrawingContext& d, const ArgSource<PointList>& s) {
                                d.polygon(s, PathText::PointLines, close);
                            });
}

void halfPlaneAbove(RunContext& ctx) {
    halfPlane(ctx, HalfPlane::Above);
}

void halfPlaneBelow(RunContext& ctx) {
    halfPlane(ctx, HalfPlane::Below);
}

void lineInWindow(RunContext& ctx) {
    halfPlane(ctx, HalfPlane::Line);
}

}  // namespace
}  // namespace draw2d

void registerDraw2dCurveCommands(CommandTable& table) {
    using namespace draw2d;
    static constexpr CommandRow rows[] = {
        {"kromme", 5, drawParametricCurve}, {"stippelkromme", 7, drawDashedCurve},
        {"rvraaklijn", 5, tangentLine},     {"gebied", CommandRow::kUntilTerminator, drawRegion},
        {"ax+by>c", 3, halfPlaneAbove},     {"ax+by<c", 3, halfPlaneBelow},
        {"ax+by=c", 3, lineInWindow},
    };
    table.add(rows);
}

}  // namespace kalvor
