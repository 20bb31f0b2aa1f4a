#include <cmath>
#include <numbers>
#include <string>

#include "lang/command_table.h"
#include "lang/commands/families.h"
#include "lang/commands/plane_vectors.h"

// Construction lines: segments of lines given by support and direction, and the conflict
// line (the points equally far from a point and a segment, line or circle).

namespace kalvor {
namespace geometry {
namespace {

using namespace plane;

/// The segment from S + tmin·R to S + tmax·R; none for a zero direction.
std::optional<Segment> supportedSegment(Vec s, Vec r, Number tmin, Number tmax) {
    if (r.x == 0 && r.y == 0) return std::nullopt;
    const Vec p = s + tmin * r, q = s + tmax * r;
    return Segment{p.x, p.y, q.x, q.y};
}

template <class Compute>
void drawSegment(RunContext& ctx, Compute&& compute) {
    drawFigure(ctx, compute, [](DrawingContext& d, const ArgSource<Segment>& s) { d.line(s); });
}

// AB turned a quarter counter-clockwise.
Vec across(Vec a, Vec b) {
    return {a.y - b.y, b.x - a.x};
}

void vectorLine(RunContext& ctx) {
    drawSegment(ctx, [&] {
        const Vec s = pointArg(ctx, 0), r = pointArg(ctx, 2);
        const Number tmin = ctx.number(4), tmax = ctx.number(5);
        return supportedSegment(s, r, tmin, tmax);
    });
}

void perpendicularBisector(RunContext& ctx) {
    drawSegment(ctx, [&] {
        const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2);
        const Number tmin = ctx.number(4), tmax = ctx.number(5);
        return supportedSegment(midpoint(a, b), across(a, b), tmin, tmax);
    });
}

void perpendicular(RunContext& ctx) {
    drawSegment(ctx, [&] {
        const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
        const Number tmin = ctx.number(6), tmax = ctx.number(7);
        return supportedSegment(c, across(a, b), tmin, tmax);
    });
}

void angleBisector(RunContext& ctx) {
    drawSegment(ctx, [&]() -> std::optional<Segment> {
        const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
        const Number tmin = ctx.number(6), tmax = ctx.number(7);
        const Number ab = length(a - b), ac = length(a - c);
        if (ab == 0 || ac == 0) return std::nullopt;
        return supportedSegment(a, (1 / ab) * (a - b) + (1 / ac) * (a - c), tmin, tmax);
    });
}

// From C to its foot on the line AB.
void altitude(RunContext& ctx) {
    drawSegment(ctx, [&]() -> std::optional<Segment> {
        const Vec a = pointArg(ctx, 0), b = pointArg(ctx, 2), c = pointArg(ctx, 4);
        const Vec d = b - a;
        const Number dd = dot(d, d);
        if (dd == 0) return std::nullopt;
        const Vec foot = a + (dot(c - a, d) / dd) * d;
        return Segment{c.x, c.y, foot.x, foot.y};
    });
}

/// The object of a conflict line as a curve Q(s) with its tangent direction.
struct ConflictObject {
    enum class Kind { Segment, Line, Circle } kind = Kind::Segment;
    Vec x, y;
    Number lower = 0, upper = 1, radius = 0;

    Vec at(Number s) const {
        if (kind == Kind::Circle) return x + radius * Vec{std::cos(s), std::sin(s)};
        return x + s * (y - x);
    }
    Vec tangent(Vec q) const { return kind == Kind::Circle ? perp(q - x) : y - x; }
};

// A line is sampled over the parameters that reach twice across the world rectangle.
std::optional<ConflictObject> conflictObject(const std::string& kind, Vec x, Vec y,
                                             const WorldCanvas& canvas) {
    ConflictObject o;
    o.x = x;
    o.y = y;
    if (x == y) return std::nullopt;
    if (kind == "lijnstuk") return o;
    if (kind == "cirkel") {
        o.kind = ConflictObject::Kind::Circle;
        o.radius = length(y - x);
        o.upper = 2 * std::numbers::pi_v<long double>;
        return o;
    }
    if (kind != "lijn") return std::nullopt;
    o.kind = ConflictObject::Kind::Line;
    if (y.x != x.x) {
        o.lower = 2 * (canvas.d2WorldX1() - x.x) / (y.x - x.x);
        o.upper = 2 * (canvas.d2WorldX1() + canvas.d2WorldXW() - x.x) / (y.x - x.x);
    } else {
        o.lower = 2 * (canvas.d2WorldY1() - x.y) / (y.y - x.y);
        o.upper = 2 * (canvas.d2WorldY1() + canvas.d2WorldYW() - x.y) / (y.y - x.y);
    }
    if (o.lower > o.upper) std::swap(o.lower, o.upper);
    return o;
}

// A hundred steps over the parameter range, and on to 0.05 past its end.
constexpr long long kMaxConflictSamples = 10'000;

// Each point Z is equally far from P and from the object's point Q, on the object's normal
// at Q.
void conflictLine(RunContext& ctx) {
    const std::string kind = ctx.text(0);
    const Vec p = pointArg(ctx, 1), x = pointArg(ctx, 3), y = pointArg(ctx, 5);
    DrawingContext* d = ctx.env.drawing;
    if (!d) return;
    const std::optional<ConflictObject> object = conflictObject(kind, x, y, d->canvas());
    if (!object) return;
    const Number step = (object->upper - object->lower) / 100;
    if (!(step > 0)) return;
    CurvePieces pieces(*d);
    Number s = object->lower;
    for (long long n = 0; s <= object->upper + 0.05L && n < kMaxConflictSamples; ++n) {
        const Vec q = object->at(s), t = object->tangent(q);
        const Vec z = solveLines(q - p, (dot(q, q) - dot(p, p)) / 2, t, dot(t, q));
        if (!pieces.add(z)) s += step;
        s += step;
    }
    pieces.finish();
}

}  // namespace
}  // namespace geometry

void registerGeometryLineCommands(CommandTable& table) {
    using namespace geometry;
    static constexpr CommandRow rows[] = {
        {"vectorvoorstelling", 6, vectorLine},
        {"conflictlijn", 7, conflictLine},
        {"middelloodlijn", 6, perpendicularBisector},
        {"bissectrice", 8, angleBisector},
        {"loodlijn", 8, perpendicular},
        {"hoogtelijn", 6, altitude},
    };
    table.add(rows);
}

}  // namespace kalvor
