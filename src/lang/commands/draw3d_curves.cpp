#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expr/application_title.h"
#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/figure_support.h"
#include "lang/commands/space_support.h"

// Sampled space figures (curves and wire-frame surfaces) and paths through space points.

namespace kalvor {
namespace draw3d {
namespace {

/// x, y and z of a point as the expressions of Parser1, Parser2 and Parser3, with the named
/// parameters created in all three before the formulas are compiled.
class SpaceFormulas {
public:
    SpaceFormulas(RunContext& ctx, std::initializer_list<const char*> parameters) : m_ctx(ctx) {
        for (const char* name : parameters)
            for (int k = 0; k < 3; ++k)
                ctx.parser(k + 1).setVariable(name, 0);
        for (int k = 0; k < 3; ++k) {
            m_text[k] = ctx.text(k);
            ctx.setExpression(ctx.parser(k + 1), m_text[k]);
        }
    }

    /// The cells of one parameter in the three parsers.
    std::array<Number*, 3> cells(const char* name) {
        std::array<Number*, 3> out{};
        for (int k = 0; k < 3; ++k)
            out[k] = m_ctx.parser(k + 1).variableCell(name);
        return out;
    }

    SpacePoint value() {
        const Number x = m_ctx.valueOf(m_ctx.parser(1), m_text[0]);
        const Number y = m_ctx.valueOf(m_ctx.parser(2), m_text[1]);
        return {x, y, m_ctx.valueOf(m_ctx.parser(3), m_text[2])};
    }

private:
    RunContext& m_ctx;
    std::array<std::string, 3> m_text;
};

void setCells(const std::array<Number*, 3>& cells, Number value) {
    for (Number* cell : cells)
        *cell = value;
}

// How many samples s0, s0 + ds, … ≤ s1 take (none for a step that does not advance).
Number sampleCount(Number s0, Number s1, Number ds) {
    if (!(ds > 0) || !(s1 >= s0)) return 0;
    return std::floor((s1 - s0) / ds) + 1;
}

// Samples s0, s0 + ds, … while s ≤ s1 (the last sample stays below s1). A point outside the
// plot box, or without an image, ends the piece and the next parameter value is skipped.
void sampleCurve(RunContext& ctx, DrawingContext& d, SpaceFormulas& formulas,
                 const std::array<Number*, 3>& parameter, SampleClock& clock, Number s0, Number s1,
                 Number ds) {
    if (!(ds > 0)) return;
    constexpr Number kNaN = std::numeric_limits<Number>::quiet_NaN();
    CurvePieces pieces(d);
    for (Number s = s0; s <= s1;) {
        const Number previous = s;
        setCells(parameter, s);
        const std::optional<WorldPoint> p = ctx.view3d.project(formulas.value());
        if (!pieces.add(p.value_or(WorldPoint{kNaN, kNaN}))) s += ds;
        s += ds;
        if (s == previous || clock.aborted()) break;
    }
    pieces.finish();
}

// A step dt <= 0 draws nothing.
void drawCurve3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"t"});
    const Number tmin = ctx.number(3), tmax = ctx.number(4), dt = ctx.number(5);
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    if (sampleCount(tmin, tmax, dt) > kMaxCurveSamples)
        return warnTooManyPoints(ctx, "kromme3d", kMaxCurveSamples);
    SampleClock clock(ctx);
    sampleCurve(ctx, *d, formulas, formulas.cells("t"), clock, tmin, tmax, dt);
}

// Dashes of parameter length dt2 with gaps dt3. Like kromme3d, dt <= 0 draws nothing; so
// does a period that does not advance the parameter (dt2 + dt3 <= 0).
void drawDashedCurve3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"t"});
    const Number tmin = ctx.number(3), tmax = ctx.number(4), dt = ctx.number(5);
    const Number dash = ctx.number(6), period = dash + ctx.number(7);
    DrawingContext* d = ctx.env.drawing;
    if (!d || !(period > 0) || !(dt > 0)) return;
    const Number dashes = std::floor((tmax - tmin) / period) + 1;
    const Number perDash = std::max<Number>(sampleCount(0, dash, dt), 1);
    if (dashes * perDash > kMaxCurveSamples)
        return warnTooManyPoints(ctx, "stippelkromme3d", kMaxCurveSamples);
    const std::array<Number*, 3> t = formulas.cells("t");
    SampleClock clock(ctx);
    for (Number s = tmin;;) {
        sampleCurve(ctx, *d, formulas, t, clock, s, s + dash, dt);
        const Number next = s + period;
        if (next > tmax || next == s || clock.aborted()) break;
        s = next;
    }
}

