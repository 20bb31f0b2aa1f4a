#include <algorithm>
#include <cmath>
#include <numbers>

#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/geometry_marks.h"
#include "lang/commands/plane_vectors.h"

// The school marks: arcs or a square for an angle, strokes, a "v" or a small circle for
// segments of equal length.

namespace kalvor {
namespace geometry {

namespace {

using namespace plane;

constexpr Number kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr int kMaxMarkArcs = 1000;

// In [0, 2π).
Number direction(Vec v) {
    const Number angle = std::atan2(v.y, v.x);
    return angle < 0 ? angle + kTwoPi : angle;
}

/// The mark of the angle at A between AB and AC.
struct AngleMark {
    Vec a, b, c;
    Number radius = 0, toB = 0, toC = 0;
    bool right = false;
    int arcs = 0;

    // The two sides of the square of a right angle: from its far corner to the side AB, and
    // from the side AC to its far corner.
    Segment squareSide(int side) const {
        const Number s1 = radius / length(b - a), s2 = radius / length(c - a);
        const Vec onB = a + s1 * (b - a), onC = a + s2 * (c - a);
        const Vec corner = onB + s2 * (c - a);
        return side == 0 ? Segment{corner.x, corner.y, onB.x, onB.y}
                         : Segment{onC.x, onC.y, corner.x, corner.y};
    }
    ArcArgs arc(int k) const {
        const Number rho = radius * (1 + 0.2L * (k - 1));
        return {a.x, a.y, rho, toB, toC};
    }
};

std::optional<AngleMark> angleMarkOf(Vec a, Vec b, Vec c, Number size, Number arcs) {
    AngleMark m{a, b, c};
    m.arcs = roundedInt(arcs, 0, kMaxMarkArcs);
    const Number ab = length(m.b - m.a), ac = length(m.c - m.a);
    if (ab == 0 || ac == 0) return std::nullopt;
    m.radius = std::min(ab, ac) * size;
    m.toB = direction(m.b - m.a);
    m.toC = direction(m.c - m.a);
    m.right = std::fabs(dot(m.b - m.a, m.c - m.a)) < 1e-8L;
    return m;
}

std::optional<AngleMark> angleMark(RunContext& ctx) {
    const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
    const Number size = ctx.number(6);
    return angleMarkOf(a, b, c, size, ctx.number(7));
}

// `compute` gives the mark for each sink; without `squares` a right angle gets arcs too.
template <class Compute>
void drawAngleMark(RunContext& ctx, Compute&& compute, bool squares) {
    const std::optional<AngleMark> mark = compute();
    if (!mark) return;
    if (mark->right && squares) {
        for (int side = 0; side < 2; ++side)
            drawComputed<Segment>(
                ctx, mark->squareSide(side),
                [&]() -> std::optional<Segment> {
                    const auto again = compute();
                    if (!again || !again->right) return std::nullopt;
                    return again->squareSide(side);
                },
                [](DrawingContext& d, const ArgSource<Segment>& s) { d.straightLine(s); });
        return;
    }
    for (int k = 1; k <= mark->arcs; ++k)
        drawComputed<ArcArgs>(
            ctx, mark->arc(k),
            [&]() -> std::optional<ArcArgs> {
                const auto again = compute();
                if (!again) return std::nullopt;
                return again->arc(k);
            },
            [](DrawingContext& d, const ArgSource<ArcArgs>& s) {
                d.arc(ArcFigure::Arc, s, false);
            });
}

// A right angle gets the square whatever the number of arcs.
void markAngle(RunContext& ctx) {
    drawAngleMark(
        ctx, [&] { return angleMark(ctx); }, true);
}

}  // namespace

void angleMarkAt(RunContext& ctx, WorldPoint a, WorldPoint b, WorldPoint c, Number size,
                 Number arcs) {
    const std::optional<AngleMark> mark = angleMarkOf(a, b, c, size, arcs);
    drawAngleMark(
        ctx, [&] { return mark; }, false);
}

namespace {

/// The mark on the segment XY: u runs along the segment with the mark unit's length (a
/// ninetieth of the world's diagonal), `across` is the mark's half width across it.
struct SegmentMark {
    Vec middle, u, across;
    int count = 0;

    std::vector<Segment> lines() const {
        std::vector<Segment> out;
        auto add = [&](Vec p, Vec q) { out.push_back({p.x, p.y, q.x, q.y}); };
        if (count > 4) {  // "v"
            const Vec tip = middle - across;
            add(middle - 0.7L * u + across, tip);
            add(tip, middle + 0.7L * u + across);
        } else {  // strokes half a unit apart, centred on the middle
            for (int i = 1; i <= count; ++i) {
                const Number t = (2 * i - count - 1) / 4.0L;
                add(middle - t * u + across, middle - t * u - across);
            }
        }
        return out;
    }
    CircleArgs circle() const { return {middle.x, middle.y, length(across)}; }
};

std::optional<SegmentMark> segmentMarkOf(RunContext& ctx, Vec x, Vec y, Number size, Number marks) {
    const int count = roundedInt(marks, -1, 5);
    const Number len = length(y - x);
    if (len == 0 || !ctx.env.drawing) return std::nullopt;
    const WorldCanvas& canvas = ctx.env.drawing->canvas();
    const Number unit = std::hypot(canvas.d2WorldXW(), canvas.d2WorldYW()) / 90;
    SegmentMark m;
    m.middle = midpoint(x, y);
    m.u = (unit / len) * (y - x);
    const Vec v = size * m.u;
    m.across = {v.y, -v.x};
    m.count = count;
    return m;
}

std::optional<SegmentMark> segmentMark(RunContext& ctx) {
    const Vec x = pointArg(ctx, 0), y = pointArg(ctx, 2);
    const Number size = ctx.number(4);
    return segmentMarkOf(ctx, x, y, size, ctx.number(5));
}

// `compute` gives the mark for each sink.
template <class Compute>
void drawSegmentMark(RunContext& ctx, Compute&& compute) {
    const std::optional<SegmentMark> mark = compute();
    if (!mark) return;
    if (mark->count < 1) {  // "o"
        drawComputed<CircleArgs>(
            ctx, mark->circle(),
            [&]() -> std::optional<CircleArgs> {
                const auto again = compute();
                if (!again) return std::nullopt;
                return again->circle();
            },
            [](DrawingContext& d, const ArgSource<CircleArgs>& s) { d.circle(s); });
        return;
    }
    const std::vector<Segment> lines = mark->lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        drawComputed<Segment>(
            ctx, lines[i],
            [&]() -> std::optional<Segment> {
                const auto again = compute();
                if (!again || again->lines().size() != lines.size()) return std::nullopt;
                return again->lines()[i];
            },
            [](DrawingContext& d, const ArgSource<Segment>& s) { d.line(s); });
}

void markSegment(RunContext& ctx) {
    drawSegmentMark(ctx, [&] { return segmentMark(ctx); });
}

}  // namespace

void segmentMarkAt(RunContext& ctx, WorldPoint x, WorldPoint y, Number size, Number marks) {
    const std::optional<SegmentMark> mark = segmentMarkOf(ctx, x, y, size, marks);
    drawSegmentMark(ctx, [&] { return mark; });
}

}  // namespace geometry

void registerGeometryMarkCommands(CommandTable& table) {
    using namespace geometry;
    static constexpr CommandRow rows[] = {
        {"hoekmarkering", 8, markAngle},
        {"lijnstukmarkering", 6, markSegment},
    };
    table.add(rows);
}

}  // namespace kalvor
