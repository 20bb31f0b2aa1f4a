#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expr/application_title.h"
#include "lang/commands/draw3d_handlers.h"
#include "lang/commands/figure_support.h"

// Sampled space figures (curves and wire-frame surfaces) and paths through space points.

namespace kalvor::draw3d {

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

// How many samples s0, s0 + ds, … ≤ s1 take; more than the limit when ds does not advance.
Number sampleCount(Number s0, Number s1, Number ds) {
    if (!(ds > 0)) return std::numeric_limits<Number>::infinity();
    const Number n = (s1 - s0) / ds + 1;
    return n >= 0 ? n : 0;
}

// Samples s0, s0 + ds, … while s ≤ s1 (the last sample stays below s1). A point outside the
// plot box, or without an image, ends the piece and the next parameter value is skipped.
void sampleCurve(RunContext& ctx, DrawingContext& d, SpaceFormulas& formulas,
                 const std::array<Number*, 3>& parameter, Number s0, Number s1, Number ds) {
    if (!(sampleCount(s0, s1, ds) < kMaxSamples)) return;
    constexpr Number kNaN = std::numeric_limits<Number>::quiet_NaN();
    CurvePieces pieces(d);
    Number s = s0;
    for (long long n = 0; s <= s1 && n < kMaxSamples; ++n) {
        const Number previous = s;
        setCells(parameter, s);
        const std::optional<WorldPoint> p = ctx.view3d.project(formulas.value());
        if (!pieces.add(p.value_or(WorldPoint{kNaN, kNaN}))) s += ds;
        s += ds;
        if (s == previous) break;
    }
    pieces.finish();
}

}  // namespace

void kromme3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"t"});
    const Number tmin = ctx.number(3), tmax = ctx.number(4), dt = ctx.number(5);
    if (DrawingContext* d = ctx.env.drawing)
        sampleCurve(ctx, *d, formulas, formulas.cells("t"), tmin, tmax, dt);
}

// Dashes of parameter length dt2 with gaps dt3. A period that does not advance the parameter
// (dt2 + dt3 <= 0), and a dash pattern too fine to sample, draw nothing.
void stippelkromme3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"t"});
    const Number tmin = ctx.number(3), tmax = ctx.number(4), dt = ctx.number(5);
    const Number dash = ctx.number(6), period = dash + ctx.number(7);
    DrawingContext* d = ctx.env.drawing;
    if (!d || !(period > 0)) return;
    const Number dashes = (tmax - tmin) / period + 1;
    if (!(dashes * (sampleCount(0, dash, dt) + 1) < kMaxSamples)) return;
    const std::array<Number*, 3> t = formulas.cells("t");
    Number s = tmin;
    for (long long n = 0; n < kMaxSamples; ++n) {
        sampleCurve(ctx, *d, formulas, t, s, s + dash, dt);
        const Number next = s + period;
        if (next > tmax || next == s) break;
        s = next;
    }
}

// The lines of constant u, then those of constant v. A grid with more points than the sample
// limit, or a step that does not advance, draws nothing.
void oppervlak3d(RunContext& ctx) {
    SpaceFormulas formulas(ctx, {"u", "v"});
    Number range[6];
    for (int k = 0; k < 6; ++k)
        range[k] = ctx.number(3 + k);
    const auto [umin, umax, vmin, vmax, du, dv] = range;
    DrawingContext* d = ctx.env.drawing;
    const Number nu = sampleCount(umin, umax, du), nv = sampleCount(vmin, vmax, dv);
    if (!d || !(du > 0 && dv > 0 && 2 * nu * nv < kMaxSamples)) return;
    const std::array<Number*, 3> u = formulas.cells("u"), v = formulas.cells("v");
    for (Number s = umin; s <= umax; s += du) {
        setCells(u, s);
        sampleCurve(ctx, *d, formulas, v, vmin, vmax, dv);
    }
    for (Number s = vmin; s <= vmax; s += dv) {
        setCells(v, s);
        sampleCurve(ctx, *d, formulas, u, umin, umax, du);
    }
}

namespace {

// lijst; three list names; start; end: element i of the three lists for i = start … end, at
// least the start point.
std::vector<SpacePoint> listPoints(RunContext& ctx) {
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
    if (!(std::fabs(start) < kMaxSamples) || !(end - start < kMaxSamples)) return points;
    auto i = static_cast<std::int64_t>(start);
    do {
        const NumberLists& l = ctx.env.lists;
        points.push_back({l.get(lists[0], i), l.get(lists[1], i), l.get(lists[2], i)});
        ++i;
    } while (i <= end);
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
std::vector<SpacePoint> readPoints(RunContext& ctx) {
    std::vector<SpacePoint> points = ctx.arg(0) == "lijst" ? listPoints(ctx) : triplePoints(ctx);
    while (!ctx.finished() && ctx.arg(0) != "#")
        ++ctx.pc;
    ++ctx.pc;
    return points;
}

}  // namespace

// A point without an image breaks the path in two.
void pad3d(RunContext& ctx) {
    const std::vector<SpacePoint> points = readPoints(ctx);
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
void veelhoek3d(RunContext& ctx) {
    const std::vector<SpacePoint> points = readPoints(ctx);
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    PointList corners;
    for (const SpacePoint& p : points)
        if (const std::optional<WorldPoint> image = ctx.view3d.project(p))
            corners.append(image->x, image->y);
    d->polygon(once(corners), PathText::Points, true);
}

}  // namespace kalvor::draw3d