// The lines of the surface with `fixed` at fmin, fmin + df, … ≤ fmax, each sampled in `free`.
void surfaceLines(RunContext& ctx, DrawingContext& d, SpaceFormulas& formulas, SampleClock& clock,
                  const std::array<Number*, 3>& fixed, Number fmin, Number fmax, Number df,
                  const std::array<Number*, 3>& free, Number smin, Number smax, Number ds) {
    for (Number f = fmin; f <= fmax && !clock.aborted(); f += df) {
        setCells(fixed, f);
        sampleCurve(ctx, d, formulas, free, clock, smin, smax, ds);
        if (f + df == f) break;
    }
}

// The lines of constant u, then those of constant v. A step du or dv <= 0 draws nothing.
void drawSurface3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"u", "v"});
    Number range[6];
    for (int k = 0; k < 6; ++k)
        range[k] = ctx.number(3 + k);
    const auto [umin, umax, vmin, vmax, du, dv] = range;
    DrawingContext* d = ctx.env.drawing;
    if (!d || !(du > 0) || !(dv > 0)) return;
    if (2 * sampleCount(umin, umax, du) * sampleCount(vmin, vmax, dv) > kMaxCurveSamples)
        return warnTooManyPoints(ctx, "oppervlak3d", kMaxCurveSamples);
    const std::array<Number*, 3> u = formulas.cells("u"), v = formulas.cells("v");
    SampleClock clock(ctx);
    surfaceLines(ctx, *d, formulas, clock, u, umin, umax, du, v, vmin, vmax, dv);
    surfaceLines(ctx, *d, formulas, clock, v, vmin, vmax, dv, u, umin, umax, du);
}

// lijst; three list names; start; end: element i of the three lists for i = start … end, at
// least the start point.
std::vector<SpacePoint> listPoints(RunContext& ctx, std::string_view command) {
    const std::string names[3] = {ctx.arg(1), ctx.arg(2), ctx.arg(3)};
    const Number start = std::nearbyint(ctx.number(4)), end = std::nearbyint(ctx.number(5));
    int lists[3];
    for (int k = 0; k < 3; ++k)
        lists[k] = listNumber(names[k]);
    std::vector<SpacePoint> points;
    if (lists[0] == 0 || lists[1] == 0 || lists[2] == 0) {
        ctx.host().messageBox(
            kApplicationTitle,
            "ongeldige lijst: " + names[0] + " en/of " + names[1] + " en/of " + names[2],
            Host::Icon::None);
        return points;
    }
    forEachListIndex(ctx, command, start, end, [&](std::int64_t i) {
        const NumberLists& l = ctx.env.lists;
        points.push_back({l.get(lists[0], i), l.get(lists[1], i), l.get(lists[2], i)});
    });
    return points;
}

// Triples of argument lines until the line after a triple is "#".
std::vector<SpacePoint> triplePoints(RunContext& ctx) {
    std::vector<SpacePoint> points;
    const std::size_t first = ctx.pc;
    do {
        points.push_back(spaceArg(ctx, 0));
        ctx.pc += 3;
    } while (!ctx.finished() && ctx.arg(0) != "#");
    ctx.pc = first;
    return points;
}

// Reads the points and leaves the program counter after the "#" line.
std::vector<SpacePoint> readPoints(RunContext& ctx, std::string_view command) {
    std::vector<SpacePoint> points =
        ctx.arg(0) == "lijst" ? listPoints(ctx, command) : triplePoints(ctx);
    while (!ctx.finished() && ctx.arg(0) != "#")
        ++ctx.pc;
    ++ctx.pc;
    return points;
}

// A point without an image breaks the path in two.
void drawPath3d(RunContext& ctx) {
    const std::vector<SpacePoint> points = readPoints(ctx, "pad3d");
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    PointList piece;
    auto flush = [&] {
        if (!piece.empty()) d->polyline(once(piece), PathText::Points);
        piece.clear();
    };
    for (const SpacePoint& p : points) {
        if (const std::optional<WorldPoint> image = ctx.view3d.project(p))
            piece.append(image->x, image->y);
        else
            flush();
    }
    flush();
}

// A corner without an image is left out of the polygon.
void drawPolygon3d(RunContext& ctx) {
    const std::vector<SpacePoint> points = readPoints(ctx, "veelhoek3d");
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    PointList corners;
    for (const SpacePoint& p : points)
        if (const std::optional<WorldPoint> image = ctx.view3d.project(p))
            corners.append(image->x, image->y);
    d->polygon(once(corners), PathText::Points, true);
}

}  // namespace
}  // namespace draw3d

void registerDraw3dCurveCommands(CommandTable& table) {
    using namespace draw3d;
    static constexpr CommandRow rows[] = {
        {"kromme3d", 6, drawCurve3d},
        {"stippelkromme3d", 8, drawDashedCurve3d},
        {"oppervlak3d", 9, drawSurface3d},
        {"pad3d", CommandRow::kUntilTerminator, drawPath3d},
        {"veelhoek3d", CommandRow::kUntilTerminator, drawPolygon3d},
    };
    table.add(rows);
}

}  // namespace kalvor
